# Checks that only the link moves its conversation: no file outside the owner
# folder assigns the link's state or its list's index and last step, or names the
# exchange list, or uses the old global forms of the context (ctx.link.…).
#
#   cmake -DROOTS="<dir>,<dir>,…" -DOWNER=<dir> -P CheckLinkStateOwner.cmake
#
# Every .h and .cpp under the roots is read, except those under OWNER (src/link).
# Comments after "//" do not count. Each offending line is reported as
# "file:line: text" and the script fails.
cmake_minimum_required(VERSION 3.25)
if(NOT ROOTS OR NOT DEFINED OWNER)
  message(FATAL_ERROR "usage: cmake -DROOTS=<dirs> -DOWNER=<dir> -P CheckLinkStateOwner.cmake")
endif()
string(REPLACE "," ";" ROOTS "${ROOTS}")
get_filename_component(OWNER "${OWNER}" ABSOLUTE)

# The forms, in CMake's regular expressions (no word boundaries).
set(forms
  "\\.link\\.(LinkState|ExchangeList|ExchangeIndex|ExchangeLast|WiringMode)"
  "LinkGlobals"
  "ExchangeList"
  "LinkState[ \t]*=([^=]|$)"
  "(ExchangeIndex|ExchangeLast)[ \t]*([-+*/]?=([^=]|$)|\\+\\+|--)"
  "(\\+\\+|--)[ \t]*[A-Za-z0-9_.>()-]*(ExchangeIndex|ExchangeLast)")
list(JOIN forms "|" any_form)

set(problems "")
foreach(root ${ROOTS})
  get_filename_component(root "${root}" ABSOLUTE)
  file(GLOB_RECURSE files ${root}/*.h ${root}/*.cpp)
  foreach(path ${files})
    string(FIND "${path}" "${OWNER}/" inside)
    if(inside EQUAL 0)
      continue()
    endif()
    # Most files name none of it: only those are read line by line.
    file(STRINGS "${path}" hits REGEX "${any_form}")
    if(NOT hits)
      continue()
    endif()
    file(READ "${path}" text)
    # Lines as a list: the characters CMake gives a meaning in lists are masked.
    string(REPLACE ";" "<semicolon>" text "${text}")
    string(REPLACE "[" "<open>" text "${text}")
    string(REPLACE "]" "<close>" text "${text}")
    string(REPLACE "\n" ";" lines "${text}")
    file(RELATIVE_PATH shown "${root}/.." "${path}")
    set(number 0)
    foreach(line IN LISTS lines)
      math(EXPR number "${number} + 1")
      string(REGEX REPLACE "//.*$" "" code "${line}")
      if(code MATCHES "${any_form}")
        string(STRIP "${line}" line)
        string(REPLACE "<semicolon>" ";" line "${line}")
        string(REPLACE "<open>" "[" line "${line}")
        string(REPLACE "<close>" "]" line "${line}")
        string(APPEND problems "  ${shown}:${number}: ${line}\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "Only the link moves its conversation (docs/architecture.md); "
                      "outside it these lines do:\n${problems}")
endif()
