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
#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

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

void trigger(QAction* a) {
    a->trigger();
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

    void captionsTooltipsAndMenus() {
        ScriptedDialogs dlg;
        auto& f = open();
        // Caption and tooltip of every button, pin picture and frame picture, "|" between them.
        QStringList shown;
        QList<QWidget*> widgets = {f.Cmd_spl, f.Cmd_KEISAN, f.Cmd_INFO, f.Cmd_TOKEI, f.Cmd_Kojin, f.Cmd_CAN[0],
                                   f.Cmd_CAN[1], f.Cmd_Data_IO[0], f.Cmd_Data_IO[1], f.Cmd_Data_IO[2], f.Cmd_Mode};
        for (int code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 19, 20, 21, 30}) widgets << f.Cmd_MARK[code];
        for (QWidget* w : f.cmd_MDS) widgets << w;
        for (QWidget* w : f.Cmd_moveflame) widgets << w;
        for (QWidget* w : f.cmd_moveflame2) widgets << w;
        for (QWidget* w : widgets) shown << static_cast<QAbstractButton*>(w)->text() + u'|' + w->toolTip();
        for (QWidget* w : f.pct_pin) shown << w->toolTip();
        for (QWidget* w : f.Pct_flame) shown << w->toolTip();
        for (QLabel* l : {f.Label2[0], f.Label2[4], f.Label_GAM, f.Label_HDCP}) shown << l->text();
        shown << f.windowTitle() << f.Frame_Mode->title();
        const QString expected = QStringLiteral(
            "Split|スプリット (+);計　算 (&C)|得点計算をします(Alt+C);チェック|;統計へ (&Save)|入力を終了し統計処理をします(Alt+E);"
            "選手情報 (&Info)|入力中の選手情報を見ます(Att+I);マーク全消去|;メニューに戻る|;出力|;入力|;自動保存|;"
            "入力切替え(&ModeChange)|入力モードを切り替えます (Alt+M);"
            "Ｇ|ガター (G or 0);１|;２|;３|;４|;５|;６|;７|;８|;９|;＊|ストライク (*);－|スルー (- or 0);"
            "／|スペア (/ or P);Ｆ|ファウル (F or ピリオド);　|;"
            "＊|ストライク (X);|;Ｇ|ガター (G);Ｆ|ファウル (F);－|スルー (-);Clear|ピンをクリアします (C);"
            "|左フレームへ (コンマ);|右フレームへ (ドット);OK|ピンからそのフレームの得点を計算します;|;|;"
            "１番 (Z);２番 (A);３番 (S);４番 (Ｑ);５番 (W);６番 (E);７番 (1);８番 (2);９番 (3);10番 (4);"
            "第１フレーム;第２フレーム;第３フレーム;第４フレーム;第５フレーム;第６フレーム;第７フレーム;第８フレーム;"
            "第９フレーム;第10フレーム;延長フレーム１;延長フレーム２;"
            "次の　ゲーム;前の　ゲーム;第　　　ｹﾞｰﾑ;HDCP;スコア入力;マーク入力");
        QCOMPARE(shown.join(u';'), expected);
        QStringList menus;
        for (QAction* a : f.menuActions()) {
            menus << a->text();
            if (a->menu())
                for (QAction* e : a->menu()->actions())
                    if (!e->isSeparator()) menus << QStringLiteral("  ") + e->text();
        }
        QCOMPARE(menus.join(u'|'), QStringLiteral("ファイル(&F)|  統計へ(&N)|  データ書き出し|  データ読み込み|"
                                                  "  メニューに戻る(&X)|編集(&E)|  マーク全消去|  計算|  入力情報|"
                                                  "  選手情報|移動(&M)|  一人　前へ|  一人　後へ|  一列　前へ|"
                                                  "  一列　後へ|  １ゲーム　前へ|  １ゲーム　後へ|ヘルプ(&H)"));
        QCOMPARE(f.Pct_flame[3]->size(), QSize(twips(550), twips(550)));
        QCOMPARE(f.pct_pin[0]->size(), QSize(twips(375), twips(375)));
        QVERIFY(!f.Pct_flame[10]->isVisible());
        QVERIFY(dlg.shown().empty());
    }

    // What each menu entry and game label does is its button's click.
    void menusForwardToButtons() {
        ScriptedDialogs dlg;
        auto& f = open();
        dlg.expectInputBox(QString(), QStringLiteral("番号を入力して"));
        trigger(f.menu_data[0]);
        dlg.expectOpenFile(QString());
        trigger(f.menu_data[1]);
        dlg.expectMsgBox(vbCancel, QStringLiteral("入力したデータを全て消し"));
        trigger(f.menu_cancel);
        QVERIFY(dlg.allAnswered());
        Module1::AllPlayersFlag = 255;
        trigger(f.menu_jofo);
        QCOMPARE(Module1::AllPlayersFlag, std::uint8_t(0));
        trigger(f.menu_input);
        QVERIFY(forms::loaded<Form_INFO>() && forms::loaded<Form_INFO>()->isShown());
        f.VSc_T10->setValue(50);
        settle();
        QCOMPARE(f.Txt_score[10]->text(), QStringLiteral("50"));
        trigger(f.menu_keisan);
        QCOMPARE(f.Txt_score[10]->text(), QStringLiteral("0"));
        click(f.Label2[0]);
        QCOMPARE(f.Txt_GAM->text(), QStringLiteral(" 2"));
        click(f.Label2[4]);
        QCOMPARE(f.Txt_GAM->text(), QStringLiteral(" 1"));
        trigger(f.menu_h);
        QCOMPARE(launched.size(), 1);
        QVERIFY(launched.front().endsWith(QStringLiteral("/vh_mark.htm")));
    }

    // Every character key of both tables, each case of a letter, and keys that are only swallowed.
    void characterKeys_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("ball");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("focus");
        auto row = [](const char* mode, const char* before, const QString& key, int ball, int code, int mask, int focus) {
            QTest::addRow("%s %s%s", mode, before, qPrintable(key))
                << QString::fromLatin1(mode[0] == 'm' ? "1" : "0") << QString::fromLatin1(before) << key << ball << code
                << mask << focus;
        };
        for (int d = 0; d <= 9; ++d) row("mark", "", QString::number(d), 0, d, -1, 1);
        for (const char* k : {"/", "P", "p"}) row("mark", "5", k, 1, 20, -1, 2);
        row("mark", "", "*", 0, 10, -1, 2);
        row("mark", "5", "-", 1, 19, -1, 2);
        for (const char* k : {"F", "f"}) row("mark", "", k, 0, 21, -1, 1);
        for (const char* k : {"G", "g"}) row("mark", "", k, 0, 0, -1, 1);
        for (const char* k : {"x", "z", ",", "."}) row("mark", "", k, 0, 30, -1, 0);  // swallowed
        const QString pinKeys = QStringLiteral("zasqwe1234");
        for (int i = 0; i < 10; ++i)
            for (QChar k : {pinKeys[i], pinKeys[i].toUpper()}) row("pin", "", k, 0, 30, 1 << i, 0);
        for (const char* k : {"G", "g"}) row("pin", "", k, 0, 0, 1023, 1);
        for (const char* k : {"*", "X", "x"}) row("pin", "", k, 0, 10, 0, 2);
        for (const char* k : {"F", "f"}) row("pin", "", k, 0, 21, 1023, 1);
        // Through after pin 4 stood: the leave carries over, "－", and on to the next frame.
        row("pin", "q", "-", 1, 19, 8, 2);
        for (const char* k : {"C", "c"}) row("pin", "q", k, 0, 30, -1, 0);
        row("pin", "q", ".", 0, 9, 8, 2);
        row("pin", "q.", ",", 0, 9, 8, 0);
        for (const char* k : {"7", "/", "+", "p"}) row("pin", "", k, 0, 30, -1, 0);  // swallowed
    }
    void characterKeys() {
        QFETCH(QString, mode);
        QFETCH(QString, before);
        QFETCH(QString, key);
        QFETCH(int, ball);
        QFETCH(int, code);
        QFETCH(int, mask);
        QFETCH(int, focus);
        ScriptedDialogs dlg;
        auto& f = open(mode);
        type(f, before + key);
        const GameRecord& r = Module1::ScoreSheet(0, 0);
        QCOMPARE(int(r.Codes[std::size_t(ball)]), code);
        QCOMPARE(int(r.PinMasks[std::size_t(ball)]), mask);
        QCOMPARE(f.model().focused(), focus);
        QVERIFY(dlg.shown().empty());
    }

    // Keys released on slot 2, game 1, ball box 2 (slots 1, 2 and 8 hold players).
    void releasedKeys_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("mods");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("game");
        QTest::addColumn<int>("focus");
        QTest::addColumn<int>("beeps");
        auto row = [](const char* name, const char* mode, int key, int mods, int slot, int game, int focus, int beeps) {
            QTest::newRow(name) << QString::fromLatin1(mode) << key << mods << slot << game << focus << beeps;
        };
        const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
        row("PageUp next game", "1", Qt::Key_PageUp, 0, 1, 1, 0, 0);
        row("PageDown stays on game 1", "1", Qt::Key_PageDown, 0, 1, 0, 0, 1);
        row("Up previous slot", "1", Qt::Key_Up, 0, 0, 0, 0, 0);
        row("Down next slot with a player", "1", Qt::Key_Down, 0, 7, 0, 0, 0);
        row("Left no lane before the first", "1", Qt::Key_Left, 0, 1, 0, 0, 1);
        row("Right next lane", "1", Qt::Key_Right, 0, 7, 0, 0, 0);
        row("keypad Down", "1", Qt::Key_Down, Qt::KeypadModifier, 7, 0, 0, 0);
        row("pin PageUp", "0", Qt::Key_PageUp, 0, 1, 1, 0, 0);
        row("Shift+Left previous box", "1", Qt::Key_Left, shift, 1, 0, 1, 0);
        row("Shift+Right next box", "1", Qt::Key_Right, shift, 1, 0, 3, 0);
        row("pin Shift+Left previous frame", "0", Qt::Key_Left, shift, 1, 0, 0, 0);
        row("pin Shift+Right next frame", "0", Qt::Key_Right, shift, 1, 0, 4, 0);
        row("Shift+PageUp nothing", "1", Qt::Key_PageUp, shift, 1, 0, 2, 0);
        row("Ctrl+PageUp nothing", "1", Qt::Key_PageUp, ctrl, 1, 0, 2, 0);
        row("Ctrl+Down nothing", "1", Qt::Key_Down, ctrl, 1, 0, 2, 0);
        row("Ctrl+Shift+Left nothing", "1", Qt::Key_Left, ctrl | shift, 1, 0, 2, 0);
        row("Home nothing", "1", Qt::Key_Home, 0, 1, 0, 2, 0);
    }
    void releasedKeys() {
        QFETCH(QString, mode);
        QFETCH(int, key);
        QFETCH(int, mods);
        QFETCH(int, slot);
        QFETCH(int, game);
        QFETCH(int, focus);
        QFETCH(int, beeps);
        ScriptedDialogs dlg;
        auto& f = open(mode);
        f.Pct_moveSEN_Click(1);
        f.Pct_flame_Click(1);
        settle();
        QCOMPARE(f.model().focused(), 2);
        release(f, Qt::Key(key), Qt::KeyboardModifiers(mods));
        QCOMPARE(int(Module1::CurPlayer), slot);
        QCOMPARE(int(Module1::CurGame), game);
        QCOMPARE(f.model().focused(), focus);
        QCOMPARE(dlg.beeps(), beeps);
        QVERIFY(dlg.shown().empty());
    }

    // The window sees a key before the control with the focus: an arrow on the handicap bar changes
    // the handicap and, when released, moves to the next slot.
    void arrowOnHandicapBarAlsoMoves() {
        ScriptedDialogs dlg;
        auto& f = open();
        f.VSc_Hcp->setFocus();
        QTest::keyClick(f.VSc_Hcp, Qt::Key_Down);
        settle();
        QVERIFY(Module1::ScoreSheet(0, 0).Scores[11] != 12);
        QCOMPARE(Module1::CurPlayer, std::int16_t(1));
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
        type(f, QStringLiteral("73/"));  // the refused 3 leaves the box for the spare
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
        trigger(f.menu_game[1]);
        trigger(f.menu_game[0]);
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
        trigger(f.menu_move[1]);
        QCOMPARE(f.Txt_SEN->text().trimmed(), QStringLiteral("鈴木花子"));
        QCOMPARE(f.Txt_MARK[0]->text(), QStringLiteral("　"));
        type(f, QStringLiteral("*"));
        trigger(f.menu_move[3]);  // next lane: slot 2 + 6
        QCOMPARE(Module1::CurPlayer, std::int16_t(7));
        trigger(f.menu_move[1]);  // on from the last player: beep, slot 0
        QCOMPARE(Module1::CurPlayer, std::int16_t(0));
        trigger(f.menu_move[1]);
        trigger(f.menu_move[3]);
        trigger(f.menu_move[0]);  // back over the empty slots to slot 2
        QCOMPARE(f.Txt_SEN->text().trimmed(), QStringLiteral("鈴木花子"));
        QCOMPARE(f.Txt_MARK[0]->text(), QStringLiteral("＊"));
        QCOMPARE(f.model().focused(), 2);  // a strike in frame 1 alone: the cursor on ball 2
        trigger(f.menu_move[0]);
        trigger(f.menu_move[0]);  // before slot 0: beep, slot 0 drawn again
        QCOMPARE(dlg.beeps(), 2);
        QCOMPARE(f.Txt_junban->text(), QStringLiteral(" 1"));
        QCOMPARE(marks(f, 0, 1), QStringLiteral("９－"));
        for (int g = 0; g < 4; ++g) trigger(f.menu_game[1]);  // past the last game: game 1
        QCOMPARE(f.Txt_GAM->text(), QStringLiteral(" 1"));
        QCOMPARE(dlg.beeps(), 3);
        trigger(f.menu_move[2]);  // no lane before the first: beep, stays
        QCOMPARE(dlg.beeps(), 4);
        QCOMPARE(f.Txt_junban->text(), QStringLiteral(" 1"));
        // Each shown record wrote the backup; the window never said anything else.
        QVERIFY(dlg.shown().empty());
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
        trigger(f.menu_clear);
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
        settings::SaveSetting(QStringLiteral("form"), QStringLiteral("info_Left"), QStringLiteral("600"));
        settings::SaveSetting(QStringLiteral("form"), QStringLiteral("info_Top"), QStringLiteral("300"));
        auto& f = open();
        type(f, QStringLiteral("9-7"));
        click(f.Cmd_INFO);
        auto* info = forms::loaded<Form_INFO>();
        QVERIFY(info && info->isShown());
        QCOMPARE(info->windowTitle(), QStringLiteral("入力情報"));
        QCOMPARE(info->Txt_INFO->toPlainText(), QStringLiteral("佐藤一郎 選手の 第 1ゲームが、入力途中です。\n\n"));
        saveShot(info, QStringLiteral("form_info"));
        QCOMPARE(info->Cmd_OK->text() + u'|' + info->menu_off->text(), QStringLiteral("閉じる (&C)|閉じる(&X)"));
        click(info->Cmd_OK);
        QVERIFY(!info->isShown());
        QVERIFY(info->Txt_INFO->toPlainText().isEmpty());
        trigger(f.menu_input);
        trigger(info->menu_off);
        QVERIFY(!info->isShown() && info->Txt_INFO->toPlainText().isEmpty());
        QVERIFY(forms::unload<Form_INFO>());
        QCOMPARE(settings::GetSetting(QStringLiteral("Form"), QStringLiteral("info_left"), {}) + u',' +
                     settings::GetSetting(QStringLiteral("Form"), QStringLiteral("info_top"), {}),
                 QStringLiteral("600,300"));
        // Ending the input with the game unfinished asks first; "Yes" goes back to the input.
        dlg.expectMsgBox(vbYes, QStringLiteral("入力していないデータを入力してください"));
        trigger(f.menu_OK);
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
