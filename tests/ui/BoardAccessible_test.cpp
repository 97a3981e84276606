// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The board as assistive technologies see it: a table of 10 rows of 10 cells.
#include "core/Board.h"
#include "support/WindowFixture.h"
#include "ui/BoardView.h"

#include <QAccessible>
#include <gtest/gtest.h>

namespace {

const std::vector<int> Mines{2, 3, 4, 5, 6, 7, 8, 9, 12, 13};

struct BoardAccessibleTest : ::testing::Test, WindowFixture {
    BoardView* board() const { return qobject_cast<BoardView*>(widget(QStringLiteral("PicFond"))); }
    QAccessibleInterface* table() const { return QAccessible::queryAccessibleInterface(board()); }
};

TEST_F(BoardAccessibleTest, EveryCellIsReachedAlikeByIndexRowAndColumnAndPoint) {
    QAccessibleInterface* b = table();
    QAccessibleTableInterface* t = b->tableInterface();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->rowCount(), 10);
    EXPECT_EQ(t->columnCount(), 10);
    for (int n = 1; n <= board::Cells; ++n) {
        SCOPED_TRACE(n);
        QAccessibleInterface* c = b->child(n - 1);
        ASSERT_NE(c, nullptr);
        EXPECT_TRUE(c->isValid());
        EXPECT_EQ(c->parent(), b);
        EXPECT_EQ(b->indexOfChild(c), n - 1);
        EXPECT_EQ(t->cellAt(board::row(n) - 1, board::column(n) - 1), c);
        QAccessibleTableCellInterface* cell = c->tableCellInterface();
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->rowIndex(), board::row(n) - 1);
        EXPECT_EQ(cell->columnIndex(), board::column(n) - 1);
        EXPECT_EQ(cell->table(), b);
        const QRect square(board()->mapToGlobal(BoardView::cellSquare(n).topLeft()),
                           BoardView::cellSquare(n).size());
        EXPECT_EQ(c->rect(), square);
        EXPECT_EQ(b->childAt(square.center().x(), square.center().y()), c);
    }
    // Qt's bridge uses a cell it asks for unchecked: one off the board still answers.
    EXPECT_NE(t->cellAt(-1, 3), nullptr);
    EXPECT_NE(t->cellAt(10, 10), nullptr);
    EXPECT_EQ(b->child(board::Cells), nullptr);
}

TEST_F(BoardAccessibleTest, ACellKeepsItsObjectThroughRevealsAndDeals) {
    std::vector<QAccessible::Id> ids;
    for (int n = 1; n <= board::Cells; ++n) {
        ids.push_back(QAccessible::uniqueId(table()->child(n - 1)));
    }
    dealThroughWindow(Mines);
    leftClick(100);
    leftClick(2);
    dealThroughWindow(Mines);
    for (int n = 1; n <= board::Cells; ++n) {
        EXPECT_EQ(QAccessible::uniqueId(table()->child(n - 1)), ids[n - 1]) << n;
    }
    // Gone from the cache with the board: nothing left for a client to reach.
    window.reset();
    for (QAccessible::Id id : ids) {
        EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
    }
    window = std::make_unique<Tableau>(game);
}

} // namespace
