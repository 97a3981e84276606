// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "minefield/Board.h"
#include "support/Play.h"
#include "support/WindowFixture.h"
#include "window/ui/CellButton.h"
#include "window/ui/VkCommand.h"
#include "window/ui/VkLabel.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

// Row 1 holds eight mines (2 to 9), row 2 two more (12, 13): the cells 11 and 14 to 20 of row 2
// are numbers, each revealed alone, and most of rows 3 to 10 is one empty region.
const std::vector<int> Mines{2, 3, 4, 5, 6, 7, 8, 9, 12, 13};

struct KeyboardTest : ::testing::Test, WindowFixture {
    void SetUp() override {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // Keys go to the window, which hands them to its focus widget, as from a keyboard.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window->windowHandle(), Qt::Key(key), modifiers);
    }
    static QWidget* focused() { return QApplication::focusWidget(); }
    static int focusedCell() {
        const auto* cell = qobject_cast<const CellButton*>(focused());
        return cell != nullptr ? cell->index() : 0;
    }
    static std::string focusedName() {
        return focused() != nullptr ? focused()->objectName().toStdString() : std::string();
    }
    void focusCell(int cell) { cellWidget(cell)->setFocus(Qt::OtherFocusReason); }
    QString shown(const char* label) const {
        return qobject_cast<VkLabel*>(widget(QString::fromUtf8(label)))->text();
    }
};

TEST_F(KeyboardTest, StartUpFocusesRejouerAndADealTheFirstCell) {
    EXPECT_EQ(focusedName(), "Rejouer");
    dealThroughWindow(Mines);
    EXPECT_EQ(game.v.PartiesJouees, 1);
    EXPECT_EQ(focusedCell(), 1);
}

TEST_F(KeyboardTest, SpaceAndEnterOnRejouerDeal) {
    for (const int key : {Qt::Key_Space, Qt::Key_Return}) {
        SCOPED_TRACE(key);
        random.push({});
        widget(QStringLiteral("Rejouer"))->setFocus();
        const int played = game.v.PartiesJouees;
        press(key);
        EXPECT_EQ(game.v.PartiesJouees, played + 1);
        EXPECT_EQ(focusedCell(), 1);
        // Lose at once to be between games again.
        game.BtnBomb_Click(game.v.PosBombes[1]);
        window->afficher();
        EXPECT_EQ(focusedName(), "Rejouer");
    }
}

TEST_F(KeyboardTest, ArrowsMoveToTheNextCoveredCellAndStopAtTheEdge) {
    dealThroughWindow(Mines);
    for (const int cell : {15, 16, 24}) {
        leftClick(cell);
        ASSERT_TRUE(revealed(cell)) << cell;
    }
    const struct {
        int from;
        Qt::Key key;
        int to;
    } cases[] = {
        {14, Qt::Key_Right, 17},                                                   // over 15 and 16
        {17, Qt::Key_Left, 14},  {14, Qt::Key_Up, 4},      {14, Qt::Key_Down, 34}, // over 24
        {34, Qt::Key_Up, 14},    {4, Qt::Key_Up, 4},       {20, Qt::Key_Right, 20},
        {11, Qt::Key_Left, 11},  {1, Qt::Key_Up, 1},       {100, Qt::Key_Down, 100},
        {1, Qt::Key_Down, 11},   {99, Qt::Key_Right, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.from << " key " << c.key);
        focusCell(c.from);
        ASSERT_EQ(focusedCell(), c.from);
        press(c.key);
        EXPECT_EQ(focusedCell(), c.to);
    }
    // Every cell of a row revealed beyond the focus: the focus stays.
    for (const int cell : {17, 18, 19, 20}) {
        leftClick(cell);
    }
    focusCell(14);
    press(Qt::Key_Right);
    EXPECT_EQ(focusedCell(), 14);
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
        byKeys.cellWidget(m.cell)->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(byKeys.window->windowHandle(), m.key, m.modifiers);

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
    EXPECT_FALSE(byKeys.game.partieEnCours());
    EXPECT_TRUE(byKeys.sound.played.contains(QStringLiteral("\\POP.wav")));
}

TEST_F(KeyboardTest, TheFocusedCellIsRingedOnceTheKeyboardIsUsed) {
    dealThroughWindow(Mines);
    // Focused by a click: no ring, as with the style's own frame.
    leftClick(14);
    ASSERT_EQ(focusedCell(), 15);
    EXPECT_EQ(cellWidget(15)->grab().toImage(), cellWidget(16)->grab().toImage());

    press(Qt::Key_Right);
    ASSERT_EQ(focusedCell(), 16);
    const QImage ringed = cellWidget(16)->grab().toImage();
    EXPECT_NE(ringed, cellWidget(17)->grab().toImage());
    const QColor highlight = cellWidget(16)->palette().color(QPalette::Highlight);
    for (const QPoint p : {QPoint(1, 24), QPoint(46, 24), QPoint(24, 1), QPoint(24, 46)}) {
        EXPECT_EQ(ringed.pixelColor(p), highlight) << p.x() << "," << p.y();
    }
}

TEST_F(KeyboardTest, AHeldKeyActsOnce) {
    dealThroughWindow(Mines);
    focusCell(14);
    for (const int key : {Qt::Key_M, Qt::Key_Menu, Qt::Key_Return}) {
        SCOPED_TRACE(key);
        QKeyEvent repeat(QEvent::KeyPress, key, Qt::NoModifier, QString(), /*autorep=*/true);
        QApplication::sendEvent(focused(), &repeat);
        EXPECT_EQ(focusedCell(), 14);
        EXPECT_FALSE(revealed(14));
        EXPECT_TRUE(sameFace(game.c.BtnBomb[14].face, game.c.Nuage.picture));
        EXPECT_TRUE(sound.played.isEmpty());
    }
}

TEST_F(KeyboardTest, ChordsWithTheLettersDoNotMark) {
    dealThroughWindow(Mines);
    focusCell(14);
    press(Qt::Key_M, Qt::ControlModifier);
    press(Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(sameFace(game.c.BtnBomb[14].face, game.c.Nuage.picture));
    EXPECT_EQ(game.v.NbMarques, 0);
}

TEST_F(KeyboardTest, FocusLeavesARevealedCellForTheNearestCoveredOne) {
    dealThroughWindow(Mines);
    // Equally near cells: the first after the revealed one.
    focusCell(14);
    press(Qt::Key_Space);
    ASSERT_TRUE(revealed(14));
    EXPECT_EQ(focusedCell(), 15);
    focusCell(20);
    press(Qt::Key_Space);
    ASSERT_TRUE(revealed(20));
    EXPECT_EQ(focusedCell(), 30);

    // A whole region opened: a covered cell, no farther than any other.
    focusCell(100);
    press(Qt::Key_Space);
    ASSERT_TRUE(revealed(100));
    ASSERT_TRUE(revealed(99));
    const int now = focusedCell();
    ASSERT_NE(now, 0) << focusedName();
    EXPECT_FALSE(revealed(now));
    EXPECT_TRUE(cellWidget(now)->isVisible());
    const auto distance = [](int a, int b) {
        const int dr = board::row(a) - board::row(b);
        const int dc = board::column(a) - board::column(b);
        return dr * dr + dc * dc;
    };
    for (int i = 1; i <= board::Cells; ++i) {
        if (!revealed(i)) {
            EXPECT_LE(distance(now, 100), distance(i, 100)) << i;
        }
    }
}

TEST_F(KeyboardTest, AfterALostGameTheFocusIsOnRejouer) {
    dealThroughWindow(Mines);
    focusCell(2);
    press(Qt::Key_Return);
    EXPECT_FALSE(game.partieEnCours());
    EXPECT_EQ(focusedName(), "Rejouer");
    // Tab goes round the panel: no cell is shown to stop on.
    std::vector<std::string> visited;
    for (int k = 0; k < 4; ++k) {
        press(Qt::Key_Tab);
        visited.push_back(focusedName());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"Quitter", "RAZ", "Sons_0", "Rejouer"}));
}

TEST_F(KeyboardTest, AfterAWonGameTheFocusIsOnRejouer) {
    dealThroughWindow(Mines);
    const std::vector<int> safe = play::safeCells(*this);
    ASSERT_EQ(safe.size(), 90u);
    for (const int cell : safe) {
        if (cell != 1 && !revealed(cell)) {
            leftClick(cell);
        }
    }
    ASSERT_TRUE(game.partieEnCours());
    focusCell(1);
    press(Qt::Key_Space);
    EXPECT_FALSE(game.partieEnCours());
    EXPECT_FALSE(cellWidget(2)->isEnabled()); // the mines stay covered, disabled
    EXPECT_EQ(focusedName(), "Rejouer");
}

TEST_F(KeyboardTest, TabStopsOnTheBoardOnceThenOnThePanel) {
    dealThroughWindow(Mines);
    focusCell(37);
    std::vector<std::string> forward;
    for (int k = 0; k < 3; ++k) {
        press(Qt::Key_Tab);
        forward.push_back(focusedName());
    }
    // "RAZ Statistiques" and "Rejouer" are off during a game.
    EXPECT_EQ(forward, (std::vector<std::string>{"Sons_0", "Quitter", "BtnBomb_37"}));
    press(Qt::Key_Backtab);
    EXPECT_EQ(focusedName(), "Quitter");
    press(Qt::Key_Backtab);
    press(Qt::Key_Backtab);
    EXPECT_EQ(focusedName(), "BtnBomb_37");

    // The board's stop follows a revealed cell to a covered one.
    leftClick(37);
    ASSERT_TRUE(revealed(37));
    widget(QStringLiteral("Quitter"))->setFocus();
    press(Qt::Key_Tab);
    ASSERT_NE(focusedCell(), 0) << focusedName();
    EXPECT_FALSE(revealed(focusedCell()));
}

TEST_F(KeyboardTest, MnemonicsPressThePanelButtons) {
    press(Qt::Key_R, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return game.v.PartiesJouees == 1; }, 2000));
    EXPECT_EQ(focusedCell(), 1);
    // Off during a game, like the button.
    press(Qt::Key_Z, Qt::AltModifier);
    press(Qt::Key_R, Qt::AltModifier);
    QTest::qWait(300);
    EXPECT_EQ(game.v.PartiesJouees, 1);
    EXPECT_TRUE(game.partieEnCours());

    game.BtnBomb_Click(game.v.PosBombes[1]);
    window->afficher();
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
        EXPECT_EQ(button->shortcut(), QKeySequence(QString::fromUtf8(b.shortcut)));
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(button);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(QAccessible::Name), QString::fromUtf8(b.text));
        ASSERT_NE(a->actionInterface(), nullptr);
        EXPECT_EQ(
            a->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
            QStringList{QKeySequence(QString::fromUtf8(b.shortcut)).toString()});

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
