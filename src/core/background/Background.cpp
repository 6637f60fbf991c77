// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/background/Background.h"

#include "core/app/Project.h"
#include "core/common/Errors.h"
#include "core/raster/FastDIB.h"
#include "core/raster/JpegImage.h"

#include <QCoreApplication>
#include <QSize>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace Quillet {

namespace {

// Lengths beyond this many pixels (about 85 m at 300 dpi) are typing accidents; they
// are refused before any rounding could overflow.
constexpr long double MaxPixels = 1e9L;
constexpr double MaxAngle = 1e14;
// The bilinear resampler works in 16.16 fixed point.
constexpr int MaxSmoothSide = 32767;

// `problem` is the message, marked with QT_TRANSLATE_NOOP, for a length out of range.
int toPixels(long double mm, long double mmPerPixel, const char* problem)
{
    const long double px = mm / mmPerPixel;
    if (!std::isfinite(px) || std::fabs(px) > MaxPixels) {
        throw Error(QCoreApplication::translate("Quillet::Background", problem));
    }
    return int(roundHalfEven(px));
}

struct Frame {
    int outerWidth = 0;
    int outerHeight = 0;
    int innerWidth = 0;
    int innerHeight = 0;
    int left = 0;
    int top = 0;
};

const char* const WidthProblem =
    QT_TRANSLATE_NOOP("Quillet::Background", "Ширина подложки вне допустимого диапазона.");
const char* const HeightProblem =
    QT_TRANSLATE_NOOP("Quillet::Background", "Высота подложки вне допустимого диапазона.");
const char* const MarginProblem =
    QT_TRANSLATE_NOOP("Quillet::Background", "Отступ подложки вне допустимого диапазона.");

Frame frameOf(const ProjectSettings& s, long double mmPerPixel)
{
    if (!(mmPerPixel > 0) || !std::isfinite(mmPerPixel))
        throw Error(QCoreApplication::translate("Quillet::Background",
                                                "Недопустимое разрешение для подложки."));
    const long double width = s.ImgWidth;
    const long double height = s.ImgHeight;
    const long double left = s.MirLeft;
    const long double top = s.MirTop;
    Frame f;
    f.outerWidth = toPixels(width, mmPerPixel, WidthProblem);
    f.outerHeight = toPixels(height, mmPerPixel, HeightProblem);
    f.innerWidth = toPixels(width - (left + s.MirRight), mmPerPixel, WidthProblem);
    f.innerHeight = toPixels(height - (top + s.MirBottom), mmPerPixel, HeightProblem);
    f.left = toPixels(left, mmPerPixel, MarginProblem);
    f.top = toPixels(top, mmPerPixel, MarginProblem);
    return f;
}

/// Tenths of a degree as entered. The product is taken in double precision, so that a
/// typed angle such as 90.05 is the exact tie 900.5 it reads as, and goes to the even
/// tenth.
long long angleTenths(double angle)
{
    if (!std::isfinite(angle) || std::fabs(angle) > MaxAngle)
        throw Error(QCoreApplication::translate(
            "Quillet::Background", "Угол поворота подложки вне допустимого диапазона."));
    const double tenths = angle * 10.0;
    return roundHalfEven(tenths);
}

void ensureSized(const TFastDIB& raster)
{
    if (raster.isEmpty())
        throw Error(QCoreApplication::translate("Quillet::Background",
                                                "Подложка слишком велика для обработки."));
}

/// Turns A into B by the branches of the angle as entered; A may be emptied.
void turn(TFastDIB& a, TFastDIB& b, long long t)
{
    if (t == 0 || t == 1 || t == 3599) {
        b.ShareFrom(a);
        a.clear();
    } else if (t >= 899 && t <= 901) {
        a.Rotate90To(b);
    } else if (t >= 1799 && t <= 1801) {
        a.Rotate180To(b);
    } else if (t >= 2699 && t <= 2701) {
        a.Rotate270To(b);
    } else {
        // The remainder keeps the sign of t + 3600: −450° turns by −90°.
        const double degrees = double((t + 3600) % 3600) / 10.0;
        a.SizeForRotation(b, degrees);
        ensureSized(b);
        a.RotateTo(b, true, degrees);
    }
    ensureSized(b);
}

/// B scaled to the inner size into A (taking B's pixels over when the size matches).
void scale(TFastDIB& b, TFastDIB& a, int w, int h)
{
    if (b.width() == w && b.absHeight() == h) {
        a.ShareFrom(b);
        return;
    }
    if (b.width() > MaxSmoothSide || b.absHeight() > MaxSmoothSide)
        throw Error(QCoreApplication::translate("Quillet::Background",
                                                "Подложка слишком велика для масштабирования."));
    a.SetSize(w, h, b.bitsPerPixel());
    ensureSized(a);
    b.ResizeSmoothTo(a);
}

// The image takes over c's pixel memory (c must hold the last reference to it): the rows are
// turned top side up and B, G, R swapped to R, G, B where they lie, so that a background at
// a printer's resolution never exists twice.
QImage toImage(TFastDIB& c)
{
    auto* held = new TFastDIB;
    held->ShareFrom(c);
    c.clear();
    const int width = held->width();
    const int height = held->absHeight();
    const std::size_t rowBytes = std::size_t(width) * 3;
    if (held->storageRow(0) != 0) {
        for (int y = 0; y < height / 2; ++y)
            std::swap_ranges(held->scanLine(y), held->scanLine(y) + rowBytes,
                             held->scanLine(height - 1 - y));
    }
    for (int y = 0; y < height; ++y) {
        std::uint8_t* d = held->scanLine(y);
        for (int x = 0; x < width; ++x)
            std::swap(d[x * 3], d[x * 3 + 2]);
    }
    QImage image(
        held->bits(), width, height, held->stride(), QImage::Format_RGB888,
        [](void* dib) { delete static_cast<TFastDIB*>(dib); }, held);
    if (image.isNull()) {
        delete held;
        throw Error(QCoreApplication::translate("Quillet::Background",
                                                "Подложка слишком велика для обработки."));
    }
    return image;
}

} // namespace

bool hasBackground(const QByteArray& background)
{
    int width = 0;
    int height = 0;
    return !background.isEmpty() && readJpegSize(background, width, height) && width > 0
           && height > 0;
}

namespace {

/// Steps 3 onward on the decoded picture `a` (any depth; it is consumed).
QImage processDecoded(TFastDIB& a, const Frame& f, long long t)
{
    TFastDIB b;
    a.ConvertDepth(24);
    if (a.bitsPerPixel() != 24)
        throw Error(QCoreApplication::translate("Quillet::Background",
                                                "Подложка слишком велика для обработки."));
    // Working on the negative makes everything the turn and the frame leave at zero come
    // out white after the second inversion.
    a.InvertBytes();
    turn(a, b, t);

    const bool pictureShows = f.innerWidth > 0 && f.innerHeight > 0;
    if (pictureShows)
        scale(b, a, f.innerWidth, f.innerHeight);
    b.clear();

    TFastDIB c;
    if (pictureShows && f.left == 0 && f.top == 0 && a.width() == f.outerWidth
        && a.absHeight() == f.outerHeight) {
        c.ShareFrom(a); // the picture fills the frame: no second raster of the frame's size
    } else {
        c.SetSize(f.outerWidth, f.outerHeight, 24);
        ensureSized(c);
        c.FillColor(PixelBGR{0, 0, 0});
        if (pictureShows)
            c.CopyRectFrom(a, f.left, f.top, a.width(), a.absHeight(), 0, 0);
    }
    a.clear();
    c.InvertBytes();
    return toImage(c);
}

} // namespace

QImage RebuildBackground(const QByteArray& background, const ProjectSettings& settings,
                         long double mmPerPixel)
{
    if (!hasBackground(background))
        return QImage();
    const Frame f = frameOf(settings, mmPerPixel);
    const long long t = angleTenths(settings.Angle1);
    if (f.outerWidth <= 0 || f.outerHeight <= 0)
        return QImage();
    TFastDIB a;
    if (!decodeJpeg(background, a))
        throw Error(QCoreApplication::translate("Quillet::Background",
                                                "Не удаётся декодировать изображение подложки."));
    return processDecoded(a, f, t);
}

QImage RebuildBackground(const QImage& picture, const ProjectSettings& settings,
                         long double mmPerPixel)
{
    if (picture.isNull())
        return QImage();
    const Frame f = frameOf(settings, mmPerPixel);
    const long long t = angleTenths(settings.Angle1);
    if (f.outerWidth <= 0 || f.outerHeight <= 0)
        return QImage();
    TFastDIB a;
    if (!DibFromBitmap(picture, a))
        throw Error(QCoreApplication::translate("Quillet::Background",
                                                "Подложка слишком велика для обработки."));
    return processDecoded(a, f, t);
}

QSize turnedSize(QSize picture, double degrees)
{
    if (picture.width() <= 0 || picture.height() <= 0)
        return QSize(0, 0);
    if (!std::isfinite(degrees))
        degrees = 0;
    // One bit per pixel: only the sizes matter, and they do not depend on the depth.
    TFastDIB source;
    TFastDIB turned;
    if (!source.SetSize(picture.width(), picture.height(), 1))
        throw Error(QCoreApplication::translate("Quillet::Background",
                                                "Подложка слишком велика для обработки."));
    source.SizeForRotation(turned, degrees);
    ensureSized(turned);
    return QSize(turned.width(), turned.absHeight());
}

} // namespace Quillet
