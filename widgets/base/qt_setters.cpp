// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/base/qt_setters.h"

#include <cmath>

void TiAssignQtFont(TFont& font, const QFont& from)
{
    // A form names only the attributes it changed; the others stay as they are.
    const uint changed = from.resolveMask();
    if ((changed & (QFont::FamilyResolved | QFont::FamiliesResolved)) != 0 && !from.family().isEmpty())
        font.SetName(from.family());
    if ((changed & QFont::SizeResolved) != 0) {
        if (from.pixelSize() > 0)
            font.SetHeight(-from.pixelSize());
        else if (from.pointSizeF() > 0)
            font.SetHeight(-static_cast<int>(std::lround(from.pointSizeF() * 96.0 / 72.0)));
    }
    if ((changed & QFont::WeightResolved) != 0)
        font.SetBold(from.weight() >= QFont::DemiBold);
    if ((changed & QFont::StyleResolved) != 0)
        font.SetItalic(from.italic());
    if ((changed & QFont::UnderlineResolved) != 0)
        font.SetUnderline(from.underline());
    if ((changed & QFont::StrikeOutResolved) != 0)
        font.SetStrikeOut(from.strikeOut());
}
