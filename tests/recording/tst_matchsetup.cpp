// Match set-up, headless: the proposal, every refusal, the accepted match, seasons and venues added.
#include "common/database.h"
#include "common/module1.h"
#include "platform/boundgrid.h"
#include "platform/datasource.h"
#include "recording/form_player.h"
#include "recording/form_siai.h"
#include "recording/matchsetup.h"
#include "shell/form_start.h"
#include "support/scripted_dialogs.h"
#include "support/schema_env.h"
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace vx;
using vxtest::ScriptedDialogs;
using vxtest::TestEnv;

namespace {
QVariant sql(const QString& text) { return db::scalar(text); }

Form_Siai& openSiai() {
    Module1::LastGame = 3;
    return forms::get<Form_Siai>();
}

// Two seasons, two venues and one stored match (ID 5: season 1, match 2).
void storedMatchFixture() {
    vxtest::execSql("INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2025', '秋'), ('2026', '春')");
    vxtest::execSql("INSERT INTO 会場 (会場名) VALUES ('駅前レーン'), ('中央ボウル')");
    vxtest::execSql("INSERT INTO 試合 (試合ID, シーズンID, 試合, 試合日) VALUES (5, 1, 2, '2025-10-01')");
}
}  // namespace

class TestMatchSetup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadMakesAFreshSheet() {
        vxtest::SchemaEnv env;
        Module1::LastGame = 3;
        Module1::LastPlayer = 5;
        Module1::ScoreSheet.redim(0, 5, 0, 3);
        Module1::ScoreSheet(2, 1).Codes[4] = 7;
        Module1::CurPlayer = 4;
        Form_Siai& f = openSiai();
        QCOMPARE(Module1::LastPlayer, 35);
        QCOMPARE(Module1::CurPlayer, 0);
        QCOMPARE(Module1::ScoreSheet.hi1(), 35);
        QCOMPARE(Module1::ScoreSheet.hi2(), 3);
        const GameRecord& r = Module1::ScoreSheet(2, 1);
        QCOMPARE(int(r.Codes[4]), 30);
        QCOMPARE(r.Marks[0], EmptyMark);
        QCOMPARE(r.Attrs[21], BallAttr::NotSet);
        QCOMPARE(r.PinMasks[20], PinMask::NoData);
        QVERIFY(!f.cmd_siaiOK->isEnabled());
        QVERIFY(!f.menu_OK->isEnabled());
        QVERIFY(!f.Txt_Siai[1]->isEnabled());
        QVERIFY(f.Txt_Siai[0]->isEnabled());
    }

    void newMatchIsProposed() {
        vxtest::SchemaEnv env;
        {
            Form_Siai& f = openSiai();
            f.Cmd_New_Click();
            QCOMPARE(f.Txt_Siai[0]->text(), QStringLiteral("1"));  // empty table
            QCOMPARE(Module1::MatchId.toInt(), 1);
            QCOMPARE(f.Txt_Siai[2]->text(), QStringLiteral("2026"));
            QCOMPARE(f.Txt_Siai[3]->text(), QStringLiteral("05"));
            QCOMPARE(f.Txt_Siai[4]->text(), QStringLiteral("17"));
            QCOMPARE(f.VSc_ymd[0]->value(), 2026);  // this year is within the scroll bar's reach
            QCOMPARE(f.Txt_Siai[6]->text(), QStringLiteral("1"));
            QVERIFY(f.cmd_siaiOK->isEnabled() && f.menu_OK->isEnabled());
            QVERIFY(!f.Cmd_New->isEnabled() && !f.menu_newgame->isEnabled());
            QVERIFY(f.Txt_Siai[6]->isEnabled() && f.txt_Kaijo[1]->isEnabled() && !f.Txt_Siai[7]->isEnabled());
            f.VSc_ymd[1]->setValue(3);
            QCOMPARE(f.Txt_Siai[3]->text(), QStringLiteral("03"));
            f.HSc_siai->setValue(12);
            QCOMPARE(f.Txt_Siai[6]->text(), QStringLiteral("12"));
            f.Unload();
        }
        storedMatchFixture();
        vxtest::execSql("INSERT INTO 試合 (試合ID, シーズンID, 試合) VALUES (31, 2, 1), (7, 2, 2)");
        Form_Siai& f = openSiai();
        f.Cmd_New_Click();
        QCOMPARE(f.Txt_Siai[0]->text(), QStringLiteral("32"));
        // The newest season and the first venue are preselected.
        QCOMPARE(f.Txt_Siai[1]->text(), QStringLiteral("2"));
        QCOMPARE(f.Txt_Siai[5]->text(), QStringLiteral("1"));
        QCOMPARE(f.Txt_Siai[7]->text(), QStringLiteral("1"));
    }

    void refusalsChangeNothing_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("season");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("date");  // y-m-d
        QTest::addColumn<QString>("venue");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focusBox");
        QTest::addColumn<QString>("idAfter");
        const QString below = QStringLiteral("試合番号は１以上の整数を入力してください");
        const QString dupId = QStringLiteral("試合番号が重複しています");
        const QString dupNo = QStringLiteral("シーズン中の試合番号が重複しています");
        const QString date = QStringLiteral("正しい日付を入力してください");
        QTest::newRow("zero") << "0" << "2" << "1" << "2026-5-17" << "1" << below << 0 << "0";
        QTest::newRow("fraction below one") << "0.9" << "2" << "1" << "2026-5-17" << "1" << below << 0 << "0";
        QTest::newRow("text") << "abc" << "2" << "1" << "2026-5-17" << "1" << below << 0 << "0";
        QTest::newRow("beyond 16 bits") << "40000" << "2" << "1" << "2026-5-17" << "1" << below << 0 << "40000";
        QTest::newRow("stored id, new pair") << "5" << "2" << "9" << "2026-5-17" << "1" << dupId << 0 << "5";
        QTest::newRow("new id, stored pair") << "6" << "1" << "2" << "2026-5-17" << "1" << dupNo << 6 << "6";
        QTest::newRow("venue 256") << "6" << "2" << "1" << "2026-5-17" << "256" << date << 3 << "6";
        QTest::newRow("venue -1") << "6" << "2" << "1" << "2026-5-17" << "-1" << date << 3 << "6";
        QTest::newRow("30 February") << "6" << "2" << "1" << "2000-2-30" << "1" << date << 3 << "6";
        QTest::newRow("month 13") << "6" << "2" << "1" << "2026-13-1" << "1" << date << 3 << "6";
        QTest::newRow("month 300") << "6" << "2" << "1" << "2026-300-1" << "1" << date << 3 << "6";
        QTest::newRow("implausible year") << "6" << "2" << "1" << "26-5-17" << "1" << date << 3 << "6";
        QTest::newRow("number too large") << "6" << "2" << "40000" << "2026-5-17" << "1" << date << 3 << "6";
    }
    void refusalsChangeNothing() {
        QFETCH(QString, id);
        QFETCH(QString, season);
        QFETCH(QString, number);
        QFETCH(QString, date);
        QFETCH(QString, venue);
        QFETCH(QString, message);
        QFETCH(int, focusBox);
        QFETCH(QString, idAfter);
        vxtest::SchemaEnv env;
        storedMatchFixture();
        Form_Siai& f = openSiai();
        f.Cmd_New_Click();
        Module1::MatchId = 99;
        Module1::SeasonId = 77;
        Module1::MatchNo = 3;
        Module1::MatchYear = 1999;
        Module1::MatchMonth = 4;
        Module1::MatchDay = 8;
        Module1::VenueId = 9;
        f.Txt_Siai[0]->setText(id);
        f.Txt_Siai[1]->setText(season);
        f.Txt_Siai[6]->setText(number);
        const QStringList ymd = date.split('-');
        for (int i = 0; i < 3; ++i) f.Txt_Siai[std::size_t(2 + i)]->setText(ymd[i]);
        f.Txt_Siai[5]->setText(venue);
        ScriptedDialogs dlg;
        dlg.expectMsgBox(vbOK, message);
        f.cmd_siaiOK_Click();
        QVERIFY(dlg.allAnswered());
        QCOMPARE(dlg.shown().front().style, int(vbOKOnly));
        QCOMPARE(dlg.beeps(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(f.focusWidget(), f.Txt_Siai[std::size_t(focusBox)]);
        QCOMPARE(f.Txt_Siai[0]->text(), idAfter);
        QCOMPARE(Module1::MatchId.toInt(), 99);
        QCOMPARE(Module1::SeasonId.toInt(), 77);
        QCOMPARE(Module1::MatchNo, 3);
        QCOMPARE(Module1::MatchYear, 1999);
        QCOMPARE(Module1::MatchMonth, 4);
        QCOMPARE(Module1::MatchDay, 8);
        QCOMPARE(Module1::VenueId, 9);
        QCOMPARE(forms::loaded<Form_Siai>(), &f);
        QVERIFY(!forms::loaded<Form_Player>());
    }

    void acceptedMatchIsFixed_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("matchId");
        QTest::newRow("fraction") << "12.7" << "2000-2-29" << 12;
        QTest::newRow("leading blanks, later year") << "  13abc" << "2031-12-31" << 13;
    }
    void acceptedMatchIsFixed() {
        QFETCH(QString, id);
        QFETCH(QString, date);
        QFETCH(int, matchId);
        vxtest::SchemaEnv env;
        storedMatchFixture();
        Form_Siai& f = openSiai();
        f.Cmd_New_Click();
        f.Txt_Siai[0]->setText(id);
        const QStringList ymd = date.split('-');
        for (int i = 0; i < 3; ++i) f.Txt_Siai[std::size_t(2 + i)]->setText(ymd[i]);
        f.Txt_Siai[1]->setText("1");
        f.Txt_Siai[6]->setText("3");
        f.Txt_Siai[5]->setText("2");
        ScriptedDialogs dlg;
        f.menu_OK->trigger();
        QCOMPARE(Module1::MatchId.toInt(), matchId);
        QCOMPARE(Module1::SeasonId.toInt(), 1);
        QCOMPARE(Module1::MatchNo, 3);
        QCOMPARE(Module1::MatchYear, ymd[0].toInt());
        QCOMPARE(int(Module1::MatchMonth), ymd[1].toInt());
        QCOMPARE(int(Module1::MatchDay), ymd[2].toInt());
        QCOMPARE(Module1::VenueId, 2);
        QVERIFY(!forms::loaded<Form_Siai>());
        QVERIFY(forms::loaded<Form_Player>());
        QVERIFY(forms::loaded<Form_Player>()->isShown());
    }

    void backGoesToTheStartMenu() {
        vxtest::SchemaEnv env;
        ScriptedDialogs dlg;
        openSiai().cmd_back_Click();
        QVERIFY(!forms::loaded<Form_Siai>());
        QVERIFY(forms::loaded<Form_Start>());
    }

    void seasonsAndVenuesAreAdded() {
        vxtest::SchemaEnv env;
        storedMatchFixture();
        Form_Siai& f = openSiai();
        ScriptedDialogs dlg;
        // Nothing pending: a stray OK does nothing.
        f.Cmd_Add_OK_Click(1);
        QCOMPARE(dlg.beeps(), 0);

        f.Cmd_Add_Click(1);
        QVERIFY(!f.DBGrid1->isEnabled() && !f.DBGrid2->isEnabled() && !f.cmd_siaiOK->isEnabled());
        QVERIFY(!f.menu_kaijo->isEnabled() && f.menu_season->isEnabled());
        QVERIFY(!f.Txt_ADD[1]->isHidden() && !f.Cmd_Add_OK[1]->isHidden());
        f.Cmd_Add_OK_Click(1);  // no name: stays in the adding state
        QCOMPARE(dlg.beeps(), 1);
        QVERIFY(f.Data_kaijo->isAdding());
        QCOMPARE(sql("SELECT COUNT(*) FROM 会場").toInt(), 2);
        f.Txt_ADD[1]->setText(QStringLiteral("ボウル'ハウス"));
        f.Cmd_Add_OK_Click(1);
        QCOMPARE(sql("SELECT 会場名 FROM 会場 WHERE 会場ID = 3").toString(), QStringLiteral("ボウル'ハウス"));
        QVERIFY(f.Txt_ADD[1]->isHidden() && !f.Cmd_Add_OK[1]->isHidden());
        QVERIFY(f.DBGrid1->isEnabled() && f.DBGrid2->isEnabled() && f.menu_kaijo->isEnabled());
        auto* vm = f.DBGrid2->gridModel();
        QCOMPARE(vm->data(vm->index(2, 0)).toInt(), 3);
        QCOMPARE(vm->data(vm->index(2, 1)).toString(), QStringLiteral("ボウル'ハウス"));
        // Choosing the venue row sets the match's venue.
        f.DBGrid2->setCurrentIndex(vm->index(2, 1));
        QCOMPARE(f.Txt_Siai[5]->text(), QStringLiteral("3"));

        f.menu_season->trigger();
        f.Txt_ADD[0]->setText(QStringLiteral("2026秋"));
        f.Cmd_Add_OK_Click(0);
        QCOMPARE(sql("SELECT シーズン名 FROM シーズン WHERE シーズンID = 3").toString(), QStringLiteral("2026秋"));
        QCOMPARE(f.Txt_Siai[1]->text(), QStringLiteral("3"));  // newest first: the new season is current

        // A season typed into the grid's new line.
        auto* sm = f.DBGrid1->gridModel();
        const int newLine = sm->rowCount() - 1;
        QVERIFY(sm->isNewLine(newLine));
        f.DBGrid1->setCurrentIndex(sm->index(newLine, 2));
        QVERIFY(sm->setData(sm->index(newLine, 2), QStringLiteral("冬")));
        QVERIFY(f.DBGrid1->commitRow());
        QCOMPARE(sql("SELECT シーズン名 FROM シーズン WHERE シーズンID = 4").toString(), QStringLiteral("冬"));
        QVERIFY(dlg.allAnswered());
    }

    void positionIsKept() {
        vxtest::SchemaEnv env;
        Form_Siai& f = openSiai();
        f.setLeft(600);
        f.setTop(300);
        f.Unload();
        Form_Siai& again = openSiai();
        QCOMPARE(again.Left(), 600.0);
        QCOMPARE(again.Top(), 300.0);
    }

    void screenshot() {
        vxtest::SchemaEnv env;
        storedMatchFixture();
        Form_Siai& f = openSiai();
        f.Show();
        f.Cmd_New_Click();
        QCoreApplication::processEvents();
        vxtest::saveShot(&f, QStringLiteral("form_siai"));
    }
};

QTEST_MAIN(TestMatchSetup)
#include "tst_matchsetup.moc"
