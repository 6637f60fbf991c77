// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/WindowDriver.h"
#include "support/DocumentSupport.h"

#include "core/background/DocumentImport.h"
#include "core/common/Errors.h"
#include "gui/background/ImportWindow.h"

#include <QLabel>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>

#include <functional>
#include <set>
#include <utility>

using namespace Quillet;
using namespace WindowDriver;

namespace {

enum Opening { Actual, Fitted, Failed };

// Rendering is quick, but the machine may be busy with other work.
constexpr int kPreviewTimeoutMs = 60000;

/// Runs `inside` in the window's modal loop during choosePage, then closes the window
/// if `inside` left it open (a failed check must not hang the test).
int choose(ImportWindow& window, const ImportDocument& document,
           const std::function<void()>& inside)
{
    QTimer::singleShot(0, &window, [&] {
        inside();
        if (window.isVisible())
            window.reject();
    });
    return window.choosePage(document);
}

bool waitForPage(ImportWindow& window, int page)
{
    return QTest::qWaitFor([&] { return window.shownPage() == page && !window.previewRendering(); },
                           kPreviewTimeoutMs);
}

QSize shownSize(ImportWindow& window)
{
    return control<QLabel>(window, "Image1")->pixmap().size();
}

QSize zoomed(QSize size, double zoom)
{
    return QSize(qRound(size.width() * zoom), qRound(size.height() * zoom));
}

/// The picture lies inside the scroll box less its 35-pixel allowance, touching it one way.
void verifyFitted(ImportWindow& window)
{
    const QSize shown = shownSize(window);
    const QSize room = control<QScrollArea>(window, "sScrollBox1")->size() - QSize(35, 35);
    QVERIFY2(shown.width() <= room.width() && shown.height() <= room.height(),
             qPrintable(QStringLiteral("%1x%2").arg(shown.width()).arg(shown.height())));
    QVERIFY(shown.width() >= room.width() - 1 || shown.height() >= room.height() - 1);
}

QImage expectedPreview(const ImportDocument& document, int page)
{
    return document.preview(page).convertToFormat(QImage::Format_RGB32);
}

/// A one-page PDF of `sideMm` × `sideMm`.
bool writeSquarePdf(const QString& path, double sideMm)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QSizeF(sideMm, sideMm), QPageSize::Millimeter));
    QPainter painter(&writer);
    painter.drawText(QPointF(100, 100), QStringLiteral("1"));
    return painter.end();
}

bool writePicture(const QString& path, QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(QColor(30, 120, 200));
    return picture.save(path);
}

} // namespace

class ImportWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void choiceAndBounds_data();
    void choiceAndBounds();
    void openingView_data();
    void openingView();
    void rendersOffTheWindowThread();

private:
    QString file(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
};

void ImportWindowTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QuilletTest::writeNumberedPdf(file("three.pdf"), 3));
    QVERIFY(QuilletTest::writeNumberedPdf(file("long.pdf"), 200));
    // 5 m square: far more pixels at the preview resolution than a page may have.
    QVERIFY(writeSquarePdf(file("huge.pdf"), 5000));
    QVERIFY(writePicture(file("wide.png"), QSize(1500, 600)));
    QVERIFY(writePicture(file("square.png"), QSize(800, 800)));
}

void ImportWindowTest::choiceAndBounds_data()
{
    QTest::addColumn<int>("typedPage");
    QTest::addColumn<QString>("ending");
    QTest::addColumn<int>("expected");
    QTest::newRow("page 2, OK before its preview") << 2 << "ok" << 2;
    QTest::newRow("past the end stays on the last page") << 7 << "ok" << 3;
    QTest::newRow("OK on the first page") << 1 << "ok" << 1;
    QTest::newRow("Cancel") << 2 << "cancel" << 0;
    QTest::newRow("Esc") << 2 << "escape" << 0;
    QTest::newRow("closing the window") << 2 << "close" << 0;
}

void ImportWindowTest::choiceAndBounds()
{
    QFETCH(int, typedPage);
    QFETCH(QString, ending);
    QFETCH(int, expected);
    ImportDocument document;
    document.open(file("three.pdf"));
    ImportWindow window;
    const int chosen = choose(window, document, [&] {
        QCOMPARE(window.windowTitle(), QStringLiteral("Открытие файла"));
        auto* page = control<QSpinBox>(window, "sSpinEdit1");
        QCOMPARE(page->minimum(), 1);
        QCOMPARE(page->maximum(), 3);
        QCOMPARE(page->value(), 1);
        page->setValue(typedPage);
        if (ending == QLatin1String("ok"))
            QTest::mouseClick(control<QAbstractButton>(window, "sBitBtn2"), Qt::LeftButton);
        else if (ending == QLatin1String("cancel"))
            QTest::mouseClick(control<QAbstractButton>(window, "sBitBtn1"), Qt::LeftButton);
        else if (ending == QLatin1String("escape"))
            QTest::keyClick(&window, Qt::Key_Escape);
        else
            QVERIFY(window.close());
    });
    QCOMPARE(chosen, expected);
    QVERIFY(!window.previewRendering());
    QVERIFY(window.isHidden());
}

void ImportWindowTest::openingView_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("opening");
    QTest::newRow("narrow page at actual size, zoom steps")
        << QStringLiteral("three.pdf") << int(Actual);
    QTest::newRow("wide page fitted") << QStringLiteral("wide.png") << int(Fitted);
    QTest::newRow("square page fitted") << QStringLiteral("square.png") << int(Fitted);
    QTest::newRow("page too large shows why") << QStringLiteral("huge.pdf") << int(Failed);
}

void ImportWindowTest::openingView()
{
    QFETCH(QString, name);
    QFETCH(int, opening);
    ImportDocument document;
    document.open(m_dir.filePath(name));
    QString error;
    QImage expected;
    try {
        expected = expectedPreview(document, 1);
    } catch (const FileError& e) {
        error = e.message();
    }
    QCOMPARE(error.isEmpty(), opening != Failed);
    ImportWindow window;
    choose(window, document, [&] {
        QVERIFY(waitForPage(window, 1));
        QCOMPARE(window.previewPicture(), expected);
        if (opening == Failed) {
            QCOMPARE(control<QLabel>(window, "Image1")->text(), error);
            return;
        }
        QCOMPARE(shownSize(window), zoomed(expected.size(), window.previewZoom()));
        if (opening == Fitted) {
            verifyFitted(window);
            return;
        }
        QCOMPARE(window.previewZoom(), 1.0);
        // Each step multiplies the zoom by 1.2 or divides it; the picture follows.
        const std::pair<const char*, double> steps[] = {
            {"sSpeedButton4", 1.2}, {"sSpeedButton4", 1.44},    {"sSpeedButton3", 1.2},
            {"sSpeedButton3", 1.0}, {"sSpeedButton3", 1 / 1.2}, {"sSpeedButton1", 1.0}};
        for (const auto& [button, zoom] : steps) {
            QTest::mouseClick(control<QToolButton>(window, button), Qt::LeftButton);
            QVERIFY(qAbs(window.previewZoom() - zoom) < 1e-12);
            QCOMPARE(shownSize(window), zoomed(expected.size(), zoom));
        }
        // Zooming in stops at a size memory can hold; fitting brings the page back.
        for (int i = 0; i < 40; ++i)
            QTest::mouseClick(control<QToolButton>(window, "sSpeedButton4"), Qt::LeftButton);
        QVERIFY(qAbs(shownSize(window).height() - ImportWindow::MaxViewSidePx) <= 1);
        QTest::mouseClick(control<QToolButton>(window, "sSpeedButton2"), Qt::LeftButton);
        verifyFitted(window);
    });
}

void ImportWindowTest::rendersOffTheWindowThread()
{
    ImportDocument shortDocument;
    shortDocument.open(file("three.pdf"));
    ImportDocument document;
    document.open(file("long.pdf"));
    ImportWindow window;
    // The same window serves one import after another; the first is left mid-render.
    QCOMPARE(choose(window, shortDocument,
                    [&] { control<QSpinBox>(window, "sSpinEdit1")->setValue(3); }),
             0);
    // Counts clicks handled while a page renders on the worker.
    int clicksWhileRendering = 0;
    auto* zoomIn = control<QToolButton>(window, "sSpeedButton4");
    QObject::connect(zoomIn, &QToolButton::clicked,
                     [&] { clicksWhileRendering += window.previewRendering() ? 1 : 0; });
    std::set<int> seen;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] { seen.insert(window.shownPage()); });
    const int chosen = choose(window, document, [&] {
        auto* page = control<QSpinBox>(window, "sSpinEdit1");
        QCOMPARE(page->maximum(), 200);
        QVERIFY(waitForPage(window, 1));
        watch.start(0);
        // Of a quick run of pages only the last is shown.
        page->setValue(2);
        page->setValue(150);
        QVERIFY(waitForPage(window, 150));
        QCOMPARE(window.previewPicture(), expectedPreview(document, 150));
        QCOMPARE(seen, (std::set<int>{1, 150}));
        // A click queued right behind a page request is handled while that page renders.
        // On a busy machine a render may now and then end first, so pages are asked for
        // until one shows it; a window that renders on its own thread never does.
        for (int n = 3; n < 200 && clicksWhileRendering == 0; ++n) {
            page->setValue(n);
            QMetaObject::invokeMethod(zoomIn, &QToolButton::click, Qt::QueuedConnection);
            QVERIFY(waitForPage(window, n));
        }
        QVERIFY(clicksWhileRendering > 0);
        page->setValue(200);
        QVERIFY(waitForPage(window, 200));
        QCOMPARE(window.previewPicture(), expectedPreview(document, 200));
        // "Show again" asks for the page anew and says so over the old picture; the hint
        // beside it says when to press it.
        QCOMPARE(control<QLabel>(window, "sLabelFX1")->text(),
                 QStringLiteral("<= Если страница не отобразилась нажмите через некоторое время"));
        auto* banner = control<QLabel>(window, "PreparingBanner");
        QTest::mouseClick(control<QToolButton>(window, "sSpeedButton5"), Qt::LeftButton);
        QVERIFY(banner->isVisible());
        QVERIFY(QTest::qWaitFor([&] { return banner->isHidden(); }, kPreviewTimeoutMs));
        QCOMPARE(window.shownPage(), 200);
        QTest::keyClick(page, Qt::Key_Return);
    });
    QCOMPARE(chosen, 200);
    QVERIFY(!window.previewRendering());
}

QTEST_MAIN(ImportWindowTest)
#include "ImportWindowTest.moc"
