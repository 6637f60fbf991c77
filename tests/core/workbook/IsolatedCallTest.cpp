// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/IsolatedCall.h"

#include <QTest>

#include <csignal>
#include <cstdlib>
#include <stdexcept>

using namespace Quillet;

class IsolatedCallTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void returnsOutput();
    void largeOutputPassesThePipe();
    void childFaultsAreContained_data();
    void childFaultsAreContained();
    void endlessChildIsKilled();
    void parentStateIsUntouched();
};

void IsolatedCallTest::returnsOutput()
{
    const IsolatedResult result = runIsolated([] { return QByteArray("answer"); }, 10000, 100);
    QVERIFY2(result.ok, qPrintable(result.failure));
    QCOMPARE(result.output, QByteArray("answer"));
    const IsolatedResult empty = runIsolated([] { return QByteArray(); }, 10000, 100);
    QVERIFY(empty.ok);
    QCOMPARE(empty.output, QByteArray());
}

void IsolatedCallTest::largeOutputPassesThePipe()
{
    // Far beyond a pipe's buffer: the parent must read while the child writes.
    const QByteArray big(5 * 1024 * 1024, 'x');
    const IsolatedResult result = runIsolated([&] { return big; }, 30000, big.size());
    QVERIFY2(result.ok, qPrintable(result.failure));
    QCOMPARE(result.output.size(), big.size());
}

void IsolatedCallTest::childFaultsAreContained_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("abort") << 0;
    QTest::newRow("segmentation fault") << 1;
    QTest::newRow("exception") << 2;
    QTest::newRow("exit code") << 3;
    QTest::newRow("too much output") << 4;
}

void IsolatedCallTest::childFaultsAreContained()
{
    QFETCH(int, kind);
    const IsolatedResult result = runIsolated(
        [kind]() -> QByteArray {
            switch (kind) {
            case 0: std::abort();
            case 1: std::raise(SIGSEGV); break;
            case 2: throw std::runtime_error("escaped");
            case 3: std::_Exit(7);
            default: break;
            }
            return QByteArray(1000, 'y');
        },
        10000, 100);
    QVERIFY(!result.ok);
    QVERIFY(!result.failure.isEmpty());
    QVERIFY(result.output.isEmpty());
}

void IsolatedCallTest::endlessChildIsKilled()
{
    const IsolatedResult result = runIsolated(
        []() -> QByteArray {
            for (;;)
                ::pause();
        },
        300, 100);
    QVERIFY(!result.ok);
    QVERIFY(!result.failure.isEmpty());
}

void IsolatedCallTest::parentStateIsUntouched()
{
    int counter = 1;
    const IsolatedResult result = runIsolated(
        [&counter] {
            counter = 99;
            return QByteArray::number(counter);
        },
        10000, 100);
    QCOMPARE(result.output, QByteArray("99"));
    QCOMPARE(counter, 1);
}

QTEST_APPLESS_MAIN(IsolatedCallTest)
#include "IsolatedCallTest.moc"
