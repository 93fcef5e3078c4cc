# SPDX-License-Identifier: GPL-3.0-or-later
# The trend window and motor start records (app/trend/): the plain logic (history, start
# records, CSV) and the chart window on Qt Charts (GPL-3.0, see the README's licences).
# Debian's qt6-charts-dev needs libqt6opengl6-dev for its CMake files but does not depend on it
# (scripts/install-deps installs both).
find_package(Qt6 REQUIRED COMPONENTS Charts)
add_library(console_trend STATIC
  trend/trend_history.cpp
  trend/start_record.cpp
  trend/start_recorder.cpp
  trend/wall_clock.cpp
  trend/trend_csv.cpp
  trend/trend_feed.cpp
  trend/trend_session.cpp
  trend/trend_chart.cpp
  trend/trend_window.cpp)
target_link_libraries(console_trend PUBLIC device Qt6::Widgets Qt6::Charts)
target_link_libraries(console_forms PUBLIC console_trend)
