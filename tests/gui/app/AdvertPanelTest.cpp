// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/DesktopUrls.h"
#include "support/WindowDriver.h"

#include "core/app/UserSettings.h"
#include "core/common/Cp1251.h"
#include "gui/app/AdvertPanel.h"
#include "gui/app/MainWindow.h"

#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>

using namespace Quillet;
using namespace QuilletTest;
using namespace WindowDriver;

namespace {

// A web server on the loopback that answers every request with `response`, or holds
// the connection without a word while `response` is empty.
class PageServer : public QTcpServer {
public:
    explicit PageServer(QByteArray reply) : response(std::move(reply))
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
        });
        listen(QHostAddress::LocalHost);
    }
    QUrl url(const QString& path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path));
    }
    QByteArray response;

private:
    void answer(QTcpSocket* socket)
    {
        const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
        socket->setProperty("request", request);
        if (!request.contains("\r\n\r\n") || response.isEmpty())
            return;
        socket->write(response);
        socket->disconnectFromHost();
    }
};

QByteArray httpResponse(const QByteArray& status, const QByteArray& type, const QByteArray& body)
{
    return "HTTP/1.1 " + status + "\r\nContent-Type: " + type + "\r\nContent-Length: "
           + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

// An address of the loopback where nothing listens.
QUrl deadAddress()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return QUrl(QStringLiteral("http://127.0.0.1:%1/ad.html").arg(port));
}

// Clicks the first link to `href` in the browser, scrolled into view first.
void clickLink(QTextBrowser* browser, const QString& href)
{
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href || fragment.length() < 2)
                continue;
            QTextCursor cursor(browser->document());
            cursor.setPosition(fragment.position() + 1);
            browser->setTextCursor(cursor);
            browser->ensureCursorVisible();
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {},
                              browser->cursorRect(cursor).center());
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no link to %1").arg(href)));
}

// One second of the pause's clock with its two repaint ticks; the real timers are
// stopped, so the test alone moves the clock.
void oneSecond(TForm1& window, AdvertPanel& ad)
{
    ad.Timer1Timer();
    window.RepaintTimeTimer();
    window.RepaintTimeTimer();
}

// Repaint ticks until the advertisement shows; -1 when it does not within `limit`.
int ticksUntilShown(TForm1& window, QWidget& ad, int limit)
{
    for (int tick = 1; tick <= limit; ++tick) {
        window.RepaintTimeTimer();
        if (!ad.isHidden())
            return tick;
    }
    return -1;
}

const QString kTipsHeading = QStringLiteral("Советы по заполнению бланков");

} // namespace

class AdvertPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void pauseFollowsTheRepaintTicks();
    void pauseWaitsForTheEditorAndTheKeyboard();
    void clickedLinkOpensOnTheDesktop();
    void pageFromTheAddress_data();
    void pageFromTheAddress();
    void failedAddressShowsTheProgramsPage_data();
    void failedAddressShowsTheProgramsPage();
    void programsPageSpeaksTheInterfaceLanguage_data();
    void programsPageSpeaksTheInterfaceLanguage();

private:
    QTemporaryDir m_dir;
};

void AdvertPanelTest::initTestCase()
{
    // The program's page follows the interface's language; the cases read the Russian one.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QVERIFY(m_dir.isValid());
}

void AdvertPanelTest::init()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
}

void AdvertPanelTest::pauseFollowsTheRepaintTicks()
{
    TForm1 window;
    window.show();
    auto* ad = control<AdvertPanel>(window, "AD");
    auto* settings = control<QWidget>(window, "sPanel2");
    auto* gauge = control<QProgressBar>(window, "sGauge1");
    auto* timer1 = control<QTimer>(window, "Timer1");
    QCOMPARE(ad->title(), QStringLiteral("Рекламная пауза (не переключайтесь :-))"));
    QVERIFY(ad->isHidden());
    QCOMPARE(gauge->text(), QStringLiteral("30 сек."));
    QVERIFY(timer1->isActive());
    QCOMPARE(timer1->interval(), 1000);
    timer1->stop();
    control<QTimer>(window, "RepaintTime")->stop();

    // The first 30 seconds: the gauge runs down unseen.
    for (int s = 0; s < 30; ++s) {
        oneSecond(window, *ad);
        QVERIFY(ad->isHidden());
        QVERIFY(settings->isVisible());
    }
    QCOMPARE(gauge->value(), 0);
    QVERIFY(!ad->pause().timerRunning());
    QVERIFY(!timer1->isActive());

    // A page address set now is read when the pause starts.
    QFile page(m_dir.filePath(QStringLiteral("ad.html")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<p>Бланки оптом</p>");
    page.close();
    window.userSettings().setAdvertPage(page.fileName());

    const int settingsWidth = settings->width();
    const int first = 60 + ticksUntilShown(window, *ad, 240);
    QVERIFY2(first >= 120 && first <= 239, qPrintable(QString::number(first)));
    QVERIFY(ad->isVisible());
    QVERIFY(settings->isHidden());
    QCOMPARE(ad->width(), settingsWidth);
    QCOMPARE(ad->shownPage(), AdvertPanel::Page::Address);
    QCOMPARE(control<QTextBrowser>(window, "WebBrowser1")->toPlainText(),
             QStringLiteral("Бланки оптом"));
    QCOMPARE(gauge->text(), QStringLiteral("30 сек."));
    QVERIFY(timer1->isActive());
    timer1->stop();
    // The page area stays usable.
    QVERIFY(control<QSpinBox>(window, "PageN")->isVisible());

    for (int s = 1; s < 30; ++s)
        oneSecond(window, *ad);
    QCOMPARE(gauge->text(), QStringLiteral("1 сек."));
    QVERIFY(ad->isVisible());
    oneSecond(window, *ad);
    QVERIFY(ad->isHidden());
    QVERIFY(settings->isVisible());
    QCOMPARE(settings->width(), settingsWidth);
    QVERIFY(!ad->pause().timerRunning());

    const int next = 60 + ticksUntilShown(window, *ad, 2000);
    QVERIFY2(next >= 1680 && next <= 1919, qPrintable(QString::number(next)));
    QVERIFY(settings->isHidden());
    QCOMPARE(gauge->value(), 30);
}

void AdvertPanelTest::pauseWaitsForTheEditorAndTheKeyboard()
{
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* ad = control<AdvertPanel>(window, "AD");
    control<QTimer>(window, "Timer1")->stop();
    control<QTimer>(window, "RepaintTime")->stop();
    for (int s = 0; s < 30; ++s)
        ad->Timer1Timer();

    // A field editor open: the pause, long due, waits for it.
    QTest::keyClick(&window, Qt::Key_F3);
    QTest::mouseClick(control<QPushButton>(window, "CreateTextField"), Qt::LeftButton);
    QVERIFY(window.fieldEditor().isOpen());
    for (int tick = 0; tick < 300; ++tick)
        window.RepaintTimeTimer();
    QVERIFY(ad->isHidden());
    QTest::mouseClick(control<QAbstractButton>(window, "CancelBtn"), Qt::LeftButton);

    // Typing in the settings column: three quiet seconds before the pause takes its place,
    // and then the keyboard stays with the window.
    QTest::keyClick(&window, Qt::Key_F1);
    auto* sheet = control<QLineEdit>(window, "sheet");
    sheet->setFocus();
    QTest::keyClick(sheet, Qt::Key_A);
    for (int tick = 1; tick < AdvertisingPause::kQuietTicks; ++tick) {
        window.RepaintTimeTimer();
        QVERIFY2(ad->isHidden(), qPrintable(QString::number(tick)));
    }
    window.RepaintTimeTimer();
    QVERIFY(ad->isVisible());
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus == nullptr || !(focus == ad || ad->isAncestorOf(focus)));
    QCOMPARE(control<QTextBrowser>(window, "WebBrowser1")->focusPolicy(), Qt::NoFocus);
}

void AdvertPanelTest::clickedLinkOpensOnTheDesktop()
{
    // The program's own page links nowhere; an advertisement from an address does.
    const QString file = m_dir.filePath(QStringLiteral("shop.html"));
    QVERIFY(QuilletTest::writeFile(
        file, QStringLiteral("<p>Бланки <a href=\"https://example.org/blanks/\">в магазине</a></p>")
                  .toUtf8()));
    UserSettings().setAdvertPage(file);
    UrlCatcher desktop({QStringLiteral("https")});
    TForm1 window;
    window.show();
    auto* ad = control<AdvertPanel>(window, "AD");
    control<QTimer>(window, "RepaintTime")->stop();
    QVERIFY(ticksUntilShown(window, *ad, 239) > 0);
    auto* browser = control<QTextBrowser>(window, "WebBrowser1");
    QCOMPARE(ad->shownPage(), AdvertPanel::Page::Address);
    const QString before = browser->toHtml();

    clickLink(browser, QStringLiteral("https://example.org/blanks/"));
    QCOMPARE(desktop.opened, QList<QUrl>{QUrl(QStringLiteral("https://example.org/blanks/"))});
    QCOMPARE(browser->toHtml(), before);
    QVERIFY(browser->source().isEmpty());
    QVERIFY(ad->isVisible());
}

void AdvertPanelTest::pageFromTheAddress_data()
{
    QTest::addColumn<bool>("web");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("body");
    const QString text = QStringLiteral("Скидки на бланки");
    const QString html =
        QStringLiteral("<p>%1 <a href=\"more.html\">подробнее</a> <a href=\"#top\">вверх</a></p>")
            .arg(text);
    // The server's charset names the page's encoding.
    QTest::newRow("web, windows-1251")
        << true << QByteArray("text/html; charset=windows-1251") << *Cp1251::encode(html);
    QTest::newRow("web, no charset") << true << QByteArray("text/html") << html.toUtf8();
    QTest::newRow("local file") << false << QByteArray() << html.toUtf8();
}

void AdvertPanelTest::pageFromTheAddress()
{
    QFETCH(bool, web);
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, body);
    PageServer server(httpResponse("200 OK", type, body));
    const QString file = m_dir.filePath(QStringLiteral("offer.html"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(body);
    out.close();
    const QUrl address =
        web ? server.url(QStringLiteral("/ads/offer.html")) : QUrl::fromLocalFile(file);
    UserSettings settings;
    settings.setAdvertPage(web ? address.toString() : file);

    UrlCatcher desktop({QStringLiteral("http"), QStringLiteral("file")});
    AdvertPanel ad(settings);
    ad.resize(300, 400);
    ad.show();
    QSignalSpy shown(&ad, &AdvertPanel::pageShown);
    if (web)
        QTRY_COMPARE(shown.count(), 1);
    QCOMPARE(ad.shownPage(), AdvertPanel::Page::Address);
    QCOMPARE(ad.shownUrl(), address);
    auto* browser = ad.findChild<QTextBrowser*>(QStringLiteral("WebBrowser1"));
    QCOMPARE(browser->toPlainText(), QStringLiteral("Скидки на бланки подробнее вверх"));

    // A link within the page stays in it; any other goes to the desktop, resolved.
    const QString before = browser->toHtml();
    clickLink(browser, QStringLiteral("#top"));
    QVERIFY(desktop.opened.isEmpty());
    clickLink(browser, QStringLiteral("more.html"));
    QCOMPARE(desktop.opened, QList<QUrl>{address.resolved(QUrl(QStringLiteral("more.html")))});
    QCOMPARE(browser->toHtml(), before);
    QCOMPARE(ad.shownUrl(), address);
}

void AdvertPanelTest::failedAddressShowsTheProgramsPage_data()
{
    QTest::addColumn<QByteArray>("response");
    QTest::addColumn<QString>("address");
    QTest::newRow("nothing listens") << QByteArray() << deadAddress().toString();
    QTest::newRow("silent server") << QByteArray() << QString();
    QTest::newRow("not found") << httpResponse("404 Not Found", "text/html", "<p>нет</p>")
                               << QString();
    QTest::newRow("not a page") << httpResponse("200 OK", "image/png", "\x89PNG\r\n") << QString();
    QTest::newRow("missing file") << QByteArray() << QStringLiteral("/nonexistent/ad.html");
}

void AdvertPanelTest::failedAddressShowsTheProgramsPage()
{
    QFETCH(QByteArray, response);
    QFETCH(QString, address);
    PageServer server(response);
    UserSettings settings;
    AdvertPanel ad(settings);
    QCOMPARE(ad.shownPage(), AdvertPanel::Page::Bundled);
    auto* browser = ad.findChild<QTextBrowser*>(QStringLiteral("WebBrowser1"));
    QVERIFY(browser->toPlainText().contains(kTipsHeading));

    // An earlier page from the address, then the failing one.
    QFile page(m_dir.filePath(QStringLiteral("earlier.html")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<p>earlier</p>");
    page.close();
    settings.setAdvertPage(page.fileName());
    ad.refreshPage();
    QCOMPARE(ad.shownPage(), AdvertPanel::Page::Address);

    settings.setAdvertPage(address.isEmpty() ? server.url(QStringLiteral("/ad")).toString()
                                             : address);
    ad.setFetchTimeout(300);
    QSignalSpy shown(&ad, &AdvertPanel::pageShown);
    ad.refreshPage();
    QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 5000);
    QCOMPARE(shown.at(0).at(0).value<AdvertPanel::Page>(), AdvertPanel::Page::Bundled);
    QCOMPARE(ad.shownUrl(), AdvertPanel::bundledPage());
    QVERIFY(browser->toPlainText().contains(kTipsHeading));
}

void AdvertPanelTest::programsPageSpeaksTheInterfaceLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("heading");
    QTest::newRow("Russian") << "ru_RU" << kTipsHeading;
    QTest::newRow("English") << "en_US"
                             << "Tips for filling in forms";
}

void AdvertPanelTest::programsPageSpeaksTheInterfaceLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QString, heading);
    const QLocale russian;
    QLocale::setDefault(QLocale(locale));
    UserSettings settings;
    AdvertPanel ad(settings);
    QLocale::setDefault(russian);
    QCOMPARE(ad.shownPage(), AdvertPanel::Page::Bundled);
    const QString text = ad.findChild<QTextBrowser*>(QStringLiteral("WebBrowser1"))->toPlainText();
    QVERIFY2(text.startsWith(heading), qPrintable(text.left(80)));
}

QTEST_MAIN(AdvertPanelTest)
#include "AdvertPanelTest.moc"
