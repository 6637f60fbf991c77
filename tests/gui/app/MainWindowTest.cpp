// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/WindowDriver.h"

#include "core/app/ProjectFile.h"
#include "gui/app/MainWindow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>

using namespace Quillet;
using namespace WindowDriver;

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void commandLineProjectLoadsOnceAtFirstActivation();
    void missingCommandLineFileStartsEmpty();
    void captionNamesTheProjectAndUnsavedChanges();
    void brokenProjectKeepsTheWindowEmptyAndUsable();
    void namedControls_data();
    void namedControls();
    void areaKeysScrollTheColumn_data();
    void areaKeysScrollTheColumn();
    void pageKeys_data();
    void pageKeys();
    void otherModifiersPassThrough_data();
    void otherModifiersPassThrough();
    void ctrlSSavesWithoutDialogWhenNamed_data();
    void ctrlSSavesWithoutDialogWhenNamed();
    void ctrlSWithoutPathAsksForAName();
    void saveForcesTheProjectExtension();
    void undoRestoresTheTree_data();
    void undoRestoresTheTree();
    void redoTakesTheUndoBack_data();
    void redoTakesTheUndoBack();
    void errorList_data();
    void errorList();
    void ctrlEShowsTheErrorList();
    void pageSetButtons_data();
    void pageSetButtons();
    void directChangesThePageCount();

private:
    QTemporaryDir m_dir;
};

namespace {

void activate(QWidget& w)
{
    QEvent event(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &event);
}

// A five-page project (one text field over A1:A5, pages along rows) with one block.
QString fivePageProject(const QDir& dir)
{
    return saveProject(dir, QStringLiteral("five.qlet"), 210, 297,
                       {textField(QStringLiteral("0000"), QStringLiteral("=A1:A5")),
                        block("0012,70 0025,40/0050,80 0030,48")});
}

} // namespace

void MainWindowTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QVERIFY(m_dir.isValid());
}

void MainWindowTest::init()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
}

void MainWindowTest::commandLineProjectLoadsOnceAtFirstActivation()
{
    QTemporaryDir dir;
    Project first;
    first.settings.sheet = QStringLiteral("первый");
    const QString path = dir.filePath(QStringLiteral("p.qlet"));
    ProjectFile::save(first, path);
    TForm1 window;
    window.setProjectPath(path);
    QVERIFY(window.document().project.settings.sheet.isEmpty());
    activate(window);
    QCOMPARE(window.document().project.settings.sheet, QStringLiteral("первый"));
    QCOMPARE(control<QLabel>(window, "sStatusBarPanel6")->text(), path);
    QCOMPARE(control<QLineEdit>(window, "sheet")->text(), QStringLiteral("первый"));
    // Switching away and back does not load it again.
    Project second;
    second.settings.sheet = QStringLiteral("второй");
    ProjectFile::save(second, path);
    activate(window);
    QCOMPARE(window.document().project.settings.sheet, QStringLiteral("первый"));
    QCOMPARE(window.windowTitle(), QStringLiteral("p.qlet[*] — Quillet"));
}

void MainWindowTest::captionNamesTheProjectAndUnsavedChanges()
{
    TForm1 window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillet"));
    const QString path = m_dir.filePath(QStringLiteral("Бланк.qlet"));
    ProjectFile::save(Project{}, path);
    QVERIFY(window.LoadProject(path));
    QCOMPARE(window.windowTitle(), QStringLiteral("Бланк.qlet[*] — Quillet"));
    QVERIFY(!window.isWindowModified());
    control<QLineEdit>(window, "sheet")->setText(QStringLiteral("Лист2"));
    QTest::keyClicks(control<QLineEdit>(window, "sheet"), QStringLiteral("2"));
    window.RepaintTimeTimer();
    QVERIFY(window.isWindowModified());
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!window.isWindowModified());
}

void MainWindowTest::missingCommandLineFileStartsEmpty()
{
    TForm1 window;
    window.setProjectPath(QStringLiteral("/no/such/project.qlet"));
    activate(window);
    QVERIFY(window.document().project.Structure.isEmpty());
    QVERIFY(control<QLabel>(window, "sStatusBarPanel6")->text().isEmpty());
}

void MainWindowTest::brokenProjectKeepsTheWindowEmptyAndUsable()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.qlet"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("garbage that is no project");
    f.close();
    TForm1 window;
    window.setProjectPath(path);
    DialogScript script({press(QMessageBox::Ok)});
    activate(window);
    QCOMPARE(script.seen.size(), 1);
    QVERIFY(window.document().project.Structure.isEmpty());
    QVERIFY(window.document().ProjectPath.isEmpty()); // a save cannot overwrite the file
    activate(window);                                 // and no second error box
    QCOMPARE(script.seen.size(), 1);
}

void MainWindowTest::namedControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hint");
    const char* const rows[][2] = {
        {"ProjectBtn", "Начало работы с проектом ( F1 )"},
        {"BackBtn", "Работа с подложкой ( F2 )"},
        {"BlockBtn", "Работа с блоками и полями ( F3 )"},
        {"StructureBtn", "Работа со структурой ( F4 )"},
        {"exportBtn", "Экспорт результата ( F5 )"},
        {"UndoBtn", "Отменить последнее действие ( CTRL+Z)"},
        {"RedoBtn", "Повторить отменённое действие (CTRL+Y)"},
        {"ToolButton30", "Руководство ( F1 )"},
        {"RePaintBtn", "Перерисовать"},
        {"OriginalBtn", "Максимально близко ( ALT+NUM * )"},
        {"ScreenBtn", "Физический размер (ALT + INSERT)"},
        {"ContainBtn", "Вместить в видимую область ( ALT + NUM / )"},
        {"ScaleUpBtn", "На 20% больше ( ALT + \"+\" )"},
        {"ScaleDownBtn", "На 20% меньше ( ALT + \"-\" )"},
        {"LastBtn", "К последней странице ( ALT + END )"},
        {"DXDraw1", "ALT + Стрелки"},
        {"sSpeedButton2", "Переоткрыть файл"},
        {"sSpeedButton4", "Показать файл. Для скрытие нажать еще раз"},
        {"ToolButton49", "Выделить все страницы"},
        {"ToolButton50", "Выделить с начала до текущей"},
        {"ToolButton51", "Инвертировать выделение"},
        {"ToolButton52", "Добавить / исключить текущую страницу"},
    };
    for (const auto& row : rows)
        QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1]);
    for (const char* name :
         {"sPanel2",       "sToolBar2",   "BasicOpt",    "AddOpt",    "ProgressPanel",
          "ErroreBox",     "ErroreList",  "sBitBtn11",   "ShowErr",   "sSplitter1",
          "sPanel1",       "sToolBar1",   "sScrollBox1", "TopRule",   "LeftRule",
          "TopRulePnl",    "LeftRulePnl", "sStatusBar1", "MessPanel", "PageN",
          "CreateBtn",     "OpenBtn",     "SaveBtn",     "SizeList",  "sSpeedButton9",
          "sSpeedButton8", "PrWidth",     "PrHeight",    "Structure", "RelateList",
          "sEdit1",        "xlsFile",     "sheet",       "Direct"}) {
        QTest::newRow(name) << QString::fromUtf8(name) << QString();
    }
}

void MainWindowTest::namedControls()
{
    QFETCH(QString, name);
    QFETCH(QString, hint);
    TForm1 window;
    QCOMPARE(window.objectName(), QStringLiteral("TForm1"));
    auto* widget = window.findChild<QWidget*>(name);
    QVERIFY2(widget != nullptr, qPrintable(name));
    if (!hint.isEmpty())
        QCOMPARE(widget->toolTip(), hint);
    // Hidden at start: the editing area, the progress panel, the error list, the strip.
    const bool hiddenAtStart = name == "AddOpt" || name == "ProgressPanel" || name == "ErroreBox"
                               || name == "MessPanel" || name == "ErroreList" || name == "sBitBtn11"
                               || name == "ShowErr";
    window.show();
    QCOMPARE(widget->isVisibleTo(&window), !hiddenAtStart);
}

void MainWindowTest::areaKeysScrollTheColumn_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("group");
    QTest::newRow("F2 background") << int(Qt::Key_F2) << "BackBtn"
                                   << "BackSourceGroup";
    QTest::newRow("F3 blocks") << int(Qt::Key_F3) << "BlockBtn"
                               << "FieldCreateGroup";
    QTest::newRow("F4 structure") << int(Qt::Key_F4) << "StructureBtn"
                                  << "StructureGroup";
    QTest::newRow("F5 export") << int(Qt::Key_F5) << "exportBtn"
                               << "Exportpr";
    QTest::newRow("F1 project") << int(Qt::Key_F1) << "ProjectBtn"
                                << "ProjectFileGroup";
}

void MainWindowTest::areaKeysScrollTheColumn()
{
    QFETCH(int, key);
    QFETCH(QString, button);
    QFETCH(QString, group);
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* column = control<QScrollArea>(window, "BasicOpt");
    auto* target = window.findChild<QGroupBox*>(group);
    QVERIFY(target != nullptr);
    const auto topOfGroup = [&] { return target->mapTo(column->viewport(), QPoint()).y(); };
    // Start away from the target so both the key and the button have to move it.
    column->verticalScrollBar()->setValue(key == Qt::Key_F1 ? 500 : 0);
    QTest::keyClick(control<QLineEdit>(window, "sEdit1"), Qt::Key(key));
    QCOMPARE(topOfGroup(), 4);
    column->verticalScrollBar()->setValue(key == Qt::Key_F1 ? 500 : 0);
    QTest::mouseClick(window.findChild<QToolButton*>(button), Qt::LeftButton);
    QCOMPARE(topOfGroup(), 4);
}

void MainWindowTest::pageKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("expected");
    QTest::newRow("Alt+PageUp on page 0 stays") << int(Qt::Key_PageUp) << 0 << 0;
    QTest::newRow("Alt+PageUp") << int(Qt::Key_PageUp) << 3 << 2;
    QTest::newRow("Alt+PageDown") << int(Qt::Key_PageDown) << 0 << 1;
    QTest::newRow("Alt+PageDown on the last page stays") << int(Qt::Key_PageDown) << 5 << 5;
    QTest::newRow("Alt+End") << int(Qt::Key_End) << 1 << 5;
    QTest::newRow("Alt+Home") << int(Qt::Key_Home) << 4 << 0;
}

void MainWindowTest::pageKeys()
{
    QFETCH(int, key);
    QFETCH(int, start);
    QFETCH(int, expected);
    TForm1 window;
    QVERIFY(window.LoadProject(fivePageProject(QDir(m_dir.path()))));
    auto* page = control<QSpinBox>(window, "PageN");
    QCOMPARE(page->maximum(), 5);
    page->setValue(start);
    QTest::keyClick(&window, Qt::Key(key), Qt::AltModifier);
    QCOMPARE(page->value(), expected);
    QCOMPARE(window.viewState().PageN, expected);
}

void MainWindowTest::otherModifiersPassThrough_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Shift+F1") << int(Qt::Key_F1) << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+F1") << int(Qt::Key_F1) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+Alt+S") << int(Qt::Key_S) << int(Qt::ControlModifier | Qt::AltModifier);
    QTest::newRow("Ctrl+Shift+S") << int(Qt::Key_S) << int(Qt::ControlModifier | Qt::ShiftModifier);
    QTest::newRow("Alt+Shift+PageDown")
        << int(Qt::Key_PageDown) << int(Qt::AltModifier | Qt::ShiftModifier);
    QTest::newRow("Ctrl+Alt+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier | Qt::AltModifier);
}

void MainWindowTest::otherModifiersPassThrough()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QString path = fivePageProject(QDir(m_dir.path()));
    QVERIFY(window.LoadProject(path));
    QFile::remove(path);
    window.document().PushUndoSnapshot();
    window.document().project.Structure.fields.pop_back();
    control<QToolButton>(window, "StructureBtn")->click();
    auto* column = control<QScrollArea>(window, "BasicOpt");
    const int scroll = column->verticalScrollBar()->value();
    QVERIFY(scroll > 0);

    // The focused control gets the key: a line edit sees a plain key press.
    struct Seen : QObject {
        bool key = false;
        bool eventFilter(QObject*, QEvent* e) override
        {
            key = key || e->type() == QEvent::KeyPress;
            return false;
        }
    } seen;
    auto* edit = control<QLineEdit>(window, "sEdit1");
    edit->installEventFilter(&seen);
    DialogScript script({cancel(), cancel()});
    QTest::keyClick(edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(seen.key);
    QVERIFY(script.seen.isEmpty());
    QCOMPARE(column->verticalScrollBar()->value(), scroll);
    QCOMPARE(control<QSpinBox>(window, "PageN")->value(), 0);
    QVERIFY(!QFile::exists(path));                          // nothing saved
    QVERIFY(window.document().project.Structure.isEmpty()); // nothing undone
}

void MainWindowTest::ctrlSSavesWithoutDialogWhenNamed_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Latin S") << int(Qt::Key_S);
    QTest::newRow("Russian layout Ы") << 0x042B;
}

void MainWindowTest::ctrlSSavesWithoutDialogWhenNamed()
{
    QFETCH(int, key);
    TForm1 window;
    const QString path = fivePageProject(QDir(m_dir.path()));
    QVERIFY(window.LoadProject(path));
    window.document().project.settings.sheet = QStringLiteral("Лист2");
    DialogScript script({cancel()});
    pressKey(&window, key, Qt::ControlModifier);
    QVERIFY(script.seen.isEmpty());
    QCOMPARE(ProjectFile::load(path).settings.sheet, QStringLiteral("Лист2"));
    QVERIFY(!window.document().hasUnsavedChanges());
    QCOMPARE(window.userSettings().recentProjects(), QStringList{path});
}

void MainWindowTest::ctrlSWithoutPathAsksForAName()
{
    TForm1 window;
    QVERIFY(window.document().ProjectPath.isEmpty());
    const QString chosen = m_dir.filePath(QStringLiteral("named"));
    DialogScript script({chooseFile(chosen)});
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(script.seen, QStringList{QStringLiteral("file dialog")});
    QCOMPARE(window.document().ProjectPath, chosen + QStringLiteral(".qlet"));
    QVERIFY(QFile::exists(chosen + QStringLiteral(".qlet")));
    QCOMPARE(control<QLabel>(window, "sStatusBarPanel6")->text(), chosen + ".qlet");
}

void MainWindowTest::saveForcesTheProjectExtension()
{
    TForm1 window;
    const QString chosen = m_dir.filePath(QStringLiteral("form.txt"));
    DialogScript script({chooseFile(chosen)});
    QTest::mouseClick(control<QPushButton>(window, "SaveBtn"), Qt::LeftButton);
    QVERIFY(script.finished());
    QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("form.qlet"))));
    QVERIFY(!QFile::exists(chosen));
}

void MainWindowTest::undoRestoresTheTree_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<int>("key");
    QTest::newRow("UndoBtn") << false << 0;
    QTest::newRow("Ctrl+Z") << true << int(Qt::Key_Z);
    QTest::newRow("Ctrl+Я") << true << 0x042F;
}

void MainWindowTest::undoRestoresTheTree()
{
    QFETCH(bool, byKey);
    QFETCH(int, key);
    TForm1 window;
    QVERIFY(window.LoadProject(fivePageProject(QDir(m_dir.path()))));
    const FieldTree before = window.document().project.Structure;
    window.document().PushUndoSnapshot();
    window.document().project.Structure.fields.front().blocks.clear();
    window.document().project.Structure.fields.front().marked = true;
    const auto undo = [&] {
        if (byKey)
            pressKey(&window, key, Qt::ControlModifier);
        else
            QTest::mouseClick(control<QToolButton>(window, "UndoBtn"), Qt::LeftButton);
    };
    undo();
    QVERIFY(window.document().project.Structure == before);
    QVERIFY(!window.document().project.Structure.fields.front().marked);
    QCOMPARE(control<QTreeWidget>(window, "Structure")->topLevelItem(0)->childCount(), 1);
    QVERIFY(window.document().RepaintPending);
    // Nothing older: nothing happens.
    window.document().project.Structure.fields.front().marked = true;
    undo();
    QVERIFY(window.document().project.Structure.fields.front().marked);
}

void MainWindowTest::redoTakesTheUndoBack_data()
{
    QTest::addColumn<int>("key"); // 0: RedoBtn
    QTest::addColumn<int>("modifiers");
    QTest::newRow("RedoBtn") << 0 << 0;
    QTest::newRow("Ctrl+Y") << int(Qt::Key_Y) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+Н") << 0x041D << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+Shift+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier | Qt::ShiftModifier);
}

void MainWindowTest::redoTakesTheUndoBack()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    TForm1 window;
    QVERIFY(window.LoadProject(fivePageProject(QDir(m_dir.path()))));
    window.document().PushUndoSnapshot();
    window.document().project.Structure.fields.front().blocks.clear();
    const FieldTree edited = window.document().project.Structure;
    const auto redo = [&] {
        if (key == 0)
            QTest::mouseClick(control<QToolButton>(window, "RedoBtn"), Qt::LeftButton);
        else
            pressKey(&window, key, Qt::KeyboardModifiers(modifiers));
    };
    pressKey(&window, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(control<QTreeWidget>(window, "Structure")->topLevelItem(0)->childCount(), 1);
    window.document().RepaintPending = false;
    redo();
    QVERIFY(window.document().project.Structure == edited);
    QCOMPARE(control<QTreeWidget>(window, "Structure")->topLevelItem(0)->childCount(), 0);
    QVERIFY(window.document().RepaintPending);
    // Nothing more was undone: nothing happens.
    window.document().project.Structure.fields.front().marked = true;
    redo();
    QVERIFY(window.document().project.Structure.fields.front().marked);
}

void MainWindowTest::errorList_data()
{
    QTest::addColumn<bool>("showErrors");
    QTest::addColumn<bool>("opening");
    QTest::addColumn<bool>("shown");
    QTest::newRow("logged, messages wanted") << true << true << true;
    QTest::newRow("logged, messages not wanted") << false << true << false;
    QTest::newRow("appended only, box left open") << false << false << true;
}

void MainWindowTest::errorList()
{
    QFETCH(bool, showErrors);
    QFETCH(bool, opening);
    QFETCH(bool, shown);
    TForm1 window;
    window.show();
    control<QCheckBox>(window, "ShowErr")->setChecked(showErrors);
    // Open beforehand: logging closes it when messages are not wanted.
    control<QGroupBox>(window, "ErroreBox")->setVisible(!showErrors);
    if (opening)
        window.LogRenderError(QStringLiteral("Нет указанного листа"));
    else
        window.appendErrorLine(QStringLiteral("Нет указанного листа"));
    auto* list = control<QPlainTextEdit>(window, "ErroreList");
    auto* box = control<QGroupBox>(window, "ErroreBox");
    QCOMPARE(list->toPlainText(), QStringLiteral("Нет указанного листа"));
    QCOMPARE(box->isVisible(), shown);
    QCOMPARE(box->height(), 200);
    box->show();
    QTest::mouseClick(control<QPushButton>(window, "sBitBtn11"), Qt::LeftButton);
    QVERIFY(list->toPlainText().isEmpty());
    QVERIFY(!box->isVisible());
}

void MainWindowTest::ctrlEShowsTheErrorList()
{
    TForm1 window;
    window.show();
    auto* showErr = control<QCheckBox>(window, "ShowErr");
    showErr->setChecked(false);
    pressKey(&window, 0x0423, Qt::ControlModifier); // У on the Russian layout
    QVERIFY(showErr->isChecked());
    QVERIFY(control<QGroupBox>(window, "ErroreBox")->isVisible());
}

void MainWindowTest::pageSetButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("all pages") << "ToolButton49" << 0 << ""
                               << "1-5";
    QTest::newRow("start to current") << "ToolButton50" << 3 << "9"
                                      << "1-3";
    QTest::newRow("start to page 1 unnormalised") << "ToolButton50" << 1 << ""
                                                  << "1-1";
    QTest::newRow("start to current on layout") << "ToolButton50" << 0 << "7"
                                                << "7";
    QTest::newRow("invert") << "ToolButton51" << 0 << "2-3"
                            << "1,4-5";
    QTest::newRow("invert keeps pages beyond") << "ToolButton51" << 0 << "2,9"
                                               << "1,3-5,9";
    QTest::newRow("toggle current in") << "ToolButton52" << 4 << "1-3"
                                       << "1-4";
    QTest::newRow("toggle current out") << "ToolButton52" << 2 << "1-3"
                                        << "1,3";
    QTest::newRow("toggle on layout") << "ToolButton52" << 0 << "1-3"
                                      << "1-3";
}

void MainWindowTest::pageSetButtons()
{
    QFETCH(QString, button);
    QFETCH(int, page);
    QFETCH(QString, before);
    QFETCH(QString, after);
    TForm1 window;
    QVERIFY(window.LoadProject(fivePageProject(QDir(m_dir.path()))));
    control<QSpinBox>(window, "PageN")->setValue(page);
    auto* edit = control<QLineEdit>(window, "sEdit1");
    edit->setText(before);
    QTest::mouseClick(window.findChild<QToolButton*>(button), Qt::LeftButton);
    QCOMPARE(edit->text(), after);
}

void MainWindowTest::directChangesThePageCount()
{
    TForm1 window;
    window.show();
    const QString path = saveProject(QDir(m_dir.path()), QStringLiteral("row.qlet"), 210, 297,
                                     {textField(QStringLiteral("0000"), QStringLiteral("=A1:C1"))});
    QVERIFY(window.LoadProject(path));
    auto* page = control<QSpinBox>(window, "PageN");
    QCOMPARE(page->maximum(), 1); // pages along rows: one row, one page
    QTest::mouseClick(control<QRadioButton>(window, "DirectItem0"), Qt::LeftButton);
    QCOMPARE(window.document().project.settings.Direct, 0);
    QCOMPARE(page->maximum(), 3);
    page->setValue(3);
    window.RepaintTimeTimer();
    QTest::mouseClick(control<QRadioButton>(window, "DirectItem1"), Qt::LeftButton);
    QCOMPARE(page->value(), 1);
    QCOMPARE(window.viewState().PageN, 1);
    QVERIFY(window.document().RepaintPending);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
