// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Layout.h"

#include <array>

namespace layout {
namespace {

constexpr Font Helvetica(double size, bool italic = false) {
    return {"Helvetica", size, true, italic};
}
constexpr Font ArialNarrow(double size, bool bold) {
    return {"Arial Narrow", size, bold, false};
}
constexpr Font ArialBold(double size) {
    return {"Arial", size, true, false};
}

// Frames whose border the design leaves to the library: a thin grey line.
constexpr Colour PlainBorder = 0x808080;
// The small frames of the statistics panel have a one-colour title bar; their labels start
// 270 twips down, so the bar takes those 270 twips.
constexpr int SmallTitleTwips = 270;

constexpr Control mainFrame(const char* name, const char* parent, int l, int t, int w, int h,
                            const char* title, Colour from, Colour to, Colour body) {
    return {.name = name,
            .kind = Kind::Frame,
            .parent = parent,
            .left = l,
            .top = t,
            .width = w,
            .height = h,
            .text = title,
            .font = Helvetica(14.25),
            .titleStart = from,
            .titleEnd = to,
            .titleTwips = 400,
            .titleText = colours::White,
            .body = body,
            .borderColour = 0xFF0000,
            .borderWidth = 2};
}

constexpr Control groupFrame(const char* name, int l, int t, int w, int h, const char* title,
                             Font font, Colour from, Colour to) {
    return {.name = name,
            .kind = Kind::Frame,
            .parent = "vkFrame1",
            .left = l,
            .top = t,
            .width = w,
            .height = h,
            .text = title,
            .font = font,
            .titleStart = from,
            .titleEnd = to,
            .titleTwips = 300,
            .titleText = colours::Black,
            .borderColour = PlainBorder,
            .borderWidth = 1};
}

constexpr Control smallFrame(const char* name, const char* parent, int l, const char* title,
                             Colour colour) {
    return {.name = name,
            .kind = Kind::Frame,
            .parent = parent,
            .left = l,
            .top = 300,
            .width = 1275,
            .height = 645,
            .text = title,
            .font = Helvetica(11.25),
            .titleStart = colour,
            .titleEnd = colour,
            .titleTwips = SmallTitleTwips,
            .titleText = colours::Black,
            .borderColour = PlainBorder,
            .borderWidth = 1};
}

constexpr Control statLabel(const char* name, const char* parent, const char* text, int l = 60,
                            int t = 270, int w = 1140) {
    return {.name = name,
            .kind = Kind::Label,
            .parent = parent,
            .left = l,
            .top = t,
            .width = w,
            .height = 315,
            .text = text,
            .font = ArialBold(11.25),
            .foreground = colours::Black,
            .singleBorder = true};
}

constexpr Control command(const char* name, const char* parent, int l, int t, int w,
                          const char* text, Colour ink) {
    return {.name = name,
            .kind = Kind::Command,
            .parent = parent,
            .left = l,
            .top = t,
            .width = w,
            .height = 525,
            .text = text,
            .font = Helvetica(14.25),
            .foreground = ink,
            .faceStart = 0xFFFFFF,
            .faceEnd = 0xC0C0C0};
}

constexpr Control option(const char* name, int t, int w, const char* text) {
    return {.name = name,
            .kind = Kind::Option,
            .parent = "vkFrame13",
            .left = 240,
            .top = t,
            .width = w,
            .height = 405,
            .text = text,
            .font = Helvetica(14.25),
            .foreground = colours::Black};
}

// A control of the board picture, placed where the core has it.
constexpr Control inPicture(const char* name, Kind kind, const design::TwipsRect& place) {
    return {.name = name,
            .kind = kind,
            .parent = "PicFond",
            .left = place.left,
            .top = place.top,
            .width = place.width,
            .height = place.height,
            .text = ""};
}

const std::array Table{
    Control{.name = "Tableau",
            .kind = Kind::Window,
            .parent = "",
            .left = 0,
            .top = 0,
            .width = 10260,
            .height = 8010,
            .text = "Tervalo - par l'équipe Tervalo - Version 1.2"},

    Control{.name = "PicFond",
            .kind = Kind::Picture,
            .parent = "Tableau",
            .left = 0,
            .top = 0,
            .width = 7530,
            .height = 7530,
            .text = "",
            .font = ArialBold(36),
            .background = colours::BoardBackground,
            .foreground = colours::Black},
    inPicture("Nuage", Kind::Image, design::Nuage),
    inPicture("iBomb", Kind::Image, design::iBomb),
    inPicture("RBomb", Kind::Image, design::RBomb),
    inPicture("Bombe_1", Kind::Image, design::Bombe_1),
    inPicture("BtnBomb_1", Kind::CellButton, design::BtnBomb_1),

    Control{.name = "vkLabel1",
            .kind = Kind::Label,
            .parent = "Tableau",
            .left = 0,
            .top = 7530,
            .width = 7530,
            .height = 420,
            .text = "Clic Bouton gauche pour effacer les cases - Bouton droit pour les marquer",
            .font = ArialNarrow(12.75, false),
            .background = 0xFCF7F4,
            .foreground = colours::Black,
            .singleBorder = true},

    mainFrame("vkFrame1", "Tableau", 7560, 0, 2685, 4545, "Statistiques", 0xFFFF00, 0x000000,
              0xF0F0F0),
    groupFrame("vkFrame8", 60, 420, 2565, 945, "Temps de la partie", ArialNarrow(12.75, true),
               0xFFFFC0, 0xC0C000),
    smallFrame("vkFrame10", "vkFrame8", 0, "actuel", 0xFFFFC0),
    statLabel("TempsActuel", "vkFrame10", "0:00:00"),
    smallFrame("vkFrame9", "vkFrame8", 1290, "meilleur", 0xFFFFC0),
    statLabel("TempsMeilleur", "vkFrame9", "0:00:00"),
    groupFrame("vkFrame2", 60, 1350, 2565, 945, "Nombre de parties", ArialNarrow(12.75, true),
               0xC0FFC0, 0x00C000),
    smallFrame("vkFrame12", "vkFrame2", 0, "jouées", 0xC0FFC0),
    statLabel("PJoué", "vkFrame12", "0"),
    smallFrame("vkFrame11", "vkFrame2", 1290, "gagnées", 0xC0FFC0),
    statLabel("PGagné", "vkFrame11", "0"),
    groupFrame("vkFrame4", 60, 2280, 2565, 945, "Victoires consécutives", ArialNarrow(12.75, true),
               0xFFFFFF, 0x00C0C0),
    smallFrame("vkFrame6", "vkFrame4", 0, "actuelle", 0x00FFFF),
    statLabel("VictConsActuelle", "vkFrame6", "0"),
    smallFrame("vkFrame7", "vkFrame4", 1290, "meilleure", 0x00FFFF),
    statLabel("VictConsMeilleure", "vkFrame7", "0"),
    Control{.name = "vkFrame5",
            .kind = Kind::Frame,
            .parent = "vkFrame1",
            .left = 60,
            .top = 3210,
            .width = 2565,
            .height = 705,
            .text = "%  de réussite",
            .font = Helvetica(12.75),
            .titleStart = 0xFFFFFF,
            .titleEnd = 0xC0C000,
            .titleTwips = 300,
            .titleText = colours::Black,
            .borderColour = PlainBorder,
            .borderWidth = 1},
    statLabel("Pourcent", "vkFrame5", "0 %", 660, 330, 1320),
    command("RAZ", "vkFrame1", 60, 3960, 2565, "RAZ Statistiques", 0x000000),

    Control{.name = "Commentaire",
            .kind = Kind::Label,
            .parent = "Tableau",
            .left = 7590,
            .top = 4620,
            .width = 2625,
            .height = 345,
            .text = "Partie en cours...",
            .font = Helvetica(12, true),
            .background = colours::White,
            .foreground = colours::Black,
            .singleBorder = true},

    mainFrame("MinesF", "Tableau", 7560, 5040, 1245, 1545, "Mines", 0x0000FF, 0x000040, 0xFFFFFF),
    Control{.name = "Mines",
            .kind = Kind::Label,
            .parent = "MinesF",
            .left = 120,
            .top = 480,
            .width = 990,
            .height = 960,
            .text = "10",
            .font = Helvetica(36),
            .background = 0xC0FFFF,
            .foreground = colours::Black,
            .singleBorder = true},

    mainFrame("vkFrame13", "Tableau", 8850, 5040, 1365, 1545, "Son", 0x80C0FF, 0x404080, 0xEAFFE8),
    option("Sons_0", 510, 915, "Oui"),
    option("Sons_1", 960, 945, "Non"),

    command("Rejouer", "Tableau", 7560, 6750, 2655, "Rejouer", 0x008000),
    command("Quitter", "Tableau", 7560, 7440, 2655, "Quitter", 0x000080),

    Control{.name = "Timer1",
            .kind = Kind::Timer,
            .parent = "Tableau",
            .left = 0,
            .top = 0,
            .width = 0,
            .height = 0,
            .text = ""},
};

} // namespace

std::span<const Control> controls() {
    return Table;
}

const Control* find(std::string_view name) {
    for (const Control& c : Table) {
        if (name == c.name) {
            return &c;
        }
    }
    return nullptr;
}

} // namespace layout
