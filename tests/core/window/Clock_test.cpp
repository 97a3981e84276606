// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/window/Clock.h"
#include "platform/SystemServices.h"
#include "support/BoardFixture.h"
#include "ui/Tableau.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <gtest/gtest.h>

TEST(ClockText, HoursUnpaddedMinutesAndSecondsOnTwoDigits) {
    const std::vector<std::pair<std::int64_t, const char*>> cases{
        {0, "0:00:00"},      {59, "0:00:59"},     {60, "0:01:00"},     {83, "0:01:23"},
        {3599, "0:59:59"},   {3600, "1:00:00"},   {3723, "1:02:03"},   {36000, "10:00:00"},
        {86399, "23:59:59"}, {86400, "24:00:00"}, {90000, "25:00:00"}, {-5, "0:00:00"},
    };
    for (const auto& [seconds, text] : cases) {
        EXPECT_EQ(clockText(seconds).toStdString(), text) << seconds;
    }
}

class ClockTest : public ::testing::Test, public BoardFixture {};

TEST_F(ClockTest, TicksShowTheWholeSecondsSinceTheDeal) {
    deal({12, 13, 14, 15, 16, 17, 18, 19, 20, 21});
    const std::vector<std::pair<std::int64_t, const char*>> afterMs{
        {0, "0:00:00"},           {999, "0:00:00"},       {1000, "0:00:01"},
        {83'500, "0:01:23"},      {3'723'000, "1:02:03"}, {36'000'000, "10:00:00"},
        {90'000'000, "25:00:00"},
    };
    const std::int64_t start = clock.monotonic;
    for (const auto& [ms, text] : afterMs) {
        clock.monotonic = start + ms;
        game.Timer1_Timer();
        EXPECT_EQ(game.c.TempsActuel.text.toStdString(), text) << ms;
    }
}

TEST_F(ClockTest, TimeOfDayGoingBackDoesNotMoveTheClock) {
    // Dealt at 23:59:30; the time of day then passes midnight, or is set back an hour.
    clock.dayFraction = (23 * 3600 + 59 * 60 + 30) / 86400.0;
    deal({12, 13, 14, 15, 16, 17, 18, 19, 20, 21});
    advance(45);
    ASSERT_LT(clock.dayFraction, 0.01);
    game.Timer1_Timer();
    EXPECT_EQ(game.c.TempsActuel.text, QStringLiteral("0:00:45"));

    clock.dayFraction -= 3600 / 86400.0;
    clock.monotonic += 1000;
    game.Timer1_Timer();
    EXPECT_EQ(game.c.TempsActuel.text, QStringLiteral("0:00:46"));
}

TEST_F(ClockTest, EachDealRestartsTheCount) {
    deal({12, 13, 14, 15, 16, 17, 18, 19, 20, 21});
    advance(500);
    game.Timer1_Timer();
    EXPECT_EQ(game.c.TempsActuel.text, QStringLiteral("0:08:20"));
    deal({22, 23, 24, 25, 26, 27, 28, 29, 30, 31});
    EXPECT_EQ(game.c.TempsActuel.text, QStringLiteral("0:00:00"));
    advance(2);
    game.Timer1_Timer();
    EXPECT_EQ(game.c.TempsActuel.text, QStringLiteral("0:00:02"));
}

TEST(SystemClock, MonotonicCount) {
    SystemClock clock;
    const double day = clock.timeOfDay();
    EXPECT_GE(day, 0.0);
    EXPECT_LT(day, 1.0);
    const std::int64_t first = clock.monotonicMs();
    QThread::msleep(20);
    const std::int64_t second = clock.monotonicMs();
    EXPECT_GE(first, 0);
    EXPECT_GE(second - first, 20);
}

// Deals a few hundredths of a second apart, on the real clock and generator, are different
// boards: with whole seconds, at least two of these three would share their second and mines.
TEST(SystemClock, DealsWithinOneSecondDiffer) {
    SystemRandom random;
    SystemClock clock;
    RecordingPlayer sound;
    TestGame game(random, clock, sound);
    game.buildBoard();
    std::vector<std::array<std::int16_t, 11>> boards;
    for (int k = 0; k < 3; ++k) {
        if (k > 0) {
            QThread::msleep(30);
        }
        game.Nouveau();
        boards.push_back(game.v.PosBombes);
    }
    EXPECT_NE(boards[0], boards[1]);
    EXPECT_NE(boards[1], boards[2]);
}

// The real window on the real clock. Dealt just after a whole second of the monotonic clock,
// where a coarse timer rounds a one-second tick down to that second, 20 ms early: the label
// would then show each second nearly a second late.
TEST(SystemClock, TheWindowShowsEachSecondOnTime) {
    SystemRandom random;
    SystemClock clock;
    RecordingPlayer sound;
    TestGame game(random, clock, sound);
    QTemporaryDir dir;
    game.Form_Load(dir.filePath(QStringLiteral("tervalo")));
    Tableau window(game);
    window.show();
    auto* clockLabel = window.findChild<QLabel*>(QStringLiteral("TempsActuel"));
    ASSERT_NE(clockLabel, nullptr);

    const auto phase = [] {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() % 1000;
    };
    while (phase() < 10 || phase() > 40) {
        QThread::msleep(1);
    }
    QElapsedTimer since;
    since.start();
    window.findChild<QAbstractButton*>(QStringLiteral("Rejouer"))->click();
    // On time: the second is up; at most this late, even on a loaded machine.
    constexpr std::int64_t Late = 500;
    for (int k = 1; k <= 3; ++k) {
        const QString want = clockText(k);
        while (clockLabel->text() != want && since.elapsed() < 1000 * k + 2000) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        const std::int64_t at = since.elapsed();
        EXPECT_EQ(clockLabel->text(), want);
        EXPECT_GE(at, 1000 * k) << want.toStdString();
        EXPECT_LT(at, 1000 * k + Late) << want.toStdString();
    }
    window.close();
}
