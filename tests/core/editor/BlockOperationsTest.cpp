// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/editor/BlockOperations.h"
#include "core/app/NodeGrammar.h"
#include "core/app/ProjectDocument.h"
#include "core/common/Errors.h"
#include "support/TestSupport.h"

#include <QTest>

using namespace Quillet;

namespace {

enum class Cmd {
    MoveToCurrent,
    AlignLeft,
    AlignTop,
    AlignRight,
    AlignBottom,
    Centre,
    Clone,
    Merge,
    Up,
    Down,
    Left,
    Right,
    VBig,
    VSmall,
    HBig,
    HSmall,
};

const QString Options =
    QString(FieldSeparator) + "00000" + "01" + "$00FFFFFF$00000000" + "000" + "010Arial";

constexpr auto& block = QuilletTest::blockText;

std::vector<NodeRef> refusedAt(bool refused, NodeRef at)
{
    return refused ? std::vector<NodeRef>{at} : std::vector<NodeRef>{};
}

// The rectangle with other characters between and after the edges, which writing an edge
// must leave in place.
QString oddBlock(const BlockRect& r)
{
    QString text = composeBlockText(r);
    text[7] = u';';
    text[23] = u'|';
    return text + " #";
}

TreeNode node(const QString& text, bool marked = false)
{
    return TreeNode{text, marked};
}

FieldNode field(const QString& id, std::vector<TreeNode> blocks, bool marked = false)
{
    FieldNode f;
    f.text = id + Options;
    f.marked = marked;
    f.blocks = std::move(blocks);
    return f;
}

// An A4 page: 2480 × 3508 pixels.
void setTree(ProjectDocument& doc, std::vector<FieldNode> fields)
{
    doc.project.settings.PrWidth = 210;
    doc.project.settings.PrHeight = 297;
    doc.project.Structure.fields = std::move(fields);
}

const QString& textAt(const ProjectDocument& doc, NodeRef ref)
{
    return doc.project.Structure.node(ref).text;
}

std::optional<NodeRef> refOf(int fieldIndex, int blockIndex)
{
    return fieldIndex < 0 ? std::nullopt : std::optional<NodeRef>(NodeRef{fieldIndex, blockIndex});
}

BlockOpResult run(Cmd cmd, ProjectDocument& doc, std::optional<NodeRef> current,
                  double step = DefaultStepMm)
{
    switch (cmd) {
    case Cmd::MoveToCurrent:
        return moveMarkedToCurrent(doc, current);
    case Cmd::AlignLeft:
        return alignMarked(doc, current, AlignEdge::Left);
    case Cmd::AlignTop:
        return alignMarked(doc, current, AlignEdge::Top);
    case Cmd::AlignRight:
        return alignMarked(doc, current, AlignEdge::Right);
    case Cmd::AlignBottom:
        return alignMarked(doc, current, AlignEdge::Bottom);
    case Cmd::Centre:
        return centreMarked(doc, current);
    case Cmd::Clone:
        return cloneCurrent(doc, current, step);
    case Cmd::Merge:
        return mergeMarked(doc, current);
    case Cmd::Up:
        return moveMarkedByStep(doc, StepMove::Up, step);
    case Cmd::Down:
        return moveMarkedByStep(doc, StepMove::Down, step);
    case Cmd::Left:
        return moveMarkedByStep(doc, StepMove::Left, step);
    case Cmd::Right:
        return moveMarkedByStep(doc, StepMove::Right, step);
    case Cmd::VBig:
        return resizeMarkedByStep(doc, StepResize::VBig, step);
    case Cmd::VSmall:
        return resizeMarkedByStep(doc, StepResize::VSmall, step);
    case Cmd::HBig:
        return resizeMarkedByStep(doc, StepResize::HBig, step);
    case Cmd::HSmall:
        return resizeMarkedByStep(doc, StepResize::HSmall, step);
    }
    return {};
}

// Every block as its text, "*" added when marked.
QStringList texts(const FieldNode& f)
{
    QStringList result;
    for (const TreeNode& b : f.blocks)
        result << b.text + (b.marked ? "*" : "");
    return result;
}

// The blocks of every field by the word after the last blank of their texts, "*" added when
// marked: {"a1 a0", "b1"}.
QStringList labels(const ProjectDocument& doc)
{
    QStringList result;
    for (const FieldNode& f : doc.project.Structure.fields) {
        QStringList names;
        for (const QString& text : texts(f))
            names << text.section(' ', -1);
        result << names.join(' ');
    }
    return result;
}

} // namespace

Q_DECLARE_METATYPE(Cmd)
Q_DECLARE_METATYPE(Quillet::BlockRect)
Q_DECLARE_METATYPE(std::optional<Quillet::NodeRef>)

class BlockOperationsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void alignAndCentre_data();
    void alignAndCentre();
    void nothingToDoStillSnapshots_data();
    void nothingToDoStillSnapshots();
    void alignOnFieldTakesFirstBlock();
    void cloneBlock();
    void cloneField_data();
    void cloneField();
    void failedCloneTakesNoNumber();
    void mergeAcrossFields();
    void stepCommands_data();
    void stepCommands();
    void stepCommandsAlwaysRepaint();
    void markAllThenDeleteEmptiesRelations();
    void deleteMarked_data();
    void deleteMarked();
    void moveToCurrent_data();
    void moveToCurrent();
    void drawnBlock_data();
    void drawnBlock();
    void scaleAndStep();
};

void BlockOperationsTest::alignAndCentre_data()
{
    QTest::addColumn<Cmd>("cmd");
    QTest::addColumn<BlockRect>("reference");
    QTest::addColumn<BlockRect>("other");
    QTest::addColumn<BlockRect>("expected");
    QTest::addColumn<bool>("refused");
    const BlockRect x100to150{100, 0, 150, 10}, y30to60{0, 30, 10, 60}, c150{100, 0, 201, 10};
    const BlockRect small{40, 10, 59, 20};
    QTest::newRow("left keeps the width")
        << Cmd::AlignLeft << x100to150 << small << BlockRect{100, 10, 119, 20} << false;
    QTest::newRow("right stretches from the left edge")
        << Cmd::AlignRight << x100to150 << small << BlockRect{40, 10, 150, 20} << false;
    QTest::newRow("right: starting beyond the edge")
        << Cmd::AlignRight << x100to150 << BlockRect{160, 10, 170, 20}
        << BlockRect{160, 10, 170, 20} << false;
    QTest::newRow("right: starting on the edge")
        << Cmd::AlignRight << x100to150 << BlockRect{150, 10, 170, 20}
        << BlockRect{150, 10, 170, 20} << false;
    QTest::newRow("top keeps the height") << Cmd::AlignTop << y30to60 << BlockRect{5, 100, 9, 140}
                                          << BlockRect{5, 30, 9, 70} << false;
    QTest::newRow("bottom stretches from the top edge")
        << Cmd::AlignBottom << y30to60 << BlockRect{5, 10, 9, 20} << BlockRect{5, 10, 9, 60}
        << false;
    QTest::newRow("bottom: starting on the edge")
        << Cmd::AlignBottom << y30to60 << BlockRect{5, 60, 9, 80} << BlockRect{5, 60, 9, 80}
        << false;
    QTest::newRow("centre on C = 150, W = 21")
        << Cmd::Centre << c150 << BlockRect{0, 50, 21, 60} << BlockRect{140, 50, 161, 60} << false;
    QTest::newRow("centre, even width")
        << Cmd::Centre << c150 << BlockRect{0, 50, 20, 60} << BlockRect{140, 50, 160, 60} << false;
    QTest::newRow("left would pass the right page edge")
        << Cmd::AlignLeft << BlockRect{2470, 0, 2479, 10} << BlockRect{0, 10, 20, 20}
        << BlockRect{0, 10, 20, 20} << true;
    QTest::newRow("top would pass the bottom page edge")
        << Cmd::AlignTop << BlockRect{0, 3500, 10, 3507} << BlockRect{0, 0, 10, 20}
        << BlockRect{0, 0, 10, 20} << true;
    QTest::newRow("centre would go below 0")
        << Cmd::Centre << BlockRect{0, 0, 10, 10} << BlockRect{100, 0, 140, 10}
        << BlockRect{100, 0, 140, 10} << true;
}

void BlockOperationsTest::alignAndCentre()
{
    QFETCH(Cmd, cmd);
    QFETCH(BlockRect, reference);
    QFETCH(BlockRect, other);
    QFETCH(BlockRect, expected);
    QFETCH(bool, refused);
    ProjectDocument doc;
    setTree(doc, {field("0000", {node(oddBlock(reference), true), node(oddBlock(other), true)})});
    const BlockOpResult result = run(cmd, doc, NodeRef{0, 0});
    QCOMPARE(doc.undo.available(), 1);
    QVERIFY(result.repaint && doc.RepaintPending);
    QCOMPARE(textAt(doc, {0, 0}), oddBlock(reference));
    QCOMPARE(textAt(doc, {0, 1}), oddBlock(expected));
    QCOMPARE(result.changed, !(expected == other));
    QCOMPARE(result.refused, refusedAt(refused, {0, 1}));
    if (refused)
        QVERIFY(refusalMessage(doc.project.Structure, {0, 1}).contains("0000"));
}

void BlockOperationsTest::nothingToDoStillSnapshots_data()
{
    QTest::addColumn<Cmd>("cmd");
    QTest::addColumn<std::optional<NodeRef>>("current");
    QTest::addColumn<bool>("marked");
    for (Cmd cmd : {Cmd::MoveToCurrent, Cmd::AlignLeft, Cmd::AlignTop, Cmd::AlignRight,
                    Cmd::AlignBottom, Cmd::Centre, Cmd::Clone, Cmd::Merge}) {
        QTest::addRow("no current node, command %d", int(cmd)) << cmd << refOf(-1, 0) << true;
    }
    QTest::newRow("stale current node") << Cmd::Clone << refOf(5, 0) << true;
    QTest::newRow("centre on a field") << Cmd::Centre << refOf(0, -1) << true;
    QTest::newRow("align on a field without blocks") << Cmd::AlignTop << refOf(1, -1) << true;
    QTest::newRow("merge with nothing marked") << Cmd::Merge << refOf(0, 0) << false;
}

void BlockOperationsTest::nothingToDoStillSnapshots()
{
    QFETCH(Cmd, cmd);
    QFETCH(std::optional<NodeRef>, current);
    QFETCH(bool, marked);
    ProjectDocument doc;
    setTree(doc, {field("0000",
                        {node(block(10, 10, 20, 20), marked), node(block(50, 5, 60, 15), marked)}),
                  field("0001", {})});
    const FieldTree before = doc.project.Structure;
    const BlockOpResult result = run(cmd, doc, current);
    QCOMPARE(doc.undo.available(), 1);
    QVERIFY(doc.project.Structure == before);
    QVERIFY(!result.changed && !result.repaint && !doc.RepaintPending);
    QVERIFY(!result.current && result.refused.empty());
}

void BlockOperationsTest::alignOnFieldTakesFirstBlock()
{
    ProjectDocument doc;
    setTree(doc, {field("0000", {node(block(100, 0, 150, 10)), node(block(40, 10, 59, 20), true)},
                        true)});
    const BlockOpResult result = alignMarked(doc, NodeRef{0, -1}, AlignEdge::Left);
    QCOMPARE(result.current, std::optional<NodeRef>(NodeRef{0, 0}));
    QCOMPARE(textAt(doc, {0, 1}), block(100, 10, 119, 20));
}

void BlockOperationsTest::cloneBlock()
{
    ProjectDocument doc;
    setTree(doc, {field("0000", {node(block(100, 200, 399, 299), true), node(block(0, 0, 5, 5)),
                                 node(block(0, 3000, 5, 3400))})});
    BlockOpResult result = cloneCurrent(doc, NodeRef{0, 0}, DefaultStepMm);
    QCOMPARE(result.current, std::optional<NodeRef>(NodeRef{0, 1}));
    QCOMPARE(textAt(doc, {0, 1}), block(100, 300, 399, 399));
    QVERIFY(!doc.project.Structure.node({0, 1}).marked);
    QCOMPARE(textAt(doc, {0, 2}), block(0, 0, 5, 5));

    // The copy of the last block would reach row 3801 of a 3508-row page.
    result = cloneCurrent(doc, NodeRef{0, 3}, DefaultStepMm);
    QCOMPARE(result.refused, refusedAt(true, {0, 3}));
    QVERIFY(!result.changed && !result.current && result.repaint);
    QCOMPARE(doc.project.Structure.fields[0].blocks.size(), size_t(4));
    QCOMPARE(doc.undo.available(), 2);
}

void BlockOperationsTest::cloneField_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("next");
    QTest::addColumn<QString>("cloneId");
    QTest::newRow("text field 0005") << "0005" << 12 << "0012";
    QTest::newRow("image field keeps its kind") << "1007" << 12 << "1012";
    QTest::newRow("shape field, number 0") << "2002" << 0 << "2000";
}

void BlockOperationsTest::cloneField()
{
    QFETCH(QString, id);
    QFETCH(int, next);
    QFETCH(QString, cloneId);
    ProjectDocument doc;
    setTree(doc, {field(id,
                        {node(oddBlock({100, 200, 399, 299}), true), node(block(10, 0, 20, 5)),
                         node(block(2470, 0, 2477, 5))},
                        true),
                  field("0003", {})});
    doc.project.NextFieldNumber = next;
    const BlockOpResult result = cloneCurrent(doc, NodeRef{0, -1}, DefaultStepMm);
    QCOMPARE(doc.project.NextFieldNumber, next + 1);
    QCOMPARE(result.current, std::optional<NodeRef>(NodeRef{2, -1}));
    const FieldNode& clone = doc.project.Structure.fields.at(2);
    QCOMPARE(clone.text, cloneId + Options);
    QVERIFY(!clone.marked && !clone.blocks[0].marked);
    // Three pixels right; the copy of the block at the page's right edge is not made.
    QCOMPARE(clone.blocks.size(), size_t(2));
    QCOMPARE(clone.blocks[0].text, block(103, 200, 402, 299));
    QCOMPARE(clone.blocks[1].text, block(13, 0, 23, 5));
    QCOMPARE(result.refused, refusedAt(true, {0, 2}));
}

void BlockOperationsTest::failedCloneTakesNoNumber()
{
    ProjectDocument doc;
    setTree(doc, {field("0005", {node(block(0, 0, 5, 5))})});
    doc.project.NextFieldNumber = 1000;
    QVERIFY_THROWS_EXCEPTION(Error, cloneCurrent(doc, NodeRef{0, -1}, DefaultStepMm));
    QCOMPARE(doc.project.Structure.fields.size(), size_t(1));

    doc.project.NextFieldNumber = 7;
    doc.project.Structure.fields[0].blocks.push_back(node("0001,00 abc"));
    const FieldTree before = doc.project.Structure;
    QVERIFY_THROWS_EXCEPTION(ConversionError, cloneCurrent(doc, NodeRef{0, -1}, DefaultStepMm));
    QCOMPARE(doc.project.NextFieldNumber, 7);
    QVERIFY(doc.project.Structure == before);
}

void BlockOperationsTest::mergeAcrossFields()
{
    ProjectDocument doc;
    setTree(doc, {field("0000", {node(block(10, 10, 20, 20), true), node(block(300, 0, 310, 9))}),
                  field("0001", {node(block(50, 5, 60, 15), true)})});
    const BlockOpResult result = mergeMarked(doc, NodeRef{0, 1});
    QCOMPARE(doc.undo.available(), 1);
    QVERIFY(result.repaint && result.changed);
    QCOMPARE(result.current, std::optional<NodeRef>(NodeRef{0, 1}));
    QCOMPARE(texts(doc.project.Structure.fields[0]),
             (QStringList{block(300, 0, 310, 9), block(10, 5, 60, 20)}));
    QVERIFY(doc.project.Structure.fields[1].blocks.empty());
}

void BlockOperationsTest::stepCommands_data()
{
    QTest::addColumn<Cmd>("cmd");
    QTest::addColumn<double>("step");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("expected"); // empty: left as it is
    QTest::addColumn<bool>("refused");
    const double s = DefaultStepMm;
    const QString b = block(100, 200, 399, 299), sq = block(10, 10, 20, 20);
    QTest::newRow("up from 0,25 to 0") << Cmd::Up << s << "0001,00 0000,25/0002,00 0001,00"
                                       << "0001,00 0000,00/0002,00 0000,76" << false;
    QTest::newRow("down") << Cmd::Down << s << b << block(100, 203, 399, 302) << false;
    QTest::newRow("left") << Cmd::Left << s << b << block(97, 200, 396, 299) << false;
    // From the text's 8,47 and 33,78 mm, not from the pixels 100 and 399.
    QTest::newRow("right by 1 mm") << Cmd::Right << 1.0 << b << block(112, 200, 411, 299) << false;
    QTest::newRow("down onto the last row")
        << Cmd::Down << s << block(0, 3500, 5, 3504) << block(0, 3503, 5, 3507) << false;
    QTest::newRow("up past the top") << Cmd::Up << s << block(10, 1, 20, 5) << "" << true;
    QTest::newRow("right past the page")
        << Cmd::Right << s << block(2470, 0, 2478, 5) << "" << true;
    QTest::newRow("VBig") << Cmd::VBig << s << sq << block(10, 10, 20, 23) << false;
    QTest::newRow("VBig writes the top edge as its own pixel")
        << Cmd::VBig << s << "0001,00 0000,30/0002,00 0001,00"
        << "0001,00 0000,34/0002,00 0001,27" << false;
    QTest::newRow("VBig past the page") << Cmd::VBig << s << block(0, 3500, 5, 3506) << "" << true;
    QTest::newRow("VSmall") << Cmd::VSmall << s << sq << block(10, 10, 20, 17) << false;
    QTest::newRow("VSmall, one pixel taller than the step")
        << Cmd::VSmall << s << block(10, 10, 20, 14) << block(10, 10, 20, 11) << false;
    QTest::newRow("VSmall, as tall as the step")
        << Cmd::VSmall << s << block(10, 10, 20, 13) << "" << false;
    QTest::newRow("HBig") << Cmd::HBig << s << sq << block(10, 10, 23, 20) << false;
    QTest::newRow("HBig past the page") << Cmd::HBig << s << block(2470, 0, 2477, 5) << "" << true;
    QTest::newRow("HSmall") << Cmd::HSmall << s << sq << block(10, 10, 17, 20) << false;
    QTest::newRow("HSmall, as wide as the step")
        << Cmd::HSmall << s << block(10, 10, 13, 20) << "" << false;
}

void BlockOperationsTest::stepCommands()
{
    QFETCH(Cmd, cmd);
    QFETCH(double, step);
    QFETCH(QString, start);
    QFETCH(QString, expected);
    QFETCH(bool, refused);
    ProjectDocument doc;
    // The field is marked too: the commands act on blocks only.
    setTree(doc, {field("0000", {node(start, true), node(block(1, 1, 2, 2))}, true)});
    const BlockOpResult result = run(cmd, doc, std::nullopt, step);
    QCOMPARE(textAt(doc, {0, 0}), expected.isEmpty() ? start : expected);
    QCOMPARE(textAt(doc, {0, 1}), block(1, 1, 2, 2));
    QCOMPARE(result.refused, refusedAt(refused, {0, 0}));
    QCOMPARE(result.changed, !expected.isEmpty());
    QVERIFY(result.repaint && doc.RepaintPending);
    QCOMPARE(doc.undo.available(), 1);
}

void BlockOperationsTest::stepCommandsAlwaysRepaint()
{
    for (Cmd cmd : {Cmd::Up, Cmd::Down, Cmd::Left, Cmd::Right, Cmd::VBig, Cmd::VSmall, Cmd::HBig,
                    Cmd::HSmall}) {
        ProjectDocument doc;
        setTree(doc, {field("0000", {node(block(10, 10, 20, 20))})});
        QVERIFY(run(cmd, doc, NodeRef{0, 0}).repaint && doc.RepaintPending);
        QCOMPARE(textAt(doc, {0, 0}), block(10, 10, 20, 20));
        QCOMPARE(doc.undo.available(), 0); // nothing marked, nothing to undo
    }
}

void BlockOperationsTest::markAllThenDeleteEmptiesRelations()
{
    ProjectDocument doc;
    setTree(doc, {field("0003", {node(block(0, 0, 5, 5))}), field("0004", {}),
                  field("0005", {node(block(0, 0, 5, 5))}), field("1008", {}),
                  field("0008", {node(block(0, 0, 5, 5))})});
    doc.project.RelateList = {{"3-5", false}, {"8", true}};
    BlockOpResult result = markAll(doc);
    QVERIFY(result.changed && !result.repaint && !doc.RepaintPending);
    QCOMPARE(doc.project.Structure.fields[2].blocks[0].stateIndex(), 1);
    QVERIFY(doc.project.RelateList[0].checked && doc.project.RelateList[1].checked);
    QCOMPARE(doc.undo.available(), 0);

    result = unmarkAll(doc);
    QCOMPARE(doc.project.Structure.fields[4].stateIndex(), 2);
    QVERIFY(!doc.project.RelateList[0].checked && !doc.project.RelateList[1].checked);
    QVERIFY(!unmarkAll(doc).changed);

    markAll(doc);
    result = Quillet::deleteMarked(doc, NodeRef{1, -1});
    QVERIFY(result.changed && !result.repaint && !doc.RepaintPending && !result.current);
    QVERIFY(doc.project.Structure.isEmpty());
    QVERIFY(doc.project.RelateList.empty());
    QCOMPARE(doc.undo.available(), 1);
}

void BlockOperationsTest::deleteMarked_data()
{
    QTest::addColumn<std::optional<NodeRef>>("current");
    QTest::addColumn<std::optional<NodeRef>>("after");
    QTest::newRow("none") << refOf(-1, 0) << refOf(-1, 0);
    QTest::newRow("block behind a deleted one") << refOf(0, 1) << refOf(0, 0);
    QTest::newRow("field behind a deleted field") << refOf(2, -1) << refOf(1, -1);
    QTest::newRow("unmarked block of a deleted field") << refOf(1, 0) << refOf(-1, 0);
    QTest::newRow("deleted block") << refOf(0, 2) << refOf(-1, 0);
}

void BlockOperationsTest::deleteMarked()
{
    QFETCH(std::optional<NodeRef>, current);
    QFETCH(std::optional<NodeRef>, after);
    ProjectDocument doc;
    setTree(doc, {field("0003", {node("0 a0", true), node("1 a1"), node("2 a2", true)}),
                  field("0004", {node("3 b0")}, true), field("0009", {node("4 c0")})});
    doc.project.RelateList = {{"3-5", false}, {"4,9", false}};
    const BlockOpResult result = Quillet::deleteMarked(doc, current);
    QCOMPARE(doc.undo.available(), 1);
    QCOMPARE(labels(doc), (QStringList{"a1", "c0"}));
    // Only the first item holding 4 loses it; fields that stay keep their relations.
    QCOMPARE(doc.project.RelateList, (RelationList{{"3,5", false}, {"4,9", false}}));
    QCOMPARE(result.current, after);
}

void BlockOperationsTest::moveToCurrent_data()
{
    QTest::addColumn<std::optional<NodeRef>>("current");
    QTest::addColumn<bool>("currentMarked");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<std::optional<NodeRef>>("after");
    QTest::newRow("before a block")
        << refOf(0, 2) << false << QStringList{"a1 a0 a3 b0 a2", "b1"} << refOf(0, 4);
    QTest::newRow("after a field's blocks")
        << refOf(1, -1) << false << QStringList{"a1 a2", "b1 a0 a3 b0"} << refOf(1, -1);
    QTest::newRow("marked current block keeps its place")
        << refOf(0, 3) << true << QStringList{"a1 a2 a0 b0 a3", "b1"} << refOf(0, 4);
}

void BlockOperationsTest::moveToCurrent()
{
    QFETCH(std::optional<NodeRef>, current);
    QFETCH(bool, currentMarked);
    QFETCH(QStringList, expected);
    QFETCH(std::optional<NodeRef>, after);
    ProjectDocument doc;
    setTree(doc,
            {field("0000", {node("x a0", true), node("x a1"), node("x a2"), node("x a3", true)}),
             field("0001", {node("x b0", true), node("x b1")})});
    doc.project.Structure.node(*current).marked |= currentMarked;
    const BlockOpResult result = Quillet::moveMarkedToCurrent(doc, current);
    QCOMPARE(labels(doc), expected);
    QCOMPARE(result.current, after);
    QVERIFY(result.changed && !result.repaint && !doc.RepaintPending);
    QCOMPARE(doc.undo.available(), 1);
}

void BlockOperationsTest::drawnBlock_data()
{
    QTest::addColumn<std::optional<NodeRef>>("current");
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("end");
    QTest::addColumn<QString>("expected"); // empty: nothing drawn
    const auto blk = refOf(0, 0);
    QTest::newRow("drag") << blk << QPoint(100, 200) << QPoint(399, 299)
                          << "0008,47 0016,93/0033,78 0025,32";
    QTest::newRow("backwards") << blk << QPoint(399, 299) << QPoint(100, 200)
                               << "0008,47 0016,93/0033,78 0025,32";
    QTest::newRow("two pixels both ways")
        << blk << QPoint(10, 10) << QPoint(12, 12) << block(10, 10, 12, 12);
    QTest::newRow("click") << blk << QPoint(10, 10) << QPoint(10, 10) << "";
    QTest::newRow("one pixel across") << blk << QPoint(10, 10) << QPoint(11, 90) << "";
    QTest::newRow("one pixel down") << blk << QPoint(10, 10) << QPoint(90, 11) << "";
    QTest::newRow("past the page corner") << refOf(1, -1) << QPoint(2400, 3400)
                                          << QPoint(2600, 3600) << block(2400, 3400, 2479, 3507);
    QTest::newRow("wholly above and left") << blk << QPoint(-50, -50) << QPoint(-10, -10) << "";
    QTest::newRow("no current node") << refOf(-1, 0) << QPoint(10, 10) << QPoint(90, 90) << "";
}

void BlockOperationsTest::drawnBlock()
{
    QFETCH(std::optional<NodeRef>, current);
    QFETCH(QPoint, start);
    QFETCH(QPoint, end);
    QFETCH(QString, expected);
    ProjectDocument doc;
    setTree(doc, {field("0000", {node(block(0, 0, 5, 5))}), field("0001", {})});
    const FieldTree before = doc.project.Structure;
    const std::optional<NodeRef> added = addDrawnBlock(doc, current, start, end);
    QCOMPARE(doc.undo.available(), expected.isEmpty() ? 0 : 1);
    QCOMPARE(doc.RepaintPending, !expected.isEmpty());
    if (expected.isEmpty()) {
        QVERIFY(!added);
        QVERIFY(doc.project.Structure == before);
        return;
    }
    const NodeRef last{current->field, int(before.fields[size_t(current->field)].blocks.size())};
    QCOMPARE(added, std::optional<NodeRef>(last));
    QCOMPARE(textAt(doc, last), expected);
    QVERIFY(!doc.project.Structure.node(last).marked);
}

void BlockOperationsTest::scaleAndStep()
{
    CoordsValues coords{10, 20, 30, 60};
    ScaleX(coords, 0.508);
    QVERIFY(qFuzzyCompare(coords.max_x, 20.16));
    ScaleY(coords, 0.5);
    QCOMPARE(coords, (CoordsValues{10, 20, coords.max_x, 40}));

    const struct {
        double typed, snapped;
    } steps[] = {{0.254, 0.254}, {0.5, 0.508}, {0.3, 4 * 25.4 / 300},
                 {-1, 0},        {1000, 254},  {qQNaN(), 0}};
    for (const auto& s : steps)
        QVERIFY2(qAbs(snapStep(s.typed) - s.snapped) < 1e-12, qPrintable(QString::number(s.typed)));
}

QTEST_APPLESS_MAIN(BlockOperationsTest)
#include "BlockOperationsTest.moc"
