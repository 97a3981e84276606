// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// Where the statistics are kept. Beside the executable (its canonical path, symlinks resolved),
// named after it with ".tvo", when that file can be written or could be created there: a
// portable copy or the build tree. Otherwise, as for an installed game, the same name in the
// user's configuration directory, which is created at the first write. Empty when neither place
// can be used: the statistics are then kept in memory only.
QString settingsFilePath(const QString& executablePath);
QString settingsFilePath(const QString& executablePath, const QString& userConfigDir);

// Always the file in the user's configuration directory: what a build configured with
// TERVALO_SETTINGS_PER_USER (a distribution's package) uses. Empty without such a directory.
QString perUserSettingsFilePath(const QString& executablePath, const QString& userConfigDir);

// The user's configuration directory for the game: $XDG_CONFIG_HOME/tervalo, else
// $HOME/.config/tervalo, whatever the application's own name; only an absolute path counts.
// Empty when neither variable holds one.
QString userConfigDirectory();

// A path as the filesystem gives it (an environment value, a link's target), in a form that Qt's
// file classes open. Qt names files in UTF-8 and cannot name a path holding other bytes (a
// Latin-1 folder name): the folder that holds the last such name is then opened once, for the
// whole run, and the path goes through it as /proc/self/fd/N/rest. Relative paths, and paths
// whose folder cannot be opened, come back decoded as Qt would have them.
QString fileSystemPath(const QByteArray& bytes);

// The running executable's path, whatever bytes its folder's name holds; empty if unknown.
QString executableFilePath();
