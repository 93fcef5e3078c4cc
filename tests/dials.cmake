# SPDX-License-Identifier: GPL-3.0-or-later
console_test(NAME test_knob
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_knob.cpp
  LIBS widgets_dials widget_test_support QT)
console_test(NAME test_thermometer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_thermometer.cpp
  LIBS widgets_dials widget_test_support QT)
