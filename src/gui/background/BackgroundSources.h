// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Where a new background comes from: a file of any kind, the clipboard or a scanner.
// Whatever the source, the background changes only once a picture is in hand; a failed
// or cancelled import, an empty clipboard or a cancelled scan leave it as it was.

#include "gui/app/BackgroundTask.h"

#include <QObject>
#include <QString>

#include <functional>

class QHBoxLayout;
class QImage;
class QWidget;

namespace Quillet {

class BackgroundSettings;

class BackgroundSources : public QObject {
    Q_OBJECT
public:
    /// `model` is referenced and must outlive this object; dialogs open over `parent`.
    BackgroundSources(BackgroundSettings& model, QWidget* parent);

    /// Puts the buttons "Файл" (`sSpeedButton12`), "Буфер" (`BufBtn`) and "Сканер"
    /// (`ScanBtn`) into `row`. Their clicks call `run` with the source's work, so that
    /// the panel shows a failure and then the model.
    void addButtons(QHBoxLayout* row, const std::function<void(std::function<void()>)>& run);

    /// The file dialog, then loadFile() of the chosen file.
    bool chooseFile();
    /// Imports `path`: opens it (off the window's thread, with `busyChanged`), lets the
    /// user pick the page in the import window when it has several or is a document, and
    /// renders that page as the background followed by `DefBack`. Returns false when the
    /// user cancelled. Throws FileError for a missing file or a failed import; the
    /// background is unchanged then.
    bool loadFile(const QString& path);
    /// A picture on the clipboard (or a single picture file copied in a file manager)
    /// becomes the background. Returns false, changing nothing, when there is none.
    bool pasteClipboard();
    /// One scan through the scanner dialog becomes the background and is also left on the
    /// clipboard. Returns false, changing nothing, when the scan failed or was cancelled.
    bool scan();

    /// Folder the file dialog opens in (the last one a background came from).
    void setStartFolder(const QString& folder) { m_startFolder = folder; }
    /// The project's folder: the file dialog starts there until the user has picked a
    /// file from another.
    void setProjectFolder(const QString& folder) { m_projectFolder = folder; }

Q_SIGNALS:
    /// A long step (opening, converting or rendering a document) starts or ends. The
    /// window shows `MessPanel` and takes no input meanwhile.
    void busyChanged(bool busy);

private:
    /// Runs `work` on a worker thread while the window's event loop turns, between
    /// busyChanged(true) and busyChanged(false); rethrows what `work` threw.
    void runBusy(const std::function<void()>& work);
    /// The new background: `page` with the resolution it has on paper (0: none).
    void replace(const QImage& page, int dpi = 0);

    BackgroundSettings& m_model;
    QWidget* m_parent;
    QString m_startFolder;
    QString m_projectFolder;
    BackgroundTask m_task{QStringLiteral("DocumentImport")};
};

} // namespace Quillet
