// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/edit/analog_output.h"
#include "widgets/base/number_text.h"

#include "tests/widgets/edit/edit_test_helpers.h"
#include "tests/support/widget_test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

using namespace widget_test;
using edit_test::Key;
using edit_test::Type;

namespace {

class AnalogOutputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent.resize(300, 100);
        field = new TiAnalogOutput(&parent);
        field->OnChange = [this](TObject*) { ++changes; };
        field->OnChangeUser = [this](TObject*) { ++userChanges; };
    }

    // Handlers capture locals of the test body; none may run once it ended.
    void TearDown() override
    {
        field->OnChange = nullptr;
        field->OnChangeUser = nullptr;
        field->OnBeforeChange = nullptr;
        field->OnBeforeUserChange = nullptr;
        field->VetoHook = nullptr;
        field->OnMouseDown = nullptr;
        field->OnMouseUp = nullptr;
    }

    // Replaces the whole text by typing, as an operator would.
    void Retype(const QString& text)
    {
        Key(*field, Qt::Key_Home);
        Key(*field, Qt::Key_End, Qt::ShiftModifier);
        Key(*field, Qt::Key_Backspace);
        Type(*field, text);
    }

    ClassicPaletteScope palette;
    QWidget parent;
    TiAnalogOutput* field = nullptr;
    int changes = 0;
    int userChanges = 0;
};

}  // namespace

TEST_F(AnalogOutputTest, DefaultsAndFormattingOfValues)
{
    EXPECT_EQ(field->Precision(), 1);
    EXPECT_EQ(field->Alignment(), taCenter);
    EXPECT_TRUE(field->Font()->Bold());
    EXPECT_EQ(field->FilterStyle(), ifisAuto);
    field->SetFilterStyle(TiFilterInputStyle(-1));
    EXPECT_EQ(field->FilterStyle(), ifisAuto) << "a value outside the enumeration is ignored";
    EXPECT_TRUE(field->UndoOnError());
    EXPECT_FALSE(field->BeepOnError());
    EXPECT_EQ(field->Text(), "0.0");

    field->SetValue(37);
    EXPECT_EQ(field->Text(), "37.0");
    field->SetValue(-2);
    EXPECT_EQ(field->Text(), "-2.0");
    field->SetPrecision(2);
    field->SetValue(12.3);
    EXPECT_EQ(field->Text(), "12.30");

    field->SetPrecision(0);
    field->SetUnitsText("'C");
    field->SetValue(25);
    EXPECT_EQ(field->Text(), "25'C");
    field->SetValue(37.4);
    EXPECT_EQ(field->Text(), "37'C");
    field->SetValue(37.6);
    EXPECT_EQ(field->Text(), "38'C");

    field->SetUnitsText(QString());
    field->SetPrecision(-1);
    field->SetValue(12.5);
    EXPECT_EQ(field->Text(), "12.5");
    field->SetValue(2.0 / 3.0);
    EXPECT_EQ(field->Text(), "0.666666666666667");
    EXPECT_EQ(field->AcceptedText(), field->Text());
}

TEST_F(AnalogOutputTest, PrecisionAndUnitsChangesReformatWithoutParsingBack)
{
    field->SetPrecision(3);
    field->SetValue(12.345);
    EXPECT_EQ(field->Text(), "12.345");
    changes = 0;
    field->SetPrecision(1);
    EXPECT_EQ(field->Text(), "12.3");
    EXPECT_EQ(field->Value(), 12.345) << "the shown rounding does not reach Value";
    field->SetUnitsText(" V");
    EXPECT_EQ(field->Text(), "12.3 V");
    EXPECT_EQ(field->Value(), 12.345);
    EXPECT_EQ(changes, 0);

    field->SetUnitsText("   ");
    EXPECT_EQ(field->UnitsText(), QString()) << "units of spaces are stored empty";
    EXPECT_EQ(field->Text(), "12.3");

    field->SetPrecision(std::numeric_limits<int>::max());
    EXPECT_EQ(field->Precision(), std::numeric_limits<int>::max());
    EXPECT_EQ(field->Text().size(), 3 + kMaxNumberDecimals) << "the shown decimals stop at the cap";
}

TEST_F(AnalogOutputTest, WritingTheCurrentValueRestoresTextAndFiresNothing)
{
    field->SetValue(5);
    changes = 0;
    FocusIn(*field);
    Retype("99");
    ASSERT_EQ(field->Text(), "99");
    field->SetValue(5);
    EXPECT_EQ(field->Text(), "5.0") << "what the operator typed is discarded";
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(field->Value(), 5.0);

    field->SetValue(6);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(userChanges, 0) << "a program write is not a user change";
}

TEST_F(AnalogOutputTest, ClampsOnlyWhenARangeIsSet)
{
    field->SetValue(150);
    EXPECT_EQ(field->Value(), 150.0) << "min and max both 0: no clamping";
    field->SetValue(-40);
    EXPECT_EQ(field->Value(), -40.0);

    changes = 0;
    field->SetValueMax(100);
    EXPECT_EQ(field->Value(), 0.0) << "the range 0..100 re-clamps -40 to the minimum 0";
    EXPECT_EQ(changes, 1);
    field->SetValue(150);
    EXPECT_EQ(field->Value(), 100.0);
    EXPECT_EQ(field->Text(), "100.0");
    field->SetValueMin(-10);
    field->SetValue(-20);
    EXPECT_EQ(field->Value(), -10.0);
    field->SetValue(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(field->Value(), -10.0) << "NaN is below every minimum";

    // A handler cannot push the value out of the range either.
    field->OnBeforeChange = [](TObject*, double, double& v, bool&) { v = 500; };
    field->SetValue(50);
    EXPECT_EQ(field->Value(), 100.0);
}

TEST_F(AnalogOutputTest, KeyFilterRejectsLettersOutsideTheUnits)
{
    field->SetPrecision(0);
    field->SetUnitsText("'C");
    field->SetValue(25);
    FocusIn(*field);
    Retype("30x");
    EXPECT_EQ(field->Text(), "30") << "x is not in the units";
    Type(*field, ".");
    EXPECT_EQ(field->Text(), "30") << "no decimal separator at precision 0";
    Type(*field, "'c");
    EXPECT_EQ(field->Text(), "30'c") << "c occurs in the units, case-insensitively";
    Key(*field, Qt::Key_Return);
    EXPECT_EQ(field->Value(), 30.0);
    EXPECT_EQ(field->Text(), "30'C");
    EXPECT_EQ(field->SelText(), "30") << "Enter selects the number part";

    field->SetFilterStyle(ifisNone);
    Retype("x");
    EXPECT_EQ(field->Text(), "x");
}

TEST_F(AnalogOutputTest, AcceptedEntryKeepsEveryDigitInValue)
{
    field->SetPrecision(2);
    FocusIn(*field);
    Retype("12.345");
    Key(*field, Qt::Key_Return);
    EXPECT_EQ(field->Value(), 12.345);
    EXPECT_EQ(field->Text(), "12.35");
    EXPECT_EQ(field->AcceptedText(), "12.35");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(userChanges, 1);

    // Accepting the shown text again changes nothing.
    Key(*field, Qt::Key_Return);
    EXPECT_EQ(field->Value(), 12.345);
    EXPECT_EQ(changes, 1);
}

TEST_F(AnalogOutputTest, BeforeChangeHandlersMayVetoOrAdjust)
{
    field->SetValue(10);
    changes = 0;
    double seenOld = 0;
    double seenNew = 0;
    field->OnBeforeChange = [&](TObject*, double oldValue, double& newValue, bool& canChange) {
        seenOld = oldValue;
        seenNew = newValue;
        canChange = false;
    };
    field->SetValue(20);
    EXPECT_EQ(seenOld, 10.0);
    EXPECT_EQ(seenNew, 20.0);
    EXPECT_EQ(field->Value(), 10.0);
    EXPECT_EQ(field->Text(), "10.0");
    EXPECT_EQ(changes, 0);

    // A vetoed entry by the operator leaves the old value shown.
    FocusIn(*field);
    Retype("33");
    Key(*field, Qt::Key_Return);
    EXPECT_EQ(field->Value(), 10.0);
    EXPECT_EQ(field->Text(), "10.0");
    EXPECT_EQ(changes, 0);

    int userAsked = 0;
    field->OnBeforeUserChange = [&](TObject*, double, double& newValue, bool&) {
        ++userAsked;
        newValue = 42;
    };
    field->OnBeforeChange = nullptr;
    field->SetValue(20);
    EXPECT_EQ(userAsked, 0) << "not asked for a program change";
    EXPECT_EQ(field->Value(), 20.0);
    Retype("7");
    Key(*field, Qt::Key_Return);
    EXPECT_EQ(userAsked, 1);
    EXPECT_EQ(field->Value(), 42.0);
    EXPECT_EQ(field->Text(), "42.0");

    int vetoAsked = 0;
    field->VetoHook = [&](TObject*, const QString& name, bool& allow) {
        ++vetoAsked;
        EXPECT_EQ(name, "Value");
        allow = false;
    };
    field->SetValue(1);
    EXPECT_EQ(vetoAsked, 1);
    EXPECT_EQ(field->Value(), 42.0);
}

TEST_F(AnalogOutputTest, TextThatDoesNotParseUndoesOrRaises)
{
    field->SetValue(5);
    changes = 0;
    FocusIn(*field);
    Retype("1-2");
    Key(*field, Qt::Key_Return);
    EXPECT_EQ(field->Text(), "5.0") << "undone to the accepted text";
    EXPECT_EQ(field->Value(), 5.0);
    EXPECT_EQ(changes, 0);

    for (const QString& bad : {QString("-"), QString("--"), QString("."), QString(""), QString("1.2.3")}) {
        Retype(bad);
        Key(*field, Qt::Key_Return);
        EXPECT_EQ(field->Value(), 5.0) << bad.toStdString();
        EXPECT_EQ(field->Text(), "5.0") << bad.toStdString();
    }

    field->SetUndoOnError(false);
    Retype("1-2");
    EXPECT_THROW(field->AcceptEntry(), EConvertError);
    EXPECT_EQ(field->Text(), "1-2") << "the entry stays for the operator to correct";
    EXPECT_EQ(field->Value(), 5.0);
    Key(*field, Qt::Key_Return);  // the key path discards the error
    EXPECT_EQ(field->Value(), 5.0);
    FocusOut(*field);  // so does the accept on focus loss
    EXPECT_EQ(field->Value(), 5.0);
    EXPECT_EQ(changes, 0);
}

TEST_F(AnalogOutputTest, UserAndProgramChangesAreToldApart)
{
    field->SetPrecision(2);
    field->SetValue(1.5);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(userChanges, 0);

    FocusIn(*field);
    Retype("2.5");
    FocusOut(*field);  // accept on focus loss counts as the operator's
    EXPECT_EQ(field->Value(), 2.5);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(userChanges, 1);

    FocusIn(*field);
    Retype("3.5");
    edit_test::MenuItem(field->ContextMenu(), "Apply")->trigger();
    EXPECT_EQ(field->Value(), 3.5);
    EXPECT_EQ(userChanges, 2) << "Apply is the operator's";

    // The console nudges the starting-voltage field from its mouse handlers.
    field->OnMouseDown = [](TObject* sender, TMouseButton, TShiftState, int, int) {
        auto* f = static_cast<TiAnalogOutput*>(sender);
        f->SetValue(f->Value() - 0.1);
    };
    field->OnMouseUp = [](TObject* sender, TMouseButton, TShiftState, int, int) {
        auto* f = static_cast<TiAnalogOutput*>(sender);
        f->SetValue(f->Value() + 0.1);
    };
    MousePress(*field, QPoint(5, 5));
    EXPECT_EQ(field->Text(), "3.40");
    MouseRelease(*field, QPoint(5, 5));
    EXPECT_EQ(field->Text(), "3.50");
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(userChanges, 4) << "changes inside mouse handling are the operator's";

    field->SetValue(field->Value());
    EXPECT_EQ(changes, 5);
}

TEST_F(AnalogOutputTest, NoEventsWhileLoading)
{
    field->SetValueMax(10);
    changes = 0;
    {
        TiLoadingBracket loading({field});
        field->SetValue(50);
        EXPECT_EQ(field->Value(), 10.0) << "the stored value is still clamped";
        EXPECT_EQ(field->Text(), "10.0");
        EXPECT_EQ(changes, 0);
    }
    EXPECT_EQ(changes, 0);
    field->SetValue(5);
    EXPECT_EQ(changes, 1);
}

TEST_F(AnalogOutputTest, SelectAllCopiesTheNumberPartOnly)
{
    field->SetPrecision(0);
    field->SetUnitsText("'C");
    field->SetValue(150);
    FocusIn(*field);
    Key(*field, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(field->SelText(), "150");
    Key(*field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "150");

    // A pasted value with its units is accepted; pasted junk is undone.
    QGuiApplication::clipboard()->setText("80'c");
    Retype("");
    Key(*field, Qt::Key_V, Qt::ControlModifier);
    Key(*field, Qt::Key_Return);
    EXPECT_EQ(field->Value(), 80.0);
    QGuiApplication::clipboard()->setText("DROP TABLE");
    Key(*field, Qt::Key_V, Qt::ControlModifier);
    Key(*field, Qt::Key_Return);
    EXPECT_EQ(field->Value(), 80.0);
    EXPECT_EQ(field->Text(), "80'C");
}

TEST_F(AnalogOutputTest, ConsoleTemperatureFieldPaintsValueAndError)
{
    field->resize(49, field->Height());
    field->SetPrecision(0);
    field->SetUnitsText("'C");
    field->SetErrorText("Error");
    field->ErrorFont()->SetBold(true);
    field->SetErrorBackGroundColor(clBlack);
    field->SetValue(150);
    EXPECT_EQ(field->Text(), "150'C");

    QImage image = Render(*field);
    const TColor window = ClassicSystemColor(sciWindow);
    EXPECT_EQ(PixelAt(image, 3, 3), window);
    EXPECT_GT(CountNotColor(image, window, 3, 3, 46, field->Height() - 3), 0) << "the value is drawn";
    EXPECT_EQ(CountColor(image, clRed), 0);

    field->SetErrorActive(true);
    image = Render(*field);
    EXPECT_EQ(PixelAt(image, 3, 3), clBlack);
    EXPECT_GT(CountColor(image, clRed), 0);
    EXPECT_EQ(CountColor(image, window, 2, 2, 47, field->Height() - 2), 0);
}

TEST_F(AnalogOutputTest, PropertyFileRoundTripAndBadLines)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("field.txt");
    field->SetPrecision(2);
    field->SetUnitsText("'C");
    field->SetValue(12.5);
    field->SetFilterStyle(ifisNone);
    field->SetAlignment(taRightJustify);
    field->SavePropertiesToFile(path);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    EXPECT_EQ(lines.value(0), "File Type = TiAnalogOutput");
    for (const char* line : {"Precision = 2", "Value = 12.5", "UnitsText = 'C", "FilterStyle = 0", "Alignment = 1",
                             "Font.Bold = 1", "MaxLength = 0"})
        EXPECT_TRUE(lines.contains(line)) << line;

    TiAnalogOutput copy(&parent);
    copy.LoadPropertiesFromFile(path);
    EXPECT_EQ(copy.Precision(), 2);
    EXPECT_EQ(copy.UnitsText(), "'C");
    EXPECT_EQ(copy.Value(), 12.5);
    EXPECT_EQ(copy.Text(), "12.50'C");
    EXPECT_EQ(copy.FilterStyle(), ifisNone);
    EXPECT_EQ(copy.Alignment(), taRightJustify);

    // Bad values stop the load with an error; values before them stay.
    QFile bad(dir.filePath("bad.txt"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Text));
    bad.write("Precision = 3\nFilterStyle = 7\nValue = 99\n");
    bad.close();
    EXPECT_THROW(copy.LoadPropertiesFromFile(bad.fileName()), std::runtime_error);
    EXPECT_EQ(copy.Precision(), 3);
    EXPECT_EQ(copy.FilterStyle(), ifisNone);
    EXPECT_EQ(copy.Value(), 12.5);

    ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate));
    bad.write("Value = twelve\nAlignment = -1\n");
    bad.close();
    EXPECT_THROW(copy.LoadPropertiesFromFile(bad.fileName()), std::runtime_error);
    EXPECT_EQ(copy.Value(), 12.5);
    EXPECT_EQ(copy.Alignment(), taRightJustify);
}
