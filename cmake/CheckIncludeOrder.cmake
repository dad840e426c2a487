# Checks that the source folders include one another in one direction only.
#
#   cmake -DSOURCE_DIR=<src> -DORDER="platform;base;...;a|b;..." [-DSHARED=s:level,...]
#         [-DSKIP=folder,...] -P CheckIncludeOrder.cmake
#
# A file in folder F may include headers of F itself and of the folders listed
# before F's level; folders joined by "|" share a level and may not include one
# another. Any other project include ("folder/File.h") is reported and the
# script fails.
#
# The tests mirror the source folders and are held to the same order. Two
# things are theirs alone: a SHARED folder ("support:catalog") holds what every
# test uses, so any file may include it, while its own files may include the
# given folder and those below it; a SKIP folder is not read at all (the
# architecture tests' sample trees break the order on purpose).
cmake_minimum_required(VERSION 3.25)
if(NOT SOURCE_DIR OR NOT ORDER)
  message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<dir> -DORDER=<folders> -P CheckIncludeOrder.cmake")
endif()
string(REPLACE "," ";" ORDER "${ORDER}")
string(REPLACE "," ";" SHARED "${SHARED}")
string(REPLACE "," ";" SKIP "${SKIP}")
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

set(level 0)
set(known "")
foreach(entry ${ORDER})
  string(REPLACE "|" ";" siblings "${entry}")
  foreach(dir ${siblings})
    set(level_of_${dir} ${level})
    list(APPEND known ${dir})
  endforeach()
  # Twice the rank, so that a shared folder can stand just above its level.
  math(EXPR level "${level} + 2")
endforeach()
set(shared "")
foreach(entry ${SHARED})
  string(REPLACE ":" ";" parts "${entry}")
  list(GET parts 0 dir)
  list(GET parts 1 like)
  if(NOT like IN_LIST known)
    message(FATAL_ERROR "shared folder ${dir} stands like ${like}, which has no place in the order")
  endif()
  math(EXPR level_of_${dir} "${level_of_${like}} + 1")
  list(APPEND shared ${dir})
endforeach()

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
if(NOT files)
  message(FATAL_ERROR "No sources found under ${SOURCE_DIR}")
endif()
set(problems "")
foreach(f ${files})
  string(REGEX MATCH "^[^/]+" folder "${f}")
  if(folder IN_LIST SKIP)
    continue()
  endif()
  if(NOT folder IN_LIST known AND NOT folder IN_LIST shared)
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
    if(target STREQUAL folder OR target IN_LIST shared)
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
