// A club's match day through the real windows, from the start menu to the stored day, and a
// second day of the same season that crosses a milestone.
#include "common/database.h"
#include "common/module1.h"
#include "common/settings.h"
#include "platform/boundgrid.h"
#include "platform/datasource.h"
#include "platform/mdiframe.h"
#include "platform/picturebox.h"
#include "recording/dayresults.h"
#include "recording/exchange.h"
#include "recording/form_data.h"
#include "recording/form_main.h"
#include "recording/form_normaldata.h"
#include "recording/form_player.h"
#include "recording/form_siai.h"
#include "recording/form_zkt.h"
#include "records/form_score.h"
#include "shell/form_menu.h"
#include "shell/form_start.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolButton>
#include <QTest>

using namespace vx;
using vxtest::ScriptedDialogs;

namespace {

void settle() {
    for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
}

void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
    settle();
}

// Check boxes and option buttons are clicked on their box, as a user would.
void tick(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
    settle();
}

QVariant sql(const QString& text) { return db::scalar(text); }

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Form_menu* startProgram() {
    auto* menu = new Form_menu();
    if (!menu->MDIForm_Load()) return nullptr;
    menu->show();
    settle();
    return menu;
}

// Makes the row of `id` (first column) the grid's current row, as a click on it would.
bool chooseRow(DBGrid* grid, int id, int column = 1) {
    auto& rs = grid->dataSource()->recordset();
    for (int r = 0; r < rs.RecordCount(); ++r)
        if (rs.valueAt(r, 0).toInt() == id) {
            grid->setCurrentIndex(grid->gridModel()->index(r, column));
            settle();
            return true;
        }
    return false;
}

// --- the score-entry window, driven by its keys ---------------------------------------------

void type(form_main& f, const QString& keys) {
    for (QChar c : keys) {
        const int at = std::clamp(f.model().focused(), 0, 21);
        QTest::keyClick(f.Txt_MARK[std::size_t(at)], c.toLatin1());
        settle();
    }
}

void key(form_main& f, Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(f.Txt_MARK[std::size_t(std::clamp(f.model().focused(), 0, 21))], k, mods);
    settle();
}

QString marks(const form_main& f) {
    QString s;
    for (int k = 0; k <= 20; ++k) s += f.Txt_MARK[std::size_t(k)]->text();
    return s;
}

QString shownPlayer(const form_main& f) { return f.Txt_SEN->text().trimmed(); }
int shownGame(const form_main& f) { return f.Txt_GAM->text().trimmed().toInt(); }
int shownTotal(const form_main& f) { return f.Txt_score[10]->text().trimmed().toInt(); }

const QString Yamada = QStringLiteral("山田太郎"), Sato = QStringLiteral("佐藤花子"),
              Suzuki = QStringLiteral("鈴木一郎"), Takahashi = QStringLiteral("高橋"), Tanaka = QStringLiteral("田中");

// Pin mode by clicks and keys: X, 8/ (7-10 split), 9-, X, 9/, 9-, X, X, 9/, 8/X = 183.
void pinModeGame(form_main& f) {
    type(f, "x");
    click(f.pct_pin[6]);
    click(f.pct_pin[9]);
    click(f.Cmd_moveflame[1]);
    type(f, "qq.x");
    click(f.pct_pin[9]);
    type(f, ".11.xx");
    type(f, "4.");
    click(f.pct_pin[3]);
    click(f.pct_pin[6]);
    type(f, ".x");
}

// Enters one game at the shown record after checking it is the expected player's.
void game(form_main& f, const QString& player, int g, const QString& keys, int total) {
    QCOMPARE(shownPlayer(f), player);
    QCOMPARE(shownGame(f), g);
    QCOMPARE(marks(f).trimmed(), QString());
    type(f, keys);
    QCOMPARE(shownTotal(f), total);
}

// Start menu → match set-up: the proposed match in season 2 at a chosen venue.
Form_Player* setUpMatch(ScriptedDialogs&, int venue, int matchNo, const QString& shot = {}) {
    click(forms::get<Form_Start>().Cmd_OK);
    Form_Siai* siai = forms::loaded<Form_Siai>();
    if (!siai || !siai->isShown()) return nullptr;
    click(siai->Cmd_New);
    if (!chooseRow(siai->DBGrid1, 2) || !chooseRow(siai->DBGrid2, venue)) return nullptr;
    siai->HSc_siai->setValue(matchNo);
    settle();
    if (!shot.isEmpty()) vxtest::saveShot(MdiFrame::instance(), shot);
    click(siai->cmd_siaiOK);
    return forms::loaded<Form_Player>();
}

bool place(Form_Player& pl, int id) {
    if (!chooseRow(pl.DBG_Sensyu, id)) return false;
    click(pl.Pct_ADD);
    return true;
}

struct Stored {
    int id;
    std::vector<int> totals;
    int hcp;
};

// Every played game of the match is one row in each of the three game tables, paired on ID.
void checkStoredDay(int matchId, int matchNo, const std::vector<Stored>& players) {
    int games = 0;
    for (const Stored& p : players) games += int(p.totals.size());
    const QString m = QString::number(matchId);
    QCOMPARE(sql("SELECT COUNT(*) FROM データ項目 WHERE 試合ID = " + m).toInt(), games);
    QCOMPARE(sql("SELECT COUNT(*) FROM マーク WHERE 試合ID = " + m).toInt(), games);
    QCOMPARE(sql("SELECT COUNT(*) FROM フレーム WHERE 試合ID = " + m).toInt(), games);
    QCOMPARE(sql("SELECT COUNT(*) FROM データ項目 d JOIN マーク k ON k.ID = d.ID JOIN フレーム f ON f.ID = d.ID "
                 "WHERE d.試合ID = " + m + " AND k.試合ID = d.試合ID AND f.試合ID = d.試合ID AND k.選手ID = d.選手ID "
                 "AND f.選手ID = d.選手ID AND k.ｹﾞｰﾑ = d.ｹﾞｰﾑ AND f.ゲーム = d.ｹﾞｰﾑ").toInt(), games);
    QCOMPARE(sql("SELECT COUNT(*) FROM 試合 WHERE 試合ID = " + m + " AND シーズンID = 2 AND 試合 = " +
                 QString::number(matchNo)).toInt(), 1);
    for (const Stored& p : players)
        for (std::size_t g = 0; g < p.totals.size(); ++g) {
            const QString where = QStringLiteral(" WHERE 試合ID = %1 AND 選手ID = %2 AND ｹﾞｰﾑ = %3")
                                      .arg(matchId).arg(p.id).arg(g + 1);
            QCOMPARE(sql("SELECT S10 FROM データ項目" + where).toInt(), p.totals[g]);
            QCOMPARE(sql("SELECT HCP FROM データ項目" + where).toInt(), p.hcp);
            QCOMPARE(sql("SELECT S10 FROM マーク" + where).toInt(), p.totals[g]);
            int bowled = 0;
            for (const Stored& q : players) bowled += q.totals.size() > g;
            QCOMPARE(sql("SELECT 人数 FROM データ項目" + where).toInt(), bowled);
        }
}

// The results file byte for byte against tests/data/e2e/; a missing expected file is written
// to the build folder for checking by hand.
void compareWithExpected(const QString& produced) {
    const QString name = QFileInfo(produced).fileName();
    const QByteArray actual = readFile(produced);
    QVERIFY(!actual.isEmpty());
    const QString expectedPath = QStringLiteral(VX_TEST_DATA "/e2e/") + name;
    if (!QFile::exists(expectedPath)) {
        QFile out(QStringLiteral(VX_SHOTS_DIR "/../") + name);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(actual);
        QFAIL(qPrintable("no expected file " + expectedPath));
    }
    QCOMPARE(actual, readFile(expectedPath));
}

}  // namespace

class TestMatchDay : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matchDayFromStartMenuToDatabase();
};

void TestMatchDay::matchDayFromStartMenuToDatabase() {
    vxtest::TestEnv env;
    vxtest::execSql("INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2025', '秋'), ('2026', '春')");
    vxtest::execSql("INSERT INTO 会場 (会場名) VALUES ('駅前レーン'), ('中央ボウル')");
    vxtest::execSql("INSERT INTO 選手 (選手ID, 選手名) VALUES (1, '山田太郎'), (2, '佐藤花子'), (3, '鈴木一郎'), "
                    "(4, '高橋'), (5, '田中')");
    vxtest::execSql("INSERT INTO ハンデ (選手ID, シーズンID, ハンデ) VALUES (1, 2, 12), (2, 2, 8), (4, 2, 0), (5, 2, 5)");
    // 高橋 bowled 44 games of 90 last season.
    vxtest::execSql("INSERT INTO 試合 (試合ID, シーズンID, 試合, 試合日) VALUES (1, 1, 1, '2025-10-05')");
    for (int i = 0; i < 44; ++i)
        vxtest::execSql("INSERT INTO データ項目 (選手ID, 試合ID, ｹﾞｰﾑ, 優Ｐ, 上位, S10, ST, SP, SPF) "
                        "VALUES (4, 1, 1, 0, 0, 90, 0, 0, 0)");
    db::close();

    ScriptedDialogs dlg;
    Form_menu* menu = startProgram();
    QVERIFY(menu);
    menu->resize(1000, 700);
    QCOMPARE(forms::get<Form_Start>().Lbl_all_data->text(), QStringLiteral("44"));

    // ---- day 1: set-up and players
    Form_Player* pl = setUpMatch(dlg, 2, 1, QStringLiteral("e2e_1_setup"));
    QVERIFY(pl && pl->isShown());
    QCOMPARE(Module1::MatchId.toInt(), 2);
    QCOMPARE(Module1::SeasonId.toInt(), 2);
    QCOMPARE(Module1::VenueId, 2);
    QCOMPARE(Module1::MatchYear * 10000 + Module1::MatchMonth * 100 + Module1::MatchDay, 20260517);
    QVERIFY(place(*pl, 1));
    QVERIFY(place(*pl, 2));
    dlg.expectMsgBox(vbOK, QStringLiteral("ハンデを登録してください。"));
    QVERIFY(place(*pl, 3));
    pl->Txt_HCP[0]->setText(QStringLiteral("20"));
    click(pl->Cmd_OK[1]);
    QVERIFY(place(*pl, 4));
    pl->setCursor(2, 1);
    QVERIFY(place(*pl, 5));
    QVERIFY(dlg.allAnswered());
    QCOMPARE(pl->Grd_LN->item(1, 3)->text(), Suzuki);
    QCOMPARE(pl->Grd_LN->item(2, 1)->text(), Tanaka);
    for (int g = 0; g <= 3; ++g) QCOMPARE(Module1::ScoreSheet(2, g).Scores[11], 20);
    QCOMPARE(sql("SELECT ハンデ FROM ハンデ WHERE 選手ID = 3 AND シーズンID = 2").toInt(), 20);
    vxtest::saveShot(menu, QStringLiteral("e2e_2_players"));

    // ---- score entry, games 1 and 2 in mark mode
    click(pl->Cmd_InpMARK);
    form_main* fm = forms::loaded<form_main>();
    QVERIFY(fm && fm->isShown());
    QCOMPARE(fm->Frame_Mode->title(), QStringLiteral("マーク入力"));
    game(*fm, Yamada, 1, "+7/8-9/*8-9-*72*9-", 137);
    QCOMPARE(fm->Txt_MARK[0]->text(), QStringLiteral("7s"));
    QCOMPARE(fm->Txt_score[0]->text(), QStringLiteral("149"));
    key(*fm, Qt::Key_Down);
    game(*fm, Sato, 1, "8/7-9/8-*9-7/8-9/8-", 130);
    key(*fm, Qt::Key_Down);
    game(*fm, Suzuki, 1, "9-9-9-9-9-9-9-9-9-9-", 90);
    click(fm->Pct_moveSEN[1]);
    game(*fm, Takahashi, 1, "8/8/8/8/8/8/8/8/8/8/8", 180);
    key(*fm, Qt::Key_Down);  // over the empty slots to lane 2
    game(*fm, Tanaka, 1, "9/8-9/8-9/8-9/8-9/8-", 130);
    key(*fm, Qt::Key_PageUp);
    game(*fm, Tanaka, 2, "*9-*9-*9-*9-*9-", 140);
    key(*fm, Qt::Key_Left);  // back one lane
    game(*fm, Yamada, 2, "*9/8-*7/9-**9/8/9", 180);
    fm->menu_move[1]->trigger();
    settle();
    game(*fm, Sato, 2, "F/9-7/*G-81*5-6pg/5", 112);
    vxtest::saveShot(menu, QStringLiteral("e2e_3_mark_mode"));
    key(*fm, Qt::Key_Down);
    game(*fm, Suzuki, 2, "*9/*9/*9/*9/*9/*", 200);
    key(*fm, Qt::Key_Down);
    game(*fm, Takahashi, 2, "9-9/*9-9/*9-9/*9-", 153);
    key(*fm, Qt::Key_Up);
    QCOMPARE(shownTotal(*fm), 200);  // what was entered is shown again

    // The backup holds the sheet as it stands; keep it to compare after the crash.
    const QString backup = env.path(exchange::backupFileName());
    QCOMPARE(exchange::backupFileName(), QStringLiteral("B_260517.bup"));
    QVERIFY(QFile::exists(backup));
    std::vector<std::pair<QString, std::vector<vx::GameRecord>>> before;
    for (int s : {0, 1, 2, 3, 6}) {
        std::vector<vx::GameRecord> games;
        for (int g = 0; g <= 1; ++g) games.push_back(Module1::ScoreSheet(s, g));
        before.emplace_back(Module1::PlayerNames[std::size_t(s)].str(), games);
    }

    // ---- the program dies; started again, the score entry offers the backup
    vxtest::resetUi();
    db::close();
    menu = startProgram();
    QVERIFY(menu);
    menu->resize(1000, 700);
    pl = setUpMatch(dlg, 2, 1);
    QVERIFY(pl);
    dlg.expectMsgBox(vbYes, QStringLiteral("保存されていないデータがあります。"));
    dlg.expectOpenFile(backup);
    click(pl->Cmd_InpMARK);
    QVERIFY(dlg.allAnswered());
    fm = forms::loaded<form_main>();
    QVERIFY(fm && fm->isShown());
    // The day comes back as the next lane of the sheet, every ball as it was.
    QCOMPARE(int(Module1::LastPlayer), 41);
    for (std::size_t i = 0; i < before.size(); ++i) {
        const int s = 36 + int(i);
        QCOMPARE(Module1::PlayerNames[std::size_t(s)].str(), before[i].first);
        for (int g = 0; g <= 1; ++g) {
            const vx::GameRecord& now = Module1::ScoreSheet(s, g);
            const vx::GameRecord& was = before[i].second[std::size_t(g)];
            for (int k = 0; k <= 20; ++k) {
                QCOMPARE(now.Marks[k], was.Marks[k]);
                QCOMPARE(now.Codes[k], was.Codes[k]);
                QCOMPARE(now.PinMasks[k], was.PinMasks[k]);
            }
            QCOMPARE(now.Scores, was.Scores);
        }
    }
    QCOMPARE(pl->Grd_LN->item(7, 1)->text().trimmed(), Yamada);
    QCOMPARE(pl->Grd_LN->item(7, 5)->text().trimmed(), Tanaka);

    // ---- games 3 and 4; 山田's third game in pin mode
    key(*fm, Qt::Key_Down);
    QCOMPARE(shownPlayer(*fm), Yamada);
    QCOMPARE(shownTotal(*fm), 137);
    click(fm->Pct_moveGAM[1]);
    QCOMPARE(shownTotal(*fm), 180);
    key(*fm, Qt::Key_PageUp);
    click(fm->Cmd_Mode);
    QCOMPARE(fm->Frame_Mode->title(), QStringLiteral(" ピン入力 "));
    QCOMPARE(shownGame(*fm), 3);
    pinModeGame(*fm);
    QCOMPARE(marks(*fm), QStringLiteral("＊　8s／９－＊　９／９－＊　＊　９／８／＊"));
    QCOMPARE(shownTotal(*fm), 183);
    vxtest::saveShot(menu, QStringLiteral("e2e_4_pin_mode"));
    click(fm->Cmd_Mode);
    key(*fm, Qt::Key_Down);
    game(*fm, Sato, 3, "7-8-9-6-7-8-9-5-6-7-", 72);
    key(*fm, Qt::Key_Down);
    game(*fm, Suzuki, 3, "6372815463728154637-", 88);
    key(*fm, Qt::Key_Down);
    game(*fm, Takahashi, 3, "7/*7/*7/*7/*7/*7/", 200);
    key(*fm, Qt::Key_Down);
    game(*fm, Tanaka, 3, "72727272727272727272", 90);
    key(*fm, Qt::Key_PageUp);
    key(*fm, Qt::Key_Up);  // 田中 bowls no fourth game
    game(*fm, Takahashi, 4, "9-8-7-6-5-4-3-2-1-9/9", 64);
    key(*fm, Qt::Key_Up);
    game(*fm, Suzuki, 4, "7/7/7/7/7/7/7/7/7/7/7", 170);
    key(*fm, Qt::Key_Up);
    game(*fm, Sato, 4, "*******9-**8-", 253);
    key(*fm, Qt::Key_Up);
    game(*fm, Yamada, 4, "9/9/9/9/9/9/9/9/9/9/9", 190);

    // ---- end of input (田中's fourth game, never started, is no unfinished game)
    click(fm->Cmd_TOKEI);
    Form_Data* data = forms::loaded<Form_Data>();
    QVERIFY(data && data->isShown());
    QVERIFY(!fm->isShown());

    // ---- results: every option once, the prize board and the points list shown
    if (!data->Chk_Data[0]->isChecked()) tick(data->Chk_Data[0]);
    if (!data->Chk_Data[1]->isChecked()) tick(data->Chk_Data[1]);
    for (int method = 2; method >= 0; --method)
        for (int target = 2; target >= 0; --target) {
            tick(data->Opt_PntCalc[std::size_t(method)]);
            tick(data->Opt_PntTarget[std::size_t(target)]);
            if (method == 2)
                for (int i = 0; i < 5; ++i) data->Txt_Pnt[std::size_t(i)]->setText(QString::number(10 - 2 * i));
            for (QCheckBox* rule : {data->Chk_rule[0], data->Chk_STSP, data->Chk_HCP}) {
                const bool was = rule->isChecked();
                tick(rule);
                QCOMPARE(rule->isChecked(), !was);
                QVERIFY(data->Opt_PntCalc[std::size_t(method)]->isChecked() && data->Opt_PntTarget[std::size_t(target)]->isChecked());
                click(data->Cmd_Data);
                QVERIFY(data->Cmd_File->isEnabled());
                QVERIFY(forms::loaded<Form_NormalDATA>()->isShown());
                QVERIFY(forms::loaded<Form_ZKT>()->isShown());
                QCOMPARE(forms::loaded<Form_ZKT>()->List_ZKT->count(), 5);
                tick(rule);
            }
        }
    click(data->Cmd_Data);
    Form_NormalDATA* board = forms::loaded<Form_NormalDATA>();
    click(board->Cmd_B10[0]);
    vxtest::saveShot(menu, QStringLiteral("e2e_5_results"));
    // Highest game with handicap decides; five players get 14, 9 and 0 points.
    QCOMPARE(board->Txt_Name[0]->text().trimmed(), Sato);
    QCOMPARE(board->Txt_Ten[0]->text(), QStringLiteral("261"));
    QListWidget* list = forms::loaded<Form_ZKT>()->List_ZKT;
    QVERIFY(list->item(0)->text().startsWith(QStringLiteral("１着    14p   佐藤花子")));
    QVERIFY(list->item(1)->text().startsWith(QStringLiteral("２着    09p   鈴木一郎")));
    QVERIFY(list->item(4)->text().startsWith(QStringLiteral("５着    00p   田中")));

    // ---- store
    dlg.expectMsgBox(vbOK, QStringLiteral("書き込んだ人数は5人で、データの合計数は19件でした。"));
    click(data->Cmd_File);
    QVERIFY(dlg.allAnswered());
    QVERIFY(!forms::loaded<Form_Data>() && !forms::loaded<form_main>() && !forms::loaded<Form_Player>());
    Form_Start& start = forms::get<Form_Start>();
    QVERIFY(start.isShown());
    QCOMPARE(start.Lbl_all_data->text(), QStringLiteral("63"));
    QVERIFY(!QFile::exists(backup));
    checkStoredDay(2, 1, {{1, {137, 180, 183, 190}, 12}, {2, {130, 112, 72, 253}, 8}, {3, {90, 200, 88, 170}, 20},
                          {4, {180, 153, 200, 64}, 0}, {5, {130, 140, 90}, 5}});
    QCOMPARE(sql("SELECT \"１着ID\" FROM 試合 WHERE 試合ID = 2").toInt(), 2);
    QCOMPARE(sql("SELECT 試合日 FROM 試合 WHERE 試合ID = 2").toString(), QStringLiteral("2026-05-17"));
    // Placing and points sit on the game that gave the placing.
    QCOMPARE(sql("SELECT 入賞 || 優Ｐ FROM データ項目 WHERE 試合ID = 2 AND 選手ID = 3 AND ｹﾞｰﾑ = 2").toString(),
             QStringLiteral("２着  9"));
    QCOMPARE(sql("SELECT 入賞 || 優Ｐ FROM データ項目 WHERE 試合ID = 2 AND 選手ID = 2 AND ｹﾞｰﾑ = 4").toString(),
             QStringLiteral("１着  14"));
    // The ball rows of the pin-mode game keep the pins; 佐藤's perfect run of strikes its codes.
    QCOMPARE(sql("SELECT M21 || M22 FROM マーク WHERE 試合ID = 2 AND 選手ID = 1 AND ｹﾞｰﾑ = 3").toString(),
             QStringLiteral("8s／"));
    QCOMPARE(sql("SELECT pin21 FROM フレーム WHERE 試合ID = 2 AND 選手ID = 1 AND ゲーム = 3").toInt(), 64 + 512);
    compareWithExpected(env.path(QStringLiteral("SD-2-1.txt")));

    // ---- day 2, same season: 高橋 reaches 50 games and 5000 pins
    QTest::mouseMove(&start, QPoint(5, start.height() - 5));
    start.Form_MouseMove();  // the buttons come back when the mouse is over the menu
    pl = setUpMatch(dlg, 1, 2);
    QVERIFY(pl);
    QCOMPARE(Module1::MatchId.toInt(), 3);
    QCOMPARE(int(Module1::MatchNo), 2);
    QVERIFY(place(*pl, 4));
    QVERIFY(place(*pl, 1));
    QVERIFY(place(*pl, 2));
    click(pl->Cmd_InpMARK);
    QVERIFY(dlg.allAnswered());  // the day's backup went with the stored day: nothing offered
    fm = forms::loaded<form_main>();
    QVERIFY(fm && fm->isShown());
    game(*fm, Takahashi, 1, "9/8-9/8-9/8-9/8-9/8-", 130);
    key(*fm, Qt::Key_Down);
    game(*fm, Yamada, 1, "9/9/9/9/9/9/9/9/9/9/9", 190);
    key(*fm, Qt::Key_Down);
    game(*fm, Sato, 1, "8-8-8-8-8-8-8-8-8-8-", 80);
    key(*fm, Qt::Key_PageUp);
    game(*fm, Sato, 2, "************", 300);
    key(*fm, Qt::Key_Up);
    game(*fm, Yamada, 2, "72727272727272727272", 90);
    key(*fm, Qt::Key_Up);
    game(*fm, Takahashi, 2, "*9-*9-*9-*9-*9-", 140);
    key(*fm, Qt::Key_PageUp);
    game(*fm, Takahashi, 3, "8/8/8/8/8/8/8/8/8/8/8", 180);
    key(*fm, Qt::Key_Down);
    game(*fm, Yamada, 3, "*9/8-*7/9-**9/8/9", 180);
    key(*fm, Qt::Key_Down);
    game(*fm, Sato, 3, "9/8-9/8-9/8-9/8-9/8-", 130);
    key(*fm, Qt::Key_PageUp);
    game(*fm, Sato, 4, "7-8-9-6-7-8-9-5-6-7-", 72);
    key(*fm, Qt::Key_Up);
    game(*fm, Yamada, 4, "9-8-7-6-5-4-3-2-1-9/9", 64);
    key(*fm, Qt::Key_Up);
    game(*fm, Takahashi, 4, "9-9-9-9-9-9-9-9-9-9-", 90);
    click(fm->Cmd_TOKEI);
    data = forms::loaded<Form_Data>();
    QVERIFY(data && data->isShown());
    click(data->Cmd_Data);
    dlg.expectMsgBox(vbOK, QStringLiteral("通算ゲーム数‥50ゲーム　　高橋        \r\n"
                                          "通算合計点数‥‥5000点　　高橋        \r\n"));
    dlg.expectMsgBox(vbOK, QStringLiteral("書き込んだ人数は3人で、データの合計数は12件でした。"));
    click(data->Cmd_File);
    QVERIFY(dlg.allAnswered());
    QCOMPARE(start.Lbl_all_data->text(), QStringLiteral("75"));
    checkStoredDay(3, 2, {{4, {130, 140, 180, 90}, 0}, {1, {190, 90, 180, 64}, 12}, {2, {80, 300, 130, 72}, 8}});
    QCOMPARE(sql("SELECT \"１着ID\" FROM 試合 WHERE 試合ID = 3").toInt(), 2);
    compareWithExpected(env.path(QStringLiteral("SD-2-2.txt")));

    // ---- the score book lists the newest match's games
    click(start.Cmd_Score);
    Form_Score& book = forms::get<Form_Score>();
    tick(book.Opt_Siai[2]);
    click(book.Cmd_OK[0]);
    QCOMPARE(book.Txt_Siai[1]->text() + ' ' + QString::number(book.data_score->recordset().RecordCount()), QStringLiteral("3 12"));
    QCOMPARE(book.DBG_Score->model()->index(0, 8).data().toString(), sql("SELECT 競技点 FROM データ項目 WHERE 試合ID = 3 ORDER BY ｹﾞｰﾑ, ID").toString());
}

QTEST_MAIN(TestMatchDay)
#include "tst_matchday.moc"
