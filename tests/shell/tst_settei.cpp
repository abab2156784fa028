// The settings dialog: what each of its three endings does to the shared state and the store,
// the mark and games-number checks, the pickers, and the upkeep buttons.
#include "common/appdir.h"
#include "common/gamecount.h"
#include "common/launcher.h"
#include "common/module1.h"
#include "common/settings.h"
#include "shell/dbmaint.h"
#include "shell/form_hdcp.h"
#include "shell/form_settei.h"
#include "shell/settei_options.h"
#include "shell/startup.h"
#include "common/database.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <memory>

using namespace vx;
using vxtest::ScriptedDialogs;
using vxtest::TestEnv;

namespace {
QString stored(const QString& section, const QString& key) { return settings::GetSetting(section, key, "<none>"); }

// What start-up would load from the store.
void restart() {
    Module1::resetAll();
    gamecount::clearPending();
    settings::reload();
    startup::loadSettings();
}

Form_Settei& openDialog() {
    auto& f = forms::get<Form_Settei>();
    f.Show();
    return f;
}
}  // namespace

class TestSettei : public QObject {
    Q_OBJECT
    // Every case: a private program folder with a fresh database, the store as start-up loads it.
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<ScriptedDialogs> dlgs;
    QString path(const QString& name) const { return env->path(name); }

private Q_SLOTS:
    void init() {
        env = std::make_unique<TestEnv>(false);
        QVERIFY(vxtest::freshProgramDb());
        restart();
        dlgs = std::make_unique<ScriptedDialogs>();
    }
    void cleanup() {
        dlgs.reset();
        env.reset();
    }

    void markLimiter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("three single") << "abc" << "ab";
        QTest::newRow("double first") << "＊a" << "＊";
        QTest::newRow("single then double") << "a＊" << "a";
        QTest::newRow("half-width kana") << "ｽﾍﾟ" << "ｽﾍ";
        QTest::newRow("one") << "s" << "s";
    }
    void markLimiter() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QCOMPARE(settei::limitMark(typed), kept);
    }

    void loadShowsTheSharedState() {
        auto& f = openDialog();
        QCOMPARE(f.KAZ->text(), QStringLiteral("4"));
        QCOMPARE(f.Txt_Spl[0]->text(), QStringLiteral("1s"));
        QCOMPARE(f.Txt_Spl[8]->text(), QStringLiteral("／"));
        QCOMPARE(f.Txt_Spl[9]->text(), QStringLiteral("＊"));
        QVERIFY(f.Opt_PntTarget[0]->isChecked() && f.Opt_PntCalc[0]->isChecked());
        for (QCheckBox* c : {f.Chk_Data[0], f.Chk_Data[1], f.Chk_rule[0], f.Chk_STSP, f.Chk_HCP[0], f.Chk_HCP[1]})
            QVERIFY(!c->isChecked());
        QCOMPARE(f.lbl_pin[1]->text(), QStringLiteral("pin2.jpg"));
        QCOMPARE(f.pinColor(4), 1105407);
        QCOMPARE(f.Txt_dir->text(), QStringLiteral("c:\\Program Files\\Internet Explorer\\Iexplore.exe"));
        QCOMPARE(f.SSTab1->count(), 6);
        f.Cmd_OK_Click(2);

        // Flags unpack bit by bit; a point value above 2 sets no button.
        Module1::ResultDisplayFlags = 2;
        Module1::TallyRuleFlags = 6;
        Module1::PointTarget = 7;
        Module1::PointMethod = 2;
        auto& g = openDialog();
        QVERIFY(!g.Chk_Data[0]->isChecked() && g.Chk_Data[1]->isChecked());
        QVERIFY(!g.Chk_rule[0]->isChecked() && g.Chk_STSP->isChecked() && g.Chk_HCP[1]->isChecked());
        for (auto* b : g.Opt_PntTarget) QVERIFY(!b->isChecked());
        QVERIFY(g.Opt_PntCalc[2]->isChecked());
        g.Cmd_OK_Click(0);  // with no target button set the value stays
        QCOMPARE(Module1::PointTarget, 7);
    }

    void saveWritesWhatTheNextStartReads() {
        ScriptedDialogs& dlg = *dlgs;
        auto& f = openDialog();
        f.KAZ->setText("5");
        f.Chk_Data[1]->setChecked(true);
        f.Chk_rule[0]->setChecked(true);
        f.Chk_STSP->setChecked(true);
        f.Chk_HCP[1]->setChecked(true);
        f.Chk_HCP[0]->setChecked(true);
        f.Opt_PntTarget[2]->setChecked(true);
        f.Opt_PntCalc[1]->setChecked(true);
        f.Txt_Spl[9]->setText("Xyz");  // still in the box: the save limits it
        f.Txt_dir->setText("firefox --new-window");
        dlg.expectColor(0x00FF00);
        f.lbl_pin_Click(5);
        f.Cmd_OK_Click(0);
        QVERIFY(!forms::loaded<Form_Settei>());
        QCOMPARE(stored("Setting", "max_game"), QStringLiteral("4"));
        QCOMPARE(stored("Setting", "data_1"), QStringLiteral("2"));
        QCOMPARE(stored("Setting", "data_2"), QStringLiteral("7"));
        QCOMPARE(stored("Setting", "data_3"), QStringLiteral("2"));
        QCOMPARE(stored("Setting", "data_4"), QStringLiteral("1"));
        QCOMPARE(stored("Setting", "hcp_mynas"), QStringLiteral("1"));
        QCOMPARE(stored("Setting", "Spear_mark10"), QStringLiteral("Xy"));
        QCOMPARE(stored("pin", "pin3_color"), QString::number(0x00FF00));
        QCOMPARE(stored("pin", "pin1_color"), QStringLiteral("16777215"));
        QCOMPARE(stored("pin", "pin1_name"), QStringLiteral("pin1.jpg"));
        QCOMPARE(stored("setting", "brw"), QStringLiteral("firefox --new-window"));
        QCOMPARE(Module1::LastGame, 4);
        QCOMPARE(Module1::PinColors[2], 0x00FF00);

        using namespace Module1;
        auto shared = [] { return std::make_tuple(LastGame, HcpRequired, ResultDisplayFlags, TallyRuleFlags,
                                                  PointTarget, PointMethod, MarkTexts, PinColors, PinImageFiles); };
        const auto saved = shared();
        restart();
        QVERIFY(saved == shared());
    }

    void thisRunOnlyLeavesTheStoreAndThePictures() {
        ScriptedDialogs& dlg = *dlgs;
        auto& f = openDialog();
        f.KAZ->setText("6");
        f.Chk_Data[0]->setChecked(true);
        f.Txt_Spl[0]->setText("SPL");
        f.Txt_dir->setText("other-browser");
        dlg.expectColor(0x123456);
        f.lbl_pin_Click(3);
        dlg.expectOpenFile(path("mine.jpg"));
        f.lbl_pin_Click(0);
        f.Cmd_OK_Click(1);
        QCOMPARE(Module1::LastGame, 5);
        QCOMPARE(Module1::ResultDisplayFlags, 1);
        QCOMPARE(Module1::MarkTexts[1], QStringLiteral("SP"));
        QCOMPARE(Module1::PinColors[0], 16777215);
        QCOMPARE(Module1::PinImageFiles[0], QStringLiteral("pin1.jpg"));
        QCOMPARE(stored("Setting", "max_game"), QStringLiteral("<none>"));
        QCOMPARE(stored("setting", "brw"), QStringLiteral("<none>"));
        restart();
        QCOMPARE(Module1::LastGame, 3);

        // Discarding and the close box change nothing at all.
        for (int way = 0; way < 2; ++way) {
            auto& g = openDialog();
            g.KAZ->setText("2");
            g.Chk_HCP[0]->setChecked(true);
            if (way == 0) g.Cmd_OK_Click(2);
            else g.close();
            QVERIFY(!forms::loaded<Form_Settei>());
            QCOMPARE(Module1::LastGame, 3);
            QCOMPARE(Module1::HcpRequired, 0);
            QCOMPARE(stored("Setting", "max_game"), QStringLiteral("<none>"));
        }
        QVERIFY(stored("Form", "set_left") != QStringLiteral("<none>"));
    }

    void refusedGamesNumbersAndMarks_data() {
        QTest::addColumn<QString>("games");
        QTest::addColumn<int>("markBox");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("message");
        const QString games = settei::gamesNumberMessage();
        QTest::newRow("eleven games") << "11" << -1 << "" << games;
        QTest::newRow("no games") << "0" << -1 << "" << games;
        QTest::newRow("half a game") << "4.5" << -1 << "" << games;
        QTest::newRow("no number") << "four" << -1 << "" << games;
        QTest::newRow("empty mark") << "4" << 3 << "" << QStringLiteral("マークが入力されていません。");
        QTest::newRow("same mark") << "4" << 9 << "／" << QStringLiteral("同じマークが複数設定されています。");
        QTest::newRow("same in full width") << "4" << 1 << "/" << QStringLiteral("同じマークが複数設定されています。");
    }
    void refusedGamesNumbersAndMarks() {
        QFETCH(QString, games);
        QFETCH(int, markBox);
        QFETCH(QString, mark);
        QFETCH(QString, message);
        ScriptedDialogs& dlg = *dlgs;
        auto& f = openDialog();
        f.KAZ->setText(games);
        if (markBox >= 0) f.Txt_Spl[std::size_t(markBox)]->setText(mark);
        f.Chk_HCP[0]->setChecked(true);
        for (int button : {0, 1}) {
            dlg.expectMsgBox(vbOK, message);
            f.Cmd_OK_Click(button);
        }
        QCOMPARE(dlg.beeps(), 2);
        QVERIFY(forms::loaded<Form_Settei>());
        QCOMPARE(f.SSTab1->currentIndex(), markBox >= 0 ? 0 : 2);
        QCOMPARE(Module1::LastGame, 3);
        QCOMPARE(Module1::HcpRequired, 0);
        QCOMPARE(stored("Setting", "hcp_mynas"), QStringLiteral("<none>"));
    }

    void tenGamesAtMostAndNeverUnderAMatch() {
        auto& f = openDialog();
        f.KAZ->setText("10");
        f.Cmd_OK_Click(1);
        QCOMPARE(Module1::LastGame, 9);

        // A match is set up: its sheet keeps its count until the next set-up.
        Module1::ScoreSheet.redim(0, 35, 0, 9);
        auto& g = openDialog();
        g.KAZ->setText("3");
        g.Cmd_OK_Click(0);
        QCOMPARE(Module1::LastGame, 9);
        QCOMPARE(stored("Setting", "max_game"), QStringLiteral("2"));
        QCOMPARE(openDialog().KAZ->text(), QStringLiteral("3"));  // the count the next match will have
        forms::get<Form_Settei>().Cmd_OK_Click(2);
        gamecount::applyPending();
        QCOMPARE(Module1::LastGame, 2);
    }

    void picturesAndBrowserPickers() {
        QVERIFY(QFile::copy(QStringLiteral(VX_ASSETS_DIR "/pin3.jpg"), path("pin3.jpg")));
        ScriptedDialogs& dlg = *dlgs;
        auto& f = openDialog();
        QVERIFY(!f.pct_pin[2]->pixmap().isNull());
        QCOMPARE(f.pct_pin[2]->pixmap().size(), QSize(25, 25));
        QVERIFY(f.pct_pin[0]->pixmap().isNull());  // pin1.jpg is not in this folder: no preview

        QDir::setCurrent(QDir::tempPath());
        dlg.expectOpenFile(QString());  // cancelled: the caption stays
        f.pct_pin_Click(2);
        QCOMPARE(f.lbl_pin[2]->text(), QStringLiteral("pin3.jpg"));
        QCOMPARE(QDir::currentPath(), QDir(programFolder()).absolutePath());

        QDir::setCurrent(QDir::tempPath());
        dlg.expectOpenFile(path("pin3.jpg"));
        f.lbl_pin_Click(0);
        QCOMPARE(f.lbl_pin[0]->text(), path("pin3.jpg"));
        QVERIFY(!f.pct_pin[0]->pixmap().isNull());
        QCOMPARE(QDir::currentPath(), QDir(programFolder()).absolutePath());

        dlg.expectColor(std::nullopt);
        f.lbl_pin_Click(4);
        QCOMPARE(f.pinColor(4), 1105407);

        dlg.expectOpenFile("/usr/bin/firefox");
        f.cmd_filename_Click();
        QCOMPARE(f.Txt_dir->text(), QStringLiteral("/usr/bin/firefox"));
        dlg.expectOpenFile(QString());
        f.cmd_filename_Click();
        QCOMPARE(f.Txt_dir->text(), QStringLiteral("/usr/bin/firefox"));

        // Help uses the stored browser, not the box.
        QStringList started;
        launcher::setRunner([&](const QString& program, const QStringList& args) {
            started << program << args;
            return true;
        });
        settings::SaveSetting("setting", "brw", "mybrowser");
        f.menu_h->trigger();
        launcher::setRunner({});
        QCOMPARE(started, QStringList({"mybrowser", inProgramFolder("vh_settei.htm")}));
        QVERIFY(dlg.allAnswered());
    }

    void upkeepButtons() {
        QVERIFY(db::exec("INSERT INTO 選手 (選手ID, 選手名) VALUES (7, '山田')"));
        ScriptedDialogs& dlg = *dlgs;
        auto& f = openDialog();

        // Export: a cancelled save writes nothing, even after another dialog chose a file.
        dlg.expectOpenFile(path("chosen.jpg"));
        f.lbl_pin_Click(0);
        dlg.expectMsgBox(vbOK, QStringLiteral("Vorlix for CE 用の選手名データを")).expectSaveFile(QString());
        f.cmd_4ce_Click();
        QVERIFY(!QFile::exists(path("chosen.jpg")));
        dlg.expectMsgBox(vbOK).expectSaveFile(path("ce.txt")).expectMsgBox(vbOK, dbmaint::exportDoneMessage());
        f.cmd_4ce_Click();
        QVERIFY(QFile::exists(path("ce.txt")));

        // Compaction: refused while a bound editor is open, cancelled, then done.
        f.Cmd_HDCP_Click();
        QVERIFY(forms::loaded<form_HDCP>());
        dlg.expectMsgBox(vbOK, QStringLiteral("シーズン名・選手名・ハンデキャップの追加・変更"));
        f.cmd_cmpact_Click();
        forms::unload<form_HDCP>();
        dlg.expectMsgBox(vbCancel, dbmaint::compactQuestion());
        f.menu_compact->trigger();
        QVERIFY(!QFile::exists(path(dbmaint::BackupFileName)));
        dlg.expectMsgBox(vbOK, dbmaint::compactQuestion()).expectMsgBox(vbOK, dbmaint::compactDoneMessage());
        f.cmd_cmpact_Click();
        QVERIFY(QFile::exists(path(dbmaint::BackupFileName)));
        QVERIFY(db::isOpen());
        QCOMPARE(db::scalar("SELECT 選手名 FROM 選手 WHERE 選手ID = 7").toString(), QStringLiteral("山田"));
        QVERIFY(forms::loaded<Form_Settei>());
        QVERIFY(dlg.allAnswered());
    }

    void screenshots() {
        for (int i = 1; i <= 3; ++i)
            QFile::copy(QStringLiteral(VX_ASSETS_DIR "/pin%1.jpg").arg(i), path(QStringLiteral("pin%1.jpg").arg(i)));
        auto& f = openDialog();
        f.setLeft(150);
        f.setTop(150);
        const char* names[6] = {"marks", "calculation", "limits", "browser", "pins", "database"};
        for (int t = 0; t < 6; ++t) {
            f.SSTab1->setCurrentIndex(t);
            QTest::qWait(20);
            vxtest::saveShot(f.subWindow(), QStringLiteral("shell_settings_") + QString::fromLatin1(names[t]));
        }
    }
};

QTEST_MAIN(TestSettei)
#include "tst_settei.moc"
