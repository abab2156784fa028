// The day's calculation over hand-built statistics sheets, the results text it writes, and the
// storing of the day: rows, pairing, the match row, milestones, and all-or-nothing.
#include "common/appdir.h"
#include "common/cp932.h"
#include "common/settings.h"
#include "recording/dayresults.h"
#include "recording/storeday.h"
#include "support/dayfixture.h"
#include "support/exchange_sheet.h"
#include "support/testenv.h"
#include <QtTest>

using namespace Module1;
using vxtest::DayPlayer;
using vxtest::rows;
using vxtest::setDay;

namespace {

vx::DayOutput calc(const vx::DayOptions& opt = {}) {
    const vx::DayCalcResult r = vx::CalculateDay(opt);
    if (!r.ok) qWarning() << r.error;
    return r.output;
}
// The row that carries a player's placing and points.
const vx::GameResultRecord& placed(int p) {
    for (int g = 1; g <= PlayedGameCount; ++g)
        if (DayResults(p, g).HcpDayOrder == 1) return DayResults(p, g);
    throw std::logic_error("no placed game");
}
QString pad(const QString& name) { return name.leftJustified(10); }
// Players "Ａ", "Ｂ", ... with one game each.
std::vector<DayPlayer> oneGame(const std::vector<int>& scores) {
    std::vector<DayPlayer> v;
    for (int s : scores) v.push_back({QString(QChar(0xFF21 + int(v.size()))), std::int16_t(v.size() + 1), 0, {s}});
    return v;
}
QByteArray resultsFile() {
    QFile f(vx::inProgramFolder(vx::ResultsFileName()));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
// Every row of every table, sqlite_sequence included, as one text.
QString dump() {
    QString out;
    for (const QString& t : rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")).split(u'|'))
        out += t + u'\n' + rows(QStringLiteral("SELECT * FROM \"%1\" ORDER BY 1").arg(t)) + u'\n';
    return out;
}

}  // namespace

class TstDayResults : public QObject {
    Q_OBJECT
    std::unique_ptr<vxtest::TestEnv> env_;

private Q_SLOTS:
    void init() {
        env_ = std::make_unique<vxtest::TestEnv>(false);
        QVERIFY(vxtest::freshProgramDb());
        vxtest::setMatch();
    }
    void cleanup() { env_.reset(); }

    void pointsByMethod_data() {
        QTest::addColumn<int>("method");
        QTest::addColumn<QList<int>>("expected");  // points of day ranks 1, 2, ... among that many players
        QTest::newRow("weighted N=8") << 0 << QList<int>{17, 12, 9, 1, 0, 0, 0, 0};
        QTest::newRow("weighted N=6") << 0 << QList<int>{15, 10, 7, 0, 0, 0};
        QTest::newRow("weighted N=5") << 0 << QList<int>{14, 9, 0, 0, 0};
        QTest::newRow("weighted N=4") << 0 << QList<int>{13, 8, 0, 0};
        QTest::newRow("weighted N=3") << 0 << QList<int>{12, 0, 0};
        QTest::newRow("linear N=5") << 1 << QList<int>{5, 4, 3, 2, 1};
        QTest::newRow("none set") << -1 << QList<int>{0, 0, 0};
    }
    void pointsByMethod() {
        QFETCH(int, method);
        QFETCH(QList<int>, expected);
        std::vector<DayPlayer> players;
        for (int i = 0; i < expected.size(); ++i)
            players.push_back({QStringLiteral("選手%1").arg(i + 1), std::int16_t(i + 1), 0, {250 - 10 * i, 100}});
        setDay(players);
        vx::DayOptions opt;
        opt.pointMethod = method;
        calc(opt);
        QList<int> got;  // rank, points of the best game and of the other (none)
        for (int p = 1; p <= expected.size(); ++p) got << (DayRank[std::size_t(p)] - p) * 1000 + placed(p).優Ｐ + DayResults(p, 2).優Ｐ * 100;
        QCOMPARE(got, expected);
    }

    void typedPointsAndPlacings() {
        std::array<QString, 30> t = vx::DayOptions::filledPointTexts();
        t[0] = QStringLiteral(" 25点"), t[1] = QStringLiteral("2.5"), t[2] = QStringLiteral("3.5"), t[3] = QStringLiteral("abc");
        t[29] = QStringLiteral("3");  // "30着 以下"
        QList<int> typed;
        for (int place : {1, 2, 3, 4, 45}) typed << vx::WinningPoints(2, place, place > 8 ? 50 : 8, t);
        QCOMPARE(typed, (QList<int>{25, 2, 4, 0, 3}));
        setDay(oneGame({250, 249, 248, 247, 246, 245, 244, 243, 242, 241, 240, 239}));
        calc();
        QCOMPARE(vx::Best10Lines(0, {}).values.count(QStringLiteral("\r\n")), 11);  // through rank 11, then stops
        QCOMPARE(vx::PlacingText(9) + vx::PlacingText(123) + placed(10).入賞.str(), QStringLiteral("９着23着10着 "));

        // Typed points beyond the field's width are refused with a message, not stored.
        vx::DayOptions opt;
        opt.pointMethod = 2;
        opt.pointTexts[0] = QStringLiteral("32767");
        const bool fits = vx::CalculateDay(opt).ok;
        opt.pointTexts[0] = QStringLiteral("32768");
        QVERIFY(fits && vx::CalculateDay(opt).error.contains(QStringLiteral("points")));
    }

    // Ties share ranks and places; players with fewer games; spare misses; the booby prize.
    void tiesFewerGamesAndMisses() {
        setDay({{QStringLiteral("山田"), 1, 0, {200}}, {QStringLiteral("佐藤"), 2, 0, {200}}, {QStringLiteral("鈴木"), 3, 0, {150}}});
        vx::DayOutput out = calc();
        QString got;  // rank, upper half (3 players: 1.5 >= rank), placing
        for (int p = 1; p <= 3; ++p) got += QString("%1 %2 %3|").arg(DayResults(p, 1).順位).arg(DayResults(p, 1).上位).arg(placed(p).入賞.str());
        QVERIFY(got == QStringLiteral("1 1 １着  |1 1 １着  |3 0 ３着  |") && placed(1).優Ｐ == placed(2).優Ｐ);
        QCOMPARE(out.board.names[1] + out.board.values[0], pad(QStringLiteral("山田")).left(5) + QStringLiteral(" 他200"));

        // Equal games of one player: the later one is the best.
        setDay({{QStringLiteral("山田"), 1, 10, {180, 180}}, {QStringLiteral("佐藤"), 2, 0, {150, 120}}});
        calc();
        QCOMPARE(DayResults(1, 2).当日 * 1000 + DayResults(1, 1).当日 * 100 + DayResults(1, 2).HcpDayOrder * 10 + DayResults(1, 1).HcpDayOrder, 1010);
        QCOMPARE(DayResults(1, 2).入賞.str() + DayResults(1, 1).入賞.str(), QStringLiteral("１着      "));
        QCOMPARE(BestHcpScores(1, 1) * 1000 + BestScratchScores(1, 2), 190180);

        auto top = [](const std::vector<DayPlayer>& players) {
            setDay(players);
            const QString name = calc().board.names[0];
            return name + QString::number(TopRank[1] * 10 + TopRank[2]);
        };
        const DayPlayer a{QStringLiteral("Ａ"), 1, 0, {200, 190}}, b{QStringLiteral("Ｂ"), 2, 0, {190, 200}};
        // Equal best and second best: the third game decides when there is one.
        QCOMPARE(top({{a.name, 1, 0, {200, 190, 150}}, {b.name, 2, 0, {190, 200, 160}}}), pad(b.name) + "21");
        QCOMPARE(top({a, b}), pad(a.name) + QStringLiteral(" 他11"));
        // Each further sharer adds to the whole name text.
        QCOMPARE(top({a, b, {QStringLiteral("Ｃ"), 3, 0, {200, 190}}}), pad(a.name) + QStringLiteral(" 他 他11"));

        // A player with fewer games: games 1 and 3 of the sheet were bowled; the second column is sheet game 3.
        setDay({{QStringLiteral("Ａ"), 1, 0, {150, 210}}, {QStringLiteral("Ｂ"), 2, 0, {180, 0}}, {QStringLiteral("Ｃ"), 3, 0, {160, 170}}}, {3, 0, 2});
        out = calc({.pointTarget = 2});
        QCOMPARE(DayResults(1, 2).人数 * 1000 + DayResults(2, 2).順位 * 100 + DayResults(1, 2).上位 * 10 + DayResults(3, 2).上位, 2310);
        QVERIFY(AverageScores[2] == 180.0 && DayRank == (std::vector<std::int16_t>{0, 1, 1, 3}));  // the game of 0 is left out
        QCOMPARE(out.board.names[4] + out.board.values[4], pad(QStringLiteral("Ａ")).left(5) + QStringLiteral(" 他180"));
        QCOMPARE(placed(2).入賞.str() + QString::number(placed(2).ｹﾞｰﾑ), QStringLiteral("１着  1"));

        // Spare misses, with and without a split left open.
        setDay({{QStringLiteral("Ａ"), 1, 0, {120, 200}}});
        auto& g1 = PlayedSheet(1, 1).Attrs;  // a split left open; strike, 7, miss in the tenth
        g1[0] = vx::BallAttr::Split, g1[3] = vx::BallAttr::Spare, g1[4] = vx::BallAttr::Strike, g1[5] = vx::BallAttr::NotSet, g1[18] = vx::BallAttr::Strike;
        auto& g2 = PlayedSheet(1, 2).Attrs;  // strike, strike, 5
        g2[18] = g2[19] = vx::BallAttr::Strike, g2[20] = vx::BallAttr::Plain;

        vx::DayOptions opt{.splitNotSpareMiss = true};
        calc(opt);
        QCOMPARE(DayResults(1, 1).ST * 10000 + DayResults(1, 1).SP * 1000 + DayResults(1, 1).ｽﾌﾟﾘｯﾄ * 100 + DayResults(1, 1).SPF * 10 + DayResults(1, 2).SPF, 21179);
        opt.splitNotSpareMiss = false;
        calc(opt);
        QCOMPARE(DayResults(1, 1).SPF * 10 + DayResults(1, 2).SPF, 89);  // the open split frame now counts

        auto booby = [](const std::vector<int>& scores) {
            setDay(oneGame(scores));
            const vx::DayOutput out = calc();
            return out.board.names[5] + out.board.values[5];
        };
        // Above a sole last; the first of a shared last; none for one player.
        QCOMPARE(booby({170, 190, 180}) + booby({190, 170, 170}) + booby({190}), pad(QStringLiteral("Ｃ")) + "180" + pad(QStringLiteral("Ｂ")) + "170");

        // Without a target the first one serves.
        setDay({{QStringLiteral("Ａ"), 1, 50, {150}}, {QStringLiteral("Ｂ"), 2, 0, {180}}});
        calc({.pointTarget = -1});
        QCOMPARE(placed(1).入賞.str() + placed(2).入賞.str(), QStringLiteral("１着  ２着  "));
    }

    void prizesAndResultsFile() {
        // Per-game strikes truncated to two decimals; averages with every decimal; a game of 0 left out.
        setDay({{QStringLiteral("Ａ"), 1, 5, {180, 190, 192, 0}}, {QStringLiteral("Ｂ"), 2, 0, {150, 150, 150, 150}}});
        for (int g = 1; g <= 3; ++g) PlayedSheet(1, g).Attrs[18] = vx::BallAttr::Strike;
        for (int k : {0, 2, 4, 6}) PlayedSheet(1, 1).Attrs[std::size_t(k)] = vx::BallAttr::Strike;
        PlayedSheet(1, 4).Attrs[0] = vx::BallAttr::Strike;
        for (int k : {1, 3, 5, 7, 9}) PlayedSheet(2, (k + 1) / 2 % 4 + 1).Attrs[std::size_t(k)] = vx::BallAttr::Spare;
        vx::DayOptions opt;
        opt.strikeSparePerGame = true;
        vx::DayOutput out = calc(opt);
        QCOMPARE(out.board.values[2] + out.board.names[3] + out.board.values[3] + out.board.values[4], QStringLiteral("2.33") + pad(QStringLiteral("Ｂ")) + "1.25187.333333333333");
        QCOMPARE(vx::Best10Lines(2, opt).values + vx::Best10Lines(4, opt).values, QStringLiteral(" 2.33\r\n 0.00\r\n 187.3\r\n 150.0\r\n"));
        QCOMPARE(vx::Best10Lines(4, opt).names, pad(QStringLiteral("Ａ")) + QStringLiteral("\r\n") + pad(QStringLiteral("Ｂ")) + QStringLiteral("\r\n"));
        opt.averageWithHcp = true;
        opt.strikeSparePerGame = false;
        out = calc(opt);
        QCOMPARE(out.board.values[4] + '|' + out.board.values[3] + '|' + vx::Best10Lines(2, opt).values, QStringLiteral("192.333333333333|5|7\r\n0\r\n"));

        // The results file: shared first place in sheet order, a one-digit score, names of several
        // widths; the second calculation replaces what the first wrote.
        MatchYear = 2000, MatchMonth = 5, MatchDay = 6;
        setDay(oneGame({150, 100, 120, 110, 130, 140}));
        QVERIFY(vx::CalculateDay({}).ok);
        setDay({{QStringLiteral("山田太郎"), 1, 20, {180, 205}}, {QStringLiteral("佐藤"), 2, 0, {5, 0}}, {QStringLiteral("鈴木一"), 3, 35, {150, 190}},
                {QStringLiteral("Tanaka"), 4, 0, {199, 201}}, {QStringLiteral("高橋"), 5, 20, {205, 180}}});
        vx::DayCalcResult r = vx::CalculateDay({});
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(resultsFile(), vxtest::fileBytes(QStringLiteral(VX_TEST_DATA "/dayresults/") + vx::ResultsFileName()));
        QCOMPARE(QString::number(r.output.pointsList.size()) + r.output.pointsList[0] + '|' + r.output.pointsList[4], QStringLiteral("5１着    14p   山田太郎          |５着    00p   佐藤            "));

        // A calculation that fails says why.
        setDay(oneGame({150, 180}));
        GamePlayerCounts[0] = 3;  // the sheet holds only two players
        r = vx::CalculateDay({});
        QVERIFY(!r.ok && r.error.startsWith(QStringLiteral("計算中にエラーが発生しました。\r")));
        setDay(oneGame({150}));
        qputenv("VORLIX_HOME", (env_->home() + QStringLiteral("/missing")).toLocal8Bit());
        r = vx::CalculateDay({});
        QVERIFY(!r.ok && r.error.contains(QStringLiteral("SD-3-12.txt")));
    }

    // Three players by four games: each game's three rows paired on one new ID (a stray row of a
    // game table that holds the ID gives way), the match row with the winner, the milestones the
    // day crosses; then the counts, the ID ranges, the backup and the results file.
    void storedDay() {
        vxtest::addHistory(11, 48, 50);   // 48 games: the day's second game makes 50
        vxtest::addHistory(13, 20, 230);  // 4600 pins: the day's third game makes exactly 5000
        QVERIFY(vx::db::exec(QStringLiteral("INSERT INTO \"フレーム\" (\"ID\", \"選手ID\") VALUES (69, 98)")));
        setDay({{QStringLiteral("青木"), 11, 10, {150, 160, 170, 180}}, {QStringLiteral("井上"), 12, 20, {200, 140, 130, 120}},
                {QStringLiteral("上田"), 13, 0, {110, 190, 100, 210}}});
        QVERIFY(vx::CalculateDay({}).ok);
        const QByteArray calculated = resultsFile();
        QVERIFY(vxtest::touchBackup());
        DataRecordCount = 100;

        const vx::StoreDayResult r = vx::StoreDay();
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.doneMessage(), QStringLiteral("ファイルへの書き込みが終了しました。\r書き込んだ人数は3人で、データの合計数は12件でした。"));
        QCOMPARE(rows("SELECT (SELECT COUNT(*) FROM データ項目), (SELECT COUNT(*) FROM マーク), (SELECT COUNT(*) FROM フレーム), "
                      "(SELECT COUNT(*) FROM データ項目 d JOIN マーク m ON m.ID = d.ID JOIN フレーム f ON f.ID = d.ID "
                      "WHERE d.試合ID = 41 AND m.試合ID = 41 AND f.試合ID = 41 AND m.選手ID = d.選手ID AND f.選手ID = d.選手ID "
                      "AND m.ｹﾞｰﾑ = d.ｹﾞｰﾑ AND f.ゲーム = d.ｹﾞｰﾑ AND m.S10 = d.S10)"), QStringLiteral("80 12 12 12"));
        // One game in full: player 12's first game, the day's best with handicap.
        QCOMPARE(rows("SELECT d.優Ｐ, d.上位, d.当日, d.入賞, d.競技点, d.HCP, d.人数, d.順位, d.試合日, d.会場ID, d.S10, d.ST, "
                      "d.SP, d.SPF, d.ｽﾌﾟﾘｯﾄ, m.M92, m.M01, m.M03, m.S1, m.S5, f.Flms92, f.Flms01, f.pin01, f.pin03 "
                      "FROM データ項目 d JOIN マーク m USING (ID) JOIN フレーム f USING (ID) WHERE d.選手ID = 12 AND d.ｹﾞｰﾑ = 1"),
                 QStringLiteral("12 1 1 １着   220 20 3 1 2026-05-17 2 200 0 0 10 0 ９ Ｆ \u3000 20 100 7 8 54 60"));
        QCOMPARE(rows("SELECT シーズンID, 試合, \"１着ID\", S10, 競技点, 試合日 FROM 試合 WHERE 試合ID = 41"), QStringLiteral("3 12 12 200 220 2026-05-17"));
        const QString lines = QStringLiteral("通算ゲーム数‥50ゲーム　　青木        \r\n通算合計点数‥‥5000点　　上田        \r\n");
        QCOMPARE(resultsFile(), calculated + vx::toCp932(QStringLiteral("\r\n") + vx::MilestoneHeading() + QStringLiteral("\r\n") + lines + QStringLiteral("\r\n")));
        QCOMPARE(r.milestones + QString::number(DataRecordCount) + vx::settings::GetSetting("setting", "siai_max", "") +
                     vx::settings::GetSetting("setting", "srs_max", ""), lines + QStringLiteral("112413"));
        QVERIFY(!QFile::exists(vx::exchange::backupFileName()));
        // A game adding nothing crosses nothing.
        const vx::Milestone games{u"ゲーム", 50, u"通算ゲーム数‥", u"ゲーム　　"};
        QCOMPARE(vx::MilestoneLine(games, 103, 5, QStringLiteral("名前        ")) + vx::MilestoneLine(games, 100, 0, QStringLiteral("x")),
                 QStringLiteral("通算ゲーム数‥100ゲーム　　名前        \r\n"));
    }

    // Not calculated, a row refused half-way, or already stored: the database, the results file, the
    // ID ranges, the count and the backup stay as they were. Once the cause is gone the day stores,
    // without the game nobody bowled; of two sharing first place the match row names the later.
    void refusalsChangeNothing() {
        vxtest::addHistory(11, 3, 100);
        QVERIFY(vx::db::exec(QStringLiteral(  // the seventh game row of the day fails
            "CREATE TRIGGER forced_failure BEFORE INSERT ON \"フレーム\" "
            "WHEN (SELECT COUNT(*) FROM \"フレーム\") >= 6 BEGIN SELECT RAISE(ABORT, 'forced failure'); END")));
        setDay({{QStringLiteral("青木"), 11, 0, {200, 150, 130, 0}}, {QStringLiteral("井上"), 12, 0, {150, 200, 130, 0}},
                {QStringLiteral("上田"), 13, 0, {120, 130, 110, 100}}});
        QVERIFY(vx::StoreDay().error.contains(QStringLiteral("先に計算してください")));
        QVERIFY(vx::CalculateDay({}).ok);
        QVERIFY(vxtest::touchBackup());
        DataRecordCount = 7;
        const QString before = dump() + resultsFile();

        vx::StoreDayResult r = vx::StoreDay();
        QVERIFY2(!r.ok && r.error.contains(QStringLiteral("フレーム")) && r.error.contains(QStringLiteral("forced failure")), qPrintable(r.error));
        QVERIFY(dump() + resultsFile() == before && QFile::exists(vx::exchange::backupFileName()));
        QCOMPARE(vx::settings::GetSetting("setting", "siai_max", "none") + QString::number(DataRecordCount), QStringLiteral("none7"));

        QVERIFY(vx::db::exec(QStringLiteral("DROP TRIGGER forced_failure")));
        r = vx::StoreDay();
        QCOMPARE(QString::number(r.rows * 10 + r.players) + ' ' + rows("SELECT (SELECT COUNT(*) FROM データ項目 WHERE 選手ID = 11), (SELECT COUNT(*) FROM マーク WHERE 選手ID = 11), "
                      "(SELECT COUNT(*) FROM フレーム WHERE 選手ID = 11), \"１着ID\" FROM 試合 WHERE 試合ID = 41"),
                 QStringLiteral("103 6 3 3 12"));
        QVERIFY(DayResults(1, 4).選手ID == -1 && !QFile::exists(vx::exchange::backupFileName()));

        // Only once, also under another match ID with the same season and match number.
        QVERIFY(vxtest::touchBackup());
        const QString stored = dump() + QString::number(DataRecordCount);
        QVERIFY(vx::StoreDay().error.contains(QStringLiteral("すでに記録されています")));
        vxtest::setMatch(42, 3, 12);
        QVERIFY(vx::CalculateDay({}).ok && !vx::StoreDay().ok);
        QVERIFY(dump() + QString::number(DataRecordCount) == stored && QFile::exists(vx::exchange::backupFileName()));
        // So is a match with one game stored and no match row.
        vxtest::setMatch(43, 3, 13);
        QVERIFY(vx::CalculateDay({}).ok && vx::db::exec(QStringLiteral("INSERT INTO \"データ項目\" (\"試合ID\") VALUES (43)")));
        QVERIFY(vx::StoreDay().error.contains(QStringLiteral("すでに記録されています")));
    }
};

QTEST_MAIN(TstDayResults)
#include "tst_dayresults.moc"
