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
#include "support/schema_env.h"
#include "support/scripted_dialogs.h"
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QMdiSubWindow>
#include <QTest>

using namespace vx;
using vxtest::ScriptedDialogs;

namespace {
QVariant sql(const QString& text) { return db::scalar(text); }

// Players 1 山田 (handicap 12 in season 1), 2 O'Neil (none), 3 佐藤 (8); season 1 is the match's.
Form_Player& openPlayers() {
    vxtest::execSql("INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2026', '春')");
    vxtest::execSql("INSERT INTO 選手 (選手ID, 選手名) VALUES (1, '山田'), (2, 'O''Neil'), (3, '佐藤')");
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
}  // namespace

class TestPlayers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void slotArithmetic() {
        Module1::LastPlayer = 35;
        for (int s = 0; s <= 35; ++s) {
            QCOMPARE(placement::laneOf(s), s / 6 + 1);
            QCOMPARE(placement::orderOf(s), s % 6 + 1);
            QCOMPARE(placement::slotOf(placement::laneOf(s), placement::orderOf(s)), s);
        }
        QCOMPARE(placement::laneOf(35), 6);
        QCOMPARE(placement::orderOf(35), 6);
        QCOMPARE(placement::nextCell(1, 6), std::make_pair(2, 1));
        QCOMPARE(placement::nextCell(3, 2), std::make_pair(3, 3));
        QCOMPARE(placement::nextCell(6, 6), std::make_pair(1, 1));  // wraps to the first slot
        Module1::LastPlayer = 41;  // an import added a lane
        QCOMPARE(placement::nextCell(6, 6), std::make_pair(7, 1));
    }

    void loadDrawsTheLanes() {
        vxtest::SchemaEnv env;
        Form_Player& f = openPlayers();
        QCOMPARE(f.Grd_LN->rowCount(), 7);
        QCOMPARE(f.Grd_LN->columnCount(), 7);
        QCOMPARE(cell(f, 0, 1), QStringLiteral("1番目"));
        QCOMPARE(cell(f, 0, 6), QStringLiteral("6番目"));
        QCOMPARE(cell(f, 1, 0), QStringLiteral(" 1ﾚｰﾝ"));
        QCOMPARE(cell(f, 6, 0), QStringLiteral(" 6ﾚｰﾝ"));
        QCOMPARE(f.cursorRow(), 1);
        QCOMPARE(f.cursorCol(), 1);
        QCOMPARE(Module1::PlayerIds.size(), std::size_t(36));
        QCOMPARE(Module1::PlayerIds[35], -1);
        QCOMPARE(Module1::PlayerNames[0].str(), QStringLiteral("選手名未入力    "));
        QVERIFY(std::abs(f.Height() - Form_Player::NormalHeight) <= 15);
    }

    void placingWithStoredHandicaps() {
        vxtest::SchemaEnv env;
        Form_Player& f = openPlayers();
        ScriptedDialogs dlg;
        choose(f, 1);
        QCOMPARE(f.Txt_NAME->text(), QStringLiteral("山田"));
        f.setCursor(2, 3);  // lane 2, third: slot 8
        QCOMPARE(Module1::CurPlayer, 8);
        f.Pct_ADD_Click();
        QCOMPARE(Module1::PlayerIds[8], 1);
        QCOMPARE(Module1::PlayerHcps[8], 12);
        QCOMPARE(Module1::PlayerNames[8].str(), QStringLiteral("山田        "));
        for (int g = 0; g <= 3; ++g) QCOMPARE(Module1::ScoreSheet(8, g).Scores[11], 12);
        QCOMPARE(Module1::ScoreSheet(9, 0).Scores[11], 0);
        QCOMPARE(cell(f, 2, 3), QStringLiteral("山田"));
        QCOMPARE(f.cursorCol(), 4);  // moved on

        // Double-click in the player grid places too, into the next cell.
        choose(f, 3);
        Q_EMIT f.DBG_Sensyu->doubleClicked(f.DBG_Sensyu->currentIndex());
        QCOMPARE(Module1::PlayerIds[9], 3);
        QCOMPARE(Module1::PlayerHcps[9], 8);
        QCOMPARE(dlg.shown().size(), std::size_t(0));
    }

    void refusals() {
        vxtest::SchemaEnv env;
        Form_Player& f = openPlayers();
        ScriptedDialogs dlg;
        // The reserved all-players row.
        choose(f, 0);
        dlg.expectMsgBox(vbOK, QStringLiteral("この選手は選択することができません"));
        f.Pct_ADD_Click();
        QCOMPARE(dlg.beeps(), 0);
        QCOMPARE(Module1::PlayerIds[0], -1);

        // No slot cell selected: beep and move into the heading row's next cell.
        choose(f, 1);
        f.setCursor(3, 0);
        f.Pct_ADD_Click();
        QCOMPARE(dlg.beeps(), 1);
        QCOMPARE(f.cursorRow(), 0);
        QCOMPARE(f.cursorCol(), 1);

        f.setCursor(1, 1);
        f.Pct_ADD_Click();
        QCOMPARE(Module1::PlayerIds[0], 1);
        // A taken slot.
        choose(f, 3);
        f.setCursor(1, 1);
        dlg.expectMsgBox(vbOK, QStringLiteral("すでに登録された選手がいます。"));
        f.Pct_ADD_Click();
        QCOMPARE(Module1::PlayerIds[0], 1);
        QCOMPARE(f.cursorRow(), 0);
        QCOMPARE(f.cursorCol(), 0);
        // The same player twice.
        choose(f, 1);
        f.setCursor(4, 2);
        dlg.expectMsgBox(vbOK, QStringLiteral("この選手はすでに登録されています。"));
        f.Pct_ADD_Click();
        QCOMPARE(placement::slotOfPlayer(1), 0);
        QCOMPARE(Module1::PlayerIds[19], -1);
        QCOMPARE(cell(f, 4, 2), QString());
        QCOMPARE(dlg.beeps(), 3);
        QVERIFY(dlg.allAnswered());

        // Emptying a cell keeps the slot's handicap.
        f.setCursor(1, 1);
        f.Pct_can_Click();
        QCOMPARE(Module1::PlayerIds[0], -1);
        QCOMPARE(Module1::PlayerNames[0].str(), QString(10, ' '));
        QCOMPARE(Module1::PlayerHcps[0], 12);
        QCOMPARE(cell(f, 1, 1), QString());
        // The logic never seats over another player nor twice.
        QVERIFY(placement::seat(0, 3, "佐藤", 8));
        QVERIFY(!placement::seat(0, 1, "山田", 12));
        QVERIFY(!placement::seat(5, 3, "佐藤", 8));
    }

    void handicapEnteredForAPlayerWithoutOne() {
        vxtest::SchemaEnv env;
        Form_Player& f = openPlayers();
        ScriptedDialogs dlg;
        choose(f, 2);  // O'Neil: a handicap only for another season
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
        QCOMPARE(sql("SELECT COUNT(*) FROM ハンデ WHERE 選手ID = 2 AND シーズンID = 1").toInt(), 0);

        f.Txt_HCP[0]->setText("15");
        f.Cmd_OK_Click(1);
        QCOMPARE(f.entry(), Form_Player::Entry::None);
        QCOMPARE(sql("SELECT ハンデ FROM ハンデ WHERE 選手ID = 2 AND シーズンID = 1").toInt(), 15);
        QCOMPARE(Module1::PlayerIds[35], 2);
        QCOMPARE(Module1::PlayerNames[35].str().trimmed(), QStringLiteral("O'Neil"));
        for (int g = 0; g <= 3; ++g) QCOMPARE(Module1::ScoreSheet(35, g).Scores[11], 15);
        QCOMPARE(f.cursorRow(), 1);  // from the last cell back to the first
        QCOMPARE(f.cursorCol(), 1);
        QVERIFY(std::abs(f.Height() - Form_Player::NormalHeight) <= 15);
        QVERIFY(f.Grd_LN->isEnabled() && !f.Pct_ADD->isHidden() && f.Cmd_OK[1]->isHidden());
        QCOMPARE(placement::seasonHandicap(1, 2).value_or(-99), 15);
        QVERIFY(dlg.allAnswered());
    }

    void newPlayerWithHandicap() {
        vxtest::SchemaEnv env;
        Form_Player& f = openPlayers();
        ScriptedDialogs dlg;
        f.setCursor(1, 2);
        f.Cmd_newPlayer_Click();
        QCOMPARE(f.entry(), Form_Player::Entry::NewPlayer);
        QCOMPARE(Val(f.txt_ID->text()), 4.0);
        QCOMPARE(f.Txt_NAME->text(), QString());
        QVERIFY(f.Txt_NAME->isEnabled() && !f.Cmd_newPlayer->isEnabled() && !f.Cmd_OK[0]->isHidden());
        f.Txt_NAME->setText(QStringLiteral("D'Arcy"));

        for (const char* bad : {"201", "-101", ""}) {
            f.Txt_HCP[0]->setText(bad);
            dlg.expectMsgBox(vbOK, QStringLiteral("入力条件が満たされていません"));
            f.Cmd_OK_Click(0);
        }
        QCOMPARE(sql("SELECT COUNT(*) FROM 選手").toInt(), 4);  // the reserved row and three players
        f.Txt_HCP[0]->setText("200");
        f.Cmd_OK_Click(0);
        QCOMPARE(sql("SELECT 選手名 FROM 選手 WHERE 選手ID = 4").toString(), QStringLiteral("D'Arcy"));
        QCOMPARE(sql("SELECT ハンデ FROM ハンデ WHERE 選手ID = 4 AND シーズンID = 1").toInt(), 200);
        QCOMPARE(Module1::PlayerIds[1], 4);
        QCOMPARE(Module1::PlayerHcps[1], 200);
        QCOMPARE(Module1::ScoreSheet(1, 3).Scores[11], 200);
        QCOMPARE(f.txt_ID->text(), QStringLiteral("4"));  // the grid shows the new player
        QCOMPARE(f.cursorCol(), 3);
        QVERIFY(!f.Txt_NAME->isEnabled());

        // -100 passes; an abandoned entry leaves the boxes on the grid's player.
        f.Cmd_newPlayer_Click();
        QCOMPARE(Val(f.txt_ID->text()), 5.0);
        f.Txt_NAME->setText(QStringLiteral("幽霊"));
        f.Cmd_OK_Click(2);
        QCOMPARE(f.txt_ID->text(), QStringLiteral("4"));
        QCOMPARE(sql("SELECT COUNT(*) FROM 選手 WHERE 選手ID = 5").toInt(), 0);
        QCOMPARE(Module1::PlayerIds[2], -1);
        f.Cmd_newPlayer_Click();
        f.Txt_NAME->setText(QStringLiteral("新井"));
        f.Txt_HCP[0]->setText("-100");
        f.Cmd_OK_Click(0);
        QCOMPARE(Module1::PlayerHcps[2], -100);
        QVERIFY(dlg.allAnswered());
    }

    void newPlayerNeverTakesASeatedSlot() {
        vxtest::SchemaEnv env;
        Form_Player& f = openPlayers();
        ScriptedDialogs dlg;
        choose(f, 1);
        f.Pct_ADD_Click();  // slot 0
        choose(f, 3);
        f.Pct_ADD_Click();  // slot 1
        f.setCursor(1, 1);
        dlg.expectMsgBox(vbOK, QStringLiteral("あいている選手枠をクリックしてから登録してください。"));
        f.Cmd_newPlayer_Click();  // the next cell is taken as well
        QCOMPARE(f.entry(), Form_Player::Entry::None);
        f.setCursor(1, 2);
        f.Cmd_newPlayer_Click();  // moves on to the free third cell
        QCOMPARE(f.cursorCol(), 3);
        QCOMPARE(f.entry(), Form_Player::Entry::NewPlayer);
        QVERIFY(dlg.allAnswered());
    }

    void newPlayerIsStoredWholeOrNotAtAll() {
        vxtest::SchemaEnv env;
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
        vxtest::SchemaEnv env;
        Form_Player& f = openPlayers();
        ScriptedDialogs dlg;
        choose(f, 1);
        f.setCursor(1, 1);
        f.Pct_ADD_Click();
        choose(f, 3);
        f.Pct_ADD_Click();
        scoreEntry().setMarkText(3, "５");
        f.setCursor(0, 0);
        f.Cmd_InpMARK_Click();  // the first visit starts at the first slot
        QCOMPARE(f.ScoreEntryVisits, 1);
        QCOMPARE(Module1::CurPlayer, 0);
        for (int g = 0; g <= 3; ++g) {
            QCOMPARE(Module1::ScoreSheet(0, g).Name.str(), QStringLiteral("山田        "));
            QCOMPARE(Module1::ScoreSheet(1, g).Name.str(), QStringLiteral("佐藤        "));
            QCOMPARE(Module1::ScoreSheet(2, g).Name.str(), QStringLiteral("選手名未入力    "));
        }
        QCOMPARE(scoreEntry().playerNameText(), QStringLiteral("山田        "));
        QCOMPARE(scoreEntry().gameNumberText(), QStringLiteral(" 1"));
        QCOMPARE(scoreEntry().markText(3), EmptyMark);

        // Leaving the window hands over the cursor's slot; a heading cell counts as slot 0.
        Module1::CurGame = 2;
        f.setCursor(1, 2);
        placement::handOver(placement::slotOf(f.cursorRow(), f.cursorCol()));
        QCOMPARE(Module1::CurPlayer, 1);
        QCOMPARE(scoreEntry().playerNameText().trimmed(), QStringLiteral("佐藤"));
        QCOMPARE(scoreEntry().gameNumberText(), QStringLiteral(" 3"));
        placement::handOver(-7);
        QCOMPARE(Module1::CurPlayer, 0);
    }

    void screenshot() {
        vxtest::SchemaEnv env;
        Form_Player& f = openPlayers();
        ScriptedDialogs dlg;
        choose(f, 1);
        f.Pct_ADD_Click();
        choose(f, 3);
        f.Pct_ADD_Click();
        choose(f, 2);
        f.setCursor(2, 1);
        dlg.expectMsgBox(vbOK);
        f.Pct_ADD_Click();
        f.Txt_HCP[0]->setText("15");
        f.Cmd_OK_Click(1);
        choose(f, 3);
        QCoreApplication::processEvents();
        vxtest::saveShot(&f, QStringLiteral("form_player"));
        f.setCursor(3, 1);
        f.Cmd_newPlayer_Click();
        f.Txt_NAME->setText(QStringLiteral("新人太郎"));
        QCoreApplication::processEvents();
        vxtest::saveShot(&f, QStringLiteral("form_player_newplayer"));
    }
};

QTEST_MAIN(TestPlayers)
#include "tst_matchsetup_players.moc"
