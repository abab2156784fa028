// The score-entry window as a user drives it. Whole tenth frames in mark entry and in pin entry,
// with strikes, spares, fouls, gutters, misses and splits on each of its three balls, refused
// entries, balls entered again, stored records shown and cursor moves, each compared whole as the
// window shows it; then attributes of emptied balls, split marks, moves, the input check, the games
// handed to the results and the lane grid of the players window.
#include "recording/form_data.h"
#include "recording/form_info.h"
#include "recording/form_main.h"
#include "recording/form_player.h"
#include "common/settingskeys.h"
#include "support/recording_fixture.h"

using namespace Module1;

namespace {

QString marks(const form_main& f, int from, int to) {
    QString s;
    for (int k = from; k <= to; ++k) s += f.Txt_MARK[std::size_t(k)]->text();
    return s;
}

// Small pin i of frame picture fr as drawn: the index of its colour in PinColors, '-' for grey.
QChar smallPin(const form_main& f, int fr, int i) {
    const QPointF c = form_main::smallPinCentre(i);
    const std::int32_t col = f.Pct_flame[std::size_t(fr)]->Point(c.x(), c.y());
    const auto at = std::find(PinColors.begin(), PinColors.end(), col);
    if (at != PinColors.end()) return QChar(u'0' + int(at - PinColors.begin()));
    return col == ScoreEntryModel::ColorGrey ? u'-' : u'?';
}

// Every field of a game as the results get it.
template <class R>
QString fields(const R& r) {
    QStringList out{r.Name.str(), QString::number(r.VenueId), QString::number(r.Year), QString::number(r.Month), QString::number(r.Day)};
    for (std::size_t k = 0; k <= 20; ++k)
        out << QStringLiteral("%1:%2/%3/%4/%5").arg(k).arg(r.Marks[k]).arg(r.Codes[k]).arg(r.Attrs[k]).arg(r.PinMasks[k]);
    for (std::int16_t v : r.Scores) out << QString::number(v);
    return out.join(u' ');
}

}  // namespace

class TestScoreEntry : public GuiTest {
    Q_OBJECT

    form_main& open(int lastGame = 3) {
        setUpMatch(17, lastGame);
        placePlayer(0, 11, QStringLiteral("佐藤一郎"), 12);
        settings::SaveSetting(QStringLiteral("form"), QStringLiteral("main_mode"), QStringLiteral("1"));
        return vxtest::shown<form_main>();
    }

    // The box with the keyboard, -1 for none.
    static int keyboardBox(const form_main& f) {
        for (int k = 0; k <= 21; ++k)
            if (f.Txt_MARK[std::size_t(k)]->hasFocus()) return k;
        return -1;
    }

    // Steps: "=b:c/m,..." shows a record with these balls stored, "@n" clicks ball box n, "#n"
    // frame picture n, "K" "OK", "M" the mode switch, "U" the next game and back, "<" and ">"
    // Shift+Left/Right, anything else is typed. Then what the window shows of the last frames: the
    // record (code/pins), the marks of balls 16..20, frame 9's and 10's scores and the total, the
    // box with the keyboard after each step and key, the split colours of balls 16..20, the
    // attributes of balls 18..20, the pin pictures, the small pins of frames 1, 9..12 (0 down at
    // the first ball, 1 at the second, 2 standing, - none), whether frames 11 and 12 show, the
    // game-score bar and the beeps.
    QString run(form_main& f, bool pinMode, const char* steps) {
        clearGame(shown());
        f.model().clear_score();
        if (f.model().pinMode() != pinMode) click(f.Cmd_Mode);
        f.New_score();
        settle();
        const int beeps = dlg->beeps();
        QStringList trail;
        for (const QString& t : QString::fromLatin1(steps).split(u' ', Qt::SkipEmptyParts)) {
            const bool typed = !QStringLiteral("=@#").contains(t.front()) && t != u"K" && t != u"M" && t != u"U" && t != u"<" && t != u">";
            if (t.startsWith(u'=')) {  // a stored record shown: frames 1..8 four and a miss, then these balls
                for (int k = 0; k <= 15; ++k) shown().Codes[std::size_t(k)] = std::uint8_t(k % 2 ? BallCode::Miss : 4);
                setCodes(shown(), t.mid(1).replace(u',', u' '));
                for (std::size_t k = 0; k <= 20; ++k)
                    if (shown().Codes[k] != BallCode::NotEntered) shown().Marks[k] = ScoreEntryModel::markCaption(shown().Codes[k]);
                f.New_score(), settle();
            } else if (t.startsWith(u'@')) {
                click(f.Txt_MARK[std::size_t(t.mid(1).toInt())]);
            } else if (t.startsWith(u'#')) {
                click(f.Pct_flame[std::size_t(t.mid(1).toInt())]);
            } else if (t == u"K" || t == u"M") {
                click(t == u"K" ? f.Cmd_moveflame[2] : f.Cmd_Mode);
            } else if (t == u"U") {
                press(Qt::Key_PageUp), press(Qt::Key_PageDown);
            } else if (!typed) {
                press(t == u"<" ? Qt::Key_Left : Qt::Key_Right, Qt::ShiftModifier);
            }
            for (QChar c : typed ? t : QString(u' ')) {
                if (typed) typeKeys(QString(c));
                trail << QString::number(keyboardBox(f));
            }
        }
        QString splits, pins;
        QStringList attrs;
        for (int k = 16; k <= 20; ++k) splits += f.model().markBackColor(k) == ScoreEntryModel::ColorSplit ? u's' : u'.';
        for (std::size_t k = 18; k <= 20; ++k) attrs << QString::number(shown().Attrs[k]);
        pins += u' ';
        for (int i = 0; i < 10; ++i) pins += QString::number(f.model().pinPictureState(i));
        for (int fr : {0, 8, 9, 10, 11}) {
            pins += u' ';
            for (int i = 0; i < 10; ++i) pins += smallPin(f, fr, i);
        }
        return QStringLiteral("%1|%2|%3 %4 %5|%6|%7 %8%9|%10%11 %12 %13")
            .arg(state(), marks(f, 16, 20), f.Txt_score[9]->text(), f.Txt_score[10]->text().trimmed(), f.Txt_score[0]->text(),
                 trail.join(u','), splits, attrs.join(u','), pins)
            .arg(QChar(f.Pct_flame[10]->isVisible() ? u'+' : u'-'))
            .arg(QChar(f.Pct_flame[11]->isVisible() ? u'+' : u'-'))
            .arg(f.VSc_T10->value())
            .arg(dlg->beeps() - beeps);
    }

    void table(bool pinMode, const std::vector<std::pair<const char*, const char*>>& rows) {
        form_main& f = open();
        QStringList got, want;
        for (auto [steps, expected] : rows) {
            got << QString::fromLatin1(steps) + QStringLiteral(" => ") + run(f, pinMode, steps);
            want << QString::fromLatin1(steps) + QStringLiteral(" => ") + QString::fromUtf8(expected);
        }
        if (qEnvironmentVariableIsSet("SHOW")) qInfo().noquote() << got.join(u'\n');
        QCOMPARE(got.join(u'\n'), want.join(u'\n'));
    }

private Q_SLOTS:

    void tenthByMarks() {
        table(false, {
            {"@16 * ***", "16:10 18:10 19:10 20:10|＊　＊＊＊|30 60 72|16,18,19,20,20|..... 4,4,4 0000000000 ---------- ---------- ---------- ---------- ----------|-- 60 0"},
            {"@16 * **5", "16:10 18:10 19:10 20:5|＊　＊＊５|30 55 67|16,18,19,20,20|..... 4,4,0 0000000000 ---------- ---------- ---------- ---------- ----------|-- 55 0"},
            {"@16 * *5/", "16:10 18:10 19:5 20:20|＊　＊５／|25 45 57|16,18,19,20,20|..... 4,0,3 0000000000 ---------- ---------- ---------- ---------- ----------|-- 45 0"},
            {"@16 * *53", "16:10 18:10 19:5 20:3|＊　＊５３|25 43 55|16,18,19,20,20|..... 4,0,0 0000000000 ---------- ---------- ---------- ---------- ----------|-- 43 0"},
            {"@16 * *5-", "16:10 18:10 19:5 20:19|＊　＊５－|25 40 52|16,18,19,20,20|..... 4,0,0 0000000000 ---------- ---------- ---------- ---------- ----------|-- 40 0"},
            {"@16 * *-", "16:10 18:10|＊　＊　　|20 30 42|16,18,19,19|..... 4,0,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 30 0"},
            {"@16 * *G5", "16:10 18:10 19:0 20:5|＊　＊Ｇ５|20 35 47|16,18,19,20,20|..... 4,0,0 0000000000 ---------- ---------- ---------- ---------- ----------|-- 35 0"},
            {"@16 * *F/", "16:10 18:10 19:21 20:20|＊　＊Ｆ／|20 40 52|16,18,19,20,20|..... 4,1,3 0000000000 ---------- ---------- ---------- ---------- ----------|-- 40 0"},
            {"@16 * *F5", "16:10 18:10 19:21 20:5|＊　＊Ｆ５|20 35 47|16,18,19,20,20|..... 4,1,0 0000000000 ---------- ---------- ---------- ---------- ----------|-- 35 0"},
            {"@16 * *5F", "16:10 18:10 19:5 20:21|＊　＊５Ｆ|25 40 52|16,18,19,20,20|..... 4,0,1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 40 0"},
            {"@16 * **F", "16:10 18:10 19:10 20:21|＊　＊＊Ｆ|30 50 62|16,18,19,20,20|..... 4,4,1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 50 0"},
            {"@16 * **G", "16:10 18:10 19:10 20:0|＊　＊＊Ｇ|30 50 62|16,18,19,20,20|..... 4,4,0 0000000000 ---------- ---------- ---------- ---------- ----------|-- 50 0"},
            {"@16 7/ 7/*", "16:7 17:20 18:7 19:20 20:10|７／７／＊|17 37 49|16,17,18,19,20,20|..... 0,3,4 0000000000 ---------- ---------- ---------- ---------- ----------|-- 37 0"},
            {"@16 7/ 7/5", "16:7 17:20 18:7 19:20 20:5|７／７／５|17 32 44|16,17,18,19,20,20|..... 0,3,0 0000000000 ---------- ---------- ---------- ---------- ----------|-- 32 0"},
            {"@16 7/ 7/F", "16:7 17:20 18:7 19:20 20:21|７／７／Ｆ|17 27 39|16,17,18,19,20,20|..... 0,3,1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 27 0"},
            {"@16 7/ 7/G", "16:7 17:20 18:7 19:20 20:0|７／７／Ｇ|17 27 39|16,17,18,19,20,20|..... 0,3,0 0000000000 ---------- ---------- ---------- ---------- ----------|-- 27 0"},
            {"@16 7/ 725", "16:7 17:20 18:7|７／７　　|17 24 36|16,17,18,19,19,19|..... 0,0,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 24 0"},
            {"@16 9- 7-", "16:9 17:19 18:7 19:19|９－７－　|9 16 28|16,17,18,19,19|..... 0,0,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 16 0"},
            {"@16 9- F5", "16:9 17:19 18:21 19:5|９－Ｆ５　|9 14 26|16,17,18,19,19|..... 1,0,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 14 0"},
            {"@16 9- F/", "16:9 17:19 18:21 19:20|９－Ｆ／　|9 19 31|16,17,18,19,20|..... 1,3,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 19 0"},
            {"@16 9- G/", "16:9 17:19 18:0 19:20|９－Ｇ／　|9 19 31|16,17,18,19,20|..... 0,3,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 19 0"},
            {"@16 9- 7F", "16:9 17:19 18:7 19:21|９－７Ｆ　|9 16 28|16,17,18,19,18|..... 0,1,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 16 0"},
            {"@16 9- 75", "16:9 17:19 18:7|９－７　　|9 16 28|16,17,18,19,19|..... 0,0,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 16 0"},
            {"@16 9- *56", "16:9 17:19 18:10 19:5|９－＊５　|9 24 36|16,17,18,19,20,20|..... 4,0,0 0000000000 ---------- ---------- ---------- ---------- ----------|-- 24 0"},
            {"@16 9- 7*", "16:9 17:19 18:7|９－７　　|9 16 28|16,17,18,19,19|..... 0,0,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 16 0"},
            {"@16 9- -", "16:9 17:19|９－　　　|9 9 21|16,17,18,18|..... 0,-1,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 9 0"},
            {"@16 9- /", "16:9 17:19|９－　　　|9 9 21|16,17,18,18|..... 0,-1,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 9 0"},
            {"@16 +7/ *+7/", "16:7 17:20 18:10 19:7 20:20|7s／＊7s／|20 40 52|16,16,17,18,19,19,20,20|s..s. 4,2,3 0000000000 ---------- ---------- ---------- ---------- ----------|-- 40 0"},
            {"@16 +8- 7+2", "16:8 17:19 18:7 19:2|8s－７２　|8 17 29|16,16,17,18,19,19,19|s.... 0,0,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 17 0"},
            {"@16 9- **+7", "16:9 17:19 18:10 19:10 20:7|９－＊＊7s|9 36 48|16,17,18,19,20,20,20|....s 4,4,2 0000000000 ---------- ---------- ---------- ---------- ----------|-- 36 0"},
            {"@16 +8- **+7 U", "16:8 17:19 18:10 19:10 20:7|8s－＊＊7s|8 35 47|16,16,17,18,19,20,20,20,0|s...s 4,4,2 0000000000 ---------- ---------- ---------- ---------- ----------|++ 35 0"},  // shown again, with its splits
            {"@16 9- 7/+7", "16:9 17:19 18:7 19:20 20:7|９－７／7s|9 26 38|16,17,18,19,20,20,20|....s 0,3,2 0000000000 ---------- ---------- ---------- ---------- ----------|-- 26 0"},
            {"@16 9- *5+3", "16:9 17:19 18:10 19:5 20:3|９－＊５３|9 27 39|16,17,18,19,20,20,20|..... 4,0,0 0000000000 ---------- ---------- ---------- ---------- ----------|-- 27 0"},
            {"@16 9- *+9", "16:9 17:19 18:10 19:9|９－＊９　|9 28 40|16,17,18,19,19,20|..... 4,0,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 28 0"},
            {"@16 9- **5 @19 3", "16:9 17:19 18:10 19:3|９－＊３　|9 22 34|16,17,18,19,20,20,19,20|..... 4,0,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 22 0"},
            {"@16 9- *53 @19 *", "16:9 17:19 18:10 19:10 20:3|９－＊＊３|9 32 44|16,17,18,19,20,20,19,20|..... 4,4,0 0000000000 ---------- ---------- ---------- ---------- ----------|-- 32 0"},
            {"@16 9- 7/5 @19 2", "16:9 17:19 18:7 19:2|９－７２　|9 18 30|16,17,18,19,20,20,19,19|..... 0,0,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 18 0"},
            {"@16 9- **5 < < < > >", "16:9 17:19 18:10 19:10 20:5|９－＊＊５|9 34 46|16,17,18,19,20,20,20,19,18,19,20|..... 4,4,0 0000000000 ---------- ---------- ---------- ---------- ----------|-- 34 0"},
            {"@16 9- 72 @20", "16:9 17:19 18:7 19:2|９－７２　|9 18 30|16,17,18,19,19,18|..... 0,0,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 18 0"},
            {"@16 9- **5 #10", "16:9 17:19 18:10 19:10 20:5|９－＊＊５|9 34 46|16,17,18,19,20,20,19|..... 4,4,0 0000000000 ---------- ---------- ---------- ---------- ----------|-- 34 0"},
            {"@16 9- **5 #11", "16:9 17:19 18:10 19:10 20:5|９－＊＊５|9 34 46|16,17,18,19,20,20,20|..... 4,4,0 0000000000 ---------- ---------- ---------- ---------- ----------|-- 34 0"},
            {"@16 9- *5 #11", "16:9 17:19 18:10 19:5|９－＊５　|9 24 36|16,17,18,19,20,0|..... 4,0,-1 0000000000 ---------- ---------- ---------- ---------- ----------|++ 24 1"},
            {"@16 9- 7/* @19 2", "16:9 17:19 18:7 19:2|９－７２　|9 18 30|16,17,18,19,20,20,19,19|..... 0,0,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 18 0"},  // an open tenth: ball 20 goes, its strike with it
            {"@16 9- **F @19 5", "16:9 17:19 18:10 19:5|９－＊５　|9 24 36|16,17,18,19,20,20,19,20|..... 4,0,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 24 0"},
            {"@16 9- *F*", "16:9 17:19 18:10 19:21|９－＊Ｆ　|9 19 31|16,17,18,19,20,20|..... 4,1,0 0000000000 ---------- ---------- ---------- ---------- ----------|-- 19 0"},  // after a foul all ten stand: ten more is a spare, no strike
            {"@16 9- 7/ M zas @19 K", "16:9 17:19 18:7 19:20 20:7/7|９－７／７|9 26 38|16,17,18,19,20,20,20,20,20,19,19|..... 0,3,0 0000000000 ---------- ---------- ---------- 1110000000 ----------|++ 26 0"},  // ball 20 by pins after a tenth by marks
            {"=0:20 @1 5", "0:20 1:5 2:4 3:19 4:4 5:19 6:4 7:19 8:4 9:19 10:4 11:19 12:4 13:19 14:4 15:19|　　　　　|42 42 54|16,1,2|..... -1,-1,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 42 0"},  // a stored spare on the first ball counts ten
            {"=16:7,17:20", "0:4 1:19 2:4 3:19 4:4 5:19 6:4 7:19 8:4 9:19 10:4 11:19 12:4 13:19 14:4 15:19 16:7 17:20|７／　　　|0  0|18|..... -1,-1,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 0 0"},
            {"@16 9- 7/5 #10", "16:9 17:19 18:7 19:20 20:5|９－７／５|9 24 36|16,17,18,19,20,20,20|..... 0,3,0 0000000000 ---------- ---------- ---------- ---------- ----------|-- 24 0"},
            {"@16 9- M zas K M @18 *", "16:9 17:19 18:10 19:20|９－＊／　|9 19 31|16,17,18,18,18,18,18,19,19,18,19|..... 4,3,-1 1110000000 ---------- ---------- ---------- ---------- ----------|+- 19 0"},  // a strike by mark over pins: all ten down
        });
    }

    void tenthByPins() {
        table(true, {
            {"@16 x xxx", "16:10/0 17:30/0 18:10/0 19:10/0 20:10/0|＊　＊＊＊|30 60 72|16,18,19,20,20|..... 4,4,4 0000000000 ---------- 0000000000 0000000000 0000000000 0000000000|-- 60 0"},
            {"@16 x xx1234", "16:10/0 17:30/0 18:10/0 19:10/0 20:6/960|＊　＊＊6s|30 56 68|16,18,19,20,20,20,20,20|....s 4,4,2 0000001111 ---------- 0000000000 0000000000 0000000000 0000001111|++ 56 0"},
            {"@16 x x1234", "16:10/0 17:30/0 18:10/0 19:6/960 20:20/0|＊　＊6s／|26 46 58|16,18,19,20,20,20,20|...s. 4,2,3 0000001111 ---------- 0000000000 0000000000 0000001111 ----------|++ 46 0"},
            {"@16 x x12341", "16:10/0 17:30/0 18:10/0 19:6/960 20:3/64|＊　＊6s３|26 45 57|16,18,19,20,20,20,20,20|...s. 4,2,0 0000002111 ---------- 0000000000 0000000000 0000002111 ----------|++ 45 0"},
            {"@16 1234. zzz K", "16:6/960 17:20/0 18:10/0 19:30/0|6s／＊　　|20 30 42|16,16,16,16,16,18,18,18,18,18|s.... 4,-1,-1 0000000000 ---------- 0000001111 0000000000 0000000000 ----------|+- 30 0"},
            {"@16 11223344. x zzz", "16:6/960 17:19/960 18:10/0 19:10/0 20:19/0|6s－＊＊－|6 26 38|16,16,16,16,16,16,16,16,16,18,19,20,20,19|s.... 4,4,0 0000000000 ---------- 0000002222 0000000000 0000000000 0000000000|++ 26 0"},
            {"@16 x xzzz", "16:10/0 17:30/0 18:10/0 19:10/0 20:19/0|＊　＊＊－|30 50 62|16,18,19,20,20,19|..... 4,4,0 0000000000 ---------- 0000000000 0000000000 0000000000 0000000000|++ 50 0"},
            {"@16 x xx zzz", "16:10/0 17:30/0 18:10/0 19:10/0 20:9/1|＊　＊＊９|30 59 71|16,18,19,20,20,20,20|..... 4,4,0 1000000000 ---------- 0000000000 0000000000 0000000000 1000000000|++ 59 0"},
            {"@16 1234. aq K", "16:6/960 17:20/0 18:8/10 19:20/0|6s／８／　|18 28 40|16,16,16,16,16,18,18,18,19|s.... 0,3,-1 0101000000 ---------- 0000001111 0101000000 ---------- ----------|++ 28 0"},
            {"@16 1234. aq K .-zas", "16:6/960 17:20/0 18:8/10 19:20/0 20:7/7|6s／８／７|18 35 47|16,16,16,16,16,18,18,18,19,20,20,20,20,20|s.... 0,3,0 1110000000 ---------- 0000001111 0101000000 1110000000 ----------|++ 35 0"},
            {"@16 1234. aq K .f", "16:6/960 17:20/0 18:8/10 19:20/0 20:21/1023|6s／８／Ｆ|18 28 40|16,16,16,16,16,18,18,18,19,20,20|s.... 0,3,1 1111111111 ---------- 0000001111 0101000000 1111111111 ----------|++ 28 0"},
            {"@16 1234. aq K .x", "16:6/960 17:20/0 18:8/10 19:20/0 20:10/0|6s／８／＊|18 38 50|16,16,16,16,16,18,18,18,19,20,20|s.... 0,3,4 0000000000 ---------- 0000001111 0101000000 0000000000 ----------|++ 38 0"},
            {"@16 1234. aaq K", "16:6/960 17:20/0 18:8/10 19:1/2|6s／８１　|18 27 39|16,16,16,16,16,18,18,18,18,19|s.... 0,0,-1 0201000000 ---------- 0000001111 0201000000 ---------- ----------|++ 27 0"},
            {"@16 1234. aaq K @20", "16:6/960 17:20/0 18:8/10 19:1/2|6s／８１　|18 27 39|16,16,16,16,16,18,18,18,18,19,18|s.... 0,0,-1 0201000000 ---------- 0000001111 0201000000 ---------- ----------|++ 27 0"},
            {"@16 1234. aq K .g", "16:6/960 17:20/0 18:8/10 19:20/0 20:0/1023|6s／８／Ｇ|18 28 40|16,16,16,16,16,18,18,18,19,20,20|s.... 0,3,0 1111111111 ---------- 0000001111 0101000000 1111111111 ----------|++ 28 0"},
            {"@16 1234. g K", "16:6/960 17:20/0 18:0/1023 19:30/0|6s／Ｇ　　|10 10 22|16,16,16,16,16,18,19,19|s.... 0,-1,-1 1111111111 ---------- 0000001111 1111111111 ---------- ----------|+- 10 0"},
            {"@16 1234. g-", "16:6/960 17:20/0 18:0/1023 19:19/1023|6s／Ｇ－　|10 10 22|16,16,16,16,16,18,19,18|s.... 0,0,-1 2222222222 ---------- 0000001111 2222222222 ---------- ----------|+- 10 0"},
            {"@16 x xxc", "16:10/0 17:30/0|＊　　|30 50 62|16,18,19,20,18|..... -1,-1,-1 0000000000 ---------- 0000000000 ---------- ---------- ----------|-- 50 0"},
            {"@16 x xff @19 K", "16:10/0 17:30/0 18:10/0 19:21/1023 20:21/1023|＊　＊ＦＦ|20 30 42|16,18,19,20,20,19,20|..... 4,1,1 2222222222 ---------- 0000000000 0000000000 2222222222 ----------|-- 30 0"},
            {"@16 x x14f @19 K", "16:10/0 17:30/0 18:10/0 19:8/576 20:19/576|＊　＊8s－|28 46 58|16,18,19,20,20,20,19,20|...s. 4,2,0 0000002002 ---------- 0000000000 0000000000 0000002002 ----------|++ 46 0"},
            {"@16 x x14f @20 K", "16:10/0 17:30/0 18:10/0 19:8/576 20:21/576|＊　＊8sＦ|28 46 58|16,18,19,20,20,20,20,20|...s. 4,2,1 0000002002 ---------- 0000000000 0000000000 0000002002 ----------|++ 46 0"},
            {"@16 x xxf", "16:10/0 17:30/0 18:10/0 19:10/0 20:21/1023|＊　＊＊Ｆ|30 50 62|16,18,19,20,20|..... 4,4,1 1111111111 ---------- 0000000000 0000000000 0000000000 1111111111|-- 50 0"},
            {"@16 x xxg", "16:10/0 17:30/0 18:10/0 19:10/0 20:0/1023|＊　＊＊Ｇ|30 50 62|16,18,19,20,20|..... 4,4,0 1111111111 ---------- 0000000000 0000000000 0000000000 1111111111|-- 50 0"},
            {"@16 x xx-", "16:10/0 17:30/0 18:10/0 19:10/0|＊　＊＊　|30 50 62|16,18,19,20,20|..... 4,4,-1 0000000000 ---------- 0000000000 0000000000 0000000000 ----------|-- 50 0"},
            {"@16 x xg1234", "16:10/0 17:30/0 18:10/0 19:0/1023 20:6/960|＊　＊Ｇ６|20 36 48|16,18,19,20,20,20,20,20|..... 4,0,0 1111112222 ---------- 0000000000 0000000000 1111112222 ----------|++ 36 0"},
            {"@16 x x14c", "16:10/0 17:30/0|＊　　|28 48 60|16,18,19,20,20,18|..... -1,-1,-1 0000000000 ---------- 0000000000 ---------- ---------- ----------|++ 48 0"},
            {"@16 x x14 , .", "16:10/0 17:30/0 18:10/0 19:8/576 20:20/0|＊　＊8s／|28 48 60|16,18,19,20,20,18,19|...s. 4,2,3 0000001001 ---------- 0000000000 0000000000 0000001001 ----------|++ 48 0"},
            {"@16 x xx12 K", "16:10/0 17:30/0 18:10/0 19:10/0 20:8/192|＊　＊＊8s|30 58 70|16,18,19,20,20,20,20|....s 4,4,2 0000001100 ---------- 0000000000 0000000000 0000000000 0000001100|++ 58 0"},
            {"@16 x xx12 #10", "16:10/0 17:30/0 18:10/0 19:10/0 20:8/192|＊　＊＊8s|30 58 70|16,18,19,20,20,20,19|....s 4,4,2 0000000000 ---------- 0000000000 0000000000 0000000000 0000001100|++ 58 0"},
            {"@16 x xx12 #11", "16:10/0 17:30/0 18:10/0 19:10/0 20:8/192|＊　＊＊8s|30 58 70|16,18,19,20,20,20,20|....s 4,4,2 0000001100 ---------- 0000000000 0000000000 0000000000 0000001100|++ 58 0"},
            {"@16 1234. 14-", "16:6/960 17:20/0 18:8/576 19:19/576|6s／8s－　|18 26 38|16,16,16,16,16,18,18,18,18|s.s.. 2,0,-1 0000002002 ---------- 0000001111 0000002002 ---------- ----------|++ 26 0"},
            {"@16 1234. f K", "16:6/960 17:20/0 18:21/1023 19:30/0|6s／Ｆ　　|10 10 22|16,16,16,16,16,18,19,19|s.... 1,-1,-1 1111111111 ---------- 0000001111 1111111111 ---------- ----------|+- 10 0"},
            {"@16 x xx1234 @19 x", "16:10/0 17:30/0 18:10/0 19:10/0 20:6/960|＊　＊＊6s|30 56 68|16,18,19,20,20,20,20,20,19,20|....s 4,4,2 0000001111 ---------- 0000000000 0000000000 0000000000 0000001111|++ 56 0"},
            {"@16 x x14 M @19 5", "16:10/0 17:30/0 18:10/0 19:5|＊　＊5s　|25 40 52|16,18,19,20,20,20,19,20|...s. 4,2,-1 0000001001 ---------- 0000000000 0000000000 ---------- ----------|++ 40 0"},  // a ball by marks takes the rack's pins
            {"=16:7/7,17:20/0", "0:4 1:19 2:4 3:19 4:4 5:19 6:4 7:19 8:4 9:19 10:4 11:19 12:4 13:19 14:4 15:19 16:7/7 17:20/0|７／　　　|0  0|17|..... -1,-1,-1 1110000000 ---------- 1110000000 ---------- ---------- ----------|-- 0 0"},  // shown again after a spare, the cursor is on the spare's rack
            {"=14:10/0,16:7/7,17:20/0", "0:4 1:19 2:4 3:19 4:4 5:19 6:4 7:19 8:4 9:19 10:4 11:19 12:4 13:19 14:10/0 15:19 16:7/7 17:20/0|７／　　　|0  0|17|..... -1,-1,-1 1110000000 ---------- 1110000000 ---------- ---------- ----------|-- 0 0"},
            {"=14:8/3,15:20/0,16:10/0", "0:4 1:19 2:4 3:19 4:4 5:19 6:4 7:19 8:4 9:19 10:4 11:19 12:4 13:19 14:8/3 15:20/0 16:10/0|＊　　　　|0  0|18|..... -1,-1,-1 0000000000 ---------- 0000000000 ---------- ---------- ----------|-- 0 0"},
            {"=0:7,1:2,2:30", "0:7 1:2 3:19 4:4 5:19 6:4 7:19 8:4 9:19 10:4 11:19 12:4 13:19 14:4 15:19|　　　　　|0  0|2|..... -1,-1,-1 0000000000 ---------- ---------- ---------- ---------- ----------|-- 0 0"},  // shown again after an open frame, the cursor is on the next
            {"=0:7/7,1:19/7", "0:7/7 1:19/7 2:4 3:19 4:4 5:19 6:4 7:19 8:4 9:19 10:4 11:19 12:4 13:19 14:4 15:19|　　　　　|0  0|16|..... -1,-1,-1 0000000000 2220000000 ---------- ---------- ---------- ----------|-- 0 0"},
            {"@0 q M @2 M q K", "0:30/8 1:30/0 2:9/8 3:20/0|　　　　　|10 10 22|0,0,0,2,2,2,3|..... -1,-1,-1 0001000000 0001000000 ---------- ---------- ---------- ----------|+- 10 0"},  // the pins of a rack left in mark entry are not those of the next
            {"=18:10/0,19:5/0,20:21/7 @20 K", "0:4 1:19 2:4 3:19 4:4 5:19 6:4 7:19 8:4 9:19 10:4 11:19 12:4 13:19 14:4 15:19 18:10/0 19:7/0 20:19/7|　　＊７－|32 49 61|16,20,20|..... 4,0,0 2220000000 ---------- ---------- 0000000000 2220000000 ----------|++ 49 0"},  // no pin stands after ball 19: a strike, and ball 20 goes
            {"=16:7/7,17:2 @16", "0:4 1:19 2:4 3:19 4:4 5:19 6:4 7:19 8:4 9:19 10:4 11:19 12:4 13:19 14:4 15:19 16:7/7 17:2|７２　　　|0  0|18,16|..... -1,-1,-1 1110000000 ---------- 1110000000 ---------- ---------- ----------|-- 0 0"},  // a second ball without pins leaves the first ball's pins
            {"=4:21/-2,5:30/0 @4", "0:4 1:19 2:4 3:19 4:21 5:30/0 6:4 7:19 8:4 9:19 10:4 11:19 12:4 13:19 14:4 15:19|　　　　　|0  0|5,4|..... -1,-1,-1 1111111111 ---------- ---------- ---------- ---------- ----------|-- 0 0"},
            {"@16 1234. 14 K @19 f K", "16:6/960 17:20/0 18:8/576 19:21/576|6s／8sＦ　|18 26 38|16,16,16,16,16,18,18,18,19,19,18,19|s.s.. 2,1,-1 0000002002 ---------- 0000001111 0000002002 ---------- ----------|++ 26 0"},
        });
    }

    // A ball emptied by the entry of another (the second ball after a new strike, ball 20 after a
    // new ball 19) keeps no attribute: the day's statistics count strikes and spares by attribute.
    void emptiedBallsKeepNoAttribute() {
        form_main& f = open();
        click(f.Txt_MARK[0]), typeKeys(QStringLiteral("7/9-**")), click(f.Txt_MARK[0]), typeKeys(QStringLiteral("*"));
        click(f.Txt_MARK[16]), typeKeys(QStringLiteral("*7/*")), click(f.Txt_MARK[19]), typeKeys(QStringLiteral("2"));  // an open tenth
        QString attrs;
        for (std::int16_t a : shown().Attrs) attrs += a == BallAttr::NotSet ? QChar(u'.') : QChar(u'0' + a);
        QCOMPARE(state() + u' ' + attrs, QStringLiteral("0:10 2:9 3:19 4:10 6:10 16:10 18:7 19:2 4.004.4.........4.00.."));
        click(f.Txt_MARK[18]), typeKeys(QStringLiteral("**5")), click(f.Txt_MARK[19]), typeKeys(QStringLiteral("4"));  // ball 20 owed again
        QCOMPARE(QString::number(shown().Attrs[20]) + f.Txt_MARK[20]->text(), QStringLiteral("-1　"));
        click(f.Txt_MARK[19]);
        for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_End, Qt::Key_Backspace, Qt::Key_Home, Qt::Key_Delete}) press(key);  // a mark is never edited
        QCOMPARE(f.Txt_MARK[19]->text(), QStringLiteral("４"));
    }

    // The input check lists each game a player has begun and not finished, and entries in slots
    // without a player; a finished game (an open tenth, strikes with their empty boxes) or one not
    // begun is not listed.
    void inputCheckListsUnfinishedGames() {
        form_main& f = open();
        const char* games[] = {
            "18:7 19:2",                   // finished with an open tenth
            "18:7",                        // balls 19 and 20 owed
            "18:10 19:5",                  // ball 20 owed after a strike
            "18:7 19:20",                  // ball 20 owed after a spare
            "",                            // not begun
            "0:10",                        // begun only
            "0:10 2:10 4:10 6:10 8:10 10:10 12:10 14:10 16:10 18:10 19:10 20:10",  // a perfect game
            "3:5", "20:5", "1:5",          // slots without a player: the second of a frame, ball 20, the first
        };
        for (int slot = 0; slot < 10; ++slot) {
            if (slot < 7) placePlayer(slot, std::int16_t(slot + 1), QStringLiteral("選手%1").arg(slot));
            GameRecord& r = ScoreSheet(slot, slot == 9 ? 3 : 0);
            if (slot < 4) openFrames(r, 4);
            setCodes(r, QString::fromLatin1(games[slot]));
            for (std::size_t k = 0; k <= 20; ++k)
                if (r.Codes[k] != BallCode::NotEntered) r.Marks[k] = ScoreEntryModel::markCaption(r.Codes[k]);
        }
        f.New_score(), click(f.Cmd_INFO);
        const Form_INFO* info = forms::loaded<Form_INFO>();
        QVERIFY(info && info->isShown());
        QCOMPARE(info->Txt_INFO->toPlainText(), QStringLiteral("選手1  選手の 第 1ゲームが、入力途中です。\n\n"
                                                              "選手2  選手の 第 1ゲームが、入力途中です。\n\n"
                                                              "選手3  選手の 第 1ゲームが、入力途中です。\n\n"
                                                              "選手5  選手の 第 1ゲームが、入力途中です。\n\n"
                                                              "選手名未入選手の 第 1ゲームが、入力途中です。\n"
                                                              "選手名が入っていないのに入力しているところがあります。　 1ゲーム目の第 8番目です。\n"
                                                              "選手名未入選手の 第 4ゲームが、入力途中です。\n"
                                                              "選手名が入っていないのに入力しているところがあります。　 4ゲーム目の第 10番目です。\n"));
    }

    // A split pressed on a ball shows as its split mark once the cursor leaves the box; a game
    // whose tenth still owes a ball may be left without a handicap; the player's records open on top.
    void splitMarkHandicapAndRecords() {
        form_main& f = open();
        HcpRequired = 1, ScoreSheet(0, 0).Scores[11] = -1, ScoreSheet(0, 1).Scores[11] = -1;
        f.New_score();
        click(f.Txt_MARK[0]), typeKeys(QStringLiteral("7-")), click(f.Txt_MARK[0]), typeKeys(QStringLiteral("+")), click(f.Txt_MARK[2]);
        QCOMPARE(f.Txt_MARK[0]->text(), QStringLiteral("7s"));
        press(Qt::Key_Tab), typeKeys(QStringLiteral("+")), press(Qt::Key_Tab);  // Tab moves the cursor too
        QCOMPARE(QList<int>({f.model().focused(), f.Txt_MARK[4]->hasFocus(), f.model().markBackColor(3) == ScoreEntryModel::ColorSplit}), QList<int>({4, 1, 1}));
        click(f.Txt_MARK[2]);
        typeKeys(QStringLiteral("g-g-g-g-g-g-g-g-*5")), press(Qt::Key_PageUp);  // ball 20 owed
        QCOMPARE(f.Txt_GAM->text() + QString::number(dlg->beeps()), QStringLiteral(" 20"));
        click(f.Cmd_Kojin);
        const Form* records = MdiFrame::instance()->activeForm();
        QVERIFY(records && QByteArray(records->metaObject()->className()) == "vx::Form_Kojin" && notOnTop(*records).isEmpty());
    }

    // Moving to another game or slot first settles the split marks of the one left: a split on a
    // second ball cannot stand and takes the ball with it, a split on a first ball of 1..8 stays.
    void movingOnSettlesTheSplits() {
        form_main& f = open();
        placePlayer(1, 12, QStringLiteral("鈴木"));
        QStringList left;
        for (Qt::Key key : {Qt::Key_PageUp, Qt::Key_Down}) {
            const GameRecord& r = shown();
            click(f.Txt_MARK[0]), typeKeys(QStringLiteral("+7-")), click(f.Txt_MARK[1]), typeKeys(QStringLiteral("+"));
            press(key);
            left << state(r) + u' ' + QString::number(r.Attrs[0]) + QString::number(r.Attrs[1]) + r.Marks[0] + r.Marks[1];
        }
        QCOMPARE(left.join(u'|'), QStringLiteral("0:7 207s　|0:7 207s　"));
    }

    // The bars reach the ends of their ranges: a perfect game, the highest and the lowest handicap;
    // the total follows the handicap bar.
    void barsReachTheirEnds() {
        form_main& f = open();
        placePlayer(1, 12, QStringLiteral("鈴木"), 200), placePlayer(2, 13, QStringLiteral("高橋"), -100);
        click(f.Txt_MARK[0]), typeKeys(QStringLiteral("************"));
        f.VSc_Hcp->setValue(20), settle();  // the total follows the handicap bar
        QCOMPARE(f.Txt_score[11]->text() + u' ' + f.Txt_score[0]->text(), QStringLiteral("20 320"));
        f.VSc_Hcp->setValue(12), settle();
        QList<int> bars{f.VSc_T10->value()};
        for (Qt::Key key : {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Down, Qt::Key_Down})
            press(key), bars << f.VSc_T10->value() << f.VSc_Hcp->value();
        QCOMPARE(bars, QList<int>({300, 0, 12, 300, 12, 0, 200, 0, -100}));
    }

    // Each mode shows its own controls only, and they work.
    void modesShowTheirControls() {
        form_main& f = open();
        QString shown;
        for (int i = 0; i < 2; ++i) {
            for (QWidget* w : std::initializer_list<QWidget*>{f.Cmd_MARK[5], f.Cmd_MARK[20], f.Cmd_spl, f.pct_pin[0], f.pct_pin[9], f.cmd_MDS[0], f.cmd_MDS[5],
                                                              f.Cmd_moveflame[0], f.Cmd_moveflame[2], f.Cmd_KEISAN})
                shown += w->isVisible() ? u'1' : u'0';
            shown += u' ';
            click(f.Cmd_Mode);
        }
        click(f.Cmd_Mode), click(f.Txt_MARK[4]), click(f.cmd_MDS[0]), click(f.Cmd_Mode), click(f.Cmd_MARK[9]), click(f.Cmd_MARK[20]);
        QCOMPARE(shown + state(), QStringLiteral("1110000001 0001111111 4:10/0 5:30/0 6:9 7:20"));
        if (f.model().markMode()) click(f.Cmd_Mode);  // pins, kept for the next time
        QVERIFY(forms::unload<form_main>());
        QVERIFY(!settings::readFlag(settings::keys::EntryMode));
    }

    // The end of input hands the results every game that holds data, whole, players and games
    // without data left out and the rest closed up in slot and game order; each total carries the
    // handicap as it stands.
    void endOfInputHandsOverTheGamesWithData() {
        form_main& f = open();
        placePlayer(2, 12, QStringLiteral("鈴木")), placePlayer(7, 13, QStringLiteral("高橋")), placePlayer(9, 14, QStringLiteral("伊藤"));
        auto fill = [](int slot, int game, int from, int to) {
            GameRecord& r = ScoreSheet(slot, game);
            r.Name = PlayerNames[std::size_t(slot)].str(), r.Scores[11] = std::int16_t(slot + 3);
            r.VenueId = std::int16_t(slot + 1), r.Year = std::int16_t(2000 + game), r.Month = std::uint8_t(slot + 2), r.Day = std::uint8_t(game + 5);
            for (int k = from; k <= to; ++k) {
                const auto i = std::size_t(k);
                r.Codes[i] = std::uint8_t((k * 7 + slot + game + 1) % 10), r.Marks[i] = QStringLiteral("m%1").arg(k + slot);
                r.Attrs[i] = std::int16_t(k % 5), r.PinMasks[i] = k * 31 + game;
            }
        };
        fill(0, 0, 0, 20), fill(0, 2, 0, 20), fill(2, 2, 0, 20), fill(7, 0, 0, 20);
        fill(7, 3, 20, 20);  // only a third ball: its score alone says the game holds data
        for (int g = 0; g <= 3; ++g) ScoreSheet(0, g).Scores[11] = -1;
        CurPlayer = 9, f.New_score(), settle();  // an empty game on screen
        GamePlayerCounts.fill(9);  // a previous day's counts never stay
        dlg->expectMsgBox(vbNo, QStringLiteral("入力していないデータを入力してください")), click(f.Cmd_TOKEI);
        QVERIFY(forms::loaded<Form_Data>() && forms::loaded<Form_Data>()->isShown() && !f.isShown());
        QCOMPARE(spaced(QList<int>{PlayedGameCount, PlayedSheet.lo1(), PlayedSheet.hi1(), PlayedSheet.lo2(), PlayedSheet.hi2(), ScoreSheet(0, 2).Scores[0] - ScoreSheet(0, 2).Scores[10]}),
                 QStringLiteral("3 1 3 1 3 -1"));
        QStringList got, want;
        const int slots[] = {0, 2, 7}, games[] = {0, 2, 3};
        for (int p = 1; p <= 3; ++p)
            for (int g = 1; g <= 3; ++g) {
                const GameRecord& expected = ScoreSheet(slots[p - 1], games[g - 1]);
                got << QString::number(PlayedSheet(p, g).PlayerId) + u' ' + fields(PlayedSheet(p, g));
                want << QString::number(PlayerIds[std::size_t(slots[p - 1])]) + u' ' + fields(expected);
            }
        QCOMPARE(got, want);
        QCOMPARE(QList<int>(GamePlayerCounts.begin(), GamePlayerCounts.end()), QList<int>({3, 2, 0, 2, 1, 0, 0, 0, 0, 0, 0}));
        QString with;
        for (const QVariant& v : PlayersWithData) with += v.isValid() ? v.toString() : QStringLiteral(".");
        QCOMPARE(with, QStringLiteral("1.1....1.........."));
    }

    // The results hold ten games at most: an eleventh is left out. Two players, each alone in a
    // game, are not one player: no question.
    void resultsHoldTenGames() {
        form_main& f = open(10);
        placePlayer(1, 12, QStringLiteral("鈴木"));
        for (int slot : {0, 1})
            for (int game : {slot, 10}) {
                GameRecord& r = ScoreSheet(slot, game);
                openFrames(r, 4), setCodes(r, QStringLiteral("18:5 19:19"));
                for (std::size_t k = 0; k <= 19; ++k) r.Marks[k] = ScoreEntryModel::markCaption(r.Codes[k]);
            }
        placePlayer(2, 13, QStringLiteral("高橋"));  // a gutter on the first ball alone is a game begun
        ScoreSheet(2, 0).Codes[0] = 0, ScoreSheet(2, 0).Marks[0] = ScoreEntryModel::markCaption(0);
        f.New_score();
        dlg->expectMsgBox(vbNo, QStringLiteral("入力していないデータを入力してください")), click(f.Cmd_TOKEI);
        QVERIFY(forms::loaded<Form_Data>() && forms::loaded<Form_Data>()->isShown());
        QCOMPARE(spaced(QList<int>{PlayedGameCount, PlayedSheet.hi1(), PlayedSheet.hi2(), GamePlayerCounts[0], GamePlayerCounts[1], GamePlayerCounts[10]}),
                 QStringLiteral("2 3 2 3 2 0"));
    }

    // A button, box or picture number out of range changes nothing: not the game, the boxes, the
    // pins or the cursor.
    void outOfRangeIndexesChangeNothing() {
        form_main& f = open();
        click(f.Txt_MARK[0]), typeKeys(QStringLiteral("7-9/**5"));
        ScoreEntryModel& m = f.model();
        const auto seen = [&] {
            QStringList out{state(), QString::number(m.curFrame()), QString::number(m.focused()), QString::number(CurBall),
                            QString::number(FocusBall), QString::number(m.pendingFocus().size())};
            for (int k = 0; k <= 21; ++k) out << m.markText(k) + QString::number(m.markBackColor(k), 16);
            for (int k = 0; k <= 11; ++k) out << m.scoreText(k) + QString::number(m.frameBackColor(k), 16) + QString::number(m.frameVisible(k));
            for (int i = 0; i < 10; ++i) out << QString::number(m.pinState(i)) + QString::number(m.pinPictureState(i));
            for (int k = 0; k < 120; ++k) out << QString::number(m.shapeColor(k), 16);
            return out;
        };
        for (bool pins : {false, true}) {
            if (m.pinMode() != pins) click(f.Cmd_Mode);
            const QStringList before = seen();
            for (int i : {-1, 22, 1000}) m.Txt_MARK_GotFocus(i), m.Txt_MARK_LostFocus(i), m.Pct_flame_Click(i);
            for (int i : {-1, 4}) m.Pct_moveSEN_Click(i);
            for (int i : {-1, 10}) m.pct_pin_Click(i);
            const std::int16_t ball = CurBall;  // a current ball out of range: no split to mark
            for (int b : {-1, 22}) CurBall = std::int16_t(b), m.Cmd_spl_Click(), m.split_check();
            CurBall = ball;
            QCOMPARE(seen(), before);
        }
    }

    // Back from the players window the game is computed again; its lane grid follows the slot
    // shown (row lane + 1, column place in the lane + 1); the game labels go where they say.
    void playersWindowAndGameLabels() {
        form_main& f = open();
        Form_Player& players = vxtest::shown<Form_Player>();  // it starts the day's slots afresh
        placePlayer(0, 11, QStringLiteral("佐藤")), placePlayer(8, 12, QStringLiteral("鈴木")), placePlayer(13, 13, QStringLiteral("高橋"));
        GameRecord& r = ScoreSheet(0, 0);  // the players window gave a handicap to a game already entered
        openFrames(r, 4), setCodes(r, QStringLiteral("18:5 19:19")), r.Scores[11] = 30;
        for (std::size_t k = 0; k <= 19; ++k) r.Marks[k] = ScoreEntryModel::markCaption(r.Codes[k]);
        click(f.Txt_MARK[0]);  // back in the score entry: the game is computed again
        QCOMPARE(f.Txt_score[10]->text().trimmed() + u' ' + f.Txt_score[0]->text(), QStringLiteral("41 71"));
        QStringList cells;
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Right}) {
            press(key);
            cells << QStringLiteral("%1:%2,%3").arg(CurPlayer).arg(players.cursorRow()).arg(players.cursorCol());
        }
        QCOMPARE(cells.join(u' '), QStringLiteral("8:2,3 13:3,2 8:2,3 0:1,1"));
        QCOMPARE(notOnTop(f), QString());
        QString games;
        for (const char* label : {"次の　ゲーム", "次の　ゲーム", "前の　ゲーム"})
            for (QLabel* l : f.Label2)
                if (l && l->text() == QString::fromUtf8(label)) click(l), games += f.Txt_GAM->text();
        QCOMPARE(games, QStringLiteral(" 2 3 2"));
        for (std::size_t fr = 1; fr <= 11; ++fr)  // the frame pictures stand side by side in frame order
            QVERIFY(f.Pct_flame[fr - 1]->geometry().right() < f.Pct_flame[fr]->geometry().left());
    }
};

QTEST_MAIN(TestScoreEntry)
#include "tst_scoreentry.moc"
