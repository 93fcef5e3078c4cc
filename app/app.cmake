# The console's windows, as a library so tests drive them without the program entry.
add_library(console_forms STATIC
  console_look.cpp
  form1_instruments.cpp
  up_down_arrows.cpp
  form1.cpp
  form2.cpp
  frame_format.cpp
  lamp_images.cpp)
target_link_libraries(console_forms PUBLIC device serial platform_port_list widgets_indicators widgets_dials widgets_edit Qt6::Widgets)

add_executable(softstarter-console main.cpp)
target_link_libraries(softstarter-console PRIVATE console_forms)

add_executable(console-screenshot screenshot_main.cpp)
target_link_libraries(console-screenshot PRIVATE console_forms)
