// console-running-cost: the console's main window, driven as an operator would for a
// running-cost measurement. It opens the port given with --port, ticks communication and,
// with --toggle-run SECONDS, presses the run/stop switch every SECONDS so the motor ramps
// up and down. It counts paint events and answers commands read from stdin:
//   report   prints one line of counters (see PrintReport)
//   toggle   presses the run/stop switch once
// End of input closes the window and ends the program. --log-paints writes each paint of
// an instrument to stderr.
//
// With --exit-after-first-paint it prints the start-up figures once the main window has
// been painted and quits; the start-up benchmark runs it that way.
//
// Times are measured from the moment given in the environment variable
// CONSOLE_LAUNCH_NS (CLOCK_REALTIME nanoseconds, set by whoever launches the process),
// or from the start of main() when it is missing.

#include "app/form1.h"
#include "app/form2.h"
#include "bench/launch_clock.h"
#include "platform/font_setup_in_background.h"
#include "widgets/component.h"
#include "widgets/switch_led.h"

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
    }
    return options;
}

// Counts paint events of every widget and notes when the main window was first mapped
// (exposed) and first painted.
class PaintWatch : public QObject {
public:
    PaintWatch(QWidget& mainWindow, std::int64_t launchNs) : mainWindow_(mainWindow), launchNs_(launchNs) {}

    double mainMs = -1;                  // launch to main()
    double applicationMs = -1;           // launch to the application object made
    double windowBuiltMs = -1;           // launch to the main window built
    std::uint64_t paints = 0;            // paint events of any widget
    std::uint64_t instrumentPaints = 0;  // of instrument widgets
    double mappedMs = -1;
    double firstPaintMs = -1;
    std::function<void()> OnFirstPaint;
    bool logPaints = false;  // each paint of an instrument to stderr, with its class and time

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && mappedMs < 0 && watched == mainWindow_.windowHandle()
            && mainWindow_.windowHandle()->isExposed())
            mappedMs = SinceLaunchMs();
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            ++paints;
            if (qobject_cast<TiComponent*>(watched) != nullptr) {
                ++instrumentPaints;
                if (logPaints)
                    std::fprintf(stderr, "paint %s %s at %.0f ms\n", watched->metaObject()->className(),
                                 qPrintable(static_cast<QWidget*>(watched)->geometry().topLeft() == QPoint() ? QString() : QStringLiteral("(%1,%2)").arg(static_cast<QWidget*>(watched)->x()).arg(static_cast<QWidget*>(watched)->y())),
                                 SinceLaunchMs());
            }
            if (watched == &mainWindow_ && firstPaintMs < 0) {
                firstPaintMs = SinceLaunchMs();
                // Reported after this paint has finished.
                if (OnFirstPaint)
                    QTimer::singleShot(0, this, OnFirstPaint);
            }
        }
        return false;
    }

public:
    double SinceLaunchMs() const { return static_cast<double>(RealtimeNs() - launchNs_) / 1e6; }

private:
    QWidget& mainWindow_;
    std::int64_t launchNs_;
};

void PrintReport(const PaintWatch& watch, TForm1& form)
{
    const ReplyCounts& replies = form.Link().Replies();
    std::printf("report main_ms=%.1f application_ms=%.1f window_built_ms=%.1f mapped_ms=%.1f first_paint_ms=%.1f paints=%llu instrument_paints=%llu "
                "replies_decoded=%llu replies_dropped=%llu replies_rejected=%llu port_open=%d\n",
                watch.mainMs, watch.applicationMs, watch.windowBuiltMs, watch.mappedMs, watch.firstPaintMs, static_cast<unsigned long long>(watch.paints),
                static_cast<unsigned long long>(watch.instrumentPaints),
                static_cast<unsigned long long>(replies.Decoded),
                static_cast<unsigned long long>(replies.Dropped),
                static_cast<unsigned long long>(replies.Rejected), form.Comm1->IsOpen() ? 1 : 0);
    std::fflush(stdout);
}

void StartCommunication(TForm1& form)
{
    form.ShowMessage = [](const QString& text) {
        std::fprintf(stderr, "console message: %s\n", qPrintable(text));
    };
    form.BitBtn7Click();
    form.CheckBox2->setChecked(true);
    form.CheckBox2Click();
}

void HandleCommand(const std::string& command, const PaintWatch& watch, TForm1& form)
{
    if (command == "report")
        PrintReport(watch, form);
    else if (command == "toggle")
        form.iSwitchLed1Change(form.iSwitchLed1);
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
    PaintWatch watch(form1, launchNs);
    watch.mainMs = static_cast<double>(mainNs - launchNs) / 1e6;
    watch.applicationMs = static_cast<double>(applicationNs - launchNs) / 1e6;
    watch.windowBuiltMs = watch.SinceLaunchMs();
    watch.logPaints = options.logPaints;
    application.installEventFilter(&watch);

    if (options.exitAfterFirstPaint) {
        watch.OnFirstPaint = [&] {
            PrintReport(watch, form1);
            application.quit();
        };
        form1.show();
        return application.exec();
    }

    form1.show();
    if (!options.port.isEmpty())
        StartCommunication(form1);

    QTimer toggleTimer;
    if (options.toggleRunSeconds > 0) {
        QObject::connect(&toggleTimer, &QTimer::timeout, &form1, [&] { form1.iSwitchLed1Change(form1.iSwitchLed1); });
        toggleTimer.start(options.toggleRunSeconds * 1000);
    }

    // Commands arrive one per line on stdin; end of input quits.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    std::string pending;
    QObject::connect(&input, &QSocketNotifier::activated, &application, [&] {
        char buffer[256];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count <= 0) {
            input.setEnabled(false);
            application.quit();
            return;
        }
        pending.append(buffer, static_cast<std::size_t>(count));
        for (std::size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
            HandleCommand(pending.substr(0, end), watch, form1);
            pending.erase(0, end + 1);
        }
    });
    std::printf("ready\n");
    std::fflush(stdout);
    return application.exec();
}
