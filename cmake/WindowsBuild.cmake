# Windows (MinGW-w64) build: the Win32 layer, the program, the language library,
# the substitute monitor, the run folder and the Windows-side tests run under Wine.
set(TAVREL_WIN32_LIBS comctl32 comdlg32 gdi32 ole32 oleaut32 shell32 shlwapi user32 uuid)

if(NOT TAVREL_WIN_SOURCES)
  file(WRITE ${CMAKE_BINARY_DIR}/empty_win_layer.cpp "")
  set(TAVREL_WIN_SOURCES ${CMAKE_BINARY_DIR}/empty_win_layer.cpp)
endif()
add_library(tavrel_win STATIC ${TAVREL_WIN_SOURCES})
target_compile_definitions(tavrel_win PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(tavrel_win PUBLIC tavrel_core ${TAVREL_WIN32_LIBS})

# Host tools (the skin generator) come from the native build; see scripts/build.sh.
set(TAVREL_HOST_TOOLS_DIR "" CACHE PATH "Folder holding the natively built build-time tools")

# The run folder: everything the program needs beside it, as on a user's machine.
set(TAVREL_STAGE_DIR ${CMAKE_BINARY_DIR}/stage)
file(MAKE_DIRECTORY ${TAVREL_STAGE_DIR})
add_custom_target(stage ALL)

# Puts `target`'s program into the run folder without its debugging information, which
# stays beside the build output as <name>.debug, linked by name. The loader maps a
# program's every section, debugging ones included: unstripped, the program's start
# reads four times the bytes and holds them in memory for its whole life.
function(tavrel_stage_stripped target)
  set(staged ${TAVREL_STAGE_DIR}/$<TARGET_FILE_NAME:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-debug --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug
            $<TARGET_FILE:${target}> ${staged}
    VERBATIM)
  add_dependencies(stage ${target})
endfunction()

# GoogleTest from Debian's source package, built for Windows.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The portable unit tests run once more under Wine: same core, Windows ABI.
file(GLOB_RECURSE unit_test_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${unit_test_src})
target_link_libraries(unit_tests PRIVATE tavrel_core tavrel_substitute_core tavrel_ctl_core gtest gtest_main gmock)
add_test(NAME unit_tests_under_wine COMMAND unit_tests)

# Windows-side tests: tests/win/*.cpp (tests that need the platform).
file(GLOB win_test_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
# Shared helpers of the Windows-side tests live in tests/win/support/.
file(GLOB win_test_support CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/support/*.cpp)
list(APPEND win_test_src ${win_test_support})
if(win_test_src)
  add_executable(win_tests ${win_test_src})
  target_link_libraries(win_tests PRIVATE tavrel_substitute_core tavrel_win gtest gtest_main gmock oleacc)
  add_test(NAME win_tests COMMAND win_tests)
endif()

# Each further Windows component lives in its own folder with its own CMakeLists.txt
# (the program, the language library, the skin, the substitute monitor, helpers of
# the Windows-side tests, the benchmarks and the package).
foreach(dir resources app ctl gallery substitute_monitor tests/win/helpers bench/win package)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endforeach()
