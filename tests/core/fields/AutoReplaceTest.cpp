// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/fields/AutoReplace.h"
#include "core/common/Errors.h"
#include "core/render/TextLayout.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;

namespace {

// Pairs written flat, caption then replacement: {"abc", "X", "d", ""}.
ReplacePairs pairsOf(const QStringList& flat)
{
    ReplacePairs pairs;
    for (qsizetype i = 0; i + 1 < flat.size(); i += 2)
        pairs.push_back({flat[i], flat[i + 1]});
    return pairs;
}

QStringList flat(const ReplacePairs& pairs)
{
    QStringList out;
    for (const ReplacePair& pair : pairs)
        out << pair.find << pair.replacement;
    return out;
}

ReplacePairs readBytes(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return AutoReplace::readArl(buffer);
}

} // namespace

class AutoReplaceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void listCommands_data();
    void listCommands();
    void emptyReplacementPrintsEmptyText();
    void lineBreaksAreRefused();
    void reading_data();
    void reading();
    void fileNames_data();
    void fileNames();
    void savingWritesEveryLineEndAndReadsBack();
    void unencodableTextIsRefusedAndNothingWritten();
    void missingAndUnreadableFiles();
    void cancelAfterClearRestoresEveryPairInOrder();
};

void AutoReplaceTest::initTestCase()
{
    // Captions sort by the user's collation; the tests fix it to the program's own.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

void AutoReplaceTest::listCommands_data()
{
    QTest::addColumn<QStringList>("start");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("operand");
    QTest::addColumn<QStringList>("expected");
    using L = QStringList;
    QTest::newRow("(abc, X) over ABC leaves one item")
        << L{"ABC", "Y"} << "add" << L{"abc", "X"} << L{"abc", "X"};
    QTest::newRow("an empty replacement is a pair")
        << L{"a", "1"} << "add" << L{"b", ""} << L{"a", "1", "b", ""};
    QTest::newRow("added by collation, not by code")
        << L{"арбуз", "1", "яблоко", "2"} << "add" << L{"Ёж", "3"}
        << L{"арбуз", "1", "Ёж", "3", "яблоко", "2"};
    QTest::newRow("the first match from the top is updated, then sorted")
        << L{"abc", "1", "ABC", "2"} << "add" << L{"aBC", "3"} << L{"aBC", "3", "ABC", "2"};
    QTest::newRow("open keeps a caption twice, lower case first")
        << L{"x", "y"} << "open" << L{"IVANOV", "2", "Ivanov", "1", "ivanov", "0"}
        << L{"ivanov", "0", "Ivanov", "1", "IVANOV", "2"};
    QTest::newRow("merge: the later pair of a caption twice wins")
        << L{} << "merge" << L{"Ivanov", "1", "IVANOV", "2"} << L{"IVANOV", "2"};
    QTest::newRow("merge overwrites and adds")
        << L{"a", "1", "b", "2"} << "merge" << L{"B", "3", "c", "4"}
        << L{"a", "1", "B", "3", "c", "4"};
    QTest::newRow("open of an empty file empties the list") << L{"a", "1"} << "open" << L{} << L{};
    QTest::newRow("delete the selected")
        << L{"a", "1", "b", "2"} << "delete" << L{"1"} << L{"a", "1"};
    QTest::newRow("delete without a selection")
        << L{"a", "1"} << "delete" << L{"-1"} << L{"a", "1"};
}

void AutoReplaceTest::listCommands()
{
    QFETCH(QStringList, start);
    QFETCH(QString, command);
    QFETCH(QStringList, operand);
    QFETCH(QStringList, expected);
    ReplacePairs list = pairsOf(start);
    if (command == QLatin1String("add")) {
        const qsizetype row = AutoReplace::addOrUpdate(list, pairsOf(operand).front());
        QCOMPARE(list[size_t(row)], pairsOf(operand).front());
    } else if (command == QLatin1String("open")) {
        AutoReplace::openPairs(list, pairsOf(operand));
    } else if (command == QLatin1String("merge")) {
        AutoReplace::mergePairs(list, pairsOf(operand));
    } else {
        AutoReplace::removeAt(list, operand.front().toInt());
    }
    QCOMPARE(flat(list), expected);
}

void AutoReplaceTest::emptyReplacementPrintsEmptyText()
{
    ReplacePairs list;
    AutoReplace::addOrUpdate(list, {QStringLiteral("пусто"), QString()});
    QCOMPARE(ApplyAutoReplace(list, QStringLiteral("ПУСТО")), QString());
    QCOMPARE(ApplyAutoReplace(list, QStringLiteral("пусто!")), QStringLiteral("пусто!"));
}

void AutoReplaceTest::lineBreaksAreRefused()
{
    ReplacePairs list = pairsOf({"a", "1"});
    for (const ReplacePair& pair : {ReplacePair{"b\nc", "2"}, ReplacePair{"b", "2\r"}}) {
        QVERIFY_THROWS_EXCEPTION(Error, AutoReplace::addOrUpdate(list, pair));
        QCOMPARE(flat(list), (QStringList{"a", "1"}));
    }
}

void AutoReplaceTest::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("pairs");
    using L = QStringList;
    QTest::newRow("four lines") << QByteArray("a\r\n1\r\nb\r\n2\r\n") << L{"a", "1", "b", "2"};
    QTest::newRow("five lines: the fifth is ignored")
        << QByteArray("a\r\n1\r\nb\r\n2\r\nc\r\n") << L{"a", "1", "b", "2"};
    QTest::newRow("CR, LF, CR LF; no end after the last")
        << QByteArray("a\r1\nb\r\n2") << L{"a", "1", "b", "2"};
    QTest::newRow("LF CR is two line ends") << QByteArray("a\n\rb\r\n") << L{"a", ""};
    QTest::newRow("empty caption and replacement")
        << QByteArray("a\r\n\r\n\r\nx\r\n") << L{"a", "", "", "x"};
    QTest::newRow("Windows-1251") << QByteArray("\xC8\xE2\xE0\xED\xEE\xE2\r\n\xB8\x98\r\n")
                                  << L{"Иванов", QStringLiteral("ё\u0098")};
    QTest::newRow("empty file") << QByteArray() << L{};
}

void AutoReplaceTest::reading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, pairs);
    QCOMPARE(flat(readBytes(bytes)), pairs);
}

void AutoReplaceTest::fileNames_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("list.txt") << "list.txt"
                              << "list.arl";
    QTest::newRow("no extension") << "list"
                                  << "list.arl";
    QTest::newRow("upper case") << "LIST.ARL"
                                << "LIST.arl";
    QTest::newRow("two dots") << "a.b.c"
                              << "a.b.arl";
    QTest::newRow("dot in the folder only") << "/tmp/v1.2/list"
                                            << "/tmp/v1.2/list.arl";
}

void AutoReplaceTest::fileNames()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QCOMPARE(AutoReplace::arlPath(typed), written);
}

void AutoReplaceTest::savingWritesEveryLineEndAndReadsBack()
{
    QTemporaryDir dir;
    const ReplacePairs list = pairsOf({"Иванов", "И. И. Иванов", "пусто", ""});
    const QString written = AutoReplace::saveArl(list, dir.filePath(QStringLiteral("list.txt")));
    QCOMPARE(written, dir.filePath(QStringLiteral("list.arl")));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("list.txt"))));
    QFile file(written);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(),
             QByteArray("\xC8\xE2\xE0\xED\xEE\xE2\r\n\xC8. \xC8. \xC8\xE2\xE0\xED\xEE\xE2\r\n"
                        "\xEF\xF3\xF1\xF2\xEE\r\n\r\n"));
    QCOMPARE(AutoReplace::loadArl(written), std::optional<ReplacePairs>(list));

    // An empty list writes an empty file, replacing what was there.
    QCOMPARE(AutoReplace::saveArl({}, written), written);
    QCOMPARE(QFileInfo(written).size(), 0);
    QCOMPARE(AutoReplace::loadArl(written), std::optional<ReplacePairs>(ReplacePairs{}));
}

void AutoReplaceTest::unencodableTextIsRefusedAndNothingWritten()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.arl"));
    AutoReplace::saveArl(pairsOf({"a", "1"}), path);
    const ReplacePairs list = pairsOf({"b", "2", "кот", "猫"});
    try {
        AutoReplace::saveArl(list, path);
        QFAIL("a text Windows-1251 cannot hold was written");
    } catch (const ConversionError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("«кот» → «猫»")), qPrintable(e.message()));
    }
    QCOMPARE(AutoReplace::loadArl(path), std::optional<ReplacePairs>(pairsOf({"a", "1"})));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"list.arl"});
}

void AutoReplaceTest::missingAndUnreadableFiles()
{
    QTemporaryDir dir;
    QCOMPARE(AutoReplace::loadArl(dir.filePath(QStringLiteral("none.arl"))), std::nullopt);
    const QString folder = dir.filePath(QStringLiteral("folder.arl"));
    QVERIFY(QDir().mkpath(folder));
    try {
        AutoReplace::loadArl(folder);
        QFAIL("a folder was read as a list");
    } catch (const FileError& e) {
        QVERIFY2(e.message().contains(folder), qPrintable(e.message()));
    }
    QByteArray huge(AutoReplace::MaxFileBytes + 1, 'a');
    QVERIFY_THROWS_EXCEPTION(FileError, readBytes(huge));
}

void AutoReplaceTest::cancelAfterClearRestoresEveryPairInOrder()
{
    ReplacePairs list;
    AutoReplace::openPairs(list, pairsOf({"б", "", "ivanov", "1", "IVANOV", "2", "", "пусто"}));
    const ReplacePairs before = list;
    const QString snapshot = AutoReplace::snapshot(list);
    // Russian collation sorts Cyrillic before Latin.
    QCOMPARE(snapshot, QStringLiteral("\rпусто\rб\r\rivanov\r1\rIVANOV\r2\r"));
    list.clear();
    QCOMPARE(AutoReplace::restoreSnapshot(snapshot), before);
    QCOMPARE(AutoReplace::restoreSnapshot(QString()), ReplacePairs{});
}

QTEST_GUILESS_MAIN(AutoReplaceTest)
#include "AutoReplaceTest.moc"
