// SPDX-License-Identifier: GPL-3.0-or-later
// console-screenshot: runs the console window against a device (normally the simulator),
// does what an operator does first (open the port, tick "通讯", start the motor), lets it
// run for a while and saves a picture of the window. Used for the README's screenshots.
//
//   console-screenshot PORT OUTPUT.png [--seconds N] [--lang en|zh] [--diagnostics DIAG.png]
//   console-screenshot PORT OUTPUT.png --trend [--lang en|zh]
//
// --diagnostics also opens the diagnostics window from the start and saves a picture of it
// as well; --trend saves the trend window instead, after two recorded starts with the
// first drawn over the second.
#include "app/console_extras.h"
#include "app/console_language.h"
#include "app/extra_windows_menu.h"
#include "app/form1.h"
#include "app/trend/trend_chart.h"
#include "app/trend/trend_window.h"
#include "widgets/indicators/switch_led.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>

#include <functional>

#include <cstdio>

namespace {

void RunFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

bool RunUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return done();
}

void PressRunStop(TForm1& form)
{
    form.iSwitchLed1->SetActive(!form.iSwitchLed1->Active());
}

bool Save(QWidget& window, const QString& path)
{
    if (!window.grab().save(path))
        return false;
    std::printf("saved %s\n", qPrintable(path));
    return true;
}

// Two starts with a stop between them; the first start drawn over the second.
bool SaveTrendWindow(TForm1& form, const ConsoleExtras& extras, const QString& path)
{
    auto* window = qobject_cast<TrendWindow*>(extras.menu.Open(extras.trend));
    if (!window) return false;
    window->FollowBox()->setChecked(true);
    const auto records = [window] { return window->RecordTable()->rowCount(); };
    for (int start = 1; start <= 2; ++start) {
        PressRunStop(form);
        if (!RunUntil([&] { return records() == start; }, 60000)) return false;
        if (start == 1) {
            RunFor(2000);
            PressRunStop(form);   // stop, and let it ramp down
            RunFor(12000);
        }
    }
    RunFor(3000);
    window->RecordTable()->selectRow(1);
    window->OverlayRecord(1);
    window->Chart()->ZoomBy(0.5);   // about the last minute
    window->Chart()->ShowLive();
    RunFor(600);
    return Save(*window, path);
}

struct Options {
    QString port;
    QString output;
    int seconds = 8;
    QString language = QStringLiteral("zh");
    QString diagnosticsOutput;
    bool trend = false;
    QString error;
};

Options ParseOptions(const QStringList& arguments)
{
    Options options;
    if (arguments.size() < 3) {
        options.error = QStringLiteral("usage: console-screenshot PORT OUTPUT.png [--seconds N] [--lang en|zh] "
                                       "[--diagnostics DIAG.png | --trend]");
        return options;
    }
    options.port = arguments[1];
    options.output = arguments[2];
    for (int i = 3; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--trend")) {
            options.trend = true;
        } else if (argument == QLatin1String("--seconds") && hasValue) {
            options.seconds = arguments[++i].toInt();
        } else if (argument == QLatin1String("--lang") && hasValue) {
            options.language = arguments[++i];
        } else if (argument == QLatin1String("--diagnostics") && hasValue) {
            options.diagnosticsOutput = arguments[++i];
        } else {
            options.error = QStringLiteral("console-screenshot: unknown or incomplete option %1").arg(argument);
        }
    }
    return options;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const Options options = ParseOptions(application.arguments());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(options.error));
        return 2;
    }
    // The language as the console's --lang option takes it.
    const LanguageChoice language = LanguageFromArguments({QString(), QStringLiteral("--lang"), options.language});
    if (!language.error.isEmpty()) {
        std::fprintf(stderr, "console-screenshot: %s\n", qPrintable(language.error));
        return 2;
    }
    const ConsoleTranslation translation(language.language);
    if (!translation.Loaded())
        return 1;

    TForm1 form(options.port);
    const ConsoleExtras extras = InstallConsoleExtras(form);
    form.ShowMessage = [](const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); };
    form.ShowDetailedMessage = [](const QString& text, const QString& detail) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(text), qPrintable(detail));
    };
    form.show();
    QWidget* diagnostics = options.diagnosticsOutput.isEmpty() ? nullptr : extras.menu.Open(extras.diagnostics);
    form.BitBtn7->click();
    if (!form.Comm1->IsOpen())
        return 1;
    form.CheckBox2->click();
    RunFor(4000);  // the first poll cycle reads the device's state
    if (options.trend) {
        const bool stopped = form.iSwitchLed1->Caption() == QLatin1String("RUN");
        return stopped && SaveTrendWindow(form, extras, options.output) ? 0 : 1;
    }
    if (form.iSwitchLed1->Caption() == QLatin1String("RUN"))
        form.iSwitchLed1->SetActive(!form.iSwitchLed1->Active());  // start the motor
    RunFor(options.seconds * 1000);
    if (!Save(form, options.output))
        return 1;
    if (diagnostics && !Save(*diagnostics, options.diagnosticsOutput))
        return 1;
    return 0;
}
