// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/app/Project.h"
#include "core/app/UndoRing.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace Quillet {

class PageSizeCatalog;

/// The open project with its file path and undo ring: the document state the desktop
/// window and the command-line tool share.
class ProjectDocument {
public:
    /// `sizes` (may be null) resolves page-size names when a project is read.
    explicit ProjectDocument(const PageSizeCatalog* sizes = nullptr);

    Project project;
    /// Full path of the project file; empty until a project is named.
    QString ProjectPath;
    UndoRing undo;
    /// The page must be drawn again at the next repaint tick.
    bool RepaintPending = false;

    /// When `path` names an existing file: reads it and, only when the whole file was
    /// read, makes it the current project, sets ProjectPath and clears the undo ring.
    /// Returns false when there is no such file. Throws FileError or ConversionError for
    /// a file that cannot be read; the current project and ProjectPath stay as they were.
    bool LoadProject(const QString& path);

    /// Reads the file named by ProjectPath, as LoadProject does (without clearing undo).
    /// Returns false when it does not exist.
    bool ReadProjectFile();

    /// Writes the project to `path` atomically and makes it ProjectPath. Throws
    /// ConversionError or FileError; the previous file and ProjectPath are then untouched.
    void WriteProjectFile(const QString& path);

    /// Replaces the project by an empty one named `path` (not written), keeping the
    /// settings a new project inherits; clears undo.
    void resetToNew(const QString& path, const Project& fresh);

    void PushUndoSnapshot();
    /// Before the background is replaced: the tree and the background with its size,
    /// margins and angle, so that undo brings them back.
    void PushBackgroundSnapshot();
    /// Before a step move or resize of `blocks` (UndoRing::PushStepSnapshot): a run of
    /// steps on the same blocks is one undo step.
    void PushStepSnapshot(std::vector<NodeRef> blocks);
    /// Restores the newest snapshot; returns false when there is none.
    bool Undo();
    /// Takes back the last undo since the last snapshot; returns false when there is none.
    bool Redo();
    void ClearUndo();
    /// How many times undo or redo has put another background in place: whoever keeps
    /// a processed background compares it with the count it last saw.
    int backgroundRestores() const { return m_backgroundRestores; }

    /// True when the project differs from what was last loaded or saved.
    bool hasUnsavedChanges() const;

    /// Whether there is a project to work on: one was read, written or made new, or the
    /// unnamed project a document starts with has been changed. False for a document that
    /// has had none of that, also when ProjectPath names a file that was never read (a
    /// project named on the command line that is missing or cannot be read).
    bool isProjectOpen() const;

private:
    bool ReadProjectFile(const QString& path);
    bool restored(Restored what);

    const PageSizeCatalog* m_sizes;
    QByteArray m_savedBytes; // the file as last loaded or saved
    bool m_hasFile = false;  // a project was read, written or made new
    int m_backgroundRestores = 0;
};

} // namespace Quillet
