// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/app/FieldTree.h"
#include "core/app/Project.h"

#include <QByteArray>

#include <array>
#include <optional>
#include <vector>

namespace Quillet {

/// The background as a replacement found it: the JPEG data (shared with the project, not
/// copied) and the settings that size, crop and turn it.
struct BackgroundState {
    QByteArray BackgroundImage;
    double ImgWidth = 0;
    double ImgHeight = 0;
    double MirTop = 0;
    double MirBottom = 0;
    double MirLeft = 0;
    double MirRight = 0;
    double Angle1 = 0;

    static BackgroundState of(const Project& project);
    void restoreInto(Project& project) const;
};

/// One slot of the undo ring.
struct TUndo {
    bool Used = false;
    QByteArray Snapshot;   // the tree in its text form (UTF-8, so nothing typed is lost)
    TUndo* Next = nullptr; // towards newer snapshots
    TUndo* Prev = nullptr; // towards older snapshots
    /// The background before the step, kept only for a step that replaced it.
    std::optional<BackgroundState> Background;
    /// The slot was undone and its step can be redone: the tree (and the background of a
    /// background step) as the undo found them.
    bool Redoable = false;
    QByteArray RedoSnapshot;
    std::optional<BackgroundState> RedoBackground;
};

/// What an undo or redo put back.
enum class Restored { Nothing, Tree, TreeAndBackground };

/// Undo and redo of the field tree, and of background replacements: a ring of 11
/// snapshots, the newest overwriting the oldest. Relations, replace pairs, the other
/// settings and the marks are not covered.
///
/// Redo brings back what the undos since the last snapshot took away, newest undo first;
/// any new snapshot discards them.
class UndoRing {
public:
    static constexpr int SlotCount = 11;

    UndoRing();
    UndoRing(const UndoRing&) = delete;
    UndoRing& operator=(const UndoRing&) = delete;

    /// Saves the tree before an editing operation changes it.
    void PushUndoSnapshot(const Project& project);
    /// Saves the tree and the background (BackgroundState) before the background is
    /// replaced.
    void PushBackgroundSnapshot(const Project& project);
    /// Before a step move or resize of `blocks`: saves the tree unless the newest snapshot
    /// was taken by such a step of exactly these blocks with no snapshot, undo, redo or
    /// clear since, so that a run of steps is undone at once. An empty list takes none.
    void PushStepSnapshot(const Project& project, std::vector<NodeRef> blocks);

    /// Restores the newest snapshot into `project` (the tree with every node unmarked, and
    /// the background when the slot holds one) and keeps what it replaced for Redo.
    /// Returns Nothing, changing nothing, when there is none.
    Restored Undo(Project& project);
    /// Puts back what the last undo took away (the undo before that one next, and so on)
    /// and makes it undoable again. Returns Nothing, changing nothing, when no undo
    /// has been made since the last snapshot.
    Restored Redo(Project& project);

    /// Empties every slot, redo included; the head stays where it is.
    void ClearUndo();

    /// Snapshots that Undo can still restore.
    int available() const;
    /// Undos that Redo can still take back.
    int redoAvailable() const;

    const TUndo* UndoHead() const { return m_head; }

private:
    void push(const Project& project, std::optional<BackgroundState> background);

    std::array<TUndo, SlotCount> m_slots;
    TUndo* m_head = nullptr;
    /// The blocks of the run of steps the newest snapshot opened.
    std::optional<std::vector<NodeRef>> m_stepRun;
};

} // namespace Quillet
