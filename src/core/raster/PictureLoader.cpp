// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Picture files reach rasters through Qt's image readers, except JPEG (libjpeg-turbo, the
// same decoder as backgrounds) and 16-bit BMP, whose rows Qt would widen to 32 bits while
// the program keeps them as they are in the file.

#include "core/raster/FastDIB.h"
#include "core/raster/JpegImage.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace Quillet {

namespace {

constexpr qint64 MaxFileBytes = 512LL * 1024 * 1024;
constexpr int MaxSide = 32767;
constexpr long long MaxPixels = 0x7fff0000LL / 4;
constexpr int ReaderAllocationLimitMb = 1024;

std::uint32_t le32(const QByteArray& b, int at)
{
    std::uint32_t v;
    std::memcpy(&v, b.constData() + at, 4);
    return v;
}

std::uint16_t le16(const QByteArray& b, int at)
{
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

/// Bits per pixel as BMP and PNG files declare them (PNG: bits per sample); Qt hides
/// 4-bit palettes behind Indexed8 and 24-bit pictures behind RGB32. 0 when unknown.
int declaredBits(const QByteArray& bytes)
{
    if (bytes.size() >= 30 && bytes.startsWith("BM")) {
        const std::uint32_t headerSize = le32(bytes, 14);
        return headerSize == 12 ? le16(bytes, 24) : le16(bytes, 28);
    }
    if (bytes.size() >= 26 && bytes.startsWith("\x89PNG\r\n\x1a\n")
        && std::memcmp(bytes.constData() + 12, "IHDR", 4) == 0)
        return std::uint8_t(bytes[24]);
    return 0;
}

/// Qt decodes a BMP cut short with the missing rows left blank; refuse it instead.
bool bmpShortOfRows(const QByteArray& bytes)
{
    if (bytes.size() < 34 || !bytes.startsWith("BM"))
        return false;
    const std::uint32_t compression = le32(bytes, 30);
    if (le32(bytes, 14) < 40 || (compression != 0 && compression != 3))
        return false; // core headers and run-length data: left to the reader
    const long long width = std::int32_t(le32(bytes, 18));
    const long long height = std::abs(static_cast<long long>(std::int32_t(le32(bytes, 22))));
    const long long stride = ((width * le16(bytes, 28) + 31) / 32) * 4;
    return static_cast<long long>(le32(bytes, 10)) + stride * height > bytes.size();
}

bool isSixteenBitBmp(const QByteArray& bytes)
{
    return bytes.size() >= 54 && bytes.startsWith("BM") && le32(bytes, 14) >= 40
           && le16(bytes, 28) == 16;
}

/// 16-bit BMP rows are copied as they are; the masks decide 5-5-5 or 5-6-5.
bool loadSixteenBitBmp(const QByteArray& bytes, TFastDIB& raster)
{
    const std::uint32_t offset = le32(bytes, 10);
    const std::int32_t width = std::int32_t(le32(bytes, 18));
    const std::int32_t height = std::int32_t(le32(bytes, 22));
    const std::uint32_t compression = le32(bytes, 30);
    if (width <= 0 || height == 0 || width > MaxSide || height > MaxSide || height < -MaxSide)
        return false;
    DibHeader header;
    header.width = width;
    header.height = height < 0 ? -height : height;
    header.bitCount = 16;
    if (compression == 3) {
        // The masks follow a 40-byte header and sit at the same place inside longer ones.
        const int masksAt = 54;
        if (bytes.size() < masksAt + 12)
            return false;
        const std::uint32_t red = le32(bytes, masksAt);
        const std::uint32_t green = le32(bytes, masksAt + 4);
        const std::uint32_t blue = le32(bytes, masksAt + 8);
        if (red != 0x7C00 || green != 0x03E0 || blue != 0x001F) {
            header.compression = DibHeader::BitFields;
            header.setMasks(red, green, blue);
        }
    } else if (compression != 0) {
        return false;
    }
    const long long stride = ((static_cast<long long>(width) * 16 + 31) / 32) * 4;
    if (static_cast<long long>(offset) + stride * header.height > bytes.size())
        return false;
    if (!raster.SetSizeFromHeader(header))
        return false;
    const auto* rows = reinterpret_cast<const std::uint8_t*>(bytes.constData()) + offset;
    for (int n = 0; n < raster.absHeight(); ++n) {
        const int fileRow = height > 0 ? n : raster.absHeight() - 1 - n;
        const std::uint8_t* from = rows + fileRow * stride;
        std::copy(from, from + stride, raster.scanLine(n));
    }
    return true;
}

/// Packs an 8-bit indexed raster into 4 bits when every index fits.
void packToFourBits(TFastDIB& raster)
{
    for (int y = 0; y < raster.absHeight(); ++y)
        for (int x = 0; x < raster.width(); ++x)
            if (raster.scanLine(y)[x] > 15)
                return;
    auto* packed = new TFastDIB;
    DibHeader header = raster.header();
    header.bitCount = 4;
    if (!packed->SetSizeFromHeader(header)) {
        delete packed;
        return;
    }
    for (int y = 0; y < raster.absHeight(); ++y) {
        const std::uint8_t* s = raster.scanLine(y);
        std::uint8_t* d = packed->scanLine(y);
        for (int x = 0; x < raster.width(); ++x)
            d[x >> 1] = std::uint8_t(d[x >> 1] | s[x] << ((x & 1) != 0 ? 0 : 4));
    }
    raster.ShareFrom(packed, true);
}

/// Brings a decoded image to the QImage format whose raster depth the file calls for.
QImage toLoadableFormat(QImage image, bool declared32)
{
    switch (image.format()) {
    case QImage::Format_RGB32:
        // Qt decodes every opaque colour picture to RGB32; only a 32-bit BMP stays at 32.
        return declared32 ? image : image.convertToFormat(QImage::Format_BGR888);
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8:
    case QImage::Format_RGB555:
    case QImage::Format_RGB16:
    case QImage::Format_RGB888:
    case QImage::Format_BGR888:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return image;
    case QImage::Format_Grayscale16:
        return image.convertToFormat(QImage::Format_Grayscale8);
    case QImage::Format_RGBA64:
    case QImage::Format_RGBA64_Premultiplied:
        // Wide pictures with alpha are drawn onto the zeroed raster, i.e. over black.
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    default:
        return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                             : QImage::Format_BGR888);
    }
}

bool loadThroughQt(const QString& path, const QByteArray& bytes, TFastDIB& raster)
{
    if (QImageReader::allocationLimit() < ReaderAllocationLimitMb)
        QImageReader::setAllocationLimit(ReaderAllocationLimitMb);
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return false;
    QImageReader reader(&buffer, QFileInfo(path).suffix().toLower().toLatin1());
    const QSize size = reader.size();
    if (size.isValid()
        && (size.width() > MaxSide || size.height() > MaxSide
            || static_cast<long long>(size.width()) * size.height() > MaxPixels))
        return false;
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return false;
    if (image.width() > MaxSide || image.height() > MaxSide)
        return false;
    const bool indexed = image.format() == QImage::Format_Indexed8;
    const bool fewColors = image.colorCount() <= 16;
    const int declared = declaredBits(bytes);
    const bool declared32 = declared == 32 && bytes.startsWith("BM");
    // Qt's TGA reader gives ARGB32 even for 24-bit files, which have no alpha to keep.
    if (reader.format() == "tga" && bytes.size() > 16 && bytes[16] == 24)
        image = image.convertToFormat(QImage::Format_BGR888);
    if (!DibFromBitmap(toLoadableFormat(std::move(image), declared32), raster))
        return false;
    // Qt widens 4-bit palettes to Indexed8; the file's own depth decides where it is known.
    if (indexed && (declared == 4 || (declared == 0 && fewColors && reader.format() == "tiff")))
        packToFourBits(raster);
    return true;
}

} // namespace

bool LoadPictureFile(const QString& path, TFastDIB& raster)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return false;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 4)
        return false;
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return decodeJpeg(bytes, raster);
    if (bmpShortOfRows(bytes))
        return false;
    if (isSixteenBitBmp(bytes))
        return loadSixteenBitBmp(bytes, raster);
    return loadThroughQt(path, bytes, raster);
}

} // namespace Quillet
