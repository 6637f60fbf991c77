// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The start page over the page area while no project is open: when it shows, and what each
// of its choices opens.

#include "support/WindowDriver.h"

#include "core/app/ExampleProject.h"
#include "gui/app/MainWindow.h"

#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;
using namespace WindowDriver;

class StartPageTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void shownWhileNoProjectIsOpen_data();
    void shownWhileNoProjectIsOpen();
    void choiceOpensAProject_data();
    void choiceOpensAProject();
    void earlierExampleCopyIsAskedAbout_data();
    void earlierExampleCopyIsAskedAbout();

private:
    QString exampleCopy() const;

    QTemporaryDir m_dir;
    QString m_project;
    QString m_other;
};

namespace {

void activate(QWidget& w)
{
    QEvent event(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &event);
}

bool startPageShown(TForm1& window)
{
    return control<QWidget>(window, "StartPage")->isVisible();
}

QStringList listed(TForm1& window)
{
    QStringList paths;
    auto* list = control<QListWidget>(window, "StartRecent");
    for (int i = 0; i < list->count(); ++i)
        paths.append(list->item(i)->data(Qt::UserRole).toString());
    return paths;
}

void clickRecent(TForm1& window, int row)
{
    auto* list = control<QListWidget>(window, "StartRecent");
    const QRect item = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
}

const QString kMissing = QStringLiteral("/nonexistent/gone.qlet");

} // namespace

void StartPageTest::initTestCase()
{
    // The example is copied into this home's documents folder, not the real user's.
    const QDir home(m_dir.filePath(QStringLiteral("home")));
    QVERIFY(home.mkpath(QStringLiteral("Documents")));
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    m_project = saveProject(QDir(m_dir.path()), QStringLiteral("form.qlet"), 100, 80);
    m_other = saveProject(QDir(m_dir.path()), QStringLiteral("other.qlet"), 120, 90);
}

void StartPageTest::init()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
    UserSettings().writeRecentProjects({m_other, kMissing});
    QDir(QFileInfo(exampleCopy()).path()).removeRecursively();
}

QString StartPageTest::exampleCopy() const
{
    return m_dir.filePath(QStringLiteral("home/Documents/Quillet — пример/demo.qlet"));
}

void StartPageTest::shownWhileNoProjectIsOpen_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("shown");
    QTest::newRow("a start without a project") << "nothing" << true;
    QTest::newRow("a missing project on the command line") << "missing" << true;
    QTest::newRow("a project on the command line") << "project" << false;
    // Work in the unnamed project needs the page; undone, nothing is open again.
    QTest::newRow("a field made in the unnamed project") << "field" << false;
    QTest::newRow("that field undone") << "undone" << true;
}

void StartPageTest::shownWhileNoProjectIsOpen()
{
    QFETCH(QString, start);
    QFETCH(bool, shown);
    TForm1 window;
    if (start == QLatin1String("missing"))
        window.setProjectPath(kMissing);
    else if (start == QLatin1String("project"))
        window.setProjectPath(m_project);
    window.show();
    activate(window);
    if (start == QLatin1String("field") || start == QLatin1String("undone")) {
        click(window, "CreateTextField");
        click(window, "OkBtn");
        if (start == QLatin1String("undone"))
            click(window, "UndoBtn");
        window.document().RepaintPending = true;
        window.RepaintTimeTimer();
    }
    QCOMPARE(startPageShown(window), shown);
    // The page view stays beneath it, sized for the page.
    QVERIFY(control<QWidget>(window, "sScrollBox1")->isVisible());
    if (shown)
        QCOMPARE(listed(window), QStringList({m_other, kMissing}));
}

void StartPageTest::choiceOpensAProject_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("opened"); // empty when nothing opens
    QTest::addColumn<QString>("seen");   // the dialog that came
    const QString made = m_dir.filePath(QStringLiteral("made.qlet"));
    QTest::newRow("Создать") << "StartCreate" << made << "file dialog";
    QTest::newRow("Открыть") << "StartOpen" << m_project << "file dialog";
    QTest::newRow("a recent project") << "recent 0" << m_other << "";
    // As the recent menu does: reported, and the entry stays.
    QTest::newRow("a recent project that is gone") << "recent 1"
                                                   << ""
                                                   << "Внимание|Файл не существует";
    QTest::newRow("Открыть пример") << "StartExample" << exampleCopy() << "";
}

void StartPageTest::choiceOpensAProject()
{
    QFETCH(QString, choice);
    QFETCH(QString, opened);
    QFETCH(QString, seen);
    TForm1 window;
    window.show();
    QVERIFY(startPageShown(window));
    DialogScript script({choice == QLatin1String("StartCreate")
                             ? chooseFile(m_dir.filePath(QStringLiteral("made.qlet")))
                         : choice == QLatin1String("StartOpen") ? chooseFile(m_project)
                                                                : press(QMessageBox::Ok)});
    if (choice.startsWith(QLatin1String("recent")))
        clickRecent(window, choice.section(QLatin1Char(' '), 1).toInt());
    else
        click(window, choice.toLatin1().constData());
    QCOMPARE(script.seen, seen.isEmpty() ? QStringList() : QStringList{seen});

    QCOMPARE(window.document().ProjectPath, opened);
    QCOMPARE(startPageShown(window), opened.isEmpty());
    if (opened.isEmpty())
        QCOMPARE(listed(window), QStringList({m_other, kMissing}));
    else
        QVERIFY(window.document().isProjectOpen());
    if (choice == QLatin1String("StartExample")) {
        // The copy is the example, its workbook beside it.
        QCOMPARE(QuilletTest::readFile(opened),
                 QuilletTest::readFile(QuilletTest::demoProjectPath()));
        QVERIFY(
            QFileInfo::exists(QFileInfo(opened).dir().filePath(QStringLiteral("records.xlsx"))));
        QVERIFY(!window.document().project.Structure.isEmpty());
    }
}

void StartPageTest::earlierExampleCopyIsAskedAbout_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("replaced");
    QTest::addColumn<bool>("opened");
    QTest::newRow("replaced") << int(QMessageBox::Yes) << true << true;
    QTest::newRow("opened as it is") << int(QMessageBox::No) << false << true;
    QTest::newRow("cancelled") << int(QMessageBox::Cancel) << false << false;
}

void StartPageTest::earlierExampleCopyIsAskedAbout()
{
    QFETCH(int, answer);
    QFETCH(bool, replaced);
    QFETCH(bool, opened);
    // The user's own work in an earlier copy: another project under the example's name.
    const QString copy = exampleCopy();
    QVERIFY(QDir().mkpath(QFileInfo(copy).path()));
    QVERIFY(QFile::copy(m_project, copy));
    const QByteArray earlier = QuilletTest::readFile(copy);

    TForm1 window;
    window.show();
    DialogScript script({press(QMessageBox::StandardButton(answer))});
    click(window, "StartExample");
    QCOMPARE(script.seen.size(), 1);
    QVERIFY2(script.seen[0].contains(QDir::toNativeSeparators(QFileInfo(copy).path())),
             qPrintable(script.seen[0]));

    QCOMPARE(QuilletTest::readFile(copy),
             replaced ? QuilletTest::readFile(QuilletTest::demoProjectPath()) : earlier);
    QCOMPARE(window.document().ProjectPath, opened ? copy : QString());
    QCOMPARE(startPageShown(window), !opened);
}

QTEST_MAIN(StartPageTest)
#include "StartPageTest.moc"
