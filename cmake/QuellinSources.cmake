# Library membership is declared by each source folder's CMakeLists.txt:
#
#   quellin_sources(CORE a.cpp b.cpp UI c.cpp)
#
# CORE files go to quellin_core (no widgets), UI files to quellin_ui (the
# windows). Every .cpp file of the folder must be listed, so that a new file is
# never left out of the build unnoticed.
function(quellin_sources)
  cmake_parse_arguments(S "" "" "CORE;UI;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE present RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(listed ${S_CORE} ${S_UI} ${S_EXCLUDE})
  foreach(f ${present})
    if(NOT f IN_LIST listed)
      message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}/${f} is in no library: list it in this folder's CMakeLists.txt")
    endif()
  endforeach()
  foreach(f ${listed})
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${f})
      message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}/CMakeLists.txt lists ${f}, which does not exist")
    endif()
  endforeach()
  if(S_CORE)
    target_sources(quellin_core PRIVATE ${S_CORE})
  endif()
  if(S_UI)
    target_sources(quellin_ui PRIVATE ${S_UI})
  endif()
endfunction()

# The source folders in their one-way order. Each is added in turn; a folder
# that is listed must exist.
function(quellin_add_source_folders)
  foreach(level ${QUELLIN_FOLDER_ORDER})
    string(REPLACE "|" ";" siblings "${level}")
    foreach(dir ${siblings})
      if(NOT EXISTS ${CMAKE_SOURCE_DIR}/src/${dir}/CMakeLists.txt)
        message(FATAL_ERROR "QUELLIN_FOLDER_ORDER lists src/${dir}, which has no CMakeLists.txt")
      endif()
      add_subdirectory(${CMAKE_SOURCE_DIR}/src/${dir} ${CMAKE_BINARY_DIR}/src/${dir})
    endforeach()
  endforeach()
endfunction()
