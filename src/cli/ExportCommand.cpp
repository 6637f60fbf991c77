// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// quillet-cli export PROJECT --out PREFIX: every selected page as files, in parallel.

#include "cli/CliProject.h"
#include "cli/Command.h"
#include "core/common/Errors.h"
#include "core/app/PageCount.h"
#include "core/app/ProgressLine.h"
#include "core/export/ExportPlan.h"
#include "core/export/PageExporter.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <numeric>
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

// The share of the selected pages this run writes, from --shard and --shards.
Shard requestedShard(const ParsedArgs& parsed)
{
    int shards = 0;
    if (parsed.has(QStringLiteral("shards"))) {
        bool ok = false;
        shards = parsed.value(QStringLiteral("shards")).toInt(&ok);
        if (!ok || shards < 1 || shards > MaxShards)
            throw UsageError(
                QCoreApplication::translate("Quillet::Cli", "--shards принимает число от 1 до %1")
                    .arg(MaxShards));
    }
    const QString shard = parsed.value(QStringLiteral("shard"));
    if (shard.isEmpty()) {
        if (shards > 0)
            throw UsageError(QCoreApplication::translate(
                "Quillet::Cli", "--shards задаётся вместе с --shard auto"));
        return {};
    }
    if (shard == QLatin1String("auto"))
        return shardFromEnvironment(QProcessEnvironment::systemEnvironment(), shards);
    if (shards > 0)
        throw UsageError(
            QCoreApplication::translate("Quillet::Cli", "--shards задаётся вместе с --shard auto"));
    try {
        return parseShard(shard);
    } catch (const Error& e) {
        throw UsageError(e.message());
    }
}

// Rewrites one line on the terminal, a few times a second at most.
class TerminalProgress {
public:
    explicit TerminalProgress(bool shown) : m_shown(shown) { m_clock.start(); }
    ~TerminalProgress() { finish(); }
    // Ends the line, so that what follows starts on a line of its own.
    void finish()
    {
        if (m_written)
            std::fputs("\n", stderr);
        m_written = false;
    }
    void show(int done, int total)
    {
        if (!m_shown
            || (done < total && m_written && m_lastDrawn.isValid() && m_lastDrawn.elapsed() < 100))
            return;
        const QByteArray line = progressLine(done, total, m_clock.elapsed()).toUtf8();
        // Back to the line's start, the new text, and the rest of the old one cleared.
        std::fprintf(stderr, "\r%s\033[K", line.constData());
        std::fflush(stderr);
        m_written = true;
        m_lastDrawn.start();
    }
    qint64 elapsed() const { return m_clock.elapsed(); }

private:
    bool m_shown;
    bool m_written = false;
    QElapsedTimer m_clock;
    QElapsedTimer m_lastDrawn;
};

int runExport(const QStringList& args)
{
    const ParsedArgs parsed = parseArgs(
        args,
        {QStringLiteral("pages"), QStringLiteral("out"), QStringLiteral("jobs"),
         QStringLiteral("format"), QStringLiteral("workbook"), QStringLiteral("sheet"),
         QStringLiteral("shard"), QStringLiteral("shards"), QStringLiteral("name")},
        {QStringLiteral("no-background"), QStringLiteral("reverse"), QStringLiteral("quiet")});
    if (parsed.positional.size() != 1)
        throw UsageError(
            QCoreApplication::translate("Quillet::Cli", "Нужен ровно один файл проекта"));
    if (!parsed.has(QStringLiteral("out")))
        throw UsageError(QCoreApplication::translate("Quillet::Cli", "Не указан --out ПРЕФИКС"));
    const Shard shard = requestedShard(parsed);
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
    if (parsed.has(QStringLiteral("name"))) {
        // Named over every selected page, so that repeated names are numbered alike in
        // every shard.
        request.names = recordFileNames(project, workbook.get(),
                                        parsed.value(QStringLiteral("name")), request.pages);
    }
    if (parsed.has(QStringLiteral("shard"))) {
        // Shards take runs of the writing order, so that the shards' PDFs joined in turn
        // are the one PDF of the whole run, reversed or not.
        std::vector<int> positions(request.pages.size());
        std::iota(positions.begin(), positions.end(), 0);
        if (request.reverse)
            std::reverse(positions.begin(), positions.end());
        std::vector<int> mine = pagesOfShard(positions, shard);
        std::sort(mine.begin(), mine.end());
        std::vector<int> pages;
        QStringList names;
        for (int position : mine) {
            pages.push_back(request.pages[size_t(position)]);
            if (!request.names.isEmpty())
                names << request.names[position];
        }
        request.pages = std::move(pages);
        request.names = std::move(names);
        if (request.format == ExportFormat::Pdf && request.names.isEmpty())
            request.prefix = shardPrefix(request.prefix, shard);
        if (request.pages.empty()) { // more shards than pages
            printErr(
                QCoreApplication::translate("Quillet::Cli", "Части %1 из %2 не досталось страниц")
                    .arg(shard.index)
                    .arg(shard.count));
            return ExitOk;
        }
    }
    TerminalProgress progress(isatty(STDERR_FILENO) != 0 && !parsed.has(QStringLiteral("quiet")));
    const ExportResult result = exportPages(request, [&](int done, int total) {
        progress.show(done, total);
        return true;
    });
    progress.finish();
    for (const QString& line : result.errorLines)
        printErr(line);
    if (isatty(STDERR_FILENO) != 0 && !parsed.has(QStringLiteral("quiet"))) {
        printErr(QCoreApplication::translate("Quillet::Cli", "Файлов: %1 за %2 с")
                     .arg(result.files.size())
                     .arg(double(progress.elapsed()) / 1000.0, 0, 'f', 1));
    }
    return ExitOk;
}

const bool registered = registerCommand(
    {"export",
     QT_TRANSLATE_NOOP(
         "Quillet::Cli",
         "export ПРОЕКТ --out ПРЕФИКС [--pages НАБОР] [--no-background] [--reverse] [--jobs N] "
         "[--format jpg|png|pdf] [--workbook ПУТЬ] [--sheet ИМЯ] [--shard I/N | --shard auto "
         "[--shards N]] [--name ТЕКСТ] [--quiet]"),
     &runExport});

} // namespace
} // namespace Quillet::Cli
