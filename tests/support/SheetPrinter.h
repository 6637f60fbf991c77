// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// A printer printing onto a raster of the whole sheet, a small form to print on it, and
// ways to find what landed where.

#include "core/app/NodeGrammar.h"
#include "core/app/Project.h"
#include "core/common/Errors.h"
#include "core/export/PrintJob.h"
#include "core/raster/JpegImage.h"
#include "core/render/PageRenderer.h"

#include <QImage>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace QuilletTest {

using namespace Quillet;

inline double pxToMm(double px, int dpi)
{
    return px * 25.4 / dpi;
}

/// A printer printing onto a raster of the whole sheet. Its painter covers only the
/// printable area, as a real printer's does; a feed error moves and scales the print the
/// way a printer's paper path does: a point meant at p mm lands at p·scale + offset.
class SheetPrinter : public PrintDevice {
public:
    struct Job {
        QString title;
        int copies = 0;
        bool ended = false;
    };

    SheetPrinter(QSizeF sheetMm, int dpiX, int dpiY, QPoint offset)
        : m_sheet(int(std::lround(sheetMm.width() / 25.4 * dpiX)),
                  int(std::lround(sheetMm.height() / 25.4 * dpiY)), QImage::Format_RGB32)
    {
        m_metrics.name = QStringLiteral("Офис/2 \\ лазерный");
        m_metrics.dpiX = dpiX;
        m_metrics.dpiY = dpiY;
        m_metrics.printableOffset = offset;
        m_metrics.printableSize = m_sheet.size() - 2 * QSize(offset.x(), offset.y());
    }

    PrinterCalibration feedError;
    int failBeginOfJob = 0; // 1-based; 0 never fails
    int failEndOfJob = 0;
    int aborted = 0;
    std::vector<Job> jobs;

    const QImage& sheet() const { return m_sheet; }
    PrinterMetrics metrics() const override { return m_metrics; }

    void beginJob(const QString& title, int copies) override
    {
        if (int(jobs.size()) + 1 == failBeginOfJob)
            throw Error(QStringLiteral("Принтер не отвечает"));
        jobs.push_back({title, copies, false});
        m_sheet.fill(Qt::white);
        const QPoint o = m_metrics.printableOffset;
        m_area = QImage(m_sheet.bits() + o.y() * m_sheet.bytesPerLine() + o.x() * 4,
                        m_metrics.printableSize.width(), m_metrics.printableSize.height(),
                        m_sheet.bytesPerLine(), QImage::Format_RGB32);
        m_painter.begin(&m_area);
        const PrinterCalibration& e = feedError;
        const double mmX = 25.4 / m_metrics.dpiX, mmY = 25.4 / m_metrics.dpiY;
        m_painter.setTransform(QTransform(e.scaleX, 0, 0, e.scaleY,
                                          o.x() * (e.scaleX - 1) + e.offsetXMm / mmX,
                                          o.y() * (e.scaleY - 1) + e.offsetYMm / mmY));
    }
    QPainter& painter() override { return m_painter; }
    void endJob() override
    {
        m_painter.end();
        if (int(jobs.size()) == failEndOfJob)
            throw Error(QStringLiteral("Очередь печати переполнена"));
        jobs.back().ended = true;
    }
    void abortJob() noexcept override
    {
        if (m_painter.isActive())
            m_painter.end();
        ++aborted;
    }

private:
    QImage m_sheet;
    QImage m_area;
    QPainter m_painter;
    PrinterMetrics m_metrics;
};

/// A 100 × 80 mm form: black rectangles with their top left corners at (20, 15) and
/// (70, 55) mm, a text field over A1:A20 (20 pages) and a field with more words than its
/// block holds, which logs a line starting with the page number on every page; with
/// `background`, a pale background covering the page.
inline Quillet::Project formProject(bool background)
{
    Project project;
    project.settings.PrWidth = 100;
    project.settings.PrHeight = 80;
    ShapeFieldOptions shape;
    shape.kind = ShapeKind::Rectangle;
    shape.lineStyle = 1;
    shape.fillStyle = 0;
    shape.fillColor = 0;
    FieldNode boxes;
    boxes.text = composeShapeField(project.takeNewFieldId(FieldKind::Shape), shape);
    boxes.blocks.push_back(TreeNode{composeBlockText(20, 15, 40, 30), false});
    boxes.blocks.push_back(TreeNode{composeBlockText(70, 55, 90, 70), false});
    project.Structure.fields.push_back(boxes);
    TOptTextField text;
    text.fieldText = QStringLiteral("=A1:A20");
    text.fontSize = 12;
    text.fontName = QStringLiteral("Arial");
    text.transparentBackground = true;
    FieldNode cells;
    cells.text = composeTextField(project.takeNewFieldId(FieldKind::Text), text);
    cells.blocks.push_back(TreeNode{composeBlockText(5, 35, 60, 45), false});
    project.Structure.fields.push_back(cells);
    text.fieldText = QStringLiteral("раз два три четыре пять шесть семь восемь девять");
    FieldNode narrow;
    narrow.text = composeTextField(project.takeNewFieldId(FieldKind::Text), text);
    narrow.blocks.push_back(TreeNode{composeBlockText(5, 47, 40, 50), false});
    project.Structure.fields.push_back(narrow);
    if (background) {
        QImage picture(200, 160, QImage::Format_RGB32);
        picture.fill(QColor(250, 235, 150));
        encodeJpeg(picture, 90, project.BackgroundImage);
        project.settings.ImgWidth = project.settings.PrWidth;
        project.settings.ImgHeight = project.settings.PrHeight;
    }
    return project;
}

inline Quillet::PrintRequest requestFor(const Project& project, std::vector<int> pages)
{
    PrintRequest request;
    request.project = &project;
    request.projectPath = QStringLiteral("/формы/Бланк");
    request.pages = std::move(pages);
    return request;
}

/// A 150 × 150 picture of a thick red ring on white, saved as `path`.
inline bool saveRingPicture(const QString& path)
{
    QImage ring(150, 150, QImage::Format_RGB32);
    ring.fill(Qt::white);
    {
        QPainter painter(&ring);
        painter.setPen(QPen(QColor(200, 30, 40), 24));
        painter.drawEllipse(QRect(15, 15, 120, 120));
    }
    return ring.save(path);
}

/// Page `page` of the project rendered whole on a raster at 300 dpi, background included:
/// what a print of the page must look like.
inline QImage wholePageRender(const Project& project, int page)
{
    RenderSource source;
    source.project = &project;
    source.shownBackground = pageBackground(project);
    QImage raster = makePageRaster(project);
    RenderTarget target;
    target.image = &raster;
    struct : RenderErrorSink {
        void LogRenderError(const QString&) override {}
    } ignored;
    RenderPage(source, target, page, ignored);
    return raster;
}

/// The largest difference of a colour channel between the images within `area`, and where.
inline std::pair<int, QPoint> worstDifference(const QImage& a, const QImage& b, const QRect& area)
{
    int worst = 0;
    QPoint at;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q))});
            if (d > worst) {
                worst = d;
                at = QPoint(x, y);
            }
        }
    }
    return {worst, at};
}

inline bool isDark(QRgb c)
{
    return qGray(c) < 100;
}

inline bool isColoured(QRgb c)
{
    return qBlue(c) < 200;
}

/// The first pixel from `from` towards `to` (inclusive) along a row or a column of the
/// sheet that `test` accepts; -1 when none does.
inline int firstAlong(const QImage& sheet, bool row, int line, int from, int to, bool (*test)(QRgb))
{
    const int step = from <= to ? 1 : -1;
    for (int i = from; i != to + step; i += step) {
        if (test(row ? sheet.pixel(i, line) : sheet.pixel(line, i)))
            return i;
    }
    return -1;
}

/// The middle of the dark run along a row or a column within [from, to], in pixels.
inline double darkRunCentre(const QImage& sheet, bool row, int line, int from, int to)
{
    const int first = firstAlong(sheet, row, line, from, to, isDark);
    if (first < 0)
        return std::nan("");
    int last = first;
    while (last + 1 <= to
           && isDark(row ? sheet.pixel(last + 1, line) : sheet.pixel(line, last + 1)))
        ++last;
    return (first + last + 1) / 2.0;
}

} // namespace QuilletTest
