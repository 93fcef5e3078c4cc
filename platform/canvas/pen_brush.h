// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Pen and brush state of a canvas.

#include "platform/canvas/colors.h"

// Line style of a pen; psClear draws no line.
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
// Fill style of a brush; bsClear fills nothing.
enum TBrushStyle { bsSolid, bsClear };

// How lines and outlines are drawn.
struct TPen {
    TColor Color = clBlack;  // line colour
    int Width = 1;  // line width in pixels
    TPenStyle Style = psSolid;  // solid, dashed, dotted or none
};

// How areas are filled.
struct TBrush {
    TColor Color = clWhite;  // fill colour
    TBrushStyle Style = bsSolid;  // solid or none
};
