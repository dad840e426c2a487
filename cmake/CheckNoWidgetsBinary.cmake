# cmake -DBINARY=<file> -DREADELF=<readelf> -P CheckNoWidgetsBinary.cmake
# Fails when the binary needs Qt's widgets library.
execute_process(COMMAND ${READELF} -d ${BINARY} OUTPUT_VARIABLE dynamic RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "readelf could not read ${BINARY}")
endif()
if(dynamic MATCHES "NEEDED[^\n]*libQt6(Widgets|PrintSupport)")
  message(FATAL_ERROR "${BINARY} needs ${CMAKE_MATCH_0}: it must run without widgets")
endif()
message(STATUS "${BINARY}: no widgets library needed")
