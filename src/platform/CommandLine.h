// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>
#include <optional>

// Reads the command line before anything needs a display. --help and --version print and give
// status 0; an option the game does not know prints the usage on stderr and gives status 2.
// Without an exit status the game starts. Qt's own options (-platform, -style, -display…) are
// accepted and left for QApplication.
std::optional<int> handleCommandLine(int argc, char** argv);

// Held while QApplication is made: when Qt finds no display to open a window on, the game
// prints one line saying so and exits with status 1, where Qt would abort. The messages Qt
// gives on the way are kept back and passed on only if the start-up goes on.
class DisplayGuard {
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

private:
    QtMessageHandler previous_;
};
