// The player, season and handicap editors, driven as a user would through their grids.
#include "support/monkey.h"
#include "shell/form_hdcp.h"
#include "shell/form_newplayer.h"
#include "shell/form_srs.h"
#include "shell/masterdata.h"
#include "support/dayfixture.h"
#include "support/heldelsewhere.h"


namespace {
// Two players, two seasons, a handicap and a stored game.
void seed() {
    for (const char* s : {"INSERT INTO 選手 (選手ID, 選手名) VALUES (1, '山田'), (2, '鈴木')",
                          "INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2026前期', '春'), ('2026後期', '秋')",
                          "INSERT INTO ハンデ (選手ID, シーズンID, ハンデ) VALUES (1, 1, 20)", "INSERT INTO 試合 (試合ID, シーズンID, 試合) VALUES (1, 1, 1)",
                          "INSERT INTO データ項目 (選手ID, 試合ID) VALUES (1, 1)"})
        QVERIFY(execSql(QString::fromUtf8(s)));
}
void shoot(Form& f, const char* name) {
    f.setLeft(150), f.setTop(150);
    QTest::qWait(20);
    saveShot(f.subWindow(), QString::fromLatin1(name));
}

// As a user types: the cell made current, then the keys, which open its editor over the old text.
void typeCell(DBGrid* g, int row, int col, const QString& text) {
    g->setFocus();
    g->setCurrentIndex(g->gridModel()->index(row, col));
    typeKeys(text);
}
int newLine(DBGrid* g) { return g->gridModel()->rowCount() - 1; }
void deleteRow(DBGrid* g, int row) {
    g->setCurrentIndex(g->gridModel()->index(row, 1));
    QTest::keyClick(g, Qt::Key_Delete);
}
}  // namespace

class TestMasterData : public GuiTest {
    Q_OBJECT
private Q_SLOTS:
    // Everything in the window tried in turn; what it shows at each step is kept.
    void triedEverything() {
        seed();
        shown<Form_NewPlayer>();
        vxtest::monkey(*dlg, 400, 23, [] { return &shown<Form_NewPlayer>(); });
    }
    void handicapsTriedEverything() {
        seed();
        shown<form_HDCP>();
        vxtest::monkey(*dlg, 300, 61, [] { return &shown<form_HDCP>(); });
    }

    // Rules that cannot all be installed say so, and so does a database that is gone; the others
    // still hold.
    void guardsThatCannotAllBeInstalled() {
        QVERIFY(db::ensureOpen());
        const QString file = db::fileName();
        db::close();
        QVERIFY(QFile::rename(file, file + ".away"));
        QCOMPARE(vx::masterdata::installGuards(), false);
        QVERIFY(QFile::rename(file + ".away", file) && db::ensureOpen());
        QVERIFY(execSql("DROP TABLE ハンデ"));
        QVERIFY(!vx::masterdata::installGuards());
        QString why;
        QVERIFY(!db::exec("INSERT INTO 選手 (選手ID, 選手名) VALUES (0, 'x')", {}, &why));
        QVERIFY2(why.contains(vx::masterdata::playerIdRangeMessage()), qPrintable(why));
    }
    // A row is stored on leaving it, and at the back button on the row, which closes the window
    // where it stood. A refused row keeps the window open and the table as it was, at the back
    // button and at the close box alike, until it is corrected.
    void playerRows_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("new") << "3" << "";
        for (const char* id : {"0", "32768", "abc", "1.5", ""}) QTest::newRow(*id ? id : "none") << id << QStringLiteral("選手IDは１から３２７６７までの整数で入力してください。");
        QTest::newRow("taken") << "2" << QStringLiteral("この選手IDはすでに登録されています。");
    }
    void playerRows() {
        QFETCH(QString, id);
        QFETCH(QString, refusal);
        seed();
        settings::SaveSetting("form", "np_Left", "300");
        auto& f = shown<Form_NewPlayer>();
        DBGrid* g = f.DBG_Sensyu;
        QCOMPARE(f.Left(), 300.0);
        const int row = newLine(g);
        typeCell(g, 1, 1, "山田太郎");
        typeCell(g, row, 1, "新人");
        QCOMPARE(rows("SELECT group_concat(選手名) FROM 選手"), QStringLiteral("全　員,山田太郎,鈴木"));
        typeCell(g, row, 0, id);
        if (!refusal.isEmpty()) {
            dlg->expectMsgBox(vbOK, refusal).expectMsgBox(vbOK, refusal);
            click(f.cmd_back);
            f.close();
            QVERIFY(dlg->allAnswered() && forms::loaded<Form_NewPlayer>() && rows("SELECT COUNT(*) FROM 選手") == "3");
            typeCell(g, row, 0, id = "40");
        }
        f.setLeft(600);
        click(f.cmd_back);
        QVERIFY(!forms::loaded<Form_NewPlayer>());
        QCOMPARE(rows("SELECT 選手名 FROM 選手 WHERE 選手ID = " + id) + settings::GetSetting("form", "np_Left", ""), QStringLiteral("新人600"));
    }

    void playerDeletionAsksAndKeepsWhatIsInUse() {
        seed();
        QVERIFY(execSql("INSERT INTO 選手 (選手ID, 選手名) VALUES (9, '退会')"));
        auto& f = shown<Form_NewPlayer>();
        DBGrid* g = f.DBG_Sensyu;
        shoot(f, "shell_players");
        // The reserved row: refused without a question, and not editable either.
        dlg->expectMsgBox(vbOK, QStringLiteral("選手ID ０（全　員）は変更・削除できません。")).expectMsgBox(vbOK, QStringLiteral("選手ID ０（全　員）は変更・削除できません。"));
        deleteRow(g, 0);
        typeCell(g, 0, 1, "x");
        QCOMPARE(dlg->beeps(), 2);
        // A player with games and a handicap; No keeps a player; Yes deletes one without any.
        dlg->expectMsgBox(vbYes, QStringLiteral("選択した行を削除します。よろしいですか？")).expectMsgBox(vbOK, QStringLiteral("この選手の記録またはハンデが登録されているため削除できません。"));
        deleteRow(g, 1);
        dlg->expectMsgBox(vbNo, QStringLiteral("選択した行を削除します。よろしいですか？"));
        deleteRow(g, 3);
        typeCell(g, 4, 1, "仮");
        press(Qt::Key_Return);
        press(Qt::Key_Delete);  // on the new line: what was typed goes without a question
        QCOMPARE(rows("SELECT COUNT(*) FROM 選手"), QStringLiteral("4"));
        dlg->expectMsgBox(vbYes, QStringLiteral("選択した行を削除します。よろしいですか？"));
        deleteRow(g, 3);
        QCOMPARE(rows("SELECT group_concat(選手ID) FROM 選手"), QStringLiteral("0,1,2"));
        // Renumbering a player with games would cut them off.
        typeCell(g, 1, 0, "77");
        dlg->expectMsgBox(vbOK, QStringLiteral("この選手の記録またはハンデが登録されているため選手IDは変更できません。"));
        click(f.cmd_back);
        QVERIFY(forms::loaded<Form_NewPlayer>() && rows("SELECT COUNT(*) FROM データ項目 d JOIN 選手 p USING (選手ID)") == "1");
    }

    // Adding and changing open the grid and wait for the finish; the way back waits too. The season
    // editor keeps a season with matches, and stores a new one at the back button.
    void handicapModes() {
        seed();
        auto& f = shown<form_HDCP>();
        DBGrid* g = f.DBG_hdcp;
        auto state = [&] {
            QString s = QString::number(f.EditMode);
            for (bool on : {g->AllowUpdate() && g->AllowAddNew(), f.Cmd_Add[0]->isVisibleTo(&f), f.Cmd_Add[1]->isVisibleTo(&f),
                            f.Cmd_Add[2]->isVisibleTo(&f), f.cmd_back->isEnabled(), f.menu_back->isEnabled(),
                            f.menu_hdcp[0]->isEnabled(), f.menu_hdcp[1]->isEnabled(), f.menu_hdcp[2]->isEnabled(),
                            f.menu_add[0]->isEnabled() && f.menu_add[1]->isEnabled() && g->AllowDelete()})
                s += on ? '1' : '0';
            return s;
        };
        // Steps: the menu entries add, change, finish (0..2) or those buttons (3..5); then the mode, the grid open
        // and the three buttons shown, the back button and entry, the three entries and the others enabled.
        const std::pair<int, const char*> steps[] = {
            {-1, "0 0110 11 1101"}, {0, "0 1001 00 0111"}, {1, "1 1001 00 0011"},  // change, straight from adding
            {5, "2 0110 11 1101"},  {4, "1 1001 00 1011"}, {0, "0 1001 00 0011"},  // both wait for the finish
            {2, "2 0110 11 1101"}};
        shoot(f, "shell_handicaps");
        QVERIFY(g->viewport()->width() >= g->horizontalHeader()->length());  // every column in view
        // The three marks stand over the columns a new handicap needs: season, player and handicap.
        for (auto [k, column] : {std::pair{0, 1}, std::pair{1, 3}, std::pair{2, 5}}) {
            const int mid = f.Label5[std::size_t(k)]->geometry().center().x(), left = g->viewport()->mapTo(&f, QPoint(g->columnViewportPosition(column), 0)).x();
            QVERIFY2(mid > left && mid < left + g->columnWidth(column), qPrintable(QString::number(column)));
        }
        for (auto [k, after] : steps) {
            if (k >= 3) click(f.Cmd_Add[std::size_t(k - 3)]);
            else if (k >= 0) f.menu_hdcp[std::size_t(k)]->trigger();
            QCOMPARE(state(), QString::fromLatin1(after).remove(' '));
            if (k == 0) shoot(f, "shell_handicaps_adding");
        }
        // Deleting works in the finished state, after the question.
        dlg->expectMsgBox(vbYes, QStringLiteral("選択した行を削除します。よろしいですか？"));
        deleteRow(g, 0);
        QCOMPARE(rows("SELECT COUNT(*) FROM ハンデ"), QStringLiteral("0"));
        click(f.Cmd_Add[1]);  // changing opens with no handicap to change as well
        QCOMPARE(state(), QStringLiteral("1100100 1011").remove(' '));
        click(f.Cmd_Add[2]);
        QCOMPARE(state(), QStringLiteral("2011011 1101").remove(' '));
        // The player and season editors open from here, one window each.
        trigger(f.menu_add[0]);
        Form_NewPlayer* players = forms::loaded<Form_NewPlayer>();
        QVERIFY(players && !forms::loaded<form_srs>());
        click(f.Cmd_New[0]);
        trigger(f.menu_add[1]);
        QVERIFY(forms::loaded<Form_NewPlayer>() == players && forms::loaded<form_srs>());
        click(f.cmd_back);
        QVERIFY(!forms::loaded<form_HDCP>());
        // The season editor.
        auto& seasons = forms::get<form_srs>();
        g = seasons.DBG_srs;
        shoot(seasons, "shell_seasons");
        QVERIFY(!(g->gridModel()->flags(g->gridModel()->index(0, 0)) & Qt::ItemIsEditable));  // the counter
        // A season with matches stays; one without goes after the question.
        dlg->expectMsgBox(vbYes).expectMsgBox(vbOK, QStringLiteral("このシーズンの試合またはハンデが登録されているため削除できません。"));
        deleteRow(g, 0);
        dlg->expectMsgBox(vbYes, QStringLiteral("選択した行を削除します。よろしいですか？"));
        deleteRow(g, 1);
        typeCell(g, 0, 2, "春季");
        QCOMPARE(rows("SELECT group_concat(シーズンID) FROM シーズン"), QStringLiteral("1"));
        // A new season typed and the back button pressed on the same row is stored.
        typeCell(g, newLine(g), 1, "2027前期");
        typeCell(g, newLine(g), 2, "夏");
        click(seasons.cmd_back);
        QVERIFY(!forms::loaded<form_srs>() && rows("SELECT group_concat(シーズン名) FROM シーズン") == "春季,夏");
    }

    // A new handicap needs a season and a player that exist and a 16-bit whole number: anything
    // else is refused at every press and nothing is stored. The ID is the database's counter:
    // typing into it does nothing, adding or changing.
    void handicapEntriesAreChecked_data() {
        QTest::addColumn<QString>("typed");    // season, player and handicap
        QTest::addColumn<QString>("refusal");  // empty: stored as typed
        const QString id = QStringLiteral("入力した選手IDに誤りがあります"), hcp = QStringLiteral("ハンデは");
        for (const char* typed : {"2 2 32768", "2 2 1e309", "2 2 abc", "2 2 1.5"}) QTest::newRow(typed) << typed << hcp;
        for (const char* typed : {"2 99 15", "2 32768 15", "0 2 15"}) QTest::newRow(typed) << typed << id;
        QTest::newRow("second for player and season") << "1 1 15" << QStringLiteral("この選手のこのシーズンのハンデはすでに登録されています。");
        for (const char* typed : {"2 2 -0", "2 2 -32768", "2 2 32767"}) QTest::newRow(typed) << typed << "";
    }
    void handicapEntriesAreChecked() {
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        seed();
        auto& f = shown<form_HDCP>();
        DBGrid* g = f.DBG_hdcp;
        click(f.Cmd_Add[0]);
        const int row = newLine(g);
        QCOMPARE(g->currentIndex(), g->gridModel()->index(row, 1));  // adding starts on the new line
        auto enter = [&](const QString& s, const QString& p, const QString& h) {
            typeCell(g, row, 0, "7");
            typeCell(g, row, 1, s);
            typeCell(g, row, 3, p);
            typeCell(g, row, 5, h);
        };
        const QStringList e = typed.split(' ');
        enter(e[0], e[1], e[2]);
        QString stored = QString::number(e[2].toInt());
        if (!refusal.isEmpty()) {
            for (int press = 0; press < 2; ++press) {
                dlg->expectMsgBox(vbOK, refusal);
                click(f.Cmd_Add[2]);
                QVERIFY(dlg->allAnswered() && f.EditMode == 0);
            }
            QCOMPARE(rows("SELECT COUNT(*) FROM ハンデ"), QStringLiteral("1"));
            enter("2", "2", stored = "3");
        }
        click(f.Cmd_Add[2]);
        QCOMPARE(QString::number(f.EditMode) + rows("SELECT ID || ':' || quote(ハンデ) FROM ハンデ WHERE 選手ID = 2"), "22:" + stored);
        QCOMPARE(cell(g, row, 0) + cell(g, row, 4) + cell(g, 0, 4), QStringLiteral("2鈴木山田"));
        click(f.Cmd_Add[1]);
        QCOMPARE(g->currentIndex(), g->gridModel()->index(row, 5));  // changing, on the last row's handicap
        typeCell(g, row, 0, "1");
        typeCell(g, row, 5, "8");
        click(f.Cmd_Add[2]);
        QCOMPARE(rows("SELECT group_concat(ID || ':' || ハンデ, ' ') FROM ハンデ"), QStringLiteral("1:20 2:8"));
    }

    // A handicap is a signed whole number, however it is typed: each cell clicked, the keys typed
    // into it and ended by Return, as a user enters a new row.
    void signedHandicapTypedIntoTheGrid_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");  // empty: refused
        QTest::newRow("-5") << "-5" << "-5";
        QTest::newRow("-0") << "-0" << "0";
        QTest::newRow("+7") << "+7" << "7";
        QTest::newRow("-x5") << "-x5" << "";
    }
    void signedHandicapTypedIntoTheGrid() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        seed();
        auto& f = shown<form_HDCP>();
        DBGrid* g = f.DBG_hdcp;
        click(f.Cmd_Add[0]);
        const int row = newLine(g);
        for (auto [column, keys] : {std::pair{1, QStringLiteral("2")}, std::pair{3, QStringLiteral("2")}, std::pair{5, typed}}) {
            clickCell(g, row, column);
            typeKeys(keys);
            press(Qt::Key_Return);
        }
        if (stored.isEmpty()) dlg->expectMsgBox(vbOK, QStringLiteral("ハンデは－３２７６８から３２７６７までの整数で入力してください"));
        click(f.Cmd_Add[2]);
        QVERIFY(dlg->allAnswered());
        QCOMPARE(rows("SELECT group_concat(quote(ハンデ)) FROM ハンデ WHERE 選手ID = 2"), stored);
    }

    // A handicap changed while another program holds the database is refused as such and stays
    // pending; stored once the database is free.
    void handicapWhileHeldElsewhere() {
        seed();
        auto& f = shown<form_HDCP>();
        DBGrid* g = f.DBG_hdcp;
        click(f.Cmd_Add[1]);
        typeCell(g, 0, 5, "8");
        {
            HeldElsewhere other(env->path("Vorlix.mdb"), "IMMEDIATE");
            QVERIFY(other.holding());
            dlg->expectMsgBox(vbOK, db::inUseMessage());
            click(f.Cmd_Add[2]);
            QVERIFY(dlg->allAnswered() && f.EditMode == 1 && rows("SELECT ハンデ FROM ハンデ") == "20");
        }
        click(f.Cmd_Add[2]);
        QCOMPARE(rows("SELECT ハンデ FROM ハンデ"), QStringLiteral("8"));
    }
};

QTEST_MAIN(TestMasterData)
#include "tst_masterdata.moc"
