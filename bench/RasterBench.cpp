// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Raster operations on A4 pages at 300 dpi (2480 × 3508, 24 bits): blends against a plain
// memcpy of the same bytes, resampling and turns against OpenCV's bilinear ones (single
// thread) when OpenCV is there. Each figure is the best of several runs.

#include "core/raster/BlendKernels.h"
#include "core/raster/FastDIB.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#ifdef QUILLET_HAVE_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

using namespace Quillet;

namespace {

constexpr int PageWidth = 2480;
constexpr int PageHeight = 3508;

/// Best time of runs calls, in milliseconds.
double bestMs(int runs, const std::function<void()>& work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

void fillNoise(TFastDIB& raster, unsigned seed)
{
    std::mt19937 generator(seed);
    for (int y = 0; y < raster.absHeight(); ++y) {
        std::uint8_t* row = raster.scanLine(y);
        for (int x = 0; x < raster.stride() - raster.gap(); x += 4) {
            const std::uint32_t v = generator();
            std::memcpy(row + x, &v, std::min(4, raster.stride() - raster.gap() - x));
        }
    }
}

double gbps(double bytes, double ms)
{
    return bytes / (ms * 1e6);
}

} // namespace

int main()
{
    QJsonObject figures;
    const auto report = [&](const char* key, double value) {
        std::printf("%-26s %10.3f\n", key, value);
        figures.insert(QLatin1String(key), std::round(value * 1000) / 1000);
    };
    TFastDIB a, b, page;
    a.SetSize(PageWidth, PageHeight, 24);
    b.SetSize(PageWidth, PageHeight, 24);
    page.SetSize(PageWidth, PageHeight, 24);
    fillNoise(a, 1);
    fillNoise(b, 2);
    const double bytes = double(a.stride()) * a.absHeight();
    const int runs = 7;

    const double copyMs =
        bestMs(runs, [&] { std::memcpy(page.bits(), a.bits(), std::size_t(bytes)); });
    report("memcpy_gbps", gbps(bytes, copyMs));
    // The program blends in place (destination = a); the page keeps a's bytes.
    report("blend_multiply_gbps", gbps(bytes, bestMs(runs, [&] { BlendMultiply(page, page, b); })));
    report("blend_add_gbps", gbps(bytes, bestMs(runs, [&] { BlendAddClamped(page, page, b); })));
    report("blend_difference_gbps",
           gbps(bytes, bestMs(runs, [&] { BlendDifference(page, page, b); })));
    report("blend_alpha_gbps", gbps(bytes, bestMs(runs, [&] { BlendAlpha(page, page, b, 200); })));

    TFastDIB shrunk, grown, turned, quarter;
    shrunk.SetSize(PageWidth * 4 / 5, PageHeight * 4 / 5, 24);
    grown.SetSize(PageWidth * 5 / 4, PageHeight * 5 / 4, 24);
    a.SizeForRotation(turned, 3.7);
    const auto resize80 = [&] { a.ResizeSmoothTo(shrunk); };
    const auto resize125 = [&] { a.ResizeSmoothTo(grown); };
    const auto rotateSmooth = [&] { a.RotateTo(turned, true, 3.7); };
#ifdef QUILLET_HAVE_OPENCV
    // Ours and OpenCV's run alternately, so that both see the same load on a shared machine.
    cv::setNumThreads(1);
    const cv::Mat source(PageHeight, PageWidth, CV_8UC3, a.bits(), std::size_t(a.stride()));
    cv::Mat small, large, warped;
    const cv::Mat turn = cv::getRotationMatrix2D(
        cv::Point2f(float(PageWidth) / 2, float(PageHeight) / 2), -3.7, 1.0);
    const auto pair = [&](const char* ours, const std::function<void()>& ourWork,
                          const char* theirs, const std::function<void()>& theirWork) {
        double best = 1e300, bestTheirs = 1e300;
        for (int i = 0; i < 9; ++i) {
            best = std::min(best, bestMs(1, ourWork));
            bestTheirs = std::min(bestTheirs, bestMs(1, theirWork));
        }
        report(ours, best);
        report(theirs, bestTheirs);
    };
    pair("resize_smooth_80_ms", resize80, "opencv_resize_80_ms", [&] {
        cv::resize(source, small, cv::Size(shrunk.width(), shrunk.height()), 0, 0,
                   cv::INTER_LINEAR);
    });
    pair("resize_smooth_125_ms", resize125, "opencv_resize_125_ms", [&] {
        cv::resize(source, large, cv::Size(grown.width(), grown.height()), 0, 0, cv::INTER_LINEAR);
    });
    pair("rotate_smooth_ms", rotateSmooth, "opencv_rotate_ms", [&] {
        cv::warpAffine(source, warped, turn, cv::Size(turned.width(), turned.height()),
                       cv::INTER_LINEAR);
    });
#else
    report("resize_smooth_80_ms", bestMs(9, resize80));
    report("resize_smooth_125_ms", bestMs(9, resize125));
    report("rotate_smooth_ms", bestMs(9, rotateSmooth));
#endif
    report("rotate_nearest_ms", bestMs(5, [&] { a.RotateTo(turned, false, 3.7); }));
    report("rotate90_ms", bestMs(5, [&] { a.Rotate90To(quarter); }));
    report("scale_nearest_ms", bestMs(5, [&] { a.ScaleNearestTo(grown); }));

    TFastDIB grey, wide;
    grey.SetSize(PageWidth, PageHeight, 8);
    wide.SetSize(PageWidth, PageHeight, 32);
    fillNoise(grey, 3);
    fillNoise(wide, 4);
    report("convert_depth_8_ms", bestMs(5, [&] {
               TFastDIB work;
               work.ShareFrom(grey);
               work.ConvertDepth(24);
           }));
    report("convert_depth_32_ms", bestMs(5, [&] {
               TFastDIB work;
               work.ShareFrom(wide);
               work.ConvertDepth(24);
           }));
    std::printf("%s\n", QJsonDocument(figures).toJson(QJsonDocument::Compact).constData());
    return 0;
}
