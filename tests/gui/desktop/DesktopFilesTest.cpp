// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QImage>
#include <QPainter>
#include <QSettings>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

// The file manager opens ".qlet" files with the program: the MIME package maps the
// extension to the type, and the desktop entry claims the type and takes the file.
class DesktopFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void projectFilesHaveTheType_data();
    void projectFilesHaveTheType();
    void desktopEntryOpensTheType();
    void iconDrawsAtThemeSizes_data();
    void iconDrawsAtThemeSizes();

private:
    QTemporaryDir m_data;
};

void DesktopFilesTest::initTestCase()
{
    // The installed layout: <data dir>/mime/packages/quillet.xml. The MIME database is
    // built on first use, so the search path is set before anything asks it.
    QVERIFY(m_data.isValid());
    QVERIFY(QDir(m_data.path()).mkpath(QStringLiteral("mime/packages")));
    QVERIFY(QFile::copy(QuilletTest::sourcePath(QStringLiteral("src/desktop/quillet-mime.xml")),
                        m_data.filePath(QStringLiteral("mime/packages/quillet.xml"))));
    qputenv("XDG_DATA_DIRS", m_data.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", m_data.path().toLocal8Bit());
}

void DesktopFilesTest::projectFilesHaveTheType_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("lower case") << "form.qlet";
    QTest::newRow("upper case") << "FORM.QLET";
    QTest::newRow("Cyrillic name") << "Бланк.qlet";
}

void DesktopFilesTest::projectFilesHaveTheType()
{
    QFETCH(QString, name);
    const QMimeType type = QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    QCOMPARE(type.name(), QStringLiteral("application/x-quillet-project"));
    QCOMPARE(type.comment().isEmpty(), false);
}

void DesktopFilesTest::desktopEntryOpensTheType()
{
    QSettings entry(QuilletTest::sourcePath(QStringLiteral("src/desktop/quillet.desktop")),
                    QSettings::IniFormat);
    entry.beginGroup(QStringLiteral("Desktop Entry"));
    QCOMPARE(entry.value(QStringLiteral("Type")).toString(), QStringLiteral("Application"));
    QVERIFY(entry.value(QStringLiteral("MimeType"))
                .toString()
                .split(QLatin1Char(';'))
                .contains(QStringLiteral("application/x-quillet-project")));
    // %f hands the chosen file to the program as its first argument.
    QCOMPARE(entry.value(QStringLiteral("Exec")).toString(), QStringLiteral("quillet %f"));
}

void DesktopFilesTest::iconDrawsAtThemeSizes_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("panel") << 16;
    QTest::newRow("menu") << 48;
    QTest::newRow("dock") << 256;
}

// The entry's icon is the one the package installs as share/icons/hicolor/*/apps/NAME; it
// is square and draws a picture with a transparent margin at every size themes ask for.
void DesktopFilesTest::iconDrawsAtThemeSizes()
{
    QFETCH(int, size);
    QSettings entry(QuilletTest::sourcePath(QStringLiteral("src/desktop/quillet.desktop")),
                    QSettings::IniFormat);
    const QString name = entry.value(QStringLiteral("Desktop Entry/Icon")).toString();
    QCOMPARE(name, QStringLiteral("quillet"));
    QSvgRenderer svg(QuilletTest::sourcePath(QStringLiteral("src/desktop/%1.svg").arg(name)));
    QVERIFY(svg.isValid());
    QCOMPARE(svg.viewBoxF().width(), svg.viewBoxF().height());

    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        svg.render(&painter, QRectF(0, 0, size, size));
    }
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(size - 1, size - 1)), 0);
    QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
}

QTEST_GUILESS_MAIN(DesktopFilesTest)
#include "DesktopFilesTest.moc"
