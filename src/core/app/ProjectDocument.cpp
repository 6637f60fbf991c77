// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/ProjectDocument.h"

#include "core/app/ProjectFile.h"
#include "core/common/Errors.h"

#include <QFileInfo>

namespace Quillet {

ProjectDocument::ProjectDocument(const PageSizeCatalog* sizes)
    : m_sizes(sizes), m_savedBytes(ProjectFile::serialize(project))
{
}

bool ProjectDocument::LoadProject(const QString& path)
{
    if (!ReadProjectFile(path))
        return false;
    undo.ClearUndo();
    return true;
}

bool ProjectDocument::ReadProjectFile()
{
    return ReadProjectFile(ProjectPath);
}

bool ProjectDocument::ReadProjectFile(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    Project loaded = ProjectFile::load(path, project.settings, m_sizes);
    project = std::move(loaded);
    ProjectPath = path;
    m_savedBytes = ProjectFile::serialize(project);
    RepaintPending = true;
    return true;
}

void ProjectDocument::WriteProjectFile(const QString& path)
{
    ProjectFile::save(project, path);
    ProjectPath = path;
    m_savedBytes = ProjectFile::serialize(project);
}

void ProjectDocument::resetToNew(const QString& path, const Project& fresh)
{
    project = fresh;
    ProjectPath = path;
    m_savedBytes = ProjectFile::serialize(project);
    undo.ClearUndo();
    RepaintPending = true;
}

void ProjectDocument::PushUndoSnapshot()
{
    undo.PushUndoSnapshot(project.Structure);
}

bool ProjectDocument::Undo()
{
    if (!undo.Undo(project.Structure))
        return false;
    RepaintPending = true;
    return true;
}

void ProjectDocument::ClearUndo()
{
    undo.ClearUndo();
}

bool ProjectDocument::hasUnsavedChanges() const
{
    try {
        return ProjectFile::serialize(project) != m_savedBytes;
    } catch (const Error&) {
        return true; // holds text that cannot be saved as it is: certainly not saved
    }
}

} // namespace Quillet
