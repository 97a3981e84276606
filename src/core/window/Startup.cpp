// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Game.h"

#include "core/stats/Statistics.h"
#include "settings/NumericReading.h"
#include "settings/SettingsPath.h"

#include <QtGlobal>

void Game::Form_Load(const QString& executablePath) {
    vars_.SonActif = -1;
    vars_.PartiesJouees = 0;
    vars_.PartiesGagnees = 0;
    vars_.VictConsMax = 0;

    vars_.FichierParametres = settingsFilePath(executablePath);
    if (vars_.FichierParametres.isEmpty()) {
        qWarning("Tervalo: no usable folder for the settings file (HOME and XDG_CONFIG_HOME are "
                 "unset or relative); the statistics of this run are kept in memory only");
    }

    // The digit colours and the board. The widget layer shows the board as soon as this event
    // returns, before any click; nothing here waits for it.
    buildBoard();

    // Each key is applied as soon as it is read.
    controls_.TempsMeilleur.text = LireParametre(SettingsSection, QStringLiteral("Temps"));

    const QString bestRun = LireParametre(SettingsSection, QStringLiteral("PConsecutives"));
    controls_.VictConsMeilleure.text = bestRun;
    vars_.VictConsMax = readNumber(bestRun);

    const QString played = LireParametre(SettingsSection, QStringLiteral("PJoue"));
    controls_.PJoue.text = played;
    vars_.PartiesJouees = readNumber(played);

    const QString won = LireParametre(SettingsSection, QStringLiteral("PGagne"));
    controls_.PGagne.text = won;
    vars_.PartiesGagnees = readNumber(won);

    // The switch is set here directly: selecting the option does not go through its handler.
    const QString soundValue = LireParametre(SettingsSection, QStringLiteral("Sonore"));
    const bool soundOn = soundValue.isEmpty() || soundValue == QLatin1String("1");
    controls_.Sons[0].value = soundOn ? 1 : 0;
    controls_.Sons[1].value = soundOn ? 0 : 1;
    vars_.SonActif = soundOn ? -1 : 0;

    Marquage();
}

void Game::Form_Unload() {
    saveStatistics();
}
