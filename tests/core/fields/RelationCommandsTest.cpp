// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/fields/RelationCommands.h"

#include <QTest>

using namespace Quillet;

namespace {

// A project whose fields have the given IDs, those in `marked` marked. Every field carries
// a marked block whose text also starts with four digits, which must never count as a field.
Project projectWith(const QStringList& ids, const QStringList& marked, const QStringList& items)
{
    Project p;
    for (const QString& id : ids) {
        FieldNode field;
        field.text = id + QChar(8) + "00000";
        field.marked = marked.contains(id);
        field.blocks.push_back(TreeNode{"0001,00 0001,00/0002,00 0002,00", true});
        p.Structure.fields.push_back(field);
    }
    for (const QString& item : items)
        p.RelateList.push_back({item, true});
    return p;
}

QStringList itemsOf(const Project& p)
{
    QStringList texts;
    for (const RelationItem& item : p.RelateList)
        texts << item.text;
    return texts;
}

} // namespace

class RelationCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void question();
    void link_data();
    void link();
    void unlink_data();
    void unlink();
    void deleteAndClear();
};

void RelationCommandsTest::question()
{
    QCOMPARE(linkQuestion(4),
             QString("Поле с ID: 0004входит в состав другой зависимости.\n\r"
                     "Оставить в предыдущей зависимости и не добавлять в текущую(ДА/YES)\n\r"
                     "Иначе удалить с предыдущей и добавить в текущую(НЕТ/NO).\n\r"
                     "Отменить создание зависимости(ОТМЕН/CANSEL)"));
}

void RelationCommandsTest::link_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("marked");
    QTest::addColumn<QString>("answers"); // one letter per question: Y, N or C
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("added");
    const QStringList none;
    QTest::newRow("three free fields") << none << QStringList{"0003", "0004", "0007"} << "" << none
                                       << QStringList{"3-4,7"} << true;
    QTest::newRow("a single field")
        << none << QStringList{"0005"} << "" << none << QStringList{"5"} << true;
    QTest::newRow("only image and shape fields")
        << none << QStringList{"1003", "2004"} << "" << none << none << false;
    QTest::newRow("nothing marked")
        << QStringList{"3-5"} << none << "" << none << QStringList{"3-5"} << false;
    QTest::newRow("Yes keeps the old relation")
        << QStringList{"3-5"} << QStringList{"0004", "0009"} << "Y" << QStringList{"0004"}
        << QStringList{"3-5", "9"} << true;
    QTest::newRow("No moves the field") << QStringList{"3-5"} << QStringList{"0004", "0009"} << "N"
                                        << QStringList{"0004"} << QStringList{"3,5", "4,9"} << true;
    QTest::newRow("Cancel adds nothing") << QStringList{"3-5"} << QStringList{"0004", "0009"} << "C"
                                         << QStringList{"0004"} << QStringList{"3-5"} << false;
    QTest::newRow("No, then Cancel keeps what No did")
        << QStringList{"3-5", "8-9"} << QStringList{"0004", "0008"} << "NC"
        << QStringList{"0004", "0008"} << QStringList{"3,5", "8-9"} << false;
    QTest::newRow("Yes for the only field adds nothing")
        << QStringList{"3-5"} << QStringList{"0004"} << "Y" << QStringList{"0004"}
        << QStringList{"3-5"} << false;
    QTest::newRow("No on the last member deletes its item")
        << QStringList{"4", "7"} << QStringList{"0004", "0006"} << "N" << QStringList{"0004"}
        << QStringList{"7", "4,6"} << true;
}

void RelationCommandsTest::link()
{
    QFETCH(QStringList, items);
    QFETCH(QStringList, marked);
    QFETCH(QString, answers);
    QFETCH(QStringList, asked);
    QFETCH(QStringList, expected);
    QFETCH(bool, added);
    Project p = projectWith(
        {"0003", "0004", "0005", "0006", "0007", "0008", "0009", "1003", "2004"}, marked, items);
    QStringList questions;
    const bool result = linkMarkedFields(p, [&](const QString& question) {
        questions << question;
        const qsizetype i = questions.size() - 1;
        const QChar answer = i < answers.size() ? answers[i] : QChar(u'C');
        return answer == u'Y'   ? LinkAnswer::Yes
               : answer == u'N' ? LinkAnswer::No
                                : LinkAnswer::Cancel;
    });
    QCOMPARE(questions.size(), asked.size());
    for (int i = 0; i < asked.size(); ++i)
        QCOMPARE(questions[i], linkQuestion(asked[i].toInt()));
    QCOMPARE(itemsOf(p), expected);
    QCOMPARE(result, added);
    if (added)
        QVERIFY(!p.RelateList.back().checked);
}

void RelationCommandsTest::unlink_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("marked");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("sole member deletes the item")
        << QStringList{"5", "7"} << QStringList{"0005"} << QStringList{"7"};
    QTest::newRow("middle of a range")
        << QStringList{"3-5"} << QStringList{"0004"} << QStringList{"3,5"};
    QTest::newRow("several fields")
        << QStringList{"3-5", "8-9"} << QStringList{"0003", "0009", "0007"}
        << QStringList{"4-5", "8"};
    QTest::newRow("image fields are skipped")
        << QStringList{"1003"} << QStringList{"1003"} << QStringList{"1003"};
    QTest::newRow("unmarked fields stay")
        << QStringList{"3-5"} << QStringList{} << QStringList{"3-5"};
}

void RelationCommandsTest::unlink()
{
    QFETCH(QStringList, items);
    QFETCH(QStringList, marked);
    QFETCH(QStringList, expected);
    Project p = projectWith({"0003", "0004", "0005", "0007", "0009", "1003"}, marked, items);
    unlinkMarkedFields(p);
    QCOMPARE(itemsOf(p), expected);
}

void RelationCommandsTest::deleteAndClear()
{
    Project p = projectWith({}, {}, {"1", "2-3", "4", "5,7"});
    deleteRelations(p, {3, 1, 1, 9, -1});
    QCOMPARE(itemsOf(p), (QStringList{"1", "4"}));
    deleteRelations(p, {});
    QCOMPARE(itemsOf(p), (QStringList{"1", "4"}));
    clearRelations(p);
    QVERIFY(p.RelateList.empty());
}

QTEST_APPLESS_MAIN(RelationCommandsTest)
#include "RelationCommandsTest.moc"
