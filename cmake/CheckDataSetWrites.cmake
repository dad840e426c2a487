# Checks that only the store changes the data set.
#
#   cmake -DSOURCE_DIR=<src> -P CheckDataSetWrites.cmake
#
# Outside the folder store, no line may
#   - write a field of the store in the old global form
#     (ctx.store.RecordCount = …, ctx.store.ColumnPresent.assign(…), …),
#   - take the old globals by a reference that writes them (StoreGlobals&),
#   - use the tests' access to a data set's insides (DataSetAccess);
# and in the folders views and print, which only read the data set, no line may
# call one of the data set's changing methods (dataSet().AppendRecord(…), …) or
# ResetStore. Each finding is reported with its file and line, and the script
# fails.
cmake_minimum_required(VERSION 3.25)
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<dir> -P CheckDataSetWrites.cmake")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

set(field "[A-Za-z_][A-Za-z0-9_]*")
set(old_write "(\\.|->)store\\.${field}(\\[[^]]*\\])?[ \t]*(=[^=]|=$|\\+=|-=|\\+\\+|--)")
set(old_change "(\\.|->)store\\.${field}(\\.|->)(assign|resize|push_back|clear|reset|close)\\(")
set(old_step "(\\+\\+|--)[ \t]*[A-Za-z_][A-Za-z0-9_.>()-]*(\\.|->)store\\.")
set(changing "ResetStore|fitColumns|beginMeasurement|firstSample|noteReading|beginDownload")
string(APPEND changing "|takeLoadedFile|restoreWiringAndTitle|takeLeftover|appendDataSet|DeleteTmpFile")
string(APPEND changing "|OpenTmpForAppend|CloseTmp|AppendRecords?|appendMeasuredRecord|setFolder")
set(view_change "(dataSet\\(\\)|dataSet_|data)(\\.|->)(${changing})\\(|(^|[^A-Za-z0-9_.>])ResetStore\\(")

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
if(NOT files)
  message(FATAL_ERROR "No sources found under ${SOURCE_DIR}")
endif()
set(problems "")
foreach(f ${files})
  string(REGEX MATCH "^[^/]+" folder "${f}")
  if(folder STREQUAL "store")
    continue()
  endif()
  set(read_only FALSE)
  if(folder STREQUAL "views" OR folder STREQUAL "print")
    set(read_only TRUE)
  endif()
  file(STRINGS ${SOURCE_DIR}/${f} lines ENCODING UTF-8)
  set(n 0)
  foreach(line IN LISTS lines)
    math(EXPR n "${n} + 1")
    # What follows // is a comment, not code.
    string(REGEX REPLACE "//.*$" "" code "${line}")
    if(code MATCHES "${old_write}" OR code MATCHES "${old_change}" OR code MATCHES "${old_step}")
      string(APPEND problems "  ${f}:${n}: writes the data set outside the store: ${line}\n")
    elseif(code MATCHES "StoreGlobals[ \t]*&" AND NOT code MATCHES "const[ \t]+StoreGlobals")
      string(APPEND problems "  ${f}:${n}: takes the store's globals to write them: ${line}\n")
    elseif(code MATCHES "DataSetAccess")
      string(APPEND problems "  ${f}:${n}: uses the tests' access to a data set: ${line}\n")
    elseif(read_only AND code MATCHES "${view_change}")
      string(APPEND problems "  ${f}:${n}: changes the data set, which ${folder} only reads: ${line}\n")
    endif()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "Only the store changes the data set (docs/architecture.md):\n${problems}")
endif()
