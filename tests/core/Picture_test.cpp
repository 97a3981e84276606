// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Picture.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <utility>
#include <vector>

namespace {
constexpr Colour Back = colours::BoardBackground;

using Points = std::set<std::pair<int, int>>;

// Every pixel that is not the background.
Points drawn(const Picture& p) {
    Points points;
    for (int y = 0; y < Picture::Size; ++y) {
        for (int x = 0; x < Picture::Size; ++x) {
            if (p.pixel(x, y) != Back) {
                points.emplace(x, y);
            }
        }
    }
    return points;
}

int countOf(const Picture& p, Colour c) {
    int count = 0;
    for (int y = 0; y < Picture::Size; ++y) {
        for (int x = 0; x < Picture::Size; ++x) {
            count += p.pixel(x, y) == c;
        }
    }
    return count;
}

Points rectangle(int left, int top, int right, int bottom) {
    Points points;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            points.emplace(x, y);
        }
    }
    return points;
}
} // namespace

TEST(Picture, StartsAndClearsToItsBackground) {
    Picture p;
    EXPECT_EQ(p.image().size(), QSize(502, 502));
    EXPECT_EQ(p.image().format(), QImage::Format_RGB32);
    EXPECT_TRUE(drawn(p).empty());
    p.line(0, 0, 501, 501, colours::Red);
    p.setTextPosition(100, 100);
    p.print(QStringLiteral("5"));
    p.clear();
    EXPECT_TRUE(drawn(p).empty());
}

TEST(Picture, PixelOffThePictureIsMinusOne) {
    Picture p;
    p.line(0, 0, 501, 0, colours::Red);
    p.line(0, 501, 501, 501, colours::Red);
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{
             {-1, 0}, {0, -1}, {502, 0}, {0, 502}, {501, 502}, {-1000, 250}, {250, 100000}}) {
        EXPECT_EQ(p.pixel(x, y), -1) << x << "," << y;
    }
    EXPECT_EQ(p.pixel(0, 0), colours::Red);
    EXPECT_EQ(p.pixel(501, 501), colours::Red);
    EXPECT_EQ(p.pixel(501, 250), Back);
}

TEST(Picture, LinesAreOnePixelWideWithBothEnds) {
    struct Case {
        int x1, y1, x2, y2;
        Points expected;
    };
    const std::vector<Case> cases{
        {50, 0, 50, 500, rectangle(50, 0, 50, 500)},
        {0, 50, 500, 50, rectangle(0, 50, 500, 50)},
        {30, 20, 10, 20, rectangle(10, 20, 30, 20)}, // drawn right to left
        {8, 40, 8, 12, rectangle(8, 12, 8, 40)},     // drawn upwards
        {5, 5, 5, 5, rectangle(5, 5, 5, 5)},
        {-20, 3, 700, 3, rectangle(0, 3, 501, 3)}, // runs off both sides
        {10, 10, 14, 14, {{10, 10}, {11, 11}, {12, 12}, {13, 13}, {14, 14}}},
        {14, 10, 10, 14, {{14, 10}, {13, 11}, {12, 12}, {11, 13}, {10, 14}}},
    };
    for (const Case& c : cases) {
        Picture p;
        p.line(c.x1, c.y1, c.x2, c.y2, colours::Black);
        EXPECT_EQ(drawn(p), c.expected) << c.x1 << "," << c.y1 << "-" << c.x2 << "," << c.y2;
    }
}

TEST(Picture, SlantedLineHasOnePixelPerColumnAndJoinsItsEnds) {
    Picture p;
    p.line(10, 10, 110, 47, colours::Black);
    const Points points = drawn(p);
    EXPECT_EQ(points.size(), 101u);
    EXPECT_TRUE(points.count({10, 10}));
    EXPECT_TRUE(points.count({110, 47}));
    int previousY = 10;
    for (int x = 10; x <= 110; ++x) {
        int inColumn = 0;
        for (const auto& [px, py] : points) {
            if (px == x) {
                ++inColumn;
                EXPECT_LE(py - previousY, 1);
                EXPECT_GE(py, previousY);
                previousY = py;
            }
        }
        EXPECT_EQ(inColumn, 1) << x;
    }
}

TEST(Picture, BoxIsTheOutlineOnItsCorners) {
    for (const auto& [x1, y1, x2, y2] : std::vector<std::tuple<int, int, int, int>>{
             {10, 20, 60, 40}, {60, 40, 10, 20}, {60, 20, 10, 40}}) {
        Picture p;
        p.setFillStyle(Picture::FillStyle::Transparent);
        p.box(x1, y1, x2, y2, colours::Yellow);
        Points expected = rectangle(10, 20, 60, 40);
        for (const auto& inside : rectangle(11, 21, 59, 39)) {
            expected.erase(inside);
        }
        EXPECT_EQ(drawn(p), expected);
        EXPECT_EQ(countOf(p, colours::Yellow), 2 * 51 + 2 * 19);
    }
}

TEST(Picture, SolidBoxIsFilledWithTheFillColour) {
    Picture p;
    p.setFillStyle(Picture::FillStyle::Solid);
    p.setFillColour(colours::Red);
    p.box(10, 20, 60, 40, colours::Black);
    EXPECT_EQ(countOf(p, colours::Red), 49 * 19);
    EXPECT_EQ(countOf(p, colours::Black), 2 * 51 + 2 * 19);
    EXPECT_EQ(p.pixel(11, 21), colours::Red);
    EXPECT_EQ(p.pixel(10, 21), colours::Black);
}

TEST(Picture, FloodFillStopsOnlyAtTheBorderColour) {
    Picture p;
    p.setFillStyle(Picture::FillStyle::Transparent);
    p.box(100, 100, 200, 200, colours::Yellow);
    // Lines of other colours inside the frame do not stop the fill.
    p.line(150, 101, 150, 199, colours::Black);
    p.line(101, 150, 199, 150, colours::Red);
    p.line(300, 300, 400, 300, colours::Black);
    p.setFillStyle(Picture::FillStyle::Solid);
    p.setFillColour(6765);
    p.floodFill(120, 120, colours::Yellow);

    EXPECT_EQ(countOf(p, 6765), 99 * 99);
    for (const auto& [x, y] : rectangle(101, 101, 199, 199)) {
        ASSERT_EQ(p.pixel(x, y), 6765) << x << "," << y;
    }
    EXPECT_EQ(countOf(p, colours::Yellow), 400);
    EXPECT_EQ(countOf(p, colours::Black), 101);
    EXPECT_EQ(p.pixel(99, 99), Back);

    // One pixel of another colour in the frame lets the fill out.
    p.line(150, 100, 150, 100, colours::Black);
    p.setFillColour(14526);
    p.floodFill(120, 120, colours::Yellow);
    EXPECT_EQ(countOf(p, 14526), 502 * 502 - 399);
}

TEST(Picture, FloodFillPassesThroughPixelsOfItsOwnColour) {
    // A digit of the fill colour neither stops the fill nor shelters the holes in it.
    Picture p;
    p.setFillStyle(Picture::FillStyle::Transparent);
    p.box(100, 100, 150, 150, colours::Yellow);
    p.setForeColour(0x00C000);
    p.setTextPosition(114, 100);
    p.print(QStringLiteral("8"));
    p.setFillStyle(Picture::FillStyle::Solid);
    p.setFillColour(0x00C000);
    p.floodFill(107, 107, colours::Yellow);
    EXPECT_EQ(countOf(p, 0x00C000), 49 * 49);

    // A digit on the background is wiped by a fill of the background, though the fill starts
    // on a pixel that already has its colour.
    p.setFillColour(Back);
    p.floodFill(107, 107, colours::Yellow);
    EXPECT_EQ(countOf(p, 0x00C000), 0);
    p.print(QStringLiteral("8"));
    ASSERT_GT(countOf(p, 0x00C000), 100);
    p.floodFill(107, 107, colours::Yellow);
    EXPECT_EQ(countOf(p, 0x00C000), 0);
}

TEST(Picture, FloodFillIsFourConnected) {
    // A diagonal line touches itself only at corners, and still holds the fill.
    Picture p;
    p.line(0, 0, 501, 501, colours::Yellow);
    p.setFillColour(colours::Red);
    p.floodFill(400, 10, colours::Yellow);
    EXPECT_EQ(countOf(p, colours::Red), 501 * 502 / 2);
    EXPECT_EQ(p.pixel(10, 400), Back);
}

TEST(Picture, FloodFillWithoutBorderCoversThePicture) {
    Picture p;
    p.line(0, 250, 501, 250, colours::Black);
    p.setFillColour(colours::Red);
    p.floodFill(501, 501, colours::Yellow);
    EXPECT_EQ(countOf(p, colours::Red), 502 * 502);
}

TEST(Picture, FloodFillThatCannotStartPaintsNothing) {
    Picture p;
    p.setFillStyle(Picture::FillStyle::Transparent);
    p.box(10, 10, 40, 40, colours::Yellow);
    const QImage before = p.image().copy();

    p.setFillColour(colours::Red);
    p.floodFill(20, 20, colours::Yellow); // transparent: nothing to paint with
    EXPECT_EQ(p.image(), before);

    p.setFillStyle(Picture::FillStyle::Solid);
    p.floodFill(10, 20, colours::Yellow); // on the border itself
    p.floodFill(-1, 20, colours::Yellow); // off the picture
    p.floodFill(20, 502, colours::Yellow);
    EXPECT_EQ(p.image(), before);
}

TEST(Picture, RepeatedFillsFollowWhatWasDrawnBetween) {
    Picture p;
    p.setFillStyle(Picture::FillStyle::Transparent);
    p.box(0, 0, 200, 200, colours::Black);
    p.box(10, 10, 100, 100, colours::Yellow);
    p.setFillStyle(Picture::FillStyle::Solid);
    p.setFillColour(6765);
    p.floodFill(50, 50, colours::Yellow);

    // A line drawn across the filled area is painted over by the same fill again.
    p.line(20, 50, 80, 50, colours::Black);
    p.floodFill(30, 30, colours::Yellow);
    EXPECT_EQ(p.pixel(50, 50), 6765);

    // So is a digit.
    p.setForeColour(colours::Black);
    p.setTextPosition(30, 20);
    p.print(QStringLiteral("1"));
    p.floodFill(15, 15, colours::Yellow);
    EXPECT_EQ(countOf(p, 6765), 89 * 89);

    // The same fill with another border reaches further.
    p.floodFill(50, 50, colours::Black);
    EXPECT_EQ(p.pixel(150, 150), 6765);
    EXPECT_EQ(p.pixel(100, 50), 6765);

    // A fill of another colour in between, then the first colour again.
    p.setFillColour(colours::Red);
    p.floodFill(150, 150, colours::Black);
    p.setFillColour(6765);
    p.floodFill(150, 150, colours::Black);
    EXPECT_EQ(countOf(p, colours::Red), 0);
}

TEST(Picture, PrintIsTheFontDrawnWithoutBlending) {
    // Stamping each digit must give exactly what drawing it with the font gives.
    for (const Colour colour : {colours::Black, 0xFF0000, 0x0080FF}) {
        for (int d = 1; d <= 9; ++d) {
            Picture p;
            p.setForeColour(colour);
            p.setTextPosition(214, 150);
            p.print(QString::number(d));

            QImage direct(Picture::Size, Picture::Size, QImage::Format_RGB32);
            direct.fill(toQRgb(Back));
            {
                QPainter painter(&direct);
                painter.setFont(p.font());
                painter.setPen(toQColor(colour));
                painter.drawText(QPoint(214, 150 + QFontMetrics(p.font()).ascent()),
                                 QString::number(d));
            }
            EXPECT_EQ(p.image(), direct) << d;
            EXPECT_GT(countOf(p, colour), 100) << d;
            EXPECT_EQ(countOf(p, colour) + countOf(p, Back), 502 * 502) << d;
        }
    }
}

TEST(Picture, PrintPutsTheTextBelowAndRightOfItsPosition) {
    Picture p;
    p.setTextPosition(100, 200);
    p.print(QStringLiteral("7"));
    const Points points = drawn(p);
    ASSERT_FALSE(points.empty());
    for (const auto& [x, y] : points) {
        EXPECT_TRUE(QRect(100, 200, 48, 56).contains(x, y)) << x << "," << y;
    }
}

TEST(Picture, RefreshTellsTheListener) {
    Picture p;
    int refreshes = 0;
    p.refresh();
    p.setOnRefresh([&] { ++refreshes; });
    p.refresh();
    p.refresh();
    EXPECT_EQ(refreshes, 2);
}
