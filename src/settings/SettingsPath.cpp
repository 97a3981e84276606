// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/SettingsPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QtDebug>
#include <fcntl.h>
#include <limits.h>
#include <mutex>
#include <unistd.h>

namespace {
// The installed game is reached through a symlink; its real home is the target's folder.
QFileInfo realExecutable(const QString& executablePath) {
    const QFileInfo executable(executablePath);
    const QString real = executable.canonicalFilePath();
    // A canonical name that does not exist is one Qt could not decode (see fileSystemPath).
    return QFileInfo(real.isEmpty() || !QFileInfo::exists(real) ? executable.absoluteFilePath()
                                                                : real);
}
} // namespace

QString userConfigDirectory() {
    // As the XDG rule has it, a relative path is ignored: it would name a folder under whatever
    // the current directory is. HOME unset would otherwise give "/.config" at the root.
    QString base = fileSystemPath(qgetenv("XDG_CONFIG_HOME"));
    if (!QDir::isAbsolutePath(base)) {
        const QString home = fileSystemPath(qgetenv("HOME"));
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

QString fileSystemPath(const QByteArray& bytes) {
    const QString decoded = QFile::decodeName(bytes);
    if (QFile::encodeName(decoded) == bytes || !bytes.startsWith('/'))
        return decoded;
    // The shortest leading part that holds every name Qt cannot give back.
    qsizetype cut = bytes.size();
    for (qsizetype slash = bytes.lastIndexOf('/'); slash > 0;
         slash = bytes.lastIndexOf('/', slash - 1)) {
        const QByteArray rest = bytes.sliced(slash);
        if (QFile::encodeName(QFile::decodeName(rest)) != rest)
            break;
        cut = slash;
    }
    const QByteArray folder = bytes.first(cut);
    static std::mutex mutex;
    static QHash<QByteArray, int> opened; // kept open for the run: the paths go through them
    const std::lock_guard lock(mutex);
    int fd = opened.value(folder, -1);
    if (fd < 0) {
        fd = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            qWarning() << "Path" << decoded << "is not UTF-8 and its folder cannot be opened";
            return decoded;
        }
        opened.insert(folder, fd);
    }
    return QStringLiteral("/proc/self/fd/%1").arg(fd) + QFile::decodeName(bytes.sliced(cut));
}

QString executableFilePath() {
    const QString path = QCoreApplication::applicationFilePath();
    if (!path.isEmpty())
        return path;
    // Qt gives up on a folder name that is not UTF-8; the link still holds the bytes.
    char target[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", target, sizeof target);
    return n > 0 && n < ssize_t(sizeof target) ? fileSystemPath(QByteArray(target, n)) : QString();
}
