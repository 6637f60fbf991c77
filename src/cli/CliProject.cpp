// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "cli/CliProject.h"

#include "cli/Command.h"
#include "core/app/ProjectFile.h"
#include "core/app/UserSettings.h"
#include "core/common/Errors.h"
#include "core/data/PageSelection.h"
#include "core/data/SpreadsheetLink.h"
#include "core/workbook/WorkbookFile.h"

#include <QFileInfo>

#include <algorithm>

namespace Quillet::Cli {

Project loadProjectFile(const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw FileError(
            QCoreApplication::translate("Quillet::Cli", "Не существует файла проекта: %1")
                .arg(path));
    const UserSettings sizes;
    return ProjectFile::load(path, ProjectSettings{}, &sizes);
}

std::shared_ptr<Workbook> openProjectWorkbook(const Project& project, const QString& projectPath,
                                              const QString& overridePath)
{
    QString path = overridePath;
    if (path.isEmpty()) {
        if (project.settings.xlsFile.isEmpty())
            return nullptr;
        path = SpreadsheetLink::resolveXlsPath(project.settings.xlsFile,
                                               QFileInfo(projectPath).absoluteFilePath());
    }
    if (!QFileInfo(path).isFile())
        throw FileError(
            QCoreApplication::translate("Quillet::Cli", "Не существует файла: %1").arg(path));
    OpenedWorkbook opened = openWorkbookFile(path, WorkbookOptions{});
    for (const QString& line : opened.problems)
        printErr(line);
    return std::move(opened.workbook);
}

int parsePageNumber(const QString& text)
{
    bool ok = false;
    const int page = text.toInt(&ok);
    if (!ok || page < 0)
        throw UsageError(
            QCoreApplication::translate("Quillet::Cli", "Неверный номер страницы: %1").arg(text));
    return page;
}

std::vector<int> selectedPages(const QString& text, int pageCount)
{
    // Pages past the end render blank, as in the program.
    const std::vector<int> pages =
        PageSelection::listedPages(text.isEmpty() ? QStringLiteral("1-%1").arg(pageCount) : text);
    if (pages.empty()) // as in the program: an empty set does nothing
        throw Error(QCoreApplication::translate("Quillet::Cli", "Не выбраны страницы"));
    return pages;
}

} // namespace Quillet::Cli
