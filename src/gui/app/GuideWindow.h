// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace Quillet {

/// `Guide`: the guide to making a form that the program carries, in a window of its own
/// beside the main one, its pages in `GuideBrowser`. The guide's links lead within it;
/// a link to anything else opens in the desktop's browser.
class GuideWindow : public QWidget {
    Q_OBJECT
public:
    explicit GuideWindow(QWidget* parent = nullptr);

    /// The guide's first page for the locale named `localeName` (QLocale::name()): the
    /// Russian guide for a Russian locale, the English one otherwise.
    static QUrl guidePage(const QString& localeName);

    /// Shows the guide from its first page in the user's language, or raises it as it is
    /// when it is already shown.
    void showGuide();

private:
    void followLink(const QUrl& link);

    QTextBrowser* m_browser = nullptr;
};

} // namespace Quillet
