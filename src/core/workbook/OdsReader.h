// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/workbook/SpreadsheetReader.h"
#include "core/workbook/ZipArchive.h"

namespace Quillet {

/// Reads OpenDocument spreadsheets (.ods, and flat .fods XML). A value cell (number,
/// percentage, currency, date, time, boolean) shows its value formatted by its data
/// style under the reader's locale, as the spreadsheet application shows it there; a
/// style with a language of its own keeps that language. A text cell shows its
/// paragraphs joined by line feeds, or without paragraphs its office:string-value
/// through its style; a cell's text stops at 32,767 characters. Formula cells without
/// a stored result are listed in Workbook::uncachedFormulas(). Repeated rows and columns
/// are kept as runs, so a sheet that repeats an empty row a million times costs nothing
/// per row. The active sheet comes from settings.xml (ActiveTable), else it is the first.
class OdsReader : public SpreadsheetReader {
public:
    explicit OdsReader(const ZipLimits& limits = ZipLimits());

    /// Throws FileError when the file is neither a zip archive with content.xml nor a
    /// flat OpenDocument XML file, when its XML is malformed, or when it is too large:
    /// repeated cells split by column styles into over a million extra stretches, or
    /// more than 128 Mi characters of cell text in all.
    std::unique_ptr<Workbook> read(QIODevice& device, const QString& fileName,
                                   const WorkbookOptions& options) const override;

private:
    ZipLimits m_limits;
};

} // namespace Quillet
