// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/ui/LazySoundPlayer.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

// Every warning logged while a test runs.
QStringList warnings;

void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg)
        warnings << message;
}

const QString BuiltModule = QStringLiteral(TERVALO_SOUND_MODULE);

// Whether the process has loaded that shared object, asked of the dynamic linker itself.
bool isLoaded(const QString& path) {
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle == nullptr)
        return false;
    dlclose(handle); // only gives back the reference just taken
    return true;
}

bool multimediaLoaded() {
    return isLoaded(QStringLiteral("libQt6Multimedia.so.6"));
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
        warnings.clear();
        previous = qInstallMessageHandler(collectWarnings);
    }
    void TearDown() override { qInstallMessageHandler(previous); }

    QString file(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    qsizetype warningsWith(const QString& text) const { return warnings.filter(text).size(); }

    QTemporaryDir dir;
    QtMessageHandler previous = nullptr;
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
    if (isLoaded(BuiltModule) || multimediaLoaded())
        GTEST_SKIP() << "the sound module was loaded by an earlier test of this process";

    LazySoundPlayer player(dir.path(), BuiltModule);
    EXPECT_FALSE(isLoaded(BuiltModule));
    EXPECT_FALSE(multimediaLoaded());

    // The directory is empty: the module's player logs the missing file, which shows that
    // the request reached it, with the directory and the name.
    player.play(QStringLiteral("\\POP.wav"));
    EXPECT_TRUE(isLoaded(BuiltModule));
    EXPECT_TRUE(multimediaLoaded());
    EXPECT_EQ(warningsWith(QStringLiteral("Sound file ") + file("POP.wav") + " is missing"), 1);

    player.play(QStringLiteral("\\YEAH.wav"));
    EXPECT_EQ(warningsWith(QStringLiteral("Sound file ") + file("YEAH.wav") + " is missing"), 1);
    EXPECT_EQ(warningsWith(QStringLiteral("Sound module")), 0);
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
        EXPECT_EQ(warningsWith(QStringLiteral("Sound module ") + c.path), 1);
        // Silent: nothing reached a player.
        EXPECT_EQ(warningsWith(QStringLiteral("Sound file")), 0);
    }

    // A module that turns up afterwards is not looked for: the game stays silent.
    warnings.clear();
    const QString late = file("late.so");
    LazySoundPlayer player(dir.path(), late);
    player.play(QStringLiteral("\\POP.wav"));
    ASSERT_TRUE(QFile::copy(BuiltModule, late));
    player.play(QStringLiteral("\\POP.wav"));
    player.play(QStringLiteral("\\POP.wav"));
    EXPECT_FALSE(isLoaded(late));
    EXPECT_EQ(warningsWith(QStringLiteral("Sound module ") + late), 1);
    EXPECT_EQ(warningsWith(QStringLiteral("Sound file")), 0);
}
