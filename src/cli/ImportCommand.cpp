// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// quillet-cli import FILE [--page N] [--dpi D] --out PICTURE.png|.jpg, import FILE --count
// and set-background PROJECT FILE [--page N]: the document import without its window.

#include "cli/Command.h"
#include "core/app/ProjectDocument.h"
#include "core/app/UserSettings.h"
#include "core/background/BackgroundSettings.h"
#include "core/background/DocumentImport.h"
#include "core/common/Errors.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace Quillet::Cli {
namespace {

int pageOption(const ParsedArgs& parsed)
{
    const QString text = parsed.value(QStringLiteral("page"), QStringLiteral("1"));
    bool ok = false;
    const int page = text.toInt(&ok);
    if (!ok || page < 1)
        throw UsageError(
            QCoreApplication::translate("Quillet::Cli", "Неверный номер страницы: %1").arg(text));
    return page;
}

double dpiOption(const ParsedArgs& parsed)
{
    const QString text = parsed.value(QStringLiteral("dpi"), QStringLiteral("600"));
    bool ok = false;
    const double dpi = text.toDouble(&ok);
    if (!ok || !(dpi > 0.0 && dpi <= ImportDocument::MaxDpi))
        throw UsageError(
            QCoreApplication::translate("Quillet::Cli", "Неверное разрешение: %1 (от 1 до %2 dpi)")
                .arg(text)
                .arg(ImportDocument::MaxDpi));
    return dpi;
}

bool isJpegName(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return true;
    if (suffix != QLatin1String("png"))
        throw UsageError(
            QCoreApplication::translate("Quillet::Cli", "Файл --out должен быть .png или .jpg: %1")
                .arg(path));
    return false;
}

void writePicture(const QImage& image, const QString& path)
{
    const QByteArray bytes = isJpegName(path) ? encodeImportedPage(image) : QByteArray();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(
            QCoreApplication::translate("Quillet::Cli", "Не удаётся записать файл %1: %2")
                .arg(path, reasonInRussian(file.errorString())));
    bool written = false;
    if (bytes.isEmpty()) {
        QImageWriter writer(&file, "png");
        written = writer.write(image);
    } else {
        written = file.write(bytes) == bytes.size();
    }
    if (!written || !file.commit())
        throw FileError(
            QCoreApplication::translate("Quillet::Cli", "Не удаётся записать файл %1").arg(path));
}

int runImport(const QStringList& args)
{
    const ParsedArgs parsed =
        parseArgs(args, {QStringLiteral("page"), QStringLiteral("dpi"), QStringLiteral("out")},
                  {QStringLiteral("count")});
    if (parsed.positional.size() != 1)
        throw UsageError(
            QCoreApplication::translate("Quillet::Cli", "Нужен ровно один импортируемый файл"));
    const bool count = parsed.has(QStringLiteral("count"));
    const QString out = parsed.value(QStringLiteral("out"));
    if (count == !out.isEmpty())
        throw UsageError(QCoreApplication::translate(
            "Quillet::Cli", "Нужен либо --count, либо --out ФАЙЛ.png|.jpg"));
    const int page = pageOption(parsed);
    const double dpi = dpiOption(parsed);
    if (!count)
        isJpegName(out); // a wrong name is refused before any work is done
    ImportDocument document;
    document.open(parsed.positional.first());
    if (count) {
        printOut(QString::number(document.pageCount()) + u'\n');
        return ExitOk;
    }
    writePicture(document.page(page, dpi), out);
    return ExitOk;
}

int runSetBackground(const QStringList& args)
{
    const ParsedArgs parsed = parseArgs(args, {QStringLiteral("page")}, {});
    if (parsed.positional.size() != 2)
        throw UsageError(
            QCoreApplication::translate("Quillet::Cli", "Нужны файл проекта и импортируемый файл"));
    const QString projectPath = parsed.positional.at(0);
    const int page = pageOption(parsed);
    const UserSettings sizes;
    ProjectDocument document(&sizes);
    if (!document.LoadProject(projectPath))
        throw FileError(
            QCoreApplication::translate("Quillet::Cli", "Не существует файла проекта: %1")
                .arg(projectPath));
    // The import comes first: when it fails the project file is not touched.
    ImportDocument import;
    import.open(parsed.positional.at(1));
    const QImage picture = import.page(page);
    const int dpi = import.pageDpi();
    import.close();
    BackgroundSettings panel(document.project.settings, document.project.BackgroundImage,
                             document.RepaintPending);
    panel.replaceBackground(picture, dpi);
    document.WriteProjectFile(projectPath);
    return ExitOk;
}

const bool registeredImport = registerCommand(
    {"import",
     QT_TRANSLATE_NOOP(
         "Quillet::Cli",
         "import ФАЙЛ [--page N] [--dpi D] --out КАРТИНКА.png|.jpg | import ФАЙЛ --count"),
     &runImport});
const bool registeredSetBackground = registerCommand(
    {"set-background", QT_TRANSLATE_NOOP("Quillet::Cli", "set-background ПРОЕКТ ФАЙЛ [--page N]"),
     &runSetBackground});

} // namespace
} // namespace Quillet::Cli
