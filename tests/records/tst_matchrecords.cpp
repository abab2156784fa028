// The per-match statistics and the stored-record editor through their windows: the sort keys and
// the player filter; browsing, the typed limits and copies, saving, cancelling and deleting.
#include "records/recordedit.h"
#include "support/monkey.h"
#include "platform/datanavigator.h"
#include "records/form_edit.h"
#include "records/form_siaiseiseki.h"
#include "support/exchange_sheet.h"
#include "support/heldelsewhere.h"
#include "records/scorecard_layout.h"


namespace {

QString sql(const QString& text) { return db::scalar(text).toString(); }

// Players 7 "O'Neil", 12 山田, 30 佐藤; matches 41 and 57 of season 3. Game rows:
// ID player match game 上位 S10 ST SP; game 5 keeps a 順位 of 0 and a 競技点 of 310.
void club() {
    db::ensureOpen();
    QVERIFY(db::exec("INSERT INTO 選手 (選手ID, 選手名) VALUES (12, '山田'), (7, 'O''Neil'), (30, '佐藤')"));
    QVERIFY(db::exec("INSERT INTO シーズン (シーズンID, シーズン名) VALUES (3, '2025前期')"));
    QVERIFY(db::exec("INSERT INTO 会場 (会場ID, 会場名) VALUES (1, '駅前レーン')"));
    QVERIFY(db::exec("INSERT INTO 試合 (試合ID, シーズンID, 試合, 試合日) VALUES (41, 3, 1, '2025-04-06'), (57, 3, 2, '2025-05-11')"));
    const int games[8][8] = {{1, 12, 41, 1, 1, 200, 5, 3}, {2, 7, 41, 1, 0, 150, 2, 4}, {3, 12, 41, 2, 1, 180, 4, 4},
                             {4, 7, 41, 2, 1, 190, 3, 5},  {5, 30, 41, 1, 0, 120, 1, 2}, {6, 12, 57, 1, 1, 230, 7, 2},
                             {7, 7, 57, 1, 0, 230, 5, 1},  {8, 30, 57, 1, 1, 130, 4, 3}};
    for (const auto& g : games) {
        QVERIFY(db::exec("INSERT INTO データ項目 (ID, 選手ID, 試合ID, ｹﾞｰﾑ, 上位, S10, ST, SP, SPF, 優Ｐ, 当日, 入賞, 競技点, HCP, 人数, 順位, 試合日, 会場ID) "
                         "VALUES (?, ?, ?, ?, ?, ?, ?, ?, 1, 0, 0, '    ', ?, 10, 3, ?, (SELECT 試合日 FROM 試合 WHERE 試合ID = ?), 1)",
                         {g[0], g[1], g[2], g[3], g[4], g[5], g[6], g[7], g[0] == 5 ? 310 : g[5] + 10, g[0] == 5 ? 0 : 2, g[2]}));
        QVERIFY(db::exec("INSERT INTO マーク (ID, 選手ID, 試合ID, ｹﾞｰﾑ, M11, M01, S1, S9, S10) VALUES (?, ?, ?, ?, '＊', '９', 20, ?, ?)",
                         {g[0], g[1], g[2], g[3], g[5] - 9, g[5]}));
        QVERIFY(db::exec("INSERT INTO フレーム (ID, 選手ID, 試合ID, ゲーム, Flms11, pin11) VALUES (?, ?, ?, ?, 10, 0)", {g[0], g[1], g[2], g[3]}));
    }
    Module1::DataRecordCount = 8;
}

// The listed rows as the first character of the name and the match ID.
QString listed(const DBGrid* g) {
    QStringList out;
    for (int r = 0; r < g->model()->rowCount(); ++r)
        out << g->model()->index(r, 0).data().toString().left(1) + g->model()->index(r, 10).data().toString();
    return out.join(' ');
}

QString gameRow(int id) {
    return sql(QString("SELECT d.ｹﾞｰﾑ || ',' || m.ｹﾞｰﾑ || ',' || d.試合ID || ',' || m.試合ID || ',' || d.選手ID || ',' || m.選手ID || ',' || "
                       "d.S10 || ',' || m.S10 || ',' || d.ST || ',' || d.上位 || ',' || d.順位 || ',' || ifnull(m.S3, '') || ',' || d.試合日 "
                       "FROM データ項目 d JOIN マーク m ON m.ID = d.ID WHERE d.ID = %1").arg(id));
}

QByteArray dbHash(const QString& path) { return QCryptographicHash::hash(fileBytes(path), QCryptographicHash::Sha256); }

}  // namespace

class TestMatchRecords : public GuiTest {
    Q_OBJECT

    Form_Start& startMenu() {
        club();
        return shown<Form_Start>();
    }

    // The editor with the games of match 41 loaded, of all players or of the player in that row.
    Form_edit& editor(int playerRow = -1) {
        click(startMenu().Cmd_Edit);
        Form_edit* f = forms::loaded<Form_edit>();
        if (!f) return forms::get<Form_edit>();
        [&] {
            QVERIFY(!f->Cmd_OK->isEnabled() && !f->cmd_delete->isEnabled() && !f->Nav_mark->isVisible());
            QCOMPARE(f->Txt_Siai[1]->text() + f->Lbl_Siai[1]->text(), QString("412025/04/06"));
            // The button waits for the match picker to be moved, also when it cannot move.
            click(f->Nav_Siai->buttons()[0]);
            QVERIFY(f->Cmd_OK->isEnabled() && f->Cmd_OK->text() == "条件ＯＫ");
            if (playerRow < 0) tick(f->Opt_score[0]);
            else clickCell(f->DBG_Sensyu, playerRow, 1);
            click(f->Cmd_OK);
            QCOMPARE(f->Cmd_OK->text(), QString("変更取り消し"));
            QVERIFY(f->cmd_delete->isEnabled() && f->Nav_mark->isVisible());
        }();
        return *f;
    }

private Q_SLOTS:
    // Each day field held to its bounds (above tested first); an index beyond the fields keeps the text.
    void dayFieldBounds() {
        const std::pair<int, const char*> cases[] = {{0, "-1"}, {0, "7"}, {1, "2"}, {1, "-3"}, {2, "13"}, {2, "-1"}, {2, "12"},
                                                     {3, "11"}, {4, "-2"}, {5, "10.5"}, {6, "2"}, {7, "0"}, {8, "-4"},
                                                     {8, "2"}, {9, "-5"}, {-1, "99"}};
        QStringList got;
        for (const auto& [index, text] : cases) got << recordedit::limitDayField(index, QString::fromLatin1(text));
        QCOMPARE(got.join(u' '), QString("0 7 1 -3 12 0 12 10 0 10 1 1 1 2 -5 99"));
    }

    // Everything in the window tried in turn; what it shows at each step is kept.
    void triedEverything() {
        editor();
        vxtest::monkey(*dlg, 400, 13, [] {
            click(shown<Form_Start>().Cmd_Edit);
            Form_edit* f = forms::loaded<Form_edit>();
            return f && f->isShown() ? f : &shown<Form_edit>();
        });
    }

    // Every key in both directions, the direction chosen by the menu or the option buttons; equal
    // keys in match order, then by name.
    void sortKeys() {
        Form_Start& start = startMenu();
        QVERIFY(db::exec("UPDATE データ項目 SET SP = 6 WHERE ID = 8"));  // 佐藤's best game of spares beats the totals' order
        click(start.Cmd_siaiSeiseki);
        Form_siaiSeiseki* f = forms::loaded<Form_siaiSeiseki>();
        QVERIFY(f && notOnTop(*f).isEmpty() && !f->DBGrid1->isVisible() && f->Opt_sort[1]->isChecked() && f->menu_sort[1]->isChecked());
        QCOMPARE(f->Txt_Sensyu->text(), QString("全　員"));
        // Per key: descending; the menu's direction changes the marks and the options, not the list;
        // then ascending by the menu's key; the option button alone leaves the menu's mark.
        QStringList got;
        for (std::size_t key = 0; key < 7; ++key) {
            click(f->Cmd_what[key]);
            got << listed(f->DBGrid1);
            trigger(f->menu_sort[0]);
            QVERIFY(f->Opt_sort[0]->isChecked() && f->menu_sort[0]->isChecked() && !f->menu_sort[1]->isChecked());
            QCOMPARE(listed(f->DBGrid1), got.last());
            trigger(f->menu_what[key]);
            got << listed(f->DBGrid1);
            tick(f->Opt_sort[1]);
            QVERIFY(f->menu_sort[0]->isChecked() && !f->menu_sort[1]->isChecked());
            trigger(f->menu_sort[1]);
        }
        QCOMPARE(got.join('|'), QString("山41 O41 佐57 山57 佐41 O57|佐41 O57 O41 佐57 山57 山41|山41 O41 O57 山57 佐57 佐41|佐41 佐57 O57 山57 O41 山41|"
                                        "O57 山57 山41 O41 佐57 佐41|佐41 佐57 O41 山41 O57 山57|山41 山57 O41 O57 佐57 佐41|佐41 佐57 O41 O57 山57 山41|"
                                        "山57 山41 O57 佐57 O41 佐41|佐41 O41 佐57 山41 O57 山57|O41 山41 佐57 佐41 山57 O57|O57 佐41 山57 佐57 山41 O41|"
                                        "佐57 O41 山41 佐41 山57 O57|O57 佐41 山57 山41 O41 佐57"));
        const QAbstractItemModel* m = f->DBGrid1->model();
        QCOMPARE(m->headerData(7, Qt::Horizontal).toString() + m->headerData(9, Qt::Horizontal).toString() + m->index(0, 1).data().toString() +
                     m->index(0, 2).data().toString() + notOnTop(*f), QString("ST/GSP/G2025/05/111"));
        saveShot(f->subWindow(), "records_siaiseiseki");
    }

    // The name box filters by name, an apostrophe included; its navigator steps through the players
    // and nothing typed is written to them. The menu entry opens the window too, at its saved place.
    void playerFilter() {
        settings::SaveSetting("Form", "siai_sei_left", "1500");
        startMenu();
        QVERIFY(chooseMenu("試合ごとの統計(&T)"));
        Form_siaiSeiseki* f = forms::loaded<Form_siaiSeiseki>();
        QVERIFY(f && f->isShown() && int(f->Left()) == 1500);
        click(f->Nav_Sensyu->buttons()[2]);
        click(f->Cmd_what[1]);
        QCOMPARE(f->Txt_Sensyu->text() + listed(f->DBGrid1), QString("O'NeilO41 O57"));
        retype(f->Txt_Sensyu, "nobody");
        click(f->Cmd_what[1]);
        QCOMPARE(listed(f->DBGrid1), QString());
        click(f->Nav_Sensyu->buttons()[3]);
        click(f->Cmd_what[0]);
        QCOMPARE(f->Txt_Sensyu->text() + listed(f->DBGrid1), QString("佐藤佐57 佐41"));
        click(f->Nav_Sensyu->buttons()[0]);
        click(f->Cmd_what[0]);
        QCOMPARE(QString::number(f->DBGrid1->model()->rowCount()) + sql("SELECT group_concat(選手名, '/') FROM 選手"), QString("6全　員/O'Neil/山田/佐藤"));
        f->setLeft(300);
        click(f->cmd_back);
        QVERIFY(!forms::loaded<Form_siaiSeiseki>() && settings::GetSetting("form", "siai_sei_left", "") == "300");
    }

    // Moving through every game of the match and closing changes nothing in the file, though one
    // game keeps values beyond the typed limits; the captions follow the rows.
    void browsingChangesNothing() {
        Form_edit& f = editor();
        const QByteArray before = dbHash(env->path("Vorlix.mdb"));
        const QString changes = sql("SELECT total_changes()");
        QStringList ids;
        for (int i = 0; i < 6; ++i) {
            ids << f.txt_ID->text();
            if (f.txt_ID->text() == "5")
                QCOMPARE(f.Txt_etc[8]->text() + f.Txt_score[0]->text(), QString("0310"));
            click(f.Nav_mark->buttons()[2]);
            QCOMPARE(f.Cmd_OK->text(), QString("このスコアの\n変更取り消し"));
        }
        QCOMPARE(ids.join(' '), QString("2 1 5 4 3 3"));  // by game, then player ID; the last stays
        QCOMPARE(f.Txt_siaimei->text() + f.Txt_Sensyumei->text() + f.Txt_srsmei->text() + f.txt_Kaijo->text() + f.Txt_MARK[0]->text() +
                     f.Txt_MARK[18]->text() + f.Txt_score[1]->text() + f.Txt_score10->text(), QString("2025/04/06山田2025前期駅前レーン＊９20180"));
        click(f.Nav_mark->buttons()[0]);
        click(f.cmd_editGO);
        QVERIFY(notOnTop(f).isEmpty());
        // The card in one row under the frame numbers; the scratch, handicap and total boxes beside it.
        QString numbers;
        for (const QLabel* l : f.Txt_score[1]->parentWidget()->findChildren<QLabel*>()) {
            const int n = l->text().toInt();
            if (n >= 1 && n <= 10 && l->geometry().left() == f.Txt_score[std::size_t(n)]->x() && l->width() == f.Txt_score[std::size_t(n)]->width() &&
                l->geometry().bottom() < f.Txt_MARK[0]->y())
                numbers += l->text() + ' ';
        }
        const QList<QLineEdit*> row{f.Txt_score[10], f.Txt_score10, f.Txt_score[11], f.Txt_score[0]};
        for (int i = 1; i < row.size(); ++i)
            if (row[i]->x() <= row[i - 1]->geometry().right() || row[i]->geometry().right() >= row[i]->parentWidget()->width()) numbers += "overlap ";
        QCOMPARE(cardOutOfPlace(f.Txt_MARK, f.Txt_score, 10) + numbers, QString("1 2 3 4 5 6 7 8 9 10 "));
        saveShot(f.subWindow(), "records_edit");
        click(f.Cmd_End);
        QVERIFY(!forms::loaded<Form_edit>() && dlg->beeps() == 0 && sql("SELECT total_changes()") == changes);
        QCOMPARE(dbHash(env->path("Vorlix.mdb")), before);
    }

    // The limits, the beep and the copies apply to what is typed; 変更を保存する stores it, each
    // field in its own table; 変更取り消し drops what was typed.
    void limitsCopiesSaveAndCancel() {
        Form_edit& f = editor(2);  // 山田: games 1 and 3
        const struct { int box; const char* typed; const char* shown; } limits[] = {
            {2, "15", "12"}, {2, "-3", "0"}, {2, "12", "12"}, {8, "0", "1"}, {7, "0", "1"}, {1, "2", "1"}, {6, "2", "1"},
            {0, "-1", "0"}, {3, "11", "10"}, {4, "10", "10"}, {5, "11", "10"}, {5, "-2", "0"}, {0, "x", "x"}, {8, "x", "1"},
        };
        for (const auto& l : limits) {
            retype(f.Txt_etc[std::size_t(l.box)], QString(l.typed));
            QCOMPARE(f.Txt_etc[std::size_t(l.box)]->text(), QString(l.shown));
        }
        retype(f.Txt_etc[0], "4");
        retype(f.Txt_score[3], "301");
        QCOMPARE(dlg->beeps(), 1);
        retype(f.Txt_score[3], "300");
        retype(f.Txt_score[11], "-");
        QCOMPARE(dlg->beeps(), 1);
        retype(f.Txt_score[11], "-5");
        QCOMPARE(dlg->beeps(), 2);
        retype(f.Txt_score[11], "10");
        retype(f.Txt_score10, "77");        // lasts only until a score box changes
        retype(f.Txt_score[10], "199");
        retype(f.Txt_sensyuID[1], "99");    // follows its twin at once
        retype(f.Txt_game[0], "3");
        retype(f.Txt_game[1], "7"), retype(f.Txt_siaiID[1], "99");  // so do these
        QCOMPARE(f.Txt_score10->text() + f.Txt_sensyuID[1]->text() + f.Txt_game[1]->text() + f.Txt_siaiID[1]->text(), QString("19912341"));
        retype(f.Txt_siaimei, "2025/4/7");
        click(f.cmd_editGO);
        // Read again from the first game, which is now game 3 (game number 2).
        QCOMPARE(gameRow(1) + sql("SELECT ' ' || 優Ｐ || SP || SPF || ｽﾌﾟﾘｯﾄ || 当日 || 人数 || HCP FROM データ項目 WHERE ID = 1") + ' ' + f.txt_ID->text() +
                     f.Txt_siaimei->text(), QString("3,3,41,41,12,12,199,199,12,1,1,300,2025-04-07 4101001110 32025/04/06"));

        // 変更取り消し drops what was typed into the game shown; moving on stores it.
        retype(f.Txt_siaiID[0], "57");
        retype(f.Txt_etc[2], "9");
        click(f.Cmd_OK);
        QCOMPARE(f.txt_ID->text() + f.Txt_etc[2]->text() + f.Txt_siaiID[1]->text() + gameRow(3), QString("34412,2,41,41,12,12,180,180,4,1,2,,2025-04-06"));
        retype(f.Txt_etc[2], "6");
        click(f.Nav_mark->buttons()[2]);
        QCOMPARE(f.txt_ID->text() + gameRow(3), QString("12,2,41,41,12,12,180,180,6,1,2,,2025-04-06"));

        // A date that is no date is refused and kept in its box until it is corrected.
        retype(f.Txt_siaimei, "いつか");
        dlg->expectMsgBox(vbOK, "日付を入力してください。");
        click(f.cmd_editGO);
        QCOMPARE(f.Txt_siaimei->text(), QString("いつか"));
        retype(f.Txt_siaimei, "2025/4/8");
        // The start menu's score entry closes the editor, which keeps what was typed.
        Form_Start& start = shown<Form_Start>();
        QTest::mouseMove(MdiFrame::instance()->windowHandle(), start.mapTo(MdiFrame::instance(), QPoint(3, 3)));
        settle();
        click(start.Cmd_OK);
        QVERIFY(!forms::loaded<Form_edit>() && sql("SELECT 試合日 FROM データ項目 WHERE ID = 1") == "2025-04-08");
    }

    // A number the editor cannot store is refused with its message at the save and at the navigator,
    // the keyboard back in its box, and nothing is written: a game number other than 1 to 10, the
    // reserved player 0, text or a number too large for a whole-number box.
    void numbersAreChecked() {
        Form_edit& f = editor(2);  // 山田: games 1 and 3
        const QByteArray before = dbHash(env->path("Vorlix.mdb"));
        const QString game = "ゲームは１から１０までの整数", player = "選手IDは１から３２７６７までの整数", large = "入力した数値が大きすぎます。",
                      number = "数値を入力してください。", huge = "99999999999999999999";
        const struct { QLineEdit* box; QString typed, message; } refused[] = {
            {f.Txt_game[0], "abc", game}, {f.Txt_game[0], "", game}, {f.Txt_game[0], "1e309", game}, {f.Txt_game[0], "99999999999", game},
            {f.Txt_game[0], "-0", game}, {f.Txt_game[0], "11", game}, {f.Txt_game[0], "1.5", game}, {f.Txt_sensyuID[0], "0", player},
            {f.Txt_sensyuID[0], "-0", player}, {f.Txt_sensyuID[0], "", player}, {f.Txt_score[11], huge, large}, {f.Txt_score[3], "1e30", large},
            {f.Txt_score[10], "-" + huge, large}, {f.Txt_score[0], "abc", number}, {f.Txt_etc[0], huge, large}, {f.Txt_etc[7], huge, large},
            {f.Txt_etc[8], "9223372036854775808", large}, {f.Txt_siaiID[0], huge, large}, {f.txt_KaijoID, "x", number}, {f.Txt_score[9], "9x", number},
        };
        for (const auto& r : refused) {
            retype(r.box, r.typed);
            if (r.typed.isEmpty()) press(Qt::Key_Backspace);
            dlg->expectMsgBox(vbOK, r.message);
            click(&r == refused ? f.Nav_mark->buttons()[2] : f.cmd_editGO);
            QVERIFY2(dlg->allAnswered() && QApplication::focusWidget() == r.box && r.box->text() == r.typed, qPrintable(r.typed));
            QCOMPARE(f.txt_ID->text(), QString("1"));
            click(f.Cmd_OK);  // drops it
        }
        QCOMPARE(dbHash(env->path("Vorlix.mdb")), before);
        retype(f.Txt_game[0], "10");
        retype(f.Txt_score[11], "-0");
        click(f.cmd_editGO);
        QCOMPARE(sql("SELECT d.ｹﾞｰﾑ || m.ｹﾞｰﾑ || ' ' || quote(d.HCP) || ' ' || f.ゲーム FROM データ項目 d JOIN マーク m USING (ID) JOIN フレーム f USING (ID) WHERE ID = 1"),
                 QString("1010 0 10"));
        retype(f.Txt_game[0], "abc");  // the close box waits for a refused entry to be corrected
        dlg->expectMsgBox(vbOK, game);
        f.subWindow()->close();
        QVERIFY(dlg->allAnswered() && forms::loaded<Form_edit>() == &f && f.isShown() && notOnTop(f).isEmpty());
    }

    // While another program holds the database, deleting and saving a game say so and change
    // nothing; what was typed stays, to be saved when the database is free.
    void databaseHeldElsewhere() {
        Form_edit& f = editor(2);  // 山田: games 1 and 3
        const QByteArray before = dbHash(env->path("Vorlix.mdb"));
        {
            HeldElsewhere other(env->path("Vorlix.mdb"), "IMMEDIATE");
            QVERIFY(other.holding());
            dlg->expectMsgBox(vbOK, "表示中").expectMsgBox(vbOK, db::inUseMessage());
            click(f.cmd_delete);
            retype(f.Txt_etc[2], "9");
            dlg->expectMsgBox(vbOK, db::inUseMessage());
            click(f.cmd_editGO);
            QVERIFY(dlg->allAnswered() && f.Txt_etc[2]->text() == "9" && f.txt_ID->text() == "1");
        }
        QCOMPARE(dbHash(env->path("Vorlix.mdb")), before);
        click(f.cmd_editGO);
        QCOMPARE(sql("SELECT group_concat(ID || ':' || ST) FROM データ項目 WHERE 選手ID = 12"), QString("1:9,3:4,6:7"));
    }

    // A game typed into another match, or to another player while one is chosen, is stored in both
    // tables, its フレーム row follows it (a game already under the new key keeps its own) and it stays
    // in the list as stored; a match that does not exist, or pins that cannot follow, are refused with
    // nothing written.
    void movingAGame() {
        Form_edit& f = editor(2);  // 山田: games 1 and 3
        auto others = [] { QStringList rows; for (int id : {2, 4, 5, 6, 7, 8}) rows << gameRow(id); return rows; };
        const QStringList othersBefore = others();
        const QString rest = "SELECT (SELECT group_concat(試合ID || 試合日) FROM 試合) || (SELECT group_concat(選手ID || 選手名) FROM 選手)";
        const QString frames = "SELECT group_concat(ID || ',' || 選手ID || ',' || 試合ID || ',' || ゲーム || ',' || Flms11 || pin11, ' ') FROM フレーム";
        const QString before = sql(rest), framesBefore = sql(frames);
        retype(f.Txt_siaiID[0], "99");
        dlg->expectMsgBox(vbExclamation, "入力した値を記録できませんでした。");
        click(f.Nav_mark->buttons()[2]);
        QCOMPARE(f.txt_ID->text() + f.Txt_siaiID[1]->text() + gameRow(1) + notOnTop(f), QString("199") + "1,1,41,41,12,12,200,200,5,1,2,,2025-04-06");
        click(f.Cmd_OK);  // drops it
        QVERIFY(db::exec("CREATE TEMP TRIGGER refuse BEFORE UPDATE ON フレーム WHEN NEW.ゲーム = 9 BEGIN SELECT RAISE(ABORT, 'no'); END"));
        retype(f.Txt_game[0], "9");
        dlg->expectMsgBox(vbExclamation, "入力した値を記録できませんでした。");
        click(f.Nav_mark->buttons()[2]);
        QCOMPARE(gameRow(1) + sql(frames), "1,1,41,41,12,12,200,200,5,1,2,,2025-04-06" + framesBefore);
        click(f.Cmd_OK);

        retype(f.Txt_siaiID[0], "57");
        click(f.Nav_mark->buttons()[2]);
        retype(f.Txt_sensyuID[0], "30");
        click(f.Nav_mark->buttons()[1]);
        QCOMPARE(f.txt_ID->text() + f.Txt_siaiID[0]->text() + f.Txt_siaiID[1]->text() + f.Txt_Sensyumei->text(), QString("15757山田"));
        click(f.Nav_mark->buttons()[3]);
        QCOMPARE(f.txt_ID->text() + f.Txt_sensyuID[0]->text() + f.Txt_sensyuID[1]->text() + f.Txt_Sensyumei->text() +
                     QString::number(f.Data_mark->recordset().RecordCount()), QString("33030佐藤2"));
        click(f.Cmd_End);
        QVERIFY(!forms::loaded<Form_edit>() && others() == othersBefore && sql(rest) == before && dlg->beeps() == 0);
        QCOMPARE(gameRow(1) + ' ' + gameRow(3), QString("1,1,57,57,12,12,200,200,5,1,2,,2025-04-06 2,2,41,41,30,30,180,180,4,1,2,,2025-04-06"));
        QCOMPARE(sql(frames), QString("1,12,57,1,100 2,7,41,1,100 3,30,41,2,100 4,7,41,2,100 5,30,41,1,100 6,12,57,1,100 "
                                      "7,7,57,1,100 8,30,57,1,100"));
    }

    // Match, player and game number changed together: the フレーム row still follows.
    void movingAGameWhole() {
        Form_edit& f = editor(2);
        retype(f.Txt_siaiID[0], "57"), retype(f.Txt_sensyuID[0], "7"), retype(f.Txt_game[0], "3");
        click(f.Nav_mark->buttons()[3]);
        click(f.Cmd_End);
        QCOMPARE(gameRow(1) + ' ' + sql("SELECT 選手ID || ',' || 試合ID || ',' || ゲーム FROM フレーム WHERE ID = 1"),
                 QString("3,3,57,57,7,7,200,200,5,1,2,,2025-04-06 7,57,3"));
    }

    // Deleting asks first, then removes the game's rows from all three tables and shows the next game.
    void deleting() {
        Form_edit& f = editor();
        click(f.Nav_mark->buttons()[2]);  // game 1
        const QString counts = "SELECT (SELECT count(*) FROM データ項目) || (SELECT count(*) FROM マーク) || (SELECT count(*) FROM フレーム) || "
                               "(SELECT count(*) FROM 選手) || (SELECT count(*) FROM 試合)";
        dlg->expectMsgBox(vbCancel, "表示中のデータを削除します。よろしいですか？");
        click(f.cmd_delete);
        QVERIFY(sql(counts) == "88842" && dlg->shown().back().style == int(vbOKCancel | vbExclamation));
        retype(f.Txt_Sensyumei, "消える名前");  // what was typed into the game goes with it
        dlg->expectMsgBox(vbOK, "表示中のデータを削除します。");
        click(f.cmd_delete);
        QCOMPARE(sql(counts) + sql("SELECT count(*) FROM フレーム WHERE ID = 1") + ' ' + f.txt_ID->text() + ' ' + QString::number(Module1::DataRecordCount) +
                     notOnTop(f) + sql("SELECT group_concat(選手名) FROM 選手"), QString("777420 5 7全　員,O'Neil,山田,佐藤"));
        // The last game deleted, the new last is shown; a selection without games has nothing to delete.
        click(f.Nav_mark->buttons()[3]);
        dlg->expectMsgBox(vbOK, "表示中");
        click(f.cmd_delete);
        QCOMPARE(f.txt_ID->text(), QString("4"));
        // The game shown, deleted by another program meanwhile: the editor says there was nothing.
        QVERIFY(execSql("DELETE FROM データ項目 WHERE ID = 4"));
        const int games = Module1::DataRecordCount;
        dlg->expectMsgBox(vbOK, "表示中").expectMsgBox(vbOK, "不正なデータorデータがありません");
        click(f.cmd_delete);
        QCOMPARE(QList<int>({Module1::DataRecordCount, int(dlg->allAnswered())}), QList<int>({games, 1}));
        tick(f.Opt_score[1]);
        clickCell(f.DBG_Sensyu, 2, 1);  // 山田 has no game left in match 41
        click(f.Cmd_OK);
        QCOMPARE(f.Txt_Sensyu->text() + f.Cmd_OK->text(), QString("12条件ＯＫ"));
        dlg->expectMsgBox(vbOK, "表示中").expectMsgBox(vbOK, "不正なデータorデータがありません");
        click(f.cmd_delete);
        QCOMPARE(sql(counts), QString("55542"));
        f.subWindow()->close();  // the close box closes it when nothing waits
        QCOMPARE(forms::loaded<Form_edit>(), nullptr);
    }
};

QTEST_MAIN(TestMatchRecords)
#include "tst_matchrecords.moc"
