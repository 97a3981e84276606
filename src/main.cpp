// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Game.h"
#include "platform/CommandLine.h"
#include "platform/LazySoundPlayer.h"
#include "platform/SignalCloser.h"
#include "platform/SystemServices.h"
#include "platform/Version.h"
#include "platform/instance/SingleInstance.h"
#include "settings/SettingsPath.h"
#include "ui/Tableau.h"

#include <QApplication>
#include <QFileInfo>
#include <optional>

#ifdef TERVALO_FIRST_PAINT_PROBE
#include "FirstPaint.h"
#endif

int main(int argc, char** argv) {
    if (const std::optional<int> status = handleCommandLine(argc, argv))
        return *status;
    std::optional<DisplayGuard> guard(std::in_place);
    QApplication app(argc, argv);
    guard.reset();
    QApplication::setApplicationName(QStringLiteral("tervalo"));
    // No display name: Qt would append it to the window's designed title.
    QApplication::setApplicationVersion(QStringLiteral(TERVALO_VERSION));
    // The desktop entry, the AppStream id and the icons share one name.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tervalo.Tervalo"));
    QApplication::setWindowIcon(Tableau::programIcon());

    SystemRandom random;
    SystemClock clock;
    // The sounds and the sound module lie beside the executable; the module is loaded by the
    // first sound.
    const QString executable = executableFilePath();
    const QString here = QFileInfo(executable).absolutePath();
    LazySoundPlayer sound(here, LazySoundPlayer::modulePathBeside(here));
    Game game(random, clock, sound);
    // A game already open on the same settings file comes to the front instead. The lock is
    // taken before the file is read, so a game closing meanwhile has saved all it had.
    SingleInstance instance(settingsFilePath(executable));
    const SingleInstance::Start start = instance.acquire();
    if (start != SingleInstance::Start::Run) {
        return start == SingleInstance::Start::OtherShown ? 0 : SingleInstance::tellOtherSilent();
    }
    game.Form_Load(executable);

    Tableau window(game);
    QObject::connect(&instance, &SingleInstance::showRequested, &window, &Tableau::bringToFront);
    // The end of the session closes the window like "Quitter", so the statistics are saved.
    SignalCloser closer(&window);
#ifdef TERVALO_FIRST_PAINT_PROBE
    quitAfterFirstPaint(window);
#endif
    window.show();
    return app.exec();
}
