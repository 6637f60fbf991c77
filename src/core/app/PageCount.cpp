// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/PageCount.h"

#include "core/app/FieldTree.h"
#include "core/data/CellAddress.h"

#include <algorithm>
#include <limits>

namespace Quillet {

int32_t UpdatePageCount(const FieldTree& tree, int direct)
{
    // Spans in 64 bits: rows may be negative or saturated, so r2 - r1 can exceed 2^31.
    int64_t columnSpan = 0;
    int64_t rowSpan = 0;
    for (const FieldNode& field : tree.fields) {
        const int id = field.id();
        if (id < 0 || id >= 1000)
            continue;
        const auto reference = referenceOfFieldText(fieldTextOfNode(field.text));
        if (!reference)
            continue;
        const ReferenceParts parts = splitReference(*reference);
        const CellPosition a = ParseCellAddress(parts.first);
        const CellPosition b = ParseCellAddress(parts.second);
        columnSpan = std::max(columnSpan, int64_t(b.column) - a.column);
        rowSpan = std::max(rowSpan, int64_t(b.row) - a.row);
    }
    const int64_t span = direct == DirectColumns ? columnSpan : rowSpan;
    return int32_t(std::min<int64_t>(span + 1, std::numeric_limits<int32_t>::max()));
}

int32_t clampPageNumber(int64_t page, int32_t upperBound)
{
    return int32_t(std::clamp<int64_t>(page, 0, std::max<int32_t>(upperBound, 0)));
}

} // namespace Quillet
