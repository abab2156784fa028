// The database layer on the project's schema: statements, the statistics views, recordsets over
// tables, views and SQL text that write through by key, the connection and the empty database.
#include "support/exchange_sheet.h"
#include "support/testdb.h"

using namespace vx::db;

namespace {
QString value(const QString& sql) { return scalar(sql).toString(); }

// Fields of the current record joined by "|": rates to 6 digits, NULL as "null".
QString fields(const Recordset& rs, const QString& names) {
    QStringList out;
    for (const QString& n : names.split(QLatin1Char(','))) {
        const QVariant v = rs.Value(n);
        out << (v.isNull() ? QStringLiteral("null") : v.metaType().id() == QMetaType::Double ? QString::number(v.toDouble(), 'g', 6) : v.toString());
    }
    return out.join(QLatin1Char('|'));
}
// Every row of a recordset, from the first, rows joined by " / ".
QString rows(Recordset& rs, const QString& names) {
    QStringList out;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) out << fields(rs, names);
    return out.join(QStringLiteral(" / "));
}

// One stored game: データ項目 row and its マーク row under the same ID.
void game(int id, int player, int match, int g, int pts, int top, int s10, int st, int sp, int spf) {
    exec("INSERT INTO データ項目 (ID, 選手ID, 試合ID, ｹﾞｰﾑ, 優Ｐ, 上位, S10, ST, SP, SPF, 試合日, 会場ID) "
        "VALUES (?,?,?,?,?,?,?,?,?,?,'2001-04-01',1)", {id, player, match, g, pts, top, s10, st, sp, spf});
    exec("INSERT INTO マーク (ID, 選手ID, 試合ID, ｹﾞｰﾑ, M11, M01, S10) VALUES (?,?,?,?,'＊','　',?)", {id, player, match, g, s10});
}
}  // namespace

class TestDatabase : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private Q_SLOTS:
    void init() { QVERIFY(!vxtest::openFreshDb(dir_.path()).isEmpty()); }
    void cleanupTestCase() { close(); }

    // Prepared once, run with values bound (never spliced into the text); a failure says why.
    void statements() {
        Statement ins("INSERT INTO 会場 (会場名) VALUES (?)");
        const QString odd = "北'); DROP TABLE 会場; --";
        QVERIFY(ins.run({odd}) && ins.run({"南"}) && ins.lastInsertId().toInt() == 2);
        // Each statement counts the rows it wrote itself, whatever ran after it.
        Statement rename("UPDATE 会場 SET 会場名 = 会場名 WHERE 会場ID >= ?");
        QVERIFY(rename.run({1}) && ins.run({"東"}) && exec("DELETE FROM 会場 WHERE 会場ID = 3"));
        const int both = rename.rowsAffected();
        QVERIFY(rename.run({9}) && ins.run({"西"}));
        QCOMPARE((QList<int>{both, rename.rowsAffected(), ins.rowsAffected()}), (QList<int>{2, 0, 1}));
        QVERIFY(exec("DELETE FROM 会場 WHERE 会場ID = 4"));
        Statement sel("SELECT group_concat(会場名, '/') FROM 会場 WHERE 会場ID >= ?");
        QVERIFY(sel.run({1}) && sel.next() && sel.value(0).toString() == odd + "/南" && !sel.next());
        QVERIFY(sel.run({2}) && !sel.value(0).isValid() && sel.next() && sel.value(0).toString() == "南");
        QVERIFY(!sel.run({1, 2}) && sel.error() == "Parameter count mismatch" && !sel.next() && !sel.value(0).isValid());
        QVERIFY(!sel.value(1).isValid() && !sel.value(-1).isValid() && !sel.next() && !sel.value(0).isValid());
        // A name with a quote in it is one name.
        QVERIFY(exec("CREATE TABLE " + quoteName("a\"b") + " (" + quoteName("c\"\"d") + ")") && exec("INSERT INTO \"a\"\"b\" VALUES (5)"));
        QCOMPARE(value("SELECT " + quoteName("c\"\"d") + " FROM " + quoteName("a\"b")), QString("5"));
        // A null of any type is bound as NULL.
        Statement kinds("SELECT typeof(?) || typeof(?) || typeof(?)");
        QVERIFY(kinds.run({QVariant(QMetaType::fromType<int>()), QVariant(QString()), QVariant(0)}) && kinds.next());
        QCOMPARE(kinds.value(0).toString(), QString("nullnullinteger"));
        // A statement finished is kept for its next run and never left behind.
        const auto prepared = [] {
            Statement n("SELECT count(*) FROM sqlite_stmt");
            return n.run() && n.next() ? n.value(0).toInt() : -1;
        };
        const int before = prepared();
        for (int i = 0; i < 40; ++i) {
            Statement q("SELECT 1 + ?");
            QVERIFY(q.run({i}) && q.next() && q.value(0).toInt() == i + 1);
        }
        QCOMPARE(prepared(), before + 1);
        // Values bind as Qt's driver binds them, nulls of every kind as NULL, and read back typed.
        Statement typed("SELECT typeof(?1) || ':' || quote(?1), ?1");
        QStringList got;
        for (const QVariant& v : QVariantList{QVariant(), QString(), QString(""), QByteArray(), QByteArray("a\0b", 3), QDate(), QDate(2026, 5, 17),
                                              QDateTime(), QDateTime(QDate(2026, 5, 17), QTime(10, 11, 12, 13)), QTime(), QTime(1, 2, 3, 4), true,
                                              2.5, qlonglong(1) << 40, 7u, QUrl("x:y")}) {
            QVERIFY2(typed.run({v}) && typed.next(), qPrintable(typed.error()));  // the row before left unread
            const QVariant back = typed.value(1);
            got << typed.value(0).toString() + ' ' + back.metaType().name() + (back.isNull() ? " null" : "");
        }
        QCOMPARE(got, QStringList({"null:NULL QString null", "null:NULL QString null", "text:'' QString", "null:NULL QString null",
                                   "blob:X'610062' QByteArray", "null:NULL QString null", "text:'2026-05-17' QString", "null:NULL QString null",
                                   "text:'2026-05-17T10:11:12.013' QString", "null:NULL QString null", "text:'01:02:03.004' QString",
                                   "integer:1 qlonglong", "real:2.5 double", "integer:1099511627776 qlonglong", "integer:7 qlonglong",
                                   "text:'x:y' QString"}));
        Statement one("SELECT ?");  // a value bound nowhere fails the run
        QVERIFY(!one.bind(2, 5).run() && one.error() == "column index out of range" && one.run({1}) && one.next());
        Statement two("SELECT 1; SELECT 2");  // one statement at a time, every time
        QCOMPARE(spaced(QVariantList{two.run(), two.error(), two.run()}), QString("false Unable to execute multiple statements at a time false"));
        Statement bad("SELECT nonsense FROM nowhere");
        QVERIFY(!bad.run() && bad.error().contains("no such table"));
        QString why;
        QVERIFY(!exec("INSERT INTO 会場 (会場ID) VALUES (1)", {}, &why) && why.contains("UNIQUE"));
        QVERIFY(!scalar("SELECT x FROM nowhere", {}, &why).isValid() && why.contains("no such table") && !scalar("SELECT 1 WHERE 0").isValid());
        Statement over("SELECT abs(x) FROM (SELECT 1 AS x UNION ALL SELECT -9223372036854775807 - 1)");  // fails on its second row
        QVERIFY(over.run() && over.next() && !over.next() && over.error().contains("overflow"));
        Statement overAtOnce("SELECT abs(-9223372036854775807 - 1)");  // fails on its first row: no row to read
        QVERIFY(!overAtOnce.run() && !overAtOnce.value(0).isValid() && !overAtOnce.next() && overAtOnce.error().contains("overflow"));
        {
            Transaction left;
            QVERIFY(left.begun() && exec("INSERT INTO 会場 (会場名) VALUES ('x')"));
        }
        QCOMPARE(value("SELECT count(*) FROM 会場"), QString("2"));
        Statement reading("SELECT 会場名 FROM 会場");  // still reading when the connection closes
        QVERIFY(reading.run() && reading.next());
        close();
        QVERIFY(!reading.next() && !reading.run() && reading.error() == "database closed");
        QVERIFY(!exec("SELECT 1", {}, &why) && why == "no database open");
        Transaction none;
        QVERIFY(!none.begun() && !none.commit());
    }

    // A transaction keeps its rows only when committed: left by an early return, an exception or a
    // failed commit it writes nothing. Within another it is a savepoint: undone alone, or kept only
    // with the outer one.
    void transactions() {
        const auto venues = [] { return value("SELECT group_concat(会場名, '') FROM 会場"); };
        const auto add = [](const char* name) { return exec("INSERT INTO 会場 (会場名) VALUES (?)", {QString::fromUtf8(name)}); };
        const auto write = [&](bool early) {
            Transaction t;
            if (!t.begun() || !add("a") || early) return false;
            throw std::runtime_error("failed part way");
        };
        QVERIFY(!write(true));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, write(false));
        QCOMPARE(venues(), QString());
        {
            Transaction outer;
            QVERIFY(outer.begun() && add("b"));
            {
                Transaction inner;
                QVERIFY(inner.begun() && add("c"));
            }
            Transaction kept;
            QVERIFY(kept.begun() && add("d") && kept.commit() && !kept.commit());
            QVERIFY(outer.commit());
        }
        QCOMPARE(venues(), QString("bd"));
        {
            Transaction outer;
            QVERIFY(outer.begun());
            Transaction inner;
            QVERIFY(inner.begun() && add("e") && inner.commit());
        }
        QCOMPARE(venues(), QString("bd"));
        // A commit SQLite refuses (a deferred check) leaves the rows to be undone.
        QVERIFY(exec("PRAGMA foreign_keys = ON") && exec("CREATE TEMP TABLE parent (id INTEGER PRIMARY KEY)") &&
                exec("CREATE TEMP TABLE child (id REFERENCES parent (id) DEFERRABLE INITIALLY DEFERRED)"));
        {
            Transaction t;
            QVERIFY(t.begun() && add("f") && exec("INSERT INTO child VALUES (99)"));
            QVERIFY(!t.commit());
            QCOMPARE(t.error(), QString("FOREIGN KEY constraint failed"));
        }
        Transaction after;  // no transaction was left open
        QVERIFY(after.begun() && add("g") && after.commit());
        QCOMPARE(venues(), QString("bdg"));
    }

    // The statistics views by season, player and match; names found whatever their case and width.
    void viewsAggregateGames() {
        exec("INSERT INTO 選手 (選手ID, 選手名) VALUES (1,'Ａ'),(2,'Ｂ'),(3,'Ｃ')");
        exec("INSERT INTO シーズン (シーズン名) VALUES ('一'),('二')");
        exec("INSERT INTO 会場 (会場名) VALUES ('北')");
        exec("INSERT INTO 試合 (試合ID, シーズンID, 試合, 試合日) VALUES (1,1,1,'2001-04-01'),(2,2,1,'2001-10-01')");
        game(1, 1, 1, 1, 2, 1, 200, 5, 3, 1);
        game(2, 1, 1, 2, 0, 0, 150, 2, 4, 2);
        game(3, 1, 2, 1, 3, 1, 180, 4, 2, 0);
        game(4, 2, 1, 1, 0, 0, 120, 1, 0, 0);  // no spare chances
        game(5, 3, 2, 1, 5, 1, 100, 0, 1, 1);  // ties player 1 on points, lower average
        // A game of a player missing from 選手, of a match not stored yet, counts in the totals
        // (storing a day reads them before its match row is written).
        game(6, 4, 9, 1, 1, 1, 90, 1, 0, 2);
        const char* stats = "ゲーム,優P計,上位,上位率,合計点,平均点,st,st平均,スペア,スペアミス,スペア率";
        const struct { const char *source, *names, *rows; } views[] = {
            {"通算成績", "選手ID,選手名,%1",  // by points, then average
             "1|Ａ|3|5|2|0.666667|530|176.667|11|3.66667|9|3|0.75 / 3|Ｃ|1|5|1|1|100|100|0|0|1|1|0.5 / "
             "4|null|1|1|1|1|90|90|1|1|0|2|0 / 2|Ｂ|1|0|0|0|120|120|1|1|0|0|null"},
            {"SELECT * FROM シーズン成績２ WHERE シーズンID = 1", "選手ID,%1", "1|2|2|1|0.5|350|175|7|3.5|7|3|0.7 / 2|1|0|0|0|120|120|1|1|0|0|null"},
            {"SELECT * FROM 選手別成績２ WHERE 選手ID = 1", "シーズンID,ゲーム数,平均点,スペア率", "1|2|175|0.7 / 2|1|180|1"},
            {"選手別通算成績２", "選手ID,ｹﾞｰﾑ数,上位率,スペア率", "1|3|0.666667|0.75 / 2|1|0|null / 3|1|1|0.5 / 4|1|1|0"},
            {"全選手成績２", "シーズンID,ゲーム数,上位率,合計点,平均点,ST平均,スペア率", "1|3|0.333333|470|156.667|2.66667|0.7 / 2|2|1|280|140|2|0.75"},
            {"全選手通算成績２", "ゲーム数,合計点", "6|840"},
            {"SELECT * FROM ＿各試合のデータ項目統計 WHERE 試合ID = 1 ORDER BY 選手名", "選手名,試合日,Ｇ数,上位計,得点計,最高点,ST計,ST最大,SP計,SP最大", "Ａ|2001-04-01|2|1|350|200|7|5|7|4 / Ｂ|2001-04-01|1|0|120|120|1|1|0|0"},
            {"スコアブック", "ID,選手名,シーズン名,会場名,ｹﾞｰﾑ,優p,s10,m11,m01,m12",  // season, match, game
             "1|Ａ|一|北|1|2|200|＊|　|null / 4|Ｂ|一|北|1|0|120|＊|　|null / 2|Ａ|一|北|2|0|150|＊|　|null / "
             "3|Ａ|二|北|1|3|180|＊|　|null / 5|Ｃ|二|北|1|5|100|＊|　|null"}};
        for (const auto& v : views) {
            Recordset rs;
            QVERIFY2(rs.open(v.source, RecordsetType::Snapshot), qPrintable(rs.lastError()));
            QCOMPARE(rows(rs, QString::fromUtf8(v.names).replace("%1", stats)), QString::fromUtf8(v.rows));
        }
        QCOMPARE(value("SELECT count(*) FROM 多シーズン成績の元 WHERE シーズンID = 1"), QString("3"));
    }

    void navigationBookmarksAndFind() {
        Recordset t;  // two texts compare as texts, a text and a number as numbers
        QVERIFY(t.open("SELECT '07' AS x", RecordsetType::Snapshot) && !t.FindFirst({{"x", "7"}}) && t.FindFirst({{"x", 7}}));
        QVERIFY(t.open("SELECT 1 AS x WHERE 0", RecordsetType::Snapshot) && !t.MoveLast() && !t.MoveFirst());  // nothing to stand on
        QVERIFY(t.open("SELECT NULL AS x", RecordsetType::Snapshot) && !t.IsBOF() && !t.IsEOF());  // one row to stand on; null equals only null
        QCOMPARE(spaced(QVariantList{t.FindFirst({{"x", ""}}), t.FindFirst({{"x", QVariant()}}), t.rowOfBookmark("nonsense")}), QString("false true -1"));
        exec("INSERT INTO 選手 (選手ID, 選手名) VALUES (1,'A'),(2,'B'),(3,'C')");
        Recordset rs;
        QVERIFY(rs.open("選手") && rs.keyColumns() == QStringList{"選手ID"} && rs.RecordCount() == 4 && !rs.IsBOF() && rs.AbsolutePosition() == 0);
        QVERIFY(rs.MovePrevious() && rs.IsBOF() && !rs.MovePrevious() && !rs.Value("選手名").isValid() && rs.AbsolutePosition() == -1);
        QVERIFY(rs.MoveLast() && rs.Value(1).toString() == "C" && rs.MoveNext() && rs.IsEOF() && !rs.MoveNext() && rs.SetAbsolutePosition(2));
        const QString mark = rs.Bookmark();
        QVERIFY(rs.MoveFirst() && rs.SetBookmark(rs.Bookmark()) && rs.AbsolutePosition() == 0 && rs.SetBookmark(mark) && rs.Value("選手名").toString() == "B");
        QVERIFY(!rs.SetBookmark("nonsense") && !rs.SetAbsolutePosition(4) && !rs.SetAbsolutePosition(-1));
        QVERIFY(rs.Requery() && !rs.SetBookmark(mark) && rs.SetAbsolutePosition(2));  // a bookmark names no row of a later reading
        // A failed search leaves the position where it was.
        QVERIFY(!rs.FindFirst({{"選手名", "Z"}}) && rs.NoMatch() && rs.Value("選手名").toString() == "B");
        QVERIFY(!rs.FindFirst([](const Record& r) { return !r.Value(1).isValid(); }) && rs.NoMatch());
        QVERIFY(rs.FindFirst({{"選手ID", 0.0}}) && !rs.NoMatch() && rs.AbsolutePosition() == 0);
        QVERIFY(rs.MovePrevious() && rs.FindNext([](const Record& r) { return r.Value(0).toInt() == 0; }) && !rs.NoMatch() && rs.AbsolutePosition() == 0);
        QVERIFY(rs.FindFirst([](const Record& r) { return r.Value("選手id").toInt() >= 2; }) && rs.AbsolutePosition() == 2);
        QVERIFY(rs.FindNext([](const Record& r) { return r.Value("選手ID").toInt() >= 2; }) && rs.Value("選手名").toString() == "C");

        // Edit first; a wrong type is refused like a type mismatch, a taken key too; the engine gives a new key.
        QVERIFY(!rs.SetValue("選手名", "x") && rs.Edit() && !rs.SetValue("選手ID", "abc"));
        QVERIFY(rs.SetValue("選手名", "Ｃ") && rs.isDirty() && rs.Update() && !rs.isDirty());
        QVERIFY(rs.AddNew() && rs.SetValue("選手ID", "3") && !rs.Update());
        rs.CancelUpdate();
        QVERIFY(rs.AddNew() && rs.SetValue("選手名", "D") && rs.Update());
        QCOMPARE(fields(rs, "選手ID,選手名"), QString("4|D"));
        // Deleting, then moving on, reaches the row that followed; a pending edit goes; bookmarks still hold.
        QVERIFY(rs.SetAbsolutePosition(2));
        const QString b = rs.Bookmark();
        QVERIFY(rs.SetAbsolutePosition(1) && rs.Delete() && rs.SetBookmark(b));
        QCOMPARE(rs.Value("選手名").toString() + QString::number(rs.AbsolutePosition()), QString("B1"));
        exec("INSERT INTO 選手 (選手ID, 選手名) VALUES (1,'A')");
        QVERIFY(rs.Requery() && rs.SetAbsolutePosition(1) && rs.Edit() && rs.Delete() && !rs.hasCurrent() && rs.editMode() == EditMode::None);
        QVERIFY(rs.MoveNext() && rs.Value("選手名").toString() == "B" && rs.MoveLast() && rs.Delete() && rs.MovePrevious());
        QCOMPARE(rs.Value("選手名").toString() + value("SELECT group_concat(選手名) FROM 選手"), QString("Ｃ全　員,B,Ｃ"));
    }

    // Every move, find, requery and delete drops a pending edit or addition: the stored values show
    // again and a later Update has nothing to write.
    void movesCancelAPendingEdit() {
        exec("INSERT INTO 選手 (選手ID, 選手名) VALUES (1,'A'),(2,'B'),(3,'C')");
        Recordset rs;
        QVERIFY(rs.open("選手"));
        const QString mark = rs.Bookmark();
        const std::pair<const char*, std::function<bool()>> moves[] = {
            {"MoveFirst", [&] { return rs.MoveFirst(); }}, {"MoveLast", [&] { return rs.MoveLast(); }},
            {"MoveNext", [&] { return rs.MoveNext(); }}, {"MovePrevious", [&] { return rs.MovePrevious(); }},
            {"SetAbsolutePosition", [&] { return rs.SetAbsolutePosition(2); }}, {"SetBookmark", [&] { return rs.SetBookmark(mark); }},
            {"FindFirst", [&] { return rs.FindFirst({{"選手ID", 3}}); }}, {"FindNext", [&] { return rs.FindNext([](const Record&) { return true; }); }},
            {"Requery", [&] { return rs.Requery(); }}, {"CancelUpdate", [&] { return rs.CancelUpdate(), true; }}};
        for (const auto& [name, move] : moves)
            for (bool adding : {false, true}) {
                QVERIFY(rs.SetAbsolutePosition(1));
                QVERIFY(adding ? rs.AddNew() && rs.SetValue("選手ID", 9) : rs.Edit());
                QVERIFY(rs.SetValue("選手名", "x") && rs.isDirty());
                QVERIFY2(move(), name);
                QCOMPARE(QStringList({name, QString::number(int(rs.editMode())), QString::number(rs.isDirty()), rs.Value("選手名").toString(),
                                      QString::number(rs.Update())}),
                         QStringList({name, "0", "0", rs.valueAt(rs.AbsolutePosition(), 1).toString(), "0"}));
                QCOMPARE(value("SELECT group_concat(選手名) FROM 選手"), QString("全　員,A,B,C"));
            }
        QVERIFY(rs.SetAbsolutePosition(2) && rs.Edit() && rs.SetValue("選手名", "x") && rs.Delete());
        QVERIFY(rs.editMode() == EditMode::None && !rs.Update() && rs.MoveNext() && rs.Value("選手名").toString() == "C");
        QCOMPARE(value("SELECT group_concat(選手名) FROM 選手"), QString("全　員,A,C"));
        // An edit that changes nothing ends and writes nothing; a list given itself stays as it is.
        const QString changes = value("SELECT total_changes()");
        QVERIFY(rs.Edit() && rs.SetValue("選手名", rs.Value("選手名")) && !rs.isDirty() && rs.Update() && rs.editMode() == EditMode::None);
        QCOMPARE(value("SELECT total_changes()"), changes);
        Recordset& same = rs;
        rs = same;
        Recordset copy;
        copy = rs;
        for (const Recordset* r : {&rs, &copy})
            QCOMPARE(QStringList({QString::number(r->isOpen()), QString::number(r->RecordCount()), r->Value("選手名").toString()}), QStringList({"1", "3", "C"}));
    }

    // A list read key page by key page and copied before a write reads its places as they stood,
    // like the list it was copied from; a row deleted meanwhile shows its key alone.
    void copiedListsKeepTheirPlaces() {
        QVERIFY(exec("CREATE TABLE t (id INTEGER PRIMARY KEY, v INTEGER)"));
        QVERIFY(exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) INSERT INTO t SELECT i, 10 * i FROM n"));
        OpenOptions o;
        o.key = "id", o.writeTables = {"t"}, o.keyset = true, o.keysInOrder = "SELECT id FROM t ORDER BY id";
        Recordset list;
        QVERIFY(list.open("SELECT id, v FROM t ORDER BY id", o));
        const Recordset copy(list);
        QVERIFY(exec("DELETE FROM t WHERE id = 1"));
        for (const Recordset* rs : {&std::as_const(list), &copy})
            QCOMPARE(QStringList({rs->keyValue(4000).toString(), rs->valueAt(4000, 1).toString(), rs->keyValue(0).toString(), rs->valueAt(0, 1).toString()}),
                     QStringList({"4001", "40010", "1", ""}));
        // Walked through more key pages than are kept, with no room for a copy: the keys read whole.
        QVERIFY(exec("WITH RECURSIVE n(i) AS (SELECT 5001 UNION ALL SELECT i + 1 FROM n WHERE i < 80000) INSERT INTO t SELECT i, 10 * i FROM n"));
        QVERIFY(exec("PRAGMA temp.max_page_count = 1"));
        Recordset walked;
        QVERIFY(walked.open("SELECT id, v FROM t ORDER BY id", o));
        QStringList keys, places;
        for (int place = 0; place < walked.RecordCount(); place += 2000) keys << walked.keyValue(place).toString(), places << QString::number(place + 2);
        QVERIFY(exec("PRAGMA temp.max_page_count = 1073741823"));
        QCOMPARE(keys, places);
    }

    // Saved queries that are written through: the engine's counters read back, unknown keys and
    // an edit of a counter refused whole, a new player created with his handicap.
    void viewsWriteThrough() {
        Recordset seasons;
        QVERIFY(seasons.open("シーズン降順", RecordsetType::Dynaset, {}, "シーズンID"));
        for (const char* name : {"春", "秋"})
            QVERIFY2(seasons.AddNew() && seasons.SetValue("シーズン名", name) && seasons.Update(), qPrintable(seasons.lastError()));
        QCOMPARE(fields(seasons, "シーズンID,シーズン名"), QString("2|秋"));
        QVERIFY(seasons.Requery() && seasons.Edit() && seasons.SetValue("シーズン時期", "2001") && seasons.Update());  // newest first
        QVERIFY(seasons.MoveNext() && seasons.Delete());
        QCOMPARE(value("SELECT group_concat(シーズンID || シーズン名 || シーズン時期) FROM シーズン"), QString("2秋2001"));

        // A new player's handicap needs the player; an edit of the counter is refused whole.
        exec("INSERT INTO 選手 (選手ID, 選手名) VALUES (7,'Ｇ')");
        Recordset hdcp;
        QVERIFY(hdcp.open("選手名とHDCP", RecordsetType::Dynaset, {}, "ID") && hdcp.isCounter(0) && !hdcp.isCounter(3));
        QVERIFY(hdcp.AddNew() && hdcp.SetValue("ハンデ", " ") && hdcp.Value("ハンデ").isNull() && hdcp.SetValue("シーズンID", "2") && hdcp.SetValue("選手ID", "8") && hdcp.SetValue("ハンデ", "20"));
        QVERIFY(!hdcp.Update() && hdcp.editMode() == EditMode::AddNew);  // still pending, to be corrected
        QVERIFY(hdcp.SetValue("選手ID", "7") && hdcp.Update());
        QCOMPARE(fields(hdcp, "ID,選手名,シーズン時期,ハンデ"), QString("1|Ｇ|2001|20"));
        QVERIFY(hdcp.Edit() && hdcp.SetValue("選手名", "Ｇ２") && hdcp.SetValue("ハンデ", 25.4) && hdcp.Update());
        QVERIFY(hdcp.Edit() && hdcp.SetValue("ID", 99) && hdcp.SetValue("ハンデ", 30) && !hdcp.Update());
        QCOMPARE(value("SELECT 選手名 || ID || ':' || ハンデ FROM 選手 JOIN ハンデ USING (選手ID)"), QString("Ｇ２1:25"));
        hdcp.CancelUpdate();
        QVERIFY(hdcp.Delete());
        QCOMPARE(value("SELECT count(*) FROM ハンデ") + value("SELECT count(*) FROM 選手 WHERE 選手ID = 7"), QString("01"));

        // The import creates a player with his handicap; one without a handicap is still found; an ID
        // already taken is refused, nothing half written.
        Recordset import;
        QVERIFY(import.open("他データ読み込み用ダイナ", RecordsetType::Dynaset, {}, "選手ID,シーズンID"));
        QVERIFY(import.AddNew() && import.SetValue(0, 12) && import.SetValue(1, "山田　") && import.SetValue(2, 2) && import.SetValue(3, -5));
        QVERIFY2(import.Update(), qPrintable(import.lastError()));
        QVERIFY(import.Requery() && import.FindFirst({{"選手ID", 7}}) && import.Value("シーズンID").isNull());
        QVERIFY(import.AddNew() && import.SetValue(0, 12) && import.SetValue(1, "別人") && import.SetValue(2, 2) && !import.Update());
        QCOMPARE(value("SELECT group_concat(選手名 || ハンデ) FROM 選手 JOIN ハンデ USING (選手ID)"), QString("山田　-5"));
        // A key edited onto another row's is refused as well: the view keeps the old key.
        for (const char* h : {"5", "6"})
            QVERIFY(hdcp.AddNew() && hdcp.SetValue("シーズンID", "2") && hdcp.SetValue("選手ID", "7") && hdcp.SetValue("ハンデ", h) && hdcp.Update());
        QVERIFY(hdcp.MoveFirst() && hdcp.Edit() && hdcp.SetValue("ID", hdcp.valueAt(1, 0)) && hdcp.SetValue("ハンデ", 30) && !hdcp.Update());
        QCOMPARE(value("SELECT group_concat(ハンデ) FROM ハンデ"), QString("-5,5,6"));
    }

    // SQL text writes to the tables it names; criteria are bound; snapshots are read-only.
    void sqlTextAndSnapshots() {
        exec("INSERT INTO 選手 (選手ID, 選手名) VALUES (1,'O''Neil')");
        game(1, 1, 1, 1, 0, 0, 100, 0, 0, 0);
        game(2, 1, 1, 2, 0, 0, 110, 0, 0, 0);
        exec("INSERT INTO フレーム (ID, 選手ID, 試合ID, ゲーム) VALUES (1,1,1,1),(2,1,1,2)");
        Recordset rs;
        QVERIFY(rs.open("SELECT データ項目.ID, データ項目.S10, マーク.M11 FROM データ項目 JOIN マーク USING (ID) ORDER BY ID;",
                        {.params = {}, .key = "ID", .writeTables = {"データ項目", "マーク"}, .writeKeys = {}, .keyset = false}));
        QVERIFY(rs.isCounter(0) && !rs.isCounter(1));  // known by the table each column comes from
        Recordset computed;  // a computed column comes from no table
        QVERIFY(computed.open("SELECT ID * 1 AS n, ID FROM データ項目", RecordsetType::Snapshot) && !computed.isCounter(0) && computed.isCounter(1));
        QVERIFY(rs.Delete() && rs.MoveNext() && rs.Edit() && rs.SetValue("m11", "Ｇ") && rs.SetValue("S10", "205") && rs.Update());
        QCOMPARE(value("SELECT group_concat(ID || データ項目.S10 || M11 || マーク.S10) FROM データ項目 JOIN マーク USING (ID)") +
                     value("SELECT count(*) FROM フレーム"), QString("2205Ｇ1102"));

        Recordset snap;
        QVERIFY(snap.open("SELECT * FROM 選手 WHERE 選手名 = ?", RecordsetType::Snapshot, {"O'Neil"}));
        QVERIFY(snap.RecordCount() == 1 && !snap.Updatable() && !snap.AddNew() && !snap.Delete());
        QVERIFY(!snap.open("通算成績", RecordsetType::Table) && !snap.open("SELECT nonsense FROM nowhere") && !snap.lastError().isEmpty());

        // A keyset list reads rows a page at a time in its own order; a looked-up table is written
        // by its own key and never deleted from.
        exec("WITH RECURSIVE n(i) AS (SELECT 3 UNION ALL SELECT i + 1 FROM n WHERE i < 600) "
             "INSERT INTO データ項目 (ID, 選手ID, S10) SELECT i, 1, i FROM n");
        exec("INSERT INTO マーク (ID, S10) SELECT ID, 0 FROM データ項目 WHERE ID > 2");
        Recordset list;
        QVERIFY(list.open("SELECT d.S10, d.ID, p.選手名, d.選手ID FROM データ項目 d JOIN マーク USING (ID) JOIN 選手 p USING (選手ID) "
                          "WHERE d.S10 < ? ORDER BY d.S10 DESC",
                          {.params = {590}, .key = "ID", .writeTables = {"データ項目", "選手"}, .writeKeys = {{"選手", "選手ID"}}, .keyset = true}));
        // The last key is read without its page.
        QVERIFY(list.RecordCount() == 588 && list.keyValue(587).toInt() == 3 && list.valueAt(300, 0).toInt() + list.valueAt(0, 0).toInt() == 289 + 589);
        QVERIFY2(list.Edit() && list.SetValue("選手名", "Ｏ") && list.SetValue("S10", 7) && list.Update(), qPrintable(list.lastError()));
        QVERIFY(list.SetAbsolutePosition(587) && list.Delete() && list.RecordCount() == 587);
        QCOMPARE(value("SELECT 選手名 || count(*) || sum(d.S10 = 7) FROM 選手 JOIN データ項目 d USING (選手ID)") +
                     value("SELECT count(*) FROM マーク"), QString("Ｏ5982599"));
    }

    // A list read a page at a time behaves as one read whole through any mix of deletes, additions,
    // edits and moves: the same rows in the same places, keys and bookmarks that find their rows.
    void keysetListsActLikeWholeOnes() {
        for (const char* t : {"a", "b"}) {
            QVERIFY(exec(QString("CREATE TABLE %1 (id INTEGER PRIMARY KEY AUTOINCREMENT, v INTEGER, s TEXT)").arg(t)));
            QVERIFY(exec(QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 600) "
                                 "INSERT INTO %1 (v, s) SELECT i * 7 % 101, 's' || i FROM n").arg(t)));
        }
        Recordset paged, whole;
        QVERIFY(paged.open("a", {.params = {}, .key = {}, .writeTables = {}, .writeKeys = {}, .keyset = true}) && whole.open("b"));
        const auto state = [](const Recordset& rs) {
            QStringList out{QString::number(rs.RecordCount()), QString::number(rs.AbsolutePosition())};
            for (int r = 0; r < rs.RecordCount(); ++r) {
                out << rs.valueAt(r, 0).toString() + '|' + rs.valueAt(r, 1).toString() + '|' + rs.valueAt(r, 2).toString() + '|' +
                           rs.keyValue(r).toString() + '|' + QString::number(rs.rowOfBookmark(rs.bookmarkAt(r)));
            }
            out << rs.keyValue(rs.RecordCount()).toString() << rs.keyValue(-1).toString();
            return out;
        };
        // What both must show: the rows in the table's order (new keys are the largest), the position.
        QStringList model;
        for (int i = 1; i <= 600; ++i) model << QString("%1|%2|s%1").arg(i).arg(i * 7 % 101);
        int nextId = 601, at = 0;
        QRandomGenerator rng(1207);
        for (int step = 0; step < 160; ++step) {
            const int n = whole.RecordCount(), r = int(rng.bounded(std::max(n, 1)));
            const int op = int(rng.bounded(10)), v = int(rng.bounded(1000));
            switch (op) {
                case 0: case 1: case 2: model.removeAt(r), at = -1; break;
                case 3: case 4: case 5: model << QString("%1|%2|new").arg(nextId++).arg(v), at = n; break;
                case 6: case 7: model[r] = model[r].section('|', 0, 0) + '|' + QString::number(v) + '|' + model[r].section('|', 2), at = r; break;
                case 8: at = r + 1 < n ? r + 1 : -1; break;
                default: at = step % 40 == 9 ? 0 : n - 2;
            }
            for (Recordset* rs : {&paged, &whole}) {
                switch (op) {
                    case 0: case 1: case 2:
                        QVERIFY(rs->SetAbsolutePosition(r) && rs->Delete());
                        break;
                    case 3: case 4: case 5:
                        QVERIFY(rs->AddNew() && rs->SetValue("v", v) && rs->SetValue("s", "new") && rs->Update());
                        break;
                    case 6: case 7:
                        QVERIFY(rs->SetAbsolutePosition(r) && rs->Edit() && rs->SetValue("v", v) && rs->Update());
                        break;
                    case 8:
                        QVERIFY(rs->SetBookmark(rs->bookmarkAt(r)) && rs->MoveNext());
                        break;
                    default:
                        if (step % 40 == 9) QVERIFY(rs->Requery());
                        else QVERIFY(rs->MoveLast() && rs->MovePrevious());
                }
            }
            QCOMPARE(state(paged), state(whole));
            QStringList shown{QString::number(whole.AbsolutePosition())};
            for (int i = 0; i < whole.RecordCount(); ++i) shown << whole.valueAt(i, 0).toString() + '|' + whole.valueAt(i, 1).toString() + '|' + whole.valueAt(i, 2).toString();
            QCOMPARE(shown, QStringList{QString::number(at)} + model);
        }
        QCOMPARE(value("SELECT group_concat(id || '|' || v || '|' || s, ',') FROM b"), model.join(','));
        QCOMPARE(value("SELECT group_concat(id || v || s) FROM a"), value("SELECT group_concat(id || v || s) FROM b"));
    }

    // A join over SQL text (its keys read by place, a looked-up table written by its own key, rows
    // written out of the criteria read back from the unfiltered rows) and a paged snapshot act as
    // the same lists read whole, and both as a plain model of the tables, through deletes,
    // additions, edits, finds, moves and requeries; also where no list can be copied aside.
    void sqlListsActLikeWholeOnes_data() {
        QTest::addColumn<bool>("noCopies");
        QTest::newRow("copies") << false;
        QTest::newRow("no room for copies") << true;
    }
    void sqlListsActLikeWholeOnes() {
        QFETCH(bool, noCopies);
        const int games = 4500, limit = 990;
        QVERIFY(exec("PRAGMA synchronous = OFF"));  // no waiting on the disk
        QVERIFY(exec(noCopies ? "PRAGMA temp.max_page_count = 1" : "PRAGMA temp.max_page_count = 1073741823"));
        for (const char* t : {"1", "2"}) {
            QVERIFY(exec(QString("CREATE TABLE g%1 (id INTEGER PRIMARY KEY AUTOINCREMENT, pid INTEGER, v INTEGER)").arg(t)));
            QVERIFY(exec(QString("CREATE TABLE p%1 (pid INTEGER PRIMARY KEY, name TEXT)").arg(t)));
            const QString n = QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) ");
            QVERIFY(exec(n.arg(games) + QString("INSERT INTO g%1 (pid, v) SELECT i, i * 7 % 1001 FROM n").arg(t)));
            QVERIFY(exec(n.arg(games + 400) + QString("INSERT INTO p%1 (pid, name) SELECT i, 'p' || i FROM n").arg(t)));
        }
        const auto sql = [](const char* t, const char* where) {
            return QString("SELECT g.v, g.id, p.name, g.pid FROM g%1 g JOIN p%1 p USING (pid) %2 ORDER BY g.v DESC, g.id;").arg(t, where);
        };
        OpenOptions o;
        o.params = {limit}, o.key = "id", o.writeTables = {"g1", "p1"}, o.writeKeys = {{"p1", "pid"}}, o.keyset = true;
        o.unfiltered = sql("1", ""), o.keysInOrder = "SELECT g.id FROM g1 g JOIN p1 p USING (pid) WHERE g.v < ? ORDER BY g.v DESC, g.id";
        Recordset paged, whole, pagedSnap, wholeSnap;
        QVERIFY(paged.open(sql("1", "WHERE g.v < ?"), o));
        const OpenOptions pagedOptions = o;
        o.writeTables = {"g2", "p2"}, o.writeKeys = {{"p2", "pid"}}, o.keyset = false, o.unfiltered = sql("2", ""), o.keysInOrder = {};
        QVERIFY(whole.open(sql("2", "WHERE g.v < ?"), o));
        OpenOptions snap;
        snap.type = RecordsetType::Snapshot, snap.params = {limit}, snap.paged = true;
        QVERIFY(pagedSnap.open(sql("2", "WHERE g.v < ?"), snap) && wholeSnap.open(sql("2", "WHERE g.v < ?"), RecordsetType::Snapshot, {limit}));
        OpenOptions uncounted = snap;  // a count that fails fails the opening
        uncounted.countSql = "SELECT COUNT(*) FROM nowhere";
        Recordset broken;
        QVERIFY(!broken.open(sql("2", "WHERE g.v < ?"), uncounted) && broken.lastError().contains("no such table") && !broken.isOpen());
        QCOMPARE(paged.rowOfBookmark(whole.bookmarkAt(0)), -1);  // another list's row, however near
        Recordset keyless;  // a list without its key field writes nothing
        QVERIFY(keyless.open("SELECT v FROM g1", {.params = {}, .key = "id", .writeTables = {"g1"}, .writeKeys = {}, .keyset = false}) &&
                !keyless.Updatable() && !keyless.AddNew());
        const auto rowsOf = [](const Recordset& rs, int from = 0, int to = INT_MAX) {
            QStringList out{QString::number(rs.RecordCount()), QString::number(rs.AbsolutePosition())};
            for (int r = std::max(from, 0); r < std::min(to, rs.RecordCount()); ++r)
                out << QString("%1|%2|%3|%4").arg(rs.valueAt(r, 0).toString(), rs.valueAt(r, 1).toString(), rs.valueAt(r, 2).toString(), rs.valueAt(r, 3).toString());
            return out;
        };

        // The tables as the model keeps them, and the list: its ids in order, where it stands.
        QHash<int, int> v, pid;
        QHash<int, QString> name;
        for (int i = 1; i <= games; ++i) v[i] = i * 7 % 1001, pid[i] = i;
        for (int i = 1; i <= games + 400; ++i) name[i] = "p" + QString::number(i);
        QVector<int> ids;
        const auto reread = [&] {
            ids.clear();
            for (auto i = v.cbegin(); i != v.cend(); ++i)
                if (i.value() < limit) ids << i.key();
            std::sort(ids.begin(), ids.end(), [&](int a, int b) { return v[a] != v[b] ? v[a] > v[b] : a < b; });
        };
        const auto modelRows = [&](int at, int from = 0, int to = INT_MAX) {
            QStringList out{QString::number(ids.size()), QString::number(at)};
            for (int r = std::max(from, 0); r < std::min<int>(to, ids.size()); ++r)
                out << QString("%1|%2|%3|%4").arg(v[ids[r]]).arg(ids[r]).arg(name[pid[ids[r]]]).arg(pid[ids[r]]);
            return out;
        };
        reread();
        int pos = 0, nextId = games + 1;
        bool deleted = false;
        QRandomGenerator rng(1208);
        for (int step = 0; step < 120; ++step) {
            // The first step deletes the first row, which no delete has moved yet.
            const int n = int(ids.size()), r = step ? int(rng.bounded(n)) : 0, op = step ? int(rng.bounded(10)) : 0, x = int(rng.bounded(1100));
            bool found = true;
            const auto test = [x](const Record& rec) { return rec.Value("v").toInt() % 13 == x % 13; };
            for (Recordset* rs : {&paged, &whole}) {
                switch (op) {
                    case 0: case 1: QVERIFY(rs->SetAbsolutePosition(r) && rs->Delete()); break;
                    case 2: case 3: QVERIFY2(rs->AddNew() && rs->SetValue("v", x % limit) && rs->SetValue("pid", nextId) && rs->Update(), qPrintable(rs->lastError())); break;
                    case 4: case 5: QVERIFY2(rs->SetAbsolutePosition(r) && rs->Edit() && rs->SetValue("v", x) && rs->Update(), qPrintable(rs->lastError())); break;
                    case 6: QVERIFY(rs->SetAbsolutePosition(r) && rs->Edit() && rs->SetValue("name", "n" + QString::number(x)) && rs->Update()); break;
                    case 7:
                        found = step % 2 ? rs->FindNext(test) : rs->FindFirst(test);
                        QCOMPARE(rs->NoMatch(), !found);
                        break;
                    case 8: QVERIFY(rs->SetBookmark(rs->bookmarkAt(r)) && rs->MoveNext()); break;
                    default: QVERIFY(step % 3 ? rs->MoveLast() && rs->MovePrevious() : rs->Requery());
                }
            }
            switch (op) {
                case 0: case 1: v.remove(ids[r]), ids.removeAt(r), pos = r, deleted = true; break;
                case 2: case 3: v[nextId] = x % limit, pid[nextId] = nextId, ids << nextId++, pos = n, deleted = false; break;
                case 4: case 5: v[ids[r]] = x, pos = r, deleted = false; break;
                case 6: name[pid[ids[r]]] = "n" + QString::number(x), pos = r, deleted = false; break;
                case 7: {
                    int f = step % 2 ? (deleted ? pos : pos + 1) : 0;
                    while (f < n && v[ids[f]] % 13 != x % 13) ++f;
                    QCOMPARE(found, f < n);
                    if (f < n) pos = f, deleted = false;
                    break;
                }
                case 8: pos = r + 1, deleted = false; break;
                default:
                    if (step % 3) pos = n - 2;
                    else reread(), pos = 0;
                    deleted = false;
            }
            const int at = deleted || pos >= ids.size() ? -1 : pos;
            if (step % 10 == 9) {
                QCOMPARE(rowsOf(paged), modelRows(at));
                QCOMPARE(rowsOf(whole), modelRows(at));
                QCOMPARE(rowsOf(pagedSnap), rowsOf(wholeSnap));
            } else {
                QCOMPARE(rowsOf(paged, r - 2, r + 3), modelRows(at, r - 2, r + 3));
                QCOMPARE(rowsOf(whole, r - 2, r + 3), modelRows(at, r - 2, r + 3));
                QCOMPARE(rowsOf(pagedSnap, r - 2, r + 3), rowsOf(wholeSnap, r - 2, r + 3));
            }
            if (step % 40 == 39) QVERIFY(pagedSnap.Requery() && wholeSnap.Requery());
            for (const Recordset* rs : {&paged, &whole, &pagedSnap})
                QVERIFY(!rs->valueAt(rs->RecordCount(), 0).isValid() && !rs->valueAt(-1, 0).isValid() && !rs->valueAt(0, 4).isValid() &&
                        !rs->Value(4).isValid() && !rs->Value(-1).isValid() && rs->bookmarkAt(rs->RecordCount()).isEmpty() && rs->bookmarkAt(-1).isEmpty());
        }
        for (const char* t : {"1", "2"}) {
            QStringList stored;
            for (auto i = v.cbegin(); i != v.cend(); ++i) stored << QString("%1|%2|%3|%4").arg(i.key()).arg(i.value()).arg(pid[i.key()]).arg(name[pid[i.key()]]);
            stored.sort();
            QStringList in;
            for (const QString& row : value(QString("SELECT group_concat(id || '|' || v || '|' || pid || '|' || name, ',') FROM g%1 JOIN p%1 USING (pid)").arg(t)).split(',')) in << row;
            in.sort();
            QCOMPARE(in, stored);
        }
        // A page first looked at shows what is stored then; a row gone meanwhile shows its key alone.
        Recordset fresh;
        QVERIFY(fresh.open(sql("1", "WHERE g.v < ?"), pagedOptions) && whole.Requery());
        const int last = fresh.RecordCount() - 1;
        QVERIFY(exec("UPDATE p1 SET name = 'late' WHERE pid = ?", {whole.valueAt(last, 3)}) && exec("DELETE FROM g1 WHERE id = ?", {whole.keyValue(last - 1)}));
        QStringList want = rowsOf(whole, last - 1);
        want[2] = "|" + whole.keyValue(last - 1).toString() + "||", want[3].replace(whole.valueAt(last, 2).toString(), "late");
        QCOMPARE(rowsOf(fresh, last - 1), want);
    }

    // Opening never creates a file; the empty database never overwrites one nor leaves half a file.
    void connectionAndEmptyDatabase() {
        const QDir d(dir_.path());
        vxtest::put(d.filePath("junk.mdb"), "Standard Jet DB, not this one.....");
        vxtest::put(d.filePath("empty.mdb"), {});
        for (const char* name : {"none.mdb", "junk.mdb", "empty.mdb"}) {  // the first closes the open one
            QString error;
            QVERIFY(!open(d.filePath(name), &error) && !error.isEmpty() && !isOpen() && fileName().isEmpty());
        }
        QVERIFY(!QFile::exists(d.filePath("none.mdb")) && QFileInfo(d.filePath("empty.mdb")).size() == 0);

        const QString path = d.filePath("Vorlix.mdb");
        const qint64 size = QFileInfo(path).size();
        QVERIFY(!createFromSchema(path, vxtest::schemaText()) && QFileInfo(path).size() == size);
        QTemporaryDir other;
        QString why;
        QVERIFY(!createFromSchema(QDir(other.path()).filePath("bad.mdb"), "CREATE TABLE a (x);\nCREATE TABLE a (x);", &why) &&
                why.contains("already exists") && QDir(other.path()).isEmpty(QDir::Files | QDir::Hidden));
        QVERIFY(open(path) && fileName() == QFileInfo(path).absoluteFilePath());
        QVERIFY(hasTable("選手") && hasTable(" ﾃﾞｰﾀ項目 ") && !hasTable("通算成績") && hasView("通算成績") && !hasView("選手"));
        const QStringList connections = QSqlDatabase::connectionNames();
        close();  // closing lets the connection go too
        QCOMPARE(QSqlDatabase::connectionNames().size(), connections.size() - 1);
        QVERIFY(open(path));

        const QStringList s = splitStatements("-- a; comment\nCREATE TABLE \"a;b\" (x);\nCREATE TRIGGER t AFTER INSERT ON a BEGIN\n"
            "  SELECT CASE WHEN 1 THEN ';' END 'x'; DELETE FROM a;\nEND;\n/* ; */ INSERT INTO a VALUES ('it''s;');--");
        QVERIFY(s.size() == 3 && s[1].startsWith("CREATE TRIGGER") && s[1].endsWith("END") && s[2].endsWith("VALUES ('it''s;')"));
    }

    // A script splits at the semicolons outside quotes, comments and trigger bodies; comments go.
    void scriptsSplitIntoStatements() {
        const std::pair<const char*, const char*> cases[] = {
            {"SELECT 1;/*", "SELECT 1"}, {"SELECT 1;--", "SELECT 1"}, {"a/**/b;c", "a b|c"}, {"a/*/ b; */c;d", "a c|d"},
            {"SELECT 5-2-1;x", "SELECT 5-2-1|x"}, {"SELECT 1 --c;\n;x", "SELECT 1|x"}, {"a -- c\n+ b;", "a \n+ b"},
            {"x 'a'';b';y", "x 'a'';b'|y"}, {"\"q\"\";\";`b``;`;z", "\"q\"\";\"|`b``;`|z"}, {"[a]];b", "[a]]|b"}, {"[a;b]", "[a;b]"},
            {"CREATE TABLE t (a TRIGGER); SELECT 1", "CREATE TABLE t (a TRIGGER)|SELECT 1"},
            {"SELECT 1; CREATE TEMP TRIGGER t BEGIN SELECT a_END; SELECT 'END;'; END; SELECT 2; SELECT 3",
             "SELECT 1|CREATE TEMP TRIGGER t BEGIN SELECT a_END; SELECT 'END;'; END|SELECT 2|SELECT 3"},
            {"create trigger x begin delete from a; end ; select 4", "create trigger x begin delete from a; end|select 4"},
            {"create trigger x begin select 1; en/**/d; select 4", "create trigger x begin select 1; en d; select 4"},  // a comment parts words
            {"create trigger x begin select 1; en--\nd; select 4", "create trigger x begin select 1; en\nd; select 4"},
            {"SELECT 8/", "SELECT 8/"}, {"SELECT 8-", "SELECT 8-"}, {"SELECT 'a", "SELECT 'a"}};  // a script cut short
        for (const auto& [script, want] : cases) QCOMPARE(splitStatements(QString::fromUtf8(script)).join('|'), QString::fromUtf8(want));
    }

    // A row written out of the list's criteria stays in it, read back from the unfiltered rows, until
    // the list is read again; without them, or when it is not among them either, nothing is written.
    void rowWrittenOutOfCriteria() {
        exec("INSERT INTO 選手 (選手ID, 選手名) VALUES (1,'甲'),(2,'乙')");
        game(1, 1, 5, 1, 0, 0, 100, 0, 0, 0);
        game(2, 1, 5, 2, 0, 0, 110, 0, 0, 0);
        const QString all = "SELECT d.ID, d.選手ID, p.選手名, m.試合ID FROM データ項目 d JOIN マーク m USING (ID) JOIN 選手 p USING (選手ID)";
        OpenOptions o;
        o.params = {1}, o.key = "ID", o.writeTables = {"データ項目", "マーク"};
        const QString stored = "SELECT group_concat(x) FROM (SELECT d.選手ID || m.試合ID AS x FROM データ項目 d JOIN マーク m USING (ID) ORDER BY ID)";
        for (const QString& unfiltered : {QString(), all + ";"}) {
            o.unfiltered = unfiltered;
            Recordset rs;
            QVERIFY(rs.open(all + " WHERE d.選手ID = ? ORDER BY ID", o));
            QVERIFY(rs.Edit() && rs.SetValue("選手ID", 2) && rs.SetValue("試合ID", 6));
            QCOMPARE(rs.Update(), !unfiltered.isEmpty());
            QCOMPARE(value(stored), QString(unfiltered.isEmpty() ? "15,15" : "26,15"));
        }
        Recordset rs;
        QVERIFY(rs.open(all + " WHERE d.選手ID = ? ORDER BY ID", o) && rs.RecordCount() == 1);
        QVERIFY(rs.Edit() && rs.SetValue("選手ID", 2) && rs.Update() && rs.MoveNext() && rs.MovePrevious());
        QCOMPARE(rows(rs, "ID,選手ID,選手名,試合ID"), QString("2|2|乙|5"));
        QVERIFY(rs.MoveFirst() && rs.Edit() && rs.SetValue("選手ID", 9) && !rs.Update());  // no such player: not among them
        QVERIFY(rs.Requery() && rs.RecordCount() == 0);
        QCOMPARE(value(stored), QString("26,25"));
    }

    // A whole-number column, also under a name of the list's own, takes what fits 64 bits (a
    // fraction rounded) and refuses the rest, never wrapping it.
    void wholeNumbersFitTheirColumn() {
        game(1, 1, 5, 1, 0, 0, 100, 0, 0, 0);
        Recordset rs;
        QVERIFY(rs.open("SELECT d.ID, d.HCP, m.ｹﾞｰﾑ AS mg FROM データ項目 d JOIN マーク m USING (ID)",
                        {.params = {}, .key = "ID", .writeTables = {"データ項目", "マーク"}, .writeKeys = {}, .keyset = false}) && rs.Edit());
        for (const char* t : {"99999999999999999999", "9223372036854775808", "-9223372036854775809", "9.3e18", "1e309", "-1e400"}) {
            QVERIFY2(!rs.SetValue("HCP", t) && rs.lastError().contains("overflow"), t);
            QVERIFY2(!rs.SetValue("mg", t), t);
        }
        QVERIFY(!rs.SetValue("mg", "abc") && !rs.SetValue("mg", "inf") && !rs.isDirty());
        QVERIFY(!rs.SetValue("HCP", "-x99999999999999999999") && rs.lastError().contains("type mismatch"));  // no number, however long
        QVERIFY(rs.SetValue("HCP", "9223372036854775807") && rs.SetValue("mg", "2.5") && rs.Update());
        QCOMPARE(value("SELECT d.HCP || ' ' || quote(m.ｹﾞｰﾑ) FROM データ項目 d JOIN マーク m USING (ID)"), QString("9223372036854775807 2"));
        QVERIFY(rs.Edit() && rs.SetValue("HCP", QVariant()) && rs.SetValue("mg", QString()) && rs.Update());  // none is NULL
        QCOMPARE(value("SELECT quote(d.HCP) || ' ' || quote(m.ｹﾞｰﾑ) FROM データ項目 d JOIN マーク m USING (ID)"), QString("NULL NULL"));

        // A column of fractions takes any finite number; a field or row out of range is refused.
        QVERIFY(exec("CREATE TABLE r (id INTEGER PRIMARY KEY, x REAL)") && exec("INSERT INTO r VALUES (1, 0.5)"));
        Recordset real;
        QVERIFY(real.open("r") && real.Edit());
        const auto refused = [&](const QVariant& v) { return real.SetValue("x", v) ? QString("taken") : real.lastError(); };
        QCOMPARE(QStringList({refused("1e400"), refused("-1e400"), refused("abc"), refused("inf"), refused(" 2.75 ")}),
                 QStringList({"overflow in field x", "overflow in field x", "type mismatch in field x", "type mismatch in field x", "taken"}));
        QVERIFY(!real.SetValue(-1, 1) && !real.SetValue(real.FieldCount(), 1) && real.lastError() == "no such field");
        QVERIFY(real.Update());
        QCOMPARE(value("SELECT quote(x) FROM r"), QString("2.75"));
        QVERIFY(!real.SetAbsolutePosition(-1) && !real.SetAbsolutePosition(1) && real.lastError() == "invalid position" && real.AbsolutePosition() == 0);
        QVERIFY(!real.isCounter(0) && !real.isCounter(-1) && !real.isCounter(2));
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
