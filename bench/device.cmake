# SPDX-License-Identifier: GPL-3.0-or-later
# Frame codec throughput: CRC-16 per byte and request building.
add_executable(bench_device bench_device.cpp)
target_link_libraries(bench_device PRIVATE device benchmark::benchmark)
