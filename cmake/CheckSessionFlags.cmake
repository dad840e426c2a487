# Checks that only the measurement session says whether a measurement runs.
#
#   cmake -DSOURCE_DIR=<src> -DOWNER=<file under src> -P CheckSessionFlags.cmake
#
# The context's Measuring flag is a mirror of the session's state for the
# folders below the session (the link routes "RML" lines by it, the graph
# follows the newest record, a load is refused). Only OWNER (the session's own
# file) writes it; outside it no line may assign it. Each finding is reported
# with its file and line, and the script fails.
cmake_minimum_required(VERSION 3.25)
if(NOT SOURCE_DIR OR NOT OWNER)
  message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<dir> -DOWNER=<file> -P CheckSessionFlags.cmake")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

set(write "(\\.|->)Measuring[ \t]*(=[^=]|=$)")

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
if(NOT files)
  message(FATAL_ERROR "No sources found under ${SOURCE_DIR}")
endif()
set(problems "")
foreach(f ${files})
  file(STRINGS ${SOURCE_DIR}/${f} lines ENCODING UTF-8)
  set(n 0)
  foreach(line IN LISTS lines)
    math(EXPR n "${n} + 1")
    # What follows // is a comment, not code.
    string(REGEX REPLACE "//.*$" "" code "${line}")
    if(NOT f STREQUAL OWNER AND code MATCHES "${write}")
      string(APPEND problems "  ${f}:${n}: says a measurement runs, which only the session says: ${line}\n")
    endif()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "Only the measurement session writes Measuring (docs/architecture.md):\n${problems}")
endif()
