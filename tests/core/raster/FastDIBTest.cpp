// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/raster/FastDIB.h"
#include "RasterSamples.h"

#include <QImage>
#include <QTest>

using namespace Quillet;
using namespace QuilletTest;

Q_DECLARE_METATYPE(PixelBGR)

class FastDIBTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout_data();
    void layout();
    void refusesBadSizes_data();
    void refusesBadSizes();
    void setSizeKeepsPixelsOnlyWhenUnchanged_data();
    void setSizeKeepsPixelsOnlyWhenUnchanged();
    void sharedStoreLivesUntilLastHolder();
    void shareFromDestroyingSource();
    void pixelAtZeroIsBottomLeft();
    void pixelAtWidensChannels_data();
    void pixelAtWidensChannels();
    void pixelAtIndexed();
    void fillColorLeavesPadding();
    void colorToBGR();
    void copyRect_data();
    void copyRect();
    void copyRectAcrossDepths();
    void invertBytesTwiceRestores();
    void convertDepthTo24_data();
    void convertDepthTo24();
    void drawOnConvertsStorageOrder_data();
    void drawOnConvertsStorageOrder();
    void drawTransparentOnSkipsKeyColour();
    void bitmapRoundTrip_data();
    void bitmapRoundTrip();
    void giveDibToBitmapEmptiesRaster();
};

void FastDIBTest::layout_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("stride");
    QTest::addColumn<int>("gap");
    QTest::addColumn<int>("bitsAfter");
    QTest::newRow("1 bit, 5 wide") << 5 << 1 << 4 << 3 << 1;
    QTest::newRow("1 bit, 33 wide") << 33 << 1 << 8 << 3 << 1;
    QTest::newRow("4 bits, 9 wide") << 9 << 4 << 8 << 3 << 4;
    QTest::newRow("8 bits, 3 wide") << 3 << 8 << 4 << 1 << 8;
    QTest::newRow("16 bits, 3 wide") << 3 << 16 << 8 << 2 << 16;
    QTest::newRow("24 bits, 5 wide") << 5 << 24 << 16 << 1 << 24;
    QTest::newRow("24 bits, 4 wide") << 4 << 24 << 12 << 0 << 24;
    QTest::newRow("32 bits, 3 wide") << 3 << 32 << 12 << 0 << 32;
    QTest::newRow("screen depth") << 3 << 0 << 12 << 0 << 32;
}

void FastDIBTest::layout()
{
    QFETCH(int, width);
    QFETCH(int, bits);
    QFETCH(int, stride);
    QFETCH(int, gap);
    QFETCH(int, bitsAfter);
    TFastDIB raster;
    QVERIFY(raster.SetSize(width, 3, bits));
    QCOMPARE(raster.stride(), stride);
    QCOMPARE(raster.gap(), gap);
    QCOMPARE(raster.bitsPerPixel(), bitsAfter);
    QCOMPARE(raster.bytesPerPixel(), bitsAfter / 8);
    QCOMPARE(raster.header().size, 40u);
    QCOMPARE(raster.header().sizeImage, std::uint32_t(stride * 3));
    QCOMPARE(raster.header().compression, DibHeader::Plain);
    QCOMPARE(raster.scanLine(2) - raster.scanLine(0), 2 * stride);
    QCOMPARE(raster.sharedCount(), 1);
    for (int i = 0; i < stride * 3; ++i)
        QCOMPARE(raster.bits()[i], std::uint8_t(0));
}

void FastDIBTest::refusesBadSizes_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("bits");
    QTest::newRow("depth 12") << 10 << 10 << 12;
    QTest::newRow("negative width") << -1 << 10 << 24;
    QTest::newRow("beyond memory") << 2000000000 << 2000000000 << 32;
}

void FastDIBTest::refusesBadSizes()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, bits);
    TFastDIB raster;
    QVERIFY(raster.SetSize(4, 4, 24));
    QVERIFY(!raster.SetSize(width, height, bits));
    QVERIFY(raster.isEmpty());
    QCOMPARE(raster.width(), 0);
}

void FastDIBTest::setSizeKeepsPixelsOnlyWhenUnchanged_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("bits");
    QTest::addColumn<bool>("kept");
    QTest::newRow("same") << 7 << 5 << 24 << true;
    QTest::newRow("other width") << 8 << 5 << 24 << false;
    QTest::newRow("other height") << 7 << 6 << 24 << false;
    QTest::newRow("other depth") << 7 << 5 << 32 << false;
    QTest::newRow("flipped height") << 7 << -5 << 24 << false;
}

void FastDIBTest::setSizeKeepsPixelsOnlyWhenUnchanged()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, bits);
    QFETCH(bool, kept);
    TFastDIB raster;
    QVERIFY(raster.SetSize(7, 5, 24));
    raster.FillColor(PixelBGR{1, 2, 3});
    QVERIFY(raster.SetSize(width, height, bits));
    QCOMPARE(raster.PixelAt(4, 6) == (PixelBGR{1, 2, 3}), kept);
    if (!kept)
        QCOMPARE(raster.PixelAt(0, 0), PixelBGR{});
}

void FastDIBTest::sharedStoreLivesUntilLastHolder()
{
    TFastDIB first;
    QVERIFY(first.SetSize(3, 2, 24));
    first.FillColor(PixelBGR{9, 8, 7});
    {
        TFastDIB second;
        second.ShareFrom(first);
        QCOMPARE(first.sharedCount(), 2);
        QCOMPARE(second.bits(), first.bits());
        QCOMPARE(second.width(), 3);
        setBGR(second, 1, 2, 50, 60, 70);
        QCOMPARE(first.PixelAt(1, 2), (PixelBGR{50, 60, 70}));
        TFastDIB third;
        third.ShareFrom(second);
        QCOMPARE(first.sharedCount(), 3);
        first.clear();
        QCOMPARE(second.sharedCount(), 2);
        QCOMPARE(third.PixelAt(0, 0), (PixelBGR{9, 8, 7}));
        // Taking another store lets go of the shared one.
        QVERIFY(third.SetSize(1, 1, 8));
        QCOMPARE(second.sharedCount(), 1);
        QCOMPARE(second.PixelAt(1, 2), (PixelBGR{50, 60, 70}));
    }
}

void FastDIBTest::shareFromDestroyingSource()
{
    TFastDIB holder;
    auto* fresh = new TFastDIB;
    QVERIFY(fresh->SetSize(5, 4, 8));
    fresh->colorTable()[3] = DibColor{30, 20, 10, 0};
    fresh->scanLine(2)[4] = 3;
    holder.ShareFrom(fresh, true);
    QCOMPARE(holder.sharedCount(), 1);
    QCOMPARE(holder.width(), 5);
    QCOMPARE(holder.PixelAt(2, 4), (PixelBGR{30, 20, 10}));
}

void FastDIBTest::pixelAtZeroIsBottomLeft()
{
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 1, qRgb(200, 100, 50)); // bottom left as seen
    TFastDIB raster;
    QVERIFY(DibFromBitmap(picture, raster));
    QCOMPARE(raster.height(), 2);
    QCOMPARE(raster.PixelAt(0, 0), (PixelBGR{50, 100, 200}));
    QCOMPARE(raster.PixelAt(1, 0), (PixelBGR{255, 255, 255}));
}

void FastDIBTest::pixelAtWidensChannels_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<uint>("redMask");
    QTest::addColumn<uint>("greenMask");
    QTest::addColumn<uint>("blueMask");
    QTest::addColumn<uint>("value");
    QTest::addColumn<PixelBGR>("expected");
    // Plain 16 bits: 5-5-5, red 31 green 16 blue 1.
    QTest::newRow("5-5-5") << 16 << 0u << 0u << 0u << uint(31 << 10 | 16 << 5 | 1)
                           << PixelBGR{8, 132, 255};
    QTest::newRow("5-6-5") << 16 << 0xF800u << 0x07E0u << 0x001Fu << uint(21 << 11 | 45 << 5 | 3)
                           << PixelBGR{24, 182, 173};
    // Sizes 1, 2 and 3 bits: blue 1 → 255, green 2 → 170, red 5 → 182.
    QTest::newRow("1-2-3 bits") << 32 << 0x38u << 0x06u << 0x01u << uint(5 << 3 | 2 << 1 | 1)
                                << PixelBGR{255, 170, 182};
    // Sizes 4, 7 and 8 bits: blue 9 → 153, green 100 → 201, red 200 → 200.
    QTest::newRow("4-7-8 bits") << 32 << 0x7F800u << 0x7F0u << 0xFu
                                << uint(200 << 11 | 100 << 4 | 9) << PixelBGR{153, 201, 200};
    QTest::newRow("zero 1-bit") << 32 << 0x38u << 0x06u << 0x01u << uint(5 << 3 | 2 << 1)
                                << PixelBGR{0, 170, 182};
}

void FastDIBTest::pixelAtWidensChannels()
{
    QFETCH(int, bits);
    QFETCH(uint, redMask);
    QFETCH(uint, greenMask);
    QFETCH(uint, blueMask);
    QFETCH(uint, value);
    QFETCH(PixelBGR, expected);
    DibHeader header;
    header.width = 2;
    header.height = 1;
    header.bitCount = std::uint16_t(bits);
    if (redMask != 0) {
        header.compression = DibHeader::BitFields;
        header.setMasks(redMask, greenMask, blueMask);
    }
    TFastDIB raster;
    QVERIFY(raster.SetSizeFromHeader(header));
    QCOMPARE(raster.hasBitFields(), redMask != 0);
    std::memcpy(raster.scanLine(0) + bits / 8, &value, std::size_t(bits / 8));
    QCOMPARE(raster.PixelAt(0, 1), expected);
    QCOMPARE(raster.PixelAt(0, 0), (PixelBGR{}));
}

void FastDIBTest::pixelAtIndexed()
{
    TFastDIB mono;
    QVERIFY(mono.SetSize(10, 1, 1));
    mono.colorTable()[1] = DibColor{1, 2, 3, 0};
    mono.scanLine(0)[1] = 0x40; // pixel 9
    QCOMPARE(mono.PixelAt(0, 9), (PixelBGR{1, 2, 3}));
    QCOMPARE(mono.PixelAt(0, 8), (PixelBGR{}));
    TFastDIB nibbles;
    QVERIFY(nibbles.SetSize(3, 1, 4));
    nibbles.colorTable()[5] = DibColor{5, 5, 5, 0};
    nibbles.colorTable()[12] = DibColor{12, 12, 12, 0};
    nibbles.scanLine(0)[0] = 0xC5;
    QCOMPARE(nibbles.PixelAt(0, 0), (PixelBGR{12, 12, 12}));
    QCOMPARE(nibbles.PixelAt(0, 1), (PixelBGR{5, 5, 5}));
}

void FastDIBTest::fillColorLeavesPadding()
{
    TFastDIB raster;
    QVERIFY(raster.SetSize(3, 4, 24)); // 9 pixel bytes, 3 of padding per row
    fillPadding(raster, 0xAA);
    raster.FillColor(PixelBGR{1, 2, 3});
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 3; ++x)
            QCOMPARE(raster.PixelAt(y, x), (PixelBGR{1, 2, 3}));
        for (int i = 9; i < 12; ++i)
            QCOMPARE(raster.scanLine(y)[i], std::uint8_t(0xAA));
    }
}

void FastDIBTest::colorToBGR()
{
    QCOMPARE(ColorToBGR(0x00112233), (PixelBGR{0x11, 0x22, 0x33}));
    QCOMPARE(bgrToColor(PixelBGR{0x11, 0x22, 0x33}), 0x00112233u);
}

void FastDIBTest::copyRect_data()
{
    // Source 20 × 6, pixel (top row t, column c) has blue = c, green = t. The result lists
    // the destination pixels that changed as "column,topRow<-sourceColumn,sourceTopRow".
    QTest::addColumn<QList<int>>("args"); // dx, dy, w, h, sx, sy
    QTest::addColumn<QRect>("expectedTarget");
    QTest::addColumn<QPoint>("expectedSource");
    QTest::newRow("plain") << QList<int>{2, 1, 3, 2, 5, 3} << QRect(2, 1, 3, 2) << QPoint(5, 3);
    QTest::newRow("negative dx") << QList<int>{-10, 0, 15, 1, 0, 0} << QRect(0, 0, 5, 1)
                                 << QPoint(10, 0);
    QTest::newRow("negative dy") << QList<int>{0, -2, 1, 4, 0, 0} << QRect(0, 0, 1, 2)
                                 << QPoint(0, 2);
    QTest::newRow("negative sx") << QList<int>{0, 0, 4, 1, -3, 0} << QRect(3, 0, 1, 1)
                                 << QPoint(0, 0);
    QTest::newRow("negative sy") << QList<int>{0, 0, 1, 3, 0, -1} << QRect(0, 1, 1, 2)
                                 << QPoint(0, 0);
    QTest::newRow("cut at right") << QList<int>{8, 0, 10, 1, 0, 0} << QRect(8, 0, 2, 1)
                                  << QPoint(0, 0);
    QTest::newRow("cut at bottom")
        << QList<int>{0, 3, 1, 5, 0, 0} << QRect(0, 3, 1, 1) << QPoint(0, 0);
    QTest::newRow("outside") << QList<int>{10, 0, 3, 1, 0, 0} << QRect() << QPoint();
    QTest::newRow("source outside") << QList<int>{0, 0, 3, 1, 20, 0} << QRect() << QPoint();
    QTest::newRow("zero height") << QList<int>{0, 0, 3, 0, 0, 0} << QRect() << QPoint();
}

void FastDIBTest::copyRect()
{
    QFETCH(QList<int>, args);
    QFETCH(QRect, expectedTarget);
    QFETCH(QPoint, expectedSource);
    TFastDIB source;
    QVERIFY(source.SetSize(20, 6, 24));
    for (int t = 0; t < 6; ++t)
        for (int c = 0; c < 20; ++c)
            setBGR(source, source.storageRow(t), c, std::uint8_t(c), std::uint8_t(t), 1);
    TFastDIB target;
    QVERIFY(target.SetSize(10, 4, 24));
    target.CopyRectFrom(source, args[0], args[1], args[2], args[3], args[4], args[5]);
    for (int t = 0; t < 4; ++t) {
        for (int c = 0; c < 10; ++c) {
            const PixelBGR p = target.PixelAt(target.storageRow(t), c);
            if (expectedTarget.contains(c, t)) {
                const QPoint s = expectedSource + QPoint(c, t) - expectedTarget.topLeft();
                QCOMPARE(p, (PixelBGR{std::uint8_t(s.x()), std::uint8_t(s.y()), 1}));
            } else {
                QCOMPARE(p, PixelBGR{});
            }
        }
    }
}

void FastDIBTest::copyRectAcrossDepths()
{
    TFastDIB indexed;
    QVERIFY(indexed.SetSize(4, 1, 8));
    indexed.colorTable()[0] = DibColor{0, 0, 0, 0};
    indexed.colorTable()[1] = DibColor{100, 100, 100, 0};
    indexed.colorTable()[2] = DibColor{100, 100, 100, 0}; // a tie: the first entry wins
    indexed.colorTable()[3] = DibColor{200, 10, 10, 0};
    TFastDIB colour;
    QVERIFY(colour.SetSize(4, 1, 24));
    setBGR(colour, 0, 0, 90, 110, 100);
    setBGR(colour, 0, 1, 190, 20, 0);
    setBGR(colour, 0, 2, 5, 5, 5);
    indexed.CopyRectFrom(colour, 0, 0, 3, 1, 0, 0);
    QCOMPARE(indexed.scanLine(0)[0], std::uint8_t(1));
    QCOMPARE(indexed.scanLine(0)[1], std::uint8_t(3));
    QCOMPARE(indexed.scanLine(0)[2], std::uint8_t(0));

    TFastDIB words;
    QVERIFY(words.SetSize(2, 1, 16));
    words.CopyRectFrom(colour, 0, 0, 2, 1, 0, 0);
    const auto word = [&](int x) {
        return words.scanLine(0)[x * 2] | words.scanLine(0)[x * 2 + 1] << 8;
    };
    QCOMPARE(word(0), (100 >> 3) << 10 | (110 >> 3) << 5 | (90 >> 3));
    QCOMPARE(word(1), (0 >> 3) << 10 | (20 >> 3) << 5 | (190 >> 3));

    TFastDIB back;
    QVERIFY(back.SetSize(4, 1, 24));
    back.CopyRectFrom(indexed, 0, 0, 4, 1, 0, 0);
    QCOMPARE(back.PixelAt(0, 1), (PixelBGR{200, 10, 10}));
}

void FastDIBTest::invertBytesTwiceRestores()
{
    TFastDIB raster;
    QVERIFY(raster.SetSize(7, 5, 24));
    fillRandom(raster, 7);
    TFastDIB copy;
    QVERIFY(copy.SetSize(7, 5, 24));
    copy.CopyRectFrom(raster, 0, 0, 7, 5, 0, 0);
    raster.InvertBytes();
    QCOMPARE(raster.scanLine(0)[0], std::uint8_t(255 - copy.scanLine(0)[0]));
    QCOMPARE(raster.scanLine(4)[21], std::uint8_t(255)); // padding is inverted too
    raster.InvertBytes();
    QVERIFY(sameBytes(raster, copy));
}

void FastDIBTest::convertDepthTo24_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<uint>("greenMask");
    QTest::addColumn<QByteArray>("pixels");   // the raw bytes of row 0
    QTest::addColumn<QList<int>>("expected"); // B, G, R of each of the first pixels
    QTest::newRow("1 bit") << 1 << 0u << QByteArray("\xA0", 1)
                           << QList<int>{1, 1, 1, 0, 0, 0, 1, 1, 1};
    QTest::newRow("4 bits") << 4 << 0u << QByteArray("\x21", 1) << QList<int>{2, 2, 2, 1, 1, 1};
    QTest::newRow("8 bits") << 8 << 0u << QByteArray("\x03\xFF", 2)
                            << QList<int>{3, 3, 3, 255, 255, 255};
    // 5-5-5: v becomes 8v + 6, 31 gives 254.
    QTest::newRow("16 bits 5-5-5")
        << 16 << 0u << QByteArray("\xFF\x7F\x21\x04", 4) << QList<int>{254, 254, 254, 14, 14, 14};
    // 5-6-5: k = 3; blue 31 → 251, green 63 → 255 (clamped), red 0 → 3.
    QTest::newRow("16 bits 5-6-5")
        << 16 << 0x07E0u << QByteArray("\xFF\x07", 2) << QList<int>{251, 255, 3};
    QTest::newRow("32 bits") << 32 << 0u << QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08", 8)
                             << QList<int>{1, 2, 3, 5, 6, 7};
}

void FastDIBTest::convertDepthTo24()
{
    QFETCH(int, bits);
    QFETCH(uint, greenMask);
    QFETCH(QByteArray, pixels);
    QFETCH(QList<int>, expected);
    DibHeader header;
    header.width = 3;
    header.height = 2;
    header.bitCount = std::uint16_t(bits);
    for (int i = 0; i < 256; ++i)
        header.colors[i] = DibColor{std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0};
    if (greenMask != 0) {
        header.compression = DibHeader::BitFields;
        header.setMasks(0xF800, greenMask, 0x001F);
    }
    TFastDIB raster;
    QVERIFY(raster.SetSizeFromHeader(header));
    std::memcpy(raster.scanLine(0), pixels.constData(), std::size_t(pixels.size()));
    raster.ConvertDepth(24);
    QCOMPARE(raster.bitsPerPixel(), 24);
    QCOMPARE(raster.width(), 3);
    QCOMPARE(raster.height(), 2);
    QCOMPARE(raster.sharedCount(), 1);
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(int(raster.scanLine(0)[i]), expected[i]);
}

void FastDIBTest::drawOnConvertsStorageOrder_data()
{
    QTest::addColumn<QImage::Format>("pictureFormat");
    QTest::addColumn<QImage::Format>("pageFormat");
    QTest::newRow("24 on RGB888") << QImage::Format_BGR888 << QImage::Format_RGB888;
    QTest::newRow("24 on RGB32") << QImage::Format_BGR888 << QImage::Format_RGB32;
    QTest::newRow("8 on RGB888") << QImage::Format_Indexed8 << QImage::Format_RGB888;
    QTest::newRow("32 on RGB32") << QImage::Format_RGB32 << QImage::Format_RGB32;
    QTest::newRow("16 on BGR888") << QImage::Format_RGB16 << QImage::Format_BGR888;
    QTest::newRow("24 on indexed") << QImage::Format_BGR888 << QImage::Format_Indexed8;
}

void FastDIBTest::drawOnConvertsStorageOrder()
{
    QFETCH(QImage::Format, pictureFormat);
    QFETCH(QImage::Format, pageFormat);
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(qRgb(255, 0, 0));
    picture.setPixel(1, 1, qRgb(0, 0, 255));
    TFastDIB raster;
    QVERIFY(DibFromBitmap(picture.convertToFormat(pictureFormat), raster));
    QImage page(6, 5, pageFormat);
    if (pageFormat == QImage::Format_Indexed8)
        page.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 255), qRgb(255, 0, 0)});
    page.fill(Qt::white);
    raster.DrawOn(page, -1, 2);
    QCOMPARE(page.pixel(0, 3), qRgb(0, 0, 255));
    QCOMPARE(page.pixel(1, 3), qRgb(255, 0, 0));
    QCOMPARE(page.pixel(0, 2), qRgb(255, 0, 0));
    QCOMPARE(page.pixel(2, 2), qRgb(255, 255, 255));
    QCOMPARE(page.pixel(0, 4), qRgb(255, 255, 255));
}

void FastDIBTest::drawTransparentOnSkipsKeyColour()
{
    TFastDIB raster;
    QVERIFY(raster.SetSize(2, 1, 24));
    setBGR(raster, 0, 0, 10, 20, 30);
    setBGR(raster, 0, 1, 10, 20, 31);
    QImage page(2, 1, QImage::Format_RGB888);
    page.fill(qRgb(1, 2, 3));
    raster.DrawTransparentOn(page, 0, 0, ColorToBGR(0x000A141E));
    QCOMPARE(page.pixel(0, 0), qRgb(1, 2, 3));
    QCOMPARE(page.pixel(1, 0), qRgb(31, 20, 10));
}

void FastDIBTest::bitmapRoundTrip_data()
{
    QTest::addColumn<QImage::Format>("format");
    QTest::addColumn<int>("bits");
    QTest::newRow("mono") << QImage::Format_Mono << 1;
    QTest::newRow("mono lsb") << QImage::Format_MonoLSB << 1;
    QTest::newRow("indexed") << QImage::Format_Indexed8 << 8;
    QTest::newRow("grey") << QImage::Format_Grayscale8 << 8;
    QTest::newRow("5-5-5") << QImage::Format_RGB555 << 16;
    QTest::newRow("5-6-5") << QImage::Format_RGB16 << 16;
    QTest::newRow("BGR") << QImage::Format_BGR888 << 24;
    QTest::newRow("RGB") << QImage::Format_RGB888 << 24;
    QTest::newRow("RGB32") << QImage::Format_RGB32 << 32;
    QTest::newRow("other") << QImage::Format_RGBX8888 << 32;
}

void FastDIBTest::bitmapRoundTrip()
{
    QFETCH(QImage::Format, format);
    QFETCH(int, bits);
    QImage colours(7, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            colours.setPixel(x, y, qRgb(x * 36, y * 120, (x + y) % 2 * 255));
    const QImage original = colours.convertToFormat(format);
    TFastDIB raster;
    QVERIFY(DibFromBitmap(original, raster));
    QCOMPARE(raster.bitsPerPixel(), bits);
    QCOMPARE(raster.width(), 7);
    QCOMPARE(raster.height(), 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 7; ++x) {
            const QRgb c = original.pixel(x, y);
            QCOMPARE(
                raster.PixelAt(2 - y, x),
                (PixelBGR{std::uint8_t(qBlue(c)), std::uint8_t(qGreen(c)), std::uint8_t(qRed(c))}));
        }
    }
    QImage back;
    CopyDibToBitmap(raster, back);
    QCOMPARE(back.size(), original.size());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            QCOMPARE(back.pixel(x, y), original.pixel(x, y));
    QVERIFY(!raster.isEmpty());
}

void FastDIBTest::giveDibToBitmapEmptiesRaster()
{
    TFastDIB raster;
    QVERIFY(raster.SetSize(2, 2, 24));
    raster.FillColor(PixelBGR{0, 255, 0});
    QImage bitmap;
    GiveDibToBitmap(raster, bitmap);
    QVERIFY(raster.isEmpty());
    QCOMPARE(bitmap.size(), QSize(2, 2));
    QCOMPARE(bitmap.pixel(1, 1), qRgb(0, 255, 0));
    GiveDibToBitmap(raster, bitmap); // nothing to give: the bitmap stays
    QCOMPARE(bitmap.size(), QSize(2, 2));
}

QTEST_APPLESS_MAIN(FastDIBTest)
#include "FastDIBTest.moc"
