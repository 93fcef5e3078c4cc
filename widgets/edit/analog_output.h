// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TiAnalogOutput: a numeric field on the canvas-drawn editor. Value is shown
// with Precision decimals (general notation when negative) followed by
// UnitsText, and is parsed back when the operator accepts an entry (Enter,
// "Apply", or leaving the field). OnChange fires for every real change of
// Value, made by the program or by the operator; OnChangeUser only for the
// operator's. OnBeforeChange (and, for the operator's changes,
// OnBeforeUserChange) may adjust the new value or veto the change.

#include "widgets/edit/edit_custom.h"

#include <stdexcept>

// Handler that may change NewValue or clear CanChange.
using TiBeforeChangeDoubleEvent =
    std::function<void(TObject* Sender, double OldValue, double& NewValue, bool& CanChange)>;

// Raised when an accepted text is not a number and UndoOnError is off.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A numeric field: the operator types a number, the field parses, bounds and formats it as Value with its units.
class TiAnalogOutput : public TiEditCustom {
    Q_OBJECT
    Q_PROPERTY(int Precision READ Precision WRITE SetPrecision)
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(double ValueMax READ ValueMax WRITE SetValueMax)
    Q_PROPERTY(double ValueMin READ ValueMin WRITE SetValueMin)
    Q_PROPERTY(QString UnitsText READ UnitsText WRITE SetUnitsText)
    Q_PROPERTY(TiFilterInputStyle FilterStyle READ FilterStyle WRITE SetFilterStyle)
    Q_PROPERTY(bool UndoOnError READ UndoOnError WRITE SetUndoOnError)
    Q_PROPERTY(bool BeepOnError READ BeepOnError WRITE SetBeepOnError)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool ErrorActive READ ErrorActive WRITE SetErrorActive)
    Q_PROPERTY(QString ErrorText READ ErrorText WRITE SetErrorText)
    Q_PROPERTY(TFont* ErrorFont READ ErrorFont)
    Q_PROPERTY(TColorProperty ErrorBackGroundColor READ ErrorBackGroundColor WRITE SetErrorBackGroundColor)

public:
    // ifisNone: every character may be typed; ifisAuto: only characters that can make a number with Precision decimals and the units.
    enum TiFilterInputStyle { ifisNone, ifisAuto };
    Q_ENUM(TiFilterInputStyle)

    explicit TiAnalogOutput(QWidget* parent = nullptr);  // creates a field showing 0.0

    TNotifyEvent OnChangeUser;  // Value changed by the operator (after OnChange)
    TiBeforeChangeDoubleEvent OnBeforeChange;  // asked before every change of Value; may adjust or refuse it
    TiBeforeChangeDoubleEvent OnBeforeUserChange;  // asked before the operator's changes of Value, too

    int Precision() const { return precision_; }  // decimals shown (general notation when negative); a change reformats the text
    void SetPrecision(int value);  // reformats the text
    double Value() const { return value_; }  // the number; set by the program or parsed from an accepted entry, bounded by ValueMin..ValueMax when either is non-zero; a change reformats the text and fires OnChange
    void SetValue(double value);  // bounded (NaN gives ValueMin) unless loading; the before-change handlers and the veto hook may adjust or refuse it
    double ValueMax() const { return valueMax_; }  // upper bound of Value (no bounds while both are 0); a change bounds Value again
    void SetValueMax(double value);  // bounds Value again
    double ValueMin() const { return valueMin_; }  // lower bound of Value (no bounds while both are 0); a change bounds Value again
    void SetValueMin(double value);  // bounds Value again
    const QString& UnitsText() const { return unitsText_; }  // text after the number (a unit with its leading space); a change reformats the text
    void SetUnitsText(const QString& value);  // blank stored as empty
    TiFilterInputStyle FilterStyle() const { return filterStyle_; }  // whether typed characters are filtered (ifisAuto by default); stored only
    void SetFilterStyle(TiFilterInputStyle value);  // values outside the enumeration are ignored
    bool UndoOnError() const { return undoOnError_; }  // whether an entry that is not a number reverts to the accepted text (on by default) instead of raising EConvertError
    void SetUndoOnError(bool value) { undoOnError_ = value; }  // stored only
    bool BeepOnError() const { return beepOnError_; }  // whether a refused character or an entry that is not a number beeps (off by default)
    void SetBeepOnError(bool value) { beepOnError_ = value; }  // stored only

    // The text Value shows as.
    QString FormatValue(double value) const;
    // The number in `text` without its units. A text that is not a number
    // reverts the field and gives the current Value (UndoOnError), or throws
    // EConvertError.
    double ParseText(const QString& text);

    // When the typed text differs from the accepted text, Value becomes its
    // parse; the accepted text becomes the formatting of Value; then the
    // number part is selected.
    void AcceptEntry() override;
    // Selects the number part: the whole text less the trailing units.
    void SelectAll() override;
    // Value after its range.
    QStringList PropertiesLoadedLast() const override;

protected:
    bool FilterChar(QChar c) override;

private:
    bool ClampActive() const { return valueMax_ != 0.0 || valueMin_ != 0.0; }
    double Clamped(double v) const;
    bool AskBeforeChange(double& v);
    void Announce(bool userChange);
    void Reformat();

    int precision_ = 1;
    double value_ = 0.0;
    double valueMax_ = 0.0;
    double valueMin_ = 0.0;
    QString unitsText_;
    TiFilterInputStyle filterStyle_ = ifisAuto;
    bool undoOnError_ = true;
    bool beepOnError_ = false;
    bool reformatting_ = false;
};

using TiFilterInputStyle = TiAnalogOutput::TiFilterInputStyle;
using enum TiAnalogOutput::TiFilterInputStyle;
