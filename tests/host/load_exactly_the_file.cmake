# `lumvet-host check PLUGIN` loads exactly the file named. The real plug-in
# sits beside a copy of the host, as in dist/; a faulty plug-in with the same
# file name sits in the current folder, and `check NAME` must check that one.
# Files that cannot be checked give one line and exit status 2.
# Expects HOST, PLUGIN, FAULTY, NOT_A_PLUGIN, WORK and EMULATOR (may be empty).
set(dist ${WORK}/exact/dist)
set(here ${WORK}/exact/here)
file(REMOVE_RECURSE ${WORK}/exact)
file(MAKE_DIRECTORY ${dist} ${here})
get_filename_component(host_name ${HOST} NAME)
get_filename_component(plugin_name ${PLUGIN} NAME)
file(COPY ${HOST} ${PLUGIN} DESTINATION ${dist})
file(COPY_FILE ${FAULTY} ${here}/${plugin_name})
file(COPY_FILE ${NOT_A_PLUGIN} ${here}/not-a-plugin${CMAKE_SHARED_MODULE_SUFFIX})
file(WRITE ${here}/notes.txt "not a module\n")

function(run_check file)
  execute_process(COMMAND ${EMULATOR} ${dist}/${host_name} check ${file} --filter information-record
                  WORKING_DIRECTORY ${here} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REPLACE "\r" "" out "${out}")
  string(REPLACE "\r" "" err "${err}")
  set(status ${status} PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

run_check(${plugin_name})
string(REGEX MATCH "^[^\n]*" first "${out}")
if(NOT status EQUAL 1 OR NOT out MATCHES "FAIL information-record")
  message(FATAL_ERROR "the plug-in in the current folder was not the one checked (exit ${status}):\n${out}${err}")
endif()
if(NOT first MATCHES "^loaded .*here[/\\\\]${plugin_name} \\(.+\\)$")
  message(FATAL_ERROR "first line does not name the module loaded: '${first}'")
endif()
message(STATUS "${first}")

# file | what the one line must say
set(cases
  "missing${CMAKE_SHARED_MODULE_SUFFIX}|no such file"
  "notes.txt|not a loadable module"
  "not-a-plugin${CMAKE_SHARED_MODULE_SUFFIX}|does not export the entry points DLLGetSDKVersion, DLLInitPrivate, DLLGetReferenceNumber, DLLInit, DLLKill")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 file)
  list(GET fields 1 message)
  run_check(${file})
  string(FIND "${err}" "${message}" at)
  string(REGEX MATCHALL "\n" lines "${err}")
  list(LENGTH lines line_count)
  if(NOT status EQUAL 2 OR at EQUAL -1 OR NOT line_count EQUAL 1 OR out MATCHES "PASS|FAIL")
    message(FATAL_ERROR "${file}: exit ${status}, output '${out}', message '${err}', expected one line with '${message}'")
  endif()
endforeach()
