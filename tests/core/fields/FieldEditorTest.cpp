// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/fields/FieldEditor.h"
#include "core/app/NodeGrammar.h"
#include "core/app/ProjectDocument.h"
#include "core/common/Errors.h"
#include "core/fields/BlockDivision.h"
#include "core/workbook/SpreadsheetReader.h"
#include "support/TestSupport.h"

#include <QTest>

using namespace Quillet;

Q_DECLARE_METATYPE(Quillet::FieldKind)

namespace {
const QString Sep(FieldSeparator);

constexpr auto& block = QuilletTest::blockText;

// A document holding one text field "0002" with three blocks, numbers given out up to 6.
void fillDocument(ProjectDocument& doc)
{
    FieldNode field;
    field.text = "0002=A1" + Sep + "00000" + "01" + "$00FFFFFF$00000000" + "000" + "010Arial";
    field.blocks = {TreeNode{block(10, 10, 20, 20)}, TreeNode{block(0, 0, 99, 49)},
                    TreeNode{block(30, 30, 40, 40)}};
    doc.project.Structure.fields.push_back(field);
    doc.project.NextFieldNumber = 7;
}
} // namespace

class FieldEditorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void division_data();
    void division();
    void newFieldTakesNextNumber_data();
    void newFieldTakesNextNumber();
    void editingKeepsIdAndReloads();
    void coordsAndDivisionApply();
    void columnsFromValue_data();
    void columnsFromValue();
    void malformedNodeOpensPartlyLoaded();
    void cancelKeepsValues();
    void failedApplyStillCloses();
    void previewLeavesDocument();
    void angleAndReplacePanels();
    void undoWhateverPanelIsOpen_data();
    void undoWhateverPanelIsOpen();
};

void FieldEditorTest::division_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("parts");
    const QString wide = block(0, 0, 99, 49);
    QTest::newRow("3 x 2, column by column")
        << wide << 3 << 2
        << QStringList{block(0, 0, 32, 24),   block(0, 25, 32, 49), block(33, 0, 66, 24),
                       block(33, 25, 66, 49), block(67, 0, 99, 24), block(67, 25, 99, 49)};
    QTest::newRow("1 x 1 is the block itself") << wide << 1 << 1 << QStringList{wide};
    // 101 pixel columns split at 50.5, which goes to the even 50.
    QTest::newRow("halves of an odd width: the tie goes to even")
        << block(0, 0, 100, 9) << 2 << 1 << QStringList{block(0, 0, 49, 9), block(50, 0, 100, 9)};
}

void FieldEditorTest::division()
{
    QFETCH(QString, source);
    QFETCH(int, cols);
    QFETCH(int, rows);
    QFETCH(QStringList, parts);
    const std::vector<QString> got = divideBlock(source, cols, rows);
    QCOMPARE(QStringList(got.begin(), got.end()), parts);
    QVERIFY_THROWS_EXCEPTION(Error, divideBlock(source, 0, rows));
    QVERIFY_THROWS_EXCEPTION(Error, divideBlock(source, cols, 101));
}

void FieldEditorTest::newFieldTakesNextNumber_data()
{
    QTest::addColumn<FieldKind>("kind");
    QTest::addColumn<QString>("id");
    QTest::newRow("text") << FieldKind::Text << "0007";
    QTest::newRow("image") << FieldKind::Image << "1007";
    QTest::newRow("shape") << FieldKind::Shape << "2007";
}

void FieldEditorTest::newFieldTakesNextNumber()
{
    QFETCH(FieldKind, kind);
    QFETCH(QString, id);
    ProjectDocument doc;
    fillDocument(doc);
    const FieldTree before = doc.project.Structure;
    FieldEditor editor(doc);
    editor.openNew(kind);
    QVERIFY(!editor.EditedNode());

    const ApplyResult result = editor.apply();
    const auto& fields = doc.project.Structure.fields;
    QCOMPARE(fields.size(), size_t(2));
    QVERIFY(fields[1].text.startsWith(id + (kind == FieldKind::Text ? "Text" : "")));
    QVERIFY(!fields[1].marked);
    QCOMPARE(doc.project.NextFieldNumber, 8);
    QCOMPARE(result.selectNode, std::optional<NodeRef>(NodeRef{1, -1}));
    QCOMPARE(result.pageCountChanged, kind == FieldKind::Text);
    QCOMPARE(result.printAsImage, kind == FieldKind::Image);
    QCOMPARE(editor.panel(), EditorPanel::None);
    QVERIFY(doc.RepaintPending);

    QCOMPARE(doc.undo.available(), 1);
    QVERIFY(doc.Undo());
    QVERIFY(doc.project.Structure == before);
    QCOMPARE(doc.project.NextFieldNumber, 8);
}

// A field applied and opened again shows every value that was applied, in an editor
// whose panel started from other values.
void FieldEditorTest::editingKeepsIdAndReloads()
{
    ProjectDocument doc;
    fillDocument(doc);
    FieldEditor editor(doc);
    QCOMPARE(editor.openNode(NodeRef{0, -1}), EditorPanel::TextField);
    QCOMPARE(editor.EditedNode(), std::optional<NodeRef>(NodeRef{0, -1}));
    QCOMPARE(editor.text.Text, QStringLiteral("=A1"));
    QCOMPARE(editor.text.fontName, QStringLiteral("Arial"));
    editor.text.Text = QStringLiteral("=C3:C9");
    editor.text.pressHorizontal(2);
    editor.text.Size = 14;
    const ApplyResult result = editor.apply();
    QVERIFY(!result.selectNode);
    QVERIFY(result.pageCountChanged);
    const FieldNode& field = doc.project.Structure.fields[0];
    QVERIFY(field.text.startsWith("0002=C3:C9" + Sep));
    QCOMPARE(field.blocks.size(), size_t(3));
    QCOMPARE(doc.project.NextFieldNumber, 7);

    FieldEditor again(doc);
    again.openNode(NodeRef{0, -1});
    QCOMPARE(again.text, editor.text);
}

void FieldEditorTest::coordsAndDivisionApply()
{
    ProjectDocument doc;
    fillDocument(doc);
    FieldEditor editor(doc);
    QCOMPARE(editor.openNode(NodeRef{0, 0}), EditorPanel::Coords);
    QCOMPARE(editor.coords, (CoordsValues{0.85, 0.85, 1.69, 1.69})); // 10 and 20 pixels
    editor.coords.max_x = 5.08;
    editor.apply();
    QCOMPARE(doc.project.Structure.fields[0].blocks[0].text,
             QStringLiteral("0000,85 0000,85/0005,08 0001,69"));

    QVERIFY(!editor.openDivide(NodeRef{0, -1}));
    QCOMPARE(editor.panel(), EditorPanel::None);
    QVERIFY(editor.openDivide(NodeRef{0, 1}));
    editor.divide = DivideValues{3, 2};
    editor.apply();
    const auto& blocks = doc.project.Structure.fields[0].blocks;
    QCOMPARE(blocks.size(), size_t(8));
    QCOMPARE(blocks[1].text, block(30, 30, 40, 40));
    QCOMPARE(blocks[2].text, block(0, 0, 32, 24));
    QCOMPARE(blocks[7].text, block(67, 25, 99, 49));
    QCOMPARE(doc.undo.available(), 2);
}

// "Столько блоков, сколько знаков" on the division of a block of field 0, which starts
// at 5 × 3.
void FieldEditorTest::columnsFromValue_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    const QString options = Sep + "00000" + "01" + "$00FFFFFF$00000000" + "000" + "010Arial";
    QTest::newRow("the characters of the page viewed") << "0000=A1:A3" + options << 2 << 12 << 1;
    QTest::newRow("the characters to skip are dropped")
        << "0000=B1:B3" + options + QChar(4) + "10." << 1 << 8 << 1;
    QTest::newRow("an empty cell leaves the division") << "0000=A1:A3" + options << 3 << 5 << 3;
    QTest::newRow("an image field's block leaves the division")
        << "1000a.png" + Sep + "0000$00000000000" << 1 << 5 << 3;
    QTest::newRow("options that do not read leave the division") << "0000=A1" << 1 << 5 << 3;
}

void FieldEditorTest::columnsFromValue()
{
    QFETCH(QString, field);
    QFETCH(int, page);
    QFETCH(int, cols);
    QFETCH(int, rows);
    const std::unique_ptr<Workbook> workbook =
        QuilletTest::csvWorkbook("7707083893;01.02.2024\n500100732259;15.11.2023\n");
    ProjectDocument doc;
    doc.project.settings.sheet = QStringLiteral("records");
    doc.project.Structure.fields.push_back(FieldNode{{field}, {TreeNode{block(0, 0, 99, 9)}}});
    FieldEditor editor(doc);
    QVERIFY(editor.openDivide(NodeRef{0, 0}));
    editor.divide = DivideValues{5, 3};
    const QString message = editor.columnsFromValue(workbook.get(), page);
    QCOMPARE(editor.divide, (DivideValues{cols, rows}));
    QVERIFY(!message.isEmpty()); // the status bar says what was counted, or why nothing
    QCOMPARE(editor.panel(), EditorPanel::Divided);
}

// A node that stops converting halfway opens its panel with what was read, then throws.
void FieldEditorTest::malformedNodeOpensPartlyLoaded()
{
    ProjectDocument doc;
    doc.project.Structure.fields.push_back(FieldNode{{"1004a.png" + Sep + "01x"}, {}});
    doc.project.Structure.fields.push_back(FieldNode{{"12ab"}, {}});
    FieldEditor editor(doc);
    QVERIFY_THROWS_EXCEPTION(ConversionError, editor.openNode(NodeRef{0, -1}));
    QCOMPARE(editor.panel(), EditorPanel::ImgField);
    QCOMPARE(editor.EditedNode(), std::optional<NodeRef>(NodeRef{0, -1}));
    QCOMPARE(editor.image.ImgFieldName, QStringLiteral("a.png"));
    QVERIFY(!editor.image.stretch && editor.image.cutimg);
    editor.cancel();

    QVERIFY_THROWS_EXCEPTION(ConversionError, editor.openNode(NodeRef{1, -1}));
    QCOMPARE(editor.panel(), EditorPanel::None);
    QCOMPARE(editor.openNode(NodeRef{5, -1}), EditorPanel::None);
}

void FieldEditorTest::cancelKeepsValues()
{
    ProjectDocument doc;
    fillDocument(doc);
    const FieldTree before = doc.project.Structure;
    FieldEditor editor(doc);
    editor.openNode(NodeRef{0, -1});
    editor.text.Text = QStringLiteral("typed");
    QCOMPARE(editor.cancel(), EditorPanel::TextField);
    QVERIFY(doc.project.Structure == before);
    QCOMPARE(doc.undo.available(), 0);
    QVERIFY(doc.RepaintPending);
    QVERIFY(!editor.EditedNode());

    editor.openNew(FieldKind::Text);
    QCOMPARE(editor.text.Text, QStringLiteral("typed"));
    editor.apply();
    QVERIFY(doc.project.Structure.fields[1].text.startsWith("0007typed" + Sep));
}

// Values the stored form cannot hold: the editor closes all the same, the tree and the
// field numbers stay, and the snapshot taken first is there to undo.
void FieldEditorTest::failedApplyStillCloses()
{
    ProjectDocument doc;
    fillDocument(doc);
    const FieldTree before = doc.project.Structure;
    FieldEditor editor(doc);
    editor.openNew(FieldKind::Image);
    editor.image.transperentImg = TransparencyPixel;
    editor.image.C_X = 10000;
    QVERIFY_THROWS_EXCEPTION(ConversionError, editor.apply());
    QCOMPARE(editor.panel(), EditorPanel::None);
    QVERIFY(!editor.EditedNode());
    QVERIFY(doc.RepaintPending);
    QVERIFY(doc.project.Structure == before);
    QCOMPARE(doc.project.NextFieldNumber, 7);
    QCOMPARE(doc.undo.available(), 1);

    editor.openNode(NodeRef{0, -1});
    editor.text.Text = QStringLiteral("two\nlines");
    QVERIFY_THROWS_EXCEPTION(ConversionError, editor.apply());
    QVERIFY(doc.project.Structure == before);
    QCOMPARE(editor.panel(), EditorPanel::None);
}

void FieldEditorTest::previewLeavesDocument()
{
    ProjectDocument doc;
    fillDocument(doc);
    const FieldTree before = doc.project.Structure;
    FieldEditor editor(doc);
    QVERIFY(editor.previewTree() == before);

    editor.openNew(FieldKind::Shape);
    FieldTree preview = editor.previewTree();
    QCOMPARE(preview.fields.size(), size_t(2));
    QCOMPARE(preview.fields[1].text, composeShapeNode(QStringLiteral("2007"), editor.shape));
    editor.shape.SizeLn = 11; // beyond the stored width: the preview shows the tree as is
    QVERIFY(editor.previewTree() == before);
    editor.cancel();

    editor.openNode(NodeRef{0, 2});
    editor.coords.Min_x = 0;
    preview = editor.previewTree();
    QCOMPARE(preview.fields[0].blocks[2].text, QStringLiteral("0000,00 0002,54/0003,39 0003,39"));
    QVERIFY(doc.project.Structure == before);
    QCOMPARE(doc.project.NextFieldNumber, 7);
    QCOMPARE(doc.undo.available(), 0);
}

void FieldEditorTest::angleAndReplacePanels()
{
    ProjectDocument doc;
    fillDocument(doc);
    const FieldTree before = doc.project.Structure;
    FieldEditor editor(doc);
    editor.openAngle();
    QCOMPARE(editor.panel(), EditorPanel::AngleOpt);
    QVERIFY(editor.apply().angleApplied);
    editor.openReplace();
    const ApplyResult result = editor.apply();
    QVERIFY(!result.angleApplied && !result.selectNode);
    QCOMPARE(doc.undo.available(), 2); // every apply takes its snapshot
    QVERIFY(doc.project.Structure == before);
}

// Eleven edits fill the undo ring; then, whatever panel is open, undo closes it and
// restores the state before the last edit, and ten more undos the states before each
// earlier edit: closing the panel takes no snapshot of its own. The auto-replace list keeps
// what was done to it while its panel was open.
void FieldEditorTest::undoWhateverPanelIsOpen_data()
{
    QTest::addColumn<int>("panel"); // EditorPanel
    QTest::newRow("none") << int(EditorPanel::None);
    QTest::newRow("auto-replace list") << int(EditorPanel::Replace);
    QTest::newRow("new text field") << int(EditorPanel::TextField);
    QTest::newRow("block coordinates") << int(EditorPanel::Coords);
    QTest::newRow("division") << int(EditorPanel::Divided);
    QTest::newRow("background angle") << int(EditorPanel::AngleOpt);
}

void FieldEditorTest::undoWhateverPanelIsOpen()
{
    QFETCH(int, panel);
    ProjectDocument doc;
    fillDocument(doc);
    FieldEditor editor(doc);
    std::vector<FieldTree> before; // before[k]: the tree before edit k + 1
    for (int k = 0; k < 11; ++k) {
        before.push_back(doc.project.Structure);
        editor.openNode(NodeRef{0, 0});
        editor.coords.max_x = 2 + k;
        editor.apply();
    }
    QVERIFY(doc.project.Structure != before[10]);
    switch (EditorPanel(panel)) {
    case EditorPanel::Replace:
        editor.openReplace();
        doc.project.ReplaceList.push_back(ReplacePair{QStringLiteral("a"), QStringLiteral("b")});
        break;
    case EditorPanel::TextField:
        editor.openNew(FieldKind::Text);
        editor.text.Text = QStringLiteral("typed");
        break;
    case EditorPanel::Coords:
        editor.openNode(NodeRef{0, 1});
        editor.coords.Min_x = 3;
        break;
    case EditorPanel::Divided:
        editor.openDivide(NodeRef{0, 2});
        break;
    case EditorPanel::AngleOpt:
        editor.openAngle();
        break;
    default:
        break;
    }
    QVERIFY(editor.undo());
    QCOMPARE(editor.panel(), EditorPanel::None);
    QVERIFY(!editor.EditedNode());
    QVERIFY(doc.project.Structure == before[10]);
    QCOMPARE(doc.project.ReplaceList.size(), size_t(panel == int(EditorPanel::Replace)));
    if (panel == int(EditorPanel::TextField))
        QCOMPARE(editor.text.Text, QStringLiteral("typed"));
    for (int k = 9; k >= 0; --k) {
        QVERIFY(editor.undo());
        QVERIFY2(doc.project.Structure == before[size_t(k)], qPrintable(QString::number(k)));
    }
    QVERIFY(!editor.undo());
    QVERIFY(doc.project.Structure == before[0]);
}

QTEST_GUILESS_MAIN(FieldEditorTest)

#include "FieldEditorTest.moc"
