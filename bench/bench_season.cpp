// The season-grained statistics as their readers take them (each view with its criterion bound, and
// the statistic graph's read for all players), next to their floor: the bare aggregate of the same
// sums over the same games. Both are read whole, every column of every row, through the program's
// statements; they alternate, run by run.
#include "club_history.h"
#include "records/graphs.h"
#include <QTemporaryDir>
#include <functional>

namespace {

int readAll(const QString& sql, const QVariantList& params) {
    vx::db::Statement q(sql);
    if (!q.run(params)) {
        std::fprintf(stderr, "%s\n", qPrintable(q.error()));
        std::exit(1);
    }
    int rows = 0;
    const int columns = q.record().count();
    while (q.next()) {
        for (int c = 0; c < columns; ++c) q.value(c);
        ++rows;
    }
    return rows;
}

const QString kSums = QStringLiteral(
    "COUNT(*), SUM(d.\"優Ｐ\"), SUM(d.\"上位\"), COUNT(d.\"上位\"), SUM(d.\"S10\"), COUNT(d.\"S10\"), "
    "SUM(d.\"ST\"), COUNT(d.\"ST\"), SUM(d.\"SP\"), SUM(d.\"SPF\") "
    "FROM \"データ項目\" AS d JOIN \"試合\" AS s ON s.\"試合ID\" = d.\"試合ID\" ");

struct Case {
    const char* what;
    std::function<int()> view, bare;
};

void measure(int games, int runs) {
    QTemporaryDir home;
    const vxbench::History h = vxbench::clubHistory(games);
    vxbench::openCopy(home, h);
    const int season = (h.lastSeasonId + 1) / 2, player = 7;  // a full season in the middle of the history
    const QVariantList bySeason{season}, byPlayer{player};
    const Case cases[] = {
        {"シーズン成績２, one season", [&] { return readAll(QStringLiteral("SELECT * FROM \"シーズン成績２\" WHERE \"シーズンID\" = ?"), bySeason); },
         [&] { return readAll("SELECT d.\"選手ID\", " + kSums + "WHERE s.\"シーズンID\" = ? GROUP BY d.\"選手ID\"", bySeason); }},
        {"選手別成績２, one player", [&] { return readAll(QStringLiteral("SELECT * FROM \"選手別成績２\" WHERE \"選手ID\" = ?"), byPlayer); },
         [&] { return readAll("SELECT s.\"シーズンID\", " + kSums + "WHERE d.\"選手ID\" = ? GROUP BY s.\"シーズンID\"", byPlayer); }},
        {"全選手成績２", [&] { return readAll(QStringLiteral("SELECT * FROM \"全選手成績２\""), {}); },
         [&] { return readAll("SELECT s.\"シーズンID\", " + kSums + "GROUP BY s.\"シーズンID\"", {}); }},
        {"シーズン成績２, every season", [&] { return readAll(QStringLiteral("SELECT * FROM \"シーズン成績２\""), {}); },
         [&] { return readAll("SELECT d.\"選手ID\", s.\"シーズンID\", " + kSums + "GROUP BY d.\"選手ID\", s.\"シーズンID\"", {}); }},
        {"graph 全　員 read", [&] { return int(vx::graphs::readSeasons(h.lastSeasonId, true, 0).value().all.size()) - 1; },
         [&] { return readAll("SELECT s.\"シーズンID\", " + kSums + "GROUP BY s.\"シーズンID\"", {}); }},
    };
    for (const Case& c : cases) {
        std::vector<double> view, bare;
        int rows = 0;
        for (int i = 0; i <= runs; ++i) {  // run 0 warms up both
            QElapsedTimer t;
            t.start();
            rows = c.view();
            const double v = vxbench::msSince(t);
            t.restart();
            if (c.bare() != rows) std::fprintf(stderr, "%s: the view and the aggregate differ in rows\n", c.what);
            const double b = vxbench::msSince(t);
            if (i == 0) continue;
            view.push_back(v);
            bare.push_back(b);
        }
        const double v = vxbench::median(view), b = vxbench::median(bare);
        std::printf("%12d  %6d  %8.3f  %9.3f  %6.3f  %s\n", games, rows, v, b, v / b, c.what);
        std::fflush(stdout);
    }
    vx::db::close();
}

}  // namespace

// bench_season [runs]
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 15;
    std::printf("stored games    rows   view ms   floor ms   ratio  read (median of %d)\n", runs);
    for (int games : {1000, 115000, 1000000}) measure(games, runs);
    return 0;
}
