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
    bool SameAs(const TFont& other) const;  // whether every attribute equals the other's

    TColor Color() const { return color_; }  // colour of the text
    void SetColor(TColor value);  // emits Changed() on a change
    int Height() const { return height_; }  // height in pixels: negative for the character height, positive for the cell height
    void SetHeight(int value);  // emits Changed() on a change
    const QString& Name() const { return name_; }  // family name, mapped to an installed family for drawing (MapFontFamily)
    void SetName(const QString& value);  // emits Changed() on a change
    // Points at 96 pixels per inch; setting it sets Height to -(points * 96 / 72).
    int Size() const;
    void SetSize(int points);  // emits Changed() on a change
    bool Bold() const { return bold_; }  // whether the text is bold
    void SetBold(bool value);  // emits Changed() on a change
    bool Italic() const { return italic_; }  // whether the text is italic
    void SetItalic(bool value);  // emits Changed() on a change
    bool Underline() const { return underline_; }  // whether the text is underlined
    void SetUnderline(bool value);  // emits Changed() on a change
    bool StrikeOut() const { return strikeOut_; }  // whether the text is struck out
    void SetStrikeOut(bool value);  // emits Changed() on a change

    // The Qt font for drawing: family mapped by MapFontFamily, pixel size from Height.
    QFont ToQFont() const;

signals:
    void Changed();  // emitted after any attribute changed

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
