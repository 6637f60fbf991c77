// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/WindowDriver.h"
#include "support/CliRun.h"

#include "core/app/ProjectFile.h"
#include "core/raster/JpegImage.h"
#include "gui/background/AnglePanel.h"
#include "gui/app/MainWindow.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

using namespace Quillet;
using namespace WindowDriver;

namespace {

const long double Mm = MmPerPixel;

int pixels(double mm)
{
    return int(std::lrint(static_cast<long double>(mm) / Mm));
}

/// A 120 × 80 picture with features in every corner, so turns, crops and shifts show.
QByteArray backgroundJpeg()
{
    QImage picture(120, 80, QImage::Format_RGB32);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 120; ++x)
            picture.setPixel(x, y, qRgb(2 * x, 3 * y, (x * y) % 256));
    QPainter painter(&picture);
    painter.fillRect(4, 4, 20, 10, Qt::black);
    painter.fillRect(100, 60, 12, 14, Qt::yellow);
    painter.end();
    QByteArray jpeg;
    if (!encodeJpeg(picture, 92, jpeg))
        qFatal("cannot encode the test background");
    return jpeg;
}

/// The main window on a project of a 25.4 mm square page (300 × 300 pixels) with the
/// test background, loaded from a file in `dir`.
struct Host {
    TForm1 window;

    explicit Host(const QDir& dir)
    {
        Project project;
        project.settings.SizeName = QStringLiteral("Квадрат");
        project.settings.PrWidth = 25.4;
        project.settings.PrHeight = 25.4;
        project.BackgroundImage = backgroundJpeg();
        const QString path = dir.filePath(QStringLiteral("start.qlet"));
        ProjectFile::save(project, path);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window) || !window.LoadProject(path))
            qFatal("the window does not come up with the test project");
    }

    QWidget& root() { return window; }
    Project& project() { return window.document().project; }

    /// The page the window shows at its next repaint tick.
    QImage page()
    {
        window.RepaintTimeTimer();
        return window.pageRaster().convertToFormat(QImage::Format_RGB32);
    }
};

/// Where the page puts a processed background of `size` with the settings `s`.
QRect placed(const ProjectSettings& s, QSize size)
{
    const auto place = [](int align, double page, double image) {
        const long double free = static_cast<long double>(page) - image;
        return align == 0 ? 0 : int(std::lrint(align == 1 ? free / (2 * Mm) : free / Mm));
    };
    return QRect(QPoint(place(int(s.horizontalAlign), s.PrWidth, s.ImgWidth),
                        place(int(s.verticalAlign), s.PrHeight, s.ImgHeight)),
                 size);
}

int largestDifference(const QImage& a, const QImage& b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return worst;
}

void click(QWidget& root, const QString& name)
{
    auto* button = root.findChild<QAbstractButton*>(name);
    QVERIFY2(button != nullptr, qPrintable(name));
    QVERIFY2(button->isEnabled(), qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

/// "Name=text": types the text over the edit's content, then Tab leaves it.
/// "Name+n" / "Name-n": n presses of the arrow key, then Tab.
/// "Name": clicks the button.
void act(QWidget& root, const QString& action)
{
    const qsizetype at = action.indexOf(QRegularExpression(QStringLiteral("[=+-]")));
    if (at < 0) {
        click(root, action);
        return;
    }
    auto* edit = root.findChild<QDoubleSpinBox*>(action.left(at));
    QVERIFY2(edit != nullptr && edit->isEnabled(), qPrintable(action));
    edit->setFocus(Qt::MouseFocusReason);
    QVERIFY(edit->hasFocus());
    const QString rest = action.mid(at + 1);
    if (action[at] == QLatin1Char('=')) {
        edit->selectAll();
        QTest::keyClicks(edit, rest);
    } else {
        const Qt::Key key = action[at] == QLatin1Char('+') ? Qt::Key_Up : Qt::Key_Down;
        for (int i = rest.toInt(); i > 0; --i)
            QTest::keyClick(edit, key);
    }
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(!edit->hasFocus());
}

double shown(QWidget& root, const char* name)
{
    return control<QDoubleSpinBox>(root, name)->value();
}

} // namespace

class BackgroundPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void pageMatchesTheCommandLine_data();
    void pageMatchesTheCommandLine();
    void heightFollowsTheRatio();
    void twoPointAngle();
    void captionsFitTheColumn();

private:
    QTemporaryDir m_dir;
};

void BackgroundPanelTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QVERIFY(m_dir.isValid());
}

void BackgroundPanelTest::init()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
}

void BackgroundPanelTest::pageMatchesTheCommandLine_data()
{
    // Each row starts from "Сброс": the 120 × 80 picture at one pixel per page pixel,
    // ChkRatio and Exert ticked, centred at the top.
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QSize>("outer");   // the processed background in pixels
    QTest::addColumn<int>("tolerance"); // largest channel difference from the tool's page
    QTest::newRow("reset") << QStringList{} << QSize(120, 80) << 0;
    QTest::newRow("width with ratio") << QStringList{"ImgWidth=15,24"} << QSize(180, 120) << 0;
    QTest::newRow("typed width snaps, height follows")
        << QStringList{"ImgWidth=12,75"} << QSize(151, 101) << 0;
    QTest::newRow("width and height without ratio")
        << QStringList{"ChkRatio", "ImgWidth=12,7", "ImgHeight=5"} << QSize(150, 59) << 0;
    QTest::newRow("negative margin with Exert crops")
        << QStringList{"MirLeft=-2,54"} << QSize(90, 80) << 0;
    QTest::newRow("margin without Exert rescales")
        << QStringList{"Exert", "MirTop=1,27"} << QSize(120, 80) << 0;
    QTest::newRow("margin by arrow keys with Exert")
        << QStringList{"ChkRatio", "MirBottom+2"} << QSize(120, 86) << 0;
    QTest::newRow("margins both ways, bottom right")
        << QStringList{"AlignRight", "AlignBottom", "MirRight=2", "MirTop-3"} << QSize(144, 71)
        << 0;
    QTest::newRow("angle 0.1 is not turned")
        << QStringList{"Exert", "Angle1=0,1"} << QSize(120, 80) << 0;
    QTest::newRow("angle -90 with Exert") << QStringList{"Angle1=-90"} << QSize(80, 120) << 0;
    // The size follows the smooth turn's box (81 wide); the picture turns exactly and is
    // stretched to it.
    QTest::newRow("angle 90.05 with Exert, left middle")
        << QStringList{"AlignLeft", "AlignMiddle", "Angle1=90,05"} << QSize(81, 120) << 0;
    QTest::newRow("angle 30 by arrows, no ratio")
        << QStringList{"ChkRatio", "Angle1=29,5", "Angle1+2"} << QSize(144, 130) << 0;
    // The window shows the exact negative; the saved project holds it as JPEG data again,
    // which moves the sharp corners of the picture by up to about 32 levels. Not inverting,
    // or inverting once too often, differs by far more.
    QTest::newRow("inversion") << QStringList{"sSpeedButton1"} << QSize(120, 80) << 48;
    QTest::newRow("inversion twice after a margin")
        << QStringList{"sSpeedButton1", "MirLeft=1", "sSpeedButton1"} << QSize(132, 80) << 48;
}

void BackgroundPanelTest::pageMatchesTheCommandLine()
{
    QFETCH(QStringList, actions);
    QFETCH(QSize, outer);
    QFETCH(int, tolerance);
    Host host(QDir(m_dir.path()));
    click(host.root(), QStringLiteral("DefBack"));
    for (const QString& action : actions) {
        act(host.root(), action);
        if (QTest::currentTestFailed())
            return;
    }
    const ProjectSettings& s = host.project().settings;
    QCOMPARE(QSize(pixels(s.ImgWidth), pixels(s.ImgHeight)), outer);
    // The edits show the model.
    QCOMPARE(shown(host.root(), "ImgWidth"), std::round(s.ImgWidth * 1000) / 1000);
    QCOMPARE(shown(host.root(), "MirTop"), std::round(s.MirTop * 1000) / 1000);
    QCOMPARE(shown(host.root(), "Angle1"), std::round(s.Angle1 * 100) / 100);

    const QString project = m_dir.filePath(QStringLiteral("panel.qlet"));
    const QString png = m_dir.filePath(QStringLiteral("background.png"));
    ProjectFile::save(host.project(), project);
    const QuilletTest::CliRun run =
        QuilletTest::runCli({QStringLiteral("background"), project, QStringLiteral("--out"), png});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    const QImage cli = QImage(png).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(cli.size(), outer);
    const Project saved = ProjectFile::load(project, ProjectSettings{});
    QImage expected(300, 300, QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    painter.drawImage(placed(saved.settings, cli.size()).topLeft(), cli);
    painter.end();
    const QImage page = host.page();
    QCOMPARE(page.size(), expected.size());
    const int difference = largestDifference(page, expected);
    if (difference > tolerance) {
        page.save(m_dir.filePath(QStringLiteral("actual.png")));
        expected.save(m_dir.filePath(QStringLiteral("expected.png")));
        QFAIL(qPrintable(
            QStringLiteral("the page differs by %1; see %2").arg(difference).arg(m_dir.path())));
    }
}

void BackgroundPanelTest::heightFollowsTheRatio()
{
    Host host(QDir(m_dir.path()));
    QWidget& root = host.root();
    auto* height = control<QDoubleSpinBox>(root, "ImgHeight");
    auto* ratio = control<QCheckBox>(root, "ChkRatio");
    click(root, QStringLiteral("DefBack"));
    QVERIFY(ratio->isChecked());
    QVERIFY(!height->isEnabled());
    // Every keystroke of the width moves the height along; the width's own text stays
    // as typed, and nothing is drawn before the edit is left.
    auto* width = control<QDoubleSpinBox>(root, "ImgWidth");
    host.page();
    width->setFocus(Qt::MouseFocusReason);
    width->selectAll();
    QTest::keyClicks(width, QStringLiteral("20,32"));
    QCOMPARE(width->text(), QStringLiteral("20,32"));
    QCOMPARE(height->value(), 13.547);
    QVERIFY(!host.window.document().RepaintPending);
    QTest::keyClick(width, Qt::Key_Tab);
    QVERIFY(host.window.document().RepaintPending);
    QCOMPARE(host.page().pixel(29, 150), qRgb(255, 255, 255)); // 240 wide, centred
    QVERIFY(host.page().pixel(30, 150) != qRgb(255, 255, 255));
    click(root, QStringLiteral("ChkRatio"));
    QVERIFY(!ratio->isChecked());
    QVERIFY(height->isEnabled());
    act(root, QStringLiteral("ImgHeight=3"));
    QCOMPARE(host.project().settings.ImgHeight, 35 * double(Mm));
    // Ticked again: the height from the processed background's proportion, disabled.
    click(root, QStringLiteral("ChkRatio"));
    QVERIFY(!height->isEnabled());
    QCOMPARE(height->value(), 2.963);
    // Removal empties everything; the page is white.
    click(root, QStringLiteral("sSpeedButton5"));
    QVERIFY(host.project().BackgroundImage.isEmpty());
    QCOMPARE(width->value(), 0.0);
    QCOMPARE(height->value(), 0.0);
    QImage white(300, 300, QImage::Format_RGB32);
    white.fill(Qt::white);
    QCOMPARE(host.page(), white);
    // Inverting nothing is refused in a message box; the panel stays usable.
    DialogScript script({press(QMessageBox::Ok)});
    click(root, QStringLiteral("sSpeedButton1"));
    QVERIFY(script.finished());
    QCOMPARE(script.seen.size(), 1);
    QVERIFY(script.seen.first().startsWith(QStringLiteral("Quillet|")));
}

void BackgroundPanelTest::twoPointAngle()
{
    Host host(QDir(m_dir.path()));
    QWidget& root = host.root();
    click(root, QStringLiteral("DefBack"));
    act(root, QStringLiteral("Angle1=2"));
    click(root, QStringLiteral("sSpeedButton3"));
    auto* panel = control<QWidget>(root, "AngleOpt");
    QVERIFY(panel->isVisible());
    auto* angle2 = control<QDoubleSpinBox>(root, "Angle2");
    QVERIFY(angle2->isReadOnly());
    QCOMPARE(angle2->text(), QStringLiteral("-2,00"));
    for (const char* typed : {"t1_x=10", "t1_y=10", "t2_x=110", "t2_y=20"})
        act(root, QString::fromLatin1(typed));
    QCOMPARE(angle2->text(), QStringLiteral("3,71"));
    click(root, QStringLiteral("OkBtn"));
    QVERIFY(!panel->isVisible());
    QCOMPARE(control<QDoubleSpinBox>(root, "Angle1")->text(), QStringLiteral("-3,71"));
    // Reopened: the points stay, the angle starts again from −Angle1.
    click(root, QStringLiteral("sSpeedButton3"));
    QCOMPARE(angle2->text(), QStringLiteral("3,71"));
    click(root, QStringLiteral("CancelBtn"));
    act(root, QStringLiteral("Angle1=0"));
    click(root, QStringLiteral("sSpeedButton3"));
    // Typed points settle on whole pixels when left: 21 mm becomes 20.997 (248 pixels).
    act(root, QStringLiteral("t2_y=21"));
    QCOMPARE(angle2->text(), QStringLiteral("6,28"));
    act(root, QStringLiteral("t2_y-8")); // 18.965 mm
    QCOMPARE(angle2->text(), QStringLiteral("5,13"));
    auto* angles = root.findChild<AnglePanel*>();
    angles->setPoints(QPointF(10, 10), QPointF(110, 20));
    QCOMPARE(angle2->text(), QStringLiteral("5,71"));
    angles->setPoints(QPointF(40, 90), QPointF(40, 10)); // the same x: a quarter turn
    QCOMPARE(angle2->text(), QStringLiteral("90,00"));
    QCOMPARE(control<QDoubleSpinBox>(root, "t2_y")->value(), 10.0);
}

void BackgroundPanelTest::captionsFitTheColumn()
{
    // Nothing of the panels is cut off at the column's width, the angle panel in the
    // editing area included.
    Host host(QDir(m_dir.path()));
    QWidget& root = host.root();
    click(root, QStringLiteral("sSpeedButton3"));
    QCoreApplication::processEvents();
    for (const char* name : {"BackgroundPanel", "AngleOpt"}) {
        auto* panel = control<QWidget>(root, name);
        QWidget* up = panel->parentWidget();
        while (up != nullptr && qobject_cast<QScrollArea*>(up) == nullptr)
            up = up->parentWidget();
        auto* view = qobject_cast<QScrollArea*>(up);
        QVERIFY(view != nullptr);
        for (QWidget* w : panel->findChildren<QWidget*>()) {
            if (!w->isVisible() || qobject_cast<QLineEdit*>(w))
                continue;
            const QRect inView(w->mapTo(view->viewport(), QPoint(0, 0)), w->size());
            QVERIFY2(inView.right() < view->viewport()->width(), qPrintable(w->objectName()));
            QVERIFY2(w->width() >= w->minimumSizeHint().width(), qPrintable(w->objectName()));
            if (qobject_cast<QAbstractButton*>(w)
                || (qobject_cast<QLabel*>(w) && !static_cast<QLabel*>(w)->wordWrap()))
                QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(w->objectName()));
        }
    }
}

QTEST_MAIN(BackgroundPanelTest)
#include "BackgroundPanelTest.moc"
