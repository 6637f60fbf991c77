// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Spell checking of a field text with Hunspell: words and their positions, one loaded
// dictionary, and the walk of an interactive check over the text.

#include "core/text/SpellDictionaries.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

#include <map>
#include <memory>
#include <optional>

namespace Quillet {

/// A word of a text: `length` UTF-16 units from `start`.
struct WordSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    bool operator==(const WordSpan&) const = default;
};

/// The words of `text` in order: runs of letters (with their combining marks), where an
/// apostrophe (' or ’) or a hyphen between two letters belongs to the word. A run that
/// holds a digit ("A4", "2-й") is no word to check and is left out whole.
QList<WordSpan> splitWords(const QString& text);

/// What a check hands back to `Text`: the text up to its first line break (CR or LF), or
/// the whole text when it has none.
QString checkedFirstLine(const QString& text);

/// Why this build cannot check spelling: a message for the user naming what it was built
/// without (Hunspell, package libhunspell-dev); empty when it can.
QString spellCheckUnavailableReason();

/// One Hunspell dictionary loaded with the personal words. Words cross to Hunspell in the
/// dictionary's own encoding (the SET of its .aff: UTF-8, KOI8-R, a Windows or ISO code
/// page...) and suggestions come back from it.
class SpellChecker {
public:
    /// Loads `dictionary` and accepts `extraWords` besides it. Throws FileError when its
    /// files cannot be read or its encoding is unknown, or with
    /// spellCheckUnavailableReason() in a build without Hunspell.
    SpellChecker(const SpellDictionary& dictionary, const QStringList& extraWords);
    ~SpellChecker();
    SpellChecker(const SpellChecker&) = delete;
    SpellChecker& operator=(const SpellChecker&) = delete;

    const SpellDictionary& dictionary() const { return m_dictionary; }
    /// The dictionary's encoding as its .aff names it.
    QString encoding() const { return m_encoding; }

    /// True when the dictionary or the added words know `word`. A word with letters the
    /// dictionary's encoding cannot hold is unknown unless it was added.
    bool isCorrect(const QString& word) const;
    /// Hunspell's proposals for `word`, best first; empty when it has none.
    QStringList suggestions(const QString& word) const;
    /// Accepts `word` from now on (also its capitalised forms, as Hunspell derives them).
    void addWord(const QString& word);

private:
    std::optional<std::string> toDictionary(const QString& word) const;
    QString fromDictionary(const std::string& bytes) const;

    SpellDictionary m_dictionary;
    QString m_encoding;
    struct Engine; // the library behind the checker
    std::unique_ptr<Engine> m_engine;
    mutable QStringEncoder m_encoder;
    mutable QStringDecoder m_decoder;
    QSet<QString> m_added;
};

/// The unknown word a check stops at.
struct Misspelling {
    WordSpan span;
    QString word;
    QStringList suggestions;
};

/// One interactive check of a text, as the spelling dialog runs it: it stops at each
/// unknown word from the start, and the user's answer moves it on. A single letter before
/// a dot is an initial or a short form and passes; a longer word before a dot passes as
/// itself or as a short form the dictionary lists with its dot. "Skip all" and
/// "replace all" hold for the rest of this check; words added go to the personal
/// dictionary and every checker. Checkers are loaded on first use and kept.
class SpellSession {
public:
    /// `personal` must outlive the session. No dictionary is loaded yet: call
    /// setDictionary().
    SpellSession(const QString& text, PersonalDictionary& personal);
    ~SpellSession();

    /// Checks with `dictionary` from the start of the text again (words skipped once are
    /// asked again; the skip-all and replace-all lists stay). Throws FileError when it
    /// cannot be loaded; the session then keeps its previous dictionary and position.
    void setDictionary(const SpellDictionary& dictionary);
    /// The dictionary in use; nullptr before the first setDictionary().
    const SpellDictionary* dictionary() const;

    /// The text with the corrections made so far.
    const QString& text() const { return m_text; }
    /// The word the check stands at; std::nullopt when it has reached the end.
    const std::optional<Misspelling>& current() const { return m_current; }
    bool finished() const { return !m_current.has_value(); }

    /// Puts `replacement` in place of the current word and goes on after it.
    void replace(const QString& replacement);
    /// replace(), and every later occurrence of the same word (case as written) is
    /// replaced too without stopping.
    void replaceAll(const QString& replacement);
    /// Leaves the current word and goes on.
    void skip();
    /// Leaves the current word and every later occurrence of it.
    void skipAll();
    /// Adds the current word to the personal dictionary (written at once) and goes on.
    /// Throws FileError when the file cannot be written; the session stays at the word.
    void addToDictionary();

    /// What the check hands back: checkedFirstLine(text()).
    QString result() const { return checkedFirstLine(m_text); }

private:
    void advance(qsizetype from);
    bool isKnown(const WordSpan& span) const;
    void replaceCurrent(const QString& replacement);

    QString m_text;
    PersonalDictionary& m_personal;
    std::map<QString, std::unique_ptr<SpellChecker>> m_checkers;
    SpellChecker* m_checker = nullptr;
    std::optional<Misspelling> m_current;
    QSet<QString> m_skipAll;
    QMap<QString, QString> m_replaceAll;
};

} // namespace Quillet
