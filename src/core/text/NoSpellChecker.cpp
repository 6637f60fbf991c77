// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The SpellChecker of a build without Hunspell: no dictionary ever loads, so a check stops
// at once with the reason, which the spelling dialog shows.

#include "core/text/SpellCheck.h"

#include "core/common/Errors.h"

#include <QCoreApplication>

namespace Quillet {

struct SpellChecker::Engine {};

QString spellCheckUnavailableReason()
{
    return QCoreApplication::translate(
        "Quillet::NoSpellChecker", "Проверка орфографии недоступна: программа собрана без Hunspell "
                                   "(нужен пакет libhunspell-dev).");
}

SpellChecker::SpellChecker(const SpellDictionary& dictionary, const QStringList&)
    : m_dictionary(dictionary)
{
    throw FileError(spellCheckUnavailableReason());
}

SpellChecker::~SpellChecker() = default;

bool SpellChecker::isCorrect(const QString&) const
{
    return false;
}

QStringList SpellChecker::suggestions(const QString&) const
{
    return {};
}

void SpellChecker::addWord(const QString&) {}

} // namespace Quillet
