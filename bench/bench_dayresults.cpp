// The day's results for a full club day: 36 players by 10 games.
#include "common/module1.h"
#include "recording/dayresults.h"
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void fillDay(int players, int games) {
    using namespace Module1;
    MatchId = 120;
    SeasonId = 7;
    MatchNo = 9;
    MatchYear = 2024;
    MatchMonth = 6;
    MatchDay = 2;
    GamePlayerCounts = {};
    GamePlayerCounts[0] = std::uint8_t(players);
    for (int g = 1; g <= games; ++g) GamePlayerCounts[std::size_t(g)] = std::uint8_t(players);
    PlayedGameCount = std::uint8_t(games);
    PlayedSheet.redim(1, players, 1, games);
    for (int p = 1; p <= players; ++p)
        for (int g = 1; g <= games; ++g) {
            vx::StatsRecord& r = PlayedSheet(p, g);
            const int s10 = 100 + (p * 37 + g * 53) % 150;  // scores with ties in most games
            r.Name = QStringLiteral("選手%1").arg(p);
            r.PlayerId = std::int16_t(p);
            for (int f = 1; f <= 10; ++f) r.Scores[f] = std::int16_t(s10 * f / 10);
            r.Scores[11] = std::int16_t(p % 30);
            r.Scores[0] = std::int16_t(s10 + p % 30);
            for (int k = 0; k <= 20; ++k) {
                r.Marks[k] = QStringLiteral("５");
                r.Codes[k] = 5;
                r.Attrs[k] = std::int16_t((k + p + g) % 6 - 1);
                r.PinMasks[k] = 31;
            }
        }
}

void BM_CalculateDay(benchmark::State& state) {
    QTemporaryDir home;
    qputenv("VORLIX_HOME", home.path().toLocal8Bit());
    fillDay(36, 10);
    vx::DayOptions opt;
    for (auto _ : state) {
        vx::DayCalcResult r = vx::CalculateDay(opt);
        if (!r.ok) state.SkipWithError(qPrintable(r.error));
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_CalculateDay)->Unit(benchmark::kMicrosecond);

// The same without the results file, to separate the calculation from the disk.
void BM_KojinZentai(benchmark::State& state) {
    fillDay(36, 10);
    vx::DayOptions opt;
    for (auto _ : state) {
        vx::DayOutput out;
        vx::AllocateDayArrays();
        vx::Kojin(opt);
        vx::Zentai(opt, out);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_KojinZentai)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
