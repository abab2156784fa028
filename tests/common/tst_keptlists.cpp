// The kept lists of the score book and of the per-match statistics stay equal to the joins and sums
// they stand for through any store, edit and delete, and an older database gains them filled; lists
// read a page at a time give the rows a whole read gives, and keep them when the database is written.
#include "common/schemaupgrade.h"
#include "records/matchstats.h"
#include "records/scorebook.h"
#include "support/dayfixture.h"
#include "support/exchange_sheet.h"
#include "support/testdb.h"

using vxtest::rows;

namespace {

// What the kept lists must hold, and what they hold; quote() tells a whole number from a real one.
const QString Sums = QStringLiteral("SELECT %1, COUNT(*), quote(SUM(\"上位\")), quote(SUM(\"S10\")), quote(MAX(\"S10\")), "
                                    "quote(SUM(\"ST\")), quote(MAX(\"ST\")), quote(SUM(\"SP\")), quote(MAX(\"SP\")) FROM %2");
QString expected() {
    return rows(Sums.arg("\"試合ID\", \"選手ID\"", "\"データ項目\" WHERE \"試合ID\" IN (SELECT \"試合ID\" FROM \"試合\") AND "
                                                  "\"選手ID\" IS NOT NULL GROUP BY \"試合ID\", \"選手ID\" ORDER BY \"試合ID\", \"選手ID\"")) + u'\n' +
           rows("SELECT d.ID, d.選手ID, d.試合ID, s.シーズンID, s.試合, d.ｹﾞｰﾑ FROM データ項目 d JOIN マーク m ON m.ID = d.ID "
                "JOIN 選手 p ON p.選手ID = d.選手ID JOIN 試合 s ON s.試合ID = d.試合ID ORDER BY d.ID");
}
QString kept() {
    return rows("SELECT 試合ID, 選手ID, Ｇ数, quote(上位計), quote(得点計), quote(最高点), quote(ST計), quote(ST最大), quote(SP計), "
                "quote(SP最大) FROM ＿試合別の和 ORDER BY 試合ID, 選手ID") + u'\n' + rows("SELECT * FROM ＿スコアブック順 ORDER BY ID");
}

// A figure, now and then none, a real number or a text.
QVariant figure(QRandomGenerator& rng) {
    switch (rng.bounded(30)) {
        case 0: return {};
        case 1: return 100.5;
        case 2: return QStringLiteral("x");
        default: return int(rng.bounded(0, 300));
    }
}

void store(QRandomGenerator& rng, int games) {
    for (int i = 0; i < games; ++i) {
        const QVariantList v{int(rng.bounded(1, 6)), int(rng.bounded(1, 5)), int(rng.bounded(1, 5)), figure(rng), figure(rng), figure(rng), figure(rng)};
        QVERIFY(db::exec("INSERT INTO データ項目 (選手ID, 試合ID, ｹﾞｰﾑ, 上位, S10, ST, SP) VALUES (?, ?, ?, ?, ?, ?, ?)", v));
        const QString id = db::scalar("SELECT last_insert_rowid()").toString();
        if (rng.bounded(6)) QVERIFY(db::exec("INSERT OR REPLACE INTO マーク (ID) VALUES (" + id + ")"));
    }
}

// The rows of a recordset, read row by row from its end back to its start.
QString backwards(const db::Recordset& rs) {
    QStringList out;
    for (int r = rs.RecordCount() - 1; r >= 0; --r) {
        QStringList row;
        for (int f = 0; f < rs.FieldCount(); ++f) row << rs.valueAt(r, f).toString();
        out.prepend(row.join(u'|'));
    }
    return out.join(u'\n');
}

}  // namespace

class TestKeptLists : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private Q_SLOTS:
    void cleanup() { db::close(); }

    void keptThroughStoreEditAndDelete() {
        QVERIFY(!vxtest::openFreshDb(dir_.path()).isEmpty());
        QVERIFY(db::exec("INSERT INTO 選手 (選手ID, 選手名) VALUES (1, 'a'), (2, 'b'), (3, 'c'), (4, 'd')"));
        QVERIFY(db::exec("INSERT INTO 試合 (試合ID, シーズンID, 試合) VALUES (1, 1, 1), (2, 1, 2), (3, 2, 1)"));
        QRandomGenerator rng(20261207);
        const QStringList edits{
            "DELETE FROM データ項目 WHERE ID % 5 = %1", "UPDATE データ項目 SET 選手ID = %1 WHERE ID % 3 = 0",
            "UPDATE データ項目 SET S10 = S10 + %1, 試合ID = 1 + ID % 4 WHERE ID % 4 = 1", "DELETE FROM マーク WHERE ID % 7 = %1",
            "UPDATE 試合 SET シーズンID = %1, 試合ID = 3 WHERE 試合ID = 4", "UPDATE 試合 SET 試合ID = 4, 試合 = %1 WHERE 試合ID = 3",
            "DELETE FROM 選手 WHERE 選手ID = %1", "INSERT OR IGNORE INTO 選手 (選手ID, 選手名) VALUES (%1, 'e')",
            "UPDATE データ項目 SET ｹﾞｰﾑ = %1, 上位 = NULL WHERE ID % 6 = 2", "UPDATE マーク SET ID = ID + 1000 WHERE ID % 9 = %1",
            "DELETE FROM 試合 WHERE 試合ID = %1", "INSERT OR IGNORE INTO 試合 (試合ID, シーズンID, 試合) VALUES (%1, 2, %1)"};
        for (int round = 0; round < 60; ++round) {
            store(rng, int(rng.bounded(1, 10)));
            QVERIFY(db::exec(edits[int(rng.bounded(edits.size()))].arg(rng.bounded(1, 6))));
            QCOMPARE(kept(), expected());
        }
        QVERIFY(db::exec("DELETE FROM データ項目"));
        QCOMPARE(kept(), QStringLiteral("\n"));
    }

    void olderDatabaseGainsThemFilled() {
        const QString path = dir_.filePath(QStringLiteral("old.mdb"));
        QVERIFY(db::createFromSchema(path, QString::fromUtf8(vxtest::fileBytes(VX_TEST_DATA "/schema/v0.sql"))) && db::open(path));
        QVERIFY(db::exec("INSERT INTO 選手 (選手ID, 選手名) VALUES (1, 'a'), (2, 'b'), (3, 'c')"));
        QVERIFY(db::exec("INSERT INTO 試合 (試合ID, シーズンID, 試合) VALUES (1, 1, 1), (2, 1, 2), (3, 2, 1)"));
        QRandomGenerator rng(5);
        store(rng, 200);
        QVERIFY(db::upgradeSchema(db::schemaSql()));
        QCOMPARE(kept(), expected());
    }

    // More rows than a page: the paged score book and statistics give the rows of a whole read in
    // the same order, ties included, whichever end is read first; written meanwhile, they keep the
    // rows and the order they opened with.
    void pagesGiveTheWholeRows() {
        QVERIFY(!vxtest::openFreshDb(dir_.path()).isEmpty());
        QVERIFY(db::exec("INSERT INTO 選手 (選手ID, 選手名) VALUES (1, '同'), (2, '同'), (3, 'c')"));
        QVERIFY(db::exec("INSERT INTO 試合 (試合ID, シーズンID, 試合) WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c "
                         "WHERE n < 400) SELECT n, 1 + n % 3, n % 7 FROM c"));
        QVERIFY(db::exec("INSERT INTO データ項目 (選手ID, 試合ID, ｹﾞｰﾑ, 上位, S10, ST, SP) WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL "
                         "SELECT n + 1 FROM c WHERE n < 2600) SELECT 1 + n % 3, 1 + n % 400, n % 5, n % 2, 100 + n % 7, n % 3, n % 4 FROM c"));
        QVERIFY(db::exec("INSERT INTO マーク (ID) SELECT ID FROM データ項目 WHERE ID % 50 <> 0"));
        const auto whole = [](const scorebook::Filter& filter) {
            db::OpenOptions o = scorebook::listOptions(filter);
            o.keyset = false;
            return o;
        };
        // The statistics summed from the games, in the saved query's order of players within a match.
        const auto sorted = [](int key, bool descending, const QString& where = {}) {
            return "SELECT p.選手名 AS 選手名, s.試合日 AS 試合日, COUNT(*) AS Ｇ数, SUM(d.上位) AS 上位計, SUM(d.S10) AS 得点計, "
                   "MAX(d.S10) AS 最高点, SUM(d.ST) AS ST計, MAX(d.ST) AS ST最大, SUM(d.SP) AS SP計, MAX(d.SP) AS SP最大, "
                   "d.試合ID AS 試合ID FROM データ項目 d JOIN 選手 p ON p.選手ID = d.選手ID JOIN 試合 s ON s.試合ID = d.試合ID " + where +
                   " GROUP BY d.試合ID, d.選手ID ORDER BY " + matchstats::keyColumn(key) + (descending ? " DESC" : "") + ", 試合ID, 選手名, d.選手ID";
        };
        for (const QString& player : QStringList{"0", "2"}) {
            const scorebook::Filter filter = scorebook::filterOf({player, 0, {}, {}});
            db::Recordset a, b;
            QVERIFY(a.open(scorebook::listSql(filter), whole(filter)) && b.open(scorebook::listSql(filter), scorebook::listOptions(filter)));
            QVERIFY(a.RecordCount() > 800);
            QCOMPARE(backwards(b), backwards(a));
        }
        for (int key = 0; key < matchstats::KeyCount; ++key)
            for (const bool descending : {false, true})
                for (const QString& player : {matchstats::allPlayers(), QStringLiteral("同")}) {
                    const matchstats::Query q = matchstats::sortedQuery(key, descending, player);
                    const QString where = player == matchstats::allPlayers() ? QString() : QStringLiteral("WHERE p.選手名 = '同'");
                    db::Recordset a, b;
                    QVERIFY(a.open(sorted(key, descending, where), db::RecordsetType::Snapshot) && b.open(q.sql, matchstats::listOptions(q)));
                    QVERIFY(a.RecordCount() > 700);
                    QCOMPARE(backwards(b), backwards(a));
                }

        const scorebook::Filter all = scorebook::filterOf({"0", 0, {}, {}});
        const matchstats::Query q = matchstats::sortedQuery(1, true, matchstats::allPlayers());
        db::Recordset stats, book, statsBefore, bookBefore;
        QVERIFY(stats.open(q.sql, matchstats::listOptions(q)) && book.open(scorebook::listSql(all), scorebook::listOptions(all)));
        QVERIFY(statsBefore.open(sorted(1, true), db::RecordsetType::Snapshot) && bookBefore.open(scorebook::listSql(all), whole(all)));
        QVERIFY(stats.valueAt(0, 0).isValid() && book.valueAt(0, 0).isValid());  // a page each, then games stored ahead of it
        {  // what was taken aside goes with the rolled-back transaction
            db::Transaction undone;
            QVERIFY(undone.begun() && db::exec("DELETE FROM マーク"));
        }
        QVERIFY(db::exec("INSERT INTO データ項目 (ID, 選手ID, 試合ID, ｹﾞｰﾑ, S10) VALUES (-2, 1, 3, 0, 900), (-1, 3, 3, 0, 800)"));
        QVERIFY(db::exec("INSERT INTO マーク (ID) VALUES (-2), (-1)"));
        QCOMPARE(backwards(stats) + backwards(book), backwards(statsBefore) + backwards(bookBefore));
    }
};

QTEST_MAIN(TestKeptLists)
#include "tst_keptlists.moc"
