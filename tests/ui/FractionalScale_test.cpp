// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Board.h"
#include "support/WindowFixture.h"
#include "ui/BoardRenderer.h"

#include <QWindow>
#include <gtest/gtest.h>
#include <set>

// A screen scaled by one and a half, as a desktop set to 150 % is, unless the run sets another
// scale (the build runs this test at 1.25, 1.75 and 2 too): Qt reads the factor once, when the
// application object is made.
static const bool ScaledScreen =
    qEnvironmentVariableIsSet("QT_SCALE_FACTOR") || qputenv("QT_SCALE_FACTOR", "1.5");

namespace {

const qreal Scale = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
const std::vector<int> Mines{2, 3, 4, 5, 6, 7, 8, 9, 12, 13};

int at(int logical) {
    return BoardRenderer::edge(logical, Scale);
}

// The whole board uncovered on the scaled screen, against the picture the game reads: the same
// grid, red squares and digits, each line as wide as the next and no colour of its own at any edge.
TEST(FractionalScale, TheBoardIsDrawnSharpAtTheScreensResolution) {
    ASSERT_TRUE(ScaledScreen);
    WindowFixture f;
    ASSERT_DOUBLE_EQ(f.window->windowHandle()->devicePixelRatio(), Scale);
    f.dealThroughWindow(Mines);
    f.leftClick(2); // lost: every cell uncovered
    const QImage shot = f.window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage& picture = f.game.PicFond.image();
    ASSERT_EQ(picture.size(), QSize(502, 502));
    const QRgb black = toQRgb(colours::Black);
    const QRgb plain = toQRgb(colours::BoardBackground);

    // Every grid line as wide as the scale, rounded, from end to end.
    const int width = BoardRenderer::lineWidth(Scale);
    ASSERT_EQ(width, qRound(Scale));
    for (int k = 0; k <= board::GridEnd; k += board::Pitch) {
        for (int along = 0; along < at(board::GridEnd) + width; ++along) {
            for (int d = 0; d < width; ++d) {
                ASSERT_EQ(shot.pixel(at(k) + d, along), black) << "column line " << k;
                ASSERT_EQ(shot.pixel(along, at(k) + d), black) << "row line " << k;
            }
        }
    }

    for (int n = 1; n <= board::Cells; ++n) {
        SCOPED_TRACE(n);
        const QRect logical(board::Pitch * (board::column(n) - 1) + 1,
                            board::Pitch * (board::row(n) - 1) + 1, board::Pitch - 1,
                            board::Pitch - 1);
        const QRect device(QPoint(at(logical.left() - 1) + width, at(logical.top() - 1) + width),
                           QPoint(at(logical.right() + 1) - 1, at(logical.bottom() + 1) - 1));
        // The colours of the cell in the picture, and how much of it each covers.
        std::map<QRgb, int> inPicture;
        for (int y = logical.top(); y <= logical.bottom(); ++y) {
            for (int x = logical.left(); x <= logical.right(); ++x) {
                ++inPicture[picture.pixel(x, y) | 0xFF000000];
            }
        }
        if (f.game.v.Cases[n][3] == 9) {
            // Under its mine picture: the red square's corner.
            EXPECT_EQ(shot.pixel(device.topLeft()), toQRgb(colours::Red));
            continue;
        }
        // The cell on screen, and its digit's ink against the picture's pixel beneath.
        const int number = f.game.v.Cases[n][3];
        const QRgb ink = toQRgb(f.game.v.Cases[n][4]);
        std::map<QRgb, int> onScreen;
        int inked = 0;
        int matched = 0;
        int blownUp = 0;
        for (int y = device.top(); y <= device.bottom(); ++y) {
            for (int x = device.left(); x <= device.right(); ++x) {
                const QRgb rgb = shot.pixel(x, y);
                const QRgb from =
                    picture.pixel(static_cast<int>(x / Scale), static_cast<int>(y / Scale)) |
                    0xFF000000;
                ++onScreen[rgb];
                inked += rgb == ink;
                matched += rgb == ink && from == ink;
                blownUp += (from == ink) != (rgb == ink);
            }
        }
        // The pixels next to a grid line are the cell's, never a blend with the line.
        for (const auto& [rgb, pixels] : onScreen) {
            EXPECT_TRUE(inPicture.count(rgb) == 1) << std::hex << rgb << " not in the picture";
        }
        if (number == 0) {
            EXPECT_EQ(onScreen.size(), 1u);
            EXPECT_EQ(onScreen.begin()->first, plain);
            continue;
        }
        // The digit, in its colour, covering as much of the cell as in the picture, and in the
        // same place: its ink on screen, taken back to the picture's pixels, lands on its ink
        // there.
        ASSERT_EQ(inPicture.size(), 2u);
        const double expected = inPicture[ink] * Scale * Scale;
        EXPECT_NEAR(onScreen[ink], expected, expected * 0.15) << number;
        EXPECT_GT(matched, inked * 85 / 100) << number;
        // Drawn at the screen's resolution: not the picture's pixels blown up, where each
        // pixel of the picture becomes a block of one or two device pixels a side.
        EXPECT_GT(blownUp, inked / 50) << number;
    }
}

} // namespace
