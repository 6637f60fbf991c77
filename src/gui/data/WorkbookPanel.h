// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QWidget>

#include <optional>

class QButtonGroup;
class QLineEdit;

namespace Quillet {

class ProjectDocument;
class SpreadsheetLink;

/// "Связь с файлом Excel" and the page direction `Direct`: the linked workbook and sheet
/// of the project, opened through the spreadsheet link.
class WorkbookPanel : public QWidget {
    Q_OBJECT
public:
    WorkbookPanel(ProjectDocument& document, SpreadsheetLink& link, QWidget* parent = nullptr);

    /// Shows the project's workbook, sheet and direction.
    void refresh();
    /// Opens the workbook the project names (after a project was loaded). When it cannot
    /// be read, nothing stays linked and a message says why.
    void openLinkedWorkbook();

public Q_SLOTS:
    void xlsFileEnter();
    void xlsFileExit();
    void xlsFileBrowseClick();
    void sSpeedButton2Click();
    void sSpeedButton4Click();
    void DirectClick(int item);

Q_SIGNALS:
    /// The page direction changed: the page count must be worked out again.
    void pageCountChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLinkGroup();
    void buildDirectGroup();
    void adoptSheet(bool opened, const QString& sheet);
    /// The exit handler of `xlsFile` on the edit's text; the message when the named
    /// workbook cannot be read, the link then left as it was.
    std::optional<QString> leaveEdit();
    void showError(const QString& message);
    /// A workbook could not be opened: why, and what is linked now.
    void showOpenFailure(const QString& message);

    ProjectDocument& m_document;
    SpreadsheetLink& m_link;
    QLineEdit* m_xlsFile = nullptr;
    QLineEdit* m_sheet = nullptr;
    QButtonGroup* m_direct = nullptr;
};

} // namespace Quillet
