// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QSettings>
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

QTEST_GUILESS_MAIN(DesktopFilesTest)
#include "DesktopFilesTest.moc"
