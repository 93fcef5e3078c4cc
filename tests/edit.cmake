console_test(NAME test_edit_buffer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_edit_buffer.cpp
          ${CMAKE_CURRENT_LIST_DIR}/test_edit_visible_window.cpp
          ${CMAKE_CURRENT_LIST_DIR}/test_analog_output_text.cpp
  LIBS widgets_edit_model)
