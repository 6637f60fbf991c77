// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Image fields: a picture file placed into every block of the field, combined with what
// is already on the page. All pixel work goes through TFastDIB so that the result is the
// same integer arithmetic on screen, in exported images and in print.

#include "core/app/FieldTree.h"
#include "core/app/NodeGrammar.h"
#include "core/raster/FastDIB.h"
#include "core/render/PageCanvas.h"
#include "core/render/PageRenderer.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace Quillet {

namespace {

// A processed picture beyond this many pixels (an A1 page at 300 dpi is 70 million) is
// taken for a typing accident in a block or a resolution; its block is left alone.
constexpr long long MaxPicturePixels = 1LL << 27;
// The bilinear resampler works in 16.16 fixed point.
constexpr int MaxSmoothSide = 32767;

QString tooLargeLine(const QString& path)
{
    return QStringLiteral("изображение слишком велико: ") + path;
}

/// A name without a drive (":") is relative to the project file's folder, or to the
/// working folder when no project file is named. Names absolute on this system stay.
QString resolvePicturePath(const QString& fileName, const QString& projectPath)
{
    if (fileName.contains(QLatin1Char(':')) || QDir::isAbsolutePath(fileName))
        return fileName;
    const qsizetype slash = projectPath.lastIndexOf(QLatin1Char('/'));
    return projectPath.left(slash + 1) + fileName;
}

/// Projects made on Windows name subfolders with backslashes ("img\sig.png"); where no
/// file has the name as written, the backslashes are read as folder separators.
QString openablePath(const QString& resolved)
{
    if (!resolved.contains(QLatin1Char('\\')) || QFileInfo::exists(resolved))
        return resolved;
    QString withSlashes = resolved;
    withSlashes.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return withSlashes;
}

bool sizeFits(long long width, long long height)
{
    return width > 0 && height > 0 && width * height <= MaxPicturePixels;
}

/// The picture at the canvas's resolution, one picture pixel per 1/300 inch.
enum class Loaded { Ok, Failed, Nothing, TooLarge };
Loaded loadScaled(const QString& path, int dpi, TFastDIB& scaled)
{
    TFastDIB loaded;
    if (!LoadPictureFile(path, loaded) || loaded.isEmpty())
        return Loaded::Failed;
    // Nearest-neighbour scaling writes nothing from 1- and 4-bit pictures; a scanned
    // signature or stamp would come out as a black box, so it is widened first.
    if (loaded.bitsPerPixel() < 8)
        loaded.ConvertDepth(24);
    const long long width = static_cast<long long>(loaded.width()) * std::max(dpi, 0) / 300;
    const long long height = static_cast<long long>(loaded.absHeight()) * std::max(dpi, 0) / 300;
    if (width == 0 || height == 0)
        return Loaded::Nothing;
    if (!sizeFits(width, height) || !scaled.SetSize(int(width), int(height), 24))
        return Loaded::TooLarge;
    loaded.ScaleNearestTo(scaled);
    return Loaded::Ok;
}

bool sizeRaster(TFastDIB& raster, long long width, long long height)
{
    return sizeFits(width, height) && raster.SetSize(int(width), int(height), 24);
}

enum class Processed { Ok, Nothing, TooLarge };

/// The processed picture A for one block: stretched (in proportion or not), cut, or S
/// itself.
Processed processPicture(const ImageFieldOptions& o, TFastDIB& s, const BlockRect& r, TFastDIB& a)
{
    const long long blockWidth = static_cast<long long>(r.Right) - r.Left + 1;
    const long long blockHeight = static_cast<long long>(r.Bottom) - r.Top + 1;
    if (o.stretch) {
        long long width = blockWidth - 1;
        long long height = blockHeight - 1;
        if (o.keepProportions) {
            if (blockWidth <= 0 || blockHeight <= 0)
                return Processed::Nothing;
            const long double k = std::max(static_cast<long double>(s.width()) / blockWidth,
                                           static_cast<long double>(s.absHeight()) / blockHeight);
            width = roundHalfEven(s.width() / k);
            height = roundHalfEven(s.absHeight() / k);
        }
        if (width <= 0 || height <= 0)
            return Processed::Nothing;
        if (s.width() > MaxSmoothSide || s.absHeight() > MaxSmoothSide
            || !sizeRaster(a, width, height))
            return Processed::TooLarge;
        s.ResizeSmoothTo(a);
        return Processed::Ok;
    }
    if (!o.cut) {
        a.ShareFrom(s);
        return Processed::Ok;
    }
    const long long width = std::min<long long>(s.width(), blockWidth);
    const long long height = std::min<long long>(s.absHeight(), blockHeight);
    if (width <= 0 || height <= 0)
        return Processed::Nothing;
    if (!sizeRaster(a, width, height))
        return Processed::TooLarge;
    const int sx = o.center ? int((s.width() - width) / 2) : 0;
    const int sy = o.center ? int((s.absHeight() - height) / 2) : 0;
    a.CopyRectFrom(s, 0, 0, int(width), int(height), sx, sy);
    return Processed::Ok;
}

/// The colour left out when A is laid over a base; none when the pick point lies
/// outside the processed picture.
std::optional<PixelBGR> transparentColor(const ImageFieldOptions& o, const TFastDIB& a)
{
    if (o.transparency == TransparencyMode::ChosenColor)
        return ColorToBGR(std::uint32_t(o.transparentColor));
    if (o.pickX < 0 || o.pickY < 0 || o.pickX >= a.width() || o.pickY >= a.absHeight())
        return std::nullopt;
    return a.PixelAt(o.pickY, o.pickX);
}

void copyRaster(const TFastDIB& from, TFastDIB& to)
{
    to.SetSize(from.width(), from.absHeight(), 24);
    to.CopyRectFrom(from, 0, 0, from.width(), from.absHeight(), 0, 0);
}

void fillRaster(TFastDIB& raster, int width, int height, PixelBGR color)
{
    raster.SetSize(width, height, 24);
    raster.FillColor(color);
}

/// A laid over base at (0, 0), the transparent colour (if any) left out.
void overlay(TFastDIB& base, const TFastDIB& a, std::optional<PixelBGR> transparent)
{
    QImage surface;
    CopyDibToBitmap(base, surface);
    if (transparent)
        a.DrawTransparentOn(surface, 0, 0, *transparent);
    else
        a.DrawOn(surface, 0, 0);
    DibFromBitmap(surface, base);
}

/// The composite C of A with the page snapshot U by the copy and transparency modes.
void composite(const ImageFieldOptions& o, const TFastDIB& a, const TFastDIB& u, TFastDIB& c)
{
    const CopyMode mode = o.effectiveCopyMode();
    const bool keyed = o.transparency != TransparencyMode::None;
    const PixelBGR fill = ColorToBGR(std::uint32_t(o.backgroundColor));
    const int width = a.width();
    const int height = a.absHeight();
    const std::optional<PixelBGR> key = keyed ? transparentColor(o, a) : std::nullopt;
    if (mode == CopyMode::Copy) {
        if (!keyed) {
            copyRaster(a, c);
            return;
        }
        if (o.transparentBackground)
            copyRaster(u, c);
        else
            fillRaster(c, width, height, fill);
        overlay(c, a, key);
        return;
    }
    TFastDIB layer;
    if (keyed) {
        // Where the key colour is left out the layer must leave the page as it is:
        // white under a product, black under a sum or a difference.
        const PixelBGR neutral =
            mode == CopyMode::Multiply ? PixelBGR{255, 255, 255} : PixelBGR{0, 0, 0};
        fillRaster(layer, width, height, o.transparentBackground ? neutral : fill);
        overlay(layer, a, key);
    } else {
        copyRaster(a, layer);
    }
    if (!keyed && !o.transparentBackground)
        fillRaster(c, width, height, fill);
    else
        copyRaster(u, c);
    switch (mode) {
    case CopyMode::Multiply:
        BlendMultiply(c, c, layer);
        break;
    case CopyMode::AddClamped:
        BlendAddClamped(c, c, layer);
        break;
    case CopyMode::Difference:
        BlendDifference(c, c, layer);
        break;
    case CopyMode::Copy:
        break;
    }
}

/// U: the page under the picture. Without page pixels (printing straight to a printer)
/// the page is taken as white paper.
void pageSnapshot(const PageCanvas& canvas, int x, int y, int width, int height, TFastDIB& u)
{
    if (canvas.image == nullptr || canvas.image->isNull()) {
        fillRaster(u, width, height, PixelBGR{255, 255, 255});
        return;
    }
    DibFromBitmap(canvas.image->copy(x, y, width, height), u);
    u.ConvertDepth(24);
}

bool offPage(const PageCanvas& canvas, long long x, long long y, int width, int height)
{
    if (canvas.image == nullptr || canvas.image->isNull())
        return false;
    return x >= canvas.image->width() || y >= canvas.image->height() || x + width <= 0
           || y + height <= 0;
}

void drawBlock(const ImageFieldOptions& o, TFastDIB& s, const BlockRect& r, PageCanvas& canvas,
               RenderErrorSink& errors, const QString& path)
{
    TFastDIB a;
    const Processed processed = processPicture(o, s, r, a);
    if (processed == Processed::TooLarge)
        errors.LogRenderError(tooLargeLine(path));
    if (processed != Processed::Ok)
        return;
    const int width = a.width();
    const int height = a.absHeight();
    // The picture is not clipped to its block; div truncates toward zero.
    const long long x = o.center ? (static_cast<long long>(r.Left) + r.Right - width) / 2 : r.Left;
    const long long y = o.center ? (static_cast<long long>(r.Top) + r.Bottom - height) / 2 : r.Top;
    if (offPage(canvas, x, y, width, height))
        return;
    TFastDIB u;
    pageSnapshot(canvas, int(x), int(y), width, height, u);
    TFastDIB c;
    composite(o, a, u, c);
    BlendAlpha(c, c, u, o.effectiveOpacity());
    if (c.width() != width || c.absHeight() != height) {
        errors.LogRenderError(tooLargeLine(path)); // a working raster could not be made
        return;
    }
    if (canvas.image != nullptr && !canvas.image->isNull()) {
        c.DrawOn(*canvas.image, int(x), int(y));
    } else if (canvas.painter != nullptr) {
        QImage picture;
        CopyDibToBitmap(c, picture);
        canvas.painter->drawImage(QPoint(int(x), int(y)), picture);
    }
}

} // namespace

bool drawImageField(const FieldNode& field, const QString& projectPath, PageCanvas& canvas,
                    RenderErrorSink& errors)
{
    const QString id = field.text.left(4);
    const ImageFieldOptions options = parseImageOptions(QStringView(field.text).mid(4), id);
    const QString path = resolvePicturePath(options.fileName, projectPath);
    TFastDIB scaled;
    switch (loadScaled(openablePath(path), canvas.dpi, scaled)) {
    case Loaded::Failed:
        errors.LogRenderError(QStringLiteral("не могу открыть изображение: ") + path);
        return false;
    case Loaded::TooLarge:
        errors.LogRenderError(tooLargeLine(path));
        return true;
    case Loaded::Nothing:
        return true;
    case Loaded::Ok:
        break;
    }
    for (const TreeNode& block : field.blocks) {
        const BlockRect r = ParseBlockRect(block.text, canvas.mmPerPixel, canvas.origin);
        drawBlock(options, scaled, r, canvas, errors, path);
    }
    return true;
}

} // namespace Quillet
