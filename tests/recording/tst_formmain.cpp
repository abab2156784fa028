// The score entry without its window: random games entered as marks and as pins against a separate
// scorer, the split set, mark rules, splits, the cursor, showing a record, the input check, the
// statistics preparation and a pin click without a rack. Then the score entry and the results
// windows driven as a user would: keys, clicks, menus, moves, questions, the keyboard and the active
// window through a day, screenshots.
#include "support/monkey.h"
#include "recording/form_data.h"
#include "recording/form_info.h"
#include "recording/form_main.h"
#include "recording/form_normaldata.h"
#include "recording/form_player.h"
#include "recording/form_siai.h"
#include "recording/form_zkt.h"
#include "recording/matchsetup.h"
#include "recording/scoring.h"
#include "recording/split.h"
#include "support/dayfixture.h"
#include "support/exchange_sheet.h"
#include "support/recording_fixture.h"
#include <sys/stat.h>
#include <unistd.h>

using namespace Module1;
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
    for (std::size_t k = 0; k <= 20; ++k) out << QStringLiteral("%1%2%3/%4").arg(r.Codes[k]).arg(r.Marks[k]).arg(r.Attrs[k]).arg(r.PinsDown[k]);
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

QString marks(const form_main& f, int from = 0, int to = 20) {
    QString s;
    for (int k = from; k <= to; ++k) s += f.Txt_MARK[std::size_t(k)]->text();
    return s;
}

// Colour of small pin i in frame picture fr, read from the drawn image.
std::int32_t smallPin(const form_main& f, int fr, int i) {
    const QPointF c = form_main::smallPinCentre(i);
    return f.Pct_flame[std::size_t(fr)]->Point(c.x(), c.y());
}

// The window's width: N narrow, W wide.
QChar width(const Form& f) {
    const int w = qRound(f.Width() / TwipsPerPixel);
    return w == twips(Form_Data::WideWidth) ? u'W' : w == twips(Form_Data::NarrowWidth) ? u'N' : u'?';
}

const std::vector<DayPlayer> day{{QStringLiteral("青木　一郎"), 11, 10, {150, 160, 170, 180}}, {QStringLiteral("井上"), 12, 20, {200, 140, 130, 120}},
                                 {QStringLiteral("上田"), 13, 0, {110, 190, 100, 210}}, {QStringLiteral("江口"), 14, 5, {160, 165, 0, 0}}};

// The box shows its text whole, from the start: the text is narrower than the room the box's size
// hint gives 17 "x" in.
bool shownWhole(const QLineEdit* box) {
    const QFontMetrics fm = box->fontMetrics();
    return box->cursorPosition() == 0 && fm.horizontalAdvance(box->text()) < box->width() - box->sizeHint().width() + 17 * fm.horizontalAdvance(u'x');
}

Form_Data& openData(int display) {
    setMatch(), setDay(day), ResultDisplayFlags = std::uint8_t(display);
    return shown<Form_Data>();
}
}  // namespace

class TestFormMain : public GuiTest {
    Q_OBJECT
    M m;

    // The model alone, on a match with players in slots 0, 1 and 3.
    void model() {
        m.setListener(nullptr);
        setUpMatch();
        placePlayer(0, 11, QStringLiteral("佐藤一郎"), 20);
        placePlayer(1, 12, QStringLiteral("鈴木"), -1);
        placePlayer(3, 13, QStringLiteral("高橋"));
        m.setFrameModeCaption(M::MarkModeCaption), start(m);
    }
    // Enters "ball:code ..." one at a time, each with its box focused first.
    void enterAt(const char* balls) {
        for (const QString& part : QString::fromLatin1(balls).split(u' ', Qt::SkipEmptyParts)) {
            focusBall(m, part.section(u':', 0, 0).toInt()), enter(m, part.section(u':', 1).toInt());
        }
    }

    // Slots 1, 2, 8 and the last, 36, hold players; mode "1" is mark entry, "0" pin entry.
    form_main& open(const QString& mode = QStringLiteral("1"), std::int16_t hcp = 12) {
        setUpMatch();
        placePlayer(0, 11, QStringLiteral("佐藤一郎"), hcp);
        placePlayer(1, 12, QStringLiteral("鈴木花子"));
        placePlayer(7, 13, QStringLiteral("高橋"));
        placePlayer(35, 14, QStringLiteral("伊藤"));
        settings::SaveSetting(QStringLiteral("form"), QStringLiteral("main_mode"), mode);
        return vxtest::shown<form_main>();
    }

private Q_SLOTS:
    // Everything in the day's results window tried in turn; what it shows at each step is kept.
    void resultsTriedEverything() {
        setUpMatch(11, 3);  // the sheet the way back to the input shows
        openData(3);
        vxtest::monkey(*dlg, 300, 53, [] { return &openData(3); });
    }


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
                enter(mk, code);
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
            QString scores = QString::number(shown().Scores[0]) + u' ' + mk.scoreText(10), refScores = QString::number(ref[10] + 7) + u' ' + QString::number(ref[10]);
            for (int f = 1; f <= 10; ++f) scores += u' ' + QString::number(shown().Scores[f]), refScores += u' ' + QString::number(ref[std::size_t(f)]);
            QCOMPARE(QString::number(game) + u' ' + state() + u'|' + scores, QString::number(game) + u' ' + expected.join(u' ') + u'|' + refScores);
            const QString byMarks = QString::number(game) + u' ' + record(shown());

            M pn;
            pn.setFrameModeCaption(M::PinModeCaption);
            start(pn, 0);
            for (std::size_t i = 0; i < racks.size(); ++i) {
                const Rack& r = racks[i];
                const bool derivesAtOnce = Module1::CurBall >= 19 || i >= 10;
                if (r.s1 == 0 || r.fouls & 1) command(pn, r.s1 ? 3 : 0);  // a strike, or a foul: then all ten stand already
                if (r.s1 == 0) continue;
                for (int mask : {r.fouls & 1 ? 0 : r.s1, r.s2})
                    for (int p = 0; p < 10; ++p)
                        if (mask > 0 && (mask >> p) & 1) pin(pn, p + 1);
                if (r.fouls & 2) frameMove(pn, 2), command(pn, 3);  // "OK", then the foul on the second ball
                else if (!derivesAtOnce) frameMove(pn, 1);
            }
            QCOMPARE(QString::number(game) + u' ' + record(shown()), byMarks);
            for (std::size_t k = 0; k <= 20; ++k) QVERIFY(shown().Codes[k] != BallCode::Strike || shown().PinMasks[k] == 0);
            const auto& attrs = shown().Attrs;
            splits += int(std::count(attrs.begin(), attrs.end(), BallAttr::Split)), fouls += int(std::count(attrs.begin(), attrs.end(), BallAttr::Foul));
            thirdBalls += shown().Codes[20] != BallCode::NotEntered;
        }
        QVERIFY(splits > 1000 && fouls > 1000 && thirdBalls > 300);  // the generator reaches them all
    }

    // The model alone. Balls entered before, then one entry: what the record holds after and where
    // the cursor ends (accepted entries in ordinary games the random games cover).
    void markRulesSplitsCursorAndChecks() {
        model();
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
            {"18:10 19:5 20:3", 19, 10, "18:10 19:10 20:3", 20},  // a strike keeps it
            {"18:10 19:10", 20, 10, "18:10 19:10 20:10", 20}, {"18:10 19:10", 20, 20, "18:10 19:10", 20}, {"18:10 19:5", 20, 5, "18:10 19:5", 20},
            {"18:10 19:5", 20, 0, "18:10 19:5", 20}, {"18:3 19:20", 20, 19, "18:3 19:20", 20}, {"18:10 19:5", 20, 20, "18:10 19:5 20:20", 20},
            {"18:3 19:4", 20, 5, "18:3 19:4", 18},
        };
        for (const auto& c : cases) {
            start(m);
            enterAt(c.before);
            focusBall(m, c.ball), Module1::CurBall = std::int16_t(c.ball), enter(m, c.code);  // even where focusing would move it (ball 20)
            QCOMPARE(state() + u'|' + QString::number(Module1::CurBall), QString::fromLatin1(c.after) + u'|' + QString::number(c.cursor));
        }
        start(m), enterAt("4:21 4:9");  // a fouled ball marked again is a plain ball
        QCOMPARE(shown().Attrs[4], BallAttr::Plain);

        // Split pressed on a ball, then the calculation: it stays only on a first ball of 1..8 pins;
        // the leaves that are splits.
        const struct { const char* before; int ball; bool split; const char *after, *mark; } splits[] = {
            {"0:3", 0, true, "0:3", "3s"},
            {"18:10 19:4", 19, true, "18:10 19:4", "4s"},
            {"18:10 19:10 20:3", 20, true, "18:10 19:10 20:3", "3s"},
            {"18:0", 18, false, "18:0", "Ｇ"},  // a gutter or a second ball keeps its entry, never as a split
            {"0:4 1:5", 1, false, "0:4 1:5", "５"},
            {"18:4 19:5", 19, false, "18:4 19:5", "５"},
            {"4:9", 4, false, "", "　"},  // from nine pins on a ball cannot be a split: it is cleared
            {"0:4 1:19", 1, false, "0:4", "　"}, {"18:10 19:10 20:9", 20, false, "18:10 19:10", "　"},
        };
        for (const auto& c : splits) {
            start(m);
            enterAt(c.before);
            focusBall(m, c.ball), m.Cmd_spl_Click(), m.Cmd_KEISAN_Click();
            QCOMPARE(QStringLiteral("%1|%2|%3|%4|%5").arg(state()).arg(int(m.markBackColor(c.ball) == M::ColorSplit))
                         .arg(shown().Attrs[std::size_t(c.ball)]).arg(shown().Marks[std::size_t(c.ball)], m.markText(c.ball)),
                     QStringLiteral("%1|%2|%3|%4|%4").arg(QString::fromLatin1(c.after)).arg(int(c.split)).arg(c.split ? 2 : 0).arg(QString::fromUtf8(c.mark)));
        }
        m.Cmd_spl_Click(), m.Cmd_spl_Click();  // pressed twice it is off
        // The split leaves (never with the head pin): 7-10, 2-3, 7-8 (side by side), 5-10 are; 5-9 joined is not; 50, 1008 listed.
        int n = 0, lo = 2000, hi = -1;
        for (int m = -2; m <= 1100; ++m)
            if (isSplitLeave(m)) n += 1 + (m & 1) * 1000, lo = std::min(lo, m), hi = std::max(hi, m);
        QString leaves = QString::number(m.markBackColor(1) == M::ColorWhite);
        for (int m : {576, 6, 192, 528, -1, 0, 1023, 4, 272, 50, 1008}) leaves += QString::number(isSplitLeave(m));
        QCOMPARE(QList<int>({n, lo, hi}) << leaves.toInt(nullptr, 2), QList<int>({365, 6, 1014, 0b111110000000}));

        // The frame of a ball and the ball the cursor is left on; a cursor off the boxes is put back.
        start(m);
        const std::tuple<const char*, int, int, int> tenths[] = {
            {"", 18, 9, 18}, {"18:7", 19, 9, 19}, {"18:10", 19, 10, 19}, {"18:10 19:10", 20, 11, 20},
            {"18:10 19:5", 20, 10, 20}, {"18:7 19:20", 20, 10, 20}, {"18:7 19:2", 20, 9, 18}};
        for (auto [tenth, ball, frame, after] : tenths) {
            setCodes(shown(), QString::fromLatin1(tenth)), Module1::CurBall = std::int16_t(ball), m.fl_check(), m.processPendingFocus();
            QCOMPARE(QList<int>({m.curFrame(), Module1::CurBall}), QList<int>({frame, after}));
        }
        const int settled = m.focused();  // ball 20 after an open tenth does not exist: back to 18
        dlg->expectMsgBox(vbOK, QStringLiteral("Function fl_check  error 2")), Module1::CurBall = 25, m.fl_check();
        const int nearest = Module1::CurBall;  // nearest ball: 20, which does not exist here either
        m.processPendingFocus();
        QCOMPARE(QList<int>({settled, nearest, m.focused()}), QList<int>({18, 18, 18}));
        dlg->expectMsgBox(vbOK, QStringLiteral("Function fl_check  error 2")), Module1::CurBall = -3, enter(m, 5);  // a mark is not placed blindly
        QCOMPARE(state() + u' ' + QString::number(m.focused()), QStringLiteral("18:7 19:2 0"));
        // A pin click with no rack behind the cursor says so, touches nothing stored and puts the
        // cursor back on a ball; ball moves stop at the ends.
        m.setFrameModeCaption(M::PinModeCaption), start(m), setCodes(shown(), "18:10 19:10"), focusBall(m, 4);  // ball 20 exists
        pin(m, 3);
        dlg->expectMsgBox(vbOK, QStringLiteral("Error Pct_Pin 1002")), Module1::CurBall = 21, m.pct_pin_Click(2), m.processPendingFocus();  // pin 3 stands
        dlg->expectMsgBox(vbOK, QStringLiteral("Error Pct_Pin 1001")), Module1::CurBall = 21, m.pct_pin_Click(0);
        QCOMPARE(state() + u' ' + QString::number(m.focused()), QStringLiteral("4:30/4 5:30/0 18:10 19:10 20"));
        // Stored pins of a tenth's rack that are no pins say so, at either of its balls.
        setCodes(shown(), "19:5/-2");
        const QString badPins = QStringLiteral("error　fl=10 flame=19 ");
        dlg->expectMsgBox(vbOK, badPins + u'b').expectMsgBox(vbOK, badPins + u'a'), focusBall(m, 19);  // from ball 20, then at 19
        dlg->expectMsgBox(vbOK, badPins + u'b'), focusBall(m, 20);
        setCodes(shown(), "19:10/-1");
        setCodes(shown(), "0:7/7 1:21/-2"), focusBall(m, 0);  // a stored foul on a second ball: what stood fell
        QCOMPARE(QList<int>({m.pinState(0), m.pinState(3)}), QList<int>({2, 0}));
        // Cursor before, direction → box focused; -1 is the cursor after a refused move.
        for (auto [from, index, to] : {std::tuple{20, 1, 20}, {0, 0, 0}, {5, 0, 4}, {-1, 1, 0}, {-1, 0, 0}}) {
            focusBall(m, 3), Module1::FocusBall = std::int16_t(from), m.cmd_moveflame2_Click(index);
            QCOMPARE(m.pendingFocus().back(), to);
        }
        setCodes(shown(), "2:7/7 3:2/-1"), focusBall(m, 2), pin(m, 4);  // a pin in a rack whose second ball has no pins starts it afresh
        QCOMPARE(state(), QStringLiteral("0:7/7 1:21 2:30/8 3:30/0 4:30/4 5:30/0 18:10 19:10"));

        // Showing a record puts the cursor on the first empty ball (passing the empty box after a
        // strike), stamps the match on it and fills the boxes.
        model();
        const std::tuple<const char*, int, int> shownRecords[] = {
            {"0:10", 2, 2},  // one strike
            {"0:10 2:10 4:10 6:10 8:10 10:10 12:10 14:10 16:10 18:10 19:10 20:10", 21, 0},  // the sentinel hands on to 0
            {"0:5 1:19 2:5 3:19 4:5 5:19 6:5 7:19 8:5 9:19 10:5 11:19 12:5 13:19 14:5 15:19 16:5 17:19 18:7 19:2 20:30", 20, 18}};
        for (auto [balls, first, settled] : shownRecords) {
            setCodes(shown(), QString::fromLatin1(balls)), m.New_score();
            QCOMPARE(m.pendingFocus().front(), first);
            m.processPendingFocus();
            QCOMPARE(int(Module1::CurBall), settled);
        }
        // The small pins of the last frames: down after the first ball (0), after the second (1),
        // left standing (2); without pin data grey (-).
        auto diagrams = [&] {  // small pin n of frame f is shape f * 10 + n
            QString d;
            for (int shape = 80; shape < 120; ++shape) {
                const auto c = std::find(Module1::PinColors.begin(), Module1::PinColors.end(), m.shapeColor(shape));
                d += (shape % 10 || shape == 80 ? QString() : QStringLiteral(" ")) + (c == Module1::PinColors.end() ? QChar(u'-') : QChar(u'0' + int(c - Module1::PinColors.begin())));
            }
            return d;
        };
        const std::pair<const char*, const char*> racks[] = {
            {"16:8/3 17:1/2 18:10/0 19:7/7 20:20/0", "1200000000 0000000000 1110000000 ----------"},
            {"18:10/0 19:10/0 20:5/31", "---------- 0000000000 0000000000 1111100000"},
            {"18:7/7 19:20/0 20:9/1", "---------- 1110000000 1000000000 ----------"}, {"18:10/0 19:5/31 20:2/7", "---------- 0000000000 2221100000 ----------"}};
        QCOMPARE(M().shapeColor(0), M::ColorGrey);  // grey before anything is shown
        for (auto [balls, expected] : racks) {
            m.INIT(), setCodes(shown(), QString::fromLatin1(balls)), m.New_score();
            QCOMPARE(diagrams(), QString::fromLatin1(expected));
        }
        Module1::VenueId = 4, Module1::MatchYear = 2024, Module1::CurPlayer = 3, Module1::CurGame = 1;
        Module1::ScoreSheet(3, 1).Scores[10] = 20;
        m.clear_score(), m.New_score();
        QCOMPARE(QStringLiteral("%1 %2 %3%4%5|%6 %7").arg(shown().Year).arg(shown().VenueId).arg(m.gameNumberText(), m.slotNumberText(), m.scoreText(10), m.scoreText(1))
                     .arg(m.t10BarValue()), QStringLiteral("2024 4  2 4  20|0 20"));
        QVERIFY(m.frameVisible(10) && m.frameVisible(11));  // from 10 and from 20

        // The input check and the statistics preparation.
        model();
        Module1::LastPlayer = 3, Module1::LastGame = 2, Module1::CurGame = 3;  // keep the report short; the check recomputes the shown game from its boxes
        openFrames(Module1::ScoreSheet(0, 0), 4), setCodes(Module1::ScoreSheet(0, 0), "18:10 19:3");  // ball 20 owed
        Module1::ScoreSheet(2, 1).Codes[18] = 7;            // entries without a player
        Module1::ScoreSheet(3, 2).Codes[0] = 9;             // begun only
        openFrames(Module1::ScoreSheet(3, 0), 4), setCodes(Module1::ScoreSheet(3, 0), "18:3 19:19");  // finished
        Module1::PlayerNames[3] = QStringLiteral("高橋太郎𠮷田");  // cut to five whole characters
        m.Cmd_INFO_Click();
        Module1::PlayerNames[3] = QStringLiteral("高橋");
        QCOMPARE(QString::number(m.infoVisible()) + m.infoText(), QStringLiteral("1佐藤一郎 選手の 第 1ゲームが、入力途中です。\r\n\r\n"
                                              "選手名未入選手の 第 2ゲームが、入力途中です。\r\n"
                                              "選手名が入っていないのに入力しているところがあります。　 2ゲーム目の第 3番目です。\r\n"
                                              "高橋太郎𠮷選手の 第 3ゲームが、入力途中です。\r\n\r\n"));
        m.Form_INFO_Cmd_OK_Click();
        QVERIFY(!m.infoVisible() && m.infoText().isEmpty());
        Module1::ScoreSheet(0, 0).Codes[20] = 5, Module1::ScoreSheet(2, 1).Codes[18] = 30;
        // Slot 3 bowled games 1 and 3; slot 1 only game 3, starting with an empty ball 0.
        openFrames(Module1::ScoreSheet(3, 2), 8), setCodes(Module1::ScoreSheet(3, 2), "18:8 19:19");
        openFrames(Module1::ScoreSheet(1, 2), 1), setCodes(Module1::ScoreSheet(1, 2), "0:30 18:1 19:19"), m.Cmd_INFO_Click();
        QCOMPARE(m.infoText(), QStringLiteral("入力途中のゲームはありません。"));
        // The handicap changed for all games after the last calculation.
        for (int g = 0; g <= 3; ++g) Module1::ScoreSheet(3, g).Scores[11] = 15;
        QVERIFY(m.ANA());
        QCOMPARE(QList<int>(Module1::GamePlayerCounts.begin(), Module1::GamePlayerCounts.end()), QList<int>({3, 2, 0, 2, 0, 0, 0, 0, 0, 0, 0}));
        const auto& p = Module1::PlayedSheet;
        QCOMPARE(QStringLiteral("%1 %2x%3 %4 %5 %6 %7 %8 %9").arg(Module1::PlayedGameCount).arg(p.hi1()).arg(p.hi2()).arg(p(2, 2).PlayerId)
                     .arg(p(3, 1).PlayerId).arg(p(3, 1).Scores[10]).arg(p(3, 2).Scores[0]).arg(p(2, 2).Codes[0]).arg(p(3, 2).Name.str()),
                 QStringLiteral("2 3x2 12 13 39 95 30 高橋" "        "));
        QVERIFY(Module1::PlayersWithData.size() == 4 && !Module1::PlayersWithData[2].isValid() && Module1::PlayersWithData[1] == QVariant(1));
        m.Cmd_TOKEI_Click();  // the end of input closes the check list
        QVERIFY(!m.infoVisible());
    }

    // Every character key of mark entry, both cases of a letter, a refused entry and keys that
    // are only swallowed, typed into a whole game.
    void markKeys() {
        form_main& f = open();
        typeKeys(QStringLiteral("0/9-F/f9*xz,.cG-+8129p4P**3"));
        QCOMPARE(state(), QStringLiteral("0:0 1:20 2:9 3:19 4:21 5:20 6:21 7:9 8:10 10:0 11:19 12:8 13:1 14:2 15:20 16:4 17:20 18:10 19:10 20:3"));
        QCOMPARE(marks(f), QStringLiteral("Ｇ／９－Ｆ／Ｆ９＊　Ｇ－8s１２／４／＊＊３"));
        const QString split = vbColor(ScoreEntryModel::ColorSplit).name();
        QVERIFY(f.Txt_MARK[12]->styleSheet().contains(split) && !f.Txt_MARK[13]->styleSheet().contains(split) && f.Txt_MARK[20]->hasFocus());
        QCOMPARE(f.Txt_score[1]->text() + u' ' + f.Txt_score[9]->text() + u' ' + f.Txt_score[10]->text() + u' ' + f.Txt_score[0]->text(), QStringLiteral("19 100 123 135"));
        for (int i = 0; i < 2; ++i) press(Qt::Key_Left, Qt::ShiftModifier);  // the cursor was past the last box
        press(Qt::Key_Backspace);  // a mark is changed by entering another, never edited
        QVERIFY(f.Txt_MARK[19]->hasFocus() && f.Txt_MARK[19]->text() == QStringLiteral("＊"));
        saveShot(&f, QStringLiteral("form_main_mark"));
        // The next game: keys sent faster than the program settles land each on the ball the previous
        // key left. X X 9/ X 8- 7/ X 9- X, then X 9/ in the tenth.
        press(Qt::Key_PageUp);
        QCOMPARE(notOnTop(f), QString());
        typeKeys(QStringLiteral("**9/*8-7/*9-**9/"), qEnvironmentVariableIsSet("PACE"));
        QCOMPARE(state(Module1::ScoreSheet(0, 1)) + f.Txt_score[10]->text().trimmed(),
                 QStringLiteral("0:10 2:10 4:9 5:20 6:10 8:8 9:19 10:7 11:20 12:10 14:9 15:19 16:10 18:10 19:9 20:20192"));
        // The mode button keeps its Alt letter although the move menu has the same one.
        press(Qt::Key_M, Qt::AltModifier);
        QVERIFY(!f.model().markMode());
        press(Qt::Key_M, Qt::AltModifier);
        QVERIFY(f.model().markMode() && notOnTop(f).isEmpty());
    }

    // Every key of pin entry: pins by letter in both cases, gutter, through, foul, strike, clear,
    // frame moves, and keys that are only swallowed.
    void pinKeys() {
        // A backup of the day is offered as the window opens, already in the mode it was left in.
        setUpMatch();
        QVERIFY(touchBackup());
        QString title = QStringLiteral("not loaded");
        dlg->expectMsgBox(vbNo, QStringLiteral("保存されていないデータがあります。"), [&] {
            if (form_main* m = forms::loaded<form_main>()) title = m->Frame_Mode->title();
        });
        form_main& f = open(QStringLiteral("0"));
        QCOMPARE(title, QStringLiteral(" ピン入力 "));
        typeKeys(QStringLiteral("7/+p"));
        QCOMPARE(state(), QString());
        typeKeys(QStringLiteral("zasqwe1234."));
        QList<int> focus{f.model().focused()};
        press(Qt::Key_PageUp), press(Qt::Key_PageDown);  // shown again after a spare, the cursor is on the spare's rack
        focus << f.model().focused();
        typeKeys(QStringLiteral(","));
        QCOMPARE(focus << f.model().focused(), QList<int>({2, 1, 0}));
        typeKeys(QStringLiteral(".ZASQWE1234ZASQWE1234.G-Fq.x*Xwcee.12.x334"));
        QCOMPARE(state(), QStringLiteral("0:0/1023 1:20/0 2:0/1023 3:19/1023 4:0/1023 5:19/1023 6:21/1023 7:9/8 8:10/0 9:30/0 "
                                         "10:10/0 11:30/0 12:10/0 13:30/0 14:9/32 15:19/32 16:8/192 17:20/0 18:10/0 19:8/768 20:1/256"));
        QCOMPARE(marks(f) + f.Txt_score[10]->text().trimmed(), QStringLiteral("Ｇ／Ｇ－Ｇ－Ｆ９＊　＊　＊　９－8s／＊8s１145"));
        click(f.Txt_MARK[2]), typeKeys(QStringLiteral("c"));  // clear takes the frame's marks, no other
        QStringList firstFrames;
        for (std::size_t k = 0; k <= 5; ++k) firstFrames << f.Txt_MARK[k]->text();
        QCOMPARE(firstFrames.join(u'|'), QStringLiteral("Ｇ|／|||Ｇ|－"));
        QVERIFY(forms::unload<form_main>() && settings::GetSetting(QStringLiteral("form"), QStringLiteral("main_mode"), {}) == QStringLiteral("0"));  // kept for the next time
    }

    // Pin commands on frames 1..9 and the tenth, and what "OK" makes of them.
    void pinCommands() {
        form_main& f = open(QStringLiteral("0"));
        // Steps: "@n" clicks ball box n, "K" clicks "OK", "U" is PageUp, "!" loses ball 20's code (a
        // foul stays in its attribute), anything else is typed. Then the record, the box focused, the
        // tenth's score and marks, the pin picture of rack 1 and pin 1, small pins 1 and 5 of frame 11
        // and pin 5 of frame 12 (0 down at the first ball, 1 at the second, 2 standing), whether frames 11 and 12 show.
        auto run = [&](const char* steps) {
            for (const QString& t : QString::fromLatin1(steps).split(u' ', Qt::SkipEmptyParts))
                if (t.startsWith(u'@')) click(f.Txt_MARK[std::size_t(t.mid(1).toInt())]);
                else if (t == u"K") click(f.Cmd_moveflame[2]);
                else if (t == u"U") press(Qt::Key_PageUp);
                else if (t == u"!") shown().Codes[20] = BallCode::NotEntered;
                else typeKeys(t);
            QString pins;
            for (auto [fr, i] : {std::pair{10, 0}, {10, 4}, {11, 4}}) pins += QString::number(std::find(Module1::PinColors.begin(), Module1::PinColors.end(), smallPin(f, fr, i)) - Module1::PinColors.begin());
            for (std::size_t fr : {10, 11}) pins += f.Pct_flame[fr]->isVisible() ? u'+' : u'-';
            return QStringLiteral("%1|%2|%3|%4|%5%6|%7").arg(state()).arg(f.model().focused()).arg(f.Txt_score[10]->text().trimmed(), marks(f, 18, 20))
                .arg(f.model().pinPictureState(1)).arg(f.model().pinState(0)).arg(pins);
        };
        const std::pair<const char*, const char*> steps[] = {  // steps, then what shows
            {"@1 g", "|1||　　　|00|333--"},  // gutter on a second ball only puts the focus back
            // gutter on a first ball: all stand, "OK" gives a spare; through without pin data: focus only
            {"@0 g K @2 -", "0:0/1023 1:20/0|2|10|　　　|00|333+-"},
            {"q14-", "0:0/1023 1:20/0 2:7/584 3:19/584|4|24|　　　|00|333++"},  // through on a leave copies it and enters a miss
            {"f K", "0:0/1023 1:20/0 2:7/584 3:19/584 4:21/1023 5:20/0|5|34|　　　|11|333++"},  // a foul stays a foul at "OK" while no pin was moved back
            // pin 1 down after the first ball: no foul; a foul on the second ball keeps the leave, also at "OK"
            {"@4 zz K @5 f @5 K", "0:0/1023 1:20/0 2:7/584 3:19/584 4:1/1022 5:21/1022|5|25|　　　|20|333++"},
            {"@4 c", "0:0/1023 1:20/0 2:7/584 3:19/584|4|25|　　　|00|333++"},  // clear resets its frame only
            {"g", "0:0/1023 1:20/0 2:7/584 3:19/584 4:0/1023 5:30/0|5|24|　　　|11|333++"},  // gutter on a later frame's first ball: all pins stand
            {"U @18 xxww", "18:10/0 19:10/0 20:9/16|20|29|＊＊９|00|001++"},  // the tenth in the next game: a pin on ball 20 derives at once
            {"f ! @19 @20", "18:10/0 19:10/0 20:21/1023|20|20|＊＊　|11|001++"},  // a foul after two strikes, kept when its box takes the focus again
            {"c", "|18|20|　|00|333++"},  // clear in the tenth: back to its first ball (the score stands until the next entry)
            {"x-", "18:10/0|19|10|＊　　|00|333++"},  // strike, through on ball 19 without pins: back to it
            {"14", "18:10/0 19:8/576 20:20/0|20|20|＊8s／|00|003++"},
            {"4", "18:10/0 19:8/576 20:1/512|20|19|＊8s１|00|003+-"},
            {"f", "18:10/0 19:8/576 20:21/576|20|18|＊8sＦ|00|003+-"},  // foul on ball 20 keeps ball 19's leave
            {"cx144-", "18:10/0 19:8/576 20:19/576|20|18|＊8s－|00|003+-"},  // the same rack again, then through on ball 20 enters a miss
            {"@19 f", "18:10/0 19:21/1023 20:30/0|20|10|＊Ｆ　|11|113+-"},  // foul on ball 19 after a strike
            {"K", "18:10/0 19:21/1023 20:30/0|20|10|＊Ｆ　|11|113+-"},  // "OK" on ball 20 keeps it
            {"cxg", "18:10/0 19:0/1023 20:30/0|20|10|＊Ｇ　|11|113+-"},  // gutter on ball 19 after a strike
            {"caq K", "18:8/10 19:20/0|19|10|８／　|10|333+-"},  // spare, then the fill ball: "OK" stays on the rack
            {".-zas", "18:8/10 19:20/0 20:7/7|20|17|８／７|11|103+-"}, {"-", "18:8/10 19:20/0 20:7/7|20|17|８／７|11|103+-"},  // after a spare through does nothing
            {"f", "18:8/10 19:20/0 20:21/1023|20|10|８／Ｆ|11|113+-"},  // foul as the fill ball
            // an open tenth: ball 20 is cleared and unreachable; pin 2 left standing by ball 19
            {"caq K a.", "18:8/10 19:1/2|18|9|８１　|20|333--"}, {"czq K z.", "18:8/9 19:1/1|18|9|８１　|02|333--"},
            {"U @0 zzz K", "0:10/0 1:30/0|1|10|　　　|00|333+-"}, {"@18 zzz K", "0:10/0 1:30/0 18:10/0 19:30/0|18|20|＊　　|00|003+-"},  // "OK" on a rack with every pin down: a strike
        };
        for (auto [step, expected] : steps) QCOMPARE(run(step), QString::fromUtf8(expected));
    }

    // Keys released on slot 2, game 1, ball box 2: moves between games, slots, lanes and boxes.
    void releasedKeys() {
        const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
        const struct { bool markMode; int key, mods, slot, game, focus, beeps; } cases[] = {
            {true, Qt::Key_PageUp, 0, 1, 1, 0, 0},          // next game
            {true, Qt::Key_PageDown, 0, 1, 0, 0, 1},        // no game before the first
            {true, Qt::Key_Up, 0, 0, 0, 0, 0},              // previous slot
            {true, Qt::Key_Down, 0, 7, 0, 0, 0},            // next slot with a player
            {true, Qt::Key_Left, 0, 1, 0, 0, 1},            // no lane before the first
            {true, Qt::Key_Right, 0, 7, 0, 0, 0},           // next lane
            {true, Qt::Key_Down, Qt::KeypadModifier, 7, 0, 0, 0},
            {true, Qt::Key_Left, shift, 1, 0, 1, 0},        // previous box
            {true, Qt::Key_Right, shift, 1, 0, 3, 0},       // next box
            {true, Qt::Key_PageUp, shift, 1, 0, 2, 0},      // combinations do nothing
            {true, Qt::Key_Down, ctrl, 1, 0, 2, 0},
            {false, Qt::Key_Left, shift, 1, 0, 0, 0},       // previous frame
            {false, Qt::Key_Right, shift, 1, 0, 4, 0},      // next frame
        };
        form_main& f = open();
        for (const auto& c : cases) {
            if (f.model().markMode() != c.markMode) click(f.Cmd_Mode);
            Module1::CurPlayer = 1, Module1::CurGame = 0;
            f.New_score();
            click(f.Pct_flame[1]);  // ball box 2
            const int beeps = dlg->beeps();
            press(Qt::Key(c.key), Qt::KeyboardModifiers(c.mods));
            QCOMPARE(QList<int>({Module1::CurPlayer, Module1::CurGame, f.model().focused(), dlg->beeps() - beeps}), QList<int>({c.slot, c.game, c.focus, c.beeps}));
        }
    }

    void pinModeFramesByMouse() {
        // The picture of a pin standing after the first ball comes from its file; the others are
        // missing and drawn plain.
        QImage standing(20, 20, QImage::Format_RGB32);
        standing.fill(Qt::blue);
        QVERIFY(standing.save(env->path(QStringLiteral("pin2.jpg")), "PNG"));
        form_main& f = open();
        click(f.Cmd_Mode);
        QVERIFY(f.Frame_Mode->title() == QStringLiteral(" ピン入力 ") && f.pct_pin[0]->isVisible() && !f.Cmd_MARK[5]->isVisible());
        // Frame 1: pins 7 and 10 stand after the first ball, then fall: 8 and a spare.
        for (std::size_t pin : {6, 9}) click(f.pct_pin[pin]);
        // blue from pin2.jpg; drawn: a round pin on white
        QCOMPARE(QList<int>({f.pct_pin[6]->Point(187, 187), f.pct_pin[0]->Point(187, 80), f.pct_pin[0]->Point(5, 5)}), QList<int>({0xFF0000, Module1::PinColors[0], 0xFFFFFF}));
        click(f.Cmd_moveflame[2]);  // 7-10, a split, and a spare (the marks the end-to-end day checks)
        for (int i = 0; i < 10; ++i)
            QCOMPARE(smallPin(f, 0, i), (i == 6 || i == 9) ? Module1::PinColors[1] : Module1::PinColors[0]);
        // Frame 2: pin 4 stands twice (left standing), then on to frame 3 and a strike.
        for (QWidget* w : std::initializer_list<QWidget*>{f.Cmd_moveflame[1], f.pct_pin[3], f.pct_pin[3], f.Cmd_moveflame[1]}) click(w);
        click(f.cmd_MDS[0]);
        QCOMPARE(marks(f, 2, 4) + f.Txt_score[2]->text() + u' ' + f.Txt_score[3]->text() + QString::number(smallPin(f, 1, 3) == Module1::PinColors[2]), QStringLiteral("９－＊28 381"));
        saveShot(&f, QStringLiteral("form_main_pin"));
        // Back in mark mode a marked frame greys its small pins.
        click(f.Cmd_Mode);
        QVERIFY(f.Cmd_MARK[5]->isVisible() && !f.pct_pin[0]->isVisible());
        for (QWidget* w : std::initializer_list<QWidget*>{f.Pct_flame[1], f.Cmd_MARK[5], f.Cmd_MARK[19]}) click(w);
        for (int i = 0; i < 10; ++i) QCOMPARE(smallPin(f, 1, i), ScoreEntryModel::ColorGrey);
        QCOMPARE(smallPin(f, 0, 6), Module1::PinColors[1]);
    }

    // A game by mouse, every mark button once; the frame pictures select balls.
    void markButtonsAndFramePictures() {
        form_main& f = open();
        for (int code : {0, 20, 1, 2, 3, 4, 5, 19, 6, 21, -1, 7, 1, 8, 20, 9, 19, 10, 10, 10, 10})
            click(code < 0 ? static_cast<QWidget*>(f.Cmd_spl) : f.Cmd_MARK[code]);
        QCOMPARE(state(), QStringLiteral("0:0 1:20 2:1 3:2 4:3 5:4 6:5 7:19 8:6 9:21 10:7 11:1 12:8 13:20 14:9 15:19 16:10 18:10 19:10 20:10"));
        QCOMPARE(f.Txt_MARK[10]->text() + f.Txt_score[9]->text(), QStringLiteral("7s98"));
        // The extension frames follow the game score when a record is shown.
        QVERIFY(!f.Pct_flame[10]->isVisible());
        trigger(f.menu_game[1]), trigger(f.menu_game[0]);
        QVERIFY(f.Pct_flame[10]->isVisible() && f.Pct_flame[11]->isVisible());
        // The first extension picture after a strike on ball 18 selects ball 19.
        QList<int> focus;
        for (int fr : {10, 11, 9}) {
            click(f.Pct_flame[std::size_t(fr)]);
            focus << f.model().focused();
            if (fr == 10) QVERIFY(f.Pct_flame[10]->BackColor() == ScoreEntryModel::ColorWhite && f.Pct_flame[3]->BackColor() == ScoreEntryModel::ColorGrey);
        }
        QCOMPARE(focus, QList<int>({19, 20, 18}));
        for (QWidget* w : std::initializer_list<QWidget*>{f.Txt_MARK[20], f.Cmd_MARK[9], f.Pct_flame[11]}) click(w);
        QCOMPARE(f.Txt_score[10]->text().trimmed() + QString::number(f.model().focused()), QStringLiteral("12720"));
        // The arrows beside the marks move the cursor a ball back and on.
        for (int arrow : {0, 0, 1}) click(f.cmd_moveflame2[std::size_t(arrow)]), focus << f.model().focused();
        QCOMPARE(focus.mid(3), QList<int>({19, 18, 19}));
    }

    // Menu entries and the game labels do what their buttons do; moves show what was entered.
    void menusAndMoves() {
        QStringList launched;
        launcher::setRunner([&](const QString& program, const QStringList& args) { return launched << program + u' ' + args.join(u' '), true; });
        form_main& f = open();
        dlg->expectInputBox(QString(), QStringLiteral("番号を入力して")), trigger(f.menu_data[0]);
        dlg->expectOpenFile(QString()), trigger(f.menu_data[1]);
        dlg->expectMsgBox(vbCancel, QStringLiteral("入力したデータを全て消し")), trigger(f.menu_cancel);
        QVERIFY(execSql("INSERT INTO 選手 (選手ID, 選手名) VALUES (11, '佐藤一郎')"));
        Module1::AllPlayersFlag = 255, trigger(f.menu_jofo);
        QCOMPARE(Module1::AllPlayersFlag, std::uint8_t(0));
        vxtest::shown<form_main>();  // back from the individual records it opened
        f.VSc_T10->setValue(50), settle();
        QCOMPARE(f.Txt_score[10]->text() + ' ' + QString::number(shown().Scores[10]), QStringLiteral("50 50"));  // the bar sets the game score
        trigger(f.menu_keisan);  // the game-score bar stands at the score shown again
        QCOMPARE(f.Txt_score[10]->text() + ' ' + QString::number(f.VSc_T10->value()), QStringLiteral("0 0"));
        trigger(f.menu_h);
        launcher::setRunner({});
        QVERIFY(launched.size() == 1 && launched.front().endsWith(QStringLiteral("/vh_mark.htm")));

        typeKeys(QStringLiteral("+7-"));
        const QString split = vbColor(ScoreEntryModel::ColorSplit).name();
        trigger(f.menu_game[1]);  // the next game shows its own record: no split colour
        QVERIFY(!f.Txt_MARK[0]->styleSheet().contains(split));
        click(f.Pct_moveGAM[0]);
        QVERIFY(qobject_cast<QMenu*>(f.menu_game[0]->associatedObjects().value(0))->actions().value(4)->isSeparator());  // moves, then games
        trigger(f.menu_move[1]);  // the next slot shows its own record: nothing, and no split colour
        QVERIFY(f.Txt_SEN->text().trimmed() + marks(f, 0, 1) == QStringLiteral("鈴木花子　　") && !f.Txt_MARK[0]->styleSheet().contains(split));
        typeKeys(QStringLiteral("*"));
        // Next lane (+6), the last slot, on from it (beep, slot 1), back over the empty slots,
        // before the first (beep, stays); by the menu (negative) and by the arrow buttons.
        QList<int> slots;
        for (int move : {-3, 1, -1, 1, 3, 0})
            move < 0 ? trigger(f.menu_move[std::size_t(-move)]) : click(f.Pct_moveSEN[std::size_t(move)]), slots << Module1::CurPlayer;
        // a strike in frame 1 alone: the cursor on ball 2
        QCOMPARE(f.Txt_SEN->text().trimmed() + marks(f, 0, 1) + QString::number(f.model().focused()), QStringLiteral("鈴木花子＊　2"));
        trigger(f.menu_move[0]), trigger(f.menu_move[0]);
        slots << Module1::CurPlayer;
        QCOMPARE(slots, QList<int>({7, 35, 0, 1, 7, 1, 0}));
        QCOMPARE(f.Txt_junban->text() + marks(f, 0, 1), QStringLiteral(" 17s－"));
        QString games;
        for (std::size_t label : {0, 4}) click(f.Label2[label]), games += f.Txt_GAM->text();
        for (int g = 0; g < 4; ++g) g % 2 ? trigger(f.menu_game[1]) : click(f.Pct_moveGAM[1]);  // past the last game: game 1
        trigger(f.menu_move[2]), click(f.Pct_moveSEN[2]);  // no lane before the first: beep, stays
        QCOMPARE(games + f.Txt_GAM->text() + f.Txt_junban->text() + QString::number(dlg->beeps()), QStringLiteral(" 2 1 1 15"));
    }

    // A file read in while the players window is open shows in its lanes beside the players placed.
    void importWithThePlayersWindowOpen() {
        form_main& f = open();
        QVERIFY(execSql("INSERT INTO 選手 (選手ID, 選手名) VALUES (3, '山田太郎'), (12, 'Suzuki'), (25, '佐藤　花子')"));
        Form_Player& players = vxtest::shown<Form_Player>();  // it starts the day's slots afresh
        placePlayer(0, 11, QStringLiteral("佐藤一郎"), 12);
        vxtest::shown<form_main>();
        dlg->expectOpenFile(exchangeData(QStringLiteral("B_000012.dat")));
        click(f.Cmd_Data_IO[1]);
        QVERIFY(dlg->allAnswered());
        QStringList names;
        for (int r = 1; r < players.Grd_LN->rowCount(); ++r)
            for (int c = 1; c <= 6; ++c)
                if (!players.Grd_LN->item(r, c)->text().isEmpty()) names << QStringLiteral("%1,%2 %3").arg(r).arg(c).arg(players.Grd_LN->item(r, c)->text().trimmed());
        QCOMPARE(names.join(u'|'), QStringLiteral("1,1 佐藤一郎|7,1 山田太郎|7,2 Suzuki|7,3 佐藤　花子"));
        QCOMPARE(notOnTop(players), QString());  // shown last, over the score entry, with its new lanes
    }

    // Balls as a file may hold them: a spare on a first ball counts ten, as does a spare after a foul.
    void oddStoredBallsScore() {
        QStringList got;
        for (const char* balls : {"0:20 1:5", "0:21 1:20 2:3"}) {
            GameRecord r;
            clearGame(r), setCodes(r, QString::fromLatin1(balls)), scoreGame(r);
            got << QStringLiteral("%1 %2 %3 %4").arg(r.PinsDown[0]).arg(r.PinsDown[1]).arg(r.PinsDown[2]).arg(r.Scores[10]);
        }
        QCOMPARE(got, QStringList({"10 5 0 10", "0 10 3 16"}));  // ten on the first ball reads as a strike
    }

    // Keys going to a menu opened by the keyboard are the menu's alone: they neither move the sheet
    // nor enter marks, and the menu's own letter chooses its entry.
    void menuKeysAreTheMenus() {
        form_main& f = open();
        typeKeys(QStringLiteral("9-7"));
        const QString before = f.Txt_SEN->text() + f.Txt_GAM->text() + marks(f) + state();
        press(Qt::Key_F, Qt::AltModifier);
        QVERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_PageDown, Qt::Key_Up, Qt::Key_Left, Qt::Key_PageUp}) press(key);
        QCOMPARE(f.Txt_SEN->text() + f.Txt_GAM->text() + marks(f) + state(), before);
        dlg->expectMsgBox(vbCancel, QStringLiteral("入力したデータを全て消し、メニューに戻ります。"));
        typeKeys(QStringLiteral("x"));
        QVERIFY(!QApplication::activePopupWidget() && dlg->allAnswered());
        QCOMPARE(f.Txt_SEN->text() + f.Txt_GAM->text() + marks(f) + state(), before);
        QCOMPARE(notOnTop(f), QString());
    }

    // The backup follows a change of the sheet at the next refresh; showing records again writes nothing.
    void backupOnlyOnChange() {
        form_main& f = open();
        const QString backup = exchange::backupFileName(), kept = backup + QStringLiteral(".kept");
        const auto same = [&] {  // the file is still the one linked to
            struct stat a {}, b {};
            return ::stat(QFile::encodeName(backup).constData(), &a) == 0 && ::stat(QFile::encodeName(kept).constData(), &b) == 0 &&
                   a.st_ino == b.st_ino;
        };
        const auto around = [&] { trigger(f.menu_game[1]), trigger(f.menu_game[0]), trigger(f.menu_move[1]), trigger(f.menu_move[0]); };
        typeKeys(QStringLiteral("7")), around();  // each record shown the first time takes its handicap
        const QByteArray bytes = vxtest::fileBytes(backup);
        QVERIFY(bytes.contains("\"\x82V\"") && ::link(QFile::encodeName(backup).constData(), QFile::encodeName(kept).constData()) == 0);
        around();
        QVERIFY(same());
        typeKeys(QStringLiteral("-")), around();
        QVERIFY(!same() && vxtest::fileBytes(backup) != bytes && vxtest::fileBytes(kept) == bytes);
        QFile::remove(kept);
    }

    // Without a handicap a finished game may not be left, an unfinished one may.
    void handicapRefusal() {
        form_main& f = open(QStringLiteral("1"), -1);
        Module1::HcpRequired = 1;
        QCOMPARE(f.VSc_Hcp->value(), -1);  // the bar shows the handicap on opening
        click(f.Txt_MARK[2]), typeKeys(QStringLiteral("g-g-g-g-g-g-g-g-72"));  // all but the first frame: not finished
        press(Qt::Key_PageUp), press(Qt::Key_PageDown);
        typeKeys(QStringLiteral("g-g-g-g-g-g-g-g-g-*g"));  // ball 20 owed
        for (Qt::Key key : {Qt::Key_PageUp, Qt::Key_PageDown}) press(key);
        for (const char* tenth : {"5/", "*5", "*g"}) {  // owed after a spare, and after a strike and a five
            click(f.Txt_MARK[18]), typeKeys(QString::fromLatin1(tenth));
            for (Qt::Key key : {Qt::Key_PageUp, Qt::Key_PageDown}) press(key);
        }
        QCOMPARE(dlg->beeps(), 0);
        click(f.Txt_MARK[20]), typeKeys(QStringLiteral("/"));  // a full tenth
        dlg->expectMsgBox(vbOK, QStringLiteral("ハンデを入力してください")), press(Qt::Key_PageUp);
        click(f.Txt_MARK[18]), typeKeys(QStringLiteral("72"));  // an open tenth
        dlg->expectMsgBox(vbOK, QStringLiteral("ハンデを入力してください")), press(Qt::Key_PageUp);
        QVERIFY(f.Txt_GAM->text() == QStringLiteral(" 1") && f.Txt_score[11]->hasFocus());
        press(Qt::Key_Backspace);  // the box only shows the handicap
        QCOMPARE(f.Txt_score[11]->text(), QStringLiteral("-1"));
        click(f.Txt_MARK[5]);
        dlg->expectMsgBox(vbOK, QStringLiteral("ハンデを入力してください")), press(Qt::Key_S, Qt::AltModifier);  // nor may the input end, by its Alt letter
        QCOMPARE(spaced(QList<bool>{f.isShown(), forms::loaded<Form_Data>() != nullptr, keyboard() == f.Txt_score[11]}), QStringLiteral("true false true"));
        // The handicap bar gives a handicap; the window sees a key before the bar, so its release
        // moves on, now allowed.
        f.VSc_Hcp->setValue(-1), f.VSc_Hcp->setFocus(), press(Qt::Key_Up);  // a handicap of 0 is a handicap
        QCOMPARE(f.Txt_score[11]->text() + u' ' + f.Txt_score[0]->text() + QString::number(dlg->beeps()), QStringLiteral("0 94"));  // beeps: the refusals, then no slot before the first
        press(Qt::Key_PageUp);
        QCOMPARE(f.Txt_GAM->text(), QStringLiteral(" 2"));
        press(Qt::Key_PageDown), dlg->expectMsgBox(vbNo, QStringLiteral("一人しか入力されていません")), click(f.Cmd_TOKEI);  // nor the input's end
    }

    // Clearing and giving up ask first; "Cancel" changes nothing.
    void clearAndReturnToMenuAsk() {
        form_main& f = open();
        typeKeys(QStringLiteral("9-7"));
        dlg->expectMsgBox(vbCancel, QStringLiteral("画面のマークを全て消します。\rよろしいですか？")), click(f.Cmd_CAN[0]);
        QCOMPARE(marks(f, 0, 2), QStringLiteral("９－７"));
        dlg->expectMsgBox(vbOK, QStringLiteral("画面のマークを全て消します。")), trigger(f.menu_clear);  // the handicap stays
        QCOMPARE(f.Txt_score[11]->text() + marks(f, 0, 2) + state() + QString::number(f.model().focused()) + QString::number(dlg->shown().back().style), QStringLiteral("12　　　04401"));
        dlg->expectMsgBox(vbCancel, QStringLiteral("入力したデータを全て消し、メニューに戻ります。")), click(f.Cmd_CAN[1]);
        QVERIFY(forms::loaded<form_main>());
        dlg->expectMsgBox(vbOK, QStringLiteral("メニューに戻ります。")), click(f.Cmd_CAN[1]);
        QVERIFY(!forms::loaded<form_main>() && settings::GetSetting(QStringLiteral("form"), QStringLiteral("main_mode"), {}) == QStringLiteral("1") &&
                notOnTop(forms::get<Form_Start>()).isEmpty());
        // The logic says whether the user agreed; any other button asks nothing.
        M m;
        QList<int> agreed;
        for (int index : {0, 1})
            for (int answer : {vbCancel, vbOK}) dlg->expectMsgBox(answer, QStringLiteral("よろしいですか？")), agreed << m.Cmd_CAN_Click(index);
        agreed << m.Cmd_CAN_Click(2) << dlg->allAnswered();
        QCOMPARE(agreed, QList<int>({0, 1, 0, 1, 0, 1}));
    }

    // The input check lists unfinished games; ending the input asks about them, then about a
    // single player, and only then hands over to the results window.
    void inputCheckAndEndOfInput() {
        settings::SaveSetting(QStringLiteral("form"), QStringLiteral("info_Left"), QStringLiteral("600"));
        settings::SaveSetting(QStringLiteral("form"), QStringLiteral("info_Top"), QStringLiteral("300"));
        form_main& f = open(QStringLiteral("1"), -1);  // no handicap, none required
        dlg->expectMsgBox(vbOK, QStringLiteral("スコアが入力されたゲームがありません。")), click(f.Cmd_TOKEI);  // an empty day
        QVERIFY(dlg->shown().back().style == vbOKOnly + vbExclamation && Module1::PlayedGameCount == 0 && f.isShown());
        click(f.Txt_MARK[0]), typeKeys(QStringLiteral("9-7")), click(f.Cmd_INFO);  // back from the list it showed
        auto* info = forms::loaded<Form_INFO>();
        // The list on top; "チェック" by its Alt letter brings the sheet up.
        QVERIFY(info && notOnTop(*info).isEmpty() && info->Txt_INFO->toPlainText() == QStringLiteral("佐藤一郎 選手の 第 1ゲームが、入力途中です。\n\n"));
        saveShot(info, QStringLiteral("form_info"));
        press(Qt::Key_C, Qt::AltModifier);
        QCOMPARE(notOnTop(f), QString());
        click(f.Cmd_INFO);
        QCOMPARE(notOnTop(*info), QString());
        // As on a real display right after a dialog: the main window is not yet active again. A
        // button that takes no focus still brings its window up before it acts.
        QWidget dialog;
        dialog.show();
        dialog.activateWindow();
        settle();
        bool activeAtPress = false;
        connect(f.Cmd_KEISAN, &QPushButton::pressed, this, [&] { activeAtPress = MdiFrame::instance()->activeForm() == &f; });
        click(f.Cmd_KEISAN);
        QVERIFY(activeAtPress && notOnTop(f).isEmpty());
        click(info->Cmd_OK);
        QVERIFY(!info->isShown() && info->Txt_INFO->toPlainText().isEmpty());
        trigger(f.menu_input);
        QVERIFY(info->isShown());
        trigger(info->menu_off);
        QVERIFY(!info->isShown() && info->Txt_INFO->toPlainText().isEmpty() && forms::unload<Form_INFO>());
        QCOMPARE(settings::GetSetting(QStringLiteral("Form"), QStringLiteral("info_left"), {}) + u',' +
                     settings::GetSetting(QStringLiteral("Form"), QStringLiteral("info_top"), {}),
                 QStringLiteral("600,300"));
        // "Yes": back to the input; while the question stands, the list already shows the unfinished games.
        QString seen;
        dlg->expectMsgBox(vbYes, QStringLiteral("入力していないデータを入力してください"), [&] { seen = forms::get<Form_INFO>().Txt_INFO->toPlainText(); });
        trigger(f.menu_OK);
        QVERIFY2(seen.contains(QStringLiteral("佐藤一郎 選手の 第 1ゲームが、入力途中です。")), qPrintable(seen));
        click(f.Txt_MARK[3]), typeKeys(QStringLiteral("-9-9-9-9-9-9-9-9-"));  // the list stands on top: back to the sheet to finish the game
        const QString single = QStringLiteral("一人しか入力されていません。\r一人でも記録しますか？");
        dlg->expectMsgBox(vbNo, single), click(f.Cmd_TOKEI);
        QVERIFY(f.isShown());
        dlg->expectMsgBox(vbYes, single), click(f.Cmd_TOKEI);
        const Form_INFO* list = forms::loaded<Form_INFO>();  // unloaded above, loaded again by the question
        QVERIFY(dlg->shown().back().style == vbYesNo + vbQuestion && !f.isShown() && list && !list->isShown() && forms::loaded<Form_Data>() && forms::loaded<Form_Data>()->isShown());
    }

    // "統計へ" by its Alt letter: the results window takes the keyboard and the menu bar, and keys
    // typed then never reach the hidden sheet. Its own letters work at once; the lists it shows are
    // closed from their menus and give the keyboard back to it.
    void resultsWindowTakesTheKeyboard() {
        form_main& f = open();
        typeKeys(QStringLiteral("9/9/9/9/9/9/9/9/9/9/9")), press(Qt::Key_Down), typeKeys(QStringLiteral("8-8-8-8-8-8-8-8-8-8-"));
        const QString before = state(Module1::ScoreSheet(0, 0)) + state(Module1::ScoreSheet(1, 0));
        press(Qt::Key_S, Qt::AltModifier);
        Form_Data* data = forms::loaded<Form_Data>();
        QVERIFY(data && !f.isShown() && notOnTop(*data).isEmpty());
        typeKeys(QStringLiteral("7"));
        QCOMPARE(state(Module1::ScoreSheet(0, 0)) + state(Module1::ScoreSheet(1, 0)), before);
        for (QCheckBox* c : data->Chk_Data) c->setChecked(true);
        press(Qt::Key_D, Qt::AltModifier);
        Form_ZKT* list = forms::loaded<Form_ZKT>();
        Form_NormalDATA* board = forms::loaded<Form_NormalDATA>();
        QVERIFY(data->Cmd_File->isEnabled() && list && board && list->isShown() && board->isShown());
        for (int i = 0; i < 2; ++i) {
            const QPointer<Form> top = MdiFrame::instance()->activeForm();
            QVERIFY((top == list || top == board) && notOnTop(*top).isEmpty());
            trigger(MdiFrame::instance()->menuBar()->actions().front()->menu()->actions().front());
            QVERIFY(!top || !top->isShown());  // closed, or hidden
        }
        QCOMPARE(notOnTop(*data), QString());
        press(Qt::Key_B, Qt::AltModifier);
        QCOMPARE(notOnTop(f), QString());
    }

    // Alt letters of buttons act even where the focus is in a box that takes text. A window hidden
    // or closed hands the keyboard and the menu bar to the one on top; the start menu cannot be
    // closed on its own.
    void altLettersAndHiddenWindowsHandOver() {
        Form_Start& start = vxtest::shown<Form_Start>();
        press(Qt::Key_I, Qt::AltModifier);
        Form_Siai* siai = forms::loaded<Form_Siai>();
        QVERIFY(siai && notOnTop(*siai).isEmpty() && qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        press(Qt::Key_C, Qt::AltModifier);
        QVERIFY(!forms::loaded<Form_Siai>());
        QVERIFY(notOnTop(start).isEmpty() && !(start.subWindow()->windowFlags() & Qt::WindowCloseButtonHint));
        start.subWindow()->close();
        settle();
        QCOMPARE(forms::loaded<Form_Start>(), &start);
        QCOMPARE(notOnTop(start), QString());
    }

    // Settings as display, tally, target, method; the window's boxes, options and width as one text.
    void presetsFromSettings() {
        const std::pair<std::array<int, 4>, const char*> cases[] = {
            {{0, 0, 0, 0}, "00000 0 0 N ハンデなし平均点"},    // all off
            {{1, 5, 2, 2}, "10101 2 2 W ハンデ込み平均点"},    // board only, hcp average, typed points
            {{2, 2, 1, 1}, "01010 1 1 N ハンデなし平均点"},    // points only, per game
            {{3, 7, 3, 9}, "11111 -1 -1 N ハンデ込み平均点"}};  // no option in range
        for (const auto& [set, want] : cases) {
            TallyRuleFlags = std::uint8_t(set[1]), PointTarget = std::uint8_t(set[2]), PointMethod = std::uint8_t(set[3]);
            Form_Data& f = openData(set[0]);
            QString checks;
            for (const QAbstractButton* b : {f.Chk_Data[0], f.Chk_Data[1], f.Chk_rule[0], f.Chk_STSP, f.Chk_HCP}) checks += b->isChecked() ? '1' : '0';
            QCOMPARE(QString("%1 %2 %3 %4 %5").arg(checks).arg(f.options().pointTarget).arg(f.options().pointMethod).arg(width(f)).arg(f.Opt_PntTarget[2]->text()),
                     QString::fromUtf8(want));
            QVERIFY(!f.Cmd_File->isEnabled() && !f.menu_save->isEnabled() && forms::unload<Form_Data>());
        }
    }

    // The options as clicked and typed reach the calculation; both result windows are filled, the
    // chosen ones shown; a second calculation over another day replaces the board.
    void calculation() {
        Form_Data& f = openData(1);  // prize board only
        tick(f.Chk_HCP), tick(f.Opt_PntCalc[1]);
        QString widths = width(f);
        tick(f.Opt_PntCalc[2]);
        QCOMPARE(f.Opt_PntTarget[2]->text() + widths + width(f), QStringLiteral("ハンデ込み平均点NW"));
        for (const QLineEdit* box : f.Txt_Pnt) QVERIFY(f.rect().contains(box->geometry()));
        for (int i : {0, 1}) f.Txt_Pnt[std::size_t(i)]->setFocus(), press(Qt::Key_A, Qt::ControlModifier), typeKeys(i ? "7.5" : "25");
        saveShot(f.subWindow(), QStringLiteral("form_data_wide"));

        click(f.Cmd_Data);
        auto* board = forms::loaded<Form_NormalDATA>();
        auto* points = forms::loaded<Form_ZKT>();
        QVERIFY(width(f) == u'N' && f.Cmd_File->isEnabled() && f.menu_save->isEnabled() && board && points && board->isShown() && !points->isShown());
        QCOMPARE(board->Txt_Name[0]->text() + board->Txt_Ten[0]->text() + QString::number(points->List_ZKT->count()) + points->List_ZKT->item(0)->text().left(9) +
                     points->List_ZKT->item(1)->text().left(9), QStringLiteral("井上        2204１着    25p２着    08p"));
        click(board->Cmd_B10[0]);
        QCOMPARE(QString::number(board->Txt_B10[0]->toPlainText().split(u'\n').size()) + board->Txt_B10[0]->toPlainText().left(2) +
                     board->Txt_B10[1]->toPlainText().left(4), QStringLiteral("4井上220\n"));

        tick(f.Chk_Data[1]), click(f.Cmd_Data);
        QVERIFY(points->isShown() && board->Txt_B10[0]->toPlainText().isEmpty());
        click(board->Cmd_B10[4]);
        saveShot(f.subWindow(), QStringLiteral("form_data"));
        saveShot(board->subWindow(), QStringLiteral("form_normaldata"));
        saveShot(points->subWindow(), QStringLiteral("form_zkt"));

        // An average shows in full on the board, and so does the widest value any box can get.
        setDay({{QStringLiteral("青木　一郎"), 11, 0, {100, 100, 120}}, {QStringLiteral("井上"), 12, 0, {100, 100, 110}}, {QStringLiteral("上田"), 13, 0, {50, 50, 50}}});
        tick(f.Chk_HCP), click(f.Cmd_Data);
        QCOMPARE(board->Txt_Ten[4]->text() + u'|' + board->Txt_Ten[5]->text() + u'|' + QString::number(points->List_ZKT->count()),
                 QStringLiteral("106.666666666667|103.333333333333|3"));
        for (const QLineEdit* box : board->Txt_Ten) QVERIFY2(shownWhole(box), qPrintable(box->text()));
        saveShot(board->subWindow(), QStringLiteral("form_normaldata_averages"));
        PrizeBoard widest;
        widest.values.fill(QStringLiteral("-0.888888888888889")), board->setBoard(widest);
        for (const QLineEdit* box : board->Txt_Ten) QVERIFY2(shownWhole(box), "widest");

        // A calculation that fails says why and leaves nothing to store.
        tick(f.Opt_PntCalc[2]);
        f.Txt_Pnt[0]->setText(QStringLiteral("99999"));
        dlg->expectMsgBox(vbOK, QStringLiteral("計算中にエラーが発生しました。")), click(f.Cmd_Data);
        QVERIFY(!f.Cmd_File->isEnabled() && !f.menu_save->isEnabled());
    }

    // A failing database keeps everything as it was and says why; leaving without storing asks first
    // and keeps the backup; going back to the score entry asks nothing; then the day is stored.
    void leaveOrStore() {
        auto gone = [] { return !forms::loaded<Form_Data>() && !forms::loaded<Form_ZKT>() && !forms::loaded<Form_NormalDATA>(); };
        QCOMPARE(forms::get<Form_Start>().Lbl_all_data->text(), QStringLiteral("0"));  // opens the database
        Form_Data& f = openData(3);
        QVERIFY(touchBackup());
        click(f.Cmd_Data);
        QVERIFY(db::exec(QStringLiteral("CREATE TRIGGER forced BEFORE INSERT ON \"試合\" BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
        dlg->expectMsgBox(vbOK, QStringLiteral("disk full")), click(f.Cmd_File);
        QVERIFY(forms::loaded<Form_Data>() && f.Cmd_File->isEnabled() && QFile::exists(exchange::backupFileName()) && rows("SELECT COUNT(*) FROM データ項目") == "0");
        QVERIFY(db::exec(QStringLiteral("DROP TRIGGER forced")));
        dlg->expectMsgBox(vbNo, QStringLiteral("今まで入力したデータを\r全部消してメニューへ戻ります。\rよろしいですか？")), click(f.cmd_back[1]);
        QVERIFY(forms::loaded<Form_Data>() && forms::loaded<Form_ZKT>()->isShown() && forms::loaded<Form_NormalDATA>() &&
                dlg->shown().back().style == (vbYesNo | vbExclamation | vbDefaultButton2 | 4096));
        dlg->expectMsgBox(vbYes);
        f.menu_clear->trigger();
        QVERIFY(gone() && forms::loaded<Form_Start>() && forms::loaded<Form_Start>()->isShown() && QFile::exists(exchange::backupFileName()));
        QCOMPARE(rows("SELECT COUNT(*) FROM データ項目") + forms::loaded<Form_Start>()->Lbl_all_data->text(), QStringLiteral("00"));

        matchsetup::freshSheet();
        click(openData(3).Cmd_Data), dlg->expectMsgBox(vbNo, QStringLiteral("保存されていないデータがあります。")), trigger(forms::loaded<Form_Data>()->menu_back);  // the day's backup is still there
        QVERIFY(gone());

        click(openData(3).Cmd_Data), dlg->expectMsgBox(vbOK, QStringLiteral("書き込んだ人数は4人で、データの合計数は14件でした。")), trigger(forms::loaded<Form_Data>()->menu_save);
        QVERIFY(dlg->allAnswered() && !forms::loaded<Form_Data>() && !forms::loaded<Form_ZKT>() && !QFile::exists(exchange::backupFileName()) &&
                forms::loaded<Form_Start>()->Lbl_all_data->text() == QStringLiteral("14"));
    }
};

QTEST_MAIN(TestFormMain)
#include "tst_formmain.moc"
