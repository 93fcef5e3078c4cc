// SPDX-License-Identifier: GPL-3.0-or-later
// console-screenshot: runs the console window against a device (normally the simulator),
// does what an operator does first (open the port, tick "通讯", start the motor), lets it
// run for a while and saves a picture of the window, in Chinese or, given the language "en",
// in English. Used for the README's screenshots. With --trend it saves the trend window
// instead, after two recorded starts with the first drawn over the second.
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

// Two starts with a stop between them; the first start drawn over the second.
bool SaveTrendWindow(TForm1& form, ExtraWindowsMenu& menu, const QString& path)
{
    auto* window = qobject_cast<TrendWindow*>(menu.Open(form.actions().value(0)));
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
    return window->grab().save(path);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: console-screenshot PORT OUTPUT.png [SECONDS | --trend [en|zh]]\n");
        return 2;
    }
    const bool trend = arguments.size() > 3 && arguments[3] == QLatin1String("--trend");
    const int seconds = arguments.size() > 3 && !trend ? arguments[3].toInt() : 8;
    // The language as the console's --lang option takes it.
    const QString languageName = arguments.size() > 4 ? arguments[4] : QStringLiteral("zh");
    const LanguageChoice language = LanguageFromArguments({arguments[0], QStringLiteral("--lang"), languageName});
    if (!language.error.isEmpty()) {
        std::fprintf(stderr, "console-screenshot: %s\n", qPrintable(language.error));
        return 2;
    }
    const ConsoleTranslation translation(language.language);
    if (!translation.Loaded())
        return 1;

    TForm1 form(arguments[1]);
    ExtraWindowsMenu& menu = InstallConsoleExtras(form);
    form.ShowMessage = [](const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); };
    form.show();
    form.BitBtn7->click();
    if (!form.Comm1->IsOpen())
        return 1;
    form.CheckBox2->click();
    RunFor(4000);  // the first poll cycle reads the device's state
    if (trend) {
        if (form.iSwitchLed1->Caption() != QLatin1String("RUN") || !SaveTrendWindow(form, menu, arguments[2]))
            return 1;
        std::printf("saved %s\n", qPrintable(arguments[2]));
        return 0;
    }
    if (form.iSwitchLed1->Caption() == QLatin1String("RUN"))
        form.iSwitchLed1->SetActive(!form.iSwitchLed1->Active());  // start the motor
    RunFor(seconds * 1000);
    if (!form.grab().save(arguments[2]))
        return 1;
    std::printf("saved %s\n", qPrintable(arguments[2]));
    return 0;
}
