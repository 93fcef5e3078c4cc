// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The console's own Song face: the installed CJK font cut down, at build time, to the
// characters of the console's captions and messages, carried in the program. Installing
// it makes the console's fonts draw Chinese from it (see platform/canvas/song_face.h).

// Registers the face once; later calls do nothing. Needs the GUI application.
void InstallConsoleSongFace();
