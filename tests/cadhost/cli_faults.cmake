# cadhost's command line: faults name the option or the file that caused them, and a save that
# is refused leaves the old file as it was.
set(dir ${WORK_DIR}/cli_faults)
file(REMOVE_RECURSE ${dir})
file(MAKE_DIRECTORY ${dir})

function(expect_failure code expected)
  execute_process(COMMAND ${CADHOST} ${ARGN}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL code)
    message(FATAL_ERROR "cadhost ${ARGN} exited with ${result}, expected ${code}\n${out}\n${err}")
  endif()
  string(FIND "${err}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "cadhost ${ARGN}: the message lacks \"${expected}\":\n${err}")
  endif()
  set(last_error "${err}" PARENT_SCOPE)
endfunction()

# A scenario without a single step is a mistake, not a pass.
file(WRITE ${dir}/empty.scn "# nothing but a comment\n\n")
expect_failure(2 "the scenario holds no steps" --scenario ${dir}/empty.scn)

# A drawing of the command line that cannot be read is blamed on the option, not on the
# scenario's own drawing line.
expect_failure(1 "the command line's --drawing: ${dir}/missing.json: does not exist"
  --scenario ${SCENARIO} --drawing ${dir}/missing.json)
string(FIND "${last_error}" "line " at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "the --drawing failure names a scenario line:\n${last_error}")
endif()

# A read-only file is not replaced by --save, whoever runs the host.
file(WRITE ${dir}/readonly.json "old drawing")
file(CHMOD ${dir}/readonly.json PERMISSIONS OWNER_READ GROUP_READ)
expect_failure(1 "the command line's --save: ${dir}/readonly.json: cannot be saved: the file is read-only"
  --scenario ${SCENARIO} --save ${dir}/readonly.json)
file(READ ${dir}/readonly.json kept)
if(NOT kept STREQUAL "old drawing")
  message(FATAL_ERROR "the read-only file was changed:\n${kept}")
endif()
file(REMOVE_RECURSE ${dir})
