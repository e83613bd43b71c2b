# Native (Linux, g++) build: the portable core, its unit tests, the build-time tools
# and the native benchmarks.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB_RECURSE unit_test_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${unit_test_src})
target_link_libraries(unit_tests PRIVATE tavrel_core tavrel_substitute_core tavrel_ctl_core GTest::gtest GTest::gtest_main GTest::gmock)
gtest_discover_tests(unit_tests DISCOVERY_MODE PRE_TEST)

# Build-time tools (each folder under tools/ with a CMakeLists.txt of its own).
file(GLOB tool_dirs CONFIGURE_DEPENDS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tools/*)
foreach(dir IN LISTS tool_dirs)
  if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endforeach()

if(EXISTS ${CMAKE_SOURCE_DIR}/bench/native/CMakeLists.txt)
  add_subdirectory(bench/native)
endif()

add_subdirectory(tests/fuzz)
