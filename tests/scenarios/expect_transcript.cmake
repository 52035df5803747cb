# Runs a scenario that must pass and checks that its transcript holds the lines the scenario
# names in lines of the form "# transcript: LINE", whole and in that order.
file(STRINGS ${SCENARIO} wanted REGEX "^# transcript: ")
execute_process(COMMAND ${CADHOST} --scenario ${SCENARIO}
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cadhost exited with ${result}\n${out}\n${err}")
endif()
set(rest "\n${out}")
foreach(line IN LISTS wanted)
  string(REGEX REPLACE "^# transcript: " "" line "${line}")
  string(FIND "${rest}" "\n${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the transcript lacks, at this point, the line \"${line}\":\n${out}")
  endif()
  string(LENGTH "\n${line}" skip)
  math(EXPR from "${at} + ${skip}")
  string(SUBSTRING "${rest}" ${from} -1 rest)
endforeach()
