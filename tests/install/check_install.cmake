# Installs the built project into a scratch prefix, then configures, builds and runs a
# separate host project against it with find_package(Vestra CONFIG REQUIRED).
set(prefix ${BINARY_DIR}/install-check/prefix)
set(host_build ${BINARY_DIR}/install-check/host)
file(REMOVE_RECURSE ${BINARY_DIR}/install-check)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${prefix}
    RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "install failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/install/host -B ${host_build} -G Ninja
        -DCMAKE_PREFIX_PATH=${prefix} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "host configure failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${host_build} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "host build failed")
endif()
execute_process(COMMAND ${host_build}/vestra_host RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message("${out}${err}")
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "host program failed with ${rc}")
endif()
