// SPDX-License-Identifier: GPL-3.0-or-later
// console-running-cost: the console's main window, driven as an operator would for a
// running-cost measurement. It opens the port given with --port, ticks communication and,
// with --toggle-run SECONDS, presses the run/stop switch every SECONDS so the motor ramps
// up and down. It counts paint events and answers commands read from stdin:
//   report   prints one line of counters (see PrintReport)
//   toggle   presses the run/stop switch once
// End of input closes the window and ends the program. --log-paints writes each paint of
// an instrument to stderr. --trend opens the trend window beside the main window, as
// its shortcut does; --follow-the-start also ticks its "follow the start" choice.
//
// With --diagnostics closed the main window gets its extra windows' menu as the program
// gives it (the link statistics then count all the time); with --diagnostics open the
// diagnostics window is opened as well, so its running cost is measured with it.
//
// With --exit-after-first-paint it prints the start-up figures once the main window has
// been painted and quits; the start-up benchmark runs it that way.
//
// Times are measured from the moment given in the environment variable
// CONSOLE_LAUNCH_NS (CLOCK_REALTIME nanoseconds, set by whoever launches the process),
// or from the start of main() when it is missing.

#include "app/console_extras.h"
#include "app/extra_windows_menu.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/trend/trend_window.h"
#include "bench/measured_window.h"
#include "platform/canvas/font_setup_in_background.h"
#include "widgets/base/component.h"
#include "widgets/indicators/switch_led.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QSocketNotifier>
#include <QTimer>
#include <QWindow>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <unistd.h>

namespace {

struct Options {
    QString port;
    int toggleRunSeconds = 0;
    bool exitAfterFirstPaint = false;
    bool logPaints = false;
    bool trend = false;
    bool followTheStart = false;
    QString diagnostics;   // "", "closed" or "open"
};

Options ParseOptions(const QStringList& arguments)
{
    Options options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--port") && hasValue)
            options.port = arguments[++i];
        else if (argument == QLatin1String("--toggle-run") && hasValue)
            options.toggleRunSeconds = arguments[++i].toInt();
        else if (argument == QLatin1String("--exit-after-first-paint"))
            options.exitAfterFirstPaint = true;
        else if (argument == QLatin1String("--log-paints"))
            options.logPaints = true;
        else if (argument == QLatin1String("--trend"))
            options.trend = true;
        else if (argument == QLatin1String("--follow-the-start"))
            options.trend = options.followTheStart = true;
        else if (argument == QLatin1String("--diagnostics") && hasValue)
            options.diagnostics = arguments[++i];
    }
    return options;
}

ReplyFigures Replies(TForm1& form)
{
    const ReplyCounts& counts = form.Link().Replies();
    ReplyFigures figures;
    figures.decoded = counts.Decoded;
    figures.dropped = counts.Dropped;
    figures.rejected = counts.Rejected;
    figures.portOpen = form.Comm1->IsOpen();
    return figures;
}

// Each paint of an instrument to stderr, with its class, place and time.
void LogPaint(const PaintWatch& watch, QWidget* widget)
{
    const QString place = widget->pos() == QPoint() ? QString() : QStringLiteral("(%1,%2)").arg(widget->x()).arg(widget->y());
    std::fprintf(stderr, "paint %s %s at %.0f ms\n", widget->metaObject()->className(), qPrintable(place),
                 watch.SinceLaunchMs());
}

void StartCommunication(TForm1& form)
{
    form.ShowMessage = [](const QString& text) {
        std::fprintf(stderr, "console message: %s\n", qPrintable(text));
    };
    form.ShowDetailedMessage = [](const QString& text, const QString& detail) {
        std::fprintf(stderr, "console message: %s %s\n", qPrintable(text), qPrintable(detail));
    };
    form.BitBtn7Click();
    form.CheckBox2->setChecked(true);
    form.CheckBox2Click();
}

void HandleCommand(const std::string& command, const PaintWatch& watch, TForm1& form)
{
    if (command == "report")
        PrintReport(watch, Replies(form));
    else if (command == "toggle")
        form.iSwitchLed1Change(form.iSwitchLed1);
}

// The extra windows' menu as the program gives it, with the windows asked for opened.
void OpenExtraWindows(const ConsoleExtras& extras, const Options& options)
{
    if (options.diagnostics == QLatin1String("open"))
        extras.menu.Open(extras.diagnostics);
    if (!options.trend)
        return;
    auto* window = qobject_cast<TrendWindow*>(extras.menu.Open(extras.trend));
    if (!window) {
        std::fprintf(stderr, "no trend window\n");
        std::exit(1);
    }
    if (options.followTheStart) window->FollowBox()->setChecked(true);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::int64_t mainNs = RealtimeNs();
    const std::int64_t launchNs = LaunchNs(mainNs);
    FontSetupInBackground fontSetup;
    QApplication application(argc, argv);
    const std::int64_t applicationNs = RealtimeNs();
    fontSetup.Wait();
    const Options options = ParseOptions(application.arguments());

    TForm1 form1(options.port);
    TForm2 form2;
    PaintWatch watch(form1, launchNs, [](QObject* widget) { return qobject_cast<TiComponent*>(widget) != nullptr; });
    watch.NoteStartUp(mainNs, applicationNs);
    if (options.logPaints)
        watch.OnInstrumentPaint = [&watch](QWidget* widget) { LogPaint(watch, widget); };
    application.installEventFilter(&watch);

    if (options.exitAfterFirstPaint) {
        watch.OnFirstPaint = [&] {
            PrintReport(watch, Replies(form1));
            application.quit();
        };
        form1.show();
        return application.exec();
    }

    form1.show();
    if (options.trend || !options.diagnostics.isEmpty())
        OpenExtraWindows(InstallConsoleExtras(form1), options);
    if (!options.port.isEmpty())
        StartCommunication(form1);

    QTimer toggleTimer;
    if (options.toggleRunSeconds > 0) {
        QObject::connect(&toggleTimer, &QTimer::timeout, &form1, [&] { form1.iSwitchLed1Change(form1.iSwitchLed1); });
        toggleTimer.start(options.toggleRunSeconds * 1000);
    }

    // Commands arrive one per line on stdin; end of input quits.
    CommandReader commands([&](const std::string& command) { HandleCommand(command, watch, form1); });
    std::printf("ready\n");
    std::fflush(stdout);
    return application.exec();
}
