// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QIODevice;

namespace Quillet {

/// What a cell holds, as far as telling a header line from data goes: Text for a string,
/// Value for a number, date, time, boolean or error, Empty when it shows nothing.
enum class CellContent { Empty, Text, Value };

/// The kind of value a displayed text stands for when the file keeps no types: Value for
/// a number as people write one (sign, digit groups split by blanks, a decimal comma or
/// point, a trailing percent sign: "-1 234,50", "7.5%"), a date or a time ("31.12.2024",
/// "2024-12-31", "9:30"); Empty for an empty text; Text for anything else.
CellContent contentOfText(const QString& text);

/// One worksheet of an opened workbook. Read-only after opening: every const member may
/// be called from several threads at once (pages render in parallel).
class Worksheet {
public:
    virtual ~Worksheet() = default;
    virtual QString name() const = 0;
    /// The text a spreadsheet application displays for the cell (number format applied,
    /// never "###"), by 1-based row and column; empty for cells outside the data and for
    /// rows or columns below 1.
    virtual QString cellText(int row, int column) const = 0;
    /// The kind of the cell's value, by 1-based row and column; Empty wherever cellText
    /// is empty. By default judged from the displayed text (contentOfText), which is all
    /// a format without value types (csv) allows.
    virtual CellContent cellContent(int row, int column) const
    {
        return contentOfText(cellText(row, column));
    }
    /// The last row and the last column that hold a cell: the bounds of the used range.
    /// Cells on that last row or column may still show nothing. 0 for a sheet without
    /// cells, and by default, for a sheet that does not know its range.
    virtual int lastRow() const { return 0; }
    virtual int lastColumn() const { return 0; }
};

/// A cell that holds a formula whose result the file does not store (workbooks written
/// by scripts often carry such formulas; a spreadsheet application computes them when it
/// opens the file). Row and column are 1-based.
struct FormulaCell {
    QString sheet;
    int row = 0;
    int column = 0;
    bool operator==(const FormulaCell&) const = default;
};

/// An opened workbook: its sheets and which one was active when the file was saved.
class Workbook {
public:
    virtual ~Workbook() = default;
    /// Formula cells without a stored result, in file order; they read as empty texts.
    const std::vector<FormulaCell>& uncachedFormulas() const { return m_uncachedFormulas; }
    /// Readers call this for each formula cell whose file holds no result.
    void addUncachedFormula(FormulaCell cell) { m_uncachedFormulas.push_back(std::move(cell)); }

    virtual QStringList sheetNames() const = 0;
    virtual QString activeSheetName() const = 0;
    /// The worksheet of that exact name, or nullptr when there is none ("not found").
    virtual const Worksheet* worksheet(const QString& name) const = 0;

private:
    std::vector<FormulaCell> m_uncachedFormulas;
};

/// How displayed texts are made: decimal and grouping separators, month and day names of
/// formats without a locale tag and the default date format follow `locale`.
struct WorkbookOptions {
    QLocale locale = QLocale();
};

/// One file format (xlsx/xlsm, ods, xls, csv). Readers never crash or hang on hostile
/// input: a broken file gives a FileError with a clear message.
class SpreadsheetReader {
public:
    virtual ~SpreadsheetReader() = default;
    /// Reads the whole workbook from `device`. `fileName` is the file's name (without
    /// folder), used where the format names a sheet after the file (csv).
    virtual std::unique_ptr<Workbook> read(QIODevice& device, const QString& fileName,
                                           const WorkbookOptions& options) const = 0;
};

} // namespace Quillet
