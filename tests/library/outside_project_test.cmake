# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -P outside_project_test.cmake with -D BUILD_DIR= SOURCE_DIR= WORK_DIR= [LAUNCHER=] [GENERATOR=]
# Installs the build's "development" component into a fresh prefix under WORK_DIR,
# configures and builds tests/library/outside_project against it and runs it.
foreach(var BUILD_DIR SOURCE_DIR WORK_DIR)
  if(NOT ${var})
    message(FATAL_ERROR "${var} not given")
  endif()
endforeach()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed (${result}): ${ARGN}\n${out}\n${err}")
  endif()
  message("${out}")
endfunction()

set(prefix ${WORK_DIR}/prefix)
set(build ${WORK_DIR}/build)
file(REMOVE_RECURSE ${prefix} ${build})

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component development)
# Only the package: no program, no file of the console's component.
if(EXISTS ${prefix}/bin)
  message(FATAL_ERROR "the development component installed programs: ${prefix}/bin")
endif()

set(configure ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/library/outside_project -B ${build}
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release
    -DTANK_GAUGE_DIR=${SOURCE_DIR}/examples/tank_gauge)
if(GENERATOR)
  list(APPEND configure -G ${GENERATOR})
endif()
if(LAUNCHER)
  list(APPEND configure -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()
run(${configure})
run(${CMAKE_COMMAND} --build ${build} -j 2)
set(ENV{QT_QPA_PLATFORM} offscreen)
run(${build}/outside_panel)
