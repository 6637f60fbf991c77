// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/workbook/Recalculation.h"
#include "core/workbook/SpreadsheetReader.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace Quillet {

/// The workbook formats a file can hold, as openWorkbookFile tells them apart.
enum class WorkbookFormat { Unknown, Xlsx, Ods, Xls, Csv };

/// The format of a file: by its first bytes where they tell (a zip container is .ods when
/// it says so in its first entry or by its extension, else .xlsx/.xlsm; a compound
/// document is .xls), otherwise by the extension (.fods is flat OpenDocument XML, .csv
/// and .txt are text tables).
WorkbookFormat detectWorkbookFormat(const QByteArray& head, const QString& fileName);

/// A workbook as opened, with the lines its opening adds to the error list.
struct OpenedWorkbook {
    std::unique_ptr<Workbook> workbook;
    /// Problems that leave the workbook usable: formula cells that show empty because
    /// their results could not be computed (one line per cell, see uncachedFormulaLine),
    /// preceded by why LibreOffice could not compute them when it is installed.
    QStringList problems;
};

/// Opens and reads a whole workbook file with the reader its format needs.
///
/// When the file holds formulas without stored results, LibreOffice computes them (see
/// recalculatedWorkbook: cached per file content, so this is slow only the first time)
/// and those cells alone read their texts from its computed copy; every other cell, the
/// sheets and the active sheet stay as the file's own reading shows them. Without
/// LibreOffice, or when it fails or runs out of time, the file's own reading is returned
/// and `problems` lists the cells left empty (also those on a sheet the copy lacks).
///
/// Throws FileError "Не существует файла: <path>" when there is no such file, and a
/// FileError naming the file for an unknown or unsupported format, an unreadable file
/// and every reader failure.
OpenedWorkbook openWorkbookFile(const QString& path, const WorkbookOptions& options,
                                const RecalculationSettings& recalculation = {});

} // namespace Quillet
