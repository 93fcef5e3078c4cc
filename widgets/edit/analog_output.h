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
    enum TiFilterInputStyle { ifisNone, ifisAuto };
    Q_ENUM(TiFilterInputStyle)

    explicit TiAnalogOutput(QWidget* parent = nullptr);

    TNotifyEvent OnChangeUser;
    TiBeforeChangeDoubleEvent OnBeforeChange;
    TiBeforeChangeDoubleEvent OnBeforeUserChange;

    int Precision() const { return precision_; }
    void SetPrecision(int value);
    double Value() const { return value_; }
    void SetValue(double value);
    double ValueMax() const { return valueMax_; }
    void SetValueMax(double value);
    double ValueMin() const { return valueMin_; }
    void SetValueMin(double value);
    const QString& UnitsText() const { return unitsText_; }
    void SetUnitsText(const QString& value);
    TiFilterInputStyle FilterStyle() const { return filterStyle_; }
    void SetFilterStyle(TiFilterInputStyle value);  // values outside the enumeration are ignored
    bool UndoOnError() const { return undoOnError_; }
    void SetUndoOnError(bool value) { undoOnError_ = value; }
    bool BeepOnError() const { return beepOnError_; }
    void SetBeepOnError(bool value) { beepOnError_ = value; }

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
