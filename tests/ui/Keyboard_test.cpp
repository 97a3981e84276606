// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Board.h"
#include "support/Play.h"
#include "support/WindowFixture.h"
#include "ui/BoardView.h"
#include "ui/VkCommand.h"
#include "ui/VkLabel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

// Row 1 holds eight mines (2 to 9), row 2 two more (12, 13): the cells 11 and 14 to 20 of row 2
// are numbers, each revealed alone, and most of rows 3 to 10 is one empty region.
const std::vector<int> Mines{2, 3, 4, 5, 6, 7, 8, 9, 12, 13};

// The cursor brought to a cell by keys alone: cell 1's corner, then down and along.
void keysTo(QWindow* window, int cell) {
    QTest::keyClick(window, Qt::Key_Home, Qt::ControlModifier);
    for (int r = 1; r < board::row(cell); ++r) {
        QTest::keyClick(window, Qt::Key_Down);
    }
    for (int c = 1; c < board::column(cell); ++c) {
        QTest::keyClick(window, Qt::Key_Right);
    }
}

struct KeyboardTest : ::testing::Test, WindowFixture {
    void SetUp() override {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // Keys go to the window, which hands them to its focus widget, as from a keyboard.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window->windowHandle(), Qt::Key(key), modifiers);
    }
    void goTo(int cell) { keysTo(window->windowHandle(), cell); }
    static QWidget* focused() { return QApplication::focusWidget(); }
    static std::string focusedName() {
        return focused() != nullptr ? focused()->objectName().toStdString() : std::string();
    }
    BoardView* board() const { return qobject_cast<BoardView*>(widget(QStringLiteral("PicFond"))); }
    QString shown(const char* label) const {
        return qobject_cast<VkLabel*>(widget(QString::fromUtf8(label)))->text();
    }
    int revealedCount() const { return static_cast<int>(play::hiddenCells(*this).size()); }
};

TEST_F(KeyboardTest, EnterDealsThenRevealsCellOneAndNothingMore) {
    EXPECT_EQ(focusedName(), "Rejouer");
    random.push(drawsFor(MinesAroundCellOne));
    press(Qt::Key_Return);
    ASSERT_EQ(game.v.PartiesJouees, 1);
    EXPECT_EQ(focusedName(), "PicFond");
    EXPECT_EQ(board()->cursorCell(), 1);
    for (int k = 0; k < 4; ++k) {
        press(k % 2 == 0 ? Qt::Key_Return : Qt::Key_Space);
        EXPECT_TRUE(revealed(1));
        EXPECT_EQ(revealedCount(), 1);
        EXPECT_EQ(board()->cursorCell(), 1);
    }
    EXPECT_TRUE(game.gameInProgress());
}

TEST_F(KeyboardTest, TheBoardIsOneTabStopAndKeepsTheFocusToTheEndOfAGame) {
    dealThroughWindow(Mines);
    ASSERT_EQ(focusedName(), "PicFond");
    goTo(37);
    std::vector<std::string> forward;
    for (int k = 0; k < 3; ++k) {
        press(Qt::Key_Tab);
        forward.push_back(focusedName());
    }
    // "RAZ Statistiques" and "Rejouer" are off during a game.
    EXPECT_EQ(forward, (std::vector<std::string>{"Sons_0", "Quitter", "PicFond"}));
    EXPECT_EQ(board()->cursorCell(), 37);
    press(Qt::Key_Backtab);
    EXPECT_EQ(focusedName(), "Quitter");
    press(Qt::Key_Tab);

    // Lost: the focus stays where the player is; Alt+R deals again, on cell 1.
    goTo(2);
    press(Qt::Key_Space);
    ASSERT_FALSE(game.gameInProgress());
    EXPECT_EQ(focusedName(), "PicFond");
    EXPECT_EQ(board()->cursorCell(), 2);
    random.push(drawsFor(MinesAroundCellOne));
    press(Qt::Key_R, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return game.gameInProgress(); }, 2000));
    EXPECT_EQ(focusedName(), "PicFond");
    EXPECT_EQ(board()->cursorCell(), 1);
}

// The same moves by mouse on one window and by keyboard on another, dealt alike, leave the two
// games in the same state after every move.
TEST(KeyboardAndMouse, EveryKeyReachesTheHandlerOfItsMouseButton) {
    WindowFixture byMouse;
    WindowFixture byKeys;
    byKeys.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(byKeys.window.get()));
    byMouse.dealThroughWindow(Mines);
    byKeys.dealThroughWindow(Mines);
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(byKeys.window->windowHandle(), key, modifiers);
    };

    enum class Button { Left, Right };
    const struct {
        int cell;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        Button button;
    } moves[] = {
        {1, Qt::Key_M, Qt::NoModifier, Button::Right},         // mine mark
        {1, Qt::Key_Menu, Qt::NoModifier, Button::Right},      // question mark
        {1, Qt::Key_M, Qt::ShiftModifier, Button::Right},      // no mark
        {14, Qt::Key_Space, Qt::NoModifier, Button::Left},     // a number
        {20, Qt::Key_Return, Qt::NoModifier, Button::Left},    // a number on the edge
        {11, Qt::Key_Enter, Qt::KeypadModifier, Button::Left}, // a number, from the keypad
        {17, Qt::Key_Menu, Qt::NoModifier, Button::Right},     // marked...
        {17, Qt::Key_Space, Qt::NoModifier, Button::Left},     // ...so not revealed
        {100, Qt::Key_Return, Qt::NoModifier, Button::Left},   // the empty region
        {2, Qt::Key_Space, Qt::NoModifier, Button::Left},      // a mine: lost
    };
    for (const auto& m : moves) {
        SCOPED_TRACE(::testing::Message() << "cell " << m.cell << " key " << m.key);
        if (m.button == Button::Left) {
            byMouse.leftClick(m.cell);
        } else {
            byMouse.rightClick(m.cell);
        }
        keysTo(byKeys.window->windowHandle(), m.cell);
        press(m.key, m.modifiers);

        EXPECT_EQ(byKeys.sound.played, byMouse.sound.played);
        EXPECT_EQ(byKeys.game.v.NbMarques, byMouse.game.v.NbMarques);
        EXPECT_EQ(byKeys.game.c.Mines.text, byMouse.game.c.Mines.text);
        EXPECT_EQ(byKeys.game.c.Commentaire.text, byMouse.game.c.Commentaire.text);
        EXPECT_EQ(byKeys.game.c.Rejouer.enabled, byMouse.game.c.Rejouer.enabled);
        for (int i = 1; i <= board::Cells; ++i) {
            const CellButtonModel& k = byKeys.game.c.BtnBomb[i];
            const CellButtonModel& b = byMouse.game.c.BtnBomb[i];
            EXPECT_EQ(k.visible, b.visible) << i;
            EXPECT_EQ(k.enabled, b.enabled) << i;
            // Faces compared by the holder they come from, each game having its own.
            const auto holder = [](const Controls& c, const QIcon& face) {
                return sameFace(face, c.Nuage.picture)   ? 0
                       : sameFace(face, c.RBomb.picture) ? 1
                       : sameFace(face, c.iBomb.picture) ? 2
                                                         : 3;
            };
            EXPECT_EQ(holder(byKeys.game.c, k.face), holder(byMouse.game.c, b.face)) << i;
        }
    }
    EXPECT_FALSE(byKeys.game.gameInProgress());
    EXPECT_TRUE(byKeys.sound.played.contains(QStringLiteral("\\POP.wav")));
}

TEST_F(KeyboardTest, AClickMovesTheCursorOnlyWhileTheBoardHasTheFocus) {
    dealThroughWindow(Mines);
    ASSERT_EQ(focusedName(), "PicFond");
    leftClick(14);
    ASSERT_TRUE(revealed(14));
    EXPECT_EQ(board()->cursorCell(), 14);
    rightClick(37);
    EXPECT_EQ(board()->cursorCell(), 37);
    // On a revealed square, where no button takes the click.
    leftClick(100);
    leftClick(99);
    EXPECT_EQ(board()->cursorCell(), 99);

    widget(QStringLiteral("Quitter"))->setFocus();
    leftClick(15);
    ASSERT_TRUE(revealed(15));
    EXPECT_EQ(board()->cursorCell(), 99);
    EXPECT_EQ(focusedName(), "Quitter");
}

// The frame: a black ring outside a white one, 2 pixels each, on top of whatever the cell
// shows, and only while the board has the focus and the keyboard is in use.
TEST_F(KeyboardTest, TheCursorIsFramedOnEveryKindOfCellWhileTheBoardHasTheFocus) {
    dealThroughWindow(Mines);
    goTo(1);
    press(Qt::Key_M); // 1: mine mark
    goTo(11);
    press(Qt::Key_M);
    press(Qt::Key_M); // 11: question mark
    goTo(14);
    press(Qt::Key_Space); // 14: a number
    goTo(100);
    press(Qt::Key_Space); // 100: empty
    const auto framed = [this](int cell) {
        const QImage shot = board()->grab().toImage();
        const QRect square = BoardView::cellSquare(cell);
        const QPoint mid = square.center();
        const QPoint outer[] = {{square.left(), mid.y()},
                                {square.left() + 1, mid.y()},
                                {square.right(), mid.y()},
                                {mid.x(), square.top() + 1},
                                {mid.x(), square.bottom()}};
        const QPoint inner[] = {{square.left() + 2, mid.y()},
                                {square.left() + 3, mid.y()},
                                {square.right() - 2, mid.y()},
                                {mid.x(), square.top() + 3},
                                {mid.x(), square.bottom() - 2}};
        bool ringed = true;
        for (int k = 0; k < 5; ++k) {
            ringed &= shot.pixelColor(outer[k]) == QColor(Qt::black) &&
                      shot.pixelColor(inner[k]) == QColor(Qt::white);
        }
        return ringed;
    };
    const int kinds[] = {1, 11, 14, 100, 37};
    for (const int cell : kinds) {
        SCOPED_TRACE(cell);
        goTo(cell);
        EXPECT_TRUE(framed(cell));
        EXPECT_FALSE(framed(cell == 37 ? 38 : 37));
    }
    // A mine, red under its picture, once lost.
    goTo(2);
    press(Qt::Key_Space);
    ASSERT_FALSE(game.gameInProgress());
    EXPECT_TRUE(framed(2));

    // A mouse player sees no frame; the next key brings it back.
    leftClick(3);
    ASSERT_EQ(board()->cursorCell(), 3);
    EXPECT_FALSE(framed(3));
    press(Qt::Key_Left);
    EXPECT_TRUE(framed(2));

    press(Qt::Key_Tab);
    ASSERT_NE(focusedName(), "PicFond");
    EXPECT_FALSE(framed(2));
}

TEST_F(KeyboardTest, MnemonicsPressThePanelButtons) {
    press(Qt::Key_R, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return game.v.PartiesJouees == 1; }, 2000));
    EXPECT_EQ(focusedName(), "PicFond");
    // Off during a game, like the button.
    press(Qt::Key_Z, Qt::AltModifier);
    press(Qt::Key_R, Qt::AltModifier);
    QTest::qWait(300);
    EXPECT_EQ(game.v.PartiesJouees, 1);
    EXPECT_TRUE(game.gameInProgress());

    game.BtnBomb_Click(game.v.PosBombes[1]);
    window->showModel();
    ASSERT_EQ(shown("PJoué"), QStringLiteral("1"));
    press(Qt::Key_Z, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown("PJoué") == QStringLiteral("0"); }, 2000));

    press(Qt::Key_Q, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 2000));
}

TEST_F(KeyboardTest, CaptionsKeepTheirTextAndUnderlineTheirLetter) {
    const struct {
        const char* name;
        const char* text;
        const char* shortcut;
    } buttons[] = {
        {"Rejouer", "Rejouer", "Alt+R"},
        {"Quitter", "Quitter", "Alt+Q"},
        {"RAZ", "RAZ Statistiques", "Alt+Z"},
    };
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.name);
        auto* button = qobject_cast<VkCommand*>(widget(QString::fromUtf8(b.name)));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromUtf8(b.text));
        // The shortcut outlives a change of caption, which Qt would otherwise clear.
        button->setText(QString::fromUtf8(b.text));
        EXPECT_EQ(button->shortcut(), QKeySequence(QString::fromUtf8(b.shortcut)));

        // The underline: painted with the letter and only with it, below the caption's middle.
        const QImage with = button->grab().toImage();
        const QChar letter = button->mnemonic();
        button->setMnemonic(QChar());
        const QImage without = button->grab().toImage();
        button->setMnemonic(letter);
        EXPECT_EQ(button->grab().toImage(), with);
        ASSERT_EQ(with.size(), without.size());
        int differing = 0;
        int highest = with.height();
        for (int y = 0; y < with.height(); ++y) {
            for (int x = 0; x < with.width(); ++x) {
                if (with.pixel(x, y) != without.pixel(x, y)) {
                    ++differing;
                    highest = std::min(highest, y);
                }
            }
        }
        EXPECT_GT(differing, 0);
        EXPECT_GT(highest, with.height() / 2);
    }
}

} // namespace
