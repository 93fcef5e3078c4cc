// SPDX-License-Identifier: GPL-3.0-or-later
// The console's own Song face: registered by the main window, covering every character
// the window shows, drawing the same glyphs as the installed CJK font, and leaving
// characters it lacks to that font.

#include "app/console_song_face.h"
#include "app/form1.h"
#include "app/form2.h"
#include "platform/canvas/fonts.h"
#include "platform/canvas/song_face.h"
#include "tests/support/shown_texts.h"
#include "widgets/base/component.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QRawFont>

#include <gtest/gtest.h>

#include <cstddef>

extern const unsigned char kConsoleSongFace[];
extern const std::size_t kConsoleSongFaceSize;

namespace {

QImage Drawn(const QFont& font, const QString& text)
{
    QImage image(160, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, 160, 40), Qt::AlignLeft | Qt::AlignVCenter, text);
    return image;
}

QFont SongFont(int pixels)
{
    TFont font;
    font.SetName(QStringLiteral("宋体"));
    font.SetHeight(-pixels);
    return font.ToQFont();
}

QFont InstalledSongFont(int pixels)
{
    QFont font = SongFont(pixels);
    font.setFamilies({QString::fromLatin1(InstalledSongFamily)});
    return font;
}

TEST(ConsoleSongFace, TheMainWindowRegistersItAndItCoversEverythingTheWindowShows)
{
    TForm1 form;
    TForm2 form2;
    EXPECT_EQ(MapFontFamilies(QStringLiteral("宋体")),
              (QStringList{QStringLiteral("Console Song"), QStringLiteral("WenQuanYi Micro Hei")}));
    EXPECT_EQ(MapFontFamilies(QStringLiteral("MS Sans Serif")),
              (QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Console Song"),
                           QStringLiteral("WenQuanYi Micro Hei")}));
    // A name that may not be installed keeps the system's own substitution for it.
    EXPECT_EQ(MapFontFamilies(QStringLiteral("Arial")), QStringList{QStringLiteral("Arial")});

    const QRawFont face(QByteArray::fromRawData(reinterpret_cast<const char*>(kConsoleSongFace),
                                                static_cast<qsizetype>(kConsoleSongFaceSize)),
                        12);
    ASSERT_TRUE(face.isValid());
    EXPECT_EQ(face.familyName(), QStringLiteral("Console Song"));
    const QString texts = TextsShownBy(form) + TextsShownBy(form2);
    int chinese = 0;
    for (const QChar c : texts) {
        if (c.unicode() < 0x80)
            continue;
        ++chinese;
        EXPECT_TRUE(face.supportsCharacter(c)) << "missing U+" << std::hex << static_cast<unsigned>(c.unicode());
    }
    EXPECT_GT(chinese, 20);  // the window's captions were found at all
    EXPECT_FALSE(face.supportsCharacter(QChar(0x9F99)));  // cut down: not the whole font
}

TEST(ConsoleSongFace, DrawsTheInstalledGlyphsAndLeavesMissingCharactersToTheInstalledFont)
{
    InstallConsoleSongFace();
    ASSERT_EQ(RegisteredSongFamily(), QStringLiteral("Console Song"));
    for (const int pixels : {12, 16, 20}) {
        const QString shown = QStringLiteral("控制界面 通讯 30.0%");
        const QImage own = Drawn(SongFont(pixels), shown);
        EXPECT_EQ(own, Drawn(InstalledSongFont(pixels), shown)) << pixels << " px";
        EXPECT_NE(own, Drawn(SongFont(pixels), QStringLiteral("控制界面 通讯 30.1%")));
        // Outside the cut-down face: drawn by the installed font, not as a blank box.
        const QString other = QStringLiteral("龙凤");
        EXPECT_EQ(Drawn(SongFont(pixels), other), Drawn(InstalledSongFont(pixels), other)) << pixels << " px";
    }
}

}  // namespace
