// The score-entry window driven as a user would: keys, clicks, menus, moves, questions, screenshots.
#include "common/launcher.h"
#include "common/module1.h"
#include "common/settings.h"
#include "platform/picturebox.h"
#include "platform/twips.h"
#include "recording/form_info.h"
#include "recording/form_main.h"
#include "shell/form_start.h"
#include "support/recording_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"
#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace vx;
using namespace vxtest;

namespace {
void settle() {
    for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
}

// Keys go to the box that holds the entry cursor, as they would with the real focus.
void type(form_main& f, const QString& keys) {
    for (QChar c : keys) {
        const int at = std::clamp(f.model().focused(), 0, 21);
        QTest::keyClick(f.Txt_MARK[std::size_t(at)], c.toLatin1());
        settle();
    }
}

void release(form_main& f, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(f.Txt_MARK[std::size_t(std::clamp(f.model().focused(), 0, 21))], key, mods);
    settle();
}

void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
    settle();
}

QString marks(const form_main& f, int from, int to) {
    QString s;
    for (int k = from; k <= to; ++k) s += f.Txt_MARK[std::size_t(k)]->text();
    return s;
}

// Colour of small pin i in frame picture fr, read from the drawn image.
std::int32_t smallPin(const form_main& f, int fr, int i) {
    const QPointF c = form_main::smallPinCentre(i);
    return f.Pct_flame[std::size_t(fr)]->Point(c.x(), c.y());
}
}  // namespace

class TestFormMain : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    QStringList launched;

    form_main& open(const QString& mode = QStringLiteral("1")) {
        settings::SaveSetting(QStringLiteral("form"), QStringLiteral("main_mode"), mode);
        auto& f = forms::get<form_main>();
        f.Show();
        settle();
        return f;
    }

private Q_SLOTS:
    void init() {
        env = std::make_unique<TestEnv>();
        setUpMatch();
        Module1::MatchYear = 2026;
        Module1::MatchMonth = 5;
        Module1::MatchDay = 17;
        placePlayer(0, 11, QStringLiteral("佐藤一郎"), 12);
        placePlayer(1, 12, QStringLiteral("鈴木花子"));
        placePlayer(7, 13, QStringLiteral("高橋"));
        launched.clear();
        launcher::setRunner([this](const QString& program, const QStringList& args) {
            launched << program + QLatin1Char(' ') + args.join(QLatin1Char(' '));
            return true;
        });
    }
    void cleanup() {
        launcher::setRunner({});
        resetUi();
        env.reset();
    }

    void layoutCaptionsAndMenus() {
        ScriptedDialogs dlg;
        auto& f = open();
        QCOMPARE(f.windowTitle(), QStringLiteral("スコア入力"));
        QCOMPARE(f.Frame_Mode->title(), QStringLiteral("マーク入力"));
        QCOMPARE(f.Cmd_KEISAN->text(), QStringLiteral("計　算 (&C)"));
        QCOMPARE(f.Cmd_TOKEI->toolTip(), QStringLiteral("入力を終了し統計処理をします(Alt+E)"));
        QCOMPARE(f.Cmd_MARK[21]->toolTip(), QStringLiteral("ファウル (F or ピリオド)"));
        QCOMPARE(f.Cmd_MARK[10]->text(), QStringLiteral("＊"));
        QCOMPARE(f.pct_pin[3]->toolTip(), QStringLiteral("４番 (Ｑ)"));
        QCOMPARE(f.Txt_SEN->text().trimmed(), QStringLiteral("佐藤一郎"));
        QCOMPARE(f.Txt_GAM->text(), QStringLiteral(" 1"));
        QCOMPARE(f.Txt_junban->text(), QStringLiteral(" 1"));
        QCOMPARE(f.Txt_score[11]->text(), QStringLiteral("12"));
        QCOMPARE(f.Pct_flame[3]->size(), QSize(twips(550), twips(550)));
        QCOMPARE(f.pct_pin[0]->size(), QSize(twips(375), twips(375)));
        QVERIFY(f.Txt_MARK[20]->geometry().right() < f.Txt_score[11]->geometry().left());
        // Menus forward to the buttons; help opens its page.
        f.menu_h->trigger();
        QCOMPARE(launched.size(), 1);
        QVERIFY(launched.front().endsWith(QStringLiteral("/vh_mark.htm")));
        QVERIFY(!f.Pct_flame[10]->isVisible());
        QVERIFY(dlg.shown().empty());
    }

    void markModeGamesByKeyboard_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("tenth");
        QTest::addColumn<QString>("total");
        QTest::addColumn<int>("focus");
        QTest::newRow("perfect") << "************" << "＊＊＊" << "300" << 20;
        // A foul then a spare takes all ten pins; a refused 3 after 7 is then given as a spare.
        QTest::newRow("foul spare, fill ball") << "F/9-73/*G-81*5-6pg/5" << "Ｇ／５" << "112" << 20;
        QTest::newRow("open tenth") << "g-g-g-g-g-g-g-g-g-72" << "７２　" << "9" << 19;
    }
    void markModeGamesByKeyboard() {
        QFETCH(QString, keys);
        QFETCH(QString, tenth);
        QFETCH(QString, total);
        QFETCH(int, focus);
        ScriptedDialogs dlg;
        auto& f = open();
        type(f, keys);
        QCOMPARE(marks(f, 18, 20), tenth);
        QCOMPARE(f.Txt_score[10]->text().trimmed(), total);
        QCOMPARE(f.Txt_score[0]->text(), QString::number(total.toInt() + 12));
        QCOMPARE(f.model().focused(), focus);
        QCOMPARE(f.Txt_MARK[std::size_t(focus)]->hasFocus(), f.isActiveWindow());
        QVERIFY(dlg.shown().empty());
    }

    void refusedMarkAndSplitColour() {
        ScriptedDialogs dlg;
        auto& f = open();
        type(f, QStringLiteral("73"));
        QCOMPARE(f.Txt_MARK[1]->text(), QStringLiteral("　"));
        QCOMPARE(f.model().focused(), 1);
        type(f, QStringLiteral("/"));
        // Back to the first ball with Shift+Left, mark it a split: the box turns the split colour.
        release(f, Qt::Key_Left, Qt::ShiftModifier);
        release(f, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(f.model().focused(), 0);
        type(f, QStringLiteral("+"));
        QVERIFY(f.Txt_MARK[0]->styleSheet().contains(vbColor(ScoreEntryModel::ColorSplit).name()));
        f.Cmd_KEISAN->click();
        settle();
        QCOMPARE(f.Txt_MARK[0]->text(), QStringLiteral("7s"));
    }

    void pinModeFramesByMouse() {
        ScriptedDialogs dlg;
        // The picture of a pin standing after the first ball comes from its file; the others are
        // missing and drawn plain.
        QImage standing(20, 20, QImage::Format_RGB32);
        standing.fill(Qt::blue);
        QVERIFY(standing.save(env->path(QStringLiteral("pin2.jpg")), "PNG"));
        auto& f = open();
        click(f.Cmd_Mode);
        QCOMPARE(f.Frame_Mode->title(), QStringLiteral(" ピン入力 "));
        QVERIFY(f.pct_pin[0]->isVisible());
        QVERIFY(!f.Cmd_MARK[5]->isVisible());
        // Frame 1: pins 7 and 10 stand after the first ball, then fall: 8 and a spare.
        click(f.pct_pin[6]);
        click(f.pct_pin[9]);
        QCOMPARE(f.pct_pin[6]->Point(187, 187), 0xFF0000);  // blue from pin2.jpg
        QCOMPARE(f.pct_pin[0]->Point(187, 80), Module1::PinColors[0]);
        QCOMPARE(f.pct_pin[0]->Point(5, 5), 0xFFFFFF);  // drawn: a round pin on white
        click(f.Cmd_moveflame[2]);
        QCOMPARE(marks(f, 0, 1), QStringLiteral("8s／"));  // 7-10 is a split
        for (int i = 0; i < 10; ++i)
            QCOMPARE(smallPin(f, 0, i), (i == 6 || i == 9) ? Module1::PinColors[1] : Module1::PinColors[0]);
        // Frame 2 by keys: pin 4 stands twice (left standing), then on to frame 3.
        click(f.Cmd_moveflame[1]);
        QCOMPARE(f.model().focused(), 2);
        type(f, QStringLiteral("qq."));
        QCOMPARE(marks(f, 2, 3), QStringLiteral("９－"));
        QCOMPARE(smallPin(f, 1, 3), Module1::PinColors[2]);
        QCOMPARE(f.model().focused(), 4);
        type(f, QStringLiteral("x"));
        QCOMPARE(f.Txt_MARK[4]->text(), QStringLiteral("＊"));
        QCOMPARE(f.Txt_score[2]->text(), QStringLiteral("28"));
        QCOMPARE(f.Txt_score[3]->text(), QStringLiteral("38"));  // the strike without its bonus yet
        saveShot(&f, QStringLiteral("form_main_pin"));
        // Back in mark mode a marked frame greys its small pins.
        click(f.Cmd_Mode);
        QVERIFY(f.Cmd_MARK[5]->isVisible());
        QVERIFY(!f.pct_pin[0]->isVisible());
        QCOMPARE(f.Cmd_MARK[5]->pos(), QPoint(twips(5960), twips(600)));
        f.Pct_flame_Click(1);
        settle();
        type(f, QStringLiteral("5-"));
        for (int i = 0; i < 10; ++i) QCOMPARE(smallPin(f, 1, i), ScoreEntryModel::ColorGrey);
        QCOMPARE(smallPin(f, 0, 6), Module1::PinColors[1]);
        QVERIFY(dlg.shown().empty());
    }

    void mouseOnlyMarksAndFramePictures() {
        ScriptedDialogs dlg;
        auto& f = open();
        for (int code : {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10}) click(f.Cmd_MARK[code]);
        // The extension frames follow the game score when a record is shown.
        QVERIFY(!f.Pct_flame[10]->isVisible());
        f.menu_game[1]->trigger();
        settle();
        f.menu_game[0]->trigger();
        settle();
        QVERIFY(f.Pct_flame[10]->isVisible());
        QVERIFY(f.Pct_flame[11]->isVisible());
        // The first extension picture after a strike on ball 18 selects ball 19.
        click(f.Pct_flame[10]);
        QCOMPARE(f.model().focused(), 19);
        QCOMPARE(f.Pct_flame[10]->BackColor(), ScoreEntryModel::ColorWhite);
        QCOMPARE(f.Pct_flame[3]->BackColor(), ScoreEntryModel::ColorGrey);
        click(f.Txt_MARK[20]);
        click(f.Cmd_MARK[9]);
        QCOMPARE(f.Txt_score[10]->text().trimmed(), QStringLiteral("299"));
    }

    void movesShowWhatWasEntered() {
        ScriptedDialogs dlg;
        auto& f = open();
        type(f, QStringLiteral("9-"));
        release(f, Qt::Key_Down);  // next slot with a player
        QCOMPARE(f.Txt_SEN->text().trimmed(), QStringLiteral("鈴木花子"));
        QCOMPARE(f.Txt_MARK[0]->text(), QStringLiteral("　"));
        type(f, QStringLiteral("*"));
        release(f, Qt::Key_Right);  // next lane: slot 1 + 6
        QCOMPARE(Module1::CurPlayer, std::int16_t(7));
        release(f, Qt::Key_PageUp);
        QCOMPARE(f.Txt_GAM->text(), QStringLiteral(" 2"));
        release(f, Qt::Key_PageDown);
        release(f, Qt::Key_PageDown);  // before the first game: stays on game 1, with a beep
        QCOMPARE(f.Txt_GAM->text(), QStringLiteral(" 1"));
        QCOMPARE(dlg.beeps(), 1);
        f.menu_move[0]->trigger();  // back over the empty slots to slot 2
        settle();
        QCOMPARE(f.Txt_SEN->text().trimmed(), QStringLiteral("鈴木花子"));
        QCOMPARE(f.Txt_MARK[0]->text(), QStringLiteral("＊"));
        QCOMPARE(f.model().focused(), 2);
        f.menu_move[0]->trigger();
        settle();
        QCOMPARE(marks(f, 0, 1), QStringLiteral("９－"));
        release(f, Qt::Key_Up);  // before slot 0: beep, slot 0 again
        QCOMPARE(dlg.beeps(), 2);
        QCOMPARE(f.Txt_junban->text(), QStringLiteral(" 1"));
        for (int g = 0; g < 4; ++g) f.menu_game[1]->trigger(), settle();  // past the last game: game 1
        QCOMPARE(f.Txt_GAM->text(), QStringLiteral(" 1"));
        QCOMPARE(dlg.beeps(), 3);
        // Each shown record wrote the backup; the window never said anything else.
        QCOMPARE(dlg.shown().size(), std::size_t(0));
    }

    void handicapRefusal() {
        ScriptedDialogs dlg;
        Module1::HcpRequired = 1;
        placePlayer(0, 11, QStringLiteral("佐藤一郎"), -1);
        auto& f = open();
        type(f, QStringLiteral("g-g-g-g-g-g-g-g-g-72"));
        dlg.expectMsgBox(vbOK, QStringLiteral("ハンデを入力してください"));
        release(f, Qt::Key_PageUp);
        QVERIFY(dlg.allAnswered());
        QCOMPARE(f.Txt_GAM->text(), QStringLiteral(" 1"));
        QCOMPARE(f.model().focused(), int(ScoreEntryModel::FocusHcpBox));
        // The handicap bar gives a handicap; then the move goes through.
        f.VSc_Hcp->setValue(8);
        settle();
        QCOMPARE(f.Txt_score[11]->text(), QStringLiteral("8"));
        release(f, Qt::Key_PageUp);
        QCOMPARE(f.Txt_GAM->text(), QStringLiteral(" 2"));
    }

    void clearAndReturnToMenuAsk() {
        ScriptedDialogs dlg;
        auto& f = open();
        type(f, QStringLiteral("9-7"));
        dlg.expectMsgBox(vbCancel, QStringLiteral("画面のマークを全て消します。\rよろしいですか？"));
        click(f.Cmd_CAN[0]);
        QCOMPARE(marks(f, 0, 2), QStringLiteral("９－７"));
        dlg.expectMsgBox(vbOK, QStringLiteral("画面のマークを全て消します。"));
        f.menu_clear->trigger();
        settle();
        QCOMPARE(marks(f, 0, 2), QStringLiteral("　　　"));
        QCOMPARE(dlg.shown().back().style, 4401);
        QCOMPARE(f.model().focused(), 0);
        dlg.expectMsgBox(vbCancel, QStringLiteral("入力したデータを全て消し、メニューに戻ります。"));
        click(f.Cmd_CAN[1]);
        QVERIFY(forms::loaded<form_main>());
        dlg.expectMsgBox(vbOK, QStringLiteral("メニューに戻ります。"));
        click(f.Cmd_CAN[1]);
        QVERIFY(!forms::loaded<form_main>());
        QVERIFY(forms::loaded<Form_Start>() && forms::loaded<Form_Start>()->isShown());
        QCOMPARE(settings::GetSetting(QStringLiteral("form"), QStringLiteral("main_mode"), {}), QStringLiteral("1"));
    }

    void modeKeptAcrossRestart() {
        ScriptedDialogs dlg;
        auto& f = open();
        click(f.Cmd_Mode);
        QVERIFY(forms::unload<form_main>());
        QCOMPARE(settings::GetSetting(QStringLiteral("form"), QStringLiteral("main_mode"), {}), QStringLiteral("0"));
        // The first showing wrote the day's backup, so loading again offers it.
        dlg.expectMsgBox(vbNo, QStringLiteral("保存されていないデータがあります。"));
        auto& again = forms::get<form_main>();
        again.Show();
        settle();
        QCOMPARE(again.Frame_Mode->title(), QStringLiteral(" ピン入力 "));
        QCOMPARE(again.pct_pin[6]->pos(), QPoint(twips(5480), twips(240)));
        QVERIFY(again.pct_pin[6]->isVisible());
    }

    void inputCheckWindow() {
        ScriptedDialogs dlg;
        auto& f = open();
        type(f, QStringLiteral("9-7"));
        click(f.Cmd_INFO);
        auto* info = forms::loaded<Form_INFO>();
        QVERIFY(info && info->isShown());
        QCOMPARE(info->windowTitle(), QStringLiteral("入力情報"));
        QCOMPARE(info->Txt_INFO->toPlainText(), QStringLiteral("佐藤一郎 選手の 第 1ゲームが、入力途中です。\n\n"));
        saveShot(info, QStringLiteral("form_info"));
        click(info->Cmd_OK);
        QVERIFY(!info->isShown());
        QVERIFY(info->Txt_INFO->toPlainText().isEmpty());
        // Ending the input with the game unfinished asks first; "Yes" goes back to the input.
        dlg.expectMsgBox(vbYes, QStringLiteral("入力していないデータを入力してください"));
        f.menu_OK->trigger();
        settle();
        QVERIFY(f.isShown());
    }

    void screenshotMarkMode() {
        ScriptedDialogs dlg;
        auto& f = open();
        type(f, QStringLiteral("9-7/*81F/"));
        release(f, Qt::Key_Left, Qt::ShiftModifier);
        release(f, Qt::Key_Left, Qt::ShiftModifier);
        saveShot(&f, QStringLiteral("form_main_mark"));
        QCOMPARE(f.Txt_score[5]->text(), QStringLiteral("67"));
    }
};

QTEST_MAIN(TestFormMain)
#include "tst_formmain.moc"
