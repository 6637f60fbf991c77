// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/app/BackgroundTask.h"

#include "core/common/Errors.h"

#include <QSemaphore>
#include <QTest>
#include <QThread>

using namespace Quillet;

namespace {
enum Ending { Value, Throws, Cancelled };
} // namespace

class BackgroundTaskTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void outcomeReachesTheWindowThread_data();
    void outcomeReachesTheWindowThread();
    void abandonedOutcomeIsDropped();
};

void BackgroundTaskTest::outcomeReachesTheWindowThread_data()
{
    QTest::addColumn<int>("ending");
    QTest::newRow("a value") << int(Value);
    QTest::newRow("an exception") << int(Throws);
    QTest::newRow("cancelled half-way") << int(Cancelled);
}

// The job runs on the task's thread; its progress, then its value or exception, come back
// on the test's (the window's) thread, where run() hands them over too.
void BackgroundTaskTest::outcomeReachesTheWindowThread()
{
    QFETCH(int, ending);
    BackgroundTask task(QStringLiteral("Test"));
    QList<int> shown;
    connect(&task, &BackgroundTask::progressed, this, [&shown](int step) { shown << step; });
    QSemaphore halfway;
    QSemaphore goOn;
    QThread* worker = nullptr;
    bool stillWanted = true;
    QThread* deliveredOn = nullptr;
    QString outcome;
    QVERIFY(task.start(
        [&](TaskControl& control) {
            worker = QThread::currentThread();
            control.progress(1);
            halfway.release();
            goOn.acquire();
            stillWanted = control.progress(2);
            if (ending == Throws)
                throw Error(QStringLiteral("broken"));
            return control.isCancelled() ? -1 : 42;
        },
        [&](TaskResult<int>& result) {
            deliveredOn = QThread::currentThread();
            try {
                outcome = QString::number(result.value());
            } catch (const Error& e) {
                outcome = e.message();
            }
        }));
    QVERIFY(task.isBusy());
    QVERIFY(!task.start([](TaskControl&) {}, [](TaskResult<void>&) {})); // one at a time
    halfway.acquire();
    if (ending == Cancelled)
        task.cancel();
    goOn.release();
    QTRY_VERIFY(!task.isBusy());
    QVERIFY(worker != nullptr && worker != QThread::currentThread());
    QCOMPARE(deliveredOn, QThread::currentThread());
    QCOMPARE(shown, (QList<int>{1, 2}));
    QCOMPARE(stillWanted, ending != Cancelled);
    QCOMPARE(outcome, ending == Throws      ? QStringLiteral("broken")
                      : ending == Cancelled ? QStringLiteral("-1")
                                            : QStringLiteral("42"));

    const auto again = [ending](TaskControl&) {
        if (ending == Throws)
            throw Error(QStringLiteral("broken"));
        return 7;
    };
    if (ending == Throws)
        QVERIFY_THROWS_EXCEPTION(Error, task.run(again));
    else
        QCOMPARE(task.run(again), 7);
}

// An abandoned job is waited for, but neither its outcome nor its progress arrives, and
// the task takes the next job at once.
void BackgroundTaskTest::abandonedOutcomeIsDropped()
{
    BackgroundTask task(QStringLiteral("Test"));
    int progressShown = 0;
    connect(&task, &BackgroundTask::progressed, this, [&progressShown] { ++progressShown; });
    QSemaphore started;
    bool delivered = false;
    bool returned = false;
    QVERIFY(task.start(
        [&](TaskControl& control) {
            started.release();
            control.progress(1);
            returned = true;
        },
        [&delivered](TaskResult<void>&) { delivered = true; }));
    started.acquire();
    task.abandon();
    QVERIFY(returned);
    QVERIFY(!task.isBusy());
    QCoreApplication::sendPostedEvents();
    QVERIFY(!delivered);
    QCOMPARE(progressShown, 0);
    QCOMPARE(task.run([](TaskControl&) { return 3; }), 3);
}

QTEST_GUILESS_MAIN(BackgroundTaskTest)
#include "BackgroundTaskTest.moc"
