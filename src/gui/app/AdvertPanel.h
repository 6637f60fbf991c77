// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/app/AdvertisingPause.h"

#include <QGroupBox>
#include <QPointer>
#include <QUrl>

class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QProgressBar;
class QTextBrowser;
class QTimer;

namespace Quillet {

class UserSettings;

/// `AD`, the advertising pause: the page in `WebBrowser1` above the label and the
/// seconds gauge `sGauge1`, and the one-second timer `Timer1`. Hidden at start. When a
/// pause starts it takes the place and the width of the panel given to setReplaced()
/// (the settings panel) for 30 seconds; the page area stays usable.
///
/// The page comes from the address in the user's settings (UserSettings::advertPage):
/// none means the program's own page of tips; a local file or "qrc:" resource is read
/// at once; an http(s) address is fetched, with a time limit, and the program's page
/// shows when that fails. The page is loaded when the panel is made and again at the
/// start of every pause. A link the user clicks opens in the desktop's browser and the
/// panel keeps its page.
class AdvertPanel : public QGroupBox {
    Q_OBJECT
public:
    /// What the browser shows.
    enum class Page { Bundled, Address };

    /// `random` draws the countdowns (AdvertisingPause); empty for the program's
    /// generator. Starts loading the page and starts `Timer1` with the gauge at 30.
    explicit AdvertPanel(UserSettings& settings, QWidget* parent = nullptr,
                         AdvertisingPause::RandomSource random = {});
    ~AdvertPanel() override;

    /// The panel a pause stands in for; both should be children of one QSplitter.
    void setReplaced(QWidget* panel);
    /// The time limit of an http(s) fetch, milliseconds (15 000 unless set).
    void setFetchTimeout(int ms);

    /// The program's own page, in the interface's language (currentInterfaceLanguage).
    static QUrl bundledPage();
    /// What the browser shows now, and the address it came from.
    Page shownPage() const { return m_shown; }
    QUrl shownUrl() const { return m_base; }
    const AdvertisingPause& pause() const { return m_pause; }

public Q_SLOTS:
    /// End of a repaint tick: advances the countdown and starts a pause when it runs out;
    /// one that falls due while `editorOpen` waits until the editing area closes.
    void repaintTick(bool editorOpen = false);
    /// The user pressed a key or a button in the panel a pause stands in for.
    void userBusy() { m_pause.userBusy(); }
    /// One second of `Timer1`: the gauge goes down; at zero the pause ends.
    void Timer1Timer();
    /// Loads the page from the address in the user's settings.
    void refreshPage();

Q_SIGNALS:
    /// A page was put into the browser: the program's own, or the one at the address
    /// (also after a failed fetch, with Page::Bundled).
    void pageShown(AdvertPanel::Page page);

private:
    void startPause();
    void standIn(bool advert);
    void fetch(const QUrl& url);
    void fetched(QNetworkReply* reply);
    void showBundled();
    void showHtml(const QString& html, const QUrl& base, Page page);
    void WebBrowser1Navigate(const QUrl& link);

    UserSettings& m_settings;
    AdvertisingPause m_pause;
    QTextBrowser* m_browser = nullptr;
    QProgressBar* m_gauge = nullptr;
    QTimer* m_timer1 = nullptr;
    QPointer<QWidget> m_replaced;
    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    int m_timeoutMs = 15000;
    Page m_shown = Page::Bundled;
    QUrl m_base;
};

} // namespace Quillet
