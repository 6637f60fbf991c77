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
    QByteArray tga("\x00\x00\x02\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x02\x00\x18\x00", 18);
    tga += QByteArray("\xFF\xFF\xFF\x00\x00\xFF", 6) + QByteArray(6, char(0xFF));
    tga += QByteArray(8, 0) + QByteArray("TRUEVISION-XFILE.\0", 18);
    QTest::newRow("tga") << "colour.tga" << tga << 24 << redBGR;
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
    QByteArray hugeJpeg = encoded(QImage(8, 8, QImage::Format_RGB32), "jpeg");
    const int sof = int(hugeJpeg.indexOf("\xFF\xC0"));
    hugeJpeg[sof + 5] = char(0xFF);
    hugeJpeg[sof + 6] = char(0xF0);
    hugeJpeg[sof + 7] = char(0xFF);
    hugeJpeg[sof + 8] = char(0xF0);
    QTest::newRow("huge jpeg") << "huge.jpg" << hugeJpeg;
    QByteArray hugeBmp = bmp(16, 0, {}, QByteArray(8, 0));
    hugeBmp[18] = char(0xFF);
    hugeBmp[19] = char(0x7F);
    QTest::newRow("16-bit bmp short of rows") << "short.bmp" << hugeBmp;
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
