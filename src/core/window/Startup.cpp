// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Game.h"

#include "core/stats/Statistics.h"
#include "settings/NumericReading.h"
#include "settings/SettingsPath.h"

#include <QtGlobal>

void Game::Form_Load(const QString& executablePath) {
    v.SonActif = -1;
    v.PartiesJouees = 0;
    v.PartiesGagnees = 0;
    v.VictConsMax = 0;

    v.FichierParametres = settingsFilePath(executablePath);
    if (v.FichierParametres.isEmpty()) {
        qWarning("Tervalo: no usable folder for the settings file (HOME and XDG_CONFIG_HOME are "
                 "unset or relative); the statistics of this run are kept in memory only");
    }

    // The digit colours and the board. The widget layer shows the board as soon as this event
    // returns, before any click; nothing here waits for it.
    ConstruireGrille();

    // Each key is applied as soon as it is read.
    c.TempsMeilleur.text = LireParametre(SettingsSection, QStringLiteral("Temps"));

    const QString consecutives = LireParametre(SettingsSection, QStringLiteral("PConsecutives"));
    c.VictConsMeilleure.text = consecutives;
    v.VictConsMax = lireNombre(consecutives);

    const QString jouees = LireParametre(SettingsSection, QStringLiteral("PJoue"));
    c.PJoue.text = jouees;
    v.PartiesJouees = lireNombre(jouees);

    const QString gagnees = LireParametre(SettingsSection, QStringLiteral("PGagne"));
    c.PGagne.text = gagnees;
    v.PartiesGagnees = lireNombre(gagnees);

    // The switch is set here directly: selecting the option does not go through its handler.
    const QString sonore = LireParametre(SettingsSection, QStringLiteral("Sonore"));
    const bool sonActif = sonore.isEmpty() || sonore == QLatin1String("1");
    c.Sons[0].value = sonActif ? 1 : 0;
    c.Sons[1].value = sonActif ? 0 : 1;
    v.SonActif = sonActif ? -1 : 0;

    Marquage();
}

void Game::Form_Unload() {
    Enregistrer();
}
