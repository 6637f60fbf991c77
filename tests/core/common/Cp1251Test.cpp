// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/common/Cp1251.h"

#include <QTest>

using namespace Quillet;

class Cp1251Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyByteRoundTrips();
    void knownLetters();
    void unencodableIsNeverReplaced();
};

void Cp1251Test::everyByteRoundTrips()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = Cp1251::decode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(*Cp1251::encode(text), all);
}

void Cp1251Test::knownLetters()
{
    QCOMPARE(Cp1251::decode("\xC0\xFF\xA8\xB8\xB9\x88"), QStringLiteral("АяЁё№€"));
    QCOMPARE(*Cp1251::encode(QStringLiteral("Иванов «ёж»")),
             QByteArray("\xC8\xE2\xE0\xED\xEE\xE2 \xAB\xB8\xE6\xBB"));
    QCOMPARE(*Cp1251::encode(QString(QChar(8)) + QChar(4) + QChar(5)), QByteArray("\x08\x04\x05"));
}

void Cp1251Test::unencodableIsNeverReplaced()
{
    const QString text = QStringLiteral("abc 中 d");
    QVERIFY(!Cp1251::encode(text).has_value());
    QCOMPARE(Cp1251::firstUnencodable(text), 4);
    QCOMPARE(Cp1251::describeCharacter(text, 4), QStringLiteral("«中» (U+4E2D)"));
    const QString emoji = QStringLiteral("x😀");
    QCOMPARE(Cp1251::describeCharacter(emoji, 1), QStringLiteral("«😀» (U+1F600)"));
    QVERIFY(!Cp1251::canEncode(QChar(0x0100)));
    QVERIFY(Cp1251::canEncode(QChar(0x0098))); // the unassigned byte keeps its place
}

QTEST_APPLESS_MAIN(Cp1251Test)
#include "Cp1251Test.moc"
