// Player placement, headless: slot arithmetic, the five checks, handicaps looked up, entered and
// copied into every game, new players, and the hand-over to the score entry.
#include "common/convert.h"
#include "common/database.h"
#include "common/module1.h"
#include "platform/boundgrid.h"
#include "platform/datasource.h"
#include "recording/form_player.h"
#include "recording/matchsetup.h"
#include "recording/placement.h"
#include "recording/scoreentry_model.h"
#include "shell/form_start.h"
#include "support/testenv.h"
#include "support/scripted_dialogs.h"
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QTest>

using namespace vx;
using vxtest::ScriptedDialogs;

namespace {
QVariant sql(const QString& text) { return db::scalar(text); }

// Players 1 山田 (handicap 12 in season 1), 2 O'Neil (none), 3 佐藤 (8), 32500 古株 (none, an ID
// beyond the ID scroll bar's reach); season 1 is the match's.
Form_Player& openPlayers() {
    vxtest::execSql("INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2026', '春')");
    vxtest::execSql("INSERT INTO 選手 (選手ID, 選手名) VALUES (1, '山田'), (2, 'O''Neil'), (3, '佐藤'), (32500, '古株')");
    vxtest::execSql("INSERT INTO ハンデ (選手ID, シーズンID, ハンデ) VALUES (1, 1, 12), (3, 1, 8), (2, 9, 30)");
    Module1::LastGame = 3;
    Module1::SeasonId = 1;
    matchsetup::freshSheet();
    Form_Player& f = forms::get<Form_Player>();
    f.Show();
    return f;
}

// Makes player `id` the grid's current row.
void choose(Form_Player& f, int id) {
    auto& rs = f.Data_Sensyu->recordset();
    for (int r = 0; r < rs.RecordCount(); ++r)
        if (rs.valueAt(r, 0).toInt() == id) {
            f.DBG_Sensyu->setCurrentIndex(f.DBG_Sensyu->gridModel()->index(r, 1));
            return;
        }
    QFAIL("no such player");
}

QString cell(Form_Player& f, int row, int col) { return f.Grd_LN->item(row, col)->text(); }
// The cell is in view and its text fits between the cell's text margins, so it is not shortened.
bool shownWhole(Form_Player& f, int row, int col) {
    QTableWidget* g = f.Grd_LN;
    const QRect r = g->visualRect(g->model()->index(row, col));
    const int margin = g->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, g) + 1;
    return g->viewport()->rect().contains(r) && g->fontMetrics().horizontalAdvance(cell(f, row, col)) <= r.width() - 2 * margin;
}
std::pair<int, int> cursor(Form_Player& f) { return {f.cursorRow(), f.cursorCol()}; }
using Cell = std::pair<int, int>;
// A slot as "ID name handicap / handicap of every game".
QString slot(int s) {
    using namespace Module1;
    QString games;
    for (int g = 0; g <= LastGame; ++g) games += ' ' + QString::number(ScoreSheet(s, g).Scores[11]);
    const auto i = std::size_t(s);
    return QString("%1 %2 %3 /%4").arg(PlayerIds[i]).arg(PlayerNames[i].str().trimmed()).arg(PlayerHcps[i]).arg(games);
}
}  // namespace

class TestPlayers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void slotArithmetic() {
        Module1::LastPlayer = 35;
        for (int s = 0; s <= 35; ++s) {
            QCOMPARE(Cell(placement::laneOf(s), placement::orderOf(s)), Cell(s / 6 + 1, s % 6 + 1));
            QCOMPARE(placement::slotOf(placement::laneOf(s), placement::orderOf(s)), s);
        }
        QCOMPARE(placement::nextCell(1, 6), Cell(2, 1));
        QCOMPARE(placement::nextCell(6, 6), Cell(1, 1));  // wraps to the first slot
        Module1::LastPlayer = 41;  // an import added a lane
        QCOMPARE(placement::nextCell(6, 6), Cell(7, 1));
    }

    void lanesAndPlacingWithStoredHandicaps() {
        vxtest::TestEnv env;
        Form_Player& f = openPlayers();
        ScriptedDialogs dlg;
        QCOMPARE(Cell(f.Grd_LN->rowCount(), f.Grd_LN->columnCount()), Cell(7, 7));
        QCOMPARE(cell(f, 0, 1) + cell(f, 0, 6), QStringLiteral("1番目6番目"));
        QCOMPARE(cell(f, 1, 0) + cell(f, 6, 0), QStringLiteral(" 1ﾚｰﾝ 6ﾚｰﾝ"));
        QCOMPARE(cursor(f), Cell(1, 1));
        QCOMPARE(Module1::PlayerIds, std::vector<std::int16_t>(36, -1));
        QVERIFY(std::abs(f.Height() - Form_Player::NormalHeight) <= 15);

        choose(f, 1);
        QCOMPARE(f.Txt_NAME->text(), QStringLiteral("山田"));
        f.setCursor(2, 3);  // lane 2, third: slot 8
        QCOMPARE(Module1::CurPlayer, 8);
        f.Pct_ADD_Click();
        QCOMPARE(slot(8), QStringLiteral("1 山田 12 / 12 12 12 12"));
        QCOMPARE(cell(f, 2, 3), QStringLiteral("山田"));
        QCOMPARE(cursor(f), Cell(2, 4));  // moved on
        // Enter in the player grid places too (as a double-click does), into the next cell.
        choose(f, 3);
        QTest::keyClick(f.DBG_Sensyu, Qt::Key_Return);
        QCOMPARE(slot(9), QStringLiteral("3 佐藤 8 / 8 8 8 8"));
        QVERIFY(dlg.shown().empty());
        f.layoutLaneGrid();  // as after reading a file: the names as the slots hold them, padded
        QVERIFY(shownWhole(f, 2, 3) && shownWhole(f, 2, 4) && shownWhole(f, 6, 6));
        QCoreApplication::processEvents();
        vxtest::saveShot(&f, QStringLiteral("form_player"));
    }

    void refusals() {
        vxtest::TestEnv env;
        Form_Player& f = openPlayers();
        ScriptedDialogs dlg;
        choose(f, 0);  // the reserved all-players row: no beep
        dlg.expectMsgBox(vbOK, QStringLiteral("この選手は選択することができません"));
        f.Pct_ADD_Click();
        QCOMPARE(dlg.beeps(), 0);
        QCOMPARE(Module1::PlayerIds[0], -1);
        // No slot cell selected: beep and move into the heading row's next cell.
        choose(f, 1);
        f.setCursor(3, 0);
        f.Pct_ADD_Click();
        QCOMPARE(dlg.beeps(), 1);
        QCOMPARE(cursor(f), Cell(0, 1));
        f.setCursor(1, 1);
        f.Pct_ADD_Click();
        // A taken slot.
        choose(f, 3);
        f.setCursor(1, 1);
        dlg.expectMsgBox(vbOK, QStringLiteral("すでに登録された選手がいます。別の場所をクリックしてから入力し直してください。"));
        f.Pct_ADD_Click();
        QCOMPARE(Module1::PlayerIds[0], 1);
        QCOMPARE(cursor(f), Cell(0, 0));
        // The same player twice: the selected cell is emptied and stays empty.
        choose(f, 1);
        f.setCursor(4, 2);
        dlg.expectMsgBox(vbOK, QStringLiteral("この選手はすでに登録されています。"));
        f.Pct_ADD_Click();
        QCOMPARE(placement::slotOfPlayer(1), 0);
        QCOMPARE(Module1::PlayerIds[19], -1);
        QCOMPARE(Module1::PlayerNames[19].str(), QString(10, ' '));
        QCOMPARE(dlg.beeps(), 3);
        QVERIFY(dlg.allAnswered());

        // Emptying a cell keeps the slot's handicap.
        f.setCursor(1, 1);
        f.Pct_can_Click();
        QCOMPARE(slot(0), QStringLiteral("-1  12 / 12 12 12 12"));
        QCOMPARE(Module1::PlayerNames[0].str(), QString(10, ' '));
        QCOMPARE(cell(f, 1, 1), QString());
        // The logic never seats over another player nor twice.
        QVERIFY(placement::seat(0, 3, "佐藤", 8));
        QVERIFY(!placement::seat(0, 1, "山田", 12));
        QVERIFY(!placement::seat(5, 3, "佐藤", 8));
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
        vxtest::TestEnv env;
        Form_Player& f = openPlayers();
        ScriptedDialogs dlg;
        choose(f, id);
        f.setCursor(6, 6);
        dlg.expectMsgBox(vbOK, QStringLiteral("ハンデを登録してください。"));
        f.Pct_ADD_Click();
        QCOMPARE(f.entry(), Form_Player::Entry::Handicap);
        QCOMPARE(f.Txt_HCP[0]->text(), QStringLiteral("-1"));
        QVERIFY(std::abs(f.Height() - Form_Player::EntryHeight) <= 15);
        QVERIFY(!f.Grd_LN->isEnabled() && !f.DBG_Sensyu->isEnabled() && !f.Cmd_InpMARK->isEnabled());
        QVERIFY(f.Pct_ADD->isHidden() && !f.Cmd_OK[1]->isHidden() && f.Cmd_OK[0]->isHidden());

        f.Txt_HCP[0]->setText("1000");
        f.Cmd_OK_Click(1);
        QCOMPARE(dlg.beeps(), 1);
        QCOMPARE(f.entry(), Form_Player::Entry::Handicap);
        f.Txt_HCP[0]->setText("999");
        f.Cmd_OK_Click(1);
        QCOMPARE(f.entry(), Form_Player::Entry::None);
        QCOMPARE(placement::seasonHandicap(1, id).value_or(-99), 999);
        QCOMPARE(sql("SELECT COUNT(*) FROM ハンデ WHERE シーズンID = 1").toInt(), 3);
        QCOMPARE(slot(35), QString("%1 %2 999 / 999 999 999 999").arg(id).arg(name));
        QCOMPARE(cursor(f), Cell(1, 1));  // from the last cell back to the first
        QVERIFY(std::abs(f.Height() - Form_Player::NormalHeight) <= 15);
        QVERIFY(f.Grd_LN->isEnabled() && !f.Pct_ADD->isHidden() && f.Cmd_OK[1]->isHidden());
        QVERIFY(dlg.allAnswered());
    }

    void newPlayerWithHandicap() {
        vxtest::TestEnv env;
        Form_Player& f = openPlayers();
        ScriptedDialogs dlg;
        choose(f, 1);
        f.Pct_ADD_Click();  // slot 0
        choose(f, 3);
        f.Pct_ADD_Click();  // slot 1
        f.setCursor(1, 1);
        dlg.expectMsgBox(vbOK, QStringLiteral("あいている選手枠をクリックしてから登録してください。"));
        f.Cmd_newPlayer_Click();  // the next cell is taken as well: never overwritten
        QCOMPARE(f.entry(), Form_Player::Entry::None);
        f.setCursor(1, 2);
        f.Cmd_newPlayer_Click();  // moves on to the free third cell
        QCOMPARE(cursor(f), Cell(1, 3));
        QCOMPARE(f.entry(), Form_Player::Entry::NewPlayer);
        QCOMPARE(Val(f.txt_ID->text()), 32501.0);  // the largest ID + 1, though beyond the bar
        QCOMPARE(f.Txt_NAME->text(), QString());
        QVERIFY(f.Txt_NAME->isEnabled() && !f.Cmd_newPlayer->isEnabled() && !f.Cmd_OK[0]->isHidden());
        f.Txt_NAME->setText(QStringLiteral("D'Arcy"));
        QCoreApplication::processEvents();
        vxtest::saveShot(&f, QStringLiteral("form_player_newplayer"));
        for (const char* bad : {"201", "-101", ""}) {
            f.Txt_HCP[0]->setText(bad);
            dlg.expectMsgBox(vbOK, QStringLiteral("入力条件が満たされていません"));
            f.Cmd_OK_Click(0);
        }
        QCOMPARE(sql("SELECT COUNT(*) FROM 選手").toInt(), 5);  // the reserved row and four players
        f.Txt_HCP[0]->setText("200");
        f.Cmd_OK_Click(0);
        QCOMPARE(sql("SELECT 選手名 FROM 選手 WHERE 選手ID = 32501").toString(), QStringLiteral("D'Arcy"));
        QCOMPARE(sql("SELECT ハンデ FROM ハンデ WHERE 選手ID = 32501 AND シーズンID = 1").toInt(), 200);
        QCOMPARE(slot(2), QStringLiteral("32501 D'Arcy 200 / 200 200 200 200"));
        QCOMPARE(f.txt_ID->text(), QStringLiteral("32501"));  // the grid shows the new player
        QCOMPARE(cursor(f), Cell(1, 4));
        QVERIFY(!f.Txt_NAME->isEnabled());

        // An abandoned entry leaves the boxes on the grid's player; -100 passes.
        f.Cmd_newPlayer_Click();
        f.Txt_NAME->setText(QStringLiteral("幽霊"));
        f.Cmd_OK_Click(2);
        QCOMPARE(f.txt_ID->text(), QStringLiteral("32501"));
        QCOMPARE(sql("SELECT COUNT(*) FROM 選手 WHERE 選手ID = 32502").toInt(), 0);
        QCOMPARE(Module1::PlayerIds[3], -1);
        f.Cmd_newPlayer_Click();
        f.Txt_NAME->setText(QStringLiteral("勘解由小路　左衛門尉"));
        f.Txt_HCP[0]->setText("-100");
        f.Cmd_OK_Click(0);
        QCOMPARE(slot(3), QStringLiteral("32502 勘解由小路　左衛門尉 -100 / -100 -100 -100 -100"));
        QVERIFY(shownWhole(f, 1, 4));
        vxtest::saveShot(&f, QStringLiteral("form_player_longname"));
        QVERIFY(dlg.allAnswered());
    }

    void newPlayerIsStoredWholeOrNotAtAll() {
        vxtest::TestEnv env;
        openPlayers();
        vxtest::execSql("CREATE TRIGGER no_hcp BEFORE INSERT ON ハンデ BEGIN SELECT RAISE(ABORT, 'refused'); END");
        QCOMPARE(placement::storeNewPlayer(7, "x", 1, 10), placement::StoreResult::Failed);
        QCOMPARE(sql("SELECT COUNT(*) FROM 選手 WHERE 選手ID = 7").toInt(), 0);
        vxtest::execSql("DROP TRIGGER no_hcp");
        QCOMPARE(placement::storeNewPlayer(3, "y", 1, 10), placement::StoreResult::IdTaken);
        QCOMPARE(placement::storeNewPlayer(7, "z'", 1, 10), placement::StoreResult::Stored);
        QCOMPARE(sql("SELECT COUNT(*) FROM ハンデ WHERE 選手ID = 7").toInt(), 1);
    }

    void handOverFillsTheSheet() {
        vxtest::TestEnv env;
        Form_Player& f = openPlayers();
        ScriptedDialogs dlg;
        choose(f, 1);
        f.Pct_ADD_Click();
        choose(f, 3);
        f.Pct_ADD_Click();
        scoreEntry().setMarkText(3, "５");
        f.setCursor(0, 0);
        f.Cmd_InpMARK_Click();  // the first visit starts at the first slot
        QCOMPARE(f.ScoreEntryVisits, 1);
        QCOMPARE(Module1::CurPlayer, 0);
        for (int g = 0; g <= 3; ++g)
            QCOMPARE(Module1::ScoreSheet(0, g).Name.str() + Module1::ScoreSheet(1, g).Name.str() +
                         Module1::ScoreSheet(2, g).Name.str(),
                     QStringLiteral("山田        佐藤        選手名未入力    "));
        QCOMPARE(scoreEntry().playerNameText(), QStringLiteral("山田        "));
        QCOMPARE(scoreEntry().gameNumberText(), QStringLiteral(" 1"));
        QCOMPARE(scoreEntry().markText(3), EmptyMark);

        // Leaving the window for another hands over the cursor's slot; a heading cell is slot 0.
        f.Show();
        Module1::CurGame = 2;
        f.setCursor(1, 2);
        forms::get<Form_Start>().Show();
        QCOMPARE(Module1::CurPlayer, 1);
        QCOMPARE(scoreEntry().playerNameText().trimmed(), QStringLiteral("佐藤"));
        QCOMPARE(scoreEntry().gameNumberText(), QStringLiteral(" 3"));
        placement::handOver(-7);
        QCOMPARE(Module1::CurPlayer, 0);
    }
};

QTEST_MAIN(TestPlayers)
#include "tst_matchsetup_players.moc"
