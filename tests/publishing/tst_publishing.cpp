// The page writers without a window: colours, marks, the page frame, the score-sheet page and the
// milestones of a results file.
#include "common/convert.h"
#include "publishing/htmlpage.h"
#include "publishing/htmltext.h"
#include "support/exchange_sheet.h"
#include "support/publishing_fixture.h"

using namespace vx::publishing;

namespace {

QByteArray expected(const QString& name) { return fileBytes(QStringLiteral(VX_TEST_DATA "/publishing/") + name); }

}  // namespace

class TestPublishing : public GuiTest {
    Q_OBJECT

private Q_SLOTS:
    // A page body holds every part as added, however long: longer than its first room, and longer
    // than the room doubled; an empty part, even one with no text behind it, adds nothing.
    void pageTextHoldsLongParts() {
        PageText none;
        none.add(QStringView()).add(QString()) << QString();
        QCOMPARE(none.text().toString(), "\r\n");
        const QString wide(10000, u'あ'), longer(30000, u'x');
        PageText t;
        t.add(u"a") << wide;
        t.add(QChar(u'b')) << longer;
        t.addPrintForm(12.5);
        QCOMPARE(t.text().toString(), "a" + wide + "\r\nb" + longer + "\r\n" + vx::PrintForm(12.5));
        PageText first;  // a copy goes on on its own
        first << wide;
        PageText second = first;
        second.add(QChar(u'z'));
        QCOMPARE(second.text().toString() + first.text().toString(), wide + "\r\nz" + wide + "\r\n");
    }
    // Colour texts as BGR numbers, decimal or &h hex; eight make a page's colours, one no number none.
    void colors() {
        const std::pair<QString, QString> cases[] = {{"14811135", "FFFFE1"}, {"255", "FF0000"}, {"4095", "FF0F00"}, {"&hFF0000", "0000FF"}, {"pink", ""}};
        for (const auto& [color, html] : cases) {
            QCOMPARE(htmlColor(color).value_or(QString()), html);
            const auto page = pageColors({"1", "2", "3", "4", "5", "6", "7", color});
            QCOMPARE(page ? page->back + page->fore + page->syoBack + page->syoFore + page->aveBack + page->aveFore + page->allBack +
                                page->allFore : "none",
                     html.isEmpty() ? "none" : "010000020000030000040000050000060000070000" + html);
        }
        // Stored colours save all eight.
        const std::array<QString, 8> all{"1", "2", "3", "4", "5", "6", "7", "8"};
        saveHtmlColors(all);
        settings::reload();
        QCOMPARE(storedHtmlColors(), all);
        QCOMPARE(settings::GetSetting("html_color", "ALL_FORE", "x"), QString("8"));
    }

    void marks() {
        // The stored mark, which mark text is replaced by what (0 none), the text written.
        struct Case { QString stored; int configured; QString replacement, text; };
        const Case cases[] = {{"Ｇ", 0, "", " G"}, {"／", 0, "", " /"}, {"＊", 0, "", " *"}, {"1s", 0, "", "s1"}, {"8s", 0, "", "s8"},
                              {"\u3000", 0, "", "\u3000"}, {"", 0, "", "\u3000"}, {"  ", 0, "", "\u3000"}, {" 3s", 0, "", "s3"},
                              {"1s", 1, "①", " 1"}, {"\u3000", 5, "", "s5"}, {"2s", 9, "2s", "s2"}, {"＜", 0, "", " <"}};
        QStringList got, want;
        for (const Case& c : cases) {
            std::array<QString, 11> texts{QString(), "1s", "2s", "3s", "4s", "5s", "6s", "7s", "8s", "／", "＊"};
            if (c.configured) texts[std::size_t(c.configured)] = c.replacement;
            got << markText(c.stored, texts) + "|" + markCell(c.stored, texts, "123456");
            want << c.text + "|" +
                        (c.text == "\u3000" ? "<TD>\u3000</TD>" : "<TD align=right><FONT COLOR=#123456>" + escapeHtml(c.text) + "</font></TD>");
        }
        QCOMPARE(got, want);
        QCOMPARE(escapeHtml("A&B<\"x\">"), QString("A&amp;B&lt;&quot;x&quot;&gt;"));
    }

    // The head and foot byte for byte; typed texts go in as typed, a character CP932 lacks as a reference.
    void frame() {
        const PageFrame f{.title = "T<i>é", .heading = "見出し", .headingEnd = "</font></H1></Center>", .footer = {"<HR>", "", "<HR>"}};
        const auto colors = pageColors({"14811135", "0", "14811135", "0", "14811135", "0", "14811135", "0"});
        const QByteArray page = pageBytes(f, *colors, QDateTime(QDate(2026, 12, 5), QTime(9, 5, 7)), {"<P>body</P>"});
        QCOMPARE(page, toCp932("<!--Vorlix-->\r\n<!--12-05-2026  09:05:07-->\r\n<HTML><HEAD>\r\n"
                               "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html;CHARSET=x-sjis\">\r\n"
                               "<TITLE>\r\nT<i>&#233;\r\n</TITLE>\r\n</HEAD>\r\n<BODY bgcolor=#FFFFE1>\r\n"
                               "<CENTER><H1><font color=000000>\r\n見出し\r\n</font></H1></Center>\r\n"
                               "<P>body</P>\r\n<HR>\r\n\r\n<HR>\r\n</BODY></HTML>\r\n"));
        // Written whole or not at all.
        QVERIFY(!writePage(env->path("no/such/folder/p.htm"), page) && !writePage("", page) && !writePage(env->home(), page));
    }

    // The page of one whole match without and with its results file, of one player's games with some
    // columns off, of a season with every column off; the proposed headings. Then the refusals:
    // nothing chosen, a colour that is no number, a file that cannot be written; a page already there stays.
    void scoreSheetPage() {
        QVERIFY(publishingClub());
        ScoreSheet s = matchSheet(env->home());
        const QString path = env->path("score.htm");
        QCOMPARE(milestoneText(env->path("SD-3-2.txt")), std::nullopt);
        // A missing results file leaves the milestone line out.
        QCOMPARE(writeScoreSheet(path, s), PageResult::Written);
        QByteArray withLine = expected("score_match.htm");
        const QByteArray line = toCp932("<font color=000080>" + MilestoneHeading + "<BR>A&amp;B&lt; 通算100ゲーム<BR>山田太郎 通算300ST<BR>達成</font>\r\n");
        QVERIFY(withLine.contains(line));
        QCOMPARE(fileBytes(path), withLine.replace(line, ""));
        // A file without milestones gives the heading alone; bytes that are no CP932 read as no file.
        QVERIFY(writeMilestones(env->home(), false));
        QCOMPARE(milestoneText(env->path("SD-3-2.txt")), MilestoneHeading);
        put(env->path("SD-3-2.txt"), QByteArray("\x81\x20\xff", 3));
        QCOMPARE(milestoneText(env->path("SD-3-2.txt")), std::nullopt);
        QVERIFY(writeMilestones(env->home()));
        QCOMPARE(writeScoreSheet(path, s), PageResult::Written);
        QCOMPARE(fileBytes(path), expected("score_match.htm"));

        // Player 12 with all games: two matches, no milestones; season, game and marks columns off.
        ScoreSheet one = s;
        one.choice = {"12", true, "山田太郎", 0, "3", "41", "2025前期", "2025/04/06", "3", "2"};
        one.columns = {true, false, true, false, true, true, false};
        QCOMPARE(writeScoreSheet(path, one), PageResult::Written);
        QCOMPARE(fileBytes(path), expected("score_player.htm"));

        // Season 3 for all players: every game, no milestones; with every column off the rows stand empty.
        ScoreSheet season = s;
        season.choice.games = 1;
        season.choice.season = "3", season.choice.seasonName = "2025前期", season.choice.playerName = "José";
        season.columns = {};
        QCOMPARE(writeScoreSheet(path, season), PageResult::Written);
        const QString page = *fromCp932(fileBytes(path));
        QVERIFY(page.contains("<TR VALIGN=bottom bgcolor=#c0c0c0>\r\n<TR VALIGN=bottom BGCOLOR=#FFFFE1>\r\n"));
        QCOMPARE(page.count("<TR VALIGN=bottom BGCOLOR=#FFFFE1>\r\n"), 4);
        QVERIFY(page.contains("</Table><center><HR>\r\n<font color=000080></font>\r\n<HR>\r\n") && !page.contains("<TD"));
        QStringList headings{proposedHeading(s.choice), proposedHeading(one.choice)};
        for (int games : {1, 0})
            for (bool onePlayer : {true, false})
                season.choice.games = games, season.choice.onePlayer = onePlayer, headings << proposedHeading(season.choice);
        QCOMPARE(headings.join('|'), "2025/04/06のスコアシート|山田太郎選手のスコアシート|José選手の2025前期のスコアシート|2025前期のスコアシート|"
                                     "José選手のスコアシート|スコアシート");

        put(path, "old page");
        s.choice.match = "41.5";
        QCOMPARE(writeScoreSheet(path, s), PageResult::NoGames);
        s.choice.match = "41";
        s.setup.colors[5] = "";
        QCOMPARE(writeScoreSheet(path, s), PageResult::BadColors);
        s.setup.colors[5] = "0";
        QCOMPARE(writeScoreSheet(env->home(), s), PageResult::NotWritten);
        QCOMPARE(fileBytes(path), QByteArray("old page"));
        // Criteria are bound values, not text joined into the statement.
        s.choice.match = "41 OR 1=1";
        s.choice.player = "12";
        QCOMPARE(writeScoreSheet(path, s), PageResult::Written);
        QCOMPARE(fromCp932(fileBytes(path))->count("<TR VALIGN=bottom BGCOLOR="), 1);
        QVERIFY(db::exec("DROP VIEW \"スコアブック\""));
        QCOMPARE(writeScoreSheet(path, s), PageResult::Unreadable);
        QVERIFY(db::exec("CREATE VIEW \"スコアブック\" AS SELECT '' AS 選手名, 3 AS シーズンID, 1 AS 試合, 1 AS ゲーム, 0 AS 優p, 0 AS 入賞, 0 AS s10, 0 AS 競技点, 12 AS 選手ID, 41 AS 試合ID"));
        QCOMPARE(writeScoreSheet(path, s), PageResult::Unreadable);  // no mark columns
        QVERIFY(db::exec("DROP VIEW \"スコアブック\"") &&  // the columns found wherever they stand, the first one too
                db::exec("CREATE VIEW \"スコアブック\" AS SELECT '山本' AS 選手名, 3 AS シーズンID, 1 AS 試合, 1 AS ゲーム, 0 AS 優p, 0 AS 入賞, 0 AS s10, "
                         "0 AS 競技点, 12 AS 選手ID, 41 AS 試合ID, " + ballColumns("'＊' AS M").join(", ")));
        QCOMPARE(writeScoreSheet(path, s), PageResult::Written);
        QVERIFY(fromCp932(fileBytes(path))->contains("山本"));
        QVERIFY(db::exec("DROP VIEW \"スコアブック\"") &&  // every column is needed, the name too
                db::exec("CREATE VIEW \"スコアブック\" AS SELECT 3 AS シーズンID, 1 AS 試合, 1 AS ゲーム, 0 AS 優p, 0 AS 入賞, 0 AS s10, "
                         "0 AS 競技点, 12 AS 選手ID, 41 AS 試合ID, " + ballColumns("'＊' AS M").join(", ")));
        QCOMPARE(writeScoreSheet(path, s), PageResult::Unreadable);
    }

    // Each range byte for byte: a name cut to eight, one with markup signs, one CP932 lacks, a player
    // missing from 選手 with an empty name cell, one without a spare chance, totals from the sums.
    // The total row's values and the proposals of each range.
    void resultsTablePages() {
        QVERIFY(resultsClub());
        const QString path = env->path("r.htm");
        for (auto [range, season, first, file] : {std::tuple{0, "", "", "results_all.htm"}, std::tuple{1, "3", "", "results_season.htm"},
                                                  std::tuple{2, "", "41", "results_select.htm"}}) {
            QCOMPARE(writeResultsTable(path, resultsTable(range, {season, first, first})), PageResult::Written);
            QCOMPARE(fileBytes(path), expected(file));
        }
        // One player: the total row repeats the counts and computes the rates from them.
        QCOMPARE(writeResultsTable(path, resultsTable(1, {"4", "", ""})), PageResult::Written);
        const QString cell = "<TD BGCOLOR=FFFF00><FONT COLOR=008000>";
        QVERIFY(fromCp932(fileBytes(path))->contains(">合計平均</font></TD>\r\n" + cell + totalValues({1, 5, 1, 222, 7, 3, 0}).join("\r\n" + cell)));

        // Games, points, top places, pins, strikes, spares, misses.
        const std::pair<ResultsTotals, QString> totals[] = {
            {{20, 9, 7, 3083, 25, 40, 12}, " 20 | 9 </FONT></TD>| 7 | 35.0% | 3083 | 154.2| 25 |1.25| 40 | 12 | 76.9%"},  // weighted by games
            {{16, 0, 1, 2408, 1, 1, 7}, " 16 | 0 </FONT></TD>| 1 | 6.3% | 2408 | 150.5| 1 |0.06| 1 | 7 | 12.5%"},        // half steps go up
            {{50, 12, 3, 7507, 0, 0, 0}, " 50 | 12 </FONT></TD>| 3 | 6.0% | 7507 | 150.1| 0 |0.00| 0 | 0 |"},          // no spare chance
            {{0, 0, 0, 0, 0, 0, 0}, " 0 | 0 </FONT></TD>| 0 || 0 || 0 || 0 | 0 |"},                                     // no games
            {{1, 5, 1, 222, 7, 3, 0}, " 1 | 5 </FONT></TD>| 1 | 100.0% | 222 | 222.0| 7 |7.00| 3 | 0 | 100.0%"}};     // the one player's
        QStringList got, want, proposals;
        for (const auto& [sums, values] : totals) got << totalValues(sums).join('|').remove("</font></TD>"), want << values;
        QCOMPARE(got, want);
        for (int range : {0, 1, 2}) {
            const ResultsProposal p = resultsProposal(range, "3", "x");
            proposals << p.title + "|" + p.heading + "|" + p.file;
        }
        QCOMPARE(proposals.join(' '), QString("All series|通算成績|all.htm 3th series|第3期のシリーズ成績|season.htm Select DATA|x|select.htm"));
    }

    // A name whose eighth character lies outside the basic plane is cut to eight whole characters,
    // that character written as one reference; a name of that character alone is padded to eight.
    void namesOutsideTheBasicPlane() {
        QVERIFY(resultsClub());
        QVERIFY(db::exec("UPDATE 選手 SET 選手名 = ? WHERE 選手ID = 12", {"山田太郎右衛門𠮷田"}) && db::exec("UPDATE 選手 SET 選手名 = '𠮷' WHERE 選手ID = 30"));
        const QString path = env->path("p.htm");
        QCOMPARE(writeScoreSheet(path, matchSheet(env->home())), PageResult::Written);
        const QByteArray sheet = fileBytes(path);
        QCOMPARE(writeResultsTable(path, resultsTable(0, {})), PageResult::Written);
        for (const QByteArray& page : {sheet, fileBytes(path)})
            QVERIFY(page.contains(toCp932("山田太郎右衛門") + "&#134071;</font></TD>") && page.contains("&#134071;       </font></TD>") &&
                    !page.contains("&#55362;"));
    }

    // A range without games, colours that are no numbers, a file that cannot be written, rows that
    // cannot be read: no page, and a page already there stays as it was.
    void resultsTableFailures() {
        QVERIFY(resultsClub());
        const QString path = put(env->path("r.htm"), "old page");
        QCOMPARE(writeResultsTable(path, resultsTable(1, {"9", "", ""})), PageResult::NoGames);
        QCOMPARE(writeResultsTable(path, resultsTable(2, {"", "42", "56"})), PageResult::NoGames);
        ResultsTable t = resultsTable(0, {});
        t.setup.colors[2] = "pink";
        QCOMPARE(writeResultsTable(path, t), PageResult::BadColors);
        QCOMPARE(writeResultsTable(env->home(), resultsTable(0, {})), PageResult::NotWritten);
        t = resultsTable(0, {}), t.sql = "SELECT 選手名, * FROM (" + t.sql + ")";  // read by name, wherever the column stands
        QCOMPARE(writeResultsTable(env->path("r2.htm"), t), PageResult::Written);
        QVERIFY(db::exec("DROP VIEW \"通算成績\""));
        QCOMPARE(writeResultsTable(path, resultsTable(0, {})), PageResult::Unreadable);
        QCOMPARE(fileBytes(path), QByteArray("old page"));
    }
};

QTEST_MAIN(TestPublishing)
#include "tst_publishing.moc"
