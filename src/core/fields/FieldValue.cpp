// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/fields/FieldValue.h"

#include "core/app/NodeGrammar.h"
#include "core/app/PageCount.h"
#include "core/app/Project.h"
#include "core/data/CellAddress.h"
#include "core/fields/AutoReplace.h"
#include "core/workbook/SpreadsheetReader.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

namespace Quillet {
namespace {

// A cell position moved by a page's offset, in 64 bits and held to 32: a saturated
// address must not overflow.
int32_t offsetBy(int32_t start, int page)
{
    const long long moved = static_cast<long long>(start) + page - 1;
    return int32_t(std::clamp<long long>(moved, std::numeric_limits<int32_t>::min(),
                                         std::numeric_limits<int32_t>::max()));
}

// The cell whose text the field shows first on `page`, read as the render reads a
// reference: a single cell; a range along the records, one cell per page; otherwise the
// page's elements along the series, from the range's first series. None when a range of
// elements is typed backwards and gives the page nothing.
std::optional<CellPosition> firstCell(const QString& referenceText, bool pagesAlongRows, int page)
{
    QString reference = referenceText;
    if (!reference.contains(u':'))
        reference = reference + u':' + reference;
    const ReferenceParts parts = splitReference(reference);
    const CellPosition a = ParseCellAddress(parts.first);
    const CellPosition b = ParseCellAddress(parts.second);
    if (a == b)
        return a;
    if (pagesAlongRows) {
        if (a.column == b.column)
            return CellPosition{a.column, offsetBy(a.row, page)};
        if (b.column < a.column)
            return std::nullopt;
        return a.row == b.row ? a : CellPosition{a.column, offsetBy(a.row, page)};
    }
    if (a.row == b.row)
        return CellPosition{offsetBy(a.column, page), a.row};
    if (b.row < a.row)
        return std::nullopt;
    return a.column == b.column ? a : CellPosition{offsetBy(a.column, page), a.row};
}

} // namespace

QString fieldValueOnPage(const Project& project, const Workbook* workbook,
                         const TOptTextField& options, int page)
{
    QString value = options.fieldText;
    if (value.startsWith(u'=')) {
        const bool alongRows = project.settings.Direct != DirectColumns;
        const std::optional<CellPosition> cell =
            firstCell(value.mid(1), alongRows, std::max(page, 1));
        const Worksheet* sheet = workbook ? workbook->worksheet(project.settings.sheet) : nullptr;
        value = sheet && cell ? sheet->cellText(cell->row, cell->column) : QString();
    }
    if (!options.autoReplace)
        return value;
    // The render's replacement: the first pair whose caption is the whole value.
    const qsizetype pair = AutoReplace::findCaption(project.ReplaceList, value);
    return pair < 0 ? value : project.ReplaceList[size_t(pair)].replacement;
}

} // namespace Quillet
