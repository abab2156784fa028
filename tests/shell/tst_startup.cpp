// Start-up, the exit question, the start menu and the small shell windows, driven as a user does.
#include "shell/form_aisatsu.h"
#include "shell/form_menu.h"
#include "shell/form_version.h"
#include "shell/form_wait.h"
#include "shell/startup.h"
#include "support/heldelsewhere.h"

using namespace Qt::StringLiterals;
using settings::GetSetting;

namespace {
Form_menu* startProgram() {
    auto* menu = new Form_menu();
    if (!menu->MDIForm_Load()) return nullptr;
    menu->show();
    settle();
    return menu;
}
}  // namespace

// Answers every dialog as cancelled, and counts them.
struct Declining final : DialogService {
    DialogService* previous = &dialogs();
    int shown = 0;
    Declining() { setDialogs(this); }
    ~Declining() override { setDialogs(previous); }
    int msgBox(const QString&, int style, const QString&) override { return ++shown, (style & 7) == vbOKOnly ? vbOK : vbCancel; }
    QString inputBox(const QString&, const QString&, const QString&) override { return ++shown, QString(); }
    QString openFile(const QString&, const QString&, const QString&) override { return ++shown, QString(); }
    QString saveFile(const QString&, const QString&, const QString&) override { return ++shown, QString(); }
    std::optional<std::int32_t> chooseColor(std::int32_t) override { return ++shown, std::nullopt; }
    void beep() override {}
};

class TestStartup : public GuiTest {
    Q_OBJECT
private Q_SLOTS:
    // Every window opens where it was when it was closed; the score book, the statistics and the
    // individual records also at the size they had.
    void windowsComeBackWhereTheyWereLeft() {
        startProgram();
        Declining declining;
        QStringList names{"Form_Aisatsu", "Form_version", "Form_Settei", "Form_NewPlayer", "form_srs", "form_HDCP", "Form_Siai", "Form_Player", "form_main",
                          "Form_INFO", "Form_Data", "Form_NormalDATA", "Form_ZKT", "Form_Score", "Form_file", "Form_HTML", "Form_HTML_color", "Form_HTML2",
                          "Form_siaiSeiseki", "Form_edit", "Form_Seiseki", "Form_Kojin", "Form_sokuho", "Form_HTML_kojin", "Form_HTML_ALL", "Form_ana_kojin",
                          "Form_ana_p", "Form_chart"};
        const QStringList sized{"Form_Score", "Form_Seiseki", "Form_Kojin"};  // the ones that keep their size too
        QStringList moved;
        for (int i = 0; i < names.size(); ++i) {
            Form* f = forms::open(names[i]);
            f->Show();
            settle();
            f->setLeft(300 + 15 * i), f->setTop(450 + 15 * i);
            if (sized.contains(names[i])) f->setWidth(f->Width() + 300), f->setHeight(f->Height() + 300);
            settle();
            auto place = [&](const Form* w) {
                return spaced(sized.contains(names[i]) ? QList<double>{w->Left(), w->Top(), w->Width(), w->Height()} : QList<double>{w->Left(), w->Top()});
            };
            const QString left = place(f);
            const bool gone = f->Unload();
            settle();
            Form* g = forms::open(names[i]);
            g->Show();
            settle();
            if (!gone || place(g) != left) moved << names[i] + u' ' + left + u'>' + place(g);
            g->Unload();
            settle();
        }
        QCOMPARE(moved.join(u' '), QString());
    }

    // What the start reads: defaults from an empty store, values typed by hand, the ID ranges from
    // the tables while the stored largest is 1. A second copy, or a database missing, foreign or
    // without its tables, ends the start before any setting is read; a missing file is not created.
    void startUp_data() {
        QTest::addColumn<QString>("setUp");     // settings as section/key=value, or what befalls the start
        QTest::addColumn<QString>("expected");  // games hcp flags flags target method pin3 seasons matches rows width
        const QString wide = QString::number(twips(screenSizeTwips().width() * 0.9));
        QTest::newRow("defaults") << u""_s << u"3 0 0 0 0 0 8425727 9 1 42 1 1 "_s + wide;
        QTest::newRow("typed by hand") << u"setting/MAX_GAME=4.5 Setting/data_2=300 Setting/data_3=2 pin/pin3_color=&h10ddff "
                                          "Setting/width=6000 Setting/srs_min=4"_s << u"4 0 0 0 2 0 1105407 9 3 42 1 1 400"_s;
        QTest::newRow("ranges stored") << u"Setting/max_game=12 Setting/srs_max=12 Setting/siai_min=0"_s
                                       << u"3 0 0 0 0 0 8425727 12 1 42 0 1 "_s + wide;
        QTest::newRow("ten games") << u"setting/max_game=9"_s << u"9 0 0 0 0 0 8425727 9 1 42 1 1 "_s + wide;
        QTest::newRow("one game") << u"setting/max_game=0"_s << u"0 0 0 0 0 0 8425727 9 1 42 1 1 "_s + wide;
        QTest::newRow("without データ項目") << u"drop データ項目"_s << u"3 0 0 0 0 0 8425727 9 1 42 1 0 "_s + wide;
        QTest::newRow("second copy") << u"lock"_s << u"すでに起動しています。"_s;
        QTest::newRow("missing") << u"remove"_s << u"データベースがVer３対応されていません。\r専用のソフト(vlx2ver3.exe)を使って\rデータベースを更新して下さい。"_s;
        QTest::newRow("not sqlite") << u"foreign"_s << u"データベースがVer３対応されていません。\r専用のソフト(vlx2ver3.exe)を使って\rデータベースを更新して下さい。"_s;
        QTest::newRow("without フレーム") << u"drop フレーム"_s << u"データベースがVer３対応されていません。\r専用のソフト(vlx2ver3.exe)を使って\rデータベースを更新して下さい。"_s;
        QTest::newRow("held by another program") << u"busy"_s << u"データベースが他のプログラムで使用中です。"_s;
    }
    void startUp() {
        QFETCH(QString, setUp);
        QFETCH(QString, expected);
        for (int id : {3, 9, 5}) execSql(u"INSERT INTO シーズン(シーズンID) VALUES(%1)"_s.arg(id));
        for (int id : {7, 42}) execSql(u"INSERT INTO 試合(試合ID) VALUES(%1)"_s.arg(id));
        if (setUp.startsWith("drop"_L1)) execSql(u"DROP TABLE "_s + setUp.mid(5));
        execSql(u"INSERT INTO データ項目(選手ID) VALUES(1)"_s);  // fails where the table is gone
        db::close();
        QFile file(env->path(DatabaseFileName));
        if (setUp == "remove"_L1) file.remove();
        if (setUp == "foreign"_L1) QVERIFY(file.open(QIODevice::WriteOnly) && file.write("Standard Jet DB\0\0\0 not a database", 34));
        file.close();
        QDir().mkpath(settings::storeFolder());
        QLockFile other(settings::storeFolder() + u"/Vorlix32.lock"_s);
        QVERIFY(setUp != "lock"_L1 || other.tryLock(0));
        for (const QString& s : setUp.split(u' ', Qt::SkipEmptyParts))
            if (s.contains(u'=')) settings::SaveSetting(s.section(u'/', 0, 0), s.section(u'/', 1).section(u'=', 0, 0), s.section(u'=', 1));
        const bool refused = !expected.front().isDigit();
        if (refused) dlg->expectMsgBox(vbOK, expected);
        std::optional<HeldElsewhere> holder;
        if (setUp == "busy"_L1) QVERIFY(holder.emplace(file.fileName(), "EXCLUSIVE").holding());
        Form_menu* menu = startProgram();
        holder.reset();
        QCOMPARE(!menu, refused);
        using namespace Module1;
        if (refused)
            QCOMPARE(spaced(QVariantList{LastGame, file.exists(), dlg->shown().front().style, dlg->shown().front().title}),
                     setUp == "remove"_L1 ? u"0 false 0 "_s : u"0 true 0 "_s);  // no setting read, no file made, OK only
        else
            QCOMPARE(spaced(QList<int>{LastGame, HcpRequired, ResultDisplayFlags, TallyRuleFlags, PointTarget, PointMethod,
                                       PinColors[2], SeasonIdMax, SeasonIdMin, int(MatchIdMax), int(MatchIdMin), DataRecordCount, menu->width()}), expected);
    }

    // What writes killed part way left beside the settings store, the database and the backups goes
    // at the start; other files stay.
    void leftoversGoAtTheStart() {
        QDir().mkpath(settings::storeFolder());
        const QStringList gone{env->path(u"Vorlix.mdb.k3j.tmp"_s), env->path(u"Vorlix.mdb.k3j.tmp-journal"_s),
                               env->path(u"B_260517.bup.1a.tmp"_s), settings::storePath() + u".x.tmp"_s};
        const QStringList kept{env->path(u"notes.txt.k3j.tmp"_s), env->path(u"B_260517.bup"_s)};
        for (const QString& f : gone + kept) QVERIFY(QFile(f).open(QIODevice::WriteOnly));
        db::close();
        QVERIFY(startProgram());
        for (const QString& f : gone) QVERIFY2(!QFile::exists(f), qPrintable(f));
        for (const QString& f : kept) QVERIFY2(QFile::exists(f), qPrintable(f));
    }

    // The start menu on top with the remaining defaults; the exit asks, Cancel changes nothing, OK
    // saves the geometry (as read where unmoved) and the ID ranges, which the next start reads.
    void exitSavesForTheNextStart() {
        Form_menu* menu = startProgram();
        Form_Start& start = forms::get<Form_Start>();
        QVERIFY(menu && notOnTop(start).isEmpty());
        using namespace Module1;
        QCOMPARE(spaced(MarkTexts) + u'|' + spaced(PinColors) + u'|' + spaced(PinImageFiles) + u'|' + spaced(HtmlColors),
                 u" 1s 2s 3s 4s 5s 6s 7s 8s ／ ＊|16777215 1105407 8425727|pin1.jpg pin2.jpg pin3.jpg|14811135 0 14811135 0 14811135 0 14811135 0"_s);
        const QSize screen = screenSizeTwips();
        QCOMPARE(QRect(menu->pos(), menu->size()), QRect(twips(25), twips(25), twips(screen.width() * 0.9), twips(screen.height() * 0.9)));
        saveShot(menu, u"shell_start_menu"_s, {u"Command1"_s});  // a narrow button by design

        dlg->expectMsgBox(vbCancel, u"終了してもよろしいですか？"_s);
        click(start.Cmd_End);
        QVERIFY(!menu->ended() && !QFile::exists(settings::storePath()));
        QCOMPARE(spaced(QVariantList{dlg->shown().back().title, dlg->shown().back().style}), u"終了の確認 257"_s);  // OK/Cancel, Cancel default
        menu->move(twips(600), menu->y());
        menu->resize(500, menu->height());
        start.setLeft(300);
        std::tie(SeasonIdMax, SeasonIdMin, MatchIdMax, MatchIdMin) = std::tuple(std::int16_t(7), std::int16_t(5), 88, 6);
        dlg->expectMsgBox(vbOK);
        QEventLoop running;  // stands for the program's own event loop, which the exit ends
        QTimer::singleShot(0, menu, [] { chooseMenu(u"終了(&X)"_s); });
        QTimer::singleShot(5000, &running, [&] { running.exit(1); });
        QVERIFY(running.exec() == 0 && menu->ended());
        QCOMPARE(spaced(QStringList{GetSetting(u"setting"_s, u"LEFT"_s, {}), GetSetting(u"setting"_s, u"top"_s, {}),
                                    GetSetting(u"form"_s, u"start_Left"_s, {}), GetSetting(u"form"_s, u"start_top"_s, {})}), u"600 25 300 25"_s);

        resetUi();
        db::close();
        Module1::resetAll();
        QVERIFY((menu = startProgram()));
        QCOMPARE(spaced(QVariantList{int(LastPlayer), SeasonIdMax, SeasonIdMin, int(MatchIdMax), int(MatchIdMin), menu->x(), menu->y(),
                                     menu->width(), forms::get<Form_Start>().Left()}), u"0 7 5 88 6 40 2 500 300"_s);
    }

    // The start menu counts the stored rows; behind another window its nine buttons are off until
    // the mouse comes back over its surface. Every button and menu entry opens its window on top.
    void startMenuLeadsEverywhere() {
        for (int i = 0; i < 12; ++i) execSql(u"INSERT INTO データ項目(選手ID) VALUES(1)"_s);
        db::close();
        QVERIFY(startProgram());
        Form_Start& start = forms::get<Form_Start>();
        QCOMPARE(start.Lbl_all_data->text() + QString::number(Module1::DataRecordCount), u"1212"_s);
        const auto enabled = [&] {
            QString on;
            for (QPushButton* b : start.mainButtons()) on += QString::number(b->isEnabled());
            return on + QString::number(start.Command1->isEnabled());
        };
        QVERIFY(chooseMenu(u"バージョン情報(&V)"_s) && notOnTop(forms::get<Form_version>()).isEmpty());
        QCOMPARE(enabled(), u"0000000001"_s);
        Module1::DataRecordCount += 12;  // a day stored meanwhile
        QVERIFY(chooseMenu(u"戻る"_s) && notOnTop(start).isEmpty());
        QCOMPARE(start.Lbl_all_data->text() + enabled(), u"240000000001"_s);
        // A click on a greyed button, the pointer not moved since the window above went away, is
        // the button's: the surface under it does not take it for its own click.
        QWindow* frameWindow = MdiFrame::instance()->windowHandle();
        QTest::mouseClick(frameWindow, Qt::LeftButton, {}, start.Cmd_Score->mapTo(MdiFrame::instance(), start.Cmd_Score->rect().center()));
        settle();
        QVERIFY(!forms::loaded<Form_Aisatsu>() && notOnTop(start).isEmpty());
        int moves = 0;
        const auto hover = [&] {  // over the window's surface, where no button is
            QTest::mouseMove(MdiFrame::instance()->windowHandle(), start.mapTo(MdiFrame::instance(), QPoint(3, 3 + ++moves % 2)));
            settle();
        };
        hover();
        QCOMPARE(enabled(), u"1111111111"_s);
        // The nine buttons stand apart from each other, inside the window.
        QList<QRect> places;
        for (QPushButton* b : start.mainButtons()) {
            QVERIFY2(start.rect().contains(b->geometry()) && std::none_of(places.begin(), places.end(), [&](const QRect& r) { return r.intersects(b->geometry()); }),
                     qPrintable(b->text()));
            places << b->geometry();
        }

        const std::pair<std::function<void()>, const char*> roads[] = {
            {[&] { click(start.Cmd_Settei); }, "Form_Settei"},
            {[] { chooseMenu(u"環境設定(&C)"_s); }, "Form_Settei"},
            {[] { chooseMenu(u"　選　手　名　　の追加・変更"_s); }, "Form_NewPlayer"},
            {[] { chooseMenu(u"シーズン　名　の追加・変更"_s); }, "form_srs"},
            {[] { chooseMenu(u"ハンデキャップの追加・変更"_s); }, "form_HDCP"},
            {[&] { QTest::mouseClick(&start, Qt::LeftButton, {}, QPoint(3, 3)); }, "Form_Aisatsu"},
            {[&] { click(start.Cmd_OK); }, "Form_Siai"},
            {[] { chooseMenu(u"スコア入力(&I)"_s); }, "Form_Siai"},
            {[] { chooseMenu(u"スコアブック(&B)"_s); }, "Form_Score"}, {[] { chooseMenu(u"試合ごとの統計(&T)"_s); }, "Form_siaiSeiseki"},
            {[] { chooseMenu(u"試合速報作成(&N)"_s); }, "Form_sokuho"}};
        for (const auto& [road, name] : roads) {
            hover();
            road();
            Form* opened = forms::loadedByName(QString::fromLatin1(name));
            QVERIFY2(opened && notOnTop(*opened).isEmpty(), name);
            opened->Hide();
            start.Show();
        }

        // The help and home-page entries and the greeting's address lines start the browser (one that
        // fails shows nothing); the version window, from the greeting, remembers its place; the
        // waiting window, shown or hidden twice, stands at its place and hands back.
        QList<QStringList> runs;
        launcher::setRunner([&](const QString& program, const QStringList& args) {
            runs << (QStringList{program} + args);
            return false;
        });
        QVERIFY(chooseMenu(u"ヘルプ(&H)"_s));
        settings::SaveSetting(u"setting"_s, u"brw"_s, u"firefox --new-window"_s);
        QVERIFY(chooseMenu(u"ホームページ(&H)"_s) && chooseMenu(u"ごあいさつ(&A)"_s));
        Form_Aisatsu& hello = forms::get<Form_Aisatsu>();
        for (int i : {0, 2, 3, 4, 5}) click(hello.Label1[size_t(i)]);
        launcher::setRunner({});
        const QStringList browser{u"firefox"_s, u"--new-window"_s, HomePageAddress};
        QCOMPARE(runs, (QList<QStringList>{{u"xdg-open"_s, env->path(u"vh_menu.htm"_s)}, browser, browser, browser}));
        hello.setLeft(1500);
        saveShot(hello.subWindow(), u"shell_greeting"_s);

        click(hello.cmd_version);
        auto version = [] { return forms::loaded<Form_version>(); };
        QCOMPARE(notOnTop(*version()) + version()->Label2->text(), u"Vorlix Vorlix Ver 3.15"_s);
        saveShot(version()->subWindow(), u"shell_version"_s);
        version()->setLeft(900);
        click(version()->Cmd_OK);
        QVERIFY(!version() && notOnTop(hello).isEmpty() && chooseMenu(u"バージョン情報"_s));
        QCOMPARE(version()->Label2->text() + QString::number(version()->Left()), u"Vorlix Vorlix Ver 3.15900"_s);
        QVERIFY(chooseMenu(u"戻る"_s));
        click(hello.Cmd_OK);
        QVERIFY(!forms::loaded<Form_Aisatsu>() && GetSetting(u"form"_s, u"aisatu_left"_s, {}) == "1500"_L1);

        forms::hideWaiting();
        QVERIFY(!forms::loaded<Form_Wait>());
        forms::showWaiting();
        forms::showWaiting();
        Form_Wait& wait = forms::get<Form_Wait>();
        QCOMPARE(spaced(QVariantList{wait.isShown(), wait.subWindow()->x(), wait.subWindow()->y(), wait.Left()}), u"true 33 33 500"_s);
        saveShot(MdiFrame::instance(), u"shell_waiting"_s, {u"Command1"_s});
        forms::hideWaiting();
        forms::hideWaiting();
        settle();
        QVERIFY(!wait.isShown() && notOnTop(forms::get<Form_Start>()).isEmpty());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
