// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// quillet-cli background PROJECT --out FILE.png: the processed background of a project at
// 300 dpi, as the page shows it before it is placed, written as a 24-bit RGB PNG.

#include "cli/Command.h"
#include "core/app/ProjectFile.h"
#include "core/app/UserSettings.h"
#include "core/background/Background.h"
#include "core/background/BackgroundSettings.h"
#include "core/common/Errors.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace Quillet::Cli {
namespace {

void writePng(const QImage& image, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw FileError(
            QCoreApplication::translate("Quillet::Cli", "Не удаётся записать файл %1: %2")
                .arg(path, reasonInRussian(file.errorString())));
    }
    QImageWriter writer(&file, "png");
    if (!writer.write(image.convertToFormat(QImage::Format_RGB888)) || !file.commit()) {
        throw FileError(
            QCoreApplication::translate("Quillet::Cli", "Не удаётся записать файл %1: %2")
                .arg(path, reasonInRussian(writer.errorString())));
    }
}

int runBackground(const QStringList& args)
{
    const ParsedArgs parsed = parseArgs(args, {QStringLiteral("out")}, {});
    if (parsed.positional.size() != 1)
        throw UsageError(
            QCoreApplication::translate("Quillet::Cli", "Нужен ровно один файл проекта"));
    const QString out = parsed.value(QStringLiteral("out"));
    if (out.isEmpty())
        throw UsageError(QCoreApplication::translate("Quillet::Cli", "Не указан --out ФАЙЛ.png"));
    const QString path = parsed.positional.first();
    if (!QFileInfo(path).isFile())
        throw FileError(
            QCoreApplication::translate("Quillet::Cli", "Не существует файла проекта: %1")
                .arg(path));
    const UserSettings sizes;
    Project project = ProjectFile::load(path, ProjectSettings{}, &sizes);
    if (!hasBackground(project.BackgroundImage))
        throw Error(
            QCoreApplication::translate("Quillet::Cli", "В проекте нет подложки: %1").arg(path));
    // As after opening the project: the width edit's leave handling builds the picture.
    bool repaint = false; // no page to draw again here
    BackgroundSettings panel(project.settings, project.BackgroundImage, repaint, MmPerPixel);
    panel.leaveImgWidth();
    const QImage& shown = panel.ShownBackground();
    if (shown.isNull())
        throw Error(QCoreApplication::translate("Quillet::Cli", "Размер подложки — 0 пикселей: %1")
                        .arg(path));
    writePng(shown, out);
    return ExitOk;
}

const bool registered = registerCommand(
    {"background", QT_TRANSLATE_NOOP("Quillet::Cli", "background ПРОЕКТ --out ФАЙЛ.png"),
     &runBackground});

} // namespace
} // namespace Quillet::Cli
