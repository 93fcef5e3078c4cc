# SPDX-License-Identifier: GPL-3.0-or-later
# Reliability of the device link end to end, and the soak driver.
console_test(NAME test_console_faults SOURCES test_console_faults.cpp
             LIBS console_forms sim_process sim_core QT THREADING)
if(TARGET test_console_faults)
  add_dependencies(test_console_faults softstarter-sim)   # the test runs the simulator
endif()

# The soak driver (run by scripts/soak, not by the test suite: it runs for minutes).
if(NOT CONSOLE_SANITIZER STREQUAL "thread")
  add_executable(soak-console soak_console.cpp)
  target_link_libraries(soak-console PRIVATE console_forms sim_process sim_core)
  add_dependencies(soak-console softstarter-sim)
endif()

# Combined faults end to end for more than a minute (not under ThreadSanitizer: the
# serial threads are covered by test_console_faults there, and this one is long).
console_test(NAME test_console_mixed_faults SOURCES test_console_mixed_faults.cpp
             LIBS console_forms sim_process sim_core QT)
if(TARGET test_console_mixed_faults)
  add_dependencies(test_console_mixed_faults softstarter-sim)
endif()
