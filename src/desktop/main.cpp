// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/app/Look.h"
#include "gui/app/MainWindow.h"
#include "core/raster/DecoderMessages.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Pictures are decoded on worker threads too (export, printing, the import window).
    Quillet::DecoderMessages::install();
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quillet"));
    QApplication::setOrganizationName(QStringLiteral("QARNEX"));
    QApplication::setDesktopFileName(QStringLiteral("quillet"));
    Quillet::applyLook(app);
    Quillet::installTranslation(app);

    Quillet::TForm1 window;
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        window.setProjectPath(args.at(1));
    window.show();
    return QApplication::exec();
}
