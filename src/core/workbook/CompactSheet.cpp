// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/CompactSheet.h"

#include <algorithm>

namespace Quillet {
namespace {

quint64 cellKey(quint32 row, quint32 column)
{
    return (quint64(row) << 16) | column;
}

quint64 cellKey(const CompactCell& cell)
{
    return cellKey(cell.row(), cell.column);
}

} // namespace

CompactWorksheet::CompactWorksheet(const QString& name,
                                   std::shared_ptr<const CellFormatting> formatting)
    : m_name(name), m_formatting(std::move(formatting))
{
}

void CompactWorksheet::addCell(quint32 row, quint16 column, CellKind kind, double value,
                               quint32 style)
{
    if (!m_cells.empty() && cellKey(m_cells.back()) >= cellKey(row, column))
        m_sorted = false;
    const quint16 format = style > 0xFFFF ? 0 : quint16(style);
    m_cells.push_back({value, row | (quint32(kind) << 24), column, format});
}

quint32 CompactWorksheet::addText(QString text)
{
    m_texts.push_back(std::move(text));
    return quint32(m_texts.size() - 1);
}

void CompactWorksheet::finishLoading()
{
    if (!m_sorted) {
        std::stable_sort(
            m_cells.begin(), m_cells.end(),
            [](const CompactCell& a, const CompactCell& b) { return cellKey(a) < cellKey(b); });
        std::vector<CompactCell> unique;
        unique.reserve(m_cells.size());
        for (const CompactCell& cell : m_cells) {
            if (!unique.empty() && cellKey(unique.back()) == cellKey(cell))
                unique.back() = cell;
            else
                unique.push_back(cell);
        }
        m_cells.swap(unique);
        m_sorted = true;
    }
    m_cells.shrink_to_fit();
    m_texts.shrink_to_fit();
}

const CompactCell* CompactWorksheet::find(int row, int column) const
{
    if (row < 1 || column < 1 || quint32(row) > MaxRows || quint32(column) > MaxColumns)
        return nullptr;
    const quint64 key = cellKey(quint32(row), quint32(column));
    const auto it =
        std::lower_bound(m_cells.begin(), m_cells.end(), key,
                         [](const CompactCell& cell, quint64 k) { return cellKey(cell) < k; });
    return it == m_cells.end() || cellKey(*it) != key ? nullptr : &*it;
}

int CompactWorksheet::lastRow() const
{
    return m_cells.empty() ? 0 : int(m_cells.back().row());
}

int CompactWorksheet::lastColumn() const
{
    quint16 last = 0;
    for (const CompactCell& cell : m_cells)
        last = std::max(last, cell.column);
    return last;
}

CellContent CompactWorksheet::cellContent(int row, int column) const
{
    const CompactCell* cell = find(row, column);
    if (cell == nullptr)
        return CellContent::Empty;
    const bool text = cell->kind() == CellKind::Shared || cell->kind() == CellKind::Text;
    // A format may show nothing for a value (";;;"), and a string may be empty.
    if (cellText(row, column).isEmpty())
        return CellContent::Empty;
    return text ? CellContent::Text : CellContent::Value;
}

QString CompactWorksheet::cellText(int row, int column) const
{
    const CompactCell* it = find(row, column);
    if (it == nullptr)
        return {};
    const CellFormatting& shared = *m_formatting;
    const NumberFormat& format =
        it->style < shared.formats.size() ? shared.formats[it->style] : shared.general;
    switch (it->kind()) {
    case CellKind::Number:
        return format.format(it->value, shared.dates);
    case CellKind::Shared:
        return format.formatText(shared.strings[size_t(it->value)]);
    case CellKind::Text:
        return format.formatText(m_texts[size_t(it->value)]);
    case CellKind::Boolean:
        // A boolean under a number format of its own shows as that number.
        return format.isGeneral() ? booleanText(it->value != 0, shared.locale)
                                  : format.format(it->value, shared.dates);
    case CellKind::Error:
        return m_texts[size_t(it->value)];
    }
    return {};
}

} // namespace Quillet
