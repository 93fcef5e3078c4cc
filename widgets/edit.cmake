# SPDX-License-Identifier: GPL-3.0-or-later
# Numeric edit: a single-line editor drawn on the widget canvas and the numeric
# field built on it. The text model is a library of its own (no painting, no
# widgets) so it is tested without a window.
add_library(widgets_edit_model STATIC
  ${CMAKE_CURRENT_LIST_DIR}/edit_buffer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edit_visible_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/analog_output_text.cpp
)
target_link_libraries(widgets_edit_model PUBLIC Qt6::Core)

add_library(widgets_edit STATIC
  ${CMAKE_CURRENT_LIST_DIR}/edit_custom.h
  ${CMAKE_CURRENT_LIST_DIR}/edit_custom.cpp
  ${CMAKE_CURRENT_LIST_DIR}/analog_output.h
  ${CMAKE_CURRENT_LIST_DIR}/analog_output.cpp
)
target_link_libraries(widgets_edit PUBLIC widgets_edit_model widgets_base Qt6::Widgets)
