// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/data/SpreadsheetLink.h"

#include "core/common/Errors.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <sys/stat.h>

namespace Quillet {
namespace {

// Editors write a file in several steps; waiting this long after the last change reads
// the finished file once instead of every intermediate state.
constexpr int RereadDelayMs = 400;
// While a replaced file is briefly missing (between unlink and rename), look again this
// many times before giving up until the folder changes again.
constexpr int MissingRetries = 10;

QString projectFolder(const QString& projectPath)
{
    if (projectPath.isEmpty())
        return QString();
    return QFileInfo(projectPath).absolutePath() + u'/';
}

} // namespace

SpreadsheetLink::SpreadsheetLink(QObject* parent) : QObject(parent)
{
    m_rereadTimer.setSingleShot(true);
    m_rereadTimer.setInterval(RereadDelayMs);
    connect(&m_rereadTimer, &QTimer::timeout, this, &SpreadsheetLink::reread);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &SpreadsheetLink::onFileChanged);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &SpreadsheetLink::onFolderChanged);
}

SpreadsheetLink::~SpreadsheetLink() = default;

QString SpreadsheetLink::resolveXlsPath(const QString& name, const QString& projectPath)
{
    const QString folder = projectFolder(projectPath);
    if (folder.isEmpty() || name.isEmpty() || QDir::isAbsolutePath(name))
        return name;
    const QString joined = folder + name;
    return QFileInfo(joined).isFile() ? joined : name;
}

QString SpreadsheetLink::displayName(const QString& chosenPath, const QString& projectPath)
{
    const QString folder = projectFolder(projectPath);
    if (!folder.isEmpty() && chosenPath.startsWith(folder))
        return chosenPath.mid(folder.size());
    return chosenPath;
}

SpreadsheetLink::OpenResult SpreadsheetLink::openWorkbook(const QString& path,
                                                          const QString& currentSheet)
{
    if (!QFileInfo(path).isFile()) {
        closeWorkbook();
        return {false, currentSheet};
    }
    // Read first: a file that is no workbook must not cost the user the link that works.
    OpenedWorkbook opened = completeWorkbook(readWorkbookFile(path, m_options), m_options);
    const QString lastPath = m_lastXlsPath;
    OpenResult result = adopt(path, std::move(opened), currentSheet);
    m_lastXlsPath = lastPath;
    return result;
}

SpreadsheetLink::OpenResult SpreadsheetLink::adopt(const QString& path, OpenedWorkbook opened,
                                                   const QString& currentSheet)
{
    OpenResult result{true, currentSheet};
    closeWorkbook();
    m_workbook = std::move(opened.workbook);
    m_path = QFileInfo(path).absoluteFilePath();
    m_lastXlsPath = path;
    m_readStamp = stampOf(m_path);
    m_missingRetries = 0;
    watch();
    if (result.sheet.isEmpty())
        result.sheet = m_workbook->activeSheetName();
    Q_EMIT workbookChanged();
    reportProblems(opened.problems);
    return result;
}

SpreadsheetLink::Plan SpreadsheetLink::exitPlan(const QString& editText,
                                                const QString& projectPath) const
{
    if (editText.isEmpty())
        return {};
    const QString full = resolveXlsPath(editText, projectPath);
    if (full == m_lastXlsPath)
        return {};
    if (QFileInfo(full).isFile())
        return {Plan::Open, full, QString()};
    return {Plan::Missing, full,
            QCoreApplication::translate("Quillet::SpreadsheetLink", "Не существует файла: %1")
                .arg(full)};
}

SpreadsheetLink::Plan SpreadsheetLink::browsePlan(const QString& chosenPath,
                                                  const QString& projectPath) const
{
    // A cancelled dialog hands back the edit's text, which may name the file relative to
    // the project: resolved, it opens the same workbook again instead of unlinking it.
    const QString full = resolveXlsPath(chosenPath, projectPath);
    if (QFileInfo(full).isFile())
        return {Plan::Open, full, QString()};
    return {Plan::Close, full, QString()};
}

SpreadsheetLink::Plan SpreadsheetLink::reopenPlan(const QString& editText,
                                                  const QString& projectPath)
{
    m_lastXlsPath.clear();
    return exitPlan(editText, projectPath);
}

void SpreadsheetLink::carryOut(const Plan& plan)
{
    if (plan.action == Plan::Missing)
        Q_EMIT errorLine(plan.errorLine);
    else if (plan.action == Plan::Close)
        closeWorkbook();
}

void SpreadsheetLink::closeWorkbook()
{
    m_rereadTimer.stop();
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    const bool wasOpen = m_workbook != nullptr;
    m_workbook.reset();
    m_path.clear();
    if (wasOpen)
        Q_EMIT workbookChanged();
}

const Worksheet* SpreadsheetLink::worksheet(const QString& name) const
{
    return m_workbook ? m_workbook->worksheet(name) : nullptr;
}

SpreadsheetLink::ExitResult SpreadsheetLink::xlsFileExit(const QString& editText,
                                                         const QString& projectPath,
                                                         const QString& currentSheet)
{
    ExitResult result;
    result.sheet = currentSheet;
    const Plan plan = exitPlan(editText, projectPath);
    if (plan.action == Plan::Open) {
        result.sheet = openWorkbook(plan.path, currentSheet).sheet;
        m_lastXlsPath = plan.path;
        result.action = ExitResult::Opened;
    } else if (plan.action == Plan::Missing) {
        result.action = ExitResult::Missing;
        result.errorLine = plan.errorLine;
        carryOut(plan);
    }
    return result;
}

SpreadsheetLink::BrowseResult SpreadsheetLink::afterBrowse(const QString& chosenPath,
                                                           const QString& projectPath,
                                                           const QString& currentSheet)
{
    BrowseResult result;
    result.open.sheet = currentSheet;
    const Plan plan = browsePlan(chosenPath, projectPath);
    if (plan.action == Plan::Open) {
        result.open = openWorkbook(plan.path, currentSheet);
        m_lastXlsPath = plan.path;
    } else {
        carryOut(plan);
    }
    result.editText = displayName(chosenPath, projectPath);
    return result;
}

SpreadsheetLink::ExitResult SpreadsheetLink::reopen(const QString& editText,
                                                    const QString& projectPath,
                                                    const QString& currentSheet)
{
    reopenPlan(editText, projectPath);
    ExitResult result = xlsFileExit(editText, projectPath, currentSheet);
    result.sheet = currentSheet;
    return result;
}

bool SpreadsheetLink::show() const
{
    if (!m_workbook)
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(m_path));
}

void SpreadsheetLink::watch()
{
    // The folder is watched as well: after a save by rename the file's own watch is gone,
    // and only the folder tells when the new file has appeared.
    if (!m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!m_watcher.directories().contains(folder))
        m_watcher.addPath(folder);
}

SpreadsheetLink::FileStamp SpreadsheetLink::stampOf(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec, qint64(st.st_size),
            quint64(st.st_ino)};
}

void SpreadsheetLink::onFileChanged()
{
    if (!m_workbook)
        return;
    m_fileItselfChanged = true;
    m_rereadTimer.start();
}

void SpreadsheetLink::onFolderChanged()
{
    if (m_workbook && !(stampOf(m_path) == m_readStamp))
        m_rereadTimer.start();
}

void SpreadsheetLink::reread()
{
    if (!m_workbook)
        return;
    if (!QFileInfo(m_path).isFile()) {
        // Mid-replace: try again shortly; the folder watch restarts the count.
        if (++m_missingRetries <= MissingRetries)
            m_rereadTimer.start();
        return;
    }
    m_missingRetries = 0;
    watch();
    const FileStamp stamp = stampOf(m_path);
    if (!m_fileItselfChanged && stamp == m_readStamp)
        return;
    m_fileItselfChanged = false;
    m_readStamp = stamp;
    OpenedWorkbook opened;
    try {
        opened = openWorkbookFile(m_path, m_options);
    } catch (const Error& error) {
        // The old data stays; a later save triggers another attempt.
        Q_EMIT errorLine(error.message());
        return;
    }
    m_workbook = std::move(opened.workbook);
    Q_EMIT workbookChanged();
    reportProblems(opened.problems);
}

void SpreadsheetLink::reportProblems(const QStringList& lines)
{
    for (const QString& line : lines)
        Q_EMIT errorLine(line);
}

} // namespace Quillet
