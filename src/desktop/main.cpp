// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/Language.h"
#include "core/app/UserSettings.h"
#include "gui/app/Look.h"
#include "gui/app/MainWindow.h"
#include "core/raster/DecoderMessages.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Pictures are decoded on worker threads too (export, printing, the import window).
    Quillet::DecoderMessages::install();
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quillet"));
    QApplication::setOrganizationName(QStringLiteral("QARNEX"));
    QApplication::setDesktopFileName(QStringLiteral("quillet"));
    // The installed theme's icon where there is one, else the copy built into the program.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quillet"),
                                                 QIcon(QStringLiteral(":/desktop/quillet.svg"))));
    Quillet::applyLook(app);
    {
        // The language chosen in the settings takes effect here, at the start.
        const Quillet::UserSettings settings;
        Quillet::installTranslations(app,
                                     Quillet::interfaceLanguageCode(settings.interfaceLanguage()));
    }

    Quillet::TForm1 window;
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        window.setProjectPath(args.at(1));
    window.show();
    return QApplication::exec();
}
