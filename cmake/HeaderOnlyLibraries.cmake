# CLI11 and nlohmann-json are header-only. Their folders come from the packages' own
# CMake configuration where it is installed, else from the usual include folders;
# -DTAVREL_CLI11_INCLUDE_DIR=<folder> or -DTAVREL_JSON_INCLUDE_DIR=<folder> (the folder
# holding CLI/ or nlohmann/) names one by hand, as does CMAKE_PREFIX_PATH.
# The headers serve every target alike, so the cross build looks among the host's too.
find_package(CLI11 CONFIG QUIET CMAKE_FIND_ROOT_PATH_BOTH)
find_package(nlohmann_json CONFIG QUIET CMAKE_FIND_ROOT_PATH_BOTH)

function(tavrel_find_header_only_folder variable header package_target)
  set(hints "")
  if(TARGET ${package_target})
    get_target_property(hints ${package_target} INTERFACE_INCLUDE_DIRECTORIES)
  endif()
  find_path(${variable} ${header} HINTS ${hints} CMAKE_FIND_ROOT_PATH_BOTH
    DOC "Folder holding ${header}")
  # A folder named by hand is taken as it is: check it holds the header.
  if(NOT EXISTS "${${variable}}/${header}")
    message(FATAL_ERROR "${header} not found (${variable}=${${variable}}): install its package "
                        "(scripts/install-deps.sh) or name its folder with -D${variable}=<folder>")
  endif()
endfunction()

tavrel_find_header_only_folder(TAVREL_CLI11_INCLUDE_DIR CLI/CLI.hpp CLI11::CLI11)
tavrel_find_header_only_folder(TAVREL_JSON_INCLUDE_DIR nlohmann/json.hpp nlohmann_json::nlohmann_json)

# The cross build sees a folder of copies of these two libraries only, never the
# host's whole include folder (its C library headers would shadow MinGW's).
function(tavrel_use_header_only_libraries target)
  if(WIN32)
    set(copies ${CMAKE_BINARY_DIR}/header_only/include)
    file(COPY ${TAVREL_CLI11_INCLUDE_DIR}/CLI ${TAVREL_JSON_INCLUDE_DIR}/nlohmann
         DESTINATION ${copies})
    target_include_directories(${target} SYSTEM PUBLIC ${copies})
  else()
    target_include_directories(${target} SYSTEM PUBLIC
      ${TAVREL_CLI11_INCLUDE_DIR} ${TAVREL_JSON_INCLUDE_DIR})
  endif()
endfunction()
