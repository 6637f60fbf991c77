// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/app/WindowDriver.h"
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
    return QTest::qWaitFor(
        [&] { return window.shownPage() == page && !window.previewPending(); },
        kPreviewTimeoutMs);
}

QSize shownSize(ImportWindow& window)
{
    return control<QLabel>(window, "Image1")->pixmap().size();
}

QImage expectedPreview(const ImportDocument& document, int page)
{
    return document.preview(page).convertToFormat(QImage::Format_RGB32);
}

/// A one-page PDF of `widthMm` × `heightMm`.
bool writeSizedPdf(const QString& path, double widthMm, double heightMm)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QSizeF(widthMm, heightMm), QPageSize::Millimeter));
    QPainter painter(&writer);
    if (!painter.isActive())
        return false;
    painter.drawText(QPointF(100, 100), QStringLiteral("1"));
    return painter.end();
}

bool writePicture(const QString& path, QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.fillRect(QRect(QPoint(0, 0), size / 2), QColor(30, 120, 200));
    painter.end();
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
    void zoomButtons();
    void newestPageWins();
    void answersWhileRendering();

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
    QVERIFY(writeSizedPdf(file("huge.pdf"), 5000, 5000));
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
    QVERIFY(!window.previewPending());
    QVERIFY(window.isHidden());
}

void ImportWindowTest::openingView_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("opening"); // "actual", "fitted" or "error"
    QTest::newRow("narrow page at actual size") << "three.pdf" << "actual";
    QTest::newRow("wide page fitted") << "wide.png" << "fitted";
    QTest::newRow("square page fitted") << "square.png" << "fitted";
    QTest::newRow("page too large shows why") << "huge.pdf" << "error";
}

void ImportWindowTest::openingView()
{
    QFETCH(QString, name);
    QFETCH(QString, opening);
    ImportDocument document;
    document.open(m_dir.filePath(name));
    QString error;
    QImage expected;
    try {
        expected = expectedPreview(document, 1);
    } catch (const FileError& e) {
        error = e.message();
    }
    QCOMPARE(error.isEmpty(), opening != QLatin1String("error"));
    ImportWindow window;
    choose(window, document, [&] {
        QVERIFY(waitForPage(window, 1));
        auto* image = control<QLabel>(window, "Image1");
        if (!error.isEmpty()) {
            QVERIFY(window.previewPicture().isNull());
            QCOMPARE(image->text(), error);
            return;
        }
        QCOMPARE(window.previewPicture(), expected);
        const QSize shown = shownSize(window);
        if (opening == QLatin1String("actual")) {
            QCOMPARE(window.previewZoom(), 1.0);
            QCOMPARE(shown, expected.size());
            return;
        }
        // Fitted: inside the scroll box less its allowance, touching it one way.
        const QSize room = control<QScrollArea>(window, "sScrollBox1")->size() - QSize(35, 35);
        QVERIFY2(shown.width() <= room.width() && shown.height() <= room.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(shown.width()).arg(shown.height())));
        QVERIFY(shown.width() >= room.width() - 1 || shown.height() >= room.height() - 1);
        const double zoom = window.previewZoom();
        QCOMPARE(shown, QSize(qRound(expected.width() * zoom), qRound(expected.height() * zoom)));
    });
}

void ImportWindowTest::zoomButtons()
{
    ImportDocument document;
    document.open(file("three.pdf"));
    const QSize page = expectedPreview(document, 1).size();
    ImportWindow window;
    choose(window, document, [&] {
        QVERIFY(waitForPage(window, 1));
        // Each step multiplies the zoom by 1.2 or divides it; the picture follows.
        const std::pair<const char*, double> steps[] = {{"sSpeedButton4", 1.2},
                                                        {"sSpeedButton4", 1.44},
                                                        {"sSpeedButton3", 1.2},
                                                        {"sSpeedButton3", 1.0},
                                                        {"sSpeedButton3", 1 / 1.2},
                                                        {"sSpeedButton1", 1.0}};
        for (const auto& [button, zoom] : steps) {
            QTest::mouseClick(control<QToolButton>(window, button), Qt::LeftButton);
            QVERIFY(qAbs(window.previewZoom() - zoom) < 1e-12);
            QCOMPARE(shownSize(window), QSize(qRound(page.width() * zoom),
                                              qRound(page.height() * zoom)));
        }
        // Zooming in stops at a size memory can hold.
        for (int i = 0; i < 40; ++i)
            QTest::mouseClick(control<QToolButton>(window, "sSpeedButton4"), Qt::LeftButton);
        const QSize largest = shownSize(window);
        QVERIFY(largest.height() <= ImportWindow::MaxViewSidePx);
        QVERIFY(largest.height() >= ImportWindow::MaxViewSidePx - 1);
        // Fitting brings the whole page into view again.
        QTest::mouseClick(control<QToolButton>(window, "sSpeedButton2"), Qt::LeftButton);
        const QSize room = control<QScrollArea>(window, "sScrollBox1")->size() - QSize(35, 35);
        QCOMPARE(shownSize(window).height(), room.height());
    });
}

void ImportWindowTest::newestPageWins()
{
    ImportDocument document;
    document.open(file("three.pdf"));
    ImportWindow window;
    std::set<int> seen;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] { seen.insert(window.shownPage()); });
    choose(window, document, [&] {
        QVERIFY(waitForPage(window, 1));
        watch.start(0);
        auto* page = control<QSpinBox>(window, "sSpinEdit1");
        page->setValue(2);
        page->setValue(3);
        QVERIFY(waitForPage(window, 3));
        QCOMPARE(window.previewPicture(), expectedPreview(document, 3));
        // "Show again" renders the same page anew.
        QTest::mouseClick(control<QToolButton>(window, "sSpeedButton5"), Qt::LeftButton);
        QVERIFY(window.previewPending());
        QVERIFY(waitForPage(window, 3));
        QCOMPARE(window.previewPicture(), expectedPreview(document, 3));
        watch.stop();
    });
    QCOMPARE(seen, (std::set<int>{1, 3}));
}

void ImportWindowTest::answersWhileRendering()
{
    ImportDocument shortDocument;
    shortDocument.open(file("three.pdf"));
    ImportDocument document;
    document.open(file("long.pdf"));
    ImportWindow window;
    // The same window serves one import after another; one left mid-render first.
    QCOMPARE(choose(window, shortDocument,
                    [&] { control<QSpinBox>(window, "sSpinEdit1")->setValue(3); }),
             0);
    auto* zoomIn = control<QToolButton>(window, "sSpeedButton4");
    bool renderingAtClick = false;
    double zoomAtClick = 0;
    QObject::connect(zoomIn, &QToolButton::clicked, [&] {
        renderingAtClick = window.previewPending();
        zoomAtClick = window.previewZoom();
    });
    const int chosen = choose(window, document, [&] {
        auto* page = control<QSpinBox>(window, "sSpinEdit1");
        QCOMPARE(page->maximum(), 200);
        QVERIFY(waitForPage(window, 1));
        page->setValue(200);
        QVERIFY(window.previewPending());
        // A click queued behind the page request is handled by the event loop before the
        // page's preview has arrived.
        QMetaObject::invokeMethod(zoomIn, &QToolButton::click, Qt::QueuedConnection);
        QVERIFY(waitForPage(window, 200));
        QVERIFY(renderingAtClick);
        QCOMPARE(zoomAtClick, 1.2);
        QCOMPARE(window.previewPicture(), expectedPreview(document, 200));
        QTest::keyClick(page, Qt::Key_Return);
    });
    QCOMPARE(chosen, 200);
}

QTEST_MAIN(ImportWindowTest)
#include "ImportWindowTest.moc"
