// The player, season and handicap editors, driven as a user would through their grids.
#include "common/database.h"
#include "common/settings.h"
#include "platform/boundgrid.h"
#include "platform/datasource.h"
#include "shell/form_hdcp.h"
#include "shell/form_newplayer.h"
#include "shell/form_srs.h"
#include "shell/masterdata.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace vx;
using vxtest::ScriptedDialogs;
using vxtest::TestEnv;

namespace {
QVariant sql(const QString& text) { return db::scalar(text); }
void run(const QString& text) { QVERIFY2(db::exec(text), qPrintable(text)); }

void seed() {
    run("INSERT INTO 選手 (選手ID, 選手名) VALUES (1, '山田'), (2, '鈴木')");
    run("INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2026前期', '春'), ('2026後期', '秋')");
    run("INSERT INTO ハンデ (選手ID, シーズンID, ハンデ) VALUES (1, 1, 20)");
    run("INSERT INTO 試合 (試合ID, シーズンID, 試合) VALUES (1, 1, 1)");
    run("INSERT INTO データ項目 (選手ID, 試合ID) VALUES (1, 1)");
}

// Types a value into a cell of the new-record line or a stored row.
void type(DBGrid* g, int row, int col, const QString& text) {
    QVERIFY(g->gridModel()->setData(g->gridModel()->index(row, col), text));
}
int newLine(DBGrid* g) { return g->gridModel()->rowCount() - 1; }

void settle() {
    for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
}
// As a user types: the cell is made current, then each key goes to the focused widget (the grid,
// then the cell editor it opens).
void typeCell(DBGrid* g, int row, int col, const QString& text) {
    g->setFocus();
    g->setCurrentIndex(g->gridModel()->index(row, col));
    settle();
    for (QChar c : text) {
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        settle();
    }
}
void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
    settle();
}
QString cell(DBGrid* g, int row, int col) { return g->gridModel()->data(g->gridModel()->index(row, col)).toString(); }
}  // namespace

class TestMasterData : public QObject {
    Q_OBJECT
    // Every case: a fresh database holding two players, two seasons, a handicap and a stored game.
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<ScriptedDialogs> dlgs;

private Q_SLOTS:
    void init() {
        env = std::make_unique<TestEnv>(false);
        QVERIFY(vxtest::freshProgramDb());
        seed();
        dlgs = std::make_unique<ScriptedDialogs>();
    }
    void cleanup() {
        dlgs.reset();
        env.reset();
    }

    void playerRowsCommitOnLeavingAndOnBack() {
        auto& f = forms::get<Form_NewPlayer>();
        f.Show();
        DBGrid* g = f.DBG_Sensyu;
        QCOMPARE(g->gridModel()->columnCount(), 6);
        QCOMPARE(g->gridModel()->headerData(5, Qt::Horizontal).toString(), QStringLiteral("本名"));
        QCOMPARE(newLine(g), 3);  // 全　員, 山田, 鈴木, then the new line

        g->setCurrentIndex(g->gridModel()->index(1, 1));
        type(g, 1, 1, "山田太郎");
        g->setCurrentIndex(g->gridModel()->index(2, 1));
        QCOMPARE(sql("SELECT 選手名 FROM 選手 WHERE 選手ID = 1").toString(), QStringLiteral("山田太郎"));

        type(g, 3, 0, "3");
        type(g, 3, 1, "佐藤");
        f.setLeft(600);
        f.cmd_back_Click();  // without leaving the row
        QCOMPARE(sql("SELECT 選手名 FROM 選手 WHERE 選手ID = 3").toString(), QStringLiteral("佐藤"));
        QVERIFY(!forms::loaded<Form_NewPlayer>());
        QCOMPARE(settings::GetSetting("form", "np_Left", "25"), QStringLiteral("600"));
    }

    void playerRefusalsKeepTheWindowAndTheTable_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("message");
        QTest::newRow("zero") << "0" << masterdata::playerIdRangeMessage();
        QTest::newRow("too large") << "32768" << masterdata::playerIdRangeMessage();
        QTest::newRow("no number") << "abc" << masterdata::playerIdRangeMessage();
        QTest::newRow("none") << "" << masterdata::playerIdRangeMessage();
        QTest::newRow("taken") << "2" << masterdata::playerIdTakenMessage();
    }
    void playerRefusalsKeepTheWindowAndTheTable() {
        QFETCH(QString, id);
        QFETCH(QString, message);
        ScriptedDialogs& dlg = *dlgs;
        auto& f = forms::get<Form_NewPlayer>();
        f.Show();
        DBGrid* g = f.DBG_Sensyu;
        const int row = newLine(g);
        type(g, row, 1, "新人");
        g->setCurrentIndex(g->gridModel()->index(row, 0));
        g->edit(g->gridModel()->index(row, 0));
        auto* editor = g->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText(id);
        dlg.expectMsgBox(vbOK, message);
        f.cmd_back_Click();
        QVERIFY(dlg.allAnswered());
        QVERIFY(forms::loaded<Form_NewPlayer>());
        QCOMPARE(sql("SELECT COUNT(*) FROM 選手").toInt(), 3);

        // Closing by the close box meets the same refusal and stays open too.
        dlg.expectMsgBox(vbOK, message);
        f.close();
        QVERIFY(forms::loaded<Form_NewPlayer>());
        type(g, row, 0, "40");
        f.close();
        QVERIFY(!forms::loaded<Form_NewPlayer>());
        QCOMPARE(sql("SELECT 選手名 FROM 選手 WHERE 選手ID = 40").toString(), QStringLiteral("新人"));
    }

    void playerDeletionAsksAndKeepsWhatIsInUse() {
        run("INSERT INTO 選手 (選手ID, 選手名) VALUES (9, '退会')");
        ScriptedDialogs& dlg = *dlgs;
        auto& f = forms::get<Form_NewPlayer>();
        f.Show();
        DBGrid* g = f.DBG_Sensyu;
        auto del = [&](int row) {
            g->setCurrentIndex(g->gridModel()->index(row, 1));
            QTest::keyClick(g, Qt::Key_Delete);
        };
        // The reserved row: refused without a question, and not editable either.
        dlg.expectMsgBox(vbOK, masterdata::reservedRowMessage());
        del(0);
        dlg.expectMsgBox(vbOK, masterdata::reservedRowMessage());
        g->edit(g->gridModel()->index(0, 1));
        QCOMPARE(dlg.beeps(), 2);
        // A player with games and a handicap.
        dlg.expectMsgBox(vbYes, masterdata::confirmDeleteMessage()).expectMsgBox(vbOK, masterdata::playerInUseMessage());
        del(1);
        dlg.expectMsgBox(vbNo, masterdata::confirmDeleteMessage());
        del(3);
        QCOMPARE(sql("SELECT COUNT(*) FROM 選手").toInt(), 4);
        dlg.expectMsgBox(vbYes, masterdata::confirmDeleteMessage());
        del(3);
        QVERIFY(dlg.allAnswered());
        QCOMPARE(sql("SELECT COUNT(*) FROM 選手 WHERE 選手ID = 9").toInt(), 0);
        QCOMPARE(sql("SELECT COUNT(*) FROM 選手").toInt(), 3);

        // Renumbering a player with games would cut them off.
        g->setCurrentIndex(g->gridModel()->index(1, 0));
        type(g, 1, 0, "77");
        dlg.expectMsgBox(vbOK, masterdata::playerIdInUseMessage());
        QVERIFY(!g->commitRow());
        QCOMPARE(sql("SELECT COUNT(*) FROM データ項目 d JOIN 選手 p ON p.選手ID = d.選手ID").toInt(), 1);
    }

    void seasonEditor() {
        ScriptedDialogs& dlg = *dlgs;
        auto& f = forms::get<form_srs>();
        f.Show();
        DBGrid* g = f.DBG_srs;
        QCOMPARE(g->gridModel()->columnCount(), 3);
        QVERIFY(!(g->gridModel()->flags(g->gridModel()->index(0, 0)) & Qt::ItemIsEditable));  // the counter
        // A season with matches stays; one without goes after the question.
        dlg.expectMsgBox(vbYes).expectMsgBox(vbOK, masterdata::seasonInUseMessage());
        g->setCurrentIndex(g->gridModel()->index(0, 1));
        QTest::keyClick(g, Qt::Key_Delete);
        dlg.expectMsgBox(vbYes, masterdata::confirmDeleteMessage());
        g->setCurrentIndex(g->gridModel()->index(1, 1));
        QTest::keyClick(g, Qt::Key_Delete);
        QCOMPARE(sql("SELECT COUNT(*) FROM シーズン").toInt(), 1);
        // A new season typed and "戻　る" pressed on the same row is stored.
        type(g, newLine(g), 1, "2027前期");
        type(g, newLine(g), 2, "夏");
        f.cmd_back_Click();
        QVERIFY(!forms::loaded<form_srs>());
        QCOMPARE(sql("SELECT シーズン名 FROM シーズン WHERE シーズンID = 3").toString(), QStringLiteral("夏"));
        QVERIFY(dlg.allAnswered());
    }

    void handicapStates() {
        ScriptedDialogs& dlg = *dlgs;
        auto& f = forms::get<form_HDCP>();
        f.Show();
        DBGrid* g = f.DBG_hdcp;
        auto expectState = [&](bool editing, bool add, bool change, bool finish) {
            QCOMPARE(g->AllowUpdate(), editing);
            QCOMPARE(g->AllowAddNew(), editing);
            QVERIFY(g->AllowDelete());
            QCOMPARE(f.Cmd_Add[0]->isVisibleTo(&f), !editing);
            QCOMPARE(f.Cmd_Add[1]->isVisibleTo(&f), !editing);
            QCOMPARE(f.Cmd_Add[2]->isVisibleTo(&f), editing);
            QCOMPARE(f.cmd_back->isEnabled(), !editing);
            QCOMPARE(f.menu_back->isEnabled(), !editing);
            QCOMPARE(f.menu_hdcp[0]->isEnabled(), add);
            QCOMPARE(f.menu_hdcp[1]->isEnabled(), change);
            QCOMPARE(f.menu_hdcp[2]->isEnabled(), finish);
            QVERIFY(f.menu_add[0]->isEnabled() && f.menu_add[1]->isEnabled());
        };
        QCOMPARE(g->gridModel()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("S_ID"));
        QCOMPARE(f.EditMode, 0);
        expectState(false, true, true, false);

        f.menu_hdcp[0]->trigger();  // add
        QCOMPARE(f.EditMode, 0);
        expectState(true, false, true, true);
        f.menu_hdcp[1]->trigger();  // change, straight from adding
        QCOMPARE(f.EditMode, 1);
        expectState(true, false, false, true);
        f.Cmd_Add_Click(2);
        QCOMPARE(f.EditMode, 2);
        expectState(false, true, true, false);
        f.Cmd_Add_Click(2);  // a second finish changes nothing
        expectState(false, true, true, false);
        f.Cmd_Add_Click(1);
        expectState(true, true, false, true);
        f.Cmd_Add_Click(0);  // adding while changing: both entries wait for the finish
        expectState(true, false, false, true);
        f.Cmd_Add_Click(2);

        // Adding: a wrong player ID, then a second handicap for one player and season.
        f.Cmd_Add_Click(0);
        const int row = newLine(g);
        type(g, row, 1, "2");
        type(g, row, 3, "99");
        type(g, row, 5, "15");
        dlg.expectMsgBox(vbOK, QStringLiteral("入力した選手IDに誤りがあります"));
        f.Cmd_Add_Click(2);
        QCOMPARE(f.EditMode, 0);
        expectState(true, false, true, true);
        type(g, row, 1, "1");
        type(g, row, 3, "1");
        dlg.expectMsgBox(vbOK, masterdata::duplicateHandicapMessage());
        f.Cmd_Add_Click(2);
        QCOMPARE(sql("SELECT COUNT(*) FROM ハンデ").toInt(), 1);
        type(g, row, 1, "2");
        f.Cmd_Add_Click(2);
        QCOMPARE(f.EditMode, 2);
        QCOMPARE(sql("SELECT ハンデ FROM ハンデ WHERE 選手ID = 1 AND シーズンID = 2").toInt(), 15);
        QCOMPARE(g->gridModel()->data(g->gridModel()->index(1, 4)).toString(), QStringLiteral("山田"));

        // Deleting works in the finished state, after the question.
        dlg.expectMsgBox(vbYes, masterdata::confirmDeleteMessage());
        g->setCurrentIndex(g->gridModel()->index(1, 5));
        QTest::keyClick(g, Qt::Key_Delete);
        QCOMPARE(sql("SELECT COUNT(*) FROM ハンデ").toInt(), 1);

        // The player and season editors open from here, one window each.
        f.Cmd_New_Click(0);
        Form_NewPlayer* players = forms::loaded<Form_NewPlayer>();
        f.menu_add[0]->trigger();
        QCOMPARE(forms::loaded<Form_NewPlayer>(), players);  // the same window, not a second one
        f.Cmd_New_Click(1);
        QVERIFY(forms::loaded<Form_NewPlayer>() && forms::loaded<form_srs>());
        f.cmd_back_Click();
        QVERIFY(!forms::loaded<form_HDCP>());
        QVERIFY(dlg.allAnswered());
    }

    // A handicap is a 16-bit whole number: anything else is refused at every press and nothing is
    // stored. The ID is the database's counter: typing into it does nothing, adding or changing.
    void handicapEntriesAreChecked_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");  // empty: refused
        QTest::newRow("too large") << "99999999999" << "";
        QTest::newRow("overflow") << "1e309" << "";
        QTest::newRow("text") << "abc" << "";
        QTest::newRow("fraction") << "1.5" << "";
        QTest::newRow("minus zero") << "-0" << "0";
        QTest::newRow("smallest") << "-32768" << "-32768";
    }
    void handicapEntriesAreChecked() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        ScriptedDialogs& dlg = *dlgs;
        auto& f = forms::get<form_HDCP>();
        f.Show();
        DBGrid* g = f.DBG_hdcp;
        click(f.Cmd_Add[0]);
        const int row = newLine(g);
        typeCell(g, row, 0, "1");
        typeCell(g, row, 1, "2");
        typeCell(g, row, 3, "2");
        typeCell(g, row, 5, typed);
        for (int press = 0; press < (stored.isEmpty() ? 2 : 0); ++press) {
            dlg.expectMsgBox(vbOK, QStringLiteral("ハンデは"));
            click(f.Cmd_Add[2]);
            QVERIFY(dlg.allAnswered());
            QCOMPARE(f.EditMode, 0);
            QCOMPARE(sql("SELECT COUNT(*) FROM ハンデ").toInt(), 1);
        }
        if (stored.isEmpty()) typeCell(g, row, 5, stored = "3");
        click(f.Cmd_Add[2]);
        QCOMPARE(f.EditMode, 2);
        QCOMPARE(sql("SELECT ID || ':' || quote(ハンデ) FROM ハンデ WHERE 選手ID = 2").toString(), "2:" + stored);
        QCOMPARE(cell(g, row, 0) + cell(g, row, 4) + cell(g, 0, 4), QStringLiteral("2鈴木山田"));

        click(f.Cmd_Add[1]);
        typeCell(g, row, 0, "1");
        typeCell(g, row, 5, "8");
        click(f.Cmd_Add[2]);
        QCOMPARE(sql("SELECT group_concat(ID || ':' || ハンデ, ' ') FROM ハンデ").toString(), QStringLiteral("1:20 2:8"));
        QCOMPARE(cell(g, row, 0) + ":" + cell(g, row, 5), QStringLiteral("2:8"));
        QVERIFY(dlg.allAnswered());
    }

    void screenshots() {
        auto shoot = [](Form& f, const char* name) {
            f.Show();
            f.setLeft(150);
            f.setTop(150);
            QTest::qWait(20);
            vxtest::saveShot(f.subWindow(), QString::fromLatin1(name));
        };
        shoot(forms::get<Form_NewPlayer>(), "shell_players");
        forms::unload<Form_NewPlayer>();
        shoot(forms::get<form_srs>(), "shell_seasons");
        forms::unload<form_srs>();
        auto& h = forms::get<form_HDCP>();
        shoot(h, "shell_handicaps");
        h.Cmd_Add_Click(0);
        vxtest::saveShot(h.subWindow(), QStringLiteral("shell_handicaps_adding"));
    }
};

QTEST_MAIN(TestMasterData)
#include "tst_masterdata.moc"
