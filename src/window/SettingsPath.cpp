// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/SettingsPath.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString userConfigDirectory() {
    // The generic location, so the folder is "tervalo" even when the application has no name
    // set (or another one, as under the tests).
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/tervalo");
}

QString settingsFilePath(const QString& executablePath) {
#ifdef TERVALO_SETTINGS_PER_USER
    // A packaged game: even root, who could write beside it in /usr, keeps a file of its own.
    return perUserSettingsFilePath(executablePath, userConfigDirectory());
#else
    return settingsFilePath(executablePath, userConfigDirectory());
#endif
}

QString perUserSettingsFilePath(const QString& executablePath, const QString& userConfigDir) {
    const QFileInfo executable(executablePath);
    const QString real = executable.canonicalFilePath();
    const QFileInfo resolved(real.isEmpty() ? executable.absoluteFilePath() : real);
    return QDir::cleanPath(userConfigDir) + QLatin1Char('/') + resolved.completeBaseName() +
           QStringLiteral(".tvo");
}

QString settingsFilePath(const QString& executablePath, const QString& userConfigDir) {
    // The installed game is reached through a symlink; its real home is the target's folder.
    const QFileInfo executable(executablePath);
    const QString real = executable.canonicalFilePath();
    const QFileInfo resolved(real.isEmpty() ? executable.absoluteFilePath() : real);
    const QString name = resolved.completeBaseName() + QStringLiteral(".tvo");
    const QString folder = resolved.absolutePath();
    const QString beside = folder + QLatin1Char('/') + name;

    // Something other than a file in the way (a folder of that name) could never be written.
    const QFileInfo besideInfo(beside);
    const bool blocked = besideInfo.exists() && !besideInfo.isFile();
    if (!blocked && (besideInfo.isWritable() || QFileInfo(folder).isWritable())) {
        return beside;
    }
    return QDir::cleanPath(userConfigDir) + QLatin1Char('/') + name;
}
