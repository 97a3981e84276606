// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Services.h"

#include <QRgb>
#include <QStringList>
#include <cstdlib>
#include <deque>
#include <random>
#include <vector>

// Random numbers: a fixed list first (then a seeded generator), so a test chooses every draw.
class FixedRandom : public RandomSource {
public:
    explicit FixedRandom(std::vector<double> values = {}, unsigned seed = 1)
        : values_(values.begin(), values.end()), engine_(seed) {}
    void seed(float s) override { seeds.push_back(s); }
    double next() override {
        if (!values_.empty()) {
            const double v = values_.front();
            values_.pop_front();
            return v;
        }
        return std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
    }
    void push(const std::vector<double>& values) {
        values_.insert(values_.end(), values.begin(), values.end());
    }
    std::vector<float> seeds;

private:
    std::deque<double> values_;
    std::mt19937_64 engine_;
};

// A clock the test sets by hand.
class ManualClock : public GameClock {
public:
    double timeOfDay() override { return dayFraction; }
    std::int64_t monotonicMs() override { return monotonic; }
    double dayFraction = 0.5;
    std::int64_t monotonic = 1'000'000;
};

// Records every request instead of playing it.
class RecordingPlayer : public SoundPlayer {
public:
    void play(const QString& fileName) override { played << fileName; }
    QStringList played;
};

// The draw r that gives cell n in a deal (cell = floor(r * 97 + 2)).
inline double drawFor(int cell) {
    return (cell - 2 + 0.5) / 97.0;
}

// The draws that deal these mines, in this order.
template <typename Cells> std::vector<double> drawsFor(const Cells& mines) {
    std::vector<double> draws;
    for (const int m : mines) {
        draws.push_back(drawFor(m));
    }
    return draws;
}

// Two colours within `tolerance` of each other in every channel (a shaded or smoothed edge).
inline bool near(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}
