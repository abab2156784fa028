// A long day of entry in the score-entry window, typed and clicked in a fixed pseudo-random order:
// marks, pins, splits, cursor and frame moves, slot and game moves and mode switches, over six
// players and four games. What the window shows after each action is kept (boxes, colours,
// pictures, the keyboard), and with it the shown game as stored and a digest of the whole sheet;
// any change in what the entry does anywhere along the way fails the test.
#include "recording/form_main.h"
#include "common/settingskeys.h"
#include "support/monkey.h"
#include "support/recording_fixture.h"
#include <QCryptographicHash>
#include <random>

using namespace Module1;

namespace {

// The shown game as stored, and a digest of every game of the sheet.
QStringList stored() {
    const vx::GameRecord& r = vxtest::shown();
    QStringList attrs, scores;
    for (auto a : r.Attrs) attrs << QString::number(a);
    for (auto s : r.Scores) scores << QString::number(s);
    QByteArray all;
    for (int s = 0; s <= LastPlayer; ++s)
        for (int g = 0; g <= LastGame; ++g) {
            const vx::GameRecord& x = ScoreSheet(s, g);
            all += vxtest::state(x).toUtf8() + '|';
            for (auto a : x.Attrs) all += char('0' + a);
            for (auto v : x.Scores) all += QByteArray::number(v) + ',';
            for (const QString& m : x.Marks) all += m.toUtf8() + ',';
        }
    return {QStringLiteral("game %1,%2 %3").arg(CurPlayer).arg(CurGame).arg(vxtest::state(r)),
            QStringLiteral("attrs ") + attrs.join(u','), QStringLiteral("scores ") + scores.join(u','),
            QStringLiteral("sheet ") + QString::fromLatin1(QCryptographicHash::hash(all, QCryptographicHash::Md5).toHex().left(12))};
}

}  // namespace

class TestScoreEntryWalk : public GuiTest {
    Q_OBJECT

    enum Action { Key, Box, Frame, ShiftMove, SheetMove, Mode, FrameButton, PinOrSplit, CommandOrMark, Sum };
    // Where the actions reach: the keys typed, the ball boxes and frame pictures clicked, and how
    // often each action comes (an action is chosen while a roll of 0..99 is below its bound).
    struct Reach {
        QString markKeys, pinKeys;
        int firstBox, boxes, firstFrame, frames;
        std::vector<std::pair<int, Action>> below;
    };
    static inline const Reach WholeDay{QStringLiteral("0123456789//p*-fg+0123456789"), QStringLiteral("zasqwe1234zasqwe1234gf-*xc,."), 0, 22, 0, 12,
                                       {{62, Key}, {70, Box}, {74, Frame}, {78, ShiftMove}, {82, SheetMove}, {86, Mode}, {90, FrameButton},
                                        {94, PinOrSplit}, {97, CommandOrMark}, {100, Sum}}};
    static inline const Reach LastFrames{QStringLiteral("0123456789//*-fg+5-/*"), QStringLiteral("zasqwe1234gf-xc,.x123"), 14, 8, 7, 5,
                                         {{60, Key}, {70, Box}, {74, Frame}, {79, ShiftMove}, {85, FrameButton}, {89, Mode},
                                          {95, PinOrSplit}, {100, CommandOrMark}}};

    // One action of a secretary at the entry window, chosen by `rng` within `reach`.
    static void act(form_main& f, std::mt19937& rng, const Reach& reach) {
        const auto pick = [&](int n) { return int(rng() % std::uint32_t(n)); };
        const int kind = pick(100);
        Action action = Sum;
        for (const auto& [bound, a] : reach.below)
            if (kind < bound) {
                action = a;
                break;
            }
        switch (action) {
            case Key: {
                const QString& keys = f.model().pinMode() ? reach.pinKeys : reach.markKeys;
                typeKeys(QString(keys[pick(int(keys.size()))]));
                break;
            }
            case Box: click(f.Txt_MARK[std::size_t(reach.firstBox + pick(reach.boxes))]); break;
            case Frame: click(f.Pct_flame[std::size_t(reach.firstFrame + pick(reach.frames))]); break;
            case ShiftMove: press(pick(2) ? Qt::Key_Right : Qt::Key_Left, Qt::ShiftModifier); break;
            case SheetMove: {
                static const Qt::Key moves[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_PageDown};
                press(moves[pick(6)]);
                break;
            }
            case Mode: click(f.Cmd_Mode); break;
            case FrameButton:
                if (QAbstractButton* b = f.Cmd_moveflame[std::size_t(pick(3))]; b->isVisible()) click(b);
                break;
            case PinOrSplit:
                if (f.model().pinMode()) click(f.pct_pin[std::size_t(pick(10))]);
                else click(f.Cmd_spl);
                break;
            case CommandOrMark:
                if (f.model().pinMode()) click(f.cmd_MDS[std::size_t(pick(6))]);
                else click(std::next(f.Cmd_MARK.begin(), pick(int(f.Cmd_MARK.size())))->second);
                break;
            case Sum: click(f.Cmd_KEISAN); break;
        }
    }

private Q_SLOTS:
    void aDayOfEntry_data() {
        QTest::addColumn<bool>("pins");
        QTest::addColumn<unsigned>("seed");
        QTest::newRow("marks") << false << 20261207u;
        QTest::newRow("pins") << true << 20261208u;
    }
    void aDayOfEntry() {
        QFETCH(bool, pins);
        QFETCH(unsigned, seed);
        setUpMatch(11, 3);
        const char16_t* names[] = {u"佐藤一郎", u"鈴木花子", u"高橋三郎", u"田中四郎", u"伊藤五月", u"渡辺六太"};
        for (int s = 0; s < 6; ++s) placePlayer(s, std::int16_t(11 + s), QString::fromUtf16(names[s]), std::int16_t(s * 7 % 30));
        settings::SaveSetting(QStringLiteral("form"), QStringLiteral("main_mode"), QStringLiteral("1"));
        form_main& f = vxtest::shown<form_main>();
        if (pins) click(f.Cmd_Mode);
        vxtest::journal::setExtra(stored);
        std::mt19937 rng(seed);
        for (int step = 0; step < 1500; ++step) act(f, rng, WholeDay);
        QCOMPARE(notOnTop(f), QString());
    }

    // Many short games ending from the eighth frame on: the tenth's three balls and the frames
    // before it, entered, entered again, moved over and switched between marks and pins, where a
    // long day reaches the tenth only now and then.
    void lastFrames_data() { aDayOfEntry_data(); }
    void lastFrames() {
        QFETCH(bool, pins);
        QFETCH(unsigned, seed);
        setUpMatch(11, 0);
        placePlayer(0, 11, QStringLiteral("佐藤一郎"), 9);
        settings::SaveSetting(QStringLiteral("form"), QStringLiteral("main_mode"), QStringLiteral("1"));
        form_main& f = vxtest::shown<form_main>();
        if (pins) click(f.Cmd_Mode);
        vxtest::journal::setExtra(stored);
        std::mt19937 rng(seed + 10);
        const auto pick = [&](int n) { return int(rng() % std::uint32_t(n)); };
        for (int game = 0; game < 160; ++game) {
            // Frames 1..7 stored; the eighth and ninth a strike, a spare or open, as chance gives.
            vx::GameRecord& r = vxtest::shown();
            vx::clearGame(r);
            vxtest::openFrames(r, 4);
            for (int fr : {7, 8}) {
                const int kind = pick(3);
                r.Codes[std::size_t(2 * fr)] = std::uint8_t(kind == 0 ? 10 : 7);
                r.Codes[std::size_t(2 * fr + 1)] = std::uint8_t(kind == 0 ? 30 : kind == 1 ? 20 : 2);
            }
            for (std::size_t k = 0; k <= 20; ++k)
                r.Marks[k] = r.Codes[k] == vx::BallCode::NotEntered ? QString() : ScoreEntryModel::markCaption(r.Codes[k]);
            f.model().clear_score(), f.New_score(), vxtest::settle();
            click(f.Txt_MARK[std::size_t(14 + 2 * pick(3))]);
            for (int step = 0; step < 14; ++step) act(f, rng, LastFrames);
        }
        QCOMPARE(notOnTop(f), QString());
    }

    // Every control of the window tried in turn, the input check and the day's end included.
    void triedEverything() {
        setUpMatch(11, 3);
        for (int s = 0; s < 3; ++s) placePlayer(s, std::int16_t(21 + s), QStringLiteral("選手%1").arg(s), std::int16_t(s * 9));
        vxtest::shown<form_main>();
        vxtest::monkey(*dlg, 400, 31, [] { return &vxtest::shown<form_main>(); });
    }
};

QTEST_MAIN(TestScoreEntryWalk)
#include "tst_scoreentrywalk.moc"
