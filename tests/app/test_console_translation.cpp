// SPDX-License-Identifier: GPL-3.0-or-later
// The English translation: the committed .ts file holds every text of the sources under
// app/, each translated; the Chinese texts are the console's own and unchanged; the
// Chinese windows keep every control where it was; in either language no caption runs
// into another control or out of its own.
#include "app/console_extras.h"
#include "app/console_language.h"
#include "app/extra_windows_menu.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/up_down_arrows.h"
#include "tests/support/shown_texts.h"
#include "widgets/dials/knob.h"
#include "widgets/dials/thermometer.h"
#include "widgets/edit/analog_output.h"
#include "widgets/indicators/analog_display.h"
#include "widgets/indicators/label.h"
#include "widgets/indicators/led_bar.h"
#include "widgets/indicators/led_round.h"
#include "widgets/indicators/switch_led.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace {

const QString SourceRoot = QStringLiteral(CONSOLE_SOURCE_ROOT);
const QString CommittedTranslation = SourceRoot + QStringLiteral("/app/translations/console_en.ts");
const char* const RefreshHint = "refresh it with scripts/update-translations and translate what is new";

struct TsMessage {
    QString context;
    QString source;
    QString translation;
    QString state;  // the translation's type: "unfinished", "vanished", "obsolete"; empty when done
};

std::vector<TsMessage> ReadTranslationFile(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QXmlStreamReader xml(&file);
    std::vector<TsMessage> messages;
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            messages.push_back({context, {}, {}, {}});
        } else if (xml.name() == u"source" && !messages.empty()) {
            messages.back().source = xml.readElementText();
        } else if (xml.name() == u"translation" && !messages.empty()) {
            messages.back().state = xml.attributes().value(QLatin1String("type")).toString();
            messages.back().translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return messages;
}

using TextKey = std::pair<QString, QString>;  // context, source

std::set<TextKey> Keys(const std::vector<TsMessage>& messages)
{
    std::set<TextKey> keys;
    for (const TsMessage& message : messages)
        keys.insert({message.context, message.source});
    return keys;
}

std::string Describe(const TextKey& key)
{
    return (key.first + QStringLiteral(": \"") + key.second + QStringLiteral("\"")).toStdString();
}

TEST(EnglishTranslationFile, TranslatesEveryTextItHolds)
{
    const std::vector<TsMessage> messages = ReadTranslationFile(CommittedTranslation);
    ASSERT_GE(messages.size(), 24u);
    for (const TsMessage& message : messages) {
        SCOPED_TRACE(Describe({message.context, message.source}));
        EXPECT_TRUE(message.state.isEmpty()) << "marked " << message.state.toStdString() << ": " << RefreshHint;
        EXPECT_FALSE(message.translation.trimmed().isEmpty());
        EXPECT_FALSE(HasChinese(message.translation));
        EXPECT_TRUE(HasChinese(message.source)) << "the texts in the sources are Chinese";
    }
}

// lupdate run afresh over app/ finds exactly the texts the committed file holds: a window
// added or changed without refreshing the file fails here, and so does a text left behind.
TEST(EnglishTranslationFile, HoldsExactlyTheTextsOfTheSources)
{
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString fresh = scratch.filePath(QStringLiteral("console_en.ts"));
    QProcess lupdate;
    lupdate.start(QStringLiteral(CONSOLE_LUPDATE),
                  {QStringLiteral("-I"), SourceRoot, SourceRoot + QStringLiteral("/app"), QStringLiteral("-locations"),
                   QStringLiteral("none"), QStringLiteral("-ts"), fresh});
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

    const std::set<TextKey> inSources = Keys(ReadTranslationFile(fresh));
    const std::set<TextKey> committed = Keys(ReadTranslationFile(CommittedTranslation));
    ASSERT_FALSE(inSources.empty());
    for (const TextKey& key : inSources)
        EXPECT_TRUE(committed.count(key)) << "not in console_en.ts: " << Describe(key) << "; " << RefreshHint;
    for (const TextKey& key : committed)
        EXPECT_TRUE(inSources.count(key)) << "no longer in the sources: " << Describe(key) << "; " << RefreshHint;
}

// The main window and the dialog, shown in one language, with the message of a failed
// opening captured.
struct WindowsIn {
    explicit WindowsIn(ConsoleLanguage language) : translation(language)
    {
        EXPECT_TRUE(translation.Loaded());
        form = std::make_unique<TForm1>(QStringLiteral("/nonexistent/ttyNothing"));
        dialog = std::make_unique<TForm2>();
        form->ShowMessage = [this](const QString& text) { message = text; };
        form->ShowDetailedMessage = [this](const QString& text, const QString&) { message = text; };
        form->BitBtn7->click();
        form->show();
        dialog->show();
        QApplication::processEvents();
    }

    ConsoleTranslation translation;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TForm2> dialog;
    QString message;
};

struct ShownText {
    const char* context;
    QString shown;
    const char* chinese;  // the console's own text
};

// Every translatable text of the two windows, as they show it, beside the console's own
// Chinese text for it.
std::vector<ShownText> TranslatableTexts(const WindowsIn& windows)
{
    const TForm1& f = *windows.form;
    const TForm2& d = *windows.dialog;
    return {
        {"TForm1", f.Label1->text(), "Y5  控制界面"},     {"TForm1", f.Label23->text(), "端口: "},
        {"TForm1", f.Label25->text(), "波特率:   "},      {"TForm1", f.Label26->text(), "位元: "},
        {"TForm1", f.BitBtn7->text(), "打开串口"},        {"TForm1", TForm1::CloseCaption(), "关闭串口"},
        {"TForm1", windows.message, "打开串口错误"},      {"TForm1", f.CheckBox2->text(), "通讯"},
        {"TForm1", f.Label9->text(), "地址:   "},         {"TForm1", f.Label2->text(), "警报："},
        {"TForm1", f.iLabel13->Caption(), "启动电压%："}, {"TForm1", f.iLabel15->Caption(), "输出量："},
        {"TForm1", f.iLabel12->Caption(), "温度："},      {"TForm1", f.iLabel23->Caption(), "缓启动时间："},
        {"TForm1", f.iLabel24->Caption(), "缓停止时间："}, {"TForm1", TForm1::AlarmStateText(true), "报警"},
        {"TForm1", TForm1::AlarmStateText(false), "正常"}, {"TForm2", d.windowTitle(), "修改参数"},
        {"TForm2", d.Label1->text(), "小数点: "},         {"TForm2", d.Label3->text(), "菜单自动 "},
        {"TForm2", d.Label4->text(), "退出时间: "},       {"TForm2", d.Label2->text(), "输入信号: "},
        {"TForm2", d.Label5->text(), "下限值:"},          {"TForm2", d.Label6->text(), "上限值:"},
        {"TForm2", d.Label7->text(), "迂回值:"},          {"TForm2", d.BitBtn1->text(), "确定"},
    };
}

// In Chinese the windows show their own texts, unchanged, and these are the texts the
// translation file holds for the two windows: none missing, none more.
TEST(ConsoleTexts, ChineseAreTheConsolesOwnAndAllTranslatable)
{
    WindowsIn chinese(ConsoleLanguage::Chinese);
    std::set<TextKey> table;
    for (const ShownText& text : TranslatableTexts(chinese)) {
        EXPECT_EQ(text.shown.toStdString(), text.chinese);
        table.insert({QString::fromLatin1(text.context), QString::fromUtf8(text.chinese)});
    }
    std::set<TextKey> ofTheWindows;
    for (const TextKey& key : Keys(ReadTranslationFile(CommittedTranslation)))
        if (key.first == u"TForm1" || key.first == u"TForm2")
            ofTheWindows.insert(key);
    for (const TextKey& key : table)
        EXPECT_TRUE(ofTheWindows.count(key)) << "not in console_en.ts: " << Describe(key);
    for (const TextKey& key : ofTheWindows)
        EXPECT_TRUE(table.count(key)) << "a text of the windows that this test does not know: " << Describe(key);
    EXPECT_EQ(chinese.form->windowTitle(), QStringLiteral("ZQ_Modbus RTU"));
}

// In English no window shows Chinese: the two windows and every extra window the main
// window's menu opens, whoever added it.
TEST(ConsoleTexts, EnglishWindowsShowNoChinese)
{
    WindowsIn english(ConsoleLanguage::English);
    for (const ShownText& text : TranslatableTexts(english)) {
        EXPECT_NE(text.shown.toStdString(), text.chinese);
        EXPECT_FALSE(HasChinese(text.shown)) << text.shown.toStdString();
    }
    EXPECT_EQ(english.form->Label1->text(), QStringLiteral("Y5  Control Panel"));
    EXPECT_FALSE(HasChinese(TextsShownBy(*english.form))) << TextsShownBy(*english.form).toStdString();
    EXPECT_FALSE(HasChinese(TextsShownBy(*english.dialog))) << TextsShownBy(*english.dialog).toStdString();

    ExtraWindowsMenu& menu = InstallConsoleExtras(*english.form).menu;
    for (QAction* action : english.form->actions()) {
        EXPECT_FALSE(HasChinese(action->text())) << action->text().toStdString();
        if (QWidget* window = menu.Open(action)) {
            EXPECT_FALSE(HasChinese(TextsShownBy(*window))) << TextsShownBy(*window).toStdString();
        }
    }
}

// Every control of the Chinese windows where the windows were laid out, to the pixel.
TEST(ConsoleLayout, ChineseWindowsKeepEveryControlWhereItWas)
{
    WindowsIn chinese(ConsoleLanguage::Chinese);
    const TForm1& f = *chinese.form;
    const TForm2& d = *chinese.dialog;
    const std::vector<std::pair<const QWidget*, QRect>> controls{
        {f.Label1, {0, 0, 868, 24}}, {f.Panel2, {0, 24, 801, 521}}, {f.Panel3, {512, -3, 297, 140}},
        {f.Label23, {58, 10, 52, 16}}, {f.ComboBox4, {106, 2, 97, 21}}, {f.Label25, {42, 34, 87, 16}},
        {f.ComboBox5, {106, 34, 97, 21}}, {f.Label26, {58, 66, 52, 16}}, {f.ComboBox6, {106, 66, 97, 21}},
        {f.BitBtn7, {58, 96, 65, 35}}, {f.Image9, {136, 96, 33, 33}}, {f.Image20, {136, 96, 33, 33}},
        {f.Panel5, {-8, -1, 521, 41}}, {f.CheckBox2, {24, 8, 49, 25}}, {f.Image7, {88, 8, 33, 33}},
        {f.Image14, {88, 8, 33, 33}}, {f.Label9, {160, 8, 78, 19}}, {f.ComboBox1, {208, 8, 49, 21}},
        {f.Memo12, {520, 487, 73, 27}}, {f.Memo13, {608, 487, 73, 27}}, {f.Panel1, {0, 40, 513, 97}},
        {f.Label2, {8, 8, 33, 13}}, {f.iLedRound1, {24, 48, 20, 20}}, {f.iLedRound2, {64, 48, 20, 20}},
        {f.iLedRound3, {104, 48, 20, 20}}, {f.iLedRound4, {144, 48, 20, 20}}, {f.iLedRound5, {232, 48, 20, 20}},
        {f.iLedRound6, {272, 48, 20, 20}}, {f.iLedRound7, {360, 48, 20, 20}}, {f.iLedRound8, {400, 48, 20, 20}},
        {f.iLedRound9, {448, 48, 20, 20}}, {f.iLabel1, {16, 32, 30, 13}}, {f.iLabel2, {64, 32, 7, 13}},
        {f.iLabel3, {104, 32, 8, 13}}, {f.iLabel4, {144, 32, 7, 13}}, {f.iLabel5, {248, 8, 30, 13}},
        {f.iLabel6, {232, 32, 23, 13}}, {f.iLabel7, {272, 32, 22, 13}}, {f.iLabel8, {400, 8, 31, 13}},
        {f.iLabel9, {360, 32, 23, 13}}, {f.iLabel10, {400, 32, 22, 13}}, {f.iLabel11, {440, 32, 25, 13}},
        {f.Panel6, {-8, 136, 633, 177}}, {f.iLabel13, {16, 8, 65, 13}}, {f.iKnob1, {88, 16, 150, 150}},
        {f.iAnalogOutput2, {16, 40, 57, 21}}, {f.UpDown1, {73, 40, 15, 21}}, {f.iLabel15, {488, 16, 44, 13}},
        {f.iAnalogOutput4, {488, 40, 57, 21}}, {f.iLedBar2, {560, 16, 25, 153}}, {f.Panel4, {624, 136, 177, 177}},
        {f.iLabel12, {8, 8, 33, 13}}, {f.iThermometer1, {72, 16, 100, 150}}, {f.iAnalogOutput1, {8, 40, 49, 21}},
        {f.Panel11, {0, 312, 225, 209}}, {f.iLabel23, {16, 8, 66, 13}}, {f.iAnalogDisplay5, {126, 13, 57, 21}},
        {f.iKnob2, {40, 48, 145, 137}}, {f.Panel10, {224, 312, 225, 209}}, {f.iLabel24, {16, 8, 66, 13}},
        {f.iAnalogDisplay6, {126, 13, 57, 21}}, {f.iKnob3, {40, 48, 145, 137}}, {f.Panel7, {448, 312, 185, 145}},
        {f.iAnalogDisplay1, {54, 21, 57, 21}}, {f.iLabel19, {20, 24, 21, 13}}, {f.iLabel16, {121, 23, 7, 13}},
        {f.Panel8, {632, 312, 169, 145}}, {f.iSwitchLed1, {312, 8, 177, 28}},
        {d.Panel1, {0, 0, 385, 193}}, {d.Label1, {24, 24, 42, 13}}, {d.Label3, {8, 56, 57, 13}},
        {d.Label4, {8, 72, 57, 13}}, {d.Label2, {8, 112, 54, 13}}, {d.Label5, {152, 24, 39, 13}},
        {d.Label6, {152, 72, 39, 13}}, {d.Label7, {152, 112, 39, 13}}, {d.Edit1, {72, 16, 41, 21}},
        {d.Edit2, {72, 64, 41, 21}}, {d.Edit3, {72, 104, 41, 21}}, {d.Edit4, {200, 16, 41, 21}},
        {d.Edit5, {200, 64, 41, 21}}, {d.Edit6, {200, 104, 41, 21}}, {d.BitBtn1, {96, 144, 89, 25}},
    };
    for (const auto& [control, bounds] : controls) {
        const QRect r = control->geometry();
        EXPECT_EQ(r, bounds) << control->metaObject()->className() << " at " << r.x() << ", " << r.y() << ", "
                             << r.width() << " x " << r.height();
    }
    EXPECT_EQ(f.size(), QSize(868, 551));
    EXPECT_EQ(d.size(), QSize(386, 193));
}

// The rectangle a caption's text covers, in its parent's coordinates, and whether the
// text fits inside its own control; nullopt for a control that shows no caption.
struct Caption {
    QRect text;
    bool fitsItsControl;
};

int Advance(const QFont& font, const QString& text)
{
    return QFontMetrics(font).horizontalAdvance(text.trimmed());
}

QString CaptionText(const QWidget* widget)
{
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* caption = qobject_cast<const TiLabel*>(widget))
        return caption->Caption();
    return QString();
}

std::optional<Caption> CaptionOf(const QWidget* widget)
{
    const QRect bounds = widget->geometry();
    if (CaptionText(widget).isEmpty())
        return std::nullopt;
    if (auto* label = qobject_cast<const QLabel*>(widget)) {
        const int advance = Advance(label->font(), label->text());
        const int left = label->alignment() & Qt::AlignHCenter ? bounds.x() + (bounds.width() - advance) / 2 : bounds.x();
        return Caption{QRect(left, bounds.y(), advance, bounds.height()), advance <= bounds.width()};
    }
    if (auto* box = qobject_cast<const QCheckBox*>(widget))
        return Caption{bounds, box->sizeHint().width() <= bounds.width()};
    if (auto* button = qobject_cast<const QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect inside = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        return Caption{bounds, Advance(button->font(), button->text()) <= inside.width()};
    }
    if (auto* caption = qobject_cast<const TiLabel*>(widget)) {
        // A wrapping caption breaks at blanks only: each word must fit on a line.
        bool fits = true;
        if (caption->WordWrap()) {
            for (const QString& word : caption->Caption().split(QLatin1Char(' ')))
                fits = fits && Advance(caption->Font()->ToQFont(), word) <= bounds.width();
        }
        return Caption{bounds, fits};
    }
    return std::nullopt;
}

// Problems of one caption: not fitting its control, running out of a panel that holds it,
// into a control beside it, or under a control stacked above its panel.
std::vector<std::string> CaptionProblems(const QWidget* widget, const Caption& caption)
{
    std::vector<std::string> problems;
    if (!caption.fitsItsControl)
        problems.push_back("does not fit its own control");
    QRect text = caption.text;
    const QWidget* node = widget;
    while (const QWidget* parent = node->parentWidget()) {
        if (!parent->rect().contains(text))
            problems.push_back(std::string("runs out of its ") + parent->metaObject()->className());
        const QObjectList& siblings = parent->children();
        // Beside the caption itself every control counts; further up only those stacked above.
        const qsizetype from = node == widget ? 0 : siblings.indexOf(node) + 1;
        for (qsizetype i = from; i < siblings.size(); ++i) {
            auto* other = qobject_cast<const QWidget*>(siblings[i]);
            if (other && other != node && !other->isWindow() && other->isVisible() &&
                other->geometry().intersects(text))
                problems.push_back(std::string("runs into a ") + other->metaObject()->className());
        }
        if (parent->isWindow())
            break;
        text.translate(parent->pos());
        node = parent;
    }
    return problems;
}

void ExpectNoCaptionClipped(const QWidget& window, const char* language)
{
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        if (const std::optional<Caption> caption = CaptionOf(widget)) {
            for (const std::string& problem : CaptionProblems(widget, *caption))
                ADD_FAILURE() << language << " " << widget->metaObject()->className() << " \""
                              << CaptionText(widget).toStdString() << "\" at " << widget->x() << ", "
                              << widget->y() << ": " << problem;
        }
    }
}

TEST(ConsoleLayout, NoCaptionIsClippedInEitherLanguage)
{
    for (const auto& [language, name] : {std::pair{ConsoleLanguage::Chinese, "Chinese"},
                                         std::pair{ConsoleLanguage::English, "English"}}) {
        WindowsIn windows(language);
        ExpectNoCaptionClipped(*windows.form, name);
        ExpectNoCaptionClipped(*windows.dialog, name);
        // The open/close button alternates; its other caption must fit as well.
        windows.form->BitBtn7->setText(TForm1::CloseCaption());
        ExpectNoCaptionClipped(*windows.form, name);
    }
}

}  // namespace
