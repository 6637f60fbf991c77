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
    void sharedSectorsAreRead_data();
    void sharedSectorsAreRead();
    void onlyTheRootsOwnStreams();
};

namespace {

// Offset of the directory entry named `name` (ASCII) in a file of 512-byte sectors whose
// directory fits its first sector.
qsizetype entryOffset(const QByteArray& bytes, const char* name)
{
    const qsizetype directory = 512 * (qFromLittleEndian<quint32>(bytes.constData() + 0x30) + 1);
    for (int entry = 0; entry < 4; ++entry) {
        const qsizetype offset = directory + entry * 128;
        QByteArray utf16;
        for (const char* c = name; *c; ++c)
            utf16 += QByteArray(1, *c) + QByteArray(1, '\0');
        if (bytes.mid(offset, utf16.size()) == utf16)
            return offset;
    }
    return -1;
}

} // namespace

void CompoundFileTest::streams_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("stream");
    QTest::addColumn<bool>("found");
    // rows400.xls keeps its workbook in regular sectors, the others (smaller than the
    // 4096-byte cutoff) in the mini stream.
    QTest::newRow("regular sectors") << "rows400.xls"
                                     << "Workbook" << true;
    QTest::newRow("name without regard to case") << "types.xls"
                                                 << "WORKBOOK" << true;
    QTest::newRow("mini stream") << "people.xls"
                                 << "Workbook" << true;
    QTest::newRow("mini stream, second") << "types.xls"
                                         << "Workbook" << true;
    QTest::newRow("no such stream") << "types.xls"
                                    << "Book" << false;
    QTest::newRow("Excel 95 stream") << "biff5-1251.xls"
                                     << "Book" << true;
    QTest::newRow("large stream") << "long-sst.xls"
                                  << "Workbook" << true;
    QTest::newRow("storage is not a stream") << "types.xls"
                                             << "Root Entry" << false;
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
    // The root's chain (its mini stream) made to loop back to its first sector.
    const qsizetype rootEntry = 512 * (directory + 1);
    const quint32 rootStart = qFromLittleEndian<quint32>(good.constData() + rootEntry + 116);
    const quint32 fat = qFromLittleEndian<quint32>(good.constData() + 0x4C);
    const quint32 loop = qToLittleEndian(rootStart);
    QTest::newRow("chain that loops") << QByteArray(good).replace(
        512 * (fat + 1) + 4 * rootStart, 4, QByteArray(reinterpret_cast<const char*>(&loop), 4));
}

void CompoundFileTest::brokenContainers()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!checkCompoundFile(bytes).isEmpty());
    QVERIFY(!compoundStream(bytes, u"Workbook").has_value());
}

void CompoundFileTest::sharedSectorsAreRead_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("workbook");
    // Written the way a PHP library writes .xls files: its two property sets name one chain.
    const QByteArray shared =
        QuilletTest::readFile(QuilletTest::dataPath("workbooks/shared-sectors.xls"));
    QTest::newRow("property sets share a chain") << shared << QByteArray();
    // Another entry naming the workbook's own chain, from its start or from within.
    const QByteArray rows = QuilletTest::readFile(QuilletTest::dataPath("workbooks/rows400.xls"));
    const QByteArray original = *compoundStream(rows, u"Workbook");
    const qsizetype workbook = entryOffset(rows, "Workbook");
    const qsizetype root = entryOffset(rows, "Root Entry");
    qsizetype other = -1;
    for (qsizetype offset = root; offset < root + 4 * 128; offset += 128) {
        if (offset != workbook && offset != root)
            other = offset;
    }
    const quint32 start = qFromLittleEndian<quint32>(rows.constData() + workbook + 116);
    const quint32 fat = qFromLittleEndian<quint32>(rows.constData() + 0x4C);
    const quint32 second =
        qFromLittleEndian<quint32>(rows.constData() + 512 * (fat + 1) + 4 * start);
    const auto sharing = [&](quint32 first) {
        QByteArray bytes = rows;
        bytes.replace(other + 66, 1, "\x02");
        quint32 fields[2] = {qToLittleEndian(first), qToLittleEndian(quint32(4096))};
        bytes.replace(other + 116, 8, QByteArray(reinterpret_cast<const char*>(fields), 8));
        return bytes;
    };
    QTest::newRow("the workbook's chain from its start") << sharing(start) << original;
    QTest::newRow("the workbook's chain from within") << sharing(second) << original;
}

void CompoundFileTest::sharedSectorsAreRead()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, workbook);
    QCOMPARE(checkCompoundFile(bytes), QString());
    const auto content = compoundStream(bytes, u"Workbook");
    QVERIFY(content.has_value());
    QCOMPARE(qFromLittleEndian<quint16>(content->constData()), quint16(0x0809));
    if (!workbook.isEmpty())
        QCOMPARE(*content, workbook);
}

void CompoundFileTest::onlyTheRootsOwnStreams()
{
    // A stream that is not among the root storage's children (as in an embedded object's
    // storage) is not the workbook.
    QByteArray bytes = QuilletTest::readFile(QuilletTest::dataPath("workbooks/types.xls"));
    QVERIFY(compoundStream(bytes, u"Workbook").has_value());
    const qsizetype root = entryOffset(bytes, "Root Entry");
    QVERIFY(root > 0);
    bytes.replace(root + 76, 4, QByteArray("\xff\xff\xff\xff", 4));
    QCOMPARE(checkCompoundFile(bytes), QString());
    QVERIFY(!compoundStream(bytes, u"Workbook").has_value());
}

QTEST_APPLESS_MAIN(CompoundFileTest)
#include "CompoundFileTest.moc"
