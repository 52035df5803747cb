# Runs a scenario that must fail and checks that cadhost exits with 1 and says why.
# The scenario's first line reads "# fails with: TEXT".
file(STRINGS ${SCENARIO} first LIMIT_COUNT 1)
string(REGEX REPLACE "^# fails with: " "" expected "${first}")
execute_process(COMMAND ${CADHOST} --scenario ${SCENARIO}
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 1)
  message(FATAL_ERROR "cadhost exited with ${result}, expected 1\n${out}\n${err}")
endif()
string(FIND "${err}" "${expected}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the failure message lacks \"${expected}\":\n${err}")
endif()
