// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// quillet-cli print PROJECT: the selected pages on a printer, one job per page, exactly as
// the window prints them; or, with --output, into a PDF file as a printer would get them.

#include "cli/CliProject.h"
#include "cli/Command.h"
#include "core/app/PageCount.h"
#include "core/app/UserSettings.h"
#include "core/common/Errors.h"
#include "core/export/CupsPrinterDevice.h"
#include "core/export/PdfFileDevice.h"
#include "core/export/PrintJob.h"

#include <QFileInfo>

#include <cstdio>
#include <unistd.h>

namespace Quillet::Cli {
namespace {

constexpr int DefaultFileDpi = 600;

int numberOption(const ParsedArgs& parsed, const QString& name, int low, int high, int fallback)
{
    if (!parsed.has(name))
        return fallback;
    bool ok = false;
    const int value = parsed.value(name).toInt(&ok);
    if (!ok || value < low || value > high) {
        throw Error(QCoreApplication::translate("Quillet::Cli", "--%1 принимает число от %2 до %3")
                        .arg(name)
                        .arg(low)
                        .arg(high));
    }
    return value;
}

QString knownPrinters(const QStringList& names)
{
    return names.isEmpty() ? QCoreApplication::translate("Quillet::Cli", "принтеров нет")
                           : QCoreApplication::translate("Quillet::Cli", "есть: %1")
                                 .arg(names.join(QStringLiteral(", ")));
}

// The CUPS queue to print on: the one named, or the default one.
QString chosenPrinter(const QString& name)
{
    const QStringList names = cupsPrinterNames();
    if (name.isEmpty()) {
        const QString fallback = cupsDefaultPrinter();
        if (fallback.isEmpty()) {
            throw Error(QCoreApplication::translate(
                            "Quillet::Cli", "Принтер по умолчанию не задан, укажите --printer (%1)")
                            .arg(knownPrinters(names)));
        }
        return fallback;
    }
    if (!names.contains(name))
        throw Error(QCoreApplication::translate("Quillet::Cli", "Нет принтера «%1» (%2)")
                        .arg(name, knownPrinters(names)));
    return name;
}

// Everything the arguments say, checked before any file is read or written.
struct PrintOptions {
    QString projectPath;
    QString printer;
    QString output; // empty: print on the printer
    int dpi = DefaultFileDpi;
    int copies = 1;
    QString pages;
};

PrintOptions parseOptions(const QStringList& args, ParsedArgs& parsed)
{
    try {
        parsed =
            parseArgs(args,
                      {QStringLiteral("printer"), QStringLiteral("pages"), QStringLiteral("copies"),
                       QStringLiteral("output"), QStringLiteral("dpi"), QStringLiteral("workbook"),
                       QStringLiteral("sheet")},
                      {QStringLiteral("reverse"), QStringLiteral("as-image"),
                       QStringLiteral("no-background")});
    } catch (const UsageError& e) {
        throw Error(e.message()); // one line, as every refusal of this command
    }
    if (parsed.positional.size() != 1)
        throw Error(QCoreApplication::translate("Quillet::Cli", "Нужен ровно один файл проекта"));
    PrintOptions options;
    options.projectPath = parsed.positional.first();
    options.printer = parsed.value(QStringLiteral("printer"));
    options.output = parsed.value(QStringLiteral("output"));
    options.pages = parsed.value(QStringLiteral("pages"));
    if (parsed.has(QStringLiteral("printer")) && options.printer.isEmpty())
        throw Error(QCoreApplication::translate("Quillet::Cli", "Не указано имя принтера"));
    if (parsed.has(QStringLiteral("output")) && options.output.isEmpty())
        throw Error(QCoreApplication::translate("Quillet::Cli", "Не указан файл для --output"));
    if (!options.output.isEmpty() && parsed.has(QStringLiteral("printer")))
        throw Error(QCoreApplication::translate("Quillet::Cli",
                                                "--printer и --output не указываются вместе"));
    if (options.output.isEmpty() && parsed.has(QStringLiteral("dpi")))
        throw Error(
            QCoreApplication::translate("Quillet::Cli", "--dpi задаётся только вместе с --output"));
    options.dpi = numberOption(parsed, QStringLiteral("dpi"), 72, 1200, DefaultFileDpi);
    options.copies = numberOption(parsed, QStringLiteral("copies"), 1, 250, 1);
    return options;
}

// A file is no printer: it gets the page on a sheet of its own size, with no printer's
// correction; a failed print leaves no half-made file.
PrintResult printIntoFile(const PrintOptions& options, const PrintRequest& request,
                          const PrintProgress& progress)
{
    const ProjectSettings& settings = request.project->settings;
    PdfFileDevice device(options.output, options.dpi, QSizeF(settings.PrWidth, settings.PrHeight));
    const PrintResult result = printPages(request, device, progress);
    device.finish();
    return result;
}

// A failure on the printer says how many jobs went before it: those stay in the queue.
PrintResult printOnPrinter(const PrintOptions& options, PrintRequest request,
                           const PrintProgress& progress)
{
    const QString printer = chosenPrinter(options.printer);
    try {
        CupsPrinterDevice device(printer, PrintResolutionDpi);
        // Printed as pictures, a job keeps the copy count the printer holds, which in the
        // window is the printer dialog's; here it is --copies, so every mode prints that many.
        device.setCopyCount(options.copies);
        const PrinterMetrics metrics = device.metrics();
        request.calibration = UserSettings().calibration(metrics.name, metrics.portrait);
        return printPages(request, device, progress);
    } catch (const Error& e) {
        const auto* failed = dynamic_cast<const PrintError*>(&e);
        throw Error(QCoreApplication::translate("Quillet::Cli", "%1 (заданий отправлено: %2)")
                        .arg(e.message())
                        .arg(failed ? failed->jobsEnded() : 0));
    }
}

PrintProgress terminalProgress()
{
    if (isatty(STDERR_FILENO) == 0)
        return {};
    return [](int step, int maximum) {
        const QByteArray line = QCoreApplication::translate("Quillet::Cli", "печать: %1%")
                                    .arg(maximum > 0 ? step * 100 / maximum : 100)
                                    .toUtf8();
        std::fprintf(stderr, "\r%s", line.constData());
        std::fflush(stderr);
        return true;
    };
}

int runPrint(const QStringList& args)
{
    ParsedArgs parsed;
    const PrintOptions options = parseOptions(args, parsed);
    Project project = loadProjectFile(options.projectPath);
    if (parsed.has(QStringLiteral("sheet")))
        project.settings.sheet = parsed.value(QStringLiteral("sheet"));
    const std::shared_ptr<Workbook> workbook =
        openProjectWorkbook(project, options.projectPath, parsed.value(QStringLiteral("workbook")));

    PrintRequest request;
    request.project = &project;
    request.projectPath = QFileInfo(options.projectPath).absoluteFilePath();
    request.workbook = workbook.get();
    request.pages =
        selectedPages(options.pages, UpdatePageCount(project.Structure, project.settings.Direct));
    request.reverse = parsed.has(QStringLiteral("reverse"));
    request.copies = options.copies;
    request.asImage = parsed.has(QStringLiteral("as-image"));
    request.withBackground = !parsed.has(QStringLiteral("no-background"));

    const PrintProgress progress = terminalProgress();
    const PrintResult result = options.output.isEmpty() ? printOnPrinter(options, request, progress)
                                                        : printIntoFile(options, request, progress);
    if (progress)
        std::fprintf(stderr, "\n");
    for (const QString& line : result.errorLines)
        printErr(line);
    if (progress)
        printErr(QCoreApplication::translate("Quillet::Cli", "Заданий: %1").arg(result.jobs));
    return ExitOk;
}

const bool registered = registerCommand(
    {"print",
     QT_TRANSLATE_NOOP(
         "Quillet::Cli",
         "print ПРОЕКТ [--printer ИМЯ] [--pages НАБОР] [--copies N] [--reverse] [--as-image] "
         "[--no-background] [--output ФАЙЛ.pdf [--dpi N]] [--workbook ПУТЬ] [--sheet ИМЯ]"),
     &runPrint});

} // namespace
} // namespace Quillet::Cli
