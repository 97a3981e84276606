// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/ControlTable.h"

#include "core/Controls.h"

#include <QtGlobal>
#include <array>

namespace design {
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
            .place = {l, t, w, h},
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
            .place = {l, t, w, h},
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
            .place = {l, 300, 1275, 645},
            .text = title,
            .font = Helvetica(11.25),
            .titleStart = colour,
            .titleEnd = colour,
            .titleTwips = SmallTitleTwips,
            .titleText = colours::Black,
            .borderColour = PlainBorder,
            .borderWidth = 1};
}

constexpr Control statLabel(const char* name, const char* parent, const char* text,
                            LabelModel Controls::*model, const char* description, int l = 60,
                            int t = 270, int w = 1140) {
    return {.name = name,
            .kind = Kind::Label,
            .parent = parent,
            .place = {l, t, w, 315},
            .text = text,
            .font = ArialBold(11.25),
            .foreground = colours::Black,
            .singleBorder = true,
            .model = {.label = model},
            .description = description};
}

constexpr Control command(const char* name, const char* parent, int l, int t, int w,
                          const char* text, Colour ink, CommandModel Controls::*model,
                          char mnemonic, const char* description) {
    return {.name = name,
            .kind = Kind::Command,
            .parent = parent,
            .place = {l, t, w, 525},
            .text = text,
            .font = Helvetica(14.25),
            .foreground = ink,
            .faceStart = 0xFFFFFF,
            .faceEnd = 0xC0C0C0,
            .model = {.command = model},
            .mnemonic = mnemonic,
            .description = description};
}

// Sons_0 and Sons_1, the two choices of the sound switch.
constexpr Control option(const char* name, int index, int t, int w, const char* text, bool selected,
                         const char* description) {
    return {.name = name,
            .kind = Kind::Option,
            .parent = "vkFrame13",
            .place = {240, t, w, 405},
            .text = text,
            .font = Helvetica(14.25),
            .foreground = colours::Black,
            .model = {.index = index},
            .selected = selected,
            .description = description};
}

// A control of the board picture: a picture holder, the first mine picture or cell button 1.
constexpr Control inPicture(const char* name, Kind kind, TwipsRect place, Model model,
                            const char* picture = nullptr) {
    return {.name = name,
            .kind = kind,
            .parent = "PicFond",
            .place = place,
            .text = "",
            .model = model,
            .picture = picture};
}

const std::array Table{
    Control{.name = "Tableau",
            .kind = Kind::Window,
            .parent = "",
            .place = {0, 0, 10260, 8010},
            .text = "Tervalo - par l'équipe Tervalo - Version 1.2"},

    Control{.name = "PicFond",
            .kind = Kind::Picture,
            .parent = "Tableau",
            .place = {0, 0, 7530, 7530},
            .text = "",
            .font = ArialBold(36),
            .background = colours::BoardBackground,
            .foreground = colours::Black,
            .accessibleName = "Plateau",
            .description = "10 lignes de 10 cases"},
    // The three faces a cell shows: the cover, the question mark, the mine mark.
    inPicture("Nuage", Kind::Image, {180, 3600, 480, 480}, {.image = &Controls::Nuage},
              ":/pictures/Nuage.svg"),
    inPicture("iBomb", Kind::Image, {210, 2790, 480, 480}, {.image = &Controls::iBomb},
              ":/pictures/iBomb.svg"),
    inPicture("RBomb", Kind::Image, {90, 1710, 660, 660}, {.image = &Controls::RBomb},
              ":/pictures/RBomb.svg"),
    inPicture("Bombe_1", Kind::Image, {0, 810, 480, 480}, {.index = 1}, ":/pictures/Bombe.svg"),
    inPicture("BtnBomb_1", Kind::CellButton, {30, 30, 720, 720}, {.index = 1}),

    Control{.name = "vkLabel1",
            .kind = Kind::Label,
            .parent = "Tableau",
            .place = {0, 7530, 7530, 420},
            .text = "Clic Bouton gauche pour effacer les cases - Bouton droit pour les marquer",
            .font = ArialNarrow(12.75, false),
            .background = 0xFCF7F4,
            .foreground = colours::Black,
            .singleBorder = true,
            .model = {.label = &Controls::vkLabel1},
            .description = "Mode d'emploi"},

    mainFrame("vkFrame1", "Tableau", 7560, 0, 2685, 4545, "Statistiques", 0xFFFF00, 0x000000,
              0xF0F0F0),
    groupFrame("vkFrame8", 60, 420, 2565, 945, "Temps de la partie", ArialNarrow(12.75, true),
               0xFFFFC0, 0xC0C000),
    smallFrame("vkFrame10", "vkFrame8", 0, "actuel", 0xFFFFC0),
    statLabel("TempsActuel", "vkFrame10", "0:00:00", &Controls::TempsActuel, "Temps de la partie"),
    smallFrame("vkFrame9", "vkFrame8", 1290, "meilleur", 0xFFFFC0),
    statLabel("TempsMeilleur", "vkFrame9", "0:00:00", &Controls::TempsMeilleur, "Meilleur temps"),
    groupFrame("vkFrame2", 60, 1350, 2565, 945, "Nombre de parties", ArialNarrow(12.75, true),
               0xC0FFC0, 0x00C000),
    smallFrame("vkFrame12", "vkFrame2", 0, "jouées", 0xC0FFC0),
    statLabel("PJoué", "vkFrame12", "0", &Controls::PJoue, "Parties jouées"),
    smallFrame("vkFrame11", "vkFrame2", 1290, "gagnées", 0xC0FFC0),
    statLabel("PGagné", "vkFrame11", "0", &Controls::PGagne, "Parties gagnées"),
    groupFrame("vkFrame4", 60, 2280, 2565, 945, "Victoires consécutives", ArialNarrow(12.75, true),
               0xFFFFFF, 0x00C0C0),
    smallFrame("vkFrame6", "vkFrame4", 0, "actuelle", 0x00FFFF),
    statLabel("VictConsActuelle", "vkFrame6", "0", &Controls::VictConsActuelle,
              "Victoires consécutives actuelles"),
    smallFrame("vkFrame7", "vkFrame4", 1290, "meilleure", 0x00FFFF),
    statLabel("VictConsMeilleure", "vkFrame7", "0", &Controls::VictConsMeilleure,
              "Meilleure série de victoires consécutives"),
    Control{.name = "vkFrame5",
            .kind = Kind::Frame,
            .parent = "vkFrame1",
            .place = {60, 3210, 2565, 705},
            .text = "%  de réussite",
            .font = Helvetica(12.75),
            .titleStart = 0xFFFFFF,
            .titleEnd = 0xC0C000,
            .titleTwips = 300,
            .titleText = colours::Black,
            .borderColour = PlainBorder,
            .borderWidth = 1},
    statLabel("Pourcent", "vkFrame5", "0 %", &Controls::Pourcent, "Taux de réussite", 660, 330,
              1320),
    command("RAZ", "vkFrame1", 60, 3960, 2565, "RAZ Statistiques", 0x000000, &Controls::RAZ, 'Z',
            "Remet les statistiques à zéro"),

    Control{.name = "Commentaire",
            .kind = Kind::Label,
            .parent = "Tableau",
            .place = {7590, 4620, 2625, 345},
            .text = "Partie en cours...",
            .font = Helvetica(12, true),
            .background = colours::White,
            .foreground = colours::Black,
            .singleBorder = true,
            .model = {.label = &Controls::Commentaire},
            .description = "Message de la partie"},

    mainFrame("MinesF", "Tableau", 7560, 5040, 1245, 1545, "Mines", 0x0000FF, 0x000040, 0xFFFFFF),
    Control{.name = "Mines",
            .kind = Kind::Label,
            .parent = "MinesF",
            .place = {120, 480, 990, 960},
            .text = "10",
            .font = Helvetica(36),
            .background = 0xC0FFFF,
            .foreground = colours::Black,
            .singleBorder = true,
            .model = {.label = &Controls::Mines},
            .description = "Mines marquées"},

    mainFrame("vkFrame13", "Tableau", 8850, 5040, 1365, 1545, "Son", 0x80C0FF, 0x404080, 0xEAFFE8),
    option("Sons_0", 0, 510, 915, "Oui", true, "Sons activés"),
    option("Sons_1", 1, 960, 945, "Non", false, "Sons coupés"),

    command("Rejouer", "Tableau", 7560, 6750, 2655, "Rejouer", 0x008000, &Controls::Rejouer, 'R',
            "Commence une nouvelle partie"),
    command("Quitter", "Tableau", 7560, 7440, 2655, "Quitter", 0x000080, &Controls::Quitter, 'Q',
            "Ferme le jeu"),

    Control{.name = "Timer1",
            .kind = Kind::Timer,
            .parent = "Tableau",
            .place = {0, 0, 0, 0},
            .text = "",
            .interval = 1000},
};

} // namespace

std::span<const Control> controls() {
    return Table;
}

const Control& control(std::string_view name) {
    for (const Control& c : Table) {
        if (name == c.name) {
            return c;
        }
    }
    qFatal("Tervalo: no control %.*s in the window", int(name.size()), name.data());
}

} // namespace design
