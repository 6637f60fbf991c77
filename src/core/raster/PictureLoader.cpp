// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Picture files reach rasters through Qt's image readers, except JPEG (libjpeg-turbo, the
// same decoder as backgrounds) and 16-bit BMP, whose rows Qt would widen to 32 bits while
// the program keeps them as they are in the file. Several of Qt's readers take a file cut
// short and leave the missing part blank, and a header of a few bytes may ask for any
// size; the checks below refuse such files before anything is decoded.

#include "core/raster/DecoderMessages.h"
#include "core/raster/FastDIB.h"
#include "core/raster/JpegImage.h"
#include "core/raster/PngCheck.h"

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
// The document import's limit for a page: an A2 sheet at 600 dpi fits.
constexpr long long MaxPixels = 150LL * 1000 * 1000;
// Enough for MaxPixels at four bytes a pixel and no more: wider decodes (16 bits a
// channel) of pictures that large are refused by Qt rather than allocated.
constexpr int ReaderAllocationLimitMb = int(MaxPixels * 4 / (1024 * 1024)) + 1;

bool tooManyPixels(long long width, long long height)
{
    return width > MaxSide || height > MaxSide || width * height > MaxPixels;
}

std::uint32_t be32(const QByteArray& b, qsizetype at)
{
    const auto* p = reinterpret_cast<const std::uint8_t*>(b.constData()) + at;
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

std::uint16_t be16(const QByteArray& b, qsizetype at)
{
    return std::uint16_t(std::uint8_t(b[at]) << 8 | std::uint8_t(b[at + 1]));
}

std::uint8_t byteAt(const QByteArray& b, qsizetype at)
{
    return std::uint8_t(b[at]);
}

std::uint32_t le32(const QByteArray& b, qsizetype at)
{
    std::uint32_t v;
    std::memcpy(&v, b.constData() + at, 4);
    return v;
}

std::uint16_t le16(const QByteArray& b, qsizetype at)
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

/// Qt reads 32-bit sizes only from info headers of 40, 64, 108 and 124 bytes; it takes any
/// other for the old 12-byte one, with 16-bit sizes and no compression.
bool bmpOldHeader(const QByteArray& bytes)
{
    const std::uint32_t size = le32(bytes, 14);
    return size != 40 && size != 64 && size != 108 && size != 124;
}

/// Qt decodes a BMP cut short with the missing rows left blank; refuse it instead. Read
/// as Qt reads the header (16-bit BMPs never get here).
bool bmpShortOfRows(const QByteArray& bytes)
{
    if (bytes.size() < 18 || !bytes.startsWith("BM"))
        return false;
    const bool old = bmpOldHeader(bytes);
    if (bytes.size() < (old ? 26 : 34))
        return true; // not even the header
    const std::uint32_t compression = old ? 0 : le32(bytes, 30);
    if (compression != 0 && compression != 3)
        return false; // run-length data: checked on its own
    const long long width = old ? std::int16_t(le16(bytes, 18)) : std::int32_t(le32(bytes, 18));
    const long long height = std::abs(old ? static_cast<long long>(std::int16_t(le16(bytes, 20)))
                                          : std::int32_t(le32(bytes, 22)));
    const long long stride = ((width * le16(bytes, old ? 24 : 28) + 31) / 32) * 4;
    return static_cast<long long>(le32(bytes, 10)) + stride * height > bytes.size();
}

/// Run-length BMP data must reach its end code or its last row before the file ends; Qt
/// leaves the rows it never got blank.
bool bmpRunsCutShort(const QByteArray& bytes)
{
    if (bytes.size() < 34 || !bytes.startsWith("BM") || bmpOldHeader(bytes))
        return false;
    const std::uint32_t compression = le32(bytes, 30);
    if (compression != 1 && compression != 2)
        return false;
    const bool nibbles = compression == 2;
    const long long width = std::int32_t(le32(bytes, 18));
    const long long height = std::abs(static_cast<long long>(std::int32_t(le32(bytes, 22))));
    long long x = 0;
    long long y = 0;
    for (qsizetype at = le32(bytes, 10);;) {
        if (y >= height)
            return false;
        if (at + 2 > bytes.size())
            return y < height - 1 || x < width;
        const int count = byteAt(bytes, at);
        const int code = byteAt(bytes, at + 1);
        at += 2;
        if (count > 0) {
            x += count;
        } else if (code == 0) { // end of row
            x = 0;
            ++y;
        } else if (code == 1) { // end of picture: the rest is background by definition
            return false;
        } else if (code == 2) { // a jump right and down
            if (at + 2 > bytes.size())
                return true;
            x += byteAt(bytes, at);
            y += byteAt(bytes, at + 1);
            at += 2;
        } else { // that many pixels stored as they are, padded to a 16-bit boundary
            const int stored = nibbles ? (code + 1) / 2 : code;
            at += stored + (stored & 1);
            x += code;
            if (at > bytes.size())
                return true;
        }
    }
}

/// Skips a chain of GIF data blocks starting at `at`; the position after its terminator,
/// or -1 when the file ends first. `total` gets the bytes the blocks carry.
qsizetype skipGifBlocks(const QByteArray& bytes, qsizetype at, long long& total)
{
    total = 0;
    while (at < bytes.size()) {
        const int length = byteAt(bytes, at);
        at += 1 + length;
        if (length == 0)
            return at;
        total += length;
    }
    return -1;
}

/// The first picture of a GIF must come whole, with data enough to cover the canvas Qt
/// draws it on (an LZW code of three bits or more stands for at most 4096 pixels). Qt shows
/// a GIF cut short with the missing part blank, and its canvas holds both the screen and
/// the picture's place, so a few bytes could ask for a hundred million blank pixels.
bool gifCutShort(const QByteArray& bytes)
{
    if (bytes.size() < 13 || !bytes.startsWith("GIF8"))
        return false;
    const int screenFlags = byteAt(bytes, 10);
    qsizetype at = 13 + ((screenFlags & 0x80) != 0 ? 3 * (2 << (screenFlags & 7)) : 0);
    long long data = 0;
    while (at >= 0 && at < bytes.size()) {
        const int introducer = byteAt(bytes, at);
        if (introducer == 0x21) { // an extension: label, then data blocks
            at = skipGifBlocks(bytes, at + 2, data);
        } else if (introducer == 0x2C) {
            if (at + 11 > bytes.size())
                return true;
            const long long width =
                std::max<long long>(le16(bytes, 6), le16(bytes, at + 1) + le16(bytes, at + 5));
            const long long height =
                std::max<long long>(le16(bytes, 8), le16(bytes, at + 3) + le16(bytes, at + 7));
            const int flags = byteAt(bytes, at + 9);
            at += 11 + ((flags & 0x80) != 0 ? 3 * (2 << (flags & 7)) : 0); // + LZW code size
            at = skipGifBlocks(bytes, at, data);
            return at < 0 || width * height > (data * 8 / 3 + 1) * 4096;
        } else if (introducer == 0x3B) {
            return false; // the end, and no picture: the reader refuses it
        } else {
            ++at; // Qt passes over stray bytes between blocks
        }
    }
    return true;
}

/// An MNG must announce a frame within the limits (Qt's reader cannot tell its size before
/// decoding it), close with its end chunk, and carry compressed data enough for the rows of
/// each PNG inside it and for its frame (deflate turns one byte into at most 1032); libmng
/// shows whatever it got, slowly, for any size the headers ask.
bool mngCutShort(const QByteArray& bytes)
{
    if (!bytes.startsWith("\x8AMNG\r\n\x1A\n"))
        return false;
    if (bytes.size() < 24 || tooManyPixels(be32(bytes, 16), be32(bytes, 20)))
        return true;
    const long long frameBytes = static_cast<long long>(be32(bytes, 16)) * be32(bytes, 20) / 8;
    long long rowBytes = 0;
    long long packed = 0;
    long long allPacked = 0;
    for (qsizetype at = 8; at + 12 <= bytes.size();) {
        const long long length = be32(bytes, at);
        if (length > bytes.size() - at - 12)
            return true;
        const QByteArray type = bytes.mid(at + 4, 4);
        if (type == "IHDR" && length >= 13) {
            static const int channels[7] = {1, 0, 3, 1, 2, 0, 4};
            const long long bits = byteAt(bytes, at + 16) * channels[byteAt(bytes, at + 17) % 7];
            // Clamped so that nothing below can overflow.
            const long long width = std::min<long long>(be32(bytes, at + 8), MaxSide + 1);
            const long long height = std::min<long long>(be32(bytes, at + 12), MaxSide + 1);
            if (tooManyPixels(width, height))
                return true;
            rowBytes = height * (1 + (width * bits + 7) / 8);
            packed = 0;
        } else if (type == "IDAT") {
            packed += length;
            allPacked += length;
        } else if (type == "IEND" && packed * 1032 < rowBytes) {
            return true;
        } else if (type == "MEND") {
            return allPacked * 1032 < frameBytes;
        }
        at += 12 + length;
    }
    return true;
}

/// Qt's ICNS reader trusts the lengths it finds (a zero in the table of contents had it
/// ask for 8 GB); every block must lie inside the file, and a table of contents must list
/// the blocks that follow it as they are. A block in PNG must read whole, as a PNG file
/// must (Qt hands it to the same reader).
bool icnsBroken(const QByteArray& bytes)
{
    if (!bytes.startsWith("icns"))
        return false;
    if (bytes.size() < 8 || be32(bytes, 4) > bytes.size())
        return true;
    const qsizetype end = be32(bytes, 4);
    QList<qsizetype> blocks;
    for (qsizetype at = 8; at < end; at += be32(bytes, at + 4)) {
        if (at + 8 > end || be32(bytes, at + 4) < 8 || be32(bytes, at + 4) > end - at)
            return true;
        const QByteArray data = bytes.mid(at + 8, be32(bytes, at + 4) - 8);
        if (data.startsWith("\x89PNG\r\n\x1a\n") && !pngReadsWhole(data, MaxSide, MaxPixels))
            return true;
        blocks << at;
    }
    if (blocks.isEmpty() || bytes.mid(8, 4) != "TOC ")
        return false;
    const qsizetype listed = (be32(bytes, 12) - 8) / 8;
    if (listed != blocks.size() - 1)
        return true;
    for (qsizetype n = 0; n < listed; ++n) {
        if (bytes.mid(16 + 8 * n, 8) != bytes.mid(blocks[n + 1], 8))
            return true;
    }
    return false;
}

/// A Huffman-coded JPEG spends at least one bit on each 8 × 8 block of each component; a
/// file too small for its frame is cut short (libjpeg would fill the picture with grey).
/// Arithmetic coding has no such floor and is left to the pixel limit.
bool jpegTooShort(const QByteArray& bytes)
{
    for (qsizetype at = 2; at + 4 <= bytes.size();) {
        if (byteAt(bytes, at) != 0xFF)
            return false; // broken: libjpeg reports it
        const int marker = byteAt(bytes, at + 1);
        if (marker == 0xFF) {
            ++at; // fill byte
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
            at += 2;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9)
            return false; // scan data before any frame header: libjpeg's to refuse
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if ((marker & 0x08) != 0 || at + 10 > bytes.size())
                return false;
            const long long height = be16(bytes, at + 5);
            const long long width = be16(bytes, at + 7);
            const int components = byteAt(bytes, at + 9);
            if (at + 10 + 3 * components > bytes.size())
                return false;
            int maxH = 1;
            int maxV = 1;
            for (int c = 0; c < components; ++c) {
                const int sampling = byteAt(bytes, at + 11 + 3 * c);
                maxH = std::max(maxH, sampling >> 4);
                maxV = std::max(maxV, sampling & 15);
            }
            long long blocks = 0;
            for (int c = 0; c < components; ++c) {
                const int sampling = byteAt(bytes, at + 11 + 3 * c);
                blocks +=
                    (width * (sampling >> 4) / maxH / 8) * (height * (sampling & 15) / maxV / 8);
            }
            return (bytes.size() - at) * 8 < blocks;
        }
        at += 2 + be16(bytes, at + 2);
    }
    return false;
}

/// Qt's XBM reader leaves the bytes a file lacks blank; every row byte must be there as a
/// "0x" value after the opening brace.
bool xbmCutShort(const QByteArray& bytes, QSize size)
{
    const qsizetype brace = bytes.indexOf('{');
    if (brace < 0)
        return true;
    const long long needed = static_cast<long long>((size.width() + 7) / 8) * size.height();
    long long found = 0;
    for (qsizetype at = bytes.indexOf("0x", brace); at >= 0 && found < needed;
         at = bytes.indexOf("0x", at + 2))
        ++found;
    return found < needed;
}

/// Qt's TGA reader takes the pixels missing at the end of the file as black; an
/// uncompressed TGA must hold every pixel its header announces.
bool tgaCutShort(const QByteArray& bytes)
{
    if (bytes.size() < 18)
        return true;
    if (byteAt(bytes, 2) >= 8)
        return false; // run-length data, which Qt does not read anyway
    const long long colourMap =
        byteAt(bytes, 1) != 0 ? le16(bytes, 5) * ((byteAt(bytes, 7) + 7) / 8) : 0;
    const long long pixels = static_cast<long long>(le16(bytes, 12)) * le16(bytes, 14);
    const long long pixelBytes = pixels * ((byteAt(bytes, 16) + 7) / 8);
    return 18 + byteAt(bytes, 0) + colourMap + pixelBytes > bytes.size();
}

/// Files that decode but are incomplete, that ask for more than the limits or than their
/// bytes can hold, or that would lead a reader astray.
bool cutShort(const QByteArray& bytes)
{
    return bmpShortOfRows(bytes) || bmpRunsCutShort(bytes) || gifCutShort(bytes)
           || mngCutShort(bytes) || icnsBroken(bytes);
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
    if (width <= 0 || height == 0 || height < -MaxSide || tooManyPixels(width, std::abs(height)))
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

/// Brings a decoded image to the QImage format whose raster depth the file calls for,
/// converting in place where Qt can, so a large picture is not held twice.
QImage toLoadableFormat(QImage image, bool declared32)
{
    switch (image.format()) {
    case QImage::Format_RGB32:
        // Qt decodes every opaque colour picture to RGB32; only a 32-bit BMP stays at 32.
        if (!declared32)
            image.convertTo(QImage::Format_BGR888);
        return image;
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
        image.convertTo(QImage::Format_Grayscale8);
        return image;
    case QImage::Format_RGBA64:
    case QImage::Format_RGBA64_Premultiplied:
        // Wide pictures with alpha are drawn onto the zeroed raster, i.e. over black.
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
        return image;
    default:
        image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_BGR888);
        return image;
    }
}

/// Formats to try in turn: the one the content shows, then the one the extension names,
/// since a few (TGA) have no signature and may look like another format's header. A
/// misnamed file is read by its content; Qt would try only the extension's reader.
QList<QByteArray> candidateFormats(QBuffer& buffer, const QString& path)
{
    static const QList<QByteArray> supported = QImageReader::supportedImageFormats();
    QList<QByteArray> formats;
    const QByteArray byContent = QImageReader::imageFormat(&buffer);
    if (!byContent.isEmpty())
        formats << byContent;
    const QByteArray bySuffix = QFileInfo(path).suffix().toLower().toLatin1();
    if (supported.contains(bySuffix) && !formats.contains(bySuffix))
        formats << bySuffix;
    return formats;
}

/// Decodes with Qt's reader for format; null for a failure or a picture too large. The
/// size is checked before decoding where the reader knows it and again after.
QImage readAs(QBuffer& buffer, const QByteArray& format, const QByteArray& bytes)
{
    // Before Qt's reader reads even the header: libpng would write what is wrong on stderr.
    if (format == "png" && !pngReadsWhole(bytes, MaxSide, MaxPixels))
        return {};
    buffer.seek(0);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (size.isValid() && tooManyPixels(size.width(), size.height()))
        return {};
    if (format == "xbm" && (!size.isValid() || xbmCutShort(bytes, size)))
        return {};
    if (format == "tga" && tgaCutShort(bytes))
        return {};
    QImage image;
    if (!reader.read(&image) || image.isNull() || tooManyPixels(image.width(), image.height()))
        return {};
    return image;
}

bool loadThroughQt(const QString& path, const QByteArray& bytes, TFastDIB& raster)
{
    [[maybe_unused]] static const bool limitSet = [] {
        QImageReader::setAllocationLimit(ReaderAllocationLimitMb);
        return true;
    }();
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return false;
    QImage image;
    QByteArray format;
    for (const QByteArray& candidate : candidateFormats(buffer, path)) {
        image = readAs(buffer, candidate, bytes);
        if (!image.isNull()) {
            format = candidate == "tif" ? QByteArray("tiff") : candidate;
            break;
        }
    }
    if (image.isNull())
        return false;
    const bool indexed = image.format() == QImage::Format_Indexed8;
    const bool fewColors = image.colorCount() <= 16;
    const int declared = declaredBits(bytes);
    const bool declared32 = declared == 32 && bytes.startsWith("BM");
    // Qt's TGA reader gives ARGB32 even for 24-bit files, which have no alpha to keep.
    if (format == "tga" && bytes.size() > 16 && bytes[16] == 24)
        image.convertTo(QImage::Format_BGR888);
    image = toLoadableFormat(std::move(image), declared32);
    if (!DibFromBitmap(image, raster))
        return false;
    // Qt widens 4-bit palettes to Indexed8; the file's own depth decides where it is known.
    if (indexed && (declared == 4 || (declared == 0 && fewColors && format == "tiff")))
        packToFourBits(raster);
    return true;
}

} // namespace

bool LoadPictureFile(const QString& path, TFastDIB& raster)
{
    // The readers' own words about a damaged file go nowhere: the caller reports the
    // failure in its own.
    const DecoderMessages quiet;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return false;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 4)
        return false;
    if (bytes.startsWith("\xFF\xD8\xFF")) {
        int width = 0;
        int height = 0;
        if (!readJpegSize(bytes, width, height) || tooManyPixels(width, height)
            || jpegTooShort(bytes))
            return false;
        return decodeJpeg(bytes, raster);
    }
    if (isSixteenBitBmp(bytes))
        return loadSixteenBitBmp(bytes, raster);
    if (cutShort(bytes))
        return false;
    return loadThroughQt(path, bytes, raster);
}

} // namespace Quillet
