// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/raster/JpegImage.h"
#include "RasterSamples.h"
#include "core/raster/FastDIB.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTest>

using namespace Quillet;
using namespace QuilletTest;

namespace {

/// 64 × 48 picture: red top half, blue bottom half as seen.
TFastDIB* twoBands()
{
    auto* raster = new TFastDIB;
    raster->SetSize(64, 48, 24);
    raster->FillColor(PixelBGR{255, 0, 0});
    for (int t = 0; t < 24; ++t)
        for (int x = 0; x < 64; ++x)
            setBGR(*raster, raster->storageRow(t), x, 0, 0, 255);
    return raster;
}

bool near(PixelBGR a, PixelBGR b)
{
    return std::abs(a.blue - b.blue) <= 3 && std::abs(a.green - b.green) <= 3
           && std::abs(a.red - b.red) <= 3;
}

} // namespace

class JpegImageTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void encoderWritesBaselineJfif_data();
    void encoderWritesBaselineJfif();
    void roundTripKeepsOrientation();
    void qualityChangesSize();
    void pageLayoutsEncodeAlike_data();
    void pageLayoutsEncodeAlike();
    void greyDecodesToEightBits();
    void corruptDataLeavesRasterAlone_data();
    void corruptDataLeavesRasterAlone();
    void heldBitmapDecodesAndEncodes();
    void sizeFromData();
};

void JpegImageTest::encoderWritesBaselineJfif_data()
{
    QTest::addColumn<int>("bits");
    QTest::newRow("24 bits") << 24;
    QTest::newRow("32 bits") << 32;
    QTest::newRow("8 bits") << 8;
}

void JpegImageTest::encoderWritesBaselineJfif()
{
    QFETCH(int, bits);
    std::unique_ptr<TFastDIB> raster(twoBands());
    raster->ConvertDepth(bits);
    QByteArray out;
    QVERIFY(encodeJpeg(*raster, 90, out));
    QVERIFY(out.startsWith("\xFF\xD8\xFF\xE0"));
    // APP0: length 16, "JFIF\0", version 1.01, density unit 0, density 1 × 1.
    QCOMPARE(out.mid(4, 14), QByteArray("\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01", 14));
    QVERIFY(out.contains("\xFF\xC0"));  // baseline frame
    QVERIFY(!out.contains("\xFF\xC2")); // never progressive
    QVERIFY(out.endsWith("\xFF\xD9"));
}

void JpegImageTest::roundTripKeepsOrientation()
{
    std::unique_ptr<TFastDIB> raster(twoBands());
    QByteArray out;
    QVERIFY(encodeJpeg(*raster, 95, out));
    TFastDIB decoded;
    QVERIFY(DibFromJpeg(JpegImage(out), decoded));
    QCOMPARE(decoded.bitsPerPixel(), 24);
    QCOMPARE(decoded.width(), 64);
    QCOMPARE(decoded.height(), 48);
    QVERIFY(near(decoded.PixelAt(0, 0), PixelBGR{255, 0, 0}));   // bottom: blue
    QVERIFY(near(decoded.PixelAt(47, 63), PixelBGR{0, 0, 255})); // top: red
}

void JpegImageTest::qualityChangesSize()
{
    TFastDIB noisy;
    QVERIFY(noisy.SetSize(97, 31, 24));
    fillRandom(noisy, 3);
    QByteArray low, high;
    QVERIFY(encodeJpeg(noisy, 10, low));
    QVERIFY(encodeJpeg(noisy, 95, high));
    QVERIFY(low.size() < high.size());
    // A buffer reused for a smaller picture holds exactly the new bytes.
    QByteArray reused = high;
    QVERIFY(encodeJpeg(noisy, 10, reused));
    QCOMPARE(reused, low);
}

void JpegImageTest::pageLayoutsEncodeAlike_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("RGB32") << int(QImage::Format_RGB32);
    QTest::newRow("ARGB32") << int(QImage::Format_ARGB32);
    QTest::newRow("RGBX8888") << int(QImage::Format_RGBX8888);
    QTest::newRow("RGB888") << int(QImage::Format_RGB888);
    QTest::newRow("Grayscale8") << int(QImage::Format_Grayscale8);
}

void JpegImageTest::pageLayoutsEncodeAlike()
{
    // Whatever layout the page raster has, the file is the one its B, G, R bytes give.
    QFETCH(int, format);
    QImage page(101, 37, QImage::Format_RGB32);
    quint32 seed = 11;
    for (int y = 0; y < page.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(page.scanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            line[x] = 0xFF000000u | (seed >> 8);
        }
    }
    page = page.convertToFormat(QImage::Format(format));
    QByteArray expected, actual;
    QVERIFY(encodeJpeg(page.convertToFormat(QImage::Format_BGR888), 90, expected));
    QVERIFY(encodeJpeg(page, 90, actual));
    QCOMPARE(actual, expected);
}

void JpegImageTest::greyDecodesToEightBits()
{
    QImage grey(10, 6, QImage::Format_Grayscale8);
    grey.fill(qRgb(77, 77, 77));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(QImageWriter(&buffer, "jpeg").write(grey));
    TFastDIB raster;
    QVERIFY(decodeJpeg(bytes, raster));
    QCOMPARE(raster.bitsPerPixel(), 8);
    QCOMPARE(raster.colorTable()[200], (DibColor{200, 200, 200, 0}));
    QVERIFY(near(raster.PixelAt(2, 3), PixelBGR{77, 77, 77}));
}

void JpegImageTest::corruptDataLeavesRasterAlone_data()
{
    std::unique_ptr<TFastDIB> raster(twoBands());
    QByteArray good;
    encodeJpeg(*raster, 90, good);
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("truncated") << good.left(good.size() / 2);
    QTest::newRow("header only") << good.left(30);
    QTest::newRow("truncated, end marker stuck on")
        << good.left(good.size() / 2) + QByteArray("\xff\xd9", 2);
    QByteArray scrambled = good;
    for (qsizetype i = 20; i < scrambled.size(); i += 7)
        scrambled[i] = char(scrambled[i] ^ 0x5A);
    QTest::newRow("scrambled") << scrambled;
    QTest::newRow("not a jpeg") << QByteArray("GIF89a........");
}

void JpegImageTest::corruptDataLeavesRasterAlone()
{
    QFETCH(QByteArray, data);
    TFastDIB raster;
    QVERIFY(raster.SetSize(3, 3, 24));
    raster.FillColor(PixelBGR{1, 2, 3});
    const bool decoded = DibFromJpeg(JpegImage(data), raster);
    if (!decoded) {
        QCOMPARE(raster.width(), 3);
        QCOMPARE(raster.PixelAt(1, 1), (PixelBGR{1, 2, 3}));
    }
    QVERIFY(!decoded || QTest::currentDataTag() == QByteArray("scrambled"));
}

void JpegImageTest::heldBitmapDecodesAndEncodes()
{
    QImage bitmap(5, 4, QImage::Format_RGB32);
    bitmap.fill(qRgb(10, 200, 30));
    JpegImage jpeg;
    jpeg.setBitmap(bitmap);
    QCOMPARE(jpeg.width(), 5);
    QVERIFY(jpeg.data().isEmpty());
    TFastDIB raster;
    QVERIFY(DibFromJpeg(jpeg, raster));
    QCOMPARE(raster.PixelAt(0, 0), (PixelBGR{30, 200, 10}));
    QVERIFY(jpeg.encode(90));
    QVERIFY(jpeg.data().startsWith("\xFF\xD8"));
    jpeg.setData(jpeg.data());
    QVERIFY(!jpeg.hasBitmap());
    QCOMPARE(jpeg.height(), 4);
}

void JpegImageTest::sizeFromData()
{
    std::unique_ptr<TFastDIB> raster(twoBands());
    QByteArray out;
    QVERIFY(encodeJpeg(*raster, 50, out));
    const JpegImage jpeg(out);
    QCOMPARE(jpeg.width(), 64);
    QCOMPARE(jpeg.height(), 48);
    QVERIFY(!jpeg.isEmpty());
    QVERIFY(JpegImage(QByteArray("junk")).isEmpty());
    QVERIFY(JpegImage().isEmpty());
}

QTEST_GUILESS_MAIN(JpegImageTest)
#include "JpegImageTest.moc"
