// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/ProjectDocument.h"

#include "core/app/ProjectFile.h"
#include "core/common/Errors.h"

#include <QFileInfo>

#include <utility>

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
    m_hasFile = true;
    RepaintPending = true;
    return true;
}

void ProjectDocument::WriteProjectFile(const QString& path)
{
    ProjectFile::save(project, path);
    ProjectPath = path;
    m_savedBytes = ProjectFile::serialize(project);
    m_hasFile = true;
}

void ProjectDocument::resetToNew(const QString& path, const Project& fresh)
{
    project = fresh;
    ProjectPath = path;
    m_savedBytes = ProjectFile::serialize(project);
    m_hasFile = true;
    undo.ClearUndo();
    RepaintPending = true;
}

void ProjectDocument::PushUndoSnapshot()
{
    undo.PushUndoSnapshot(project);
}

void ProjectDocument::PushBackgroundSnapshot()
{
    undo.PushBackgroundSnapshot(project);
}

void ProjectDocument::PushStepSnapshot(std::vector<NodeRef> blocks)
{
    undo.PushStepSnapshot(project, std::move(blocks));
}

bool ProjectDocument::restored(Restored what)
{
    if (what == Restored::Nothing)
        return false;
    if (what == Restored::TreeAndBackground)
        ++m_backgroundRestores;
    RepaintPending = true;
    return true;
}

bool ProjectDocument::Undo()
{
    return restored(undo.Undo(project));
}

bool ProjectDocument::Redo()
{
    return restored(undo.Redo(project));
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

bool ProjectDocument::isProjectOpen() const
{
    return m_hasFile || hasUnsavedChanges();
}

} // namespace Quillet
