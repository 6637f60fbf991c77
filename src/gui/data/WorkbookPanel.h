// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/data/SpreadsheetLink.h"
#include "gui/app/BackgroundTask.h"

#include <QWidget>

#include <functional>
#include <optional>

class QButtonGroup;
class QGroupBox;
class QLineEdit;

namespace Quillet {

class ProjectDocument;

/// "Связь с файлом Excel" and the page direction `Direct`: the linked workbook and sheet
/// of the project, opened through the spreadsheet link.
///
/// A workbook is read at once; when LibreOffice must convert it or compute its formulas,
/// that part runs on a thread of its own while the window shows the progress panel with a
/// Cancel, the link group is disabled, and the link changes only when it has finished.
class WorkbookPanel : public QWidget {
    Q_OBJECT
public:
    WorkbookPanel(ProjectDocument& document, SpreadsheetLink& link, QWidget* parent = nullptr);

    /// Shows the project's workbook, sheet and direction.
    void refresh();
    /// Opens the workbook the project names (after a project was loaded). When it cannot
    /// be read, nothing stays linked and a message says why. An open of the previous
    /// project's workbook still waiting for LibreOffice is given up.
    void openLinkedWorkbook();
    /// True while an open waits for LibreOffice.
    bool isOpening() const { return m_task.isBusy(); }

public Q_SLOTS:
    void xlsFileEnter();
    void xlsFileExit();
    void xlsFileBrowseClick();
    void sSpeedButton2Click();
    void sSpeedButton4Click();
    void DirectClick(int item);
    /// Stops an open waiting for LibreOffice (which is killed); the link stays as it was.
    void cancelOpen();

Q_SIGNALS:
    /// An open waits for LibreOffice (no steps to count; it can be cancelled) / no longer.
    void progressStarted();
    void progressEnded();
    /// The page direction changed: the page count must be worked out again.
    void pageCountChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLinkGroup();
    void buildDirectGroup();
    void adoptSheet(bool opened, const QString& sheet);
    /// Called with the `sheet` text an open gives.
    using Opened = std::function<void(const QString& sheet)>;
    /// Called with why an open failed, or nullopt when it was cancelled.
    using NotOpened = std::function<void(const std::optional<QString>& failure)>;
    /// Opens the workbook of `plan` (an Open): read at once, completed by LibreOffice on
    /// the task's thread when needed, then adopted by the link; one of the callbacks runs
    /// when it is over. With `unlinkWhileWaiting`, the link is closed while LibreOffice
    /// works (what was linked before belongs to another project).
    void open(const SpreadsheetLink::Plan& plan, Opened opened, NotOpened notOpened,
              bool unlinkWhileWaiting = false);
    /// The link for the name in the edit: closed or kept when the name asks no open, else
    /// opened as `open` does, the sheet adopted when it opens.
    void openTyped(NotOpened notOpened, bool unlinkWhileWaiting = false);
    void waitingEnded();
    void showError(const QString& message);
    /// A workbook could not be opened: why, and what is linked now.
    void showOpenFailure(const QString& message);

    ProjectDocument& m_document;
    SpreadsheetLink& m_link;
    QGroupBox* m_linkGroup = nullptr;
    QLineEdit* m_xlsFile = nullptr;
    QLineEdit* m_sheet = nullptr;
    QButtonGroup* m_direct = nullptr;
    // Last, so that an open under way stops before the rest of the panel goes.
    BackgroundTask m_task{QStringLiteral("WorkbookOpen")};
};

} // namespace Quillet
