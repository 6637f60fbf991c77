// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/workbook/SpreadsheetReader.h"

namespace Quillet {

/// Legacy Excel workbooks (.xls): the "Workbook" stream of Excel 97–2003 (BIFF8) or the
/// "Book" stream of Excel 5/95 (BIFF5, its 8-bit texts in the workbook's code page)
/// inside a compound document. Cells display through their number formats as in .xlsx:
/// numbers, dates and the stored results of formulas formatted, booleans and errors as
/// the spreadsheet shows them. Chart and macro sheets are not listed. The active sheet
/// is the one the workbook's first window shows (the first worksheet when that is not
/// a worksheet).
///
/// Throws FileError for a file that is not a compound document with a workbook stream,
/// for a workbook of Excel before 5.0, for a password-protected one, for one without
/// worksheets, and for broken records (lengths or offsets outside the stream, cells
/// beyond 65,536 rows × 256 columns).
class XlsReader : public SpreadsheetReader {
public:
    /// Largest input read; real .xls files stay far below.
    static constexpr qint64 MaxBytes = qint64(256) * 1024 * 1024;

    std::unique_ptr<Workbook> read(QIODevice& device, const QString& fileName,
                                   const WorkbookOptions& options) const override;
};

} // namespace Quillet
