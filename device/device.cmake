# SPDX-License-Identifier: GPL-3.0-or-later
# The Modbus RTU master: frame codec, lenient integer reading, poll cycle and commands.
add_library(device STATIC
  frame_codec.cpp
  lenient_str_to_int.cpp
  received_block.cpp
  requests_in_flight.cpp
  device_link.cpp
  station_scan.cpp)
