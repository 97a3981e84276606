// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/AccessibleText.h"

namespace {
struct Described {
    std::string_view control;
    const char* description; // UTF-8
};
// A label's name is the value it shows; the description says which value it is.
constexpr Described Descriptions[] = {
    {"PicFond", "10 lignes de 10 cases"},
    {"Commentaire", "Message de la partie"},
    {"vkLabel1", "Mode d'emploi"},
    {"Mines", "Mines marquées"},
    {"TempsActuel", "Temps de la partie"},
    {"TempsMeilleur", "Meilleur temps"},
    {"PJoué", "Parties jouées"},
    {"PGagné", "Parties gagnées"},
    {"VictConsActuelle", "Victoires consécutives actuelles"},
    {"VictConsMeilleure", "Meilleure série de victoires consécutives"},
    {"Pourcent", "Taux de réussite"},
    {"RAZ", "Remet les statistiques à zéro"},
    {"Rejouer", "Commence une nouvelle partie"},
    {"Quitter", "Ferme le jeu"},
    {"Sons_0", "Sons activés"},
    {"Sons_1", "Sons coupés"},
};
} // namespace

QString accessibleDescription(std::string_view controlName) {
    for (const Described& d : Descriptions) {
        if (d.control == controlName) {
            return QString::fromUtf8(d.description);
        }
    }
    return {};
}

QString boardAccessibleName() {
    return QStringLiteral("Plateau");
}
