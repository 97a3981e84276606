// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Layout.h"

#include <QHash>
#include <gtest/gtest.h>
#include <set>
#include <string>

using layout::Control;
using layout::Kind;

namespace {

const Control& control(const char* name) {
    const Control* c = layout::find(name);
    if (c == nullptr) {
        ADD_FAILURE() << "no control " << name;
        static const Control none{"", Kind::Label, "", 0, 0, 0, 0, ""};
        return none;
    }
    return *c;
}

bool isContainer(Kind k) {
    return k == Kind::Window || k == Kind::Frame || k == Kind::Picture;
}

} // namespace

TEST(Layout, EveryPlaceIsAWholeNumberOfPixels) {
    for (const Control& c : layout::controls()) {
        SCOPED_TRACE(c.name);
        for (int twips : {c.left, c.top, c.width, c.height}) {
            EXPECT_EQ(twips % design::TwipsPerPixel, 0) << twips;
        }
    }
}

TEST(Layout, NamesAreUniqueAndParentsComeFirst) {
    std::set<std::string> seen;
    for (const Control& c : layout::controls()) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(seen.insert(c.name).second) << "name used twice";
        if (c.kind == Kind::Window) {
            EXPECT_STREQ(c.parent, "");
            continue;
        }
        ASSERT_TRUE(seen.count(c.parent)) << "parent " << c.parent << " not declared before";
        EXPECT_TRUE(isContainer(control(c.parent).kind)) << c.parent << " holds no controls";
    }
    EXPECT_EQ(layout::find("Nothing"), nullptr);
}

// The places at a glance, written out here a second time so a slip in the table shows.
TEST(Layout, MainControlsStandWhereDesigned) {
    const struct {
        const char* name;
        QRect pixels;
    } cases[] = {
        {"Tableau", {0, 0, 684, 534}},        {"PicFond", {0, 0, 502, 502}},
        {"vkLabel1", {0, 502, 502, 28}},      {"vkFrame1", {504, 0, 179, 303}},
        {"Commentaire", {506, 308, 175, 23}}, {"MinesF", {504, 336, 83, 103}},
        {"vkFrame13", {590, 336, 91, 103}},   {"Rejouer", {504, 450, 177, 35}},
        {"Quitter", {504, 496, 177, 35}},     {"BtnBomb_1", {2, 2, 48, 48}},
        {"Pourcent", {44, 22, 88, 21}},       {"Mines", {8, 32, 66, 64}},
        {"Sons_0", {16, 34, 61, 27}},         {"Sons_1", {16, 64, 63, 27}},
        {"TempsMeilleur", {4, 18, 76, 21}},   {"vkFrame9", {86, 20, 85, 43}},
        {"RAZ", {4, 264, 171, 35}},           {"Bombe_1", {0, 54, 32, 32}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(control(c.name).rect(), c.pixels);
    }
    EXPECT_EQ(layout::ClientWidth, 684);
    EXPECT_EQ(layout::ClientHeight, 534);
}

TEST(Layout, ControlsFitTheirParents) {
    for (const Control& c : layout::controls()) {
        if (c.kind == Kind::Window || c.kind == Kind::Timer) {
            continue;
        }
        SCOPED_TRACE(c.name);
        const QRect parent = control(c.parent).rect();
        EXPECT_TRUE(QRect(QPoint(0, 0), parent.size()).contains(c.rect())) << c.rect().x();
    }
}

TEST(Layout, TheRightmostAndLowestControlsEndInsideTheClientArea) {
    const Control& window = control("Tableau");
    int right = 0;
    int bottom = 0;
    for (const Control& c : layout::controls()) {
        if (QByteArray(c.parent) != "Tableau" || c.kind == Kind::Timer) {
            continue;
        }
        SCOPED_TRACE(c.name);
        EXPECT_LE(c.left + c.width, window.width);
        EXPECT_LE(c.top + c.height, window.height);
        bottom = std::max(bottom, c.top + c.height);
        // The statistics frame is designed two pixels wider than the column beneath it.
        if (QByteArray(c.name) != "vkFrame1") {
            right = std::max(right, c.left + c.width);
        }
    }
    EXPECT_EQ(right, 10215);
    EXPECT_EQ(bottom, 7965);
    EXPECT_EQ(right / design::TwipsPerPixel, 681);
    EXPECT_EQ(bottom / design::TwipsPerPixel, 531);
    EXPECT_EQ(control("vkFrame1").rect().right(), 682);
}

TEST(Layout, InstructionLineStartsAtTheBoardsEdgeWithItsWidth) {
    const QRect board = control("PicFond").rect();
    const QRect line = control("vkLabel1").rect();
    EXPECT_EQ(line.top(), board.top() + board.height());
    EXPECT_EQ(line.top(), 502);
    EXPECT_EQ(line.left(), board.left());
    EXPECT_EQ(line.width(), board.width());
}

TEST(Layout, DesignTextsKeepTheirAccentsAndBlanks) {
    const struct {
        const char* name;
        QString text;
    } cases[] = {
        {"vkFrame5", QStringLiteral("%  de réussite")},
        {"vkFrame12", QStringLiteral("jouées")},
        {"vkFrame11", QStringLiteral("gagnées")},
        {"vkFrame4", QStringLiteral("Victoires consécutives")},
        {"Commentaire", QStringLiteral("Partie en cours...")},
        {"vkLabel1", QStringLiteral("Clic Bouton gauche pour effacer les cases - Bouton droit "
                                    "pour les marquer")},
        {"Pourcent", QStringLiteral("0 %")},
        {"TempsActuel", QStringLiteral("0:00:00")},
        {"RAZ", QStringLiteral("RAZ Statistiques")},
        {"Sons_0", QStringLiteral("Oui")},
        {"Sons_1", QStringLiteral("Non")},
        {"MinesF", QStringLiteral("Mines")},
        {"vkFrame13", QStringLiteral("Son")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(control(c.name).designText(), c.text);
    }
    EXPECT_NE(layout::find("PJoué"), nullptr);
    EXPECT_NE(layout::find("PGagné"), nullptr);
    const QString title = control("Tableau").designText();
    EXPECT_TRUE(title.startsWith(QStringLiteral("Tervalo")));
    EXPECT_TRUE(title.endsWith(QStringLiteral("Version 1.2")));
}

TEST(Layout, TitleBarsAreWholePixelsThatLeaveRoomForTheContents) {
    EXPECT_EQ(control("vkFrame1").titleHeight(), 27); // 400 twips
    EXPECT_EQ(control("vkFrame8").titleHeight(), 20); // 300 twips
    // Each frame's children start below its title bar.
    for (const Control& c : layout::controls()) {
        if (c.kind == Kind::Window || c.kind == Kind::Timer) {
            continue;
        }
        const Control& parent = control(c.parent);
        if (parent.kind == Kind::Frame) {
            SCOPED_TRACE(c.name);
            EXPECT_GE(c.rect().top(), parent.titleHeight());
        }
    }
}
