// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Bulk export of the bundled demo scaled to 1,000 records, JPEG pages encoded whole
// ("whole") and against the page with its background alone ("reuse"), side by side in
// one run: pages per second of each with one and with two workers, the runs alternating,
// and whether both wrote the same files byte for byte. Then, per page (medians over the
// first 40): render time, whole encode time, reuse encode time and the share of MCUs a
// page changes. Prints the figures and, last, one JSON object of them with a key for
// identical files and one per target (reuse at least 1.5 × whole with one worker).
//
//     quillet-bench-export [DEMO.qlet] [PAGES]

#include "core/app/ProjectFile.h"
#include "core/workbook/GridWorkbook.h"
#include "core/app/PageCount.h"
#include "core/export/PageExporter.h"
#include "core/raster/JpegImage.h"
#include "core/raster/JpegPageEncoder.h"
#include "core/render/PageRenderer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Quillet;

namespace {

struct NullSink : RenderErrorSink {
    void LogRenderError(const QString&) override {}
};

// The demo's columns, 1,000 records of them.
std::unique_ptr<GridWorkbook> makeRecords(int records)
{
    auto book = std::make_unique<GridWorkbook>();
    GridWorksheet& sheet = book->addSheet(QStringLiteral("records"));
    const char* surnames[] = {"Иванов", "Петров", "Сидоров", "Кузнецов", "Смирнов"};
    const char* names[] = {"Иван", "Пётр", "Алексей", "Сергей", "Дмитрий"};
    QRandomGenerator rng(7);
    sheet.appendRow({QStringLiteral("Плательщик"), QStringLiteral("Дата"), QStringLiteral("Сумма"),
                     QStringLiteral("Назначение")});
    for (int i = 0; i < records; ++i) {
        sheet.appendRow({QStringLiteral("%1 %2").arg(QString::fromUtf8(surnames[rng.bounded(5)]),
                                                     QString::fromUtf8(names[rng.bounded(5)])),
                         QStringLiteral("%1.03.2026").arg(1 + rng.bounded(28)),
                         QStringLiteral("%1,00").arg(100 + rng.bounded(9000)),
                         QStringLiteral("Оплата обучения за семестр")});
    }
    return book;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double peakMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString demo = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QStringLiteral(QUILLET_SOURCE_DIR "/examples/demo/demo.qlet");
    const int pages = argc > 2 ? std::max(1, atoi(argv[2])) : 1000;
    Project project = ProjectFile::load(demo);
    // Stretch every reference of the demo over the scaled record count.
    for (FieldNode& field : project.Structure.fields)
        field.text.replace(QStringLiteral("201"), QString::number(pages + 1));
    const auto book = makeRecords(pages);
    project.settings.sheet = QStringLiteral("records");
    const int pageCount = UpdatePageCount(project.Structure, project.settings.Direct);

    // Render and encode times of single pages, measured apart.
    RenderSource source;
    source.project = &project;
    source.projectPath = demo;
    source.workbook = book.get();
    source.shownBackground = pageBackground(project);
    QImage raster = makePageRaster(project);
    QImage background = raster.copy();
    RenderTarget backgroundTarget;
    backgroundTarget.image = &background;
    QElapsedTimer clock;
    clock.start();
    RenderPageBackground(source, backgroundTarget);
    const auto reference = JpegPageReference::make(background, 90);
    const double referenceMs = double(clock.nsecsElapsed()) / 1e6;
    if (!reference) {
        std::fprintf(stderr, "the background gave no reference\n");
        return 1;
    }
    JpegPageEncoder encoder(reference);
    // The reuse path as export runs it: fields drawn on the reference, put back after.
    JpegPageEncoder restoring(reference);
    RenderSource fieldsOnly = source;
    fieldsOnly.withBackground = false;
    QImage onReference = background.copy();
    QByteArray whole, reused;
    std::vector<double> renderMs, encodeMs, reuseMs, changedShare, fieldsMs, restoringMs;
    bool samePages = true;
    NullSink sink;
    for (int p = 1; p <= std::min(pages, 40); ++p) {
        clock.restart();
        raster.fill(Qt::white);
        RenderTarget target;
        target.image = &raster;
        RenderPage(source, target, p, sink);
        renderMs.push_back(double(clock.nsecsElapsed()) / 1e6);
        clock.restart();
        encodeJpeg(raster, 90, whole);
        encodeMs.push_back(double(clock.nsecsElapsed()) / 1e6);
        clock.restart();
        encoder.encode(raster, reused);
        reuseMs.push_back(double(clock.nsecsElapsed()) / 1e6);
        changedShare.push_back(double(encoder.changedBlocks()) / encoder.totalBlocks());
        samePages = samePages && whole == reused;
        clock.restart();
        target.image = &onReference;
        RenderPage(fieldsOnly, target, p, sink);
        fieldsMs.push_back(double(clock.nsecsElapsed()) / 1e6);
        clock.restart();
        restoring.encodeAndRestore(onReference, reused);
        restoringMs.push_back(double(clock.nsecsElapsed()) / 1e6);
        samePages = samePages && whole == reused && onReference == background;
    }

    QTemporaryDir dir;
    ExportRequest request;
    request.project = &project;
    request.projectPath = demo;
    request.workbook = book.get();
    for (int p = 1; p <= std::min(pages, pageCount); ++p)
        request.pages.push_back(p);
    double rate[2][2] = {{0, 0}, {0, 0}}; // [jobs - 1][reuse]
    bool sameFiles = true;
    for (int jobs = 1; jobs <= 2; ++jobs) {
        request.jobs = jobs;
        ExportResult results[2];
        for (int reuse = 0; reuse <= 1; ++reuse) {
            request.jpegReuseBackground = reuse == 1;
            request.prefix =
                dir.filePath(reuse ? QStringLiteral("reuse") : QStringLiteral("whole"));
            clock.restart();
            results[reuse] = exportPages(request);
            const double seconds = double(clock.nsecsElapsed()) / 1e9;
            rate[jobs - 1][reuse] = double(results[reuse].files.size()) / seconds;
            std::printf("%d job(s), %s: %lld pages in %.1f s, %.2f pages/s\n", jobs,
                        reuse ? "reuse" : "whole", (long long)results[reuse].files.size(), seconds,
                        rate[jobs - 1][reuse]);
        }
        sameFiles = sameFiles && results[0].files.size() == results[1].files.size();
        for (qsizetype i = 0; sameFiles && i < results[0].files.size(); ++i) {
            QFile a(results[0].files[i]), b(results[1].files[i]);
            sameFiles = a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly)
                        && a.readAll() == b.readAll();
            QFile::remove(results[0].files[i]);
            QFile::remove(results[1].files[i]);
        }
    }
    const bool identical = sameFiles && samePages;
    const double speedup1 = rate[0][0] > 0 ? rate[0][1] / rate[0][0] : 0;
    const double speedup2 = rate[1][0] > 0 ? rate[1][1] / rate[1][0] : 0;
    const double renderShare = median(fieldsMs) / median(encodeMs);
    std::printf("reuse / whole: %.2f × with one worker, %.2f × with two; files %s\n", speedup1,
                speedup2, identical ? "identical" : "DIFFER");
    std::printf("per page, whole path: render %.1f ms, encode %.1f ms\n", median(renderMs),
                median(encodeMs));
    std::printf("per page, reuse path: fields drawn on the reference %.1f ms, encoded and put "
                "back %.1f ms (%.0f %% of MCUs changed; the whole page encoded against the "
                "reference %.1f ms)\n",
                median(fieldsMs), median(restoringMs), 100 * median(changedShare), median(reuseMs));
    std::printf("reference made once in %.0f ms; peak %.0f MB\n", referenceMs, peakMb());
    std::printf("{\"pages\": %d, \"pages_per_s_1_whole\": %.3f, \"pages_per_s_1_reuse\": %.3f, "
                "\"pages_per_s_2_whole\": %.3f, \"pages_per_s_2_reuse\": %.3f, "
                "\"speedup_1\": %.3f, \"speedup_2\": %.3f, \"files_identical\": %s, "
                "\"render_ms_median\": %.2f, \"encode_ms_median\": %.2f, "
                "\"encode_reuse_ms_median\": %.2f, \"render_fields_ms_median\": %.2f, "
                "\"encode_restore_ms_median\": %.2f, \"changed_mcu_share\": %.4f, "
                "\"reference_ms\": %.1f, \"peak_mb\": %.1f, \"speedup_target_met\": %s, "
                "\"render_fields_to_encode\": %.3f, \"render_target_met\": %s}\n",
                int(request.pages.size()), rate[0][0], rate[0][1], rate[1][0], rate[1][1], speedup1,
                speedup2, identical ? "true" : "false", median(renderMs), median(encodeMs),
                median(reuseMs), median(fieldsMs), median(restoringMs), median(changedShare),
                referenceMs, peakMb(), speedup1 >= 1.5 ? "true" : "false", renderShare,
                renderShare <= 0.15 ? "true" : "false");
    return identical ? 0 : 1;
}
