// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <cstdint>

namespace Quillet {

class FieldTree;

/// `Direct`: the direction in which page numbers advance through the worksheet.
inline constexpr int DirectColumns = 0; ///< item 0: pages along columns
inline constexpr int DirectRows = 1;    ///< item 1, the default: pages along rows

/// The upper bound of the page number `PageN`: the length, along the page direction, of
/// the longest range of any text field whose field text is a reference ("=A2:A21" spans
/// 20 rows). A project without references has one page. `direct` is DirectColumns for
/// pages along columns; any other value means along rows. Ranges typed backwards
/// ("=A9:A1") count as single cells; a span beyond INT32_MAX pages saturates there.
int32_t UpdatePageCount(const FieldTree& tree, int direct);

/// A page number pulled into 0 … upperBound, as the page spin edit holds it.
int32_t clampPageNumber(int64_t page, int32_t upperBound);

} // namespace Quillet
