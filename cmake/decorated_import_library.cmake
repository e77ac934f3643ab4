# Makes the import library of a 32-bit DLL whose __stdcall entries are
# exported without their decoration (INORM, not INORM@68): from the
# linker's list of exports, each entry exported as "name = name@bytes" is
# given as name@bytes, which dlltool -k imports under the plain name.
# Aliases that carry a decoration themselves (_ISETXS@8) are for programs
# that load the library by name and are left out.
#   cmake -DDLLTOOL=... -DEXPORTS=exports.def -DLIBRARY=libx.dll.a -DDLL=x.dll -P decorated_import_library.cmake
file(STRINGS "${EXPORTS}" lines)
set(definition "LIBRARY \"${DLL}\"\nEXPORTS\n")
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]+[^ \t]*@[0-9]+ = ")
    continue()
  elseif(line MATCHES "^[ \t]+[A-Za-z_][A-Za-z_0-9]* = ([^ \t]+@[0-9]+)(.*)$")
    string(APPEND definition "    ${CMAKE_MATCH_1}${CMAKE_MATCH_2}\n")
  elseif(line MATCHES "^[ \t]")
    string(APPEND definition "${line}\n")
  endif()
endforeach()
get_filename_component(folder "${EXPORTS}" DIRECTORY)
file(WRITE "${folder}/tarvex-import.def" "${definition}")
execute_process(COMMAND "${DLLTOOL}" -k -d "${folder}/tarvex-import.def" -D "${DLL}" -l "${LIBRARY}"
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "dlltool could not make ${LIBRARY}")
endif()
