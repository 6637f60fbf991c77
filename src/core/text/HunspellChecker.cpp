// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// SpellChecker over Hunspell; NoSpellChecker.cpp stands in for it in builds without it.

#include "core/text/SpellCheck.h"

#include "core/common/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <hunspell.hxx>

namespace Quillet {
namespace {

// Hunspell's names for the 8-bit encodings its dictionaries declare, in the spelling the
// converters know.
QByteArray converterName(const QString& encoding)
{
    const QString upper = encoding.trimmed().toUpper();
    if (upper.startsWith(QLatin1String("MICROSOFT-CP")))
        return "windows-" + upper.mid(12).toLatin1();
    if (upper.startsWith(QLatin1String("ISO8859-")))
        return "ISO-8859-" + upper.mid(8).toLatin1();
    if (upper == QLatin1String("TIS620-2533"))
        return "TIS-620";
    return upper.toLatin1();
}

} // namespace

struct SpellChecker::Engine {
    explicit Engine(const SpellDictionary& dictionary)
        : hunspell(QFile::encodeName(dictionary.affPath).constData(),
                   QFile::encodeName(dictionary.dicPath).constData())
    {
    }
    Hunspell hunspell;
};

QString spellCheckUnavailableReason()
{
    return {};
}

SpellChecker::SpellChecker(const SpellDictionary& dictionary, const QStringList& extraWords)
    : m_dictionary(dictionary)
{
    for (const QString& path : {dictionary.affPath, dictionary.dicPath}) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            throw FileError(
                QCoreApplication::translate("Quillet::HunspellChecker",
                                            "Не удалось открыть словарь %1: %2")
                    .arg(QDir::toNativeSeparators(path), reasonInRussian(file.errorString())));
        }
    }
    m_engine = std::make_unique<Engine>(dictionary);
    m_encoding = QString::fromLatin1(m_engine->hunspell.get_dic_encoding());
    const QByteArray name = converterName(m_encoding);
    m_encoder = QStringEncoder(name.constData());
    m_decoder = QStringDecoder(name.constData());
    if (!m_encoder.isValid() || !m_decoder.isValid()) {
        throw FileError(
            QCoreApplication::translate("Quillet::HunspellChecker",
                                        "Словарь %1 записан в неизвестной кодировке «%2»")
                .arg(dictionary.name, m_encoding));
    }
    for (const QString& word : extraWords)
        addWord(word);
}

SpellChecker::~SpellChecker() = default;

std::optional<std::string> SpellChecker::toDictionary(const QString& word) const
{
    m_encoder.resetState();
    const QByteArray bytes = m_encoder.encode(word);
    if (m_encoder.hasError())
        return std::nullopt;
    return bytes.toStdString();
}

QString SpellChecker::fromDictionary(const std::string& bytes) const
{
    m_decoder.resetState();
    return m_decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

bool SpellChecker::isCorrect(const QString& word) const
{
    if (m_added.contains(word))
        return true;
    const std::optional<std::string> bytes = toDictionary(word);
    return bytes.has_value() && m_engine->hunspell.spell(*bytes);
}

QStringList SpellChecker::suggestions(const QString& word) const
{
    const std::optional<std::string> bytes = toDictionary(word);
    if (!bytes.has_value())
        return {};
    QStringList proposals;
    for (const std::string& proposal : m_engine->hunspell.suggest(*bytes)) {
        const QString text = fromDictionary(proposal);
        if (!text.isEmpty() && !proposals.contains(text))
            proposals.append(text);
    }
    return proposals;
}

void SpellChecker::addWord(const QString& word)
{
    m_added.insert(word);
    if (const std::optional<std::string> bytes = toDictionary(word))
        m_engine->hunspell.add(*bytes);
}

} // namespace Quillet
