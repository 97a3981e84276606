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

    void playAll() {
        for (const char* name : {"\\HALLELU1.wav", "\\Explosion.wav", "\\YEAH.wav", "\\POP.wav"}) {
            game.playSound(QString::fromLatin1(name));
        }
    }
};
} // namespace

TEST_F(SoundTest, SwitchOnPassesEveryRequestAsNamed) {
    game.v.SonActif = -1;
    playAll();
    EXPECT_EQ(sound.played,
              QStringList({QStringLiteral("\\HALLELU1.wav"), QStringLiteral("\\Explosion.wav"),
                           QStringLiteral("\\YEAH.wav"), QStringLiteral("\\POP.wav")}));
}

TEST_F(SoundTest, AnyValueButZeroCountsAsOn) {
    game.v.SonActif = 1;
    game.playSound(QStringLiteral("\\POP.wav"));
    EXPECT_EQ(sound.played.size(), 1);
}

TEST_F(SoundTest, SwitchOffRequestsNothing) {
    game.v.SonActif = 0;
    playAll();
    EXPECT_TRUE(sound.played.isEmpty());
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
