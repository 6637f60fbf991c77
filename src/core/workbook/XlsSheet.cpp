// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/XlsSheet.h"

#include "core/workbook/XlsRecords.h"

#include <algorithm>

namespace Quillet {
namespace {

quint64 cellKey(quint32 row, quint32 column)
{
    return (quint64(row) << 16) | column;
}

quint64 cellKey(const XlsCell& cell)
{
    return cellKey(cell.row(), cell.column);
}

} // namespace

XlsWorksheet::XlsWorksheet(const QString& name, std::shared_ptr<const XlsShared> shared)
    : m_name(name), m_shared(std::move(shared))
{
}

void XlsWorksheet::addCell(quint32 row, quint16 column, XlsCellKind kind, double value,
                           quint16 xf)
{
    if (!m_cells.empty() && cellKey(m_cells.back()) >= cellKey(row, column))
        m_sorted = false;
    m_cells.push_back({value, row | (quint32(kind) << 24), column, xf});
}

quint32 XlsWorksheet::addText(QString text)
{
    m_texts.push_back(std::move(text));
    return quint32(m_texts.size() - 1);
}

void XlsWorksheet::finishLoading()
{
    if (!m_sorted) {
        std::stable_sort(m_cells.begin(), m_cells.end(), [](const XlsCell& a, const XlsCell& b) {
            return cellKey(a) < cellKey(b);
        });
        std::vector<XlsCell> unique;
        unique.reserve(m_cells.size());
        for (const XlsCell& cell : m_cells) {
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

QString XlsWorksheet::cellText(int row, int column) const
{
    if (row < 1 || column < 1 || row > 65536 || column > 256)
        return {};
    const quint64 key = cellKey(quint32(row), quint32(column));
    const auto it = std::lower_bound(
        m_cells.begin(), m_cells.end(), key,
        [](const XlsCell& cell, quint64 k) { return cellKey(cell) < k; });
    if (it == m_cells.end() || cellKey(*it) != key)
        return {};
    const XlsShared& shared = *m_shared;
    const NumberFormat& format = it->xf < shared.formats.size() ? shared.formats[it->xf]
                                                                : shared.general;
    switch (it->kind()) {
    case XlsCellKind::Number:
        return format.format(it->value, shared.date1904);
    case XlsCellKind::Shared:
        return format.formatText(shared.strings[size_t(it->value)]);
    case XlsCellKind::Text:
        return format.formatText(m_texts[size_t(it->value)]);
    case XlsCellKind::Boolean:
        // A boolean under a number format of its own shows as that number.
        return format.isGeneral() ? booleanText(it->value != 0, shared.locale)
                                  : format.format(it->value, shared.date1904);
    case XlsCellKind::Error:
        return xlsErrorText(quint8(it->value));
    }
    return {};
}

XlsWorksheet& XlsWorkbook::addSheet(const QString& name, std::shared_ptr<const XlsShared> shared)
{
    m_sheets.push_back(std::make_unique<XlsWorksheet>(name, std::move(shared)));
    return *m_sheets.back();
}

QStringList XlsWorkbook::sheetNames() const
{
    QStringList names;
    for (const auto& sheet : m_sheets)
        names << sheet->name();
    return names;
}

QString XlsWorkbook::activeSheetName() const
{
    if (!m_active.isEmpty() || m_sheets.empty())
        return m_active;
    return m_sheets.front()->name();
}

const Worksheet* XlsWorkbook::worksheet(const QString& name) const
{
    for (const auto& sheet : m_sheets) {
        if (sheet->name() == name)
            return sheet.get();
    }
    return nullptr;
}

} // namespace Quillet
