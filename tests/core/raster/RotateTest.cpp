// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "RasterSamples.h"
#include "core/raster/FastDIB.h"

#include <QImage>
#include <QTest>
#include <QTransform>

#include <cmath>

using namespace Quillet;
using namespace QuilletTest;

namespace {

long long floorShift16(long long value)
{
    return value >= 0 ? value / 65536 : -((-value + 65535) / 65536);
}

/// The turn evaluated pixel by pixel from its definition (64-bit positions reduced to 32
/// bits, explicit floors), as a yardstick for the optimised loops.
void referenceTurn(const TFastDIB& s, TFastDIB& d, std::int32_t c, std::int32_t sn, bool smooth)
{
    const long long cx = d.width() >> 1;
    const long long cy = d.height() >> 1;
    const long long gx = (static_cast<long long>(s.width()) - d.width()) * 65536 / 2;
    const long long gy = (static_cast<long long>(s.absHeight()) - d.absHeight()) * 65536 / 2;
    const int bytes = s.bytesPerPixel();
    for (int r = 0; r < d.absHeight(); ++r) {
        for (int X = 0; X < d.width(); ++X) {
            const auto u =
                std::int32_t(std::uint32_t(gx + cx * 65536 + (X - cx) * c + (cy - r) * sn));
            const auto v =
                std::int32_t(std::uint32_t(gy + cy * 65536 + (X - cx) * sn + (r - cy) * c));
            const long long j = floorShift16(u);
            const long long i = floorShift16(v);
            std::uint8_t* own = d.scanLine(r) + X * bytes;
            if (!smooth) {
                if (j >= 0 && j < s.width() && i >= 0 && i < s.absHeight())
                    std::memcpy(own, s.scanLine(int(i)) + j * bytes, std::size_t(bytes));
                continue;
            }
            if (j < -1 || j >= s.width() || i < -1 || i >= s.absHeight())
                continue;
            const long long fx = u & 65535;
            const long long fy = v & 65535;
            const auto P = [&](long long ii, long long jj, int k) -> long long {
                if (ii < 0 || jj < 0 || ii >= s.absHeight() || jj >= s.width())
                    return own[k];
                return s.scanLine(int(ii))[jj * bytes + k];
            };
            std::uint8_t out[4];
            for (int k = 0; k < bytes; ++k) {
                const long long top =
                    (P(i, j, k) + floorShift16(fx * (P(i, j + 1, k) - P(i, j, k)))) & 255;
                const long long bottom =
                    (P(i + 1, j, k) + floorShift16(fx * (P(i + 1, j + 1, k) - P(i + 1, j, k))))
                    & 255;
                out[k] = std::uint8_t((top + floorShift16((bottom - top) * fy)) & 255);
            }
            std::memcpy(own, out, std::size_t(bytes));
        }
    }
}

std::int32_t fixedCos(double degrees)
{
    return std::int32_t(std::lrint(std::cos(degrees * M_PI / 180) * 65536));
}
std::int32_t fixedSin(double degrees)
{
    return std::int32_t(std::lrint(std::sin(degrees * M_PI / 180) * 65536));
}

QImage pictureOf(const TFastDIB& raster)
{
    QImage image;
    CopyDibToBitmap(raster, image);
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class RotateTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sizeForRotation_data();
    void sizeForRotation();
    void sizeForRotationZeroesReusedDestination();
    void quarterTurnsOfOddSquaresMatchQt_data();
    void quarterTurnsOfOddSquaresMatchQt();
    void rotate90OfFourByTwoKeepsZeroRow();
    void rotate90OfMixedParityKeepsZeroColumn();
    void turnMatchesRule_data();
    void turnMatchesRule();
    void smoothTurnByZeroCopies();
    void turnIgnoresOtherDepth();
};

void RotateTest::sizeForRotation_data()
{
    QTest::addColumn<QSize>("from");
    QTest::addColumn<double>("degrees");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("45 degrees") << QSize(100, 100) << 45.0 << QSize(142, 142);
    QTest::newRow("0 degrees") << QSize(100, 50) << 0.0 << QSize(100, 50);
    QTest::newRow("90 degrees") << QSize(100, 50) << 90.0 << QSize(50, 100);
    QTest::newRow("negative angle") << QSize(100, 50) << -30.0 << QSize(112, 94);
    QTest::newRow("30 degrees") << QSize(200, 100) << 30.0 << QSize(224, 187);
    QTest::newRow("3.7 degrees") << QSize(2480, 3508) << 3.7 << QSize(2702, 3661);
}

void RotateTest::sizeForRotation()
{
    QFETCH(QSize, from);
    QFETCH(double, degrees);
    QFETCH(QSize, expected);
    TFastDIB source;
    QVERIFY(source.SetSize(from.width(), from.height(), 8));
    source.colorTable()[1] = DibColor{1, 2, 3, 0};
    TFastDIB target;
    source.SizeForRotation(target, degrees);
    QCOMPARE(QSize(target.width(), target.height()), expected);
    QCOMPARE(target.bitsPerPixel(), 8);
    QCOMPARE(target.colorTable()[1], (DibColor{1, 2, 3, 0}));
}

void RotateTest::sizeForRotationZeroesReusedDestination()
{
    TFastDIB source, target;
    QVERIFY(source.SetSize(10, 10, 24));
    QVERIFY(target.SetSize(10, 10, 24));
    target.FillColor(PixelBGR{5, 5, 5});
    source.SizeForRotation(target, 0.0);
    QCOMPARE(target.PixelAt(3, 3), PixelBGR{});
}

void RotateTest::quarterTurnsOfOddSquaresMatchQt_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("quarter");
    for (int side : {1, 3, 5, 9})
        for (int quarter : {1, 2, 3})
            QTest::addRow("%d by %d, %d quarters", side, side, quarter) << side << quarter;
}

void RotateTest::quarterTurnsOfOddSquaresMatchQt()
{
    QFETCH(int, side);
    QFETCH(int, quarter);
    TFastDIB source;
    QVERIFY(source.SetSize(side, side, 24));
    fillRandom(source, unsigned(side));
    TFastDIB target;
    switch (quarter) {
    case 1:
        source.Rotate90To(target);
        break;
    case 2:
        source.Rotate180To(target);
        break;
    default:
        source.Rotate270To(target);
        break;
    }
    // Odd squares lose nothing at the edges, so the turn is exactly Qt's clockwise one.
    const QImage expected = pictureOf(source).transformed(QTransform().rotate(90.0 * quarter));
    QCOMPARE(pictureOf(target), expected);
}

void RotateTest::rotate90OfFourByTwoKeepsZeroRow()
{
    TFastDIB source;
    QVERIFY(source.SetSize(4, 2, 24));
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c)
            setBGR(source, r, c, std::uint8_t(10 * r + c + 1), 0, 0);
    TFastDIB target;
    source.Rotate90To(target);
    QCOMPARE(target.width(), 2);
    QCOMPARE(target.height(), 4);
    for (int i = 0; i < target.stride(); ++i)
        QCOMPARE(target.scanLine(0)[i], std::uint8_t(0));
    // Storage row r reads source column 4 − r; column X reads source row X.
    for (int r = 1; r < 4; ++r)
        for (int x = 0; x < 2; ++x)
            QCOMPARE(int(target.PixelAt(r, x).blue), 10 * x + (4 - r) + 1);
}

void RotateTest::rotate90OfMixedParityKeepsZeroColumn()
{
    TFastDIB source;
    QVERIFY(source.SetSize(3, 2, 24));
    source.FillColor(PixelBGR{7, 7, 7});
    {
        TFastDIB target;
        source.Rotate90To(target);
        QCOMPARE(QSize(target.width(), target.height()), QSize(2, 3));
        int zeroColumns = 0;
        for (int x = 0; x < 2; ++x) {
            int zeros = 0;
            for (int r = 0; r < 3; ++r)
                zeros += target.PixelAt(r, x) == PixelBGR{} ? 1 : 0;
            QVERIFY(zeros == 0 || zeros == 3);
            zeroColumns += zeros == 3 ? 1 : 0;
        }
        QCOMPARE(zeroColumns, 1);
    }
}

void RotateTest::turnMatchesRule_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("degrees");
    QTest::addColumn<bool>("smooth");
    const QList<double> angles{3.7, -3.7, 17.25, 45.0, 89.9, 90.2, 135.0, 181.3, 270.0, 359.9};
    for (int bits : {24, 32, 8})
        for (double degrees : angles)
            for (bool smooth : {true, false})
                QTest::addRow("%d bits, %g degrees%s", bits, degrees, smooth ? ", smooth" : "")
                    << bits << QSize(61 + bits / 8, 37) << degrees << smooth;
    QTest::newRow("one pixel") << 24 << QSize(1, 1) << 30.0 << true;
    QTest::newRow("one row") << 24 << QSize(40, 1) << 10.0 << true;
}

void RotateTest::turnMatchesRule()
{
    QFETCH(int, bits);
    QFETCH(QSize, size);
    QFETCH(double, degrees);
    QFETCH(bool, smooth);
    TFastDIB source;
    QVERIFY(source.SetSize(size.width(), size.height(), bits));
    fillRandom(source, unsigned(degrees * 10 + bits));
    TFastDIB target, expected;
    source.SizeForRotation(target, degrees);
    source.SizeForRotation(expected, degrees);
    // Pixels near the edges take their own old value as a neighbour: start from noise.
    fillRandom(target, 99);
    fillRandom(expected, 99);
    source.RotateTo(target, smooth, degrees);
    referenceTurn(source, expected, fixedCos(degrees), fixedSin(degrees), smooth);
    QVERIFY(sameBytes(target, expected));
}

void RotateTest::smoothTurnByZeroCopies()
{
    TFastDIB source;
    QVERIFY(source.SetSize(37, 11, 24));
    fillRandom(source, 5);
    TFastDIB target;
    source.SizeForRotation(target, 0.0);
    source.RotateTo(target, true, 0.0);
    QVERIFY(sameBytes(target, source));
}

void RotateTest::turnIgnoresOtherDepth()
{
    TFastDIB source, target;
    QVERIFY(source.SetSize(8, 8, 24));
    source.FillColor(PixelBGR{1, 1, 1});
    QVERIFY(target.SetSize(8, 8, 32));
    source.RotateTo(target, true, 10.0);
    source.RotateTo(target, false, 10.0);
    QCOMPARE(target.PixelAt(4, 4), PixelBGR{});
}

QTEST_APPLESS_MAIN(RotateTest)
#include "RotateTest.moc"
