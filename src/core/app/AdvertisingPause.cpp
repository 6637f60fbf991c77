// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/AdvertisingPause.h"

#include <QRandomGenerator>

#include <algorithm>

namespace Quillet {

AdvertisingPause::AdvertisingPause(RandomSource random) : m_random(std::move(random))
{
    if (!m_random) {
        m_random = [](int bound) { return int(QRandomGenerator::global()->bounded(bound)); };
    }
    m_countdown = draw(kFirstTicks, kFirstSpread);
}

int AdvertisingPause::draw(int base, int spread)
{
    return base + std::clamp(m_random(spread), 0, spread - 1);
}

bool AdvertisingPause::repaintTick(bool editorOpen)
{
    if (m_quietTicks > 0)
        --m_quietTicks;
    if (m_countdown < 1)
        return false;
    if (m_countdown == 1 && (editorOpen || m_quietTicks > 0))
        return false;
    if (--m_countdown > 0)
        return false;
    m_seconds = kSeconds;
    m_timerRunning = true;
    m_showing = true;
    m_countdown = draw(kNextTicks, kNextSpread);
    return true;
}

bool AdvertisingPause::timerTick()
{
    if (!m_timerRunning)
        return false;
    if (--m_seconds > 0)
        return false;
    m_timerRunning = false;
    const bool ended = m_showing;
    m_showing = false;
    return ended;
}

} // namespace Quillet
