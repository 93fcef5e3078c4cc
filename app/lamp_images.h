// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

// The console's two 32 by 32 lamp pictures, drawn here rather than loaded from files.
// Unlit: a black disc inside a grey ring. Lit: a red disc with rays round it.
QPixmap UnlitLampPicture();
QPixmap LitLampPicture();
