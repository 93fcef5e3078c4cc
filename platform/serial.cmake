# SPDX-License-Identifier: GPL-3.0-or-later
# The POSIX serial device, its line settings, and posting between threads.
add_library(platform_serial STATIC
  close_event.cpp
  custom_baud.cpp
  line_events.cpp
  line_settings.cpp
  main_thread_mailbox.cpp
  message_queue.cpp
  serial_device.cpp
)
find_package(Threads REQUIRED)
target_link_libraries(platform_serial PUBLIC Qt6::Core Threads::Threads)
