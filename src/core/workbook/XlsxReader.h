// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/workbook/SpreadsheetReader.h"
#include "core/workbook/ZipArchive.h"

namespace Quillet {

/// Reads .xlsx and .xlsm workbooks (Office Open XML): every sheet's cells with the
/// text a spreadsheet application displays for them: shared, inline and rich-text
/// strings, numbers through their cell style's number format (built-in or custom,
/// 1900 or 1904 date system), cached results of formulas, booleans and error values.
/// Sheet XML is streamed; cells are kept compactly (16 bytes each plus their text).
class XlsxReader : public SpreadsheetReader {
public:
    /// `limits` bound what the zip container may inflate to (tests and fuzzers lower
    /// them).
    explicit XlsxReader(const ZipLimits& limits = ZipLimits());

    /// Throws FileError when the file is not a zip archive, a required part
    /// (workbook, worksheet) is missing or malformed, or a cell lies outside the
    /// 1,048,576 × 16,384 grid.
    std::unique_ptr<Workbook> read(QIODevice& device, const QString& fileName,
                                   const WorkbookOptions& options) const override;

private:
    ZipLimits m_limits;
};

/// Reads all of `device` into memory, refusing files above `maxBytes`.
QByteArray readWholeDevice(QIODevice& device, qint64 maxBytes);

} // namespace Quillet
