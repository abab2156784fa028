// Score arithmetic, the split set, and random games entered mark by mark against a separate scorer.
#include "recording/scoring.h"
#include "recording/split.h"
#include "support/recording_fixture.h"
#include "support/scripted_dialogs.h"
#include <QTest>
#include <random>
#include <vector>

using namespace vx;
using namespace vxtest;

namespace {

GameRecord scored(const QString& balls, int hcp = 0) {
    GameRecord r;
    r.Codes.fill(BallCode::NotEntered);
    r.Scores[11] = std::int16_t(hcp);
    setCodes(r, balls);
    scoreGame(r);
    return r;
}

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

struct Entry {
    int ball, code;
};

// One random complete game as mark entries, with the pins of each roll. A ball without pins is
// written as gutter, miss or foul where each is allowed.
void randomGame(std::mt19937& rng, std::vector<Entry>& entries, std::vector<int>& rolls) {
    entries.clear();
    rolls.clear();
    auto pick = [&](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(rng)); };
    auto put = [&](int ball, int code, int pins) {
        entries.push_back({ball, code});
        rolls.push_back(pins);
        return pins;
    };
    auto firstBall = [&](int ball) {
        if (pick(4) == 0) return put(ball, 10, 10);
        const int n = pick(10);
        return put(ball, n == 0 && pick(2) ? 21 : n, n);
    };
    auto secondBall = [&](int ball, int firstPins) {
        const int left = 10 - firstPins;
        if (pick(3) == 0) return put(ball, 20, left);
        const int n = pick(left);
        return put(ball, n == 0 ? (pick(2) ? 19 : 21) : n, n);
    };
    for (int f = 0; f < 9; ++f)
        if (const int n = firstBall(2 * f); n != 10) secondBall(2 * f + 1, n);
    const int a = firstBall(18);
    if (a == 10) {
        if (const int b = firstBall(19); b == 10) firstBall(20);
        else secondBall(20, b);
    } else if (secondBall(19, a) + a == 10) {
        firstBall(20);
    }
}

}  // namespace

class TestScoring : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void perfectGameAndEmptyGame() {
        const GameRecord r = scored("0:10 2:10 4:10 6:10 8:10 10:10 12:10 14:10 16:10 18:10 19:10 20:10", 12);
        for (int f = 1; f <= 10; ++f) QCOMPARE(r.Scores[f], 30 * f);
        QCOMPARE(r.Scores[0], 312);
        const GameRecord e = scored("", 25);
        for (int f = 1; f <= 10; ++f) QCOMPARE(e.Scores[f], 0);
        QCOMPARE(e.Scores[0], 25);
    }

    // The random games below check every bonus against a separate scorer; these are the named cases.
    void bonuses_data() {
        QTest::addColumn<QString>("balls");
        QTest::addColumn<int>("frame");
        QTest::addColumn<int>("frameScore");  // score of that frame alone
        QTest::newRow("strike f8, strikes 16 and 18") << "14:10 16:10 18:10 19:3 20:4" << 8 << 30;
        QTest::newRow("foul then spare") << "0:21 1:20 2:4 3:1" << 1 << 14;
        QTest::newRow("tenth spare fill") << "18:21 19:20 20:7" << 10 << 17;
        QTest::newRow("tenth strike then spare") << "18:10 19:4 20:20" << 10 << 20;
        QTest::newRow("open tenth, ball 20 empty") << "18:7 19:2" << 10 << 9;
    }
    void bonuses() {
        QFETCH(QString, balls);
        QFETCH(int, frame);
        QFETCH(int, frameScore);
        const GameRecord r = scored(balls);
        QCOMPARE(r.Scores[frame] - (frame > 1 ? r.Scores[frame - 1] : 0), frameScore);
    }

    void splitSet() {
        int count = 0, lo = 2000, hi = -1;
        for (int m = -2; m <= 1100; ++m)
            if (isSplitLeave(m)) {
                ++count, lo = std::min(lo, m), hi = std::max(hi, m);
                QVERIFY2(!(m & 1), "a leave with the head pin is no split");
            }
        QCOMPARE(count, 365);
        QCOMPARE(lo, 6);
        QCOMPARE(hi, 1014);
        for (int m : {576, 6, 192}) QVERIFY(isSplitLeave(m));  // 7-10, 2-3, 7-8 (side by side: not joined)
        for (int m : {-1, 0, 1023, 4}) QVERIFY(!isSplitLeave(m));
        for (int m : {50, 58, 130, 260, 302, 426, 430, 466, 682, 686, 794, 810, 814, 838, 840, 842, 846, 866, 892,
                      932, 982, 986, 1002, 1008})
            QVERIFY2(!isSplitLeave(m), qPrintable(QString::number(m)));
    }

    // Random complete games, mark by mark: every entry is taken where the cursor stands, and the
    // scores agree with the ordinary frame-by-frame reckoning.
    void randomGamesThroughMarkEntry() {
        ScriptedDialogs dialogs;  // no dialog may appear
        setUpMatch(0, 0);
        placePlayer(0, 1, QStringLiteral("山田"), 7);
        ScoreEntryModel m;
        std::mt19937 rng(20240611);
        std::vector<Entry> entries;
        std::vector<int> rolls;
        for (int game = 0; game < 4000; ++game) {
            randomGame(rng, entries, rolls);
            start(m);
            for (const Entry& e : entries) {
                if (Module1::CurBall != e.ball)
                    QFAIL(qPrintable(QStringLiteral("game %1: cursor on %2, expected %3").arg(game).arg(Module1::CurBall).arg(e.ball)));
                enter(m, {e.code});
                if (shown().Codes[std::size_t(e.ball)] != e.code)
                    QFAIL(qPrintable(QStringLiteral("game %1: ball %2 refused code %3").arg(game).arg(e.ball).arg(e.code)));
            }
            const auto ref = referenceScores(rolls);
            for (int f = 1; f <= 10; ++f)
                if (shown().Scores[f] != ref[std::size_t(f)])
                    QFAIL(qPrintable(QStringLiteral("game %1 frame %2: %3 vs %4").arg(game).arg(f).arg(shown().Scores[f]).arg(ref[std::size_t(f)])));
            QCOMPARE(int(shown().Scores[0]), ref[10] + 7);
            QCOMPARE(m.scoreText(10), QString::number(ref[10]));
        }
        QVERIFY(dialogs.shown().empty());
    }
};

QTEST_GUILESS_MAIN(TestScoring)
#include "tst_scoring.moc"
