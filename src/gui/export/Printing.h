// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Printing from the window: the session's printer, the questions asked before a print,
// the print itself on a thread of its own, the system's printer setup and the printer's
// calibration.

#include "gui/app/BackgroundTask.h"

#include <QObject>
#include <QPageLayout>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPrinter;
class QWidget;

namespace Quillet {

class ProjectDocument;
class RenderErrorSink;
class SettingsColumn;
class SpreadsheetLink;
class UserSettings;
struct ExportOptions;
struct PrintResult;

/// What a print reads from the window. Everything is referenced and must outlive the
/// controller.
struct PrintContext {
    const ProjectDocument* document = nullptr;
    const ExportOptions* options = nullptr;
    const SpreadsheetLink* link = nullptr;
    UserSettings* userSettings = nullptr;
    /// Takes the render's error-list lines.
    RenderErrorSink* errors = nullptr;
    /// Shows the progress (`ProgressPanel`) and offers its Cancel.
    SettingsColumn* progress = nullptr;
    /// `NCopies`: copies of every page, printed directly or as pictures.
    std::function<int()> copies;
    /// Disabled while a print runs (the export group), or null.
    QWidget* controls = nullptr;
};

/// Prints the window's pages on the session's printer. The printer object lives as long
/// as the window, so the orientation and copy count set on it (by a print or the setup
/// dialog) hold for the next print. Dialogs and message boxes open over `window`.
class PrintController : public QObject {
    Q_OBJECT
public:
    PrintController(const PrintContext& context, QWidget* window);
    /// Stops a print under way after its current job and waits for it.
    ~PrintController() override;

    /// The session's printer, made on first use at PrintResolutionDpi, which the printer
    /// setup dialog keeps; a test may point it at a PDF file.
    QPrinter& printer();
    /// True from the start of a print until its result has been shown.
    bool isPrinting() const { return m_task.isBusy(); }

public Q_SLOTS:
    /// `JPGPrint`: asks what must be asked (no pages, orientation), then prints the pages
    /// of `sEdit1`, one job per page, with the calibration stored for the printer, and
    /// returns at once while the print runs on. A failure ends the print at that page
    /// (the jobs ended before it stay spooled; a PDF file is removed whole) and is shown
    /// in a message box; the render's
    /// problems go to the error list. Nothing of the window's state changes. Ignored
    /// while a print runs.
    void JPGPrintClick();
    /// `N1` "Настройка принтера": the system's dialog choosing the printer, paper and
    /// orientation of the session's printer. Ignored while a print runs.
    void N1Click();
    /// "Калибровка принтера…": asks which orientation to calibrate (the printer's own is
    /// offered first), prints the alignment page for the printer's paper in it as one job,
    /// then asks where its crosses landed and stores the printer's calibration for that
    /// orientation. The printer keeps its orientation and copy count. A failure to print
    /// (a sheet too small for the page included) is shown in a message box and nothing is
    /// asked. Ignored while a print runs.
    void calibrationClick();
    /// Stops a print under way once its current job has ended; nothing when none runs.
    void cancelPrint();

Q_SIGNALS:
    /// A print ended (done, cancelled or failed) and its result has been shown.
    void printFinished();

private:
    struct Run;

    bool hasPrinter();
    int pageCount() const;
    void askOrientation();
    std::optional<QPageLayout::Orientation> askCalibratedOrientation(const QString& printerName);
    std::shared_ptr<Run> prepareRun(std::vector<int> pages);
    void startPrint(std::vector<int> pages);
    void printEnded(const Run& run, TaskResult<PrintResult>& result);
    void showError(const QString& message);

    PrintContext m_context;
    QWidget* m_window;
    std::unique_ptr<QPrinter> m_printer;
    // A print under way draws on m_printer: the task must go first.
    BackgroundTask m_task{QStringLiteral("Printing")};
};

} // namespace Quillet
