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
    buildBoard();

    // Each key is applied as soon as it is read.
    c.TempsMeilleur.text = LireParametre(SettingsSection, QStringLiteral("Temps"));

    const QString bestRun = LireParametre(SettingsSection, QStringLiteral("PConsecutives"));
    c.VictConsMeilleure.text = bestRun;
    v.VictConsMax = readNumber(bestRun);

    const QString played = LireParametre(SettingsSection, QStringLiteral("PJoue"));
    c.PJoue.text = played;
    v.PartiesJouees = readNumber(played);

    const QString won = LireParametre(SettingsSection, QStringLiteral("PGagne"));
    c.PGagne.text = won;
    v.PartiesGagnees = readNumber(won);

    // The switch is set here directly: selecting the option does not go through its handler.
    const QString soundValue = LireParametre(SettingsSection, QStringLiteral("Sonore"));
    const bool soundOn = soundValue.isEmpty() || soundValue == QLatin1String("1");
    c.Sons[0].value = soundOn ? 1 : 0;
    c.Sons[1].value = soundOn ? 0 : 1;
    v.SonActif = soundOn ? -1 : 0;

    Marquage();
}

void Game::Form_Unload() {
    saveStatistics();
}
