// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTranslator>

namespace Quillet {

QString interfaceLanguageKey(InterfaceLanguage language)
{
    switch (language) {
    case InterfaceLanguage::Russian:
        return QStringLiteral("ru");
    case InterfaceLanguage::English:
        return QStringLiteral("en");
    case InterfaceLanguage::System:
        break;
    }
    return QStringLiteral("system");
}

InterfaceLanguage interfaceLanguageFromKey(const QString& key)
{
    if (key == QLatin1String("ru"))
        return InterfaceLanguage::Russian;
    if (key == QLatin1String("en"))
        return InterfaceLanguage::English;
    return InterfaceLanguage::System;
}

namespace {
QString g_installed;
}

QString languageCodeOf(const QString& localeName)
{
    // The language is what comes before the territory, the encoding or the modifier.
    static const QRegularExpression separators(QStringLiteral("[_.@-]"));
    const QString language = localeName.section(separators, 0, 0);
    return language.compare(QLatin1String("ru"), Qt::CaseInsensitive) == 0 ? QStringLiteral("ru")
                                                                           : QStringLiteral("en");
}

QString currentInterfaceLanguage()
{
    return g_installed.isEmpty() ? languageCodeOf(QLocale().name()) : g_installed;
}

QString interfaceLanguageCode(InterfaceLanguage choice, const QLocale& system)
{
    if (choice != InterfaceLanguage::System)
        return interfaceLanguageKey(choice);
    const QStringList languages = system.uiLanguages();
    return languageCodeOf(languages.isEmpty() ? system.name() : languages.first());
}

bool installTranslations(QCoreApplication& app, const QString& code)
{
    g_installed = code;
    // Qt's own texts (standard buttons, file dialogs) are English unless translated.
    auto* qt = new QTranslator(&app);
    if (qt->load(QLocale(code), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    if (code == QLatin1String("ru"))
        return true;
    auto* ours = new QTranslator(&app);
    if (!ours->load(QStringLiteral(":/i18n/quillet_%1.qm").arg(code))) {
        delete ours;
        g_installed = QStringLiteral("ru");
        return false;
    }
    QCoreApplication::installTranslator(ours);
    return true;
}

} // namespace Quillet
