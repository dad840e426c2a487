# Checks that the source folders include one another in one direction only.
#
#   cmake -DSOURCE_DIR=<src> -DORDER="platform;base;...;a|b;..." -P CheckIncludeOrder.cmake
#
# A file in folder F may include headers of F itself and of the folders listed
# before F's level; folders joined by "|" share a level and may not include one
# another. Any other project include ("folder/File.h") is reported and the
# script fails.
cmake_minimum_required(VERSION 3.25)
if(NOT SOURCE_DIR OR NOT ORDER)
  message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<dir> -DORDER=<folders> -P CheckIncludeOrder.cmake")
endif()
string(REPLACE "," ";" ORDER "${ORDER}")
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

set(level 0)
set(known "")
foreach(entry ${ORDER})
  string(REPLACE "|" ";" siblings "${entry}")
  foreach(dir ${siblings})
    set(level_of_${dir} ${level})
    list(APPEND known ${dir})
  endforeach()
  math(EXPR level "${level} + 1")
endforeach()

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
if(NOT files)
  message(FATAL_ERROR "No sources found under ${SOURCE_DIR}")
endif()
set(problems "")
foreach(f ${files})
  string(REGEX MATCH "^[^/]+" folder "${f}")
  if(NOT folder IN_LIST known)
    string(APPEND problems "  ${f}: folder ${folder} has no place in the order\n")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" inc "${line}")
    if(NOT inc MATCHES "/")
      continue() # a header beside the file
    endif()
    string(REGEX MATCH "^[^/]+" target "${inc}")
    if(target STREQUAL folder)
      continue()
    endif()
    if(NOT target IN_LIST known)
      string(APPEND problems "  ${f}: includes ${inc} from a folder outside the order\n")
    elseif(NOT level_of_${target} LESS level_of_${folder})
      string(APPEND problems "  ${f}: includes ${inc}, but ${target} does not lie below ${folder}\n")
    endif()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "Includes against the folder order (docs/architecture.md):\n${problems}")
endif()
