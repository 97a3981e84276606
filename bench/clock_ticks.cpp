// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// How late the clock shows each second: the real window on the real clock, dealt again and
// again; for the first ten ticks of every deal, the time the label took to show "0:00:0k"
// after k seconds. Run under a real X server (xvfb-run bench/clock_ticks [deals]).

#include "core/Game.h"
#include "core/window/Clock.h"
#include "platform/SystemServices.h"
#include "ui/Tableau.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
class Silent : public SoundPlayer {
public:
    void play(const QString&) override {}
};
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int deals = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    constexpr int Ticks = 10;

    QTemporaryDir dir;
    SystemRandom random;
    SystemClock clock;
    Silent sound;
    Game game(random, clock, sound);
    game.Form_Load(dir.filePath(QStringLiteral("tervalo")));
    Tableau window(game);
    window.show();
    auto* rejouer = window.findChild<QAbstractButton*>(QStringLiteral("Rejouer"));
    auto* clockLabel = window.findChild<QLabel*>(QStringLiteral("TempsActuel"));

    std::vector<double> delays;
    int skipped = 0;
    for (int d = 0; d < deals; ++d) {
        QElapsedTimer since;
        since.start();
        rejouer->click();
        // A coarse timer may even skip a second: each second is taken as shown when the clock
        // first shows it or a later one.
        auto shownSeconds = [clockLabel] {
            const QStringList parts = clockLabel->text().split(QLatin1Char(':'));
            return parts.size() == 3
                       ? parts[0].toInt() * 3600 + parts[1].toInt() * 60 + parts[2].toInt()
                       : -1;
        };
        for (int k = 1; k <= Ticks; ++k) {
            while (shownSeconds() < k && since.elapsed() < 1000 * k + 5000) {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            }
            if (shownSeconds() < k) {
                std::fprintf(stderr, "deal %d: the clock shows %s after %lld ms\n", d,
                             qPrintable(clockLabel->text()),
                             static_cast<long long>(since.elapsed()));
                return 1;
            }
            if (shownSeconds() > k) {
                ++skipped;
            }
            delays.push_back(static_cast<double>(since.nsecsElapsed()) / 1e6 - 1000.0 * k);
        }
        // Lose at once, so "Rejouer" deals again.
        const int firstMine = game.vars().PosBombes[1];
        window.findChild<QAbstractButton*>(QStringLiteral("BtnBomb_%1").arg(firstMine))->click();
        QCoreApplication::processEvents();
    }
    std::sort(delays.begin(), delays.end());
    std::printf("clock ticks: %zu (%d deals x %d), delay after the whole second: min %.1f ms, "
                "median %.1f ms, max %.1f ms; seconds never shown: %d\n",
                delays.size(), deals, Ticks, delays.front(), delays[delays.size() / 2],
                delays.back(), skipped);
    return 0;
}
