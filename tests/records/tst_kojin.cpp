// Individual records: the record kinds and their sentences, the game card with its pins, the moves,
// the statistics grids, the hand-offs, and the window opened from the start menu and the score entry.
#include "records/form_ana_kojin.h"
#include "records/form_kojin.h"
#include "records/form_pindiagram.h"
#include "records/playerrecords.h"
#include "recording/form_main.h"
#include "shell/form_wait.h"
#include "support/monkey.h"
#include "support/publishing_fixture.h"
#include "support/recording_fixture.h"
#include "records/scorecard_layout.h"


namespace {

// Players 1, 2, 3, 5 and 40 (typed in after a gap); seasons 1 (matches 10, 11) and 2 (match 20).
// Game 1 has pins (frame 1 a strike, frame 2 left 7-10 then 10, frame 3 a spare entered as a mark,
// tenth X X 5), game 2 has no フレーム row, game 11 scores 8.
void club() {
    QVERIFY(db::exec("INSERT INTO 選手 (選手ID, 選手名) VALUES (1, '山田'), (2, '佐藤'), (3, '高橋'), (5, '鈴木'), (40, '田中')"));
    QVERIFY(db::exec("INSERT INTO 試合 (試合ID, シーズンID, 試合, 試合日) VALUES (10, 1, 1, '2025-04-06'), (11, 1, 2, '2025-05-11'), "
                     "(20, 2, 1, '2026-04-05')"));
    // ID player match game points 上位 S10 ST SP SPF 当日 placing HCP
    const QList<QVariantList> games{
        {1, 1, 10, 1, 3, 1, 187, 5, 3, 1, 1, "１着  ", 10}, {2, 1, 10, 2, 0, 0, 150, 2, 4, 2, 0, QVariant(), 10},
        {3, 2, 10, 1, 1, 1, 170, 3, 5, 1, 1, "２着  ", 20}, {4, 2, 10, 2, 0, 1, 165, 4, 2, 3, 0, QVariant(), 20},
        {5, 40, 11, 1, 5, 1, 210, 7, 2, 0, 1, "１着  ", 0}, {6, 1, 11, 1, 0, 0, 140, 1, 6, 2, 1, "    ", 30},
        {7, 5, 11, 1, 0, 0, 120, 0, 3, 4, 1, "３着  ", 15}, {8, 40, 20, 1, 4, 1, 199, 6, 1, 2, 1, "１着  ", 0},
        {9, 1, 20, 1, 2, 1, 199, 4, 3, 1, 1, "２着  ", 12}, {10, 2, 20, 1, 0, 0, 130, 2, 2, 2, 1, QVariant(), 20},
        {11, 3, 20, 1, 0, 0, 8, 0, 0, 0, 0, QVariant(), 0}};
    for (QVariantList g : games) {
        const int s10 = g[6].toInt(), hcp = g[12].toInt();
        g << s10 + hcp;
        QVERIFY(db::exec("INSERT INTO データ項目 (ID, 選手ID, 試合ID, ｹﾞｰﾑ, 優Ｐ, 上位, S10, ST, SP, SPF, 当日, 入賞, HCP, 競技点, 試合日) "
                         "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, (SELECT 試合日 FROM 試合 WHERE 試合ID = ?))",
                         g + QVariantList{g[2]}));
        QVERIFY(db::exec("INSERT INTO マーク (ID, 選手ID, 試合ID, ｹﾞｰﾑ, M11, M12, M01, M02, M03, S1, S9, S10) "
                         "VALUES (?, ?, ?, ?, '＊', '　', ?, '＊', '５', 20, ?, ?)",
                         {g[0], g[1], g[2], g[3], QStringLiteral("＊%1").arg(g[0].toInt()), s10 - 25, s10}));
        if (g[0].toInt() == 2) continue;
        const bool pins = g[0].toInt() == 1;
        const QVariantList codes = pins ? QVariantList{10, 30, 8, 1, 9, 20, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 10, 10, 5} : QVariantList(21, 30);
        const QVariantList masks = pins ? QVariantList{0, -1, 576, 512, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 0, 31} : QVariantList(21, -1);
        QStringList names{"ID"};
        for (int k = 0; k <= 20; ++k) names << "Flms" + ballSuffix(k) << "pin" + ballSuffix(k);
        QVariantList values{g[0]};
        for (int k = 0; k <= 20; ++k) values << codes[k] << masks[k];
        QVERIFY(db::exec("INSERT INTO フレーム (" + names.join(',') + ") VALUES (" + QStringList(names.size(), "?").join(',') + ")", values));
    }
}

constexpr std::int32_t Down1 = 0x0000FF, Down2 = 0x00FF00, Standing = 0xFF0000, Grey = 0xE0E0E0;

QString ids(const DataSource* ds) {
    QStringList out;
    for (int r = 0; r < ds->recordset().RecordCount(); ++r) out << ds->recordset().keyValue(r).toString();
    return out.join(' ');
}


}  // namespace

class TestKojin : public GuiTest {
    Q_OBJECT

    // Opened from the start menu, as the user opens it.
    Form_Kojin& open() {
        db::ensureOpen();
        club();
        Module1::PinColors = {Down1, Down2, Standing};
        click(shown<Form_Start>().Cmd_Kojin);
        const Form_Wait* wait = forms::loaded<Form_Wait>();  // stood while the window loaded, gone now
        [wait] { QVERIFY(wait && !wait->isShown()); }();
        return forms::get<Form_Kojin>();
    }
    static void choosePlayer(Form_Kojin& f, int id) {
        int row = 0;
        while (f.Data_Sensyu->recordset().valueAt(row, 0).toInt() != id) ++row;
        clickCell(f.DBG_Sensyu, row, 1);
    }
    static QString card(const Form_Kojin& f) {
        QStringList parts{f.txt_ID->text(), f.Txt_Sensyu[1]->text(), f.Txt_Siai[0]->text(), f.Txt_Siai[3]->text()};
        for (const QLineEdit* e : f.Txt_komoku) parts << e->text();
        for (int b : {0, 1, 18, 19, 20}) parts << f.Txt_MARK[std::size_t(b)]->text();
        for (int s : {1, 9, 10, 11, 0}) parts << f.Txt_score[std::size_t(s)]->text();
        return parts.join('|');
    }

private Q_SLOTS:
    // The rules without the window: what counts as a placing, where each move lands, the menu's
    // order of the kinds, and one point is points.
    void rules() {
        QString placings;
        for (const char* p : {"３着", "３ ", "３　", "", " ３", "　３"}) placings += playerrecords::hasPlacing(QString::fromUtf8(p)) ? '1' : '0';
        QCOMPARE(placings, QString("111000"));
        // button, position, count, where it lands
        const int moves[][4] = {{0, 4, 5, 1},  {1, 11, 30, 1}, {1, 12, 30, 2}, {2, 2, 5, 1},  {2, 1, 5, 1},  {3, 4, 5, 5},
                                {3, 5, 5, 5},  {4, 9, 20, 19}, {4, 10, 20, 20}, {4, 3, 5, 5}, {5, 2, 5, 5}};
        for (const auto& m : moves) QCOMPARE(playerrecords::moveTarget(m[0], m[1], m[2]), m[3]);
        QString menu;
        for (int i = 0; i <= 8; ++i) menu += QString::number(playerrecords::kindOfMenuEntry(i));
        QCOMPARE(menu, QString("10542367-1"));
        const playerrecords::CardTexts card{"鈴木", "", "1", "", "", "", ""};
        QCOMPARE(playerrecords::explanation(5, 3, card, true) + playerrecords::explanation(20, 1, card, false),
                 QString("鈴木選手のこの日の最高点です。で入賞しました。勝利ポイントは1p でした。"));  // the spare member has none
    }

    // Each kind for one player and for all players, by its button or (100 + the entry) its menu entry:
    // its games in its order, and after the moves the sentence of the record the list stands on.
    // Player 1's placings are stored padded with blanks. Then kinds without games: their message, the
    // card emptied, the score-card button hidden; the spare member leaves the kinds disabled.
    void recordKinds() {
        struct Row { int player, kind; QList<int> moves; QString games, sentence; };
        const QList<Row> rows{
            {1, 0, {3}, "1 9", "第2回目の入賞です。２着  でした。\r勝利ポイントは2p でした。"},
            {1, 1, {}, "1", "第1回目の一着です。\r勝利ポイントは3p でした。"},
            {0, 100, {5}, "1 5 8", "第3回目の一着です。\r勝利ポイントは4p でした。"},
            {1, 2, {3, 3}, "9 1 2 6", "素点で3番目の点は150点 です。"},
            {1, 105, {5, 2}, "9 1 6 2", "ハンデ込みで3番目の点は\r  170点 です。"},
            {1, 4, {}, "1 2 6 9", "参加　第1ゲームのスコアです。"},
            {1, 5, {3}, "1 6 9", "山田選手の第2回目の試合の最高点です。 \r勝利ポイントはありませんでした。"},
            {0, 5, {}, "1 3 5 6 7 9 8 10", "山田選手のこの日の最高点です。１着  で入賞しました。勝利ポイントは3p でした。"},
            {0, 5, {3, 3, 3, 3}, "1 3 5 6 7 9 8 10", "鈴木選手のこの日の最高点です。 ３着  で、勝利ポイントはありませんでした。"},
            {40, 5, {5}, "5 8", "田中選手の第2回目の試合の最高点です。 １着  で入賞しました。勝利ポイントは4p でした。"},
            {1, 6, {3}, "1 9 2 6", "ストライク数　Best2は\r 　　 4個 です。"},
            {2, 107, {}, "3 4 10", "スペア数　Best1は\r 　　 5個 です。"},
        };
        Form_Kojin& f = open();
        QVERIFY(!forms::get<Form_Wait>().isShown());
        bool waited = false;  // the waiting window stands while the list is read
        connect(f.data_score, &DataSource::aboutToReset, this, [&] { waited = forms::get<Form_Wait>().isShown(); });
        QStringList got, want;
        for (const Row& r : rows) {
            choosePlayer(f, r.player);
            waited = false;
            if (r.kind >= 100) trigger(f.menu_what[std::size_t(r.kind - 100)]);
            else click(f.Cmd_what[std::size_t(r.kind)]);
            const QString games = ids(f.data_score);
            for (int m : r.moves) click(f.cmd_mov[std::size_t(m)]);
            const bool ready = f.ListPosition == f.data_score->currentRow() + 1 && f.cmd_html_score->isVisible() && f.cmd_sp->isVisible() &&
                               f.cmd_sp->isEnabled() && f.cmd_mov[0]->isEnabled() && f.Cmd_SRS->isVisible() && !f.cmd_html->isVisible() &&
                               f.menu_sp->isEnabled() && f.menu_what[7]->isEnabled() && notOnTop(f).isEmpty() && waited;
            got << QString("%1 %2 %3 %4").arg(Module1::AllPlayersFlag).arg(games, f.Lbl_What->caption()).arg(ready);
            want << QString("%1 %2 %3 1").arg(r.player == 0 ? 255 : 0).arg(r.games, r.sentence);
        }
        QCOMPARE(got, want);

        choosePlayer(f, 3);
        QVERIFY(f.Txt_MARK[0]->text().isEmpty() && f.Lbl_What->caption().isEmpty() && !f.cmd_mov[0]->isEnabled());
        // Chosen from the menu, an empty kind's message gives the keyboard back to the player list
        // (the list comes back while the message stands).
        const QString name = f.Txt_Sensyu[1]->text();
        dlg->modal().expectMsgBox(vbOK, "一着データがありません");
        trigger(f.menu_what[0]);
        dlg->modal(false);
        press(Qt::Key_Up);
        const QString above = f.Txt_Sensyu[1]->text();
        press(Qt::Key_Down);
        QVERIFY(!above.isEmpty() && above != name && f.Txt_Sensyu[1]->text() == name);
        dlg->expectMsgBox(vbOK, "ポイントのあるデータがありません");
        click(f.Cmd_what[0]);
        dlg->expectMsgBox(vbOK, "一着データがありません");
        click(f.Cmd_what[1]);
        QVERIFY(!f.cmd_html_score->isVisible() && f.Txt_score[10]->text().isEmpty() && f.Cmd_what[2]->isEnabled());
        click(f.Cmd_what[6]);  // one game, scratch 8: the extra racks hide as in the score book
        QVERIFY(!f.Pins->Pct_flame[10]->isVisible() && !f.Pins->Pct_flame[11]->isVisible() && f.Lbl_What->caption() == "ストライク数　Best1は\r 　　 0個 です。");
        f.Cmd_what[20]->click();
        settle();
        QVERIFY(!f.Cmd_what[0]->isEnabled() && !f.menu_what[0]->isEnabled() && f.Txt_score[10]->text().isEmpty() && f.RecordKind == 20);
    }

    // A name of ten full-width characters: the list's name column shows it whole beside the ID, the
    // name box its start whoever writes it; every sentence of every kind, for the player and for
    // all players, shows whole, its carriage returns as line breaks, between the card and the pins.
    void longNameAndSentencesShownWhole() {
        Form_Kojin& f = open();
        const QString name = "勅使河原まさひろ之介";
        QVERIFY(db::exec("UPDATE 選手 SET 選手名 = ? WHERE 選手ID = 40", {name}));
        f.Data_Sensyu->Refresh();
        choosePlayer(f, 40);
        const QHeaderView* head = f.DBG_Sensyu->horizontalHeader();
        QVERIFY(head->sectionPosition(0) == 0 && head->sectionViewportPosition(1) + head->sectionSize(1) <= f.DBG_Sensyu->viewport()->width() &&
                head->sectionSize(1) >= f.DBG_Sensyu->fontMetrics().horizontalAdvance(name) + 6 && !f.DBG_Sensyu->horizontalScrollBar()->isVisible());
        int named = 0;
        QStringList notAtStart{QString::number(f.Txt_Sensyu[1]->cursorPosition())}, cut;
        notAtStart.removeAll("0");
        const QRect pins = f.Pins->geometry(), card = f.Txt_score[6]->geometry().united(f.Txt_score[0]->geometry());
        for (int player : {40, 0})
            for (int kind = 0; kind < 8; ++kind) {
                choosePlayer(f, player);
                click(f.Cmd_what[std::size_t(kind)]);
                for (int k = 0; k < f.data_score->recordset().RecordCount(); ++k, click(f.cmd_mov[3])) {
                    const CaptionLabel* l = f.Lbl_What;
                    if (l->text().count('\n') != l->caption().count('\r') || l->heightForWidth(l->width()) > l->height() ||
                        l->geometry().intersects(pins) || l->geometry().intersects(card))
                        cut << l->caption();
                    if (player == 40 && kind == playerrecords::BestOfDay && k == 0) saveShot(f.subWindow(), "records_kojin_longname", {name});
                    if (f.Txt_Sensyu[1]->text() != name) continue;
                    ++named;
                    if (f.Txt_Sensyu[1]->cursorPosition() != 0) notAtStart << l->caption();
                }
            }
        QVERIFY(named > 8);
        QCOMPARE(cut, QStringList());
        QCOMPARE(notAtStart, QStringList());
    }

    // The card of game 1 and its pins; a game without a フレーム row; the moves through a list; the
    // list view. Season and all-time statistics of one player and of all players, against figures
    // worked out by hand; a rate without chances is empty. Then the page hand-offs.
    void cardStatisticsAndHandOffs() {
        Form_Kojin& f = open();
        QVERIFY(!f.cmd_mov[0]->isEnabled() && !f.menu_what[0]->isEnabled() && !f.menu_sp->isEnabled() && !f.Cmd_Tsusan->isEnabled() &&
                !f.Cmd_SRS->isVisible() && !f.cmd_sp->isVisible() && !f.cmd_html_score->isVisible() && !f.Pins->Pct_flame[10]->isVisible());
        choosePlayer(f, 1);
        click(f.Cmd_what[4]);
        QCOMPARE(card(f), QString("1|山田|2025/04/06|1|１着  |3|5|3|＊|　|＊1|＊|５|20|162|187|10|197"));
        // Frame 1 a strike; frame 2: 7 down on the first ball, 10 left by the second; frame 3's
        // spare entered as a mark leaves pin 1 as the first ball left it; tenth X X 5.
        const QList<QPair<int, std::int32_t>> pins{{0, Down1}, {9, Down1}, {10, Down1}, {16, Down2}, {19, Standing},
                                                    {20, Down2}, {21, Down1}, {30, Grey}, {90, Down1}, {99, Down1},
                                                    {100, Down1}, {109, Down1}, {110, Down2}, {114, Down2}, {115, Down1}};
        for (const auto& [shape, colour] : pins) QCOMPARE(f.Pins->pinColor(shape), colour);
        QVERIFY(f.Pins->Pct_flame[10]->isVisible() && f.Pins->Pct_flame[11]->isVisible());
        // The card as read: the handicap beside the first row's marks, the score with it below.
        const QRect hcp = f.Txt_score[11]->geometry(), total = f.Txt_score[0]->geometry();
        QCOMPARE(cardOutOfPlace(f.Txt_MARK, f.Txt_score), QString());
        QVERIFY(hcp.left() > f.Txt_score[5]->geometry().right() && hcp.top() == f.Txt_MARK[8]->y() && total.left() == hcp.left() &&
                std::abs(total.top() - hcp.bottom() - 1) <= 1 && total.right() < f.width());
        saveShot(f.subWindow(), "records_kojin");
        click(f.cmd_mov[3]);  // next: game 2 has no pins stored
        QCOMPARE(QString::number(f.Pins->pinColor(0), 16) + f.Txt_Siai[3]->text() + f.Lbl_What->text(), QString("e0e0e02参加　第2ゲームのスコアです。"));
        // Then in the list of 4: forward ten (to the last), back ten (to the first), last, previous.
        QString path;
        for (std::size_t button : {4, 3, 1, 2, 5, 2, 0}) click(f.cmd_mov[button]), path += QString::number(f.ListPosition);
        QCOMPARE(path, QString("4411431"));
        // A click in the list moves the card too.
        click(f.cmd_sp);
        QVERIFY(f.DBG_Score->isVisible() && f.Height() >= 7300);
        clickCell(f.DBG_Score, 3, 0);
        QCOMPARE(f.txt_ID->text() + f.Lbl_What->text() + '|' + gridText(f.DBG_Score).section('|', 3, 3),
                 QString("9参加　第4ゲームのスコアです。|山田   1 2026/04/05 2 ２着   199 211 ＊ 　                 ＊9 ＊ ５ 2026-04-05 20 "));
        saveShot(f.subWindow(), "records_kojin_list");

        choosePlayer(f, 1);
        QVERIFY(f.cmd_sp->isVisible() && !f.cmd_sp->isEnabled());  // no list until a kind is chosen
        click(f.Cmd_SRS);
        QVERIFY(!f.Cmd_SRS->isVisible() && f.cmd_html->isVisible() && !f.Cmd_Tsusan->isEnabled() && f.DBGrid1->isVisible() && f.DBGrid2->isVisible() &&
                f.cmd_sp->isEnabled());
        QCOMPARE(gridText(f.DBGrid1) + " / " + gridText(f.DBGrid2), QString("1 3 3 1 33.33% 477 159.00 8 2.67 13 5 72.22%|"
                                                                   "2 1 2 1 100.00% 199 199.00 4 4.00 3 1 75.00% /  "
                                                                   "4 5 2 50.00% 676 169.00 12 3.00 16 6 72.73%"));
        saveShot(f.subWindow(), "records_kojin_statistics");
        choosePlayer(f, 3);
        QVERIFY(f.Cmd_SRS->isVisible() && !f.cmd_html->isVisible());  // a new player: statistics to ask for again
        click(f.Cmd_Tsusan);
        QVERIFY(gridText(f.DBGrid2) == " 1 0 0 0.00% 8 8.00 0 0.00 0 0 " && !f.DBGrid1->isVisible() && f.Height() >= 4400 - 15);
        choosePlayer(f, 0);
        click(f.Cmd_what[4]);
        click(f.Cmd_SRS);
        QCOMPARE(f.Txt_Sensyu[0]->text() + f.Txt_Sensyu[1]->text() + f.Txt_Siai[0]->text() + f.Lbl_What->text(), QString("0全　員"));
        QCOMPARE(gridText(f.DBGrid1).section('|', 1, 1) + gridText(f.DBGrid2).section(' ', 1, 2), QString("2 4 6 2 50.00% 536 134.00 12 3.00 6 5 54.55%11 15"));
        dlg->expectMsgBox(vbOK, "全員の成績のhtmlは、トップメニューから[統計成績]を選んで行ってください。");
        click(f.cmd_html);
        click(f.Cmd_what[4]);  // a kind again: the statistics button back in the page button's place
        QVERIFY(f.Cmd_SRS->isVisible() && !f.cmd_html->isVisible() && f.cmd_html_score->isVisible());
        // The list back: the score-card page gets the list of the third record, which stays current.
        click(f.cmd_sp);
        QVERIFY(f.Cmd_SRS->isEnabled() && !f.DBGrid2->isVisible());
        for (int i = 0; i < 2; ++i) click(f.cmd_mov[3]);
        const QString third = f.data_score->recordset().Bookmark();
        click(f.cmd_html_score);
        QCOMPARE(Module1::HtmlCallerTag + QString::number(Module1::HtmlCallerCount) + ' ' + QString::number(f.ListPosition) + f.txt_ID->text(),
                 QString("Form_Kojin no Hyoji Score11 32"));
        QVERIFY(Module1::HtmlCallerBookmark == third);
        choosePlayer(f, 3), click(f.Cmd_what[4]), click(f.cmd_html_score);
        QCOMPARE(Module1::HtmlCallerCount, 1);  // a list of one game goes too
        // A list of more than 32,767 games is counted whole.
        QVERIFY(db::exec("INSERT INTO データ項目 (選手ID, 試合ID, ｹﾞｰﾑ, S10) WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL "
                         "SELECT n + 1 FROM c WHERE n < 32770) SELECT 3, 20, n, 100 FROM c"));
        QVERIFY(db::exec("INSERT INTO マーク (ID, 選手ID) SELECT ID, 選手ID FROM データ項目 WHERE 選手ID = 3 AND ID > 11"));
        choosePlayer(f, 3);
        click(f.Cmd_what[4]);
        click(f.cmd_html_score);
        QCOMPARE(Module1::HtmlCallerCount, 32771);
    }

    // The score entry's 選手情報 opens the window on the current slot's player by its ID, not by its
    // place in the list (ID 5 is the fifth row, where ID 40 stands); an empty slot leaves it as it is.
    // Settings: the kept list view, and the position and height saved on leaving the window.
    // Everything in the window tried in turn; what it shows at each step is kept.
    void triedEverything() {
        open();
        vxtest::monkey(*dlg, 400, 7);
    }
    void statisticsTriedEverything() {
        Form_Kojin& f = open();
        choosePlayer(f, 1);
        click(f.cmd_graph);
        vxtest::monkey(*dlg, 300, 37, [&f] {
            click(f.cmd_graph);
            return forms::loaded<Form_ana_kojin>();
        });
    }

    void openedFromScoreEntryAndSettings() {
        settings::SaveSetting("setting", "kojin_score", "1");
        settings::SaveSetting("form", "kojin_height", "5000");
        db::ensureOpen();
        club();
        setUpMatch();
        placePlayer(0, 5, QStringLiteral("鈴木"));
        click(shown<form_main>().Cmd_Kojin);
        Form_Kojin& f = forms::get<Form_Kojin>();
        QVERIFY(notOnTop(f).isEmpty() && f.Chk_score->isChecked() && std::abs(f.Height() - 5000) < 15 && f.Width() == 9450);
        QCOMPARE(f.Txt_Sensyu[0]->text() + f.Txt_Sensyu[1]->text() + f.Data_Sensyu->text("選手名") + QString::number(Module1::AllPlayersFlag),
                 QString("5鈴木        鈴木0"));
        QVERIFY(f.Cmd_Tsusan->isEnabled() && f.Txt_MARK[0]->text().isEmpty() && f.Lbl_What->text().isEmpty());
        click(f.Cmd_what[4]);
        click(f.Cmd_End);
        QVERIFY(!f.isShown() && forms::loaded<Form_Kojin>() && ids(f.data_score) == "7");
        Module1::CurPlayer = 2;  // no player in this slot
        click(shown<form_main>().Cmd_Kojin);
        QCOMPARE(f.Txt_Sensyu[0]->text() + f.Txt_MARK[0]->text() + QString::number(Module1::AllPlayersFlag) + ids(f.data_score) + notOnTop(f), QString("5＊07"));
        // A player registered since the window opened is found too.
        QVERIFY(db::exec("INSERT INTO 選手 (選手ID, 選手名) VALUES (41, '新人')"));
        placePlayer(2, 41, QStringLiteral("新人"));
        click(shown<form_main>().Cmd_Kojin);
        QCOMPARE(f.Txt_Sensyu[0]->text() + f.Data_Sensyu->text("選手名") + QString::number(Module1::AllPlayersFlag), QString("41新人0"));
        QVERIFY(static_cast<PlayerRecordsLink&>(f).openOnPlayer(0, "全　員") && f.Txt_Sensyu[0]->text() == "0");  // the first row is found too

        choosePlayer(f, 1);
        click(f.Cmd_what[2]);
        click(f.Cmd_SRS);
        tick(f.Chk_score);  // off, then on again: the list view at once, its button off
        tick(f.Chk_score);
        QVERIFY(!f.cmd_sp->isEnabled() && f.DBG_Score->isVisible() && !f.DBGrid1->isVisible() && f.Height() >= 7300);
        tick(f.Chk_score);
        QVERIFY(f.cmd_sp->isEnabled());  // off: the list by its button again
        f.setHeight(4400);
        f.setWidth(8000);
        settle();
        QVERIFY(f.Height() >= 4250 - 15 && f.Width() == 9450);
        // The keys choose a player as a click does.
        clickCell(f.DBG_Sensyu, 0, 1);
        press(Qt::Key_Down);
        QCOMPARE(f.Txt_Sensyu[0]->text() + f.Txt_Sensyu[1]->text() + QString::number(Module1::AllPlayersFlag), QString("1山田0"));
        QVERIFY(!f.DBG_Score->isVisible() && !f.Chk_score->isVisible() && f.Cmd_what[0]->isEnabled() && f.Height() < 4400);
        recordBrowser();
        trigger(f.menu_h);
        QVERIFY(launched.join(' ').endsWith("/vh_kojin.htm"));
        f.setHeight(4400);
        f.setLeft(600);
        settle();
        shown<Form_Start>();
        using settings::GetSetting;
        QCOMPARE(GetSetting("setting", "kojin_score", "") + GetSetting("Form", "kojin_height", "") + ' ' + GetSetting("Form", "kojin_left", ""), "04395 600");
        QVERIFY(!shown<Form_Kojin>().Chk_score->isChecked());
        f.subWindow()->close();  // the close box only hides it
        settle();
        QVERIFY(!f.isShown() && forms::loaded<Form_Kojin>() == &f);
    }
};

QTEST_MAIN(TestKojin)
#include "tst_kojin.moc"
