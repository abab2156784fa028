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
#include "support/testenv.h"
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace vx;
using vxtest::ScriptedDialogs;

namespace {
QVariant sql(const QString& text) { return db::scalar(text); }
using Cell = std::pair<int, int>;
// The current match other than its ID, as one text.
QString currentMatch() {
    using namespace Module1;
    return QString("%1 %2 %3-%4-%5 %6").arg(SeasonId.toString()).arg(MatchNo).arg(MatchYear).arg(MatchMonth).arg(MatchDay).arg(VenueId);
}

// A box's text replaced as a user does it: focus, select all, type.
void retype(QLineEdit* box, const QString& text) {
    box->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), text);
}

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
    void loadMakesAFreshSheetAndNewMatchIsProposed() {
        vxtest::TestEnv env;
        Module1::LastPlayer = 5;
        Module1::ScoreSheet.redim(0, 5, 0, 3);
        Module1::ScoreSheet(2, 1).Codes[4] = 7;
        Module1::CurPlayer = 4;
        {
            Form_Siai& f = openSiai();
            QCOMPARE(Cell(Module1::LastPlayer, Module1::CurPlayer), Cell(35, 0));
            QCOMPARE(Cell(Module1::ScoreSheet.hi1(), Module1::ScoreSheet.hi2()), Cell(35, 3));
            const GameRecord& r = Module1::ScoreSheet(2, 1);
            QCOMPARE(int(r.Codes[4]), 30);
            QCOMPARE(r.Marks[0], EmptyMark);
            QCOMPARE(r.PinMasks[20], PinMask::NoData);
            QVERIFY(!f.cmd_siaiOK->isEnabled() && !f.menu_OK->isEnabled());
            QVERIFY(!f.Txt_Siai[1]->isEnabled() && f.Txt_Siai[0]->isEnabled());

            f.Cmd_New_Click();
            QCOMPARE(f.Txt_Siai[0]->text(), QStringLiteral("1"));  // empty table
            QCOMPARE(Module1::MatchId.toInt(), 1);
            QCOMPARE(f.Txt_Siai[2]->text() + f.Txt_Siai[3]->text() + f.Txt_Siai[4]->text(), QStringLiteral("20260517"));
            QCOMPARE(f.VSc_ymd[0]->value(), 2026);
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
        // The newest season and the first venue are preselected (season, venue, venue shown).
        QCOMPARE(f.Txt_Siai[1]->text() + f.Txt_Siai[5]->text() + f.Txt_Siai[7]->text(), QStringLiteral("211"));
        f.Show();
        QCoreApplication::processEvents();
        vxtest::saveShot(&f, QStringLiteral("form_siai"));
    }

    // Boxes 0..6: match ID, season, year, month, day, venue, number in the season.
    void refusalsChangeNothingButTheId_data() {
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focusBox");
        QTest::addColumn<QString>("idAfter");
        const QString below = QStringLiteral("試合番号は１以上の整数を入力してください");
        const QString date = QStringLiteral("正しい日付を入力してください");
        auto row = [](const char* name, QString id, QString season, QString ymd, QString venue,
                      QString no) -> QTestData& {
            return QTest::newRow(name) << (QStringList{id, season} + ymd.split('-') + QStringList{venue, no});
        };
        row("fraction below one", "0.9", "2", "2026-5-17", "1", "1") << below << 0 << "0";
        row("text", "abc", "2", "2026-5-17", "1", "1") << below << 0 << "0";
        row("beyond 16 bits", "40000", "2", "2026-5-17", "1", "1") << below << 0 << "40000";
        row("stored id, new pair", "5", "2", "2026-5-17", "1", "9") << QStringLiteral("試合番号が重複しています") << 0 << "5";
        row("new id, stored pair", "6.5", "1", "2026-5-17", "1", "2")
            << QStringLiteral("シーズン中の試合番号が重複しています") << 6 << "6";
        row("venue 256", "6", "2", "2026-5-17", "256", "1") << date << 3 << "6";
        row("venue -1", "6", "2", "2026-5-17", "-1", "1") << date << 3 << "6";
        row("venue -0", "6", "2", "2026-5-17", "-0", "1") << date << 3 << "6";
        row("venue overflow", "6", "2", "2026-5-17", "1e309", "1") << date << 3 << "6";
        row("30 February", "6", "2", "2000-2-30", "1", "1") << date << 3 << "6";
        row("month beyond a byte", "6", "2", "2026-300-1", "1", "1") << date << 3 << "6";
        row("implausible year", "6", "2", "26-5-17", "1", "1") << date << 3 << "6";
        const QString number = QStringLiteral("シーズン中の試合番号は１から３２７６７までの整数で入力してください");
        row("number too large", "6", "2", "2026-5-17", "1", "40000") << number << 6 << "6";
        row("number -0", "6", "2", "2026-5-17", "1", "-0") << number << 6 << "6";
        row("number overflow", "6", "1", "2026-5-17", "1", "1e309") << number << 6 << "6";
        row("number fraction", "6", "2", "2026-5-17", "1", "1.5") << number << 6 << "6";
    }
    void refusalsChangeNothingButTheId() {
        QFETCH(QStringList, boxes);
        QFETCH(QString, message);
        QFETCH(int, focusBox);
        QFETCH(QString, idAfter);
        vxtest::TestEnv env;
        storedMatchFixture();
        Form_Siai& f = openSiai();
        f.Cmd_New_Click();
        using namespace Module1;
        MatchId = 99, SeasonId = 77, MatchNo = 3, MatchYear = 1999, MatchMonth = 4, MatchDay = 8, VenueId = 9;
        f.Show();
        QVERIFY(QTest::qWaitForWindowActive(f.window()));
        for (int i = 0; i < 7; ++i) retype(f.Txt_Siai[std::size_t(i)], boxes[i]);
        ScriptedDialogs dlg;
        dlg.expectMsgBox(vbOK, message);
        QTest::mouseClick(f.cmd_siaiOK, Qt::LeftButton);
        QVERIFY(dlg.allAnswered());
        QCOMPARE(dlg.shown().front().style, int(vbOKOnly));
        QCOMPARE(dlg.beeps(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(f.focusWidget(), f.Txt_Siai[std::size_t(focusBox)]);
        QCOMPARE(f.Txt_Siai[0]->text(), idAfter);
        QCOMPARE(MatchId.toInt(), idAfter.toInt());  // the ID read stays current
        QCOMPARE(currentMatch(), QStringLiteral("77 3 1999-4-8 9"));
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
        vxtest::TestEnv env;
        storedMatchFixture();
        Form_Siai& f = openSiai();
        f.Cmd_New_Click();
        const QStringList boxes = QStringList{id, "1"} + date.split('-') + QStringList{"2", "3"};
        for (int i = 0; i < 7; ++i) f.Txt_Siai[std::size_t(i)]->setText(boxes[i]);
        ScriptedDialogs dlg;
        f.menu_OK->trigger();
        QCOMPARE(Module1::MatchId.toInt(), matchId);
        QCOMPARE(currentMatch(), "1 3 " + date + " 2");
        QVERIFY(!forms::loaded<Form_Siai>());
        QVERIFY(forms::loaded<Form_Player>() && forms::loaded<Form_Player>()->isShown());
    }

    void backKeepsThePosition() {
        vxtest::TestEnv env;
        ScriptedDialogs dlg;
        Form_Siai& f = openSiai();
        f.setLeft(600);
        f.setTop(300);
        f.cmd_back_Click();
        QVERIFY(!forms::loaded<Form_Siai>());
        QVERIFY(forms::loaded<Form_Start>());
        Form_Siai& again = openSiai();
        QCOMPARE(again.Left(), 600.0);
        QCOMPARE(again.Top(), 300.0);
    }

    void seasonsAndVenuesAreAdded() {
        vxtest::TestEnv env;
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
        QCOMPARE(vm->data(vm->index(2, 0)).toString() + vm->data(vm->index(2, 1)).toString(), QStringLiteral("3ボウル'ハウス"));
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
};

QTEST_MAIN(TestMatchSetup)
#include "tst_matchsetup.moc"
