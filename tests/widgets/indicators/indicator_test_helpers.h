// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers shared by the indicator widget tests.

#include "platform/canvas/colors.h"

#include <QImage>

namespace indicator_test {

// A widget that counts the repaints it issues.
template <typename Widget> class Counting : public Widget {
public:
    using Widget::Widget;
    void RepaintNow() override
    {
        ++repaints;
        Widget::RepaintNow();
    }
    int repaints = 0;
};

// Luminance-like sum of the three channels of a 0x00BBGGRR colour.
inline int Brightness(TColor c)
{
    return static_cast<int>((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF));
}

// Smallest and largest column holding a pixel that differs from `background`
// (-1, -1 when there is none).
struct InkSpan {
    int first = -1;
    int last = -1;
};

inline InkSpan HorizontalInk(const QImage& image, TColor background)
{
    InkSpan span;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (FromQRgb(image.pixel(x, y)) != background) {
                if (span.first < 0)
                    span.first = x;
                span.last = x;
                break;
            }
        }
    }
    return span;
}

}  // namespace indicator_test
