#include "common/database.h"
#include "support/testdb.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

using namespace vx::db;

namespace {

QStringList columnsOf(const QString& name) {
    QStringList out;
    QSqlQuery q(connection());
    q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoteName(name)));
    while (q.next()) out << q.value(1).toString();
    return out;
}

QStringList balls(const QString& prefix) {
    QStringList out;
    for (int f = 1; f <= 9; ++f)
        for (int b = 1; b <= 2; ++b) out << prefix + QString::number(f) + QString::number(b);
    for (int b = 1; b <= 3; ++b) out << prefix + QStringLiteral("0") + QString::number(b);
    return out;
}

bool run(const QString& sql, const QVariantList& params = {}) {
    QString e;
    const bool ok = vx::db::exec(sql, params, &e);
    if (!ok) qWarning() << e << sql;
    return ok;
}

// One stored game: データ項目 row and its マーク row under the same ID.
void game(int id, int player, int match, int g, int pts, int top, int s10, int st, int sp, int spf) {
    run(QStringLiteral("INSERT INTO データ項目 (ID, 選手ID, 試合ID, ｹﾞｰﾑ, 優Ｐ, 上位, S10, ST, SP, SPF, 試合日, 会場ID) "
                       "VALUES (?,?,?,?,?,?,?,?,?,?,'2001-04-01',1)"),
        {id, player, match, g, pts, top, s10, st, sp, spf});
    run(QStringLiteral("INSERT INTO マーク (ID, 選手ID, 試合ID, ｹﾞｰﾑ, M11, M01, S10) VALUES (?,?,?,?,'＊','　',?)"),
        {id, player, match, g, s10});
}

}  // namespace

class TestDatabase : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private Q_SLOTS:
    void init() { QVERIFY(!vxtest::openFreshDb(dir_).isEmpty()); }
    void cleanupTestCase() { close(); }

    void tablesAndFieldsHaveTheirNames() {
        QCOMPARE(columnsOf("選手"), QStringList({"選手ID", "選手名", "初参加", "誕生日", "アドレス", "本名"}));
        QCOMPARE(columnsOf("シーズン"), QStringList({"シーズンID", "シーズン時期", "シーズン名"}));
        QCOMPARE(columnsOf("会場"), QStringList({"会場ID", "会場名"}));
        QCOMPARE(columnsOf("ハンデ"), QStringList({"ID", "選手ID", "シーズンID", "ハンデ"}));
        QCOMPARE(columnsOf("試合"), QStringList({"試合ID", "シーズンID", "試合", "１着ID", "S10", "競技点", "試合日"}));
        QCOMPARE(columnsOf("データ項目"),
                 QStringList({"ID", "選手ID", "試合ID", "ｹﾞｰﾑ", "優Ｐ", "上位", "S10", "ST", "SP", "SPF", "ｽﾌﾟﾘｯﾄ",
                              "当日", "入賞", "競技点", "HCP", "人数", "順位", "試合日", "会場ID"}));
        QStringList marks = {"ID", "選手ID", "試合ID", "ｹﾞｰﾑ"};
        marks << balls("M");
        for (int i = 1; i <= 10; ++i) marks << QStringLiteral("S%1").arg(i);
        QCOMPARE(columnsOf("マーク"), marks);
        // Read by position: codes at 4..24, masks at 25..45.
        QStringList frames = {"ID", "選手ID", "試合ID", "ゲーム"};
        frames << balls("Flms") << balls("pin");
        QCOMPARE(columnsOf("フレーム"), frames);
        QCOMPARE(columnsOf("フレーム").indexOf("Flms01"), 22);
        QCOMPARE(columnsOf("フレーム").indexOf("pin11"), 25);
        for (const char* t : {"選手", "シーズン", "試合", "会場", "ハンデ", "データ項目", "マーク", "フレーム"})
            QVERIFY2(hasTable(QString::fromUtf8(t)), t);
        QVERIFY(!hasTable("通算成績"));
        QCOMPARE(scalar("SELECT 選手名 FROM 選手 WHERE 選手ID = 0").toString(), QStringLiteral("全　員"));
    }

    void viewsHaveTheirColumns() {
        const QStringList stats = {"優Ｐ計", "上位", "上位率", "合計点", "平均点", "ST", "ST平均", "スペア", "ｽﾍﾟｱﾐｽ", "スペア率"};
        QCOMPARE(columnsOf("通算成績"), QStringList({"選手ID", "選手名", "ゲーム"}) + stats);
        QCOMPARE(columnsOf("シーズン成績２"), QStringList({"選手ID", "選手名", "シーズンID", "ゲーム"}) + stats);
        QCOMPARE(columnsOf("選手別成績２"), QStringList({"選手ID", "シーズンID", "ゲーム数"}) + stats);
        QCOMPARE(columnsOf("選手別通算成績２"), QStringList({"選手ID", "ゲーム数"}) + stats);
        QCOMPARE(columnsOf("全選手成績２"), QStringList({"選手ID", "シーズンID", "ゲーム数"}) + stats);
        QCOMPARE(columnsOf("全選手通算成績２"), QStringList({"選手ID", "ゲーム数"}) + stats);
        QCOMPARE(columnsOf("多シーズン成績の元"),
                 QStringList({"シーズンID", "選手ID", "ｹﾞｰﾑ", "優Ｐ", "上位", "S10", "ST", "SP", "SPF"}));
        QCOMPARE(columnsOf("シーズン降順"), QStringList({"シーズンID", "シーズン時期", "シーズン名"}));
        QCOMPARE(columnsOf("選手名とHDCP"), QStringList({"ID", "シーズンID", "シーズン時期", "選手ID", "選手名", "ハンデ"}));
        QCOMPARE(columnsOf("他データ読み込み用ダイナ"), QStringList({"選手ID", "選手名", "シーズンID", "ハンデ"}));
        QCOMPARE(columnsOf("＿各試合のデータ項目統計"),
                 QStringList({"選手名", "試合日", "Ｇ数", "上位計", "得点計", "最高点", "ST計", "ST最大", "SP計", "SP最大", "試合ID"}));
        const QStringList book = columnsOf("スコアブック");
        for (const QString& c : QStringList({"選手名", "シーズン名", "試合", "ゲーム", "入賞", "優Ｐ", "S10", "競技点", "選手ID",
                                              "シーズンID", "試合ID", "試合日", "会場名", "S1", "S9"}) + balls("M"))
            QVERIFY2(book.contains(c), qPrintable(c));
    }

    void viewsAggregateGames() {
        run("INSERT INTO 選手 (選手ID, 選手名) VALUES (1,'Ａ'),(2,'Ｂ'),(3,'Ｃ')");
        run("INSERT INTO シーズン (シーズン名) VALUES ('一'),('二')");
        run("INSERT INTO 会場 (会場名) VALUES ('北')");
        run("INSERT INTO 試合 (試合ID, シーズンID, 試合, 試合日) VALUES (1,1,1,'2001-04-01'),(2,2,1,'2001-10-01')");
        game(1, 1, 1, 1, 2, 1, 200, 5, 3, 1);
        game(2, 1, 1, 2, 0, 0, 150, 2, 4, 2);
        game(3, 1, 2, 1, 3, 1, 180, 4, 2, 0);
        game(4, 2, 1, 1, 0, 0, 120, 1, 0, 0);  // no spare chances
        game(5, 3, 2, 1, 5, 1, 100, 0, 1, 1);  // ties player 1 on points, lower average

        Recordset all;
        QVERIFY(all.open("SELECT * FROM 通算成績", RecordsetType::Snapshot));
        QCOMPARE(all.RecordCount(), 3);
        QCOMPARE(all.Value("選手ID").toInt(), 1);
        QCOMPARE(all.Value("ゲーム").toInt(), 3);
        QCOMPARE(all.Value("優P計").toInt(), 5);  // width and case folded
        QCOMPARE(all.Value("上位").toInt(), 2);
        QCOMPARE(all.Value("上位率").toDouble(), 2.0 / 3.0);
        QCOMPARE(all.Value("合計点").toInt(), 530);
        QCOMPARE(all.Value("平均点").toDouble(), 530.0 / 3.0);
        QCOMPARE(all.Value("st").toInt(), 11);
        QCOMPARE(all.Value("st平均").toDouble(), 11.0 / 3.0);
        QCOMPARE(all.Value("スペア").toInt(), 9);
        QCOMPARE(all.Value("スペアミス").toInt(), 3);
        QCOMPARE(all.Value("スペア率").toDouble(), 0.75);
        QVERIFY(all.MoveNext());
        QCOMPARE(all.Value("選手ID").toInt(), 3);
        QVERIFY(all.MoveNext());
        QCOMPARE(all.Value("選手ID").toInt(), 2);
        QVERIFY(all.Value("スペア率").isNull());
        QVERIFY(all.Value("平均点").metaType().id() == QMetaType::Double);

        Recordset one;
        QVERIFY(one.open("SELECT * FROM 通算成績 where 選手ID=?", RecordsetType::Snapshot, {2}));
        QCOMPARE(one.RecordCount(), 1);
        QCOMPARE(one.Value("合計点").toInt(), 120);

        Recordset season;
        QVERIFY(season.open("SELECT * FROM シーズン成績２ WHERE シーズンID=?", RecordsetType::Snapshot, {1}));
        QCOMPARE(season.RecordCount(), 2);
        QCOMPARE(season.Value("選手ID").toInt(), 1);
        QCOMPARE(season.Value("ゲーム").toInt(), 2);
        QCOMPARE(season.Value("スペア率").toDouble(), 0.7);

        Recordset per;
        QVERIFY(per.open("SELECT * FROM 選手別成績２ where 選手ID=?", RecordsetType::Snapshot, {1}));
        QCOMPARE(per.RecordCount(), 2);
        QCOMPARE(per.Value("シーズンID").toInt(), 1);
        QCOMPARE(per.Value("ゲーム数").toInt(), 2);
        QCOMPARE(per.Value("平均点").toDouble(), 175.0);

        Recordset per1;
        QVERIFY(per1.open("SELECT * FROM 選手別通算成績２ where 選手ID=?", RecordsetType::Snapshot, {1}));
        QCOMPARE(per1.Value("ｹﾞｰﾑ数").toInt(), 3);
        QCOMPARE(per1.Value("上位率").toDouble(), 2.0 / 3.0);
        QCOMPARE(per1.Value("スペア率").toDouble(), 0.75);

        QCOMPARE(scalar("SELECT ゲーム数 FROM 全選手通算成績２").toInt(), 5);
        Recordset club;
        QVERIFY(club.open("SELECT * FROM 全選手成績２", RecordsetType::Snapshot));
        QCOMPARE(club.RecordCount(), 2);
        QCOMPARE(club.Value("ゲーム数").toInt(), 3);  // season 1 first
        QCOMPARE(club.Value("上位率").toDouble(), 1.0 / 3.0);
        QCOMPARE(club.Value("平均点").toDouble(), 470.0 / 3.0);
        QCOMPARE(club.Value("ST平均").toDouble(), 8.0 / 3.0);
        QCOMPARE(club.Value("スペア率").toDouble(), 0.7);
        QVERIFY(club.MoveNext());
        QCOMPARE(club.Value("合計点").toInt(), 280);
        QCOMPARE(scalar("SELECT count(*) FROM 多シーズン成績の元 WHERE シーズンID = 1").toInt(), 3);

        Recordset match;
        QVERIFY(match.open("＿各試合のデータ項目統計", RecordsetType::Snapshot));
        QVERIFY(match.FindFirst({{"選手名", "Ａ"}, {"試合ID", 1}}));
        QCOMPARE(match.Value("Ｇ数").toInt(), 2);
        QCOMPARE(match.Value("上位計").toInt(), 1);
        QCOMPARE(match.Value("得点計").toInt(), 350);
        QCOMPARE(match.Value("最高点").toInt(), 200);
        QCOMPARE(match.Value("ST計").toInt(), 7);
        QCOMPARE(match.Value("ST最大").toInt(), 5);
        QCOMPARE(match.Value("SP計").toInt(), 7);
        QCOMPARE(match.Value("SP最大").toInt(), 4);
        QCOMPARE(match.Value("試合日").toString(), QStringLiteral("2001-04-01"));

        Recordset book;
        QVERIFY(book.open("スコアブック", RecordsetType::Snapshot));
        QCOMPARE(book.RecordCount(), 5);
        QCOMPARE(book.Value("優p").toInt(), 2);
        QCOMPARE(book.Value("s10").toInt(), 200);
        QCOMPARE(book.Value("m11").toString(), QStringLiteral("＊"));
        QCOMPARE(book.Value("ｹﾞｰﾑ").toInt(), 1);
        QCOMPARE(book.Value("シーズン名").toString(), QStringLiteral("一"));
        QCOMPARE(book.Value("会場名").toString(), QStringLiteral("北"));
        QCOMPARE(book.FieldIndex("m03") - book.FieldIndex("m11"), 20);  // the balls in their order
        QCOMPARE(book.Value("m01").toString(), QStringLiteral("　"));
        QVERIFY(book.Value("m12").isNull());
        QStringList order;  // season, match number, game
        for (book.MoveFirst(); !book.IsEOF(); book.MoveNext()) order << book.Value("ID").toString();
        QCOMPARE(order, QStringList({"1", "4", "2", "3", "5"}));

        // Storing a day reads the totals before its match row is written; a game of a player
        // missing from 選手 still counts.
        game(6, 4, 9, 1, 1, 1, 90, 1, 0, 2);
        QVERIFY(all.Requery());
        QCOMPARE(all.RecordCount(), 4);
        QVERIFY(all.FindFirst({{"選手ID", 4}}));
        QCOMPARE(all.AbsolutePosition(), 2);  // 1 point: after both players of 5
        QVERIFY(all.Value("選手名").isNull());
        QCOMPARE(all.Value("スペア率").toDouble(), 0.0);
        QCOMPARE(scalar("SELECT count(*) FROM シーズン成績２ WHERE 選手ID = 4").toInt(), 0);
    }

    void seasonViewWritesThrough() {
        Recordset rs;
        QVERIFY(rs.open("シーズン降順", RecordsetType::Dynaset, {}, "シーズンID"));
        QVERIFY(rs.AddNew());
        QVERIFY(rs.SetValue("シーズン名", "春"));
        QVERIFY2(rs.Update(), qPrintable(rs.lastError()));
        QCOMPARE(rs.Value("シーズンID").toInt(), 1);  // counter read back
        QVERIFY(rs.AddNew());
        QVERIFY(rs.SetValue("シーズン名", "秋"));
        QVERIFY(rs.Update());
        QCOMPARE(rs.Value("シーズンID").toInt(), 2);
        QVERIFY(rs.Requery());
        QCOMPARE(rs.Value("シーズン名").toString(), QStringLiteral("秋"));  // newest first
        QVERIFY(rs.Edit());
        QVERIFY(rs.SetValue("シーズン時期", "2001"));
        QVERIFY(rs.Update());
        QCOMPARE(scalar("SELECT シーズン時期 FROM シーズン WHERE シーズンID = 2").toString(), QStringLiteral("2001"));
        QVERIFY(rs.Delete());
        QCOMPARE(scalar("SELECT count(*) FROM シーズン").toInt(), 1);
    }

    void handicapViewWritesThroughAndRefusesUnknownKeys() {
        run("INSERT INTO 選手 (選手ID, 選手名) VALUES (7,'Ｇ')");
        run("INSERT INTO シーズン (シーズン時期) VALUES ('2001')");
        Recordset rs;
        QVERIFY(rs.open("選手名とHDCP", RecordsetType::Dynaset, {}, "ID"));
        QVERIFY(rs.AddNew());
        QVERIFY(rs.SetValue("シーズンID", "1"));
        QVERIFY(rs.SetValue("選手ID", "8"));  // no such player
        QVERIFY(rs.SetValue("ハンデ", "20"));
        QVERIFY(!rs.Update());
        QCOMPARE(rs.editMode(), EditMode::AddNew);  // still pending, to be corrected
        QVERIFY(rs.SetValue("選手ID", "7"));
        QVERIFY2(rs.Update(), qPrintable(rs.lastError()));
        QCOMPARE(rs.Value("選手名").toString(), QStringLiteral("Ｇ"));
        QCOMPARE(rs.Value("シーズン時期").toString(), QStringLiteral("2001"));
        QCOMPARE(scalar("SELECT ハンデ FROM ハンデ WHERE 選手ID = 7 AND シーズンID = 1").toInt(), 20);
        QVERIFY(rs.Edit());
        QVERIFY(rs.SetValue("選手名", "Ｇ２"));
        QVERIFY(rs.SetValue("ハンデ", 25));
        QVERIFY(rs.Update());
        QCOMPARE(scalar("SELECT 選手名 FROM 選手 WHERE 選手ID = 7").toString(), QStringLiteral("Ｇ２"));
        QCOMPARE(scalar("SELECT ハンデ FROM ハンデ WHERE 選手ID = 7").toInt(), 25);
        // The ID is the table's counter; the view keeps it, so an edit of it is refused whole.
        QVERIFY(rs.isCounter(0) && !rs.isCounter(3));
        QVERIFY(rs.Edit());
        QVERIFY(rs.SetValue("ID", 99));
        QVERIFY(rs.SetValue("ハンデ", 30));
        QVERIFY(!rs.Update());
        QCOMPARE(scalar("SELECT ID || ':' || ハンデ FROM ハンデ").toString(), QStringLiteral("1:25"));
        rs.CancelUpdate();
        QVERIFY(rs.Delete());
        QCOMPARE(scalar("SELECT count(*) FROM ハンデ").toInt(), 0);
        QCOMPARE(scalar("SELECT count(*) FROM 選手 WHERE 選手ID = 7").toInt(), 1);
    }

    void importViewCreatesPlayerWithHandicap() {
        run("INSERT INTO シーズン (シーズン時期) VALUES ('2001')");
        Recordset rs;
        QVERIFY(rs.open("他データ読み込み用ダイナ", RecordsetType::Dynaset, {}, "選手ID,シーズンID"));
        QVERIFY(rs.AddNew());
        QVERIFY(rs.SetValue(0, 12));
        QVERIFY(rs.SetValue(1, "山田　　　　　　"));
        QVERIFY(rs.SetValue(2, 1));
        QVERIFY(rs.SetValue(3, -5));
        QVERIFY2(rs.Update(), qPrintable(rs.lastError()));
        QCOMPARE(scalar("SELECT 選手名 FROM 選手 WHERE 選手ID = 12").toString(), QStringLiteral("山田　　　　　　"));
        QCOMPARE(scalar("SELECT ハンデ FROM ハンデ WHERE 選手ID = 12 AND シーズンID = 1").toInt(), -5);
        // A player without a handicap is still found by ID.
        run("INSERT INTO 選手 (選手ID, 選手名) VALUES (13,'Ｍ')");
        QVERIFY(rs.Requery());
        QVERIFY(rs.FindFirst({{"選手ID", 13}}));
        QVERIFY(rs.Value("シーズンID").isNull());
        // An ID already taken is refused, and nothing is half written.
        QVERIFY(rs.AddNew());
        QVERIFY(rs.SetValue(0, 12));
        QVERIFY(rs.SetValue(1, "別人"));
        QVERIFY(rs.SetValue(2, 1));
        QVERIFY(!rs.Update());
        QCOMPARE(scalar("SELECT count(*) FROM ハンデ").toInt(), 1);
    }

    void navigationBookmarksAndFind() {
        run("INSERT INTO 選手 (選手ID, 選手名) VALUES (1,'A'),(2,'B'),(3,'C')");
        Recordset rs;
        QVERIFY(rs.open("選手"));
        QCOMPARE(rs.keyColumns(), QStringList({"選手ID"}));
        QCOMPARE(rs.RecordCount(), 4);
        QVERIFY(!rs.IsBOF());
        QCOMPARE(rs.AbsolutePosition(), 0);
        QVERIFY(rs.MovePrevious());
        QVERIFY(rs.IsBOF());
        QVERIFY(!rs.Value("選手名").isValid());
        QVERIFY(rs.MoveLast());
        QCOMPARE(rs.Value("選手名").toString(), QStringLiteral("C"));
        QVERIFY(rs.MoveNext());
        QVERIFY(rs.IsEOF());
        QVERIFY(!rs.MoveNext());  // no current record
        QVERIFY(rs.SetAbsolutePosition(2));
        const QString mark = rs.Bookmark();
        QVERIFY(rs.MoveFirst());
        QVERIFY(rs.SetBookmark(mark));
        QCOMPARE(rs.Value("選手名").toString(), QStringLiteral("B"));
        QVERIFY(!rs.SetBookmark("nonsense"));
        QVERIFY(!rs.SetAbsolutePosition(4));

        QVERIFY(!rs.FindFirst({{"選手名", "Z"}}));
        QVERIFY(rs.NoMatch());
        QCOMPARE(rs.Value("選手名").toString(), QStringLiteral("B"));  // unmoved
        QVERIFY(rs.FindFirst([](const Record& r) { return r.Value("選手id").toInt() >= 2; }));
        QCOMPARE(rs.AbsolutePosition(), 2);
        QVERIFY(rs.FindNext([](const Record& r) { return r.Value("選手ID").toInt() >= 2; }));
        QCOMPARE(rs.Value("選手名").toString(), QStringLiteral("C"));

        QVERIFY(!rs.SetValue("選手名", "x"));  // Edit first
        QVERIFY(rs.Edit());
        QVERIFY(!rs.SetValue("選手ID", "abc"));  // refused like a type mismatch
        QVERIFY(rs.SetValue("選手名", "Ｃ"));
        QVERIFY(rs.Update());
        QCOMPARE(scalar("SELECT 選手名 FROM 選手 WHERE 選手ID = 3").toString(), QStringLiteral("Ｃ"));
        QVERIFY(rs.AddNew());
        QVERIFY(rs.SetValue("選手ID", "3"));  // key taken
        QVERIFY(!rs.Update());
        rs.CancelUpdate();

        // Deleting, then moving on, reaches the row that followed.
        QVERIFY(rs.SetAbsolutePosition(1));
        QVERIFY(rs.Delete());
        QVERIFY(!rs.hasCurrent());
        QVERIFY(rs.MoveNext());
        QCOMPARE(rs.Value("選手名").toString(), QStringLiteral("B"));
        QVERIFY(rs.MoveLast());
        QVERIFY(rs.Delete());
        QVERIFY(rs.MoveNext());
        QVERIFY(rs.IsEOF());
        QCOMPARE(scalar("SELECT count(*) FROM 選手").toInt(), 2);
    }

    void criteriaAreBoundAndSnapshotsReadOnly() {
        run("INSERT INTO 選手 (選手ID, 選手名) VALUES (1,'O''Neil')");
        Recordset rs;
        QVERIFY(rs.open("SELECT * FROM 選手 WHERE 選手名 = ?", RecordsetType::Snapshot, {"O'Neil"}));
        QCOMPARE(rs.RecordCount(), 1);
        QVERIFY(!rs.Updatable());
        QVERIFY(!rs.AddNew());
        QVERIFY(!rs.Delete());
        Recordset table;
        QVERIFY(!table.open("通算成績", RecordsetType::Table));
        QVERIFY(!table.open("SELECT nonsense FROM nowhere"));
        QVERIFY(!table.lastError().isEmpty());
    }

    void sqlTextWritesToItsTables() {
        run("INSERT INTO 選手 (選手ID, 選手名) VALUES (1,'A')");
        run("INSERT INTO 試合 (試合ID, シーズンID, 試合) VALUES (1,1,1)");
        game(1, 1, 1, 1, 0, 0, 100, 0, 0, 0);
        game(2, 1, 1, 2, 0, 0, 110, 0, 0, 0);
        run("INSERT INTO フレーム (ID, 選手ID, 試合ID, ゲーム) VALUES (1,1,1,1),(2,1,1,2)");
        Recordset rs;
        OpenOptions o;
        o.key = "ID";
        o.writeTables = {"データ項目", "マーク"};
        QVERIFY(rs.open("SELECT データ項目.ID, データ項目.S10, マーク.M11 FROM データ項目 JOIN マーク ON マーク.ID = データ項目.ID "
                        "ORDER BY データ項目.ID", o));
        QVERIFY(rs.Delete());
        QCOMPARE(scalar("SELECT count(*) FROM データ項目").toInt(), 1);
        QCOMPARE(scalar("SELECT count(*) FROM マーク").toInt(), 1);
        QCOMPARE(scalar("SELECT count(*) FROM フレーム").toInt(), 2);
        QVERIFY(rs.MoveNext());
        QVERIFY(rs.Edit());
        QVERIFY(rs.SetValue("m11", "Ｇ"));
        QVERIFY(rs.Update());
        QCOMPARE(scalar("SELECT M11 FROM マーク WHERE ID = 2").toString(), QStringLiteral("Ｇ"));
    }

    void openNeverCreatesAFile() {
        close();
        const QString missing = QDir(dir_.path()).filePath("none.mdb");
        QString error;
        QVERIFY(!open(missing, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(missing));
        QVERIFY(!isOpen());

        const QString junk = QDir(dir_.path()).filePath("junk.mdb");
        QFile f(junk);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Standard Jet DB, not this one.....................");
        f.close();
        QVERIFY(!open(junk));
        QVERIFY(!isOpen());
        const QString empty = QDir(dir_.path()).filePath("empty.mdb");
        QFile e(empty);
        QVERIFY(e.open(QIODevice::WriteOnly));
        e.close();
        QVERIFY(!open(empty));
        QCOMPARE(QFileInfo(empty).size(), 0);
    }

    void createFromSchemaNeverOverwritesNorLeavesHalfFiles() {
        close();
        const QString path = QDir(dir_.path()).filePath("Vorlix.mdb");
        QVERIFY(QFile::exists(path));
        const qint64 size = QFileInfo(path).size();
        QVERIFY(!createFromSchema(path, vxtest::schemaText()));
        QCOMPARE(QFileInfo(path).size(), size);

        QTemporaryDir other;
        const QString bad = QDir(other.path()).filePath("bad.mdb");
        QVERIFY(!createFromSchema(bad, "CREATE TABLE a (x);\nCREATE TABLE a (x);"));
        QCOMPARE(QDir(other.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        QVERIFY(open(path));
    }

    void scriptSplitterKeepsTriggerBodies() {
        const QStringList s = splitStatements(
            "-- a; comment\nCREATE TABLE \"a;b\" (x);\nCREATE TRIGGER t AFTER INSERT ON a BEGIN\n"
            "  SELECT ';'; DELETE FROM a;\nEND;\nINSERT INTO a VALUES ('it''s;');");
        QCOMPARE(s.size(), 3);
        QVERIFY(s[1].startsWith("CREATE TRIGGER") && s[1].endsWith("END"));
        QVERIFY(s[2].endsWith("'it''s;')"));
    }

    void transactionsRollBack() {
        QVERIFY(beginTransaction());
        run("INSERT INTO 会場 (会場名) VALUES ('x')");
        QVERIFY(rollback());
        QCOMPARE(scalar("SELECT count(*) FROM 会場").toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
