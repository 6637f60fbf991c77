// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/UndoRing.h"

namespace Quillet {

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

void UndoRing::PushUndoSnapshot(const FieldTree& tree)
{
    const QByteArray text = tree.toText().toUtf8();
    if (m_head->Used)
        m_head = m_head->Next;
    m_head->Snapshot = text;
    m_head->Used = true;
}

bool UndoRing::Undo(FieldTree& tree)
{
    if (!m_head->Used)
        return false;
    // The snapshot was written by toText, so it always parses.
    tree = FieldTree::fromText(QString::fromUtf8(m_head->Snapshot));
    tree.unmarkAll();
    m_head->Used = false;
    m_head->Snapshot.clear();
    m_head = m_head->Prev;
    return true;
}

void UndoRing::ClearUndo()
{
    TUndo* slot = m_head;
    for (int i = 0; i < SlotCount; ++i) {
        slot->Used = false;
        slot->Snapshot.clear();
        slot = slot->Next;
    }
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

} // namespace Quillet
