# Fails unless the Windows module exports exactly _mod_descrip and imports
# only from KERNEL32, USER32 and msvcrt, the DLLs of every Windows.
execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} failed on ${MODULE}")
endif()

# Exports: the lines after "[Ordinal/Name Pointer] Table", up to the first
# empty line, look like "	[   0] _mod_descrip".
string(FIND "${dump}" "[Ordinal/Name Pointer] Table" start)
if(start EQUAL -1)
  message(FATAL_ERROR "module has no export table")
endif()
string(SUBSTRING "${dump}" ${start} -1 table)
string(FIND "${table}" "\n\n" end)
string(SUBSTRING "${table}" 0 ${end} table)
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" exportLines "${table}")
set(exports "")
foreach(line IN LISTS exportLines)
  string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${line}")
  list(APPEND exports "${name}")
endforeach()
if(NOT exports STREQUAL "_mod_descrip")
  message(FATAL_ERROR "module exports [${exports}], expected exactly _mod_descrip")
endif()

# Imports: one "DLL Name: X.dll" line per imported DLL.
string(REGEX MATCHALL "DLL Name: [^\n]+" importLines "${dump}")
set(imports "")
foreach(line IN LISTS importLines)
  string(REGEX REPLACE "^DLL Name: " "" name "${line}")
  string(TOUPPER "${name}" name)
  list(APPEND imports "${name}")
endforeach()
list(SORT imports)
if(NOT imports STREQUAL "KERNEL32.DLL;MSVCRT.DLL;USER32.DLL")
  message(FATAL_ERROR "module imports from [${imports}], expected exactly KERNEL32.dll, msvcrt.dll and USER32.dll")
endif()
