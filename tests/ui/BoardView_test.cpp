// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What the board shows between the buttons: nothing of a covered cell, everything of a revealed
// one.
#include "core/Board.h"
#include "support/WindowFixture.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

QRgb shown(WindowFixture& f, QPoint p) {
    return f.widget(QStringLiteral("PicFond"))->grab().toImage().pixel(p);
}

TEST(BoardView, StripsBetweenButtonsGiveNothingAwayUntilTheCellIsRevealed) {
    WindowFixture f;
    // Mines on an inner cell and on a cell of the first column, whose square reaches the edge.
    f.dealThroughWindow({45, 21, 2, 3, 4, 5, 6, 7, 8, 9});
    const QRgb plain = toQRgb(colours::BoardBackground);
    const QRgb red = toQRgb(colours::Red);
    // The strips left of and above each button, inside the mine's square.
    const QPoint strips[] = {{201, 220}, {220, 201}, {1, 120}, {20, 101}};
    for (QPoint p : strips) {
        ASSERT_EQ(toQRgb(f.game.PicFond.pixel(p.x(), p.y())), red) << p.x() << "," << p.y();
        EXPECT_EQ(shown(f, p), plain) << p.x() << "," << p.y();
    }
    f.leftClick(45); // lost: the whole board is uncovered
    for (QPoint p : strips) {
        EXPECT_EQ(shown(f, p), red) << p.x() << "," << p.y();
    }
}

} // namespace
