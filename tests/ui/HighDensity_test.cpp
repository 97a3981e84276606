// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Board.h"
#include "support/WindowFixture.h"
#include "ui/BoardView.h"

#include <QWindow>
#include <gtest/gtest.h>

// This program runs on a screen of twice the density, as a high-density screen is: Qt reads
// the factor once, when the application object is made, so it is set as the program loads.
static const bool ScaledScreen = qputenv("QT_SCALE_FACTOR", "2");

namespace {

constexpr int Scale = 2;
const std::vector<int> Mines{2, 3, 4, 5, 6, 7, 8, 9, 12, 13};

bool isMine(int cell) {
    return std::find(Mines.begin(), Mines.end(), cell) != Mines.end();
}

struct HighDensityTest : ::testing::Test, WindowFixture {
    void SetUp() override {
        ASSERT_TRUE(ScaledScreen);
        ASSERT_DOUBLE_EQ(window->windowHandle()->devicePixelRatio(), Scale);
    }

    // The window as it is painted for the screen, in device pixels. (The offscreen screen's own
    // grab gives the window scaled back to its logical size.)
    QImage screenshot() const {
        const QPixmap shot = window->grab();
        EXPECT_DOUBLE_EQ(shot.devicePixelRatio(), Scale);
        return shot.toImage().convertToFormat(QImage::Format_RGB32);
    }
};

TEST_F(HighDensityTest, TheWindowDoublesInDevicePixels) {
    EXPECT_EQ(window->size(), QSize(684, 534));
    const QImage shot = screenshot();
    EXPECT_EQ(shot.size(), QSize(1368, 1068));
}

TEST_F(HighDensityTest, EveryBoardPixelIsABlockOfItsExactColour) {
    dealThroughWindow(Mines);
    leftClick(2); // lost: every cell uncovered
    ASSERT_FALSE(game.gameInProgress());
    const QImage shot = screenshot();
    const QImage& picture = game.PicFond.image();
    ASSERT_EQ(picture.size(), QSize(502, 502));
    int compared = 0;
    int mismatches = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            // The mine pictures stand over the mine cells; the digits are drawn at the
            // screen's density (checked with the fractional scales).
            const int cell = board::cellAt(std::min(y / board::Pitch + 1, board::Side),
                                           std::min(x / board::Pitch + 1, board::Side));
            if (isMine(cell) || game.v.Cases[cell][3] != 0) {
                continue;
            }
            const QRgb want = picture.pixel(x, y) | 0xFF000000;
            for (int dy = 0; dy < Scale; ++dy) {
                for (int dx = 0; dx < Scale; ++dx) {
                    ++compared;
                    mismatches += shot.pixel(Scale * x + dx, Scale * y + dy) != want;
                }
            }
        }
    }
    EXPECT_GT(compared, Scale * Scale * 502 * 502 / 3);
    EXPECT_EQ(mismatches, 0);
}

// The face drawn on a cell, as device pixels: the picture rendered at twice its size matches it
// where the picture is opaque, and the picture of its own size blown up does not.
TEST_F(HighDensityTest, FacesAreDrawnAtTheScreensDensity) {
    dealThroughWindow(Mines);
    const int cell = 55;
    const QImage shot = screenshot();
    const QRect button = board::buttonRect(cell);
    const QImage onScreen = shot.copy(QRect(button.topLeft() * Scale, button.size() * Scale));

    const QIcon& face = game.c.Nuage.picture;
    const QImage sharp = face.pixmap(QSize(44, 44), Scale).toImage();
    ASSERT_EQ(sharp.size(), QSize(88, 88));
    const QImage blown = face.pixmap(QSize(44, 44), 1.0)
                             .toImage()
                             .scaled(88, 88, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(sharp.format());

    // Where the style puts the face inside the button: the place of the best match.
    const auto mismatches = [&](const QImage& picture, QPoint at) {
        int count = 0;
        int opaque = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb p = picture.pixel(x, y);
                if (qAlpha(p) != 255 || qAlpha(sharp.pixel(x, y)) != 255) {
                    continue;
                }
                ++opaque;
                const QRgb s = onScreen.pixel(at.x() + x, at.y() + y);
                count += std::abs(qRed(s) - qRed(p)) + std::abs(qGreen(s) - qGreen(p)) +
                             std::abs(qBlue(s) - qBlue(p)) >
                         6;
            }
        }
        EXPECT_GT(opaque, 88 * 88 / 4);
        return count;
    };
    QPoint best;
    int bestCount = -1;
    for (int y = 0; y + 88 <= onScreen.height(); ++y) {
        for (int x = 0; x + 88 <= onScreen.width(); ++x) {
            const int count = mismatches(sharp, {x, y});
            if (bestCount < 0 || count < bestCount) {
                best = {x, y};
                bestCount = count;
            }
        }
    }
    EXPECT_EQ(bestCount, 0) << "at " << best.x() << "," << best.y();
    EXPECT_GT(mismatches(blown, best), 100);
}

} // namespace
