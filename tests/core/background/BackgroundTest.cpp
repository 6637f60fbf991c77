// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/TestSupport.h"
#include "BackgroundModel.h"

#include "core/app/Project.h"
#include "core/background/Background.h"
#include "core/common/Errors.h"
#include "core/raster/FastDIB.h"
#include "core/raster/JpegImage.h"

#include <QBuffer>
#include <QImage>
#include <QTest>

using namespace Quillet;
using QuilletTest::firstDifference;
using QuilletTest::jpegOf;
using QuilletTest::noisePicture;

namespace {

QByteArray greyJpeg(int width, int height)
{
    QImage grey = noisePicture(width, height, 7).convertToFormat(QImage::Format_Grayscale8);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    grey.save(&buffer, "JPEG", 95);
    return bytes;
}

/// The decoded picture as the model's input: the JPEG decoder is not under test here.
BackgroundModel::Picture decodedPicture(const QByteArray& jpeg)
{
    TFastDIB raster;
    if (!decodeJpeg(jpeg, raster))
        qFatal("cannot decode the test picture");
    QImage image;
    CopyDibToBitmap(raster, image);
    return BackgroundModel::fromImage(image);
}

double mmOf(double px)
{
    return px * double(MmPerPixel);
}

ProjectSettings settingsOf(const BackgroundModel::Settings& m)
{
    ProjectSettings s;
    s.ImgWidth = m.width;
    s.ImgHeight = m.height;
    s.MirTop = m.top;
    s.MirBottom = m.bottom;
    s.MirLeft = m.left;
    s.MirRight = m.right;
    s.Angle1 = m.angle;
    return s;
}

/// Settings with every length given in 300-dpi pixels.
BackgroundModel::Settings inPixels(double w, double h, double top, double bottom, double left,
                                   double right, double angle)
{
    return BackgroundModel::Settings{mmOf(w),    mmOf(h),     mmOf(top), mmOf(bottom),
                                     mmOf(left), mmOf(right), angle};
}

} // namespace

class BackgroundTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matchesReference_data();
    void matchesReference();
    void defaultSizeGivesDecodedPicture_data();
    void defaultSizeGivesDecodedPicture();
    void emptyAndWhiteResults_data();
    void emptyAndWhiteResults();
    void angleBranches_data();
    void angleBranches();
    void quarterTurnEdgeIsWhite();
    void marginsPlacePicture();
    void refusesBadInput_data();
    void refusesBadInput();
    void turnedSizes_data();
    void turnedSizes();
    void fromDecodedPicture_data();
    void fromDecodedPicture();
};

void BackgroundTest::matchesReference_data()
{
    QTest::addColumn<int>("pictureWidth");
    QTest::addColumn<int>("pictureHeight");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("bottom");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<double>("angle");

    // Every branch of the turn, as entered in tenths of a degree.
    const struct {
        const char* name;
        double angle;
    } angles[] = {
        {"t=0", 0.0},
        {"t=1", 0.1},
        {"t=3599", 359.9},
        {"t=899", 89.9},
        {"t=900", 90.0},
        {"t=901", 90.1},
        {"t=1799", 179.9},
        {"t=1800", 180.0},
        {"t=1801", 180.1},
        {"t=2699", 269.9},
        {"t=2700", 270.0},
        {"t=2701", 270.1},
        {"t=-900", -90.0},
        {"t=4500", 450.0},
        {"t=-1", -0.1},
        {"t=902", 90.2},
        {"90.05 is t=900", 90.05},
        {"90.15 is t=902", 90.15},
        {"t=898", 89.8},
        {"t=1798", 179.8},
        {"t=2702", 270.2},
        {"t=3600", 360.0},
        {"t=2", 0.2},
        {"t=-1800", -180.0},
        {"t=-4500", -450.0},
        {"t=450", 45.0},
        {"t=300", 30.0},
        {"t=-2700", -270.0},
        {"t=7200", 720.0},
        {"t=3598", 359.8},
    };
    for (const auto& a : angles) {
        // Sized so that a quarter turn needs no resampling, and so that it does.
        QTest::addRow("%s, 1:1", a.name)
            << 23 << 17 << 23.0 << 17.0 << 0.0 << 0.0 << 0.0 << 0.0 << a.angle;
        QTest::addRow("%s, resized with margins", a.name)
            << 23 << 17 << 31.0 << 19.0 << 2.0 << 3.0 << 4.0 << 1.0 << a.angle;
    }
    QTest::newRow("even sides, 90") << 20 << 14 << 14.0 << 20.0 << 0.0 << 0.0 << 0.0 << 0.0 << 90.0;
    QTest::newRow("even sides, 270")
        << 20 << 14 << 14.0 << 20.0 << 0.0 << 0.0 << 0.0 << 0.0 << 270.0;
    QTest::newRow("even sides, 180")
        << 20 << 14 << 20.0 << 14.0 << 0.0 << 0.0 << 0.0 << 0.0 << 180.0;
    QTest::newRow("shrunk") << 40 << 30 << 13.0 << 9.0 << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("enlarged") << 9 << 7 << 40.0 << 33.0 << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("negative left and top margins crop")
        << 23 << 17 << 23.0 << 17.0 << -5.0 << 0.0 << -6.0 << 0.0 << 0.0;
    QTest::newRow("negative right and bottom margins crop")
        << 23 << 17 << 23.0 << 17.0 << 0.0 << -4.0 << 0.0 << -7.0 << 0.0;
    QTest::newRow("all margins negative, turned")
        << 23 << 17 << 25.0 << 20.0 << -3.0 << -2.0 << -4.0 << -1.0 << 12.5;
    QTest::newRow("left margin beyond the box")
        << 23 << 17 << 23.0 << 17.0 << 0.0 << 0.0 << 30.0 << -20.0 << 0.0;
    QTest::newRow("top margin beyond the box")
        << 23 << 17 << 23.0 << 17.0 << 25.0 << -20.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("left margin far negative")
        << 23 << 17 << 23.0 << 17.0 << 0.0 << 0.0 << -40.0 << 0.0 << 0.0;
    QTest::newRow("one pixel") << 1 << 1 << 1.0 << 1.0 << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("one pixel turned") << 1 << 1 << 3.0 << 3.0 << 0.0 << 0.0 << 0.0 << 0.0 << 33.3;
    QTest::newRow("one column, 90") << 1 << 9 << 9.0 << 1.0 << 0.0 << 0.0 << 0.0 << 0.0 << 90.0;
    QTest::newRow("half-pixel sizes round to even")
        << 23 << 17 << 22.5 << 16.5 << 0.5 << 1.5 << 2.5 << 0.0 << 0.0;
}

void BackgroundTest::matchesReference()
{
    QFETCH(int, pictureWidth);
    QFETCH(int, pictureHeight);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(double, top);
    QFETCH(double, bottom);
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(double, angle);
    const QByteArray jpeg = jpegOf(noisePicture(pictureWidth, pictureHeight, 12345));
    const BackgroundModel::Settings m = inPixels(width, height, top, bottom, left, right, angle);
    const QImage expected = BackgroundModel::process(decodedPicture(jpeg), m, MmPerPixel);
    const QImage actual = RebuildBackground(jpeg, settingsOf(m));
    QCOMPARE(actual.format(), QImage::Format_RGB888);
    const QString difference = firstDifference(actual, expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void BackgroundTest::defaultSizeGivesDecodedPicture_data()
{
    QTest::addColumn<QByteArray>("jpeg");
    QTest::addColumn<double>("mmPerPixel");
    QTest::newRow("colour, 300 dpi") << jpegOf(noisePicture(31, 22, 99)) << double(MmPerPixel);
    QTest::newRow("colour, 600 dpi")
        << jpegOf(noisePicture(31, 22, 99)) << double(mmPerPixelAt(600));
    QTest::newRow("greyscale") << greyJpeg(19, 26) << double(MmPerPixel);
}

void BackgroundTest::defaultSizeGivesDecodedPicture()
{
    // No resampling and a double inversion: the picture as decoded, widened to 24 bits.
    QFETCH(QByteArray, jpeg);
    QFETCH(double, mmPerPixel);
    TFastDIB raster;
    QVERIFY(decodeJpeg(jpeg, raster));
    raster.ConvertDepth(24);
    QImage decoded;
    CopyDibToBitmap(raster, decoded);
    ProjectSettings s;
    s.ImgWidth = double(decoded.width() * static_cast<long double>(mmPerPixel));
    s.ImgHeight = double(decoded.height() * static_cast<long double>(mmPerPixel));
    const QImage shown = RebuildBackground(jpeg, s, mmPerPixel);
    const QString difference =
        firstDifference(shown, decoded.convertToFormat(QImage::Format_RGB888));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void BackgroundTest::emptyAndWhiteResults_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("left");
    QTest::addColumn<QSize>("size"); // (0, 0): a null image
    QTest::newRow("outer width 0") << 0.0 << 10.0 << 0.0 << 0.0 << QSize(0, 0);
    QTest::newRow("outer height 0") << 10.0 << 0.0 << 0.0 << 0.0 << QSize(0, 0);
    QTest::newRow("outer width rounds to 0") << 0.4 << 10.0 << 0.0 << 0.0 << QSize(0, 0);
    QTest::newRow("negative width") << -12.0 << 10.0 << 0.0 << 0.0 << QSize(0, 0);
    QTest::newRow("margins fill the width") << 10.0 << 8.0 << 0.0 << 10.0 << QSize(10, 8);
    QTest::newRow("margins beyond the height") << 10.0 << 8.0 << 9.0 << 0.0 << QSize(10, 8);
}

void BackgroundTest::emptyAndWhiteResults()
{
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(double, top);
    QFETCH(double, left);
    QFETCH(QSize, size);
    ProjectSettings s;
    s.ImgWidth = mmOf(width);
    s.ImgHeight = mmOf(height);
    s.MirTop = mmOf(top);
    s.MirLeft = mmOf(left);
    const QImage shown = RebuildBackground(jpegOf(noisePicture(12, 9, 3)), s);
    if (size.isEmpty()) {
        QVERIFY(shown.isNull());
        return;
    }
    QCOMPARE(shown.size(), size);
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            QCOMPARE(shown.pixel(x, y), qRgb(255, 255, 255));
}

void BackgroundTest::angleBranches_data()
{
    // Which operation a branch uses shows in the size: a quarter turn exchanges the sides
    // exactly, a smooth turn sizes through the rotation formula (+0.4 before rounding).
    QTest::addColumn<double>("angle");
    QTest::addColumn<QSize>("turned");
    QTest::newRow("0.1 is not turned") << 0.1 << QSize(40, 10);
    QTest::newRow("-0.1 turns by 359.9") << -0.1 << QSize(40, 10);
    QTest::newRow("90 exact") << 90.0 << QSize(10, 40);
    QTest::newRow("-90 smooth by 270") << -90.0 << QSize(10, 40);
    QTest::newRow("45") << 45.0 << QSize(36, 36);
}

void BackgroundTest::angleBranches()
{
    // A 40 × 10 picture kept at one picture pixel per raster pixel of the turned size:
    // the output size is the turned size; the content is checked by matchesReference.
    QFETCH(double, angle);
    QFETCH(QSize, turned);
    const QByteArray jpeg = jpegOf(noisePicture(40, 10, 5));
    ProjectSettings s;
    s.ImgWidth = mmOf(turned.width());
    s.ImgHeight = mmOf(turned.height());
    s.Angle1 = angle;
    QCOMPARE(turnedSize(QSize(40, 10), angle), turned);
    const QImage shown = RebuildBackground(jpeg, s);
    QCOMPARE(shown.size(), turned);
}

void BackgroundTest::quarterTurnEdgeIsWhite()
{
    // The exact quarter turn maps pixel corners about the centre and leaves one edge of
    // the result uncovered; the inversions make that edge white, not black.
    const QByteArray jpeg = jpegOf(QImage(noisePicture(4, 2, 1)).scaled(40, 20));
    ProjectSettings s;
    s.ImgWidth = mmOf(20);
    s.ImgHeight = mmOf(40);
    s.Angle1 = 90;
    const QImage shown = RebuildBackground(jpeg, s);
    QCOMPARE(shown.size(), QSize(20, 40));
    for (int x = 0; x < 20; ++x)
        QCOMPARE(shown.pixel(x, 39), qRgb(255, 255, 255));
}

void BackgroundTest::marginsPlacePicture()
{
    // A top margin of 5 mm: a white strip of round(5 / MmPerPixel) = 59 rows.
    QImage black(30, 20, QImage::Format_RGB888);
    black.fill(Qt::black);
    const QByteArray jpeg = jpegOf(black);
    ProjectSettings s;
    s.MirTop = 5;
    s.ImgWidth = mmOf(30);
    s.ImgHeight = 5 + mmOf(20);
    const QImage shown = RebuildBackground(jpeg, s);
    QCOMPARE(shown.size(), QSize(30, 79));
    QCOMPARE(shown.pixel(7, 58), qRgb(255, 255, 255));
    QVERIFY(qRed(shown.pixel(7, 59)) < 8);
}

void BackgroundTest::refusesBadInput_data()
{
    QTest::addColumn<QByteArray>("jpeg");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("angle");
    QTest::addColumn<bool>("throws");
    const QByteArray good = jpegOf(noisePicture(30, 20, 11));
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("no background") << QByteArray() << 10.0 << 0.0 << 0.0 << false;
    QTest::newRow("not a JPEG") << QByteArray(300, 'x') << 10.0 << 0.0 << 0.0 << false;
    QTest::newRow("scan cut short") << good.left(good.size() - 40) << 10.0 << 0.0 << 0.0 << true;
    QTest::newRow("infinite angle") << good << 10.0 << 0.0 << inf << true;
    QTest::newRow("NaN angle") << good << 10.0 << 0.0 << nan << true;
    QTest::newRow("absurd angle") << good << 10.0 << 0.0 << 1e300 << true;
    QTest::newRow("NaN width") << good << nan << 0.0 << 0.0 << true;
    QTest::newRow("absurd width") << good << 1e12 << 0.0 << 0.0 << true;
    QTest::newRow("picture too large to allocate") << good << 10.0 << -5e7 << 0.0 << true;
}

void BackgroundTest::refusesBadInput()
{
    QFETCH(QByteArray, jpeg);
    QFETCH(double, width);
    QFETCH(double, left);
    QFETCH(double, angle);
    QFETCH(bool, throws);
    ProjectSettings s;
    s.ImgWidth = width;
    s.ImgHeight = 10;
    s.MirLeft = left;
    s.Angle1 = angle;
    if (throws) {
        QVERIFY(hasBackground(jpeg)); // the header reads: the failure comes later
        QVERIFY_THROWS_EXCEPTION(Error, RebuildBackground(jpeg, s));
    } else {
        QVERIFY(RebuildBackground(jpeg, s).isNull());
    }
}

void BackgroundTest::turnedSizes_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<double>("angle");
    QTest::addColumn<QSize>("turned");
    QTest::newRow("45 of 100x100") << QSize(100, 100) << 45.0 << QSize(142, 142);
    QTest::newRow("0 of 100x50") << QSize(100, 50) << 0.0 << QSize(100, 50);
    QTest::newRow("-30 as 30") << QSize(100, 50) << -30.0 << QSize(112, 94);
    QTest::newRow("empty") << QSize(0, 0) << 10.0 << QSize(0, 0);
}

void BackgroundTest::turnedSizes()
{
    QFETCH(QSize, picture);
    QFETCH(double, angle);
    QFETCH(QSize, turned);
    QCOMPARE(turnedSize(picture, angle), turned);
}

void BackgroundTest::fromDecodedPicture_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<double>("angle");
    QTest::newRow("colour, turned") << noisePicture(21, 13, 4) << 33.0;
    QTest::newRow("colour, quarter") << noisePicture(21, 13, 4) << 270.0;
    QImage grey = noisePicture(21, 13, 4).convertToFormat(QImage::Format_Indexed8);
    QTest::newRow("indexed") << grey << 0.0;
    QTest::newRow("null") << QImage() << 0.0;
}

void BackgroundTest::fromDecodedPicture()
{
    // A picture held as pixels goes through the same steps as decoded JPEG data.
    QFETCH(QImage, picture);
    QFETCH(double, angle);
    const BackgroundModel::Settings m = inPixels(30, 20, 1, 2, 3, -4, angle);
    const QImage shown = RebuildBackground(picture, settingsOf(m));
    if (picture.isNull()) {
        QVERIFY(shown.isNull());
        return;
    }
    const QImage expected =
        BackgroundModel::process(BackgroundModel::fromImage(picture), m, MmPerPixel);
    const QString difference = firstDifference(shown, expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

QTEST_GUILESS_MAIN(BackgroundTest)
#include "BackgroundTest.moc"
