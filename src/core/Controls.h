// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Colour.h"

#include <QIcon>
#include <QRect>
#include <QString>
#include <array>

// The run-time state of every control of the window, as plain data. The game's procedures
// change this model; the widget layer shows it and forwards the player's events.

struct LabelModel {
    QString text;
    Colour back = colours::White;
    Colour fore = colours::Black;
};

struct CommandModel {
    QString text;
    bool enabled = true;
};

struct OptionModel {
    QString text;
    int value = 0; // 1 when selected
};

// A face is one shared picture: a cell shows the holder's own QIcon (a copy shares its
// data), and faces are compared by the icon's cache key, never by what the picture shows.
struct CellButtonModel {
    QIcon face;
    QRect geometry; // in board pixels
    bool visible = false;
    bool enabled = true;
};

struct ImageModel {
    QIcon picture;
    QRect geometry;
    bool visible = false;
};

struct TimerModel {
    bool enabled = false;
    int interval = 1000;
};

struct Controls {
    LabelModel Commentaire;
    LabelModel vkLabel1;
    LabelModel Mines;
    LabelModel TempsActuel;
    LabelModel TempsMeilleur;
    LabelModel PJoue;  // the window's PJoué
    LabelModel PGagne; // the window's PGagné
    LabelModel VictConsActuelle;
    LabelModel VictConsMeilleure;
    LabelModel Pourcent;

    CommandModel RAZ;
    CommandModel Rejouer;
    CommandModel Quitter;

    std::array<OptionModel, 2> Sons;

    std::array<CellButtonModel, 101> BtnBomb; // 1..100
    std::array<ImageModel, 11> Bombe;         // 1..10
    ImageModel Nuage;                         // cover face holder
    ImageModel iBomb;                         // question-mark face holder
    ImageModel RBomb;                         // mine-mark face holder

    TimerModel Timer1;

    // The controls as the window is designed, before start-up changes anything.
    static Controls designed();
};

inline bool sameFace(const QIcon& a, const QIcon& b) {
    return a.cacheKey() == b.cacheKey();
}
