// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/SettingsPath.h"
#include "support/OrdinaryUser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

struct Environment {
    const char* xdg; // nullptr: unset
    const char* home;
    const char* expected;
};

TEST(SettingsPath, TheUserFolderComesOnlyFromAnAbsolutePath) {
    const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
    const QByteArray home = qgetenv("HOME");
    const Environment cases[] = {
        {"/x/config", "/home/j", "/x/config/tervalo"},
        {"config", "/home/j", "/home/j/.config/tervalo"},
        {"", "/home/j/", "/home/j/.config/tervalo"},
        {nullptr, "home", ""},
        {"config", nullptr, ""},
        {nullptr, nullptr, ""},
    };
    for (const Environment& c : cases) {
        c.xdg ? qputenv("XDG_CONFIG_HOME", c.xdg) : qunsetenv("XDG_CONFIG_HOME");
        c.home ? qputenv("HOME", c.home) : qunsetenv("HOME");
        EXPECT_EQ(userConfigDirectory(), QString::fromLatin1(c.expected))
            << (c.xdg ? c.xdg : "unset") << " " << (c.home ? c.home : "unset");
    }
    xdg.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", xdg);
    home.isNull() ? qunsetenv("HOME") : qputenv("HOME", home);
}

TEST(SettingsPath, LiesBesideTheExecutableNamedAfterIt) {
    QTemporaryDir dir;
    for (const char* name : {"tervalo", "tervalo.exe", "mon.jeu.bin"}) {
        const QString exe = dir.filePath(QString::fromLatin1(name));
        const QString expected = dir.filePath(QFileInfo(exe).completeBaseName() + ".tvo");
        EXPECT_EQ(settingsFilePath(exe, QStringLiteral("/nowhere")), expected) << name;
    }
}

TEST(SettingsPath, FollowsTheSymlinkToTheInstalledExecutable) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("lib/tervalo")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("bin")));
    QFile real(dir.filePath(QStringLiteral("lib/tervalo/tervalo")));
    ASSERT_TRUE(real.open(QIODevice::WriteOnly));
    real.close();
    ASSERT_EQ(::symlink("../lib/tervalo/tervalo", qPrintable(dir.filePath("bin/tervalo"))), 0);
    const QString canonical = QFileInfo(dir.path()).canonicalFilePath();
    EXPECT_EQ(
        settingsFilePath(dir.filePath(QStringLiteral("bin/tervalo")), QStringLiteral("/nowhere")),
        canonical + QStringLiteral("/lib/tervalo/tervalo.tvo"));
}

TEST(SettingsPath, AnInstallFolderThatCannotBeWrittenSendsItToTheUserFolder) {
    if (geteuid() == 0) {
        return runAsOrdinaryUser(); // root writes in every folder
    }
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("lib")));
    const QString exe = dir.filePath(QStringLiteral("lib/tervalo"));
    QFile f(exe);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QString lib = dir.filePath(QStringLiteral("lib"));
    ASSERT_TRUE(QFile::setPermissions(lib, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EXPECT_EQ(settingsFilePath(exe, dir.filePath(QStringLiteral("config/tervalo"))),
              dir.filePath(QStringLiteral("config/tervalo/tervalo.tvo")));

    // A file already there that the user may write is still used.
    ASSERT_TRUE(QFile::setPermissions(lib, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner));
    QFile tvo(dir.filePath(QStringLiteral("lib/tervalo.tvo")));
    ASSERT_TRUE(tvo.open(QIODevice::WriteOnly));
    tvo.close();
    ASSERT_TRUE(QFile::setPermissions(lib, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EXPECT_EQ(settingsFilePath(exe, dir.filePath(QStringLiteral("config/tervalo"))),
              dir.filePath(QStringLiteral("lib/tervalo.tvo")));
    QFile::setPermissions(lib,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace
