# SPDX-License-Identifier: GPL-3.0-or-later
console_test(NAME test_edit_buffer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_edit_buffer.cpp
          ${CMAKE_CURRENT_LIST_DIR}/test_edit_visible_window.cpp
          ${CMAKE_CURRENT_LIST_DIR}/test_analog_output_text.cpp
  LIBS widgets_edit_model)

console_test(NAME test_edit_custom QT
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_edit_custom.cpp ${CMAKE_CURRENT_LIST_DIR}/edit_test_helpers.h
  LIBS widgets_edit widget_test_support)

console_test(NAME test_analog_output QT
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_analog_output.cpp ${CMAKE_CURRENT_LIST_DIR}/edit_test_helpers.h
  LIBS widgets_edit widget_test_support)
