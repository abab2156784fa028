// The bulletin of the last match of a club's twenty years (about 115,000 stored games) and of a
// million games, and of the last match of the middle season of each, every section on, written to its file with its standings as the dialog hands them
// over, beside the bare queries of its figures (the match's games, the season's and the all-time
// aggregates up to the match) by SQLite's own calls, read whole. They alternate, run by run, in the
// same process.
#include "club_history.h"
#include "common/module1.h"
#include "publishing/bulletin.h"
#include "records/seasonresults.h"
#include <QTemporaryDir>

namespace {

int bare(vxbench::Db& d, const QString& sql, const QList<int>& values, int columns) {
    vxbench::Stmt q(d, sql);
    for (int v : values) q << v;
    int rows = 0;
    while (q.step()) {
        for (int c = 0; c < columns; ++c) sqlite3_column_text(q.s, c);
        ++rows;
    }
    return rows;
}

// The bulletin of the last match of the history, or of the last match of its middle season.
void measure(int games, bool middle, int runs) {
    QTemporaryDir home;
    const vxbench::History h = vxbench::clubHistory(games);
    const QString file = home.filePath(QStringLiteral("Vorlix.mdb"));
    QFile::copy(h.file, file);
    if (!vx::db::open(file)) std::exit(1);
    vxbench::Db d(file);
    const int seasonId = middle ? (h.lastSeasonId + 1) / 2 : h.lastSeasonId;
    vxbench::Stmt span(d, QStringLiteral("SELECT \"試合\", \"試合ID\" FROM \"試合\" WHERE \"シーズンID\" = ? ORDER BY \"試合ID\" DESC"));
    span << seasonId;
    span.step();
    const int matchNo = sqlite3_column_int(span.s, 0), matchId = sqlite3_column_int(span.s, 1);
    const QString season = QString::number(seasonId), number = QString::number(matchNo);
    QFile results(vx::publishing::bulletinResultsFile(home.path(), season, number));
    results.open(QIODevice::WriteOnly);
    results.write("\"\x8f\x87\x88\xca\",\"name\"\r\n1,\"x\"\r\n");
    results.close();
    const auto m = vx::publishing::acceptMatch(season, number, matchId, home.path());
    if (!m || !m->hasResults) std::exit(1);

    vx::publishing::Bulletin b;
    b.match = *m;
    b.sections.fill(true);
    const auto s = vx::results::upToMatchQuery(m->firstMatchId, m->matchId, double(seasonId));
    const auto a = vx::results::upToMatchQuery(1, m->matchId);
    b.season = {s.sql, s.params};
    b.allTime = {a.sql, a.params};
    b.markTexts = {QString(), "1s", "2s", "3s", "4s", "5s", "6s", "7s", "8s", "／", "＊"};
    b.colors = {"14811135", "0", "14811135", "0", "14811135", "0", "14811135", "0"};
    b.folder = home.path();
    b.frame.title = vx::publishing::bulletinTitle(*m);
    b.frame.heading = vx::publishing::bulletinHeading(*m);
    b.written = QDateTime::currentDateTime();
    const QString page = home.filePath(QStringLiteral("news.htm"));

    QStringList cols;
    for (int f = 1; f <= 10; ++f) cols << QStringLiteral("k.\"S%1\"").arg(f);
    for (int k = 0; k <= 20; ++k) cols << QStringLiteral("k.\"M") + vx::ballSuffix(k) + QLatin1Char('"');
    const QString gamesSql = QStringLiteral("SELECT ") + cols.join(',') +
                             QStringLiteral(", p.\"選手名\", d.\"ｹﾞｰﾑ\", d.\"優Ｐ\", d.\"入賞\", d.\"競技点\", d.\"試合日\" FROM \"データ項目\" AS d "
                                            "JOIN \"マーク\" AS k ON k.\"ID\" = d.\"ID\" JOIN \"選手\" AS p ON p.\"選手ID\" = d.\"選手ID\" "
                                            "WHERE d.\"試合ID\" = ? ORDER BY d.\"ｹﾞｰﾑ\"");
    const QString aggregate = QStringLiteral(
        "SELECT d.\"選手ID\", COUNT(*), SUM(d.\"優Ｐ\"), SUM(d.\"上位\"), AVG(d.\"上位\"), SUM(d.\"S10\"), AVG(d.\"S10\"), "
        "SUM(d.\"ST\"), AVG(d.\"ST\"), SUM(d.\"SP\"), SUM(d.\"SPF\"), 1.0 * SUM(d.\"SP\") / (SUM(d.\"SP\") + SUM(d.\"SPF\")) "
        "FROM \"データ項目\" AS d JOIN \"試合\" AS s ON s.\"試合ID\" = d.\"試合ID\" WHERE s.\"試合ID\" BETWEEN ? AND ?");

    std::vector<double> written, floor;
    int rows = 0;
    for (int i = 0; i <= runs; ++i) {  // run 0 warms up both
        QElapsedTimer t;
        t.start();
        if (vx::publishing::writeBulletin(page, b) != vx::publishing::BulletinResult::Written) std::exit(1);
        const double w = vxbench::msSince(t);
        t.restart();
        rows = bare(d, gamesSql, {int(m->matchId)}, 37) +
               bare(d, aggregate + QStringLiteral(" AND s.\"シーズンID\" = ? GROUP BY d.\"選手ID\""),
                    {int(m->firstMatchId), int(m->matchId), seasonId}, 12) +
               bare(d, aggregate + QStringLiteral(" GROUP BY d.\"選手ID\""), {1, int(m->matchId)}, 12);
        const double f = vxbench::msSince(t);
        if (i == 0) continue;
        written.push_back(w);
        floor.push_back(f);
    }
    const double w = vxbench::median(written), f = vxbench::median(floor);
    std::printf("%9d  %6d  %5d  %8lld  %7.2f  %8.2f  %5.2f\n", games, int(m->matchId), rows, QFileInfo(page).size(), w, f, w / f);
    std::fflush(stdout);
    vx::db::close();
}

}  // namespace

// bench_bulletin [runs]
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 31;
    std::printf("stored games  match   rows  page bytes  bulletin ms  floor ms  ratio   (median of %d runs)\n", runs);
    for (int games : {115200, 1000000})
        for (bool middle : {false, true}) measure(games, middle, runs);
    return 0;
}
