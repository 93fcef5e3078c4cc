// SPDX-License-Identifier: GPL-3.0-or-later
// console-screenshot: runs the console window against a device (normally the simulator),
// does what an operator does first (open the port, tick "通讯", start the motor), lets it
// run for a while and saves a picture of the window. Used for the README's screenshots:
// given a fourth argument, it also opens the diagnostics window from the start and saves
// a picture of that window there.
#include "app/console_extras.h"
#include "app/extra_windows_menu.h"
#include "app/form1.h"
#include "widgets/indicators/switch_led.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QThread>

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

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: console-screenshot PORT OUTPUT.png [SECONDS [DIAGNOSTICS.png]]\n");
        return 2;
    }
    const int seconds = arguments.size() > 3 ? arguments[3].toInt() : 8;

    TForm1 form(arguments[1]);
    form.ShowMessage = [](const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); };
    form.ShowDetailedMessage = [](const QString& text, const QString& detail) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(text), qPrintable(detail));
    };
    form.show();
    QWidget* diagnostics = nullptr;
    if (arguments.size() > 4) {
        ExtraWindowsMenu& menu = InstallConsoleExtras(form);
        for (QAction* action : form.actions())
            if (action->text() == QStringLiteral("通讯诊断")) diagnostics = menu.Open(action);
    }
    form.BitBtn7->click();
    if (!form.Comm1->IsOpen())
        return 1;
    form.CheckBox2->click();
    RunFor(4000);  // the first poll cycle reads the device's state
    if (form.iSwitchLed1->Caption() == QLatin1String("RUN"))
        form.iSwitchLed1->SetActive(!form.iSwitchLed1->Active());  // start the motor
    RunFor(seconds * 1000);
    if (!form.grab().save(arguments[2]))
        return 1;
    std::printf("saved %s\n", qPrintable(arguments[2]));
    if (diagnostics) {
        if (!diagnostics->grab().save(arguments[4]))
            return 1;
        std::printf("saved %s\n", qPrintable(arguments[4]));
    }
    return 0;
}
