# SPDX-License-Identifier: GPL-3.0-or-later
# TComm: the serial port component with its reader and writer threads.
add_library(serial STATIC
  comm.cpp
  comm.h
  comm_properties.cpp
  port_thread_context.cpp
  read_completion.cpp
  read_thread.cpp
  write_thread.cpp
)
target_link_libraries(serial PUBLIC platform_serial Qt6::Core)
