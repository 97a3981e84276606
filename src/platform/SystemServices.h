// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Services.h"

#include <QElapsedTimer>
#include <random>

// The game's random source: uniform doubles in [0, 1) from a generator re-seeded at every deal.
class SystemRandom : public RandomSource {
public:
    void seed(float secondsSinceMidnight) override;
    double next() override;

private:
    std::mt19937_64 engine_;
};

// The local time of day, and a monotonic clock for elapsed times.
class SystemClock : public GameClock {
public:
    SystemClock();
    double timeOfDay() override;
    std::int64_t monotonicMs() override;

private:
    QElapsedTimer monotonic_;
};
