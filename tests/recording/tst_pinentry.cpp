// Pin entry: racks and masks, the rack rebuilt on focus, pin commands and codes derived from pins.
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
void click(M& m, std::initializer_list<int> pins) {
    for (int p : pins) {
        m.pct_pin_Click(p - 1);
        m.processPendingFocus();
    }
}
void clickMask(M& m, int mask) {
    for (int i = 0; i < 10; ++i)
        if ((mask >> i) & 1) {
            m.pct_pin_Click(i);
            m.processPendingFocus();
        }
}
void ok(M& m, int index = 2) {
    m.Cmd_moveflame_Click(index);
    m.processPendingFocus();
}
void mds(M& m, int index) {
    m.cmd_MDS_Click(index);
    m.processPendingFocus();
}
int code(int k) { return shown().Codes[std::size_t(k)]; }
int mask(int k) { return shown().PinMasks[std::size_t(k)]; }
QList<int> codes(std::initializer_list<int> balls) {
    QList<int> r;
    for (int k : balls) r << code(k);
    return r;
}
QList<int> masks(std::initializer_list<int> balls) {
    QList<int> r;
    for (int k : balls) r << mask(k);
    return r;
}
// The rack on screen, pin 1 first: "0000000000" is all knocked down by the first ball.
QString states(const M& m) {
    QString s;
    for (int i = 0; i < 10; ++i) s += QString::number(m.pinState(i));
    return s;
}
}  // namespace

class TestPinEntry : public QObject {
    Q_OBJECT
    M m;

private Q_SLOTS:
    void init() {
        setUpMatch(5, 1);
        placePlayer(0, 1, QStringLiteral("田中"));
        m.setFrameModeCaption(M::PinModeCaption);
        start(m);
    }

    void modeSwitch() {
        m.Cmd_Mode_Click();
        QCOMPARE(m.frameModeCaption(), M::MarkModeCaption);
        m.Cmd_Mode_Click();
        QCOMPARE(m.frameModeCaption(), M::PinModeCaption);
        m.setFrameModeCaption(QStringLiteral("other"));
        m.Cmd_Mode_Click();
        QCOMPARE(m.frameModeCaption(), QStringLiteral("other"));
    }

    void pinCyclesThroughStates() {
        focusBall(m, 4);
        const std::pair<int, int> masks[] = {{8, 0}, {8, 8}, {0, 0}};
        const int pictures[] = {1, 2, 0};
        for (int n = 0; n < 3; ++n) {
            click(m, {4});
            QCOMPARE(mask(4), masks[n].first);
            QCOMPARE(mask(5), masks[n].second);
            QCOMPARE(m.pinPictureState(3), pictures[n]);
            QCOMPARE(m.pinPictureFile(3), Module1::PinImageFiles[std::size_t(pictures[n])]);
            QCOMPARE(m.shapeColor(23), Module1::PinColors[std::size_t(pictures[n])]);
        }
        QCOMPARE(code(4), 30);  // frames 1..9 wait for "OK"
    }

    void firstClickErasesMarkEntries() {
        m.Cmd_Mode_Click();
        enter(m, {7, 2});
        m.Cmd_Mode_Click();
        focusBall(m, 0);
        QCOMPARE(mask(1), -1);
        QCOMPARE(m.shapeColor(5), M::ColorGrey);  // a rack entered as marks has no pin data
        click(m, {7});
        QCOMPARE(codes({0, 1}), QList<int>({30, 30}));
        QCOMPARE(m.markText(0), EmptyMark);
        QCOMPARE(masks({0, 1}), QList<int>({64, 0}));
        QCOMPARE(m.shapeColor(0), Module1::PinColors[0]);
    }

    void frameFromPins() {
        focusBall(m, 6);
        click(m, {7, 10});
        ok(m);
        QCOMPARE(codes({6, 7}), QList<int>({8, 20}));
        QCOMPARE(shown().Marks[6], QStringLiteral("8s"));  // 7-10 is a split
        click(m, {10});
        ok(m);
        QCOMPARE(code(7), 1);
        QCOMPARE(masks({6, 7}), QList<int>({576, 512}));
        // Moving away and back re-derives the same codes.
        ok(m, 1);
        QCOMPARE(int(Module1::CurBall), 8);
        ok(m, 0);
        QCOMPARE(int(Module1::CurBall), 6);
        ok(m);
        QCOMPARE(codes({6, 7}), QList<int>({8, 1}));
    }

    void rebuildOnFocus() {
        focusBall(m, 6);
        click(m, {4, 7, 10});  // mask 584, then a spare
        ok(m, 1);
        focusBall(m, 6);
        QCOMPARE(states(m), QStringLiteral("0001001001"));
        QCOMPARE(m.frameBackColor(3), M::ColorWhite);
        QCOMPARE(m.frameBackColor(2), M::ColorGrey);
        click(m, {4, 7, 10});  // the same pins stand after the second ball: a miss
        ok(m);
        QCOMPARE(code(7), 19);
        focusBall(m, 7);
        QCOMPARE(states(m), QStringLiteral("0002002002"));
        // After a strike only the first ball's mask counts.
        focusBall(m, 8);
        mds(m, 0);
        shown().PinMasks[9] = 5;
        focusBall(m, 8);
        QCOMPARE(states(m), QStringLiteral("0000000000"));
        // In mark mode a focus change only moves the frame highlight.
        m.Cmd_Mode_Click();
        focusBall(m, 6);
        QCOMPARE(m.frameBackColor(3), M::ColorWhite);
        QCOMPARE(m.frameBackColor(4), M::ColorGrey);
        QCOMPARE(states(m), QStringLiteral("0000000000"));
        // The sentinel hands the focus to ball 0 of the same game.
        focusBall(m, 21);
        QCOMPARE(int(Module1::CurBall), 0);
        QCOMPARE(m.focused(), 0);
    }

    void commandsOnFrames() {
        // Gutter on a second ball only puts the focus back.
        focusBall(m, 1);
        mds(m, 2);
        QCOMPARE(code(1), 30);
        QCOMPARE(int(Module1::CurBall), 1);
        // Gutter on a first ball: masks 1023 and 0, all pins in state 1; "OK" then gives a spare.
        focusBall(m, 0);
        mds(m, 2);
        QCOMPARE(code(0), 0);
        QCOMPARE(masks({0, 1}), QList<int>({1023, 0}));
        focusBall(m, 0);
        ok(m);
        QCOMPARE(code(1), 20);
        // Through on a full strike rack or without pin data: focus only.
        focusBall(m, 2);
        mds(m, 4);
        QCOMPARE(int(Module1::CurBall), 2);
        QCOMPARE(code(3), 30);
        // Through on a leave of three pins: copies the mask, enters a miss, moves on.
        click(m, {4, 7, 10});
        mds(m, 4);
        QCOMPARE(mask(3), 584);
        QCOMPARE(codes({2, 3}), QList<int>({7, 19}));
        QCOMPARE(int(Module1::CurBall), 4);
        // A foul stays a foul at "OK" while nothing was moved back.
        mds(m, 3);
        QCOMPARE(code(4), 21);
        focusBall(m, 4);
        ok(m);
        QCOMPARE(code(4), 21);
        QCOMPARE(code(5), 20);  // all ten pins fell to the second ball
        focusBall(m, 4);
        click(m, {1, 1});       // pin 1 back to state 0: the first ball knocked it down
        ok(m);
        QCOMPARE(code(4), 1);
        // Clear in frame 3 resets balls 4 and 5 only.
        mds(m, 5);
        QCOMPARE(code(4), 30);
        QCOMPARE(masks({4, 5}), QList<int>({-1, -1}));
        QCOMPARE(code(2), 7);
    }

    void tenthFrame() {
        focusBall(m, 18);
        mds(m, 0);
        QCOMPARE(int(Module1::CurBall), 19);
        mds(m, 0);
        QCOMPARE(int(Module1::CurBall), 20);
        click(m, {5});  // a pin on ball 20 derives at once
        QCOMPARE(code(20), 9);
        click(m, {5});  // a one-ball rack has no second state
        QCOMPARE(code(20), 9);
        QCOMPARE(mask(20), 16);
        QCOMPARE(m.pinState(4), 1);
        QCOMPARE(m.focused(), 20);  // "OK" on ball 20 passes 19 and 16
        // Strike, then an open extension rack.
        mds(m, 5);
        QCOMPARE(m.focused(), 18);
        QCOMPARE(codes({18, 20}), QList<int>({30, 30}));
        mds(m, 0);
        click(m, {7, 10});
        QCOMPARE(codes({19, 20}), QList<int>({8, 20}));
        QCOMPARE(shown().Marks[19], QStringLiteral("8s"));
        click(m, {10});
        QCOMPARE(code(20), 1);
        QCOMPARE(int(shown().Scores[10]) - int(shown().Scores[9]), 19);
        // Spare then fill ball.
        mds(m, 5);
        click(m, {2, 4});
        ok(m);
        QCOMPARE(codes({18, 19}), QList<int>({8, 20}));
        QCOMPARE(int(Module1::CurBall), 19);  // "OK" stays on the rack
        ok(m, 1);
        QCOMPARE(int(Module1::CurBall), 20);
        click(m, {1, 2, 3});
        QCOMPARE(code(20), 7);
        // Open tenth: ball 20 is cleared and unreachable.
        mds(m, 5);
        click(m, {2, 4, 2});
        ok(m, 1);
        QCOMPARE(codes({18, 19, 20}), QList<int>({8, 1, 30}));
        QCOMPARE(int(Module1::CurBall), 18);
    }

    void fouledBall20IsRestoredOnFocus() {
        focusBall(m, 18);
        mds(m, 0);
        mds(m, 0);
        mds(m, 3);
        QCOMPARE(code(20), 21);
        shown().Codes[20] = 30;  // lost code, kept attribute
        focusBall(m, 20);
        QCOMPARE(code(20), 21);
        QCOMPARE(states(m), QStringLiteral("1111111111"));
    }

    void impossibleRackIsRepaired() {
        ScriptedDialogs d;
        d.expectMsgBox(vbOK, QStringLiteral("Error Pct_Pin 1001"));
        focusBall(m, 4);
        click(m, {3});
        Module1::CurBall = 21;  // no rack behind the sentinel
        m.pct_pin_Click(0);
        QVERIFY(d.allAnswered());
        QCOMPARE(mask(4), 4);  // nothing stored was touched
        m.processPendingFocus();
        QVERIFY(Module1::CurBall >= 0 && Module1::CurBall <= 20);
    }

    void ballMovesStopAtTheEnds() {
        setCodes(shown(), "18:10 19:10");  // ball 20 exists
        // Cursor before, direction → box focused; -1 is the cursor after a refused move.
        for (auto [from, index, to] : {std::tuple{20, 1, 20}, {0, 0, 0}, {5, 0, 4}, {-1, 1, 0}, {-1, 0, 0}}) {
            focusBall(m, 3);
            Module1::FocusBall = std::int16_t(from);
            m.cmd_moveflame2_Click(index);
            QCOMPARE(m.pendingFocus().back(), to);
            m.processPendingFocus();
            QCOMPARE(m.focused(), to);
        }
    }

    // Random games entered rack by rack as pins match the same games entered as marks.
    void randomGamesPinsMatchMarks() {
        ScriptedDialogs d;
        setUpMatch(1, 0);
        placePlayer(0, 1, QStringLiteral("田中"), 3);
        placePlayer(1, 2, QStringLiteral("中村"), 3);
        std::mt19937 rng(7);
        auto pick = [&](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(rng)); };
        auto subset = [&](int of, int keep) {  // `keep` random bits of `of`
            std::vector<int> bits;
            for (int i = 0; i < 10; ++i)
                if ((of >> i) & 1) bits.push_back(i);
            std::shuffle(bits.begin(), bits.end(), rng);
            int r = 0;
            for (int i = 0; i < keep; ++i) r |= 1 << bits[std::size_t(i)];
            return r;
        };
        struct Rack {
            int s1, s2;  // standing after the first and the second ball; s2 -1 for one ball
        };
        int splits = 0, tenthExtras = 0;
        for (int game = 0; game < 600; ++game) {
            auto first = [&]() { return pick(4) == 0 ? 0 : subset(1023, 1 + pick(10)); };
            auto second = [&](int s1) { return subset(s1, pick(std::popcount(unsigned(s1)) + 1)); };
            std::vector<Rack> racks;
            for (int f = 0; f < 9; ++f) {
                const int s1 = first();
                racks.push_back({s1, s1 ? second(s1) : 0});
            }
            // Tenth: 18 / 19 / 20 as racks.
            const int a = first();
            if (a == 0) {
                const int b = first();
                racks.push_back({0, -1});
                if (b == 0) racks.push_back({0, -1}), racks.push_back({first(), -1});
                else racks.push_back({b, second(b)});
            } else {
                const int b = second(a);
                racks.push_back({a, b});
                if (b == 0) racks.push_back({first(), -1});
            }

            // As marks, in slot 1.
            M mk;
            mk.setFrameModeCaption(M::MarkModeCaption);
            start(mk, 1);
            auto markFirst = [&](int s1) {
                if (s1 && isSplitLeave(s1)) mk.Cmd_spl_Click();
                const int n = 10 - std::popcount(unsigned(s1));
                enter(mk, {n == 10 ? 10 : n});
            };
            auto markSecond = [&](int s1, int s2) {
                const int k = std::popcount(unsigned(s1)) - std::popcount(unsigned(s2));
                enter(mk, {s2 == 0 ? 20 : (k == 0 ? 19 : k)});
            };
            for (std::size_t i = 0; i < racks.size(); ++i) {
                markFirst(racks[i].s1);
                if (racks[i].s1 != 0 && racks[i].s2 >= 0) markSecond(racks[i].s1, racks[i].s2);
            }
            const GameRecord byMarks = Module1::ScoreSheet(1, 0);

            // As pins, in slot 0.
            M pn;
            pn.setFrameModeCaption(M::PinModeCaption);
            start(pn, 0);
            for (std::size_t i = 0; i < racks.size(); ++i) {
                const auto& r = racks[i];
                const bool tenthExtra = i >= 10;
                const bool derivesAtOnce = Module1::CurBall >= 19;
                if (r.s1 == 0) {
                    pn.cmd_MDS_Click(0);
                    pn.processPendingFocus();
                    continue;
                }
                clickMask(pn, r.s1);
                if (r.s2 >= 0) clickMask(pn, r.s2);
                if (!derivesAtOnce && !tenthExtra) ok(pn, 1);
            }
            const GameRecord& byPins = Module1::ScoreSheet(0, 0);
            for (int k = 0; k <= 20; ++k) {
                if (byPins.Codes[k] != byMarks.Codes[k] || byPins.Marks[k] != byMarks.Marks[k])
                    QFAIL(qPrintable(QStringLiteral("game %1 ball %2: pins %3 %4, marks %5 %6")
                                         .arg(game).arg(k).arg(byPins.Codes[k]).arg(byPins.Marks[k])
                                         .arg(byMarks.Codes[k]).arg(byMarks.Marks[k])));
            }
            QCOMPARE(byPins.Scores, byMarks.Scores);
            splits += int(std::count(byPins.Attrs.begin(), byPins.Attrs.end(), BallAttr::Split));
            tenthExtras += byPins.Codes[20] != BallCode::NotEntered;
        }
        QVERIFY(splits > 600);  // the generator reaches the split marks and the third ball
        QVERIFY(tenthExtras > 100);
        QVERIFY(d.shown().empty());
    }
};

QTEST_GUILESS_MAIN(TestPinEntry)
#include "tst_pinentry.moc"
