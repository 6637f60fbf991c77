// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "gui/app/BackgroundTask.h"

#include <QGroupBox>

#include <memory>
#include <vector>

class QCheckBox;
class QFormLayout;
class QLineEdit;
class QSpinBox;
class QToolButton;

namespace Quillet {

class ProjectDocument;
struct ExportResult;
class SpreadsheetLink;
struct ExportOptions;
struct ViewState;
enum class ExportFormat;

/// "Экспорт результата": the pages to export with their selection buttons, saving them
/// as pictures (`JPGSave`), the print controls and the options of both.
///
/// The pictures are made by the parallel page exporter on a thread of its own, so the
/// window stays responsive; the panel is disabled meanwhile and reports its progress
/// through the progress signals, which the window shows in `ProgressPanel`.
class ExportPanel : public QGroupBox {
    Q_OBJECT
public:
    /// `options`, `document`, `view` and `link` are referenced and must outlive the panel.
    ExportPanel(ExportOptions& options, ProjectDocument& document, const ViewState& view,
                const SpreadsheetLink& link, QWidget* parent = nullptr);
    /// Cancels a running export and waits for the pages under way.
    ~ExportPanel() override = default;

    /// Shows the options again (after the program changed them).
    void refresh();
    /// `NCopies`: copies of each page in direct printing, 1–250.
    int copies() const;
    /// True from the start of an export until its result has been shown.
    bool isExporting() const;
    /// The name the save dialog proposes next.
    QString dialogName() const { return m_dialogName; }

public Q_SLOTS:
    void ToolButton49Click();
    void ToolButton50Click();
    void ToolButton51Click();
    void ToolButton52Click();
    /// The pages of `sEdit1` saved as JPEG, PNG or PDF under a name the user chooses.
    /// With no pages: the message "Не выбраны страницы" and nothing else. Returns at
    /// once; the export runs on. Write errors are shown in a message box when it ends
    /// (the pages written before stay), render problems go to errorLine().
    void JPGSaveClick();
    /// `PDFSave` "Сохранить PDF": the same, with the save dialog on PDF.
    void PDFSaveClick();
    /// The save dialog proposes `path` next (the project was created or saved).
    void setDialogName(const QString& path);
    /// Stops a running export after the page each worker has under way; the file being
    /// written is completed or not left at all. Nothing when no export runs.
    void cancelExport();

Q_SIGNALS:
    /// `JPGPrint` was clicked.
    void printRequested();
    /// `N1` "Настройка принтера" was chosen.
    void printerSetupRequested();
    /// "Калибровка принтера…" was chosen.
    void calibrationRequested();
    /// An export started with `maximum` pages to write; it can be cancelled.
    void progressStarted(int maximum);
    /// Pages written so far.
    void progressChanged(int value);
    /// The export ended (done, cancelled or failed).
    void progressEnded();
    /// A line for the error list (a page's render problem).
    void errorLine(const QString& line);

private:
    struct Run;

    void buildButtonRow(QFormLayout* form);
    int pageCount() const;
    void showPages(const QString& text);
    /// The pages of `sEdit1` saved under a name the user chooses, the dialog offering
    /// `format` first; nothing when there are none or the user declines.
    void saveAs(ExportFormat format);
    void startExport(std::vector<int> pages, const QString& prefix, ExportFormat format);
    /// Says what the export did, in a box that does not hold up the window, with a button
    /// that opens the folder the files went to.
    void showSummary(const ExportResult& written);
    void exportEnded(TaskResult<ExportResult>& result);

    ExportOptions& m_options;
    ProjectDocument& m_document;
    const ViewState& m_view;
    const SpreadsheetLink& m_link;
    QLineEdit* m_pages = nullptr;
    QCheckBox* m_withBack = nullptr;
    QCheckBox* m_reverse = nullptr;
    QCheckBox* m_printAsImg = nullptr;
    QSpinBox* m_copies = nullptr;
    QString m_dialogName;
    ExportFormat m_format{};
    int m_pageTotal = 0;
    // Last, so that an export under way stops before the rest of the panel goes.
    BackgroundTask m_task{QStringLiteral("PageExport")};
};

} // namespace Quillet
