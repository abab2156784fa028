// The season results window's tables over a club's twenty years (about 115,000 stored games): the
// all-time table, one season's and the match range of that season, each opened as the window opens
// its row source and read whole, and again with every cell formatted as the grid shows it (the
// grid formats only the rows it paints), beside the bare aggregate of the same figures by SQLite's
// own calls, read whole. They alternate, run by run, in the same process. Last, the all-time
// results-table page written whole (rows read, cells laid out, CP932, the file replaced) beside the
// same bare aggregate.
#include "club_history.h"
#include "publishing/resultstable.h"
#include "records/seasonresults.h"
#include <QTemporaryDir>

namespace {

// The row source opened as the grid's data source opens it, every value read, every cell formatted
// when asked.
int results(const vx::results::Query& q, bool formatted) {
    vx::db::Recordset rs;
    if (!rs.open(q.sql, vx::db::RecordsetType::Snapshot, q.params)) {
        std::fprintf(stderr, "%s\n", qPrintable(rs.lastError()));
        std::exit(1);
    }
    const auto& columns = vx::results::columns();
    int at[12];
    for (int c = 0; c < 12; ++c) at[c] = rs.FieldIndex(columns[c].field);
    qsizetype chars = 0;
    for (int r = 0; r < rs.RecordCount(); ++r)
        for (int c = 0; c < 12; ++c) {
            const QVariant v = rs.valueAt(r, at[c]);
            chars += formatted ? vx::results::cellText(c, v).size() : v.isNull();
        }
    if (chars < 0) std::exit(1);
    return rs.RecordCount();
}

// The bare aggregate of the same sums, per player, read whole.
int bare(vxbench::Db& d, const QString& where, const QList<int>& values) {
    vxbench::Stmt q(d, QStringLiteral(
                           "SELECT d.\"選手ID\", COUNT(*), SUM(d.\"優Ｐ\"), SUM(d.\"上位\"), AVG(d.\"上位\"), SUM(d.\"S10\"), AVG(d.\"S10\"), "
                           "SUM(d.\"ST\"), AVG(d.\"ST\"), SUM(d.\"SP\"), SUM(d.\"SPF\"), 1.0 * SUM(d.\"SP\") / (SUM(d.\"SP\") + SUM(d.\"SPF\")) "
                           "FROM \"データ項目\" AS d JOIN \"試合\" AS s ON s.\"試合ID\" = d.\"試合ID\" ") +
                           where + QStringLiteral(" GROUP BY d.\"選手ID\""));
    for (int v : values) q << v;
    int rows = 0;
    while (q.step()) {
        for (int c = 0; c < 12; ++c) sqlite3_column_double(q.s, c);
        ++rows;
    }
    return rows;
}

}  // namespace

// bench_results [runs]
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 51;
    QTemporaryDir home;
    const vxbench::History h = vxbench::clubHistory(115200);  // the club's twenty years, written once and kept
    const QString file = home.filePath(QStringLiteral("Vorlix.mdb"));
    QFile::copy(h.file, file);
    if (!vx::db::open(file)) return 1;
    vxbench::Db d(file);
    const int season = (h.lastSeasonId + 1) / 2;  // a full season in the middle of the history
    vxbench::Stmt span(d, QStringLiteral("SELECT MIN(\"試合ID\"), MAX(\"試合ID\") FROM \"試合\" WHERE \"シーズンID\" = ?"));
    span << season;
    span.step();
    const int first = sqlite3_column_int(span.s, 0), last = sqlite3_column_int(span.s, 1);

    struct Case {
        const char* what;
        vx::results::Query query;
        QString where;
        QList<int> values;
    };
    const Case cases[] = {
        {"all-time", vx::results::allTimeQuery(), {}, {}},
        {"one season", vx::results::seasonQuery(season), QStringLiteral("WHERE s.\"シーズンID\" = ?"), {season}},
        {"that season's matches", vx::results::matchRangeQuery(first, last), QStringLiteral("WHERE s.\"試合ID\" BETWEEN ? AND ?"), {first, last}},
    };
    std::printf("%-22s  players  table ms  formatted ms  floor ms  ratio  formatted   (median of %d runs, %d stored games)\n", "",
                runs, 115200);
    for (const Case& c : cases) {
        std::vector<double> table, formatted, floor;
        int rows = 0;
        for (int i = 0; i <= runs; ++i) {  // run 0 warms up all three
            QElapsedTimer t;
            t.start();
            rows = results(c.query, false);
            const double a = vxbench::msSince(t);
            t.restart();
            results(c.query, true);
            const double f = vxbench::msSince(t);
            t.restart();
            if (bare(d, c.where, c.values) != rows) std::fprintf(stderr, "%s: the table and the aggregate differ in rows\n", c.what);
            const double b = vxbench::msSince(t);
            if (i == 0) continue;
            table.push_back(a);
            formatted.push_back(f);
            floor.push_back(b);
        }
        const double a = vxbench::median(table), f = vxbench::median(formatted), b = vxbench::median(floor);
        std::printf("%-22s  %7d  %8.3f  %12.3f  %8.3f  %5.2f  %9.2f\n", c.what, rows, a, f, b, a / b, f / b);
        std::fflush(stdout);
    }
    {
        vx::publishing::ResultsTable page;
        const vx::results::Query q = vx::results::allTimeQuery();
        page.sql = q.sql;
        page.params = q.params;
        page.setup.colors = {QStringLiteral("14811135"), QStringLiteral("0"), QStringLiteral("12648447"), QStringLiteral("0"),
                       QStringLiteral("16777152"), QStringLiteral("0"), QStringLiteral("16777215"), QStringLiteral("0")};
        page.setup.frame.title = QStringLiteral("All series");
        page.setup.frame.heading = QStringLiteral("通算成績");
        page.setup.written = QDateTime(QDate(2026, 12, 7), QTime(9, 0));
        const QString path = home.filePath(QStringLiteral("all.htm"));
        std::vector<double> writes, floor;
        for (int i = 0; i <= runs; ++i) {
            QElapsedTimer t;
            t.start();
            if (vx::publishing::writeResultsTable(path, page) != vx::publishing::PageResult::Written) {
                std::fprintf(stderr, "the all-time page was not written\n");
                return 1;
            }
            const double a = vxbench::msSince(t);
            t.restart();
            bare(d, {}, {});
            const double b = vxbench::msSince(t);
            if (i == 0) continue;
            writes.push_back(a);
            floor.push_back(b);
        }
        const double a = vxbench::median(writes), b = vxbench::median(floor);
        std::printf("%-22s  %7s  %8.3f  %12s  %8.3f  %5.2f\n", "all-time page written", "", a, "", b, a / b);
    }
    vx::db::close();
    return 0;
}
