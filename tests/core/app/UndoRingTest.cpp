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

int fieldsOf(const Project& project)
{
    return int(project.Structure.fields.size());
}

Project projectAfter(int edits)
{
    Project project;
    project.Structure = stateAfter(edits);
    return project;
}

// Runs a script of space-separated steps on `ring` and `project`: "E<n>" a snapshot, then
// the tree of n fields (an edit); "U" undo; "R" redo; "C" clear.
void play(UndoRing& ring, Project& project, const QString& script)
{
    for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
        if (step.startsWith(u'E')) {
            ring.PushUndoSnapshot(project);
            project.Structure = stateAfter(step.mid(1).toInt());
        } else if (step == QLatin1String("U")) {
            ring.Undo(project);
        } else if (step == QLatin1String("R")) {
            ring.Redo(project);
        } else if (step == QLatin1String("C")) {
            ring.ClearUndo();
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
        }
    }
}

// Blocks of field 0 by letter: "ab" is blocks 0 and 1.
std::vector<NodeRef> blocksOf(const QString& letters)
{
    std::vector<NodeRef> blocks;
    for (const QChar letter : letters)
        blocks.push_back(NodeRef{0, letter.unicode() - u'a'});
    return blocks;
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
    void redo_data();
    void redo();
    void runOfStepsIsOneUndoStep_data();
    void runOfStepsIsOneUndoStep();
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
    Project project;
    ring.PushUndoSnapshot(project);
    project.Structure = stateAfter(1); // a new text field applied
    QCOMPARE(ring.Undo(project), Restored::Tree);
    QVERIFY(project.Structure.isEmpty());
    QCOMPARE(ring.Undo(project), Restored::Nothing);
    QVERIFY(project.Structure.isEmpty());
}

void UndoRingTest::twelveEditsTwelveUndos()
{
    UndoRing ring;
    Project project;
    for (int edit = 1; edit <= 12; ++edit) {
        ring.PushUndoSnapshot(project); // the state before this edit
        project.Structure = stateAfter(edit);
    }
    QCOMPARE(ring.available(), 11);
    // Eleven undos restore the states before edits 12, 11, … 2.
    for (int edit = 12; edit >= 2; --edit) {
        QCOMPARE(ring.Undo(project), Restored::Tree);
        QCOMPARE(fieldsOf(project), edit - 1);
    }
    QCOMPARE(ring.Undo(project), Restored::Nothing);
    QCOMPARE(fieldsOf(project), 1);
}

void UndoRingTest::newSnapshotAfterUndoGoesIntoUndoneSlot()
{
    // Two edits, one undo, one edit, two undos.
    UndoRing ring;
    Project project;
    ring.PushUndoSnapshot(project);
    project.Structure = stateAfter(1);
    ring.PushUndoSnapshot(project);
    project.Structure = stateAfter(2);
    QCOMPARE(ring.Undo(project), Restored::Tree);
    QCOMPARE(fieldsOf(project), 1);
    ring.PushUndoSnapshot(project);
    project.Structure = stateAfter(5);
    QCOMPARE(ring.Undo(project), Restored::Tree);
    QCOMPARE(fieldsOf(project), 1); // before the third edit
    QCOMPARE(ring.Undo(project), Restored::Tree);
    QCOMPARE(fieldsOf(project), 0); // before the first edit
    QCOMPARE(ring.Undo(project), Restored::Nothing);
}

void UndoRingTest::clearEmptiesEverySlot()
{
    UndoRing ring;
    Project project;
    for (int i = 0; i < 15; ++i)
        ring.PushUndoSnapshot(projectAfter(i));
    QCOMPARE(ring.Undo(project), Restored::Tree); // leaves something to redo
    const TUndo* head = ring.UndoHead();
    ring.ClearUndo();
    QCOMPARE(ring.UndoHead(), head);
    QCOMPARE(ring.available(), 0);
    QCOMPARE(ring.redoAvailable(), 0);
    const TUndo* slot = head;
    for (int i = 0; i < UndoRing::SlotCount; ++i, slot = slot->Next) {
        QVERIFY(!slot->Used);
        QVERIFY(slot->Snapshot.isEmpty() && slot->RedoSnapshot.isEmpty());
    }
    QCOMPARE(ring.Undo(project), Restored::Nothing);
    QCOMPARE(ring.Redo(project), Restored::Nothing);
    ring.PushUndoSnapshot(projectAfter(3));
    QCOMPARE(ring.Undo(project), Restored::Tree);
    QCOMPARE(fieldsOf(project), 3);
}

void UndoRingTest::undoUnmarksAndKeepsSeparatorsAndUnicode()
{
    UndoRing ring;
    Project project;
    FieldTree& tree = project.Structure;
    FieldNode field;
    field.text = QStringLiteral("0000Ёлка 😀") + QChar(8) + QStringLiteral("0000000$00FFFFFF");
    field.marked = true;
    field.blocks.push_back(TreeNode{QStringLiteral("0001,00 0001,00/0002,00 0002,00"), true});
    tree.fields.push_back(field);
    ring.PushUndoSnapshot(project);
    tree.fields.clear(); // the field was deleted
    QCOMPARE(ring.Undo(project), Restored::Tree);
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

void UndoRingTest::redo_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("fields");     // the tree at the end
    QTest::addColumn<int>("undos");      // available()
    QTest::addColumn<int>("redos");      // redoAvailable()
    QTest::addColumn<QString>("undone"); // then undo again and again: the trees, by fields

    QTest::newRow("redo takes the undo back") << "E1 E2 U R" << 2 << 2 << 0 << "1 0";
    QTest::newRow("redos go back through the undos, newest first")
        << "E1 E2 E3 U U U R R" << 2 << 2 << 1 << "1 0";
    QTest::newRow("redo with nothing undone does nothing") << "E1 E2 R" << 2 << 2 << 0 << "1 0";
    QTest::newRow("a new edit discards what was undone")
        << "E1 E2 E3 U U E7 R" << 7 << 2 << 0 << "1 0";
    QTest::newRow("undo after redo") << "E1 E2 U R U" << 1 << 1 << 1 << "0";
    QTest::newRow("clearing discards the redo side") << "E1 E2 U C R" << 1 << 0 << 0 << "";
    QTest::newRow("eleven undos, eleven redos round the full ring")
        << "E1 E2 E3 E4 E5 E6 E7 E8 E9 E10 E11 E12 U U U U U U U U U U U "
           "R R R R R R R R R R R R"
        << 12 << 11 << 0 << "11 10 9 8 7 6 5 4 3 2 1";
    QTest::newRow("redo, then an edit into the slot after it")
        << "E1 E2 E3 U U R E9" << 9 << 3 << 0 << "2 1 0";
}

void UndoRingTest::redo()
{
    QFETCH(QString, script);
    QFETCH(int, fields);
    QFETCH(int, undos);
    QFETCH(int, redos);
    QFETCH(QString, undone);
    UndoRing ring;
    Project project;
    play(ring, project, script);
    QCOMPARE(fieldsOf(project), fields);
    QCOMPARE(ring.available(), undos);
    QCOMPARE(ring.redoAvailable(), redos);
    QStringList trees;
    while (ring.Undo(project) != Restored::Nothing)
        trees.append(QString::number(fieldsOf(project)));
    QCOMPARE(trees.join(u' '), undone);
}

void UndoRingTest::runOfStepsIsOneUndoStep_data()
{
    // Space-separated: "S<letters>" a step of those blocks of field 0, "E" an edit, "U" an
    // undo, "R" a redo.
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("snapshots"); // available() at the end

    QTest::newRow("a run on one block") << "Sa Sa Sa" << 1;
    QTest::newRow("other blocks start a run") << "Sa Sb Sa" << 3;
    QTest::newRow("the same blocks in another order") << "Sab Sba" << 1;
    QTest::newRow("more blocks start a run") << "Sa Sab" << 2;
    QTest::newRow("an edit between ends the run") << "Sa E Sa" << 3;
    QTest::newRow("an undo ends the run") << "Sa Sa U Sa" << 1;
    QTest::newRow("a redo ends the run") << "Sa U R Sa" << 2;
    QTest::newRow("no blocks, no snapshot") << "S" << 0;
}

void UndoRingTest::runOfStepsIsOneUndoStep()
{
    QFETCH(QString, script);
    QFETCH(int, snapshots);
    UndoRing ring;
    Project project;
    int edits = 0;
    for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
        if (step.startsWith(u'S'))
            ring.PushStepSnapshot(project, blocksOf(step.mid(1)));
        else
            play(ring, project,
                 step == QLatin1String("E") ? QStringLiteral("E%1").arg(++edits) : step);
    }
    QCOMPARE(ring.available(), snapshots);
}

QTEST_APPLESS_MAIN(UndoRingTest)
#include "UndoRingTest.moc"
