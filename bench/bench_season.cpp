// One season's results, as the statistics read them (the season view with a bound season ID), next
// to their floor: the bare aggregate of the same sums over the same games. Both are read whole,
// every column of every row, through the program's statements; they alternate, run by run.
#include "club_history.h"
#include <QTemporaryDir>

namespace {

int readAll(const QString& sql, int season) {
    vx::db::Statement q(sql);
    if (!q.run({season})) {
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

const QString kView = QStringLiteral("SELECT * FROM \"シーズン成績２\" WHERE \"シーズンID\" = ?");
const QString kBare = QStringLiteral(
    "SELECT d.\"選手ID\", COUNT(*), SUM(d.\"優Ｐ\"), SUM(d.\"上位\"), COUNT(d.\"上位\"), SUM(d.\"S10\"), COUNT(d.\"S10\"), "
    "SUM(d.\"ST\"), COUNT(d.\"ST\"), SUM(d.\"SP\"), SUM(d.\"SPF\") "
    "FROM \"データ項目\" AS d JOIN \"試合\" AS s ON s.\"試合ID\" = d.\"試合ID\" WHERE s.\"シーズンID\" = ? GROUP BY d.\"選手ID\"");

void measure(int games, int runs) {
    QTemporaryDir home;
    const vxbench::History h = vxbench::clubHistory(games);
    const QString file = home.filePath(QStringLiteral("Vorlix.mdb"));
    QFile::copy(h.file, file);
    if (!vx::db::open(file)) std::exit(1);
    const int season = (h.lastSeasonId + 1) / 2;  // a full season in the middle of the history
    std::vector<double> view, bare;
    int rows = 0;
    for (int i = 0; i <= runs; ++i) {  // run 0 warms up both
        QElapsedTimer t;
        t.start();
        rows = readAll(kView, season);
        const double v = vxbench::msSince(t);
        t.restart();
        if (readAll(kBare, season) != rows) std::fprintf(stderr, "the view and the aggregate differ in rows\n");
        const double b = vxbench::msSince(t);
        if (i == 0) continue;
        view.push_back(v);
        bare.push_back(b);
    }
    vx::db::close();
    const double v = vxbench::median(view), b = vxbench::median(bare);
    std::printf("%9d  %7d  %7.3f  %8.3f  %5.2f\n", games, rows, v, b, v / b);
    std::fflush(stdout);
}

}  // namespace

// bench_season [runs]
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 51;
    std::printf("stored games  players  view ms  floor ms  ratio   (median of %d reads of one season)\n", runs);
    for (int games : {115000, 1000000}) measure(games, runs);
    return 0;
}
