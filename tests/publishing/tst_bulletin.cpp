// The match bulletin: its page without a window (byte for byte, the sections, the standings' ranges
// and totals, a missing results file) and its dialog as the user drives it from the start menu.
#include "support/monkey.h"
#include "common/clock.h"
#include "common/convert.h"
#include "publishing/bulletin.h"
#include "publishing/form_html_color.h"
#include "publishing/form_sokuho.h"
#include "records/seasonresults.h"
#include "support/exchange_sheet.h"
#include "support/publishing_fixture.h"

using namespace vx::publishing;

namespace {

const QString Heading = "第3シーズン\u3000第2試合のニュースです。";

// Strikes, spares, misses and top places on the fixture's games, so the standings hold figures,
// and the running scores of every frame, so the cards do.
bool withFigures() {
    if (!publishingClub() || !db::exec("UPDATE データ項目 SET 上位 = ID % 2, ST = ID + 1, SP = 3 * ID, SPF = 4 - ID, 競技点 = IFNULL(競技点, 9), "
                                            "試合日 = '2025-04-06'"))
        return false;
    for (int f = 1; f <= 10; ++f)
        if (!db::exec(QString("UPDATE マーク SET S%1 = (SELECT S10 FROM データ項目 d WHERE d.ID = マーク.ID) * %1 / 10").arg(f))) return false;
    return true;
}

// The bulletin of a match as the dialog hands it over, every section on.
Bulletin bulletinOf(const BulletinMatch& m, const QString& folder) {
    const auto season = results::matchRangeQuery(double(m.firstMatchId), double(m.matchId), Val(m.season));
    const auto all = results::matchRangeQuery(1, double(m.matchId));
    return {.match = m, .sections = {true, true, true, true, true, true}, .season = {season.sql, season.params}, .allTime = {all.sql, all.params},
            .markTexts = Module1::MarkTexts, .folder = folder,
            .setup = {.colors = Module1::HtmlColors, .frame = {.title = bulletinTitle(m), .heading = bulletinHeading(m), .headingEnd = {}, .footer = {}},
                      .footerText = "説明 <B>太字</B>", .written = clock::now()}};
}

// The bulletin written with only these sections on.
PageResult writeWith(const QString& path, Bulletin& b, const std::array<bool, 6>& sections) {
    b.sections = sections;
    return writeBulletin(path, b);
}

QString page(const QString& path) { return fromCp932(fileBytes(path)).value_or("unreadable"); }

// The body of a standings table from its heading to its end.
QString table(const QString& page, const QString& heading) {
    const qsizetype at = page.indexOf(heading);
    return at < 0 ? QString() : page.mid(at, page.indexOf("</Table>", at) - at);
}

}  // namespace

class TestBulletin : public GuiTest {
    Q_OBJECT

private Q_SLOTS:
    // Match 41 with every section, byte for byte; the proposals of its acceptance; the standings.
    void pageOfMatch() {
        QVERIFY(withFigures());
        QVERIFY(writeMilestones(env->home()));
        const auto m = acceptMatch("3", "2", 41, env->home());
        QVERIFY(m && m->hasResults && m->firstMatchId == 41 && m->matchId == 41);
        QCOMPARE(bulletinFile(env->home(), *m) + bulletinFile("/", *m) + "|" + bulletinTitle(*m) + "|" + bulletinHeading(*m),
                 env->path("news3_2.htm") + "/news3_2.htm|News3-2|" + Heading);
        const QString path = env->path("news3_2.htm");
        QCOMPARE(writeBulletin(path, bulletinOf(*m, env->home())), PageResult::Written);
        QCOMPARE(fileBytes(path), fileBytes(VX_TEST_DATA "/publishing/news3_2.htm"));
        // The match ID reaches the statement as a value: text around it finds no match.
        QVERIFY(!acceptMatch("3", "2", "41 OR 1=1", env->home()) && !acceptMatch("3", "2", 99, env->home()) && !acceptMatch("3.5", "2", 41, env->home()));

        // The season table takes the season's matches up to this one, never another season's match
        // stored between them; the all-time table takes every match up to it. Totals weigh every game.
        // Match 50 of season 4 lies between season 3's matches 41 and 57.
        QVERIFY(db::exec("INSERT INTO 試合 (試合ID, シーズンID, 試合) VALUES (50, 4, 1)"));
        QVERIFY(storePublishedGame(5, 12, 50, 1, 5, "１着", 200, 200, "＊"));
        QVERIFY(db::exec("UPDATE データ項目 SET 上位 = 1, ST = 0, SP = 0, SPF = 0 WHERE ID = 5"));
        Bulletin b = bulletinOf(acceptMatch("3", "3", 57, env->home()).value(), env->home());
        QCOMPARE(b.match.firstMatchId, 41);
        const std::array<bool, 6> tables{false, false, false, true, true, false};
        QCOMPARE(writeWith(path, b, tables), PageResult::Written);
        const QString season = table(page(path), "現時点でのシーズン成績"), all = table(page(path), "現時点での通算成績");
        // 山田太郎: games of matches 41 and 57 in the season (3 points), with match 50's in all time (8 points).
        QVERIFY(season.contains("<TD ALIGN=center>\r\n山田太郎    </TD>\r\n<TD> 2 \u3000</TD>\r\n<TD BGCOLOR=#C0C0C0>"
                                "<FONT COLOR=#FF0000> 3 \u3000</font></TD>"));
        QVERIFY(all.contains("山田太郎    </TD>\r\n<TD> 3 \u3000</TD>\r\n<TD BGCOLOR=#C0C0C0><FONT COLOR=#FF0000> 8 \u3000"));
        QCOMPARE(season.count("<TR ALIGN=right"), 3);
        QVERIFY(season.contains("合計平均</font></TD>\r\n<TD BGCOLOR=#FFFF00><FONT COLOR=#008000> 4 </font></TD>") &&
                all.contains("合計平均</font></TD>\r\n<TD BGCOLOR=#FFFF00><FONT COLOR=#008000> 5 </font></TD>"));

        // 13 top places in 40 games, 3 spares and 1 miss: the season's and all time's closing texts.
        QVERIFY(db::exec("DELETE FROM データ項目"));
        for (int i = 0; i < 40; ++i)
            QVERIFY(db::exec("INSERT INTO データ項目 (選手ID, 試合ID, ｹﾞｰﾑ, 優Ｐ, 上位, S10, ST, SP, SPF) VALUES (7, 41, 1, 0, ?, 150, 2, ?, ?)",
                             {i < 13 ? 1 : 0, i < 3 ? 1 : 0, i == 3 ? 1 : 0}));
        b = bulletinOf(*acceptMatch("3", "2", 41, env->home()), env->home());
        QCOMPARE(writeWith(path, b, tables), PageResult::Written);
        const QString cell = "<TD BGCOLOR=#FFFF00><FONT COLOR=#008000>";
        const QString s = table(page(path), "現時点でのシーズン成績"), a = table(page(path), "現時点での通算成績");
        for (const QString& t : {s, a}) {
            QVERIFY(t.contains(cell + " 13 </font></TD>\r\n" + cell + " 32.5%"));
            QVERIFY(t.contains(cell + " 150.0</font></TD>\r\n" + cell + " 80 </font></TD>\r\n" + cell + "2.00</font></TD>"));
            QVERIFY2(t.contains("<TD BGCOLOR=#C0C0C0><FONT COLOR=#FF0000>32.5%\u3000</font></TD>") && t.contains("<TD>6000\u3000</TD>"), qPrintable(t));
        }
        QVERIFY(s.contains(" 32.5%</font></TD>") && a.contains(" 32.5%\u3000</font></TD>"));
        QVERIFY(s.contains(cell + " 75.0% </font></TD>\r\n</TR>") && a.contains(cell + " 75.0%</font></TD>\r\n</TR>"));
        // Neither spares nor misses in the whole table: the rate stays empty, the page is written.
        QVERIFY(db::exec("UPDATE データ項目 SET SP = 0, SPF = 0"));
        QCOMPARE(writeBulletin(path, b), PageResult::Written);
        QVERIFY(table(page(path), "現時点での通算成績").contains(cell + "%</font></TD>\r\n</TR>"));
    }

    // The score sheet and both standings cut a name at a character outside the basic plane whole
    // and pad a name of that character alone to eight places.
    void namesOutsideTheBasicPlane() {
        QVERIFY(withFigures());
        QVERIFY(db::exec("UPDATE 選手 SET 選手名 = ? WHERE 選手ID = 12", {"山田太郎右衛門𠮷田"}) && db::exec("UPDATE 選手 SET 選手名 = '𠮷' WHERE 選手ID = 30"));
        const QString path = env->path("n.htm");
        Bulletin b = bulletinOf(*acceptMatch("3", "2", 41, env->home()), env->home());
        QCOMPARE(writeWith(path, b, {false, false, true, true, true, false}), PageResult::Written);
        const QByteArray bytes = fileBytes(path);
        QCOMPARE(bytes.count(toCp932("山田太郎右衛門") + "&#134071;</"), 3);
        QCOMPARE(bytes.count("\n&#134071;       </TD>") + bytes.count(">&#134071;       </font>"), 3);
        QVERIFY(!bytes.contains("&#55362;"));
    }

    // All sections off; a results file without milestones, a missing one; no games; a colour that is no number.
    void sections() {
        QVERIFY(publishingClub());
        const QString path = env->path("n.htm");
        Bulletin b = bulletinOf(*acceptMatch("3", "2", 41, env->home()), env->home());
        QVERIFY(!b.match.hasResults);
        b.setup.footerText.clear();
        QCOMPARE(writeWith(path, b, {}), PageResult::Written);
        QCOMPARE(page(path).section("</HEAD>\r\n", 1), "<BODY bgcolor=#FFFFFF>\r\n<center><H1><font color=000080>\r\n" + Heading +
                             "\r\n</font></H1></Center><HR>\r\n<center><TABLE border= 1>\r\n</TABLE><HR><BR></CENTER>\r\n"
                             "<center><TABLE border=1><TR><TD>\r\n\r\n</TD></TR></Table></center><HR>\r\n<HR>\r\n</BODY></HTML>\r\n");

        // Without the results file the two results sections refuse, and the page already there stays.
        put(path, "old page");
        QCOMPARE(writeWith(path, b, {true, false, false, false, false, false}), PageResult::NoResults);
        QCOMPARE(writeWith(path, b, {false, true, false, false, false, false}), PageResult::NoResults);
        QCOMPARE(fileBytes(path), QByteArray("old page"));
        // A file without milestones: the day's lines in the ranking, the heading alone in the records.
        QVERIFY(writeMilestones(env->home(), false));
        QCOMPARE(writeWith(path, b, {true, true, false, false, false, false}), PageResult::Written);
        QVERIFY(page(path).contains("<TR><TD align=left>\r\n<BR>\u3000順位 得点 競技点 優Ｐ 選手名<BR>\u3000選手名<BR>\u3000得点<BR>\u30001"
                                    "<BR>\u3000山田太郎<BR>\u3000187<BR>\u3000\r\n</TD></TR>\r\n<TR><TD align=left>\r\n<font color=000080>"
                                    "☆☆☆\u3000\u3000達成された通算記録\u3000\u3000☆☆☆</font>\r\n<BR></TD></TR>\r\n</TABLE>"));
        // An empty file reads as none.
        put(env->path("SD-3-2.txt"), "");
        QVERIFY(!resultsReadable(env->path("SD-3-2.txt")) && !acceptMatch("3", "2", 41, env->home())->hasResults);

        // A match without games: the score sheet refuses, the cards stand empty.
        QVERIFY(db::exec("INSERT INTO 試合 (試合ID, シーズンID, 試合) VALUES (58, 3, 4)"));
        b.match = *acceptMatch("3", "4", 58, env->home());
        QCOMPARE(writeWith(path, b, {false, false, true, false, false, false}), PageResult::NoGames);
        QCOMPARE(writeWith(path, b, {false, false, false, false, false, true}), PageResult::Written);
        QVERIFY(page(path).contains("スコアブック</font></H2></Center>\r\n<CENTER>\r\n</center>\r\n<HR>\r\n<center><TABLE border=1>"));
        // A game without its score with handicap cannot show its handicap on a card.
        b.match = *acceptMatch("3", "2", 41, env->home());
        QCOMPARE(writeBulletin(path, b), PageResult::Unreadable);
        QVERIFY(db::exec("UPDATE データ項目 SET 競技点 = IFNULL(競技点, 9)"));  // nor without its score
        QVERIFY(db::exec("UPDATE マーク SET S10 = IFNULL(S10, 0)"));
        QCOMPARE(writeWith(path, b, {false, false, false, false, false, true}), PageResult::Written);
        QVERIFY(db::exec("UPDATE マーク SET S10 = NULL WHERE ID = (SELECT MAX(ID) FROM データ項目 WHERE 試合ID = 41)"));
        QCOMPARE(writeWith(path, b, {false, false, false, false, false, true}), PageResult::Unreadable);
        b.setup.colors[2] = "pink";
        QCOMPARE(writeWith(path, b, {}), PageResult::BadColors);
        b.setup.colors[2] = "0";
        QCOMPARE(writeBulletin(env->path("no/such/folder/n.htm"), b), PageResult::NotWritten);
        const QString allTime = b.allTime.sql;
        b.allTime.sql = "SELECT * FROM (" + allTime + ") WHERE 0";  // nobody to stand in it
        QCOMPARE(writeWith(path, b, {false, false, false, false, true, false}), PageResult::NoStandings);
        b.allTime.sql = "SELECT 1";
        QCOMPARE(writeWith(path, b, {false, false, false, false, true, false}), PageResult::NoStandings);
    }

    // From the start menu: moving, accepting, the colour window and back, OK writes the accepted match.
    void dialog() {
        QVERIFY(withFigures());
        saveHtmlColors(Module1::HtmlColors);  // the colour window reads them from the store
        QVERIFY(writeMilestones(env->home()));
        recordBrowser();
        // 23 more matches of season 5 after match 57: 25 in the list.
        for (int id = 60; id < 83; ++id) QVERIFY(db::exec("INSERT INTO 試合 (試合ID, シーズンID, 試合) VALUES (?, 5, ?)", {id, id - 59}));
        shown<Form_Start>();
        click(forms::get<Form_Start>().Cmd_sokuho);
        Form_sokuho& f = forms::get<Form_sokuho>();
        QCOMPARE(notOnTop(f), QString());
        auto labels = [&f] { return f.Lbl_Siai[0]->text() + " " + f.Lbl_Siai[1]->text() + " " + f.Lbl_Siai[2]->text(); };
        QCOMPARE(labels(), QString("5 23 82"));
        QVERIFY(!f.Cmd_OK->isEnabled() && !f.menu_ok->isEnabled());
        for (std::size_t i = 0; i < 6; ++i) QCOMPARE(f.Chk_op[i]->isChecked(), i >= 2);  // restored with "0"
        saveShot(f.subWindow(), "publishing_sokuho");
        // Positions p (0-based) after each move from the last row.
        const std::pair<int, int> moves[] = {{3, 24}, {2, 23}, {1, 13}, {1, 3}, {1, 0}, {2, 0}, {4, 10}, {4, 20}, {3, 21}, {4, 24},
                                             {0, 0}, {3, 1}, {4, 11}, {1, 1}, {5, 24}, {1, 14}, {4, 24}};
        for (auto [button, row] : moves) {
            click(f.cmd_mov[std::size_t(button)]);
            QCOMPARE(f.Data_Siai->currentRow(), row);
        }
        // Enter in the file box writes nothing before or after a match is accepted.
        click(f.Txt_file);
        press(Qt::Key_Return);
        click(f.cmd_mov[0]);
        QCOMPARE(labels(), QString("3 2 41"));
        tick(f.Chk_op[0]);
        click(f.cmd_siaiOK);
        QVERIFY(f.Cmd_OK->isEnabled() && f.menu_ok->isEnabled() && f.Chk_op[0]->isChecked() && f.Chk_op[1]->isEnabled());
        QCOMPARE(f.Txt_file->text() + "|" + f.Txt_jofo[0]->text() + "|" + f.Txt_jofo[1]->text() + "|" + f.Lbl_Siai[3]->text(),
                 env->path("news3_2.htm") + "|News3-2|" + Heading + "|41");

        // The colour window and back: the list shows the last match again, the accepted one stays.
        click(f.Cmd_color);
        QCOMPARE(notOnTop(forms::get<Form_HTML_color>()), QString());
        click(f.Txt_jofo[2]);
        QCOMPARE(notOnTop(f), QString());
        QCOMPARE(labels(), QString("5 23 82"));
        typeKeys("説明 <B>太字</B>");
        press(Qt::Key_Return);
        QVERIFY(!QFileInfo::exists(env->path("news3_2.htm")));
        for (int i : {0, 1}) tick(f.Chk_op[std::size_t(i)]);
        tick(f.Chk_open);
        const double left = f.Left();
        click(f.Cmd_OK);
        QCOMPARE(fileBytes(env->path("news3_2.htm")), fileBytes(VX_TEST_DATA "/publishing/news3_2.htm"));
        QCOMPARE(launched, QStringList{"xdg-open|" + env->path("news3_2.htm")});
        QVERIFY(!forms::loaded<Form_sokuho>());
        QCOMPARE(setting("out_jun") + setting("out_score_b") + settings::GetSetting("form", "sokuho_left", "x"),
                 "11" + QString::number(left, 'g', 10));
    }

    // A match without results file: the message, the two boxes off and kept off while it stays
    // accepted, the stored choice kept; a page that cannot be written leaves the dialog open.
    // Everything in the window tried in turn; what it shows at each step is kept.
    void triedEverything() {
        QVERIFY(withFigures());
        saveHtmlColors(Module1::HtmlColors);
        QVERIFY(writeMilestones(env->home()));
        shown<Form_sokuho>();
        vxtest::monkey(*dlg, 300, 47, [] { return &shown<Form_sokuho>(); });
    }

    void matchWithoutResults() {
        QVERIFY(withFigures());
        settings::SaveSetting("setting", "out_jun", "0");
        Form_sokuho& f = shown<Form_sokuho>();
        QCOMPARE(f.Lbl_Siai[2]->text(), QString("57"));
        tick(f.Chk_op[0]);  // the choice of the moment is what is kept
        QCOMPARE(QList<bool>({f.Chk_op[0]->isChecked(), f.Chk_op[1]->isChecked()}), QList<bool>({true, false}));
        for (int twice = 0; twice < 2; ++twice) {
            dlg->expectMsgBox(vbOK, "この試合の速報用データがありません。\r[順位発表]と[達成された記録]は出力できません");
            click(f.cmd_siaiOK);
            QVERIFY(f.Cmd_OK->isEnabled() && !f.Chk_op[0]->isEnabled() && !f.Chk_op[0]->isChecked() && !f.Chk_op[1]->isEnabled());
            QVERIFY(f.Chk_op[2]->isEnabled());  // the sections that need no results stay
            QCOMPARE(setting("out_jun") + setting("out_kiroku"), QString("10"));
            click(f.cmd_mov[0]);
            QVERIFY(!f.Chk_op[0]->isEnabled() && !f.Chk_op[1]->isChecked());
        }
        QCOMPARE(dlg->shown().front().style, vbExclamation | vbOKOnly);
        f.Txt_file->setText(env->home());
        dlg->expectMsgBox(vbOK, "最新のvorlixで作成されたデータではないようです。");
        trigger(f.menu_ok);
        QCOMPARE(notOnTop(f), QString());
        // Closed with the boxes off: the stored choice stays.
        trigger(f.menu_end);
        QCOMPARE(setting("out_jun") + setting("out_kiroku"), QString("10"));
        // Match 41 has its file: accepting it after 57 brings the two boxes back as stored.
        Form_sokuho& g = shown<Form_sokuho>();
        dlg->expectMsgBox(vbOK, "この試合の速報用データがありません。\r[順位発表]と[達成された記録]は出力できません");
        click(g.cmd_siaiOK);
        QVERIFY(writeMilestones(env->home()));
        click(g.cmd_mov[0]);
        QCOMPARE(g.Lbl_Siai[2]->text(), QString("41"));
        click(g.cmd_siaiOK);
        QVERIFY(g.Chk_op[0]->isEnabled() && g.Chk_op[0]->isChecked());
        trigger(g.menu_end);
        QVERIFY(!forms::loaded<Form_sokuho>());
        QCOMPARE(setting("out_jun") + setting("out_kiroku"), QString("10"));
    }
};

QTEST_MAIN(TestBulletin)
#include "tst_bulletin.moc"
