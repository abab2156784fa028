// Storing the day: rows, pairing, the match row, milestones, and all-or-nothing.
#include "common/appdir.h"
#include "common/cp932.h"
#include "common/database.h"
#include "common/module1.h"
#include "common/settings.h"
#include "recording/dayresults.h"
#include "recording/exchange.h"
#include "recording/storeday.h"
#include "support/dayfixture.h"
#include "support/testenv.h"
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

using namespace Module1;
using vxtest::DayPlayer;

namespace {

int count(const QString& table) {
    return vx::db::scalar(QStringLiteral("SELECT COUNT(*) FROM ") + vx::db::quoteName(table)).toInt();
}

// Every row of every table, sqlite_sequence included, as one text.
QString dump() {
    QString out;
    QSqlQuery tables(vx::db::connection());
    tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    while (tables.next()) {
        const QString t = tables.value(0).toString();
        QSqlQuery rows(vx::db::connection());
        rows.exec(QStringLiteral("SELECT * FROM ") + vx::db::quoteName(t) + QStringLiteral(" ORDER BY 1"));
        out += t + QLatin1Char('\n');
        while (rows.next()) {
            for (int i = 0; i < rows.record().count(); ++i) out += rows.value(i).toString() + QLatin1Char('|');
            out += QLatin1Char('\n');
        }
    }
    return out;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool calculate() {
    const vx::DayCalcResult r = vx::CalculateDay(vx::DayOptions{});
    if (!r.ok) qWarning() << r.error;
    return r.ok;
}

const std::vector<DayPlayer> threeByFour{
    {QStringLiteral("青木"), 11, 10, {150, 160, 170, 180}},
    {QStringLiteral("井上"), 12, 20, {200, 140, 130, 120}},
    {QStringLiteral("上田"), 13, 0, {110, 190, 100, 210}},
};

}  // namespace

class TstStoreDay : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void threePlayersFourGamesArePaired() {
        vxtest::TestEnv env(false);
        QVERIFY(vxtest::freshProgramDb());
        // Counters that drifted apart: an earlier game whose other rows are gone, a stray ball row.
        vxtest::addHistory(99, 1, 100);
        QVERIFY(vx::db::exec(QStringLiteral("INSERT INTO \"フレーム\" (\"ID\", \"選手ID\") VALUES (2, 98)")));
        vxtest::setMatch();
        vxtest::setDay(threeByFour);
        QVERIFY(calculate());
        QVERIFY(vxtest::touchBackup());
        DataRecordCount = 100;

        const vx::StoreDayResult r = vx::StoreDay();
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.rows, 12);
        QCOMPARE(r.doneMessage(), QStringLiteral("ファイルへの書き込みが終了しました。\r書き込んだ人数は3人で、データの合計数は12件でした。"));
        QCOMPARE(count(QStringLiteral("データ項目")), 13);
        QCOMPARE(count(QStringLiteral("マーク")), 12);
        QCOMPARE(count(QStringLiteral("フレーム")), 12);  // the stray row gave way to the game that owns its ID
        const QString paired = QStringLiteral(
            "SELECT COUNT(*) FROM \"データ項目\" d JOIN \"マーク\" m ON m.\"ID\" = d.\"ID\" JOIN \"フレーム\" f ON f.\"ID\" = d.\"ID\" "
            "WHERE d.\"試合ID\" = 41 AND m.\"選手ID\" = d.\"選手ID\" AND f.\"選手ID\" = d.\"選手ID\" "
            "AND m.\"ｹﾞｰﾑ\" = d.\"ｹﾞｰﾑ\" AND f.\"ゲーム\" = d.\"ｹﾞｰﾑ\" AND m.\"S10\" = d.\"S10\"");
        QCOMPARE(vx::db::scalar(paired).toInt(), 12);

        // One game in full: player 12's first game, the day's best with handicap.
        QSqlQuery q(vx::db::connection());
        QVERIFY(q.exec(QStringLiteral(
            "SELECT d.\"優Ｐ\", d.\"上位\", d.\"当日\", d.\"入賞\", d.\"競技点\", d.\"HCP\", d.\"人数\", d.\"順位\", d.\"試合日\", "
            "d.\"会場ID\", m.\"M92\", m.\"M01\", m.\"M03\", f.\"Flms92\", f.\"Flms01\", f.\"pin01\", f.\"pin03\" "
            "FROM \"データ項目\" d JOIN \"マーク\" m ON m.\"ID\" = d.\"ID\" JOIN \"フレーム\" f ON f.\"ID\" = d.\"ID\" "
            "WHERE d.\"選手ID\" = 12 AND d.\"ｹﾞｰﾑ\" = 1")));
        QVERIFY(q.next());
        const QVariantList expected{12, 1, 1, QStringLiteral("１着  "), 220, 20, 3, 1, QStringLiteral("2026-05-17"), 2,
                                    QStringLiteral("９"), QStringLiteral("Ｆ"), QStringLiteral("\u3000"), 7, 8, 54, 60};
        for (int i = 0; i < expected.size(); ++i) QCOMPARE(q.value(i).toString(), expected[i].toString());

        QVERIFY(q.exec(QStringLiteral("SELECT \"シーズンID\", \"試合\", \"１着ID\", \"S10\", \"競技点\", \"試合日\" FROM \"試合\" WHERE \"試合ID\" = 41")));
        QVERIFY(q.next());
        QCOMPARE(q.value(2).toInt(), 12);
        QCOMPARE(q.value(3).toInt(), 200);
        QCOMPARE(q.value(4).toInt(), 220);
        QCOMPARE(q.value(5).toString(), QStringLiteral("2026-05-17"));

        // After the commit: counts, ID ranges, backup, results file.
        QCOMPARE(DataRecordCount, 112);
        QCOMPARE(vx::settings::GetSetting("setting", "siai_max", ""), QStringLiteral("41"));
        QCOMPARE(vx::settings::GetSetting("setting", "srs_max", ""), QStringLiteral("3"));
        QVERIFY(!QFile::exists(vx::exchange::backupFileName()));
        QVERIFY(readFile(vx::inProgramFolder(vx::ResultsFileName())).endsWith("\r\n\r\n"));
        QVERIFY(!readFile(vx::inProgramFolder(vx::ResultsFileName())).contains(vx::toCp932(vx::MilestoneHeading())));
    }

    // A game nobody bowled is not stored; two players share first place.
    void unplayedGameAndSharedFirstPlace() {
        vxtest::TestEnv env(false);
        QVERIFY(vxtest::freshProgramDb());
        vxtest::setMatch();
        vxtest::setDay({{QStringLiteral("青木"), 11, 0, {200, 150, 130, 0}},
                        {QStringLiteral("井上"), 12, 0, {150, 200, 130, 0}},
                        {QStringLiteral("上田"), 13, 0, {120, 130, 110, 100}}});
        QVERIFY(calculate());
        const vx::StoreDayResult r = vx::StoreDay();
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.rows, 10);
        QCOMPARE(r.players, 3);
        for (const QString& t : {QStringLiteral("データ項目"), QStringLiteral("マーク"), QStringLiteral("フレーム")})
            QCOMPARE(vx::db::scalar(QStringLiteral("SELECT COUNT(*) FROM ") + vx::db::quoteName(t) +
                                    QStringLiteral(" WHERE \"選手ID\" = 11")).toInt(), 3);
        QCOMPARE(DayResults(1, 4).選手ID, -1);
        // The match row names the one stored later.
        QCOMPARE(vx::db::scalar(QStringLiteral("SELECT \"１着ID\" FROM \"試合\" WHERE \"試合ID\" = 41")).toInt(), 12);
    }

    void milestoneLines() {
        vxtest::TestEnv env(false);
        QVERIFY(vxtest::freshProgramDb());
        vxtest::addHistory(11, 48, 50);   // 48 games: the day's second game makes 50
        vxtest::addHistory(12, 20, 200);  // 4000 pins: the day's last game makes exactly 5000
        vxtest::setMatch();
        vxtest::setDay({{QStringLiteral("青木"), 11, 0, {150, 160, 170, 180}},
                        {QStringLiteral("井上"), 12, 0, {250, 250, 250, 250}}});
        QVERIFY(calculate());
        const QByteArray before = readFile(vx::inProgramFolder(vx::ResultsFileName()));
        const vx::StoreDayResult r = vx::StoreDay();
        QVERIFY2(r.ok, qPrintable(r.error));
        const QString lines = QStringLiteral("通算ゲーム数‥50ゲーム　　青木        \r\n"
                                             "通算合計点数‥‥5000点　　井上        \r\n");
        QCOMPARE(r.milestones, lines);
        const QByteArray added = vx::toCp932(QStringLiteral("\r\n") + vx::MilestoneHeading() + QStringLiteral("\r\n") +
                                             lines + QStringLiteral("\r\n"));
        QCOMPARE(readFile(vx::inProgramFolder(vx::ResultsFileName())), before + added);
    }

    void milestoneLine() {
        const vx::Milestone games{u"ゲーム", 50, u"通算ゲーム数‥", u"ゲーム　　"};
        const QString name = QStringLiteral("名前        ");
        QCOMPARE(vx::MilestoneLine(games, 103, 5, name), QStringLiteral("通算ゲーム数‥100ゲーム　　名前        \r\n"));
        QCOMPARE(vx::MilestoneLine(games, 100, 0, name), QString());  // a game adding nothing crosses nothing
    }

    void failureHalfWayChangesNothing() {
        vxtest::TestEnv env(false);
        QVERIFY(vxtest::freshProgramDb());
        vxtest::addHistory(11, 3, 100);
        // The seventh game row of the day fails.
        QVERIFY(vx::db::exec(QStringLiteral(
            "CREATE TRIGGER forced_failure BEFORE INSERT ON \"フレーム\" "
            "WHEN (SELECT COUNT(*) FROM \"フレーム\") >= 6 BEGIN SELECT RAISE(ABORT, 'forced failure'); END")));
        vxtest::setMatch();
        vxtest::setDay(threeByFour);
        QVERIFY(vx::StoreDay().error.contains(QStringLiteral("先に計算してください")));
        QVERIFY(calculate());
        QVERIFY(vxtest::touchBackup());
        DataRecordCount = 7;
        const QString dbBefore = dump();
        const QByteArray fileBefore = readFile(vx::inProgramFolder(vx::ResultsFileName()));

        vx::StoreDayResult r = vx::StoreDay();
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(QStringLiteral("フレーム")) && r.error.contains(QStringLiteral("forced failure")),
                 qPrintable(r.error));
        QCOMPARE(dump(), dbBefore);
        QCOMPARE(readFile(vx::inProgramFolder(vx::ResultsFileName())), fileBefore);
        QVERIFY(QFile::exists(vx::exchange::backupFileName()));
        QCOMPARE(vx::settings::GetSetting("setting", "siai_max", "none"), QStringLiteral("none"));
        QCOMPARE(DataRecordCount, 7);

        // Once the cause is gone the same day stores in full, and only once.
        QVERIFY(vx::db::exec(QStringLiteral("DROP TRIGGER forced_failure")));
        r = vx::StoreDay();
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(count(QStringLiteral("フレーム")), 12);
        QVERIFY(!QFile::exists(vx::exchange::backupFileName()));

        QVERIFY(vxtest::touchBackup());
        const QString stored = dump();
        const int records = DataRecordCount;
        r = vx::StoreDay();
        QVERIFY(!r.ok);
        QVERIFY(r.error.contains(QStringLiteral("すでに記録されています")));
        // The same season and match number under another match ID is the same day too.
        vxtest::setMatch(42, 3, 12);
        QVERIFY(calculate());
        QVERIFY(!vx::StoreDay().ok);
        QCOMPARE(dump(), stored);
        QCOMPARE(DataRecordCount, records);
        QVERIFY(QFile::exists(vx::exchange::backupFileName()));
        // So is a match with one game stored and no match row.
        vxtest::setMatch(43, 3, 13);
        QVERIFY(calculate() && vx::db::exec(QStringLiteral("INSERT INTO \"データ項目\" (\"試合ID\") VALUES (43)")));
        QVERIFY(vx::StoreDay().error.contains(QStringLiteral("すでに記録されています")));
    }
};

QTEST_MAIN(TstStoreDay)
#include "tst_storeday.moc"
