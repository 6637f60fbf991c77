// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// QImage stands in for the GUI bitmaps and drawing surfaces: a raster is drawn onto one,
// and pictures pass between the two in both directions. QImage rows run top-down, so
// every copy goes through TFastDIB::storageRow.

#include "core/raster/FastDIB.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace Quillet {

namespace {

/// Colours of count pixels of a storage row from column x0, as B, G, R bytes.
void readRowBGR(const TFastDIB& raster, int row, int x0, int count, std::uint8_t* out)
{
    if (raster.bitsPerPixel() == 24) {
        std::memcpy(out, raster.scanLine(row) + x0 * 3, std::size_t(count) * 3);
        return;
    }
    for (int i = 0; i < count; ++i) {
        const PixelBGR p = raster.PixelAt(row, x0 + i);
        out[i * 3] = p.blue;
        out[i * 3 + 1] = p.green;
        out[i * 3 + 2] = p.red;
    }
}

bool directlyWritable(QImage::Format format)
{
    return format == QImage::Format_RGB888 || format == QImage::Format_BGR888
           || format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
           || format == QImage::Format_ARGB32_Premultiplied;
}

/// Writes count B, G, R pixels to surface row y from column x; with skip set, pixels of
/// that colour are left out.
void writeRow(QImage& surface, int x, int y, const std::uint8_t* bgr, int count,
              const PixelBGR* skip)
{
    std::uint8_t* line = surface.scanLine(y);
    const auto skipped = [&](int i) {
        return skip != nullptr && bgr[i * 3] == skip->blue && bgr[i * 3 + 1] == skip->green
               && bgr[i * 3 + 2] == skip->red;
    };
    switch (surface.format()) {
    case QImage::Format_BGR888:
        if (skip == nullptr) {
            std::memcpy(line + x * 3, bgr, std::size_t(count) * 3);
            break;
        }
        [[fallthrough]];
    case QImage::Format_RGB888: {
        const bool swap = surface.format() == QImage::Format_RGB888;
        for (int i = 0; i < count; ++i) {
            if (skipped(i))
                continue;
            std::uint8_t* d = line + (x + i) * 3;
            d[0] = bgr[i * 3 + (swap ? 2 : 0)];
            d[1] = bgr[i * 3 + 1];
            d[2] = bgr[i * 3 + (swap ? 0 : 2)];
        }
        break;
    }
    default: {
        auto* d = reinterpret_cast<QRgb*>(line) + x;
        for (int i = 0; i < count; ++i)
            if (!skipped(i))
                d[i] = qRgb(bgr[i * 3 + 2], bgr[i * 3 + 1], bgr[i * 3]);
        break;
    }
    }
}

/// Indexed surfaces take the nearest entry of their own colour table, as a palette
/// device would.
void drawIndexed(const TFastDIB& raster, QImage& surface, int x, int y, const PixelBGR* skip)
{
    const QList<QRgb> table = surface.colorTable();
    if (table.isEmpty())
        return;
    for (int n = 0; n < raster.absHeight(); ++n) {
        if (y + n < 0 || y + n >= surface.height())
            continue;
        for (int i = 0; i < raster.width(); ++i) {
            if (x + i < 0 || x + i >= surface.width())
                continue;
            const PixelBGR p = raster.PixelAt(raster.storageRow(n), i);
            if (skip != nullptr && p == *skip)
                continue;
            int best = 0;
            int bestDistance = INT_MAX;
            for (int k = 0; k < table.size(); ++k) {
                const int distance = std::abs(qBlue(table[k]) - p.blue)
                                     + std::abs(qGreen(table[k]) - p.green)
                                     + std::abs(qRed(table[k]) - p.red);
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = k;
                }
            }
            surface.setPixel(x + i, y + n, uint(best));
        }
    }
}

void drawRaster(const TFastDIB& raster, QImage& surface, int x, int y, const PixelBGR* skip)
{
    if (raster.isEmpty() || surface.isNull())
        return;
    if (surface.format() == QImage::Format_Indexed8 || surface.format() == QImage::Format_Mono
        || surface.format() == QImage::Format_MonoLSB) {
        drawIndexed(raster, surface, x, y, skip);
        return;
    }
    if (!directlyWritable(surface.format())) {
        // Rare surfaces (16-bit, 30-bit, ...) go through QPainter with an alpha mask.
        QImage picture;
        CopyDibToBitmap(raster, picture);
        picture = picture.convertToFormat(QImage::Format_ARGB32);
        if (skip != nullptr) {
            const QRgb key = qRgb(skip->red, skip->green, skip->blue);
            for (int row = 0; row < picture.height(); ++row) {
                auto* p = reinterpret_cast<QRgb*>(picture.scanLine(row));
                for (int i = 0; i < picture.width(); ++i)
                    if (p[i] == key)
                        p[i] = 0;
            }
        }
        QPainter painter(&surface);
        painter.setCompositionMode(skip != nullptr ? QPainter::CompositionMode_SourceOver
                                                   : QPainter::CompositionMode_Source);
        painter.drawImage(x, y, picture);
        return;
    }
    const int left = std::max(0, -x);
    const int top = std::max(0, -y);
    const int right = std::min(raster.width(), surface.width() - x);
    const int bottom = std::min(raster.absHeight(), surface.height() - y);
    if (left >= right || top >= bottom)
        return;
    std::vector<std::uint8_t> line(std::size_t(right - left) * 3);
    for (int n = top; n < bottom; ++n) {
        readRowBGR(raster, raster.storageRow(n), left, right - left, line.data());
        writeRow(surface, x + left, y + n, line.data(), right - left, skip);
    }
}

QRgb tableColor(const DibColor& c)
{
    return qRgb(c.red, c.green, c.blue);
}

} // namespace

void TFastDIB::DrawOn(QImage& surface, int x, int y) const
{
    drawRaster(*this, surface, x, y, nullptr);
}

void TFastDIB::DrawTransparentOn(QImage& surface, int x, int y, PixelBGR transparent) const
{
    drawRaster(*this, surface, x, y, &transparent);
}

void CopyDibToBitmap(const TFastDIB& raster, QImage& bitmap)
{
    if (raster.isEmpty()) {
        bitmap = QImage();
        return;
    }
    const int w = raster.width();
    const int h = raster.absHeight();
    const int bits = raster.bitsPerPixel();
    const DibHeader& header = raster.header();
    const bool is565 = bits == 16 && raster.hasBitFields() && header.mask(0) == 0xF800
                       && header.mask(1) == 0x07E0 && header.mask(2) == 0x001F;
    QImage::Format format = QImage::Format_RGB32;
    if (bits == 1)
        format = QImage::Format_Mono;
    else if (bits == 4 || bits == 8)
        format = QImage::Format_Indexed8;
    else if (bits == 16 && !raster.hasBitFields())
        format = QImage::Format_RGB555;
    else if (is565)
        format = QImage::Format_RGB16;
    else if (bits == 24)
        format = QImage::Format_BGR888;
    QImage image(w, h, format);
    if (image.isNull()) {
        bitmap = QImage();
        return;
    }
    if (bits <= 8) {
        QList<QRgb> table;
        for (int i = 0; i < (1 << bits); ++i)
            table.append(tableColor(raster.colorTable()[i]));
        image.setColorTable(table);
    }
    for (int n = 0; n < h; ++n) {
        const std::uint8_t* s = raster.scanLine(raster.storageRow(n));
        std::uint8_t* d = image.scanLine(n);
        if (bits == 1 || bits == 8 || bits == 24 || is565) {
            std::memcpy(d, s, std::size_t(raster.stride() - raster.gap()));
        } else if (bits == 4) {
            for (int x = 0; x < w; ++x)
                d[x] = (s[x >> 1] >> ((x & 1) != 0 ? 0 : 4)) & 15;
        } else if (format == QImage::Format_RGB555) {
            for (int x = 0; x < w; ++x) {
                const std::uint16_t v = std::uint16_t((s[x * 2] | s[x * 2 + 1] << 8) & 0x7FFF);
                std::memcpy(d + x * 2, &v, 2);
            }
        } else {
            auto* p = reinterpret_cast<QRgb*>(d);
            const int row = raster.storageRow(n);
            for (int x = 0; x < w; ++x) {
                const PixelBGR c = raster.PixelAt(row, x);
                p[x] = qRgb(c.red, c.green, c.blue);
            }
        }
    }
    bitmap = std::move(image);
}

void GiveDibToBitmap(TFastDIB& raster, QImage& bitmap)
{
    if (raster.isEmpty())
        return;
    CopyDibToBitmap(raster, bitmap);
    raster.clear();
}

bool DibFromBitmap(const QImage& source, TFastDIB& raster)
{
    if (source.isNull()) {
        raster.clear();
        return false;
    }
    QImage bitmap = source;
    DibHeader header;
    header.width = bitmap.width();
    header.height = bitmap.height();
    switch (bitmap.format()) {
    case QImage::Format_MonoLSB:
        bitmap = bitmap.convertToFormat(QImage::Format_Mono);
        [[fallthrough]];
    case QImage::Format_Mono:
        header.bitCount = 1;
        break;
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8:
        header.bitCount = 8;
        break;
    case QImage::Format_RGB555:
        header.bitCount = 16;
        break;
    case QImage::Format_RGB16:
        header.bitCount = 16;
        header.compression = DibHeader::BitFields;
        header.setMasks(0xF800, 0x07E0, 0x001F);
        break;
    case QImage::Format_RGB888:
    case QImage::Format_BGR888:
        header.bitCount = 24;
        break;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        header.bitCount = 32;
        break;
    default:
        // No raster layout of its own: it comes in at the screen's depth.
        bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
        header.bitCount = 32;
        break;
    }
    if (header.bitCount <= 8) {
        for (int i = 0; i < 256; ++i) {
            const QRgb c = bitmap.format() == QImage::Format_Grayscale8 ? qRgb(i, i, i)
                           : i < bitmap.colorCount()                    ? bitmap.color(i)
                                                                        : 0;
            header.colors[i] =
                DibColor{std::uint8_t(qBlue(c)), std::uint8_t(qGreen(c)), std::uint8_t(qRed(c)), 0};
        }
    }
    if (!raster.SetSizeFromHeader(header))
        return false;
    const int w = raster.width();
    const std::size_t rowBytes = std::size_t(raster.stride() - raster.gap());
    for (int n = 0; n < raster.absHeight(); ++n) {
        const std::uint8_t* s = bitmap.constScanLine(n);
        std::uint8_t* d = raster.scanLine(raster.storageRow(n));
        if (bitmap.format() == QImage::Format_RGB888) {
            for (int x = 0; x < w; ++x) {
                d[x * 3] = s[x * 3 + 2];
                d[x * 3 + 1] = s[x * 3 + 1];
                d[x * 3 + 2] = s[x * 3];
            }
        } else {
            std::memcpy(d, s, rowBytes);
        }
    }
    return true;
}

} // namespace Quillet
