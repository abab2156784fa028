#pragma once
// A club's history of stored games in a database file, and the bare SQLite calls the benchmarks
// measure the program against. Seasons of 12 matches, about 60 players a day from a roster of 90,
// 4 games each, every game with its three rows. A history is written once through SQLite's own
// interface and kept under the benchmark's folder, keyed by the schema, so that a million games
// cost their minute only the first time.
#include "common/database.h"
#include "common/records.h"
#include "common/schemaupgrade.h"
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace vxbench {

// ---- Bare SQLite ---------------------------------------------------------------------------

inline void check(int rc, sqlite3* db, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "%s: %s\n", what, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        std::exit(1);
    }
}

struct Db {
    sqlite3* h = nullptr;
    explicit Db(const QString& path) { check(sqlite3_open_v2(path.toUtf8().constData(), &h, SQLITE_OPEN_READWRITE, nullptr), h, "open"); }
    ~Db() { sqlite3_close_v2(h); }
    Db(const Db&) = delete;
    Db& operator=(const Db&) = delete;
    void exec(const QString& sql) { check(sqlite3_exec(h, sql.toUtf8().constData(), nullptr, nullptr, nullptr), h, "exec"); }
};

// A prepared statement bound by position: ints and texts.
struct Stmt {
    sqlite3_stmt* s = nullptr;
    sqlite3* db;
    int col = 0;
    Stmt(Db& d, const QString& sql) : db(d.h) {
        check(sqlite3_prepare_v3(db, sql.toUtf8().constData(), -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr), db, "prepare");
    }
    ~Stmt() { sqlite3_finalize(s); }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;
    Stmt& operator<<(sqlite3_int64 v) { sqlite3_bind_int64(s, ++col, v); return *this; }
    Stmt& operator<<(const QString& v) {
        sqlite3_bind_text16(s, ++col, v.utf16(), int(v.size() * 2), SQLITE_TRANSIENT);
        return *this;
    }
    Stmt& operator<<(std::nullptr_t) { sqlite3_bind_null(s, ++col); return *this; }
    bool step() {  // runs (or steps a query); true while a row is there
        const int rc = sqlite3_step(s);
        check(rc, db, "step");
        return rc == SQLITE_ROW;
    }
    void run() {
        step();
        sqlite3_reset(s);
        col = 0;
    }
};

inline QString insertSql(const QString& table, const QStringList& cols) {
    QStringList q, m;
    for (const QString& c : cols) {
        q << vx::db::quoteName(c);
        m << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(vx::db::quoteName(table), q.join(u','), m.join(u','));
}

// The three rows of a game and the match row, as storing the day writes them.
struct GameTables {
    Stmt data, mark, frame, match;
    static QStringList dataCols() {
        return {"選手ID", "試合ID", "ｹﾞｰﾑ", "優Ｐ", "上位", "S10", "ST", "SP", "SPF", "ｽﾌﾟﾘｯﾄ", "当日", "入賞",
                "競技点", "HCP", "人数", "順位", "試合日", "会場ID"};
    }
    static QStringList markCols() {
        QStringList c{"ID", "選手ID", "試合ID", "ｹﾞｰﾑ"};
        for (int k = 0; k <= 20; ++k) c << QStringLiteral("M") + vx::ballSuffix(k);
        for (int f = 1; f <= 10; ++f) c << QStringLiteral("S%1").arg(f);
        return c;
    }
    static QStringList frameCols() {
        QStringList c{"ID", "選手ID", "試合ID", "ゲーム"};
        for (int k = 0; k <= 20; ++k) c << QStringLiteral("Flms") + vx::ballSuffix(k);
        for (int k = 0; k <= 20; ++k) c << QStringLiteral("pin") + vx::ballSuffix(k);
        return c;
    }
    explicit GameTables(Db& d)
        : data(d, insertSql(QStringLiteral("データ項目"), dataCols())),
          mark(d, insertSql(QStringLiteral("マーク"), markCols())),
          frame(d, insertSql(QStringLiteral("フレーム"), frameCols())),
          match(d, insertSql(QStringLiteral("試合"), {"試合ID", "シーズンID", "試合", "１着ID", "S10", "競技点", "試合日"})) {}
};

// ---- The history ---------------------------------------------------------------------------

inline QString schemaText() {
    return vx::db::schemaSql();
}

inline void writeHistory(const QString& path, int games) {
    if (!vx::db::createFromSchema(path, schemaText())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(path));
        std::exit(1);
    }
    Db d(path);
    d.exec(QStringLiteral("PRAGMA synchronous = OFF; PRAGMA journal_mode = OFF; BEGIN"));
    GameTables t(d);
    Stmt player(d, QStringLiteral("INSERT INTO \"選手\" (\"選手ID\", \"選手名\") VALUES (?, ?)"));
    Stmt season(d, QStringLiteral("INSERT INTO \"シーズン\" (\"シーズン名\") VALUES (?)"));
    const int roster = 90, perDay = 60, matchesPerSeason = 12;
    for (int p = 1; p <= roster; ++p) {
        player << p << QStringLiteral("会員%1").arg(p);
        player.run();
    }
    const QString mark = QStringLiteral("５"), entered = QStringLiteral("    ");
    unsigned seed = 12345;
    auto rnd = [&seed](int n) { seed = seed * 1103515245u + 12345u; return int((seed >> 16) % unsigned(n)); };
    sqlite3_int64 id = 0;
    for (int written = 0, matchId = 0; written < games; ) {
        const int s = matchId / matchesPerSeason + 1, m = matchId % matchesPerSeason + 1;
        ++matchId;
        if (m == 1) {
            season << QStringLiteral("第%1期").arg(s);
            season.run();
        }
        const QString date = QStringLiteral("%1-%2-10").arg(2005 + (s - 1) / 2).arg(m, 2, 10, QLatin1Char('0'));
        t.match << matchId << s << m << 1 + rnd(roster) << 200 << 220 << date;
        t.match.run();
        const int players = std::min(perDay, (games - written + 3) / 4), first = rnd(roster);
        for (int i = 0; i < players; ++i) {
            const int pid = 1 + (first + i) % roster;
            for (int g = 1; g <= 4 && written < games; ++g, ++written) {
                const int s10 = 100 + rnd(150);
                t.data << pid << matchId << g << (g == 1 ? rnd(20) : 0) << rnd(2) << s10 << rnd(6) << rnd(7) << rnd(4)
                       << rnd(2) << 2 - g << entered << s10 + 10 << 10 << perDay << 1 + rnd(perDay) << date << 1;
                t.data.run();
                ++id;
                t.mark << id << pid << matchId << g;
                for (int k = 0; k <= 20; ++k) t.mark << mark;
                for (int f = 1; f <= 10; ++f) t.mark << s10 * f / 10;
                t.mark.run();
                t.frame << id << pid << matchId << g;
                for (int k = 0; k <= 20; ++k) t.frame << 5;
                for (int k = 0; k <= 20; ++k) t.frame << 992;
                t.frame.run();
            }
        }
    }
    d.exec(QStringLiteral("COMMIT"));
}

struct History {
    QString file;      // the kept database; copy it before writing into it
    int lastMatchId = 0;
    int lastSeasonId = 0;
};

// The history of `games` stored games, written on first use into the benchmark's folder.
inline History clubHistory(int games) {
    const QString key = QString::fromLatin1(
        QCryptographicHash::hash(schemaText().toUtf8() + "v2", QCryptographicHash::Sha1).toHex().left(10));
    QDir folder(QCoreApplication::applicationDirPath());
    const QString name = QStringLiteral("club_history_%1_%2.mdb").arg(games).arg(key);
    if (!folder.exists(name)) {
        for (const QString& old : folder.entryList({QStringLiteral("club_history_%1_*.mdb").arg(games)})) folder.remove(old);
        QElapsedTimer t;
        t.start();
        const QString part = folder.filePath(name + QStringLiteral(".part"));
        QFile::remove(part);
        writeHistory(part, games);
        QFile::rename(part, folder.filePath(name));
        std::fprintf(stderr, "history of %d games written in %.1f s (kept as %s)\n", games, double(t.elapsed()) / 1000.0,
                     qPrintable(name));
    }
    History h;
    h.file = folder.filePath(name);
    Db d(h.file);
    Stmt q(d, QStringLiteral("SELECT MAX(\"試合ID\"), MAX(\"シーズンID\") FROM \"試合\""));
    q.step();
    h.lastMatchId = sqlite3_column_int(q.s, 0);
    h.lastSeasonId = sqlite3_column_int(q.s, 1);
    return h;
}

// A copy of the history in `home`, opened as the program's database; its path.
inline QString openCopy(const QTemporaryDir& home, const History& h) {
    const QString file = home.filePath(QStringLiteral("Vorlix.mdb"));
    QFile::copy(h.file, file);
    if (!vx::db::open(file)) std::exit(1);
    return file;
}

// ---- Timing --------------------------------------------------------------------------------

// A window benchmark's own settings folder, current before any window reads it.
inline void useOwnFolder(const QTemporaryDir& config) {
    qputenv("VORLIX_HOME", config.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QDir::setCurrent(config.path());
}

// A list benchmark's three club sizes: 1,000 and 115,200 games, then 1,000,000 for the runs asked.
template <class Measure>
void atThreeSizes(int argc, char** argv, Measure measure) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    for (const auto& [games, n] : {std::pair{1000, 31}, std::pair{115200, 15}, std::pair{1000000, runs}}) measure(games, n);
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

inline double msSince(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

// The process's resident memory in MB.
inline double residentMb() {
    FILE* f = std::fopen("/proc/self/statm", "r");
    long pages = 0, resident = 0;
    if (f) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// `shown` and `bare` run by turns, run 0 warming up both: their medians over the other runs, the rows
// `bare` read and the memory the first `shown` kept.
struct Alternated {
    double shown = 0, floor = 0, grown = 0;
    int rows = 0;
};
template <class Shown, class Bare>
Alternated alternate(int runs, Shown shown, Bare bare) {
    std::vector<double> shownMs, floorMs;
    Alternated a;
    for (int i = 0; i <= runs; ++i) {
        const double before = residentMb();
        QElapsedTimer t;
        t.start();
        shown();
        const double s = msSince(t);
        if (i == 0) a.grown = residentMb() - before;
        t.restart();
        a.rows = bare();
        const double b = msSince(t);
        if (i == 0) continue;
        shownMs.push_back(s);
        floorMs.push_back(b);
    }
    a.shown = median(shownMs);
    a.floor = median(floorMs);
    return a;
}

}  // namespace vxbench
