// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/workbook/SpreadsheetReader.h"

#include <QString>

#include <memory>

namespace Quillet {

/// The workbook formats a file can hold, as openWorkbookFile tells them apart.
enum class WorkbookFormat { Unknown, Xlsx, Ods, Xls, Csv };

/// The format of a file: by its first bytes where they tell (a zip container is .ods when
/// it says so in its first entry or by its extension, else .xlsx/.xlsm; a compound
/// document is .xls), otherwise by the extension (.fods is flat OpenDocument XML, .csv
/// and .txt are text tables).
WorkbookFormat detectWorkbookFormat(const QByteArray& head, const QString& fileName);

/// Opens and reads a whole workbook file with the reader its format needs.
/// Throws FileError "Не существует файла: <path>" when there is no such file, and a
/// FileError naming the file for an unknown or unsupported format, an unreadable file
/// and every reader failure.
std::unique_ptr<Workbook> openWorkbookFile(const QString& path, const WorkbookOptions& options);

} // namespace Quillet
