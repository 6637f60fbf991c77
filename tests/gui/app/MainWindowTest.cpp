// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/ProjectFile.h"
#include "gui/app/MainWindow.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Quillet;

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commandLineProjectLoadsOnceAtFirstActivation();
    void missingCommandLineFileStartsEmpty();
    void brokenProjectKeepsTheWindowEmptyAndUsable();
};

namespace {

Project projectWithSheet(const QString& sheet)
{
    Project p;
    p.settings.sheet = sheet;
    return p;
}

void activate(QWidget& w)
{
    QEvent event(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &event);
}

} // namespace

void MainWindowTest::commandLineProjectLoadsOnceAtFirstActivation()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.qlet"));
    ProjectFile::save(projectWithSheet(QStringLiteral("первый")), path);
    TForm1 window;
    window.setProjectPath(path);
    QVERIFY(window.document().project.settings.sheet.isEmpty());
    activate(window);
    QCOMPARE(window.document().project.settings.sheet, QStringLiteral("первый"));
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("sStatusBarPanel6"))->text(), path);
    // Switching away and back does not load it again.
    ProjectFile::save(projectWithSheet(QStringLiteral("второй")), path);
    activate(window);
    QCOMPARE(window.document().project.settings.sheet, QStringLiteral("первый"));
    QCOMPARE(window.windowTitle().left(7), QStringLiteral("Quillet"));
}

void MainWindowTest::missingCommandLineFileStartsEmpty()
{
    TForm1 window;
    window.setProjectPath(QStringLiteral("/no/such/project.qlet"));
    activate(window);
    QVERIFY(window.document().project.Structure.isEmpty());
    QVERIFY(window.findChild<QLabel*>(QStringLiteral("sStatusBarPanel6"))->text().isEmpty());
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
    // Close the error box as soon as it shows.
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->accept();
    });
    activate(window);
    QVERIFY(window.document().project.Structure.isEmpty());
    QVERIFY(window.document().ProjectPath.isEmpty()); // a save cannot overwrite the file
    activate(window); // and no second error box
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
