// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Convenience include of the whole canvas layer.
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/colors.h"
#include "platform/fonts.h"
#include "platform/geometry.h"
#include "platform/pen_brush.h"
#include "platform/text_format.h"
