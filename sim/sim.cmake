# SPDX-License-Identifier: GPL-3.0-or-later
# Soft-starter simulator: model and Modbus slave logic, the executable, and a helper
# that runs the executable from tests and scripts.
add_library(sim_core STATIC
  softstarter_model.cpp
  modbus_slave.cpp
  rtu_framer.cpp
  fault_injector.cpp
  reply_schedule.cpp
  sim_options.cpp
  pseudo_terminal.cpp
  simulator_loop.cpp
  expected_line.cpp)
target_link_libraries(sim_core PUBLIC device)

add_executable(softstarter-sim main.cpp)
target_link_libraries(softstarter-sim PRIVATE sim_core)

add_library(sim_process STATIC sim_process.cpp)
# Where the build put the simulator, so that test programs in any folder find it.
target_compile_definitions(sim_process PRIVATE SOFTSTARTER_SIM_BUILT_AT="$<TARGET_FILE:softstarter-sim>")

# The Debian package (packaging/) installs the component "console".
install(TARGETS softstarter-sim COMPONENT console)
