// The score entry without its window: random games entered as marks and as pins against a
// separate scorer, the split set, mark rules, splits, the cursor, showing a record, the input check,
// the statistics preparation and a pin click without a rack. The window's tests drive the rest.
#include "recording/scoring.h"
#include "recording/split.h"
#include "support/recording_fixture.h"
#include "support/scripted_dialogs.h"
#include <QTest>
#include <bit>
#include <random>

using namespace vx;
using namespace vxtest;
using M = ScoreEntryModel;

namespace {

// Ordinary ten-pin scoring over the pins of each roll, frame by frame.
std::array<int, 11> referenceScores(const std::vector<int>& rolls) {
    std::array<int, 11> cum{};
    auto at = [&](std::size_t j) { return j < rolls.size() ? rolls[j] : 0; };
    std::size_t i = 0;
    for (int f = 1, total = 0; f <= 10; ++f) {
        const bool strike = at(i) == 10, spare = !strike && at(i) + at(i + 1) == 10;
        total += strike ? 10 + at(i + 1) + at(i + 2) : spare ? 10 + at(i + 2) : at(i) + at(i + 1);
        i += strike ? 1 : 2;
        cum[std::size_t(f)] = total;
    }
    return cum;
}

int count(int mask) { return std::popcount(unsigned(mask)); }

// Codes, marks, attributes and scores of a record.
QString record(const GameRecord& r) {
    QStringList out;
    for (std::size_t k = 0; k <= 20; ++k) out << QStringLiteral("%1%2%3").arg(r.Codes[k]).arg(r.Marks[k]).arg(r.Attrs[k]);
    for (std::int16_t s : r.Scores) out << QString::number(s);
    return out.join(u' ');
}

// A rack: pins standing after its first and second ball (s2 -1: one ball only); fouls bit 1 the
// first ball fouled (all ten stand), bit 2 the second (nothing more fell).
struct Rack { int s1, s2, fouls; };

// One random complete game; fouls in frames 1..9 only.
std::vector<Rack> randomGame(std::mt19937& rng) {
    auto pick = [&](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(rng)); };
    auto subset = [&](int of, int keep) {  // `keep` random pins of `of`
        std::vector<int> bits;
        for (int i = 0; i < 10; ++i)
            if ((of >> i) & 1) bits.push_back(i);
        std::shuffle(bits.begin(), bits.end(), rng);
        int r = 0;
        for (int i = 0; i < keep; ++i) r |= 1 << bits[std::size_t(i)];
        return r;
    };
    auto first = [&] { return pick(4) == 0 ? 0 : subset(1023, 1 + pick(10)); };
    auto second = [&](int s1) { return subset(s1, pick(count(s1) + 1)); };
    std::vector<Rack> g;
    for (int f = 0; f < 9; ++f) {
        const int s1 = first(), s2 = s1 ? second(s1) : -1;
        g.push_back({s1, s2, (s1 == 1023 && pick(2) ? 1 : 0) | (s2 == s1 && pick(2) ? 2 : 0)});
    }
    const int a = first();
    if (a == 0) {
        const int b = first();
        g.push_back({0, -1, 0});
        if (b == 0) g.push_back({0, -1, 0}), g.push_back({first(), -1, 0});
        else g.push_back({b, second(b), 0});
    } else {
        const int b = second(a);
        g.push_back({a, b, 0});
        if (b == 0) g.push_back({first(), -1, 0});
    }
    return g;
}

}  // namespace

class TestScoreEntry : public QObject {
    Q_OBJECT
    M m;
    std::unique_ptr<ScriptedDialogs> d;

    // Enters "ball:code ..." one at a time, each with its box focused first.
    void enterAt(const char* balls) {
        for (const QString& part : QString::fromLatin1(balls).split(u' ', Qt::SkipEmptyParts)) {
            focusBall(m, part.section(u':', 0, 0).toInt());
            enter(m, {part.section(u':', 1).toInt()});
        }
    }

private Q_SLOTS:
    void init() {
        d = std::make_unique<ScriptedDialogs>();  // a dialog nobody expected fails the test
        m.setListener(nullptr);
        setUpMatch();
        placePlayer(0, 11, QStringLiteral("佐藤一郎"), 20);
        placePlayer(1, 12, QStringLiteral("鈴木"), -1);
        placePlayer(3, 13, QStringLiteral("高橋"));
        m.setFrameModeCaption(M::MarkModeCaption);
        start(m);
    }
    void cleanup() { QVERIFY2(std::exchange(d, nullptr)->allAnswered(), "an expected dialog never came"); }

    // Random complete games entered mark by mark in slot 1, each entry where the cursor stands, give
    // the scores of the ordinary reckoning; entered rack by rack as pins in slot 0 they give the
    // very same record.
    void randomGamesAsMarksAndAsPins() {
        setUpMatch(1, 0);
        placePlayer(0, 1, QStringLiteral("田中"), 7);
        placePlayer(1, 2, QStringLiteral("中村"), 7);
        std::mt19937 rng(20240611);
        int splits = 0, fouls = 0, thirdBalls = 0;
        for (int game = 0; game < 1500; ++game) {
            const std::vector<Rack> racks = randomGame(rng);
            M mk;
            start(mk, 1);
            std::vector<int> rolls;
            QStringList expected;  // "ball:code" as the cursor should take them
            int ball = 0;
            auto mark = [&](int code, int pins) {
                enter(mk, {code});
                rolls.push_back(pins);
                expected << QStringLiteral("%1:%2").arg(ball++).arg(code);
            };
            for (std::size_t i = 0; i < racks.size(); ++i) {
                const Rack& r = racks[i];
                if (r.s1 && !(r.fouls & 1) && isSplitLeave(r.s1)) mk.Cmd_spl_Click();
                const int n = 10 - count(r.s1), k = count(r.s1) - count(r.s2);
                mark(r.fouls & 1 ? 21 : n, n);
                if (r.s2 >= 0) mark(r.s2 == 0 ? 20 : r.fouls & 2 ? 21 : k == 0 ? 19 : k, k);
                else if (i < 9) ++ball;
            }
            const auto ref = referenceScores(rolls);
            QStringList scores, refScores;
            for (int f = 1; f <= 10; ++f) {
                scores << QString::number(shown().Scores[f]);
                refScores << QString::number(ref[std::size_t(f)]);
            }
            scores << QString::number(shown().Scores[0]) << mk.scoreText(10);
            refScores << QString::number(ref[10] + 7) << QString::number(ref[10]);
            QCOMPARE(QString::number(game) + u' ' + state() + u'|' + scores.join(u' '), QString::number(game) + u' ' + expected.join(u' ') + u'|' + refScores.join(u' '));
            const QString byMarks = QString::number(game) + u' ' + record(shown());

            M pn;
            pn.setFrameModeCaption(M::PinModeCaption);
            start(pn, 0);
            for (std::size_t i = 0; i < racks.size(); ++i) {
                const Rack& r = racks[i];
                const bool derivesAtOnce = Module1::CurBall >= 19 || i >= 10;
                if (r.s1 == 0) {
                    command(pn, 0);
                    continue;
                }
                if (r.fouls & 1) command(pn, 3);  // then all ten stand already
                for (int mask : {r.fouls & 1 ? 0 : r.s1, r.s2})
                    for (int pin = 0; pin < 10; ++pin)
                        if (mask > 0 && (mask >> pin) & 1) pins(pn, {pin + 1});
                if (r.fouls & 2) {  // "OK", then the foul on the second ball
                    frameMove(pn, 2);
                    command(pn, 3);
                } else if (!derivesAtOnce) {
                    frameMove(pn, 1);
                }
            }
            QCOMPARE(QString::number(game) + u' ' + record(shown()), byMarks);
            for (std::size_t k = 0; k <= 20; ++k) QVERIFY(shown().Codes[k] != BallCode::Strike || shown().PinMasks[k] == 0);
            const auto& attrs = shown().Attrs;
            splits += int(std::count(attrs.begin(), attrs.end(), BallAttr::Split));
            fouls += int(std::count(attrs.begin(), attrs.end(), BallAttr::Foul));
            thirdBalls += shown().Codes[20] != BallCode::NotEntered;
        }
        QVERIFY(splits > 1000 && fouls > 1000 && thirdBalls > 300);  // the generator reaches them all
    }

    // Balls entered before, then one entry: what the record holds after and where the cursor ends.
    // Accepted entries in ordinary games are covered by the random games.
    void markRules() {
        const struct { const char* before; int ball, code; const char* after; int cursor; } cases[] = {
            {"4:7 5:2 6:5", 4, 10, "4:10 6:5", 6},  // a strike empties its second ball
            {"", 4, 19, "", 4}, {"", 4, 20, "", 4}, {"", 4, 30, "", 4},  // a first ball is no miss, spare or blank
            {"4:7", 5, 3, "4:7", 5},  // ten pins in two balls make a spare
            {"4:7", 5, 0, "4:7", 5}, {"4:7", 5, 10, "4:7", 5},  // a second ball is no gutter or strike
            {"", 5, 9, "5:9", 6},
            {"4:21", 5, 9, "4:21 5:9", 6},  // after a foul all ten stand
            {"4:10", 5, 20, "4:10", 5}, {"4:10", 5, 19, "4:10", 5}, {"4:10", 5, 9, "4:10", 5},  // nothing after a strike
            {"", 18, 19, "", 18}, {"18:10", 19, 20, "18:10", 19}, {"18:7", 19, 3, "18:7", 19}, {"18:7", 19, 0, "18:7", 19},
            {"18:7 19:20 20:5", 19, 2, "18:7 19:2", 19},    // an open tenth has no ball 20
            {"18:7", 19, 21, "18:7 19:21", 18},
            {"18:10 19:10 20:6", 19, 5, "18:10 19:5", 20},  // a new ball 19 empties ball 20
            {"18:10 19:10", 20, 10, "18:10 19:10 20:10", 20},
            {"18:10 19:10", 20, 20, "18:10 19:10", 20}, {"18:10 19:5", 20, 5, "18:10 19:5", 20},
            {"18:10 19:5", 20, 0, "18:10 19:5", 20}, {"18:3 19:20", 20, 19, "18:3 19:20", 20},
            {"18:10 19:5", 20, 20, "18:10 19:5 20:20", 20},
            {"18:3 19:4", 20, 5, "18:3 19:4", 18},
        };
        for (const auto& c : cases) {
            start(m);
            enterAt(c.before);
            focusBall(m, c.ball);
            Module1::CurBall = std::int16_t(c.ball);  // even where focusing would move it (ball 20)
            enter(m, {c.code});
            QCOMPARE(state() + u'|' + QString::number(Module1::CurBall), QString::fromLatin1(c.after) + u'|' + QString::number(c.cursor));
        }
    }

    // Split pressed on a ball, then the calculation: it stays only on a first ball of 1..8 pins;
    // the leaves that are splits.
    void splitMarks() {
        const struct { const char* before; int ball; bool split; const char *after, *mark; } cases[] = {
            {"0:3", 0, true, "0:3", "3s"},
            {"18:10 19:4", 19, true, "18:10 19:4", "4s"},
            {"18:10 19:10 20:3", 20, true, "18:10 19:10 20:3", "3s"},
            {"18:0", 18, false, "18:0", "Ｇ"},  // a gutter or a second ball keeps its entry, never as a split
            {"0:4 1:5", 1, false, "0:4 1:5", "５"},
            {"18:4 19:5", 19, false, "18:4 19:5", "５"},
            {"4:9", 4, false, "", "　"},  // from nine pins on a ball cannot be a split: it is cleared
            {"0:4 1:19", 1, false, "0:4", "　"},
        };
        for (const auto& c : cases) {
            start(m);
            enterAt(c.before);
            focusBall(m, c.ball);
            m.Cmd_spl_Click();
            m.Cmd_KEISAN_Click();
            QCOMPARE(QStringLiteral("%1|%2|%3|%4|%5").arg(state()).arg(int(m.markBackColor(c.ball) == M::ColorSplit))
                         .arg(shown().Attrs[std::size_t(c.ball)]).arg(shown().Marks[std::size_t(c.ball)], m.markText(c.ball)),
                     QStringLiteral("%1|%2|%3|%4|%4").arg(QString::fromLatin1(c.after)).arg(int(c.split)).arg(c.split ? 2 : 0).arg(QString::fromUtf8(c.mark)));
        }
        m.Cmd_spl_Click();  // pressed twice it is off
        m.Cmd_spl_Click();
        QCOMPARE(m.markBackColor(1), M::ColorWhite);
        // The split leaves.
        int n = 0, lo = 2000, hi = -1;
        for (int m = -2; m <= 1100; ++m)
            if (isSplitLeave(m)) n += 1 + (m & 1) * 1000, lo = std::min(lo, m), hi = std::max(hi, m);  // never with the head pin
        QCOMPARE(QList<int>({n, lo, hi}), QList<int>({365, 6, 1014}));
        for (int m : {576, 6, 192, 528}) QVERIFY(isSplitLeave(m));  // 7-10, 2-3, 7-8 (side by side), 5-10
        for (int m : {-1, 0, 1023, 4, 272, 50, 1008}) QVERIFY(!isSplitLeave(m));  // 5-9 joined; 50, 1008 listed
    }

    // The frame of a ball and the ball the cursor is left on; a cursor off the boxes is put back.
    void cursorFramesAndImpossibleRacks() {
        const std::tuple<const char*, int, int, int> cases[] = {
            {"", 18, 9, 18}, {"18:7", 19, 9, 19}, {"18:10", 19, 10, 19}, {"18:10 19:10", 20, 11, 20},
            {"18:10 19:5", 20, 10, 20}, {"18:7 19:20", 20, 10, 20}, {"18:7 19:2", 20, 9, 18}};
        for (auto [tenth, ball, frame, after] : cases) {
            setCodes(shown(), QString::fromLatin1(tenth));
            Module1::CurBall = std::int16_t(ball);
            m.fl_check();
            m.processPendingFocus();
            QCOMPARE(QList<int>({m.curFrame(), Module1::CurBall}), QList<int>({frame, after}));
        }
        QCOMPARE(m.focused(), 18);  // ball 20 after an open tenth does not exist: back to 18
        d->expectMsgBox(vbOK, QStringLiteral("Function fl_check  error 2"));
        Module1::CurBall = 25;
        m.fl_check();
        QCOMPARE(int(Module1::CurBall), 18);  // nearest ball: 20, which does not exist here either
        m.processPendingFocus();
        QCOMPARE(m.focused(), 18);
        d->expectMsgBox(vbOK, QStringLiteral("Function fl_check  error 2"));
        Module1::CurBall = -3;
        enter(m, {5});  // a mark is not placed blindly
        QCOMPARE(state() + u' ' + QString::number(m.focused()), QStringLiteral("18:7 19:2 0"));
        // A pin click with no rack behind the cursor says so, touches nothing stored and puts the
        // cursor back on a ball; ball moves stop at the ends.
        m.setFrameModeCaption(M::PinModeCaption);
        start(m);
        setCodes(shown(), "18:10 19:10");  // ball 20 exists
        focusBall(m, 4);
        pins(m, {3});
        d->expectMsgBox(vbOK, QStringLiteral("Error Pct_Pin 1002"));  // pin 3 stands
        Module1::CurBall = 21;
        m.pct_pin_Click(2);
        m.processPendingFocus();
        d->expectMsgBox(vbOK, QStringLiteral("Error Pct_Pin 1001"));
        Module1::CurBall = 21;
        m.pct_pin_Click(0);
        QCOMPARE(state() + u' ' + QString::number(m.focused()), QStringLiteral("4:30/4 5:30/0 18:10 19:10 20"));
        // Cursor before, direction → box focused; -1 is the cursor after a refused move.
        for (auto [from, index, to] : {std::tuple{20, 1, 20}, {0, 0, 0}, {5, 0, 4}, {-1, 1, 0}, {-1, 0, 0}}) {
            focusBall(m, 3);
            Module1::FocusBall = std::int16_t(from);
            m.cmd_moveflame2_Click(index);
            QCOMPARE(m.pendingFocus().back(), to);
        }
    }

    // Showing a record puts the cursor on the first empty ball (passing the empty box after a
    // strike), stamps the match on it and fills the boxes.
    void showingARecord() {
        const std::tuple<const char*, int, int> cases[] = {
            {"0:10", 2, 2},  // one strike
            {"0:10 2:10 4:10 6:10 8:10 10:10 12:10 14:10 16:10 18:10 19:10 20:10", 21, 0},  // the sentinel hands on to 0
            {"0:5 1:19 2:5 3:19 4:5 5:19 6:5 7:19 8:5 9:19 10:5 11:19 12:5 13:19 14:5 15:19 16:5 17:19 18:7 19:2 20:30", 20, 18}};
        for (auto [balls, first, settled] : cases) {
            setCodes(shown(), QString::fromLatin1(balls));
            m.New_score();
            QCOMPARE(m.pendingFocus().front(), first);
            m.processPendingFocus();
            QCOMPARE(int(Module1::CurBall), settled);
        }
        // The small pins of the last frames: down after the first ball (0), after the second (1),
        // left standing (2); without pin data grey (-).
        auto diagrams = [&] {
            QStringList out;
            for (int frame = 8; frame <= 11; ++frame) {
                QString d;
                for (int i = 0; i < 10; ++i) {
                    const auto c = std::find(Module1::PinColors.begin(), Module1::PinColors.end(), m.shapeColor(frame * 10 + i));
                    d += c == Module1::PinColors.end() ? QChar(u'-') : QChar(u'0' + int(c - Module1::PinColors.begin()));
                }
                out << d;
            }
            return out.join(u' ');
        };
        const std::pair<const char*, const char*> racks[] = {
            {"16:8/3 17:1/2 18:10/0 19:7/7 20:20/0", "1200000000 0000000000 1110000000 ----------"},
            {"18:10/0 19:10/0 20:5/31", "---------- 0000000000 0000000000 1111100000"},
            {"18:7/7 19:20/0 20:9/1", "---------- 1110000000 1000000000 ----------"}};
        QCOMPARE(M().shapeColor(0), M::ColorGrey);  // grey before anything is shown
        for (auto [balls, expected] : racks) {
            m.INIT();
            setCodes(shown(), QString::fromLatin1(balls));
            m.New_score();
            QCOMPARE(diagrams(), QString::fromLatin1(expected));
        }
        Module1::VenueId = 4, Module1::MatchYear = 2024, Module1::CurPlayer = 3, Module1::CurGame = 1;
        Module1::ScoreSheet(3, 1).Scores[10] = 20;
        m.clear_score();
        m.New_score();
        QCOMPARE(QStringLiteral("%1 %2 %3%4%5|%6 %7").arg(shown().Year).arg(shown().VenueId).arg(m.gameNumberText(), m.slotNumberText(), m.scoreText(10), m.scoreText(1))
                     .arg(m.t10BarValue()), QStringLiteral("2024 4  2 4  20|0 20"));
        QVERIFY(m.frameVisible(10) && m.frameVisible(11));  // from 10 and from 20
    }

    void inputCheckAndStatistics() {
        Module1::LastPlayer = 5, Module1::LastGame = 2;  // keep the report short
        Module1::CurGame = 3;  // the check recomputes the shown game from its boxes
        openFrames(Module1::ScoreSheet(0, 0), 4);
        setCodes(Module1::ScoreSheet(0, 0), "18:10 19:3");  // ball 20 owed
        Module1::ScoreSheet(2, 1).Codes[18] = 7;            // entries without a player
        Module1::ScoreSheet(3, 2).Codes[0] = 9;             // begun only
        openFrames(Module1::ScoreSheet(3, 0), 4);           // finished
        setCodes(Module1::ScoreSheet(3, 0), "18:3 19:19");
        m.Cmd_INFO_Click();
        QVERIFY(m.infoVisible());
        QCOMPARE(m.infoText(), QStringLiteral("佐藤一郎 選手の 第 1ゲームが、入力途中です。\r\n\r\n"
                                              "選手名未入選手の 第 2ゲームが、入力途中です。\r\n"
                                              "選手名が入っていないのに入力しているところがあります。　 2ゲーム目の第 3番目です。\r\n"
                                              "高橋   選手の 第 3ゲームが、入力途中です。\r\n\r\n"));
        m.Form_INFO_Cmd_OK_Click();
        QVERIFY(!m.infoVisible() && m.infoText().isEmpty());
        Module1::ScoreSheet(0, 0).Codes[20] = 5, Module1::ScoreSheet(2, 1).Codes[18] = 30;
        // Slot 3 bowled games 1 and 3; slot 1 only game 3, starting with an empty ball 0.
        openFrames(Module1::ScoreSheet(3, 2), 8);
        setCodes(Module1::ScoreSheet(3, 2), "18:8 19:19");
        openFrames(Module1::ScoreSheet(1, 2), 1);
        setCodes(Module1::ScoreSheet(1, 2), "0:30 18:1 19:19");
        m.Cmd_INFO_Click();
        QCOMPARE(m.infoText(), QStringLiteral("入力途中のゲームはありません。"));
        // The handicap changed for all games after the last calculation.
        for (int g = 0; g <= 3; ++g) Module1::ScoreSheet(3, g).Scores[11] = 15;
        QVERIFY(m.ANA());
        QCOMPARE(QList<int>(Module1::GamePlayerCounts.begin(), Module1::GamePlayerCounts.end()), QList<int>({3, 2, 0, 2, 0, 0, 0, 0, 0, 0, 0}));
        const auto& p = Module1::PlayedSheet;
        QCOMPARE(QStringLiteral("%1 %2x%3 %4 %5 %6 %7 %8 %9").arg(Module1::PlayedGameCount).arg(p.hi1()).arg(p.hi2()).arg(p(2, 2).PlayerId)
                     .arg(p(3, 1).PlayerId).arg(p(3, 1).Scores[10]).arg(p(3, 2).Scores[0]).arg(p(2, 2).Codes[0]).arg(p(3, 2).Name.str()),
                 QStringLiteral("2 3x2 12 13 39 95 30 高橋" "        "));
        QVERIFY(Module1::PlayersWithData.size() == 6 && !Module1::PlayersWithData[2].isValid() && Module1::PlayersWithData[1] == QVariant(1));
    }

};

QTEST_GUILESS_MAIN(TestScoreEntry)
#include "tst_scoreentry.moc"
