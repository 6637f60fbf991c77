// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/WorkbookFile.h"

#include "core/common/Errors.h"
#include "core/workbook/CsvReader.h"
#include "core/workbook/OdsReader.h"
#include "core/workbook/XlsReader.h"
#include "core/workbook/XlsxReader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <map>
#include <unordered_set>

namespace Quillet {
namespace {

std::unique_ptr<SpreadsheetReader> readerFor(WorkbookFormat format)
{
    switch (format) {
    case WorkbookFormat::Xlsx:
        return std::make_unique<XlsxReader>();
    case WorkbookFormat::Ods:
    case WorkbookFormat::FlatOds:
        return std::make_unique<OdsReader>();
    case WorkbookFormat::Xls:
        return std::make_unique<XlsReader>();
    case WorkbookFormat::Csv:
        return std::make_unique<CsvReader>();
    default:
        return nullptr;
    }
}

// A file opened for reading, with the format its content shows.
struct SniffedFile {
    std::unique_ptr<QFile> file;
    WorkbookFormat format = WorkbookFormat::Unknown;
};

SniffedFile openSniffed(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw FileError(
            QCoreApplication::translate("Quillet::WorkbookFile", "Не существует файла: %1")
                .arg(path));
    if (info.isDir())
        throw FileError(
            QCoreApplication::translate("Quillet::WorkbookFile", "Это папка, а не файл книги: %1")
                .arg(path));
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        throw FileError(
            QCoreApplication::translate("Quillet::WorkbookFile", "Не удаётся открыть файл %1: %2")
                .arg(path, reasonInRussian(file->errorString())));
    const WorkbookFormat format = sniffWorkbookFormat(*file, info.fileName());
    if (format == WorkbookFormat::Unknown)
        throw FileError(
            QCoreApplication::translate("Quillet::WorkbookFile",
                                        "Неизвестный формат книги: %1 (ожидается .xlsx, .xlsm, "
                                        ".ods, .fods, .xls, .csv или .txt, а с LibreOffice "
                                        "также .xlsb, .numbers, .dbf и другие его форматы)")
                .arg(path));
    return {std::move(file), format};
}

std::unique_ptr<Workbook> readSniffed(const QString& path, QFile& file, WorkbookFormat format,
                                      const WorkbookOptions& options)
{
    try {
        return readerFor(format)->read(file, QFileInfo(path).fileName(), options);
    } catch (const FileError& error) {
        // Readers name the file without its folder; the user needs to know which one.
        if (error.message().contains(path))
            throw;
        throw FileError(QStringLiteral("%1: %2").arg(path, error.message()));
    }
}

// The file as LibreOffice computed or converted it; null when LibreOffice is not installed
// and no copy is cached.
std::unique_ptr<Workbook> readRecalculated(const QString& path, WorkbookFormat format,
                                           const WorkbookOptions& options,
                                           const RecalculationSettings& recalculation)
{
    QByteArray bytes = recalculatedWorkbook(path, recalculation, workbookFormatSuffix(format));
    if (bytes.isEmpty())
        return nullptr;
    QBuffer buffer(&bytes);
    try {
        return XlsxReader().read(buffer, QFileInfo(path).fileName(), options);
    } catch (const FileError& error) {
        throw FileError(
            QCoreApplication::translate("Quillet::WorkbookFile",
                                        "Не удаётся прочитать пересчитанную копию файла %1: %2")
                .arg(path, error.message()));
    }
}

// Formats of one table without a sheet name of their own (dBase, SYLK, DIF) get a made-up
// one from LibreOffice ("Sheet1"): the sheet is shown under the file's name instead, as
// text tables are.
class RenamedSheetWorkbook final : public Workbook {
public:
    RenamedSheetWorkbook(std::unique_ptr<Workbook> workbook, const QString& from, const QString& to)
        : m_workbook(std::move(workbook)), m_from(from), m_sheet(m_workbook->worksheet(from), to)
    {
        for (FormulaCell cell : m_workbook->uncachedFormulas()) {
            if (cell.sheet == from)
                cell.sheet = to;
            addUncachedFormula(cell);
        }
    }

    QStringList sheetNames() const override
    {
        QStringList names = m_workbook->sheetNames();
        names.replace(names.indexOf(m_from), m_sheet.shownName);
        return names;
    }
    QString activeSheetName() const override
    {
        const QString active = m_workbook->activeSheetName();
        return active == m_from ? m_sheet.shownName : active;
    }
    const Worksheet* worksheet(const QString& name) const override
    {
        if (name == m_sheet.shownName)
            return &m_sheet;
        return name == m_from ? nullptr : m_workbook->worksheet(name);
    }

private:
    struct Sheet final : Worksheet {
        Sheet(const Worksheet* sheet, const QString& name) : sheet(sheet), shownName(name) {}
        QString name() const override { return shownName; }
        QString cellText(int row, int column) const override
        {
            return sheet->cellText(row, column);
        }
        CellContent cellContent(int row, int column) const override
        {
            return sheet->cellContent(row, column);
        }
        int lastRow() const override { return sheet->lastRow(); }
        int lastColumn() const override { return sheet->lastColumn(); }
        const Worksheet* sheet;
        QString shownName;
    };

    std::unique_ptr<Workbook> m_workbook;
    QString m_from;
    Sheet m_sheet;
};

// A format only LibreOffice reads: its copy is the workbook.
OpenedWorkbook openConverted(const QString& path, WorkbookFormat format,
                             const WorkbookOptions& options,
                             const RecalculationSettings& recalculation)
{
    OpenedWorkbook opened{readRecalculated(path, format, options, recalculation), {}};
    if (!opened.workbook)
        throw FileError(
            QCoreApplication::translate("Quillet::WorkbookFile",
                                        "Файл %1 — книга формата %2. Такие книги программа "
                                        "открывает через LibreOffice, а он не установлен "
                                        "(программа soffice): установите LibreOffice или "
                                        "сохраните книгу как .xlsx.")
                .arg(path, workbookFormatName(format)));
    const QStringList sheets = opened.workbook->sheetNames();
    if (isSingleTableFormat(format) && sheets.size() == 1)
        opened.workbook = std::make_unique<RenamedSheetWorkbook>(
            std::move(opened.workbook), sheets.first(), QFileInfo(path).completeBaseName());
    for (const FormulaCell& cell : opened.workbook->uncachedFormulas())
        opened.problems << uncachedFormulaLine(cell);
    return opened;
}

// The file's own reading with only the formula cells answered from LibreOffice's computed
// copy: the other cells keep the file's number formats as the reader shows them (the copy
// went through LibreOffice's export, in a fixed locale). Read-only once built, so safe for
// concurrent const calls like every worksheet.
class RecalculatedWorkbook final : public Workbook {
public:
    RecalculatedWorkbook(std::unique_ptr<Workbook> file, std::unique_ptr<Workbook> computed)
        : m_file(std::move(file)), m_computed(std::move(computed))
    {
        const std::vector<FormulaCell>& failed = m_computed->uncachedFormulas();
        for (const FormulaCell& cell : m_file->uncachedFormulas()) {
            const Worksheet* own = m_file->worksheet(cell.sheet);
            const Worksheet* computedSheet = m_computed->worksheet(cell.sheet);
            // A sheet the copy lacks, or a cell it left without a result, stays empty.
            if (!own || !computedSheet
                || std::find(failed.begin(), failed.end(), cell) != failed.end()) {
                addUncachedFormula(cell);
                continue;
            }
            const auto it = m_sheets.try_emplace(cell.sheet, own, computedSheet).first;
            it->second.formulas.insert(key(cell.row, cell.column));
        }
    }

    QStringList sheetNames() const override { return m_file->sheetNames(); }
    QString activeSheetName() const override { return m_file->activeSheetName(); }
    const Worksheet* worksheet(const QString& name) const override
    {
        const auto it = m_sheets.find(name);
        return it != m_sheets.end() ? &it->second : m_file->worksheet(name);
    }

private:
    static quint64 key(int row, int column)
    {
        return quint64(quint32(row)) << 32 | quint32(column);
    }

    struct Sheet final : Worksheet {
        Sheet(const Worksheet* file, const Worksheet* computed) : file(file), computed(computed) {}
        QString name() const override { return file->name(); }
        QString cellText(int row, int column) const override
        {
            return formulas.count(key(row, column)) ? computed->cellText(row, column)
                                                    : file->cellText(row, column);
        }
        CellContent cellContent(int row, int column) const override
        {
            return formulas.count(key(row, column)) ? computed->cellContent(row, column)
                                                    : file->cellContent(row, column);
        }
        // A formula cell the file holds without a result may lie beyond the file's own
        // used range (the readers skip cells that show nothing).
        int lastRow() const override { return std::max(file->lastRow(), computed->lastRow()); }
        int lastColumn() const override
        {
            return std::max(file->lastColumn(), computed->lastColumn());
        }
        const Worksheet* file;
        const Worksheet* computed;
        std::unordered_set<quint64> formulas;
    };

    std::unique_ptr<Workbook> m_file;
    std::unique_ptr<Workbook> m_computed;
    std::map<QString, Sheet> m_sheets;
};

} // namespace

bool WorkbookFileReading::needsLibreOffice() const
{
    return !workbook || !workbook->uncachedFormulas().empty();
}

WorkbookFileReading readWorkbookFile(const QString& path, const WorkbookOptions& options)
{
    SniffedFile sniffed = openSniffed(path);
    WorkbookFileReading reading{path, sniffed.format, nullptr};
    if (!isConvertedFormat(sniffed.format))
        reading.workbook = readSniffed(path, *sniffed.file, sniffed.format, options);
    return reading;
}

OpenedWorkbook completeWorkbook(WorkbookFileReading reading, const WorkbookOptions& options,
                                const RecalculationSettings& recalculation)
{
    const QString& path = reading.path;
    if (!reading.workbook)
        return openConverted(path, reading.format, options, recalculation);
    OpenedWorkbook opened{std::move(reading.workbook), {}};
    if (opened.workbook->uncachedFormulas().empty())
        return opened;
    try {
        std::unique_ptr<Workbook> computed =
            readRecalculated(path, reading.format, options, recalculation);
        // Without LibreOffice (a setup, not a failure) the cells' lines say enough.
        if (computed) {
            auto merged = std::make_unique<RecalculatedWorkbook>(std::move(opened.workbook),
                                                                 std::move(computed));
            if (!merged->uncachedFormulas().empty())
                opened.problems << QCoreApplication::translate(
                                       "Quillet::WorkbookFile",
                                       "LibreOffice не вычислил все формулы книги %1")
                                       .arg(path);
            opened.workbook = std::move(merged);
        }
    } catch (const FileError& error) {
        opened.problems << error.message();
    }
    for (const FormulaCell& cell : opened.workbook->uncachedFormulas())
        opened.problems << uncachedFormulaLine(cell);
    return opened;
}

OpenedWorkbook openWorkbookFile(const QString& path, const WorkbookOptions& options,
                                const RecalculationSettings& recalculation)
{
    return completeWorkbook(readWorkbookFile(path, options), options, recalculation);
}

} // namespace Quillet
