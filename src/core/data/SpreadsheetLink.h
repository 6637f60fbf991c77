// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/workbook/SpreadsheetReader.h"
#include "core/workbook/WorkbookFile.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

namespace Quillet {

/// The project's link to its workbook: which file is open, opening, re-reading and
/// closing it, and the logic behind the file name edit `xlsFile`, the reopen button and
/// the show button. The workbook is read whole into memory by openWorkbookFile; nothing
/// is ever written to it.
///
/// The file is watched: when it changes on disk (saved by the spreadsheet application
/// the user edits it in) it is read again and workbookChanged() is emitted, so the next
/// render shows the new data. Editors that save by writing a new file and renaming it
/// over the old one are followed too.
class SpreadsheetLink : public QObject {
    Q_OBJECT
public:
    /// What an open did: whether a workbook is now open, and the text the `sheet` edit
    /// must take (its old text when that was not empty, else the active sheet's name).
    struct OpenResult {
        bool opened = false;
        QString sheet;
    };

    /// What leaving `xlsFile` did. `errorLine` is set for Missing: the line for the error
    /// list ("Не существует файла: " + full path), also emitted as errorLine().
    struct ExitResult {
        enum Action { Nothing, Opened, Missing };
        Action action = Nothing;
        QString sheet;
        QString errorLine;
    };

    /// What the browse dialog leads to: the text for `xlsFile` and the open's result.
    struct BrowseResult {
        QString editText;
        OpenResult open;
    };

    /// What a handler of `xlsFile` leads to, worked out before any file is read, so that a
    /// window can read the workbook in steps (readWorkbookFile, then completeWorkbook off
    /// its thread when that needs LibreOffice) and hand it over with adopt().
    struct Plan {
        enum Action { Nothing, Open, Close, Missing };
        Action action = Nothing;
        /// Open: the full path of the workbook to read.
        QString path;
        /// Missing: the line for the error list ("Не существует файла: " + full path).
        QString errorLine;
    };

    explicit SpreadsheetLink(QObject* parent = nullptr);
    ~SpreadsheetLink() override;

    /// Locale and other options for every later read.
    void setOptions(const WorkbookOptions& options) { m_options = options; }
    const WorkbookOptions& options() const { return m_options; }

    /// The name of `xlsFile` resolved against the project: the folder of `projectPath`
    /// joined with `name` when that names an existing file, else `name` unchanged.
    static QString resolveXlsPath(const QString& name, const QString& projectPath);
    /// The text `xlsFile` shows for a chosen file: relative to the project's folder when
    /// the path begins with that folder and a separator, else the path unchanged.
    static QString displayName(const QString& chosenPath, const QString& projectPath);

    /// Opens `path` in place of any open workbook when that file exists (nothing is open
    /// otherwise). `currentSheet` is the text of `sheet`. Throws FileError when the file
    /// exists but cannot be read as a workbook; the link then stays as it was, the open
    /// workbook included. The opening's problem lines (see openWorkbookFile) are emitted
    /// as errorLine() after workbookChanged().
    OpenResult openWorkbook(const QString& path, const QString& currentSheet);
    /// What leaving `xlsFile` does (see xlsFileExit): Nothing, Open or Missing.
    Plan exitPlan(const QString& editText, const QString& projectPath) const;
    /// What the browse dialog's `chosenPath` leads to (see afterBrowse): Open or Close.
    Plan browsePlan(const QString& chosenPath, const QString& projectPath) const;
    /// "Переоткрыть файл" (see reopen): forgets LastXlsPath, then as exitPlan.
    Plan reopenPlan(const QString& editText, const QString& projectPath);
    /// Carries out a plan that reads nothing: Missing emits its line, Close closes the link.
    void carryOut(const Plan& plan);
    /// Puts a workbook read from `path` in place of the open one, as openWorkbook does
    /// after reading, and makes `path` the LastXlsPath.
    OpenResult adopt(const QString& path, OpenedWorkbook opened, const QString& currentSheet);

    /// Forgets the open workbook (if any) and stops watching its file.
    void closeWorkbook();

    bool isOpen() const { return m_workbook != nullptr; }
    /// Full path of the open workbook; empty when none is open.
    QString path() const { return m_path; }
    /// The open workbook, shared: a render keeps its snapshot valid while a re-read
    /// replaces the link's copy. nullptr when none is open.
    std::shared_ptr<const Workbook> workbook() const { return m_workbook; }
    /// The sheet of that name, or nullptr when it does not exist or nothing is open
    /// (the renderer logs "Нет указанного листа"). Valid until the next re-read.
    const Worksheet* worksheet(const QString& name) const;

    /// The path compared by the exit handler to avoid opening the same workbook twice.
    const QString& LastXlsPath() const { return m_lastXlsPath; }
    void setLastXlsPath(const QString& path) { m_lastXlsPath = path; }

    /// `xlsFile` gains the focus, or its browse dialog is about to open.
    void xlsFileEnter(const QString& editText) { m_lastXlsPath = editText; }
    /// `xlsFile` loses the focus: resolves the name, and opens it unless it is empty,
    /// the same as LastXlsPath, or missing (then reports the error line).
    ExitResult xlsFileExit(const QString& editText, const QString& projectPath,
                           const QString& currentSheet);
    /// The browse dialog closed with `chosenPath` (the edit's own text when cancelled,
    /// resolved against the project like the edit): opens that file in place of the
    /// link if it exists, else closes the link, and gives the edit's new text. Throws
    /// as openWorkbook does, leaving the link as it was.
    BrowseResult afterBrowse(const QString& chosenPath, const QString& projectPath,
                             const QString& currentSheet);
    /// "Переоткрыть файл": reads the workbook named in the edit again, keeping the
    /// `sheet` text. The result's sheet is that kept text.
    ExitResult reopen(const QString& editText, const QString& projectPath,
                      const QString& currentSheet);
    /// Opens the workbook in the desktop's spreadsheet application. False when nothing
    /// is open or the desktop has no application for it.
    bool show() const;

Q_SIGNALS:
    /// The data changed: opened, closed or re-read. The GUI sets RepaintPending.
    void workbookChanged();
    /// A line for the error list (a missing file, a failed re-read, a formula cell whose
    /// result could not be computed on opening or re-reading).
    void errorLine(const QString& line);

private:
    // Identity of the file's current content as far as the file system tells it.
    struct FileStamp {
        qint64 modifiedNs = -1;
        qint64 size = -1;
        quint64 inode = 0;
        bool operator==(const FileStamp&) const = default;
    };
    static FileStamp stampOf(const QString& path);

    void watch();
    void onFileChanged();
    void onFolderChanged();
    void reread();
    void reportProblems(const QStringList& lines);

    WorkbookOptions m_options;
    std::shared_ptr<const Workbook> m_workbook;
    QString m_path;
    QString m_lastXlsPath;
    QFileSystemWatcher m_watcher;
    QTimer m_rereadTimer;
    int m_missingRetries = 0;
    // The folder watch reports every change in the folder (lock files, other saves);
    // those lead to a re-read only when the workbook's stamp differs from the one read.
    // A change reported for the file itself always does.
    FileStamp m_readStamp;
    bool m_fileItselfChanged = false;
};

} // namespace Quillet
