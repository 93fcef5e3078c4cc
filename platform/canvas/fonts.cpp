// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/canvas/fonts.h"

#include "platform/canvas/song_face.h"

#include <QFontMetrics>
#include <cmath>

namespace {

bool IsSongName(const QString& name)
{
    return name == QStringLiteral("宋体") || name.compare(QStringLiteral("SimSun"), Qt::CaseInsensitive) == 0;
}

} // namespace

QStringList MapFontFamilies(const QString& name)
{
    const QString song = RegisteredSongFamily();
    const QString installedSong = QString::fromLatin1(InstalledSongFamily);
    if (IsSongName(name))
        return song.isEmpty() ? QStringList{installedSong} : QStringList{song, installedSong};
    if (name.compare(QStringLiteral("MS Sans Serif"), Qt::CaseInsensitive) != 0)
        return {name};
    // Chinese text in the Western face comes from the Song face, as the system this
    // console was designed on links it. Only behind a family known to be installed:
    // behind a missing one, the next family in the list would draw the Latin text too.
    QStringList families{QStringLiteral("DejaVu Sans")};
    if (!song.isEmpty())
        families << song << installedSong;
    return families;
}

QString MapFontFamily(const QString& name)
{
    return MapFontFamilies(name).first();
}

TFont::TFont(QObject* parent)
    : QObject(parent), color_(clWindowText), name_(QStringLiteral("MS Sans Serif"))
{
}

template <typename T> void TFont::Store(T& field, const T& value)
{
    if (field == value)
        return;
    field = value;
    emit Changed();
}

void TFont::SetColor(TColor value) { Store(color_, value); }
void TFont::SetHeight(int value) { Store(height_, value); }
void TFont::SetName(const QString& value) { Store(name_, value); }
void TFont::SetBold(bool value) { Store(bold_, value); }
void TFont::SetItalic(bool value) { Store(italic_, value); }
void TFont::SetUnderline(bool value) { Store(underline_, value); }
void TFont::SetStrikeOut(bool value) { Store(strikeOut_, value); }

int TFont::Size() const
{
    return static_cast<int>(std::lround(-height_ * 72.0 / 96.0));
}

void TFont::SetSize(int points)
{
    SetHeight(-static_cast<int>(std::lround(points * 96.0 / 72.0)));
}

bool TFont::SameAs(const TFont& other) const
{
    return color_ == other.color_ && height_ == other.height_ && name_ == other.name_ &&
           bold_ == other.bold_ && italic_ == other.italic_ && underline_ == other.underline_ &&
           strikeOut_ == other.strikeOut_;
}

void TFont::Assign(const TFont& other)
{
    if (&other == this || SameAs(other))
        return;
    color_ = other.color_;
    height_ = other.height_;
    name_ = other.name_;
    bold_ = other.bold_;
    italic_ = other.italic_;
    underline_ = other.underline_;
    strikeOut_ = other.strikeOut_;
    emit Changed();
}

QFont TFont::ToQFont() const
{
    QFont font;
    font.setFamilies(MapFontFamilies(name_));
    font.setBold(bold_);
    font.setItalic(italic_);
    font.setUnderline(underline_);
    font.setStrikeOut(strikeOut_);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    if (height_ < 0) {
        font.setPixelSize(-height_);
    } else if (height_ > 0) {
        // A positive height is the whole cell (ascent + descent): scale the
        // character height to the cell height of this family.
        QFont probe = font;
        probe.setPixelSize(100);
        const int cell = QFontMetrics(probe).height();
        const int pixels = cell > 0 ? static_cast<int>(std::lround(height_ * 100.0 / cell)) : height_;
        font.setPixelSize(pixels > 0 ? pixels : 1);
    } else {
        font.setPixelSize(11);
    }
    return font;
}
