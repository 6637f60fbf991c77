// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/raster/JpegPageEncoder.h"

#include "core/raster/JpegImage.h"
#include "core/raster/JpegLib.h"

// The entropy coder's interface: the encoder hands each MCU's quantised blocks to it, which
// is where the coefficients of tiles are taken without coding them.
#include <jpegint.h>

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace Quillet {

namespace {

constexpr int Mcu = 16;                  // 4:2:0: an MCU is 16 × 16 pixels
constexpr int Components = 3;            // Y, Cb, Cr
constexpr int BlocksPerMcu = 6;          // four luma blocks, then Cb, then Cr
constexpr int McuCoefficients = BlocksPerMcu * DCTSIZE2;
constexpr int StripAcross = 64;          // MCUs side by side in a strip of inner MCUs
constexpr double WholeShare = 0.6;       // past this share of changed MCUs the page goes whole

// Zigzag order: the natural (row-major) index of each coefficient in coding order.
constexpr std::array<std::uint8_t, DCTSIZE2> Zigzag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

/// A Huffman table as the coder uses it: each symbol's code and its length in bits (0 for
/// a symbol the table lacks).
struct HuffmanCodes {
    std::array<std::uint32_t, 256> code{};
    std::array<std::uint8_t, 256> size{};
};

// The canonical codes of a DHT table, as the JPEG standard assigns them (Annex C).
bool deriveCodes(const JHUFF_TBL* table, HuffmanCodes& codes)
{
    if (!table)
        return false;
    std::array<std::uint8_t, 257> sizes{};
    int count = 0;
    for (int length = 1; length <= 16; ++length) {
        for (int i = 0; i < table->bits[length]; ++i) {
            if (count >= 256)
                return false;
            sizes[size_t(count++)] = std::uint8_t(length);
        }
    }
    std::uint32_t code = 0;
    int length = count ? sizes[0] : 0;
    for (int p = 0; p < count; ++length, code <<= 1) {
        for (; p < count && sizes[size_t(p)] == length; ++p, ++code) {
            codes.code[table->huffval[p]] = code;
            codes.size[table->huffval[p]] = std::uint8_t(length);
        }
    }
    return true;
}

/// The tables of the three components, in MCU order.
struct CodeTables {
    std::array<HuffmanCodes, Components> dc;
    std::array<HuffmanCodes, Components> ac;
};

/// Appends bits most significant first. `Stuffed` writes entropy-coded data as it goes in
/// a file (a zero byte after every 0xFF); otherwise the bits are kept bare.
template <bool Stuffed> class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : m_out(out) { m_out.clear(); }

    /// The lowest `count` (0–32) bits of `bits`, the rest of which are zero.
    void put(std::uint32_t bits, int count)
    {
        m_buffer = (m_buffer << count) | bits;
        m_count += count;
        while (m_count >= 8) {
            m_count -= 8;
            const auto byte = std::uint8_t(m_buffer >> m_count);
            m_out.push_back(byte);
            if (Stuffed && byte == 0xFF)
                m_out.push_back(0);
        }
    }

    std::uint64_t bitCount() const { return std::uint64_t(m_out.size()) * 8 + unsigned(m_count); }

    /// Completes the last byte with one bits, as the encoder does at the end of a scan.
    void finish()
    {
        if (m_count > 0)
            put((1U << (8 - m_count)) - 1, 8 - m_count);
    }

private:
    std::vector<std::uint8_t>& m_out;
    std::uint64_t m_buffer = 0;
    int m_count = 0; // bits in m_buffer not yet written, below 8 between calls
};

// Codes one block: the DC difference from the component's last DC, then the AC run
// lengths, as libjpeg's Huffman coder does.
template <bool Stuffed>
void encodeBlock(BitWriter<Stuffed>& out, const JCOEF* block, int& lastDc, const HuffmanCodes& dc,
                 const HuffmanCodes& ac)
{
    int value = block[0] - lastDc;
    lastDc = block[0];
    int bits = value;
    if (value < 0) {
        value = -value;
        --bits;
    }
    int length = value ? 32 - __builtin_clz(unsigned(value)) : 0;
    out.put((dc.code[size_t(length)] << length) | (unsigned(bits) & ((1U << length) - 1)),
            dc.size[size_t(length)] + length);
    int run = 0;
    for (int k = 1; k < DCTSIZE2; ++k) {
        value = block[Zigzag[size_t(k)]];
        if (value == 0) {
            ++run;
            continue;
        }
        for (; run > 15; run -= 16)
            out.put(ac.code[0xF0], ac.size[0xF0]);
        bits = value;
        if (value < 0) {
            value = -value;
            --bits;
        }
        length = 32 - __builtin_clz(unsigned(value));
        const size_t symbol = size_t((run << 4) + length);
        out.put((ac.code[symbol] << length) | (unsigned(bits) & ((1U << length) - 1)),
                ac.size[symbol] + length);
        run = 0;
    }
    if (run > 0)
        out.put(ac.code[0], ac.size[0]);
}

template <bool Stuffed>
void encodeMcu(BitWriter<Stuffed>& out, const JCOEF* mcu, std::array<int, Components>& lastDc,
               const CodeTables& tables)
{
    for (int b = 0; b < BlocksPerMcu; ++b) {
        const int c = b < 4 ? 0 : b - 3;
        encodeBlock(out, mcu + b * DCTSIZE2, lastDc[size_t(c)], tables.dc[size_t(c)],
                    tables.ac[size_t(c)]);
    }
}

// The DCs a coder holds after MCU `mcu` (of coefficients `all`): its last block of each
// component.
std::array<int, Components> dcAfter(const JCOEF* all, size_t mcu)
{
    const JCOEF* m = all + mcu * McuCoefficients;
    return {m[3 * DCTSIZE2], m[4 * DCTSIZE2], m[5 * DCTSIZE2]};
}

// Appends bits [from, to) of the bare bit string `bits` (with 8 bytes to spare at its end).
template <bool Stuffed>
void copyBits(BitWriter<Stuffed>& out, const std::vector<std::uint8_t>& bits, std::uint64_t from,
              std::uint64_t to)
{
    while (from < to) {
        const int count = int(std::min<std::uint64_t>(to - from, 32));
        const std::uint64_t word = qFromBigEndian<std::uint64_t>(&bits[size_t(from >> 3)]);
        out.put(std::uint32_t((word << (from & 7)) >> (64 - count)), count);
        from += std::uint64_t(count);
    }
}

J_COLOR_SPACE pageLayout()
{
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN)
        return JCS_EXT_BGRX;
    else
        return JCS_EXT_XRGB;
}

/// Stands in for the encoder's entropy coder: keeps every MCU's quantised blocks.
struct Capture {
    jpeg_entropy_encoder pub; // first: the encoder calls through it
    std::vector<JCOEF>* out;
};

void captureStart(j_compress_ptr, boolean) {}
void captureFinish(j_compress_ptr) {}

boolean captureMcu(j_compress_ptr encoder, JBLOCKROW* blocks)
{
    std::vector<JCOEF>& out = *reinterpret_cast<Capture*>(encoder->entropy)->out;
    for (int b = 0; b < encoder->blocks_in_MCU; ++b)
        out.insert(out.end(), blocks[b][0], blocks[b][0] + DCTSIZE2);
    return TRUE;
}

// Runs the encoder's transform on `picture` (Format_RGB32) with a page's settings and
// appends the quantised coefficients of its MCUs, in raster order, to `out`. With
// `tables`, also gives the Huffman codes the encoder would use. False on a libjpeg error
// or a sampling other than 4:2:0. Nothing with a destructor lives between setjmp and the
// encoder's end, as longjmp requires.
bool captureCoefficients(const QImage& picture, int quality, std::vector<JCOEF>& out,
                         const std::vector<JSAMPROW>& rows, QByteArray& scratch,
                         CodeTables* tables)
{
    jpeg_compress_struct encoder;
    JpegLib::ErrorManager errors;
    JpegLib::ByteArrayDestination destination;
    Capture capture{{captureStart, captureMcu, captureFinish}, &out};
    encoder.err = &errors.pub;
    JpegLib::setUpErrors(errors);
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_compress(&encoder);
        return false;
    }
    jpeg_create_compress(&encoder);
    JpegLib::useDestination(encoder, destination, scratch);
    JpegLib::setUpEncoder(encoder, picture.width(), picture.height(), quality, 0, pageLayout(), 4);
    jpeg_start_compress(&encoder, TRUE);
    bool fits = encoder.comps_in_scan == Components && encoder.blocks_in_MCU == BlocksPerMcu;
    for (int c = 0; fits && c < Components; ++c) {
        const jpeg_component_info& info = encoder.comp_info[c];
        fits = info.h_samp_factor == (c == 0 ? 2 : 1) && info.v_samp_factor == info.h_samp_factor;
        if (fits && tables) {
            fits = deriveCodes(encoder.dc_huff_tbl_ptrs[info.dc_tbl_no], tables->dc[size_t(c)])
                   && deriveCodes(encoder.ac_huff_tbl_ptrs[info.ac_tbl_no], tables->ac[size_t(c)]);
        }
    }
    if (!fits) {
        jpeg_destroy_compress(&encoder);
        return false;
    }
    encoder.entropy = &capture.pub;
    jpeg_write_scanlines(&encoder, const_cast<JSAMPARRAY>(rows.data()), JDIMENSION(rows.size()));
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    return true;
}

std::vector<JSAMPROW> rowsOf(const QImage& picture)
{
    std::vector<JSAMPROW> rows(size_t(picture.height()));
    for (int y = 0; y < picture.height(); ++y)
        rows[size_t(y)] = const_cast<JSAMPROW>(picture.constScanLine(y));
    return rows;
}

// Where a JPEG file's entropy-coded data begins (just after its SOS segment); 0 when the
// bytes are not a JPEG file that ends in EOI right after them.
qsizetype entropyStart(const QByteArray& jpeg)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(jpeg.constData());
    const qsizetype size = jpeg.size();
    if (size < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8 || bytes[size - 2] != 0xFF
        || bytes[size - 1] != 0xD9)
        return 0;
    for (qsizetype at = 2; at + 4 <= size;) {
        if (bytes[at] != 0xFF)
            return 0;
        const qsizetype next = at + 2 + qsizetype(bytes[at + 2]) * 256 + bytes[at + 3];
        if (bytes[at + 1] == 0xDA)
            return next <= size - 2 ? next : 0;
        at = next;
    }
    return 0;
}

} // namespace

struct JpegPageReference::Data {
    QImage picture;
    int quality = 90;
    int dpi = 0;
    int mcusAcross = 0;
    int mcusDown = 0;
    QByteArray header; // the file up to its entropy-coded data
    CodeTables tables;
    std::vector<JCOEF> coefficients;  // McuCoefficients an MCU, in raster order
    std::vector<std::uint8_t> bits;   // the entropy-coded data without stuffing, 8 bytes spare
    std::vector<std::uint64_t> offsets; // where each MCU's code begins in `bits`, then the end
};

JpegPageReference::JpegPageReference(std::unique_ptr<Data> data) : m_data(std::move(data)) {}
JpegPageReference::~JpegPageReference() = default;

std::shared_ptr<const JpegPageReference> JpegPageReference::make(const QImage& picture,
                                                                 int quality, int dpi)
{
    if (picture.isNull() || picture.format() != QImage::Format_RGB32)
        return nullptr;
    auto data = std::make_unique<Data>();
    Data& d = *data;
    d.picture = picture;
    d.quality = quality;
    d.dpi = dpi;
    d.mcusAcross = (picture.width() + Mcu - 1) / Mcu;
    d.mcusDown = (picture.height() + Mcu - 1) / Mcu;
    const size_t mcus = size_t(d.mcusAcross) * size_t(d.mcusDown);
    QByteArray jpeg;
    if (!encodeJpeg(picture, quality, jpeg, dpi))
        return nullptr;
    const qsizetype start = entropyStart(jpeg);
    QByteArray scratch;
    d.coefficients.reserve(mcus * McuCoefficients);
    if (start == 0
        || !captureCoefficients(picture, quality, d.coefficients, rowsOf(picture), scratch,
                                &d.tables)
        || d.coefficients.size() != mcus * McuCoefficients)
        return nullptr;
    d.header = jpeg.left(start);

    // The picture's code, MCU by MCU, to copy runs of from; written again with stuffing, it
    // must be the encoder's own, or pages go whole.
    d.offsets.resize(mcus + 1);
    {
        BitWriter<false> bare(d.bits);
        std::array<int, Components> lastDc{};
        for (size_t m = 0; m < mcus; ++m) {
            d.offsets[m] = bare.bitCount();
            encodeMcu(bare, &d.coefficients[m * McuCoefficients], lastDc, d.tables);
        }
        d.offsets[mcus] = bare.bitCount();
        if (d.offsets[mcus] % 8)
            bare.put(0, int(8 - d.offsets[mcus] % 8));
    }
    d.bits.resize(d.bits.size() + 8, 0);
    std::vector<std::uint8_t> coded;
    BitWriter<true> check(coded);
    copyBits(check, d.bits, 0, d.offsets[mcus]);
    check.finish();
    const qsizetype codedSize = jpeg.size() - 2 - start;
    if (qsizetype(coded.size()) != codedSize
        || std::memcmp(coded.data(), jpeg.constData() + start, coded.size()) != 0)
        return nullptr;
    return std::shared_ptr<const JpegPageReference>(new JpegPageReference(std::move(data)));
}

namespace {

using Data = JpegPageReference::Data;

// What an encoder keeps from page to page, so that pages allocate nothing.
struct Scratch {
    std::vector<int> changed; // MCUs (row * across + column) that differ from the reference
    std::vector<char> marks;
    std::vector<JCOEF> fresh; // the changed MCUs' coefficients, in the order of `changed`
    std::vector<JCOEF> tiles;
    std::vector<JSAMPROW> rows;
    std::vector<std::uint8_t> coded;
    QImage strip;
    QByteArray scratch;
};

} // namespace

struct JpegPageEncoder::Working : Scratch {};

JpegPageEncoder::JpegPageEncoder(std::shared_ptr<const JpegPageReference> reference)
    : m_reference(std::move(reference)), m_working(std::make_unique<Working>())
{
}

JpegPageEncoder::~JpegPageEncoder() = default;

int JpegPageEncoder::totalBlocks() const
{
    return m_reference ? m_reference->data().mcusAcross * m_reference->data().mcusDown : 0;
}

namespace {

// Transforms the changed MCUs `which` (positions in `changed`) of `page`, all of one size
// (`tileWidth` × `tileHeight` pixels: 16 × 16 inside, less on the right and bottom edges),
// as one small picture, and puts their coefficients into `fresh`. Edge MCUs keep the
// page's edge, so the encoder pads them as it pads the page.
bool transformTiles(const Data& data, const QImage& page, const std::vector<int>& changed,
                    const std::vector<int>& which, int tileWidth, int tileHeight, Scratch& w)
{
    if (which.empty())
        return true;
    const int n = int(which.size());
    const int across = tileHeight < Mcu ? n : tileWidth < Mcu ? 1 : std::min(n, StripAcross);
    const int down = (n + across - 1) / across;
    const QSize size((across - 1) * Mcu + tileWidth, (down - 1) * Mcu + tileHeight);
    if (w.strip.size() != size)
        w.strip = QImage(size, QImage::Format_RGB32);
    if (w.strip.isNull())
        return false;
    if (across * down > n)
        w.strip.fill(Qt::white);
    for (int i = 0; i < n; ++i) {
        const int mcu = changed[size_t(which[size_t(i)])];
        const int mx = mcu % data.mcusAcross;
        const int my = mcu / data.mcusAcross;
        for (int y = 0; y < tileHeight; ++y) {
            std::memcpy(w.strip.scanLine((i / across) * Mcu + y) + (i % across) * Mcu * 4,
                        page.constScanLine(my * Mcu + y) + mx * Mcu * 4, size_t(tileWidth) * 4);
        }
    }
    w.rows.resize(size_t(size.height()));
    for (int y = 0; y < size.height(); ++y)
        w.rows[size_t(y)] = w.strip.scanLine(y);
    w.tiles.clear();
    if (!captureCoefficients(w.strip, data.quality, w.tiles, w.rows, w.scratch, nullptr)
        || w.tiles.size() < size_t(n) * McuCoefficients)
        return false;
    for (int i = 0; i < n; ++i) {
        std::memcpy(&w.fresh[size_t(which[size_t(i)]) * McuCoefficients],
                    &w.tiles[size_t(i) * McuCoefficients], sizeof(JCOEF) * McuCoefficients);
    }
    return true;
}

} // namespace

bool JpegPageEncoder::encode(const QImage& page, QByteArray& out)
{
    m_changed = 0;
    if (!m_reference)
        return encodeJpeg(page, 90, out);
    const Data& data = m_reference->data();
    const QImage& picture = data.picture;
    Working& w = *m_working;
    if (page.format() != picture.format() || page.size() != picture.size())
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
    const size_t total = size_t(totalBlocks());
    if (double(w.changed.size()) > WholeShare * double(total))
        return encodeJpeg(page, data.quality, out, data.dpi);

    // The changed MCUs transformed afresh, grouped by their size (inner, right edge,
    // bottom edge, corner).
    const int lastWidth = width - (data.mcusAcross - 1) * Mcu;
    const int lastHeight = height - (data.mcusDown - 1) * Mcu;
    std::array<std::vector<int>, 4> groups;
    for (size_t i = 0; i < w.changed.size(); ++i) {
        const int mcu = w.changed[i];
        const bool right = mcu % data.mcusAcross == data.mcusAcross - 1;
        const bool bottom = mcu / data.mcusAcross == data.mcusDown - 1;
        groups[size_t((right ? 1 : 0) + (bottom ? 2 : 0))].push_back(int(i));
    }
    w.fresh.resize(w.changed.size() * McuCoefficients);
    for (size_t g = 0; g < groups.size(); ++g) {
        if (!transformTiles(data, page, w.changed, groups[g], (g & 1) ? lastWidth : Mcu,
                            (g & 2) ? lastHeight : Mcu, w))
            return encodeJpeg(page, data.quality, out, data.dpi);
    }

    // The code: runs of unchanged MCUs are copied from the reference's. A run's code holds
    // as it is when the DCs before it are the reference's; after a changed MCU they may
    // not be, and the run's first MCU is coded again, which puts them back.
    BitWriter<true> coded(w.coded);
    const JCOEF* reference = data.coefficients.data();
    std::array<int, Components> lastDc{};
    size_t next = 0; // the first MCU not yet coded
    const auto copyTo = [&](size_t end) {
        if (next >= end)
            return;
        if (lastDc != (next == 0 ? std::array<int, Components>{} : dcAfter(reference, next - 1))) {
            encodeMcu(coded, reference + next * McuCoefficients, lastDc, data.tables);
            ++next;
        }
        if (next < end) {
            copyBits(coded, data.bits, data.offsets[next], data.offsets[end]);
            lastDc = dcAfter(reference, end - 1);
            next = end;
        }
    };
    for (size_t i = 0; i < w.changed.size(); ++i) {
        copyTo(size_t(w.changed[i]));
        encodeMcu(coded, &w.fresh[i * McuCoefficients], lastDc, data.tables);
        next = size_t(w.changed[i]) + 1;
    }
    copyTo(total);
    coded.finish();

    const qsizetype headerSize = data.header.size();
    out.resize(headerSize + qsizetype(w.coded.size()) + 2);
    char* bytes = out.data();
    std::memcpy(bytes, data.header.constData(), size_t(headerSize));
    std::memcpy(bytes + headerSize, w.coded.data(), w.coded.size());
    bytes[out.size() - 2] = char(0xFF);
    bytes[out.size() - 1] = char(0xD9);
    m_changed = int(w.changed.size());
    return true;
}

} // namespace Quillet
