// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/workbook/SpreadsheetReader.h"

#include <QString>

#include <memory>
#include <vector>

namespace Quillet {

/// A worksheet whose displayed texts are all computed when the file is read and held as
/// rows of strings. Used by readers of small formats (csv, xls) whose whole content is
/// in memory anyway. Rows keep no trailing empty cells.
class GridWorksheet : public Worksheet {
public:
    explicit GridWorksheet(QString name) : m_name(std::move(name)) {}

    QString name() const override { return m_name; }
    QString cellText(int row, int column) const override;
    int lastRow() const override { return rowCount(); }
    int lastColumn() const override { return columnCount(); }

    /// Sets the text of the cell at 1-based row and column (both ≥ 1), growing the grid.
    /// An empty text clears the cell.
    void setCell(int row, int column, const QString& text);
    /// Appends a row after the last one (empty trailing cells are dropped).
    void appendRow(std::vector<QString> cells);

    /// Number of rows up to the last one appended or set (which may be empty).
    int rowCount() const { return int(m_rows.size()); }
    /// Widest row, in cells, counting up to its last non-empty cell.
    int columnCount() const;

private:
    QString m_name;
    std::vector<std::vector<QString>> m_rows;
};

/// A workbook of sheets in file order: GridWorksheets, or sheets of another kind that
/// a reader makes.
class GridWorkbook : public Workbook {
public:
    /// Appends a sheet; the first sheet added is the active one until setActiveSheet.
    GridWorksheet& addSheet(const QString& name) { return emplaceSheet<GridWorksheet>(name); }
    /// Appends a sheet of any kind, made from `args`.
    template <class Sheet, class... Args> Sheet& emplaceSheet(Args&&... args)
    {
        auto sheet = std::make_unique<Sheet>(std::forward<Args>(args)...);
        Sheet& added = *sheet;
        m_sheets.push_back(std::move(sheet));
        return added;
    }
    void setActiveSheetName(const QString& name) { m_active = name; }

    QStringList sheetNames() const override;
    QString activeSheetName() const override;
    const Worksheet* worksheet(const QString& name) const override;

private:
    std::vector<std::unique_ptr<Worksheet>> m_sheets;
    QString m_active;
};

} // namespace Quillet
