// The kept all-time and season sums stay equal to the games they sum through any store, edit and
// delete of games and matches, and an older database is brought up to the schema all or nothing,
// its figures unchanged.
#include "common/gamecount.h"
#include "common/schemaupgrade.h"
#include "records/seasonresults.h"
#include "support/dayfixture.h"
#include "support/exchange_sheet.h"
#include "support/testdb.h"

using vxtest::rows;

namespace {
const QStringList Fields{"優Ｐ", "上位", "S10", "ST", "SP", "SPF"};

// What the kept sums must be: the games summed as the table keeps them.
QString expectedTotals() {
    QString sql = QStringLiteral("SELECT \"選手ID\", COUNT(*)");
    for (const QString& f : Fields) sql += QStringLiteral(", COALESCE(SUM(\"%1\"), 0), COUNT(\"%1\")").arg(f);
    return rows(sql + QStringLiteral(" FROM \"データ項目\" GROUP BY \"選手ID\" ORDER BY \"選手ID\""));
}
QString keptTotals() { return rows(QStringLiteral("SELECT * FROM \"＿通算\" ORDER BY \"選手ID\"")); }

// The same for each player's seasons and all players' seasons: the games joined to their match rows.
QString expectedSeasonSums() {
    QString sums = QStringLiteral("COUNT(*)");
    for (const QString& f : Fields) sums += QStringLiteral(", COALESCE(SUM(d.\"%1\"), 0), COUNT(d.\"%1\")").arg(f);
    const QString from = QStringLiteral(" FROM \"データ項目\" AS d JOIN \"試合\" AS s ON s.\"試合ID\" = d.\"試合ID\"");
    return rows("SELECT d.\"選手ID\", s.\"シーズンID\", " + sums + from + " GROUP BY 1, 2 ORDER BY 1, 2") + u'\n' +
           rows("SELECT s.\"シーズンID\", " + sums + from + " GROUP BY 1 ORDER BY 1");
}
QString keptSeasonSums() {
    return rows(QStringLiteral("SELECT * FROM \"＿シーズン計\" ORDER BY 1, 2")) + u'\n' +
           rows(QStringLiteral("SELECT * FROM \"＿全員シーズン計\" ORDER BY 1"));
}

// Rows with each value's type, so that a whole number and a real one differ.
QString typedRows(const QString& sql, const QVariantList& params = {}) {
    db::Statement q(sql);
    if (!q.run(params)) return q.error();
    QStringList out;
    while (q.next())
        for (int i = 0; i < q.record().count(); ++i) {
            const QVariant v = q.value(i);
            out << (v.isNull() ? QStringLiteral("null") : QString::fromLatin1(v.metaType().name()) + u':' + v.toString());
        }
    return out.join(u' ');
}

// The season views as the aggregate of the games gives them.
QString aggregatedSeasons() {
    const QString stats = QStringLiteral(
        "COUNT(*), SUM(d.\"優Ｐ\") AS p, SUM(d.\"上位\"), CAST(SUM(d.\"上位\") AS REAL) / NULLIF(COUNT(d.\"上位\"), 0), "
        "SUM(d.\"S10\"), CAST(SUM(d.\"S10\") AS REAL) / NULLIF(COUNT(d.\"S10\"), 0) AS a, SUM(d.\"ST\"), "
        "CAST(SUM(d.\"ST\") AS REAL) / NULLIF(COUNT(d.\"ST\"), 0), SUM(d.\"SP\"), SUM(d.\"SPF\"), "
        "CAST(SUM(d.\"SP\") AS REAL) / NULLIF(SUM(d.\"SP\") + SUM(d.\"SPF\"), 0) "
        "FROM \"データ項目\" AS d JOIN \"試合\" AS s ON s.\"試合ID\" = d.\"試合ID\" ");
    return typedRows("SELECT d.\"選手ID\", s.\"シーズンID\", " + stats + "GROUP BY 1, 2 ORDER BY 2, p DESC, a DESC, 1") + u'\n' +
           typedRows("SELECT d.\"選手ID\", s.\"シーズンID\", " + stats + "GROUP BY 1, 2 ORDER BY 1, 2") + u'\n' +
           typedRows("SELECT 0, s.\"シーズンID\", " + stats + "GROUP BY 2 ORDER BY 2");
}
QString seasonViews() {
    return typedRows(QStringLiteral("SELECT \"選手ID\", \"シーズンID\", \"ゲーム\", \"優Ｐ計\", \"上位\", \"上位率\", \"合計点\", \"平均点\", "
                                    "\"ST\", \"ST平均\", \"スペア\", \"ｽﾍﾟｱﾐｽ\", \"スペア率\" FROM \"シーズン成績２\"")) + u'\n' +
           typedRows(QStringLiteral("SELECT * FROM \"選手別成績２\"")) + u'\n' + typedRows(QStringLiteral("SELECT * FROM \"全選手成績２\""));
}

QString views() {
    QString all;
    for (const char* v : {"通算成績", "シーズン成績２", "選手別成績２", "選手別通算成績２", "全選手成績２", "全選手通算成績２"})
        all += rows(QStringLiteral("SELECT * FROM \"%1\"").arg(QString::fromUtf8(v))) + u'\n';
    return all;
}

void storeGames(QRandomGenerator& rng, int count) {
    db::Transaction all;
    QVERIFY(all.begun());
    for (int i = 0; i < count; ++i) {
        // Some games name no player, no match or a match not stored.
        QVariantList v{rng.bounded(12) ? QVariant(int(rng.bounded(1, 8))) : QVariant(),
                       rng.bounded(12) ? QVariant(int(rng.bounded(1, 8))) : QVariant(), int(rng.bounded(1, 5))};
        for (int f = 0; f < Fields.size(); ++f)
            v << (rng.bounded(20) == 0 ? QVariant() : QVariant(int(rng.bounded(0, 300))));
        QVERIFY(db::exec(QStringLiteral("INSERT INTO \"データ項目\" (\"選手ID\", \"試合ID\", \"ｹﾞｰﾑ\", \"優Ｐ\", \"上位\", "
                                        "\"S10\", \"ST\", \"SP\", \"SPF\") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"), v));
    }
    QVERIFY(all.commit());
}
}  // namespace

class TestTotals : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private Q_SLOTS:
    void cleanup() { db::close(); }

    void keptThroughStoreEditAndDelete() {
        QVERIFY(!vxtest::openFreshDb(dir_.path()).isEmpty());
        QVERIFY(db::exec(QStringLiteral("INSERT INTO \"試合\" (\"試合ID\", \"シーズンID\") VALUES (1, 1), (2, 1), (3, 2), (4, 2)")));
        QRandomGenerator rng(20261206);
        QVERIFY(db::exec(QStringLiteral("PRAGMA synchronous = OFF")));
        for (int round = 0; round < 120; ++round) {
            storeGames(rng, int(rng.bounded(1, 12)));
            const QString id = QString::number(rng.bounded(1, 400)), match = QString::number(rng.bounded(1, 8));
            const QVariant season = rng.bounded(8) ? QVariant(int(rng.bounded(1, 4))) : QVariant();
            switch (rng.bounded(10)) {
                case 0: QVERIFY(db::exec(QStringLiteral("DELETE FROM \"データ項目\" WHERE \"ID\" % 7 = ") + QString::number(rng.bounded(7)))); break;
                case 1: QVERIFY(db::exec(QStringLiteral("UPDATE \"データ項目\" SET \"選手ID\" = ? WHERE \"ID\" = ") + id, {int(rng.bounded(1, 8))})); break;
                case 2: QVERIFY(db::exec(QStringLiteral("UPDATE \"データ項目\" SET \"S10\" = NULL, \"SP\" = \"SP\" + 1 WHERE \"ID\" = ") + id)); break;
                case 3: QVERIFY(db::exec(QStringLiteral("DELETE FROM \"データ項目\" WHERE \"選手ID\" = ?"), {int(rng.bounded(1, 8))})); break;
                case 4: QVERIFY(db::exec(QStringLiteral("UPDATE \"データ項目\" SET \"試合ID\" = ? WHERE \"ID\" % 5 = ") + QString::number(rng.bounded(5)), {match})); break;
                // A match stored after its games, or again in place of itself; moved, renumbered, deleted.
                case 5: QVERIFY(db::exec(QStringLiteral("INSERT OR IGNORE INTO \"試合\" (\"試合ID\", \"シーズンID\") VALUES (?, ?)"), {match, season})); break;
                case 6: QVERIFY(db::exec(QStringLiteral("INSERT OR REPLACE INTO \"試合\" (\"試合ID\", \"シーズンID\") VALUES (?, ?)"), {match, season})); break;
                case 7: QVERIFY(db::exec(QStringLiteral("UPDATE \"試合\" SET \"シーズンID\" = ? WHERE \"試合ID\" = ") + match, {season})); break;
                case 8: QVERIFY(db::exec(QStringLiteral("UPDATE OR IGNORE \"試合\" SET \"試合ID\" = ? WHERE \"試合ID\" = ") + match, {int(rng.bounded(1, 8))})); break;
                default: QVERIFY(db::exec(QStringLiteral("DELETE FROM \"試合\" WHERE \"試合ID\" = ") + match)); break;
            }
            QCOMPARE(keptTotals(), expectedTotals());
            QCOMPARE(keptSeasonSums(), expectedSeasonSums());
            QCOMPARE(seasonViews(), aggregatedSeasons());
        }
        // The all-time views read the kept sums and agree with the seasonal ones summed up.
        QCOMPARE(rows("SELECT \"ゲーム数\", \"合計点\", \"スペア\" FROM \"全選手通算成績２\""), rows("SELECT COUNT(*), SUM(\"S10\"), SUM(\"SP\") FROM \"データ項目\""));
        QVERIFY(db::exec(QStringLiteral("DELETE FROM \"データ項目\"")));
        QCOMPARE(keptTotals() + rows("SELECT * FROM \"全選手通算成績２\"") + keptSeasonSums(), QString("\n"));
    }

    // The standings up to a match read from the kept sums give the range's aggregate, value for
    // value, whichever side of the match holds more matches, with games of matches not stored or
    // of no season, and matches of other seasons in between.
    void standingsUpToAMatch() {
        QVERIFY(!vxtest::openFreshDb(dir_.path()).isEmpty());
        QVERIFY(db::exec(QStringLiteral("INSERT INTO \"選手\" (\"選手ID\", \"選手名\") VALUES (1, 'Ａ'), (2, 'Ｂ'), (3, 'Ｃ')")));
        QVERIFY(db::exec(QStringLiteral("INSERT INTO \"試合\" (\"試合ID\", \"シーズンID\") VALUES "
                                        "(1, 1), (2, 2), (3, 1), (4, NULL), (5, 2), (6, 1), (7, 3), (8, 3), (9, 4)")));
        QRandomGenerator rng(31);
        storeGames(rng, 200);
        QVERIFY(db::exec(QStringLiteral("UPDATE \"データ項目\" SET \"試合ID\" = \"ID\" % 10 WHERE \"ID\" % 3 = 0")));
        int shown = 0;
        auto compare = [&shown](qint64 first, qint64 last, std::optional<double> season) {
            const results::Query kept = results::upToMatchQuery(first, last, season), summed = results::matchRangeQuery(double(first), double(last), season);
            const QString expected = typedRows(summed.sql, summed.params);
            shown += expected.count(QStringLiteral("qlonglong:")) > 0;
            return typedRows(kept.sql, kept.params) == expected;
        };
        for (int orphans : {1, 0}) {
            if (!orphans) QVERIFY(db::exec(QStringLiteral("DELETE FROM \"データ項目\" WHERE \"試合ID\" NOT IN (SELECT \"試合ID\" FROM \"試合\") OR \"試合ID\" IS NULL")));
            for (qint64 last = 1; last <= 9; ++last) {
                QVERIFY2(compare(1, last, std::nullopt), qPrintable(QString::number(last)));
                for (int season : {1, 2, 3})
                    for (qint64 first = 1; first <= last; ++first) QVERIFY2(compare(first, last, season), qPrintable(QString::number(first)));
            }
        }
        QCOMPARE(shown, 196);
    }

    void olderDatabaseIsBroughtUp_data() {
        QTest::addColumn<QString>("schema");
        QTest::addColumn<QString>("version");
        QTest::newRow("without kept sums") << "v0.sql" << "0";
        QTest::newRow("with all-time sums only") << "v2.sql" << "2";
    }
    void olderDatabaseIsBroughtUp() {
        QFETCH(QString, schema);
        QFETCH(QString, version);
        const QString path = dir_.filePath(QStringLiteral("old%1.mdb").arg(version));
        QVERIFY(db::createFromSchema(path, QString::fromUtf8(vxtest::fileBytes(VX_TEST_DATA "/schema/" + schema.toUtf8()))) && db::open(path));
        // A match stored before its games and one after them.
        QVERIFY(db::exec(QStringLiteral("INSERT INTO \"試合\" (\"試合ID\", \"シーズンID\") VALUES (1, 1)")));
        QRandomGenerator rng(7);
        storeGames(rng, 300);
        QVERIFY(db::exec(QStringLiteral("INSERT INTO \"試合\" (\"試合ID\", \"シーズンID\") VALUES (2, 2), (3, NULL)")));
        const QString before = views();

        // A failing step, after the all-time sums are filled, leaves everything as it was.
        QVERIFY(db::exec(QStringLiteral("CREATE VIEW \"＿全員シーズン計\" AS SELECT 1 AS \"シーズンID\"")));
        QString error;
        QVERIFY(!db::upgradeSchema(db::schemaSql(), &error) && !error.isEmpty());
        QCOMPARE(rows("PRAGMA user_version") + rows("SELECT count(*) FROM sqlite_master WHERE name LIKE '＿シーズン計%'") + views(),
                 version + "0" + before);
        QVERIFY(db::exec(QStringLiteral("DROP VIEW \"＿全員シーズン計\"")));

        QVERIFY2(db::upgradeSchema(db::schemaSql(), &error), qPrintable(error));
        // The season's results read from an index.
        QCOMPARE(rows("SELECT (SELECT user_version FROM pragma_user_version) = " + QString::number(db::schemaVersion(db::schemaSql())) +
                      ", (SELECT count(*) FROM sqlite_master WHERE name = 'データ項目_試合ID_成績')") + keptTotals() + views(),
                 "1 1" + expectedTotals() + before);
        QCOMPARE(keptSeasonSums(), expectedSeasonSums());
        // The grids still write through their views; the reserved row is not added twice.
        QVERIFY(db::exec(QStringLiteral("INSERT INTO \"シーズン降順\" (\"シーズン時期\", \"シーズン名\") VALUES ('2027', '春')")));
        QCOMPARE(rows("SELECT (SELECT COUNT(*) FROM シーズン), (SELECT COUNT(*) FROM 選手 WHERE 選手ID = 0)"), "1 1");
        storeGames(rng, 10);
        const QString schemaChanges = rows("PRAGMA schema_version");
        QVERIFY(db::upgradeSchema(db::schemaSql()));  // current: nothing to do, nothing written
        QCOMPARE(rows("PRAGMA schema_version"), schemaChanges);
        QCOMPARE(db::schemaVersion(QStringLiteral("PRAGMA user_version = 10;")), 10);
        // Only "PRAGMA user_version = digits" counts, the first such.
        QCOMPARE(db::schemaVersion(QStringLiteral("-- user_version = 3\nPRAGMA user_version x5; pragma\nUSER_VERSION=7;PRAGMA user_version = 8")), 7);
        QCOMPARE(db::schemaVersion(QStringLiteral("PRAGMA user_version = ;")) + db::schemaVersion(QStringLiteral("PRAGMA user_version")), 0);
        Module1::ScoreSheet.redim(0, 1, 0, 1), gamecount::request(Module1::LastGame == 5 ? 4 : 5), Module1::ScoreSheet = {};  // a count waits for the next match
        QVERIFY(gamecount::request(2) && !gamecount::pending() && Module1::LastGame == 2);  // no sheet: applied, nothing waits
        QCOMPARE(keptTotals() + keptSeasonSums(), expectedTotals() + expectedSeasonSums());
    }
};

QTEST_MAIN(TestTotals)
#include "tst_totals.moc"
