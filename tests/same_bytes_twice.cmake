# Builds Lumvet.dll again in a build tree of its own, at another path, and
# requires the very bytes of the first build: no timestamp, no build path.
# Expects SOURCE, TREE, TOOLCHAIN, BUILD_TYPE and FIRST (the first build's DLL).
file(REMOVE_RECURSE ${TREE})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${TREE} -G "Unix Makefiles"
                        -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
                        -DLUMVET_TESTS=OFF
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "configuring ${TREE} failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${TREE} --target Lumvet -j 2
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "building ${TREE} failed")
endif()
get_filename_component(name ${FIRST} NAME)
file(SHA256 ${FIRST} first)
file(SHA256 ${TREE}/${name} second)
message(STATUS "${name}: ${first} in both builds")
if(NOT first STREQUAL second)
  message(FATAL_ERROR "${name} differs between two builds: ${first} and ${second}")
endif()
