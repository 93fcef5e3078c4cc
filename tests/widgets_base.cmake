# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of the widget foundation, and the shared widget test support library.
set(_wt ${CMAKE_CURRENT_LIST_DIR})
add_library(widget_test_support STATIC ${_wt}/widget_test_support.h ${_wt}/widget_test_support.cpp)
target_link_libraries(widget_test_support PUBLIC widgets_base Qt6::Widgets)

console_test(NAME test_canvas SOURCES ${_wt}/test_canvas.cpp LIBS widget_test_support QT)
console_test(NAME test_drawing_helpers SOURCES ${_wt}/test_drawing_helpers.cpp LIBS widget_test_support QT)
console_test(NAME test_component SOURCES ${_wt}/test_component.cpp ${_wt}/test_property_file.cpp
             LIBS widget_test_support QT)
console_test(NAME test_position_component SOURCES ${_wt}/test_position_component.cpp LIBS widget_test_support QT)
console_test(NAME test_scale_component SOURCES ${_wt}/test_scale_component.cpp LIBS widget_test_support QT)
