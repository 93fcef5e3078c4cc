# SPDX-License-Identifier: GPL-3.0-or-later
# A bare Qt window with the console's kind of workload (40 antialiased custom widgets,
# 10 repainted twice a second, one serial poll a second), measured next to the console.
# It links Qt alone so that its cost is Qt's own.
add_executable(reference-window ${CMAKE_CURRENT_LIST_DIR}/reference_window.cpp)
target_link_libraries(reference-window PRIVATE Qt6::Widgets)
