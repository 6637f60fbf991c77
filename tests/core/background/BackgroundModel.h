// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// A plain reference for the processed background: the turn, resampling and framing
// written out pixel by pixel from their fixed-point rules, with none of the raster code,
// so the tests compare two independent computations.

#include <QImage>

#include <cmath>
#include <cstdint>
#include <vector>

namespace BackgroundModel {

/// A 24-bit picture in storage order: row 0 is the bottom row; bytes B, G, R.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;

    Picture() = default;
    Picture(int w, int h) : width(w), height(h), bytes(std::size_t(w) * h * 3, 0) {}
    std::uint8_t* at(int row, int column)
    {
        return &bytes[(std::size_t(row) * width + column) * 3];
    }
    const std::uint8_t* at(int row, int column) const
    {
        return &bytes[(std::size_t(row) * width + column) * 3];
    }
};

/// Ties to the even neighbour, through the floating-point environment's own rounding.
inline long long roundEven(long double v)
{
    return std::llrint(v);
}

inline Picture fromImage(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    Picture p(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const std::uint8_t* s = rgb.constScanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            std::uint8_t* d = p.at(rgb.height() - 1 - y, x);
            d[0] = s[x * 3 + 2];
            d[1] = s[x * 3 + 1];
            d[2] = s[x * 3];
        }
    }
    return p;
}

inline QImage toImage(const Picture& p)
{
    QImage image(p.width, p.height, QImage::Format_RGB888);
    for (int y = 0; y < p.height; ++y) {
        std::uint8_t* d = image.scanLine(y);
        for (int x = 0; x < p.width; ++x) {
            const std::uint8_t* s = p.at(p.height - 1 - y, x);
            d[x * 3] = s[2];
            d[x * 3 + 1] = s[1];
            d[x * 3 + 2] = s[0];
        }
    }
    return image;
}

inline void invert(Picture& p)
{
    for (std::uint8_t& b : p.bytes)
        b = std::uint8_t(255 - b);
}

inline long long floorShift(long long v)
{
    return v >= 0 ? v >> 16 : -((-v + 65535) >> 16);
}

/// The general turn into a zeroed destination of the given size.
inline Picture turn(const Picture& s, int dw, int dh, long long c, long long sn, bool smooth)
{
    Picture d(dw, dh);
    const long long cx = dw >> 1;
    const long long cy = dh >> 1;
    const long long gx = (static_cast<long long>(s.width - dw) * 65536) / 2;
    const long long gy = (static_cast<long long>(s.height - dh) * 65536) / 2;
    for (int r = 0; r < dh; ++r) {
        for (int x = 0; x < dw; ++x) {
            const long long u = gx + cx * 65536 + (x - cx) * c + (cy - r) * sn;
            const long long v = gy + cy * 65536 + (x - cx) * sn + (r - cy) * c;
            std::uint8_t* out = d.at(r, x);
            const long long j = floorShift(u);
            const long long i = floorShift(v);
            if (!smooth) {
                if (j >= 0 && j < s.width && i >= 0 && i < s.height)
                    for (int k = 0; k < 3; ++k)
                        out[k] = s.at(int(i), int(j))[k];
                continue;
            }
            if (j < -1 || j >= s.width || i < -1 || i >= s.height)
                continue;
            const long long fx = u & 65535;
            const long long fy = v & 65535;
            for (int k = 0; k < 3; ++k) {
                const auto px = [&](long long row, long long col) -> long long {
                    if (row < 0 || row >= s.height || col < 0 || col >= s.width)
                        return out[k];
                    return s.at(int(row), int(col))[k];
                };
                const long long p00 = px(i, j), p01 = px(i, j + 1);
                const long long p10 = px(i + 1, j), p11 = px(i + 1, j + 1);
                const long long top = (p00 + floorShift(fx * (p01 - p00))) & 255;
                const long long bottom = (p10 + floorShift(fx * (p11 - p10))) & 255;
                out[k] = std::uint8_t((top + floorShift((bottom - top) * fy)) & 255);
            }
        }
    }
    return d;
}

inline Picture turnSmooth(const Picture& s, double degrees)
{
    const long double theta =
        std::fabs(static_cast<long double>(degrees)) * 0.017453292519943295769L;
    const int dw = int(roundEven(std::fabs(std::cos(theta) * s.width)
                                 + std::fabs(std::sin(theta) * s.height) + 0.4L));
    const int dh = int(roundEven(std::fabs(std::sin(theta) * s.width)
                                 + std::fabs(std::cos(theta) * s.height) + 0.4L));
    const long double rad = static_cast<long double>(degrees) * 3.14159265358979323846264L / 180;
    return turn(s, dw, dh, roundEven(std::cos(rad) * 65536), roundEven(std::sin(rad) * 65536),
                true);
}

inline Picture resizeSmooth(const Picture& s, int dw, int dh)
{
    Picture d(dw, dh);
    const long long xStep = (static_cast<long long>(s.width) * 65536) / dw;
    const long long yStep = (static_cast<long long>(s.height) * 65536) / dh;
    long long y = (yStep >> 1) - 32768;
    for (int row = 0; row < dh; ++row, y += yStep) {
        const long long i0 = y < 0 ? 0 : y >> 16;
        const long long fy = y < 0 ? 0 : y & 65535;
        const long long i1 = i0 < s.height - 1 ? i0 + 1 : i0;
        const long long wy = 65536 - fy;
        long long x = (xStep >> 1) - 32768;
        for (int col = 0; col < dw; ++col, x += xStep) {
            const long long j0 = x < 0 ? 0 : x >> 16;
            const long long fx = x < 0 ? 0 : x & 65535;
            const long long j1 = j0 < s.width - 1 ? j0 + 1 : j0;
            const long long w01 = (wy * fx) >> 16;
            const long long w00 = wy - w01;
            const long long w11 = (fy * fx) >> 16;
            const long long w10 = fy - w11;
            for (int k = 0; k < 3; ++k) {
                const long long v =
                    w00 * s.at(int(i0), int(j0))[k] + w01 * s.at(int(i0), int(j1))[k]
                    + w10 * s.at(int(i1), int(j0))[k] + w11 * s.at(int(i1), int(j1))[k];
                d.at(row, col)[k] = std::uint8_t((v + 32768) >> 16);
            }
        }
    }
    return d;
}

struct Settings {
    double width = 0, height = 0, top = 0, bottom = 0, left = 0, right = 0, angle = 0;
};

/// The processed background of the decoded picture, top row first as an RGB888 image;
/// a null image for an outer size of 0.
inline QImage process(const Picture& decoded, const Settings& s, long double mm)
{
    const int W = int(roundEven(s.width / mm));
    const int H = int(roundEven(s.height / mm));
    const int w = int(roundEven((s.width - (s.left + s.right)) / mm));
    const int h = int(roundEven((s.height - (s.top + s.bottom)) / mm));
    const int dx = int(roundEven(s.left / mm));
    const int dy = int(roundEven(s.top / mm));
    if (W <= 0 || H <= 0)
        return QImage();
    Picture a = decoded;
    invert(a);
    const long long t = std::llrint(s.angle * 10.0);
    Picture b;
    if (t == 0 || t == 1 || t == 3599)
        b = a;
    else if (t >= 899 && t <= 901)
        b = turn(a, a.height, a.width, 0, 65536, false);
    else if (t >= 1799 && t <= 1801)
        b = turn(a, a.width, a.height, -65536, 0, false);
    else if (t >= 2699 && t <= 2701)
        b = turn(a, a.height, a.width, 0, -65536, false);
    else
        b = turnSmooth(a, double((t + 3600) % 3600) / 10.0);
    Picture c(W, H);
    if (w > 0 && h > 0) {
        const Picture inner = b.width == w && b.height == h ? b : resizeSmooth(b, w, h);
        for (int top = 0; top < h; ++top) {
            for (int x = 0; x < w; ++x) {
                const int X = dx + x;
                const int Y = dy + top;
                if (X < 0 || X >= W || Y < 0 || Y >= H)
                    continue;
                const std::uint8_t* from = inner.at(h - 1 - top, x);
                std::uint8_t* to = c.at(H - 1 - Y, X);
                to[0] = from[0];
                to[1] = from[1];
                to[2] = from[2];
            }
        }
    }
    invert(c);
    return toImage(c);
}

} // namespace BackgroundModel
