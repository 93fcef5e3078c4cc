# SPDX-License-Identifier: GPL-3.0-or-later
# Shared pieces of the Qt benchmark programs: offscreen start, ratio reporting.
add_library(bench_support STATIC ${CMAKE_CURRENT_LIST_DIR}/bench_support.cpp)
target_link_libraries(bench_support PUBLIC benchmark::benchmark Qt6::Widgets)
