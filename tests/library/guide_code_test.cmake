# SPDX-License-Identifier: GPL-3.0-or-later
# Every C++ block of docs/writing-an-instrument.md appears word for word in the
# example instrument or the outside project, which the package test compiles: so
# the guide's code compiles. Fails naming the first line of a block found nowhere.
#   cmake -D SOURCE_DIR=<repository> -P guide_code_test.cmake
cmake_minimum_required(VERSION 3.25)
file(READ ${SOURCE_DIR}/docs/writing-an-instrument.md guide)
set(sources "")
foreach(file examples/tank_gauge/tank_gauge.h examples/tank_gauge/tank_gauge.cpp
             tests/library/outside_project/main.cpp)
  file(READ ${SOURCE_DIR}/${file} text)
  string(APPEND sources "${text}")
endforeach()

set(blocks 0)
while(TRUE)
  string(FIND "${guide}" "```cpp\n" start)
  if(start EQUAL -1)
    break()
  endif()
  math(EXPR start "${start} + 7")
  string(SUBSTRING "${guide}" ${start} -1 guide)
  string(FIND "${guide}" "```" end)
  if(end EQUAL -1)
    message(FATAL_ERROR "guide: a C++ block is not closed")
  endif()
  string(SUBSTRING "${guide}" 0 ${end} block)
  string(SUBSTRING "${guide}" ${end} -1 guide)
  string(FIND "${sources}" "${block}" found)
  if(found EQUAL -1)
    string(REGEX MATCH "^[^\n]*" first "${block}")
    message(FATAL_ERROR "guide: this block is in no example source: ${first}")
  endif()
  math(EXPR blocks "${blocks} + 1")
endwhile()
if(blocks LESS 3)
  message(FATAL_ERROR "guide: only ${blocks} C++ blocks found")
endif()
message(STATUS "guide: ${blocks} C++ blocks found in the example sources")
