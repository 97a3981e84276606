// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Game.h"

// A game whose state is open: tests and benchmarks rig and inspect it directly.
struct TestGame : Game {
    using Game::Game;
    TestGame(const TestGame&) = delete; // v and c would still name the original's state

    Tervalo1& v = vars_;
    Controls& c = controls_;
};
