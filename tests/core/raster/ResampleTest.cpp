// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "RasterSamples.h"
#include "core/raster/FastDIB.h"

#include <QTest>

using namespace Quillet;
using namespace QuilletTest;

namespace {

/// The bilinear rule evaluated pixel by pixel in 64-bit arithmetic, one weight per
/// neighbour, as a yardstick for the restructured resampler.
void referenceResize(const TFastDIB& s, TFastDIB& d)
{
    const int channels = s.bytesPerPixel();
    const std::int32_t xStep = (s.width() << 16) / d.width();
    const std::int32_t yStep = (s.absHeight() << 16) / d.absHeight();
    std::int32_t y = (yStep >> 1) - 32768;
    for (int row = 0; row < d.absHeight(); ++row, y += yStep) {
        const long long i0 = y < 0 ? 0 : y >> 16;
        const long long fy = y < 0 ? 0 : y & 65535;
        const long long i1 = i0 < s.absHeight() - 1 ? i0 + 1 : i0;
        const long long wy = 65536 - fy;
        std::int32_t x = (xStep >> 1) - 32768;
        for (int column = 0; column < d.width(); ++column, x += xStep) {
            const long long j0 = x < 0 ? 0 : x >> 16;
            const long long fx = x < 0 ? 0 : x & 65535;
            const long long j1 = j0 < s.width() - 1 ? j0 + 1 : j0;
            const long long w01 = (wy * fx) >> 16;
            const long long w00 = wy - w01;
            const long long w11 = (fy * fx) >> 16;
            const long long w10 = fy - w11;
            for (int c = 0; c < channels; ++c) {
                const auto S = [&](long long r, long long j) {
                    return (long long)s.scanLine(int(r))[j * channels + c];
                };
                const long long v =
                    (w00 * S(i0, j0) + w01 * S(i0, j1) + w10 * S(i1, j0) + w11 * S(i1, j1) + 32768)
                    >> 16;
                d.scanLine(row)[column * channels + c] = std::uint8_t(v);
            }
        }
    }
}

} // namespace

class ResampleTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scaleNearestPicksColumns_data();
    void scaleNearestPicksColumns();
    void scaleNearestConvertsInto24_data();
    void scaleNearestConvertsInto24();
    void scaleNearestFromFewBitsWritesNothing_data();
    void scaleNearestFromFewBitsWritesNothing();
    void scaleNearestSameDepthIndices();
    void resizeSmoothSmallCase();
    void resizeSmoothMatchesRule_data();
    void resizeSmoothMatchesRule();
    void resizeSmoothIgnoresMismatches();
};

void ResampleTest::scaleNearestPicksColumns_data()
{
    QTest::addColumn<int>("sourceWidth");
    QTest::addColumn<int>("targetWidth");
    QTest::addColumn<QList<int>>("columns");
    QTest::newRow("4 to 3") << 4 << 3 << QList<int>{0, 1, 3};
    QTest::newRow("3 to 7") << 3 << 7 << QList<int>{0, 0, 1, 1, 1, 2, 2};
    QTest::newRow("5 to 2") << 5 << 2 << QList<int>{1, 3};
    QTest::newRow("same") << 4 << 4 << QList<int>{0, 1, 2, 3};
    QTest::newRow("1 to 3") << 1 << 3 << QList<int>{0, 0, 0};
}

void ResampleTest::scaleNearestPicksColumns()
{
    QFETCH(int, sourceWidth);
    QFETCH(int, targetWidth);
    QFETCH(QList<int>, columns);
    // Rows follow the same rule as columns: a transposed pair checks both at once.
    for (int bits : {8, 16, 24, 32}) {
        TFastDIB across, down;
        QVERIFY(across.SetSize(sourceWidth, 2, bits));
        QVERIFY(down.SetSize(2, sourceWidth, bits));
        const int bytes = bits / 8;
        for (int i = 0; i < sourceWidth; ++i)
            for (int k = 0; k < bytes; ++k) {
                across.scanLine(1)[i * bytes + k] = std::uint8_t(10 + i);
                down.scanLine(i)[bytes + k] = std::uint8_t(10 + i);
            }
        TFastDIB wide, tall;
        QVERIFY(wide.SetSize(targetWidth, 2, bits));
        QVERIFY(tall.SetSize(2, targetWidth, bits));
        across.ScaleNearestTo(wide);
        down.ScaleNearestTo(tall);
        for (int i = 0; i < targetWidth; ++i) {
            QCOMPARE(int(wide.scanLine(1)[i * bytes]), 10 + columns[i]);
            QCOMPARE(int(tall.scanLine(i)[bytes]), 10 + columns[i]);
        }
    }
}

void ResampleTest::scaleNearestConvertsInto24_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<QByteArray>("pixel");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("8 bits") << 8 << QByteArray("\x07", 1) << QByteArray("\x07\x0E\x15", 3);
    QTest::newRow("16 bits") << 16 << QByteArray("\xFF\x7F", 2) << QByteArray("\xFE\xFE\xFE", 3);
    QTest::newRow("16 bits, ones")
        << 16 << QByteArray("\x21\x04", 2) << QByteArray("\x0E\x0E\x0E", 3);
    QTest::newRow("32 bits") << 32 << QByteArray("\x01\x02\x03\x04", 4)
                             << QByteArray("\x01\x02\x03", 3);
}

void ResampleTest::scaleNearestConvertsInto24()
{
    QFETCH(int, bits);
    QFETCH(QByteArray, pixel);
    QFETCH(QByteArray, expected);
    DibHeader header;
    header.width = 2;
    header.height = 2;
    header.bitCount = std::uint16_t(bits);
    for (int i = 0; i < 256; ++i)
        header.colors[i] = DibColor{std::uint8_t(i), std::uint8_t(2 * i), std::uint8_t(3 * i), 0};
    TFastDIB source;
    QVERIFY(source.SetSizeFromHeader(header));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            std::memcpy(source.scanLine(y) + x * pixel.size(), pixel.constData(),
                        std::size_t(pixel.size()));
    TFastDIB target;
    QVERIFY(target.SetSize(3, 3, 24));
    source.ScaleNearestTo(target);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(target.scanLine(y) + x * 3), 3),
                     expected);
}

void ResampleTest::scaleNearestFromFewBitsWritesNothing_data()
{
    QTest::addColumn<int>("bits");
    QTest::newRow("1 bit") << 1;
    QTest::newRow("4 bits") << 4;
}

void ResampleTest::scaleNearestFromFewBitsWritesNothing()
{
    QFETCH(int, bits);
    TFastDIB source;
    QVERIFY(source.SetSize(8, 8, bits));
    for (int i = 0; i < 16; ++i)
        source.colorTable()[i] = DibColor{255, 255, 255, 0};
    fillRandom(source, 4);
    TFastDIB fresh;
    QVERIFY(fresh.SetSize(5, 5, 24));
    source.ScaleNearestTo(fresh);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            QCOMPARE(fresh.PixelAt(y, x), PixelBGR{});
}

void ResampleTest::scaleNearestSameDepthIndices()
{
    TFastDIB source;
    QVERIFY(source.SetSize(4, 1, 4));
    source.scanLine(0)[0] = 0x12;
    source.scanLine(0)[1] = 0x34;
    TFastDIB target;
    QVERIFY(target.SetSize(3, 1, 4));
    source.ScaleNearestTo(target); // columns 0, 1, 3
    QCOMPARE(int(target.scanLine(0)[0]), 0x12);
    QCOMPARE(int(target.scanLine(0)[1]) >> 4, 4);
}

void ResampleTest::resizeSmoothSmallCase()
{
    // Two pixels, 0 and 200, stretched to three: the middle one sits at 32767/65536.
    TFastDIB source;
    QVERIFY(source.SetSize(2, 1, 24));
    source.FillColor(PixelBGR{0, 0, 0});
    setBGR(source, 0, 1, 200, 200, 200);
    TFastDIB target;
    QVERIFY(target.SetSize(3, 1, 24));
    source.ResizeSmoothTo(target);
    QCOMPARE(target.PixelAt(0, 0), (PixelBGR{0, 0, 0}));
    QCOMPARE(target.PixelAt(0, 1), (PixelBGR{100, 100, 100}));
    QCOMPARE(target.PixelAt(0, 2), (PixelBGR{200, 200, 200}));
}

void ResampleTest::resizeSmoothMatchesRule_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<QSize>("from");
    QTest::addColumn<QSize>("to");
    QTest::newRow("shrink 80%") << 24 << QSize(101, 67) << QSize(81, 54);
    QTest::newRow("grow 125%") << 24 << QSize(97, 53) << QSize(121, 66);
    QTest::newRow("shrink hard") << 24 << QSize(301, 199) << QSize(17, 13);
    QTest::newRow("grow hard") << 24 << QSize(5, 3) << QSize(77, 41);
    QTest::newRow("one column") << 24 << QSize(1, 9) << QSize(13, 4);
    QTest::newRow("one row") << 24 << QSize(9, 1) << QSize(3, 11);
    QTest::newRow("same size") << 24 << QSize(33, 21) << QSize(33, 21);
    QTest::newRow("32 bits") << 32 << QSize(45, 31) << QSize(59, 20);
    QTest::newRow("8 bits") << 8 << QSize(45, 31) << QSize(23, 40);
}

void ResampleTest::resizeSmoothMatchesRule()
{
    QFETCH(int, bits);
    QFETCH(QSize, from);
    QFETCH(QSize, to);
    TFastDIB source;
    QVERIFY(source.SetSize(from.width(), from.height(), bits));
    fillRandom(source, unsigned(from.width() * 7 + to.height()));
    TFastDIB target, expected;
    QVERIFY(target.SetSize(to.width(), to.height(), bits));
    QVERIFY(expected.SetSize(to.width(), to.height(), bits));
    source.ResizeSmoothTo(target);
    referenceResize(source, expected);
    QVERIFY(sameBytes(target, expected));
}

void ResampleTest::resizeSmoothIgnoresMismatches()
{
    TFastDIB source, target, empty;
    QVERIFY(source.SetSize(4, 4, 24));
    source.FillColor(PixelBGR{9, 9, 9});
    QVERIFY(target.SetSize(3, 3, 32));
    source.ResizeSmoothTo(target);
    QCOMPARE(target.PixelAt(1, 1), PixelBGR{});
    QVERIFY(empty.SetSize(0, 3, 24));
    empty.ResizeSmoothTo(source);
    source.ResizeSmoothTo(empty);
    empty.ScaleNearestTo(source);
    QCOMPARE(source.PixelAt(0, 0), (PixelBGR{9, 9, 9}));
}

QTEST_APPLESS_MAIN(ResampleTest)
#include "ResampleTest.moc"
