// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/GridWorkbook.h"

#include <QRegularExpression>

#include <algorithm>

namespace Quillet {
namespace {
void dropTrailingEmpty(std::vector<QString>& cells)
{
    while (!cells.empty() && cells.back().isEmpty())
        cells.pop_back();
}

// Digit groups may be split by a blank, a no-break or a narrow no-break space, as
// spreadsheets print them under a Russian locale; the minus may be the typographic one.
const QRegularExpression& numberPattern()
{
    static const QRegularExpression pattern(QStringLiteral(
        "^[+\\-\\x{2212}]?(?:\\d+(?:[ \\x{00A0}\\x{202F}]\\d{3})*(?:[.,]\\d+)?|[.,]\\d+)"
        "\\s*%?$"));
    return pattern;
}

const QRegularExpression& dateTimePattern()
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(?:\\d{1,4}([./-])\\d{1,2}\\1\\d{1,4})?(?:[ T]?\\d{1,2}:\\d{2}(?::\\d{2})?)?$"));
    return pattern;
}
} // namespace

CellContent contentOfText(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return text.isEmpty() ? CellContent::Empty : CellContent::Text;
    if (numberPattern().match(trimmed).hasMatch() || dateTimePattern().match(trimmed).hasMatch())
        return CellContent::Value;
    return CellContent::Text;
}

QString GridWorksheet::cellText(int row, int column) const
{
    if (row < 1 || column < 1 || size_t(row) > m_rows.size())
        return QString();
    const std::vector<QString>& cells = m_rows[size_t(row) - 1];
    return size_t(column) > cells.size() ? QString() : cells[size_t(column) - 1];
}

void GridWorksheet::setCell(int row, int column, const QString& text)
{
    if (row < 1 || column < 1)
        return;
    if (text.isEmpty() && size_t(row) > m_rows.size())
        return;
    if (size_t(row) > m_rows.size())
        m_rows.resize(size_t(row));
    std::vector<QString>& cells = m_rows[size_t(row) - 1];
    if (size_t(column) > cells.size()) {
        if (text.isEmpty())
            return;
        cells.resize(size_t(column));
    }
    cells[size_t(column) - 1] = text;
    dropTrailingEmpty(cells);
}

void GridWorksheet::appendRow(std::vector<QString> cells)
{
    dropTrailingEmpty(cells);
    cells.shrink_to_fit();
    m_rows.push_back(std::move(cells));
}

int GridWorksheet::columnCount() const
{
    size_t widest = 0;
    for (const auto& cells : m_rows)
        widest = std::max(widest, cells.size());
    return int(widest);
}

QStringList GridWorkbook::sheetNames() const
{
    QStringList names;
    for (const auto& sheet : m_sheets)
        names << sheet->name();
    return names;
}

QString GridWorkbook::activeSheetName() const
{
    if (!m_active.isEmpty() || m_sheets.empty())
        return m_active;
    return m_sheets.front()->name();
}

const Worksheet* GridWorkbook::worksheet(const QString& name) const
{
    for (const auto& sheet : m_sheets) {
        if (sheet->name() == name)
            return sheet.get();
    }
    return nullptr;
}

} // namespace Quillet
