// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>

// The console's language. Chinese is the console's own, the language its texts are written
// in; English is a translation shown only when asked for on the command line (--lang en).
// The locale of the session plays no part: the texts are part of what the console is.
enum class ConsoleLanguage { Chinese, English };

struct LanguageChoice {
    ConsoleLanguage language = ConsoleLanguage::Chinese;
    QString error;  // why the option was not taken (the console then stays Chinese); empty if it was
};

// Reads --lang NAME or --lang=NAME (the first one given): "zh" is Chinese, "en" English.
// No option is Chinese; a missing or unknown name is Chinese with an error to report.
LanguageChoice LanguageFromArguments(const QStringList& arguments);

// While it exists, the application's texts are in `language`: for English it installs
// the English translation built into the program, for Chinese nothing.
class ConsoleTranslation {
public:
    explicit ConsoleTranslation(ConsoleLanguage language);
    ~ConsoleTranslation();
    ConsoleTranslation(const ConsoleTranslation&) = delete;
    ConsoleTranslation& operator=(const ConsoleTranslation&) = delete;

    // False when the translation asked for could not be loaded (the texts stay Chinese).
    bool Loaded() const { return installed_ || language_ == ConsoleLanguage::Chinese; }

private:
    ConsoleLanguage language_;
    QTranslator translator_;
    bool installed_ = false;
};
