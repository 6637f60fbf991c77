// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/text/SpellCheck.h"

#include "core/common/Errors.h"

namespace Quillet {
namespace {

bool isConnector(char32_t c)
{
    return c == U'\'' || c == U'\u2019' || c == U'-' || c == U'\u2010' || c == U'\u2011';
}

bool isWordPart(char32_t c)
{
    return QChar::isLetterOrNumber(c) || QChar::isMark(c);
}

// One code point at `i` of `text`, and how many UTF-16 units it takes.
std::pair<char32_t, qsizetype> codePointAt(const QString& text, qsizetype i)
{
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
        return {QChar::surrogateToUcs4(c, text.at(i + 1)), 2};
    return {c.unicode(), 1};
}

} // namespace

QList<WordSpan> splitWords(const QString& text)
{
    QList<WordSpan> words;
    qsizetype i = 0;
    while (i < text.size()) {
        auto [c, width] = codePointAt(text, i);
        if (!QChar::isLetterOrNumber(c)) {
            i += width;
            continue;
        }
        const qsizetype start = i;
        bool hasDigit = false;
        while (i < text.size()) {
            std::tie(c, width) = codePointAt(text, i);
            if (isWordPart(c)) {
                hasDigit = hasDigit || (QChar::isNumber(c) && !QChar::isLetter(c));
                i += width;
                continue;
            }
            // A connector belongs to the word only with a letter or digit on either side.
            if (!isConnector(c) || i + width >= text.size()
                || !QChar::isLetterOrNumber(codePointAt(text, i + width).first))
                break;
            i += width;
        }
        if (!hasDigit)
            words.append({start, i - start});
    }
    return words;
}

QString checkedFirstLine(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\r') || text.at(i) == QLatin1Char('\n'))
            return text.left(i);
    }
    return text;
}

SpellSession::SpellSession(const QString& text, PersonalDictionary& personal)
    : m_text(text), m_personal(personal)
{
}

SpellSession::~SpellSession() = default;

void SpellSession::setDictionary(const SpellDictionary& dictionary)
{
    auto found = m_checkers.find(dictionary.name);
    if (found == m_checkers.end()) {
        auto checker = std::make_unique<SpellChecker>(dictionary, m_personal.words());
        found = m_checkers.emplace(dictionary.name, std::move(checker)).first;
    }
    m_checker = found->second.get();
    advance(0);
}

const SpellDictionary* SpellSession::dictionary() const
{
    return m_checker != nullptr ? &m_checker->dictionary() : nullptr;
}

void SpellSession::advance(qsizetype from)
{
    m_current.reset();
    if (m_checker == nullptr)
        return;
    QList<WordSpan> words = splitWords(m_text);
    for (qsizetype i = 0; i < words.size(); ++i) {
        const WordSpan span = words[i];
        if (span.start < from)
            continue;
        const QString word = m_text.mid(span.start, span.length);
        if (m_skipAll.contains(word) || m_personal.contains(word) || isKnown(span))
            continue;
        const auto replacement = m_replaceAll.constFind(word);
        if (replacement != m_replaceAll.cend()) {
            m_text.replace(span.start, span.length, *replacement);
            from = span.start + replacement->size();
            // The replacement may hold several words or none: the positions after it moved.
            words = splitWords(m_text);
            i = -1;
            continue;
        }
        m_current = Misspelling{span, word, m_checker->suggestions(word)};
        return;
    }
}

bool SpellSession::isKnown(const WordSpan& span) const
{
    const QString word = m_text.mid(span.start, span.length);
    const qsizetype end = span.start + span.length;
    const bool dotAfter = end < m_text.size() && m_text.at(end) == QLatin1Char('.');
    if (!dotAfter)
        return m_checker->isCorrect(word);
    // One letter and a dot is an initial or a short form ("П. С.", "г.", "д. 5"), which
    // dictionaries do not list; longer short forms are listed with their dot ("ул.").
    return word.toUcs4().size() == 1 || m_checker->isCorrect(word)
           || m_checker->isCorrect(word + QLatin1Char('.'));
}

void SpellSession::replaceCurrent(const QString& replacement)
{
    const WordSpan span = m_current->span;
    m_text.replace(span.start, span.length, replacement);
    advance(span.start + replacement.size());
}

void SpellSession::replace(const QString& replacement)
{
    if (m_current)
        replaceCurrent(replacement);
}

void SpellSession::replaceAll(const QString& replacement)
{
    if (!m_current)
        return;
    m_replaceAll.insert(m_current->word, replacement);
    replaceCurrent(replacement);
}

void SpellSession::skip()
{
    if (m_current)
        advance(m_current->span.start + m_current->span.length);
}

void SpellSession::skipAll()
{
    if (!m_current)
        return;
    m_skipAll.insert(m_current->word);
    skip();
}

void SpellSession::addToDictionary()
{
    if (!m_current)
        return;
    m_personal.add(m_current->word);
    for (auto& [name, checker] : m_checkers)
        checker->addWord(m_current->word);
    skip();
}

} // namespace Quillet
