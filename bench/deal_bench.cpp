// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A whole deal (clear, grid, ten red cells, the numbers and regions) beside one flood fill of
// the whole picture, the unit the deal's cost is judged by.
#include "Quiet.h"
#include "core/Game.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <random>

namespace {

class SeededRandom : public RandomSource {
public:
    void seed(float) override {} // every deal a new one: the engine runs on
    double next() override { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

private:
    std::mt19937_64 engine_{20240601};
};

void BM_Deal(benchmark::State& state) {
    SeededRandom random;
    StillClock clock;
    Silence sound;
    Game game(random, clock, sound);
    game.buildBoard();
    game.Nouveau(); // the digit glyphs are drawn once per run
    for (auto _ : state) {
        game.Nouveau();
        benchmark::DoNotOptimize(game.vars().CouleurZone.data());
    }
}
BENCHMARK(BM_Deal)->Unit(benchmark::kMicrosecond);

void BM_WholePictureFill(benchmark::State& state) {
    Picture picture;
    picture.setFillStyle(Picture::FillStyle::Solid);
    Colour colour = 6765;
    for (auto _ : state) {
        // Another colour each time: the same one again would find nothing to paint.
        colour = colour == 6765 ? 14526 : 6765;
        picture.setFillColour(colour);
        picture.floodFill(251, 251, colours::Yellow);
        benchmark::DoNotOptimize(picture.image().constBits());
    }
}
BENCHMARK(BM_WholePictureFill)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv); // fonts need it
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
