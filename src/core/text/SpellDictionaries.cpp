// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/text/SpellDictionaries.h"

#include "core/common/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

namespace Quillet {
namespace {

QString languageName(const QString& language)
{
    static const QList<std::pair<QString, const char*>> names{
        {QStringLiteral("ru"), QT_TRANSLATE_NOOP("Quillet::SpellDictionaries", "Русский")},
        {QStringLiteral("en"), QT_TRANSLATE_NOOP("Quillet::SpellDictionaries", "Английский")},
        {QStringLiteral("uk"), QT_TRANSLATE_NOOP("Quillet::SpellDictionaries", "Украинский")},
        {QStringLiteral("be"), QT_TRANSLATE_NOOP("Quillet::SpellDictionaries", "Белорусский")},
        {QStringLiteral("kk"), QT_TRANSLATE_NOOP("Quillet::SpellDictionaries", "Казахский")},
        {QStringLiteral("de"), QT_TRANSLATE_NOOP("Quillet::SpellDictionaries", "Немецкий")},
        {QStringLiteral("fr"), QT_TRANSLATE_NOOP("Quillet::SpellDictionaries", "Французский")},
        {QStringLiteral("es"), QT_TRANSLATE_NOOP("Quillet::SpellDictionaries", "Испанский")},
        {QStringLiteral("it"), QT_TRANSLATE_NOOP("Quillet::SpellDictionaries", "Итальянский")},
    };
    for (const auto& [code, name] : names) {
        if (code == language)
            return QCoreApplication::translate("Quillet::SpellDictionaries", name);
    }
    return QString();
}

QString languageOf(const QString& dictionaryName)
{
    return dictionaryName.section(QLatin1Char('_'), 0, 0).section(QLatin1Char('-'), 0, 0).toLower();
}

// The best dictionary of `language`: its own country's variant (ru_RU), else the first.
int findLanguage(const QList<SpellDictionary>& installed, const QString& language)
{
    const QString own = language + QLatin1Char('_') + language.toUpper();
    const QString preferred = language == QLatin1String("en") ? QStringLiteral("en_US") : own;
    int first = -1;
    for (int i = 0; i < installed.size(); ++i) {
        if (languageOf(installed[i].name) != language)
            continue;
        if (installed[i].name.compare(preferred, Qt::CaseInsensitive) == 0)
            return i;
        if (first < 0)
            first = i;
    }
    return first;
}

bool isCyrillic(char32_t c)
{
    return (c >= 0x0400 && c <= 0x052F) || (c >= 0x2DE0 && c <= 0x2DFF)
           || (c >= 0xA640 && c <= 0xA69F) || (c >= 0x1C80 && c <= 0x1C8F);
}

} // namespace

QString SpellDictionary::displayName() const
{
    const QString language = languageName(languageOf(name));
    return language.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(language, name);
}

QStringList spellDictionaryFolders()
{
    const QString custom = qEnvironmentVariable("QUILLET_DICTIONARY_PATH");
    if (qEnvironmentVariableIsSet("QUILLET_DICTIONARY_PATH"))
        return custom.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return {QStringLiteral("/usr/share/hunspell"), QStringLiteral("/usr/share/myspell"),
            QStringLiteral("/usr/share/myspell/dicts")};
}

QList<SpellDictionary> installedSpellDictionaries(const QStringList& folders)
{
    QList<SpellDictionary> found;
    QSet<QString> names;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        const QStringList affixFiles =
            dir.entryList({QStringLiteral("*.aff")}, QDir::Files | QDir::Readable, QDir::Name);
        for (const QString& aff : affixFiles) {
            const QString name = QFileInfo(aff).completeBaseName();
            const QString dic = dir.filePath(name + QStringLiteral(".dic"));
            if (names.contains(name) || !QFileInfo(dic).isFile() || !QFileInfo(dic).isReadable())
                continue;
            names.insert(name);
            found.append({name, dir.filePath(aff), dic});
        }
    }
    std::sort(found.begin(), found.end(),
              [](const SpellDictionary& a, const SpellDictionary& b) { return a.name < b.name; });
    return found;
}

int defaultSpellDictionary(const QString& text, const QList<SpellDictionary>& installed)
{
    if (installed.isEmpty())
        return -1;
    int cyrillic = 0;
    int latin = 0;
    for (const char32_t c : text.toUcs4()) {
        if (isCyrillic(c) && QChar::isLetter(c))
            ++cyrillic;
        else if (QChar::isLetter(c) && QChar::script(c) == QChar::Script_Latin)
            ++latin;
    }
    const bool russian = cyrillic > 0 && cyrillic >= latin;
    const QString first = russian ? QStringLiteral("ru") : QStringLiteral("en");
    const QString second = russian ? QStringLiteral("en") : QStringLiteral("ru");
    for (const QString& language : {first, second}) {
        const int index = findLanguage(installed, language);
        if (index >= 0)
            return index;
    }
    return 0;
}

QString PersonalDictionary::defaultPath()
{
    if (qEnvironmentVariableIsSet("QUILLET_PERSONAL_DICTIONARY"))
        return qEnvironmentVariable("QUILLET_PERSONAL_DICTIONARY");
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("personal.dic"));
}

PersonalDictionary::PersonalDictionary(const QString& path) : m_path(path)
{
    QFile file(path);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(
            QCoreApplication::translate("Quillet::SpellDictionaries",
                                        "Не удалось прочитать личный словарь %1: %2")
                .arg(QDir::toNativeSeparators(path), reasonInRussian(file.errorString())));
    }
    const QString text = QString::fromUtf8(file.readAll());
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("[\r\n]")))) {
        const QString word = line.trimmed();
        if (!word.isEmpty() && !m_words.contains(word))
            m_words.append(word);
    }
}

void PersonalDictionary::add(const QString& word)
{
    const QString trimmed = word.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(QLatin1Char('\n'))
        || trimmed.contains(QLatin1Char('\r')) || m_words.contains(trimmed))
        return;
    QStringList words = m_words;
    words.append(trimmed);
    const QString folder = QFileInfo(m_path).absolutePath();
    QSaveFile file(m_path);
    const QByteArray bytes = (words.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly)
        || file.write(bytes) != bytes.size() || !file.commit()) {
        throw FileError(
            QCoreApplication::translate("Quillet::SpellDictionaries",
                                        "Не удалось сохранить личный словарь %1: %2")
                .arg(QDir::toNativeSeparators(m_path), reasonInRussian(file.errorString())));
    }
    m_words = std::move(words);
}

} // namespace Quillet
