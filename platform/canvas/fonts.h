// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Font of the canvas layer: name, height in pixels (negative: character
// height; positive: cell height, approximated), style flags and colour. Every
// change emits Changed(), so an owner (a widget, a scale) can repaint.

#include "platform/canvas/colors.h"

#include <QFont>
#include <QObject>
#include <QString>
#include <QStringList>

class TFont : public QObject {
    Q_OBJECT
    // Published in this order; nested in a widget's property file as
    // "<FontProperty>.<Name>" (e.g. "Font.Height").
    Q_PROPERTY(TColorProperty Color READ Color WRITE SetColor)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Size READ Size WRITE SetSize STORED false)
    Q_PROPERTY(bool Bold READ Bold WRITE SetBold)
    Q_PROPERTY(bool Italic READ Italic WRITE SetItalic)
    Q_PROPERTY(bool Underline READ Underline WRITE SetUnderline)
    Q_PROPERTY(bool StrikeOut READ StrikeOut WRITE SetStrikeOut)

public:
    // Defaults: "MS Sans Serif", height -11, window-text colour, no style.
    explicit TFont(QObject* parent = nullptr);

    // Copies every attribute of `other`; emits Changed() once if anything differs.
    void Assign(const TFont& other);
    bool SameAs(const TFont& other) const;

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    int Height() const { return height_; }
    void SetHeight(int value);
    const QString& Name() const { return name_; }
    void SetName(const QString& value);
    // Points at 96 pixels per inch; setting it sets Height to -(points * 96 / 72).
    int Size() const;
    void SetSize(int points);
    bool Bold() const { return bold_; }
    void SetBold(bool value);
    bool Italic() const { return italic_; }
    void SetItalic(bool value);
    bool Underline() const { return underline_; }
    void SetUnderline(bool value);
    bool StrikeOut() const { return strikeOut_; }
    void SetStrikeOut(bool value);

    // The Qt font for drawing: family mapped by MapFontFamily, pixel size from Height.
    QFont ToQFont() const;

signals:
    void Changed();

private:
    template <typename T> void Store(T& field, const T& value);

    TColor color_;
    int height_ = -11;
    QString name_;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    bool strikeOut_ = false;
};

// Maps a font name used in the widget settings to the families that draw it, first
// choice first: "MS Sans Serif" -> "DejaVu Sans", "宋体"/"SimSun" -> the registered
// Song face (platform/canvas/song_face.h) then "WenQuanYi Micro Hei"; other names pass
// unchanged. With a Song face registered, "MS Sans Serif" is followed by the Song
// families, which then draw the Chinese characters DejaVu Sans lacks.
QStringList MapFontFamilies(const QString& name);
// The first choice of MapFontFamilies.
QString MapFontFamily(const QString& name);
