# SPDX-License-Identifier: GPL-3.0-or-later
console_test(NAME test_form1 SOURCES test_form1.cpp pty_device.cpp LIBS console_forms QT THREADING)
console_test(NAME test_form2 SOURCES test_form2.cpp LIBS console_forms QT)
console_test(NAME test_console_panel SOURCES test_console_panel.cpp pty_device.cpp
             LIBS console_forms sim_process widget_test_support QT THREADING)
console_test(NAME test_console_song_face SOURCES test_console_song_face.cpp LIBS console_forms QT)
