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

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace Quillet {

namespace {

// A processed picture beyond this many pixels (an A1 page at 300 dpi is 70 million) is
// taken for a typing accident in a block or a resolution; its block is left alone.
constexpr long long MaxPicturePixels = 1LL << 27;
// The bilinear resampler works in 16.16 fixed point.
constexpr int MaxSmoothSide = 32767;

QString tooLargeLine(const QString& path)
{
    return QCoreApplication::translate("Quillet::ImageField", "изображение слишком велико: %1")
        .arg(path);
}

bool sizeFits(long long width, long long height)
{
    return width > 0 && height > 0 && width * height <= MaxPicturePixels;
}

/// The picture at the canvas's resolution, one picture pixel per 1/300 inch.
enum class Loaded { Ok, Failed, Nothing, TooLarge };
Loaded loadAndScale(const QString& path, int dpi, TFastDIB& scaled)
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

/// A picture file as loadAndScale made it, while the file stays as it was.
struct ScaledPicture {
    QString path;
    int dpi = 0;
    qint64 size = 0;
    QDateTime modified;
    TFastDIB picture;
};

// An export draws the same stamp or signature on every page; decoding the file for each
// one costs more than the page's text. The last few pictures of each thread are kept.
constexpr size_t KeptPictures = 4;
constexpr qint64 KeptPictureBytes = 32 << 20;

Loaded loadScaled(const QString& path, int dpi, TFastDIB& scaled)
{
    thread_local std::vector<std::unique_ptr<ScaledPicture>> kept; // newest last
    const QFileInfo file(path);
    const QString absolute = file.absoluteFilePath();
    const qint64 size = file.size();
    const QDateTime modified = file.lastModified();
    const auto found = std::find_if(kept.begin(), kept.end(), [&](const auto& k) {
        return k->path == absolute && k->dpi == dpi && k->size == size && k->modified == modified;
    });
    if (found != kept.end()) {
        const TFastDIB& picture = (*found)->picture;
        if (!scaled.SetSize(picture.width(), picture.absHeight(), 24))
            return Loaded::TooLarge;
        scaled.CopyRectFrom(picture, 0, 0, picture.width(), picture.absHeight(), 0, 0);
        std::rotate(found, found + 1, kept.end());
        return Loaded::Ok;
    }
    const Loaded loaded = loadAndScale(path, dpi, scaled);
    if (loaded == Loaded::Ok && qint64(scaled.width()) * scaled.absHeight() * 3 <= KeptPictureBytes
        && file.exists()) {
        auto k = std::make_unique<ScaledPicture>();
        k->path = absolute;
        k->dpi = dpi;
        k->size = size;
        k->modified = modified;
        if (k->picture.SetSize(scaled.width(), scaled.absHeight(), 24)) {
            k->picture.CopyRectFrom(scaled, 0, 0, scaled.width(), scaled.absHeight(), 0, 0);
            if (kept.size() == KeptPictures)
                kept.erase(kept.begin());
            kept.push_back(std::move(k));
        }
    }
    return loaded;
}

/// What follows a picture's loading: drawing it, going on with the next field (nothing to
/// draw, or a picture too large: logged), or ending the render (the file cannot be read:
/// logged).
enum class AfterLoad { Draw, NextField, EndRender };
AfterLoad afterLoad(Loaded loaded, const QString& path, RenderErrorSink& errors)
{
    switch (loaded) {
    case Loaded::Failed:
        errors.LogRenderError(
            QCoreApplication::translate("Quillet::ImageField", "не могу открыть изображение: %1")
                .arg(path));
        return AfterLoad::EndRender;
    case Loaded::TooLarge:
        errors.LogRenderError(tooLargeLine(path));
        return AfterLoad::NextField;
    case Loaded::Nothing:
        return AfterLoad::NextField;
    case Loaded::Ok:
        break;
    }
    return AfterLoad::Draw;
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

/// U: the page under the picture. Without page pixels (a painter render without shared
/// pictures) the page is taken as white paper.
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

/// A block of a field, as the raster render of a page records it for the painter render.
using BlockRef = std::pair<const FieldNode*, int>;

// Distinct finished pixels kept for sharing: beyond this, pictures that differ from page
// to page would only fill memory.
constexpr qint64 MaxDistinctBytes = 64LL << 20;

/// The finished pixels as the PDF engine takes them without converting.
QImage finishedPixels(const TFastDIB& c)
{
    QImage pixels;
    CopyDibToBitmap(c, pixels);
    return pixels.convertToFormat(QImage::Format_RGB32);
}

/// A copy-mode picture to draw with the opacity as constant alpha: A with its
/// transparent colour as a mask over the page, or replaced by the fill colour when the
/// block background is not transparent. Null when it cannot be allocated.
QImage copyPicture(const ImageFieldOptions& o, const TFastDIB& a)
{
    QImage picture;
    CopyDibToBitmap(a, picture);
    const std::optional<PixelBGR> key =
        o.transparency != TransparencyMode::None ? transparentColor(o, a) : std::nullopt;
    const bool masked = key && o.transparentBackground;
    picture = picture.convertToFormat(masked ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (!key || picture.isNull())
        return picture;
    const QRgb from = qRgb(key->red, key->green, key->blue);
    const PixelBGR fill = ColorToBGR(std::uint32_t(o.backgroundColor));
    const QRgb to = masked ? from & RGB_MASK : qRgb(fill.red, fill.green, fill.blue);
    for (int row = 0; row < picture.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(row));
        std::replace(line, line + picture.width(), from, to);
    }
    return picture;
}

/// The painter's constant alpha for an opacity: the raster blend weighs by w/256, and
/// full opacity stays opaque.
qreal painterOpacity(int weight)
{
    return weight >= 255 ? 1.0 : std::max(weight, 0) / 256.0;
}

} // namespace

struct PlacedPictures::Store {
    struct CopyBlock {
        Processed outcome = Processed::Nothing;
        QImage picture;
        QPoint at;
    };
    struct CopyField {
        Loaded loaded = Loaded::Ok;
        std::vector<CopyBlock> blocks;
    };
    /// Copy-mode fields by their text, blocks and target geometry, for the whole export.
    QHash<QString, CopyField> copies;
    /// Finished pixels of the current page's blocks; a null image when none could be made.
    std::map<BlockRef, QImage> page;
    /// Where the current page's mixing pictures go, as a painter render without recorded
    /// pixels placed them.
    std::vector<QRect> mixing;
    QMultiHash<size_t, QImage> distinct;
    qint64 distinctBytes = 0;

    void record(BlockRef ref, const QImage& pixels) { page[ref] = shared(pixels); }

    /// The kept image with the same pixels, so that the PDF engine sees one image.
    QImage shared(const QImage& pixels)
    {
        if (pixels.isNull())
            return pixels;
        const size_t hash = qHashBits(pixels.constBits(), size_t(pixels.sizeInBytes()));
        for (auto it = distinct.constFind(hash); it != distinct.cend() && it.key() == hash; ++it) {
            if (*it == pixels)
                return *it;
        }
        if (distinctBytes + pixels.sizeInBytes() <= MaxDistinctBytes) {
            distinct.insert(hash, pixels);
            distinctBytes += pixels.sizeInBytes();
        }
        return pixels;
    }
};

PlacedPictures::PlacedPictures() : m_store(std::make_unique<Store>()) {}

PlacedPictures::~PlacedPictures() = default;

bool PlacedPictures::needsPagePixels(const FieldTree& tree)
{
    for (const FieldNode& field : tree.fields) {
        const int id = field.id();
        if (id < 0 || fieldKindOfId(id) != FieldKind::Image)
            continue;
        const ImageFieldOptions o =
            parseImageOptions(QStringView(field.text).mid(4), field.text.left(4));
        if (o.effectiveCopyMode() != CopyMode::Copy)
            return true;
    }
    return false;
}

void PlacedPictures::startPage()
{
    m_store->page.clear();
    m_store->mixing.clear();
}

std::vector<QRect> PlacedPictures::mixingAreas() const
{
    return m_store->mixing;
}

namespace {

/// Draws what the raster render of this page recorded for the block.
void drawRecorded(PageCanvas& canvas, BlockRef ref, QPoint at, RenderErrorSink& errors,
                  const QString& path)
{
    const std::map<BlockRef, QImage>& page = canvas.pictures->store().page;
    const auto it = page.find(ref);
    if (it == page.end())
        return; // off the page
    if (it->second.isNull()) {
        errors.LogRenderError(tooLargeLine(path));
        return;
    }
    canvas.painter->save();
    canvas.painter->setRenderHint(QPainter::LosslessImageRendering);
    canvas.painter->drawImage(at, it->second);
    canvas.painter->restore();
}

/// Where A goes for block r: its top left corner, not clipped to the block; div truncates
/// toward zero.
std::pair<long long, long long> placeOf(const ImageFieldOptions& o, const BlockRect& r,
                                        const TFastDIB& a)
{
    const long long x =
        o.center ? (static_cast<long long>(r.Left) + r.Right - a.width()) / 2 : r.Left;
    const long long y =
        o.center ? (static_cast<long long>(r.Top) + r.Bottom - a.absHeight()) / 2 : r.Top;
    return {x, y};
}

/// The finished pixels C of one block, drawn on the page raster or the painter. With a
/// raster and shared pictures, C is also recorded for the painter render of the page.
void drawBlock(const ImageFieldOptions& o, TFastDIB& s, const BlockRect& r, PageCanvas& canvas,
               RenderErrorSink& errors, const QString& path, BlockRef ref)
{
    TFastDIB a;
    const Processed processed = processPicture(o, s, r, a);
    if (processed == Processed::TooLarge)
        errors.LogRenderError(tooLargeLine(path));
    if (processed != Processed::Ok)
        return;
    const int width = a.width();
    const int height = a.absHeight();
    const auto [x, y] = placeOf(o, r, a);
    if (offPage(canvas, x, y, width, height))
        return;
    const bool onRaster = canvas.image != nullptr && !canvas.image->isNull();
    if (!onRaster && canvas.pictures != nullptr && canvas.painter != nullptr) {
        canvas.pictures->store().mixing.emplace_back(int(x), int(y), width, height);
        drawRecorded(canvas, ref, QPoint(int(x), int(y)), errors, path);
        return;
    }
    TFastDIB u;
    pageSnapshot(canvas, int(x), int(y), width, height, u);
    TFastDIB c;
    composite(o, a, u, c);
    BlendAlpha(c, c, u, o.effectiveOpacity());
    const bool made = c.width() == width && c.absHeight() == height;
    if (onRaster && canvas.pictures != nullptr && o.effectiveCopyMode() != CopyMode::Copy)
        canvas.pictures->store().record(ref, made ? finishedPixels(c) : QImage());
    if (!made) {
        errors.LogRenderError(tooLargeLine(path)); // a working raster could not be made
        return;
    }
    if (onRaster) {
        c.DrawOn(*canvas.image, int(x), int(y));
    } else if (canvas.painter != nullptr) {
        QImage picture;
        CopyDibToBitmap(c, picture);
        canvas.painter->drawImage(QPoint(int(x), int(y)), picture);
    }
}

/// The field's copy-mode pictures, loaded and placed once for the whole export.
PlacedPictures::Store::CopyField makeCopies(const FieldNode& field, const ImageFieldOptions& o,
                                            const QString& path, const PageCanvas& canvas)
{
    PlacedPictures::Store::CopyField made;
    TFastDIB s;
    made.loaded = loadScaled(path, canvas.dpi, s);
    if (made.loaded != Loaded::Ok)
        return made;
    for (const TreeNode& block : field.blocks) {
        const BlockRect r = ParseBlockRect(block.text, canvas.mmPerPixel, canvas.origin);
        PlacedPictures::Store::CopyBlock placed;
        TFastDIB a;
        placed.outcome = processPicture(o, s, r, a);
        if (placed.outcome == Processed::Ok) {
            const auto [x, y] = placeOf(o, r, a);
            placed.at = QPoint(int(x), int(y));
            placed.picture = copyPicture(o, a);
            if (placed.picture.isNull())
                placed.outcome = Processed::TooLarge;
        }
        made.blocks.push_back(std::move(placed));
    }
    return made;
}

QString copiesKey(const FieldNode& field, const QString& path, const PageCanvas& canvas)
{
    QString key = path + QLatin1Char('\n') + field.text.mid(4);
    for (const TreeNode& block : field.blocks)
        key += QLatin1Char('\n') + block.text;
    return key
           + QStringLiteral("\n%1 %2 %3 %4")
                 .arg(canvas.dpi)
                 .arg(double(canvas.mmPerPixel), 0, 'g', 17)
                 .arg(canvas.origin.x)
                 .arg(canvas.origin.y);
}

/// A copy-mode field on a painter with shared pictures: the same QImage on every page.
bool drawCopies(const FieldNode& field, const ImageFieldOptions& o, const QString& path,
                PageCanvas& canvas, RenderErrorSink& errors)
{
    PlacedPictures::Store& store = canvas.pictures->store();
    const QString key = copiesKey(field, path, canvas);
    auto it = store.copies.find(key);
    if (it == store.copies.end())
        it = store.copies.insert(key, makeCopies(field, o, path, canvas));
    if (const AfterLoad next = afterLoad(it->loaded, path, errors); next != AfterLoad::Draw)
        return next == AfterLoad::NextField;
    for (const PlacedPictures::Store::CopyBlock& placed : it->blocks) {
        if (placed.outcome == Processed::TooLarge)
            errors.LogRenderError(tooLargeLine(path));
        if (placed.outcome != Processed::Ok)
            continue;
        canvas.painter->save();
        canvas.painter->setRenderHint(QPainter::LosslessImageRendering);
        canvas.painter->setOpacity(painterOpacity(o.effectiveOpacity()));
        canvas.painter->drawImage(placed.at, placed.picture);
        canvas.painter->restore();
    }
    return true;
}

} // namespace

bool drawImageField(const FieldNode& field, const QString& projectPath, PageCanvas& canvas,
                    RenderErrorSink& errors)
{
    const QString id = field.text.left(4);
    const ImageFieldOptions options = parseImageOptions(QStringView(field.text).mid(4), id);
    const QString path = resolveImagePath(options.fileName, projectPath);
    const bool onRaster = canvas.image != nullptr && !canvas.image->isNull();
    if (canvas.pictures != nullptr && !onRaster && canvas.painter != nullptr
        && options.effectiveCopyMode() == CopyMode::Copy)
        return drawCopies(field, options, path, canvas, errors);
    TFastDIB scaled;
    const Loaded loaded = loadScaled(path, canvas.dpi, scaled);
    if (const AfterLoad next = afterLoad(loaded, path, errors); next != AfterLoad::Draw)
        return next == AfterLoad::NextField;
    for (size_t b = 0; b < field.blocks.size(); ++b) {
        const BlockRect r = ParseBlockRect(field.blocks[b].text, canvas.mmPerPixel, canvas.origin);
        drawBlock(options, scaled, r, canvas, errors, path, BlockRef{&field, int(b)});
    }
    return true;
}

} // namespace Quillet
