// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Tying a text field to a column of the linked sheet without knowing the reference
// syntax: which columns there are, what their first cells show, and the reference that
// covers a column's records. With page numbers advancing along columns every record is a
// column of the sheet, and the same rules apply with rows and columns swapped.

#include "core/workbook/SpreadsheetReader.h"

#include <QString>

#include <vector>

namespace Quillet {

/// Which way page numbers advance through the sheet (`Direct`): along rows, so that each
/// record is a row and a field is tied to a column, or along columns, each record a
/// column and a field tied to a row. "Line" below is a record (a row, or a column);
/// "series" is what a field is tied to (a column, or a row).
enum class PagesAlong { Rows, Columns };

/// A column (pages along rows) or a row (pages along columns) a field can be tied to.
struct SeriesChoice {
    int index = 0;      ///< its column number, or its row number
    QString name;       ///< "C", or "3"
    QString header;     ///< its header cell; empty when the sheet has no header line
    QString firstValue; ///< its first non-empty data cell; empty when there is none
    QString reference;  ///< the field text tying a field to it, e.g. "=C2:C31"

    /// «C — Сумма — 1 234,50»: the name, header and first value, leaving out the empty
    /// ones; each cell text on one line and cut to what a list line shows.
    QString caption() const;
};

/// Columns (rows) beyond this many are not offered: no form takes that many.
inline constexpr int MaxSeriesChoices = 1000;

/// Every series of the sheet holding a non-empty cell, in order (at most
/// MaxSeriesChoices of them), each with the reference from the first data line to its
/// last used line: "=C2:C31" for column C, "=B3:K3" for row 3, one cell ("=F2") for a
/// series without data past the first data line.
///
/// The first used line (the first with a non-empty cell) is a header when every non-empty
/// cell on it is a text and at least one of its series goes on with a value (a number,
/// date, boolean…) as its next non-empty cell; the data then start on the line after it,
/// otherwise on the first used line. A sheet of texts alone thus has no header. A series'
/// last used line is the last one where it has a non-empty cell, whatever other series
/// hold further on.
std::vector<SeriesChoice> seriesChoices(const Worksheet& sheet, PagesAlong along);

/// What the column button offers: the series of the linked sheet, or, when there are
/// none to offer, the one message that says why.
struct SeriesOffer {
    QString sheet;
    PagesAlong along = PagesAlong::Rows;
    std::vector<SeriesChoice> choices;
    QString problem;
};

/// The series of the sheet `sheetName` of `workbook` (nullptr when none is linked). The
/// problem names what is missing: no workbook, no sheet name, no sheet of that name, or
/// a sheet without cells.
SeriesOffer offerSeries(const Workbook* workbook, const QString& sheetName, PagesAlong along);

} // namespace Quillet
