// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the console's language: --lang en or zh on the command line, Chinese without
// it or on bad input, whatever the session's locale (this suite runs in an English one).
#include "app/console_language.h"
#include "app/form1.h"
#include "app/form2.h"

#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <csignal>

#include <gtest/gtest.h>

namespace {

TEST(ConsoleLanguageOption, ChoosesFromTheCommandLineAndStaysChineseOnBadInput)
{
    const auto zh = ConsoleLanguage::Chinese;
    const auto en = ConsoleLanguage::English;
    struct Case {
        QStringList arguments;  // after the program's name
        ConsoleLanguage language;
        bool error;
    };
    const Case cases[] = {
        {{}, zh, false},
        {{"--lang", "en"}, en, false},
        {{"--lang=en"}, en, false},
        {{"--lang", "zh"}, zh, false},
        {{"--lang=zh"}, zh, false},
        {{"--port", "/dev/ttyUSB0", "--lang", "en"}, en, false},
        {{"--lang=en", "--lang", "zh"}, en, false},  // the first one counts, as for --port
        {{"--language", "en"}, zh, false},           // not the console's option
        {{"en"}, zh, false},
        {{"--lang", "fr"}, zh, true},
        {{"--lang", "EN"}, zh, true},
        {{"--lang", "en_US"}, zh, true},
        {{"--lang=en "}, zh, true},
        {{"--lang"}, zh, true},
        {{"--lang="}, zh, true},
        {{"--lang", ""}, zh, true},
        {{"--lang", QString(100000, QLatin1Char('x'))}, zh, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).left(40).toStdString());
        const LanguageChoice choice = LanguageFromArguments(QStringList{"softstarter-console"} + c.arguments);
        EXPECT_EQ(choice.language, c.language);
        EXPECT_EQ(!choice.error.isEmpty(), c.error) << choice.error.toStdString();
        if (c.error) {
            // The message names the option, the choices and what the console does instead.
            for (const char* part : {"--lang", "en", "zh", "Chinese"})
                EXPECT_TRUE(choice.error.contains(QLatin1String(part))) << choice.error.toStdString();
        }
    }
}

// The session is English (the suite's environment), yet the console is Chinese unless
// asked; an English translation goes again with its ConsoleTranslation.
TEST(ConsoleLanguage, AnEnglishSessionLeavesTheConsoleChinese)
{
    ASSERT_EQ(QLocale::system().language(), QLocale::English) << "the suite runs with LC_ALL=en_US.UTF-8";
    ASSERT_EQ(QLocale().language(), QLocale::English);

    const LanguageChoice choice = LanguageFromArguments({"softstarter-console"});
    ASSERT_EQ(choice.language, ConsoleLanguage::Chinese);
    {
        const ConsoleTranslation translation(choice.language);
        EXPECT_TRUE(translation.Loaded());
        TForm1 form;
        TForm2 dialog;
        EXPECT_EQ(form.Label1->text(), QStringLiteral("Y5  控制界面"));
        EXPECT_EQ(form.CheckBox2->text(), QStringLiteral("通讯"));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("修改参数"));
    }
    {
        const ConsoleTranslation translation(ConsoleLanguage::English);
        ASSERT_TRUE(translation.Loaded());
        TForm1 form;
        EXPECT_EQ(form.Label1->text(), QStringLiteral("Y5  Control Panel"));
        EXPECT_EQ(TForm1::OpenCaption(), QStringLiteral("Open port"));
    }
    TForm1 after;
    EXPECT_EQ(after.Label1->text(), QStringLiteral("Y5  控制界面"));
}

// The program itself: a bad --lang is reported on stderr and the console still starts (in
// Chinese) rather than leaving the operator without it.
TEST(ConsoleLanguageOption, TheProgramReportsABadLanguageAndStartsAnyway)
{
    for (const QStringList& bad : {QStringList{"--lang", "fr"}, QStringList{"--lang"}}) {
        SCOPED_TRACE(bad.join(QLatin1Char(' ')).toStdString());
        QProcess console;
        console.setReadChannel(QProcess::StandardError);
        console.start(QStringLiteral(CONSOLE_PROGRAM), QStringList{"--port", "/nonexistent/ttyNothing"} + bad);
        ASSERT_TRUE(console.waitForStarted(10000));
        QByteArray errors;  // Qt may warn first; the console's line ends with what it does instead
        while (!errors.contains("starts in Chinese\n") && console.waitForReadyRead(20000))
            errors += console.readAll();
        EXPECT_TRUE(errors.contains("softstarter-console: ")) << errors.toStdString();
        EXPECT_TRUE(errors.contains("--lang")) << errors.toStdString();
        EXPECT_TRUE(errors.contains("starts in Chinese\n")) << errors.toStdString();
        // Still running a while later: it did not give up on the bad option.
        EXPECT_FALSE(console.waitForFinished(1500)) << "exit code " << console.exitCode();
        console.terminate();
        ASSERT_TRUE(console.waitForFinished(20000));
    }
}

// SIGTERM, SIGINT and SIGHUP end the program as closing its window would: status 0, not
// death by the signal.
TEST(ConsoleProgram, EndsCleanlyOnTerminationSignals)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        QProcess console;
        console.start(QStringLiteral(CONSOLE_PROGRAM), QStringList{"--port", "/nonexistent/ttyNothing"});
        ASSERT_TRUE(console.waitForStarted(10000));
        // Once the program has set its handler, the signal is caught, whenever it comes.
        const QString status = QStringLiteral("/proc/%1/status").arg(console.processId());
        const auto caught = [&]() -> bool {
            QFile file(status);
            if (!file.open(QIODevice::ReadOnly)) return false;
            for (const QByteArray& line : file.readAll().split('\n'))
                if (line.startsWith("SigCgt:")) return ((line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1) != 0;
            return false;
        };
        QDeadlineTimer deadline(20000);
        while (!caught() && !deadline.hasExpired() && console.state() == QProcess::Running) QThread::msleep(10);
        ASSERT_TRUE(caught());
        ::kill(static_cast<pid_t>(console.processId()), signal);
        ASSERT_TRUE(console.waitForFinished(20000));
        EXPECT_EQ(console.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(console.exitCode(), 0);
    }
}

}  // namespace
