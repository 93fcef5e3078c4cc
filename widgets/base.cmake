# The instrument widget foundation: drawing helpers, component base, update
# object, clock, property file, position model and scale.
add_library(widgets_base STATIC
  types.h clock.h clock.cpp
  drawing_helpers.h drawing_helpers.cpp nice_numbers.cpp
  update_object.h update_object.cpp
  component.h component.cpp component_input.cpp vcl_component.cpp
  property_access.h property_access.cpp property_file.cpp
  gauge_pointer.h gauge_pointer.cpp
  position_component.h position_component.cpp
  scale_object.h scale_object.cpp scale_component.h scale_component.cpp)
target_link_libraries(widgets_base PUBLIC platform_canvas Qt6::Widgets)
