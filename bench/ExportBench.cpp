// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Bulk export of the bundled demo scaled to 1,000 records: pages per second with one
// and with two workers, and the median render and JPEG-encode times of a page. Prints
// the figures and, last, one JSON object of them.
//
//     quillet-bench-export [DEMO.qlet] [PAGES]

#include "core/app/ProjectFile.h"
#include "core/workbook/GridWorkbook.h"
#include "core/app/PageCount.h"
#include "core/export/PageExporter.h"
#include "core/raster/JpegImage.h"
#include "core/render/PageRenderer.h"

#include <QElapsedTimer>
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
    QByteArray jpeg;
    std::vector<double> renderMs, encodeMs;
    NullSink sink;
    for (int p = 1; p <= std::min(pages, 40); ++p) {
        QElapsedTimer t;
        t.start();
        raster.fill(Qt::white);
        RenderTarget target;
        target.image = &raster;
        RenderPage(source, target, p, sink);
        renderMs.push_back(double(t.nsecsElapsed()) / 1e6);
        t.restart();
        encodeJpeg(raster, 90, jpeg);
        encodeMs.push_back(double(t.nsecsElapsed()) / 1e6);
    }

    QTemporaryDir dir;
    ExportRequest request;
    request.project = &project;
    request.projectPath = demo;
    request.workbook = book.get();
    for (int p = 1; p <= std::min(pages, pageCount); ++p)
        request.pages.push_back(p);
    request.prefix = dir.filePath(QStringLiteral("page"));
    double rate[2] = {0, 0};
    for (int jobs = 1; jobs <= 2; ++jobs) {
        request.jobs = jobs;
        QElapsedTimer t;
        t.start();
        const ExportResult result = exportPages(request);
        const double seconds = double(t.nsecsElapsed()) / 1e9;
        rate[jobs - 1] = double(result.files.size()) / seconds;
        std::printf("%d job(s): %lld pages in %.1f s, %.2f pages/s\n", jobs,
                    (long long)result.files.size(), seconds, rate[jobs - 1]);
    }
    std::printf("render %.1f ms, encode %.1f ms per page (medians), peak %.0f MB\n",
                median(renderMs), median(encodeMs), peakMb());
    std::printf("{\"pages\": %d, \"pages_per_s_1\": %.3f, \"pages_per_s_2\": %.3f, "
                "\"render_ms_median\": %.2f, \"encode_ms_median\": %.2f, \"peak_mb\": %.1f}\n",
                int(request.pages.size()), rate[0], rate[1], median(renderMs), median(encodeMs),
                peakMb());
    return 0;
}
