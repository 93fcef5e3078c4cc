# SPDX-License-Identifier: GPL-3.0-or-later
# Lamps, the run/stop switch, the LED bar, the label and the numeric display.
add_library(widgets_indicators STATIC
  enum_range.h led.h led.cpp led_round.h led_round.cpp
  switch_led.h switch_led.cpp
  progress_component.h progress_component.cpp led_bar.h led_bar.cpp
  label.h label.cpp
  analog_display.h analog_display.cpp)
target_link_libraries(widgets_indicators PUBLIC widgets_base)
