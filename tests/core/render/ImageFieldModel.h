// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// A plain reference for image fields: scaling, stretching, cutting, the copy modes, the
// key colour and the opacity written out pixel by pixel from their rules, with none of
// the raster code.

#include "../background/BackgroundModel.h"

#include "core/app/NodeGrammar.h"

#include <QImage>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace ImageFieldModel {

using BackgroundModel::Picture;
using Bgr = std::array<int, 3>;

/// Nearest-neighbour resample on storage rows, from the 16.16 rule with unsigned
/// accumulators starting half a step in.
inline Picture nearest(const Picture& s, int dw, int dh)
{
    Picture d(dw, dh);
    const quint32 xStep = quint32((quint64(s.width) << 16) / quint64(dw));
    const quint32 yStep = quint32((quint64(s.height) << 16) / quint64(dh));
    for (int j = 0; j < dh; ++j) {
        const int row = int(((yStep >> 1) + quint32(j) * yStep) >> 16);
        for (int i = 0; i < dw; ++i) {
            const int column = int(((xStep >> 1) + quint32(i) * xStep) >> 16);
            for (int k = 0; k < 3; ++k)
                d.at(j, i)[k] = s.at(row, column)[k];
        }
    }
    return d;
}

inline Bgr bgrOf(QRgb c)
{
    return {qBlue(c), qGreen(c), qRed(c)};
}

/// A colour value $00BBGGRR.
inline Bgr bgrOfValue(qint32 value)
{
    const quint32 v = quint32(value);
    return {int((v >> 16) & 255), int((v >> 8) & 255), int(v & 255)};
}

inline int floorShift8(int v)
{
    return v >= 0 ? v >> 8 : -((-v + 255) >> 8);
}

/// The processed picture A for a block; an empty picture when nothing is drawn.
inline Picture processed(const Picture& s, const Quillet::ImageFieldOptions& o,
                         const Quillet::BlockRect& r)
{
    const int bw = r.Right - r.Left + 1;
    const int bh = r.Bottom - r.Top + 1;
    if (o.stretch) {
        int w = bw - 1;
        int h = bh - 1;
        if (o.keepProportions) {
            const double k = std::max(double(s.width) / bw, double(s.height) / bh);
            w = int(std::llrint(s.width / k));
            h = int(std::llrint(s.height / k));
        }
        return w > 0 && h > 0 ? BackgroundModel::resizeSmooth(s, w, h) : Picture();
    }
    if (!o.cut)
        return s;
    const int w = std::min(s.width, bw);
    const int h = std::min(s.height, bh);
    if (w <= 0 || h <= 0)
        return Picture();
    const int sx = o.center ? (s.width - w) / 2 : 0;
    const int sy = o.center ? (s.height - h) / 2 : 0;
    Picture a(w, h);
    for (int t = 0; t < h; ++t)
        for (int x = 0; x < w; ++x)
            for (int k = 0; k < 3; ++k)
                a.at(h - 1 - t, x)[k] = s.at(s.height - 1 - (sy + t), sx + x)[k];
    return a;
}

/// The colour left out: the chosen one, or A's pixel at the pick point (row 0 at the
/// bottom) when that lies inside A.
inline std::optional<Bgr> keyOf(const Picture& a, const Quillet::ImageFieldOptions& o)
{
    using Quillet::TransparencyMode;
    if (o.transparency == TransparencyMode::ChosenColor)
        return bgrOfValue(o.transparentColor);
    if (o.transparency == TransparencyMode::PixelColor && o.pickX < a.width && o.pickY < a.height) {
        const std::uint8_t* p = a.at(o.pickY, o.pickX);
        return Bgr{p[0], p[1], p[2]};
    }
    return std::nullopt;
}

/// One page pixel: A's pixel av over the page's u by the copy mode, then the opacity.
inline Bgr combine(const Quillet::ImageFieldOptions& o, const Bgr& av, const Bgr& u,
                   const std::optional<Bgr>& key)
{
    const int mode = int(o.effectiveCopyMode());
    const bool keyed = o.transparency != Quillet::TransparencyMode::None;
    const bool skipped = keyed && key && av == *key;
    const Bgr fill = bgrOfValue(o.backgroundColor);
    const int neutral = mode == 1 ? 255 : 0;
    Bgr out{};
    for (int k = 0; k < 3; ++k) {
        int c;
        if (mode == 0) {
            c = skipped ? (o.transparentBackground ? u[k] : fill[k]) : av[k];
        } else {
            const int left = !keyed && !o.transparentBackground ? fill[k] : u[k];
            const int right = skipped ? (o.transparentBackground ? neutral : fill[k]) : av[k];
            c = mode == 1   ? (left * right) >> 8
                : mode == 2 ? std::min(255, left + right)
                            : std::abs(left - right);
        }
        out[k] = u[k] + floorShift8(o.effectiveOpacity() * (c - u[k]));
    }
    return out;
}

/// What the page should look like after the field.
inline QImage expectedPage(QImage page, const QImage& picture, const Quillet::ImageFieldOptions& o,
                           const std::vector<Quillet::BlockRect>& blocks, int dpi)
{
    const Picture loaded = BackgroundModel::fromImage(picture);
    const int sw = loaded.width * dpi / 300;
    const int sh = loaded.height * dpi / 300;
    if (sw == 0 || sh == 0)
        return page;
    const Picture s = nearest(loaded, sw, sh);
    for (const Quillet::BlockRect& r : blocks) {
        const Picture a = processed(s, o, r);
        if (a.width == 0)
            continue;
        const int x0 = o.center ? (r.Left + r.Right - a.width) / 2 : r.Left;
        const int y0 = o.center ? (r.Top + r.Bottom - a.height) / 2 : r.Top;
        const std::optional<Bgr> key = keyOf(a, o);
        const QImage before = page;
        for (int t = 0; t < a.height; ++t) {
            for (int x = 0; x < a.width; ++x) {
                const int px = x0 + x;
                const int py = y0 + t;
                if (px < 0 || py < 0 || px >= page.width() || py >= page.height())
                    continue;
                const std::uint8_t* ap = a.at(a.height - 1 - t, x);
                const Bgr out =
                    combine(o, Bgr{ap[0], ap[1], ap[2]}, bgrOf(before.pixel(px, py)), key);
                page.setPixel(px, py, qRgb(out[2], out[1], out[0]));
            }
        }
    }
    return page;
}

} // namespace ImageFieldModel
