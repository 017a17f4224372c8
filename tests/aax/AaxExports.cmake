# Checks that the AAX library's export table lists exactly the seven entry points hosts look up.
execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${LIBRARY}")
endif()
# The name table follows the line "[Ordinal/Name Pointer] Table"; its entries look like
# "	[   0] ACFCanUnloadNow".
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(([ \t]+\\[ *[0-9]+\\] [^\n]+\n)+)" table "${dump}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" rows "${CMAKE_MATCH_1}")
set(entries "")
foreach(row IN LISTS rows)
  string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${row}")
  list(APPEND entries "${name}")
endforeach()
set(expected ACFCanUnloadNow ACFGetClassFactory ACFGetSDKVersion ACFRegisterComponent ACFRegisterPlugin ACFShutdown ACFStartup)
if(NOT entries STREQUAL expected)
  message(FATAL_ERROR "exports are '${entries}', expected '${expected}'")
endif()
message(STATUS "exports: ${entries}")
