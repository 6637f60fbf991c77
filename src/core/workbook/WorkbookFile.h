// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/workbook/FormatSniffer.h"
#include "core/workbook/Recalculation.h"
#include "core/workbook/SpreadsheetReader.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace Quillet {

/// A workbook as opened, with the lines its opening adds to the error list.
struct OpenedWorkbook {
    std::unique_ptr<Workbook> workbook;
    /// Problems that leave the workbook usable: formula cells that show empty because
    /// their results could not be computed (one line per cell, see uncachedFormulaLine),
    /// preceded by why LibreOffice could not compute them when it is installed.
    QStringList problems;
};

/// Opens and reads a whole workbook file with the reader its format needs, the format
/// sniffed from its content (sniffWorkbookFormat).
///
/// Formats without a reader of their own (isConvertedFormat: .xlsb, .numbers, .dbf and
/// the others LibreOffice reads) are converted by LibreOffice to .xlsx and read from that
/// copy, cached like computed copies (see recalculatedWorkbook). Without LibreOffice and
/// with nothing cached, a FileError names the format and says LibreOffice is needed.
///
/// When the file holds formulas without stored results, LibreOffice computes them (see
/// recalculatedWorkbook: cached per file content, so this is slow only the first time)
/// and those cells alone read their texts from its computed copy; every other cell, the
/// sheets and the active sheet stay as the file's own reading shows them. Without
/// LibreOffice, or when it fails or runs out of time, the file's own reading is returned
/// and `problems` lists the cells left empty (also those on a sheet the copy lacks).
///
/// Throws FileError "Не существует файла: <path>" when there is no such file, and a
/// FileError naming the file for an unknown format, an unreadable file, a failed
/// conversion and every reader failure; LibreOfficeCancelled when
/// `recalculation.cancelled` stopped LibreOffice (the file itself is fine then).
OpenedWorkbook openWorkbookFile(const QString& path, const WorkbookOptions& options,
                                const RecalculationSettings& recalculation = {});

/// What a workbook file holds by itself, as its own reader reads it: the quick first step
/// of openWorkbookFile. The second, completeWorkbook, runs LibreOffice when needed, so a
/// window can do that one off its thread.
struct WorkbookFileReading {
    QString path;
    WorkbookFormat format = WorkbookFormat::Unknown;
    /// The file's own reading; null for a format only LibreOffice reads.
    std::unique_ptr<Workbook> workbook;
    /// True when completing it asks LibreOffice to convert the file or compute its
    /// formulas (which a cached copy may spare).
    bool needsLibreOffice() const;
};

/// The first step of openWorkbookFile: the file sniffed and read by its own reader (not
/// at all for a format only LibreOffice reads). Throws as openWorkbookFile does for a
/// missing or unreadable file, an unknown format and reader failures.
WorkbookFileReading readWorkbookFile(const QString& path, const WorkbookOptions& options);

/// The second step of openWorkbookFile: what LibreOffice computes or converts added to
/// `reading`. Safe on any thread. Throws as openWorkbookFile does for the conversion.
OpenedWorkbook completeWorkbook(WorkbookFileReading reading, const WorkbookOptions& options,
                                const RecalculationSettings& recalculation = {});

} // namespace Quillet
