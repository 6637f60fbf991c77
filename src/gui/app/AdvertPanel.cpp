// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/app/AdvertPanel.h"

#include "core/app/Language.h"
#include "core/app/UserSettings.h"
#include "core/common/Cp1251.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProgressBar>
#include <QSplitter>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>

namespace Quillet {
namespace {

// An advertisement is a page of text; anything larger is not one and is not kept.
constexpr qint64 kMaxPageBytes = 2 * 1024 * 1024;
constexpr int kSecondMs = 1000;

bool isWeb(const QUrl& url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

// A path without a scheme is a local file; "C:" of a Windows path is no scheme.
QUrl addressUrl(const QString& address)
{
    const QUrl url(address);
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    return QUrl::fromUserInput(address);
}

// A device that never ends (a pipe, a device file) is read only up to the limit.
std::optional<QByteArray> readLocal(const QUrl& url)
{
    const QString path =
        url.scheme() == QLatin1String("qrc") ? u':' + url.path() : url.toLocalFile();
    if (path.isEmpty())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray data = file.read(kMaxPageBytes + 1);
    if (data.size() > kMaxPageBytes || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return data;
}

// The charset the server names wins over the page's own declaration; UTF-8 otherwise.
QString decodePage(const QByteArray& data, const QByteArray& contentType)
{
    const qsizetype at = contentType.toLower().indexOf("charset=");
    if (at >= 0) {
        QByteArray name = contentType.mid(at + 8).split(';').first().trimmed().toLower();
        name.replace('"', QByteArray());
        QStringDecoder decoder(name.constData());
        if (decoder.isValid())
            return decoder.decode(data);
        // A Qt built without ICU knows only the Unicode encodings and Latin-1 by name.
        if (name == "windows-1251" || name == "cp1251")
            return Cp1251::decode(data);
    }
    QStringDecoder decoder = QStringDecoder::decoderForHtml(data);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    return decoder.decode(data);
}

} // namespace

AdvertPanel::AdvertPanel(UserSettings& settings, QWidget* parent,
                         AdvertisingPause::RandomSource random)
    : QGroupBox(tr("Рекламная пауза (не переключайтесь :-))"), parent), m_settings(settings),
      m_pause(std::move(random))
{
    setObjectName(QStringLiteral("AD"));
    setMinimumWidth(291);
    hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("WebBrowser1"));
    // Links open with a click; the page never takes the keyboard from what the user edits.
    m_browser->setFocusPolicy(Qt::NoFocus);
    // Nothing navigates inside the panel: links go to the desktop's browser.
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &AdvertPanel::WebBrowser1Navigate);
    layout->addWidget(m_browser, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(tr("Реклама скроется через: "), this));
    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName(QStringLiteral("sGauge1"));
    m_gauge->setRange(0, AdvertisingPause::kSeconds);
    m_gauge->setValue(m_pause.secondsLeft());
    m_gauge->setFormat(tr("%v сек."));
    m_gauge->setTextVisible(true);
    bottom->addWidget(m_gauge, 1);
    layout->addLayout(bottom);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(kSecondMs);
    connect(m_timer1, &QTimer::timeout, this, &AdvertPanel::Timer1Timer);
    m_timer1->start();

    refreshPage();
    // An address on the web shows the program's page until it arrives.
    if (m_base.isEmpty())
        showBundled();
}

AdvertPanel::~AdvertPanel()
{
    // A fetch still running must not report to a panel half torn down.
    if (m_reply)
        m_reply->disconnect(this);
}

void AdvertPanel::setReplaced(QWidget* panel)
{
    m_replaced = panel;
}

void AdvertPanel::setFetchTimeout(int ms)
{
    m_timeoutMs = ms;
}

QUrl AdvertPanel::bundledPage()
{
    return QUrl(currentInterfaceLanguage() == QLatin1String("ru")
                    ? QStringLiteral("qrc:/advert/tips.html")
                    : QStringLiteral("qrc:/advert/tips_en.html"));
}

void AdvertPanel::repaintTick(bool editorOpen)
{
    if (m_pause.repaintTick(editorOpen))
        startPause();
}

void AdvertPanel::startPause()
{
    m_gauge->setValue(m_pause.secondsLeft());
    m_timer1->start();
    standIn(true);
    refreshPage();
}

void AdvertPanel::Timer1Timer()
{
    const bool ended = m_pause.timerTick();
    m_gauge->setValue(m_pause.secondsLeft());
    if (!m_pause.timerRunning())
        m_timer1->stop();
    if (ended)
        standIn(false);
}

void AdvertPanel::standIn(bool advert)
{
    QWidget* shown = advert ? static_cast<QWidget*>(this) : m_replaced.data();
    QWidget* hidden = advert ? m_replaced.data() : static_cast<QWidget*>(this);
    if (hidden == nullptr || shown == nullptr) {
        setVisible(advert);
        return;
    }
    // The advertisement takes the settings panel's place at its width, and gives it back.
    auto* splitter = qobject_cast<QSplitter*>(parentWidget());
    QList<int> sizes = splitter != nullptr ? splitter->sizes() : QList<int>();
    const int width = hidden->width();
    // The keyboard stays with the window, never with the advertisement: the focus a hidden
    // panel held goes to the window itself.
    const bool hadFocus = hidden->isAncestorOf(QApplication::focusWidget());
    shown->show();
    hidden->hide();
    if (hadFocus && advert)
        window()->setFocus(Qt::OtherFocusReason);
    if (splitter != nullptr && splitter->indexOf(shown) >= 0 && splitter->indexOf(hidden) >= 0) {
        sizes[splitter->indexOf(shown)] = width;
        sizes[splitter->indexOf(hidden)] = 0;
        splitter->setSizes(sizes);
    }
}

void AdvertPanel::refreshPage()
{
    const QString address = m_settings.advertPage();
    const QUrl url = address.isEmpty() ? bundledPage() : addressUrl(address);
    if (isWeb(url)) {
        fetch(url);
        return;
    }
    if (const std::optional<QByteArray> data = readLocal(url))
        showHtml(decodePage(*data, {}), url, url == bundledPage() ? Page::Bundled : Page::Address);
    else
        showBundled();
}

void AdvertPanel::fetch(const QUrl& url)
{
    if (m_network == nullptr)
        m_network = new QNetworkAccessManager(this);
    // A refresh supersedes a fetch still running.
    if (QNetworkReply* old = m_reply) {
        m_reply = nullptr;
        old->disconnect(this);
        old->abort();
        old->deleteLater();
    }
    QNetworkRequest request(url);
    QNetworkReply* reply = m_network->get(request);
    m_reply = reply;
    // The limit is on the whole fetch: a server that sends a byte now and then would
    // keep a limit on silence waiting for ever.
    QTimer::singleShot(m_timeoutMs, reply, [reply] { reply->abort(); });
    connect(reply, &QNetworkReply::downloadProgress, this, [reply](qint64 received, qint64) {
        if (received > kMaxPageBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { fetched(reply); });
}

void AdvertPanel::fetched(QNetworkReply* reply)
{
    reply->deleteLater();
    if (reply != m_reply)
        return;
    m_reply = nullptr;
    const QByteArray type = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    // A picture or an archive at the address is no page to show.
    const bool text = type.isEmpty() || type.toLower().startsWith("text/");
    if (reply->error() != QNetworkReply::NoError || !text) {
        showBundled();
        return;
    }
    showHtml(decodePage(reply->readAll(), type), reply->url(), Page::Address);
}

void AdvertPanel::showBundled()
{
    QFile file(u':' + bundledPage().path());
    const QByteArray data = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    showHtml(QString::fromUtf8(data), bundledPage(), Page::Bundled);
}

void AdvertPanel::showHtml(const QString& html, const QUrl& base, Page page)
{
    m_base = base;
    m_shown = page;
    m_browser->document()->setBaseUrl(base);
    m_browser->setHtml(html);
    Q_EMIT pageShown(page);
}

void AdvertPanel::WebBrowser1Navigate(const QUrl& link)
{
    // A link within the page only scrolls it.
    if (link.isRelative() && link.path().isEmpty() && link.hasFragment()) {
        m_browser->scrollToAnchor(link.fragment());
        return;
    }
    QDesktopServices::openUrl(m_base.resolved(link));
}

} // namespace Quillet
