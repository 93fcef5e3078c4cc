// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Song face the console draws its Chinese captions with. By default the installed
// CJK family; a program may register its own cut-down face (the glyphs of that family
// for the characters it shows), which is then preferred: drawing from the full font maps
// pages scattered over a 5 MB file into the process, the cut-down face is a few
// kilobytes of the program image.

#include <QString>

#include <cstddef>

// The installed family the Song design name maps to when no face is registered, and
// that still supplies any character a registered face lacks.
inline const char* const InstalledSongFamily = "WenQuanYi Micro Hei";

// Registers font data kept by the caller for the program's lifetime (static data) as
// the Song face. Needs the GUI application to exist. Returns false, and leaves the
// mapping as it was, for data that is not a font. A second registration replaces the
// first only if it succeeds.
bool RegisterSongFace(const unsigned char* data, std::size_t size);

// The registered face's family name, or an empty string when none is registered.
QString RegisteredSongFamily();
