// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Where spelling dictionaries come from: the Hunspell dictionaries installed on the system,
// the choice of one for a text, and the user's personal word list.

#include <QList>
#include <QString>
#include <QStringList>

namespace Quillet {

/// One installed Hunspell dictionary: a NAME.aff and NAME.dic pair.
struct SpellDictionary {
    QString name; ///< file base name, such as "ru_RU" or "en_US"
    QString affPath;
    QString dicPath;

    /// "Русский (ru_RU)" for the languages the program names, else the bare name.
    QString displayName() const;
};

/// The folders searched for dictionaries, in order: the ':'-separated list in the
/// environment variable QUILLET_DICTIONARY_PATH when it is set (tests, private
/// installations), else the system's Hunspell and MySpell folders.
QStringList spellDictionaryFolders();

/// Every NAME.aff that has a NAME.dic beside it in `folders`, sorted by name; a name found
/// in several folders is taken from the first. Missing or unreadable folders are skipped.
QList<SpellDictionary>
installedSpellDictionaries(const QStringList& folders = spellDictionaryFolders());

/// Index in `installed` of the dictionary a check of `text` starts with: Russian when
/// Cyrillic letters are at least as many as Latin ones (and there is one), else English;
/// when that language is not installed, the other one; when neither is, the first
/// dictionary. Within a language the country's own variant (ru_RU, en_US) is preferred.
/// -1 when `installed` is empty.
int defaultSpellDictionary(const QString& text, const QList<SpellDictionary>& installed);

/// The user's own words, accepted by every dictionary. Kept as UTF-8 text, one word per
/// line, in the user's configuration folder.
class PersonalDictionary {
public:
    /// The file named by the environment variable QUILLET_PERSONAL_DICTIONARY when it is
    /// set, else "personal.dic" in the application's configuration folder.
    static QString defaultPath();

    /// Reads the list from `path`. A missing file is an empty list; a file that exists but
    /// cannot be read throws FileError. Blank lines and surrounding spaces are dropped.
    explicit PersonalDictionary(const QString& path = defaultPath());

    const QString& path() const { return m_path; }
    const QStringList& words() const { return m_words; }
    bool contains(const QString& word) const { return m_words.contains(word); }

    /// Adds `word` (trimmed; case kept) and writes the whole list atomically, creating the
    /// folder when needed. A word already there, a blank one or one holding a line break
    /// changes nothing. Throws
    /// FileError when the file cannot be written; the list then stays as it was, in memory
    /// and on disk.
    void add(const QString& word);

private:
    QString m_path;
    QStringList m_words;
};

} // namespace Quillet
