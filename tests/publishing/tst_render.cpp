// The published pages in a real browser: headless chromium reads each page, its DOM shows
// the Japanese text decoded and the table whole, and a picture of it goes to the build folder.
// Skipped where chromium is not installed.
#include "publishing/playerpage.h"
#include "publishing/scorecards.h"
#include "support/browser.h"
#include "support/publishing_fixture.h"

using namespace vx::publishing;

class TestRender : public GuiTest {
    Q_OBJECT

private Q_SLOTS:
    void scoreSheetInBrowser() {
        const QString program = chromiumProgram();
        if (program.isEmpty()) QSKIP("chromium is not installed");
        QVERIFY(publishingClub());
        QVERIFY(writeMilestones(env->home()));
        QDir().mkpath(VX_SHOTS_DIR);
        const QString page = VX_SHOTS_DIR "/publishing_score.htm";
        QCOMPARE(writeScoreSheet(page, matchSheet(env->home())), PageResult::Written);

        const QString dom = QString::fromUtf8(chromium(program, page, {"--dump-dom"}));
        for (const char* text : {"2025/04/06の<i>スコアシート</i>", "山田太郎", "Ａ＆Ｂ＜長い名前", "Ｊｏｓé", "特別&lt;賞&gt;",
                                 "☆☆☆　　達成された通算記録　　☆☆☆<br>A&amp;B&lt; 通算100ゲーム<br>山田太郎 通算300ST<br>達成", "説明"})
            QVERIFY2(dom.contains(QString::fromUtf8(text)), text);
        // The heading row and three games of 7 cells and 21 marks each; no tag came from the data.
        QCOMPARE(dom.count("<tr"), 4);
        QCOMPARE(dom.count("<td"), 4 * 28);
        QVERIFY(!dom.contains("<賞>"));

        const QString shot = VX_SHOTS_DIR "/publishing_score.png";
        QFile::remove(shot);
        chromium(program, page, {"--screenshot=" + shot, "--window-size=1400,600", "--hide-scrollbars"});
        QVERIFY(QFileInfo(shot).size() > 0);
    }

    void resultsTableInBrowser() {
        const QString program = chromiumProgram();
        if (program.isEmpty()) QSKIP("chromium is not installed");
        QVERIFY(resultsClub());
        QDir().mkpath(VX_SHOTS_DIR);
        const QString page = VX_SHOTS_DIR "/publishing_results.htm";
        QCOMPARE(writeResultsTable(page, resultsTable(0, {})), PageResult::Written);

        const QString dom = QString::fromUtf8(chromium(program, page, {"--dump-dom"}));
        for (const char* text : {"通算成績", "選手名", "山田太郎", "Ａ＆Ｂ＜長い名前", "Ｊｏｓé", "合計平均", " 66.7% ", " 144.0", "説明"})
            QVERIFY2(dom.contains(QString::fromUtf8(text)), text);
        // The heading row, four players and the total row, twelve cells each.
        QCOMPARE(dom.count("<tr"), 6);
        QCOMPARE(dom.count("<td"), 6 * 12);

        const QString shot = VX_SHOTS_DIR "/publishing_results.png";
        QFile::remove(shot);
        chromium(program, page, {"--screenshot=" + shot, "--window-size=900,420", "--hide-scrollbars"});
        QVERIFY(QFileInfo(shot).size() > 0);
    }

    // The player page with both tables, and two score cards with markup in their texts.
    void playerAndCardPages() {
        const QString program = chromiumProgram();
        if (program.isEmpty()) QSKIP("chromium is not installed");
        QVERIFY(playerSeasons());
        QDir().mkpath(VX_SHOTS_DIR);
        PlayerPage p{"12", true, true, "3", "5", {Module1::HtmlColors, {}, "説明", clock::now()}};
        p.setup.frame.heading = "山田太郎選手のシーズン別成績";
        QCOMPARE(writePlayerPage(VX_SHOTS_DIR "/publishing_player.htm", p), PageResult::Written);
        QString dom = QString::fromUtf8(chromium(program, VX_SHOTS_DIR "/publishing_player.htm", {"--dump-dom"}));
        for (const char* text : {"山田太郎選手のシーズン別成績", "合計平均", " 66.7%　", "説明"}) QVERIFY2(dom.contains(QString::fromUtf8(text)), text);
        QCOMPARE(dom.count("<tr"), 6);

        struct Two : CardList {
            int at = 0;
            bool first() override { return at = 0, true; }
            bool next() override { return ++at < 2; }
            ScoreCard current() override {
                ScoreCard c{"A&B<選手>", "2025/04/06", "1", "参加　第1ゲーム", "3", "2", "3", "１着", {}, {}, "", "197"};
                for (std::size_t b = 0; b < 21; ++b) c.marks[b] = b % 2 ? "／" : "９";
                for (std::size_t f = 0; f < 10; ++f) c.scores[f] = QString::number(19 * (f + 1) - at);
                return c;
            }
        } list;
        ScoreCardPage cards{CardCaller::ScoreBook, true, 2, Module1::MarkTexts, {Module1::HtmlColors, {}, "説明", clock::now()}};
        cards.setup.frame.heading = "スコアカード";
        QCOMPARE(writeScoreCards(VX_SHOTS_DIR "/publishing_cards.htm", cards, list), PageResult::Written);
        dom = QString::fromUtf8(chromium(program, VX_SHOTS_DIR "/publishing_cards.htm", {"--dump-dom"}));
        QVERIFY(dom.contains("A&amp;B&lt;選手&gt;選手　　2025/04/06(3-2) の 第１ゲーム") && dom.contains("HDCP"));
        QCOMPARE(dom.count("<table"), 2);
        QCOMPARE(dom.count("<td"), 2 * 36);
        for (const char* name : {"publishing_player", "publishing_cards"}) {
            const QString shot = VX_SHOTS_DIR "/" + QString::fromLatin1(name) + ".png";
            QFile::remove(shot);
            chromium(program, VX_SHOTS_DIR "/" + QString::fromLatin1(name) + ".htm", {"--screenshot=" + shot, "--window-size=1000,700", "--hide-scrollbars"});
            QVERIFY(QFileInfo(shot).size() > 0);
        }
    }
};

QTEST_MAIN(TestRender)
#include "tst_render.moc"
