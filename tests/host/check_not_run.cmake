# A check whose process cannot be started is tried once more, then the run
# stops with exit status 2: it is neither reported as the plug-in's FAIL nor
# counted as passed. The internal --self option points the host at a program
# that does not exist, so every start fails.
execute_process(COMMAND ${EMULATOR} ${HOST} check ${PLUGIN} --self no-such-program.exe
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REPLACE "\r" "" out "${out}")
message(STATUS "${out}")
if(NOT status EQUAL 2 OR out MATCHES "FAIL|PASS" OR
   NOT out MATCHES "NOT RUN entry-points: cannot start its process \\(error [0-9]+\\)\n0 passed, 0 failed; stopped")
  message(FATAL_ERROR "exit ${status}; expected 2, a NOT RUN line and the run stopped")
endif()
