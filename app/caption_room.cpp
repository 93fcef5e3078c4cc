// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/caption_room.h"

#include "widgets/indicators/label.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace {

QString WithoutTrailingBlanks(QString text)
{
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

int TextAdvance(const QWidget* widget, const QString& text)
{
    return QFontMetrics(widget->font()).horizontalAdvance(WithoutTrailingBlanks(text));
}

}  // namespace

int CaptionTextEnd(const QLabel* caption)
{
    return caption->x() + TextAdvance(caption, caption->text());
}

void RightAlignColumnBeforeFields(const std::vector<QLabel*>& captions, int fieldLeft, int leftLimit)
{
    const int end = fieldLeft - CaptionGap;
    const bool allFit = std::all_of(captions.begin(), captions.end(),
                                    [end](const QLabel* caption) { return CaptionTextEnd(caption) <= end; });
    if (allFit)
        return;
    for (QLabel* caption : captions) {
        const int width = TextAdvance(caption, caption->text());
        const int left = std::max(leftLimit, end - width);
        caption->setGeometry(left, caption->y(), end - left, caption->height());
    }
}

void WidenButtonLeftwards(QPushButton* button, const QStringList& captions, int leftLimit)
{
    // The button draws its caption inside its margins on either side.
    const int margins = 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    int needed = 0;
    for (const QString& caption : captions)
        needed = std::max(needed, TextAdvance(button, caption) + margins);
    if (needed <= button->width())
        return;
    const int right = button->x() + button->width();
    const int left = std::max(leftLimit, right - needed);
    button->setGeometry(left, button->y(), right - left, button->height());
}

void WidenCheckBoxRightwards(QCheckBox* box, int rightLimit)
{
    const int needed = box->sizeHint().width();
    if (needed <= box->width())
        return;
    box->resize(std::min(needed, rightLimit - box->x()), box->height());
}

void WrapCaptionBefore(TiLabel* caption, int rightLimit)
{
    const int room = rightLimit - CaptionGap - caption->x();
    if (caption->width() <= room || caption->WordWrap())
        return;
    caption->resize(room, caption->height());
    caption->SetWordWrap(true);  // keeps the width and sizes the height to the wrapped text
}
