# SPDX-License-Identifier: GPL-3.0-or-later
# The canvas layer on QPainter: colours, fonts, pens and brushes, bitmaps, canvas.
set(_canvas_dir ${CMAKE_CURRENT_LIST_DIR})
add_library(platform_canvas STATIC
  ${_canvas_dir}/geometry.h ${_canvas_dir}/colors.h ${_canvas_dir}/colors.cpp
  ${_canvas_dir}/fonts.h ${_canvas_dir}/fonts.cpp ${_canvas_dir}/song_face.h ${_canvas_dir}/song_face.cpp ${_canvas_dir}/pen_brush.h ${_canvas_dir}/text_format.h
  ${_canvas_dir}/canvas.h ${_canvas_dir}/canvas.cpp ${_canvas_dir}/canvas_text.cpp
  ${_canvas_dir}/bitmap.h ${_canvas_dir}/bitmap.cpp ${_canvas_dir}/canvas_layer.h)
target_link_libraries(platform_canvas PUBLIC Qt6::Gui Qt6::Widgets)
# The font configuration read on a thread of its own during start-up.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
add_library(platform_font_setup STATIC ${_canvas_dir}/font_setup_in_background.h ${_canvas_dir}/font_setup_in_background.cpp)
target_link_libraries(platform_font_setup PUBLIC PkgConfig::FONTCONFIG Threads::Threads)
