// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/SystemServices.h"

#include <QTime>
#include <bit>

void SystemRandom::seed(float secondsSinceMidnight) {
    // The same instant of the day, as a float (to about 1/128 s), gives the same deal.
    engine_.seed(std::bit_cast<std::uint32_t>(secondsSinceMidnight));
}

double SystemRandom::next() {
    // 53 random bits scaled into [0, 1): never 1, which would draw a cell off the range.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

SystemClock::SystemClock() {
    monotonic_.start();
}

double SystemClock::timeOfDay() {
    // With the milliseconds: the deal is seeded from it, and two deals within one second must
    // still differ.
    return QTime::currentTime().msecsSinceStartOfDay() / 86'400'000.0;
}

std::int64_t SystemClock::monotonicMs() {
    return monotonic_.elapsed();
}
