// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/app/MainWindow.h"

#include "core/common/Errors.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>

namespace Quillet {

TForm1::TForm1(QWidget* parent) : QMainWindow(parent), m_document(&m_userSettings)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quillet %1").arg(QStringLiteral(QUILLET_VERSION)));
    resize(1024, 700);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sStatusBar1"));
    const int widths[] = {50, 50, 50, 50, 65, 65, 50};
    const char* texts[] = {"X: ", "", "Y: ", "", "Масштаб:", "", ""};
    for (size_t i = 0; i < m_statusPanels.size(); ++i) {
        auto* label = new QLabel(QString::fromUtf8(texts[i]), bar);
        label->setObjectName(QStringLiteral("sStatusBarPanel%1").arg(i));
        label->setMinimumWidth(widths[i]);
        if (i == 0 || i == 2 || i == 4)
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (i == 6)
            bar->addWidget(label, 1);
        else
            bar->addWidget(label);
        m_statusPanels[i] = label;
    }
}

TForm1::~TForm1() = default;

void TForm1::setProjectPath(const QString& path)
{
    m_document.ProjectPath = path;
}

bool TForm1::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(event);
}

void TForm1::FormActivate()
{
    // The status panel records which path was loaded last, so the command-line project
    // loads once, at the first activation.
    const QString& path = m_document.ProjectPath;
    if (path.isEmpty() || path == m_statusPanels[6]->text() || !QFileInfo(path).isFile())
        return;
    LoadProject(path);
}

bool TForm1::LoadProject(const QString& path)
{
    try {
        if (!m_document.LoadProject(path))
            return false;
    } catch (const Error& e) {
        // A project named on the command line that cannot be read is not adopted: a
        // later save must not overwrite the damaged file with an empty project, and the
        // next activation must not try it again.
        if (m_document.ProjectPath == path)
            m_document.ProjectPath.clear();
        QMessageBox::critical(this, QStringLiteral("Quillet"), e.message());
        return false;
    }
    showProjectPath();
    return true;
}

void TForm1::showProjectPath()
{
    m_statusPanels[6]->setText(m_document.ProjectPath);
}

} // namespace Quillet
