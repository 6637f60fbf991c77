// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The printer calibration dialog keeps every text whole as results come and go.

#include "gui/export/CalibrationDialog.h"

#include "core/app/UserSettings.h"

#include "support/WindowDriver.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;
using namespace WindowDriver;

class CalibrationDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textsStayWhole_data();
    void textsStayWhole();
};

void CalibrationDialogTest::textsStayWhole_data()
{
    QTest::addColumn<QPointF>("misplaced");
    // The dialog opens with the crosses where they belong: a one-line result.
    QTest::newRow("a correction") << QPointF(1.5, -1.0);
    QTest::newRow("measurements no printer gives") << QPointF(40.0, 30.0);
}

void CalibrationDialogTest::textsStayWhole()
{
    QFETCH(QPointF, misplaced);
    QTemporaryDir dir;
    UserSettings settings(dir.filePath(QStringLiteral("calibration.ini")));
    PrinterMetrics metrics;
    metrics.name = QStringLiteral("Office_Laser");
    metrics.portrait = false;
    metrics.printableOffset = QPoint(150, 150);
    metrics.printableSize = QSize(7016 - 300, 4961 - 300);
    const AlignmentPage page = alignmentPage(metrics, QSizeF(297, 210));
    CalibrationDialog dialog(metrics.name, page, settings);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QString before = control<QLabel>(dialog, "CalibrationResult")->text();

    typeInto(dialog, "CrossAX", QLocale().toString(page.crossA.x() + misplaced.x(), 'f', 1));
    typeInto(dialog, "CrossAY", QLocale().toString(page.crossA.y() + misplaced.y(), 'f', 1));
    QVERIFY(control<QLabel>(dialog, "CalibrationResult")->text() != before);
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->wordWrap())
            continue;
        QVERIFY2(label->height() >= label->heightForWidth(label->width()),
                 qPrintable(QStringLiteral("%1 of %2 pixels shown: %3")
                                .arg(label->height())
                                .arg(label->heightForWidth(label->width()))
                                .arg(label->text().left(40))));
    }
}

QTEST_MAIN(CalibrationDialogTest)
#include "CalibrationDialogTest.moc"
