# SPDX-License-Identifier: GPL-3.0-or-later
# Paint cost of the indicator widgets at the console's sizes.
add_executable(bench_indicators ${CMAKE_CURRENT_LIST_DIR}/bench_indicators.cpp)
target_link_libraries(bench_indicators PRIVATE widgets_indicators bench_support benchmark::benchmark Qt6::Widgets)
