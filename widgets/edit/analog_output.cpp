// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/edit/analog_output.h"

#include "widgets/edit/analog_output_text.h"
#include "widgets/base/enum_range.h"
#include "widgets/base/number_text.h"
#include "widgets/base/property_access.h"
#include "widgets/base/scoped_flag.h"

TiAnalogOutput::TiAnalogOutput(QWidget* parent) : TiEditCustom(parent)
{
    static const bool filterRegistered = (RegisterEnumRange<TiFilterInputStyle>(ifisNone, ifisAuto), true);
    Q_UNUSED(filterRegistered);
    SetAlignment(taCenter);
    Font()->SetBold(true);
    Reformat();
}

QString TiAnalogOutput::FormatValue(double value) const
{
    return FormatNumber(value, precision_, unitsText_, LocaleDecimalPoint());
}

double TiAnalogOutput::ParseText(const QString& text)
{
    if (const std::optional<double> parsed = parseAnalogOutputText(text, unitsText_, LocaleDecimalPoint()))
        return *parsed;
    if (!undoOnError_)
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text).toStdString());
    Undo();
    if (beepOnError_)
        Beep();
    return value_;
}

// --- Properties ---

void TiAnalogOutput::SetPrecision(int value)
{
    if (value == precision_)
        return;
    precision_ = value;
    Reformat();
}

void TiAnalogOutput::SetFilterStyle(TiFilterInputStyle value)
{
    if (InEnumRange(value, ifisNone, ifisAuto))
        filterStyle_ = value;
}

void TiAnalogOutput::SetUnitsText(const QString& value)
{
    if (value == unitsText_)
        return;
    unitsText_ = value.trimmed().isEmpty() ? QString() : value;
    Reformat();
}

void TiAnalogOutput::SetValueMax(double value)
{
    if (value == valueMax_)
        return;
    valueMax_ = value;
    SetValue(value_);
}

void TiAnalogOutput::SetValueMin(double value)
{
    if (value == valueMin_)
        return;
    valueMin_ = value;
    SetValue(value_);
}

// --- Value ---

// Above ValueMax becomes ValueMax; then anything not at or above ValueMin
// (NaN included) becomes ValueMin.
double TiAnalogOutput::Clamped(double v) const
{
    if (v > valueMax_)
        v = valueMax_;
    if (!(v >= valueMin_))
        v = valueMin_;
    return v;
}

void TiAnalogOutput::SetValue(double value)
{
    double v = value;
    if (ClampActive() && !IsLoading())
        v = Clamped(v);
    if (v == value_) {
        Reformat();
        return;
    }
    const bool userChange = IsUserInteraction();
    if (AskBeforeChange(v) && AskVetoHook(QStringLiteral("Value"))) {
        if (ClampActive())
            v = Clamped(v);
        if (!OutputPropertyValue(QStringLiteral("Value"), QVariant(v))) {
            value_ = v;
            Buffer().setAcceptedText(FormatValue(v));
            Reformat();
            if (!IsLoading())
                Announce(userChange);
        }
    }
    Reformat();
}

// OnBeforeUserChange (for the operator's changes), then OnBeforeChange; either
// may change v or refuse the change.
bool TiAnalogOutput::AskBeforeChange(double& v)
{
    bool canChange = true;
    if (IsUserInteraction() && OnBeforeUserChange)
        OnBeforeUserChange(this, value_, v, canChange);
    if (OnBeforeChange)
        OnBeforeChange(this, value_, v, canChange);
    return canChange;
}

void TiAnalogOutput::Announce(bool userChange)
{
    NotifyChangeHook(QStringLiteral("Value"));
    if (OnChange)
        OnChange(this);
    if (userChange && OnChangeUser)
        OnChangeUser(this);
}

// Shows Value again. The accept that setting the text runs does not parse the
// text back, so no digits are lost to the shown precision.
void TiAnalogOutput::Reformat()
{
    ScopedFlag reformatting(reformatting_);
    SetText(FormatValue(value_));
}

// --- Editing ---

void TiAnalogOutput::AcceptEntry()
{
    if (Buffer().isModified() && !reformatting_)
        SetValue(ParseText(Text()));
    Buffer().setAcceptedText(FormatValue(value_));
    SelectAll();
}

void TiAnalogOutput::SelectAll()
{
    const QString& text = Text();
    int length = static_cast<int>(text.size());
    if (!unitsText_.isEmpty() && text.endsWith(unitsText_, Qt::CaseInsensitive))
        length -= static_cast<int>(unitsText_.size());
    SelectRange(0, length);
}

QStringList TiAnalogOutput::PropertiesLoadedLast() const
{
    return TiEditCustom::PropertiesLoadedLast() << QStringLiteral("Value");
}

bool TiAnalogOutput::FilterChar(QChar c)
{
    if (filterStyle_ == ifisNone)
        return true;
    if (analogOutputAcceptsChar(c, precision_, unitsText_, LocaleDecimalPoint()))
        return true;
    if (beepOnError_)
        Beep();
    return false;
}
