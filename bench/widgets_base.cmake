# SPDX-License-Identifier: GPL-3.0-or-later
# Paint cost of a scaled widget with and without the cached static layer.
add_executable(bench_widgets_base ${CMAKE_CURRENT_LIST_DIR}/bench_widgets_base.cpp)
target_link_libraries(bench_widgets_base PRIVATE widgets_base bench_support benchmark::benchmark Qt6::Widgets)
