// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Board.h"
#include "support/BoardFixture.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

// Boards chosen for their regions. Each states how many regions its empty cells make when
// joined by sides only, and when joined by sides or corners; the test checks both counts
// before relying on them.
struct RegionBoard {
    const char* name;
    std::vector<int> mines; // in the order drawn
    int bySides;
    int byCorners;
};

const std::vector<RegionBoard>& regionBoards() {
    static const std::vector<RegionBoard> boards{
        {"one region", {60, 74, 62, 68, 78, 27, 26, 63, 83, 81}, 1, 1},
        {"three regions apart", {61, 86, 38, 55, 73, 13, 94, 35, 43, 32}, 3, 3},
        // 35 and 46 touch at a corner between 36 and 45.
        {"two regions joined at a corner", {74, 53, 54, 16, 64, 84, 9, 27, 11, 29}, 2, 1},
        // 22/33 joins the second region to the first, then 38/49 the third to the second.
        {"chain joined top down", {79, 30, 61, 41, 18, 94, 20, 57, 14, 82}, 3, 1},
        // 17/28 joins the second region to the first, then 77/86 the first to the third.
        {"chain joined at its top last", {46, 45, 47, 9, 36, 56, 23, 65, 98, 59}, 3, 1},
        // The third region is reached from the first (12/23) and then from the second (39/48).
        {"region joined from two sides", {27, 60, 82, 52, 4, 8, 31, 53, 77, 7}, 3, 1},
        {"a joined pair beside a region apart", {25, 90, 74, 27, 60, 68, 97, 19, 56, 85}, 3, 2},
    };
    return boards;
}

int distinctLabels(const reference::CellTable& labels) {
    return static_cast<int>(std::set<int>(labels.begin() + 1, labels.end()).size()) -
           (std::count(labels.begin() + 1, labels.end(), 0) > 0 ? 1 : 0);
}

class ChiffrageTest : public ::testing::Test, public BoardFixture {};

} // namespace

TEST_F(ChiffrageTest, NumbersOfAHandMadeBoard) {
    // Mines in column 10 (20, 30) and column 1 (41, 61): no count wraps round a row's end.
    dealPicture(".........."
                "...*...*.*"
                ".........*"
                ".........."
                "*........."
                "......*..."
                "*........."
                "........*."
                ".*........"
                "...*......");
    EXPECT_EQ(contents().toStdString(), "..111.1121\n"
                                        "..1*1.1*3*\n"
                                        "..111.113*\n"
                                        "11......11\n"
                                        "*1...111..\n"
                                        "22...1*1..\n"
                                        "*1...11211\n"
                                        "221....1*1\n"
                                        "1*211..111\n"
                                        "112*1.....");
}

TEST_F(ChiffrageTest, CornersAndEdgesCountOnlyTheirCellsOnTheBoard) {
    // 20 ends row 2 and 21 starts row 3: by index each looks like the other's neighbour.
    deal({3, 12, 13, 8, 18, 19, 20, 21, 89, 90});
    const std::vector<std::pair<int, int>> expected{
        {1, 1},   // 12 (of 2, 11, 12)
        {2, 3},   // 3, 12, 13
        {9, 4},   // 8, 18, 19, 20
        {10, 2},  // 19, 20
        {11, 2},  // 12, 21; not 20
        {30, 2},  // 19, 20; not 21
        {31, 1},  // 21; not 20
        {99, 2},  // 89, 90
        {100, 2}, // 89, 90
    };
    for (const auto& [n, count] : expected) {
        EXPECT_EQ(content(n), count) << n;
    }
}

TEST_F(ChiffrageTest, RegionsAreTheEmptyCellsJoinedBySidesAndCorners) {
    for (const RegionBoard& b : regionBoards()) {
        SCOPED_TRACE(b.name);
        deal(b.mines);
        const auto table = reference::contents(b.mines);
        ASSERT_EQ(distinctLabels(reference::regions(table, false)), b.bySides);
        ASSERT_EQ(distinctLabels(reference::regions(table, true)), b.byCorners);
        EXPECT_TRUE(reference::regionValuesAgree(game.v.CouleurZone, table));
    }
}

TEST_F(ChiffrageTest, RegionsAreColouredInTheOrderOfTheirFirstCell) {
    deal(regionBoards()[0].mines);
    for (int n = 1; n <= 100; ++n) {
        if (content(n) == 0) {
            EXPECT_EQ(zone(n), 6765) << n;
        }
    }

    deal(regionBoards()[1].mines);
    const auto labels = reference::regions(reference::contents(regionBoards()[1].mines), true);
    const std::map<int, Colour> expected{{1, 6765}, {2, 14526}, {3, 22267}};
    for (int n = 1; n <= 100; ++n) {
        if (labels[n] != 0) {
            EXPECT_EQ(zone(n), expected.at(labels[n])) << n;
        }
    }
}

TEST_F(ChiffrageTest, RegionBelowACornerTakesTheColourOfTheRegionAbove) {
    // 46 starts the second region (14526) and joins the first one above it through 35.
    deal(regionBoards()[2].mines);
    EXPECT_EQ(zone(35), 6765);
    EXPECT_EQ(zone(46), 6765);
    EXPECT_EQ(zone(100), 6765);
}

TEST_F(ChiffrageTest, NumberCellsHoldWhatTheirSamplePointShows) {
    for (const RegionBoard& b : regionBoards()) {
        SCOPED_TRACE(b.name);
        deal(b.mines);
        for (int n = 1; n <= 100; ++n) {
            if (content(n) >= 1 && content(n) <= 8) {
                const QPoint p = board::samplePoint(n);
                EXPECT_EQ(zone(n), game.PicFond.pixel(p.x(), p.y())) << n;
                EXPECT_TRUE(zone(n) == colours::BoardBackground || zone(n) == game.v.Cases[n][4])
                    << n;
            }
        }
    }
}

TEST_F(ChiffrageTest, PictureEndsWithGridRedMinesAndDigitsOnly) {
    for (const RegionBoard& b : regionBoards()) {
        SCOPED_TRACE(b.name);
        deal(b.mines);
        EXPECT_EQ(game.PicFond.image(), expectedPicture());
        EXPECT_EQ(game.PicFond.fillStyle(), Picture::FillStyle::Transparent);
        EXPECT_EQ(game.v.CouleurCadre, colours::Yellow);
    }
}

TEST_F(ChiffrageTest, ColumnFourKeepsTheColourOfTheLastDealWhereTheCellWasNumbered) {
    deal({74, 53, 54, 16, 64, 84, 9, 27, 11, 29});
    ASSERT_EQ(content(28), 2); // 27, 29
    ASSERT_EQ(content(20), 2); // 9, 29
    const Colour was28 = game.v.Cases[28][4];
    const Colour was20 = game.v.Cases[20][4];

    // 28 becomes a mine, 20 an empty cell; 55 has never been a number cell.
    deal({28, 44, 45, 46, 66, 67, 68, 86, 87, 88});
    ASSERT_EQ(content(28), 9);
    ASSERT_EQ(content(20), 0);
    EXPECT_EQ(game.v.Cases[28][4], was28);
    EXPECT_EQ(game.v.Cases[20][4], was20);
    EXPECT_EQ(game.v.Cases[86][4], 0);
    // The 9 under mine 28 is printed in that old colour, under 86 in black.
    EXPECT_EQ(game.PicFond.image(), expectedPicture());
}

TEST_F(ChiffrageTest, DigitsStayInsideTheirCellAndOffTheRegionPoint) {
    const QPoint s = board::samplePoint(55);
    const int left = s.x() - 27;
    const int top = s.y() - 27;
    for (int d = 1; d <= 9; ++d) {
        Picture p;
        p.setForeColour(colours::Black);
        p.setTextPosition(s.x() - 13, s.y() - 27);
        p.print(QString::number(d));
        int inside = 0;
        for (int y = 0; y < Picture::Size; ++y) {
            for (int x = 0; x < Picture::Size; ++x) {
                if (p.pixel(x, y) == colours::Black) {
                    EXPECT_TRUE(x > left && x < left + 50 && y > top && y < top + 50)
                        << d << " at " << x << "," << y;
                    ++inside;
                }
            }
        }
        EXPECT_GT(inside, 0) << d;
        EXPECT_NE(p.pixel(s.x() - 20, s.y() - 20), colours::Black) << d;
    }
}

TEST_F(ChiffrageTest, EncadreDrawsTheCellSquareOnTheGridLines) {
    game.PicFond.clear();
    game.PicFond.setFillStyle(Picture::FillStyle::Solid);
    game.PicFond.setFillColour(colours::Red);
    const QPoint s = board::samplePoint(37); // square 300..350 x 150..200
    game.Encadre(s.x(), s.y(), colours::Yellow);
    EXPECT_EQ(game.PicFond.fillStyle(), Picture::FillStyle::Transparent);
    int yellow = 0;
    for (int y = 0; y < Picture::Size; ++y) {
        for (int x = 0; x < Picture::Size; ++x) {
            const Colour c = game.PicFond.pixel(x, y);
            const bool edge = ((x == 300 || x == 350) && y >= 150 && y <= 200) ||
                              ((y == 150 || y == 200) && x >= 300 && x <= 350);
            EXPECT_EQ(c, edge ? colours::Yellow : colours::BoardBackground) << x << "," << y;
            yellow += c == colours::Yellow;
        }
    }
    EXPECT_EQ(yellow, 200);
}
