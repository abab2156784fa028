// Start-up, the exit question, the start menu and the small shell windows, headless.
#include "common/database.h"
#include "common/launcher.h"
#include "common/module1.h"
#include "common/settings.h"
#include "platform/twips.h"
#include "support/scripted_dialogs.h"
#include "shell/form_aisatsu.h"
#include "shell/form_menu.h"
#include "shell/form_start.h"
#include "shell/form_version.h"
#include "platform/registry.h"
#include "shell/form_wait.h"
#include "shell/startup.h"
#include "support/testenv.h"
#include <QFile>
#include <QLabel>
#include <QLockFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using namespace vx;
using vxtest::ScriptedDialogs;
using vxtest::TestEnv;

namespace {
const QString OldFormat = QStringLiteral(
    "データベースがVer３対応されていません。\r専用のソフト(vlx2ver3.exe)を使って\rデータベースを更新して下さい。");

Form_menu* startProgram() {
    auto* menu = new Form_menu();
    if (!menu->MDIForm_Load()) return nullptr;
    menu->show();
    return menu;
}
}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void emptyStoreGivesDefaults() {
        TestEnv env;
        ScriptedDialogs dlg;
        Form_menu* menu = startProgram();
        QVERIFY(menu);
        QCOMPARE(Module1::LastGame, 3);
        QCOMPARE(Module1::HcpRequired, 0);
        QCOMPARE(Module1::PointMethod, 0);
        const QStringList marks{"", "1s", "2s", "3s", "4s", "5s", "6s", "7s", "8s", "／", "＊"};
        QCOMPARE(QStringList(Module1::MarkTexts.begin(), Module1::MarkTexts.end()), marks);
        QCOMPARE(Module1::PinColors, (std::array<std::int32_t, 3>{16777215, 1105407, 8425727}));
        QCOMPARE(QStringList(Module1::PinImageFiles.begin(), Module1::PinImageFiles.end()),
                 QStringList({"pin1.jpg", "pin2.jpg", "pin3.jpg"}));
        for (int i = 0; i < 8; ++i) QCOMPARE(Module1::HtmlColors[i], QString(i % 2 ? "0" : "14811135"));
        QCOMPARE(Module1::SeasonIdMax, 1);
        QCOMPARE(Module1::MatchIdMin, 1);
        const QSize screen = screenSizeTwips();
        QCOMPARE(menu->width(), twips(screen.width() * 0.9));
        QCOMPARE(menu->height(), twips(screen.height() * 0.9));
        QCOMPARE(menu->pos(), QPoint(twips(25), twips(25)));
        QCOMPARE(menu->windowTitle(), QStringLiteral("  Vorlix[Vorlix32] - The Scorer & Database for BOWLING Games"));
        QVERIFY(forms::loaded<Form_Start>());
        QVERIFY(dlg.shown().empty());
    }

    void storedValuesAndConversions() {
        TestEnv env;
        using settings::SaveSetting;
        SaveSetting(QStringLiteral("setting"), QStringLiteral("MAX_GAME"), QStringLiteral("4.5"));  // halves to even
        SaveSetting(QStringLiteral("Setting"), QStringLiteral("data_2"), QStringLiteral("300"));    // no byte: kept
        SaveSetting(QStringLiteral("Setting"), QStringLiteral("data_3"), QStringLiteral("2"));
        SaveSetting(QStringLiteral("pin"), QStringLiteral("pin2_color"), QStringLiteral("1105407"));
        SaveSetting(QStringLiteral("pin"), QStringLiteral("pin3_color"), QStringLiteral("&h10ddff"));
        SaveSetting(QStringLiteral("Setting"), QStringLiteral("width"), QStringLiteral("6000"));
        ScriptedDialogs dlg;
        Form_menu* menu = startProgram();
        QVERIFY(menu);
        QCOMPARE(Module1::LastGame, 4);
        QCOMPARE(Module1::TallyRuleFlags, 0);
        settings::SaveSetting(QStringLiteral("Setting"), QStringLiteral("max_game"), QStringLiteral("12"));
        Module1::LastGame = 0;
        startup::loadSettings();
        QCOMPARE(Module1::LastGame, 3);  // more than ten games a match is never loaded
        QCOMPARE(Module1::PointTarget, 2);
        QCOMPARE(Module1::PinColors[1], Module1::PinColors[2]);
        QCOMPARE(menu->width(), twips(6000));
    }

    void unusableDatabaseEndsBeforeSettings_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("missing") << 0;
        QTest::newRow("not sqlite") << 1;
        QTest::newRow("without フレーム") << 2;
    }
    void unusableDatabaseEndsBeforeSettings() {
        QFETCH(int, kind);
        TestEnv env(false);
        const QString file = env.path(QStringLiteral("Vorlix.mdb"));
        if (kind == 1) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("Standard Jet DB\0\0\0 not a database", 34);
        } else if (kind == 2) {
            {
                QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
                d.setDatabaseName(file);
                QVERIFY(d.open());
                QSqlQuery(d).exec(QStringLiteral("CREATE TABLE \"選手\" (\"選手ID\" INTEGER)"));
                d.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("raw"));
        }
        ScriptedDialogs dlg;
        dlg.expectMsgBox(vbOK, OldFormat);
        Form_menu menu;
        QVERIFY(!menu.MDIForm_Load());
        QCOMPARE(Module1::LastGame, 0);  // no setting was read
        QCOMPARE(QFile::exists(file), kind != 0);  // a missing file is never created
        QVERIFY(dlg.allAnswered());
        QCOMPARE(dlg.shown().front().prompt, OldFormat);
        QCOMPARE(dlg.shown().front().style, int(vbOKOnly));
        QVERIFY(dlg.shown().front().title.isEmpty());
    }

    void secondCopyIsRefused() {
        TestEnv env;
        QDir().mkpath(settings::storeFolder());
        QLockFile other(settings::storeFolder() + QStringLiteral("/Vorlix32.lock"));
        QVERIFY(other.tryLock(0));
        ScriptedDialogs dlg;
        dlg.expectMsgBox(vbOK, QStringLiteral("すでに起動しています。"));
        Form_menu menu;
        QVERIFY(!menu.MDIForm_Load());
        QVERIFY(dlg.allAnswered());
    }

    void idRangesFromTheTables_data() {
        QTest::addColumn<QString>("srsMax");  // stored; empty for none
        QTest::addColumn<QString>("srsMin");
        QTest::addColumn<QList<int>>("expected");  // season max, min, match max, min
        QTest::newRow("scanned, a stored minimum above the true one is lowered") << "" << "4" << QList<int>{9, 3, 42, 1};
        QTest::newRow("not scanned once a larger maximum is saved") << "12" << "" << QList<int>{12, 1, 42, 1};
    }
    void idRangesFromTheTables() {
        QFETCH(QString, srsMax);
        QFETCH(QString, srsMin);
        QFETCH(QList<int>, expected);
        TestEnv env;
        for (int id : {3, 9, 5}) vxtest::execSql(QStringLiteral("INSERT INTO \"シーズン\"(\"シーズンID\") VALUES(%1)").arg(id));
        for (int id : {7, 42}) vxtest::execSql(QStringLiteral("INSERT INTO \"試合\"(\"試合ID\") VALUES(%1)").arg(id));
        db::close();
        if (!srsMax.isEmpty()) settings::SaveSetting(QStringLiteral("Setting"), QStringLiteral("srs_max"), srsMax);
        if (!srsMin.isEmpty()) settings::SaveSetting(QStringLiteral("Setting"), QStringLiteral("srs_min"), srsMin);
        ScriptedDialogs dlg;
        QVERIFY(startProgram());
        // A stored minimum of 1 stays 1.
        QCOMPARE((QList<int>{Module1::SeasonIdMax, Module1::SeasonIdMin, int(Module1::MatchIdMax), int(Module1::MatchIdMin)}),
                 expected);
    }

    void exitCancelChangesNothingOkSaves() {
        TestEnv env;
        ScriptedDialogs dlg;
        Form_menu* menu = startProgram();
        QVERIFY(menu);
        QVERIFY(!QFile::exists(settings::storePath()));
        dlg.expectMsgBox(vbCancel, QStringLiteral("終了してもよろしいですか？"));
        forms::get<Form_Start>().Cmd_End_Click();
        QVERIFY(!menu->ended());
        QVERIFY(!QFile::exists(settings::storePath()));
        const auto& q = dlg.shown().back();
        QCOMPARE(q.title, QStringLiteral("終了の確認"));
        QCOMPARE(q.style, int(vbOKCancel | vbDefaultButton2));

        menu->move(twips(600), twips(450));
        forms::get<Form_Start>().setLeft(300);
        Module1::SeasonIdMax = 7;
        Module1::MatchIdMax = 88;
        dlg.expectMsgBox(vbOK);
        forms::get<Form_Start>().Cmd_End_Click();
        QVERIFY(menu->ended());
        QCOMPARE(settings::GetSetting(QStringLiteral("setting"), QStringLiteral("LEFT"), {}), QStringLiteral("600"));
        QCOMPARE(settings::GetSetting(QStringLiteral("form"), QStringLiteral("start_Left"), {}), QStringLiteral("300"));

        // The next start-up reads what the exit saved.
        vxtest::resetUi();
        db::close();
        Module1::resetAll();
        Form_menu* again = startProgram();
        QVERIFY(again);
        QCOMPARE(Module1::SeasonIdMax, 7);
        QCOMPARE(Module1::MatchIdMax, 88);
        QCOMPARE(again->pos(), QPoint(twips(600), twips(450)));
        QCOMPARE(forms::get<Form_Start>().Left(), 300.0);
    }

    void unmovedGeometryIsSavedAsRead() {
        TestEnv env;
        ScriptedDialogs dlg;
        Form_menu* menu = startProgram();
        QVERIFY(menu);
        dlg.expectMsgBox(vbOK);
        forms::get<Form_Start>().Cmd_End_Click();
        QVERIFY(menu->ended());
        // 25 twips stand at 2 pixels; what is saved is the 25 that was read, not 30.
        QCOMPARE(settings::GetSetting(QStringLiteral("Setting"), QStringLiteral("Left"), {}), QStringLiteral("25"));
        QCOMPARE(settings::GetSetting(QStringLiteral("Form"), QStringLiteral("start_left"), {}), QStringLiteral("25"));
    }

    void startMenuCountsRowsAndGuardsButtons() {
        TestEnv env;
        for (int i = 0; i < 12; ++i) vxtest::execSql(QStringLiteral("INSERT INTO \"データ項目\"(\"選手ID\") VALUES(1)"));
        db::close();
        ScriptedDialogs dlg;
        QVERIFY(startProgram());
        Form_Start& start = forms::get<Form_Start>();
        QCOMPARE(start.Lbl_all_data->text(), QStringLiteral("12"));
        QCOMPARE(Module1::DataRecordCount, 12);

        // Another window active: the nine buttons are off, Command1 and the menus are not.
        forms::get<Form_version>().Show();
        for (QPushButton* b : start.mainButtons()) QVERIFY(!b->isEnabled());
        QVERIFY(start.Command1->isEnabled());
        QCOMPARE(MdiFrame::instance()->menuBar()->actions().first()->text(), QStringLiteral("戻る"));

        // Back to the start menu after a stored day: the count shows at once, buttons stay off.
        Module1::DataRecordCount += 12;
        start.Show();
        QCOMPARE(start.Lbl_all_data->text(), QStringLiteral("24"));
        QVERIFY(!start.Cmd_OK->isEnabled());
        QCOMPARE(MdiFrame::instance()->menuBar()->actions().first()->text(), QStringLiteral("ファイル(&F)"));
        QTest::mouseMove(&start, QPoint(5, start.height() - 5));
        start.Form_MouseMove();
        for (QPushButton* b : start.mainButtons()) QVERIFY(b->isEnabled());
    }

    void helpAndHomePageGoThroughTheLauncher() {
        TestEnv env;
        ScriptedDialogs dlg;
        QVERIFY(startProgram());
        QList<QStringList> runs;
        launcher::setRunner([&](const QString& program, const QStringList& args) {
            runs << (QStringList{program} + args);
            return false;  // a browser that cannot start shows nothing
        });
        forms::get<Form_Start>().menu_help_Click();
        settings::SaveSetting(QStringLiteral("setting"), QStringLiteral("brw"), QStringLiteral("firefox --new-window"));
        forms::get<Form_Aisatsu>().Label1_Click(5);
        forms::get<Form_Aisatsu>().Label1_Click(2);  // not a link
        launcher::setRunner({});
        QCOMPARE(runs.size(), 2);
        QCOMPARE(runs[0], (QStringList{QStringLiteral("xdg-open"), env.path(QStringLiteral("vh_menu.htm"))}));
        QCOMPARE(runs[1], (QStringList{QStringLiteral("firefox"), QStringLiteral("--new-window"), HomePageAddress}));
        QVERIFY(forms::loaded<Form_Aisatsu>());
        QVERIFY(dlg.shown().empty());
    }

    void versionTextBuiltOnEveryLoad() {
        TestEnv env;
        ScriptedDialogs dlg;
        forms::get<Form_version>().Show();
        QCOMPARE(forms::get<Form_version>().Label2->text(), QStringLiteral("Vorlix Vorlix Ver 3.15"));
        forms::get<Form_version>().setLeft(900);
        forms::get<Form_version>().Cmd_OK_Click();
        QVERIFY(!forms::loaded<Form_version>());
        QCOMPARE(settings::GetSetting(QStringLiteral("form"), QStringLiteral("version_Left"), {}), QStringLiteral("900"));
        forms::get<Form_version>().Show();
        QCOMPARE(forms::get<Form_version>().Label2->text(), QStringLiteral("Vorlix Vorlix Ver 3.15"));
        QCOMPARE(forms::get<Form_version>().Left(), 900.0);
    }

    void waitingWindowIsHarmlessWhenRepeated() {
        TestEnv env;
        forms::hideWaiting();  // not loaded: nothing happens
        QVERIFY(!forms::loaded<Form_Wait>());
        forms::showWaiting();
        forms::showWaiting();
        Form_Wait& w = forms::get<Form_Wait>();
        QVERIFY(w.isShown());
        QCOMPARE(w.subWindow()->pos(), QPoint(twips(500), twips(500)));
        QCOMPARE(w.Left(), 500.0);  // not moved since: the value set, not its pixel rounding
        QCOMPARE(w.windowTitle(), QStringLiteral("処理中です。しばらくお待ちください。"));
        forms::hideWaiting();
        forms::hideWaiting();
        QVERIFY(!w.isShown());
        QVERIFY(w.Unload());
        QVERIFY(forms::unload<Form_Wait>());
    }

    void screenshots() {
        TestEnv env;
        ScriptedDialogs dlg;
        Form_menu* menu = startProgram();
        QVERIFY(menu);
        menu->resize(1000, 640);
        QCoreApplication::processEvents();
        vxtest::saveShot(menu, QStringLiteral("shell_start_menu"));
        forms::get<Form_Aisatsu>().Show();
        forms::get<Form_Aisatsu>().setLeft(1500);
        forms::get<Form_Aisatsu>().setTop(1500);
        QCoreApplication::processEvents();
        vxtest::saveShot(forms::get<Form_Aisatsu>().subWindow(), QStringLiteral("shell_greeting"));
        forms::get<Form_version>().Show();
        QCoreApplication::processEvents();
        vxtest::saveShot(forms::get<Form_version>().subWindow(), QStringLiteral("shell_version"));
        forms::showWaiting();
        vxtest::saveShot(menu, QStringLiteral("shell_waiting"));
    }

    void cleanup() { launcher::setRunner({}); }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
