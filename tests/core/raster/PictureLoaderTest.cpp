// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/raster/FastDIB.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <random>

using namespace Quillet;

Q_DECLARE_METATYPE(PixelBGR)

namespace {

void put16(QByteArray& b, int v)
{
    b.append(char(v & 255));
    b.append(char((v >> 8) & 255));
}

void put32(QByteArray& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 255));
}

/// A BMP of 2 × 2 pixels whose rows are given bottom row first, already padded.
QByteArray bmp(int bits, std::uint32_t compression, const QByteArray& extra, const QByteArray& rows)
{
    QByteArray info;
    put32(info, 40);
    put32(info, 2);
    put32(info, 2);
    put16(info, 1);
    put16(info, bits);
    put32(info, compression);
    put32(info, std::uint32_t(rows.size()));
    put32(info, 2835);
    put32(info, 2835);
    put32(info, bits == 4 ? 16 : 0);
    put32(info, 0);
    QByteArray file("BM");
    const int offset = 14 + info.size() + extra.size();
    put32(file, std::uint32_t(offset + rows.size()));
    put32(file, 0);
    put32(file, std::uint32_t(offset));
    return file + info + extra + rows;
}

/// An uncompressed 24-bit TGA, bottom row first, with the footer that lets Qt recognise it.
QByteArray tga(int width, int height, const QByteArray& pixels)
{
    QByteArray file("\0\0\x02\0\0\0\0\0\0\0\0\0", 12);
    put16(file, width);
    put16(file, height);
    file += QByteArray("\x18\0", 2) + pixels + QByteArray(8, 0);
    return file + QByteArray("TRUEVISION-XFILE.\0", 18);
}

/// A GIF with the colour table white, red: white pixels of image become index 0, all
/// others 1. Each pixel is an LZW code of its own; a clear code before every second one
/// keeps the codes at three bits.
QByteArray gif(const QImage& image)
{
    QByteArray file("GIF89a");
    put16(file, image.width());
    put16(file, image.height());
    file += QByteArray("\x80\0\0\xFF\xFF\xFF\xFF\0\0\x2C\0\0\0\0", 14);
    put16(file, image.width());
    put16(file, image.height());
    file += QByteArray("\0\x02", 2);
    QByteArray codes;
    std::uint32_t pending = 0;
    int bits = 0;
    const auto code = [&](std::uint32_t value) {
        pending |= value << bits;
        for (bits += 3; bits >= 8; bits -= 8, pending >>= 8)
            codes += char(pending & 255);
    };
    for (int i = 0; i < image.width() * image.height(); ++i) {
        if (i % 2 == 0)
            code(4);
        code(image.pixel(i % image.width(), i / image.width()) == qRgb(255, 255, 255) ? 0 : 1);
    }
    code(5);
    if (bits > 0)
        codes += char(pending);
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        file += char(block.size()) + block;
    }
    return file + QByteArray("\0\x3B", 2);
}

QByteArray bigEndian(std::uint32_t v)
{
    QByteArray b;
    for (int shift = 24; shift >= 0; shift -= 8)
        b.append(char((v >> shift) & 255));
    return b;
}

/// A PNG-style chunk: length, type, data and the CRC-32 of type and data.
QByteArray chunk(const char* type, const QByteArray& data)
{
    const QByteArray body = type + data;
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : body) {
        crc ^= std::uint8_t(c);
        for (int k = 0; k < 8; ++k)
            crc = crc >> 1 ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return bigEndian(std::uint32_t(data.size())) + body + bigEndian(~crc);
}

/// An MNG showing one 24-bit PNG of picture's size, whose compressed rows are `rows`, on a
/// frame of frame's size.
QByteArray mng(QSize frame, QSize picture, const QByteArray& rows)
{
    const auto size = [](QSize s) {
        return bigEndian(std::uint32_t(s.width())) + bigEndian(std::uint32_t(s.height()));
    };
    return QByteArray("\x8AMNG\r\n\x1A\n")
           + chunk("MHDR", size(frame) + bigEndian(1) + QByteArray(12, 0) + bigEndian(1))
           + chunk("IHDR", size(picture) + QByteArray("\x08\x02\0\0\0", 5))
           + chunk("IDAT", qCompress(rows).mid(4)) + chunk("IEND", {}) + chunk("MEND", {});
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image))
        qWarning("cannot write %s: %s", format, qPrintable(writer.errorString()));
    return bytes;
}

/// 5 × 3 picture with known colours; pixel (1, 2) — second column, bottom row — is probe.
QImage sample(QImage::Format format, QRgb probe)
{
    QImage colour(5, 3, QImage::Format_ARGB32);
    colour.fill(qRgb(255, 255, 255));
    colour.setPixel(1, 2, probe);
    QImage image = colour.convertToFormat(format);
    image.setColorSpace(QColorSpace());
    return image;
}

QByteArray noise(int bytes, unsigned seed)
{
    std::mt19937 generator(seed);
    QByteArray data(bytes, Qt::Uninitialized);
    for (char& c : data)
        c = char(generator());
    return data;
}

} // namespace

class PictureLoaderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void depthFollowsFile_data();
    void depthFollowsFile();
    void sixteenBitKeepsItsMasks();
    void refusesBadFiles_data();
    void refusesBadFiles();

private:
    QString write(const QString& name, const QByteArray& bytes);
    QTemporaryDir m_dir;
};

void PictureLoaderTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString PictureLoaderTest::write(const QString& name, const QByteArray& bytes)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

void PictureLoaderTest::depthFollowsFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("bits");
    QTest::addColumn<PixelBGR>("probe"); // colour at storage row 0, column 1
    const QRgb red = qRgb(255, 0, 0);
    const PixelBGR redBGR{0, 0, 255};
    QTest::newRow("png 1 bit") << "mono.png"
                               << encoded(sample(QImage::Format_Mono, qRgb(0, 0, 0)), "png") << 1
                               << PixelBGR{0, 0, 0};
    QImage indexed = sample(QImage::Format_Indexed8, red);
    QList<QRgb> table = indexed.colorTable();
    while (table.size() < 200)
        table.append(qRgb(table.size(), 1, 2));
    indexed.setColorTable(table);
    QTest::newRow("bmp 8 bits") << "indexed.bmp" << encoded(indexed, "bmp") << 8 << redBGR;
    QTest::newRow("png 8 bits") << "indexed.png" << encoded(indexed, "png") << 8 << redBGR;
    QByteArray palette;
    for (int i = 0; i < 16; ++i)
        put32(palette, i == 3 ? 0x00FF0000u : 0x00FFFFFFu);
    QTest::newRow("bmp 4 bits") << "nibbles.bmp"
                                << bmp(4, 0, palette,
                                       QByteArray("\x03\x00\x00\x00\x00\x00\x00\x00", 8))
                                << 4 << redBGR;
    QTest::newRow("png grey") << "grey.png"
                              << encoded(sample(QImage::Format_Grayscale8, qRgb(9, 9, 9)), "png")
                              << 8 << PixelBGR{9, 9, 9};
    QTest::newRow("png 16-bit grey")
        << "grey16.png" << encoded(sample(QImage::Format_Grayscale16, qRgb(9, 9, 9)), "png") << 8
        << PixelBGR{9, 9, 9};
    QTest::newRow("bmp 24 bits") << "colour.bmp"
                                 << encoded(sample(QImage::Format_RGB888, red), "bmp") << 24
                                 << redBGR;
    QTest::newRow("png 24 bits") << "colour.png"
                                 << encoded(sample(QImage::Format_RGB32, red), "png") << 24
                                 << redBGR;
    QTest::newRow("png alpha") << "alpha.png" << encoded(sample(QImage::Format_ARGB32, red), "png")
                               << 32 << redBGR;
    QTest::newRow("png 48 bits") << "wide.png" << encoded(sample(QImage::Format_RGBX64, red), "png")
                                 << 24 << redBGR;
    QTest::newRow("png 64 bits") << "wide-alpha.png"
                                 << encoded(sample(QImage::Format_RGBA64, red), "png") << 32
                                 << redBGR;
    QTest::newRow("tiff colour") << "colour.tif"
                                 << encoded(sample(QImage::Format_RGB32, red), "tiff") << 24
                                 << redBGR;
    QTest::newRow("tiff mono") << "mono.tif"
                               << encoded(sample(QImage::Format_Mono, qRgb(0, 0, 0)), "tiff") << 1
                               << PixelBGR{0, 0, 0};
    const QByteArray pixels = QByteArray("\xFF\xFF\xFF\x00\x00\xFF", 6) + QByteArray(6, char(0xFF));
    QTest::newRow("tga") << "colour.tga" << tga(2, 2, pixels) << 24 << redBGR;
    QTest::newRow("gif") << "colour.gif" << gif(sample(QImage::Format_RGB32, red)) << 24 << redBGR;
    QByteArray palette256;
    for (int i = 0; i < 256; ++i)
        put32(palette256, i == 1 ? 0x00FF0000u : 0x00FFFFFFu);
    // Bottom row: a run of two reds; top row: two whites; then the end code.
    QTest::newRow("bmp 8 bits run-length")
        << "runs.bmp" << bmp(8, 1, palette256, QByteArray("\x02\x01\0\0\x02\0\0\x01", 8)) << 8
        << redBGR;
    QByteArray mngRows;
    for (int y = 0; y < 3; ++y) { // each row: filter 0, then R, G, B
        mngRows += '\0';
        for (int x = 0; x < 5; ++x)
            mngRows += x == 1 && y == 2 ? QByteArray("\xFF\0\0", 3) : QByteArray(3, char(0xFF));
    }
    QTest::newRow("mng") << "colour.mng" << mng({5, 3}, {5, 3}, mngRows) << 32 << redBGR;
    // The content decides, not the name: Qt alone would try only the BMP reader.
    QTest::newRow("png named .bmp")
        << "scan.bmp" << encoded(sample(QImage::Format_RGB32, red), "png") << 24 << redBGR;
    // JPEG goes through libjpeg: grey stays 8 bits, colour is 24; lossy, so near enough.
    QImage flatRed(16, 16, QImage::Format_RGB32);
    flatRed.fill(red);
    QTest::newRow("jpeg colour") << "colour.jpg" << encoded(flatRed, "jpeg") << 24
                                 << PixelBGR{0, 0, 254};
    QImage flatGrey(16, 16, QImage::Format_Grayscale8);
    flatGrey.fill(qRgb(100, 100, 100));
    QTest::newRow("webp") << "colour.webp" << encoded(flatRed, "webp") << 24 << redBGR;
    QTest::newRow("jpeg grey") << "grey.jpg" << encoded(flatGrey, "jpeg") << 8
                               << PixelBGR{100, 100, 100};
}

void PictureLoaderTest::depthFollowsFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, bits);
    QFETCH(PixelBGR, probe);
    QVERIFY(!bytes.isEmpty());
    TFastDIB raster;
    QVERIFY(LoadPictureFile(write(name, bytes), raster));
    QCOMPARE(raster.bitsPerPixel(), bits);
    QVERIFY(raster.height() > 0);
    const PixelBGR actual = raster.PixelAt(0, 1);
    if (name.endsWith(".jpg") || name.endsWith(".webp")) {
        QVERIFY(std::abs(actual.red - probe.red) <= 2 && std::abs(actual.green - probe.green) <= 2
                && std::abs(actual.blue - probe.blue) <= 2);
    } else {
        QCOMPARE(actual, probe);
        QCOMPARE(raster.PixelAt(1, 1), (PixelBGR{255, 255, 255}));
    }
}

void PictureLoaderTest::sixteenBitKeepsItsMasks()
{
    // Bottom row: pure red, pure green; top row: white, black. Rows padded to 4 bytes.
    QByteArray rows555, rows565;
    for (int v : {0x7C00, 0x03E0, 0x7FFF, 0})
        put16(rows555, v);
    for (int v : {0xF800, 0x07E0, 0xFFFF, 0})
        put16(rows565, v);
    QByteArray masks;
    put32(masks, 0xF800);
    put32(masks, 0x07E0);
    put32(masks, 0x001F);
    TFastDIB plain, fields;
    QVERIFY(LoadPictureFile(write("555.bmp", bmp(16, 0, {}, rows555)), plain));
    QVERIFY(LoadPictureFile(write("565.bmp", bmp(16, 3, masks, rows565)), fields));
    for (const TFastDIB* raster : {&plain, &fields}) {
        QCOMPARE(raster->bitsPerPixel(), 16);
        QCOMPARE(raster->PixelAt(0, 0), (PixelBGR{0, 0, 255}));
        QCOMPARE(raster->PixelAt(0, 1), (PixelBGR{0, 255, 0}));
        QCOMPARE(raster->PixelAt(1, 0), (PixelBGR{255, 255, 255}));
        QCOMPARE(raster->PixelAt(1, 1), (PixelBGR{0, 0, 0}));
    }
    QVERIFY(!plain.hasBitFields());
    QVERIFY(fields.hasBitFields());
    QCOMPARE(fields.greenSize(), 6);
    QCOMPARE(std::memcmp(fields.scanLine(0), rows565.constData(), 4), 0);
}

void PictureLoaderTest::refusesBadFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QImage big(300, 200, QImage::Format_RGB32);
    const QByteArray pixels = noise(300 * 200 * 4, 1);
    std::memcpy(big.bits(), pixels.constData(), std::size_t(pixels.size()));
    for (const char* format : {"png", "jpeg", "bmp", "tiff", "webp"}) {
        const QByteArray whole = encoded(big, format);
        QTest::addRow("truncated %s", format)
            << QStringLiteral("cut.%1").arg(format) << whole.left(whole.size() / 2);
        QTest::addRow("headers only %s", format)
            << QStringLiteral("head.%1").arg(format) << whole.left(40);
    }
    QTest::newRow("empty") << "empty.png" << QByteArray();
    QTest::newRow("garbage") << "garbage.png" << noise(5000, 2);
    QTest::newRow("garbage jpeg") << "garbage.jpg"
                                  << QByteArray("\xFF\xD8\xFF", 3) + noise(5000, 3);
    QTest::newRow("text") << "notes.bmp" << QByteArray("this is not a picture\n");
    // A PNG header claiming 100000 × 100000 pixels.
    QByteArray huge = encoded(QImage(1, 1, QImage::Format_RGB32), "png");
    huge[16] = 0;
    huge[17] = 1;
    huge[18] = char(0x86);
    huge[19] = char(0xA0);
    std::memcpy(huge.data() + 20, huge.constData() + 16, 4);
    QTest::newRow("huge png") << "huge.png" << huge;
    const auto jpegClaiming = [](int width, int height) {
        QByteArray jpeg = encoded(QImage(8, 8, QImage::Format_RGB32), "jpeg");
        const int sof = int(jpeg.indexOf("\xFF\xC0"));
        jpeg.replace(sof + 5, 4, bigEndian(std::uint32_t(height) << 16 | std::uint32_t(width)));
        return jpeg;
    };
    QTest::newRow("huge jpeg") << "huge.jpg" << jpegClaiming(0xFFF0, 0xFFF0);
    // libjpeg would fill nine million pixels with grey from the data of an 8 × 8 picture.
    QTest::newRow("jpeg frame beyond its data") << "claims.jpg" << jpegClaiming(3000, 3000);
    QByteArray hugeBmp = bmp(16, 0, {}, QByteArray(8, 0));
    hugeBmp[18] = char(0xFF);
    hugeBmp[19] = char(0x7F);
    QTest::newRow("16-bit bmp short of rows") << "short.bmp" << hugeBmp;
    // Qt reads 16-bit sizes from a 12-byte header and from any it does not know (109 bytes):
    // 2053 × 23024 pixels announced, one row there.
    for (const int headerSize : {12, 109}) {
        QByteArray oldBmp("BM\0\0\0\0\0\0\0\0\x1A\0\0\0\x0C\0\0\0\x05\x08\x10\xA6\x01\0\x10\0", 26);
        oldBmp[14] = char(headerSize);
        QTest::addRow("bmp with a %d-byte header short of rows", headerSize)
            << "old.bmp" << oldBmp + QByteArray(4108, 0);
    }
    // Qt shows what it got of these and leaves the rest blank.
    const QByteArray noisyGif = gif(big.convertToFormat(QImage::Format_Mono));
    QTest::newRow("truncated gif") << "cut.gif" << noisyGif.left(noisyGif.size() / 2);
    QImage dot(2, 2, QImage::Format_RGB32);
    dot.fill(Qt::red);
    QByteArray spreadGif = gif(dot);
    for (const int at : {6, 24}) // the screen's and the picture's size, now 300 × 200
        spreadGif.replace(at, 4, QByteArray("\x2C\x01\xC8\x00", 4));
    QTest::newRow("gif frame beyond its data") << "spread.gif" << spreadGif;
    QByteArray wideScreenGif = gif(dot);
    wideScreenGif.replace(6, 4, QByteArray("\x02\x5D\x0A\x14", 4)); // 23810 × 5130
    QTest::newRow("gif screen beyond its data") << "screen.gif" << wideScreenGif;
    QByteArray lowGif = gif(dot);
    lowGif.replace(22, 2, QByteArray("\x30\x75", 2)); // the picture 30000 rows down
    QTest::newRow("gif picture placed beyond its data") << "low.gif" << lowGif;
    // An empty control extension and a stray zero byte, which Qt passes over.
    QByteArray strayGif = noisyGif;
    strayGif.insert(19, QByteArray("\x21\xF9\0\0", 4));
    QTest::newRow("truncated gif after an empty extension")
        << "stray.gif" << strayGif.left(strayGif.size() / 2);
    QByteArray palette256(1024, char(0xFF));
    QTest::newRow("truncated run-length bmp")
        << "cut.bmp" << bmp(8, 1, palette256, QByteArray("\x02\x01\0\0", 4));
    QByteArray vastRuns = bmp(8, 1, palette256, QByteArray("\0\x01", 2)); // ends at once
    vastRuns.replace(18, 8, QByteArray("\xC8\x32\0\0\xE0\x2E\0\0", 8));   // 13000 × 12000
    QTest::newRow("run-length bmp over 150 megapixels") << "vast.bmp" << vastRuns;
    QTest::newRow("truncated tga") << "cut.tga" << tga(300, 200, QByteArray(12, char(0xFF)));
    const QByteArray xbm = encoded(big.convertToFormat(QImage::Format_Mono), "xbm");
    QTest::newRow("truncated xbm") << "cut.xbm" << xbm.left(xbm.size() / 2);
    QTest::newRow("mng rows beyond its data")
        << "claims.mng" << mng({2000, 2000}, {2000, 2000}, QByteArray(100, 0));
    // Qt's reader then asks for 8 GB, which fails outright where memory is not overcommitted.
    QByteArray icns = encoded(sample(QImage::Format_RGB32, qRgb(255, 0, 0)), "icns");
    icns.replace(20, 4, QByteArray(4, 0)); // the first length in the table of contents
    QTest::newRow("icns with a zero length") << "zero.icns" << icns;
    QTest::newRow("mng frame beyond its data")
        << "frame.mng" << mng({3000, 3000}, {2, 2}, QByteArray(14, 0));
}

void PictureLoaderTest::refusesBadFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    TFastDIB raster;
    QVERIFY(!LoadPictureFile(write(name, bytes), raster));
}

QTEST_GUILESS_MAIN(PictureLoaderTest)
#include "PictureLoaderTest.moc"
