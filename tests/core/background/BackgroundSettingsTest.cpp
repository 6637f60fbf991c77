// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/TestSupport.h"
#include "BackgroundModel.h"

#include "core/app/ProjectDocument.h"
#include "core/background/Background.h"
#include "core/background/BackgroundSettings.h"
#include "core/common/Errors.h"
#include "core/raster/FastDIB.h"
#include "core/raster/JpegImage.h"

#include <QBuffer>
#include <QTest>

#include <cmath>

using namespace Quillet;
using QuilletTest::jpegOf;
using QuilletTest::noisePicture;
using Margin = BackgroundSettings::Margin;

namespace {

const double Mm = double(MmPerPixel);

BackgroundModel::Picture decoded(const QByteArray& jpeg)
{
    TFastDIB raster;
    if (!decodeJpeg(jpeg, raster))
        qFatal("cannot decode the test picture");
    raster.ConvertDepth(24);
    QImage image;
    CopyDibToBitmap(raster, image);
    return BackgroundModel::fromImage(image);
}

QImage expected(const QByteArray& jpeg, const ProjectSettings& s)
{
    return BackgroundModel::process(decoded(jpeg),
                                    BackgroundModel::Settings{s.ImgWidth, s.ImgHeight, s.MirTop,
                                                              s.MirBottom, s.MirLeft, s.MirRight,
                                                              s.Angle1},
                                    MmPerPixel);
}

/// A project with a 200 × 50 background set to one picture pixel per raster pixel.
struct Panel {
    ProjectSettings settings;
    QByteArray background = jpegOf(noisePicture(200, 50, 21));
    bool repaint = false;
    BackgroundSettings panel{settings, background, repaint};
    Panel() { panel.clickDefBack(); }
};

} // namespace

Q_DECLARE_METATYPE(Quillet::BackgroundSettings::Margin)

class BackgroundSettingsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defBackGivesPictureOneToOne();
    void replacedPageKeepsItsResolution_data();
    void replacedPageKeepsItsResolution();
    void sizeLeaveSnapsToPixels_data();
    void sizeLeaveSnapsToPixels();
    void widthChangeKeepsProportion_data();
    void widthChangeKeepsProportion();
    void chkRatioClick();
    void marginLeave_data();
    void marginLeave();
    void negativeLeftMarginWithExertCrops();
    void topMarginWithExertAddsWhiteStrip();
    void marginLeaveBelowZeroSize();
    void angleLeave_data();
    void angleLeave();
    void twoPointAngle_data();
    void twoPointAngle();
    void applyingMeasuredAngleTurnsBack();
    void inversion_data();
    void inversion();
    void removal();
    void replacementUndoneAndRedone_data();
    void replacementUndoneAndRedone();
    void withoutBackgroundNothingIsBuilt();
    void failedRebuildKeepsShownBackground();
};

void BackgroundSettingsTest::defBackGivesPictureOneToOne()
{
    Panel p;
    p.settings.MirTop = 3;
    p.settings.Angle1 = 12;
    p.panel.enterMargin();
    p.repaint = false;
    p.panel.clickDefBack();
    QCOMPARE(p.settings.ImgWidth, double(200 * MmPerPixel));
    QCOMPARE(p.settings.ImgHeight, double(50 * MmPerPixel));
    QCOMPARE(p.settings.MirTop, 0.0);
    QCOMPARE(p.settings.Angle1, 0.0);
    QCOMPARE(p.panel.SavedMargins()[0], 3.0); // not touched by the reset
    QVERIFY(p.repaint);
    QImage picture = BackgroundModel::toImage(decoded(p.background));
    QCOMPARE(p.panel.ShownBackground(), picture);
}

void BackgroundSettingsTest::replacedPageKeepsItsResolution_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("stated"); // what the stored JPEG data says
    QTest::newRow("picture: one pixel per raster pixel") << 0 << 0;
    QTest::newRow("document page at 600 dpi") << 600 << 600;
    QTest::newRow("document page at 150 dpi") << 150 << 150;
    QTest::newRow("a placeholder resolution is not believed") << 1 << 0;
}

void BackgroundSettingsTest::replacedPageKeepsItsResolution()
{
    QFETCH(int, dpi);
    QFETCH(int, stated);
    const long double mm = stated > 0 ? 25.4L / stated : MmPerPixel;
    Panel p;
    p.panel.replaceBackground(noisePicture(240, 120, 5), dpi);
    QCOMPARE(readJpegDpi(p.background), stated);
    QCOMPARE(p.settings.ImgWidth, double(240 * mm));
    QCOMPARE(p.settings.ImgHeight, double(120 * mm));
    // «Сброс» returns to that size, and an inversion keeps the resolution.
    p.panel.setImgWidth(40);
    p.panel.leaveImgWidth();
    p.panel.invertBackground();
    QCOMPARE(readJpegDpi(p.background), stated);
    p.panel.clickDefBack();
    QCOMPARE(p.settings.ImgWidth, double(240 * mm));
    QCOMPARE(p.panel.ShownBackground().width(), int(std::lrint(240 * mm / MmPerPixel)));
    // A quarter turn with `Exert` swaps the sides in the picture's own pixels.
    p.panel.enterAngle1();
    p.panel.setAngle1(90);
    p.panel.leaveAngle1();
    QCOMPARE(p.settings.ImgWidth, double((240 * mm / mm + 120 - 240) * mm));
}

void BackgroundSettingsTest::sizeLeaveSnapsToPixels_data()
{
    QTest::addColumn<bool>("width");
    QTest::addColumn<double>("typedPx");
    QTest::addColumn<int>("snappedPx");
    QTest::newRow("width 100.4 px") << true << 100.4 << 100;
    QTest::newRow("width 100.6 px") << true << 100.6 << 101;
    QTest::newRow("width 100.49 px") << true << 100.49 << 100;
    QTest::newRow("width 101.51 px") << true << 101.51 << 102;
    QTest::newRow("height 33.3 px") << false << 33.3 << 33;
    QTest::newRow("height 0.2 px") << false << 0.2 << 0;
}

void BackgroundSettingsTest::sizeLeaveSnapsToPixels()
{
    QFETCH(bool, width);
    QFETCH(double, typedPx);
    QFETCH(int, snappedPx);
    Panel p;
    p.panel.setChkRatio(false);
    p.repaint = false;
    const double typed = double(static_cast<long double>(typedPx) * MmPerPixel);
    if (width) {
        p.panel.setImgWidth(typed);
        p.panel.leaveImgWidth();
        QCOMPARE(p.settings.ImgWidth, double(snappedPx * MmPerPixel));
        QCOMPARE(p.panel.ShownBackground().width(), snappedPx);
    } else {
        p.panel.setImgHeight(typed);
        p.panel.leaveImgHeight();
        QCOMPARE(p.settings.ImgHeight, double(snappedPx * MmPerPixel));
        QCOMPARE(p.panel.ShownBackground().height(), snappedPx);
    }
    QVERIFY(p.repaint);
    if (!p.panel.ShownBackground().isNull())
        QCOMPARE(p.panel.ShownBackground(), expected(p.background, p.settings));
}

void BackgroundSettingsTest::widthChangeKeepsProportion_data()
{
    QTest::addColumn<bool>("ratio");
    QTest::addColumn<double>("newWidth");
    QTest::addColumn<double>("newHeight"); // -1: stays as it was
    QTest::newRow("ticked: height follows, not snapped") << true << 30.0 << 30.0 * 50 / 200;
    QTest::newRow("ticked, odd width") << true << 17.3 << 17.3 * 50 / 200;
    QTest::newRow("unticked: height stays") << false << 30.0 << -1.0;
}

void BackgroundSettingsTest::widthChangeKeepsProportion()
{
    QFETCH(bool, ratio);
    QFETCH(double, newWidth);
    QFETCH(double, newHeight);
    Panel p;
    p.panel.setChkRatio(ratio);
    const double before = p.settings.ImgHeight;
    p.panel.setImgWidth(newWidth);
    QCOMPARE(p.settings.ImgHeight, newHeight < 0 ? before : newHeight);
}

void BackgroundSettingsTest::chkRatioClick()
{
    Panel p;
    QVERIFY(p.panel.ChkRatio());
    QVERIFY(!p.panel.imgHeightEnabled());
    p.panel.clickChkRatio();
    QVERIFY(!p.panel.ChkRatio());
    QVERIFY(p.panel.imgHeightEnabled());
    // The proportion is that of the processed background, margins included.
    p.panel.setExert(false);
    p.panel.enterMargin();
    p.panel.setMargin(Margin::Top, 10 * Mm);
    p.panel.leaveMargin(Margin::Top);
    p.panel.setImgHeight(99);
    p.repaint = false;
    p.panel.clickChkRatio();
    QVERIFY(p.repaint);
    QVERIFY(!p.panel.imgHeightEnabled());
    const QImage& shown = p.panel.ShownBackground();
    QCOMPARE(p.settings.ImgHeight, double(shown.height()) * p.settings.ImgWidth / shown.width());
    // Without a processed background the height becomes 0.
    ProjectSettings s;
    s.ImgWidth = 40;
    s.ImgHeight = 25;
    QByteArray none;
    bool repaint = false;
    BackgroundSettings empty(s, none, repaint);
    empty.setChkRatio(false);
    empty.clickChkRatio();
    QCOMPARE(s.ImgHeight, 0.0);
}

void BackgroundSettingsTest::marginLeave_data()
{
    QTest::addColumn<Margin>("margin");
    QTest::addColumn<double>("valuePx");
    QTest::addColumn<bool>("exert");
    QTest::addColumn<bool>("ratio");
    for (const bool exert : {true, false}) {
        for (const bool ratio : {true, false}) {
            const char* e = exert ? "exert" : "no exert";
            const char* r = ratio ? "ratio" : "no ratio";
            QTest::addRow("top 12, %s, %s", e, r) << Margin::Top << 12.0 << exert << ratio;
            QTest::addRow("bottom -7.4, %s, %s", e, r) << Margin::Bottom << -7.4 << exert << ratio;
            QTest::addRow("left 20.6, %s, %s", e, r) << Margin::Left << 20.6 << exert << ratio;
            QTest::addRow("right -30, %s, %s", e, r) << Margin::Right << -30.0 << exert << ratio;
            QTest::addRow("left beyond the box, %s, %s", e, r)
                << Margin::Left << 250.0 << exert << ratio;
        }
    }
}

void BackgroundSettingsTest::marginLeave()
{
    QFETCH(Margin, margin);
    QFETCH(double, valuePx);
    QFETCH(bool, exert);
    QFETCH(bool, ratio);
    Panel p;
    p.panel.setExert(exert);
    p.panel.setChkRatio(ratio);
    const ProjectSettings before = p.settings;
    p.panel.enterMargin();
    p.panel.setMargin(margin, double(static_cast<long double>(valuePx) * MmPerPixel));
    p.repaint = false;
    p.panel.leaveMargin(margin);
    QVERIFY(p.repaint);
    QCOMPARE(p.panel.ChkRatio(), ratio);
    const double snappedMm = double(std::nearbyint(valuePx) * MmPerPixel);
    const double* value = margin == Margin::Top      ? &p.settings.MirTop
                          : margin == Margin::Bottom ? &p.settings.MirBottom
                          : margin == Margin::Left   ? &p.settings.MirLeft
                                                     : &p.settings.MirRight;
    QCOMPARE(*value, snappedMm);
    const bool horizontal = margin == Margin::Left || margin == Margin::Right;
    double width = before.ImgWidth;
    double height = before.ImgHeight;
    if (exert) {
        (horizontal ? width : height) = std::max(0.0, (horizontal ? width : height) + snappedMm);
        QCOMPARE(p.panel.SavedMargins(),
                 (std::array<double, 4>{p.settings.MirTop, p.settings.MirBottom, p.settings.MirLeft,
                                        p.settings.MirRight}));
    } else {
        QCOMPARE(p.panel.SavedMargins(), (std::array<double, 4>{0, 0, 0, 0}));
    }
    QCOMPARE(p.settings.ImgWidth, width);
    const QImage& shown = p.panel.ShownBackground();
    if (ratio) // ticked again: the height follows the new processed background
        height = double(shown.height()) * width / shown.width();
    QCOMPARE(p.settings.ImgHeight, height);
    // The picture was built from the settings as they stood before the proportion was
    // applied again.
    ProjectSettings built = p.settings;
    built.ImgHeight =
        exert && !horizontal ? std::max(0.0, before.ImgHeight + snappedMm) : before.ImgHeight;
    QCOMPARE(shown, expected(p.background, built));
}

void BackgroundSettingsTest::negativeLeftMarginWithExertCrops()
{
    // MirLeft from 0 to −10 mm with Exert: the width drops by the snapped 10 mm, the
    // picture keeps its scale and loses its left 118 columns.
    Panel p;
    p.panel.enterMargin();
    p.panel.setMargin(Margin::Left, -10);
    p.panel.leaveMargin(Margin::Left);
    QCOMPARE(p.settings.MirLeft, double(-118 * MmPerPixel));
    QCOMPARE(p.panel.ShownBackground().width(), 200 - 118);
    const QImage picture = BackgroundModel::toImage(decoded(p.background));
    QCOMPARE(p.panel.ShownBackground(), picture.copy(118, 0, 82, 50));
    // Without Exert the width stays and the picture is stretched, its left part cut off.
    Panel q;
    q.panel.setExert(false);
    q.panel.enterMargin();
    q.panel.setMargin(Margin::Left, -10);
    q.panel.leaveMargin(Margin::Left);
    QCOMPARE(q.settings.ImgWidth, double(200 * MmPerPixel));
    QCOMPARE(q.panel.ShownBackground().width(), 200);
    QVERIFY(q.panel.ShownBackground() != picture);
}

void BackgroundSettingsTest::topMarginWithExertAddsWhiteStrip()
{
    Panel p;
    p.panel.setChkRatio(false);
    p.panel.enterMargin();
    p.panel.setMargin(Margin::Top, 5);
    p.panel.leaveMargin(Margin::Top);
    QCOMPARE(p.settings.ImgHeight, double(50 * MmPerPixel + 59 * MmPerPixel));
    const QImage& shown = p.panel.ShownBackground();
    QCOMPARE(shown.size(), QSize(200, 109));
    for (int y = 0; y < 59; ++y)
        for (int x = 0; x < 200; x += 7)
            QCOMPARE(shown.pixel(x, y), qRgb(255, 255, 255));
    const QImage picture = BackgroundModel::toImage(decoded(p.background));
    QCOMPARE(shown.copy(0, 59, 200, 50), picture);
}

void BackgroundSettingsTest::marginLeaveBelowZeroSize()
{
    // A margin that takes more than the whole size leaves a size of 0, not less.
    Panel p;
    p.panel.setChkRatio(false);
    p.panel.enterMargin();
    p.panel.setMargin(Margin::Right, -500);
    p.panel.leaveMargin(Margin::Right);
    QCOMPARE(p.settings.ImgWidth, 0.0);
    QVERIFY(p.panel.ShownBackground().isNull());
}

void BackgroundSettingsTest::angleLeave_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<bool>("exert");
    QTest::addColumn<QSize>("turned");
    for (const bool exert : {true, false}) {
        const char* e = exert ? "exert" : "no exert";
        QTest::addRow("90, %s", e) << 90.0 << exert << QSize(50, 200);
        QTest::addRow("-90, %s", e) << -90.0 << exert << QSize(50, 200);
        QTest::addRow("30, %s", e) << 30.0 << exert << turnedSize(QSize(200, 50), 30);
        QTest::addRow("0.1, %s", e) << 0.1 << exert << turnedSize(QSize(200, 50), 0.1);
        QTest::addRow("180, %s", e) << 180.0 << exert << QSize(200, 50);
    }
}

void BackgroundSettingsTest::angleLeave()
{
    QFETCH(double, angle);
    QFETCH(bool, exert);
    QFETCH(QSize, turned);
    Panel p;
    p.panel.setExert(exert);
    p.panel.enterAngle1();
    QCOMPARE(p.panel.SavedMargins()[1], 200.0);
    QCOMPARE(p.panel.SavedMargins()[2], 50.0);
    p.panel.setAngle1(angle);
    p.repaint = false;
    p.panel.leaveAngle1();
    QVERIFY(p.repaint);
    QVERIFY(p.panel.ChkRatio());
    QCOMPARE(p.settings.Angle1, angle); // not snapped
    const QSize outer = exert ? turned : QSize(200, 50);
    QCOMPARE(p.panel.ShownBackground().size(), outer);
    QCOMPARE(p.settings.ImgWidth,
             exert ? double((200 * MmPerPixel / MmPerPixel + turned.width() - 200) * MmPerPixel)
                   : double(200 * MmPerPixel));
    ProjectSettings built = p.settings;
    built.ImgHeight =
        exert ? double((50 * MmPerPixel / MmPerPixel + turned.height() - 50) * MmPerPixel)
              : double(50 * MmPerPixel);
    QCOMPARE(p.panel.ShownBackground(), expected(p.background, built));
}

void BackgroundSettingsTest::twoPointAngle_data()
{
    QTest::addColumn<QPointF>("t1");
    QTest::addColumn<QPointF>("t2");
    QTest::addColumn<double>("angle1");
    QTest::addColumn<double>("angle2");
    const double a = std::atan2(10.0, 100.0) * 180 / M_PI; // 5.71°
    QTest::newRow("(10, 10) to (110, 20)") << QPointF(10, 10) << QPointF(110, 20) << 0.0 << a;
    QTest::newRow("with a turn already") << QPointF(10, 10) << QPointF(110, 20) << 3.0 << a - 3;
    QTest::newRow("right to left") << QPointF(110, 20) << QPointF(10, 10) << 0.0 << a - 180;
    QTest::newRow("same x, downwards") << QPointF(40, 10) << QPointF(40, 90) << 0.0 << 90.0;
    QTest::newRow("same x, upwards") << QPointF(40, 90) << QPointF(40, 10) << 0.0 << 90.0;
    QTest::newRow("x within 0.001") << QPointF(40, 90) << QPointF(40.0009, 10) << 1.0 << 89.0;
    QTest::newRow("x 0.002 apart")
        << QPointF(40, 10) << QPointF(40.002, 90) << 0.0 << std::atan2(80.0, 0.002) * 180 / M_PI;
}

void BackgroundSettingsTest::twoPointAngle()
{
    QFETCH(QPointF, t1);
    QFETCH(QPointF, t2);
    QFETCH(double, angle1);
    QFETCH(double, angle2);
    Panel p;
    p.settings.Angle1 = angle1;
    p.panel.openAngleOptions();
    QCOMPARE(p.panel.Angle2(), -angle1);
    p.panel.setAnglePoints(t1, t2);
    QCOMPARE(p.panel.Angle2(), angle2);
}

void BackgroundSettingsTest::applyingMeasuredAngleTurnsBack()
{
    Panel p;
    p.panel.openAngleOptions();
    p.panel.setAnglePoints(QPointF(10, 10), QPointF(110, 20));
    p.panel.applyAngleOptions();
    QVERIFY(std::abs(p.settings.Angle1 + 5.71) < 0.005);
    QCOMPARE(p.panel.ShownBackground(), expected(p.background, p.settings));
}

void BackgroundSettingsTest::inversion_data()
{
    QTest::addColumn<bool>("grey");
    QTest::newRow("colour") << false;
    QTest::newRow("greyscale") << true;
}

void BackgroundSettingsTest::inversion()
{
    QFETCH(bool, grey);
    // A smooth picture, so that encoding the negative again stays close to it.
    Panel p;
    QImage smooth(200, 50, QImage::Format_RGB888);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 200; ++x)
            smooth.setPixel(x, y, qRgb(x, 4 * y, 255 - x));
    if (grey)
        smooth = smooth.convertToFormat(QImage::Format_Grayscale8);
    p.background.clear();
    QBuffer buffer(&p.background);
    buffer.open(QIODevice::WriteOnly);
    smooth.save(&buffer, "JPEG", 95);
    buffer.close();
    p.panel.clickDefBack();
    const BackgroundModel::Picture before = decoded(p.background);
    p.repaint = false;
    p.panel.invertBackground();
    QVERIFY(p.repaint);
    const BackgroundModel::Picture after = decoded(p.background);
    QCOMPARE(after.width, before.width);
    int worst = 0;
    for (std::size_t i = 0; i < before.bytes.size(); ++i)
        worst = std::max(worst, std::abs(255 - before.bytes[i] - after.bytes[i]));
    QVERIFY2(worst <= 12, qPrintable(QString::number(worst))); // JPEG encoding again
    // Until the data is replaced the exact negative is what is shown and inverted again.
    BackgroundModel::Picture negative = before;
    BackgroundModel::invert(negative);
    const auto model = [&](const BackgroundModel::Picture& picture) {
        const ProjectSettings& s = p.settings;
        return BackgroundModel::process(picture,
                                        BackgroundModel::Settings{s.ImgWidth, s.ImgHeight, s.MirTop,
                                                                  s.MirBottom, s.MirLeft,
                                                                  s.MirRight, s.Angle1},
                                        MmPerPixel);
    };
    QCOMPARE(p.panel.ShownBackground(), model(negative));
    p.panel.enterMargin();
    p.panel.setMargin(Margin::Left, 2);
    p.panel.leaveMargin(Margin::Left);
    QCOMPARE(p.panel.ShownBackground(), model(negative));
    p.panel.invertBackground();
    QCOMPARE(p.panel.ShownBackground(), model(before));
    // Data from elsewhere (a new source, a loaded project) is decoded again.
    p.background = jpegOf(noisePicture(200, 50, 8));
    p.panel.RebuildBackground();
    QCOMPARE(p.panel.ShownBackground(), expected(p.background, p.settings));
    // Garbage does not decode: a clear error, the data left as it was.
    QByteArray bad = p.background.left(p.background.size() - 100);
    p.background = bad;
    QVERIFY_THROWS_EXCEPTION(Error, p.panel.invertBackground());
    QCOMPARE(p.background, bad);
}

void BackgroundSettingsTest::removal()
{
    Panel p;
    p.settings.MirLeft = 4;
    p.settings.Angle1 = 7;
    p.repaint = false;
    p.panel.removeBackground();
    QVERIFY(p.background.isEmpty());
    QVERIFY(p.panel.ShownBackground().isNull());
    QCOMPARE(p.settings.ImgWidth, 0.0);
    QCOMPARE(p.settings.ImgHeight, 0.0);
    QCOMPARE(p.settings.MirLeft, 0.0);
    QCOMPARE(p.settings.Angle1, 0.0);
    QVERIFY(p.repaint);
}

void BackgroundSettingsTest::replacementUndoneAndRedone_data()
{
    QTest::addColumn<bool>("before"); // a background was there before the replacement
    QTest::newRow("a turned background with a margin comes back") << true;
    QTest::newRow("no background comes back") << false;
}

void BackgroundSettingsTest::replacementUndoneAndRedone()
{
    QFETCH(bool, before);
    ProjectDocument doc;
    BackgroundSettings panel(doc);
    if (before) {
        doc.project.BackgroundImage = jpegOf(noisePicture(200, 50, 21));
        panel.clickDefBack();
        panel.enterMargin();
        panel.setMargin(Margin::Left, 2);
        panel.leaveMargin(Margin::Left);
        panel.enterAngle1();
        panel.setAngle1(7);
        panel.leaveAngle1();
    }
    const QByteArray oldImage = doc.project.BackgroundImage;
    const ProjectSettings oldSettings = doc.project.settings;
    const QImage oldShown = panel.ShownBackground();
    panel.replaceBackground(noisePicture(240, 120, 5));
    const QByteArray newImage = doc.project.BackgroundImage;
    const ProjectSettings newSettings = doc.project.settings;
    const QImage newShown = panel.ShownBackground();
    QVERIFY(newSettings != oldSettings);

    // A later edit of the tree is undone on its own, leaving the background alone.
    doc.PushUndoSnapshot();
    doc.project.Structure.fields.push_back(FieldNode{{QStringLiteral("0000"), false}, {}});
    QVERIFY(doc.Undo());
    QVERIFY(!panel.followUndo());
    QCOMPARE(doc.project.BackgroundImage, newImage);

    QVERIFY(doc.Undo());
    QVERIFY(doc.project.BackgroundImage.isSharedWith(oldImage)); // kept, never copied
    QCOMPARE(doc.project.settings, oldSettings);
    QVERIFY(panel.followUndo());
    QCOMPARE(panel.ShownBackground(), oldShown);

    QVERIFY(doc.Redo());
    QVERIFY(panel.followUndo());
    QCOMPARE(doc.project.BackgroundImage, newImage);
    QCOMPARE(doc.project.settings, newSettings);
    QCOMPARE(panel.ShownBackground(), newShown);
}

void BackgroundSettingsTest::withoutBackgroundNothingIsBuilt()
{
    ProjectSettings s;
    s.ImgWidth = 50;
    s.ImgHeight = 40;
    QByteArray none;
    bool repaint = false;
    BackgroundSettings panel(s, none, repaint);
    panel.leaveImgWidth();
    panel.enterMargin();
    panel.setMargin(Margin::Top, 3);
    panel.leaveMargin(Margin::Top);
    panel.enterAngle1();
    panel.setAngle1(30);
    panel.leaveAngle1();
    QVERIFY(panel.ShownBackground().isNull());
    QCOMPARE(s.ImgHeight, 0.0); // ChkRatio ticked again without a processed background
    QVERIFY(repaint);
}

void BackgroundSettingsTest::failedRebuildKeepsShownBackground()
{
    Panel p;
    const QImage before = p.panel.ShownBackground();
    p.panel.enterAngle1();
    p.panel.setAngle1(std::numeric_limits<double>::quiet_NaN());
    QVERIFY_THROWS_EXCEPTION(Error, p.panel.leaveAngle1());
    QCOMPARE(p.panel.ShownBackground(), before);
    QVERIFY(!p.panel.ChkRatio()); // what the handler did before the error stays
}

QTEST_GUILESS_MAIN(BackgroundSettingsTest)
#include "BackgroundSettingsTest.moc"
