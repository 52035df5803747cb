# cadhost --drawing FILE --save FILE: the scenario runs on the given drawing instead of its
# own, and the drawing with the attributes the macro saved is written to the new file.
set(out ${WORK_DIR}/cli_saved.json)
file(REMOVE ${out})
execute_process(COMMAND ${CADHOST} --scenario ${SCENARIO} --drawing ${DRAWING} --save ${out}
  RESULT_VARIABLE result OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cadhost exited with ${result}\n${stdout}\n${stderr}")
endif()
file(READ ${out} saved)
foreach(expected "\"Tür 1\"" "\"SearchStr\"" "\"door\"")
  string(FIND "${saved}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the saved drawing lacks ${expected}:\n${saved}")
  endif()
endforeach()
