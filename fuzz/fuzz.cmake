# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzz targets for the inputs that come from outside: hex text, operator-typed numbers,
# serial blocks and widget property files. Each links libFuzzer's main.
function(console_fuzz_target name)
  add_executable(${name} ${ARGN})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()

console_fuzz_target(fuzz_hex_text_to_bytes ${CMAKE_CURRENT_LIST_DIR}/hex_text_to_bytes.cpp)
target_link_libraries(fuzz_hex_text_to_bytes PRIVATE device)

console_fuzz_target(fuzz_lenient_str_to_int ${CMAKE_CURRENT_LIST_DIR}/lenient_str_to_int.cpp)
target_link_libraries(fuzz_lenient_str_to_int PRIVATE device)

console_fuzz_target(fuzz_receive_handler ${CMAKE_CURRENT_LIST_DIR}/receive_handler.cpp)
target_link_libraries(fuzz_receive_handler PRIVATE device)

console_fuzz_target(fuzz_load_properties ${CMAKE_CURRENT_LIST_DIR}/load_properties.cpp)
target_link_libraries(fuzz_load_properties PRIVATE widgets_dials widgets_indicators widgets_edit Qt6::Widgets)

add_custom_target(fuzz_targets DEPENDS fuzz_hex_text_to_bytes fuzz_lenient_str_to_int
                                       fuzz_receive_handler fuzz_load_properties)
