// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// quillet-cli runs on a server without the widget stack: the libraries the dynamic loader
// would bring in for it hold none of the GUI's.

#include <QFileInfo>
#include <QProcess>
#include <QTest>

class CliLinkageTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void noWidgetLibrary_data();
    void noWidgetLibrary();

private:
    QByteArray m_libraries;
};

void CliLinkageTest::initTestCase()
{
    const QString ldd = QStringLiteral("/usr/bin/ldd");
    if (!QFileInfo(ldd).isExecutable())
        QSKIP("ldd is not installed (package libc-bin)");
    QProcess process;
    process.start(ldd, {QStringLiteral(QUILLET_CLI_PATH)});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    m_libraries = process.readAllStandardOutput();
    // A listing that misses what the program needs cannot tell what it lacks.
    QVERIFY2(m_libraries.contains("libQt6Gui.so"), m_libraries.constData());
}

void CliLinkageTest::noWidgetLibrary_data()
{
    QTest::addColumn<QByteArray>("library");
    QTest::newRow("widgets") << QByteArray("libQt6Widgets");
    // Qt's printer object, which needs the widgets.
    QTest::newRow("print support") << QByteArray("libQt6PrintSupport");
}

void CliLinkageTest::noWidgetLibrary()
{
    QFETCH(QByteArray, library);
    QVERIFY2(!m_libraries.contains(library), m_libraries.constData());
}

QTEST_MAIN(CliLinkageTest)
#include "CliLinkageTest.moc"
