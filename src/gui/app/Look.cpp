// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/app/Look.h"

#include <QApplication>
#include <QLocale>
#include <QPalette>
#include <QStyleFactory>

namespace Quillet {
namespace {

// A dark desktop theme would otherwise leak into Fusion's palette and leave the white
// page floating on black.
QPalette lightPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0xf3, 0xf4, 0xf6));
    palette.setColor(QPalette::WindowText, QColor(0x1f, 0x23, 0x28));
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(0xf7, 0xf8, 0xfa));
    palette.setColor(QPalette::Text, QColor(0x1f, 0x23, 0x28));
    palette.setColor(QPalette::Button, QColor(0xfa, 0xfb, 0xfc));
    palette.setColor(QPalette::ButtonText, QColor(0x1f, 0x23, 0x28));
    palette.setColor(QPalette::Highlight, QColor(0x3b, 0x82, 0xc4));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Dark, QColor(0x8c, 0x90, 0x96));
    palette.setColor(QPalette::ToolTipBase, QColor(0xff, 0xfd, 0xe8));
    palette.setColor(QPalette::ToolTipText, QColor(0x1f, 0x23, 0x28));
    const QColor greyed(0x9a, 0x9f, 0xa6);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, greyed);
    }
    return palette;
}

const char* const kStyleSheet = R"(
QGroupBox {
    border: 1px solid #d5d9de; border-radius: 4px; margin-top: 14px; padding-top: 6px;
    background: #fbfbfc;
}
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; color: #2d4a6b; }
QToolBar { border: none; spacing: 2px; padding: 2px; background: #eceef1; }
QToolButton { padding: 3px; border-radius: 3px; }
QToolButton:hover { background: #dde6f0; }
QToolButton:checked { background: #c9d9ea; }
QToolButton#OpenBtn {
    border: 1px solid #b9bec5; border-radius: 3px; background: #fafbfc; padding: 3px 18px 3px 8px;
}
QLabel#MessPanel { background: #fff3c4; color: #5c4400; padding: 6px; }
QStatusBar QLabel { padding: 0 4px; }
)";

} // namespace

void applyLook(QApplication& app)
{
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setPalette(lightPalette());
    app.setStyleSheet(QString::fromUtf8(kStyleSheet));
}

} // namespace Quillet
