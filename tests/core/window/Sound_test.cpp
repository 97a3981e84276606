// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/Fakes.h"
#include "support/TestGame.h"

#include <gtest/gtest.h>

namespace {
class SoundTest : public ::testing::Test {
protected:
    FixedRandom random;
    ManualClock clock;
    RecordingPlayer sound;
    TestGame game{random, clock, sound};
};
} // namespace

TEST_F(SoundTest, AnyValueButZeroCountsAsOn) {
    game.v.SonActif = 1;
    game.playSound(QStringLiteral("\\POP.wav"));
    EXPECT_EQ(sound.played.size(), 1);
}

TEST_F(SoundTest, OptionButtonsSetTheSwitchAndSelectThemselves) {
    struct Step {
        int index;
        std::int16_t switchValue;
        int onValue;
        int offValue;
        int requests; // after one request
    };
    // Off, off again (already selected: nothing changes), on, on again.
    const std::vector<Step> steps{
        {1, 0, 0, 1, 0}, {1, 0, 0, 1, 0}, {0, -1, 1, 0, 1}, {0, -1, 1, 0, 2}};
    for (const Step& s : steps) {
        game.Sons_Click(s.index);
        EXPECT_EQ(game.v.SonActif, s.switchValue) << s.index;
        EXPECT_EQ(game.c.Sons[0].value, s.onValue);
        EXPECT_EQ(game.c.Sons[1].value, s.offValue);
        game.playSound(QStringLiteral("\\POP.wav"));
        EXPECT_EQ(sound.played.size(), s.requests);
    }
}
