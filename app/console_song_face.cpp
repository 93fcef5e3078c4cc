// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/console_song_face.h"

#include "platform/canvas/song_face.h"

#include <cstddef>

// Generated from the console's sources by app/console_song_face.py.
extern const unsigned char kConsoleSongFace[];
extern const std::size_t kConsoleSongFaceSize;

void InstallConsoleSongFace()
{
    static const bool installed = RegisterSongFace(kConsoleSongFace, kConsoleSongFaceSize);
    (void)installed;
}
