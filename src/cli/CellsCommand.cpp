// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// quillet-cli cells: the displayed text of a range of cells, for checking what a form
// will print without opening the program.

#include "cli/Command.h"
#include "core/common/Errors.h"
#include "core/data/CellAddress.h"
#include "core/workbook/WorkbookFile.h"

#include <QRegularExpression>

namespace Quillet::Cli {
namespace {

// Backslash first, so that the escapes written for the others are not escaped again.
QString escapeCell(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            out += QLatin1String("\\\\");
            break;
        case u'\t':
            out += QLatin1String("\\t");
            break;
        case u'\n':
            out += QLatin1String("\\n");
            break;
        case u'\r':
            out += QLatin1String("\\r");
            break;
        default:
            out += c;
        }
    }
    return out;
}

// A range "A1:C10" (or one cell "B2"); unlike field references it must be a proper
// address pair, since a typo here should be reported rather than print nothing.
struct CellRange {
    int firstRow, firstColumn, lastRow, lastColumn;
};

CellRange parseRange(const QString& text)
{
    static const QRegularExpression address(QStringLiteral("^[A-Za-z]{1,3}[1-9][0-9]{0,6}$"));
    const ReferenceParts parts = splitReference(text);
    if (!address.match(parts.first).hasMatch() || !address.match(parts.second).hasMatch())
        throw UsageError(QCoreApplication::translate("Quillet::Cli",
                                                     "--range должен иметь вид A1:C10, а не «%1»")
                             .arg(text));
    const CellPosition a = ParseCellAddress(parts.first);
    const CellPosition b = ParseCellAddress(parts.second);
    return {std::min(a.row, b.row), std::min(a.column, b.column), std::max(a.row, b.row),
            std::max(a.column, b.column)};
}

int runCells(const QStringList& args)
{
    const ParsedArgs parsed =
        parseArgs(args, {QStringLiteral("sheet"), QStringLiteral("range")}, {});
    if (parsed.positional.size() != 1)
        throw UsageError(QCoreApplication::translate("Quillet::Cli", "Нужна ровно одна КНИГА"));
    if (!parsed.has(QStringLiteral("range")))
        throw UsageError(QCoreApplication::translate("Quillet::Cli", "Не указан --range"));
    const CellRange range = parseRange(parsed.value(QStringLiteral("range")));

    const OpenedWorkbook opened = openWorkbookFile(parsed.positional.first(), WorkbookOptions());
    // Cells shown empty are the error list's business, not a failure of the command.
    for (const QString& line : opened.problems)
        printErr(line);
    const Workbook* workbook = opened.workbook.get();
    const QString sheetName = parsed.has(QStringLiteral("sheet"))
                                  ? parsed.value(QStringLiteral("sheet"))
                                  : workbook->activeSheetName();
    const Worksheet* sheet = workbook->worksheet(sheetName);
    if (!sheet)
        throw Error(
            QCoreApplication::translate("Quillet::Cli", "Нет указанного листа: %1").arg(sheetName));

    QString out;
    for (int row = range.firstRow; row <= range.lastRow; ++row) {
        for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
            if (column > range.firstColumn)
                out += u'\t';
            out += escapeCell(sheet->cellText(row, column));
        }
        out += u'\n';
        if (out.size() > (1 << 20)) {
            printOut(out);
            out.clear();
        }
    }
    printOut(out);
    return ExitOk;
}

static const bool registered = Cli::registerCommand(
    {"cells", QT_TRANSLATE_NOOP("Quillet::Cli", "cells КНИГА [--sheet ИМЯ] --range A1:C10"),
     &runCells});

} // namespace
} // namespace Quillet::Cli
