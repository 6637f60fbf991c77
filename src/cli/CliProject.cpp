// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "cli/CliProject.h"

#include "cli/Command.h"
#include "core/app/ProjectFile.h"
#include "core/app/UserSettings.h"
#include "core/common/Errors.h"
#include "core/data/SetAsString.h"
#include "core/data/SpreadsheetLink.h"
#include "core/workbook/WorkbookFile.h"

#include <QFileInfo>

#include <algorithm>

namespace Quillet::Cli {

Project loadProjectFile(const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw FileError(QStringLiteral("Не существует файла проекта: %1").arg(path));
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
        throw FileError(QStringLiteral("Не существует файла: %1").arg(path));
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
        throw UsageError(QStringLiteral("Неверный номер страницы: %1").arg(text));
    return page;
}

std::vector<int> selectedPages(const QString& text, int pageCount)
{
    TSetAsString set;
    set.setAsString(text.isEmpty() ? QStringLiteral("1-%1").arg(pageCount) : text);
    std::vector<int> pages;
    for (const auto& range : set.ranges()) {
        // Pages past the end render blank, as in the program; keep the list sane.
        if (int64_t(range.hi) - range.lo > 1000000 || pages.size() > 1000000)
            throw UsageError(QStringLiteral("Слишком много страниц в %1").arg(text));
        for (int64_t p = range.lo; p <= range.hi; ++p)
            pages.push_back(int(p));
    }
    if (pages.empty()) // as in the program: an empty set does nothing
        throw Error(QStringLiteral("Не выбраны страницы"));
    return pages;
}

} // namespace Quillet::Cli
