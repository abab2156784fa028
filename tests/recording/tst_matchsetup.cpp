// Setting up the day through its windows: the proposed match, every refusal, seasons and venues
// added; then the players placed in lane slots with their handicaps, new players, and the hand-over
// to the score entry.
#include "common/convert.h"
#include "platform/boundgrid.h"
#include "platform/datasource.h"
#include "recording/form_player.h"
#include "recording/form_siai.h"
#include "recording/matchsetup.h"
#include "recording/placement.h"
#include "recording/scoreentry_model.h"
#include "shell/form_start.h"
#include "support/dayfixture.h"
#include "support/gui.h"
#include <QtWidgets>

using namespace vx;
using namespace vxtest;
using namespace Module1;

namespace {
QVariant sql(const QString& text) { return db::scalar(text); }
using Cell = std::pair<int, int>;

// The set-up boxes 0..7: match ID, season, year, month, day, venue, number in the season, venue row.
QString boxes(const Form_Siai& f) {
    QStringList t;
    for (const QLineEdit* box : f.Txt_Siai) t << box->text();
    return t.join(u'|');
}
// The current match other than its ID, as one text.
QString currentMatch() {
    return QString("%1 %2 %3-%4-%5 %6").arg(SeasonId.toString()).arg(MatchNo).arg(MatchYear).arg(MatchMonth).arg(MatchDay).arg(VenueId);
}

Form_Siai& openSiai() {
    LastGame = 3;
    return shown<Form_Siai>();
}

// Two seasons, two venues and one stored match (ID 5: season 1, match 2).
void storedMatches() {
    execSql("INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2025', '秋'), ('2026', '春')");
    execSql("INSERT INTO 会場 (会場名) VALUES ('駅前レーン'), ('中央ボウル')");
    execSql("INSERT INTO 試合 (試合ID, シーズンID, 試合, 試合日) VALUES (5, 1, 2, '2025-10-01')");
}

// Players 1 山田 (handicap 12 in season 1), 2 O'Neil (none), 3 佐藤 (8), 32500 古株 (none, an ID
// beyond the ID scroll bar's reach); season 1 is the match's.
Form_Player& openPlayers() {
    execSql("INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2026', '春')");
    execSql("INSERT INTO 選手 (選手ID, 選手名) VALUES (1, '山田'), (2, 'O''Neil'), (3, '佐藤'), (32500, '古株')");
    execSql("INSERT INTO ハンデ (選手ID, シーズンID, ハンデ) VALUES (1, 1, 12), (3, 1, 8), (2, 9, 30)");
    LastGame = 3, SeasonId = 1;
    matchsetup::freshSheet();
    return shown<Form_Player>();
}

// Clicks player `id`'s row in the players grid.
void choose(Form_Player& f, int id) {
    auto& rs = f.Data_Sensyu->recordset();
    for (int r = 0; r < rs.RecordCount(); ++r)
        if (rs.valueAt(r, 0).toInt() == id) return clickCell(f.DBG_Sensyu, f.DBG_Sensyu->gridModel()->index(r, 1));
    QFAIL("no such player");
}
void at(Form_Player& f, int row, int col) { clickCell(f.Grd_LN, f.Grd_LN->model()->index(row, col)); }
// Chooses a player and places it with the arrow button into the cell.
void placeAt(Form_Player& f, int id, int row, int col) {
    choose(f, id);
    at(f, row, col);
    click(f.Pct_ADD);
}

QString cell(Form_Player& f, int row, int col) { return f.Grd_LN->item(row, col)->text(); }
// The cell is in view and its text fits between the cell's text margins, so it is not shortened.
bool shownWhole(Form_Player& f, int row, int col) {
    QTableWidget* g = f.Grd_LN;
    const QRect r = g->visualRect(g->model()->index(row, col));
    const int margin = g->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, g) + 1;
    return g->viewport()->rect().contains(r) && g->fontMetrics().horizontalAdvance(cell(f, row, col)) <= r.width() - 2 * margin;
}
Cell cursor(Form_Player& f) { return {f.cursorRow(), f.cursorCol()}; }
// A slot as "ID name handicap / handicap of every game".
QString slot(int s) {
    QString games;
    for (int g = 0; g <= LastGame; ++g) games += ' ' + QString::number(ScoreSheet(s, g).Scores[11]);
    const auto i = std::size_t(s);
    return QString("%1 %2 %3 /%4").arg(PlayerIds[i]).arg(PlayerNames[i].str().trimmed()).arg(PlayerHcps[i]).arg(games);
}
bool normalHeight(const Form_Player& f) { return std::abs(f.Height() - Form_Player::NormalHeight) <= 15; }
}  // namespace

class TestMatchSetup : public GuiTest {
    Q_OBJECT
private Q_SLOTS:
    // Loading starts a fresh sheet; a new match is proposed from the stored ones and today; the
    // window comes back where it was left; seasons and venues are added.
    void proposedMatch() {
        LastPlayer = 5;
        ScoreSheet.redim(0, 5, 0, 3);
        ScoreSheet(2, 1).Codes[4] = 7;
        CurPlayer = 4;
        {
            Form_Siai& f = openSiai();
            QCOMPARE(QString("%1 %2 %3 %4").arg(LastPlayer).arg(CurPlayer).arg(ScoreSheet.hi1()).arg(ScoreSheet.hi2()), QStringLiteral("35 0 35 3"));
            const GameRecord& r = ScoreSheet(2, 1);
            QCOMPARE(QString("%1 %2 %3").arg(r.Codes[4]).arg(r.Marks[0]).arg(r.PinMasks[20]), QString("30 %1 -1").arg(EmptyMark));
            QVERIFY(!f.cmd_siaiOK->isEnabled() && !f.menu_OK->isEnabled() && !f.Txt_Siai[1]->isEnabled() && f.VSc_ymd[0]->value() == 2000);

            click(f.Cmd_New);
            QCOMPARE(boxes(f) + QString::number(MatchId.toInt() * 10000 + f.VSc_ymd[0]->value()), QStringLiteral("1||2026|05|17||1|12026"));  // an empty table, today
            QVERIFY(f.cmd_siaiOK->isEnabled() && f.menu_OK->isEnabled() && !f.Cmd_New->isEnabled() && !f.menu_newgame->isEnabled());
            QVERIFY(f.Txt_Siai[6]->isEnabled() && f.txt_Kaijo[1]->isEnabled() && !f.Txt_Siai[7]->isEnabled());
            f.VSc_ymd[1]->setValue(3);
            f.HSc_siai->setValue(12);
            QCOMPARE(f.Txt_Siai[3]->text() + f.Txt_Siai[6]->text(), QStringLiteral("0312"));
            f.Unload();
        }
        storedMatches();
        execSql("INSERT INTO 試合 (試合ID, シーズンID, 試合) VALUES (31, 2, 1), (7, 2, 2)");
        Form_Siai& f = openSiai();
        click(f.Cmd_New);
        // The newest season and the first venue are preselected.
        QCOMPARE(boxes(f), QStringLiteral("32|2|2026|05|17|1|1|1"));
        saveShot(&f, QStringLiteral("form_siai"));

        f.setLeft(600), f.setTop(300);
        click(f.cmd_back);
        QVERIFY(!forms::loaded<Form_Siai>() && forms::get<Form_Start>().isShown());
        Form_Siai& g = openSiai();
        QCOMPARE(Cell(qRound(g.Left()), qRound(g.Top())), Cell(600, 300));

        // Seasons and venues are added.
        click(g.Cmd_Add[1]);
        QVERIFY(!g.DBGrid1->isEnabled() && !g.DBGrid2->isEnabled() && !g.cmd_siaiOK->isEnabled() && !g.menu_kaijo->isEnabled() && g.menu_season->isEnabled());
        QCOMPARE(keyboard(), g.Txt_ADD[1]);
        click(g.Cmd_Add_OK[1]);  // no name: stays in the adding state
        QVERIFY(dlg->beeps() == 1 && g.Data_kaijo->isAdding() && keyboard() == g.Txt_ADD[1]);
        typeKeys(QStringLiteral("Bowl'House"));
        click(g.Cmd_Add_OK[1]);
        QCOMPARE(rows("SELECT 会場ID, 会場名 FROM 会場"), QStringLiteral("1 駅前レーン|2 中央ボウル|3 Bowl'House"));
        QVERIFY(g.Txt_ADD[1]->isHidden() && g.DBGrid1->isEnabled() && g.DBGrid2->isEnabled() && g.menu_kaijo->isEnabled() && g.cmd_siaiOK->isEnabled());
        click(g.Cmd_Add_OK[1]);  // a second OK adds nothing
        QCOMPARE(sql("SELECT COUNT(*) FROM 会場").toInt() * 10 + dlg->beeps(), 31);
        // Choosing the venue row sets the match's venue.
        auto* vm = g.DBGrid2->gridModel();
        QCOMPARE(vm->data(vm->index(2, 0)).toString() + vm->data(vm->index(2, 1)).toString(), QStringLiteral("3Bowl'House"));
        clickCell(g.DBGrid2, vm->index(2, 1));
        QCOMPARE(g.Txt_Siai[5]->text() + g.Txt_Siai[7]->text(), QStringLiteral("33"));

        trigger(g.menu_season);
        typeKeys(QStringLiteral("2026 Fall"));
        click(g.Cmd_Add_OK[0]);
        // Newest first: the new season is current.
        QCOMPARE(sql("SELECT シーズン名 FROM シーズン WHERE シーズンID = 3").toString() + g.Txt_Siai[1]->text(), QStringLiteral("2026 Fall3"));

        // A season typed into the grid's new line.
        auto* sm = g.DBGrid1->gridModel();
        const int newLine = sm->rowCount() - 1;
        QVERIFY(sm->isNewLine(newLine));
        g.DBGrid1->setCurrentIndex(sm->index(newLine, 2));
        QVERIFY(sm->setData(sm->index(newLine, 2), QStringLiteral("Winter")));
        QVERIFY(g.DBGrid1->commitRow());
        QCOMPARE(sql("SELECT シーズン名 FROM シーズン WHERE シーズンID = 4").toString(), QStringLiteral("Winter"));
    }

    // Boxes as typed (ID, season, date, venue, number): a refusal names the box to fix and changes
    // nothing but the current ID; an accepted match is fixed and the players window follows.
    void typedMatch_data() {
        QTest::addColumn<QString>("typedText");  // ID,season,year/month/day,venue,number
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focusBox");
        QTest::addColumn<QString>("idAfter");
        const QString below = QStringLiteral("試合番号は１以上の整数を入力してください");
        const QString date = QStringLiteral("正しい日付を入力してください");
        const QString number = QStringLiteral("シーズン中の試合番号は１から３２７６７までの整数で入力してください");
        auto row = [](const char* name, const char* typed) -> QTestData& { return QTest::newRow(name) << QString::fromUtf8(typed); };
        row("fraction below one", "0.9,2,2026/5/17,1,1") << below << 0 << "0";
        row("beyond 16 bits", "32768,2,2026/5/17,1,1") << below << 0 << "32768";
        row("stored id, new pair", "5,2,2026/5/17,1,9") << QStringLiteral("試合番号が重複しています") << 0 << "5";
        row("new id, stored pair", "6.5,1,2026/5/17,1,2") << QStringLiteral("シーズン中の試合番号が重複しています") << 6 << "6";
        row("venue 256", "6,2,2026/5/17,256,1") << date << 3 << "6";
        row("30 February", "6,2,2000/2/30,1,1") << date << 3 << "6";
        row("year before 1900", "6,2,1899/5/17,1,1") << date << 3 << "6";
        row("year after 2099", "6,2,2100/5/17,1,1") << date << 3 << "6";
        row("number too large", "6,2,2026/5/17,1,32768") << number << 6 << "6";
        row("number -0", "6,2,2026/5/17,1,-0") << number << 6 << "6";
        row("number fraction", "6,2,2026/5/17,1,1.5") << number << 6 << "6";
        row("fraction", "12.7,1,2000/2/29,2,3") << QString() << -1 << "12";
        row("leading blanks, the last ID", "  32767abc,1,2099/12/31,255,32767") << QString() << -1 << "32767";
        row("the first ID, year and venue", "1,1,1900/1/1,1,1") << QString() << -1 << "1";
    }
    void typedMatch() {
        QFETCH(QString, typedText);
        const QStringList typed = typedText.replace(u'/', u',').split(u',');
        QFETCH(QString, message);
        QFETCH(int, focusBox);
        QFETCH(QString, idAfter);
        storedMatches();
        Form_Siai& f = openSiai();
        click(f.Cmd_New);
        MatchId = 99, SeasonId = 77, MatchNo = 3, MatchYear = 1999, MatchMonth = 4, MatchDay = 8, VenueId = 9;
        for (int i = 0; i < 7; ++i) {
            f.Txt_Siai[std::size_t(i)]->setFocus();
            press(Qt::Key_A, Qt::ControlModifier);
            typeKeys(typed[i]);
        }
        if (message.isEmpty()) {
            trigger(f.menu_OK);
            QCOMPARE(MatchId.toString(), idAfter);
            QCOMPARE(currentMatch(), QStringList({typed[1], typed[6], typed.mid(2, 3).join('-'), typed[5]}).join(' '));
            QVERIFY(!forms::loaded<Form_Siai>() && forms::loaded<Form_Player>() && forms::loaded<Form_Player>()->isShown());
            return;
        }
        dlg->expectMsgBox(vbOK, message);
        click(f.cmd_siaiOK);
        QVERIFY(dlg->shown().front().style == vbOKOnly && dlg->beeps() == 1 && keyboard() == f.Txt_Siai[std::size_t(focusBox)]);
        // The ID read stays current.
        QCOMPARE(f.Txt_Siai[0]->text() + ' ' + MatchId.toString() + ' ' + currentMatch(), idAfter + ' ' + idAfter + QStringLiteral(" 77 3 1999-4-8 9"));
        QVERIFY(forms::loaded<Form_Siai>() == &f && !forms::loaded<Form_Player>());
    }

    // The slot arithmetic; players placed with their stored handicaps and handed over.
    void placingWithStoredHandicaps() {
        LastPlayer = 35;
        for (int s = 0; s <= 35; ++s) {
            QCOMPARE(Cell(placement::laneOf(s), placement::orderOf(s)), Cell(s / 6 + 1, s % 6 + 1));
            QCOMPARE(placement::slotOf(placement::laneOf(s), placement::orderOf(s)), s);
        }
        QVERIFY(placement::nextCell(1, 6) == Cell(2, 1) && placement::nextCell(6, 6) == Cell(1, 1));  // wraps to the first slot
        placement::allocateSlots();
        QVERIFY(placement::isSlot(0) && placement::isSlot(35) && !placement::isSlot(36) && !placement::isSlot(-1));
        LastPlayer = 41;  // an import added a lane
        QCOMPARE(placement::nextCell(6, 6), Cell(7, 1));
        QCOMPARE(placement::toInt16(2.5) + placement::toInt16(-40000) + placement::toInt16(qInf()), 2 - 32768);
        Form_Player& f = openPlayers();
        QCOMPARE(cell(f, 0, 1) + cell(f, 6, 0), QStringLiteral("1番目 6ﾚｰﾝ"));
        QVERIFY(cursor(f) == Cell(1, 1) && PlayerIds == std::vector<std::int16_t>(36, -1) && normalHeight(f));
        choose(f, 1);
        at(f, 2, 3);  // lane 2, third: slot 8
        QCOMPARE(f.txt_ID->text() + f.Txt_NAME->text() + QString::number(CurPlayer), QStringLiteral("1山田8"));
        click(f.Pct_ADD);  // the cursor moves on
        QCOMPARE(slot(8) + cell(f, 2, 3) + QString::number(f.cursorCol()), QStringLiteral("1 山田 12 / 12 12 12 12山田4"));
        // Enter in the player grid places too (as a double-click does), into the next cell.
        choose(f, 3);
        press(Qt::Key_Return);
        QCOMPARE(slot(9), QStringLiteral("3 佐藤 8 / 8 8 8 8"));
        f.layoutLaneGrid();  // as after reading a file: the names as the slots hold them, padded
        QVERIFY(shownWhole(f, 2, 3) && shownWhole(f, 2, 4) && shownWhole(f, 6, 6));
        saveShot(&f, QStringLiteral("form_player"));

        // The hand-over: every game takes its slot's name; the first visit starts at the first slot.
        scoreEntry().setMarkText(3, "５");
        at(f, 0, 0);
        click(f.Cmd_InpMARK);
        QCOMPARE(f.ScoreEntryVisits * 10 + CurPlayer, 10);
        for (int g = 0; g <= 3; ++g)
            QCOMPARE(ScoreSheet(8, g).Name.str() + ScoreSheet(9, g).Name.str() + ScoreSheet(0, g).Name.str(), QStringLiteral("山田        佐藤        選手名未入力    "));
        QCOMPARE(scoreEntry().playerNameText() + '|' + scoreEntry().gameNumberText() + '|' + scoreEntry().markText(3), QStringLiteral("選手名未入力    | 1|") + EmptyMark);
        // Leaving the window for another hands over the cursor's slot; outside the sheet is slot 0.
        f.Show();
        CurGame = 2;
        at(f, 2, 4);
        forms::get<Form_Start>().Show();
        const QString handed = scoreEntry().playerNameText().trimmed() + scoreEntry().gameNumberText() + QString::number(CurPlayer);
        placement::handOver(-7);
        QCOMPARE(handed + QString::number(CurPlayer), QStringLiteral("佐藤 390"));
    }

    void handicapEnteredForAPlayerWithoutOne_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::newRow("handicap only in another season") << 2 << "O'Neil";
        QTest::newRow("ID beyond the scroll bar") << 32500 << "古株";
    }
    void handicapEnteredForAPlayerWithoutOne() {
        QFETCH(int, id);
        QFETCH(QString, name);
        Form_Player& f = openPlayers();
        dlg->expectMsgBox(vbOK, QStringLiteral("ハンデを登録してください。"));
        placeAt(f, id, 6, 6);
        QCOMPARE(f.txt_ID->text().trimmed() + ' ' + f.Txt_HCP[0]->text(), QString::number(id) + " -1");
        QVERIFY(f.entry() == Form_Player::Entry::Handicap && keyboard() == f.Txt_HCP[0] && std::abs(f.Height() - Form_Player::EntryHeight) <= 15);
        QVERIFY(!f.Grd_LN->isEnabled() && !f.DBG_Sensyu->isEnabled() && !f.Cmd_InpMARK->isEnabled() && !f.Cmd_newPlayer->isEnabled());
        QVERIFY(f.Pct_ADD->isHidden() && !f.Cmd_OK[1]->isHidden() && f.Cmd_OK[0]->isHidden() && !f.Grd_LN->isEnabled());

        QVERIFY(execSql("CREATE TRIGGER refuse BEFORE INSERT ON ハンデ WHEN NEW.ハンデ = 998 BEGIN SELECT RAISE(ABORT, 'x'); END"));
        // A refusal, or a handicap the database does not take, beeps and leaves the keyboard in the box.
        for (const char* typed : {"1000", "-1000", "998", "999"}) {
            QCOMPARE(keyboard(), f.Txt_HCP[0]);
            press(Qt::Key_A, Qt::ControlModifier);
            typeKeys(QString::fromLatin1(typed));
            click(f.Cmd_OK[1]);
        }
        QCOMPARE(dlg->beeps() * 10 + int(f.entry() == Form_Player::Entry::None), 31);
        QCOMPARE(placement::seasonHandicap(1, id).value_or(-99) * 10 + sql("SELECT COUNT(*) FROM ハンデ WHERE シーズンID = 1").toInt(), 9993);
        QCOMPARE(slot(35), QString("%1 %2 999 / 999 999 999 999").arg(id).arg(name));
        QCOMPARE(cursor(f), Cell(1, 1));  // from the last cell back to the first
        QVERIFY(normalHeight(f) && f.Grd_LN->isEnabled() && f.Cmd_newPlayer->isEnabled() && !f.Pct_ADD->isHidden() && f.Cmd_OK[1]->isHidden());
    }

    // Each placing refusal leaves the slots as they were (a player placed twice is taken out of the
    // cell); new players are stored with their handicap, or not at all.
    void placingRefusalsAndNewPlayers() {
        Form_Player& f = openPlayers();
        dlg->expectMsgBox(vbOK, QStringLiteral("この選手は選択することができません"));
        placeAt(f, 0, 1, 1);  // the reserved all-players row: no beep
        QCOMPARE(dlg->beeps() + PlayerIds[0], -1);
        placeAt(f, 1, 3, 0);  // no slot cell selected: beep and move into the heading row's next cell
        QVERIFY(dlg->beeps() == 1 && cursor(f) == Cell(0, 1));
        placeAt(f, 1, 1, 1);
        dlg->expectMsgBox(vbOK, QStringLiteral("すでに登録された選手がいます。別の場所をクリックしてから入力し直してください。"));
        placeAt(f, 3, 1, 1);
        QCOMPARE(slot(0) + QString::number(cursor(f).first + cursor(f).second), QStringLiteral("1 山田 12 / 12 12 12 120"));
        dlg->expectMsgBox(vbOK, QStringLiteral("この選手はすでに登録されています。"));
        placeAt(f, 1, 4, 2);
        QCOMPARE(QString::number(placement::slotOfPlayer(1)) + QString::number(PlayerIds[19]) + PlayerNames[19].str(), QStringLiteral("0-1") + QString(10, ' '));
        QVERIFY(dlg->beeps() == 3 && dlg->allAnswered());

        placeAt(f, 3, 1, 2);
        at(f, 1, 1);
        dlg->expectMsgBox(vbOK, QStringLiteral("あいている選手枠をクリックしてから登録してください。"));
        click(f.Cmd_newPlayer);  // the next cell is taken as well: never overwritten
        QVERIFY(f.entry() == Form_Player::Entry::None);
        at(f, 1, 2);
        click(f.Cmd_newPlayer);  // moves on to the free third cell
        QVERIFY(cursor(f) == Cell(1, 3) && f.entry() == Form_Player::Entry::NewPlayer && keyboard() == f.Txt_NAME);
        QCOMPARE(f.txt_ID->text() + '|' + f.Txt_NAME->text(), QStringLiteral("32501|"));  // the largest ID + 1, though beyond the bar
        QVERIFY(!f.Cmd_newPlayer->isEnabled() && !f.Cmd_OK[0]->isHidden() && f.Cmd_OK[1]->isHidden());
        typeKeys(QStringLiteral("D'Arcy"));
        saveShot(&f, QStringLiteral("form_player_newplayer"));
        for (const char* bad : {"201", "-101", ""}) {
            f.Txt_HCP[0]->setText(QString::fromLatin1(bad));
            dlg->expectMsgBox(vbOK, QStringLiteral("入力条件が満たされていません"));
            click(f.Cmd_OK[0]);
            QCOMPARE(keyboard(), f.Txt_NAME);
        }
        QCOMPARE(sql("SELECT COUNT(*) FROM 選手").toInt(), 5);  // the reserved row and four players
        f.Txt_HCP[0]->setText("200");
        click(f.Cmd_OK[0]);  // the grid shows the new player
        QCOMPARE(rows("SELECT 選手名, ハンデ, シーズンID FROM 選手 JOIN ハンデ USING (選手ID) WHERE 選手ID = 32501") + '|' + slot(2) + f.txt_ID->text(),
                 QStringLiteral("D'Arcy 200 1|32501 D'Arcy 200 / 200 200 200 20032501"));
        QVERIFY(cursor(f) == Cell(1, 4) && !f.Txt_NAME->isEnabled() && f.Cmd_newPlayer->isEnabled());

        // An abandoned entry leaves the boxes on the grid's player; -100 passes.
        click(f.Cmd_newPlayer);
        typeKeys(QStringLiteral("Ghost"));
        click(f.Cmd_OK[2]);
        QCOMPARE(f.txt_ID->text() + f.Txt_NAME->text(), QStringLiteral("32501D'Arcy"));
        QCOMPARE(sql("SELECT COUNT(*) FROM 選手 WHERE 選手ID = 32502").toInt() + PlayerIds[3], -1);
        click(f.Cmd_newPlayer);
        f.Txt_NAME->setText(QStringLiteral("勘解由小路　左衛門尉"));
        f.Txt_HCP[0]->setText("-100");
        click(f.Cmd_OK[0]);
        QCOMPARE(slot(3), QStringLiteral("32502 勘解由小路　左衛門尉 -100 / -100 -100 -100 -100"));
        QVERIFY(shownWhole(f, 1, 4));
        saveShot(&f, QStringLiteral("form_player_longname"));

        // A player and a handicap are stored together or not at all.
        execSql("CREATE TRIGGER no_hcp BEFORE INSERT ON ハンデ BEGIN SELECT RAISE(ABORT, 'refused'); END");
        QVERIFY(placement::storeNewPlayer(7, "x", 1, 10) == placement::StoreResult::Failed && sql("SELECT COUNT(*) FROM 選手 WHERE 選手ID = 7").toInt() == 0);
        execSql("DROP TRIGGER no_hcp");
        QVERIFY(placement::storeNewPlayer(3, "y", 1, 10) == placement::StoreResult::IdTaken && placement::storeNewPlayer(7, "z'", 1, 10) == placement::StoreResult::Stored);
        QCOMPARE(sql("SELECT COUNT(*) FROM ハンデ WHERE 選手ID = 7").toInt(), 1);

        // Emptying a cell keeps the slot's handicap.
        at(f, 1, 1);
        click(f.Pct_can);
        QCOMPARE(slot(0) + cell(f, 1, 1), QStringLiteral("-1  12 / 12 12 12 12"));
        // The logic never seats over another player nor twice.
        QVERIFY(placement::seat(0, 7, "z'", 10));
        QVERIFY(!placement::seat(0, 1, "山田", 12) && !placement::seat(5, 7, "z'", 10) && !placement::seat(36, 2, "x", 0));
        QCOMPARE(PlayerIds[5], -1);
    }
};

QTEST_MAIN(TestMatchSetup)
#include "tst_matchsetup.moc"
