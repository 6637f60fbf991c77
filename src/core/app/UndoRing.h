// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/app/FieldTree.h"

#include <QByteArray>

#include <array>

namespace Quillet {

/// One slot of the undo ring.
struct TUndo {
    bool Used = false;
    QByteArray Snapshot;   // the tree in its text form (UTF-8, so nothing typed is lost)
    TUndo* Next = nullptr; // towards newer snapshots
    TUndo* Prev = nullptr; // towards older snapshots
};

/// Undo of the field tree: a ring of 11 snapshots, the newest overwriting the oldest,
/// without redo. Only the tree is covered (not relations, replace pairs, settings or
/// marks).
class UndoRing {
public:
    static constexpr int SlotCount = 11;

    UndoRing();
    UndoRing(const UndoRing&) = delete;
    UndoRing& operator=(const UndoRing&) = delete;

    /// Saves the tree before an editing operation changes it.
    void PushUndoSnapshot(const FieldTree& tree);

    /// Restores the newest snapshot into `tree` (every node unmarked) and consumes it.
    /// Returns false, changing nothing, when there is none.
    bool Undo(FieldTree& tree);

    /// Empties every slot; the head stays where it is.
    void ClearUndo();

    /// Snapshots that Undo can still restore.
    int available() const;

    const TUndo* UndoHead() const { return m_head; }

private:
    std::array<TUndo, SlotCount> m_slots;
    TUndo* m_head = nullptr;
};

} // namespace Quillet
