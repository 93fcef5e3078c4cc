// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/console_extras.h"
#include "app/console_language.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/quit_on_signals.h"
#include "platform/canvas/font_setup_in_background.h"
#include "widgets/accessibility/instrument_accessibility.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

namespace {

// The console reads two options of its own: --port NAME (or --port=NAME), which sets the
// port combo's initial text, and --lang en|zh (console_language.h).
QString PortOption(const QStringList& arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--port") && i + 1 < arguments.size())
            return arguments[i + 1];
        if (argument.startsWith(QLatin1String("--port=")))
            return argument.mid(7);
    }
    return QString();
}

}  // namespace

int main(int argc, char** argv)
{
    CatchTerminationSignals();
    FontSetupInBackground fontSetup;  // overlaps the display connection
    QApplication application(argc, argv);
    QuitOnTerminationSignals(application);
    fontSetup.Wait();
    InstallInstrumentAccessibility();
    const LanguageChoice language = LanguageFromArguments(application.arguments());
    if (!language.error.isEmpty())
        std::fprintf(stderr, "softstarter-console: %s\n", qPrintable(language.error));
    const ConsoleTranslation translation(language.language);
    if (!translation.Loaded())
        std::fprintf(stderr, "softstarter-console: the English translation is missing; the console starts in Chinese\n");
    TForm1 form1(PortOption(application.arguments()));
    TForm2 form2;  // created hidden after the main window; nothing shows it
    InstallConsoleExtras(form1);
    form1.show();
    return application.exec();
}
