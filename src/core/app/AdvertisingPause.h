// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <functional>

namespace Quillet {

/// The advertising pause's clock, without any widget: a countdown in repaint ticks
/// (500 ms each) to the next pause, and the seconds gauge that `Timer1` counts down
/// while a pause shows.
///
/// At start the countdown is 120 + a random 0…119 ticks (60 to 120 s) and the gauge
/// stands at 30 with its one-second timer running, so it runs down once unseen. Each
/// pause lasts 30 gauge seconds; when it starts, the next comes 1680 + a random 0…239
/// ticks later (14 to 16 minutes).
class AdvertisingPause {
public:
    /// Returns an integer in 0…bound − 1 (bound ≥ 1).
    using RandomSource = std::function<int(int bound)>;

    static constexpr int kFirstTicks = 120;
    static constexpr int kFirstSpread = 120;
    static constexpr int kNextTicks = 1680;
    static constexpr int kNextSpread = 240;
    static constexpr int kSeconds = 30;

    /// The first countdown is drawn at once from `random`; an empty source uses the
    /// program's seeded generator. A value out of 0…bound − 1 is clamped into it.
    explicit AdvertisingPause(RandomSource random = {});

    /// Repaint ticks a pause waits after the user last pressed a key or a button in the
    /// panel it stands in for (3 s): it must not take what the user is typing or clicking.
    static constexpr int kQuietTicks = 6;

    /// End of one repaint tick: the countdown goes down by one while above zero. Returns
    /// true exactly when it has just reached zero: the pause starts now (gauge at 30,
    /// timer running, shown) and the countdown is drawn anew. A pause that falls due waits
    /// (the countdown stays at its last tick) while `editorOpen` — the editing area lives in
    /// the panel the pause covers — and until kQuietTicks ticks have passed since the user
    /// was last busy (userBusy).
    bool repaintTick(bool editorOpen = false);
    /// The user pressed a key or a mouse button in the panel a pause would cover.
    void userBusy() { m_quietTicks = kQuietTicks; }
    /// One `Timer1` second, ignored while the timer is stopped: the gauge goes down by
    /// one; at zero the pause ends (hidden) and the timer stops. Returns true when the
    /// pause ended at this second.
    bool timerTick();

    /// Repaint ticks until the next pause.
    int countdown() const { return m_countdown; }
    /// Seconds the gauge shows.
    int secondsLeft() const { return m_seconds; }
    /// Whether `Timer1` runs.
    bool timerRunning() const { return m_timerRunning; }
    /// Whether the advertisement stands in place of the settings panel.
    bool showing() const { return m_showing; }

private:
    int draw(int base, int spread);

    RandomSource m_random;
    int m_countdown = 0;
    int m_seconds = kSeconds;
    bool m_timerRunning = true;
    bool m_showing = false;
    int m_quietTicks = 0;
};

} // namespace Quillet
