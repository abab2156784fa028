// The page writers without a window: colours, marks, the page frame, the score-sheet page and the
// milestones of a results file.
#include "common/clock.h"
#include "common/cp932.h"
#include "common/module1.h"
#include "common/settings.h"
#include "publishing/htmlpage.h"
#include "publishing/htmltext.h"
#include "publishing/resultstable.h"
#include "publishing/scoresheet.h"
#include "records/seasonresults.h"
#include "support/exchange_sheet.h"
#include "support/gui.h"
#include "support/publishing_fixture.h"

using namespace vx;
using namespace vx::publishing;
using namespace vxtest;

namespace {

QByteArray expected(const QString& name) { return fileBytes(QStringLiteral(VX_TEST_DATA "/publishing/") + name); }

// The whole match 41 for all players, as the score book chooses it.
ScoreSheet matchSheet(const QString& folder) {
    ScoreSheet s;
    s.choice = {"0", false, "全　員", 2, "", "41", "", "2025/04/06", "3", "2"};
    s.markTexts = Module1::MarkTexts;
    s.colors = Module1::HtmlColors;
    s.folder = folder;
    s.frame.title = "Score Sheet";
    s.frame.heading = "2025/04/06の<I>スコアシート</I>";
    s.footerText = "説明 <B>太字</B>";
    s.written = clock::now();
    return s;
}

// The results table of a range as the season-results window's boxes read, with the proposed texts.
ResultsTable resultsTable(int range, const results::Boxes& boxes) {
    const results::Query q = results::queryOf(range, boxes);
    const ResultsProposal p = resultsProposal(range, boxes.season, "2025/04/06 から 2025/04/06 まで");
    ResultsTable t;
    t.sql = q.sql;
    t.params = q.params;
    t.colors = Module1::HtmlColors;
    t.frame.title = p.title;
    t.frame.heading = p.heading;
    t.footerText = "説明 <B>太字</B>";
    t.written = clock::now();
    return t;
}

}  // namespace

class TestPublishing : public GuiTest {
    Q_OBJECT

private Q_SLOTS:
    void colors_data() {
        QTest::addColumn<QString>("color");
        QTest::addColumn<QString>("html");
        QTest::newRow("pale yellow") << "14811135" << "FFFFE1";
        QTest::newRow("black") << "0" << "000000";
        QTest::newRow("red") << "255" << "FF0000";
        QTest::newRow("green") << "65280" << "00FF00";
        QTest::newRow("short hex") << "4095" << "FF0F00";
        QTest::newRow("blue, hex text") << "&hFF0000" << "0000FF";
        QTest::newRow("no number") << "pink" << "";
    }
    void colors() {
        QFETCH(QString, color);
        QFETCH(QString, html);
        QCOMPARE(htmlColor(color).value_or(QString()), html);
        std::array<QString, 8> all{"1", "2", "3", "4", "5", "6", "7", color};
        const auto page = pageColors(all);
        QCOMPARE(page.has_value(), !html.isEmpty());
        if (page) QCOMPARE(page->back + page->fore + page->syoBack + page->syoFore + page->aveBack + page->aveFore + page->allBack + page->allFore,
                           "010000020000030000040000050000060000070000" + html);
        // Stored colours default to pale yellow backgrounds and black texts, and save all eight.
        QCOMPARE(storedHtmlColors()[6] + storedHtmlColors()[7], QString("148111350"));
        saveHtmlColors(all);
        settings::reload();
        QCOMPARE(storedHtmlColors(), all);
        QCOMPARE(settings::GetSetting("html_color", "ALL_FORE", "x"), color);
    }

    void marks_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("configured");  // which mark text is replaced, 0 none
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("text");
        QTest::newRow("gutter") << "Ｇ" << 0 << "" << " G";
        QTest::newRow("nine") << "９" << 0 << "" << " 9";
        QTest::newRow("miss") << "－" << 0 << "" << " -";
        QTest::newRow("foul") << "Ｆ" << 0 << "" << " F";
        QTest::newRow("spare") << "／" << 0 << "" << " /";
        QTest::newRow("strike") << "＊" << 0 << "" << " *";
        QTest::newRow("split 1") << "1s" << 0 << "" << "s1";
        QTest::newRow("split 8") << "8s" << 0 << "" << "s8";
        QTest::newRow("empty box") << "\u3000" << 0 << "" << "\u3000";
        QTest::newRow("no text") << "" << 0 << "" << "\u3000";
        QTest::newRow("two blanks") << "  " << 0 << "" << "\u3000";
        QTest::newRow("one blank removed") << " 3s" << 0 << "" << "s3";
        QTest::newRow("older split text") << "1s" << 1 << "①" << " 1";
        QTest::newRow("blank configured text") << "\u3000" << 5 << "" << "s5";
        QTest::newRow("lower index wins") << "2s" << 9 << "2s" << "s2";
        QTest::newRow("markup sign") << "＜" << 0 << "" << " <";
    }
    void marks() {
        QFETCH(QString, stored);
        QFETCH(int, configured);
        QFETCH(QString, replacement);
        QFETCH(QString, text);
        std::array<QString, 11> texts{QString(), "1s", "2s", "3s", "4s", "5s", "6s", "7s", "8s", "／", "＊"};
        if (configured) texts[std::size_t(configured)] = replacement;
        QCOMPARE(markText(stored, texts), text);
        const QString cell = markCell(stored, texts, "123456");
        QCOMPARE(cell, text == "\u3000" ? QString("<TD>\u3000</TD>")
                                        : "<TD align=right><FONT COLOR=#123456>" + escapeHtml(text) + "</font></TD>");
        QCOMPARE(escapeHtml("A&B<\"x\">"), QString("A&amp;B&lt;&quot;x&quot;&gt;"));
    }

    // The head and foot byte for byte; typed texts go in as typed, a character CP932 lacks as a reference.
    void frame() {
        PageFrame f;
        f.title = "T<i>é";
        f.heading = "見出し";
        f.headingEnd = "</font></H1></Center>";
        f.footer = {"<HR>", "", "<HR>"};
        const auto colors = pageColors({"14811135", "0", "14811135", "0", "14811135", "0", "14811135", "0"});
        const QByteArray page = pageBytes(f, *colors, QDateTime(QDate(2026, 12, 5), QTime(9, 5, 7)), {"<P>body</P>"});
        QCOMPARE(page, toCp932("<!--Vorlix-->\r\n<!--12-05-2026  09:05:07-->\r\n<HTML><HEAD>\r\n"
                               "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html;CHARSET=x-sjis\">\r\n"
                               "<TITLE>\r\nT<i>&#233;\r\n</TITLE>\r\n</HEAD>\r\n<BODY bgcolor=#FFFFE1>\r\n"
                               "<CENTER><H1><font color=000000>\r\n見出し\r\n</font></H1></Center>\r\n"
                               "<P>body</P>\r\n<HR>\r\n\r\n<HR>\r\n</BODY></HTML>\r\n"));
        // Written whole or not at all.
        QVERIFY(writePage(env->path("p.htm"), page));
        QCOMPARE(fileBytes(env->path("p.htm")), page);
        QVERIFY(!writePage(env->path("no/such/folder/p.htm"), page));
        QVERIFY(!writePage("", page));
        QVERIFY(!writePage(env->home(), page));
    }

    // The page of one whole match, and of one player's games with some columns off.
    void scoreSheetPage() {
        QVERIFY(publishingClub());
        QVERIFY(writeMilestones(env->home()));
        ScoreSheet s = matchSheet(env->home());
        const QString path = env->path("score.htm");
        QCOMPARE(writeScoreSheet(path, s), PageResult::Written);
        QCOMPARE(fileBytes(path), expected("score_match.htm"));

        // Player 12 with all games: two matches, no milestones; season, game and marks columns off.
        ScoreSheet one = s;
        one.choice = {"12", true, "山田太郎", 0, "3", "41", "2025前期", "2025/04/06", "3", "2"};
        one.columns = {true, false, true, false, true, true, false};
        QCOMPARE(writeScoreSheet(path, one), PageResult::Written);
        QCOMPARE(fileBytes(path), expected("score_player.htm"));
        QCOMPARE(proposedHeading(one.choice), QString("山田太郎選手のスコアシート"));

        // Season 3 for all players: every game, no milestones; with every column off the rows stand empty.
        ScoreSheet season = s;
        season.choice.games = 1;
        season.choice.season = "3", season.choice.seasonName = "2025前期";
        season.columns = {};
        QCOMPARE(writeScoreSheet(path, season), PageResult::Written);
        const QString page = *fromCp932(fileBytes(path));
        QVERIFY(page.contains("<TR VALIGN=bottom bgcolor=#c0c0c0>\r\n<TR VALIGN=bottom BGCOLOR=#FFFFE1>\r\n"));
        QCOMPARE(page.count("<TR VALIGN=bottom BGCOLOR=#FFFFE1>\r\n"), 4);
        QVERIFY(page.contains("</Table><center><HR>\r\n<font color=000080></font>\r\n<HR>\r\n") && !page.contains("<TD"));
        season.choice.onePlayer = true, season.choice.playerName = "José";
        QCOMPARE(proposedHeading(season.choice), QString("José選手の2025前期のスコアシート"));
        season.choice.onePlayer = false;
        QCOMPARE(proposedHeading(season.choice), QString("2025前期のスコアシート"));
        season.choice.games = 0;
        QCOMPARE(proposedHeading(season.choice), QString("スコアシート"));
    }

    // A missing results file leaves the milestone line out; a file without milestones gives the heading alone.
    void milestones() {
        QVERIFY(publishingClub());
        const QString heading = "☆☆☆　　達成された通算記録　　☆☆☆";
        const ScoreSheet s = matchSheet(env->home());
        QCOMPARE(resultsFileOf(s.choice, "/f"), QString("/f/SD-3-2.txt"));
        QCOMPARE(milestoneText(env->path("SD-3-2.txt")), std::nullopt);
        const QString path = env->path("score.htm");
        QCOMPARE(writeScoreSheet(path, s), PageResult::Written);
        QByteArray withLine = expected("score_match.htm");
        const QByteArray line = toCp932("<font color=000080>" + heading + "<BR>A&amp;B&lt; 通算100ゲーム<BR>山田太郎 通算300ST<BR>達成</font>\r\n");
        QVERIFY(withLine.contains(line));
        QCOMPARE(fileBytes(path), withLine.replace(line, ""));
        QVERIFY(writeMilestones(env->home(), false));
        QCOMPARE(milestoneText(env->path("SD-3-2.txt")), heading);
        QVERIFY(writeMilestones(env->home()));
        QCOMPARE(milestoneText(env->path("SD-3-2.txt")), heading + "<BR>A&amp;B&lt; 通算100ゲーム<BR>山田太郎 通算300ST<BR>達成");
        // Bytes that are no CP932 read as no file.
        put(env->path("SD-3-2.txt"), QByteArray("\x81\x20\xff", 3));
        QCOMPARE(milestoneText(env->path("SD-3-2.txt")), std::nullopt);
    }

    // Nothing chosen, a colour that is no number, a file that cannot be written: no page, and a
    // page already there stays as it was.
    void failures() {
        QVERIFY(publishingClub());
        const QString path = put(env->path("score.htm"), "old page");
        ScoreSheet s = matchSheet(env->home());
        s.choice.match = "99";
        QCOMPARE(writeScoreSheet(path, s), PageResult::NoGames);
        s.choice.match = "41";
        s.colors[5] = "";
        QCOMPARE(writeScoreSheet(path, s), PageResult::BadColors);
        s.colors[5] = "0";
        QCOMPARE(writeScoreSheet(env->home(), s), PageResult::NotWritten);
        QCOMPARE(fileBytes(path), QByteArray("old page"));
        // Criteria are bound values, not text joined into the statement.
        s.choice.match = "41 OR 1=1";
        s.choice.player = "12";
        QCOMPARE(writeScoreSheet(path, s), PageResult::Written);
        QCOMPARE(fromCp932(fileBytes(path))->count("<TR VALIGN=bottom BGCOLOR="), 1);
        QVERIFY(db::exec("DROP VIEW \"スコアブック\""));
        QCOMPARE(writeScoreSheet(path, s), PageResult::Unreadable);
    }

    // Each range byte for byte: a name cut to eight, one with markup signs, one CP932 lacks, a player
    // missing from 選手 with an empty name cell, one without a spare chance, totals from the sums.
    void resultsTablePages_data() {
        QTest::addColumn<int>("range");
        QTest::addColumn<QString>("season");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("file");
        QTest::newRow("all-time") << 0 << "" << "" << "results_all.htm";
        QTest::newRow("season 3") << 1 << "3" << "" << "results_season.htm";
        QTest::newRow("match 41") << 2 << "" << "41" << "results_select.htm";
    }
    void resultsTablePages() {
        QFETCH(int, range);
        QFETCH(QString, season);
        QFETCH(QString, first);
        QFETCH(QString, file);
        QVERIFY(resultsClub());
        const QString path = env->path("r.htm");
        QCOMPARE(writeResultsTable(path, resultsTable(range, {season, first, first})), PageResult::Written);
        QCOMPARE(fileBytes(path), expected(file));

        // One player: the total row repeats the counts and computes the rates from them.
        if (range != 1) return;
        QCOMPARE(writeResultsTable(path, resultsTable(1, {"4", "", ""})), PageResult::Written);
        QVERIFY(fromCp932(fileBytes(path))->contains(">合計平均</font></TD>\r\n"
                                                     "<TD BGCOLOR=FFFF00><FONT COLOR=008000> 1 </font></TD>\r\n"
                                                     "<TD BGCOLOR=FFFF00><FONT COLOR=008000> 5 </FONT></TD>\r\n"
                                                     "<TD BGCOLOR=FFFF00><FONT COLOR=008000> 1 </font></TD>\r\n"
                                                     "<TD BGCOLOR=FFFF00><FONT COLOR=008000> 100.0% </font></TD>\r\n"
                                                     "<TD BGCOLOR=FFFF00><FONT COLOR=008000> 222 </font></TD>\r\n"
                                                     "<TD BGCOLOR=FFFF00><FONT COLOR=008000> 222.0</font></TD>\r\n"
                                                     "<TD BGCOLOR=FFFF00><FONT COLOR=008000> 7 </font></TD>\r\n"
                                                     "<TD BGCOLOR=FFFF00><FONT COLOR=008000>7.00</font></TD>\r\n"
                                                     "<TD BGCOLOR=FFFF00><FONT COLOR=008000> 3 </font></TD>\r\n"
                                                     "<TD BGCOLOR=FFFF00><FONT COLOR=008000> 0 </font></TD>\r\n"
                                                     "<TD BGCOLOR=FFFF00><FONT COLOR=008000> 100.0%</font></TD>\r\n</TR>\r\n"));
    }

    // The total row's values and the proposals of each range.
    void resultsTotals_data() {
        QTest::addColumn<QList<double>>("sums");  // games, points, top, pins, strikes, spares, misses
        QTest::addColumn<QString>("values");
        QTest::newRow("weighted by games") << QList<double>{20, 9, 7, 3083, 25, 40, 12}
                                           << " 20 </font></TD>| 9 </FONT></TD>| 7 </font></TD>| 35.0% </font></TD>| 3083 </font></TD>|"
                                              " 154.2</font></TD>| 25 </font></TD>|1.25</font></TD>| 40 </font></TD>| 12 </font></TD>| 76.9%</font></TD>";
        QTest::newRow("half steps go up") << QList<double>{16, 0, 1, 2408, 1, 1, 7}
                                          << " 16 </font></TD>| 0 </FONT></TD>| 1 </font></TD>| 6.3% </font></TD>| 2408 </font></TD>|"
                                             " 150.5</font></TD>| 1 </font></TD>|0.06</font></TD>| 1 </font></TD>| 7 </font></TD>| 12.5%</font></TD>";
        QTest::newRow("no spare chance") << QList<double>{50, 12, 3, 7507, 0, 0, 0}
                                         << " 50 </font></TD>| 12 </FONT></TD>| 3 </font></TD>| 6.0% </font></TD>| 7507 </font></TD>|"
                                            " 150.1</font></TD>| 0 </font></TD>|0.00</font></TD>| 0 </font></TD>| 0 </font></TD>|</font></TD>";
        QTest::newRow("no games") << QList<double>{0, 0, 0, 0, 0, 0, 0}
                                  << " 0 </font></TD>| 0 </FONT></TD>| 0 </font></TD>|</font></TD>| 0 </font></TD>|</font></TD>| 0 </font></TD>|"
                                     "</font></TD>| 0 </font></TD>| 0 </font></TD>|</font></TD>";
    }
    void resultsTotals() {
        QFETCH(QList<double>, sums);
        QFETCH(QString, values);
        QCOMPARE(totalValues({sums[0], sums[1], sums[2], sums[3], sums[4], sums[5], sums[6]}).join('|'), values);

        const QStringList proposals{
            resultsProposal(0, "3", "x").title + "|" + resultsProposal(0, "3", "x").heading + "|" + resultsProposal(0, "3", "x").file,
            resultsProposal(1, "3", "x").title + "|" + resultsProposal(1, "3", "x").heading + "|" + resultsProposal(1, "3", "x").file,
            resultsProposal(2, "3", "x").title + "|" + resultsProposal(2, "3", "x").heading + "|" + resultsProposal(2, "3", "x").file};
        QCOMPARE(proposals, QStringList({"All series|通算成績|all.htm", "3th series|第3期のシリーズ成績|season.htm", "Select DATA|x|select.htm"}));
    }

    // A range without games, colours that are no numbers, a file that cannot be written, rows that
    // cannot be read: no page, and a page already there stays as it was.
    void resultsTableFailures() {
        QVERIFY(resultsClub());
        const QString path = put(env->path("r.htm"), "old page");
        QCOMPARE(writeResultsTable(path, resultsTable(1, {"9", "", ""})), PageResult::NoGames);
        QCOMPARE(writeResultsTable(path, resultsTable(2, {"", "42", "56"})), PageResult::NoGames);
        ResultsTable t = resultsTable(0, {});
        t.colors[2] = "pink";
        QCOMPARE(writeResultsTable(path, t), PageResult::BadColors);
        QCOMPARE(writeResultsTable(env->home(), resultsTable(0, {})), PageResult::NotWritten);
        QVERIFY(db::exec("DROP VIEW \"通算成績\""));
        QCOMPARE(writeResultsTable(path, resultsTable(0, {})), PageResult::Unreadable);
        QCOMPARE(fileBytes(path), QByteArray("old page"));
    }
};

QTEST_MAIN(TestPublishing)
#include "tst_publishing.moc"
