// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/workbook/SpreadsheetReader.h"

#include <QDate>
#include <QLocale>
#include <QString>

namespace Quillet {

/// Legacy Excel workbooks (.xls, BIFF5 and BIFF8 in a compound document) through the
/// freexl library. freexl gives values, not number formats, so a cell displays as well as
/// its value allows: integers as integers, other numbers in the General format, dates,
/// date-times and times in the locale's short forms (see xlsDateText), text as stored.
/// The active sheet is the one the file's window record names (the first without one).
///
/// freexl reads from a path; a device that is not a plain file is copied into a private
/// temporary file first. Throws FileError for anything freexl rejects (not a compound
/// document, no workbook stream, corrupt tables), for password-protected workbooks, and
/// for sheets larger than the format allows.
class XlsReader : public SpreadsheetReader {
public:
    /// Largest input copied for freexl; real .xls files stay far below.
    static constexpr qint64 MaxBytes = qint64(256) * 1024 * 1024;

    std::unique_ptr<Workbook> read(QIODevice& device, const QString& fileName,
                                   const WorkbookOptions& options) const override;
};

/// The short date of `locale` with a four-digit year ("1/15/2024" in en_US,
/// "15.01.2024" in ru_RU), as a spreadsheet application shows its default date format.
/// The C locale counts as en_US.
QString xlsDateText(QDate date, const QLocale& locale);

} // namespace Quillet
