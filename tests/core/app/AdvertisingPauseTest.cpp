// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/AdvertisingPause.h"

#include <QTest>

#include <deque>

using namespace Quillet;

namespace {

// Hands out the given values in turn and records the bounds it was asked for.
struct ScriptedRandom {
    std::deque<int> values;
    QList<int> bounds;
};

AdvertisingPause::RandomSource scripted(ScriptedRandom& script)
{
    return [&script](int bound) {
        script.bounds.append(bound);
        const int value = script.values.front();
        script.values.pop_front();
        return value;
    };
}

// Repaint ticks until one starts a pause; -1 when none does within `limit`.
int ticksToPause(AdvertisingPause& pause, int limit = 5000)
{
    for (int tick = 1; tick <= limit; ++tick) {
        if (pause.repaintTick())
            return tick;
    }
    return -1;
}

} // namespace

class AdvertisingPauseTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pausesComeAtTheDrawnTicks_data();
    void pausesComeAtTheDrawnTicks();
    void gaugeRunsDownUnseenAtStart();
    void pauseLastsThirtySeconds();
    void duePauseWaitsForTheUser_data();
    void duePauseWaitsForTheUser();
    void programGeneratorStaysInRange();
};

void AdvertisingPauseTest::pausesComeAtTheDrawnTicks_data()
{
    QTest::addColumn<int>("firstDraw");
    QTest::addColumn<int>("nextDraw");
    QTest::addColumn<int>("firstTick");
    QTest::addColumn<int>("nextTicks");
    QTest::newRow("earliest") << 0 << 0 << 120 << 1680;
    QTest::newRow("latest") << 119 << 239 << 239 << 1919;
    QTest::newRow("middle") << 57 << 100 << 177 << 1780;
    // A source that ignores its bound cannot push a pause outside its window.
    QTest::newRow("too large clamped") << 500 << 1000 << 239 << 1919;
    QTest::newRow("negative clamped") << -4 << -1 << 120 << 1680;
}

void AdvertisingPauseTest::pausesComeAtTheDrawnTicks()
{
    QFETCH(int, firstDraw);
    QFETCH(int, nextDraw);
    QFETCH(int, firstTick);
    QFETCH(int, nextTicks);
    ScriptedRandom random{{firstDraw, nextDraw, 0}, {}};
    AdvertisingPause pause(scripted(random));
    QCOMPARE(random.bounds, QList<int>{120});

    QCOMPARE(ticksToPause(pause), firstTick);
    QVERIFY(pause.showing());
    QVERIFY(pause.timerRunning());
    QCOMPARE(pause.secondsLeft(), 30);
    QCOMPARE(random.bounds, (QList<int>{120, 240}));

    // The next one is counted from the start of this one, whether or not it has ended.
    for (int s = 0; s < 30; ++s)
        pause.timerTick();
    QVERIFY(!pause.showing());
    QCOMPARE(ticksToPause(pause), nextTicks);
    QVERIFY(pause.showing());
}

// The first pause falls due at tick 120 here; what the user does around then decides
// when it starts.
void AdvertisingPauseTest::duePauseWaitsForTheUser_data()
{
    QTest::addColumn<int>("editorOpenUntil"); // the editing area is open through this tick
    QTest::addColumn<int>("busyAt");          // a key or click in the settings column; 0 none
    QTest::addColumn<int>("startTick");
    QTest::newRow("nothing in the way") << 0 << 0 << 120;
    QTest::newRow("an editor open at the due tick: starts once it closes") << 150 << 0 << 151;
    QTest::newRow("an editor closed before it falls due: on time") << 100 << 0 << 120;
    QTest::newRow("typing just before: three quiet seconds first") << 0 << 118 << 123;
    QTest::newRow("typing long before: on time") << 0 << 100 << 120;
    QTest::newRow("typing while it waits for an editor") << 150 << 149 << 154;
}

void AdvertisingPauseTest::duePauseWaitsForTheUser()
{
    QFETCH(int, editorOpenUntil);
    QFETCH(int, busyAt);
    QFETCH(int, startTick);
    ScriptedRandom random{{0, 0}, {}};
    AdvertisingPause pause(scripted(random));
    int started = -1;
    for (int tick = 1; tick <= 300 && started < 0; ++tick) {
        if (tick == busyAt)
            pause.userBusy();
        if (pause.repaintTick(tick <= editorOpenUntil))
            started = tick;
    }
    QCOMPARE(started, startTick);
    QCOMPARE(pause.countdown(), 1680); // the next one counts from this start
}

void AdvertisingPauseTest::gaugeRunsDownUnseenAtStart()
{
    ScriptedRandom random{{0, 0}, {}};
    AdvertisingPause pause(scripted(random));
    QVERIFY(pause.timerRunning());
    QCOMPARE(pause.secondsLeft(), 30);
    for (int s = 1; s <= 30; ++s) {
        QVERIFY2(!pause.timerTick(), "nothing was shown, so nothing ends");
        QVERIFY(!pause.showing());
        QCOMPARE(pause.secondsLeft(), 30 - s);
        QCOMPARE(pause.timerRunning(), s < 30);
    }
    // The stopped timer leaves the gauge at zero; the repaint countdown never moved.
    QVERIFY(!pause.timerTick());
    QCOMPARE(pause.secondsLeft(), 0);
    QCOMPARE(pause.countdown(), 120);
    QCOMPARE(ticksToPause(pause), 120);
}

void AdvertisingPauseTest::pauseLastsThirtySeconds()
{
    ScriptedRandom random{{0, 0, 0}, {}};
    AdvertisingPause pause(scripted(random));
    // Only a few seconds of the start-up run have passed when the first pause comes.
    pause.timerTick();
    QVERIFY(pause.timerRunning());
    QCOMPARE(ticksToPause(pause), 120);
    QCOMPARE(pause.secondsLeft(), 30);
    for (int s = 1; s < 30; ++s) {
        QVERIFY(!pause.timerTick());
        QVERIFY(pause.showing());
        pause.repaintTick();
    }
    QCOMPARE(pause.secondsLeft(), 1);
    QVERIFY(pause.timerTick());
    QVERIFY(!pause.showing());
    QVERIFY(!pause.timerRunning());
    QCOMPARE(pause.countdown(), 1680 - 29);
}

void AdvertisingPauseTest::programGeneratorStaysInRange()
{
    int earliest = 1000;
    int latest = 0;
    for (int i = 0; i < 2000; ++i) {
        AdvertisingPause pause;
        earliest = std::min(earliest, pause.countdown());
        latest = std::max(latest, pause.countdown());
    }
    QVERIFY2(earliest >= 120 && latest <= 239,
             qPrintable(QStringLiteral("%1…%2").arg(earliest).arg(latest)));
    // 2000 draws over 120 values reach both ends but for a chance of about 1e-7.
    QCOMPARE(earliest, 120);
    QCOMPARE(latest, 239);
}

QTEST_APPLESS_MAIN(AdvertisingPauseTest)
#include "AdvertisingPauseTest.moc"
