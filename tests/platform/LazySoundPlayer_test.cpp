// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/LazySoundPlayer.h"

#include "settings/SettingsPath.h"
#include "support/WarningLog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {

const QString BuiltModule = QStringLiteral(TERVALO_SOUND_MODULE);

// Whether the process has loaded that shared object, asked of the dynamic linker itself.
bool isLoaded(const QString& path) {
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle == nullptr)
        return false;
    dlclose(handle); // only gives back the reference just taken
    return true;
}

// The sound server's client library, which only the module brings.
bool audioLoaded() {
    return isLoaded(QStringLiteral("libpulse-simple.so.0"));
}

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The file of the shared object that holds Qt Core: a library, loaded already, without the
// module's entry point.
QString qtCoreFile() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&qVersion), &info) == 0 || info.dli_fname == nullptr)
        return {};
    return QFile::decodeName(info.dli_fname);
}

class LazySoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QFileInfo::exists(BuiltModule)) << BuiltModule.toStdString();
    }

    QString file(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    qsizetype warningsWith(const QString& text) const { return warnings.count(text); }

    WarningLog warnings;
    QTemporaryDir dir;
};

} // namespace

TEST(LazySoundPlayerPath, TheBuildPutsTheModuleBesideTheGame) {
    const QString path = LazySoundPlayer::modulePathBeside(QStringLiteral(TERVALO_GAME_DIR));
    EXPECT_EQ(QFileInfo(path).canonicalFilePath(), QFileInfo(BuiltModule).canonicalFilePath())
        << path.toStdString();
}

TEST_F(LazySoundPlayerTest, LoadsTheModuleOnTheFirstSoundAndPlaysThroughIt) {
    // Every test of this file runs in a process of its own under CTest; run all together, an
    // earlier one may have loaded the module already.
    if (isLoaded(BuiltModule) || audioLoaded())
        GTEST_SKIP() << "the sound module was loaded by an earlier test of this process";

    LazySoundPlayer player(dir.path(), BuiltModule);
    EXPECT_FALSE(isLoaded(BuiltModule));
    EXPECT_FALSE(audioLoaded());

    // The directory is empty: the module's player logs the missing file, which shows that
    // the request reached it, with the directory and the name. The module loads behind the
    // window's back, and the request made meanwhile is kept for it.
    // Timed on the processor as well as on the clock: a busy machine may take the processor
    // away from the test at any moment, while loading the module here would keep it busy.
    QElapsedTimer timer;
    timer.start();
    const double cpuBefore = threadCpuMs();
    player.play(QStringLiteral("\\POP.wav"));
    const double cpuMs = threadCpuMs() - cpuBefore;
    printf("first request, the module loading: %.3f ms of the window's time, %.3f ms on the "
           "processor\n",
           double(timer.nsecsElapsed()) / 1e6, cpuMs);
    EXPECT_LT(cpuMs, 2.0);
    player.waitForModule();
    EXPECT_TRUE(isLoaded(BuiltModule));
    EXPECT_TRUE(audioLoaded());
    const QString pop = QStringLiteral("Sound file ") + file("POP.wav") + " is missing";
    EXPECT_TRUE(QTest::qWaitFor([&] { return warningsWith(pop) == 1; }, 5000));

    player.play(QStringLiteral("\\YEAH.wav"));
    const QString yeah = QStringLiteral("Sound file ") + file("YEAH.wav") + " is missing";
    EXPECT_TRUE(QTest::qWaitFor([&] { return warningsWith(yeah) == 1; }, 5000));
    EXPECT_EQ(warningsWith(QStringLiteral("Sound module")), 0);
}

// The game in a folder whose name is not UTF-8 (a Latin-1 byte) still finds the module beside it.
TEST_F(LazySoundPlayerTest, TheModuleIsFoundInAFolderNamedInLatin1) {
    const QByteArray folder = QFile::encodeName(dir.path()) + "/caf\xe9";
    ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
    const QString here = fileSystemPath(folder);
    ASSERT_TRUE(QFile::copy(BuiltModule, LazySoundPlayer::modulePathBeside(here)));
    LazySoundPlayer player(here, LazySoundPlayer::modulePathBeside(here));
    player.play(QStringLiteral("\\POP.wav"));
    player.waitForModule();
    EXPECT_EQ(warningsWith(QStringLiteral("Sound module")), 0);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return warningsWith(QStringLiteral("POP.wav")) == 1; }, 5000));
    // QTemporaryDir cannot name the folder to remove it.
    ::unlink(QFile::encodeName(LazySoundPlayer::modulePathBeside(here)).constData());
    ::rmdir(folder.constData());
}

TEST_F(LazySoundPlayerTest, AModuleThatCannotBeLoadedIsLoggedOnceAndNeverLookedForAgain) {
    struct Case {
        const char* what;
        QString path;
        QByteArray contents; // written there first when not empty
    };
    const QString core = qtCoreFile();
    ASSERT_FALSE(core.isEmpty());
    const Case cases[] = {
        {"missing", file("missing.so"), {}},
        {"not a library", file("text.so"), "not a shared object\n"},
        {"no entry point", core, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        warnings.clear();
        if (!c.contents.isEmpty()) {
            QFile out(c.path);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(c.contents);
        }
        LazySoundPlayer player(dir.path(), c.path);
        for (int i = 0; i < 3; ++i)
            player.play(QStringLiteral("\\Explosion.wav"));
        player.waitForModule();
        player.play(QStringLiteral("\\Explosion.wav"));
        EXPECT_EQ(warningsWith(QStringLiteral("Sound module ") + c.path), 1);
        // Silent: nothing reached a player.
        EXPECT_EQ(warningsWith(QStringLiteral("Sound file")), 0);
    }

    // A module that turns up afterwards is not looked for: the game stays silent.
    warnings.clear();
    const QString late = file("late.so");
    LazySoundPlayer player(dir.path(), late);
    player.play(QStringLiteral("\\POP.wav"));
    player.waitForModule();
    ASSERT_TRUE(QFile::copy(BuiltModule, late));
    player.play(QStringLiteral("\\POP.wav"));
    player.play(QStringLiteral("\\POP.wav"));
    EXPECT_FALSE(isLoaded(late));
    EXPECT_EQ(warningsWith(QStringLiteral("Sound module ") + late), 1);
    EXPECT_EQ(warningsWith(QStringLiteral("Sound file")), 0);
}
