// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Plays games on the settings file beside the executable path it is given: a line "g" wins one,
// "p" loses one; it answers "ok" once the game is over, and waits for the next line until it is
// killed.
#include "support/BoardFixture.h"
#include "support/Play.h"

#include <QGuiApplication>
#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    // The board picture draws its digits with the application's fonts.
    QGuiApplication app(argc, argv);
    BoardFixture f;
    f.game.Form_Load(QString::fromLocal8Bit(argv[1]));
    const std::vector<int> mines = {2, 3, 4, 5, 6, 7, 8, 9, 11, 12};
    for (std::string line; std::getline(std::cin, line);) {
        f.deal(mines);
        f.advance(42);
        f.game.Timer1_Timer();
        if (line == "g") {
            for (const int cell : play::safeCells(f)) {
                f.game.BtnBomb_Click(cell);
            }
        } else {
            f.game.BtnBomb_Click(mines[0]);
        }
        std::puts(f.game.gameInProgress() ? "still playing" : "ok");
        std::fflush(stdout);
    }
    return 0;
}
