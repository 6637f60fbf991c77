// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/TestSupport.h"
#include "support/WindowDriver.h"
#include "support/DocumentSupport.h"
#include "support/SaneSupport.h"

#include "core/app/ProjectFile.h"
#include "core/background/DocumentImport.h"
#include "core/raster/FastDIB.h"
#include "core/raster/JpegImage.h"
#include "gui/app/MainWindow.h"
#include "gui/background/BackgroundPanel.h"

#include <QClipboard>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QPainter>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>

#include <cmath>

using namespace Quillet;
using namespace WindowDriver;

namespace {

QImage decoded(const QByteArray& jpeg)
{
    TFastDIB raster;
    QImage image;
    if (decodeJpeg(jpeg, raster))
        CopyDibToBitmap(raster, image);
    return image.convertToFormat(QImage::Format_RGB32);
}

/// Mean absolute difference of two pictures of one size, compared at a coarse scale so
/// JPEG noise counts little.
double difference(const QImage& a, const QImage& b)
{
    const QSize coarse(a.width() / 16, a.height() / 16);
    const QImage x = a.scaled(coarse).convertToFormat(QImage::Format_RGB32);
    const QImage y = b.scaled(coarse).convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < coarse.height(); ++row)
        for (int col = 0; col < coarse.width(); ++col)
            sum += std::abs(qGray(x.pixel(col, row)) - qGray(y.pixel(col, row)));
    return sum / (coarse.width() * coarse.height());
}

/// The main window on a 50 mm square project whose background is a 40 × 30 picture,
/// shifted, cropped and turned, so that a reset after a new background shows.
struct Host {
    TForm1 window;
    QByteArray original;

    explicit Host(const QDir& dir)
    {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(QColor(30, 90, 160));
        if (!encodeJpeg(picture, 90, original))
            qFatal("cannot encode the test background");
        Project project;
        project.settings.SizeName = QStringLiteral("Мой");
        project.settings.PrWidth = 50;
        project.settings.PrHeight = 50;
        project.settings.MirTop = 2;
        project.settings.Angle1 = 7;
        project.BackgroundImage = original;
        const QString path = dir.filePath(QStringLiteral("form.qlet"));
        ProjectFile::save(project, path);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window) || !window.LoadProject(path))
            qFatal("the window does not come up with the test project");
    }

    const Project& project() { return window.document().project; }

    /// The background was replaced by a picture of `size` and reset to its natural size
    /// (`mmPerPixel` a picture pixel: one raster pixel unless the page has a paper size),
    /// without margins or turn.
    void verifyReset(QSize size, double mmPerPixel = double(MmPerPixel))
    {
        const ProjectSettings& s = project().settings;
        QCOMPARE(decoded(project().BackgroundImage).size(), size);
        QCOMPARE(std::lrint(s.ImgWidth / mmPerPixel), long(size.width()));
        QCOMPARE(std::lrint(s.ImgHeight / mmPerPixel), long(size.height()));
        QCOMPARE(s.MirTop, 0.0);
        QCOMPARE(s.Angle1, 0.0);
    }

    void verifyUntouched()
    {
        QCOMPARE(project().BackgroundImage, original);
        QCOMPARE(project().settings.Angle1, 7.0);
    }
};

/// Picks page `page` in the import window and confirms, or cancels it with 0.
DialogScript::Step choosePage(int page)
{
    return [page](QWidget* w) {
        QCOMPARE(w->objectName(), QStringLiteral("TForm3"));
        auto* number = w->findChild<QSpinBox*>(QStringLiteral("sSpinEdit1"));
        QVERIFY(number != nullptr);
        QCOMPARE(number->maximum(), 3);
        if (page == 0) {
            QTest::mouseClick(control<QAbstractButton>(*w, "sBitBtn1"), Qt::LeftButton);
            return;
        }
        number->setValue(page);
        QTest::mouseClick(control<QAbstractButton>(*w, "sBitBtn2"), Qt::LeftButton);
    };
}

/// Waits in the scanner dialog for the device, then scans or cancels.
DialogScript::Step scanOrCancel(bool scan)
{
    return [scan](QWidget* w) {
        QCOMPARE(w->objectName(), QStringLiteral("ScanDialog"));
        auto* start = control<QPushButton>(*w, "scanButton");
        QVERIFY(QTest::qWaitFor([&] { return start->isEnabled(); }, 20000));
        QTest::mouseClick(scan ? start : control<QPushButton>(*w, "cancelButton"), Qt::LeftButton);
    };
}

} // namespace

class BackgroundSourcesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QApplication::clipboard()->clear(); }
    void pdfPageChosenInTheWindowBecomesTheBackground();
    void cancelledOrFailedImportLeavesTheBackground_data();
    void cancelledOrFailedImportLeavesTheBackground();
    void clipboardPictureBecomesTheBackground();
    void scannedPageBecomesTheBackground();
    void replacedBackgroundIsUndoneAndRedone();

private:
    // Before any scanner starts: libsane keeps the configuration folder it first sees.
    QuilletTest::SaneConfig m_sane;
};

void BackgroundSourcesTest::pdfPageChosenInTheWindowBecomesTheBackground()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("form.pdf"));
    QVERIFY(QuilletTest::writeNumberedPdf(pdf, 3));
    Host host(dir.path());
    auto* panel = host.window.findChild<BackgroundPanel*>();
    QVERIFY(panel != nullptr);
    QSignalSpy busy(panel, &BackgroundPanel::busyChanged);
    bool messageShown = false;
    connect(panel, &BackgroundPanel::busyChanged, this, [&](bool on) {
        if (on)
            messageShown =
                control<QLabel>(host.window, "MessPanel")->isVisible() && !host.window.isEnabled();
    });

    DialogScript script({chooseFile(pdf), choosePage(2)});
    QTest::mouseClick(control<QAbstractButton>(host.window, "sSpeedButton12"), Qt::LeftButton);
    QVERIFY(script.finished());
    QVERIFY(messageShown);
    QCOMPARE(busy.size(), 4); // opening, then rendering the chosen page
    QVERIFY(!control<QLabel>(host.window, "MessPanel")->isVisible());
    QVERIFY(host.window.isEnabled());

    ImportDocument reference;
    reference.open(pdf);
    const QImage page2 = reference.page(2);
    // The A4 page keeps its paper size (before: twice it, a 600-dpi pixel per raster pixel).
    host.verifyReset(page2.size(), 25.4 / ImportDocument::FinalDpi);
    QVERIFY(qAbs(host.project().settings.ImgWidth - 210) < 0.5);
    QVERIFY(qAbs(host.project().settings.ImgHeight - 297) < 0.5);
    const QImage background = decoded(host.project().BackgroundImage);
    QVERIFY(difference(background, page2) < 2.0);
    QVERIFY(difference(background, reference.page(3)) > 4 * difference(background, page2));
}

void BackgroundSourcesTest::cancelledOrFailedImportLeavesTheBackground_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: a good 3-page PDF, cancelled
    QTest::addColumn<QString>("message");
    QTest::newRow("cancel") << QByteArray() << QString();
    QTest::newRow("broken pdf") << QByteArray("%PDF-1.4\n1 0 obj <<\ntruncated")
                                << QStringLiteral("PDF");
}

void BackgroundSourcesTest::cancelledOrFailedImportLeavesTheBackground()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("form.pdf"));
    if (content.isEmpty()) {
        QVERIFY(QuilletTest::writeNumberedPdf(path, 3));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }
    Host host(dir.path());
    DialogScript script(
        {chooseFile(path), content.isEmpty() ? choosePage(0) : press(QMessageBox::Ok)});
    QTest::mouseClick(control<QAbstractButton>(host.window, "sSpeedButton12"), Qt::LeftButton);
    QVERIFY(script.finished());
    if (!message.isEmpty()) {
        QCOMPARE(script.seen.size(), 2);
        QVERIFY2(script.seen.last().contains(message), qPrintable(script.seen.last()));
    }
    host.verifyUntouched();
    QVERIFY(host.window.isEnabled());
}

void BackgroundSourcesTest::clipboardPictureBecomesTheBackground()
{
    QTemporaryDir dir;
    Host host(dir.path());
    QAbstractButton* paste = control<QAbstractButton>(host.window, "BufBtn");

    // No picture on the clipboard: said once, and nothing changes.
    QApplication::clipboard()->setText(QStringLiteral("не картинка"));
    DialogScript empty({press(QMessageBox::Ok)});
    QTest::mouseClick(paste, Qt::LeftButton);
    QTRY_VERIFY(empty.finished());
    QVERIFY2(empty.seen.first().contains(QStringLiteral("нет картинки")),
             qPrintable(empty.seen.first()));
    host.verifyUntouched();

    QImage picture(123, 77, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter(&picture).fillRect(10, 10, 50, 30, Qt::red);
    QApplication::clipboard()->setImage(picture);
    QTest::mouseClick(paste, Qt::LeftButton);
    host.verifyReset(picture.size());
    const QImage background = decoded(host.project().BackgroundImage);
    QVERIFY(qRed(background.pixel(30, 20)) > 230 && qGreen(background.pixel(30, 20)) < 30);
    QVERIFY(qGray(background.pixel(100, 60)) > 240); // transparency flattened onto white
}

void BackgroundSourcesTest::scannedPageBecomesTheBackground()
{
    if (const QString why = QuilletTest::prepareForScans(); !why.isEmpty())
        QSKIP(qPrintable(why));
    QVERIFY(m_sane.useTestBackend("number_of_devices 1\n"));
    QTemporaryDir dir;
    Host host(dir.path());
    QImage older(20, 20, QImage::Format_RGB32);
    older.fill(Qt::green);
    QApplication::clipboard()->setImage(older);

    // A cancelled scan does not fall back on the picture already on the clipboard.
    DialogScript cancelled({scanOrCancel(false)});
    QTest::mouseClick(control<QAbstractButton>(host.window, "ScanBtn"), Qt::LeftButton);
    QVERIFY(cancelled.finished());
    host.verifyUntouched();

    DialogScript scanned({scanOrCancel(true)});
    QTest::mouseClick(control<QAbstractButton>(host.window, "ScanBtn"), Qt::LeftButton);
    QVERIFY(scanned.finished());
    const QSize page = QuilletTest::saneTestPageSize(300);
    host.verifyReset(page);
    QCOMPARE(QApplication::clipboard()->image().size(), page); // left there for other programs

    // No scanner at all: one message, nothing changed.
    QVERIFY(m_sane.setBackends(""));
    const QByteArray before = host.project().BackgroundImage;
    // The dialog may show itself while it searches before the message comes; waiting inside
    // a step would sit under the message box's own event loop, so such windows pass unanswered.
    QString message;
    DialogScript none({[&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        message = box->text();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    }});
    none.answerMessageBoxesOnly();
    QTest::mouseClick(control<QAbstractButton>(host.window, "ScanBtn"), Qt::LeftButton);
    QVERIFY(none.finished());
    QVERIFY2(message.contains(QStringLiteral("канер")), qPrintable(message));
    QCOMPARE(host.project().BackgroundImage, before);
}

void BackgroundSourcesTest::replacedBackgroundIsUndoneAndRedone()
{
    QTemporaryDir dir;
    Host host(dir.path());
    host.window.RepaintTimeTimer();
    const QImage page = host.window.pageRaster().copy();
    const ProjectSettings before = host.project().settings;
    QImage picture(123, 77, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QApplication::clipboard()->setImage(picture);
    QTest::mouseClick(control<QAbstractButton>(host.window, "BufBtn"), Qt::LeftButton);
    host.verifyReset(picture.size());

    pressKey(&host.window, Qt::Key_Z, Qt::ControlModifier);
    host.verifyUntouched();
    QVERIFY(host.project().settings == before);
    QCOMPARE(control<QDoubleSpinBox>(host.window, "MirTop")->value(), before.MirTop);
    QCOMPARE(control<QDoubleSpinBox>(host.window, "Angle1")->value(), 7.0);
    host.window.RepaintTimeTimer();
    QCOMPARE(QuilletTest::firstDifference(host.window.pageRaster(), page), QString());

    pressKey(&host.window, Qt::Key_Y, Qt::ControlModifier);
    host.verifyReset(picture.size());
    QCOMPARE(control<QDoubleSpinBox>(host.window, "Angle1")->value(), 0.0);
    host.window.RepaintTimeTimer();
    QVERIFY(!QuilletTest::firstDifference(host.window.pageRaster(), page).isEmpty());
}

QTEST_MAIN(BackgroundSourcesTest)
#include "BackgroundSourcesTest.moc"
