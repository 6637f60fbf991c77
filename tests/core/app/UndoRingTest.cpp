// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/ProjectDocument.h"
#include "core/app/UndoRing.h"

#include <QTest>

using namespace Quillet;

namespace {

// A tree whose content says which edit produced it: `n` fields.
FieldTree stateAfter(int edits)
{
    FieldTree tree;
    for (int i = 0; i < edits; ++i) {
        FieldNode field;
        field.text = QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
        field.blocks.push_back(TreeNode{QStringLiteral("0001,00 0001,00/0002,00 0002,00"), false});
        tree.fields.push_back(field);
    }
    return tree;
}

int fieldsOf(const FieldTree& tree)
{
    return int(tree.fields.size());
}

} // namespace

class UndoRingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ringHasElevenLinkedSlots();
    void undoOfNewFieldAndNothingOlder();
    void twelveEditsTwelveUndos();
    void newSnapshotAfterUndoGoesIntoUndoneSlot();
    void clearEmptiesEverySlot();
    void undoUnmarksAndKeepsSeparatorsAndUnicode();
    void documentUndoRequestsRepaintAndKeepsNextFieldNumber();
};

void UndoRingTest::ringHasElevenLinkedSlots()
{
    UndoRing ring;
    const TUndo* start = ring.UndoHead();
    const TUndo* slot = start;
    for (int i = 0; i < UndoRing::SlotCount; ++i) {
        QCOMPARE(slot->Next->Prev, slot);
        QVERIFY(!slot->Used);
        slot = slot->Next;
        if (i < UndoRing::SlotCount - 1)
            QVERIFY(slot != start);
    }
    QCOMPARE(slot, start);
}

void UndoRingTest::undoOfNewFieldAndNothingOlder()
{
    UndoRing ring;
    FieldTree tree;
    ring.PushUndoSnapshot(tree);
    tree = stateAfter(1); // a new text field applied
    QVERIFY(ring.Undo(tree));
    QVERIFY(tree.isEmpty());
    QVERIFY(!ring.Undo(tree));
    QVERIFY(tree.isEmpty());
}

void UndoRingTest::twelveEditsTwelveUndos()
{
    UndoRing ring;
    FieldTree tree;
    for (int edit = 1; edit <= 12; ++edit) {
        ring.PushUndoSnapshot(tree); // the state before this edit
        tree = stateAfter(edit);
    }
    QCOMPARE(ring.available(), 11);
    // Eleven undos restore the states before edits 12, 11, … 2.
    for (int edit = 12; edit >= 2; --edit) {
        QVERIFY(ring.Undo(tree));
        QCOMPARE(fieldsOf(tree), edit - 1);
    }
    QVERIFY(!ring.Undo(tree));
    QCOMPARE(fieldsOf(tree), 1);
}

void UndoRingTest::newSnapshotAfterUndoGoesIntoUndoneSlot()
{
    // Two edits, one undo, one edit, two undos.
    UndoRing ring;
    FieldTree tree;
    ring.PushUndoSnapshot(tree);
    tree = stateAfter(1);
    ring.PushUndoSnapshot(tree);
    tree = stateAfter(2);
    QVERIFY(ring.Undo(tree));
    QCOMPARE(fieldsOf(tree), 1);
    ring.PushUndoSnapshot(tree);
    tree = stateAfter(5);
    QVERIFY(ring.Undo(tree));
    QCOMPARE(fieldsOf(tree), 1); // before the third edit
    QVERIFY(ring.Undo(tree));
    QCOMPARE(fieldsOf(tree), 0); // before the first edit
    QVERIFY(!ring.Undo(tree));
}

void UndoRingTest::clearEmptiesEverySlot()
{
    UndoRing ring;
    FieldTree tree;
    for (int i = 0; i < 15; ++i)
        ring.PushUndoSnapshot(stateAfter(i));
    const TUndo* head = ring.UndoHead();
    ring.ClearUndo();
    QCOMPARE(ring.UndoHead(), head);
    QCOMPARE(ring.available(), 0);
    const TUndo* slot = head;
    for (int i = 0; i < UndoRing::SlotCount; ++i, slot = slot->Next) {
        QVERIFY(!slot->Used);
        QVERIFY(slot->Snapshot.isEmpty());
    }
    QVERIFY(!ring.Undo(tree));
    ring.PushUndoSnapshot(stateAfter(3));
    QVERIFY(ring.Undo(tree));
    QCOMPARE(fieldsOf(tree), 3);
}

void UndoRingTest::undoUnmarksAndKeepsSeparatorsAndUnicode()
{
    UndoRing ring;
    FieldTree tree;
    FieldNode field;
    field.text = QStringLiteral("0000Ёлка 😀") + QChar(8) + QStringLiteral("0000000$00FFFFFF");
    field.marked = true;
    field.blocks.push_back(TreeNode{QStringLiteral("0001,00 0001,00/0002,00 0002,00"), true});
    tree.fields.push_back(field);
    ring.PushUndoSnapshot(tree);
    tree.fields.clear(); // the field was deleted
    QVERIFY(ring.Undo(tree));
    QCOMPARE(tree.fields.size(), size_t(1));
    QCOMPARE(tree.fields[0].text, field.text);
    QVERIFY(!tree.fields[0].marked);
    QVERIFY(!tree.fields[0].blocks[0].marked);
}

void UndoRingTest::documentUndoRequestsRepaintAndKeepsNextFieldNumber()
{
    ProjectDocument doc;
    doc.PushUndoSnapshot();
    const QString id = doc.project.takeNewFieldId(FieldKind::Text);
    doc.project.Structure.fields.push_back(FieldNode{{id, false}, {}});
    doc.RepaintPending = false;
    QVERIFY(doc.Undo());
    QVERIFY(doc.RepaintPending);
    QVERIFY(doc.project.Structure.isEmpty());
    QCOMPARE(doc.project.NextFieldNumber, 1); // the undone field's number is not reused
    QVERIFY(!doc.Undo());
}

QTEST_APPLESS_MAIN(UndoRingTest)
#include "UndoRingTest.moc"
