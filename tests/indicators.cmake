# SPDX-License-Identifier: GPL-3.0-or-later
# Lamps, run/stop switch, LED bar, label and numeric display.
find_package(Qt6 REQUIRED COMPONENTS Test)

console_test(NAME test_led QT
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_led.cpp ${CMAKE_CURRENT_LIST_DIR}/indicator_test_helpers.h
  LIBS widgets_indicators widget_test_support)
console_test(NAME test_switch_led QT
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_switch_led.cpp ${CMAKE_CURRENT_LIST_DIR}/indicator_test_helpers.h
  LIBS widgets_indicators widget_test_support Qt6::Test)
console_test(NAME test_led_bar QT
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_led_bar.cpp ${CMAKE_CURRENT_LIST_DIR}/indicator_test_helpers.h
  LIBS widgets_indicators widget_test_support)
console_test(NAME test_label QT
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_label.cpp ${CMAKE_CURRENT_LIST_DIR}/indicator_test_helpers.h
  LIBS widgets_indicators widget_test_support Qt6::Test)
console_test(NAME test_analog_display QT
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_analog_display.cpp ${CMAKE_CURRENT_LIST_DIR}/indicator_test_helpers.h
  LIBS widgets_indicators widget_test_support)
