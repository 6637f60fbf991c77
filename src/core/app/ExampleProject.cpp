// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/ExampleProject.h"

#include "core/common/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Quillet::ExampleProject {
namespace {

bool holdsExample(const QString& folder)
{
    return QFileInfo(QDir(folder).filePath(projectFileName())).isFile();
}

} // namespace

QString projectFileName()
{
    return QStringLiteral("demo.qlet");
}

QString findExampleFolder(const QString& programFolder)
{
    // Installed: <prefix>/bin/quillet and <prefix>/share/quillet/examples/demo, wherever
    // the prefix is. The source tree is only there for a program run where it was built.
    const QString candidates[] = {
        QDir(programFolder).filePath(QStringLiteral("../share/quillet/examples/demo")),
        QStringLiteral(QUILLET_SOURCE_EXAMPLE),
    };
    for (const QString& folder : candidates) {
        if (holdsExample(folder))
            return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    }
    return QString();
}

QString copyFolder(const QString& documentsFolder, const QString& homeFolder)
{
    const bool documents = !documentsFolder.isEmpty() && QFileInfo(documentsFolder).isDir();
    return QDir(documents ? documentsFolder : homeFolder)
        .filePath(QCoreApplication::translate("Quillet::ExampleProject", "Quillet — пример"));
}

void copyExample(const QString& from, const QString& to)
{
    if (!holdsExample(from))
        throw FileError(QCoreApplication::translate("Quillet::ExampleProject",
                                                    "Пример не найден: в папке %1 нет файла %2.")
                            .arg(from, projectFileName()));
    if (!QDir().mkpath(to) || !QFileInfo(to).isDir())
        throw FileError(
            QCoreApplication::translate("Quillet::ExampleProject",
                                        "Не удалось создать папку %1 для копии примера.")
                .arg(to));
    const QDir source(from);
    const QDir target(to);
    for (const QString& name : source.entryList(QDir::Files)) {
        const QString copy = target.filePath(name);
        QFile old(copy);
        if (old.exists() && !old.remove()) {
            throw FileError(QCoreApplication::translate("Quillet::ExampleProject",
                                                        "Не удалось заменить файл %1: %2")
                                .arg(copy, reasonInRussian(old.errorString())));
        }
        QFile original(source.filePath(name));
        if (!original.copy(copy)) {
            throw FileError(QCoreApplication::translate("Quillet::ExampleProject",
                                                        "Не удалось скопировать пример в %1: %2")
                                .arg(copy, reasonInRussian(original.errorString())));
        }
        // The shipped files may be read-only; the copy is the user's to edit and save.
        QFile::setPermissions(copy,
                              QFile::permissions(copy) | QFile::WriteOwner | QFile::ReadOwner);
    }
}

} // namespace Quillet::ExampleProject
