# SPDX-License-Identifier: GPL-3.0-or-later
add_executable(bench_dials ${CMAKE_CURRENT_LIST_DIR}/bench_dials.cpp)
target_link_libraries(bench_dials PRIVATE widgets_dials bench_support benchmark::benchmark Qt6::Widgets)
