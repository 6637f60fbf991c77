// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/CompoundFile.h"

#include "support/TestSupport.h"

#include <QTest>
#include <QtEndian>

using namespace Quillet;

class CompoundFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void streams_data();
    void streams();
    void brokenContainers_data();
    void brokenContainers();
};

void CompoundFileTest::streams_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("stream");
    QTest::addColumn<bool>("found");
    // rows400.xls keeps its workbook in regular sectors, the others (smaller than the
    // 4096-byte cutoff) in the mini stream.
    QTest::newRow("regular sectors") << "rows400.xls" << "Workbook" << true;
    QTest::newRow("name without regard to case") << "types.xls" << "WORKBOOK" << true;
    QTest::newRow("mini stream") << "people.xls" << "Workbook" << true;
    QTest::newRow("mini stream, second") << "types.xls" << "Workbook" << true;
    QTest::newRow("no such stream") << "types.xls" << "Book" << false;
    QTest::newRow("Excel 95 stream") << "biff5-1251.xls" << "Book" << true;
    QTest::newRow("large stream") << "long-sst.xls" << "Workbook" << true;
    QTest::newRow("storage is not a stream") << "types.xls" << "Root Entry" << false;
}

void CompoundFileTest::streams()
{
    QFETCH(QString, file);
    QFETCH(QString, stream);
    QFETCH(bool, found);
    const QByteArray bytes = QuilletTest::readFile(QuilletTest::dataPath("workbooks/" + file));
    QCOMPARE(checkCompoundFile(bytes), QString());
    const auto content = compoundStream(bytes, stream);
    QCOMPARE(content.has_value(), found);
    if (found) {
        // A workbook stream opens with a BOF record (0x0809) of a workbook globals part.
        QVERIFY(content->size() > 8);
        QCOMPARE(qFromLittleEndian<quint16>(content->constData()), quint16(0x0809));
        QCOMPARE(qFromLittleEndian<quint16>(content->constData() + 6), quint16(0x0005));
    }
}

void CompoundFileTest::brokenContainers_data()
{
    const QByteArray good = QuilletTest::readFile(QuilletTest::dataPath("workbooks/types.xls"));
    const quint32 directory = qFromLittleEndian<quint32>(good.constData() + 0x30);
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("wrong signature") << QByteArray(good).replace(0, 1, "X");
    QTest::newRow("header only") << good.left(512);
    QTest::newRow("sector shift 10") << QByteArray(good).replace(0x1E, 1, "\x0a");
    QTest::newRow("allocation sector outside")
        << QByteArray(good).replace(0x4C, 4, QByteArray("\x00\x00\x10\x00", 4));
    QTest::newRow("directory outside")
        << QByteArray(good).replace(0x30, 4, QByteArray("\x00\x00\x00\x7f", 4));
    QTest::newRow("name longer than its field")
        << QByteArray(good).replace(512 * (directory + 1) + 64, 2, QByteArray("\x42\x00", 2));
    QTest::newRow("odd name length")
        << QByteArray(good).replace(512 * (directory + 1) + 64, 2, QByteArray("\x11\x00", 2));
    QTest::newRow("truncated") << good.left(good.size() - 1024);
}

void CompoundFileTest::brokenContainers()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!checkCompoundFile(bytes).isEmpty());
    QVERIFY(!compoundStream(bytes, u"Workbook").has_value());
}

QTEST_APPLESS_MAIN(CompoundFileTest)
#include "CompoundFileTest.moc"
