// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/common/Errors.h"

#include <QString>
#include <QStringView>

#include <cstdint>

namespace Quillet {

/// Reads the fixed-width items of a field's option text from left to right, raising a
/// ConversionError that names the field and the position in the node text for anything
/// that does not fit the grammar. The `item` names its readers take, and the `kind` of
/// nodeName, are marked with QT_TRANSLATE_NOOP("Quillet::OptionReader", …) and translated
/// in the messages.
class OptionReader {
public:
    /// `text` starts at node-text position `firstPosition` (1-based); `what` names the
    /// node in messages, e.g. "Текстовое поле 0003".
    OptionReader(QStringView text, int firstPosition, QString what)
        : m_text(text), m_firstPosition(firstPosition), m_what(std::move(what))
    {
    }

    /// Position in the node text of the next character to read.
    int position() const { return m_firstPosition + int(m_pos); }
    QStringView rest() const { return m_text.mid(m_pos); }
    bool atEnd() const { return m_pos >= m_text.size(); }

    /// The next `count` characters; throws when fewer remain.
    QStringView take(qsizetype count, const char* item);
    /// The text up to (not including) the next `separator`, which is consumed too.
    QStringView takeUntil(QChar separator, const char* item);
    /// One character compared with "1".
    bool flag(const char* item);
    /// One decimal digit no larger than `max`.
    int digit(int max, const char* item);
    /// `count` characters read as an integer ("$" introduces hexadecimal).
    int32_t integer(qsizetype count, const char* item);
    /// `count` characters read as a decimal number.
    long double decimal(qsizetype count, const char* item);
    /// The rest read as an integer.
    int32_t integerRest(const char* item);

    [[noreturn]] void fail(const QString& problem, int position) const;

private:
    QStringView m_text;
    qsizetype m_pos = 0;
    int m_firstPosition;
    QString m_what;
};

/// Throws ConversionError when a composed node text holds a line break (the tree's text
/// form has one node per line).
void requireSingleLine(const QString& nodeText, const QString& id);

/// "Текстовое поле 0003" / "Графическое поле" (without an ID) for messages.
QString nodeName(const char* kind, const QString& fieldId);

} // namespace Quillet
