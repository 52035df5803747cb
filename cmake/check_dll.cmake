cmake_minimum_required(VERSION 3.25)
# Checks a built DLL's tables: `cmake -DDLL=... -DOBJDUMP=... -P check_dll.cmake`.
# The export name table must hold exactly "Main", and every imported DLL must be one that each
# Windows installation has: the runtime (libstdc++, libgcc, winpthread) is linked in.
if(NOT DLL OR NOT OBJDUMP)
  message(FATAL_ERROR "usage: cmake -DDLL=file.dll -DOBJDUMP=objdump -P check_dll.cmake")
endif()
if(NOT EXISTS "${DLL}")
  message(FATAL_ERROR "${DLL} does not exist")
endif()

execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} cannot read ${DLL}")
endif()

# Exports: the lines after "[Ordinal/Name Pointer] Table" up to the next blank line.
set(exports)
string(FIND "${listing}" "[Ordinal/Name Pointer] Table" at)
if(at GREATER -1)
  string(SUBSTRING "${listing}" ${at} -1 tail)
  string(REGEX MATCH "Table\n([^\n]+\n)*" block "${tail}")
  string(REGEX MATCHALL "\\] [^\n]+" entries "${block}")
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE "^\\] " "" entry "${entry}")
    list(APPEND exports "${entry}")
  endforeach()
endif()
if(NOT exports STREQUAL "Main")
  message(FATAL_ERROR "${DLL} exports [${exports}]; it must export Main and nothing else")
endif()

# Imports: every "DLL Name:" line.
set(system_dlls kernel32.dll user32.dll gdi32.dll shell32.dll comctl32.dll comdlg32.dll
  advapi32.dll ole32.dll oleaut32.dll shlwapi.dll uxtheme.dll msvcrt.dll ucrtbase.dll)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${listing}")
if(NOT imports)
  message(FATAL_ERROR "${DLL} imports nothing, which no working DLL does")
endif()
foreach(line IN LISTS imports)
  string(REGEX REPLACE "^DLL Name: " "" name "${line}")
  string(STRIP "${name}" name)
  string(TOLOWER "${name}" lower)
  if(NOT lower IN_LIST system_dlls AND NOT lower MATCHES "^api-ms-win-")
    message(FATAL_ERROR "${DLL} needs ${name}, which is not part of Windows")
  endif()
  message(STATUS "imports ${name}")
endforeach()
message(STATUS "${DLL} exports only Main")
