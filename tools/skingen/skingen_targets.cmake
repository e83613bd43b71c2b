# The generator's library, for both builds: the native build makes the skingen tool
# from it, and in both builds the default-skin unit tests run it in-process. The
# tests also read the language library's string table, embedded at configure time
# so that they need no path to the source tree when they run (under Wine too).
file(GLOB skingen_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/skingen/*.cpp)
list(FILTER skingen_sources EXCLUDE REGEX "/main\\.cpp$")

add_library(skingen_core STATIC ${skingen_sources})
target_include_directories(skingen_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(skingen_core PUBLIC tavrel_warnings)

set(lang_strings_rc ${CMAKE_SOURCE_DIR}/resources/lang/lang_strings.rc)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${lang_strings_rc})
file(READ ${lang_strings_rc} lang_strings_text)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/lang_strings_embedded.h
     CONTENT "// Generated from resources/lang/lang_strings.rc at configure time.\n#pragma once\ninline constexpr const char* kLangStringsRc = R\"tavrel_rc(@lang_strings_text@)tavrel_rc\";\n"
     @ONLY)

if(TARGET unit_tests)
  target_link_libraries(unit_tests PRIVATE skingen_core)
  target_include_directories(unit_tests PRIVATE ${CMAKE_BINARY_DIR}/generated)
endif()
