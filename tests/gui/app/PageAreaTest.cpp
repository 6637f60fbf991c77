// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/TestSupport.h"
#include "support/WindowDriver.h"

#include "core/raster/JpegImage.h"
#include "gui/app/Look.h"
#include "gui/app/MainWindow.h"
#include "gui/app/PageView.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>

using namespace Quillet;
using namespace WindowDriver;

class PageAreaTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void zoomCommands_data();
    void zoomCommands();
    void zoomShortcuts_data();
    void zoomShortcuts();
    void fitUsesTheOuterBox();
    void projectsComeInFittedWithTheirPageCount();
    void shrunkPageKeepsThinLines_data();
    void shrunkPageKeepsThinLines();
    void physicalSizeWithoutCalibration();
    void storedCalibrationIsUsedAtStartUp();
    void calibration_data();
    void calibration();
    void rulerTicks_data();
    void rulerTicks();
    void smallScaleRulersHaveNoLabels();
    void pointerReadout();
    void altArrowsScrollAndRulersFollow_data();
    void altArrowsScrollAndRulersFollow();
    void wheelScrollsByLines();
    void repaintWaitsForTheTick();
    void queuedPageStepsDrawWhereTheyEnd_data();
    void queuedPageStepsDrawWhereTheyEnd();
    void examplePageIsNotBlank();
    void brokenBackgroundIsSaidOnce();

private:
    QTemporaryDir m_dir;
    QString m_a4;
    QString m_thirty;
};

namespace {

QString zoomText(TForm1& window)
{
    return control<QLabel>(window, "sStatusBarPanel5")->text();
}

// Columns of a ruler's picture holding a black pixel in its middle row.
QList<int> blackColumns(const QImage& picture)
{
    QList<int> columns;
    for (int x = 0; x < picture.width(); ++x) {
        if (picture.pixelColor(x, picture.height() / 2) == Qt::black)
            columns.append(x);
    }
    return columns;
}

QList<int> blackRows(const QImage& picture)
{
    QList<int> rows;
    for (int y = 0; y < picture.height(); ++y) {
        if (picture.pixelColor(picture.width() - 1, y) == Qt::black)
            rows.append(y);
    }
    return rows;
}

} // namespace

void PageAreaTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QVERIFY(m_dir.isValid());
    m_a4 = saveProject(QDir(m_dir.path()), QStringLiteral("a4.qlet"), 210, 297);
    m_thirty = saveProject(QDir(m_dir.path()), QStringLiteral("thirty.qlet"), 210, 297,
                           {textField(QStringLiteral("0000"), QStringLiteral("=A2:A31")),
                            block("0010,00 0010,00/0090,00 0020,00")});
}

void PageAreaTest::init()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
}

void PageAreaTest::zoomCommands_data()
{
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QString>("readout");
    QTest::addColumn<QSize>("view");
    QTest::newRow("closest") << QStringList{"ScaleUpBtn", "OriginalBtn"} << 1.0 << "100,00%"
                             << QSize(2480, 3508);
    QTest::newRow("five zoom-ins")
        << QStringList(5, "ScaleUpBtn") << 2.48832 << "248,83%" << QSize(6171, 8729);
    QTest::newRow("in then out") << QStringList{"ScaleUpBtn", "ScaleDownBtn"} << 1.0 << "100,00%"
                                 << QSize(2480, 3508);
    QTest::newRow("zoom out") << QStringList{"ScaleDownBtn"} << 1.0 / 1.2 << "83,33%"
                              << QSize(2067, 2923);
}

void PageAreaTest::zoomCommands()
{
    QFETCH(QStringList, buttons);
    QFETCH(double, scale);
    QFETCH(QString, readout);
    QFETCH(QSize, view);
    TForm1 window;
    QVERIFY(zoomText(window).isEmpty()); // not written at start-up
    QVERIFY(window.LoadProject(m_a4));   // which fits the page
    window.RepaintTimeTimer();
    QTest::mouseClick(control<QToolButton>(window, "OriginalBtn"), Qt::LeftButton);
    for (const QString& name : buttons)
        QTest::mouseClick(window.findChild<QToolButton*>(name), Qt::LeftButton);
    QVERIFY(qAbs(window.viewState().ViewScale - scale) < 1e-12);
    QCOMPARE(zoomText(window), readout);
    QCOMPARE(control<PageView>(window, "DXDraw1")->size(), view);
}

void PageAreaTest::zoomShortcuts_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<double>("scale"); // from 1.2
    const int alt = Qt::AltModifier;
    const int pad = Qt::AltModifier | Qt::KeypadModifier;
    QTest::newRow("Alt+8") << int(Qt::Key_8) << alt << 1.0;
    QTest::newRow("Alt+numpad *") << int(Qt::Key_Asterisk) << pad << 1.0;
    QTest::newRow("Alt+numpad +") << int(Qt::Key_Plus) << pad << 1.44;
    QTest::newRow("Alt+=") << int(Qt::Key_Equal) << alt << 1.44;
    QTest::newRow("Alt+numpad -") << int(Qt::Key_Minus) << pad << 1.0;
    QTest::newRow("Alt+-") << int(Qt::Key_Minus) << alt << 1.0;
    QTest::newRow("plain - is the control's") << int(Qt::Key_Minus) << 0 << 1.2;
    QTest::newRow("Ctrl+= is the control's")
        << int(Qt::Key_Equal) << int(Qt::ControlModifier) << 1.2;
}

void PageAreaTest::zoomShortcuts()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(double, scale);
    TForm1 window;
    QVERIFY(window.LoadProject(m_a4));
    window.RepaintTimeTimer();
    QTest::mouseClick(control<QToolButton>(window, "OriginalBtn"), Qt::LeftButton);
    QTest::mouseClick(control<QToolButton>(window, "ScaleUpBtn"), Qt::LeftButton);
    QTest::keyClick(&window, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(qAbs(window.viewState().ViewScale - scale) < 1e-12);
}

void PageAreaTest::fitUsesTheOuterBox()
{
    TForm1 window;
    QVERIFY(window.LoadProject(m_a4));
    window.RepaintTimeTimer();
    control<QScrollArea>(window, "sScrollBox1")->setFixedSize(417, 544);
    QTest::keyClick(&window, Qt::Key_Slash, Qt::AltModifier | Qt::KeypadModifier);
    QCOMPARE(QString::number(window.viewState().ViewScale, 'f', 5), QStringLiteral("0.15365"));
    QCOMPARE(zoomText(window), QStringLiteral("15,36%"));
    QCOMPARE(control<PageView>(window, "DXDraw1")->size(), QSize(381, 539));
}

void PageAreaTest::projectsComeInFittedWithTheirPageCount()
{
    const QString& tall = m_thirty;
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::keyClick(&window, Qt::Key_8, Qt::AltModifier); // 1:1, as the last session left it
    QVERIFY(window.LoadProject(tall));
    const QSize room = control<QScrollArea>(window, "sScrollBox1")->viewport()->size();
    const QSize page = control<PageView>(window, "DXDraw1")->size();
    QVERIFY2(page.width() <= room.width() && page.height() <= room.height()
                 && (page.width() > room.width() - 40 || page.height() > room.height() - 40),
             qPrintable(QStringLiteral("page %1×%2 in %3×%4")
                            .arg(page.width())
                            .arg(page.height())
                            .arg(room.width())
                            .arg(room.height())));
    QCOMPARE(control<QLabel>(window, "PageCount")->text(), QStringLiteral("из 30"));
}

void PageAreaTest::shrunkPageKeepsThinLines_data()
{
    QTest::addColumn<double>("scale");
    for (const double scale : {0.1536, 0.2, 0.27, 0.33})
        QTest::addRow("%.4f", scale) << scale;
}

void PageAreaTest::shrunkPageKeepsThinLines()
{
    // A form's ruled lines: one pixel thick, 23 pixels apart.
    QFETCH(double, scale);
    QImage page(2480, 3508, QImage::Format_RGB32);
    page.fill(Qt::white);
    for (int y = 40; y < page.height(); y += 23)
        std::fill_n(reinterpret_cast<QRgb*>(page.scanLine(y)), page.width(), qRgb(0, 0, 0));
    PageView view;
    view.setRaster(&page);
    view.resize(int(page.width() * scale), int(page.height() * scale));
    const QImage shown = view.grab().toImage();
    // Every line leaves a darker row where it falls, not one dropped.
    for (int y = 40; y < page.height() - 23; y += 23) {
        const int row = std::min(int(y * scale), shown.height() - 1);
        int darkest = 255;
        for (int r = std::max(0, row - 1); r <= std::min(row + 1, shown.height() - 1); ++r)
            darkest = std::min(darkest, qGray(shown.pixel(shown.width() / 2, r)));
        QVERIFY2(darkest < 235, qPrintable(QStringLiteral("line at %1: %2").arg(y).arg(darkest)));
    }
}

void PageAreaTest::physicalSizeWithoutCalibration()
{
    TForm1 window;
    const double dpi = window.screen()->logicalDotsPerInchX();
    QTest::keyClick(&window, Qt::Key_Insert, Qt::AltModifier);
    QCOMPARE(window.viewState().ViewScale, dpi / 300.0);
    if (dpi == 96.0)
        QCOMPARE(zoomText(window), QStringLiteral("32,00%"));
}

void PageAreaTest::storedCalibrationIsUsedAtStartUp()
{
    {
        UserSettings settings;
        settings.setCalibratedScale(0.3249);
    }
    TForm1 window;
    QCOMPARE(window.viewState().ViewScale, 0.3249);
    QTest::keyClick(&window, Qt::Key_8, Qt::AltModifier);
    QCOMPARE(window.viewState().ViewScale, 1.0);
    QTest::mouseClick(control<QToolButton>(window, "ScreenBtn"), Qt::LeftButton);
    QCOMPARE(window.viewState().ViewScale, 0.3249);
}

void PageAreaTest::calibration_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("factor");
    QTest::newRow("default 9,85") << "" << true << 10.0 / 9.85;
    QTest::newRow("10 keeps the scale but stores it") << "10" << true << 1.0;
    QTest::newRow("abc") << "abc" << false << 1.0;
    QTest::newRow("0") << "0" << false << 1.0;
    QTest::newRow("-3") << "-3" << false << 1.0;
    QTest::newRow("cancelled") << QString() << false << 1.0;
}

void PageAreaTest::calibration()
{
    QFETCH(QString, entry);
    QFETCH(bool, accepted);
    QFETCH(double, factor);
    TForm1 window;
    QTest::keyClick(&window, Qt::Key_Insert, Qt::AltModifier);
    const double before = window.viewState().ViewScale;
    const QString readoutBefore = zoomText(window);
    // An empty entry keeps the proposed "9,85"; a null one cancels the box.
    DialogScript script({entry.isNull()
                             ? cancel()
                             : entry.isEmpty() ? [](QWidget* w) {
                                   QVERIFY(qobject_cast<QInputDialog*>(w) != nullptr);
                                   QCOMPARE(qobject_cast<QInputDialog*>(w)->textValue(),
                                            QStringLiteral("9,85"));
                                   QMetaObject::invokeMethod(w, "accept", Qt::QueuedConnection);
                               }
                                               : enterText(entry)});
    auto* screenBtn = control<QToolButton>(window, "ScreenBtn");
    QTest::mouseClick(screenBtn, Qt::LeftButton); // a left click is Physical size only
    QVERIFY(script.seen.isEmpty());
    QTest::mouseClick(screenBtn, Qt::RightButton);
    QTRY_VERIFY(script.finished());
    QCOMPARE(script.seen,
             QStringList{QStringLiteral("настройка в ручную|Сколько реально занимают 10 см на "
                                        "программной линейке: ")});
    QCOMPARE(window.viewState().ViewScale, before * factor);
    const std::optional<double> stored = UserSettings().calibratedScale();
    QCOMPARE(stored.has_value(), accepted);
    if (accepted) {
        QCOMPARE(*stored, before * factor);
        QCOMPARE(window.viewState().CalibratedScale, before * factor);
    } else {
        QCOMPARE(zoomText(window), readoutBefore);
        QCOMPARE(window.viewState().CalibratedScale, 0.0);
    }
}

void PageAreaTest::rulerTicks_data()
{
    QTest::addColumn<QString>("ruler");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("top, 20-pixel lead") << "TopRule" << QList<int>{20, 138, 256, 374, 492, 611};
    QTest::newRow("left") << "LeftRule" << QList<int>{0, 118, 236, 354, 472, 591};
}

void PageAreaTest::rulerTicks()
{
    QFETCH(QString, ruler);
    QFETCH(QList<int>, expected);
    TForm1 window;
    window.show();
    QVERIFY(window.LoadProject(m_a4));
    window.RepaintTimeTimer();
    QTest::mouseClick(control<QToolButton>(window, "OriginalBtn"), Qt::LeftButton);
    const QImage picture = window.findChild<Ruler*>(ruler)->picture();
    const QList<int> ticks = ruler == "TopRule" ? blackColumns(picture) : blackRows(picture);
    QCOMPARE(ticks.mid(0, expected.size()), expected);
    QCOMPARE(picture.pixelColor(ruler == "TopRule" ? 60 : 19, ruler == "TopRule" ? 19 : 60),
             QColor(0xC0, 0xC0, 0xC0));
    // The picture reaches over the whole view (plus the lead on top).
    if (ruler == "TopRule")
        QCOMPARE(picture.width(), 2480 + 20);
    else
        QCOMPARE(picture.height(), 3508);
}

void PageAreaTest::smallScaleRulersHaveNoLabels()
{
    TForm1 window;
    window.show();
    QVERIFY(window.LoadProject(m_a4));
    window.RepaintTimeTimer();
    for (int i = 0; i < 20; ++i)
        QTest::mouseClick(control<QToolButton>(window, "ScaleDownBtn"), Qt::LeftButton);
    // About 3 pixels between ticks: no room for a label, so every column between two
    // ticks is plain silver.
    const QImage top = window.findChild<Ruler*>("TopRule")->picture();
    const QList<int> ticks = blackColumns(top);
    QVERIFY(ticks.size() > 3);
    for (int x = ticks[1] + 1; x < ticks[2]; ++x) {
        for (int y = 0; y < top.height(); ++y)
            QCOMPARE(top.pixelColor(x, y), QColor(0xC0, 0xC0, 0xC0));
    }
    // At full size the labels are there.
    QTest::mouseClick(control<QToolButton>(window, "OriginalBtn"), Qt::LeftButton);
    const QImage big = window.findChild<Ruler*>("TopRule")->picture();
    bool labelled = false;
    for (int x = 139; x < 160 && !labelled; ++x) {
        for (int y = 2; y < 18; ++y)
            labelled = labelled || big.pixelColor(x, y) != QColor(0xC0, 0xC0, 0xC0);
    }
    QVERIFY(labelled);
}

void PageAreaTest::pointerReadout()
{
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(m_a4));
    window.RepaintTimeTimer();
    QTest::mouseClick(control<QToolButton>(window, "OriginalBtn"), Qt::LeftButton);
    QTest::mouseMove(control<PageView>(window, "DXDraw1"), QPoint(100, 200));
    QTRY_COMPARE(control<QLabel>(window, "sStatusBarPanel1")->text(), QStringLiteral("0008,47"));
    QCOMPARE(control<QLabel>(window, "sStatusBarPanel3")->text(), QStringLiteral("0016,93"));
}

void PageAreaTest::altArrowsScrollAndRulersFollow_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<int>("vertical");
    QTest::newRow("Alt+Right") << int(Qt::Key_Right) << 150 << 100;
    QTest::newRow("Alt+Left") << int(Qt::Key_Left) << 50 << 100;
    QTest::newRow("Alt+Down") << int(Qt::Key_Down) << 100 << 150;
    QTest::newRow("Alt+Up") << int(Qt::Key_Up) << 100 << 50;
}

void PageAreaTest::altArrowsScrollAndRulersFollow()
{
    QFETCH(int, key);
    QFETCH(int, horizontal);
    QFETCH(int, vertical);
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(m_a4));
    window.RepaintTimeTimer();
    QTest::mouseClick(control<QToolButton>(window, "OriginalBtn"), Qt::LeftButton);
    auto* box = control<QScrollArea>(window, "sScrollBox1");
    box->horizontalScrollBar()->setValue(100);
    box->verticalScrollBar()->setValue(100);
    QTest::keyClick(&window, Qt::Key(key), Qt::AltModifier);
    QCOMPARE(box->horizontalScrollBar()->value(), horizontal);
    QCOMPARE(box->verticalScrollBar()->value(), vertical);
    QCOMPARE(window.findChild<Ruler*>("TopRule")->x(), 1 - horizontal);
    QCOMPARE(window.findChild<Ruler*>("LeftRule")->y(), 1 - vertical);
}

void PageAreaTest::wheelScrollsByLines()
{
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(m_a4));
    window.RepaintTimeTimer();
    QTest::mouseClick(control<QToolButton>(window, "OriginalBtn"), Qt::LeftButton);
    auto* box = control<QScrollArea>(window, "sScrollBox1");
    box->verticalScrollBar()->setValue(100);
    auto* view = control<PageView>(window, "DXDraw1");
    const QPointF at(50, 150);
    // Two notches down with Ctrl held: still a plain vertical scroll of 2 × 8 pixels.
    QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), QPoint(0, -240), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
    QCOMPARE(box->verticalScrollBar()->value(), 116);
    QCOMPARE(window.findChild<Ruler*>("LeftRule")->y(), 1 - 116);
    QCOMPARE(window.viewState().ViewScale, 1.0);
}

void PageAreaTest::repaintWaitsForTheTick()
{
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(m_a4));
    QVERIFY(window.document().RepaintPending);
    window.RepaintTimeTimer();
    QVERIFY(!window.document().RepaintPending);
    QCOMPARE(window.pageRaster().size(), QSize(2480, 3508));
    QCOMPARE(window.pageRaster().dotsPerMeterX(), 11811);
    // Page changes, the repaint button and a resize only ask for a render.
    QTest::mouseClick(control<QToolButton>(window, "RePaintBtn"), Qt::LeftButton);
    QVERIFY(window.document().RepaintPending);
    window.RepaintTimeTimer();
    window.resize(900, 650);
    QVERIFY(window.document().RepaintPending);
}

void PageAreaTest::queuedPageStepsDrawWhereTheyEnd_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("presses");
    QTest::addColumn<int>("to");
    QTest::newRow("Alt+PgDn held") << 1 << int(Qt::Key_PageDown) << 12 << 13;
    QTest::newRow("Alt+PgUp held") << 20 << int(Qt::Key_PageUp) << 7 << 13;
    QTest::newRow("on past the last page") << 25 << int(Qt::Key_PageDown) << 40 << 30;
}

void PageAreaTest::queuedPageStepsDrawWhereTheyEnd()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, presses);
    QFETCH(int, to);
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(m_thirty));
    control<QSpinBox>(window, "PageN")->setValue(from);
    window.RepaintTimeTimer();
    QSignalSpy drawn(&window, &TForm1::pageDrawn);
    // Auto-repeat presses that came while a page was being drawn: all of them are queued
    // before the window gets to draw again.
    for (int i = 0; i < presses; ++i)
        QCoreApplication::postEvent(
            &window, new QKeyEvent(QEvent::KeyPress, key, Qt::AltModifier, QString(), true));
    QTRY_VERIFY(!drawn.isEmpty() && drawn.last().at(0).toInt() == to);
    QCoreApplication::processEvents();
    QCOMPARE(window.viewState().PageN, to);
    // At most the first step and the last; never the pages in between one by one.
    const int firstStep = key == Qt::Key_PageDown ? from + 1 : from - 1;
    QVERIFY2(drawn.count() <= 2, qPrintable(QString::number(drawn.count())));
    for (const QList<QVariant>& page : drawn)
        QVERIFY(page.at(0).toInt() == firstStep || page.at(0).toInt() == to);
}

void PageAreaTest::examplePageIsNotBlank()
{
    const QString demo = QuilletTest::demoProjectPath();
    QVERIFY(QFile::exists(demo));
    applyLook(*qApp);
    TForm1 window;
    window.resize(1024, 700);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(demo));
    window.RepaintTimeTimer();
    QTest::mouseClick(control<QToolButton>(window, "ContainBtn"), Qt::LeftButton);
    const QImage shot = window.grab().toImage();
    const QImage page = control<PageView>(window, "DXDraw1")->grab().toImage();
    QVERIFY(!page.isNull());
    int inked = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x)
            inked += page.pixelColor(x, y) != QColor(Qt::white);
    }
    if (inked == 0)
        shot.save(QStringLiteral("examplePageIsNotBlank-actual.png"));
    QVERIFY2(inked > 0, "the page view shows a blank page");
    QVERIFY(!control<QLabel>(window, "sStatusBarPanel5")->text().isEmpty());
}

void PageAreaTest::brokenBackgroundIsSaidOnce()
{
    // A JPEG cut off in its pixel data: the project loads (its header is whole), and the
    // window says once, on loading, that the background cannot be made; repaints show the
    // page without it and say nothing more.
    Project project;
    project.settings.PrWidth = 50;
    project.settings.PrHeight = 40;
    project.settings.ImgWidth = 50;
    project.settings.ImgHeight = 40;
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    QByteArray jpeg;
    QVERIFY(encodeJpeg(picture, 90, jpeg));
    project.BackgroundImage = jpeg.left(jpeg.size() / 2);
    const QString path = QDir(m_dir.path()).filePath(QStringLiteral("broken-background.qlet"));
    ProjectFile::save(project, path);
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(path));
    auto* errors = control<QPlainTextEdit>(window, "ErroreList");
    window.RepaintTimeTimer();
    QTest::mouseClick(control<QToolButton>(window, "RePaintBtn"), Qt::LeftButton);
    window.RepaintTimeTimer();
    QCOMPARE(errors->document()->blockCount(), 1);
    QVERIFY(!errors->toPlainText().isEmpty());
    QCOMPARE(window.pageRaster().pixel(10, 10), qRgb(255, 255, 255));
}

QTEST_MAIN(PageAreaTest)
#include "PageAreaTest.moc"
