# SPDX-License-Identifier: GPL-3.0-or-later
# The instrument widget foundation: drawing helpers, component base, update
# object, clock, property file, position model and scale.
set(_wb ${CMAKE_CURRENT_LIST_DIR})
add_library(widgets_base STATIC
  ${_wb}/types.h ${_wb}/clock.h ${_wb}/clock.cpp
  ${_wb}/drawing_helpers.h ${_wb}/drawing_helpers.cpp ${_wb}/nice_numbers.cpp
  ${_wb}/update_object.h ${_wb}/update_object.cpp
  ${_wb}/component.h ${_wb}/component.cpp ${_wb}/component_input.cpp ${_wb}/vcl_component.cpp
  ${_wb}/property_access.h ${_wb}/property_access.cpp ${_wb}/property_file.cpp
  ${_wb}/gauge_pointer.h ${_wb}/gauge_pointer.cpp
  ${_wb}/position_component.h ${_wb}/position_component.cpp
  ${_wb}/scale_object.h ${_wb}/scale_object.cpp ${_wb}/scale_component.h ${_wb}/scale_component.cpp)
target_link_libraries(widgets_base PUBLIC platform_canvas Qt6::Widgets)
