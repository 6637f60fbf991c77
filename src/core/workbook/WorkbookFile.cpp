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
        throw FileError(QStringLiteral("Не удаётся открыть файл %1: %2")
                            .arg(path, reasonInRussian(file.errorString())));
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

OpenedWorkbook openWorkbookFile(const QString& path, const WorkbookOptions& options,
                                const RecalculationSettings& recalculation)
{
    OpenedWorkbook opened{readWorkbookFile(path, options), {}};
    if (opened.workbook->uncachedFormulas().empty())
        return opened;
    try {
        std::unique_ptr<Workbook> computed = readRecalculated(path, options, recalculation);
        // Without LibreOffice (a setup, not a failure) the cells' lines say enough.
        if (computed) {
            auto merged = std::make_unique<RecalculatedWorkbook>(std::move(opened.workbook),
                                                                 std::move(computed));
            if (!merged->uncachedFormulas().empty())
                opened.problems
                    << QStringLiteral("LibreOffice не вычислил все формулы книги %1").arg(path);
            opened.workbook = std::move(merged);
        }
    } catch (const FileError& error) {
        opened.problems << error.message();
    }
    for (const FormulaCell& cell : opened.workbook->uncachedFormulas())
        opened.problems << uncachedFormulaLine(cell);
    return opened;
}

} // namespace Quillet
