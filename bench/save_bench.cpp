// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// One save of the statistics (the five keys in one replacement, flushed and synced) on a
// 100-byte file and on a 1 MB file, and the save a game's end makes, each timed one by one:
// the median of 100 is the figure to read. The files lie in the folder given by
// TERVALO_BENCH_DIR (the current folder by default), so the disk measured is the one chosen.
#include "Quiet.h"
#include "settings/SafeSave.h"
#include "support/TestGame.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

class NoRandom : public RandomSource {
public:
    void seed(float) override {}
    double next() override { return 0.5; }
};

// The slow tail matters as much as the median on the click that ends a game.
double ninetiethPercentile(const std::vector<double>& values) {
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    return sorted.empty() ? 0.0 : sorted[(sorted.size() * 9) / 10];
}

QString benchFolder() {
    const QString chosen = qEnvironmentVariable("TERVALO_BENCH_DIR");
    return chosen.isEmpty() ? QDir::currentPath() : chosen;
}

void BM_Save(benchmark::State& state) {
    QTemporaryDir dir(benchFolder() + QStringLiteral("/tervalo-save-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("tervalo.tvo"));
    QByteArray contents = "[Parametres]\r\nTemps=0:01:47\r\nPConsecutives=3\r\nPjoue=10\r\n"
                          "PGagne=7\r\nSonore=1\r\n";
    // The large file: the statistics, then other sections up to 1 MB.
    if (state.range(0) > contents.size()) {
        contents += "[Autre]\r\n";
        while (contents.size() < state.range(0) - 12) {
            contents += "cle=valeur\r\n";
        }
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size()) {
        state.SkipWithError("cannot write the file");
        return;
    }
    file.close();
    int played = 10;
    for (auto _ : state) {
        // Another count each time: a save that changes nothing writes nothing.
        ++played;
        const bool ok = profile::writeFile(path, "Parametres",
                                           {{"Temps", "0:01:47"},
                                            {"PConsecutives", "3"},
                                            {"Pjoue", QByteArray::number(played)},
                                            {"PGagne", "7"},
                                            {"Sonore", "1"}});
        if (!ok) {
            state.SkipWithError("the save failed");
            break;
        }
    }
    state.SetLabel(std::to_string(QFile(path).size()) + " bytes");
}
BENCHMARK(BM_Save)
    ->Arg(100)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(100)
    ->ComputeStatistics("p90", ninetiethPercentile)
    ->ReportAggregatesOnly(true);

// What a game's end adds to the click that ends it: the save after the panel is refreshed.
void BM_EndOfGameSave(benchmark::State& state) {
    QTemporaryDir dir(benchFolder() + QStringLiteral("/tervalo-save-XXXXXX"));
    NoRandom random;
    StillClock clock;
    Silence sound;
    TestGame game(random, clock, sound);
    const QString exe = dir.filePath(QStringLiteral("tervalo"));
    QFile(exe).open(QIODevice::WriteOnly);
    game.Form_Load(exe);
    for (auto _ : state) {
        ++game.v.PartiesJouees;
        game.Marquage();
        game.saveStatistics();
    }
}
BENCHMARK(BM_EndOfGameSave)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(100)
    ->ComputeStatistics("p90", ninetiethPercentile)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
