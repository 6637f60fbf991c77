// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// quillet-cli render PROJECT --page N --out FILE.png: one page as the program shows it.

#include "cli/CliProject.h"
#include "cli/Command.h"
#include "core/common/Errors.h"
#include "core/render/PageRenderer.h"

namespace Quillet::Cli {
namespace {

struct StderrLines : RenderErrorSink {
    void LogRenderError(const QString& line) override { printErr(line); }
};

int runRender(const QStringList& args)
{
    const ParsedArgs parsed = parseArgs(args,
                                        {QStringLiteral("page"), QStringLiteral("out"),
                                         QStringLiteral("workbook"), QStringLiteral("sheet")},
                                        {QStringLiteral("no-background")});
    if (parsed.positional.size() != 1)
        throw UsageError(
            QCoreApplication::translate("Quillet::Cli", "Нужен ровно один файл проекта"));
    if (!parsed.has(QStringLiteral("page")) || !parsed.has(QStringLiteral("out")))
        throw UsageError(QCoreApplication::translate("Quillet::Cli", "Не указаны --page и --out"));
    const QString projectPath = parsed.positional.first();
    const int page = parsePageNumber(parsed.value(QStringLiteral("page")));
    const QString out = parsed.value(QStringLiteral("out"));

    Project project = loadProjectFile(projectPath);
    if (parsed.has(QStringLiteral("sheet")))
        project.settings.sheet = parsed.value(QStringLiteral("sheet"));
    const std::shared_ptr<Workbook> workbook =
        openProjectWorkbook(project, projectPath, parsed.value(QStringLiteral("workbook")));

    RenderSource source;
    source.project = &project;
    source.projectPath = projectPath;
    source.workbook = workbook.get();
    source.withBackground = !parsed.has(QStringLiteral("no-background"));
    source.shownBackground = pageBackground(project);
    QImage raster = makePageRaster(project);
    RenderTarget target;
    target.image = &raster;
    StderrLines errors;
    RenderPage(source, target, page, errors);
    if (!raster.convertToFormat(QImage::Format_RGB888).save(out, "PNG"))
        throw FileError(
            QCoreApplication::translate("Quillet::Cli", "Не удаётся записать файл %1").arg(out));
    return ExitOk;
}

const bool registered = registerCommand(
    {"render",
     QT_TRANSLATE_NOOP(
         "Quillet::Cli",
         "render ПРОЕКТ --page N --out ФАЙЛ.png [--no-background] [--workbook ПУТЬ] [--sheet ИМЯ]"),
     &runRender});

} // namespace
} // namespace Quillet::Cli
