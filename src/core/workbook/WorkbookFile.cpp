// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/WorkbookFile.h"

#include "core/common/Errors.h"
#include "core/workbook/CsvReader.h"
#include "core/workbook/OdsReader.h"
#include "core/workbook/XlsReader.h"
#include "core/workbook/XlsxReader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace Quillet {
namespace {

std::unique_ptr<SpreadsheetReader> readerFor(WorkbookFormat format)
{
    switch (format) {
    case WorkbookFormat::Xlsx:
        return std::make_unique<XlsxReader>();
    case WorkbookFormat::Ods:
        return std::make_unique<OdsReader>();
    case WorkbookFormat::Xls:
        return std::make_unique<XlsReader>();
    case WorkbookFormat::Csv:
        return std::make_unique<CsvReader>();
    case WorkbookFormat::Unknown:
        break;
    }
    return nullptr;
}

} // namespace

WorkbookFormat detectWorkbookFormat(const QByteArray& head, const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (head.startsWith("PK\x03\x04")) {
        // An OpenDocument package stores its uncompressed "mimetype" entry first.
        if (head.mid(30, 8) == "mimetype"
            && head.mid(38).startsWith("application/vnd.oasis.opendocument.spreadsheet"))
            return WorkbookFormat::Ods;
        return suffix == u"ods" ? WorkbookFormat::Ods : WorkbookFormat::Xlsx;
    }
    if (head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return WorkbookFormat::Xls;
    if (suffix == u"fods")
        return WorkbookFormat::Ods;
    if (suffix == u"csv" || suffix == u"txt")
        return WorkbookFormat::Csv;
    return WorkbookFormat::Unknown;
}

namespace {

std::unique_ptr<Workbook> readWorkbookFile(const QString& path, const WorkbookOptions& options)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw FileError(QStringLiteral("Не существует файла: %1").arg(path));
    if (info.isDir())
        throw FileError(QStringLiteral("Это папка, а не файл книги: %1").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(
            QStringLiteral("Не удаётся открыть файл %1: %2").arg(path, file.errorString()));
    const std::unique_ptr<SpreadsheetReader> reader =
        readerFor(detectWorkbookFormat(file.peek(128), info.fileName()));
    if (!reader)
        throw FileError(QStringLiteral("Неизвестный формат книги: %1 (ожидается .xlsx, .xlsm, "
                                       ".ods, .fods, .xls, .csv или .txt)")
                            .arg(path));
    try {
        return reader->read(file, info.fileName(), options);
    } catch (const FileError& error) {
        // Readers name the file without its folder; the user needs to know which one.
        if (error.message().contains(path))
            throw;
        throw FileError(QStringLiteral("%1: %2").arg(path, error.message()));
    }
}

// Null when LibreOffice is not installed and no computed copy is cached.
std::unique_ptr<Workbook> readRecalculated(const QString& path, const WorkbookOptions& options,
                                           const RecalculationSettings& recalculation)
{
    QByteArray bytes = recalculatedWorkbook(path, recalculation);
    if (bytes.isEmpty())
        return nullptr;
    QBuffer buffer(&bytes);
    try {
        return XlsxReader().read(buffer, QFileInfo(path).fileName(), options);
    } catch (const FileError& error) {
        throw FileError(QStringLiteral("Не удаётся прочитать пересчитанную копию файла %1: %2")
                            .arg(path, error.message()));
    }
}

} // namespace

OpenedWorkbook openWorkbookFile(const QString& path, const WorkbookOptions& options,
                                const RecalculationSettings& recalculation)
{
    OpenedWorkbook opened{readWorkbookFile(path, options), {}};
    const std::vector<FormulaCell>& uncached = opened.workbook->uncachedFormulas();
    if (uncached.empty())
        return opened;
    try {
        std::unique_ptr<Workbook> computed = readRecalculated(path, options, recalculation);
        // Without LibreOffice (a setup, not a failure) the cells' lines say enough.
        if (computed && computed->sheetNames() == opened.workbook->sheetNames()) {
            opened.workbook = std::move(computed);
            for (const FormulaCell& cell : opened.workbook->uncachedFormulas())
                opened.problems << uncachedFormulaLine(cell);
            return opened;
        }
        if (computed)
            opened.problems << QStringLiteral("LibreOffice изменил листы книги %1").arg(path);
    } catch (const FileError& error) {
        opened.problems << error.message();
    }
    for (const FormulaCell& cell : uncached)
        opened.problems << uncachedFormulaLine(cell);
    return opened;
}

} // namespace Quillet
