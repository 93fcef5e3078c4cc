# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of the serial port component and the platform layer beneath it.
console_test(NAME test_line_settings SOURCES test_line_settings.cpp LIBS platform_serial)
console_test(NAME test_line_events SOURCES test_line_events.cpp LIBS platform_serial)
console_test(NAME test_read_completion SOURCES test_read_completion.cpp LIBS serial)
console_test(NAME test_serial_device SOURCES test_serial_device.cpp LIBS platform_serial)
console_test(NAME test_main_thread_mailbox SOURCES test_main_thread_mailbox.cpp LIBS platform_serial QT THREADING)
console_test(NAME test_comm SOURCES test_comm.cpp LIBS serial QT THREADING)
