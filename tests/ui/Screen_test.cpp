// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What reaches the screen, read back from the window's own backing store after the updates the
// game's events made: only what was repainted there changed.
#include "core/Board.h"
#include "support/Play.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

// A French player's session: the rate's decimal comma comes from the system's locale, which Qt
// reads once, from the environment.
static const bool FrenchSession = qputenv("LC_ALL", "fr_FR.UTF-8");

namespace {

const std::vector<int> Board{24, 26, 64, 66, 43, 47, 2, 9, 92, 98};

// The window as the screen has it now.
QImage shown(const WindowFixture& f) {
    QCoreApplication::processEvents();
    return f.window->screen()
        ->grabWindow(f.window->winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QRect placeOf(const WindowFixture& f, const char* name) {
    const QWidget* w = f.widget(QString::fromUtf8(name));
    return QRect(w->mapTo(f.window.get(), QPoint(0, 0)), w->size());
}

int count(const QImage& image, const QRect& area, QRgb rgb) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            n += image.pixel(x, y) == (rgb | 0xFF000000);
        }
    }
    return n;
}

TEST(Screen, TheMineCountIsInkedInItsLabelsColours) {
    WindowFixture f;
    f.dealThroughWindow(Board);
    for (int k = 0; k < 10; ++k) {
        f.rightClick(Board[k]);
    }
    ASSERT_EQ(f.game.c.Mines.back, colours::DarkRed);
    ASSERT_EQ(f.game.c.Mines.fore, colours::White);
    const QImage screen = shown(f);
    const QRect inside = placeOf(f, "Mines").adjusted(1, 1, -1, -1);
    // "10" in white on dark red, no longer in black.
    EXPECT_GT(count(screen, inside, toQRgb(colours::White)), 100);
    EXPECT_EQ(count(screen, inside, toQRgb(colours::Black)), 0);
    EXPECT_GT(count(screen, inside, toQRgb(colours::DarkRed)),
              inside.width() * inside.height() / 2);
}

TEST(Screen, ARevealedMinesSquareIsRepaintedByTheMovesOwnUpdates) {
    WindowFixture f;
    f.dealThroughWindow(Board);
    const QImage before = shown(f);
    // The strips of square 24 left of and above its button: plain while it is covered.
    const QPoint strips[] = {{151, 120}, {170, 101}};
    for (QPoint p : strips) {
        ASSERT_EQ(before.pixel(p), toQRgb(colours::BoardBackground));
    }
    f.leftClick(43); // a mine: the board is uncovered
    ASSERT_FALSE(f.game.gameInProgress());
    const QImage after = shown(f);
    for (QPoint p : strips) {
        EXPECT_EQ(after.pixel(p), toQRgb(colours::Red)) << p.x() << "," << p.y();
    }
}

// The frames as designed: title bar shaded from its left colour to its right one, border,
// body. Colours as 0xRRGGBB; -1 where the parent's body shows through.
struct FrameLook {
    const char* name;
    QRgb left, right, border;
    qint64 body;
    int borderWidth, bar;
};
const FrameLook Frames[] = {
    {"vkFrame1", 0x00FFFF, 0x000000, 0x0000FF, 0xF0F0F0, 2, 27},
    {"MinesF", 0xFF0000, 0x400000, 0x0000FF, 0xFFFFFF, 2, 27},
    {"vkFrame13", 0xFFC080, 0x804040, 0x0000FF, 0xE8FFEA, 2, 27},
    {"vkFrame8", 0xC0FFFF, 0x00C0C0, 0x808080, -1, 1, 20},
    {"vkFrame2", 0xC0FFC0, 0x00C000, 0x808080, -1, 1, 20},
    {"vkFrame4", 0xFFFFFF, 0xC0C000, 0x808080, -1, 1, 20},
    {"vkFrame5", 0xFFFFFF, 0x00C0C0, 0x808080, -1, 1, 20},
    {"vkFrame10", 0xC0FFFF, 0xC0FFFF, 0x808080, -1, 1, 18},
    {"vkFrame9", 0xC0FFFF, 0xC0FFFF, 0x808080, -1, 1, 18},
    {"vkFrame12", 0xC0FFC0, 0xC0FFC0, 0x808080, -1, 1, 18},
    {"vkFrame11", 0xC0FFC0, 0xC0FFC0, 0x808080, -1, 1, 18},
    {"vkFrame6", 0xFFFF00, 0xFFFF00, 0x808080, -1, 1, 18},
    {"vkFrame7", 0xFFFF00, 0xFFFF00, 0x808080, -1, 1, 18},
};

TEST(Screen, FramesShowTheirDesignedColours) {
    WindowFixture f;
    const QImage screen = shown(f);
    for (const FrameLook& look : Frames) {
        SCOPED_TRACE(look.name);
        const QRect r = placeOf(f, look.name);
        const int w = look.borderWidth;
        const int y = r.top() + 3; // above the title's letters
        // The shade's ends, a pixel in from the border (a gradient step of at most a few units).
        EXPECT_TRUE(near(screen.pixel(r.left() + w, y), look.left, 6))
            << std::hex << screen.pixel(r.left() + w, y);
        EXPECT_TRUE(near(screen.pixel(r.right() - w, y), look.right, 6))
            << std::hex << screen.pixel(r.right() - w, y);
        EXPECT_EQ(screen.pixel(r.left(), r.center().y()), look.border | 0xFF000000);
        EXPECT_EQ(screen.pixel(r.right(), r.top() + look.bar + 2), look.border | 0xFF000000);
        // The bar ends where the body begins.
        EXPECT_TRUE(near(screen.pixel(r.left() + w, r.top() + look.bar - 1), look.left, 6));
        if (look.body >= 0) {
            EXPECT_EQ(screen.pixel(r.left() + w, r.bottom() - w), QRgb(look.body) | 0xFF000000);
        }
    }
}

void winGame(WindowFixture& f) {
    for (int n : play::safeCells(f)) {
        if (!f.revealed(n)) {
            f.leftClick(n);
        }
    }
}

TEST(Screen, TheRateIsWrittenTheFrenchWay) {
    ASSERT_TRUE(FrenchSession);
    WindowFixture f;
    f.dealThroughWindow(Board);
    winGame(f);
    f.dealThroughWindow(Board);
    winGame(f);
    f.dealThroughWindow(Board);
    f.leftClick(24);
    EXPECT_EQ(qobject_cast<QLabel*>(f.widget(QStringLiteral("Pourcent")))->text(),
              QStringLiteral("66,67 %"));
}

// Whether a ring two pixels wide and all black lies at some inset inside the rectangle.
bool framed(const QImage& image, const QRect& area) {
    for (int inset = 0; inset < 6; ++inset) {
        const QRect outer = area.adjusted(inset, inset, -inset, -inset);
        const QRect inner = outer.adjusted(2, 2, -2, -2);
        const int ring = outer.width() * outer.height() - inner.width() * inner.height();
        if (count(image, outer, 0) - count(image, inner, 0) == ring) {
            return true;
        }
    }
    return false;
}

// The panel control with the keyboard focus wears a black frame, from start-up on; the others
// none.
TEST(Screen, TheFocusedPanelControlIsFramed) {
    WindowFixture f;
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.window.get()));
    const char* const panel[] = {"Rejouer", "RAZ", "Sons_0", "Sons_1", "Quitter"};
    for (const char* focused : panel) {
        SCOPED_TRACE(focused);
        QWidget* w = f.widget(QString::fromUtf8(focused));
        // "Rejouer" has it as the window opens.
        if (!w->hasFocus()) {
            w->setFocus(Qt::TabFocusReason);
        }
        ASSERT_TRUE(w->hasFocus());
        const QImage screen = shown(f);
        for (const char* name : panel) {
            EXPECT_EQ(framed(screen, placeOf(f, name)), name == focused) << name;
        }
    }
}

// The chosen sound option's disc holds a black dot; the other's none.
TEST(Screen, TheChosenSoundOptionIsPlain) {
    WindowFixture f;
    const auto dot = [&](const QImage& screen, const char* name) {
        const QRect option = placeOf(f, name);
        // The disc, left of the caption.
        return count(screen, QRect(option.topLeft(), QSize(16, option.height())), 0) > 10;
    };
    const QImage on = shown(f);
    EXPECT_TRUE(dot(on, "Sons_0"));
    EXPECT_FALSE(dot(on, "Sons_1"));
    f.click("Sons_1");
    const QImage off = shown(f);
    EXPECT_FALSE(dot(off, "Sons_0"));
    EXPECT_TRUE(dot(off, "Sons_1"));
}

// A desktop that turns to a dark colour scheme changes nothing in the window.
TEST(Screen, ADarkPaletteChangesNothing) {
    WindowFixture f;
    f.dealThroughWindow(Board);
    const QImage light = shown(f);
    const QPalette saved = QApplication::palette();
    QPalette dark(QColor(0x30, 0x30, 0x30), QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Base, QColor(0x10, 0x10, 0x10));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::ButtonText, Qt::white);
    QApplication::setPalette(dark);
    f.window->update();
    const QImage darkShot = shown(f);
    QApplication::setPalette(saved);
    EXPECT_TRUE(darkShot == light);
}

} // namespace
