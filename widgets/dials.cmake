# SPDX-License-Identifier: GPL-3.0-or-later
# Knob and thermometer widgets.
set(_wd ${CMAKE_CURRENT_LIST_DIR})
add_library(widgets_dials STATIC
  ${_wd}/knob.h ${_wd}/knob.cpp ${_wd}/knob_input.cpp ${_wd}/knob_painting.cpp
  ${_wd}/thermometer.h ${_wd}/thermometer.cpp ${_wd}/thermometer_input.cpp ${_wd}/thermometer_painting.cpp)
target_link_libraries(widgets_dials PUBLIC widgets_base)
