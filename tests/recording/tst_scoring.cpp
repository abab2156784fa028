// Score arithmetic, the split set, and random games entered as marks and as pins against a separate scorer.
#include "recording/scoring.h"
#include "recording/split.h"
#include "support/recording_fixture.h"
#include "support/scripted_dialogs.h"
#include <QTest>
#include <bit>
#include <random>
#include <vector>

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

// A rack: pins standing after its first and second ball (s2 -1: one ball only); fouls bit 1 the
// first ball fouled (all ten stand), bit 2 the second (nothing more fell).
struct Rack {
    int s1, s2, fouls;
};

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

void pinMask(M& m, int mask) {
    for (int i = 0; i < 10; ++i)
        if ((mask >> i) & 1) {
            m.pct_pin_Click(i);
            m.processPendingFocus();
        }
}
void command(M& m, int index) {  // a pin-mode button: strike 0, foul 3
    m.cmd_MDS_Click(index);
    m.processPendingFocus();
}
void frameMove(M& m, int index) {  // "OK" 2, next frame 1
    m.Cmd_moveflame_Click(index);
    m.processPendingFocus();
}

}  // namespace

class TestScoring : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Frame totals 1..10 and the game with handicap; the random games below check every bonus too.
    void namedGames() {
        const struct {
            const char *balls, *totals;
            int hcp;
        } cases[] = {
            {"0:10 2:10 4:10 6:10 8:10 10:10 12:10 14:10 16:10 18:10 19:10 20:10", "30 60 90 120 150 180 210 240 270 300 312", 12},
            {"", "0 0 0 0 0 0 0 0 0 0 25", 25},
            {"14:10 16:10 18:10 19:3 20:4", "0 0 0 0 0 0 0 30 53 70 70", 0},
            {"0:21 1:20 2:4 3:1", "14 19 19 19 19 19 19 19 19 19 19", 0},
            {"18:21 19:20 20:7", "0 0 0 0 0 0 0 0 0 17 17", 0},
            {"18:10 19:4 20:20", "0 0 0 0 0 0 0 0 0 20 20", 0},
            {"16:9 17:20 18:7 19:2", "0 0 0 0 0 0 0 0 17 26 26", 0},
        };
        for (const auto& c : cases) {
            GameRecord r;
            r.Codes.fill(BallCode::NotEntered);
            r.Scores[11] = std::int16_t(c.hcp);
            setCodes(r, QString::fromLatin1(c.balls));
            scoreGame(r);
            QStringList got;
            for (int f : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0}) got << QString::number(r.Scores[f]);
            QCOMPARE(got.join(u' '), QString::fromLatin1(c.totals));
        }
    }

    void splitSet() {
        int n = 0, lo = 2000, hi = -1;
        for (int m = -2; m <= 1100; ++m)
            if (isSplitLeave(m)) {
                ++n, lo = std::min(lo, m), hi = std::max(hi, m);
                QVERIFY2(!(m & 1), "a leave with the head pin is no split");
            }
        QCOMPARE(n, 365);
        QCOMPARE(lo, 6);
        QCOMPARE(hi, 1014);
        for (int m : {576, 6, 192}) QVERIFY(isSplitLeave(m));  // 7-10, 2-3, 7-8 (side by side: not joined)
        for (int m : {-1, 0, 1023, 4, 50, 1008}) QVERIFY(!isSplitLeave(m));  // 50, 1008: apart, yet no split
    }

    // Random complete games, entered mark by mark in slot 1 (every entry taken where the cursor
    // stands, the scores those of the ordinary reckoning) and rack by rack as pins in slot 0, which
    // must give the very same record.
    void randomGamesAsMarksAndAsPins() {
        ScriptedDialogs dialogs;  // no dialog may appear
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
            int ball = 0;
            auto mark = [&](int code, int pins) {
                if (Module1::CurBall != ball)
                    QFAIL(qPrintable(QStringLiteral("game %1: cursor on %2, not %3").arg(game).arg(Module1::CurBall).arg(ball)));
                enter(mk, {code});
                if (shown().Codes[std::size_t(ball)] != code)
                    QFAIL(qPrintable(QStringLiteral("game %1: ball %2 refused code %3").arg(game).arg(ball).arg(code)));
                rolls.push_back(pins);
                ++ball;
            };
            for (std::size_t i = 0; i < racks.size(); ++i) {
                const Rack& r = racks[i];
                if (r.s1 && !(r.fouls & 1) && isSplitLeave(r.s1)) mk.Cmd_spl_Click();
                const int n = 10 - count(r.s1);
                mark(r.fouls & 1 ? 21 : n, n);
                if (r.s2 < 0) {
                    if (i < 9) ++ball;
                    continue;
                }
                const int k = count(r.s1) - count(r.s2);
                mark(r.s2 == 0 ? 20 : r.fouls & 2 ? 21 : k == 0 ? 19 : k, k);
            }
            const auto ref = referenceScores(rolls);
            for (int f = 1; f <= 10; ++f)
                if (shown().Scores[f] != ref[std::size_t(f)])
                    QFAIL(qPrintable(QStringLiteral("game %1 frame %2: %3, not %4").arg(game).arg(f).arg(shown().Scores[f]).arg(ref[std::size_t(f)])));
            QCOMPARE(int(shown().Scores[0]), ref[10] + 7);
            QCOMPARE(mk.scoreText(10), QString::number(ref[10]));
            const GameRecord byMarks = shown();

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
                if (r.fouls & 1) command(pn, 3);
                else pinMask(pn, r.s1);
                if (r.s2 >= 0) pinMask(pn, r.s2);
                if (r.fouls & 2) frameMove(pn, 2), command(pn, 3);
                else if (!derivesAtOnce) frameMove(pn, 1);
            }
            const GameRecord& byPins = Module1::ScoreSheet(0, 0);
            for (int k = 0; k <= 20; ++k)
                if (byPins.Codes[k] != byMarks.Codes[k] || byPins.Marks[k] != byMarks.Marks[k] || byPins.Attrs[k] != byMarks.Attrs[k])
                    QFAIL(qPrintable(QStringLiteral("game %1 ball %2: pins %3 %4 %5, marks %6 %7 %8").arg(game).arg(k)
                                         .arg(byPins.Codes[k]).arg(byPins.Marks[k]).arg(byPins.Attrs[k])
                                         .arg(byMarks.Codes[k]).arg(byMarks.Marks[k]).arg(byMarks.Attrs[k])));
            QCOMPARE(byPins.Scores, byMarks.Scores);
            splits += int(std::count(byPins.Attrs.begin(), byPins.Attrs.end(), BallAttr::Split));
            fouls += int(std::count(byPins.Attrs.begin(), byPins.Attrs.end(), BallAttr::Foul));
            thirdBalls += byPins.Codes[20] != BallCode::NotEntered;
        }
        QVERIFY(splits > 1000 && fouls > 1000 && thirdBalls > 300);  // the generator reaches them all
    }
};

QTEST_GUILESS_MAIN(TestScoring)
#include "tst_scoring.moc"
