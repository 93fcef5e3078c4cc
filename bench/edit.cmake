# SPDX-License-Identifier: GPL-3.0-or-later
add_executable(bench_edit ${CMAKE_CURRENT_LIST_DIR}/bench_edit.cpp)
target_link_libraries(bench_edit PRIVATE widgets_edit bench_support benchmark::benchmark Qt6::Widgets)
