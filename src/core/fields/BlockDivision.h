// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/common/Geometry.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace Quillet {

struct TOptTextField;

/// Splits a block into `cols` × `rows` parts that tile it exactly, working in page
/// pixels of `mmPerPixel`: the block's right and bottom edges count as its last pixel
/// column and row, each part's edges are rounded ties to even, and every part ends one
/// pixel before the next begins. Returns the parts' block texts column by column (all
/// rows of the first column, then the second, ...).
///
/// Throws ConversionError for a block text that does not read (as parseBlockMm) or a part
/// that could not be stored, and Error for `cols` or `rows` outside 1–100.
std::vector<QString> divideBlock(QStringView blockText, int cols, int rows,
                                 long double mmPerPixel = MmPerPixel);

/// What "Столько блоков, сколько знаков" makes of a field's value.
struct ColumnsForValue {
    /// MinDivisions–MaxDivisions; 0 when the value has no character to count, and the
    /// division is then left as it is.
    int columns = 0;
    /// A line for the status bar: the count and the value it was taken from, that it was
    /// held to MaxDivisions, or why there was nothing to count.
    QString message;
};

/// The columns for a comb of `value` (what the field shows, auto-replace applied): one
/// per character left once the field's characters to skip are dropped
/// (TOptTextField::combCharacters), held to MaxDivisions.
ColumnsForValue columnsForValue(const QString& value, const TOptTextField& options);

} // namespace Quillet
