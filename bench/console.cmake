# SPDX-License-Identifier: GPL-3.0-or-later
# The console as a whole: decoding, one display tick with its repaints, start-up.
add_executable(console-running-cost ${CMAKE_CURRENT_LIST_DIR}/running_cost_driver.cpp)
target_link_libraries(console-running-cost PRIVATE console_forms platform_font_setup Qt6::Widgets)

add_executable(bench_console ${CMAKE_CURRENT_LIST_DIR}/bench_console.cpp)
target_link_libraries(bench_console PRIVATE console_forms bench_support benchmark::benchmark Qt6::Widgets)
target_compile_definitions(bench_console PRIVATE RUNNING_COST_DRIVER="$<TARGET_FILE:console-running-cost>")
add_dependencies(bench_console console-running-cost)

# Resident memory of the diagnostics window's traffic history over hours of polling.
add_executable(traffic-history-memory ${CMAKE_CURRENT_LIST_DIR}/traffic_history_memory.cpp)
target_link_libraries(traffic-history-memory PRIVATE console_forms Qt6::Widgets)
