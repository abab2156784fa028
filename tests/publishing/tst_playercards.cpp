// The player page and the score-card page: their writers byte for byte, and their dialogs opened
// from the individual records and the score book, which are back on their rows afterwards.
#include "publishing/form_html_all.h"
#include "publishing/form_html_kojin.h"
#include "publishing/playerpage.h"
#include "publishing/scorecards.h"
#include "records/form_kojin.h"
#include "records/form_score.h"
#include "support/exchange_sheet.h"
#include "support/publishing_fixture.h"

using namespace vx::publishing;

namespace {

QByteArray expected(const QString& name) { return fileBytes(QStringLiteral(VX_TEST_DATA "/publishing/") + name); }

PlayerPage playerPage(const QString& player, bool seasons, bool allTime, const QString& first, const QString& last) {
    PlayerPage p{player, seasons, allTime, first, last, {Module1::HtmlColors, {}, "説明 <B>太字</B>", clock::now()}};
    p.setup.frame.title = "Player's", p.setup.frame.heading = "山田太郎選手のシーズン別成績";
    return p;
}

// A list of n cards that can be walked `room` rows from its first.
struct FakeList : CardList {
    std::int64_t n = 0, room = 0, at = -1, firsts = 0;
    bool first() override { return ++firsts, at = 0, n > 0; }
    bool next() override { return ++at < room; }
    ScoreCard current() override {
        ScoreCard c;
        c.player = "P" + QString::number(at), c.points = QString::number(at % 3);
        return c;
    }
};

}  // namespace

class TestPlayerCards : public GuiTest {
    Q_OBJECT

    // The individual records on player 12's games, the second one current.
    Form_Kojin& kojinOn12() {
        playerSeasons();
        Module1::SeasonIdMin = 3, Module1::SeasonIdMax = 5;
        click(shown<Form_Start>().Cmd_Kojin);
        Form_Kojin& f = forms::get<Form_Kojin>();
        int row = 0;
        while (f.Data_Sensyu->recordset().valueAt(row, 0).toInt() != 12) ++row;
        clickCell(f.DBG_Sensyu, row, 1);
        click(f.Cmd_what[4]);
        click(f.cmd_mov[3]);
        return f;
    }

private Q_SLOTS:
    // One player's page in each variant; rates without chances and tables without games stay empty.
    void playerPages() {
        QVERIFY(playerSeasons());
        const QString path = put(env->path("player.htm"), "old page");
        const struct { const char* player; bool seasons, allTime; const char *first, *last, *file; } pages[] = {
            {"12", true, false, "3", "5", "player_range.htm"}, {"12", false, true, "3", "5", "player_alltime.htm"},
            {"12", true, true, "3", "5", "player_both.htm"},    {"30", true, true, "1", "9", "player_nospare.htm"}};
        for (const auto& p : pages)
            QVERIFY2(writePlayerPage(path, playerPage(p.player, p.seasons, p.allTime, p.first, p.last)) == PageResult::Written &&
                     fileBytes(path) == expected(p.file), p.file);
        // A range and a player without games: the header rows alone. A criterion is a bound value.
        QCOMPARE(writePlayerPage(path, playerPage("12 OR 1=1", true, true, "4", "4")), PageResult::Written);
        const QString page = *fromCp932(fileBytes(path));
        QVERIFY(page.count("<TR VALIGN=bottom>") == 1 && page.contains("</TR>\r\n</Table><center>\r\n<center><Table border>"));
        QCOMPARE(writePlayerPage(path, playerPage("99", false, true, "1", "1")), PageResult::Written);
        const QByteArray none = fileBytes(path);
        QVERIFY(fromCp932(none)->contains("</TR>\r\n</Table></center><HR>"));
        // A failure writes nothing over the page there.
        PlayerPage bad = playerPage("12", true, true, "3", "5");
        bad.setup.colors[2] = "x";
        QVERIFY(writePlayerPage(path, bad) == PageResult::BadColors && db::exec("DROP VIEW \"選手別通算成績２\""));
        QVERIFY(writePlayerPage(path, playerPage("12", true, true, "3", "5")) == PageResult::Unreadable && fileBytes(path) == none);
        QVERIFY(db::exec("CREATE VIEW \"選手別通算成績２\" AS SELECT 12 AS 選手ID"));  // a statistic missing
        QVERIFY(writePlayerPage(path, playerPage("12", true, true, "3", "5")) == PageResult::Unreadable && fileBytes(path) == none);
    }

    // The walk over the caller's list: from its first row, as far as it counted, also past 32,767
    // rows; a list that ends early or colours that are no numbers write nothing; the current row
    // alone; no list at all.
    void cardWalk() {
        const QString path = put(env->path("p.htm"), "old page");
        ScoreCardPage page{CardCaller::ScoreBook, true, 32768, Module1::MarkTexts, {{"1", "2", "3", "4", "5", "6", "7", "8"}, {}, "", clock::now()}};
        FakeList list;
        list.n = list.room = 32768;
        QCOMPARE(writeScoreCards(path, page, list), PageResult::Written);
        QString text = *fromCp932(fileBytes(path));
        QVERIFY(text.count("<TABLE border= 1 >") == 32768 && text.contains("P32767選手") && list.firsts == 1 && list.at == 32767);
        QCOMPARE(QList<qsizetype>({text.count("ゲーム\r\n<BR>"), text.count("ゲーム\r\n   1p<BR>"), text.count("   2p<BR>")}),
                 QList<qsizetype>({10923, 10923, 10922}));  // points from one up
        list.room = 2;
        put(path, "old page");
        QCOMPARE(writeScoreCards(path, page, list), PageResult::Unreadable);
        list.n = 0;
        QVERIFY(writeScoreCards(path, page, list) == PageResult::Unreadable && fileBytes(path) == "old page");
        // Colours that are no numbers refuse before the list is moved.
        page.setup.colors[3] = "x";
        QCOMPARE(writeScoreCards(path, page, list), PageResult::BadColors);
        QCOMPARE(list.firsts, 3);
        QCOMPARE(fileBytes(path), QByteArray("old page"));
        page.setup.colors[3] = "4";
        page.allRows = false;
        list.at = 6;
        QCOMPARE(writeScoreCards(path, page, list), PageResult::Written);
        text = *fromCp932(fileBytes(path));
        QVERIFY(text.count("<TABLE") == 1 && text.contains("P6選手") && list.firsts == 3);
        page.caller = CardCaller::Other;
        QCOMPARE(writeScoreCards(path, page, list), PageResult::Written);
        QVERIFY(fromCp932(fileBytes(path))->contains("</FONT></H1></Center>\r\n<CENTER>\r\n</Center>\r\n<HR>\r\n</BODY></HTML>\r\n"));
        QVERIFY(cardCallerOf("Form_Score no Hyoji Score") == CardCaller::ScoreBook && cardCallerOf("Form_Kojin no Hyoji Score") == CardCaller::Records);
    }

    // The player page from the individual records: proposals, the season range kept in order and
    // within the seasons, the checks, the page, and the statistics buttons back.
    void playerPageDialog() {
        settings::SaveSetting("setting", "out_k_ssn_s", "3");
        settings::SaveSetting("setting", "out_k_ssn_e", "9");
        Form_Kojin& k = kojinOn12();
        click(k.Cmd_SRS);
        QVERIFY(!k.Cmd_Tsusan->isEnabled());
        click(k.cmd_html);
        Form_HTML_kojin& f = *forms::loaded<Form_HTML_kojin>();
        QCOMPARE(notOnTop(f) + f.Txt_jofo[0]->text() + "|" + f.Txt_jofo[1]->text() + "|" + f.txt_se[0]->text() + f.txt_se[1]->text() + f.Txt_file->text(),
                 "Player's|山田太郎選手のシーズン別成績|35" + env->path("player.htm"));
        saveShot(f.subWindow(), "publishing_html_kojin");
        // Either season moved past the other drags it along.
        auto arrow = [&f](std::size_t bar, bool right) {
            QTest::mouseClick(f.vsc[bar], Qt::LeftButton, {}, QPoint(right ? f.vsc[bar]->width() - 2 : 3, f.vsc[bar]->height() / 2));
            return f.txt_se[0]->text() + f.txt_se[1]->text();
        };
        for (int i = 0; i < 2; ++i) arrow(1, false);
        QCOMPARE(QStringList({arrow(1, false), arrow(0, true), arrow(1, false), arrow(0, true), arrow(0, false), arrow(1, true)}),
                 QStringList({"33", "44", "33", "44", "34", "35"}));
        for (QCheckBox* c : f.Chk_op) tick(c);
        dlg->expectMsgBox(vbOK, "少なくともシーズン成績か通算成績のどちらか一方は、チェックを入れてください。");
        press(Qt::Key_S, Qt::AltModifier);
        press(Qt::Key_Space);  // the message answered, the box ticked last has the keyboard again
        QVERIFY(f.Chk_op[1]->isChecked());
        tick(f.Chk_op[0]);
        retype(f.Txt_jofo[2], "説明 <B>太字</B>", false);
        click(f.Txt_file);
        press(Qt::Key_Return);
        QCOMPARE(fileBytes(env->path("player.htm")), expected("player_both.htm"));
        QVERIFY(!forms::loaded<Form_HTML_kojin>() && k.Cmd_Tsusan->isEnabled() && k.Cmd_SRS->isEnabled() && notOnTop(k).isEmpty());
        QCOMPARE(setting("out_k_ssn") + setting("out_k_all") + setting("out_k_ssn_s") + setting("out_k_ssn_e"), QString("1135"));

        // All players chosen meanwhile: the page asks for a player; going back hands the buttons back.
        click(k.Cmd_SRS);
        click(k.cmd_html);
        Form_HTML_kojin& again = *forms::loaded<Form_HTML_kojin>();
        tick(again.Chk_op[1]);  // the seasons alone will do
        k.Txt_Sensyu[0]->setText("0");
        dlg->expectMsgBox(vbOK, "選手を選んでください");
        trigger(again.menu_ok);
        QVERIFY(notOnTop(again).isEmpty());
        trigger(again.menu_end);
        QVERIFY(!forms::loaded<Form_HTML_kojin>() && k.Cmd_Tsusan->isEnabled());
    }

    // Score cards of the individual records' list and of the score book's list of match 41, each
    // caller back on its row afterwards; the current row alone; the score book closed meanwhile.
    void scoreCardDialog() {
        Form_Kojin& k = kojinOn12();
        click(k.cmd_html_score);
        Form_HTML_ALL& f = *forms::loaded<Form_HTML_ALL>();
        QCOMPARE(notOnTop(f) + f.windowTitle() + f.Txt_jofo[0]->text() + f.Txt_jofo[1]->text(), QString("HTML形式でスコアカードを出力します。Personal Scoreスコアカード"));
        QVERIFY(f.Opt_ALL[1]->isChecked() && f.Txt_file->text() == env->path("p_score.htm"));
        saveShot(f.subWindow(), "publishing_html_all");
        tick(f.Opt_ALL[0]);
        click(f.Cmd_OK);
        QCOMPARE(fileBytes(env->path("p_score.htm")), expected("cards_records.htm"));
        QVERIFY(!forms::loaded<Form_HTML_ALL>() && setting("allor1") == "True" && notOnTop(k).isEmpty());
        QCOMPARE(k.ListPosition * 100 + k.txt_ID->text().toInt(), 204);

        Form_Start& start = shown<Form_Start>();  // its buttons wake up under the mouse
        QTest::mouseMove(MdiFrame::instance()->windowHandle(), start.mapTo(MdiFrame::instance(), QPoint(3, 3)));
        click(start.Cmd_Score);
        Form_Score& book = forms::get<Form_Score>();
        tick(book.Opt_Siai[2]);
        click(book.cmd_mov[0]);
        click(book.Cmd_OK[0]);
        clickCell(book.DBG_Score, 1, 0);
        click(book.cmd_html_score);
        Form_HTML_ALL& all = *forms::loaded<Form_HTML_ALL>();
        QVERIFY(all.Opt_ALL[0]->isChecked());
        retype(all.Txt_jofo[2], "説明 <B>太字</B>", false);
        click(all.Cmd_OK);
        QCOMPARE(fileBytes(env->path("p_score.htm")), expected("cards_book.htm"));
        QCOMPARE(notOnTop(book) + book.txt_ID->text(), QString("2"));
        click(book.cmd_html_score);
        tick(forms::loaded<Form_HTML_ALL>()->Opt_ALL[1]);
        trigger(forms::loaded<Form_HTML_ALL>()->menu_ok);
        const QString page = *fromCp932(fileBytes(env->path("p_score.htm")));
        QVERIFY(page.count("<TABLE") == 1 && page.contains("A&amp;B&lt;長い名前の選手です選手　　2025/04/06(3-2) の 第１ゲーム") && setting("allor1") == "False");

        click(book.cmd_html_score);
        book.Cmd_OK_Click(2);
        settle();
        Form_HTML_ALL& again = shown<Form_HTML_ALL>();
        dlg->expectMsgBox(vbOK, "スコアブックが閉じられているため、出力できません。");
        click(again.Cmd_OK);
        QCOMPARE(notOnTop(again), QString());
    }
};

QTEST_MAIN(TestPlayerCards)
#include "tst_playercards.moc"
