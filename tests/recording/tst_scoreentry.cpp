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

    // Enters "ball:code ..." one at a time, each with its box focused first.
    void enterAt(const QString& balls) {
        for (const QString& part : balls.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            focusBall(m, part.section(QLatin1Char(':'), 0, 0).toInt());
            enter(m, {part.section(QLatin1Char(':'), 1, 1).toInt()});
        }
    }
    void reshow() {
        m.clear_score();
        m.New_score();
    }

private Q_SLOTS:
    void init() {
        setUpMatch();
        placePlayer(0, 11, QStringLiteral("佐藤一郎"), 20);
        placePlayer(1, 12, QStringLiteral("鈴木"), -1);
        placePlayer(3, 13, QStringLiteral("高橋"));
        m.setFrameModeCaption(M::MarkModeCaption);
        start(m);
    }

    void initAndClearMark() {
        enter(m, {7});
        Module1::CurBall = 0;
        m.Clear_Mark();  // only the code, the box and the cursor change
        QCOMPARE(shown().Marks[0], QStringLiteral("７"));
        QCOMPARE(int(shown().Attrs[0]), 0);
        QCOMPARE(int(shown().Codes[0]), 30);
        QCOMPARE(int(Module1::FocusBall), 0);
        shown().Scores[3] = 40;
        m.INIT();
        for (int k = 0; k <= 21; ++k) {
            QCOMPARE(shown().Marks[k], EmptyMark);
            QCOMPARE(int(shown().Codes[k]), 30);
            QCOMPARE(int(shown().Attrs[k]), -1);
            QCOMPARE(shown().PinMasks[k], -1);
        }
        QCOMPARE(int(shown().Scores[3]), 0);
        QCOMPARE(int(Module1::ScoreSheet(0, 2).Scores[11]), 20);  // the handicap stays
    }

    void flCheck() {
        // Tenth-frame codes, ball → frame and the ball the cursor is left on.
        const std::tuple<const char*, int, int, int> cases[] = {
            {"", 18, 9, 18}, {"18:7", 19, 9, 19}, {"18:10", 19, 10, 19}, {"18:10 19:10", 20, 11, 20},
            {"18:10 19:5", 20, 10, 20}, {"18:7 19:20", 20, 10, 20}, {"18:7 19:2", 20, 9, 18}};
        for (auto [tenth, ball, frame, after] : cases) {
            setCodes(shown(), QString::fromLatin1(tenth));
            Module1::CurBall = std::int16_t(ball);
            m.fl_check();
            m.processPendingFocus();
            QCOMPARE(m.curFrame(), frame);
            QCOMPARE(int(Module1::CurBall), after);
        }
        QCOMPARE(m.focused(), 18);  // ball 20 after an open tenth does not exist: back to 18
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

    // Balls entered before, then one entry: refused or not, and where the cursor ends. Accepted
    // entries in ordinary games are covered by the random games of tst_scoring.
    void markRules_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("ball");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("cursor");
        auto row = [](const char* n, const char* b, int ball, int code, bool ok, int cur) {
            QTest::newRow(n) << QString::fromLatin1(b) << ball << code << ok << cur;
        };
        row("first strike skips second", "", 4, 10, true, 6);
        row("first miss refused", "", 4, 19, false, 4);
        row("first spare refused", "", 4, 20, false, 4);
        row("first blank refused", "", 4, 30, false, 4);
        row("7 then 3 refused", "4:7", 5, 3, false, 5);
        row("second gutter refused", "4:7", 5, 0, false, 5);
        row("second strike refused", "4:7", 5, 10, false, 5);
        row("digit after empty first", "", 5, 9, true, 6);
        row("spare after strike refused", "4:10", 5, 20, false, 5);
        row("miss after strike refused", "4:10", 5, 19, false, 5);
        row("9 after strike refused", "4:10", 5, 9, false, 5);
        row("tenth miss refused", "", 18, 19, false, 18);
        row("19 after strike: spare refused", "18:10", 19, 20, false, 19);
        row("19 open: 3 refused", "18:7", 19, 3, false, 19);
        row("19 open: gutter refused", "18:7", 19, 0, false, 19);
        row("19 open: 2 completes", "18:7", 19, 2, true, 19);
        row("20 after XX: strike", "18:10 19:10", 20, 10, true, 20);
        row("20 after XX: spare refused", "18:10 19:10", 20, 20, false, 20);
        row("20 after X5: 5 refused", "18:10 19:5", 20, 5, false, 20);
        row("20 after X5: gutter refused", "18:10 19:5", 20, 0, false, 20);
        row("20 after spare: miss refused", "18:3 19:20", 20, 19, false, 20);
        row("20 after open refused", "18:3 19:4", 20, 5, false, 18);
    }
    void markRules() {
        QFETCH(QString, before);
        QFETCH(int, ball);
        QFETCH(int, code);
        QFETCH(bool, accepted);
        QFETCH(int, cursor);
        enterAt(before);
        focusBall(m, ball);
        Module1::CurBall = std::int16_t(ball);  // even where focusing would move it (ball 20)
        enter(m, {code});
        QCOMPARE(int(shown().Codes[ball]), accepted ? code : 30);
        if (!accepted) QCOMPARE(m.markText(ball), EmptyMark);
        QCOMPARE(int(Module1::CurBall), cursor);
    }

    void tenthEntries() {
        enterAt("18:10 19:10 20:6 19:5");  // a new ball 19 empties ball 20 and moves there
        QCOMPARE(int(shown().Codes[20]), 30);
        QCOMPARE(int(Module1::CurBall), 20);
        enter(m, {20});
        QCOMPARE(int(shown().PinsDown[20]), 5);
        QCOMPARE(int(shown().Scores[10]), 20);
        // In mark mode a mark leaves its frame without pin data.
        shown().PinMasks[6] = 584;
        shown().PinMasks[7] = 0;
        enterAt("6:10");
        QCOMPARE(shown().PinMasks[6], -1);
        QCOMPARE(shown().PinMasks[7], -1);
        QCOMPARE(m.shapeColor(30), M::ColorGrey);
    }

    // Split marking pressed on a ball, then the calculation.
    void splitColours_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("ball");
        QTest::addColumn<int>("colour");
        QTest::addColumn<int>("attr");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("mark");
        QTest::newRow("first ball 3") << "0:3" << 0 << M::ColorSplit << 2 << 3 << "3s";
        QTest::newRow("ball 19 after strike") << "18:10 19:4" << 19 << M::ColorSplit << 2 << 4 << "4s";
        // A gutter or a second ball keeps its entry, never as a split.
        QTest::newRow("gutter") << "2:0" << 2 << M::ColorWhite << 0 << 0 << "Ｇ";
        QTest::newRow("second ball") << "0:4 1:5" << 1 << M::ColorWhite << 0 << 5 << "５";
        QTest::newRow("ball 19 after open 18") << "18:4 19:5" << 19 << M::ColorWhite << 0 << 5 << "５";
        // From nine pins on a ball cannot be a split: it is cleared.
        QTest::newRow("nine") << "4:9" << 4 << M::ColorWhite << 0 << 30 << "　";
        QTest::newRow("second-ball miss") << "0:4 1:19" << 1 << M::ColorWhite << 0 << 30 << "　";
    }
    void splitColours() {
        QFETCH(QString, before);
        QFETCH(int, ball);
        QFETCH(int, colour);
        QFETCH(int, attr);
        QFETCH(int, code);
        QFETCH(QString, mark);
        enterAt(before);
        focusBall(m, ball);
        m.Cmd_spl_Click();
        m.Cmd_KEISAN_Click();
        QCOMPARE(m.markBackColor(ball), colour);
        QCOMPARE(int(shown().Attrs[ball]), attr);
        QCOMPARE(int(shown().Codes[ball]), code);
        QCOMPARE(shown().Marks[ball], mark);
        QCOMPARE(m.markText(ball), mark);
    }

    void splitToggleAndCheck() {
        enter(m, {8});
        focusBall(m, 0);
        m.Cmd_spl_Click();
        m.Cmd_spl_Click();
        QCOMPARE(m.markBackColor(0), M::ColorWhite);
        QCOMPARE(int(shown().Attrs[0]), 0);
        // Twice each: a second check on the same leave changes nothing.
        for (auto [mask, colour] : {std::pair{576, M::ColorSplit}, {576, M::ColorSplit}, {130, M::ColorWhite}, {130, M::ColorWhite}}) {
            shown().PinMasks[0] = mask;
            m.split_check();
            QCOMPARE(m.markBackColor(0), colour);
        }
    }

    void cursorOnShowing() {
        shown().Codes[0] = 10;  // a strike in frame 1 and nothing else: the empty box 1 is passed
        reshow();
        m.processPendingFocus();
        QCOMPARE(int(Module1::CurBall), 2);
        setCodes(shown(), "2:10 4:10 6:10 8:10 10:10 12:10 14:10 16:10 18:10 19:10 20:10");
        reshow();  // a perfect game: the sentinel takes the focus and hands it to ball 0
        QCOMPARE(m.pendingFocus().front(), 21);
        m.processPendingFocus();
        QCOMPARE(m.focused(), 0);
        QCOMPARE(int(Module1::CurBall), 0);
        openFrames(shown(), 5);
        setCodes(shown(), "18:7 19:2 20:30");
        reshow();  // an open tenth: the cursor goes to ball 20, whose focus sends it to 18
        QCOMPARE(int(Module1::CurBall), 20);
        m.processPendingFocus();
        QCOMPARE(int(Module1::CurBall), 18);
    }

    void showingStampsMatchAndTexts() {
        Module1::VenueId = 4;
        Module1::MatchYear = 2024;
        Module1::CurPlayer = 3;
        Module1::CurGame = 1;
        reshow();
        QCOMPARE(int(shown().Year), 2024);
        QCOMPARE(int(shown().VenueId), 4);
        QCOMPARE(m.gameNumberText(), QStringLiteral(" 2"));
        QCOMPARE(m.slotNumberText(), QStringLiteral(" 4"));
        QCOMPARE(m.scoreText(10), QStringLiteral("    "));
    }

    void moves() {
        ScriptedDialogs d;
        Module1::CurGame = 3;
        const std::tuple<bool, int, int, int> steps[] = {
            // games: last → first, first → stays (beep), then on
            {true, 1, 0, 1}, {true, 0, 0, 2}, {true, 1, 1, 2},
            // slots: back from 0 stays (beep), 2 is empty, past the last wraps to 0 (beep), +6 too
            {false, 0, 0, 3}, {false, 1, 1, 3}, {false, 1, 3, 3}, {false, 1, 0, 4}, {false, 3, 0, 5}};
        for (auto [game, index, to, beeps] : steps) {
            game ? m.Pct_moveGAM_Click(index) : m.Pct_moveSEN_Click(index);
            QCOMPARE(int(game ? Module1::CurGame : Module1::CurPlayer), to);
            QCOMPARE(d.beeps(), beeps);
        }
        Module1::CurPlayer = 3;
        m.Pct_moveSEN_Click(2);  // -6 from 3 is below 0: stays
        QCOMPARE(int(Module1::CurPlayer), 3);
    }

    void handicapRefusal() {
        ScriptedDialogs d;
        Module1::HcpRequired = 1;
        Module1::CurPlayer = 1;  // handicap -1
        reshow();
        m.processPendingFocus();
        enter(m, {5});
        m.Pct_moveGAM_Click(1);  // unfinished game: moving is allowed
        QCOMPARE(int(Module1::CurGame), 1);
        openFrames(shown(), 5);  // finished with an open tenth (7 then 2): refused
        setCodes(shown(), "18:7 19:2");
        boxesFromCodes(m);
        d.expectMsgBox(vbOK, QStringLiteral("ハンデを入力してください"));
        m.Pct_moveGAM_Click(1);
        QCOMPARE(int(Module1::CurGame), 1);
        QCOMPARE(int(Module1::FocusBall), -1);
        m.processPendingFocus();
        QCOMPARE(m.focused(), M::FocusHcpBox);
        QCOMPARE(d.beeps(), 1);
        setCodes(shown(), "19:19");  // 7 then miss: the codes add up to 26, not complete
        boxesFromCodes(m);
        m.Pct_moveSEN_Click(1);
        QCOMPARE(int(Module1::CurPlayer), 3);
        QVERIFY(d.allAnswered());
    }

    void inputCheckTexts() {
        Module1::LastPlayer = 5;  // keep the report short
        Module1::CurGame = 3;     // the check recomputes the shown game from its boxes
        openFrames(Module1::ScoreSheet(0, 0), 4);
        setCodes(Module1::ScoreSheet(0, 0), "18:10 19:3");  // ball 20 owed
        Module1::ScoreSheet(2, 1).Codes[4] = 7;               // entries without a player
        Module1::ScoreSheet(3, 2).Codes[0] = 9;               // begun only
        openFrames(Module1::ScoreSheet(3, 0), 4);             // finished
        setCodes(Module1::ScoreSheet(3, 0), "18:3 19:19");
        m.Cmd_INFO_Click();
        QVERIFY(m.infoVisible());
        QCOMPARE(m.infoText(), QStringLiteral("佐藤一郎 選手の 第 1ゲームが、入力途中です。\r\n\r\n"
                                              "選手名未入選手の 第 2ゲームが、入力途中です。\r\n"
                                              "選手名が入っていないのに入力しているところがあります。　 2ゲーム目の第 3番目です。\r\n"
                                              "高橋   選手の 第 3ゲームが、入力途中です。\r\n\r\n"));
        m.Form_INFO_Cmd_OK_Click();
        QVERIFY(!m.infoVisible() && m.infoText().isEmpty());
        Module1::ScoreSheet(0, 0).Codes[20] = 5;
        Module1::ScoreSheet(2, 1).Codes[4] = 30;
        Module1::ScoreSheet(3, 2).Codes[0] = 30;
        m.Cmd_INFO_Click();
        QCOMPARE(m.infoText(), QStringLiteral("入力途中のゲームはありません。"));
    }

    void anaCompactsGamesAndPlayers() {
        // Slot 3 bowled games 1 and 3; slot 1 only game 3, starting with an empty ball 0.
        openFrames(Module1::ScoreSheet(3, 0), 9);
        setCodes(Module1::ScoreSheet(3, 0), "18:9 19:19");
        openFrames(Module1::ScoreSheet(3, 2), 8);
        setCodes(Module1::ScoreSheet(3, 2), "18:8 19:19");
        Module1::ScoreSheet(1, 2).Codes[1] = 4;
        // The handicap changed for all games after the last calculation.
        for (int g = 0; g <= 3; ++g) Module1::ScoreSheet(3, g).Scores[11] = 15;
        QVERIFY(m.ANA());
        QCOMPARE(QList<int>(Module1::GamePlayerCounts.begin(), Module1::GamePlayerCounts.begin() + 5), QList<int>({2, 1, 0, 2, 0}));
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

    void endOfInput() {
        ScriptedDialogs d;
        struct L : ScoreEntryListener {
            int ended = 0;
            void inputEnded() override { ++ended; }
        } l;
        m.setListener(&l);
        d.expectMsgBox(vbOK, QStringLiteral("スコアが入力されたゲームがありません。"));  // an empty day
        m.Cmd_TOKEI_Click();
        QCOMPARE(int(Module1::PlayedGameCount), 0);
        QVERIFY(Module1::PlayedSheet.empty());
        enter(m, {5});  // an unfinished game: "yes" goes back to the input
        d.expectMsgBox(vbYes, QStringLiteral("入力していないデータを入力してください"));
        m.Cmd_TOKEI_Click();
        QCOMPARE(d.shown().back().style, vbYesNo + vbExclamation);
        openFrames(shown(), 4);  // one finished player: asked once more
        setCodes(shown(), "18:3 19:19");
        boxesFromCodes(m);
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
};

QTEST_GUILESS_MAIN(TestScoreEntry)
#include "tst_scoreentry.moc"
