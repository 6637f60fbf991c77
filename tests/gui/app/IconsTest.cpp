// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Every icon of the catalogue has its own drawing, which shows something at 16 and at
// 32 pixels (a screen at 200 %) and is made for the size buttons show it at. A desktop
// without an icon theme, and the offscreen platform of the tests and pictures, show these
// drawings and nothing else.

#include "gui/app/Icons.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QTest>

using namespace Quillet;

class IconsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void drawingShows_data();
    void drawingShows();
};

namespace {

// Pixels a viewer sees: not fully transparent.
int inkedPixels(const QImage& image)
{
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            inked += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    }
    return inked;
}

} // namespace

void IconsTest::drawingShows_data()
{
    QTest::addColumn<int>("index");
    for (const IconEntry& entry : iconCatalogue())
        QTest::newRow(entry.file) << int(entry.name);
}

void IconsTest::drawingShows()
{
    QFETCH(int, index);
    const auto name = IconName(index);
    const IconEntry& entry = iconEntry(name);
    const QString file = QStringLiteral(":/icons/%1.svg").arg(QLatin1String(entry.file));
    QVERIFY2(QFile::exists(file), qPrintable(file));
    // Drawn on the grid it is shown at, so its lines fall on whole pixels.
    QCOMPARE(QImageReader(file).size(), iconDesignSize(name));
    const QIcon icon = fallbackIcon(name);
    for (const int side : {16, 32}) {
        const QPixmap pixmap = icon.pixmap(QSize(side, side));
        QVERIFY2(!pixmap.isNull(), qPrintable(QStringLiteral("%1 at %2").arg(file).arg(side)));
        QCOMPARE(pixmap.size(), QSize(side, side));
        QVERIFY2(inkedPixels(pixmap.toImage()) > 0,
                 qPrintable(QStringLiteral("%1 is blank at %2").arg(file).arg(side)));
    }
    QVERIFY(!themedIcon(name).isNull());
}

QTEST_MAIN(IconsTest)
#include "IconsTest.moc"
