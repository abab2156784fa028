// The kept all-time sums stay equal to the games they sum through any store, edit and delete, and an
// older database is brought up to the schema all or nothing, its figures unchanged.
#include "common/gamecount.h"
#include "common/schemaupgrade.h"
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
        QVariantList v{int(rng.bounded(1, 8)), int(rng.bounded(1, 6)), int(rng.bounded(1, 5))};
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
        for (int round = 0; round < 40; ++round) {
            storeGames(rng, int(rng.bounded(1, 12)));
            const QString id = QString::number(rng.bounded(1, 200));
            switch (rng.bounded(4)) {
                case 0: QVERIFY(db::exec(QStringLiteral("DELETE FROM \"データ項目\" WHERE \"ID\" % 7 = ") + QString::number(rng.bounded(7)))); break;
                case 1: QVERIFY(db::exec(QStringLiteral("UPDATE \"データ項目\" SET \"選手ID\" = ? WHERE \"ID\" = ") + id, {int(rng.bounded(1, 8))})); break;
                case 2: QVERIFY(db::exec(QStringLiteral("UPDATE \"データ項目\" SET \"S10\" = NULL, \"SP\" = \"SP\" + 1 WHERE \"ID\" = ") + id)); break;
                default: QVERIFY(db::exec(QStringLiteral("DELETE FROM \"データ項目\" WHERE \"選手ID\" = ?"), {int(rng.bounded(1, 8))})); break;
            }
            QCOMPARE(keptTotals(), expectedTotals());
        }
        // The all-time views read the kept sums and agree with the seasonal ones summed up.
        QCOMPARE(rows("SELECT \"ゲーム数\", \"合計点\", \"スペア\" FROM \"全選手通算成績２\""), rows("SELECT COUNT(*), SUM(\"S10\"), SUM(\"SP\") FROM \"データ項目\""));
        QVERIFY(db::exec(QStringLiteral("DELETE FROM \"データ項目\"")));
        QCOMPARE(keptTotals() + rows("SELECT * FROM \"全選手通算成績２\""), QString());
    }

    void olderDatabaseIsBroughtUp() {
        const QString path = dir_.filePath(QStringLiteral("old.mdb"));
        QVERIFY(db::createFromSchema(path, QString::fromUtf8(vxtest::fileBytes(VX_TEST_DATA "/schema/v0.sql"))) && db::open(path));
        QVERIFY(db::exec(QStringLiteral("INSERT INTO \"試合\" (\"試合ID\", \"シーズンID\") VALUES (1, 1), (2, 2)")));
        QRandomGenerator rng(7);
        storeGames(rng, 300);
        const QString before = views();

        // A failing step leaves everything as it was.
        QVERIFY(db::exec(QStringLiteral("CREATE VIEW \"＿通算\" AS SELECT 1 AS \"選手ID\"")));
        QString error;
        QVERIFY(!db::upgradeSchema(db::schemaSql(), &error) && !error.isEmpty());
        QCOMPARE(rows("PRAGMA user_version") + views(), "0" + before);
        QVERIFY(db::exec(QStringLiteral("DROP VIEW \"＿通算\"")));

        QVERIFY2(db::upgradeSchema(db::schemaSql(), &error), qPrintable(error));
        // The season's results read from an index.
        QCOMPARE(rows("SELECT (SELECT user_version FROM pragma_user_version) = " + QString::number(db::schemaVersion(db::schemaSql())) +
                      ", (SELECT count(*) FROM sqlite_master WHERE name = 'データ項目_試合ID_成績')") + keptTotals() + views(), "1 1" + expectedTotals() + before);
        // The grids still write through their views; the reserved row is not added twice.
        QVERIFY(db::exec(QStringLiteral("INSERT INTO \"シーズン降順\" (\"シーズン時期\", \"シーズン名\") VALUES ('2027', '春')")));
        QCOMPARE(rows("SELECT (SELECT COUNT(*) FROM シーズン), (SELECT COUNT(*) FROM 選手 WHERE 選手ID = 0)"), "1 1");
        storeGames(rng, 10);
        QVERIFY(db::upgradeSchema(db::schemaSql()));  // current: nothing to do
        QCOMPARE(db::schemaVersion(QStringLiteral("PRAGMA user_version = 10;")), 10);
        Module1::ScoreSheet.redim(0, 1, 0, 1), gamecount::request(Module1::LastGame == 5 ? 4 : 5), Module1::ScoreSheet = {};  // a count waits for the next match
        QVERIFY(gamecount::request(2) && !gamecount::pending() && Module1::LastGame == 2);  // no sheet: applied, nothing waits
        QCOMPARE(keptTotals(), expectedTotals());
    }
};

QTEST_MAIN(TestTotals)
#include "tst_totals.moc"
