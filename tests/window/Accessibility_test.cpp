// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "minefield/Board.h"
#include "support/WindowFixture.h"
#include "window/ui/CellButton.h"
#include "window/ui/VkCommand.h"
#include "window/ui/VkLabel.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QGroupBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Row 1 holds eight mines (2 to 9), row 2 two more (12, 13); 14 is a number.
const std::vector<int> Mines{2, 3, 4, 5, 6, 7, 8, 9, 12, 13};

QString nameOf(QObject* object) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(object);
    return a != nullptr ? a->text(QAccessible::Name) : QStringLiteral("<none>");
}

struct AccessibilityTest : ::testing::Test, WindowFixture {
    CellButton* cell(int n) const { return qobject_cast<CellButton*>(cellWidget(n)); }
    VkLabel* label(const char* name) const {
        return qobject_cast<VkLabel*>(widget(QString::fromUtf8(name)));
    }
};

TEST_F(AccessibilityTest, ACellIsNamedAfterItsNumberAndItsMark) {
    dealThroughWindow(Mines);
    const QString names[] = {
        QStringLiteral("Case 37 : mine marquée"),
        QStringLiteral("Case 37 : point d'interrogation"),
        QStringLiteral("Case 37"),
    };
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        rightClick(37);
        EXPECT_EQ(cell(37)->accessibleName(), name);
        EXPECT_EQ(nameOf(cell(37)), name);
        EXPECT_EQ(nameOf(cell(36)), QStringLiteral("Case 36"));
    }
    // A new deal takes every mark off, and the names with them.
    rightClick(37);
    rightClick(1);
    rightClick(1);
    leftClick(2);
    click("Rejouer");
    EXPECT_EQ(nameOf(cell(37)), QStringLiteral("Case 37"));
    EXPECT_EQ(nameOf(cell(1)), QStringLiteral("Case 1"));
}

TEST_F(AccessibilityTest, CellsAndButtonsArePressedThroughTheirAccessibleAction) {
    QAccessibleInterface* rejouer =
        QAccessible::queryAccessibleInterface(widget(QStringLiteral("Rejouer")));
    ASSERT_NE(rejouer, nullptr);
    ASSERT_NE(rejouer->actionInterface(), nullptr);
    random.push({drawFor(2), drawFor(3), drawFor(4), drawFor(5), drawFor(6), drawFor(7), drawFor(8),
                 drawFor(9), drawFor(12), drawFor(13)});
    rejouer->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_TRUE(QTest::qWaitFor([&] { return game.partieEnCours(); }, 2000));

    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(cell(14));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Button);
    EXPECT_EQ(a->text(QAccessible::Description), QStringLiteral("BtnBomb_14"));
    EXPECT_FALSE(a->state().invisible);
    ASSERT_NE(a->actionInterface(), nullptr);
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(QTest::qWaitFor([&] { return revealed(14); }, 2000));
    // A revealed cell is gone from view for an assistive technology too.
    EXPECT_TRUE(a->state().invisible);
}

TEST_F(AccessibilityTest, LabelsAreNamedByTheirTextAlone) {
    const auto check = [this] {
        for (VkLabel* l : window->findChildren<VkLabel*>()) {
            SCOPED_TRACE(l->objectName().toStdString());
            EXPECT_TRUE(l->accessibleName().isEmpty());
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(l);
            ASSERT_NE(a, nullptr);
            EXPECT_EQ(a->role(), QAccessible::StaticText);
            if (!l->text().isEmpty()) {
                EXPECT_EQ(a->text(QAccessible::Name), l->text());
            } else if (auto* frame = qobject_cast<QGroupBox*>(l->parentWidget())) {
                // Nothing shown yet (no best time): Qt names it after its frame.
                EXPECT_EQ(a->text(QAccessible::Name), frame->title());
            }
            EXPECT_EQ(a->text(QAccessible::Description), l->objectName());
        }
    };
    check();
    dealThroughWindow(Mines);
    rightClick(1);
    check();
    EXPECT_EQ(nameOf(label("Mines")), QStringLiteral("1"));
}

} // namespace
