// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/raster/JpegImage.h"

#include "core/raster/FastDIB.h"
#include "core/raster/JpegLib.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jerror.h>

namespace Quillet {

using JpegLib::ByteArrayDestination;
using JpegLib::ErrorManager;
using JpegLib::setUpEncoder;
using JpegLib::setUpErrors;
using JpegLib::useDestination;

namespace {

// Past this many scans a progressive file is treated as hostile: libjpeg would otherwise
// spend minutes on a few kilobytes crafted to have thousands of scans.
constexpr int MaxScans = 500;
constexpr long long MaxPixels = 0x7fff0000LL / 4;

[[noreturn]] void onError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void onMessage(j_common_ptr info, int level)
{
    // A file cut short decodes with grey filler, also when a marker was stuck on after the
    // cut; the program wants it refused instead.
    if (level < 0
        && (info->err->msg_code == JWRN_JPEG_EOF || info->err->msg_code == JWRN_HIT_MARKER))
        reinterpret_cast<ErrorManager*>(info->err)->truncated = true;
}

void onOutputMessage(j_common_ptr) {}

void onProgress(j_common_ptr info)
{
    if (info->is_decompressor) {
        auto* decoder = reinterpret_cast<j_decompress_ptr>(info);
        if (decoder->input_scan_number > MaxScans)
            ERREXIT(info, JERR_NOT_COMPILED);
    }
}

/// Decodes into raster (already empty); false on any error. Kept free of objects with
/// destructors between setjmp and the decoder's end, as longjmp requires.
bool decodeInto(const QByteArray& data, TFastDIB& raster)
{
    jpeg_decompress_struct decoder;
    ErrorManager errors;
    jpeg_progress_mgr progress;
    decoder.err = &errors.pub;
    setUpErrors(errors);
    std::uint8_t* volatile buffer = nullptr;
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&decoder);
        delete[] buffer;
        return false;
    }
    jpeg_create_decompress(&decoder);
    progress.progress_monitor = onProgress;
    decoder.progress = &progress;
    jpeg_mem_src(&decoder, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&decoder, TRUE);
    const bool grey = decoder.jpeg_color_space == JCS_GRAYSCALE;
    const bool cmyk = decoder.jpeg_color_space == JCS_CMYK || decoder.jpeg_color_space == JCS_YCCK;
    decoder.out_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_EXT_BGR;
    if (static_cast<long long>(decoder.image_width) * decoder.image_height > MaxPixels)
        ERREXIT(&decoder, JERR_IMAGE_TOO_BIG);
    jpeg_start_decompress(&decoder);
    const int w = int(decoder.output_width);
    const int h = int(decoder.output_height);
    if (!raster.SetSize(w, h, grey ? 8 : 24))
        ERREXIT(&decoder, JERR_OUT_OF_MEMORY);
    if (grey) {
        for (int i = 0; i < 256; ++i)
            raster.colorTable()[i] = DibColor{std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0};
    }
    if (cmyk)
        buffer = new std::uint8_t[std::size_t(w) * 4];
    while (decoder.output_scanline < decoder.output_height) {
        std::uint8_t* row = raster.scanLine(h - 1 - int(decoder.output_scanline));
        JSAMPROW target = cmyk ? buffer : row;
        jpeg_read_scanlines(&decoder, &target, 1);
        if (cmyk) {
            // Adobe writes CMYK inverted, so the ink values multiply directly.
            for (int x = 0; x < w; ++x) {
                const unsigned k = buffer[x * 4 + 3];
                row[x * 3] = std::uint8_t(buffer[x * 4 + 2] * k / 255);
                row[x * 3 + 1] = std::uint8_t(buffer[x * 4 + 1] * k / 255);
                row[x * 3 + 2] = std::uint8_t(buffer[x * 4] * k / 255);
            }
        }
        if (errors.truncated)
            ERREXIT(&decoder, JERR_INPUT_EOF);
    }
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    delete[] buffer;
    return !errors.truncated;
}

void initDestination(j_compress_ptr encoder)
{
    auto* dest = reinterpret_cast<ByteArrayDestination*>(encoder->dest);
    dest->out->resize(std::max<qsizetype>(dest->out->capacity(), 65536));
    dest->pub.next_output_byte = reinterpret_cast<JOCTET*>(dest->out->data());
    dest->pub.free_in_buffer = std::size_t(dest->out->size());
}

boolean growDestination(j_compress_ptr encoder)
{
    auto* dest = reinterpret_cast<ByteArrayDestination*>(encoder->dest);
    const qsizetype used = dest->out->size();
    dest->out->resize(used * 2);
    dest->pub.next_output_byte = reinterpret_cast<JOCTET*>(dest->out->data()) + used;
    dest->pub.free_in_buffer = std::size_t(used);
    return TRUE;
}

void termDestination(j_compress_ptr encoder)
{
    auto* dest = reinterpret_cast<ByteArrayDestination*>(encoder->dest);
    dest->out->resize(dest->out->size() - qsizetype(dest->pub.free_in_buffer));
}

/// Feeds the encoder one top-down row at a time from rowAt, in the given layout
/// (B, G, R by default).
template <typename RowSource>
bool encodeRows(int width, int height, int quality, int dpi, QByteArray& out, RowSource rowAt,
                J_COLOR_SPACE layout = JCS_EXT_BGR, int components = 3)
{
    if (width <= 0 || height <= 0 || width > 65500 || height > 65500)
        return false;
    jpeg_compress_struct encoder;
    ErrorManager errors;
    ByteArrayDestination destination;
    encoder.err = &errors.pub;
    setUpErrors(errors);
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_compress(&encoder);
        return false;
    }
    jpeg_create_compress(&encoder);
    useDestination(encoder, destination, out);
    setUpEncoder(encoder, width, height, quality, dpi, layout, components);
    jpeg_start_compress(&encoder, TRUE);
    while (encoder.next_scanline < encoder.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rowAt(int(encoder.next_scanline)));
        jpeg_write_scanlines(&encoder, &row, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    return true;
}

// Reads the header alone and hands the decoder to `take`; false for data without a valid
// header. Nothing with a destructor lives between setjmp and the decoder's end.
template <typename Take> bool readHeader(const QByteArray& data, Take take)
{
    jpeg_decompress_struct decoder;
    ErrorManager errors;
    decoder.err = &errors.pub;
    setUpErrors(errors);
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    jpeg_create_decompress(&decoder);
    jpeg_mem_src(&decoder, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&decoder, TRUE);
    take(decoder);
    jpeg_destroy_decompress(&decoder);
    return true;
}

} // namespace

bool readJpegSize(const QByteArray& data, int& width, int& height)
{
    return readHeader(data, [&](const jpeg_decompress_struct& decoder) {
        width = int(decoder.image_width);
        height = int(decoder.image_height);
    });
}

int readJpegDpi(const QByteArray& data)
{
    double dpi = 0;
    readHeader(data, [&](const jpeg_decompress_struct& decoder) {
        if (!decoder.saw_JFIF_marker || decoder.X_density != decoder.Y_density)
            return;
        if (decoder.density_unit == 1)
            dpi = decoder.X_density;
        else if (decoder.density_unit == 2)
            dpi = decoder.X_density * 2.54;
    });
    return dpi >= MinStatedDpi && dpi <= MaxStatedDpi ? int(std::lround(dpi)) : 0;
}

bool decodeJpeg(const QByteArray& data, TFastDIB& raster)
{
    if (data.isEmpty())
        return false;
    auto* decoded = new TFastDIB;
    if (!decodeInto(data, *decoded)) {
        delete decoded;
        return false;
    }
    raster.ShareFrom(decoded, true); // hands the decoded pixels over without a copy
    return true;
}

bool encodeJpeg(const TFastDIB& raster, int quality, QByteArray& out, int dpi)
{
    if (raster.isEmpty())
        return false;
    if (raster.bitsPerPixel() == 24) {
        return encodeRows(raster.width(), raster.absHeight(), quality, dpi, out,
                          [&](int y) { return raster.scanLine(raster.storageRow(y)); });
    }
    std::vector<std::uint8_t> line(std::size_t(raster.width()) * 3);
    return encodeRows(raster.width(), raster.absHeight(), quality, dpi, out, [&](int y) {
        const int row = raster.storageRow(y);
        for (int x = 0; x < raster.width(); ++x) {
            const PixelBGR p = raster.PixelAt(row, x);
            line[std::size_t(x) * 3] = p.blue;
            line[std::size_t(x) * 3 + 1] = p.green;
            line[std::size_t(x) * 3 + 2] = p.red;
        }
        return line.data();
    });
}

bool encodeJpeg(const QImage& image, int quality, QByteArray& out, int dpi)
{
    if (image.isNull())
        return false;
    // The page raster goes in as it is: converting it first would touch a fresh page-sized
    // buffer for every page.
    const auto direct = [&](J_COLOR_SPACE layout, int components) {
        return encodeRows(
            image.width(), image.height(), quality, dpi, out,
            [&](int y) { return image.constScanLine(y); }, layout, components);
    };
    switch (image.format()) {
    case QImage::Format_RGB32:
        if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN)
            return direct(JCS_EXT_BGRX, 4);
        else
            return direct(JCS_EXT_XRGB, 4);
    case QImage::Format_RGBX8888:
        return direct(JCS_EXT_RGBX, 4);
    case QImage::Format_RGB888:
        return direct(JCS_EXT_RGB, 3);
    default:
        break;
    }
    const QImage bgr = image.format() == QImage::Format_BGR888
                           ? image
                           : image.convertToFormat(QImage::Format_BGR888);
    return encodeRows(bgr.width(), bgr.height(), quality, dpi, out,
                      [&](int y) { return bgr.constScanLine(y); });
}

void JpegLib::setUpErrors(ErrorManager& errors)
{
    jpeg_std_error(&errors.pub);
    errors.pub.error_exit = onError;
    errors.pub.emit_message = onMessage;
    errors.pub.output_message = onOutputMessage;
}

void JpegLib::useDestination(jpeg_compress_struct& encoder, ByteArrayDestination& destination,
                             QByteArray& out)
{
    destination.pub.init_destination = initDestination;
    destination.pub.empty_output_buffer = growDestination;
    destination.pub.term_destination = termDestination;
    destination.out = &out;
    encoder.dest = &destination.pub;
}

void JpegLib::setUpEncoder(jpeg_compress_struct& encoder, int width, int height, int quality,
                           int dpi, J_COLOR_SPACE layout, int components)
{
    encoder.image_width = JDIMENSION(width);
    encoder.image_height = JDIMENSION(height);
    encoder.input_components = components;
    encoder.in_color_space = layout;
    jpeg_set_defaults(&encoder);
    jpeg_set_quality(&encoder, std::clamp(quality, 0, 100), TRUE);
    encoder.write_JFIF_header = TRUE;
    encoder.JFIF_major_version = 1;
    encoder.JFIF_minor_version = 1;
    const bool stated = dpi > 0 && dpi <= 65535;
    encoder.density_unit = stated ? 1 : 0;
    encoder.X_density = UINT16(stated ? dpi : 1);
    encoder.Y_density = UINT16(stated ? dpi : 1);
}

void JpegImage::setData(QByteArray data)
{
    m_data = std::move(data);
    m_bitmap = QImage();
    m_width = m_height = -1;
}

void JpegImage::setBitmap(QImage bitmap)
{
    m_bitmap = std::move(bitmap);
    m_data.clear();
    m_width = m_height = -1;
}

void JpegImage::clear()
{
    m_data.clear();
    m_bitmap = QImage();
    m_width = m_height = -1;
}

void JpegImage::readSize() const
{
    if (m_width >= 0)
        return;
    m_width = m_height = 0;
    if (hasBitmap()) {
        m_width = m_bitmap.width();
        m_height = m_bitmap.height();
    } else if (!m_data.isEmpty() && !readJpegSize(m_data, m_width, m_height)) {
        m_width = m_height = 0;
    }
}

int JpegImage::width() const
{
    readSize();
    return m_width;
}

int JpegImage::height() const
{
    readSize();
    return m_height;
}

bool JpegImage::encode(int quality)
{
    if (!hasBitmap())
        return !m_data.isEmpty();
    return encodeJpeg(m_bitmap, quality, m_data);
}

bool DibFromJpeg(const JpegImage& jpeg, TFastDIB& raster)
{
    if (jpeg.hasBitmap()) {
        auto* copy = new TFastDIB;
        if (!DibFromBitmap(jpeg.bitmap(), *copy)) {
            delete copy;
            return false;
        }
        raster.ShareFrom(copy, true);
        return true;
    }
    return decodeJpeg(jpeg.data(), raster);
}

} // namespace Quillet
