// The settings dialog: what each of its endings does to the shared state and the store, the mark
// and games-number checks, the pickers, and the upkeep buttons.
#include "support/monkey.h"
#include "common/gamecount.h"
#include "shell/dbmaint.h"
#include "shell/form_hdcp.h"
#include "shell/form_settei.h"
#include "shell/form_start.h"
#include "shell/settei_options.h"
#include "shell/startup.h"

using namespace Qt::StringLiterals;


namespace {
QString stored(const char* section, const char* key) { return settings::GetSetting(section, key, "<none>"); }

// The shared settings, and what start-up loads of them from the store.
auto shared() {
    using namespace Module1;
    return std::make_tuple(LastGame, HcpRequired, ResultDisplayFlags, TallyRuleFlags, PointTarget, PointMethod, MarkTexts, PinColors, PinImageFiles);
}
auto restart() {
    Module1::resetAll();
    gamecount::clearPending();
    settings::reload();
    startup::loadSettings();
    return shared();
}

// A box filled as a user does: on its page, clicked, its text typed over, then left.
void fill(Form_Settei& f, int page, QLineEdit* box, const QString& text) {
    f.SSTab1->setCurrentIndex(page);
    click(box);
    press(Qt::Key_A, Qt::ControlModifier);
    press(Qt::Key_Delete);
    typeKeys(text);
    press(Qt::Key_Tab);
}
template <class Buttons>
int checked(const Buttons& buttons) {
    int bits = 0, i = 0;
    for (QAbstractButton* b : buttons) bits |= int(b->isChecked()) << i++;
    return bits;
}
}  // namespace

struct Case {
    const char* name;
    int flags, target, method;  // shared before: display | tally << 2 | handicap asked << 5; the options
    int pick;                   // the target and method options the user sets, -1 none
    const char* games;          // typed
    int box;                    // a mark box: what is typed into it and what it keeps of that
    const char *mark, *kept;
    const char* refusal;  // shown at saving and at "this run only" until games and mark are corrected
    int ending;           // 0 save, 1 this run only, 2 discard, 3 close box
};
Q_DECLARE_METATYPE(const Case*)

class TestSettei : public GuiTest {
    Q_OBJECT
private Q_SLOTS:
    // Everything in the window tried in turn; what it shows at each step is kept.
    void triedEverything() {
        restart();
        shown<Form_Settei>();
        vxtest::monkey(*dlg, 400, 29, [] { return &shown<Form_Settei>(); });
    }

    // The dialog shows the shared options bit by bit. Saving and "this run only" apply what the user
    // changed, once the games number and the marks pass; discarding and the close box drop it; only
    // saving stores it for the next start.
    void endings_data() {
        QTest::addColumn<const Case*>("c");
        static const Case cases[] = {
            {"save, all off", 0, 0, 0, 1, "10", 0, "abc", "ab", "", 0},
            {"save, all on", 63, 2, 2, -1, "1", 9, "＃a", "＃", "", 0},
            {"save, no target set", 38, 7, 2, 0, "6", 0, "a＃", "a", "", 0},
            {"this run only", 21, 1, 0, 2, "6", 5, "ｽﾍﾟ", "ｽﾍ", "", 1},
            {"discard", 11, 0, 1, 2, "6", 0, "s", "s", "", 2},
            {"close box", 33, 2, 1, 0, "6", 9, "Xy", "Xy", "", 3},
            {"eleven games", 0, 0, 0, 1, "11", 0, "s", "s", "最大ゲーム数は", 0},
            {"no games", 1, 0, 0, 1, "0", 0, "s", "s", "最大ゲーム数は", 1},
            {"half a game", 2, 0, 0, 1, "4.5", 0, "s", "s", "最大ゲーム数は", 0},
            {"no number", 3, 0, 0, 1, "four", 0, "s", "s", "最大ゲーム数は", 1},
            {"empty mark", 4, 0, 0, 1, "4", 0, "", "", "マークが入力されていません。", 0},
            {"same mark", 5, 0, 0, 1, "4", 9, "／", "／", "同じマークが複数設定されています。", 1},
            {"same in full width", 6, 0, 0, 1, "4", 1, "/", "/", "同じマークが複数設定されています。", 0}};
        for (const Case& c : cases) QTest::newRow(c.name) << &c;
    }
    void endings() {
        QFETCH(const Case*, c);
        using namespace Module1;
        const auto defaults = restart();
        ResultDisplayFlags = c->flags & 3, TallyRuleFlags = c->flags >> 2 & 7, HcpRequired = c->flags >> 5, PointTarget = c->target, PointMethod = c->method;
        auto& f = shown<Form_Settei>();
        const std::array<QAbstractButton*, 6> boxes{f.Chk_Data[0], f.Chk_Data[1], f.Chk_rule[0], f.Chk_STSP, f.Chk_HCP[1], f.Chk_HCP[0]};
        QCOMPARE((QList<int>{checked(boxes), checked(f.Opt_PntTarget), checked(f.Opt_PntCalc)}),
                 (QList<int>{c->flags, c->target <= 2 ? 1 << c->target : 0, 1 << c->method}));
        QCOMPARE(f.KAZ->text() + f.Txt_Spl[8]->text() + f.Txt_Spl[9]->text(), QStringLiteral("4／＊"));
        QVERIFY(!f.KAZ->testAttribute(Qt::WA_InputMethodEnabled) && !f.Txt_dir->testAttribute(Qt::WA_InputMethodEnabled));

        // Every box turned over, a method picked, the games, a mark, a pin picture and colour, the browser.
        QLineEdit* box = f.Txt_Spl[std::size_t(c->box)];
        fill(f, 0, box, QString::fromUtf8(c->mark));
        QCOMPARE(box->text(), QString::fromUtf8(c->kept));
        for (auto* b : boxes) {
            f.SSTab1->setCurrentIndex(b == f.Chk_HCP[0] ? 2 : 1);
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));  // on the box itself
        }
        if (c->pick >= 0) {
            click(f.Opt_PntTarget[std::size_t(c->pick)]);
            click(f.Opt_PntCalc[std::size_t(c->pick)]);
        }
        QString games = QString::fromLatin1(c->games), kept = box->text();
        fill(f, 2, f.KAZ, games);
        fill(f, 3, f.Txt_dir, "firefox");
        f.SSTab1->setCurrentIndex(4);
        dlg->expectColor(0x00FF00).expectOpenFile(env->path("mine.jpg"));
        click(f.lbl_pin[3]);
        click(f.lbl_pin[0]);
        if (*c->refusal) {
            const int page = games == "4" ? 0 : 2;  // of the box to correct: the marks, or the games number
            for (QAction* entry : {f.menu_save, f.menu_onlyone}) {
                dlg->expectMsgBox(vbOK, QString::fromUtf8(c->refusal));
                trigger(entry);
                QVERIFY(dlg->allAnswered() && forms::loaded<Form_Settei>() && f.SSTab1->currentIndex() == page);
                f.SSTab1->setCurrentIndex(4);
            }
            QCOMPARE(QList<int>({dlg->beeps(), ResultDisplayFlags | TallyRuleFlags << 2 | HcpRequired << 5 | LastGame << 6}), QList<int>({2, c->flags | 3 << 6}));
            QCOMPARE(stored("Setting", "hcp_mynas"), QStringLiteral("<none>"));
            fill(f, 0, box, kept = "Q");
            fill(f, 2, f.KAZ, games = "6");
        }
        QAction* const entries[3] = {f.menu_save, f.menu_onlyone, f.menu_cancel};
        if (c->ending == 3) f.close();
        else if (*c->refusal || c->ending == 2) entries[c->ending]->trigger();  // from the File menu this time
        else click(f.Cmd_OK[std::size_t(c->ending)]);
        QVERIFY(!forms::loaded<Form_Settei>() && stored("Form", "set_left") != "<none>");

        const bool applied = c->ending <= 1, saved = c->ending == 0, picked = applied && c->pick >= 0;
        QCOMPARE((QList<int>{ResultDisplayFlags | TallyRuleFlags << 2 | HcpRequired << 5, PointTarget, PointMethod, LastGame}),
                 (QList<int>{applied ? c->flags ^ 63 : c->flags, picked ? c->pick : c->target, picked ? c->pick : c->method, applied ? games.toInt() - 1 : 3}));
        QCOMPARE(MarkTexts[std::size_t(c->box + 1)], applied ? kept : std::get<6>(defaults)[std::size_t(c->box + 1)]);
        QCOMPARE(QString::number(PinColors[0], 16) + ' ' + PinImageFiles[0] + ' ' + stored("setting", "brw"),
                 saved ? "ff00 " + env->path("mine.jpg") + " firefox" : QStringLiteral("ffffff pin1.jpg <none>"));
        const auto now = shared();
        QVERIFY(restart() == (saved ? now : defaults));
    }

    // The options as plain values: every combination of flags reads as it stands and goes back
    // unchanged; a target or method outside 0..2 is no option, and an option outside it changes
    // nothing applied or stored. Marks keep one double-byte or two single-byte characters; the
    // first box that is empty, else the first that repeats an earlier one (in either width), is
    // the problem. Games are a whole number from 1 to 10.
    void optionsAsPlainValues() {
        using namespace Module1;
        namespace keys = settings::keys;
        restart();
        for (int flags = 0; flags < 32; ++flags) {
            ResultDisplayFlags = flags & 3, TallyRuleFlags = flags >> 2;
            const settei::GeneralOptions o = settei::fromSharedState();
            const int read = o.showPrizeBoard | o.showPointsList << 1 | o.splitsNotSpareMisses << 2 | o.awardsByGameAverage << 3 | o.averageWithHandicap << 4;
            QCOMPARE(QList<int>({read, settei::displayFlags(o) | settei::tallyFlags(o) << 2}), QList<int>({flags, flags}));
        }
        QString shown;  // target and method as read, applied and stored, for each value of either
        for (int v : {-1, 0, 1, 2, 3, 255}) {
            PointTarget = v < 0 ? 0 : std::uint8_t(v), PointMethod = PointTarget;
            settei::GeneralOptions o = settei::fromSharedState();
            shown += QString::asprintf("%d/%d ", o.pointTarget, o.pointMethod);
            PointTarget = 1, PointMethod = 2;
            o.pointTarget = o.pointMethod = v;
            o.hcpRequired = v == 1;
            settei::store(o);  // before applying: what is stored does not wait for the shared state
            settei::apply(o);
            shown += QString::asprintf("%d/%d/%d ", PointTarget, PointMethod, HcpRequired) + settings::read(keys::PointTarget) + u'/' + settings::read(keys::PointMethod) +
                     u'/' + settings::read(keys::HcpRequired) + u' ';
        }
        QCOMPARE(shown, u"0/0 1/2/0 1/2/0 0/0 0/0/0 0/0/0 1/1 1/1/1 1/1/1 2/2 2/2/0 2/2/0 -1/-1 1/2/0 1/2/0 -1/-1 1/2/0 1/2/0 "_s);

        QStringList limited;
        for (const char* mark : {"", "a", "ab", "abc", "全", "全a", "a全", "ｱｲｳ", " a"}) limited << settei::limitMark(QString::fromUtf8(mark));
        QCOMPARE(limited.join(u'|'), u"|a|ab|ab|全|全|a|ｱｲ| a"_s);
        const std::array<QString, 10> good{u"1S"_s, u"2s"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s, u"／"_s, u"＊"_s};
        QVERIFY(!settei::checkMarks(good));
        QString problems;
        for (auto [box, text, other, otherText] : {std::tuple{3, " ", 7, "1s"}, std::tuple{7, "1s", 9, ""}, std::tuple{2, "１ｓ", 0, "1s"}, std::tuple{9, "/", 5, "6"}}) {
            std::array<QString, 10> marks = good;
            marks[std::size_t(box)] = QString::fromUtf8(text), marks[std::size_t(other)] = QString::fromUtf8(otherText);
            const auto p = settei::checkMarks(marks);
            problems += p ? QString::number(p->index) + p->message : u"none"_s;
        }
        QCOMPARE(problems, u"3マークが入力されていません。9マークが入力されていません。2同じマークが複数設定されています。9同じマークが複数設定されています。"_s);
        settei::GeneralOptions o = settei::fromSharedState();
        o.marks = good;
        settei::apply(o);
        settei::store(o);
        QString marks;
        for (std::size_t i = 0; i < 10; ++i) marks += MarkTexts[i + 1] + u'=' + settings::read(keys::MarkTexts[i]) + u' ';
        QCOMPARE(marks, u"1S=1S 2s=2s 3=3 4=4 5=5 6=6 7=7 8=8 ／=／ ＊=＊ "_s);
        QStringList games;
        for (const char* typed : {"1", " 10 ", "11", "0", "-1", "x", "4.5", ""}) {
            const auto n = settei::parseGamesNumber(QString::fromLatin1(typed));
            games << (n ? QString::number(*n) : u"-"_s);
        }
        QCOMPARE(games.join(u' '), u"0 9 - - - - - -"_s);
    }

    // A match is set up: its sheet keeps its count until the next set-up. The pickers, help, the
    // export of player names and the compaction.
    void underAMatchPickersAndUpkeep() {
        restart();
        QVERIFY(QFile::copy(QStringLiteral(VX_ASSETS_DIR "/pin3.jpg"), env->path("pin3.jpg")));
        Module1::ScoreSheet.redim(0, 35, 0, 3);
        settings::SaveSetting("form", "set_Left", "300");
        auto* first = &shown<Form_Settei>();
        QCOMPARE(first->Left(), 300.0);
        fill(*first, 2, first->KAZ, "7");
        click(first->Cmd_OK[0]);
        QCOMPARE(QString::number(Module1::LastGame) + stored("Setting", "max_game"), QStringLiteral("36"));
        auto& f = shown<Form_Settei>();
        QCOMPARE(f.KAZ->text(), QStringLiteral("7"));  // the count the next match will have
        gamecount::applyPending();
        QCOMPARE(Module1::LastGame, 6);
        f.SSTab1->setCurrentIndex(4);
        QVERIFY(f.pct_pin[2]->pixmap().size() == QSize(25, 25) && f.pct_pin[0]->pixmap().isNull());  // no pin1.jpg here: no preview
        // Cancelled pickers change nothing; every picker leaves the program folder current.
        dlg->expectOpenFile(QString()).expectOpenFile(env->path("pin3.jpg")).expectColor(std::nullopt);
        for (QLabel* l : {f.pct_pin[2], f.lbl_pin[0], f.lbl_pin[5]}) {
            QDir::setCurrent(QDir::tempPath());
            click(l);
            QCOMPARE(QDir::currentPath(), QDir(programFolder()).absolutePath());
        }
        QCOMPARE(f.lbl_pin[2]->text() + f.pinFile(0) + QString::number(f.pinColor(5), 16), "pin3.jpg" + env->path("pin3.jpg") + "8090ff");
        QVERIFY(!f.pct_pin[0]->pixmap().isNull());
        f.SSTab1->setCurrentIndex(3);
        dlg->expectOpenFile("/usr/bin/firefox").expectOpenFile(QString());
        for (int i = 0; i < 2; ++i) {
            click(f.cmd_filename);
            QCOMPARE(f.Txt_dir->text(), QStringLiteral("/usr/bin/firefox"));
        }
        // Help uses the stored browser, not the box.
        QStringList started;
        launcher::setRunner([&](const QString& program, const QStringList& args) { started << program << args; return true; });
        settings::SaveSetting("setting", "brw", "mybrowser");
        f.menu_h->trigger();
        launcher::setRunner({});
        QCOMPARE(started, QStringList({"mybrowser", inProgramFolder("vh_settei.htm")}));

        QVERIFY(execSql("INSERT INTO 選手 (選手ID, 選手名) VALUES (7, '山田')"));
        // A long path shows shortened in its middle, its file name in view, and is kept whole.
        const QString longPath = env->path(QStringLiteral("ボウリング部の記録/試合ごとのピン配列の画像を入れておくフォルダ/chosen.jpg"));
        dlg->expectOpenFile(longPath);
        f.SSTab1->setCurrentIndex(4);
        click(f.lbl_pin[0]);
        QCOMPARE(f.pinFile(0), longPath);
        const QString shown = f.lbl_pin[0]->text();
        QCOMPARE(QList<bool>({shown.contains(u'…'), shown.endsWith(QStringLiteral("フォルダ/chosen.jpg")), f.lbl_pin[0]->accessibleName() == longPath}),
                 QList<bool>({true, true, true}));
        // Export: a cancelled save writes nothing, even after another dialog chose a file.
        f.SSTab1->setCurrentIndex(5);
        dlg->expectMsgBox(vbOK, QStringLiteral("Vorlix for CE 用の選手名データを")).expectSaveFile(QString());
        click(f.cmd_4ce);
        QVERIFY(!QFile::exists(longPath));
        dlg->expectMsgBox(vbOK).expectSaveFile(env->path("ce.txt")).expectMsgBox(vbOK, QStringLiteral("終了しました。"));
        click(f.cmd_4ce);
        QVERIFY(QFile::exists(env->path("ce.txt")));

        // Compaction: refused while a bound editor is open, cancelled, then done.
        forms::get<Form_Start>().Show();  // the start menu behind holds no bound list
        vxtest::shown<Form_Settei>();
        click(f.Cmd_HDCP);
        dlg->expectMsgBox(vbOK, QStringLiteral("次の画面を閉じてから実行してください。\r「シーズン名・選手名・ハンデキャップの追加・変更」"));
        click(f.cmd_cmpact);
        forms::unload<form_HDCP>();
        dlg->expectMsgBox(vbCancel, QStringLiteral("現在使用中のデータベースを\r\n最適化します。さらに拡張子.BAK\r\nのバックアップを作成します。"));
        trigger(f.menu_compact);
        QVERIFY(!QFile::exists(env->path(dbmaint::BackupFileName)));
        dlg->expectMsgBox(vbOK, QStringLiteral("現在使用中のデータベースを\r\n最適化します。さらに拡張子.BAK\r\nのバックアップを作成します。")).expectMsgBox(vbOK, QStringLiteral("終了しました"));
        QDir::setCurrent(QDir::tempPath());
        click(f.cmd_cmpact);
        QVERIFY(QFile::exists(env->path(dbmaint::BackupFileName)) && db::isOpen() && forms::loaded<Form_Settei>());
        QCOMPARE(QDir::currentPath(), QDir(programFolder()).absolutePath());  // the program folder current again
        QCOMPARE(db::scalar("SELECT 選手名 FROM 選手 WHERE 選手ID = 7").toString(), QStringLiteral("山田"));
        f.setLeft(150), f.setTop(150);
        const char* names[6] = {"marks", "calculation", "limits", "browser", "pins", "database"};
        for (int t = 0; t < 6; ++t) {
            f.SSTab1->setCurrentIndex(t);
            QTest::qWait(20);
            saveShot(f.subWindow(), QStringLiteral("shell_settings_") + QString::fromLatin1(names[t]));
        }
    }
};

QTEST_MAIN(TestSettei)
#include "tst_settei.moc"
