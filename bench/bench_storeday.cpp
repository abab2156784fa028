// Storing a club day of 36 players by 4 games into a database holding the club's history, next to
// its floor: the same rows put in by SQLite's own interface into a copy of the same database (the
// same tables and indexes, without the program's triggers on them), with prepared statements, in one
// transaction, with the same journal and synchronous settings. The two alternate, day by day.
#include "club_history.h"
#include "common/module1.h"
#include "recording/dayresults.h"
#include "recording/storeday.h"
#include <QTemporaryDir>

namespace {

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

// The day's rows put in bare: what storing the day cannot go below.
[[gnu::noinline]] void bareInsert(vxbench::Db& d, vxbench::GameTables& t) {
    using namespace Module1;
    const int n = GamePlayerCounts[0], G = PlayedGameCount;
    d.exec(QStringLiteral("BEGIN"));
    for (int p = 1; p <= n; ++p)
        for (int g = 1; g <= G; ++g) {
            const vx::GameResultRecord& r = DayResults(p, g);
            const QString date = QStringLiteral("%1-%2-%3").arg(r.Year).arg(r.Month, 2, 10, QLatin1Char('0')).arg(r.Day, 2, 10, QLatin1Char('0'));
            t.data << r.選手ID << r.試合ID << r.ｹﾞｰﾑ << r.優Ｐ << r.上位 << r.S[10] << r.ST << r.SP << r.SPF << r.ｽﾌﾟﾘｯﾄ
                   << r.当日 << r.入賞.str() << r.競技点 << r.HCP << r.人数 << r.順位 << date << r.会場ID;
            t.data.run();
            const sqlite3_int64 id = sqlite3_last_insert_rowid(d.h);
            t.mark << id << r.選手ID << r.試合ID << r.ｹﾞｰﾑ;
            for (const QString& m : r.Marks) t.mark << m;
            for (int f = 1; f <= 10; ++f) t.mark << r.S[std::size_t(f)];
            t.mark.run();
            t.frame << id << r.選手ID << r.試合ID << r.ｹﾞｰﾑ;
            for (auto c : r.Codes) t.frame << c;
            for (auto m : r.PinMasks) t.frame << m;
            t.frame.run();
        }
    t.match << MatchId.toInt() << SeasonId.toInt() << MatchNo << 1 << 200 << 220 << QStringLiteral("2026-05-17");
    t.match.run();
    d.exec(QStringLiteral("COMMIT"));
}

void measure(int games, int days) {
    QTemporaryDir home, config;
    qputenv("VORLIX_HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QDir::setCurrent(home.path());
    const vxbench::History h = vxbench::clubHistory(games);
    const QString storeFile = home.filePath(QStringLiteral("Vorlix.mdb")), floorFile = home.filePath(QStringLiteral("floor.mdb"));
    QFile::copy(h.file, storeFile);
    QFile::copy(h.file, floorFile);
    vxbench::Db floor(floorFile);
    QStringList triggers;  // every trigger of the tables written: the kept sums and lists
    {
        vxbench::Stmt q(floor, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'trigger' AND tbl_name IN "
                                              "('データ項目', 'マーク', 'フレーム', '試合', '選手')"));
        while (q.step()) triggers << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(q.s, 0)));
    }
    for (const QString& trigger : triggers) floor.exec(QStringLiteral("DROP TRIGGER ") + vx::db::quoteName(trigger));
    vxbench::GameTables tables(floor);
    if (!vx::db::open(storeFile)) std::exit(1);

    std::vector<double> store, bare;
    for (int day = 0; day <= days; ++day) {  // day 0 warms up both
        calculatedDay(h.lastMatchId + 1 + day, h.lastSeasonId);
        QElapsedTimer t;
        t.start();
        const vx::StoreDayResult r = vx::StoreDay();
        const double storeMs = vxbench::msSince(t);
        if (!r.ok) {
            std::fprintf(stderr, "storing failed: %s\n", qPrintable(r.error));
            std::exit(1);
        }
        t.restart();
        bareInsert(floor, tables);
        const double bareMs = vxbench::msSince(t);
        if (day == 0) continue;
        store.push_back(storeMs);
        bare.push_back(bareMs);
    }
    vx::db::close();
    const double s = vxbench::median(store), b = vxbench::median(bare);
    std::printf("%9d  %8.2f  %8.2f  %5.2f\n", games, s, b, s / b);
    std::fflush(stdout);
}

}  // namespace

// bench_storeday [days [stored games]]
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int days = argc > 1 ? std::atoi(argv[1]) : 15;
    std::printf("stored games  store ms  floor ms  ratio   (median of %d days of 36 players x 4 games)\n", days);
    std::vector<int> sizes{1000, 115000, 1000000};
    if (argc > 2) sizes.assign(1, std::atoi(argv[2]));  // one history size only, for profiling
    for (int games : sizes) measure(games, days);
    return 0;
}
