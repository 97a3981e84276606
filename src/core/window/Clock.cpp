// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/window/Clock.h"
#include "core/Game.h"

#include <algorithm>

QString clockText(std::int64_t seconds) {
    if (seconds < 0) {
        seconds = 0;
    }
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void Game::Timer1_Timer() {
    // Elapsed time comes from the monotonic clock started at the deal, in whole seconds: the
    // time of day may go back at midnight, at a change of summer time or when it is set.
    const std::int64_t elapsed = (clock_.monotonicMs() - dealMonotonicMs_) / 1000;
    controls_.TempsActuel.text = clockText(elapsed);
}

int Game::msToNextTick() {
    const std::int64_t period = controls_.Timer1.interval > 0 ? controls_.Timer1.interval : 1000;
    const std::int64_t elapsed = std::max<std::int64_t>(clock_.monotonicMs() - dealMonotonicMs_, 0);
    return static_cast<int>(period - elapsed % period);
}
