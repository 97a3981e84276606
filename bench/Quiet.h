// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Services.h"

// A clock that never moves and a player that plays nothing: what a benchmark of the game's own
// work wants around it.
class StillClock : public GameClock {
public:
    double timeOfDay() override { return 0.5; }
    std::int64_t monotonicMs() override { return 0; }
};

class Silence : public SoundPlayer {
public:
    void play(const QString&) override {}
};
