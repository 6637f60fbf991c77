// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/export/Printing.h"

#include "core/app/PageCount.h"
#include "core/app/ProjectDocument.h"
#include "core/app/UserSettings.h"
#include "core/data/PageSelection.h"
#include "core/data/SetAsString.h"
#include "core/data/SpreadsheetLink.h"
#include "core/export/ExportOptions.h"
#include "core/export/PrintJob.h"
#include "core/render/PageRenderer.h"
#include "gui/app/SettingsColumn.h"
#include "gui/export/CalibrationDialog.h"
#include "gui/export/PrinterDevice.h"

#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

namespace Quillet {
namespace {

bool isPortrait(const QPrinter& printer)
{
    return printer.pageLayout().orientation() == QPageLayout::Portrait;
}

} // namespace

// What one print works on: its own copy of the project, so the window may go on editing.
struct PrintController::Run {
    Project project;
    std::shared_ptr<const Workbook> workbook;
    PrintRequest request;
    std::unique_ptr<PrinterDevice> device;
    PrinterMetrics metrics;
    bool toFile = false; // into a PDF file rather than on a printer
};

PrintController::PrintController(const PrintContext& context, QWidget* window)
    : QObject(window), m_context(context), m_window(window)
{
    setObjectName(QStringLiteral("PrintController"));
    connect(m_context.progress, &SettingsColumn::cancelRequested, this,
            &PrintController::cancelPrint);
    connect(&m_task, &BackgroundTask::progressed, m_context.progress, &SettingsColumn::setProgress);
}

PrintController::~PrintController() = default;

QPrinter& PrintController::printer()
{
    // Made on first use: asking the print system for its default printer can take a
    // moment, and most sessions never print.
    if (m_printer == nullptr) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // HighResolution alone is 1200 dpi: four times the memory of a page for nothing a
        // form shows, and a print unlike quillet-cli's.
        m_printer->setResolution(PrintResolutionDpi);
        // With no default printer Qt starts out printing into a file; the system's first
        // printer is the one meant then.
        const QStringList printers = QPrinterInfo::availablePrinterNames();
        if (m_printer->outputFormat() == QPrinter::PdfFormat && !printers.isEmpty())
            m_printer->setPrinterName(printers.first());
    }
    return *m_printer;
}

bool PrintController::hasPrinter()
{
    if (printer().outputFormat() == QPrinter::PdfFormat)
        return !printer().outputFileName().isEmpty();
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

int PrintController::pageCount() const
{
    const Project& project = m_context.document->project;
    return UpdatePageCount(project.Structure, project.settings.Direct);
}

void PrintController::JPGPrintClick()
{
    if (isPrinting())
        return;
    TSetAsString PrintSet;
    PrintSet.setAsString(m_context.options->pages);
    if (pageCount() < 1 || PrintSet.isEmpty()) {
        QMessageBox::warning(m_window, tr("Внимание"), tr("Не выбраны страницы"), QMessageBox::Ok);
        return;
    }
    askOrientation();
    PrintSet.setAsString(m_context.options->pages);
    if (PrintSet.isEmpty() || !hasPrinter() || pageCount() < 1)
        return;
    std::vector<int> pages;
    try {
        pages = PageSelection::listedPages(m_context.options->pages);
    } catch (const Error& e) {
        showError(e.message());
        return;
    }
    const QString question =
        //: The action in the question "Страница 3 пуста: данных нет. Всё равно распечатать?"
        PageSelection::pagesWithoutDataQuestion(pages, pageCount(), tr("распечатать"));
    if (!question.isEmpty()
        && QMessageBox::question(m_window, tr("Внимание"), question,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               != QMessageBox::Yes)
        return;
    startPrint(std::move(pages));
}

void PrintController::askOrientation()
{
    const Project& project = m_context.document->project;
    const QSize raster(project.pageWidthPx(), project.pageHeightPx());
    // The portrait question follows the landscape one, so a No to the first leaves the
    // printer in portrait and the second is not asked.
    for (const OrientationAdvice advice :
         {OrientationAdvice::Landscape, OrientationAdvice::Portrait}) {
        if (orientationAdvice(raster, isPortrait(printer())) != advice)
            continue;
        const auto answer =
            QMessageBox::question(m_window, tr("Предупреждение"), orientationQuestion(advice),
                                  QMessageBox::Yes | QMessageBox::No);
        if (answer == QMessageBox::Yes) {
            printer().setPageOrientation(advice == OrientationAdvice::Landscape
                                             ? QPageLayout::Landscape
                                             : QPageLayout::Portrait);
        }
    }
}

std::shared_ptr<PrintController::Run> PrintController::prepareRun(std::vector<int> pages)
{
    auto run = std::make_shared<Run>();
    run->device = std::make_unique<PrinterDevice>(printer());
    run->toFile = printer().outputFormat() == QPrinter::PdfFormat;
    try {
        run->metrics = run->device->metrics();
        run->request.calibration =
            m_context.userSettings->calibration(run->metrics.name, run->metrics.portrait);
    } catch (const Error& e) {
        showError(e.message());
        return nullptr;
    }
    run->project = m_context.document->project;
    run->workbook = m_context.link->workbook();
    PrintRequest& request = run->request;
    request.project = &run->project;
    request.projectPath = m_context.document->ProjectPath;
    request.workbook = run->workbook.get();
    request.pages = std::move(pages);
    request.reverse = m_context.options->Reverce;
    request.copies = m_context.copies ? m_context.copies() : 1;
    // A print of pictures leaves each job the copy count the printer holds (forms with a
    // picture always print so): "Копий" goes there too, as quillet-cli's --copies does.
    printer().setCopyCount(request.copies);
    request.asImage = m_context.options->PrintAsImg;
    request.withBackground = m_context.options->WithBack;
    return run;
}

void PrintController::startPrint(std::vector<int> pages)
{
    const std::shared_ptr<Run> run = prepareRun(std::move(pages));
    if (run == nullptr)
        return;
    const int n = int(run->request.pages.size());
    const bool started = m_task.start(
        [run](TaskControl& control) {
            // The painter is begun on this thread and is ended on it.
            try {
                const PrintResult printed =
                    printPages(run->request, *run->device,
                               [&control](int step, int) { return control.progress(step); });
                run->device->finish();
                run->device.reset();
                return printed;
            } catch (...) {
                // A PDF file that failed part-way would pass for a whole print.
                run->device->discard();
                run->device.reset();
                throw;
            }
        },
        [this, run](TaskResult<PrintResult>& result) { printEnded(*run, result); });
    if (!started)
        return;
    if (m_context.controls != nullptr)
        m_context.controls->setEnabled(false);
    m_context.progress->startProgress(printProgressMaximum(run->metrics, run->request.asImage, n),
                                      true);
}

void PrintController::cancelPrint()
{
    m_task.cancel();
}

void PrintController::printEnded(const Run& run, TaskResult<PrintResult>& result)
{
    m_context.progress->endProgress();
    if (m_context.controls != nullptr)
        m_context.controls->setEnabled(true);
    PrintResult printed;
    QString error;
    try {
        printed = std::move(result.value());
    } catch (const PrintError& e) {
        // A PDF file is dropped whole; a printer keeps the jobs it has spooled.
        if (e.jobsEnded() == 0 || run.toFile)
            error = e.message();
        else
            error =
                tr("%1\nУже отправлено на печать страниц: %2.").arg(e.message()).arg(e.jobsEnded());
    } catch (const Error& e) {
        error = e.message();
    } catch (const std::bad_alloc&) {
        error = tr("Не хватает памяти, чтобы напечатать страницу.");
    } catch (const std::exception& e) {
        error = tr("Печать прервана: %1").arg(QString::fromLocal8Bit(e.what()));
    }
    for (const QString& line : printed.errorLines)
        m_context.errors->LogRenderError(line);
    if (!error.isEmpty())
        showError(error);
    Q_EMIT printFinished();
}

void PrintController::N1Click()
{
    if (isPrinting())
        return;
    QPrintDialog dialog(&printer(), m_window);
    dialog.setWindowTitle(tr("Настройка принтера"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    dialog.exec();
    // Whatever printer or file was chosen, it prints at the one resolution.
    printer().setResolution(PrintResolutionDpi);
}

void PrintController::calibrationClick()
{
    if (isPrinting())
        return;
    if (!hasPrinter()) {
        QMessageBox::warning(m_window, tr("Калибровка принтера"), tr("Не найден ни один принтер."));
        return;
    }
    QPrinter& session = printer();
    const QString name = PrinterDevice(session).metrics().name;
    if (name.isEmpty()) {
        QMessageBox::information(m_window, tr("Калибровка принтера"),
                                 tr("Сейчас выбрана печать в файл, а не принтер. "
                                    "Выберите принтер в настройке принтера."));
        return;
    }
    const QPageLayout::Orientation orientation = session.pageLayout().orientation();
    const std::optional<QPageLayout::Orientation> chosen = askCalibratedOrientation(name);
    if (!chosen)
        return;
    const int copies = session.copyCount();
    // One sheet is enough, in the orientation whose prints it corrects.
    session.setPageOrientation(*chosen);
    std::optional<AlignmentPage> page;
    try {
        PrinterDevice device(session);
        const PrinterMetrics metrics = device.metrics();
        page = alignmentPage(metrics, session.paperRect(QPrinter::Millimeter).size());
        device.beginJob(tr("Калибровка принтера"), 1);
        drawAlignmentPage(device.painter(), metrics, *page);
        device.endJob();
    } catch (const Error& e) {
        page.reset();
        showError(e.message());
    }
    session.setPageOrientation(orientation);
    session.setCopyCount(copies);
    if (!page)
        return;
    CalibrationDialog dialog(name, *page, *m_context.userSettings, m_window);
    dialog.exec();
}

std::optional<QPageLayout::Orientation>
PrintController::askCalibratedOrientation(const QString& printerName)
{
    const bool portrait = isPortrait(printer());
    const QString question =
        portrait ? tr("Принтер «%1» может сдвигать печать по-разному в книжной и в "
                      "альбомной ориентации листа, поэтому поправка хранится для "
                      "каждой ориентации отдельно. Сейчас принтер печатает в книжной "
                      "ориентации.\n\nДля какой ориентации напечатать "
                      "калибровочную страницу?")
                 : tr("Принтер «%1» может сдвигать печать по-разному в книжной и в "
                      "альбомной ориентации листа, поэтому поправка хранится для "
                      "каждой ориентации отдельно. Сейчас принтер печатает в альбомной "
                      "ориентации.\n\nДля какой ориентации напечатать "
                      "калибровочную страницу?");
    QMessageBox box(QMessageBox::Question, tr("Калибровка принтера"), question.arg(printerName),
                    QMessageBox::NoButton, m_window);
    QPushButton* upright = box.addButton(tr("Книжная"), QMessageBox::AcceptRole);
    upright->setObjectName(QStringLiteral("CalibratePortrait"));
    QPushButton* turned = box.addButton(tr("Альбомная"), QMessageBox::AcceptRole);
    turned->setObjectName(QStringLiteral("CalibrateLandscape"));
    box.addButton(tr("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(portrait ? upright : turned);
    box.exec();
    if (box.clickedButton() == upright)
        return QPageLayout::Portrait;
    if (box.clickedButton() == turned)
        return QPageLayout::Landscape;
    return std::nullopt;
}

void PrintController::showError(const QString& message)
{
    QMessageBox::critical(m_window, QStringLiteral("Quillet"), message);
}

} // namespace Quillet
