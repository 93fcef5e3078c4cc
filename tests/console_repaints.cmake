# SPDX-License-Identifier: GPL-3.0-or-later
console_test(NAME test_console_repaints SOURCES test_console_repaints.cpp pty_device.cpp LIBS console_forms QT)
