# The C entries of tarvex.dll under the same names on 32-bit Windows as on
# 64-bit, without the @bytes of __stdcall (only _ISETXS@8 carries it, as a
# name of its own); and the C program built against the import library
# asks for exactly those names.
#   cmake -DOBJDUMP=... -DDLL=tarvex.dll -DCALLER=c_caller.exe -P windows_exports.cmake
cmake_minimum_required(VERSION 3.25)

function(objdump file result)
  execute_process(COMMAND "${OBJDUMP}" -p "${file}" OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "objdump cannot read ${file}")
  endif()
  set(${result} "${listing}" PARENT_SCOPE)
endfunction()

# The listing from the first line holding marker on; failure is the message
# when there is none.
function(listing_from listing marker failure result)
  string(FIND "${listing}" "${marker}" start)
  if(start LESS 0)
    message(FATAL_ERROR "${failure}")
  endif()
  string(SUBSTRING "${listing}" ${start} -1 rest)
  set(${result} "${rest}" PARENT_SCOPE)
endfunction()

# The exported names: "\t[   0] INORM" lines of the name table, C++ names
# left out.
objdump("${DLL}" listing)
listing_from("${listing}" "[Ordinal/Name Pointer] Table" "${DLL} exports nothing" listing)
string(REGEX MATCHALL "\t\\[ *[0-9]+\\] [^\n]+" lines "${listing}")
set(entries)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^.*\\] " "" name "${line}")
  if(NOT name MATCHES "^_Z")
    list(APPEND entries "${name}")
  endif()
endforeach()
set(expected INORM ISETXS _ISETXS@8 tarvex_convert tarvex_naca tarvex_remove_temporary_files)
if(NOT entries STREQUAL expected)
  message(FATAL_ERROR "tarvex.dll exports ${entries}; expected ${expected}")
endif()

# The names the C program imports from it: the lines after "DLL Name:
# tarvex.dll" and its heading, up to an empty line.
get_filename_component(library "${DLL}" NAME)
objdump("${CALLER}" listing)
listing_from("${listing}" "DLL Name: ${library}" "the C program imports nothing from ${library}"
             listing)
string(FIND "${listing}" "\n\n" end)
string(SUBSTRING "${listing}" 0 ${end} listing)
string(REGEX MATCHALL "\n\t[0-9a-f]+\t +[0-9]+ +[^\n]+" lines "${listing}")
set(imported)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^.* " "" name "${line}")
  list(APPEND imported "${name}")
endforeach()
if(NOT imported STREQUAL "tarvex_convert")
  message(FATAL_ERROR "the C program imports ${imported} from ${library}; expected tarvex_convert")
endif()
message(STATUS "${library} exports ${entries}; the C program imports ${imported}")
