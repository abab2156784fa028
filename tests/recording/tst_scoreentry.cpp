// The score-entry model in mark mode: sheet reset, mark rules, split colours, cursor, moves,
// input check and the statistics preparation.
#include "support/recording_fixture.h"
#include "support/scripted_dialogs.h"
#include <QTest>

using namespace vx;
using namespace vxtest;
using M = ScoreEntryModel;

class TestScoreEntry : public QObject {
    Q_OBJECT
    ScoreEntryModel m;

private Q_SLOTS:
    void init() {
        setUpMatch();
        placePlayer(0, 11, QStringLiteral("佐藤一郎"), 20);
        placePlayer(1, 12, QStringLiteral("鈴木"), -1);
        placePlayer(3, 13, QStringLiteral("高橋"));
        m.setFrameModeCaption(M::MarkModeCaption);
        start(m);
    }

    void initKeepsHandicap() {
        shown().Codes[5] = 7;
        shown().Scores[3] = 40;
        m.INIT();
        const auto& r = Module1::ScoreSheet(0, 2);
        for (int k = 0; k <= 21; ++k) {
            QCOMPARE(r.Marks[k], EmptyMark);
            QCOMPARE(int(r.Codes[k]), 30);
            QCOMPARE(int(r.Attrs[k]), -1);
            QCOMPARE(r.PinMasks[k], -1);
        }
        QCOMPARE(int(shown().Codes[5]), 30);
        QCOMPARE(int(shown().Scores[3]), 0);
        QCOMPARE(int(r.Scores[11]), 20);
    }

    void clearMarkKeepsMarkAndAttr() {
        enter(m, {7});
        Module1::CurBall = 0;
        m.Clear_Mark();
        QCOMPARE(shown().Marks[0], QStringLiteral("７"));
        QCOMPARE(int(shown().Attrs[0]), 0);
        QCOMPARE(int(shown().Codes[0]), 30);
        QCOMPARE(int(Module1::FocusBall), 0);
    }

    void flCheck() {
        enter(m, {10, 10, 10, 10, 10, 10, 10, 10, 10, 10});  // strikes up to ball 18
        Module1::CurBall = 19;
        m.fl_check();
        QCOMPARE(m.curFrame(), 10);
        enter(m, {10});
        Module1::CurBall = 20;
        m.fl_check();
        QCOMPARE(m.curFrame(), 11);
    }

    void flCheckOpenTenthMovesToBall18() {
        for (int k = 0; k < 18; ++k) shown().Codes[k] = 19;
        focusBall(m, 18);
        enter(m, {7, 2});
        focusBall(m, 20);
        QCOMPARE(int(Module1::CurBall), 18);
        QCOMPARE(m.focused(), 18);
        QCOMPARE(m.curFrame(), 9);
    }

    void flCheckImpossibleBallIsRepaired() {
        ScriptedDialogs d;
        d.expectMsgBox(vbOK, QStringLiteral("Function fl_check  error 2"));
        enter(m, {5, 3});
        Module1::CurBall = 25;
        m.fl_check();
        QCOMPARE(int(Module1::CurBall), 18);  // nearest ball: 20, which does not exist here either
        m.processPendingFocus();
        QCOMPARE(m.focused(), 18);
        QCOMPARE(int(shown().Codes[0]), 5);
        QCOMPARE(int(shown().Codes[1]), 3);
        QVERIFY(d.allAnswered());
    }

    // Each row: balls entered before (at the ball given), then one entry; refused or not, and where
    // the cursor ends.
    void markRules_data() {
        QTest::addColumn<QList<int>>("before");  // ball, code, ball, code, ...
        QTest::addColumn<int>("ball");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("cursor");
        auto row = [](const char* n, QList<int> b, int ball, int code, bool ok, int cur) {
            QTest::newRow(n) << b << ball << code << ok << cur;
        };
        row("first digit", {}, 4, 7, true, 5);
        row("first foul", {}, 4, 21, true, 5);
        row("first strike skips second", {}, 4, 10, true, 6);
        row("first miss refused", {}, 4, 19, false, 4);
        row("first spare refused", {}, 4, 20, false, 4);
        row("first blank refused", {}, 4, 30, false, 4);
        row("7 then 3 refused", {4, 7}, 5, 3, false, 5);
        row("7 then 2", {4, 7}, 5, 2, true, 6);
        row("7 then spare", {4, 7}, 5, 20, true, 6);
        row("second gutter refused", {4, 7}, 5, 0, false, 5);
        row("second strike refused", {4, 7}, 5, 10, false, 5);
        row("second miss", {4, 7}, 5, 19, true, 6);
        row("second foul", {4, 7}, 5, 21, true, 6);
        row("digit after foul", {4, 21}, 5, 9, true, 6);
        row("digit after empty first", {}, 5, 9, true, 6);
        row("spare after strike refused", {4, 10}, 5, 20, false, 5);
        row("miss after strike refused", {4, 10}, 5, 19, false, 5);
        row("9 after strike refused", {4, 10}, 5, 9, false, 5);
        row("tenth strike", {}, 18, 10, true, 19);
        row("tenth miss refused", {}, 18, 19, false, 18);
        row("19 after strike: strike", {18, 10}, 19, 10, true, 20);
        row("19 after strike: gutter", {18, 10}, 19, 0, true, 20);
        row("19 after strike: spare refused", {18, 10}, 19, 20, false, 19);
        row("19 open: spare", {18, 7}, 19, 20, true, 20);
        row("19 open: 3 refused", {18, 7}, 19, 3, false, 19);
        row("19 open: gutter refused", {18, 7}, 19, 0, false, 19);
        row("19 open: 2 completes", {18, 7}, 19, 2, true, 19);
        row("20 after XX: strike", {18, 10, 19, 10}, 20, 10, true, 20);
        row("20 after XX: 4", {18, 10, 19, 10}, 20, 4, true, 20);
        row("20 after XX: spare refused", {18, 10, 19, 10}, 20, 20, false, 20);
        row("20 after X5: spare", {18, 10, 19, 5}, 20, 20, true, 20);
        row("20 after X5: 5 refused", {18, 10, 19, 5}, 20, 5, false, 20);
        row("20 after X5: 4", {18, 10, 19, 5}, 20, 4, true, 20);
        row("20 after X5: gutter refused", {18, 10, 19, 5}, 20, 0, false, 20);
        row("20 after spare: strike", {18, 3, 19, 20}, 20, 10, true, 20);
        row("20 after spare: miss refused", {18, 3, 19, 20}, 20, 19, false, 20);
        row("20 after open refused", {18, 3, 19, 4}, 20, 5, false, 18);
    }
    void markRules() {
        QFETCH(QList<int>, before);
        QFETCH(int, ball);
        QFETCH(int, code);
        QFETCH(bool, accepted);
        QFETCH(int, cursor);
        for (int i = 0; i + 1 < before.size(); i += 2) {
            focusBall(m, before[i]);
            enter(m, {before[i + 1]});
        }
        focusBall(m, ball);
        Module1::CurBall = std::int16_t(ball);  // even where focusing would move it (ball 20)
        enter(m, {code});
        QCOMPARE(int(shown().Codes[ball]), accepted ? code : 30);
        if (!accepted) QCOMPARE(m.markText(ball), EmptyMark);
        QCOMPARE(int(Module1::CurBall), cursor);
    }

    void strikeThen5InTenthEmptiesBall20() {
        focusBall(m, 18);
        enter(m, {10, 10, 6});
        QCOMPARE(int(shown().Codes[20]), 6);
        focusBall(m, 19);
        enter(m, {5});
        QCOMPARE(int(shown().Codes[20]), 30);
        QCOMPARE(int(Module1::CurBall), 20);
        enter(m, {20});
        QCOMPARE(int(shown().PinsDown[20]), 5);
        QCOMPARE(int(shown().Scores[10]), 20);
    }

    void markModeClearsPinMasksOfFrame() {
        shown().PinMasks[6] = 584;
        shown().PinMasks[7] = 0;
        focusBall(m, 6);
        enter(m, {10});
        QCOMPARE(shown().PinMasks[6], -1);  // the mark has no pin data
        QCOMPARE(shown().PinMasks[7], -1);
        QCOMPARE(m.shapeColor(30), M::ColorGrey);
    }

    void splitColours() {
        // A split first ball keeps its colour and shows the configured mark.
        enter(m, {3});
        focusBall(m, 0);
        m.Cmd_spl_Click();
        m.Cmd_KEISAN_Click();
        QCOMPARE(m.markBackColor(0), M::ColorSplit);
        QCOMPARE(int(shown().Attrs[0]), 2);
        QCOMPARE(shown().Marks[0], QStringLiteral("3s"));
        // A gutter, a nine or a second ball cannot be a split: colour and attribute both go.
        for (auto [ball, code] : {std::pair{2, 0}, std::pair{4, 9}, std::pair{1, 5}}) {
            focusBall(m, ball);
            enter(m, {code});
            focusBall(m, ball);
            m.Cmd_spl_Click();
            m.Cmd_KEISAN_Click();
            QCOMPARE(m.markBackColor(ball), M::ColorWhite);
            QCOMPARE(int(shown().Attrs[ball]), 0);
            QCOMPARE(int(shown().Codes[ball]), code);  // the entry itself stays
        }
        // Ball 19 is a fresh rack only after a strike on 18.
        focusBall(m, 18);
        enter(m, {10, 4});
        focusBall(m, 19);
        m.Cmd_spl_Click();
        m.Cmd_KEISAN_Click();
        QCOMPARE(shown().Marks[19], QStringLiteral("4s"));
    }

    void splitToggleAndCheck() {
        enter(m, {8});
        focusBall(m, 0);
        m.Cmd_spl_Click();
        m.Cmd_spl_Click();
        QCOMPARE(m.markBackColor(0), M::ColorWhite);
        QCOMPARE(int(shown().Attrs[0]), 0);
        shown().PinMasks[0] = 576;
        m.split_check();
        QCOMPARE(m.markBackColor(0), M::ColorSplit);
        m.split_check();  // already marked: unchanged
        QCOMPARE(m.markBackColor(0), M::ColorSplit);
        shown().PinMasks[0] = 130;
        m.split_check();
        QCOMPARE(m.markBackColor(0), M::ColorWhite);
        m.split_check();
        QCOMPARE(m.markBackColor(0), M::ColorWhite);
    }

    void cursorOnShowing() {
        // A strike in frame 1 and nothing else: the cursor passes the empty box 1.
        shown().Codes[0] = 10;
        m.clear_score();
        m.New_score();
        m.processPendingFocus();
        QCOMPARE(int(Module1::CurBall), 2);
        // A perfect game: the sentinel takes the focus and hands it to ball 0.
        for (int k = 0; k <= 16; k += 2) shown().Codes[k] = 10;
        for (int k = 18; k <= 20; ++k) shown().Codes[k] = 10;
        m.clear_score();
        m.New_score();
        QCOMPARE(m.pendingFocus().front(), 21);
        m.processPendingFocus();
        QCOMPARE(m.focused(), 0);
        QCOMPARE(int(Module1::CurBall), 0);
        // A complete game with an open tenth: the cursor goes to ball 20, which sends it to 18.
        for (int k = 0; k <= 17; ++k) shown().Codes[k] = k % 2 ? 19 : 5;
        shown().Codes[18] = 7, shown().Codes[19] = 2, shown().Codes[20] = 30;
        m.clear_score();
        m.New_score();
        QCOMPARE(int(Module1::CurBall), 20);
        m.processPendingFocus();
        QCOMPARE(int(Module1::CurBall), 18);
    }

    void showingStampsMatchAndTexts() {
        Module1::VenueId = 4;
        Module1::MatchYear = 2024;
        Module1::MatchMonth = 6;
        Module1::MatchDay = 9;
        Module1::CurPlayer = 3;
        Module1::CurGame = 1;
        m.clear_score();
        m.New_score();
        const auto& r = Module1::ScoreSheet(3, 1);
        QCOMPARE(int(r.Year), 2024);
        QCOMPARE(int(r.VenueId), 4);
        QCOMPARE(m.gameNumberText(), QStringLiteral(" 2"));
        QCOMPARE(m.slotNumberText(), QStringLiteral(" 4"));
        QCOMPARE(m.scoreText(10), QStringLiteral("    "));
    }

    void movesBetweenGames() {
        ScriptedDialogs d;
        Module1::CurGame = 3;
        m.Pct_moveGAM_Click(1);
        QCOMPARE(int(Module1::CurGame), 0);
        QCOMPARE(d.beeps(), 1);
        m.Pct_moveGAM_Click(0);
        QCOMPARE(int(Module1::CurGame), 0);
        QCOMPARE(d.beeps(), 2);
        m.Pct_moveGAM_Click(1);
        QCOMPARE(int(Module1::CurGame), 1);
        QCOMPARE(d.beeps(), 2);
    }

    void movesBetweenSlotsSkipEmpty() {
        ScriptedDialogs d;
        m.Pct_moveSEN_Click(0);  // back from slot 0
        QCOMPARE(int(Module1::CurPlayer), 0);
        QCOMPARE(d.beeps(), 1);
        m.Pct_moveSEN_Click(1);
        QCOMPARE(int(Module1::CurPlayer), 1);
        m.Pct_moveSEN_Click(1);  // slot 2 is empty
        QCOMPARE(int(Module1::CurPlayer), 3);
        m.Pct_moveSEN_Click(1);  // nobody after slot 3: wraps to 0
        QCOMPARE(int(Module1::CurPlayer), 0);
        QCOMPARE(d.beeps(), 2);
        m.Pct_moveSEN_Click(3);  // +6 runs past the end
        QCOMPARE(int(Module1::CurPlayer), 0);
        Module1::CurPlayer = 3;
        m.Pct_moveSEN_Click(2);  // -6 from 3 is below 0: stays
        QCOMPARE(int(Module1::CurPlayer), 3);
    }

    void handicapRefusal() {
        ScriptedDialogs d;
        Module1::HcpRequired = 1;
        Module1::CurPlayer = 1;  // handicap -1
        m.clear_score();
        m.New_score();
        m.processPendingFocus();
        // Unfinished game: moving is allowed.
        enter(m, {5});
        m.Pct_moveGAM_Click(1);
        QCOMPARE(int(Module1::CurGame), 1);
        // Finished with an open tenth (7 then 2): refused.
        for (int k = 0; k <= 17; ++k) shown().Codes[k] = k % 2 ? 19 : 5;
        shown().Codes[18] = 7, shown().Codes[19] = 2;
        for (int k = 0; k <= 19; ++k) m.setMarkText(k, M::markCaption(shown().Codes[k]));
        d.expectMsgBox(vbOK, QStringLiteral("ハンデを入力してください"));
        m.Pct_moveGAM_Click(1);
        QCOMPARE(int(Module1::CurGame), 1);
        QCOMPARE(int(Module1::FocusBall), -1);
        m.processPendingFocus();
        QCOMPARE(m.focused(), M::FocusHcpBox);
        QCOMPARE(d.beeps(), 1);
        // 7 then miss leaves ball 20 owed by the codes' sum: not taken as complete.
        shown().Codes[19] = 19;
        m.setMarkText(19, QStringLiteral("－"));
        m.Pct_moveSEN_Click(1);
        QCOMPARE(int(Module1::CurPlayer), 3);
        QVERIFY(d.allAnswered());
    }

    void inputCheckTexts() {
        Module1::LastPlayer = 5;  // keep the report short
        Module1::CurGame = 3;     // the check recomputes the shown game from its boxes
        Module1::ScoreSheet(0, 0).Codes[18] = 10;  // strike on 18, ball 20 owed
        for (int k = 0; k <= 17; ++k) Module1::ScoreSheet(0, 0).Codes[k] = k % 2 ? 19 : 4;
        Module1::ScoreSheet(0, 0).Codes[19] = 3;
        Module1::ScoreSheet(2, 1).Codes[4] = 7;  // entries without a player
        Module1::ScoreSheet(3, 2).Codes[0] = 9;  // begun only
        m.Cmd_INFO_Click();
        QVERIFY(m.infoVisible());
        const QString expected = QStringLiteral(
            "佐藤一郎 選手の 第 1ゲームが、入力途中です。\r\n\r\n"
            "選手名未入選手の 第 2ゲームが、入力途中です。\r\n"
            "選手名が入っていないのに入力しているところがあります。　 2ゲーム目の第 3番目です。\r\n"
            "高橋   選手の 第 3ゲームが、入力途中です。\r\n\r\n");
        QCOMPARE(m.infoText(), expected);
        m.Form_INFO_Cmd_OK_Click();
        QVERIFY(!m.infoVisible());
        QVERIFY(m.infoText().isEmpty());
    }

    void inputCheckNothingPending() {
        for (int k = 0; k <= 17; ++k) Module1::ScoreSheet(0, 0).Codes[k] = k % 2 ? 19 : 4;
        Module1::ScoreSheet(0, 0).Codes[18] = 3;
        Module1::ScoreSheet(0, 0).Codes[19] = 19;
        m.Cmd_INFO_Click();
        QCOMPARE(m.infoText(), QStringLiteral("入力途中のゲームはありません。"));
    }

    void anaCompactsGamesAndPlayers() {
        // Slot 3 bowled games 1 and 3; slot 1 only game 3, starting with an empty ball 0.
        for (int g : {0, 2}) {
            auto& r = Module1::ScoreSheet(3, g);
            for (int k = 0; k <= 18; k += 2) r.Codes[k] = std::uint8_t(g == 0 ? 9 : 8);
            for (int k = 1; k <= 19; k += 2) r.Codes[k] = 19;
        }
        Module1::ScoreSheet(1, 2).Codes[1] = 4;
        // The handicap changed for all games after the last calculation.
        for (int g = 0; g <= 3; ++g) Module1::ScoreSheet(3, g).Scores[11] = 15;
        QVERIFY(m.ANA());
        QCOMPARE(int(Module1::GamePlayerCounts[0]), 2);
        QCOMPARE(int(Module1::GamePlayerCounts[1]), 1);
        QCOMPARE(int(Module1::GamePlayerCounts[2]), 0);
        QCOMPARE(int(Module1::GamePlayerCounts[3]), 2);
        QCOMPARE(int(Module1::PlayedGameCount), 2);
        QCOMPARE(Module1::PlayedSheet.hi1(), 2);
        QCOMPARE(Module1::PlayedSheet.hi2(), 2);
        QCOMPARE(int(Module1::PlayedSheet(1, 1).PlayerId), 12);
        QCOMPARE(int(Module1::PlayedSheet(2, 1).PlayerId), 13);
        QCOMPARE(int(Module1::PlayedSheet(2, 1).Scores[10]), 90);
        QCOMPARE(int(Module1::PlayedSheet(2, 2).Scores[10]), 80);  // the third game
        QCOMPARE(int(Module1::PlayedSheet(2, 2).Scores[0]), 95);
        QCOMPARE(int(Module1::PlayedSheet(1, 2).Codes[1]), 4);
        QCOMPARE(Module1::PlayedSheet(2, 2).Name.str(), QStringLiteral("高橋        ").left(10));
        QCOMPARE(Module1::PlayersWithData[1], QVariant(1));
        QVERIFY(!Module1::PlayersWithData[0].isValid());
    }

    void endOfInputRefusesEmptyDay() {
        ScriptedDialogs d;
        struct L : ScoreEntryListener {
            int ended = 0;
            void inputEnded() override { ++ended; }
        } l;
        m.setListener(&l);
        d.expectMsgBox(vbOK, QStringLiteral("スコアが入力されたゲームがありません。"));
        m.Cmd_TOKEI_Click();
        QCOMPARE(l.ended, 0);
        QCOMPARE(int(Module1::PlayedGameCount), 0);
        QVERIFY(Module1::PlayedSheet.empty());
        // One finished player: asked once more, then the input ends.
        for (int k = 0; k <= 17; ++k) shown().Codes[k] = k % 2 ? 19 : 4;
        shown().Codes[18] = 3, shown().Codes[19] = 19;
        for (int k = 0; k <= 19; ++k) m.setMarkText(k, M::markCaption(shown().Codes[k]));
        const QString ask = QStringLiteral(
            "一人しか入力されていません。\r一人でも記録しますか？\r  ------------------------------------------ \r"
            " [はい] を選ぶと、次に進みます。\r[いいえ]を選ぶと、スコア入力に戻ります。");
        d.expectMsgBox(vbNo, ask);
        m.Cmd_TOKEI_Click();
        QCOMPARE(l.ended, 0);
        d.expectMsgBox(vbYes, ask);
        m.Cmd_TOKEI_Click();
        QCOMPARE(l.ended, 1);
        QCOMPARE(d.shown().back().prompt, ask);
        QCOMPARE(d.shown().back().style, vbYesNo + vbQuestion);
        QVERIFY(!m.infoVisible());
        m.setListener(nullptr);
    }

    void endOfInputAsksAboutUnfinished() {
        ScriptedDialogs d;
        enter(m, {5});
        d.expectMsgBox(vbYes, QStringLiteral("入力していないデータを入力してください"));
        m.Cmd_TOKEI_Click();
        QVERIFY(d.allAnswered());
        QCOMPARE(d.shown().back().style, vbYesNo + vbExclamation);
    }
};

QTEST_GUILESS_MAIN(TestScoreEntry)
#include "tst_scoreentry.moc"
