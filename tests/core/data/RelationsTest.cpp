// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/data/Relations.h"

#include <QTest>

using namespace Quillet;

namespace {
RelationList listOf(const QStringList& texts)
{
    RelationList list;
    for (const QString& text : texts)
        list.push_back({text, false});
    return list;
}

QStringList textsOf(const RelationList& list)
{
    QStringList texts;
    for (const RelationItem& item : list)
        texts << item.text;
    return texts;
}
} // namespace

class RelationsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findRelationGroup_data();
    void findRelationGroup();
    void removeFromRelations_data();
    void removeFromRelations();
    void removeKeepsCheckMarksOfOthers();
};

void RelationsTest::findRelationGroup_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("index");
    QTest::newRow("empty list") << QStringList{} << 3 << -1;
    QTest::newRow("inside range") << QStringList{"3-5,8"} << 4 << 0;
    QTest::newRow("single after range") << QStringList{"3-5,8"} << 8 << 0;
    QTest::newRow("in the gap") << QStringList{"3-5,8"} << 6 << -1;
    QTest::newRow("second item") << QStringList{"3-5", "8-9"} << 9 << 1;
    QTest::newRow("first of duplicates wins") << QStringList{"1", "2,7", "7"} << 7 << 1;
    QTest::newRow("hand-edited unordered text") << QStringList{"9,2-4"} << 3 << 0;
    QTest::newRow("invalid text holds nothing") << QStringList{"x", "4 "} << 4 << -1;
    QTest::newRow("zero") << QStringList{"0-1"} << 0 << 0;
}

void RelationsTest::findRelationGroup()
{
    QFETCH(QStringList, items);
    QFETCH(int, number);
    QFETCH(int, index);
    QCOMPARE(FindRelationGroup(listOf(items), number), index);
}

void RelationsTest::removeFromRelations_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("number");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("sole member deletes item") << QStringList{"5"} << 5 << QStringList{};
    QTest::newRow("middle of range") << QStringList{"3-5"} << 4 << QStringList{"3,5"};
    QTest::newRow("end of range") << QStringList{"3-5,8"} << 8 << QStringList{"3-5"};
    QTest::newRow("absent number") << QStringList{"3-5"} << 7 << QStringList{"3-5"};
    QTest::newRow("only first of duplicates")
        << QStringList{"1", "4,7", "7-8"} << 7 << QStringList{"1", "4", "7-8"};
    QTest::newRow("middle item deleted")
        << QStringList{"1", "7", "9"} << 7 << QStringList{"1", "9"};
    QTest::newRow("hand-edited text is rewritten")
        << QStringList{"9,2-4,3"} << 9 << QStringList{"2-4"};
    QTest::newRow("empty list") << QStringList{} << 1 << QStringList{};
}

void RelationsTest::removeFromRelations()
{
    QFETCH(QStringList, items);
    QFETCH(int, number);
    QFETCH(QStringList, expected);
    RelationList list = listOf(items);
    RemoveFromRelations(list, number);
    QCOMPARE(textsOf(list), expected);
}

void RelationsTest::removeKeepsCheckMarksOfOthers()
{
    RelationList list{{"1-2", true}, {"5", false}, {"7-9", true}};
    RemoveFromRelations(list, 5);
    QCOMPARE(list.size(), size_t(2));
    QCOMPARE(list[0], (RelationItem{"1-2", true}));
    QCOMPARE(list[1], (RelationItem{"7-9", true}));
    RemoveFromRelations(list, 8);
    QCOMPARE(list[1], (RelationItem{"7,9", true}));
}

QTEST_APPLESS_MAIN(RelationsTest)
#include "RelationsTest.moc"
