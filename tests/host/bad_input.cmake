# `lumvet-host fly` on bad route and key files: exit status 2, one message
# naming the file, the line and what was expected, and no output files.
set(dir ${WORK}/bad-input)
file(REMOVE_RECURSE ${dir})
file(MAKE_DIRECTORY ${dir})
file(WRITE ${dir}/good-route.txt "0 0 0 100\n10 100 0 100\n")
file(WRITE ${dir}/backwards.txt "0 0 0 100\n10 100 0 100\n5 0 0 0\n")
file(WRITE ${dir}/empty.txt "# nothing\n")
file(WRITE ${dir}/unknown-key.txt "1 up\n2 zoom-sideways\n")
file(WRITE ${dir}/bad-number.txt "0 0 0 1e\n")
set(cases
  "--route|backwards.txt|backwards.txt:3: expected a time after the previous waypoint's, got 5"
  "--route|empty.txt|empty.txt: expected at least one waypoint, found none"
  "--route|missing.txt|missing.txt: cannot read the file"
  "--route|bad-number.txt|bad-number.txt:1: expected a number for Z, got '1e'"
  "--keys|unknown-key.txt|unknown-key.txt:2: expected a key code or one of")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 option)
  list(GET fields 1 file)
  list(GET fields 2 message)
  file(REMOVE_RECURSE ${dir}/out)
  set(route_args)
  if(option STREQUAL "--keys")
    set(route_args --route good-route.txt)
  endif()
  execute_process(COMMAND ${EMULATOR} ${HOST} fly ${PLUGIN} ${route_args} ${option} ${file} --out out
                  WORKING_DIRECTORY ${dir} RESULT_VARIABLE status ERROR_VARIABLE err OUTPUT_VARIABLE out)
  string(FIND "${err}" "${message}" at)
  if(NOT status EQUAL 2 OR at EQUAL -1)
    message(FATAL_ERROR "${file}: exit ${status}, message '${err}', expected '${message}'")
  endif()
  if(EXISTS ${dir}/out/frames.csv OR EXISTS ${dir}/out/flight.svg)
    message(FATAL_ERROR "${file}: output files written")
  endif()
endforeach()
