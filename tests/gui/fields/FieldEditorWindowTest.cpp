// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The field editor driven through the window as a user drives it: create buttons, the
// panels' controls, double clicks on the tree, OK, Cancel and Ctrl+Z.

#include "core/app/NodeGrammar.h"
#include "gui/app/MainWindow.h"
#include "gui/fields/EditingArea.h"

#include "support/CliRun.h"
#include "support/WindowDriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace Quillet;
using namespace WindowDriver;

namespace {

const QChar Sep(8);

// Types `text` into the focused-to-be widget key by key; unlike QTest::keyClicks it takes
// Cyrillic letters.
void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        pressKey(widget, c.unicode());
}

void clickRadio(QWidget& window, const char* group, const QString& caption)
{
    for (QRadioButton* radio : control<QWidget>(window, group)->findChildren<QRadioButton*>()) {
        if (radio->text() == caption) {
            // On the indicator: a radio button takes clicks on its circle and caption only.
            QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no radio button %1").arg(caption)));
}

void chooseColorOf(QWidget& window, const char* button, const QColor& color)
{
    DialogScript script({chooseColor(color)});
    click(window, button);
    QTRY_VERIFY(script.finished());
}

void doubleClickNode(QWidget& window, int field, int block = -1)
{
    auto* tree = control<QTreeWidget>(window, "Structure");
    QTreeWidgetItem* item = tree->topLevelItem(field);
    if (block >= 0)
        item = item->child(block);
    tree->setCurrentItem(item);
    Q_EMIT tree->itemDoubleClicked(item, 0);
}

// The first scalable font that is not the program's default, so choosing it shows.
QString someOtherFont(QWidget& window)
{
    auto* list = control<QListWidget>(window, "sFontListBox1");
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() != window.font().family())
            return list->item(i)->text();
    }
    return QString();
}

QJsonArray infoFields(const QString& projectPath)
{
    const QuilletTest::CliRun run = QuilletTest::runCli({QStringLiteral("info"), projectPath});
    if (run.exitCode != 0)
        return {};
    return QJsonDocument::fromJson(run.out).object().value(QStringLiteral("fields")).toArray();
}

} // namespace

class FieldEditorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void textFieldRoundTripsThroughEveryControl();
    void emptyTextAndImageAndShapeFields();
    void divisionAndCoordinates();
    void cancelKeepsValuesAndUndoRestores();
    void malformedNodeShowsWhatWasRead();
    void panelOpensFresh_data();
    void panelOpensFresh();
    void enterInAnEditApplies_data();
    void enterInAnEditApplies();

private:
    QTemporaryDir m_dir;
};

void FieldEditorWindowTest::init()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
}

void FieldEditorWindowTest::textFieldRoundTripsThroughEveryControl()
{
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(
        window.LoadProject(saveProject(QDir(m_dir.path()), QStringLiteral("text.qlet"), 100, 80)));
    click(window, "CreateTextField");
    QVERIFY(control<QScrollArea>(window, "AddOpt")->isVisible());
    QVERIFY(!control<QScrollArea>(window, "BasicOpt")->isEnabled());

    auto* text = control<QLineEdit>(window, "Text");
    text->selectAll();
    typeText(text, QStringLiteral("=B2:B9"));
    click(window, "AutoReplace");
    typeInto(window, "MaxCram", QStringLiteral("9"));
    // First block centre-middle, main right-bottom, last left-bottom.
    clickRadio(window, "block", QStringLiteral("первый"));
    click(window, "Algn_C");
    click(window, "Algn_M");
    clickRadio(window, "block", QStringLiteral("основной"));
    click(window, "Algn_R");
    click(window, "Algn_B");
    clickRadio(window, "block", QStringLiteral("последний"));
    click(window, "Algn_L");
    click(window, "Algn_B");
    click(window, "BottomSpline");
    click(window, "Transperent");
    chooseColorOf(window, "FonColor", QColor(0x12, 0x34, 0x56));
    chooseColorOf(window, "FontColor", QColor(0xAB, 0xCD, 0xEF));
    click(window, "Boldchk");
    click(window, "IncChk");
    click(window, "UndChk");
    click(window, "CombChk");
    auto* skip = control<QLineEdit>(window, "CombSkip");
    skip->setFocus();
    typeText(skip, QStringLiteral("."));
    click(window, "CombDash");
    typeInto(window, "Size", QStringLiteral("123"));
    const QString font = someOtherFont(window);
    if (font.isEmpty())
        QSKIP("no scalable font besides the default one is installed");
    auto* fonts = control<QListWidget>(window, "sFontListBox1");
    const QList<QListWidgetItem*> found = fonts->findItems(font, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    fonts->scrollToItem(found.first());
    QTest::mouseClick(fonts->viewport(), Qt::LeftButton, {},
                      fonts->visualItemRect(found.first()).center());
    click(window, "OkBtn");
    QVERIFY(!control<QScrollArea>(window, "AddOpt")->isVisible());
    QVERIFY(control<QScrollArea>(window, "BasicOpt")->isEnabled());

    const QString expected = QStringLiteral("0000=B2:B9") + Sep
                             + QStringLiteral("1948610$00563412$00EFCDAB111123") + font + QChar(4)
                             + QStringLiteral("11.");
    const QString saved = m_dir.filePath(QStringLiteral("text-saved.qlet"));
    window.document().WriteProjectFile(saved);
    const QJsonArray fields = infoFields(saved);
    QCOMPARE(fields.size(), 1);
    QCOMPARE(fields[0].toObject().value(QStringLiteral("node")).toString(), expected);
    // The reference spans 8 rows: the page count follows at once.
    QCOMPARE(control<QSpinBox>(window, "PageN")->maximum(), 8);

    // Another field in between, so loading must bring every control back.
    click(window, "CreateTextField");
    text->selectAll();
    typeText(text, QStringLiteral("другое"));
    click(window, "Boldchk");
    click(window, "CombChk");
    click(window, "CancelBtn");
    doubleClickNode(window, 0);
    QCOMPARE(text->text(), QStringLiteral("=B2:B9"));
    QVERIFY(control<QCheckBox>(window, "AutoReplace")->isChecked());
    QCOMPARE(control<QSpinBox>(window, "MaxCram")->value(), 9);
    QVERIFY(control<QToolButton>(window, "Algn_C")->isChecked());
    QVERIFY(control<QToolButton>(window, "Algn_M")->isChecked());
    QVERIFY(control<QToolButton>(window, "BottomSpline")->isChecked());
    QVERIFY(!control<QCheckBox>(window, "Transperent")->isChecked());
    QVERIFY(control<QCheckBox>(window, "Boldchk")->isChecked());
    QVERIFY(control<QCheckBox>(window, "IncChk")->isChecked());
    QVERIFY(control<QCheckBox>(window, "UndChk")->isChecked());
    QCOMPARE(control<QSpinBox>(window, "Size")->value(), 123);
    QVERIFY(control<QCheckBox>(window, "CombChk")->isChecked());
    QCOMPARE(skip->text(), QStringLiteral("."));
    QVERIFY(control<QCheckBox>(window, "CombDash")->isChecked());
    QCOMPARE(fonts->currentItem() ? fonts->currentItem()->text() : QString(), font);
    clickRadio(window, "block", QStringLiteral("основной"));
    QVERIFY(control<QToolButton>(window, "Algn_R")->isChecked());
    QVERIFY(control<QToolButton>(window, "Algn_B")->isChecked());
    // Applying unchanged values writes the same text.
    click(window, "OkBtn");
    QCOMPARE(window.document().project.Structure.fields[0].text, expected);
}

void FieldEditorWindowTest::emptyTextAndImageAndShapeFields()
{
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(
        window.LoadProject(saveProject(QDir(m_dir.path()), QStringLiteral("kinds.qlet"), 100, 80)));
    click(window, "CreateTextField");
    auto* text = control<QLineEdit>(window, "Text");
    text->selectAll();
    QTest::keyClick(text, Qt::Key_Backspace);
    click(window, "OkBtn");
    const FieldTree& tree = window.document().project.Structure;
    QVERIFY(tree.fields[0].text.startsWith(QStringLiteral("0000") + Sep));

    QVERIFY(!window.exportOptions().PrintAsImg);
    click(window, "CreateImgField");
    auto* mode = control<QComboBox>(window, "CopyMode");
    mode->setCurrentIndex(1); // "Затемнение (And) "
    Q_EMIT mode->activated(1);
    click(window, "OkBtn");
    const ImageFieldOptions image = parseImageOptions(QStringView(tree.fields[1].text).mid(4));
    QCOMPARE(tree.fields[1].text.left(4), QStringLiteral("1001"));
    QCOMPARE(image.backgroundColor, 0xFFFFFF);
    QCOMPARE(image.effectiveCopyMode(), CopyMode::Multiply);
    QVERIFY(window.exportOptions().PrintAsImg);
    QVERIFY(control<QCheckBox>(window, "PrintAsImg")->isChecked());

    click(window, "CreateShpField");
    click(window, "DashLn");
    click(window, "OkBtn");
    QCOMPARE(tree.fields[2].text.left(4), QStringLiteral("2002"));
    const qsizetype sep = tree.fields[2].text.indexOf(Sep);
    QCOMPARE(tree.fields[2].text.mid(sep + 1, 6), QStringLiteral("00,012"));
}

void FieldEditorWindowTest::divisionAndCoordinates()
{
    // (0, 0)–(99, 49) in pixels.
    const QString path = saveProject(QDir(m_dir.path()), QStringLiteral("divide.qlet"), 100, 80,
                                     {textField(QStringLiteral("0000"), QStringLiteral("a")),
                                      block("0000,00 0000,00/0008,38 0004,15")});
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(path));
    auto* area = window.findChild<EditingArea*>(QStringLiteral("AddOpt"));
    QVERIFY(area != nullptr);
    area->openDivide(NodeRef{0, 0});
    typeInto(window, "Col", QStringLiteral("3"));
    typeInto(window, "Row", QStringLiteral("2"));
    click(window, "OkBtn");
    const std::vector<TreeNode>& blocks = window.document().project.Structure.fields[0].blocks;
    const std::vector<BlockRect> expected{{0, 0, 32, 24},   {0, 25, 32, 49}, {33, 0, 66, 24},
                                          {33, 25, 66, 49}, {67, 0, 99, 24}, {67, 25, 99, 49}};
    QCOMPARE(blocks.size(), expected.size());
    for (size_t i = 0; i < blocks.size(); ++i)
        QCOMPARE(ParseBlockRect(blocks[i].text), expected[i]);

    doubleClickNode(window, 0, 5);
    QCOMPARE(control<QDoubleSpinBox>(window, "Min_x")->value(), 5.67);
    typeInto(window, "max_y",
             QStringLiteral("10") + QLocale().decimalPoint() + QStringLiteral("16"));
    click(window, "OkBtn");
    QCOMPARE(blocks[5].text, QStringLiteral("0005,67 0002,12/0008,38 0010,16"));
}

void FieldEditorWindowTest::cancelKeepsValuesAndUndoRestores()
{
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(
        window.LoadProject(saveProject(QDir(m_dir.path()), QStringLiteral("undo.qlet"), 100, 80)));
    click(window, "CreateTextField");
    auto* text = control<QLineEdit>(window, "Text");
    text->selectAll();
    typeText(text, QStringLiteral("первое"));
    click(window, "OkBtn");
    const FieldTree before = window.document().project.Structure;

    click(window, "CreateTextField");
    text->selectAll();
    typeText(text, QStringLiteral("набрано"));
    typeInto(window, "Size", QStringLiteral("44"));
    click(window, "CancelBtn");
    QCOMPARE(window.document().project.Structure, before);
    click(window, "CreateTextField");
    QCOMPARE(text->text(), QStringLiteral("набрано"));
    QCOMPARE(control<QSpinBox>(window, "Size")->value(), 44);
    click(window, "OkBtn");
    QCOMPARE(window.document().project.Structure.fields.size(), size_t(2));

    pressKey(control<QWidget>(window, "Structure"), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window.document().project.Structure, before);
    QCOMPARE(control<QTreeWidget>(window, "Structure")->topLevelItemCount(), 1);
}

void FieldEditorWindowTest::malformedNodeShowsWhatWasRead()
{
    // The size is not a number: everything before it loads, then the error is said.
    const QString node =
        QStringLiteral("0000Слово") + Sep + QStringLiteral("1000010$000000FF$00000000000x12Arial");
    const QString path =
        saveProject(QDir(m_dir.path()), QStringLiteral("bad.qlet"), 100, 80, {node});
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(path));
    DialogScript script({press(QMessageBox::Ok)});
    doubleClickNode(window, 0);
    QTRY_VERIFY(script.finished());
    QCOMPARE(script.seen.size(), 1);
    QVERIFY(control<QWidget>(window, "TextField")->isVisible());
    QCOMPARE(control<QLineEdit>(window, "Text")->text(), QStringLiteral("Слово"));
    QVERIFY(control<QCheckBox>(window, "AutoReplace")->isChecked());
    QVERIFY(!control<QCheckBox>(window, "Transperent")->isChecked());
    click(window, "CancelBtn");
    QCOMPARE(window.document().project.Structure.fields[0].text, node);
}

void FieldEditorWindowTest::panelOpensFresh_data()
{
    QTest::addColumn<QString>("create");
    QTest::addColumn<QString>("firstEdit");
    QTest::newRow("text field") << "CreateTextField"
                                << "Text";
    QTest::newRow("image field") << "CreateImgField"
                                 << "ImgFieldName";
    QTest::newRow("shape field") << "CreateShpField"
                                 << "SizeLn";
}

void FieldEditorWindowTest::panelOpensFresh()
{
    QFETCH(QString, create);
    QFETCH(QString, firstEdit);
    TForm1 window;
    // Small enough that every panel scrolls.
    window.resize(800, 420);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(
        window.LoadProject(saveProject(QDir(m_dir.path()), QStringLiteral("fresh.qlet"), 100, 80)));
    const QByteArray button = create.toLatin1();
    auto* area = control<QScrollArea>(window, "AddOpt");
    // Left scrolled to its end and with the focus elsewhere, as a previous edit leaves it.
    click(window, button.constData());
    QTRY_VERIFY(area->verticalScrollBar()->maximum() > 0);
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
    control<QWidget>(window, "OkBtn")->setFocus();
    click(window, "CancelBtn");

    click(window, button.constData());
    QCOMPARE(area->verticalScrollBar()->value(), 0);
    QWidget* focus = QApplication::focusWidget();
    QCOMPARE(focus ? focus->objectName() : QString(), firstEdit);
    for (const char* name : {"OkBtn", "CancelBtn"}) {
        auto* okOrCancel = control<QWidget>(window, name);
        QVERIFY2(okOrCancel->isVisible(), name);
        // Whole and inside the window, not under the scrolled part.
        QCOMPARE(okOrCancel->visibleRegion().boundingRect(), okOrCancel->rect());
        QVERIFY2(window.rect().contains(
                     QRect(okOrCancel->mapTo(&window, QPoint(0, 0)), okOrCancel->size())),
                 name);
        QVERIFY2(!area->isAncestorOf(okOrCancel), name);
    }
}

void FieldEditorWindowTest::enterInAnEditApplies_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("Text") << "Text"
                          << "Итого"
                          << "0000Итого";
    QTest::newRow("a spin box: Size") << "Size"
                                      << "33"
                                      << "033";
}

void FieldEditorWindowTest::enterInAnEditApplies()
{
    QFETCH(QString, edit);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    TForm1 window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(
        window.LoadProject(saveProject(QDir(m_dir.path()), QStringLiteral("enter.qlet"), 100, 80)));
    click(window, "CreateTextField");
    auto* target = control<QWidget>(window, edit.toLatin1().constData());
    target->setFocus();
    pressKey(target, Qt::Key_A, Qt::ControlModifier);
    typeText(target, typed);
    QTest::keyClick(target, Qt::Key_Return);
    QVERIFY(!control<QScrollArea>(window, "AddOpt")->isVisible());
    const FieldTree& tree = window.document().project.Structure;
    QCOMPARE(tree.fields.size(), size_t(1));
    QVERIFY2(tree.fields[0].text.contains(stored), qPrintable(tree.fields[0].text));
}

QTEST_MAIN(FieldEditorWindowTest)
#include "FieldEditorWindowTest.moc"
