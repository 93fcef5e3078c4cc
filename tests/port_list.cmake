# SPDX-License-Identifier: GPL-3.0-or-later
console_test(NAME test_serial_port_list SOURCES test_serial_port_list.cpp LIBS platform_port_list)
