// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/UndoRing.h"

#include <algorithm>
#include <utility>

namespace Quillet {
namespace {

QByteArray treeText(const Project& project)
{
    return project.Structure.toText().toUtf8();
}

void restoreTree(Project& project, const QByteArray& text)
{
    // Every snapshot was written by toText, so it always parses.
    project.Structure = FieldTree::fromText(QString::fromUtf8(text));
    project.Structure.unmarkAll();
}

} // namespace

BackgroundState BackgroundState::of(const Project& project)
{
    const ProjectSettings& s = project.settings;
    return {project.BackgroundImage,
            s.ImgWidth,
            s.ImgHeight,
            s.MirTop,
            s.MirBottom,
            s.MirLeft,
            s.MirRight,
            s.Angle1};
}

void BackgroundState::restoreInto(Project& project) const
{
    ProjectSettings& s = project.settings;
    project.BackgroundImage = BackgroundImage;
    s.ImgWidth = ImgWidth;
    s.ImgHeight = ImgHeight;
    s.MirTop = MirTop;
    s.MirBottom = MirBottom;
    s.MirLeft = MirLeft;
    s.MirRight = MirRight;
    s.Angle1 = Angle1;
}

UndoRing::UndoRing()
{
    // The head ends on the last slot built, so the first snapshot goes there and the
    // ring then wraps to the first slot.
    for (int i = 0; i < SlotCount; ++i) {
        m_slots[size_t(i)].Next = &m_slots[size_t((i + 1) % SlotCount)];
        m_slots[size_t(i)].Prev = &m_slots[size_t((i + SlotCount - 1) % SlotCount)];
    }
    m_head = &m_slots[SlotCount - 1];
}

void UndoRing::push(const Project& project, std::optional<BackgroundState> background)
{
    QByteArray text = treeText(project);
    // A new step makes whatever was undone unreachable: its redo data goes.
    for (TUndo& slot : m_slots) {
        slot.Redoable = false;
        slot.RedoSnapshot.clear();
        slot.RedoBackground.reset();
    }
    if (m_head->Used)
        m_head = m_head->Next;
    m_head->Snapshot = std::move(text);
    m_head->Background = std::move(background);
    m_head->Used = true;
    m_stepRun.reset();
}

void UndoRing::PushUndoSnapshot(const Project& project)
{
    push(project, std::nullopt);
}

void UndoRing::PushBackgroundSnapshot(const Project& project)
{
    push(project, BackgroundState::of(project));
}

void UndoRing::PushStepSnapshot(const Project& project, std::vector<NodeRef> blocks)
{
    if (blocks.empty())
        return;
    std::sort(blocks.begin(), blocks.end());
    if (m_stepRun && *m_stepRun == blocks && m_head->Used)
        return;
    push(project, std::nullopt);
    m_stepRun = std::move(blocks);
}

Restored UndoRing::Undo(Project& project)
{
    if (!m_head->Used)
        return Restored::Nothing;
    TUndo& slot = *m_head;
    slot.RedoSnapshot = treeText(project);
    Restored restored = Restored::Tree;
    if (slot.Background) {
        slot.RedoBackground = BackgroundState::of(project);
        slot.Background->restoreInto(project);
        slot.Background.reset();
        restored = Restored::TreeAndBackground;
    }
    restoreTree(project, slot.Snapshot);
    slot.Snapshot.clear();
    slot.Used = false;
    slot.Redoable = true;
    m_head = slot.Prev;
    m_stepRun.reset();
    return restored;
}

Restored UndoRing::Redo(Project& project)
{
    // The head sits just before the slot undone last, whether or not it holds a snapshot.
    TUndo& slot = *m_head->Next;
    if (!slot.Redoable)
        return Restored::Nothing;
    slot.Snapshot = treeText(project);
    Restored restored = Restored::Tree;
    if (slot.RedoBackground) {
        slot.Background = BackgroundState::of(project);
        slot.RedoBackground->restoreInto(project);
        slot.RedoBackground.reset();
        restored = Restored::TreeAndBackground;
    }
    restoreTree(project, slot.RedoSnapshot);
    slot.RedoSnapshot.clear();
    slot.Redoable = false;
    slot.Used = true;
    m_head = &slot;
    m_stepRun.reset();
    return restored;
}

void UndoRing::ClearUndo()
{
    TUndo* slot = m_head;
    for (int i = 0; i < SlotCount; ++i) {
        TUndo* next = slot->Next;
        TUndo* prev = slot->Prev;
        *slot = TUndo();
        slot->Next = next;
        slot->Prev = prev;
        slot = slot->Next;
    }
    m_stepRun.reset();
}

int UndoRing::available() const
{
    int count = 0;
    const TUndo* slot = m_head;
    while (count < SlotCount && slot->Used) {
        ++count;
        slot = slot->Prev;
    }
    return count;
}

int UndoRing::redoAvailable() const
{
    int count = 0;
    const TUndo* slot = m_head->Next;
    while (count < SlotCount && slot->Redoable) {
        ++count;
        slot = slot->Next;
    }
    return count;
}

} // namespace Quillet
