# SPDX-License-Identifier: GPL-3.0-or-later
# Delay from a reply's last byte to OnReceiveData beyond the read's quiet time.
add_executable(bench_serial bench_serial.cpp)
target_link_libraries(bench_serial PRIVATE serial benchmark::benchmark Qt6::Core)
