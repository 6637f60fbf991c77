// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/render/PageRenderer.h"

#include "core/app/NodeGrammar.h"
#include "core/app/Project.h"
#include "core/background/Background.h"
#include "core/common/Errors.h"
#include "core/common/Geometry.h"
#include "core/data/CellAddress.h"
#include "core/app/PageCount.h"
#include "core/data/Relations.h"
#include "core/data/SetAsString.h"
#include "core/workbook/SpreadsheetReader.h"
#include "core/render/CombLayout.h"
#include "core/render/PageCanvas.h"
#include "core/render/TextLayout.h"

#include <QCoreApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <array>
#include <limits>
#include <memory>

namespace Quillet {
namespace {

constexpr int kFieldTableSize = 1000;

// What one call of RenderPage works with.
struct Render {
    const RenderSource& source;
    const Project& project;
    PageCanvas& canvas;
    TextCanvas& text;
    RenderErrorSink& errors;
    int page;
    const Worksheet* sheet = nullptr;
    bool noWorkbookLogged = false;
    std::vector<TMatrix> table = std::vector<TMatrix>(kFieldTableSize);
};

QString cellText(const Render& r, int row, int column)
{
    return r.sheet ? r.sheet->cellText(row, column) : QString();
}

// Rows of a background drawn at a time when it is not in the page rasters' format.
constexpr int kBackgroundBandRows = 256;

void drawBackground(const RenderSource& source, PageCanvas& canvas)
{
    const QImage& shown = source.shownBackground;
    if (shown.isNull() || shown.width() == 0 || shown.height() == 0)
        return;
    const ProjectSettings& s = source.project->settings;
    const long double m = canvas.mmPerPixel;
    const auto place = [m](int align, double page, double image) -> long long {
        if (align == 0)
            return 0;
        if (align == 1)
            return roundHalfEven((static_cast<long double>(page) - image) / (2 * m));
        return roundHalfEven((static_cast<long double>(page) - image) / m);
    };
    const long long x = place(int(s.horizontalAlign), s.PrWidth, s.ImgWidth);
    const long long y = place(int(s.verticalAlign), s.PrHeight, s.ImgHeight);
    const QPoint at(int(x - canvas.origin.x), int(y - canvas.origin.y));
    if (shown.format() == QImage::Format_RGB32) {
        canvas.painter->drawImage(at, shown);
        return;
    }
    // A background kept in its own format (a printer's resolution) goes in bands of rows,
    // each converted as it is drawn: no converted copy of the whole exists, here or in a
    // printer's driver, which copies every picture it is given. On a raster (an area of the
    // page, a trial render on one pixel) only the bands that reach it are converted.
    const QPaintDevice* device = canvas.painter->device();
    const QTransform t = canvas.painter->deviceTransform();
    const bool cut = device != nullptr && device->devType() == QInternal::Image
                     && t.type() <= QTransform::TxTranslate;
    for (int top = 0; top < shown.height(); top += kBackgroundBandRows) {
        const int rows = std::min(kBackgroundBandRows, shown.height() - top);
        const double onDevice = at.y() + top + t.dy();
        if (cut && (onDevice >= device->height() + 1 || onDevice + rows <= -1))
            continue;
        const QImage band(shown.constScanLine(top), shown.width(), rows, shown.bytesPerLine(),
                          shown.format());
        canvas.painter->drawImage(at + QPoint(0, top), band.convertToFormat(QImage::Format_RGB32));
    }
}

// XOR of the rectangle's pixels with a colour, as the layout view tints blocks: what is
// below shows through in inverted colours.
void xorFill(QImage& image, const BlockRect& r, QRgb color)
{
    const int left = std::max(0, r.Left);
    const int top = std::max(0, r.Top);
    const int right = std::min(image.width(), r.Right);
    const int bottom = std::min(image.height(), r.Bottom);
    const QRgb mask = color & 0x00FFFFFF;
    for (int y = top; y < bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = left; x < right; ++x)
            line[x] ^= mask;
    }
}

void drawLayoutView(const RenderSource& source, PageCanvas& canvas)
{
    drawBackground(source, canvas);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(fontPixelSize(10, canvas.dpi));
    font.setHintingPreference(QFont::PreferNoHinting);
    QPainter& painter = *canvas.painter;
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(font);
    const FieldTree& tree = source.project->Structure;
    for (size_t f = 0; f < tree.fields.size(); ++f) {
        const FieldNode& field = tree.fields[f];
        for (size_t b = 0; b < field.blocks.size(); ++b) {
            const BlockRect rect =
                ParseBlockRect(field.blocks[b].text, canvas.mmPerPixel, canvas.origin);
            const bool selected =
                source.selectedNode && source.selectedNode->field == int(f)
                && (source.selectedNode->block < 0 || source.selectedNode->block == int(b));
            const QRgb tint = selected ? qRgb(0xFF, 0, 0) : qRgb(0xA0, 0xA0, 0xA0);
            if (canvas.image) {
                xorFill(*canvas.image, rect, tint);
            } else {
                painter.save();
                painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
                painter.fillRect(
                    QRect(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top),
                    QColor(tint));
                painter.restore();
            }
            painter.drawText(rect.Left + 2, rect.Top + 2 + metrics.ascent(), field.text.left(4));
        }
    }
}

// The layout view tints blocks by XOR, which a PDF or a printer cannot do: on a painter
// it is drawn on a raster of the whole page at the target's resolution, then put there.
void drawLayoutViewOn(const RenderSource& source, PageCanvas& canvas)
{
    if (canvas.image) {
        drawLayoutView(source, canvas);
        return;
    }
    const ProjectSettings& s = source.project->settings;
    const long long width = mmToPixel(s.PrWidth, canvas.mmPerPixel);
    const long long height = mmToPixel(s.PrHeight, canvas.mmPerPixel);
    constexpr long long maxPixels = 200'000'000; // as a page printed as a picture
    if (width < 1 || height < 1 || width > maxPixels / height)
        throw Error(QCoreApplication::translate(
                        "Quillet::PageRenderer",
                        "Схема страницы при %1 точках на дюйм не помещается в памяти.")
                        .arg(canvas.dpi));
    QImage raster(int(width), int(height), QImage::Format_RGB32);
    if (raster.isNull())
        throw Error(QCoreApplication::translate("Quillet::PageRenderer",
                                                "Недостаточно памяти для схемы страницы."));
    raster.fill(Qt::white);
    {
        QPainter painter(&raster);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        PageCanvas whole{&painter, &raster, canvas.dpi, canvas.mmPerPixel, PageOrigin{}};
        drawLayoutView(source, whole);
    }
    canvas.painter->drawImage(QPoint(int(-canvas.origin.x), int(-canvas.origin.y)), raster);
}

// ---- Text fields ---------------------------------------------------------------------

void ReadCellValues(Render& r, int n, int row, int column, int count, bool alongRow, int blockCount)
{
    TMatrix& m = r.table[size_t(n)];
    m.Deferred = true;
    m.ValueCount = std::max(0, count);
    m.BlockCount = blockCount;
    m.Values.clear();
    m.Values.reserve(size_t(m.ValueCount));
    for (int i = 0; i < m.ValueCount; ++i) {
        // Counted in 64 bits: a saturated address must not overflow.
        const auto moved = [i](int32_t start) {
            return int(std::min<long long>(static_cast<long long>(start) + i,
                                           std::numeric_limits<int32_t>::max()));
        };
        QString value =
            alongRow ? cellText(r, row, moved(column)) : cellText(r, moved(row), column);
        if (m.Options.autoReplace)
            value = ApplyAutoReplace(r.project.ReplaceList, value);
        m.Values.push_back(value);
    }
}

void drawAtOnce(Render& r, TMatrix& m, const QString& value)
{
    m.Options.fieldText = value;
    if (m.Options.comb) { // a single value: all the boxes are one run
        DistributeComb(m, CombRun{0, m.BlockCount, m.BlockCount}, r.text);
        return;
    }
    PrepareWords(m, r.text);
    DistributeText(m, m.BlockCount, r.text);
}

void readElements(Render& r, int n, const FieldNode& field, CellPosition from, int count,
                  bool alongRow, const QString& reference)
{
    if (count <= 0) {
        r.errors.LogRenderError(
            QCoreApplication::translate("Quillet::PageRenderer",
                                        "%1: поле %2: диапазон =%3 задан от конца к "
                                        "началу, элементов нет")
                .arg(r.page)
                .arg(field.text.left(4), reference));
    }
    ReadCellValues(r, n, from.row, from.column, count, alongRow, int(field.blocks.size()));
}

// Without a workbook every cell reads empty, and the page would print as a blank form
// without a word: each render says so once, as it does for a missing sheet.
void reportNoWorkbook(Render& r)
{
    if (r.source.workbook || r.noWorkbookLogged)
        return;
    r.noWorkbookLogged = true;
    const QString& name = r.project.settings.xlsFile;
    r.errors.LogRenderError(
        name.isEmpty() ? QCoreApplication::translate("Quillet::PageRenderer",
                                                     "Нет данных: не указан файл Excel")
                       : QCoreApplication::translate("Quillet::PageRenderer",
                                                     "Нет данных: не открыт файл Excel «%1»")
                             .arg(name));
}

void textFieldFirstPass(Render& r, const FieldNode& field, int n)
{
    TMatrix& m = r.table[size_t(n)];
    m.Options = ParseTextOptions(QStringView(field.text).mid(4), field.text.left(4));
    m.Blocks.clear();
    for (const TreeNode& block : field.blocks) // laid out on the 300-dpi page
        m.Blocks.push_back(ParseBlockRect(block.text));
    m.BlockCount = int(field.blocks.size());
    m.StartBlock = 0;
    m.ValueIndex = 0;
    m.FieldId = field.text.left(4);
    m.CombLines = m.Options.comb ? combLines(m.Blocks) : std::vector<int>();
    m.StartLine = 0;
    const bool related = FindRelationGroup(r.project.RelateList, n) != -1;
    const QString fieldText = m.Options.fieldText;

    if (!fieldText.startsWith(u'=')) {
        if (related) {
            m.Deferred = true;
            m.Values = {fieldText};
            m.ValueCount = 1;
            return;
        }
        const QString value =
            m.Options.autoReplace ? ApplyAutoReplace(r.project.ReplaceList, fieldText) : fieldText;
        drawAtOnce(r, m, value);
        return;
    }

    reportNoWorkbook(r);
    const QString reference = fieldText.mid(1);
    const PageCells cells =
        cellsOnPage(reference, r.project.settings.Direct != DirectColumns, r.page);
    if (cells.elements) {
        readElements(r, n, field, cells.first, cells.count, cells.alongRow, reference);
        return;
    }
    const CellPosition cell = cells.first;
    QString value = cellText(r, cell.row, cell.column);
    if (related) {
        ReadCellValues(r, n, cell.row, cell.column, 1, true, int(field.blocks.size()));
        return;
    }
    if (m.Options.autoReplace)
        value = ApplyAutoReplace(r.project.ReplaceList, value);
    drawAtOnce(r, m, value);
}

// ---- Group pass ----------------------------------------------------------------------

// The group pass counts lines of boxes for a comb field where it counts blocks for
// ordinary text: an element takes `step` lines from its current line, its characters
// the first of them up to the field's limit, and the next element starts `step` lines on.
void drawCombElement(Render& r, TMatrix& m, int step)
{
    const int limit = m.Options.maxBlocks > 0 ? int(m.Options.maxBlocks) : step;
    DistributeComb(m, combRunOfLines(m, step, std::min(step, limit)), r.text);
    const int lines = int(m.CombLines.size());
    m.StartLine = std::max(0, std::min(m.StartLine + step, lines - 1));
}

void drawGroup(Render& r, const std::vector<int>& members)
{
    int elements = 0;
    for (int n : members) {
        TMatrix& m = r.table[size_t(n)];
        elements = std::max(elements, m.ValueCount);
        m.ValueIndex = 0;
        m.StartBlock = 0;
        m.StartLine = 0;
        m.Deferred = false;
    }
    for (int k = 0; k < elements; ++k) {
        int step = 0;
        for (int n : members) {
            TMatrix& m = r.table[size_t(n)];
            if (m.ValueCount <= 0)
                continue; // a member without elements draws nothing
            m.ValueIndex = std::min(k, m.ValueCount - 1);
            m.Options.fieldText = m.Values[size_t(m.ValueIndex)];
            int need = m.Options.comb ? combLinesNeeded(m) : PrepareWords(m, r.text);
            if (m.Options.maxBlocks > 0)
                need = std::min<int>(m.Options.maxBlocks, need);
            step = std::max(step, need);
        }
        for (int n : members) {
            TMatrix& m = r.table[size_t(n)];
            if (m.ValueCount <= 0)
                continue;
            if (m.Options.comb) {
                drawCombElement(r, m, step);
                continue;
            }
            PrepareWords(m, r.text);
            DistributeText(m, std::min(step, m.BlockCount - m.StartBlock), r.text);
            m.StartBlock = std::max(0, std::min(m.StartBlock + step, m.BlockCount - 1));
        }
    }
}

void groupPass(Render& r)
{
    const int last = std::min(r.project.NextFieldNumber, kFieldTableSize);
    for (int n = 0; n < last; ++n) {
        if (!r.table[size_t(n)].Deferred)
            continue;
        std::vector<int> members;
        const int g = FindRelationGroup(r.project.RelateList, n);
        if (g >= 0) {
            TSetAsString set;
            set.setAsString(r.project.RelateList[size_t(g)].text);
            for (const auto& range : set.ranges()) {
                for (long long v = std::max<long long>(range.lo, 0);
                     v <= std::min<long long>(range.hi, kFieldTableSize - 1); ++v) {
                    if (r.table[size_t(v)].Deferred)
                        members.push_back(int(v));
                }
            }
        } else {
            members.push_back(n);
        }
        drawGroup(r, members);
    }
}

void drawFilledPage(Render& r)
{
    const RenderSource& source = r.source;
    if (source.workbook) {
        r.sheet = source.workbook->worksheet(r.project.settings.sheet);
        if (!r.sheet)
            r.errors.LogRenderError(
                QCoreApplication::translate("Quillet::PageRenderer", "Нет указанного листа"));
    }
    if (source.withBackground)
        drawBackground(source, r.canvas);
    for (const FieldNode& field : r.project.Structure.fields) {
        const int id = field.id();
        if (id < 0) {
            throw ConversionError(QCoreApplication::translate("Quillet::PageRenderer",
                                                              "У поля «%1» нет четырёхзначного ID.")
                                      .arg(field.text.left(20)));
        }
        switch (fieldKindOfId(id)) {
        case FieldKind::Text:
            textFieldFirstPass(r, field, id);
            break;
        case FieldKind::Image:
            if (!drawImageField(field, source.projectPath, r.canvas, r.errors))
                return; // the picture is missing: nothing after it is drawn
            break;
        case FieldKind::Shape:
            drawShapeField(field, r.canvas);
            break;
        }
    }
    groupPass(r);
}

} // namespace

QImage pageBackground(const Project& project)
{
    const QImage processed = RebuildBackground(project.BackgroundImage, project.settings);
    return processed.isNull() ? processed : processed.convertToFormat(QImage::Format_RGB32);
}

QImage makePageRaster(const Project& project)
{
    QImage raster(project.pageWidthPx(), project.pageHeightPx(), QImage::Format_RGB32);
    raster.setDotsPerMeterX(11811); // 300 dpi
    raster.setDotsPerMeterY(11811);
    raster.fill(Qt::white);
    return raster;
}

void RenderPageBackground(const RenderSource& source, RenderTarget& target)
{
    if (!source.project || !source.withBackground || !target.image || target.image->isNull())
        return;
    QPainter painter(target.image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    PageCanvas canvas{&painter, target.image, target.dpi, target.mmPerPixel, target.origin};
    drawBackground(source, canvas);
}

void RenderPage(const RenderSource& source, RenderTarget& target, int page, RenderErrorSink& errors)
{
    if (!source.project)
        return;
    if (!target.painter && (!target.image || target.image->isNull()))
        return;
    if (target.image && (target.image->width() == 0 || target.image->height() == 0))
        return;
    if (page < 0)
        return;
    const Project& project = *source.project;
    if (page > 0 && page > UpdatePageCount(project.Structure, project.settings.Direct))
        return;

    std::unique_ptr<QPainter> own;
    QPainter* painter = target.painter;
    if (!painter) {
        own = std::make_unique<QPainter>(target.image);
        painter = own.get();
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setRenderHint(QPainter::TextAntialiasing, true);
    PageCanvas canvas{painter, target.painter ? nullptr : target.image, target.dpi,
                      target.mmPerPixel, target.origin};
    canvas.pictures = target.pictures;
    if (page == 0) {
        drawLayoutViewOn(source, canvas);
        painter->restore();
        return;
    }
    TextCanvas text(canvas, page, errors);
    if (source.lineObserver)
        text.setLineObserver(source.lineObserver);
    Render r{source, project, canvas, text, errors, page};
    try {
        drawFilledPage(r);
    } catch (...) {
        painter->restore();
        throw;
    }
    painter->restore();
}

} // namespace Quillet
