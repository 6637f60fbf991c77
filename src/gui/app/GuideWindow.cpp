// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/app/GuideWindow.h"

#include "core/app/Guide.h"
#include "core/app/Language.h"

#include <QDesktopServices>
#include <QLocale>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace Quillet {

GuideWindow::GuideWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Guide"));
    setWindowTitle(tr("Руководство — Quillet"));
    resize(760, 640);
    // A window beside the main one: closing the main window still ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("GuideBrowser"));
    m_browser->setOpenLinks(false);
    m_browser->setFrameShape(QFrame::NoFrame);
    m_browser->document()->setDocumentMargin(14);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &GuideWindow::followLink);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
}

QUrl GuideWindow::guidePage(const QString& localeName)
{
    return QUrl(QStringLiteral("qrc:/guide/") + guideFileName(localeName));
}

void GuideWindow::showGuide()
{
    if (!isVisible() || m_browser->source().isEmpty())
        m_browser->setSource(guidePage(currentInterfaceLanguage()));
    show();
    raise();
    activateWindow();
}

void GuideWindow::followLink(const QUrl& link)
{
    const QUrl target = m_browser->source().resolved(link);
    if (target.scheme() == QLatin1String("qrc"))
        m_browser->setSource(target);
    else
        QDesktopServices::openUrl(target);
}

} // namespace Quillet
