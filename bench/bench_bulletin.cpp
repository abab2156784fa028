// The bulletin of the last match of a club's twenty years (about 115,000 stored games) and of a
// million games, and of the last match of the middle season of each, every section on, written to
// its file with its standings as the dialog hands them over, beside the statements it runs (the
// match's games, the season's and the all-time standings up to the match) run by SQLite's own calls
// and read whole, every value in its stored type, unformatted; and beside the bare write of the
// page's bytes, which no page can go below. They alternate, run by run, in the same process.
#include "club_history.h"
#include "common/module1.h"
#include "publishing/bulletin.h"
#include "records/seasonresults.h"
#include <QTemporaryDir>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The rows of a statement, every value read in the type it is stored in.
int bare(vxbench::Stmt& q, const QVariantList& values) {
    sqlite3_reset(q.s);
    q.col = 0;
    for (const QVariant& v : values) {
        if (v.typeId() == QMetaType::Double) sqlite3_bind_double(q.s, ++q.col, v.toDouble());
        else q << sqlite3_int64(v.toLongLong());
    }
    const int columns = sqlite3_column_count(q.s);
    int rows = 0;
    while (q.step()) {
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(q.s, c)) {
                case SQLITE_INTEGER: sqlite3_column_int64(q.s, c); break;
                case SQLITE_FLOAT: sqlite3_column_double(q.s, c); break;
                case SQLITE_NULL: break;
                default: sqlite3_column_text(q.s, c); sqlite3_column_bytes(q.s, c);
            }
        }
        ++rows;
    }
    return rows;
}

// The page's bytes replacing a file as the page writer replaces one, by POSIX calls: a new
// temporary file beside it, written, flushed to disk, renamed over it.
void bareWrite(const QByteArray& path, const QByteArray& bytes) {
    const QByteArray temp = path + ".tmp";
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size() || ::fsync(fd) != 0 || ::close(fd) != 0 ||
        ::rename(temp.constData(), path.constData()) != 0)
        std::exit(1);
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
    b.setup.colors = {"14811135", "0", "14811135", "0", "14811135", "0", "14811135", "0"};
    b.folder = home.path();
    b.setup.frame.title = vx::publishing::bulletinTitle(*m);
    b.setup.frame.heading = vx::publishing::bulletinHeading(*m);
    b.setup.written = QDateTime::currentDateTime();
    const QString page = home.filePath(QStringLiteral("news.htm"));

    vxbench::Stmt gamesQuery(d, vx::publishing::matchGamesSql()), seasonQuery(d, s.sql), allTimeQuery(d, a.sql);

    const QByteArray copy = QFile::encodeName(home.filePath(QStringLiteral("copy.htm")));
    QByteArray bytes;

    std::vector<double> written, floor, write;
    int rows = 0;
    for (int i = 0; i <= runs; ++i) {  // run 0 warms up all three
        QElapsedTimer t;
        t.start();
        if (vx::publishing::writeBulletin(page, b) != vx::publishing::PageResult::Written) std::exit(1);
        const double w = vxbench::msSince(t);
        if (i == 0) {
            QFile f(page);
            if (!f.open(QIODevice::ReadOnly)) std::exit(1);
            bytes = f.readAll();
        }
        t.restart();
        rows = bare(gamesQuery, {m->matchId}) + bare(seasonQuery, s.params) + bare(allTimeQuery, a.params);
        const double f = vxbench::msSince(t);
        t.restart();
        bareWrite(copy, bytes);
        const double c = vxbench::msSince(t);
        if (i == 0) continue;
        written.push_back(w);
        floor.push_back(f);
        write.push_back(c);
    }
    const double w = vxbench::median(written), f = vxbench::median(floor), c = vxbench::median(write);
    std::printf("%9d  %6d  %5d  %8lld  %10.2f  %8.2f  %5.2f  %13.2f  %22.2f\n", games, int(m->matchId), rows, qlonglong(bytes.size()), w, f, w / f, c,
                w / (f + c));
    std::fflush(stdout);
    vx::db::close();
}

}  // namespace

// bench_bulletin [runs]
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 31;
    std::printf("stored games  match   rows  page bytes  bulletin ms  floor ms  ratio  bare write ms  ratio to floor + write   (median of %d runs)\n", runs);
    for (int games : {115200, 1000000})
        for (bool middle : {false, true}) measure(games, middle, runs);
    return 0;
}
