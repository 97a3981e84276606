// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/SignalCloser.h"

#include <QCloseEvent>
#include <QTest>
#include <QWidget>
#include <csignal>
#include <gtest/gtest.h>

namespace {

// A window that counts the close requests it receives, as the game's window saves on each.
class Fenetre : public QWidget {
public:
    int fermetures = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++fermetures;
        event->accept();
    }
};

class SessionEnd : public ::testing::TestWithParam<int> {};

TEST_P(SessionEnd, ClosesTheWindowFromTheEventLoop) {
    Fenetre fenetre;
    fenetre.show();
    SignalCloser closer(&fenetre);
    ASSERT_TRUE(closer.isActive());

    ASSERT_EQ(std::raise(GetParam()), 0);
    // The handler only records the signal; nothing happens before the loop runs.
    EXPECT_EQ(fenetre.fermetures, 0);
    EXPECT_TRUE(fenetre.isVisible());

    EXPECT_TRUE(QTest::qWaitFor([&] { return fenetre.fermetures > 0; }, 5000));
    EXPECT_FALSE(fenetre.isVisible());
    EXPECT_EQ(fenetre.fermetures, 1);
}

INSTANTIATE_TEST_SUITE_P(Signals, SessionEnd, ::testing::Values(SIGTERM, SIGHUP, SIGINT));

TEST(SignalCloser, SignalsInARowCloseOnce) {
    Fenetre fenetre;
    fenetre.show();
    SignalCloser closer(&fenetre);
    std::raise(SIGTERM);
    std::raise(SIGHUP);
    std::raise(SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fenetre.fermetures > 0; }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(fenetre.fermetures, 1);
}

TEST(SignalCloser, PutsThePreviousHandlersBack) {
    struct sigaction avant = {};
    ASSERT_EQ(::sigaction(SIGTERM, nullptr, &avant), 0);
    {
        Fenetre fenetre;
        SignalCloser closer(&fenetre);
        struct sigaction pendant = {};
        ASSERT_EQ(::sigaction(SIGTERM, nullptr, &pendant), 0);
        EXPECT_NE(pendant.sa_handler, avant.sa_handler);
    }
    struct sigaction apres = {};
    ASSERT_EQ(::sigaction(SIGTERM, nullptr, &apres), 0);
    EXPECT_EQ(apres.sa_handler, avant.sa_handler);

    // A later closer works again.
    Fenetre fenetre;
    fenetre.show();
    SignalCloser closer(&fenetre);
    std::raise(SIGHUP);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fenetre.fermetures == 1; }, 5000));
}

} // namespace
