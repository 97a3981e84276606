// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <cstdint>

// What the game takes from the outside world. The game uses real ones; tests give fixed ones.

// Uniform doubles in [0, 1), re-seeded at every deal from the time of day.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seed(float secondsSinceMidnight) = 0;
    virtual double next() = 0;
};

class GameClock {
public:
    virtual ~GameClock() = default;
    // Local time of day, in days (the fraction of the day elapsed), to the millisecond.
    virtual double timeOfDay() = 0;
    // A monotonic reading in milliseconds: never goes back, unaffected by setting the clock.
    virtual std::int64_t monotonicMs() = 0;
};

// Starts a sound file named like "\POP.wav" from the executable's directory; never blocks
// and never reports a failure to the game.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& fileName) = 0;
};
