// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/raster/JpegPageEncoder.h"

#include "core/raster/JpegImage.h"
#include "core/raster/JpegLib.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace Quillet {

namespace {

constexpr int Mcu = 16;          // 4:2:0: an MCU is 16 × 16 pixels
constexpr int Components = 3;    // Y, Cb, Cr
constexpr int StripAcross = 64;  // MCUs side by side in a strip of inner MCUs
constexpr double WholeShare = 0.6; // past this share of changed MCUs the page goes whole

struct Component {
    int h = 1; // blocks per MCU across and down
    int v = 1;
    int blocksAcross = 0;
    int blocksDown = 0;
};

JBLOCKROW blockRow(jpeg_decompress_struct& decoder, jvirt_barray_ptr array, int row,
                   bool writable)
{
    return decoder.mem->access_virt_barray(reinterpret_cast<j_common_ptr>(&decoder), array,
                                           JDIMENSION(row), 1, writable ? TRUE : FALSE)[0];
}

// Starts `decoder` on `bytes` and reads all its coefficients; null (the decoder gone) when
// it fails. The decoder keeps the arrays until it is destroyed.
jvirt_barray_ptr* readCoefficients(jpeg_decompress_struct& decoder,
                                   JpegLib::ErrorManager& errors, const QByteArray& bytes)
{
    decoder.err = &errors.pub;
    JpegLib::setUpErrors(errors);
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&decoder);
        return nullptr;
    }
    jpeg_create_decompress(&decoder);
    jpeg_mem_src(&decoder, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&decoder, TRUE);
    jvirt_barray_ptr* arrays = jpeg_read_coefficients(&decoder);
    if (decoder.num_components != Components || errors.truncated) {
        jpeg_destroy_decompress(&decoder);
        return nullptr;
    }
    return arrays;
}

J_COLOR_SPACE pageLayout()
{
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN)
        return JCS_EXT_BGRX;
    else
        return JCS_EXT_XRGB;
}

} // namespace

struct JpegPageReference::Data {
    QImage picture;
    int quality = 90;
    int dpi = 0;
    int mcusAcross = 0;
    int mcusDown = 0;
    QByteArray jpeg; // the picture encoded, for each encoder to read its own coefficients
    std::array<Component, Components> components;
    std::array<std::vector<JCOEF>, Components> blocks; // row by row, blocksAcross a row
};

namespace {

// Copies the coefficients `decoder` read into `data`; false on a libjpeg error.
bool keepBlocks(JpegPageReference::Data& data, jpeg_decompress_struct& decoder,
                JpegLib::ErrorManager& errors, jvirt_barray_ptr* arrays)
{
    if (setjmp(errors.jump) != 0)
        return false;
    for (int c = 0; c < Components; ++c) {
        const Component& component = data.components[size_t(c)];
        std::vector<JCOEF>& blocks = data.blocks[size_t(c)];
        blocks.resize(size_t(component.blocksAcross) * size_t(component.blocksDown) * DCTSIZE2);
        for (int row = 0; row < component.blocksDown; ++row) {
            std::memcpy(&blocks[size_t(row) * size_t(component.blocksAcross) * DCTSIZE2],
                        blockRow(decoder, arrays[c], row, false),
                        sizeof(JBLOCK) * size_t(component.blocksAcross));
        }
    }
    return true;
}

} // namespace

JpegPageReference::JpegPageReference(std::unique_ptr<Data> data) : m_data(std::move(data)) {}
JpegPageReference::~JpegPageReference() = default;

std::shared_ptr<const JpegPageReference> JpegPageReference::make(const QImage& picture,
                                                                 int quality, int dpi)
{
    if (picture.isNull() || picture.format() != QImage::Format_RGB32)
        return nullptr;
    auto data = std::make_unique<Data>();
    data->picture = picture;
    data->quality = quality;
    data->dpi = dpi;
    data->mcusAcross = (picture.width() + Mcu - 1) / Mcu;
    data->mcusDown = (picture.height() + Mcu - 1) / Mcu;
    if (!encodeJpeg(picture, quality, data->jpeg, dpi))
        return nullptr;
    jpeg_decompress_struct decoder;
    JpegLib::ErrorManager errors;
    jvirt_barray_ptr* arrays = readCoefficients(decoder, errors, data->jpeg);
    if (!arrays)
        return nullptr;
    bool fits = true;
    for (int c = 0; c < Components; ++c) {
        const jpeg_component_info& info = decoder.comp_info[c];
        Component& component = data->components[size_t(c)];
        component.h = info.h_samp_factor;
        component.v = info.v_samp_factor;
        component.blocksAcross = data->mcusAcross * component.h;
        component.blocksDown = data->mcusDown * component.v;
        // The layout this class assumes: 2 × 2 luma blocks and one of each chroma per MCU.
        fits = fits && component.h == (c == 0 ? 2 : 1) && component.v == component.h;
    }
    fits = fits && keepBlocks(*data, decoder, errors, arrays);
    jpeg_destroy_decompress(&decoder);
    if (!fits)
        return nullptr;
    return std::shared_ptr<const JpegPageReference>(new JpegPageReference(std::move(data)));
}

struct JpegPageEncoder::Working {
    jpeg_decompress_struct decoder; // owns `arrays`: the reference with the last page's MCUs
    JpegLib::ErrorManager errors;
    jvirt_barray_ptr* arrays = nullptr;
    std::vector<int> patched; // MCUs (row * across + column) that differ from the reference
    std::vector<int> changed;
    std::vector<char> marks;
    QByteArray strip;
    ~Working()
    {
        if (arrays)
            jpeg_destroy_decompress(&decoder);
    }
};

namespace {

using Data = JpegPageReference::Data;

// Puts the reference's blocks back into `arrays` for the MCUs `mcus`; false on a libjpeg
// error.
bool restore(const Data& data, jpeg_decompress_struct& decoder, JpegLib::ErrorManager& errors,
             jvirt_barray_ptr* arrays, const std::vector<int>& mcus)
{
    if (setjmp(errors.jump) != 0)
        return false;
    for (int c = 0; c < Components; ++c) {
        const Component& k = data.components[size_t(c)];
        for (const int mcu : mcus) {
            const int mx = mcu % data.mcusAcross;
            const int my = mcu / data.mcusAcross;
            for (int by = 0; by < k.v; ++by) {
                const int row = my * k.v + by;
                JBLOCKROW target = blockRow(decoder, arrays[c], row, true);
                std::memcpy(target + mx * k.h,
                            &data.blocks[size_t(c)][(size_t(row) * size_t(k.blocksAcross)
                                                     + size_t(mx * k.h))
                                                    * DCTSIZE2],
                            sizeof(JBLOCK) * size_t(k.h));
            }
        }
    }
    return true;
}

// Copies the blocks of the strip's tiles (`across` to a row) to their MCUs in `arrays`;
// false on a libjpeg error of either decoder.
bool copyTiles(const Data& data, const std::vector<int>& mcus, int across,
               jpeg_decompress_struct& decoder, JpegLib::ErrorManager& errors,
               jvirt_barray_ptr* tiles, jpeg_decompress_struct& target,
               JpegLib::ErrorManager& targetErrors, jvirt_barray_ptr* arrays)
{
    if (setjmp(errors.jump) != 0)
        return false;
    if (setjmp(targetErrors.jump) != 0)
        return false;
    for (int c = 0; c < Components; ++c) {
        const Component& k = data.components[size_t(c)];
        for (size_t i = 0; i < mcus.size(); ++i) {
            const int mx = mcus[i] % data.mcusAcross;
            const int my = mcus[i] / data.mcusAcross;
            const int tx = int(i) % across;
            const int ty = int(i) / across;
            for (int by = 0; by < k.v; ++by) {
                JBLOCKROW from = blockRow(decoder, tiles[c], ty * k.v + by, false);
                JBLOCKROW to = blockRow(target, arrays[c], my * k.v + by, true);
                std::memcpy(to + mx * k.h, from + tx * k.h, sizeof(JBLOCK) * size_t(k.h));
            }
        }
    }
    return true;
}

// Encodes the given MCUs of `page`, all of one size (`tileWidth` × `tileHeight` pixels:
// 16 × 16 inside, less on the right and bottom edges), as one small picture, and copies
// their coefficients into `arrays`. Edge MCUs keep the page's edge, so the encoder pads
// them as it pads the page.
bool patchTiles(const Data& data, const QImage& page, const std::vector<int>& mcus,
                int tileWidth, int tileHeight, QByteArray& scratch,
                jpeg_decompress_struct& target, JpegLib::ErrorManager& targetErrors,
                jvirt_barray_ptr* arrays)
{
    if (mcus.empty())
        return true;
    const int n = int(mcus.size());
    const int across = tileHeight < Mcu ? n : tileWidth < Mcu ? 1 : std::min(n, StripAcross);
    const int down = (n + across - 1) / across;
    QImage strip((across - 1) * Mcu + tileWidth, (down - 1) * Mcu + tileHeight,
                 QImage::Format_RGB32);
    if (strip.isNull())
        return false;
    if (across * down > n)
        strip.fill(Qt::white);
    for (int i = 0; i < n; ++i) {
        const int mx = mcus[size_t(i)] % data.mcusAcross;
        const int my = mcus[size_t(i)] / data.mcusAcross;
        for (int y = 0; y < tileHeight; ++y) {
            std::memcpy(strip.scanLine((i / across) * Mcu + y) + (i % across) * Mcu * 4,
                        page.constScanLine(my * Mcu + y) + mx * Mcu * 4,
                        size_t(tileWidth) * 4);
        }
    }
    if (!encodeJpeg(strip, data.quality, scratch))
        return false;
    jpeg_decompress_struct decoder;
    JpegLib::ErrorManager errors;
    jvirt_barray_ptr* tiles = readCoefficients(decoder, errors, scratch);
    if (!tiles)
        return false;
    const bool copied = copyTiles(data, mcus, across, decoder, errors, tiles, target,
                                  targetErrors, arrays);
    jpeg_destroy_decompress(&decoder);
    return copied;
}

bool writeCoefficients(const Data& data, jvirt_barray_ptr* arrays, QByteArray& out)
{
    jpeg_compress_struct encoder;
    JpegLib::ErrorManager errors;
    JpegLib::ByteArrayDestination destination;
    encoder.err = &errors.pub;
    JpegLib::setUpErrors(errors);
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_compress(&encoder);
        return false;
    }
    jpeg_create_compress(&encoder);
    JpegLib::useDestination(encoder, destination, out);
    JpegLib::setUpEncoder(encoder, data.picture.width(), data.picture.height(), data.quality,
                          data.dpi, pageLayout(), 4);
    jpeg_write_coefficients(&encoder, arrays);
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    return true;
}

} // namespace

JpegPageEncoder::JpegPageEncoder(std::shared_ptr<const JpegPageReference> reference)
    : m_reference(std::move(reference)), m_working(std::make_unique<Working>())
{
    if (m_reference) {
        m_working->arrays = readCoefficients(m_working->decoder, m_working->errors,
                                             m_reference->data().jpeg);
    }
}

JpegPageEncoder::~JpegPageEncoder() = default;

int JpegPageEncoder::totalBlocks() const
{
    return m_reference ? m_reference->data().mcusAcross * m_reference->data().mcusDown : 0;
}

bool JpegPageEncoder::encode(const QImage& page, QByteArray& out)
{
    m_changed = 0;
    if (!m_reference)
        return encodeJpeg(page, 90, out);
    const Data& data = m_reference->data();
    const QImage& picture = data.picture;
    Working& w = *m_working;
    if (!w.arrays || page.format() != picture.format() || page.size() != picture.size())
        return encodeJpeg(page, data.quality, out, data.dpi);

    // The MCUs where the page differs from the reference, row by row.
    const int width = picture.width();
    const int height = picture.height();
    const size_t rowBytes = size_t(width) * 4;
    w.changed.clear();
    w.marks.assign(size_t(data.mcusAcross), 0);
    for (int my = 0; my < data.mcusDown; ++my) {
        std::fill(w.marks.begin(), w.marks.end(), 0);
        for (int y = my * Mcu; y < std::min(height, (my + 1) * Mcu); ++y) {
            const uchar* a = page.constScanLine(y);
            const uchar* b = picture.constScanLine(y);
            if (std::memcmp(a, b, rowBytes) == 0)
                continue;
            for (int mx = 0; mx < data.mcusAcross; ++mx) {
                const size_t at = size_t(mx) * Mcu * 4;
                if (!w.marks[size_t(mx)]
                    && std::memcmp(a + at, b + at, std::min<size_t>(Mcu * 4, rowBytes - at)))
                    w.marks[size_t(mx)] = 1;
            }
        }
        for (int mx = 0; mx < data.mcusAcross; ++mx) {
            if (w.marks[size_t(mx)])
                w.changed.push_back(my * data.mcusAcross + mx);
        }
    }
    if (double(w.changed.size()) > WholeShare * totalBlocks())
        return encodeJpeg(page, data.quality, out, data.dpi);

    // Back to the reference where the last page differed, then this page's MCUs, grouped
    // by their size (inner, right edge, bottom edge, corner).
    if (!restore(data, w.decoder, w.errors, w.arrays, w.patched))
        return encodeJpeg(page, data.quality, out, data.dpi);
    w.patched.clear();
    const int lastWidth = width - (data.mcusAcross - 1) * Mcu;
    const int lastHeight = height - (data.mcusDown - 1) * Mcu;
    std::array<std::vector<int>, 4> groups;
    for (const int mcu : w.changed) {
        const bool right = mcu % data.mcusAcross == data.mcusAcross - 1;
        const bool bottom = mcu / data.mcusAcross == data.mcusDown - 1;
        groups[size_t((right ? 1 : 0) + (bottom ? 2 : 0))].push_back(mcu);
    }
    bool patchedAll = true;
    for (size_t g = 0; g < groups.size() && patchedAll; ++g) {
        patchedAll = patchTiles(data, page, groups[g], (g & 1) ? lastWidth : Mcu,
                                (g & 2) ? lastHeight : Mcu, w.strip, w.decoder, w.errors,
                                w.arrays);
    }
    // Whatever was written, these MCUs are the reference's no longer.
    w.patched = w.changed;
    if (!patchedAll || !writeCoefficients(data, w.arrays, out))
        return encodeJpeg(page, data.quality, out, data.dpi);
    m_changed = int(w.changed.size());
    return true;
}

} // namespace Quillet
