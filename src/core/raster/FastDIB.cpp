// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/raster/FastDIB.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace Quillet {

/// Pixel memory, row table and lookup tables shared by every raster holding them.
struct PixelStore {
    std::uint8_t* memory = nullptr;
    std::vector<std::uint8_t*> rows;
    int sharedCount = 1;
    std::unique_ptr<std::uint8_t[]> to24;    // 65536 × B, G, R
    std::unique_ptr<std::uint16_t[]> from24; // 3 × 256: blue, green, red parts

    ~PixelStore() { std::free(memory); }
};

namespace {

// Slack after the last row lets the resamplers load whole 32-bit words at any pixel.
constexpr std::size_t AllocationSlack = 64;
// Beyond this the raster is refused rather than risking a size overflow anywhere.
constexpr long long MaxImageBytes = 0x7fff0000LL;

int maskWidth(std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    const int low = __builtin_ctz(mask);
    const int high = 31 - __builtin_clz(mask);
    return high - low + 1;
}

int complementOf(int size)
{
    return size > 7 ? 0 : 8 - size;
}

std::uint8_t widen(std::uint32_t v, int bits)
{
    switch (bits) {
    case 1:
        return v != 0 ? 255 : 0;
    case 2:
        return std::uint8_t(v << 6 | v << 4 | v << 2 | v);
    case 3:
        return std::uint8_t(v << 5 | v << 2 | v >> 1);
    case 4:
        return std::uint8_t(v << 4 | v);
    case 5:
        return std::uint8_t(v << 3 | v >> 2);
    case 6:
        return std::uint8_t(v << 2 | v >> 4);
    case 7:
        return std::uint8_t(v << 1 | v >> 6);
    default:
        return std::uint8_t(v);
    }
}

bool validDepth(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

PixelBGR ColorToBGR(std::uint32_t color)
{
    return PixelBGR{std::uint8_t(color >> 16), std::uint8_t(color >> 8), std::uint8_t(color)};
}

std::uint32_t bgrToColor(PixelBGR pixel)
{
    return std::uint32_t(pixel.red) | std::uint32_t(pixel.green) << 8
           | std::uint32_t(pixel.blue) << 16;
}

std::uint32_t DibHeader::mask(int k) const
{
    std::uint32_t value;
    std::memcpy(&value, &colors[k], 4);
    return value;
}

void DibHeader::setMasks(std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    std::memcpy(static_cast<void*>(&colors[0]), &red, 4);
    std::memcpy(static_cast<void*>(&colors[1]), &green, 4);
    std::memcpy(static_cast<void*>(&colors[2]), &blue, 4);
}

TFastDIB::TFastDIB()
{
    m_colors = m_header.colors;
}

TFastDIB::~TFastDIB()
{
    clear();
}

void TFastDIB::clear()
{
    if (m_store != nullptr && --m_store->sharedCount == 0)
        delete m_store;
    m_store = nullptr;
    m_context = nullptr;
    m_bits = nullptr;
    m_rows = nullptr;
    m_stride = m_absHeight = m_gap = m_bytesPerPixel = 0;
    m_header.width = m_header.height = 0;
    m_header.bitCount = 0;
    m_header.sizeImage = 0;
    m_ownsContext = m_ownsMemory = m_ownsSurface = false;
}

int TFastDIB::sharedCount() const
{
    return m_store != nullptr ? m_store->sharedCount : 0;
}

bool TFastDIB::SetSize(int width, int height, int bits)
{
    if (bits == 0)
        bits = 32; // the screen: 32 bits 8-8-8, no bit fields
    DibHeader header = m_header;
    header.width = width;
    header.height = height;
    header.bitCount = std::uint16_t(bits);
    header.compression = DibHeader::Plain;
    const int size = bits == 16 ? 5 : 8;
    return allocate(header, size, size, size);
}

bool TFastDIB::SetSizeFromHeader(const DibHeader& source)
{
    DibHeader header = m_header;
    header.width = source.width;
    header.height = source.height;
    header.bitCount = source.bitCount == 0 ? 32 : source.bitCount;
    header.compression = DibHeader::Plain;
    header.clrUsed = source.clrUsed;
    header.clrImportant = source.clrImportant;
    if (header.bitCount <= 8)
        std::memcpy(header.colors, source.colors, sizeof header.colors);
    int blue = header.bitCount == 16 ? 5 : 8;
    int green = blue;
    int red = blue;
    if (source.compression == DibHeader::BitFields
        && (header.bitCount == 16 || header.bitCount == 32)) {
        header.setMasks(source.mask(0), source.mask(1), source.mask(2));
        header.compression = DibHeader::BitFields;
        red = maskWidth(source.mask(0));
        green = maskWidth(source.mask(1));
        blue = maskWidth(source.mask(2));
    }
    return allocate(header, blue, green, red);
}

bool TFastDIB::allocate(const DibHeader& header, int blueSize, int greenSize, int redSize)
{
    const int bits = header.bitCount;
    if (!validDepth(bits) || header.width < 0 || header.height == INT_MIN) {
        clear();
        return false;
    }
    // A colour table travels with the header even when the pixels are kept.
    std::memcpy(m_header.colors, header.colors, sizeof header.colors);
    if (m_ownsContext && header.width == m_header.width && header.height == m_header.height
        && bits == m_header.bitCount && blueSize == m_blueSize && greenSize == m_greenSize
        && redSize == m_redSize && header.compression == m_header.compression)
        return true;

    const long long stride = ((static_cast<long long>(header.width) * bits + 31) / 32) * 4;
    const long long absHeight =
        header.height < 0 ? -static_cast<long long>(header.height) : header.height;
    clear();
    // Divide rather than multiply first: a wide row times a tall raster overflows 64 bits.
    if (stride > MaxImageBytes || (stride > 0 && absHeight > MaxImageBytes / stride))
        return false;
    const long long bytes = stride * absHeight;
    auto* store = new (std::nothrow) PixelStore;
    if (store == nullptr)
        return false;
    store->memory =
        static_cast<std::uint8_t*>(std::calloc(std::size_t(bytes) + AllocationSlack, 1));
    if (store->memory == nullptr) {
        delete store;
        return false;
    }
    store->rows.resize(std::size_t(absHeight));
    for (long long i = 0; i < absHeight; ++i)
        store->rows[std::size_t(i)] = store->memory + i * stride;

    m_header = header;
    m_header.size = 40;
    m_header.planes = 1;
    m_header.sizeImage = std::uint32_t(bytes);
    m_header.xPelsPerMeter = m_header.yPelsPerMeter = 0;
    m_stride = int(stride);
    m_absHeight = int(absHeight);
    m_gap = int(stride
                - (bits < 8 ? (static_cast<long long>(bits) * header.width + 7) / 8
                            : static_cast<long long>(bits) * header.width / 8));
    m_bytesPerPixel = bits / 8;
    m_blueSize = blueSize;
    m_greenSize = greenSize;
    m_redSize = redSize;
    m_blueComplement = complementOf(blueSize);
    m_greenComplement = complementOf(greenSize);
    m_redComplement = complementOf(redSize);
    m_blueShift = 0;
    m_greenShift = blueSize;
    m_redShift = blueSize + greenSize;
    if (header.compression == DibHeader::BitFields) {
        m_redMask = header.mask(0);
        m_greenMask = header.mask(1);
        m_blueMask = header.mask(2);
    } else {
        m_blueMask = ((1u << blueSize) - 1) << m_blueShift;
        m_greenMask = ((1u << greenSize) - 1) << m_greenShift;
        m_redMask = ((1u << redSize) - 1) << m_redShift;
    }
    m_store = store;
    m_bits = store->memory;
    m_rows = store->rows.data();
    m_colors = m_header.colors;
    m_context = store;
    m_ownsContext = m_ownsMemory = m_ownsSurface = true;
    return true;
}

void TFastDIB::copyMembersFrom(const TFastDIB& other)
{
    m_context = other.m_context;
    m_font = other.m_font;
    m_pen = other.m_pen;
    m_brush = other.m_brush;
    m_store = other.m_store;
    m_stride = other.m_stride;
    m_absHeight = other.m_absHeight;
    m_gap = other.m_gap;
    m_bits = other.m_bits;
    m_header = other.m_header;
    m_colors = m_header.colors;
    m_bytesPerPixel = other.m_bytesPerPixel;
    m_blueSize = other.m_blueSize;
    m_greenSize = other.m_greenSize;
    m_redSize = other.m_redSize;
    m_blueComplement = other.m_blueComplement;
    m_greenComplement = other.m_greenComplement;
    m_redComplement = other.m_redComplement;
    m_blueShift = other.m_blueShift;
    m_greenShift = other.m_greenShift;
    m_redShift = other.m_redShift;
    m_blueMask = other.m_blueMask;
    m_greenMask = other.m_greenMask;
    m_redMask = other.m_redMask;
    m_rows = other.m_rows;
    m_usesSurface = other.m_usesSurface;
    m_ownsContext = other.m_ownsContext;
    m_ownsMemory = other.m_ownsMemory;
    m_ownsSurface = other.m_ownsSurface;
}

void TFastDIB::ShareFrom(TFastDIB& source)
{
    if (&source == this)
        return;
    clear();
    copyMembersFrom(source);
    if (m_store != nullptr)
        ++m_store->sharedCount;
}

void TFastDIB::ShareFrom(TFastDIB* source, bool destroySource)
{
    if (source == nullptr || source == this)
        return;
    ShareFrom(*source);
    if (destroySource)
        delete source;
}

PixelBGR TFastDIB::PixelAt(int row, int column) const
{
    const std::uint8_t* line = m_rows[row];
    switch (m_header.bitCount) {
    case 24: {
        const std::uint8_t* p = line + column * 3;
        return PixelBGR{p[0], p[1], p[2]};
    }
    case 32:
        if (!hasBitFields()) {
            const std::uint8_t* p = line + column * 4;
            return PixelBGR{p[0], p[1], p[2]};
        }
        [[fallthrough]];
    case 16: {
        std::uint32_t v;
        if (m_header.bitCount == 16)
            v = std::uint32_t(line[column * 2]) | std::uint32_t(line[column * 2 + 1]) << 8;
        else
            std::memcpy(&v, line + column * 4, 4);
        return PixelBGR{widen((v & m_blueMask) >> m_blueShift, m_blueSize),
                        widen((v & m_greenMask) >> m_greenShift, m_greenSize),
                        widen((v & m_redMask) >> m_redShift, m_redSize)};
    }
    case 8: {
        const DibColor& c = m_colors[line[column]];
        return PixelBGR{c.blue, c.green, c.red};
    }
    case 4: {
        const int index = (line[column >> 1] >> ((column & 1) != 0 ? 0 : 4)) & 15;
        return PixelBGR{m_colors[index].blue, m_colors[index].green, m_colors[index].red};
    }
    case 1: {
        const int index = (line[column >> 3] >> (7 - (column & 7))) & 1;
        return PixelBGR{m_colors[index].blue, m_colors[index].green, m_colors[index].red};
    }
    default:
        return PixelBGR{};
    }
}

const std::uint8_t* TFastDIB::table16To24() const
{
    if (m_store == nullptr)
        return nullptr;
    if (!m_store->to24) {
        auto table = std::make_unique<std::uint8_t[]>(65536 * 3);
        const unsigned k = m_greenSize == 6 ? 3 : 6;
        for (unsigned p = 0; p < 65536; ++p) {
            table[p * 3] = std::uint8_t(std::min(255u, ((p << m_blueComplement) & 255) + k));
            table[p * 3 + 1] = std::uint8_t(
                std::min(255u, (((p >> m_greenShift) << m_greenComplement) & 255) + k));
            table[p * 3 + 2] =
                std::uint8_t(std::min(255u, (((p >> m_redShift) << m_redComplement) & 255) + k));
        }
        m_store->to24 = std::move(table);
    }
    return m_store->to24.get();
}

std::uint32_t TFastDIB::encodeColor(PixelBGR color) const
{
    if (m_store != nullptr && !m_store->from24) {
        auto table = std::make_unique<std::uint16_t[]>(3 * 256);
        for (unsigned x = 0; x < 256; ++x) {
            table[x] = std::uint16_t((x >> m_blueComplement) << m_blueShift);
            table[256 + x] = std::uint16_t((x >> m_greenComplement) << m_greenShift);
            table[512 + x] = std::uint16_t((x >> m_redComplement) << m_redShift);
        }
        m_store->from24 = std::move(table);
    }
    if (m_header.bitCount == 16)
        return std::uint32_t(m_store->from24[color.blue]) | m_store->from24[256 + color.green]
               | m_store->from24[512 + color.red];
    return (std::uint32_t(color.blue) >> m_blueComplement) << m_blueShift
           | (std::uint32_t(color.green) >> m_greenComplement) << m_greenShift
           | (std::uint32_t(color.red) >> m_redComplement) << m_redShift;
}

int TFastDIB::nearestIndex(PixelBGR color) const
{
    const int entries = 1 << std::min(8, int(m_header.bitCount));
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < entries; ++i) {
        const DibColor& c = m_colors[i];
        const int distance = std::abs(c.blue - color.blue) + std::abs(c.green - color.green)
                             + std::abs(c.red - color.red);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

void TFastDIB::storePixel(int row, int column, PixelBGR color)
{
    std::uint8_t* line = m_rows[row];
    switch (m_header.bitCount) {
    case 24:
        line[column * 3] = color.blue;
        line[column * 3 + 1] = color.green;
        line[column * 3 + 2] = color.red;
        break;
    case 32: {
        const std::uint32_t v = encodeColor(color);
        std::memcpy(line + column * 4, &v, 4);
        break;
    }
    case 16: {
        const std::uint32_t v = encodeColor(color);
        line[column * 2] = std::uint8_t(v);
        line[column * 2 + 1] = std::uint8_t(v >> 8);
        break;
    }
    case 8:
        line[column] = std::uint8_t(nearestIndex(color));
        break;
    case 4: {
        const int shift = (column & 1) != 0 ? 0 : 4;
        std::uint8_t& byte = line[column >> 1];
        byte = std::uint8_t((byte & ~(15 << shift)) | nearestIndex(color) << shift);
        break;
    }
    case 1: {
        const int shift = 7 - (column & 7);
        std::uint8_t& byte = line[column >> 3];
        byte = std::uint8_t((byte & ~(1 << shift)) | nearestIndex(color) << shift);
        break;
    }
    default:
        break;
    }
}

void TFastDIB::FillColor(PixelBGR color)
{
    if (isEmpty() || width() == 0 || m_absHeight == 0)
        return;
    // The first row is built pixel by pixel, every other row is a copy of its pixel bytes.
    if (m_header.bitCount == 8) {
        std::memset(m_rows[0], nearestIndex(color), std::size_t(width()));
    } else {
        for (int x = 0; x < width(); ++x)
            storePixel(0, x, color);
    }
    const std::size_t bytes = std::size_t(m_stride - m_gap);
    for (int y = 1; y < m_absHeight; ++y) {
        if (m_header.bitCount < 8) {
            // The last byte of a row may share bits with the padding: keep those.
            std::memcpy(m_rows[y], m_rows[0], bytes - 1);
            for (int x = int(bytes - 1) * 8 / m_header.bitCount; x < width(); ++x)
                storePixel(y, x, color);
        } else {
            std::memcpy(m_rows[y], m_rows[0], bytes);
        }
    }
}

void TFastDIB::CopyRectFrom(const TFastDIB& source, int dx, int dy, int w, int h, int sx, int sy)
{
    if (isEmpty() || source.isEmpty())
        return;
    // Wider arithmetic keeps absurd arguments from overflowing; the results are the same
    // as the 32-bit ones for every sensible call.
    long long ldx = dx, ldy = dy, lw = w, lh = h, lsx = sx, lsy = sy;
    if (height() > 0)
        ldy = static_cast<long long>(m_absHeight) - h - ldy;
    if (source.height() > 0)
        lsy = static_cast<long long>(source.m_absHeight) - h - lsy;
    if (ldx < 0) {
        lsx -= ldx;
        lw += ldx;
        ldx = 0;
    }
    if (ldy < 0) {
        lsy -= ldy;
        lh += ldy;
        ldy = 0;
    }
    if (lsx < 0) {
        ldx -= lsx;
        lw += lsx;
        lsx = 0;
    }
    if (lsy < 0) {
        ldy -= lsy;
        lh += lsy;
        lsy = 0;
    }
    if (lsx >= source.width() || lsy >= source.m_absHeight || ldx >= width() || ldy >= m_absHeight)
        return;
    lw = std::min({lw, source.width() - lsx, width() - ldx});
    lh = std::min({lh, source.m_absHeight - lsy, m_absHeight - ldy});
    if (lw <= 0 || lh <= 0)
        return;
    if (bitsPerPixel() == source.bitsPerPixel() && bitsPerPixel() >= 8) {
        const std::size_t bpp = std::size_t(m_bytesPerPixel);
        for (long long j = 0; j < lh; ++j)
            std::memmove(m_rows[ldy + j] + ldx * bpp, source.m_rows[lsy + j] + lsx * bpp,
                         std::size_t(lw) * bpp);
        return;
    }
    for (long long j = 0; j < lh; ++j)
        for (long long i = 0; i < lw; ++i)
            storePixel(int(ldy + j), int(ldx + i), source.PixelAt(int(lsy + j), int(lsx + i)));
}

void TFastDIB::InvertBytes()
{
    if (isEmpty())
        return;
    const std::size_t bytes = std::size_t(m_stride) * std::size_t(m_absHeight);
    std::uint8_t* p = m_bits;
    for (std::size_t i = 0; i < bytes; ++i)
        p[i] = std::uint8_t(~p[i]);
}

void TFastDIB::ConvertDepth(int bits)
{
    if (bits == 0)
        bits = 32;
    if (bits == bitsPerPixel() || isEmpty())
        return;
    auto* fresh = new TFastDIB;
    if (!fresh->SetSize(width(), height(), bits)) {
        delete fresh;
        return;
    }
    const int w = width();
    if (bits == 24 && bitsPerPixel() == 16) {
        const std::uint8_t* table = table16To24();
        for (int y = 0; y < m_absHeight; ++y) {
            const std::uint8_t* s = m_rows[y];
            std::uint8_t* d = fresh->m_rows[y];
            for (int x = 0; x < w; ++x) {
                const unsigned p = unsigned(s[x * 2]) | unsigned(s[x * 2 + 1]) << 8;
                std::memcpy(d + x * 3, table + p * 3, 3);
            }
        }
    } else if (bits == 24 && bitsPerPixel() == 32 && !hasBitFields()) {
        for (int y = 0; y < m_absHeight; ++y) {
            const std::uint8_t* s = m_rows[y];
            std::uint8_t* d = fresh->m_rows[y];
            for (int x = 0; x < w; ++x) {
                d[x * 3] = s[x * 4];
                d[x * 3 + 1] = s[x * 4 + 1];
                d[x * 3 + 2] = s[x * 4 + 2];
            }
        }
    } else if (bits == 24 && bitsPerPixel() == 8) {
        std::uint8_t palette[256 * 3];
        for (int i = 0; i < 256; ++i) {
            palette[i * 3] = m_colors[i].blue;
            palette[i * 3 + 1] = m_colors[i].green;
            palette[i * 3 + 2] = m_colors[i].red;
        }
        for (int y = 0; y < m_absHeight; ++y) {
            const std::uint8_t* s = m_rows[y];
            std::uint8_t* d = fresh->m_rows[y];
            for (int x = 0; x < w; ++x)
                std::memcpy(d + x * 3, palette + s[x] * 3, 3);
        }
    } else {
        // 1 and 4 bits (colour-table entries), 32-bit bit fields and the targets the
        // program never asks for go through the general pixel path.
        for (int y = 0; y < m_absHeight; ++y)
            for (int x = 0; x < w; ++x)
                fresh->storePixel(y, x, PixelAt(y, x));
    }
    ShareFrom(fresh, true);
}

} // namespace Quillet
