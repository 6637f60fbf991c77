// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace Quillet {

/// The language the user chose for the interface: the system's, or one of ours.
enum class InterfaceLanguage { System, Russian, English };

/// The stored form of a choice ("system", "ru", "en") and back; anything else reads as
/// System.
QString interfaceLanguageKey(InterfaceLanguage language);
InterfaceLanguage interfaceLanguageFromKey(const QString& key);

/// "ru" when the locale named `localeName` ("ru_RU.UTF-8", "ru", "en_US", …) is Russian,
/// "en" for every other one: the interface has these two languages.
QString languageCodeOf(const QString& localeName);

/// The language the interface speaks, "ru" or "en": the chosen one, or for System the
/// language of the locale's first interface language (languageCodeOf).
QString interfaceLanguageCode(InterfaceLanguage choice, const QLocale& system = QLocale::system());

/// The language installTranslations installed last; before any, the default locale's.
QString currentInterfaceLanguage();

/// Installs the translations the code needs into `app`: ours (the texts are written in
/// Russian, so Russian needs none of ours) and Qt's own for its standard buttons and
/// dialogs. Returns false when our translation for the code cannot be loaded, in which
/// case the interface stays in Russian.
bool installTranslations(QCoreApplication& app, const QString& code);

} // namespace Quillet
