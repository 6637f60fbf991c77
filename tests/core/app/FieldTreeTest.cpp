// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/FieldTree.h"

#include <QTest>

using namespace Quillet;

class FieldTreeTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textFormIsPreOrderWithTabs();
    void toggleMarkCarriesToBlocks();
    void spaceToggleSkipsBlocksOfToggledFields();
};

namespace {

FieldTree twoFields()
{
    return FieldTree::fromText(u"0000a\r\n\tb0\r\n\tb1\r\n0001b\r\n\tc0\r\n");
}

} // namespace

void FieldTreeTest::textFormIsPreOrderWithTabs()
{
    const FieldTree tree = twoFields();
    QCOMPARE(tree.nodeCount(), 5);
    QCOMPARE(tree.toText(), QStringLiteral("0000a\r\n\tb0\r\n\tb1\r\n0001b\r\n\tc0\r\n"));
    QCOMPARE(FieldTree::fromText(tree.toText()), tree);
    QVERIFY(FieldTree().toText().isEmpty());
    // A field may have no blocks; a last line without line end still counts.
    const FieldTree bare = FieldTree::fromText(u"0000\r0001\n0002");
    QCOMPARE(bare.fields.size(), size_t(3));
}

void FieldTreeTest::toggleMarkCarriesToBlocks()
{
    FieldTree tree = twoFields();
    QCOMPARE(tree.node({0, -1}).stateIndex(), 2);
    tree.toggleMark({0, 1});
    QCOMPARE(tree.node({0, 1}).stateIndex(), 1);
    QCOMPARE(tree.node({0, -1}).stateIndex(), 2); // a block leaves its field alone
    tree.toggleMark({0, -1});
    QVERIFY(tree.node({0, -1}).marked);
    QVERIFY(tree.node({0, 0}).marked);
    QVERIFY(tree.node({0, 1}).marked); // the blocks take the field's new state
    tree.toggleMark({0, -1});
    QVERIFY(!tree.node({0, 1}).marked);
    tree.toggleMark({7, -1}); // no such node: nothing happens
}

void FieldTreeTest::spaceToggleSkipsBlocksOfToggledFields()
{
    FieldTree tree = twoFields();
    tree.node({0, 1}).marked = true;
    // Selected: block 0/1, field 0 (given out of order), block 1/0.
    const std::vector<NodeRef> remaining = tree.toggleSelectedMarks({{0, 1}, {0, -1}, {1, 0}});
    QVERIFY(tree.node({0, -1}).marked);
    QVERIFY(tree.node({0, 0}).marked);
    QVERIFY(tree.node({0, 1}).marked); // took the field's state, not toggled again
    QVERIFY(tree.node({1, 0}).marked);
    QVERIFY(!tree.node({1, -1}).marked);
    QCOMPARE(remaining, (std::vector<NodeRef>{{0, -1}, {1, 0}}));
}

QTEST_APPLESS_MAIN(FieldTreeTest)
#include "FieldTreeTest.moc"
