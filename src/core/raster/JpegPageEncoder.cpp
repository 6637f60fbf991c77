// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/raster/JpegPageEncoder.h"

#include "core/raster/JpegImage.h"
#include "core/raster/JpegLib.h"

// The entropy coder's interface: the encoder hands each MCU's quantised blocks to it, which
// is where the coefficients of tiles are taken without coding them.
#include <jpegint.h>

#include <QtEndian>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numeric>
#include <vector>

namespace Quillet {

namespace {

constexpr int Mcu = 16;         // 4:2:0: an MCU is 16 × 16 pixels
constexpr int Components = 3;   // Y, Cb, Cr
constexpr int BlocksPerMcu = 6; // four luma blocks, then Cb, then Cr
constexpr int McuCoefficients = BlocksPerMcu * DCTSIZE2;
constexpr int StripAcross = 64;    // MCUs side by side in a strip of inner MCUs
constexpr double WholeShare = 0.6; // past this share of changed MCUs the page goes whole

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
    explicit BitWriter(std::vector<std::uint8_t>& out) : m_out(out)
    {
        m_out.resize(std::max<size_t>(m_out.capacity(), 1 << 16));
    }
    ~BitWriter() { m_out.resize(m_at); }

    /// The lowest `count` (0–32) bits of `bits`, the rest of which are zero.
    void put(std::uint32_t bits, int count)
    {
        m_buffer = (m_buffer << count) | bits;
        m_count += count;
        if (m_count < 32)
            return;
        // Four bytes at once, unless one needs a stuffed zero after it.
        m_count -= 32;
        const auto word = std::uint32_t(m_buffer >> m_count);
        if (m_out.size() - m_at < 8)
            m_out.resize(m_out.size() * 2);
        if (!Stuffed || ((~word - 0x01010101U) & word & 0x80808080U) == 0) {
            qToBigEndian(word, &m_out[m_at]);
            m_at += 4;
            return;
        }
        for (int shift = 24; shift >= 0; shift -= 8) {
            const auto byte = std::uint8_t(word >> shift);
            m_out[m_at++] = byte;
            if (byte == 0xFF)
                m_out[m_at++] = 0;
        }
    }

    std::uint64_t bitCount() const { return std::uint64_t(m_at) * 8 + unsigned(m_count); }

    /// Writes out the whole bytes held, and completes a last one with one bits, as the
    /// encoder does at the end of a scan (`pad` true), or with zero bits.
    void finish(bool pad)
    {
        const int fill = (8 - m_count % 8) % 8;
        m_buffer = (m_buffer << fill) | (pad ? (1U << fill) - 1 : 0);
        m_count += fill;
        if (m_out.size() - m_at < 16)
            m_out.resize(m_out.size() * 2);
        while (m_count > 0) {
            m_count -= 8;
            const auto byte = std::uint8_t(m_buffer >> m_count);
            m_out[m_at++] = byte;
            if (Stuffed && byte == 0xFF)
                m_out[m_at++] = 0;
        }
    }

private:
    std::vector<std::uint8_t>& m_out; // written up to m_at, cut there when done
    size_t m_at = 0;
    std::uint64_t m_buffer = 0;
    int m_count = 0; // bits in m_buffer not yet written, below 32 between calls
};

// Bit k set where the block (in zigzag order) has a coefficient k other than zero.
std::uint64_t nonZero(const JCOEF* block)
{
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    std::uint64_t zeros = 0;
    for (int i = 0; i < DCTSIZE2; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + i + 8));
        const __m128i bytes = _mm_packs_epi16(_mm_cmpeq_epi16(a, zero), _mm_cmpeq_epi16(b, zero));
        zeros |= std::uint64_t(std::uint16_t(_mm_movemask_epi8(bytes))) << i;
    }
    return ~zeros;
#else
    std::uint64_t bits = 0;
    for (int k = 0; k < DCTSIZE2; ++k)
        bits |= std::uint64_t(block[k] != 0) << k;
    return bits;
#endif
}

// Codes one block (coefficients in zigzag order): the DC difference from the component's
// last DC, then the AC run lengths, as libjpeg's Huffman coder does.
template <bool Stuffed>
void encodeDc(BitWriter<Stuffed>& out, int difference, const HuffmanCodes& dc)
{
    const int value = difference < 0 ? -difference : difference;
    const int bits = difference < 0 ? difference - 1 : difference;
    const int length = value ? 32 - __builtin_clz(unsigned(value)) : 0;
    out.put((dc.code[size_t(length)] << length) | (unsigned(bits) & ((1U << length) - 1)),
            dc.size[size_t(length)] + length);
}

template <bool Stuffed>
void encodeAc(BitWriter<Stuffed>& out, const JCOEF* block, const HuffmanCodes& ac)
{
    int last = 0; // the last coefficient coded
    for (std::uint64_t left = nonZero(block) & ~std::uint64_t(1); left != 0; left &= left - 1) {
        const int k = __builtin_ctzll(left);
        int run = k - last - 1;
        last = k;
        for (; run > 15; run -= 16)
            out.put(ac.code[0xF0], ac.size[0xF0]);
        int value = block[k];
        int bits = value;
        if (value < 0) {
            value = -value;
            --bits;
        }
        const int length = 32 - __builtin_clz(unsigned(value));
        const size_t symbol = size_t((run << 4) + length);
        out.put((ac.code[symbol] << length) | (unsigned(bits) & ((1U << length) - 1)),
                ac.size[symbol] + length);
    }
    if (last != DCTSIZE2 - 1)
        out.put(ac.code[0], ac.size[0]);
}

template <bool Stuffed>
void encodeBlock(BitWriter<Stuffed>& out, const JCOEF* block, int& lastDc, const HuffmanCodes& dc,
                 const HuffmanCodes& ac)
{
    encodeDc(out, block[0] - lastDc, dc);
    lastDc = block[0];
    encodeAc(out, block, ac);
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

/// Where an MCU's code lies in a bare bit string, and its DC values: enough to code it
/// again after other DCs than its own predecessor's, copying all but the three DC
/// differences that depend on them (those of its first block of each component).
struct McuCode {
    std::uint32_t start = 0;  // the first luma block's DC
    std::uint32_t lumaAc = 0; // after it
    std::uint32_t blue = 0;   // the Cb block's DC
    std::uint32_t blueAc = 0;
    std::uint32_t red = 0; // the Cr block's DC
    std::uint32_t redAc = 0;
    std::int16_t firstLuma = 0; // DC values
    std::int16_t lastLuma = 0;
    std::int16_t blueDc = 0;
    std::int16_t redDc = 0;
    /// The DCs the coder holds after this MCU.
    std::array<int, Components> after() const { return {lastLuma, blueDc, redDc}; }
};

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

/// Stands in for the encoder's entropy coder: keeps every MCU's quantised blocks, each in
/// zigzag order.
struct Capture {
    jpeg_entropy_encoder pub; // first: the encoder calls through it
    std::vector<JCOEF>* out;
};

void captureStart(j_compress_ptr, boolean) {}
void captureFinish(j_compress_ptr) {}

boolean captureMcu(j_compress_ptr encoder, JBLOCKROW* blocks)
{
    std::vector<JCOEF>& out = *reinterpret_cast<Capture*>(encoder->entropy)->out;
    const size_t at = out.size();
    out.resize(at + size_t(encoder->blocks_in_MCU) * DCTSIZE2);
    JCOEF* to = &out[at];
    for (int b = 0; b < encoder->blocks_in_MCU; ++b, to += DCTSIZE2) {
        for (int k = 0; k < DCTSIZE2; ++k)
            to[k] = blocks[b][0][Zigzag[size_t(k)]];
    }
    return TRUE;
}

// Runs the encoder's transform on `picture` (Format_RGB32) with a page's settings and
// appends the quantised coefficients of its MCUs, in raster order, to `out`. With
// `tables`, also gives the Huffman codes the encoder would use. False on a libjpeg error
// or a sampling other than 4:2:0. Nothing with a destructor lives between setjmp and the
// encoder's end, as longjmp requires.
bool captureCoefficients(const QImage& picture, int quality, std::vector<JCOEF>& out,
                         const std::vector<JSAMPROW>& rows, QByteArray& scratch, CodeTables* tables)
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
    std::vector<std::uint8_t> bits; // the entropy-coded data without stuffing, 8 bytes spare
    std::vector<McuCode> codes;     // each MCU's in `bits`, then one whose start is the end
};

JpegPageReference::JpegPageReference(std::unique_ptr<Data> data) : m_data(std::move(data)) {}
JpegPageReference::~JpegPageReference() = default;

std::shared_ptr<const JpegPageReference> JpegPageReference::make(const QImage& picture, int quality,
                                                                 int dpi)
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
    std::vector<JCOEF> coefficients;
    coefficients.reserve(mcus * McuCoefficients);
    if (start == 0
        || !captureCoefficients(picture, quality, coefficients, rowsOf(picture), scratch, &d.tables)
        || coefficients.size() != mcus * McuCoefficients)
        return nullptr;
    d.header = jpeg.left(start);

    // The picture's code, MCU by MCU, to copy runs of from; written again with stuffing, it
    // must be the encoder's own, or pages go whole.
    d.codes.resize(mcus + 1);
    std::uint64_t end = 0;
    {
        BitWriter<false> bare(d.bits);
        std::array<int, Components> lastDc{};
        const auto at = [&] { return std::uint32_t(bare.bitCount()); };
        for (size_t m = 0; m < mcus; ++m) {
            const JCOEF* mcu = &coefficients[m * McuCoefficients];
            McuCode& code = d.codes[m];
            code.firstLuma = mcu[0];
            code.lastLuma = mcu[3 * DCTSIZE2];
            code.blueDc = mcu[4 * DCTSIZE2];
            code.redDc = mcu[5 * DCTSIZE2];
            code.start = at();
            encodeDc(bare, mcu[0] - lastDc[0], d.tables.dc[0]);
            lastDc[0] = mcu[0];
            code.lumaAc = at();
            encodeAc(bare, mcu, d.tables.ac[0]);
            for (int b = 1; b < 4; ++b)
                encodeBlock(bare, mcu + b * DCTSIZE2, lastDc[0], d.tables.dc[0], d.tables.ac[0]);
            code.blue = at();
            encodeDc(bare, code.blueDc - lastDc[1], d.tables.dc[1]);
            code.blueAc = at();
            encodeAc(bare, mcu + 4 * DCTSIZE2, d.tables.ac[1]);
            code.red = at();
            encodeDc(bare, code.redDc - lastDc[2], d.tables.dc[2]);
            code.redAc = at();
            encodeAc(bare, mcu + 5 * DCTSIZE2, d.tables.ac[2]);
            lastDc = code.after();
        }
        end = bare.bitCount();
        d.codes[mcus].start = std::uint32_t(end);
        bare.finish(false);
    }
    if (end > std::numeric_limits<std::uint32_t>::max())
        return nullptr;
    d.bits.resize(d.bits.size() + 8, 0);
    std::vector<std::uint8_t> coded;
    {
        BitWriter<true> check(coded);
        copyBits(check, d.bits, 0, end);
        check.finish(true);
    }
    const qsizetype codedSize = jpeg.size() - 2 - start;
    if (qsizetype(coded.size()) != codedSize
        || std::memcmp(coded.data(), jpeg.constData() + start, coded.size()) != 0)
        return nullptr;
    return std::shared_ptr<const JpegPageReference>(new JpegPageReference(std::move(data)));
}

namespace {

using Data = JpegPageReference::Data;

/// Changed MCUs of one size, side by side in a small picture for the encoder to transform:
/// 16 × 16 inner ones `across` to a row, right-edge ones (narrower) one under another,
/// bottom-edge ones (lower, the corner last) in one row. Edge MCUs keep the page's edge,
/// so the encoder pads them as it pads the page.
struct Strip {
    int across = 1;
    int tileWidth = Mcu;
    int tileHeight = Mcu;
    std::vector<std::uint32_t> pixels; // rows of `width()` pixels
    std::vector<int> which;            // each tile's position in the page's changed MCUs
    std::vector<int> widths;           // each tile's width (bottom strips only)
    /// Pixels from one row to the next.
    int stride() const
    {
        return !widths.empty() ? int(widths.size()) * Mcu : across == 1 ? tileWidth : across * Mcu;
    }
    /// The picture the tiles make.
    QSize size() const
    {
        if (!widths.empty())
            return {std::accumulate(widths.begin(), widths.end(), 0), tileHeight};
        return {stride(), (int(which.size()) + across - 1) / across * Mcu};
    }
};

// What an encoder keeps from page to page, so that pages allocate nothing.
struct Scratch {
    std::vector<int> changed; // MCUs (row * across + column) that differ from the reference
    std::vector<char> marks;
    std::vector<JCOEF> fresh; // the changed MCUs' coefficients, in the order of `changed`
    std::vector<JCOEF> tiles;
    std::vector<JSAMPROW> rows;
    std::vector<std::uint8_t> coded;
    std::array<Strip, 3> strips; // inner, right edge, bottom edge
    QByteArray scratch;
};

// Where a tile of `strip` (its index) goes in the strip's pixels, and its size.
QRect tileRect(const Strip& strip, int index)
{
    if (!strip.widths.empty()) {
        int x = 0;
        for (int i = 0; i < index; ++i)
            x += strip.widths[size_t(i)];
        return {x, 0, strip.widths[size_t(index)], strip.tileHeight};
    }
    return {(index % strip.across) * Mcu, (index / strip.across) * Mcu, strip.tileWidth,
            strip.tileHeight};
}

// Copies a tile's pixels between the page (rows `pageRows` apart from `page` at the MCU's
// top left) and the strip, one way or the other.
void moveTile(Strip& strip, const QRect& tile, std::uint8_t* page, qsizetype pageRows,
              int stripWidth, bool intoStrip)
{
    for (int y = 0; y < tile.height(); ++y) {
        std::uint8_t* a = page + y * pageRows;
        auto* b = reinterpret_cast<std::uint8_t*>(
            &strip.pixels[size_t(tile.y() + y) * size_t(stripWidth) + size_t(tile.x())]);
        if (intoStrip)
            std::memcpy(b, a, size_t(tile.width()) * 4);
        else
            std::memcpy(a, b, size_t(tile.width()) * 4);
    }
}

// Transforms the strip's tiles and puts their coefficients into `fresh`.
bool transformStrip(Strip& strip, int quality, Scratch& w)
{
    if (strip.which.empty())
        return true;
    const int stride = strip.stride();
    const int height = strip.size().height();
    // Blank tiles after the last in a row of inner ones: transformed, never used.
    const int n = int(strip.which.size());
    for (int i = n; strip.widths.empty() && i % strip.across != 0; ++i) {
        const QRect blank = tileRect(strip, i);
        for (int y = blank.top(); y <= blank.bottom(); ++y)
            std::fill_n(&strip.pixels[size_t(y) * size_t(stride) + size_t(blank.x())], Mcu,
                        0xFFFFFFFFU);
    }
    w.rows.resize(size_t(height));
    for (int y = 0; y < height; ++y)
        w.rows[size_t(y)] = reinterpret_cast<JSAMPROW>(&strip.pixels[size_t(y) * size_t(stride)]);
    const QImage picture(reinterpret_cast<const uchar*>(strip.pixels.data()), strip.size().width(),
                         height, stride * 4, QImage::Format_RGB32);
    w.tiles.clear();
    if (!captureCoefficients(picture, quality, w.tiles, w.rows, w.scratch, nullptr)
        || w.tiles.size() < size_t(n) * McuCoefficients)
        return false;
    for (int i = 0; i < n; ++i) {
        std::memcpy(&w.fresh[size_t(strip.which[size_t(i)]) * McuCoefficients],
                    &w.tiles[size_t(i) * McuCoefficients], sizeof(JCOEF) * McuCoefficients);
    }
    return true;
}

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

const QImage& JpegPageEncoder::reference() const
{
    static const QImage none;
    return m_reference ? m_reference->data().picture : none;
}

bool JpegPageEncoder::encode(const QImage& page, QByteArray& out)
{
    return encodePage(page, nullptr, out);
}

bool JpegPageEncoder::encodeAndRestore(QImage& page, QByteArray& out)
{
    return encodePage(page, &page, out);
}

bool JpegPageEncoder::encodePage(const QImage& page, QImage* restore, QByteArray& out)
{
    m_changed = 0;
    if (!m_reference)
        return encodeJpeg(page, 90, out);
    const Data& data = m_reference->data();
    const QImage& picture = data.picture;
    if (page.format() != picture.format() || page.size() != picture.size()) {
        if (restore && !restore->isNull())
            *restore = picture.copy();
        return encodeJpeg(page, data.quality, out, data.dpi);
    }
    Working& w = *m_working;
    const int width = picture.width();
    const int height = picture.height();
    const int lastWidth = width - (data.mcusAcross - 1) * Mcu;
    const int lastHeight = height - (data.mcusDown - 1) * Mcu;
    const size_t total = size_t(totalBlocks());
    const size_t most = size_t(WholeShare * double(total));
    const size_t rowBytes = size_t(width) * 4;
    const qsizetype pageRows = page.bytesPerLine();
    const qsizetype pictureRows = picture.bytesPerLine();
    // The page's pixels: restored from the reference as the pass goes when asked to.
    std::uint8_t* pixels = restore ? restore->bits() : const_cast<std::uint8_t*>(page.constBits());
    const std::uint8_t* original = picture.constBits();

    Strip& inner = w.strips[0];
    Strip& right = w.strips[1];
    Strip& bottom = w.strips[2];
    inner.across = StripAcross;
    right.tileWidth = lastWidth;
    bottom.tileHeight = lastHeight;
    for (Strip& strip : w.strips) {
        strip.which.clear();
        strip.widths.clear();
    }

    // One pass over the page, a row of MCUs at a time while it is in the cache: the MCUs
    // where the page differs from the reference go into the strips (and are put back to
    // the reference's pixels when restoring).
    w.changed.clear();
    w.marks.assign(size_t(data.mcusAcross), 0);
    bool whole = false;
    for (int my = 0; my < data.mcusDown && !whole; ++my) {
        std::fill(w.marks.begin(), w.marks.end(), 0);
        const int top = my * Mcu;
        const int rows = std::min(Mcu, height - top);
        bool any = false;
        for (int y = top; y < top + rows; ++y) {
            const std::uint8_t* a = pixels + y * pageRows;
            const std::uint8_t* b = original + y * pictureRows;
            if (std::memcmp(a, b, rowBytes) == 0)
                continue;
            any = true;
            for (int mx = 0; mx < data.mcusAcross; ++mx) {
                const size_t at = size_t(mx) * Mcu * 4;
                if (!w.marks[size_t(mx)]
                    && std::memcmp(a + at, b + at, std::min<size_t>(Mcu * 4, rowBytes - at)))
                    w.marks[size_t(mx)] = 1;
            }
        }
        if (!any)
            continue;
        const bool lowest = my == data.mcusDown - 1 && lastHeight < Mcu;
        if (lowest) {
            bottom.widths.clear();
            for (int mx = 0; mx < data.mcusAcross; ++mx) {
                if (w.marks[size_t(mx)])
                    bottom.widths.push_back(mx == data.mcusAcross - 1 ? lastWidth : Mcu);
            }
            bottom.pixels.resize(size_t(bottom.widths.size()) * Mcu * size_t(lastHeight));
        }
        for (int mx = 0; mx < data.mcusAcross; ++mx) {
            if (!w.marks[size_t(mx)])
                continue;
            Strip& strip = lowest                                           ? bottom
                           : (mx == data.mcusAcross - 1 && lastWidth < Mcu) ? right
                                                                            : inner;
            const int index = int(strip.which.size());
            strip.which.push_back(int(w.changed.size()));
            w.changed.push_back(my * data.mcusAcross + mx);
            const QRect tile = tileRect(strip, index);
            const int stride = strip.stride();
            if (!lowest && size_t(strip.size().height()) * size_t(stride) > strip.pixels.size())
                strip.pixels.resize(size_t(strip.size().height()) * size_t(stride));
            std::uint8_t* at = pixels + top * pageRows + mx * Mcu * 4;
            moveTile(strip, tile, at, pageRows, stride, true);
            if (restore) {
                for (int y = 0; y < tile.height(); ++y)
                    std::memcpy(at + y * pageRows,
                                original + (top + y) * pictureRows + mx * Mcu * 4,
                                size_t(tile.width()) * 4);
            }
        }
        whole = w.changed.size() > most;
    }

    if (whole) {
        // Nearly all of the page changed: the encoder's own path is quicker. The page gets
        // back the MCUs already restored, from the strips.
        if (restore) {
            for (Strip& strip : w.strips) {
                for (size_t i = 0; i < strip.which.size(); ++i) {
                    const int mcu = w.changed[size_t(strip.which[i])];
                    std::uint8_t* at = pixels + (mcu / data.mcusAcross) * Mcu * pageRows
                                       + (mcu % data.mcusAcross) * Mcu * 4;
                    moveTile(strip, tileRect(strip, int(i)), at, pageRows, strip.stride(), false);
                }
            }
        }
        const bool done = encodeJpeg(page, data.quality, out, data.dpi);
        for (int y = 0; restore && y < height; ++y)
            std::memcpy(pixels + y * pageRows, original + y * pictureRows, rowBytes);
        return done;
    }

    w.fresh.resize(w.changed.size() * McuCoefficients);
    for (Strip& strip : w.strips) {
        if (!transformStrip(strip, data.quality, w))
            return false;
    }

    // The code: runs of unchanged MCUs are copied from the reference's. A run's code holds
    // as it is when the DCs before it are the reference's; after a changed MCU they may
    // not be, and the run's first MCU is coded again, which puts them back.
    {
        BitWriter<true> coded(w.coded);
        const std::vector<McuCode>& codes = data.codes;
        std::array<int, Components> lastDc{};
        size_t next = 0; // the first MCU not yet coded
        const auto copyTo = [&](size_t end) {
            if (next >= end)
                return;
            const McuCode& first = codes[next];
            if (lastDc != (next == 0 ? std::array<int, Components>{} : codes[next - 1].after())) {
                encodeDc(coded, first.firstLuma - lastDc[0], data.tables.dc[0]);
                copyBits(coded, data.bits, first.lumaAc, first.blue);
                encodeDc(coded, first.blueDc - lastDc[1], data.tables.dc[1]);
                copyBits(coded, data.bits, first.blueAc, first.red);
                encodeDc(coded, first.redDc - lastDc[2], data.tables.dc[2]);
                copyBits(coded, data.bits, first.redAc, codes[next + 1].start);
                lastDc = first.after();
                ++next;
            }
            if (next < end) {
                copyBits(coded, data.bits, codes[next].start, codes[end].start);
                lastDc = codes[end - 1].after();
                next = end;
            }
        };
        for (size_t i = 0; i < w.changed.size(); ++i) {
            copyTo(size_t(w.changed[i]));
            encodeMcu(coded, &w.fresh[i * McuCoefficients], lastDc, data.tables);
            next = size_t(w.changed[i]) + 1;
        }
        copyTo(total);
        coded.finish(true);
    }

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
