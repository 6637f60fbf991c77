// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/OptionReader.h"

#include "core/common/Numbers.h"

#include <QCoreApplication>

namespace Quillet {

QString nodeName(const char* kind, const QString& fieldId)
{
    const QString name = QCoreApplication::translate("Quillet::OptionReader", kind);
    return fieldId.isEmpty() ? name : QStringLiteral("%1 %2").arg(name, fieldId);
}

void OptionReader::fail(const QString& problem, int position) const
{
    throw ConversionError(
        QCoreApplication::translate("Quillet::OptionReader", "%1, позиция %2: %3.")
            .arg(m_what)
            .arg(position)
            .arg(problem));
}

QStringView OptionReader::take(qsizetype count, const char* item)
{
    if (m_text.size() - m_pos < count) {
        fail(QCoreApplication::translate("Quillet::OptionReader",
                                         "текст обрывается там, где ожидается %1 (символов: %2)")
                 .arg(QCoreApplication::translate("Quillet::OptionReader", item))
                 .arg(count),
             position());
    }
    const QStringView part = m_text.mid(m_pos, count);
    m_pos += count;
    return part;
}

QStringView OptionReader::takeUntil(QChar separator, const char* item)
{
    const qsizetype at = m_text.indexOf(separator, m_pos);
    if (at < 0) {
        fail(QCoreApplication::translate("Quillet::OptionReader",
                                         "нет разделителя (код %1), которым кончается %2")
                 .arg(separator.unicode())
                 .arg(QCoreApplication::translate("Quillet::OptionReader", item)),
             position());
    }
    const QStringView part = m_text.mid(m_pos, at - m_pos);
    m_pos = at + 1;
    return part;
}

bool OptionReader::flag(const char* item)
{
    return take(1, item)[0] == u'1';
}

int OptionReader::digit(int max, const char* item)
{
    const int at = position();
    const QChar c = take(1, item)[0];
    if (c.unicode() < u'0' || c.unicode() > u'0' + max) {
        fail(QCoreApplication::translate("Quillet::OptionReader",
                                         "%1 — ожидалась цифра 0–%2, а не «%3»")
                 .arg(QCoreApplication::translate("Quillet::OptionReader", item))
                 .arg(max)
                 .arg(c),
             at);
    }
    return c.unicode() - u'0';
}

int32_t OptionReader::integer(qsizetype count, const char* item)
{
    const int at = position();
    const QStringView part = take(count, item);
    const auto value = Numbers::parseInt32(part);
    if (!value) {
        fail(QCoreApplication::translate("Quillet::OptionReader", "%1 «%2» — не целое число")
                 .arg(QCoreApplication::translate("Quillet::OptionReader", item), part.toString()),
             at);
    }
    return *value;
}

long double OptionReader::decimal(qsizetype count, const char* item)
{
    const int at = position();
    const QStringView part = take(count, item);
    const auto value = Numbers::parseDecimal(part);
    if (!value) {
        fail(QCoreApplication::translate("Quillet::OptionReader", "%1 «%2» — не число")
                 .arg(QCoreApplication::translate("Quillet::OptionReader", item), part.toString()),
             at);
    }
    return *value;
}

int32_t OptionReader::integerRest(const char* item)
{
    const int at = position();
    const QStringView part = rest();
    m_pos = m_text.size();
    const auto value = Numbers::parseInt32(part);
    if (!value) {
        fail(QCoreApplication::translate("Quillet::OptionReader", "%1 «%2» — не целое число")
                 .arg(QCoreApplication::translate("Quillet::OptionReader", item), part.toString()),
             at);
    }
    return *value;
}

} // namespace Quillet
