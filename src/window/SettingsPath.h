// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Where the statistics are kept. Beside the executable (its canonical path, symlinks resolved),
// named after it with ".tvo", when that file can be written or could be created there: a
// portable copy or the build tree. Otherwise, as for an installed game, the same name in the
// user's configuration directory, which is created at the first write.
QString settingsFilePath(const QString& executablePath);
QString settingsFilePath(const QString& executablePath, const QString& userConfigDir);

// Always the file in the user's configuration directory: what a build configured with
// TERVALO_SETTINGS_PER_USER (a distribution's package) uses.
QString perUserSettingsFilePath(const QString& executablePath, const QString& userConfigDir);

// The user's configuration directory for the game: ~/.config/tervalo (or under
// $XDG_CONFIG_HOME), whatever the application's own name.
QString userConfigDirectory();
