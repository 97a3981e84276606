// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/SettingsPath.h"

#include <QDir>
#include <QFileInfo>

namespace {
// The installed game is reached through a symlink; its real home is the target's folder.
QFileInfo realExecutable(const QString& executablePath) {
    const QFileInfo executable(executablePath);
    const QString real = executable.canonicalFilePath();
    return QFileInfo(real.isEmpty() ? executable.absoluteFilePath() : real);
}
} // namespace

QString userConfigDirectory() {
    // As the XDG rule has it, a relative path is ignored: it would name a folder under whatever
    // the current directory is. HOME unset would otherwise give "/.config" at the root.
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(base)) {
        const QString home = qEnvironmentVariable("HOME");
        if (!QDir::isAbsolutePath(home)) {
            return QString();
        }
        base = home + QStringLiteral("/.config");
    }
    // "tervalo" even when the application has no name set (or another one, as under the tests).
    return QDir::cleanPath(base) + QStringLiteral("/tervalo");
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
    if (userConfigDir.isEmpty()) {
        return QString();
    }
    return QDir::cleanPath(userConfigDir) + QLatin1Char('/') +
           realExecutable(executablePath).completeBaseName() + QStringLiteral(".tvo");
}

QString settingsFilePath(const QString& executablePath, const QString& userConfigDir) {
    const QFileInfo resolved = realExecutable(executablePath);
    const QString name = resolved.completeBaseName() + QStringLiteral(".tvo");
    const QString folder = resolved.absolutePath();
    const QString beside = folder + QLatin1Char('/') + name;

    // Something other than a file in the way (a folder of that name) could never be written.
    const QFileInfo besideInfo(beside);
    const bool blocked = besideInfo.exists() && !besideInfo.isFile();
    if (!blocked && (besideInfo.isWritable() || QFileInfo(folder).isWritable())) {
        return beside;
    }
    return perUserSettingsFilePath(executablePath, userConfigDir);
}
