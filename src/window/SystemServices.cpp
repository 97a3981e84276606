// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/SystemServices.h"

#include <QTime>
#include <bit>

void SystemRandom::seed(float secondsSinceMidnight) {
    // The same second of the day gives the same deal, as with the time-of-day seed it stands for.
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
    const int secondes = QTime::currentTime().msecsSinceStartOfDay() / 1000;
    return secondes / 86400.0;
}

std::int64_t SystemClock::monotonicMs() {
    return monotonic_.elapsed();
}
