# SPDX-License-Identifier: GPL-3.0-or-later
# Modbus RTU master and soft-starter simulator tests.
console_test(NAME test_frame_codec SOURCES test_frame_codec.cpp LIBS device)
console_test(NAME test_device_link SOURCES test_device_link.cpp LIBS device)
console_test(NAME test_softstarter_model SOURCES test_softstarter_model.cpp LIBS sim_core)
console_test(NAME test_softstarter_sim SOURCES test_softstarter_sim.cpp LIBS sim_process device)
if(TARGET test_softstarter_sim)
  add_dependencies(test_softstarter_sim softstarter-sim)   # the test runs the executable
endif()
console_test(NAME test_link_observer SOURCES test_link_observer.cpp LIBS device)
