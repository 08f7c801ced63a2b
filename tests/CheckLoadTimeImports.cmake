# Fails when a program imports, at load time, a library that it is meant to load on the
# first call (the delay-import libraries of cmake/delayload/): a function missing from a
# .def file there is silently taken from the ordinary import library instead.
#   cmake -DOBJDUMP=... -DPROGRAMS="a.exe;b.exe" -DLATE="shell32;comdlg32;ole32" -P CheckLoadTimeImports.cmake
foreach(program IN LISTS PROGRAMS)
  execute_process(COMMAND ${OBJDUMP} -p ${program} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${OBJDUMP} cannot read ${program}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" names "${dump}")
  string(TOLOWER "${names}" names)
  list(LENGTH names count)
  if(count EQUAL 0)
    message(FATAL_ERROR "${program}: no import table found")
  endif()
  foreach(dll IN LISTS LATE)
    string(TOLOWER "dll name: ${dll}.dll" entry)
    list(FIND names "${entry}" found)
    if(NOT found EQUAL -1)
      message(FATAL_ERROR "${program} loads ${dll}.dll at start-up; add the functions it calls to cmake/delayload/${dll}.def")
    endif()
  endforeach()
  message(STATUS "${program}: ${count} load-time imports, none of ${LATE}")
endforeach()
