# SPDX-License-Identifier: GPL-3.0-or-later
add_library(platform_port_list STATIC serial_port_list.cpp)
