// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What assistive technologies are told of the window, caught where Qt hands its events to the
// platform's bridge.
#include "core/Board.h"
#include "core/ControlTable.h"
#include "support/Play.h"
#include "support/WindowFixture.h"
#include "ui/BoardView.h"
#include "ui/VkLabel.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

// Row 1 holds eight mines (2 to 9), row 2 two more (12, 13).
const std::vector<int> Mines{2, 3, 4, 5, 6, 7, 8, 9, 12, 13};

// Offscreen, Qt hands no event to anyone: the events themselves are checked on the real bus
// (tests/atspi). Here: what a client reads when they come, the focused cell and the phrases.
struct AccessibilityTest : ::testing::Test, WindowFixture {
    void SetUp() override {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window->windowHandle(), Qt::Key(key), modifiers);
    }
    QAccessibleInterface* of(const char* name) const {
        return QAccessible::queryAccessibleInterface(widget(QString::fromUtf8(name)));
    }
    QString focusedCell() {
        QAccessibleInterface* cell = of("PicFond")->focusChild();
        return cell != nullptr && cell->state().focused ? cell->text(QAccessible::Name) : QString();
    }
    QString announced() { return of("Annonce")->text(QAccessible::Name); }
};

TEST_F(AccessibilityTest, AWholeGameByKeysReadsCellByCellWithTheEndSaidWhereThePlayerIs) {
    QAccessibleInterface* b = of("PicFond");
    ASSERT_NE(b->tableInterface(), nullptr);
    ASSERT_EQ(b->childCount(), board::Cells);
    EXPECT_EQ(of("Annonce")->role(), QAccessible::Notification);
    EXPECT_EQ(focusedCell(), QString());

    random.push(drawsFor(MinesAroundCellOne));
    press(Qt::Key_Return); // on "Rejouer"
    EXPECT_EQ(focusedCell(), QStringLiteral("couverte, ligne 1, colonne 1"));
    EXPECT_EQ(b->focusChild(), b->child(0));
    EXPECT_FALSE(b->child(1)->state().focused);

    // Every safe cell from the keyboard: each move lands the focus on the cell's words; each
    // reveal leaves the focus and announces the cell as it now is.
    for (const int cell : play::safeCells(*this)) {
        if (revealed(cell)) {
            continue;
        }
        SCOPED_TRACE(cell);
        press(Qt::Key_Home, Qt::ControlModifier);
        for (int k = 1; k < board::row(cell); ++k) {
            press(Qt::Key_Down);
        }
        for (int k = 1; k < board::column(cell); ++k) {
            press(Qt::Key_Right);
        }
        const QString before = game.cellDescription(cell);
        ASSERT_EQ(focusedCell(), before);
        press(Qt::Key_Space);
        EXPECT_EQ(focusedCell(), game.cellDescription(cell));
        EXPECT_NE(announced(), before);
        EXPECT_EQ(announced(), game.cellDescription(cell));
    }
    ASSERT_FALSE(game.gameInProgress());
    EXPECT_EQ(of("Commentaire")->text(QAccessible::Name),
              QStringLiteral(" BRAVO !...C'est gagné !"));
    for (int n = 1; n <= board::Cells; ++n) {
        QAccessibleInterface* cell = b->child(n - 1);
        ASSERT_EQ(cell->role(), QAccessible::Cell);
        EXPECT_EQ(cell->text(QAccessible::Name), game.cellDescription(n)) << n;
    }
}

TEST_F(AccessibilityTest, LabelsAreNamedByTheirTextAloneAndDescriptionsSayWhatTheyAre) {
    // No best time yet: nothing said, where Qt would lend the label its frame's title.
    ASSERT_TRUE(game.c.TempsMeilleur.text.isEmpty());

    const auto check = [this] {
        QStringList names;
        for (QObject* o : window->findChildren<QObject*>()) {
            if (!o->objectName().isEmpty()) {
                names << o->objectName();
            }
        }
        // Control names, and the way ours are made: letters then an underscore and a number.
        const QRegularExpression internal(QStringLiteral("_\\d|^vk|Btn"));
        for (QWidget* w : window->findChildren<QWidget*>()) {
            SCOPED_TRACE(w->objectName().toStdString());
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            ASSERT_NE(a, nullptr);
            const QString description = a->text(QAccessible::Description);
            EXPECT_FALSE(description.contains(internal)) << description.toStdString();
            EXPECT_FALSE(names.contains(description)) << description.toStdString();
            if (auto* l = qobject_cast<VkLabel*>(w)) {
                EXPECT_EQ(a->text(QAccessible::Name), l->text());
            }
        }
    };
    check();
    dealThroughWindow(Mines);
    leftClick(2);
    check();
}

TEST_F(AccessibilityTest, SOnTheBoardSaysTheStatisticsAndAResetIsSaid) {
    dealThroughWindow(Mines);
    press(Qt::Key_S);
    EXPECT_EQ(announced(), game.statisticsPhrase());
    leftClick(2); // lost
    press(Qt::Key_Z, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return game.c.PJoue.text == QStringLiteral("0"); }, 2000));
    EXPECT_EQ(announced(), QStringLiteral("Statistiques remises à zéro"));
}

TEST_F(AccessibilityTest, FramesAreNamedByTheirOwnCaptionReadFirstAndSonIsSaidOnce) {
    for (const design::Control& c : design::controls()) {
        if (c.kind != design::Kind::Frame) {
            continue;
        }
        SCOPED_TRACE(c.name);
        QAccessibleInterface* frame = of(c.name);
        EXPECT_EQ(frame->text(QAccessible::Name), c.designText());
        QAccessibleInterface* caption = frame->child(0);
        ASSERT_NE(caption, nullptr);
        EXPECT_EQ(caption->role(), QAccessible::StaticText);
        EXPECT_EQ(caption->text(QAccessible::Name), c.designText());
    }
    // The frame "Son" is the options' group; they are named and labelled by nothing else.
    for (const char* option : {"Sons_0", "Sons_1"}) {
        EXPECT_EQ(of(option)->text(QAccessible::Name), game.c.Sons.at(option[5] - '0').text);
        EXPECT_TRUE(of(option)->relations(QAccessible::Label).isEmpty());
    }
}

TEST_F(AccessibilityTest, TheSoundOptionsChosenThroughTheirActionsActAsAClick) {
    for (const QString& action :
         {QAccessibleActionInterface::toggleAction(), QAccessibleActionInterface::pressAction()}) {
        SCOPED_TRACE(action.toStdString());
        QAccessibleInterface* offOption = of("Sons_1");
        // A radio button lists "Toggle" only; a client may still ask for "Press".
        ASSERT_TRUE(offOption->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::toggleAction()));
        offOption->actionInterface()->doAction(action);
        ASSERT_TRUE(QTest::qWaitFor([&] { return offOption->state().checked; }, 2000));
        EXPECT_EQ(game.v.SonActif, 0);
        EXPECT_EQ(game.c.Sons[1].value, 1);
        EXPECT_EQ(game.c.Sons[0].value, 0);
        // A deal keeps the choice, and makes no sound.
        dealThroughWindow(Mines);
        EXPECT_TRUE(offOption->state().checked);
        leftClick(2);
        EXPECT_TRUE(sound.played.isEmpty());
        window->close();
        QFile saved(dir.filePath(QStringLiteral("tervalo.tvo")));
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_TRUE(saved.readAll().contains("Sonore=0"));

        // Back on through the same action of "Oui".
        window->show();
        of("Sons_0")->actionInterface()->doAction(action);
        ASSERT_TRUE(QTest::qWaitFor([&] { return game.v.SonActif != 0; }, 2000));
        EXPECT_EQ(game.c.Sons[0].value, 1);
    }
}

} // namespace
