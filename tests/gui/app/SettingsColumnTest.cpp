// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// What stands below the settings column's scrolled part (the error list, the editing
// area's buttons) gets the room its captions need in the window as it starts.

#include "gui/app/MainWindow.h"

#include "support/WindowDriver.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;
using namespace WindowDriver;

class SettingsColumnTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void captionsFit_data();
    void captionsFit();

private:
    QTemporaryDir m_dir;
};

void SettingsColumnTest::init()
{
    resetUserSettings(m_dir.filePath(QStringLiteral("settings.ini")));
}

void SettingsColumnTest::captionsFit_data()
{
    QTest::addColumn<bool>("editing");
    QTest::addColumn<QStringList>("controls");
    QTest::newRow("error list") << false << QStringList{"ShowErr", "sBitBtn11"};
    QTest::newRow("editing area") << true << QStringList{"OkBtn", "CancelBtn", "ColumnBtn"};
}

void SettingsColumnTest::captionsFit()
{
    QFETCH(bool, editing);
    QFETCH(QStringList, controls);
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.LoadProject(saveProject(QDir(m_dir.path()), QStringLiteral("a.qlet"), 100, 80)));
    if (editing)
        click(window, "CreateTextField");
    else
        pressKey(control<QWidget>(window, "Structure"), Qt::Key_E, Qt::ControlModifier);
    QApplication::processEvents();
    for (const QString& name : controls) {
        auto* widget = control<QWidget>(window, name.toLatin1().constData());
        QVERIFY2(widget->isVisible(), qPrintable(name));
        QVERIFY2(widget->width() >= widget->sizeHint().width(),
                 qPrintable(QStringLiteral("%1: %2 of %3 pixels")
                                .arg(name)
                                .arg(widget->width())
                                .arg(widget->sizeHint().width())));
        // Not cut by the column's edge either.
        const QRect inWindow(widget->mapTo(&window, QPoint(0, 0)), widget->size());
        const auto* column = control<QWidget>(window, "sPanel2");
        QVERIFY2(QRect(column->mapTo(&window, QPoint(0, 0)), column->size()).contains(inWindow),
                 qPrintable(name));
    }
}

QTEST_MAIN(SettingsColumnTest)
#include "SettingsColumnTest.moc"
