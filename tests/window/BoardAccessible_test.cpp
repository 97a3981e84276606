// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader finds on the board: the buttons of the covered cells, and a read-only text
// for each revealed cell saying what the picture shows there.
#include "minefield/Board.h"
#include "support/WindowFixture.h"
#include "window/ui/BoardView.h"

#include <QAccessible>
#include <QMap>
#include <gtest/gtest.h>

namespace {

// Row 1 holds eight mines (2 to 9), row 2 two more (12, 13); 14 is a 4, 100 is in an empty field.
const std::vector<int> Mines{2, 3, 4, 5, 6, 7, 8, 9, 12, 13};

struct BoardAccessibleTest : ::testing::Test, WindowFixture {
    BoardView* board() const { return qobject_cast<BoardView*>(widget(QStringLiteral("PicFond"))); }
    QAccessibleInterface* boardInterface() const {
        return QAccessible::queryAccessibleInterface(board());
    }
    // The board's children that stand for no widget: the revealed cells, by name.
    QMap<QString, QAccessibleInterface*> revealedChildren() const {
        QMap<QString, QAccessibleInterface*> found;
        QAccessibleInterface* b = boardInterface();
        for (int i = 0; i < b->childCount(); ++i) {
            QAccessibleInterface* c = b->child(i);
            if (c != nullptr && c->object() == nullptr) {
                found.insert(c->text(QAccessible::Name), c);
            }
        }
        return found;
    }
    // What the names should be, from the mines alone and what the game shows as revealed.
    QStringList expectedNames() const {
        const reference::CellTable contents = reference::contents(Mines);
        QStringList names;
        for (int n = 1; n <= board::Cells; ++n) {
            if (!revealed(n)) {
                continue;
            }
            const int k = contents[n];
            names << (k == 9   ? QStringLiteral("Case %1 : mine").arg(n)
                      : k == 0 ? QStringLiteral("Case %1 : vide").arg(n)
                               : QStringLiteral("Case %1 : %2").arg(n).arg(k));
        }
        names.sort();
        return names;
    }
};

TEST_F(BoardAccessibleTest, ANewDealShowsOnlyTheCellButtons) {
    // Before the first deal the hidden buttons hide nothing: there is nothing to read.
    EXPECT_TRUE(revealedChildren().isEmpty());
    dealThroughWindow(Mines);
    EXPECT_TRUE(revealedChildren().isEmpty());
    // Every child widget is still there, at the index the board gives it.
    QAccessibleInterface* b = boardInterface();
    for (QWidget* w : board()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        SCOPED_TRACE(w->objectName().toStdString());
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        const int index = b->indexOfChild(a);
        ASSERT_GE(index, 0);
        EXPECT_EQ(b->child(index), a);
    }
    EXPECT_EQ(b->childCount(), board()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size());
}

TEST_F(BoardAccessibleTest, ARevealedNumberIsReadWhereItIsDrawn) {
    dealThroughWindow(Mines);
    leftClick(14);
    ASSERT_TRUE(revealed(14));
    const auto found = revealedChildren();
    ASSERT_EQ(found.keys(), QStringList{QStringLiteral("Case 14 : 4")});
    QAccessibleInterface* c = found.first();
    EXPECT_EQ(c->role(), QAccessible::StaticText);
    EXPECT_TRUE(c->state().readOnly);
    EXPECT_FALSE(c->state().invisible);
    const QRect square(board()->mapToGlobal(BoardView::cellSquare(14).topLeft()),
                       BoardView::cellSquare(14).size());
    EXPECT_EQ(c->rect(), square);
    QAccessibleInterface* b = boardInterface();
    EXPECT_EQ(c->parent(), b);
    const int index = b->indexOfChild(c);
    ASSERT_GE(index, 0);
    EXPECT_EQ(b->child(index), c);
    EXPECT_EQ(b->childAt(square.center().x(), square.center().y()), c);
    // A covered neighbour is still its button.
    const QRect next = cellWidget(15)->rect();
    const QPoint onNext = cellWidget(15)->mapToGlobal(next.center());
    EXPECT_EQ(b->childAt(onNext.x(), onNext.y()),
              QAccessible::queryAccessibleInterface(cellWidget(15)));

    // The same object for as long as the cell stays revealed.
    leftClick(100);
    EXPECT_EQ(revealedChildren().value(QStringLiteral("Case 14 : 4")), c);
}

TEST_F(BoardAccessibleTest, EveryRevealedCellIsNamedAfterItsContent) {
    dealThroughWindow(Mines);
    leftClick(100); // opens the empty field and its rim of numbers
    ASSERT_GT(expectedNames().size(), 20);
    EXPECT_EQ(revealedChildren().keys(), expectedNames());
    // Lost: every cell is uncovered, the mines with them.
    leftClick(2);
    ASSERT_EQ(expectedNames().size(), board::Cells);
    const auto found = revealedChildren();
    EXPECT_EQ(found.keys(), expectedNames());
    EXPECT_TRUE(found.contains(QStringLiteral("Case 13 : mine")));
}

TEST_F(BoardAccessibleTest, ANewDealTakesTheRevealedCellsAway) {
    dealThroughWindow(Mines);
    leftClick(2); // lost: the next deal is to be had
    const auto before = revealedChildren();
    ASSERT_EQ(before.size(), board::Cells);
    std::vector<QAccessible::Id> ids;
    for (QAccessibleInterface* c : before) {
        ids.push_back(QAccessible::uniqueId(c));
    }
    dealThroughWindow(Mines);
    EXPECT_TRUE(revealedChildren().isEmpty());
    // Gone from the cache too: nothing left for a client to reach.
    for (QAccessible::Id id : ids) {
        EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
    }
}

TEST(BoardAccessible, ABoardTakesItsRevealedCellsWithIt) {
    BoardFixture f;
    std::vector<QAccessible::Id> ids;
    {
        BoardView board(f.game.PicFond);
        board.setCovered([](int n) { return n % 2 == 0; });
        board.setDescriber([](int n) { return QString::number(n); });
        QAccessibleInterface* b = QAccessible::queryAccessibleInterface(&board);
        ASSERT_EQ(b->childCount(), board::Cells / 2);
        for (int i = 0; i < b->childCount(); ++i) {
            EXPECT_EQ(b->child(i)->text(QAccessible::Name), QString::number(2 * i + 1));
            ids.push_back(QAccessible::uniqueId(b->child(i)));
        }
    }
    for (QAccessible::Id id : ids) {
        EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
    }
}

} // namespace
