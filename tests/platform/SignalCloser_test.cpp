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
class CountingWindow : public QWidget {
public:
    int closes = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closes;
        event->accept();
    }
};

class SessionEnd : public ::testing::TestWithParam<int> {};

TEST_P(SessionEnd, ClosesTheWindowFromTheEventLoop) {
    CountingWindow window;
    window.show();
    SignalCloser closer(&window);
    ASSERT_TRUE(closer.isActive());

    ASSERT_EQ(std::raise(GetParam()), 0);
    // The handler only records the signal; nothing happens before the loop runs.
    EXPECT_EQ(window.closes, 0);
    EXPECT_TRUE(window.isVisible());

    EXPECT_TRUE(QTest::qWaitFor([&] { return window.closes > 0; }, 5000));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.closes, 1);
}

INSTANTIATE_TEST_SUITE_P(Signals, SessionEnd, ::testing::Values(SIGTERM, SIGHUP, SIGINT));

TEST(SignalCloser, SignalsInARowCloseOnce) {
    CountingWindow window;
    window.show();
    SignalCloser closer(&window);
    std::raise(SIGTERM);
    std::raise(SIGHUP);
    std::raise(SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.closes > 0; }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(window.closes, 1);
}

TEST(SignalCloser, PutsThePreviousHandlersBack) {
    struct sigaction before = {};
    ASSERT_EQ(::sigaction(SIGTERM, nullptr, &before), 0);
    {
        CountingWindow window;
        SignalCloser closer(&window);
        struct sigaction during = {};
        ASSERT_EQ(::sigaction(SIGTERM, nullptr, &during), 0);
        EXPECT_NE(during.sa_handler, before.sa_handler);
    }
    struct sigaction after = {};
    ASSERT_EQ(::sigaction(SIGTERM, nullptr, &after), 0);
    EXPECT_EQ(after.sa_handler, before.sa_handler);

    // A later closer works again.
    CountingWindow window;
    window.show();
    SignalCloser closer(&window);
    std::raise(SIGHUP);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.closes == 1; }, 5000));
}

} // namespace
