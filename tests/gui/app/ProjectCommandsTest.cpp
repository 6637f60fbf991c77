// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/WindowDriver.h"

#include "gui/app/MainWindow.h"
#include "support/OfficeSupport.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>

using namespace Quillet;
using namespace WindowDriver;

class ProjectCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void unsavedChangesQuestion_data();
    void unsavedChangesQuestion();
    void cancellingOpenKeepsTheEdits();
    void openLoadsTheChosenProject();
    void newProject_data();
    void newProject();
    void closingAsksOnlyWithChanges_data();
    void closingAsksOnlyWithChanges();
    void recentListFoldsCaseAndKeepsTen();
    void recentProjectOpensOrReportsMissing();
    void pageSizesSaveChooseDelete();
    void deletedPageSizeChangesNothing();
    void unwritableSettingsAreOneMessage_data();
    void unwritableSettingsAreOneMessage();
    void languageChoiceIsStored_data();
    void languageChoiceIsStored();
    void pageSideSnapsToPixels_data();
    void pageSideSnapsToPixels();
    void marksToggle_data();
    void marksToggle();
    void spaceTogglesTheSelection();
    void selectionRequestsARepaint();
    void relationChecksAreKept();

private:
    QString projectWithFields(const QString& name);
    QTemporaryDir m_dir;
    QString m_startFolder;
};

namespace {

QAction* recentAction(TForm1& window, int index)
{
    return control<QToolButton>(window, "OpenBtn")->menu()->actions().value(index);
}

QStringList recentCaptions(TForm1& window)
{
    QStringList captions;
    for (const QAction* action : control<QToolButton>(window, "OpenBtn")->menu()->actions())
        captions.append(action->text());
    return captions;
}

// Makes the project differ from its file.
void edit(TForm1& window)
{
    window.document().project.settings.sheet = QStringLiteral("изменён");
}

} // namespace

void ProjectCommandsTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QVERIFY(m_dir.isValid());
    m_startFolder = QDir::currentPath();
}

void ProjectCommandsTest::init()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
}

void ProjectCommandsTest::cleanup()
{
    QDir::setCurrent(m_startFolder);
}

QString ProjectCommandsTest::projectWithFields(const QString& name)
{
    return saveProject(QDir(m_dir.path()), name, 210, 297,
                       {textField(QStringLiteral("0000"), QStringLiteral("=A1:A3")),
                        block("0012,70 0025,40/0050,80 0030,48"),
                        block("0012,70 0035,40/0050,80 0040,48"),
                        textField(QStringLiteral("0001"), QStringLiteral("Итого"))});
}

void ProjectCommandsTest::unsavedChangesQuestion_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("dialogs");
    const QString question = QStringLiteral("Внимание|Сохранить текущий проект?");
    const QString file = QStringLiteral("file dialog");
    for (const char* command : {"OpenBtn", "CreateBtn"}) {
        const QString c = QString::fromLatin1(command);
        QTest::addRow("%s, nothing changed", command) << c << false << 0 << QStringList{file};
        QTest::addRow("%s, changed, cancel", command)
            << c << true << int(QMessageBox::Cancel) << QStringList{question};
        QTest::addRow("%s, changed, no", command)
            << c << true << int(QMessageBox::No) << QStringList{question, file};
        QTest::addRow("%s, changed, yes saves", command)
            << c << true << int(QMessageBox::Yes) << QStringList{question, file};
    }
}

void ProjectCommandsTest::unsavedChangesQuestion()
{
    QFETCH(QString, command);
    QFETCH(bool, changed);
    QFETCH(int, answer);
    QFETCH(QStringList, dialogs);
    TForm1 window;
    const QString path = projectWithFields(QStringLiteral("asked.qlet"));
    QVERIFY(window.LoadProject(path));
    if (changed)
        edit(window);
    std::deque<DialogScript::Step> steps;
    if (changed)
        steps.push_back(press(QMessageBox::StandardButton(answer)));
    steps.push_back(cancel());
    DialogScript script(std::move(steps));
    auto* button = window.findChild<QAbstractButton*>(command);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, button->height() / 2));
    QCOMPARE(script.seen, dialogs);
    if (answer == QMessageBox::Cancel) {
        QCOMPARE(window.document().ProjectPath, path);
        QCOMPARE(window.document().project.settings.sheet, QStringLiteral("изменён"));
    }
    if (answer == QMessageBox::Yes)
        QCOMPARE(ProjectFile::load(path).settings.sheet, QStringLiteral("изменён"));
    else
        QVERIFY(ProjectFile::load(path).settings.sheet.isEmpty());
}

void ProjectCommandsTest::cancellingOpenKeepsTheEdits()
{
    TForm1 window;
    const QString path = projectWithFields(QStringLiteral("kept.qlet"));
    QVERIFY(window.LoadProject(path));
    window.document().project.Structure.fields.pop_back();
    DialogScript script({press(QMessageBox::No), cancel()});
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    QVERIFY(script.finished());
    // The edit survives: the project is not read again from its file.
    QCOMPARE(window.document().project.Structure.fields.size(), size_t(1));
    QCOMPARE(window.document().ProjectPath, path);
    QVERIFY(window.document().hasUnsavedChanges());
}

void ProjectCommandsTest::openLoadsTheChosenProject()
{
    TForm1 window;
    const QString path = projectWithFields(QStringLiteral("chosen.qlet"));
    window.document().PushUndoSnapshot();
    DialogScript script({chooseFile(path)});
    QTest::mouseClick(control<QToolButton>(window, "OpenBtn"), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(script.finished());
    QCOMPARE(window.document().ProjectPath, path);
    QCOMPARE(control<QLabel>(window, "sStatusBarPanel6")->text(), path);
    QCOMPARE(control<QTreeWidget>(window, "Structure")->topLevelItemCount(), 2);
    QCOMPARE(control<QSpinBox>(window, "PageN")->maximum(), 3);
    QVERIFY(!window.document().Undo()); // the undo ring was cleared
    // Loading is not saving: the recent list is unchanged.
    QVERIFY(recentCaptions(window).isEmpty());
}

void ProjectCommandsTest::newProject_data()
{
    QTest::addColumn<bool>("named");
    QTest::newRow("saved under the chosen name") << true;
    QTest::newRow("cancelled in its save dialog: the old project stays") << false;
}

void ProjectCommandsTest::newProject()
{
    QFETCH(bool, named);
    UserSettings().savePageSize(QStringLiteral("A4"), PageSize{210, 297});
    TForm1 window;
    const QString path = projectWithFields(QStringLiteral("old.qlet"));
    QVERIFY(window.LoadProject(path));
    control<QLineEdit>(window, "xlsFile")->setText(QStringLiteral("data.xlsx"));
    window.document().project.settings.xlsFile = QStringLiteral("data.xlsx");
    control<QSpinBox>(window, "PageN")->setValue(2);
    const QString chosen = m_dir.filePath(QStringLiteral("new form.qlet"));
    QString proposed;
    DialogScript script(
        {press(QMessageBox::No), [&](QWidget* w) {
             auto* dialog = qobject_cast<QFileDialog*>(w);
             QVERIFY(dialog != nullptr);
             // In the project's folder, under the name a new project has.
             proposed = QDir(dialog->directory().path()).filePath(dialog->selectedFiles().value(0));
             if (named)
                 chooseFile(chosen)(w);
             else
                 cancel()(w);
         }});
    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    QTRY_VERIFY(script.finished());
    QCOMPARE(QFileInfo(proposed).fileName(), QStringLiteral("Project1.qlet"));
    QCOMPARE(QFileInfo(proposed).absolutePath(), QFileInfo(path).absolutePath());
    const ProjectDocument& doc = window.document();
    QCOMPARE(doc.project.settings.xlsFile, QStringLiteral("data.xlsx")); // kept either way
    if (!named) {
        QCOMPARE(doc.ProjectPath, path);
        QCOMPARE(doc.project.Structure.fields.size(), size_t(2));
        QCOMPARE(control<QSpinBox>(window, "PageN")->value(), 2);
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("Project1.qlet"))));
        return;
    }
    QCOMPARE(doc.ProjectPath, chosen);
    QCOMPARE(control<QLabel>(window, "sStatusBarPanel6")->text(), chosen);
    QVERIFY(QFile::exists(chosen));
    QVERIFY(!doc.hasUnsavedChanges());
    QVERIFY(doc.project.Structure.isEmpty());
    QCOMPARE(control<QTreeWidget>(window, "Structure")->topLevelItemCount(), 0);
    QCOMPARE(control<QSpinBox>(window, "PageN")->value(), 0);
    QCOMPARE(doc.project.settings.SizeName, QStringLiteral("A4")); // first size
    QCOMPARE(window.pageRaster().size(), QSize(2480, 3508));
}

void ProjectCommandsTest::closingAsksOnlyWithChanges_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::newRow("unchanged closes at once") << false << 0 << true;
    QTest::newRow("changed, cancel stays open") << true << int(QMessageBox::Cancel) << false;
    QTest::newRow("changed, no closes") << true << int(QMessageBox::No) << true;
    QTest::newRow("changed, yes saves and closes") << true << int(QMessageBox::Yes) << true;
}

void ProjectCommandsTest::closingAsksOnlyWithChanges()
{
    QFETCH(bool, changed);
    QFETCH(int, answer);
    QFETCH(bool, closed);
    TForm1 window;
    window.show();
    const QString path = projectWithFields(QStringLiteral("closing.qlet"));
    QVERIFY(window.LoadProject(path));
    if (changed)
        edit(window);
    DialogScript script({press(QMessageBox::StandardButton(answer ? answer : QMessageBox::Ok))});
    QCOMPARE(window.close(), closed);
    QCOMPARE(script.seen.size(), changed ? 1 : 0);
    QCOMPARE(ProjectFile::load(path).settings.sheet.isEmpty(), answer != QMessageBox::Yes);
}

void ProjectCommandsTest::recentListFoldsCaseAndKeepsTen()
{
    TForm1 window;
    QDir dir(m_dir.path());
    const auto saveAs = [&](const QString& name) {
        window.document().ProjectPath = dir.filePath(name);
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    };
    saveAs(QStringLiteral("Проект.qlet"));
    saveAs(QStringLiteral("other.qlet"));
    saveAs(QStringLiteral("ПРОЕКТ.QLET"));
    QCOMPARE(recentCaptions(window),
             (QStringList{QStringLiteral("1. ") + dir.filePath(QStringLiteral("ПРОЕКТ.QLET")),
                          QStringLiteral("2. ") + dir.filePath(QStringLiteral("other.qlet"))}));
    for (int i = 1; i <= 10; ++i)
        saveAs(QStringLiteral("p%1.qlet").arg(i));
    const QStringList recent = window.userSettings().recentProjects();
    QCOMPARE(recent.size(), 10);
    QCOMPARE(recent.front(), dir.filePath(QStringLiteral("p10.qlet")));
    // The eleventh distinct path pushed the oldest out: "10" holds the previous ninth.
    QCOMPARE(recent.back(), dir.filePath(QStringLiteral("p1.qlet")));
    QCOMPARE(recentCaptions(window).size(), 10);
    QCOMPARE(recentCaptions(window).back(),
             QStringLiteral("10. ") + dir.filePath(QStringLiteral("p1.qlet")));
}

void ProjectCommandsTest::recentProjectOpensOrReportsMissing()
{
    const QString kept = projectWithFields(QStringLiteral("recent.qlet"));
    const QString gone = m_dir.filePath(QStringLiteral("gone.qlet"));
    UserSettings().writeRecentProjects({gone, kept});
    TForm1 window;
    QCOMPARE(recentCaptions(window).size(), 2);
    DialogScript script({press(QMessageBox::Ok)});
    recentAction(window, 0)->trigger();
    QCOMPARE(script.seen, QStringList{QStringLiteral("Внимание|Файл не существует")});
    QCOMPARE(recentCaptions(window).size(), 2); // a missing file stays in the list
    recentAction(window, 1)->trigger();
    QCOMPARE(window.document().ProjectPath, kept);
    QCOMPARE(window.document().project.Structure.fields.size(), size_t(2));
}

void ProjectCommandsTest::pageSizesSaveChooseDelete()
{
    UserSettings().savePageSize(QStringLiteral("A4"), PageSize{210, 297});
    TForm1 window;
    window.show();
    auto* list = control<QComboBox>(window, "SizeList");
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->currentIndex(), -1);
    auto* width = control<QDoubleSpinBox>(window, "PrWidth");
    auto* height = control<QDoubleSpinBox>(window, "PrHeight");
    // A typed name is saved as a new entry at the end of the list.
    list->lineEdit()->setFocus();
    QTest::keyClicks(list->lineEdit(), QStringLiteral("Envelope C5"));
    width->selectAll();
    QTest::keyClicks(width, QStringLiteral("110"));
    QTest::keyClick(width, Qt::Key_Return);
    height->selectAll();
    QTest::keyClicks(height, QStringLiteral("220"));
    QTest::keyClick(height, Qt::Key_Return);
    QTest::mouseClick(control<QToolButton>(window, "sSpeedButton9"), Qt::LeftButton);
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->itemText(1), QStringLiteral("Envelope C5"));
    const std::optional<PageSize> saved = UserSettings().pageSize(QStringLiteral("Envelope C5"));
    QVERIFY(saved.has_value());
    QCOMPARE(saved->widthMm, window.document().project.settings.PrWidth);
    QCOMPARE(saved->heightMm, window.document().project.settings.PrHeight);
    // Choosing an entry takes its size and sizes the raster.
    list->setCurrentIndex(0);
    Q_EMIT list->activated(0);
    QCOMPARE(window.document().project.settings.PrWidth, 210.0);
    QCOMPARE(width->value(), 210.0);
    QCOMPARE(window.pageRaster().size(), QSize(2480, 3508));
    // Deleting the typed entry removes both the list entry and the stored size.
    list->setCurrentIndex(1);
    QTest::mouseClick(control<QToolButton>(window, "sSpeedButton8"), Qt::LeftButton);
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->currentIndex(), -1);
    QVERIFY(!UserSettings().pageSize(QStringLiteral("Envelope C5")).has_value());
    QCOMPARE(UserSettings().pageSizeNames(), QStringList{QStringLiteral("A4")});
}

void ProjectCommandsTest::deletedPageSizeChangesNothing()
{
    UserSettings().savePageSize(QStringLiteral("A5"), PageSize{148, 210});
    TForm1 window;
    UserSettings().removePageSize(QStringLiteral("A5")); // by another program
    auto* list = control<QComboBox>(window, "SizeList");
    const ProjectSettings before = window.document().project.settings;
    list->setCurrentIndex(0);
    Q_EMIT list->activated(0);
    QCOMPARE(window.document().project.settings.PrWidth, before.PrWidth);
    QCOMPARE(window.pageRaster().size(), QSize(3, 3));
}

void ProjectCommandsTest::unwritableSettingsAreOneMessage_data()
{
    QTest::addColumn<QString>("write");
    QTest::addColumn<QString>("what");
    QTest::newRow("page size") << "size"
                               << "размер страницы «Envelope»";
    QTest::newRow("recent list after a save") << "save"
                                              << "список последних проектов";
    QTest::newRow("screen calibration") << "calibrate"
                                        << "калибровку экрана";
    QTest::newRow("interface language") << "language"
                                        << "язык интерфейса";
}

void ProjectCommandsTest::unwritableSettingsAreOneMessage()
{
    QFETCH(QString, write);
    QFETCH(QString, what);
    // The settings file's folder is a file: nothing the window writes can be kept.
    const QString blocked = m_dir.filePath(QStringLiteral("blocked"));
    QFile file(blocked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QuilletTest::ScopedEnvironment store("QUILLET_SETTINGS_FILE",
                                               blocked + QStringLiteral("/settings.ini"));
    TForm1 window;
    window.show();
    std::deque<DialogScript::Step> steps;
    if (write == "calibrate")
        steps.push_back(enterText(QStringLiteral("10")));
    steps.push_back(press(QMessageBox::Ok));
    DialogScript script(std::move(steps));
    if (write == "size") {
        auto* list = control<QComboBox>(window, "SizeList");
        list->lineEdit()->setFocus();
        QTest::keyClicks(list->lineEdit(), QStringLiteral("Envelope"));
        const int before = list->count();
        QTest::mouseClick(control<QToolButton>(window, "sSpeedButton9"), Qt::LeftButton);
        QCOMPARE(list->count(), before); // not listed as if it were kept
    } else if (write == "save") {
        window.document().ProjectPath = m_dir.filePath(QStringLiteral("kept.qlet"));
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(QFileInfo::exists(window.document().ProjectPath)); // the project is saved
    } else if (write == "language") {
        auto* box = control<QComboBox>(window, "LanguageBox");
        box->setCurrentIndex(2);
        QCOMPARE(box->currentIndex(), 0); // back to the choice in effect
        QVERIFY(!control<QLabel>(window, "LanguageNote")->isVisibleTo(&window));
    } else {
        QTest::mouseClick(control<QToolButton>(window, "ScreenBtn"), Qt::RightButton);
    }
    QTRY_VERIFY(script.finished());
    QCOMPARE(script.seen.size(), write == "calibrate" ? 2 : 1);
    QVERIFY2(script.seen.last().contains(what), qPrintable(script.seen.last()));
}

void ProjectCommandsTest::languageChoiceIsStored_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<InterfaceLanguage>("stored");
    QTest::newRow("system") << 0 << InterfaceLanguage::System;
    QTest::newRow("Russian") << 1 << InterfaceLanguage::Russian;
    QTest::newRow("English") << 2 << InterfaceLanguage::English;
}

void ProjectCommandsTest::languageChoiceIsStored()
{
    QFETCH(int, entry);
    QFETCH(InterfaceLanguage, stored);
    // Another choice before, so that choosing the entry is a change.
    UserSettings().setInterfaceLanguage(stored == InterfaceLanguage::English
                                            ? InterfaceLanguage::Russian
                                            : InterfaceLanguage::English);
    {
        TForm1 window;
        control<QComboBox>(window, "LanguageBox")->setCurrentIndex(entry);
        QCOMPARE(UserSettings().interfaceLanguage(), stored);
    }
    TForm1 window;
    QCOMPARE(control<QComboBox>(window, "LanguageBox")->currentIndex(), entry);
}

void ProjectCommandsTest::pageSideSnapsToPixels_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("mm");
    QTest::addColumn<int>("pixels");
    QTest::newRow("width 100") << "PrWidth"
                               << "100" << double(1181 * MmPerPixel) << 1181;
    QTest::newRow("height 297") << "PrHeight"
                                << "297" << double(3508 * MmPerPixel) << 3508;
    QTest::newRow("width rounds up") << "PrWidth"
                                     << "0,3" << double(4 * MmPerPixel) << 4;
}

void ProjectCommandsTest::pageSideSnapsToPixels()
{
    QFETCH(QString, edit);
    QFETCH(QString, typed);
    QFETCH(double, mm);
    QFETCH(int, pixels);
    TForm1 window;
    window.show();
    auto* spin = window.findChild<QDoubleSpinBox*>(edit);
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, typed);
    QTest::keyClick(spin, Qt::Key_Return);
    const ProjectSettings& settings = window.document().project.settings;
    const double stored = edit == "PrWidth" ? settings.PrWidth : settings.PrHeight;
    QCOMPARE(stored, mm);
    const QSize raster = window.pageRaster().size();
    QCOMPARE(edit == "PrWidth" ? raster.width() : raster.height(), pixels);
    QVERIFY(window.document().RepaintPending);
    if (pixels == 1181)
        QCOMPARE(QString::number(stored, 'f', 4), QStringLiteral("99.9913"));
}

void ProjectCommandsTest::marksToggle_data()
{
    QTest::addColumn<int>("fieldRow");
    QTest::addColumn<int>("blockRow"); // -1: the field
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("onMark");
    QTest::addColumn<QList<bool>>("marks"); // field 0, its two blocks, field 1
    QTest::newRow("right press on a field marks its blocks")
        << 0 << -1 << int(Qt::RightButton) << false << QList<bool>{true, true, true, false};
    QTest::newRow("right press on a block leaves the field")
        << 0 << 1 << int(Qt::RightButton) << false << QList<bool>{false, false, true, false};
    QTest::newRow("left press on the text does not toggle")
        << 0 << -1 << int(Qt::LeftButton) << false << QList<bool>{false, false, false, false};
    QTest::newRow("left press on the mark toggles")
        << 1 << -1 << int(Qt::LeftButton) << true << QList<bool>{false, false, false, true};
    QTest::newRow("middle press on the mark toggles")
        << 0 << 0 << int(Qt::MiddleButton) << true << QList<bool>{false, true, false, false};
}

void ProjectCommandsTest::marksToggle()
{
    QFETCH(int, fieldRow);
    QFETCH(int, blockRow);
    QFETCH(int, button);
    QFETCH(bool, onMark);
    QFETCH(QList<bool>, marks);
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(projectWithFields(QStringLiteral("marks.qlet"))));
    control<QToolButton>(window, "StructureBtn")->click();
    auto* tree = control<QTreeWidget>(window, "Structure");
    QTreeWidgetItem* item = tree->topLevelItem(fieldRow);
    if (blockRow >= 0)
        item = item->child(blockRow);
    const QRect rect = tree->visualItemRect(item);
    // The check mark sits at the start of the item; the text well to the right of it.
    const QPoint at = onMark ? QPoint(rect.left() + 10, rect.center().y())
                             : QPoint(rect.left() + 80, rect.center().y());
    QTest::mouseClick(tree->viewport(), Qt::MouseButton(button), {}, at);
    const FieldTree& model = window.document().project.Structure;
    const QList<bool> actual{model.fields[0].marked, model.fields[0].blocks[0].marked,
                             model.fields[0].blocks[1].marked, model.fields[1].marked};
    QCOMPARE(actual, marks);
    QCOMPARE(tree->topLevelItem(0)->checkState(0), marks[0] ? Qt::Checked : Qt::Unchecked);
    QCOMPARE(tree->topLevelItem(0)->child(1)->checkState(0),
             marks[2] ? Qt::Checked : Qt::Unchecked);
}

void ProjectCommandsTest::spaceTogglesTheSelection()
{
    TForm1 window;
    window.show();
    QVERIFY(window.LoadProject(projectWithFields(QStringLiteral("space.qlet"))));
    auto* tree = control<QTreeWidget>(window, "Structure");
    QTreeWidgetItem* field = tree->topLevelItem(0);
    field->setSelected(true);
    field->child(0)->setSelected(true);
    tree->topLevelItem(1)->setSelected(true);
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Space);
    const FieldTree& model = window.document().project.Structure;
    // The block follows its field and is not toggled a second time.
    QVERIFY(model.fields[0].marked);
    QVERIFY(model.fields[0].blocks[0].marked);
    QVERIFY(model.fields[0].blocks[1].marked);
    QVERIFY(model.fields[1].marked);
    QVERIFY(!field->child(0)->isSelected());
    QVERIFY(field->isSelected());
    QCOMPARE(field->child(0)->checkState(0), Qt::Checked);
}

void ProjectCommandsTest::selectionRequestsARepaint()
{
    TForm1 window;
    QVERIFY(window.LoadProject(projectWithFields(QStringLiteral("select.qlet"))));
    window.RepaintTimeTimer();
    QVERIFY(!window.document().RepaintPending);
    auto* tree = control<QTreeWidget>(window, "Structure");
    tree->setCurrentItem(tree->topLevelItem(1));
    QVERIFY(window.document().RepaintPending);
}

void ProjectCommandsTest::relationChecksAreKept()
{
    Project project;
    project.RelateList = {{QStringLiteral("0-1"), false}, {QStringLiteral("2,5"), false}};
    const QString path = m_dir.filePath(QStringLiteral("relations.qlet"));
    ProjectFile::save(project, path);
    TForm1 window;
    QVERIFY(window.LoadProject(path));
    auto* list = control<QListWidget>(window, "RelateList");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(1)->text(), QStringLiteral("2,5"));
    list->item(1)->setCheckState(Qt::Checked);
    QVERIFY(window.document().project.RelateList[1].checked);
    QVERIFY(!window.document().project.RelateList[0].checked);
}

QTEST_MAIN(ProjectCommandsTest)
#include "ProjectCommandsTest.moc"
