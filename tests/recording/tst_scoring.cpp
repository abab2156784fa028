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

// Codes, marks, attributes and scores of a record.
QString record(const GameRecord& r) {
    QStringList out;
    for (std::size_t k = 0; k <= 20; ++k) out << QStringLiteral("%1%2%3").arg(r.Codes[k]).arg(r.Marks[k]).arg(r.Attrs[k]);
    for (std::int16_t s : r.Scores) out << QString::number(s);
    return out.join(u' ');
}

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

}  // namespace

class TestScoring : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
        for (int m : {576, 6, 192, 528}) QVERIFY(isSplitLeave(m));  // 7-10, 2-3, 7-8 (side by side), 5-10
        for (int m : {-1, 0, 1023, 4, 272, 50, 1008}) QVERIFY(!isSplitLeave(m));  // 5-9 joined; 50, 1008 listed
    }

    // Random complete games entered mark by mark in slot 1, each entry where the cursor stands, give
    // the scores of the ordinary reckoning; entered rack by rack as pins in slot 0 they give the
    // very same record.
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
            for (int f = 1; f <= 10; ++f) scores << QString::number(shown().Scores[f]), refScores << QString::number(ref[std::size_t(f)]);
            scores << QString::number(shown().Scores[0]) << mk.scoreText(10);
            refScores << QString::number(ref[10] + 7) << QString::number(ref[10]);
            QCOMPARE(QString::number(game) + u' ' + state() + u'|' + scores.join(u' '),
                     QString::number(game) + u' ' + expected.join(u' ') + u'|' + refScores.join(u' '));
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
                    for (int i = 0; i < 10; ++i)
                        if (mask > 0 && (mask >> i) & 1) pins(pn, {i + 1});
                if (r.fouls & 2) frameMove(pn, 2), command(pn, 3);
                else if (!derivesAtOnce) frameMove(pn, 1);
            }
            QCOMPARE(QString::number(game) + u' ' + record(shown()), byMarks);
            const auto& attrs = shown().Attrs;
            splits += int(std::count(attrs.begin(), attrs.end(), BallAttr::Split));
            fouls += int(std::count(attrs.begin(), attrs.end(), BallAttr::Foul));
            thirdBalls += shown().Codes[20] != BallCode::NotEntered;
        }
        QVERIFY(splits > 1000 && fouls > 1000 && thirdBalls > 300);  // the generator reaches them all
    }
};

QTEST_GUILESS_MAIN(TestScoring)
#include "tst_scoring.moc"
