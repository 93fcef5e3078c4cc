# SPDX-License-Identifier: GPL-3.0-or-later
# The console's Song face: the installed CJK font cut down to the characters of the
# console's captions and messages (every character outside ASCII in app/ and its folders), carried in the
# program. Needs fontTools (Debian python3-fonttools) and the WenQuanYi Micro Hei font.
find_program(CONSOLE_FONT_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
find_program(CONSOLE_FONT_PYTHON python3)
execute_process(COMMAND ${CONSOLE_FONT_PYTHON} -c "import fontTools" RESULT_VARIABLE _font_tools_missing
                OUTPUT_QUIET ERROR_QUIET)
if(_font_tools_missing)
  message(FATAL_ERROR "${CONSOLE_FONT_PYTHON} cannot import fontTools: install python3-fonttools (scripts/install-deps)")
endif()
find_file(CONSOLE_CJK_FONT wqy-microhei.ttc PATHS /usr/share/fonts/truetype/wqy REQUIRED)
file(GLOB_RECURSE _console_text_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
set(_song_face_data ${CMAKE_CURRENT_BINARY_DIR}/console_song_face_data.cpp)
add_custom_command(
  OUTPUT ${_song_face_data}
  COMMAND ${CONSOLE_FONT_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/console_song_face.py
          --font ${CONSOLE_CJK_FONT} --family "Console Song" --symbol kConsoleSongFace
          --out ${_song_face_data} ${_console_text_sources}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/console_song_face.py ${_console_text_sources}
  COMMENT "Cutting the console's Song face from ${CONSOLE_CJK_FONT}"
  VERBATIM)

# The console's windows, as a library so tests drive them without the program entry.
add_library(console_forms STATIC
  console_song_face.cpp ${_song_face_data}
  combo_current_item.cpp
  console_look.cpp
  form1_instruments.cpp
  form1_accessible_names.cpp
  up_down_arrows.cpp
  form1.cpp
  form2.cpp
  extra_windows_menu.cpp
  console_extras.cpp
  frame_format.cpp
  lamp_images.cpp
  caption_room.cpp
  console_language.cpp

  diagnostics/port_open_reason.cpp
  diagnostics/traffic_entry.cpp
  diagnostics/traffic_log.cpp
  diagnostics/traffic_recorder.cpp
  diagnostics/traffic_text.cpp
  diagnostics/link_statistics.cpp
  diagnostics/statistics_panel.cpp
  diagnostics/diagnostics_session.cpp
  diagnostics/diagnostics_window.cpp
  diagnostics/port_takeover.cpp
  diagnostics/station_scan_runner.cpp
  diagnostics/scan_window.cpp)
target_link_libraries(console_forms PUBLIC device serial platform_port_list widgets_indicators widgets_dials widgets_edit
                      widgets_accessibility Qt6::Widgets)

# The English translation (Debian qt6-l10n-tools and qt6-tools-dev). The texts are written
# in Chinese in the sources; app/translations/console_en.ts holds their English and is
# committed. The build makes console_en.qm from it and carries it in the program as the
# resource :/i18n/console_en.qm. The target update_translations (scripts/update-translations)
# refreshes the .ts from every source file under app/, the same files the Song face is cut for.
set(CONSOLE_TS_FILES ${CMAKE_CURRENT_SOURCE_DIR}/translations/console_en.ts)
qt_add_translations(console_forms
  TS_FILES ${CONSOLE_TS_FILES}
  SOURCES ${_console_text_sources}
  LUPDATE_OPTIONS -source-language zh_CN -locations none -no-obsolete
  LRELEASE_OPTIONS -silent)

add_executable(softstarter-console main.cpp quit_on_signals.cpp)
target_link_libraries(softstarter-console PRIVATE console_forms platform_font_setup)

add_executable(console-screenshot screenshot_main.cpp)
target_link_libraries(console-screenshot PRIVATE console_forms)

# The Debian package (packaging/) installs the component "console".
install(TARGETS softstarter-console COMPONENT console)
