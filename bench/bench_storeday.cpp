// Storing a club day of 36 players by 4 games into a database holding twenty years of history.
#include "club_history.h"
#include "common/database.h"
#include "common/module1.h"
#include "recording/dayresults.h"
#include "recording/storeday.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

QString schemaText() {
    QFile f(QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../db/schema.sql"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// A calculated day for match `matchId`: 36 players (IDs 1..36 of the roster), 4 games each.
void calculatedDay(int matchId, int seasonId) {
    using namespace Module1;
    MatchId = matchId;
    SeasonId = seasonId;
    MatchNo = std::int16_t(matchId);  // unique within the season
    MatchYear = 2026;
    MatchMonth = 5;
    MatchDay = 17;
    const int players = 36, games = 4;
    GamePlayerCounts = {};
    GamePlayerCounts[0] = players;
    for (int g = 1; g <= games; ++g) GamePlayerCounts[std::size_t(g)] = players;
    PlayedGameCount = games;
    PlayedSheet.redim(1, players, 1, games);
    for (int p = 1; p <= players; ++p)
        for (int g = 1; g <= games; ++g) {
            vx::StatsRecord& r = PlayedSheet(p, g);
            const int s10 = 100 + (p * 37 + g * 53 + matchId) % 150;
            r.Name = QStringLiteral("会員%1").arg(p);
            r.PlayerId = std::int16_t(p);
            for (int f = 1; f <= 10; ++f) r.Scores[f] = std::int16_t(s10 * f / 10);
            r.Scores[11] = std::int16_t(p % 30);
            r.Scores[0] = std::int16_t(s10 + p % 30);
            r.Year = 2026;
            r.Month = 5;
            r.Day = 17;
            r.VenueId = 1;
            for (int k = 0; k <= 20; ++k) {
                r.Marks[k] = QStringLiteral("５");
                r.Codes[k] = 5;
                r.Attrs[k] = std::int16_t((k + p + g) % 6 - 1);
                r.PinMasks[k] = 31;
            }
        }
    const vx::DayCalcResult c = vx::CalculateDay(vx::DayOptions{});
    if (!c.ok) std::fprintf(stderr, "calculation failed: %s\n", qPrintable(c.error));
}

struct Club {
    QTemporaryDir home, config;
    vxbench::History history;
    int nextMatch = 0;
    Club() {
        qputenv("VORLIX_HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        QDir::setCurrent(home.path());
        const QString path = home.filePath(QStringLiteral("Vorlix.mdb"));
        vx::db::createFromSchema(path, schemaText());
        vx::db::open(path);
        QElapsedTimer t;
        t.start();
        history = vxbench::writeClubHistory();
        std::fprintf(stderr, "history: %d games written in %.1f s\n", history.games, double(t.elapsed()) / 1000.0);
        nextMatch = history.lastMatchId;
    }
};

Club& club() {
    static Club c;
    return c;
}

void BM_StoreDay_36x4_into_history(benchmark::State& state) {
    Club& c = club();
    for (auto _ : state) {
        state.PauseTiming();
        calculatedDay(++c.nextMatch, c.history.lastSeasonId);
        state.ResumeTiming();
        const vx::StoreDayResult r = vx::StoreDay();
        if (!r.ok) state.SkipWithError(qPrintable(r.error));
        benchmark::DoNotOptimize(r);
    }
    state.counters["stored_games"] = double(vx::db::scalar(QStringLiteral("SELECT COUNT(*) FROM \"データ項目\"")).toInt());
}
BENCHMARK(BM_StoreDay_36x4_into_history)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
