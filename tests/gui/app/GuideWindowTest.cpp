// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The guide the program carries: how it opens, and that everything it shows or links to is
// in the program's resources.

#include "support/TestSupport.h"
#include "support/WindowDriver.h"

#include "gui/app/GuideWindow.h"
#include "gui/app/MainWindow.h"

#include <QDirIterator>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTest>

using namespace Quillet;
using namespace WindowDriver;

class GuideWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void opensFromTheWindow_data();
    void opensFromTheWindow();
    void picturesAndLinksAreBundled_data();
    void picturesAndLinksAreBundled();
    void nothingLinksToTheOldSite();

private:
    QTemporaryDir m_dir;
};

namespace {

// What one page of the guide points at: its pictures, the targets of its links and the
// anchors it offers.
struct GuideContent {
    QStringList images;
    QStringList links;
    QStringList anchors;
};

GuideContent contentOf(const QTextDocument& document)
{
    GuideContent content;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat())
                content.images.append(format.toImageFormat().name());
            if (format.isAnchor() && !format.anchorHref().isEmpty())
                content.links.append(format.anchorHref());
            content.anchors.append(format.anchorNames());
        }
    }
    return content;
}

} // namespace

void GuideWindowTest::initTestCase()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
}

void GuideWindowTest::opensFromTheWindow_data()
{
    QTest::addColumn<bool>("key");
    QTest::newRow("F1") << true;
    QTest::newRow("the \"?\" button") << false;
}

void GuideWindowTest::opensFromTheWindow()
{
    QFETCH(bool, key);
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (key)
        QTest::keyClick(control<QLineEdit>(window, "sheet"), Qt::Key_F1);
    else
        click(window, "ToolButton30");
    auto* guide = control<GuideWindow>(window, "Guide");
    QVERIFY(guide->isVisible());
    QVERIFY(guide->isWindow());
    auto* browser = control<QTextBrowser>(window, "GuideBrowser");
    QCOMPARE(browser->source(), GuideWindow::guidePage(QLocale().name()));
    QVERIFY(!browser->toPlainText().isEmpty());
    // Asked again, the same guide comes to the front.
    click(window, "ToolButton30");
    QCOMPARE(window.findChildren<GuideWindow*>().size(), 1);
}

void GuideWindowTest::picturesAndLinksAreBundled_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("Russian") << "ru_RU";
    QTest::newRow("English") << "en_US";
}

void GuideWindowTest::picturesAndLinksAreBundled()
{
    QFETCH(QString, locale);
    const QUrl page = GuideWindow::guidePage(locale);
    QCOMPARE(page.scheme(), QStringLiteral("qrc"));
    QTextBrowser browser;
    browser.setSource(page);
    QVERIFY2(!browser.toPlainText().isEmpty(), qPrintable(page.toString()));
    const GuideContent content = contentOf(*browser.document());
    QVERIFY(!content.images.isEmpty());
    for (const QString& image : content.images) {
        // Resolved against the page as the browser resolves it, and a picture there.
        const QString resource = u':' + page.resolved(QUrl(image)).path();
        QVERIFY2(!QImage(resource).isNull(), qPrintable(image));
    }
    QVERIFY(!content.links.isEmpty());
    for (const QString& link : content.links) {
        const QUrl url(link);
        // Within the page: an anchor it has; anything else: another bundled page.
        if (link.startsWith(u'#'))
            QVERIFY2(content.anchors.contains(url.fragment()), qPrintable(link));
        else
            QVERIFY2(QFileInfo::exists(u':' + page.resolved(url).path()), qPrintable(link));
    }
    // Both languages walk through the same sections with the same pictures, each of its
    // own language's interface.
    const QUrl russian = GuideWindow::guidePage(QStringLiteral("ru"));
    QTextBrowser other;
    other.setSource(russian);
    const GuideContent reference = contentOf(*other.document());
    const QString folder = QStringLiteral("images/%1/").arg(locale.left(2));
    QStringList expected;
    for (QString image : reference.images)
        expected << image.replace(QStringLiteral("images/ru/"), folder);
    QCOMPARE(content.images, expected);
    QCOMPARE(content.links, reference.links);
}

void GuideWindowTest::nothingLinksToTheOldSite()
{
    // A site that is not ours: no text the program carries or shows may send users there.
    const QString site = QStringLiteral("quillet.org");
    QStringList files;
    for (QDirIterator it(QStringLiteral(":/"), QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();)
        files.append(it.next());
    for (QDirIterator it(QuilletTest::sourcePath(QStringLiteral("src")), QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        files.append(it.next());
    files.append(QuilletTest::sourcePath(QStringLiteral("README.md")));
    QVERIFY(files.size() > 100);
    for (const QString& path : files) {
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        QVERIFY2(!file.readAll().contains(site.toUtf8()), qPrintable(path));
    }
}

QTEST_MAIN(GuideWindowTest)
#include "GuideWindowTest.moc"
