// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// quillet-cli export PROJECT --out PREFIX: every selected page as files, in parallel.

#include "cli/CliProject.h"
#include "cli/Command.h"
#include "core/common/Errors.h"
#include "core/app/PageCount.h"
#include "core/export/PageExporter.h"

#include <QElapsedTimer>

#include <cstdio>
#include <thread>
#include <unistd.h>

namespace Quillet::Cli {
namespace {

ExportFormat parseFormat(const QString& text)
{
    if (text == QLatin1String("jpg") || text == QLatin1String("jpeg"))
        return ExportFormat::Jpeg;
    if (text == QLatin1String("png"))
        return ExportFormat::Png;
    if (text == QLatin1String("pdf"))
        return ExportFormat::Pdf;
    throw UsageError(
        QCoreApplication::translate("Quillet::Cli", "Неизвестный формат %1 (jpg, png или pdf)")
            .arg(text));
}

int runExport(const QStringList& args)
{
    const ParsedArgs parsed =
        parseArgs(args,
                  {QStringLiteral("pages"), QStringLiteral("out"), QStringLiteral("jobs"),
                   QStringLiteral("format"), QStringLiteral("workbook"), QStringLiteral("sheet")},
                  {QStringLiteral("no-background"), QStringLiteral("reverse")});
    if (parsed.positional.size() != 1)
        throw UsageError(
            QCoreApplication::translate("Quillet::Cli", "Нужен ровно один файл проекта"));
    if (!parsed.has(QStringLiteral("out")))
        throw UsageError(QCoreApplication::translate("Quillet::Cli", "Не указан --out ПРЕФИКС"));
    const QString projectPath = parsed.positional.first();
    Project project = loadProjectFile(projectPath);
    if (parsed.has(QStringLiteral("sheet")))
        project.settings.sheet = parsed.value(QStringLiteral("sheet"));
    const std::shared_ptr<Workbook> workbook =
        openProjectWorkbook(project, projectPath, parsed.value(QStringLiteral("workbook")));

    ExportRequest request;
    request.project = &project;
    request.projectPath = projectPath;
    request.workbook = workbook.get();
    request.pages = selectedPages(parsed.value(QStringLiteral("pages")),
                                  UpdatePageCount(project.Structure, project.settings.Direct));
    request.prefix = parsed.value(QStringLiteral("out"));
    request.format = parseFormat(parsed.value(QStringLiteral("format"), QStringLiteral("jpg")));
    request.withBackground = !parsed.has(QStringLiteral("no-background"));
    request.reverse = parsed.has(QStringLiteral("reverse"));
    request.jobs = int(std::max(1u, std::thread::hardware_concurrency()));
    if (parsed.has(QStringLiteral("jobs"))) {
        bool ok = false;
        request.jobs = parsed.value(QStringLiteral("jobs")).toInt(&ok);
        if (!ok || request.jobs < 1 || request.jobs > 256)
            throw UsageError(
                QCoreApplication::translate("Quillet::Cli", "--jobs принимает число от 1 до 256"));
    }
    const bool terminal = isatty(STDERR_FILENO) != 0;
    QElapsedTimer clock;
    clock.start();
    const ExportResult result = exportPages(request, [&](int done, int total) {
        if (terminal) {
            const QByteArray line = QCoreApplication::translate("Quillet::Cli", "страница %1 из %2")
                                        .arg(done)
                                        .arg(total)
                                        .toUtf8();
            std::fprintf(stderr, "\r%s", line.constData());
            std::fflush(stderr);
        }
        return true;
    });
    if (terminal)
        std::fprintf(stderr, "\n");
    for (const QString& line : result.errorLines)
        printErr(line);
    if (terminal) {
        printErr(QCoreApplication::translate("Quillet::Cli", "Файлов: %1 за %2 с")
                     .arg(result.files.size())
                     .arg(double(clock.elapsed()) / 1000.0, 0, 'f', 1));
    }
    return ExitOk;
}

const bool registered = registerCommand(
    {"export",
     QT_TRANSLATE_NOOP(
         "Quillet::Cli",
         "export ПРОЕКТ --out ПРЕФИКС [--pages НАБОР] [--no-background] [--reverse] [--jobs N] "
         "[--format jpg|png|pdf] [--workbook ПУТЬ] [--sheet ИМЯ]"),
     &runExport});

} // namespace
} // namespace Quillet::Cli
