# The canvas layer on QPainter: colours, fonts, pens and brushes, bitmaps, canvas.
add_library(platform_canvas STATIC
  geometry.h colors.h colors.cpp fonts.h fonts.cpp pen_brush.h text_format.h
  canvas.h canvas.cpp canvas_text.cpp bitmap.h bitmap.cpp canvas_layer.h)
target_link_libraries(platform_canvas PUBLIC Qt6::Gui Qt6::Widgets)
