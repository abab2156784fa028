// A club's match day through the real windows, from the start menu to the stored day, and a
// second day of the same season that crosses a milestone.
#include "recording/form_data.h"
#include "recording/form_main.h"
#include "recording/form_normaldata.h"
#include "recording/form_player.h"
#include "recording/form_siai.h"
#include "recording/form_zkt.h"
#include "records/form_score.h"
#include "publishing/form_sokuho.h"
#include "records/form_seiseki.h"
#include "shell/form_menu.h"
#include "support/browser.h"
#include "support/dayfixture.h"
#include "support/exchange_sheet.h"


namespace {

Form_menu* startProgram() {
    auto* menu = new Form_menu();
    if (!menu->MDIForm_Load()) return nullptr;
    menu->show();
    menu->resize(1000, 700);
    settle();
    return menu;
}

// Clicks the row of `id` (first column) in the grid.
bool chooseRow(DBGrid* grid, int id) {
    auto& rs = grid->dataSource()->recordset();
    for (int r = 0; r < rs.RecordCount(); ++r)
        if (rs.valueAt(r, 0).toInt() == id) return clickCell(grid, grid->gridModel()->index(r, 1)), true;
    return false;
}

QString marks(const form_main& f) {
    QString s;
    for (int k = 0; k <= 20; ++k) s += f.Txt_MARK[std::size_t(k)]->text();
    return s;
}
QString shownPlayer(const form_main& f) { return f.Txt_SEN->text().trimmed(); }
int shownTotal(const form_main& f) { return f.Txt_score[10]->text().trimmed().toInt(); }

const QString Yamada = QStringLiteral("山田太郎"), Sato = QStringLiteral("佐藤花子"),
              Suzuki = QStringLiteral("鈴木一郎"), Takahashi = QStringLiteral("高橋"), Tanaka = QStringLiteral("田中");

// Pin mode by clicks and keys: X, 8/ (7-10 split), 9-, X, 9/, 9-, X, X, 9/, 8/X = 183. A lone digit
// clicks that pin, ">" the next-frame button, anything else is typed.
void pinModeGame(form_main& f) {
    for (const QString& step : QStringLiteral("x 6 9 > qq.x 9 .11.xx4. 3 6 .x").split(u' '))
        step == u">" ? click(f.Cmd_moveflame[1]) : step.size() == 1 && step[0].isDigit() ? click(f.pct_pin[std::size_t(step.toInt())]) : typeKeys(step);
}

// Games typed one after another, each after the key that moves to it (none for the first), each
// after checking the record shown is the expected player's, empty, with the keyboard in the score entry.
struct Typed { Qt::Key move; QString player; int game; const char* keys; int total; };
void games(form_main& f, std::initializer_list<Typed> list) {
    for (const Typed& t : list) {
        if (t.move != Qt::Key_unknown) press(t.move);
        QCOMPARE(shownPlayer(f) + ' ' + f.Txt_GAM->text().trimmed() + marks(f).trimmed(), t.player + ' ' + QString::number(t.game));
        QVERIFY(f.isAncestorOf(keyboard()));
        typeKeys(QString::fromLatin1(t.keys));
        QCOMPARE(shownTotal(f), t.total);
    }
}
constexpr Qt::Key Here = Qt::Key_unknown, Up = Qt::Key_Up, Down = Qt::Key_Down, NextGame = Qt::Key_PageUp;

// Start menu → match set-up: the proposed match in season 2 at a chosen venue.
Form_Player* newMatch(int venue, int matchNo, const QString& shot = {}) {
    click(forms::get<Form_Start>().Cmd_OK);
    Form_Siai* siai = forms::loaded<Form_Siai>();
    if (!siai || !siai->isShown()) return nullptr;
    click(siai->Cmd_New);
    if (!chooseRow(siai->DBGrid1, 2) || !chooseRow(siai->DBGrid2, venue)) return nullptr;
    siai->HSc_siai->setValue(matchNo);
    settle();
    if (!shot.isEmpty()) saveShot(MdiFrame::instance(), shot);
    click(siai->cmd_siaiOK);
    return forms::loaded<Form_Player>();
}

bool place(Form_Player& pl, int id) {
    if (!chooseRow(pl.DBG_Sensyu, id)) return false;
    click(pl.Pct_ADD);
    return true;
}

struct Stored { int id; std::vector<int> totals; int hcp; };

// Every played game of the match is one row in each of the three game tables, paired on ID, with
// its total, handicap and the number of players who bowled that game; the match row names the
// season, number, winner and date.
void checkStoredDay(int matchId, int matchNo, int winner, const std::vector<Stored>& players) {
    QStringList games;
    for (const Stored& p : players)
        for (std::size_t g = 0; g < p.totals.size(); ++g) {
            int bowled = 0;
            for (const Stored& q : players) bowled += q.totals.size() > g;
            games << QStringLiteral("%1 %2 %3 %4 %5").arg(p.id).arg(g + 1).arg(p.totals[g]).arg(p.hcp).arg(bowled);
        }
    const QString m = QString::number(matchId);
    QCOMPARE(rows("SELECT d.選手ID, d.ｹﾞｰﾑ, d.S10, d.HCP, d.人数 FROM データ項目 d "
                  "JOIN マーク k ON k.ID = d.ID AND k.試合ID = d.試合ID AND k.選手ID = d.選手ID AND k.ｹﾞｰﾑ = d.ｹﾞｰﾑ AND k.S10 = d.S10 "
                  "JOIN フレーム f ON f.ID = d.ID AND f.試合ID = d.試合ID AND f.選手ID = d.選手ID AND f.ゲーム = d.ｹﾞｰﾑ "
                  "WHERE d.試合ID = " + m + " ORDER BY d.ID"), games.join(u'|'));
    QCOMPARE(rows("SELECT (SELECT COUNT(*) FROM マーク WHERE 試合ID = " + m + "), (SELECT COUNT(*) FROM フレーム WHERE 試合ID = " +
                  m + "), シーズンID, 試合, \"１着ID\", 試合日 FROM 試合 WHERE 試合ID = " + m),
             QStringLiteral("%1 %1 2 %2 %3 2026-05-17").arg(games.size()).arg(matchNo).arg(winner));
}

// The results file byte for byte against tests/data/e2e/.
void compareWithExpected(const QString& name) {
    const QByteArray actual = fileBytes(inProgramFolder(name)), expected = fileBytes(QStringLiteral(VX_TEST_DATA "/e2e/") + name);
    QVERIFY(!actual.isEmpty() && actual == expected);
}

}  // namespace

class TestMatchDay : public GuiTest {
    Q_OBJECT
private Q_SLOTS:
    void matchDayFromStartMenuToDatabase();
};

void TestMatchDay::matchDayFromStartMenuToDatabase() {
    execSql("INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2025', '秋'), ('2026', '春')");
    execSql("INSERT INTO 会場 (会場名) VALUES ('駅前レーン'), ('中央ボウル')");
    execSql("INSERT INTO 選手 (選手ID, 選手名) VALUES (1, '山田太郎'), (2, '佐藤花子'), (3, '鈴木一郎'), (4, '高橋'), (5, '田中')");
    execSql("INSERT INTO ハンデ (選手ID, シーズンID, ハンデ) VALUES (1, 2, 12), (2, 2, 8), (4, 2, 0), (5, 2, 5)");
    addHistory(4, 44, 90);  // 高橋 bowled 44 games of 90 last season
    db::close();

    Form_menu* menu = startProgram();
    QVERIFY(menu && forms::get<Form_Start>().Lbl_all_data->text() == "44");

    // ---- day 1: set-up and players
    Form_Player* pl = newMatch(2, 1, QStringLiteral("e2e_1_setup"));
    QVERIFY(pl && pl->isShown() && place(*pl, 1) && place(*pl, 2));
    QCOMPARE(QStringLiteral("%1 %2 %3 %4-%5-%6").arg(Module1::MatchId.toInt()).arg(Module1::SeasonId.toInt()).arg(Module1::VenueId)
                 .arg(Module1::MatchYear).arg(Module1::MatchMonth).arg(Module1::MatchDay), QStringLiteral("2 2 2 2026-5-17"));
    dlg->expectMsgBox(vbOK, QStringLiteral("ハンデを登録してください。"));
    QVERIFY(place(*pl, 3));
    QCOMPARE(keyboard(), pl->Txt_HCP[0]);
    press(Qt::Key_A, Qt::ControlModifier);
    typeKeys(QStringLiteral("20"));
    click(pl->Cmd_OK[1]);
    QVERIFY(place(*pl, 4));
    clickCell(pl->Grd_LN, pl->Grd_LN->model()->index(2, 1));
    QVERIFY(place(*pl, 5));
    QCOMPARE(pl->Grd_LN->item(1, 3)->text() + pl->Grd_LN->item(2, 1)->text(), Suzuki + Tanaka);
    for (int g = 0; g <= 3; ++g) QCOMPARE(Module1::ScoreSheet(2, g).Scores[11], 20);
    QCOMPARE(rows("SELECT ハンデ FROM ハンデ WHERE 選手ID = 3 AND シーズンID = 2"), QStringLiteral("20"));
    saveShot(menu, QStringLiteral("e2e_2_players"));

    // ---- score entry, games 1 and 2 in mark mode
    click(pl->Cmd_InpMARK);
    form_main* fm = forms::loaded<form_main>();
    QVERIFY(fm && fm->isShown() && fm->Frame_Mode->title() == QStringLiteral("マーク入力"));
    games(*fm, {{Here, Yamada, 1, "+7/8-9/*8-9-*72*9-", 137}});
    QCOMPARE(fm->Txt_MARK[0]->text() + fm->Txt_score[0]->text(), QStringLiteral("7s149"));
    games(*fm, {{Down, Sato, 1, "8/7-9/8-*9-7/8-9/8-", 130}, {Down, Suzuki, 1, "9-9-9-9-9-9-9-9-9-9-", 90}});
    click(fm->Pct_moveSEN[1]);
    // Down goes over the empty slots to lane 2, Left back one lane.
    games(*fm, {{Here, Takahashi, 1, "8/8/8/8/8/8/8/8/8/8/8", 180}, {Down, Tanaka, 1, "9/8-9/8-9/8-9/8-9/8-", 130},
                {NextGame, Tanaka, 2, "*9-*9-*9-*9-*9-", 140},       {Qt::Key_Left, Yamada, 2, "*9/8-*7/9-**9/8/9", 180}});
    trigger(fm->menu_move[1]);
    games(*fm, {{Here, Sato, 2, "F/9-7/*G-81*5-6pg/5", 112}});
    saveShot(menu, QStringLiteral("e2e_3_mark_mode"));
    games(*fm, {{Down, Suzuki, 2, "*9/*9/*9/*9/*9/*", 200}, {Down, Takahashi, 2, "9-9/*9-9/*9-9/*9-", 153}});
    press(Qt::Key_Up);
    QCOMPARE(shownTotal(*fm), 200);  // what was entered is shown again

    // The backup holds the sheet as it stands; keep it to compare after the crash.
    const QString backup = env->path(QStringLiteral("B_260517.bup"));
    QVERIFY(QFile::exists(backup));
    std::vector<GameRecord> before;
    for (int s : {0, 1, 2, 3, 6})
        for (int g = 0; g <= 1; ++g) before.push_back(Module1::ScoreSheet(s, g));

    // ---- the program dies; started again, the score entry offers the backup
    resetUi();
    db::close();
    QVERIFY((menu = startProgram()) && (pl = newMatch(2, 1)));
    dlg->expectMsgBox(vbYes, QStringLiteral("保存されていないデータがあります。")).expectOpenFile(backup);
    click(pl->Cmd_InpMARK);
    QVERIFY(dlg->allAnswered() && (fm = forms::loaded<form_main>()) && fm->isShown());
    // The day comes back as the next lane of the sheet, every ball as it was.
    QCOMPARE(int(Module1::LastPlayer), 41);
    for (std::size_t i = 0; i < before.size(); ++i) VX_COMPARE_GAME(Module1::ScoreSheet(36 + int(i / 2), int(i % 2)), before[i]);
    QCOMPARE(pl->Grd_LN->item(7, 1)->text().trimmed() + pl->Grd_LN->item(7, 5)->text().trimmed(), Yamada + Tanaka);

    // ---- games 3 and 4; 山田's third game in pin mode
    press(Down);
    QCOMPARE(shownPlayer(*fm) + QString::number(shownTotal(*fm)), Yamada + "137");
    click(fm->Pct_moveGAM[1]);
    QCOMPARE(shownTotal(*fm), 180);
    press(NextGame);
    click(fm->Cmd_Mode);
    QCOMPARE(fm->Frame_Mode->title() + fm->Txt_GAM->text().trimmed(), QStringLiteral(" ピン入力 3"));
    pinModeGame(*fm);
    QCOMPARE(marks(*fm) + QString::number(shownTotal(*fm)), QStringLiteral("＊　8s／９－＊　９／９－＊　＊　９／８／＊183"));
    saveShot(menu, QStringLiteral("e2e_4_pin_mode"));
    click(fm->Cmd_Mode);
    games(*fm, {{Down, Sato, 3, "7-8-9-6-7-8-9-5-6-7-", 72},      {Down, Suzuki, 3, "6372815463728154637-", 88},
                {Down, Takahashi, 3, "7/*7/*7/*7/*7/*7/", 200},      {Down, Tanaka, 3, "72727272727272727272", 90},
                {NextGame, Tanaka, 4, "", 0},  // 田中 bowls no fourth game
                {Up, Takahashi, 4, "9-8-7-6-5-4-3-2-1-9/9", 64},     {Up, Suzuki, 4, "7/7/7/7/7/7/7/7/7/7/7", 170},
                {Up, Sato, 4, "*******9-**8-", 253},                 {Up, Yamada, 4, "9/9/9/9/9/9/9/9/9/9/9", 190}});

    // ---- end of input (田中's fourth game, never started, is no unfinished game)
    click(fm->Cmd_TOKEI);
    Form_Data* data = forms::loaded<Form_Data>();
    QVERIFY(data && data->isShown() && !fm->isShown());

    // ---- results: every option once, the prize board and the points list shown
    for (QCheckBox* c : {data->Chk_Data[0], data->Chk_Data[1]})
        if (!c->isChecked()) tick(c);
    for (int method = 2; method >= 0; --method)
        for (int target = 2; target >= 0; --target) {
            tick(data->Opt_PntCalc[std::size_t(method)]);
            tick(data->Opt_PntTarget[std::size_t(target)]);
            if (method == 2)
                for (int i = 0; i < 5; ++i) data->Txt_Pnt[std::size_t(i)]->setText(QString::number(10 - 2 * i));
            for (QCheckBox* rule : {data->Chk_rule[0], data->Chk_STSP, data->Chk_HCP}) {
                const bool was = rule->isChecked();
                tick(rule);
                QVERIFY(rule->isChecked() != was && data->Opt_PntCalc[std::size_t(method)]->isChecked() && data->Opt_PntTarget[std::size_t(target)]->isChecked());
                click(data->Cmd_Data);
                QVERIFY(data->Cmd_File->isEnabled() && forms::loaded<Form_NormalDATA>()->isShown() && forms::loaded<Form_ZKT>()->List_ZKT->count() == 5);
                tick(rule);
            }
        }
    click(data->Cmd_Data);
    Form_NormalDATA* board = forms::loaded<Form_NormalDATA>();
    click(board->Cmd_B10[0]);
    saveShot(menu, QStringLiteral("e2e_5_results"));
    // Highest game with handicap decides; five players get 14, 9 and 0 points.
    QCOMPARE(board->Txt_Name[0]->text().trimmed() + board->Txt_Ten[0]->text(), Sato + QStringLiteral("261"));
    QListWidget* list = forms::loaded<Form_ZKT>()->List_ZKT;
    QCOMPARE(list->item(0)->text().left(16) + list->item(1)->text().left(16) + list->item(4)->text().left(14),
             QStringLiteral("１着    14p   佐藤花子２着    09p   鈴木一郎５着    00p   田中"));

    // ---- store
    dlg->expectMsgBox(vbOK, QStringLiteral("書き込んだ人数は5人で、データの合計数は19件でした。"));
    click(data->Cmd_File);
    QVERIFY(dlg->allAnswered() && !forms::loaded<Form_Data>() && !forms::loaded<form_main>() && !forms::loaded<Form_Player>());
    Form_Start& start = forms::get<Form_Start>();
    QVERIFY(start.isShown() && start.Lbl_all_data->text() == "63" && !QFile::exists(backup));
    checkStoredDay(2, 1, 2, {{1, {137, 180, 183, 190}, 12}, {2, {130, 112, 72, 253}, 8}, {3, {90, 200, 88, 170}, 20},
                             {4, {180, 153, 200, 64}, 0}, {5, {130, 140, 90}, 5}});
    // Placing and points sit on the game that gave the placing; the pin-mode game keeps its pins.
    QCOMPARE(rows("SELECT 入賞 || 優Ｐ, 選手ID, ｹﾞｰﾑ FROM データ項目 WHERE 試合ID = 2 AND TRIM(入賞) <> '' ORDER BY 入賞"),
             QStringLiteral("１着  14 2 4|２着  9 3 2|３着  0 1 4|４着  0 4 3|５着  0 5 2"));
    QCOMPARE(rows("SELECT M21 || M22, pin21 FROM マーク JOIN フレーム USING (ID) WHERE マーク.試合ID = 2 AND マーク.選手ID = 1 "
                  "AND ｹﾞｰﾑ = 3"), QStringLiteral("8s／ %1").arg(64 + 512));
    compareWithExpected(QStringLiteral("SD-2-1.txt"));

    // ---- day 2, same season: 高橋 reaches 50 games and 5000 pins
    start.Form_MouseMove();  // the buttons come back when the mouse is over the menu
    QVERIFY((pl = newMatch(1, 2)) && Module1::MatchId.toInt() * 10 + Module1::MatchNo == 32);
    QVERIFY(place(*pl, 4) && place(*pl, 1) && place(*pl, 2));
    click(pl->Cmd_InpMARK);  // the day's backup went with the stored day: nothing offered
    QVERIFY((fm = forms::loaded<form_main>()) && fm->isShown());
    games(*fm, {{Here, Takahashi, 1, "9/8-9/8-9/8-9/8-9/8-", 130}, {Down, Yamada, 1, "9/9/9/9/9/9/9/9/9/9/9", 190},
                {Down, Sato, 1, "8-8-8-8-8-8-8-8-8-8-", 80},         {NextGame, Sato, 2, "************", 300},
                {Up, Yamada, 2, "72727272727272727272", 90},          {Up, Takahashi, 2, "*9-*9-*9-*9-*9-", 140},
                {NextGame, Takahashi, 3, "8/8/8/8/8/8/8/8/8/8/8", 180}, {Down, Yamada, 3, "*9/8-*7/9-**9/8/9", 180},
                {Down, Sato, 3, "9/8-9/8-9/8-9/8-9/8-", 130},         {NextGame, Sato, 4, "7-8-9-6-7-8-9-5-6-7-", 72},
                {Up, Yamada, 4, "9-8-7-6-5-4-3-2-1-9/9", 64},         {Up, Takahashi, 4, "9-9-9-9-9-9-9-9-9-9-", 90}});
    click(fm->Cmd_TOKEI);
    QVERIFY((data = forms::loaded<Form_Data>()) && data->isShown());
    // Back to the score entry, with the players window, and on again: the day is as it was.
    click(data->cmd_back[0]);
    QVERIFY(!forms::loaded<Form_Data>() && fm->isShown() && forms::loaded<Form_Player>() && forms::loaded<Form_Player>()->isShown());
    click(fm->Cmd_TOKEI);
    QVERIFY((data = forms::loaded<Form_Data>()) && data->isShown());
    click(data->Cmd_Data);
    dlg->expectMsgBox(vbOK, QStringLiteral("通算ゲーム数‥50ゲーム　　高橋        \r\n"
                                           "通算合計点数‥‥5000点　　高橋        \r\n"),
                      [] { QVERIFY(forms::loadedByName(QStringLiteral("Form_Wait")) && forms::loadedByName(QStringLiteral("Form_Wait"))->isShown()); })
        .expectMsgBox(vbOK, QStringLiteral("書き込んだ人数は3人で、データの合計数は12件でした。"));
    click(data->Cmd_File);
    QCOMPARE(start.Lbl_all_data->text(), QStringLiteral("75"));
    checkStoredDay(3, 2, 2, {{4, {130, 140, 180, 90}, 0}, {1, {190, 90, 180, 64}, 12}, {2, {80, 300, 130, 72}, 8}});
    compareWithExpected(QStringLiteral("SD-2-2.txt"));

    // ---- the score book lists the newest match's games
    click(start.Cmd_Score);
    Form_Score& book = forms::get<Form_Score>();
    tick(book.Opt_Siai[2]);
    click(book.Cmd_OK[0]);
    QCOMPARE(book.Txt_Siai[1]->text() + ' ' + QString::number(book.data_score->recordset().RecordCount()) + ' ' + book.DBG_Score->model()->index(0, 8).data().toString(),
             "3 12 " + rows("SELECT 競技点 FROM データ項目 WHERE 試合ID = 3 ORDER BY ｹﾞｰﾑ, ID LIMIT 1"));

    // ---- the season results rank the newest match's players by points
    start.Show();
    settle();
    QVERIFY(chooseMenu(QStringLiteral("統計成績(&S)")));
    Form_Seiseki& results = forms::get<Form_Seiseki>();
    tick(results.Opt_when[2]);
    results.txt_siai[0]->setText(results.txt_siai[1]->text());
    click(results.Cmd_SRS_OK);
    QStringList ranked;
    for (int r = 0; r < results.DBGrid1->model()->rowCount(); ++r)
        for (int c : {0, 1, 2, 5}) ranked << results.DBGrid1->model()->index(r, c).data().toString().trimmed();
    QCOMPARE(results.Lbl_info->text() + ' ' + ranked.join(' '),
             QStringLiteral("2026/05/17 から 2026/05/17 まで ") + Sato + " 4 12 582 " + Takahashi + " 4 0 540 " + Yamada + " 4 0 524");

    // ---- the newest match published as its bulletin from the start menu, and read in a browser
    start.Show();
    settle();
    QVERIFY(chooseMenu(QStringLiteral("試合速報作成(&N)")));
    Form_sokuho* f = forms::loaded<Form_sokuho>();
    QVERIFY(f && notOnTop(*f).isEmpty());
    QCOMPARE(f->Lbl_Siai[0]->text() + f->Lbl_Siai[1]->text() + f->Lbl_Siai[2]->text(), QStringLiteral("223"));
    tick(f->Chk_op[0]);
    tick(f->Chk_op[1]);
    click(f->cmd_siaiOK);
    QCOMPARE(f->Txt_file->text() + ' ' + f->Lbl_Siai[3]->text(), inProgramFolder(QStringLiteral("news2_2.htm")) + " 2");
    click(f->Txt_jofo[2]);
    typeKeys(QStringLiteral("<A href=\"index.htm\">戻る</A>"), false);
    click(f->Cmd_OK);
    QVERIFY(!forms::loaded<Form_sokuho>());
    compareWithExpected(QStringLiteral("news2_2.htm"));

    const QString program = chromiumProgram();
    if (program.isEmpty()) QSKIP("chromium is not installed");
    const QString page = inProgramFolder(QStringLiteral("news2_2.htm"));
    const QString dom = QString::fromUtf8(chromium(program, page, {QStringLiteral("--dump-dom")}));
    for (const QString& text : {QStringLiteral("第2シーズン　第2試合のニュースです。"), QStringLiteral("　順位 得点 競技点 優Ｐ 選手名<br>　１着   300 &gt;&gt; 308点"),
                                QStringLiteral("<br>　通算ゲーム数‥50ゲーム　　高橋"), QStringLiteral("佐藤花子選手　　2026/05/17 の 第２ゲーム　　"),
                                QStringLiteral("現時点でのシーズン成績"), QStringLiteral("<a href=\"index.htm\">戻る</a>")})
        QVERIFY2(dom.contains(text), qPrintable(text));
    // Ranking and milestones; score sheet: a heading row and 12 games; 12 cards of three rows; the season
    // and all-time tables of the day's five players with a heading and a totals row; the footer.
    QCOMPARE(dom.count(QStringLiteral("<tr")), 2 + 1 + 12 + 12 * 3 + 2 * (1 + 5 + 1) + 1);
    const QString shot = QStringLiteral(VX_SHOTS_DIR "/e2e_6_bulletin.png");
    QFile::remove(shot);
    chromium(program, page, {"--screenshot=" + shot, QStringLiteral("--window-size=1200,2400"), QStringLiteral("--hide-scrollbars")});
    QVERIFY(QFileInfo(shot).size() > 0);
}

QTEST_MAIN(TestMatchDay)
#include "tst_matchday.moc"
