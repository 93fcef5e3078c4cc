// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/console_language.h"

#include <QCoreApplication>

#include <optional>

namespace {

const QString LanguageOption = QStringLiteral("--lang");

// The text after --lang (the next argument) or --lang=; nullopt when the option is absent,
// an empty text when it names nothing.
std::optional<QString> LanguageArgument(const QStringList& arguments)
{
    const QString joined = LanguageOption + QLatin1Char('=');
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == LanguageOption)
            return i + 1 < arguments.size() ? arguments[i + 1] : QString();
        if (argument.startsWith(joined))
            return argument.mid(joined.size());
    }
    return std::nullopt;
}

}  // namespace

LanguageChoice LanguageFromArguments(const QStringList& arguments)
{
    const std::optional<QString> name = LanguageArgument(arguments);
    if (!name || *name == QLatin1String("zh"))
        return {ConsoleLanguage::Chinese, QString()};
    if (*name == QLatin1String("en"))
        return {ConsoleLanguage::English, QString()};
    // Messages about the command line are in English, as the command line and its manual are.
    const QString error = name->isEmpty()
        ? QStringLiteral("--lang needs a language: en (English) or zh (Chinese)")
        : QStringLiteral("unknown language \"%1\" for --lang: use en (English) or zh (Chinese)").arg(*name);
    return {ConsoleLanguage::Chinese, error + QStringLiteral("; the console starts in Chinese")};
}

ConsoleTranslation::ConsoleTranslation(ConsoleLanguage language) : language_(language)
{
    if (language_ != ConsoleLanguage::English)
        return;
    // Built from app/translations/console_en.ts and carried in the program as a resource.
    installed_ = translator_.load(QStringLiteral(":/i18n/console_en.qm")) &&
                 QCoreApplication::installTranslator(&translator_);
}

ConsoleTranslation::~ConsoleTranslation()
{
    if (installed_)
        QCoreApplication::removeTranslator(&translator_);
}
