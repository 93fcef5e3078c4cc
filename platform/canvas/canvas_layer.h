// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Convenience include of the whole canvas layer.
#include "platform/canvas/bitmap.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/canvas/fonts.h"
#include "platform/canvas/geometry.h"
#include "platform/canvas/pen_brush.h"
#include "platform/canvas/text_format.h"
