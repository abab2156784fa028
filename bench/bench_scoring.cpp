// Cost of scoring: one game, and a whole day's sheet of 36 slots by 10 games.
#include "common/module1.h"
#include "recording/scoreentry_model.h"
#include "recording/scoring.h"
#include <benchmark/benchmark.h>
#include <random>

namespace {

vx::GameRecord randomGame(std::mt19937& rng) {
    vx::GameRecord r;
    r.Codes.fill(vx::BallCode::NotEntered);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    for (int f = 0; f < 9; ++f) {
        const int a = pick(11);
        r.Codes[std::size_t(2 * f)] = std::uint8_t(a);
        if (a < 10) r.Codes[std::size_t(2 * f + 1)] = std::uint8_t(pick(2) ? 20 : pick(10 - a));
    }
    r.Codes[18] = 10, r.Codes[19] = 7, r.Codes[20] = 20;
    return r;
}

void BM_scoreGame(benchmark::State& state) {
    std::mt19937 rng(1);
    std::vector<vx::GameRecord> games;
    for (int i = 0; i < 64; ++i) games.push_back(randomGame(rng));
    std::size_t i = 0;
    for (auto _ : state) {
        vx::scoreGame(games[i++ & 63]);
        benchmark::DoNotOptimize(games.data());
    }
}
BENCHMARK(BM_scoreGame);

void BM_fullSheet(benchmark::State& state) {
    std::mt19937 rng(2);
    Module1::ScoreSheet.redim(0, 35, 0, 9);
    for (int s = 0; s <= 35; ++s)
        for (int g = 0; g <= 9; ++g) Module1::ScoreSheet(s, g) = randomGame(rng);
    for (auto _ : state) {
        for (int s = 0; s <= 35; ++s)
            for (int g = 0; g <= 9; ++g) vx::scoreGame(Module1::ScoreSheet(s, g));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_fullSheet);

// One mark through the model: rules, cursor and the full recalculation with marks and colours.
void BM_markEntry(benchmark::State& state) {
    Module1::LastPlayer = 0;
    Module1::LastGame = 0;
    Module1::MarkTexts = {QString(), "1s", "2s", "3s", "4s", "5s", "6s", "7s", "8s", "／", "＊"};
    Module1::PlayerIds.assign(1, 1);
    Module1::PlayerNames.assign(1, QStringLiteral("選手"));
    Module1::ScoreSheet.redim(0, 0, 0, 0);
    vx::ScoreEntryModel m;
    m.INIT();
    Module1::CurPlayer = Module1::CurGame = 0;
    for (auto _ : state) {
        Module1::CurBall = 4;
        m.Cmd_MARK_Click(7);
        m.processPendingFocus();
    }
}
BENCHMARK(BM_markEntry);

}  // namespace

BENCHMARK_MAIN();
