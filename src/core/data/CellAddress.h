// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace Quillet {

/// A cell position as an address names it: 1-based column and row. Either may be 0 (no
/// letters, no digits) and the row may be negative ("A-3"); nothing here is rejected.
struct CellPosition {
    int32_t column = 0;
    int32_t row = 0;
    bool operator==(const CellPosition&) const = default;
};

/// The two addresses of a reference, as texts, in the order typed (never normalised).
struct ReferenceParts {
    QString first;
    QString second;
    bool operator==(const ReferenceParts&) const = default;
};

/// Latin a–z become A–Z and the lower-case Cyrillic letters а–я (U+0430–U+044F, the
/// Windows-1251 bytes 224–255) become А–Я. Everything else, ё included, is unchanged.
QString UpperCaseCyrillic(QStringView text);

/// Column number of a run of letters in base 26 without a zero digit (A = 1, Z = 26,
/// AA = 27, XFD = 16384), either case, with the Cyrillic look-alikes А В Е Н М О Р С Т Х
/// read as their Latin twins. 0 for an empty text, -1 when any other character occurs.
/// Runs longer than any real column saturate at INT32_MAX instead of overflowing.
int32_t ColumnNumber(QStringView letters);

/// The Latin letters of a column number, the inverse of ColumnNumber: 1 → "A", 27 →
/// "AA", 16384 → "XFD". Empty for a number below 1.
QString columnLetters(int32_t column);

/// Column and row of an address such as "AB12" or "с5". The column part is the longest
/// prefix of letters (see ColumnNumber); the rest is read as an integer: blanks skipped,
/// an optional sign, then decimal digits up to the first other character, which ends
/// the number (0 without digits). A row beyond the 32-bit range saturates at INT32_MAX
/// or INT32_MIN. Never fails: a malformed address gives column 0 and/or row 0.
CellPosition ParseCellAddress(QStringView address);

/// Splits a reference (the field text after its "=") at its first ":"; without one, both
/// parts are the whole reference (a single cell). "A1:B2:C3" gives "A1" and "B2:C3".
ReferenceParts splitReference(QStringView reference);

/// The cells a reference gives one page: `count` cells from `first`, along its row when
/// `alongRow`, else down its column. A single cell, or a range that runs along the pages
/// (rows when pages go by rows, columns when they go by columns), gives the page one cell,
/// moved by the page; any other range gives the page its elements, one per cell across
/// the range (count 0 or less when the range is typed backwards, at most 2^24).
struct PageCells {
    CellPosition first;
    int count = 1;
    bool alongRow = true;
    bool elements = false; ///< the field has elements on the page, even a single one
    bool operator==(const PageCells&) const = default;
};

/// PageCells of `reference` (the field text after "=") for `page` (1 for the first
/// record), pages going by rows when `pagesAlongRows`. Positions moved by the page are
/// held to 32 bits, so saturated addresses do not overflow.
PageCells cellsOnPage(QStringView reference, bool pagesAlongRows, int page);

/// The reference of a text field's field text when it begins with "=", else nullopt.
std::optional<QString> referenceOfFieldText(QStringView fieldText);

/// The field text of a text field's node text: characters from the fifth (after the
/// four-digit ID) up to the first field separator (U+0008) or the end.
QString fieldTextOfNode(QStringView nodeText);

} // namespace Quillet
