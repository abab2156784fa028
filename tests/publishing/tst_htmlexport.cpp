// The score-sheet dialog from the score book and the colour window, as the user drives them.
#include "publishing/form_html.h"
#include "publishing/form_html2.h"
#include "publishing/form_html_color.h"
#include "publishing/htmlpage.h"
#include "records/form_score.h"
#include "records/form_seiseki.h"
#include "support/exchange_sheet.h"
#include "support/heldelsewhere.h"
#include "support/publishing_fixture.h"


class TestHtmlExport : public GuiTest {
    Q_OBJECT

    // The score book on match 41 for all players, listed, and its HTML button pressed.
    Form_HTML& openFromBook() {
        publishingClub();
        writeMilestones(env->home());
        recordBrowser();
        shown<Form_Start>();
        click(forms::get<Form_Start>().Cmd_Score);
        Form_Score& book = forms::get<Form_Score>();
        tick(book.Opt_Siai[2]);
        click(book.cmd_mov[2]);
        click(book.Cmd_OK[0]);
        click(book.Cmd_Prn[2]);
        Form_HTML* f = forms::loaded<Form_HTML>();
        if (!f) qFatal("the HTML button opened nothing");
        return *f;
    }

private Q_SLOTS:
    // Proposals from the score book, the save dialog, Enter in the file box writing the page,
    // the browser started with the page, the choices kept, the colour window.
    void scoreSheetFromBook() {
        Form_HTML& f = openFromBook();
        QCOMPARE(notOnTop(f), QString());
        QCOMPARE(f.Txt_jofo[0]->text() + "|" + f.Txt_jofo[1]->text() + "|" + f.Txt_jofo[2]->text() + "|" + f.Txt_file->text(),
                 "Score Sheet|2025/04/06のスコアシート||" + env->path("score.htm"));
        for (QCheckBox* c : f.Chk_op) QVERIFY(c->isChecked());
        QVERIFY(!f.Chk_open->isChecked());
        saveShot(f.subWindow(), "publishing_html");

        // A cancelled save dialog puts its own name back over a typed one; a chosen file is taken.
        retype(f.Txt_file, "typed.htm", false);
        dlg->expectSaveFile("");
        click(f.cmd_filename);
        QCOMPARE(f.Txt_file->text(), env->path("score.htm"));
        QCOMPARE(dlg->shown().back().initial + dlg->shown().back().filter,
                 env->path("score.htm") + "HTMLファイル (*.htm)|*.htm|HTMLファイル (*.html)|*.html");
        dlg->expectSaveFile(env->path("page.htm"));
        QDir::setCurrent(QDir::tempPath());  // where a file dialog may leave it
        click(f.cmd_filename);
        QCOMPARE(f.Txt_file->text() + "|" + QDir::currentPath(), env->path("page.htm") + "|" + env->home());

        retype(f.Txt_jofo[1], "2025/04/06の<I>スコアシート</I>", false);
        retype(f.Txt_jofo[2], "説明 <B>太字</B>", false);
        const double left = f.Left();
        click(f.Txt_file);
        press(Qt::Key_Return);
        QCOMPARE(fileBytes(env->path("page.htm")), fileBytes(VX_TEST_DATA "/publishing/score_match.htm"));
        QVERIFY(launched.isEmpty());
        QVERIFY(!forms::loaded<Form_HTML>());
        QCOMPARE(notOnTop(forms::get<Form_Score>()), QString());
        QCOMPARE(setting("br_open") + setting("out_s_mark"), QString("01"));
        QCOMPARE(settings::GetSetting("form", "html_left", "x"), QString::number(left, 'g', 10));

        // The kept choices come back; the browser line of the settings is used, the page one argument.
        settings::SaveSetting("setting", "brw", "/opt/my browser --new-window");
        Form_Score& book = forms::get<Form_Score>();
        click(book.Cmd_Prn[2]);
        Form_HTML& again = *forms::loaded<Form_HTML>();
        QVERIFY(!again.Chk_open->isChecked());

        // Colour picks are working copies: dropped by the back button, adopted and saved by OK.
        click(again.Cmd_color);
        Form_HTML_color& c = forms::get<Form_HTML_color>();
        QCOMPARE(notOnTop(c), QString());
        QCOMPARE(Module1::HtmlColors[6], QString("14811135"));  // reloaded from the store, not the fixture's
        dlg->expectColor(0x123456).expectColor(255);
        click(c.Label2[0]);
        click(c.Lbl_color[1]);
        QCOMPARE(Module1::HtmlColorEdits[6] + Module1::HtmlColorEdits[3], QString::number(0x123456) + "255");
        QCOMPARE(QStringList({c.Lbl_color[0]->palette().color(QPalette::Window).name(), c.palette().color(QPalette::WindowText).name(),
                              c.palette().color(QPalette::Window).name(), c.Lbl_color[1]->palette().color(QPalette::WindowText).name()}),
                 QStringList({"#ffffe1", "#000000", "#563412", "#ff0000"}));
        QStringList samples;  // each group's caption in its colours, its background sample beside it
        for (std::size_t k = 0; k < 4; ++k)
            samples << c.Lbl_color[k]->palette().color(QPalette::Window).name() + c.Lbl_color[k]->palette().color(QPalette::WindowText).name() +
                           c.Label2[(k + 1) % 4]->palette().color(QPalette::Window).name() + (c.Label2[(k + 1) % 4]->y() == c.Lbl_color[k]->y() ? "" : "!");
        QCOMPARE(samples.join(" "), QString("#ffffe1#000000#ffffe1 #ffffe1#ff0000#ffffe1 #ffffe1#000000#ffffe1 #563412#000000#563412"));
        click(c.Cmd_End[0]);
        QVERIFY(!forms::loaded<Form_HTML_color>());
        QCOMPARE(Module1::HtmlColors[6] + Module1::HtmlColors[3], QString("148111350"));
        QCOMPARE(settings::GetSetting("HTML_color", "all_back", "unset"), QString("unset"));
        trigger(again.menu_color);
        Form_HTML_color& c2 = forms::get<Form_HTML_color>();
        QCOMPARE(Module1::HtmlColorEdits[6], QString("14811135"));
        dlg->expectColor(std::nullopt).expectColor(0xFF00).expectColor(0xFF);
        QTest::mouseClick(&c2, Qt::LeftButton, {}, QPoint(4, 4));  // the window's background: cancelled, nothing changes
        settle();
        click(c2.Label2[2]);             // highlighted cells' background
        click(c2.Lbl_color[2]);          // averages' text
        QCOMPARE(c2.Label2[2]->palette().color(QPalette::Window), QColor(0, 255, 0));
        saveShot(c2.subWindow(), "publishing_html_color");
        trigger(c2.menu_go);
        QVERIFY(!forms::loaded<Form_HTML_color>());
        const std::array<QString, 8> now{"14811135", "0", "65280", "0", "14811135", "255", "14811135", "0"};
        QCOMPARE(Module1::HtmlColors, now);
        QCOMPARE(publishing::storedHtmlColors(), now);

        // Name and marks columns off; the page in the adopted colours.
        tick(again.Chk_open);
        tick(again.Chk_op[6]);
        tick(again.Chk_op[0]);
        retype(again.Txt_file, "my page.htm", false);
        trigger(again.menu_ok);
        QCOMPARE(launched.last(), "/opt/my|browser|--new-window|" + env->path("my page.htm"));
        QCOMPARE(setting("out_s_mark") + setting("out_s_name") + setting("out_s_ten"), QString("001"));
        const QString page = *fromCp932(fileBytes(env->path("my page.htm")));
        QVERIFY(!page.contains("選手名") && !page.contains("align=right>１") && !page.contains("&gt;&gt;") && page.contains(" 187>>197"));
        QVERIFY(page.contains("<TD ALIGN=right BGCOLOR=#00FF00>"));
    }

    // A file that cannot be written and a closed score book: a message, nothing written, the dialog
    // stays with the keyboard; going back unloads it.
    void failures() {
        Form_HTML& f = openFromBook();
        retype(f.Txt_file, env->home(), false);
        tick(f.Chk_open);
        dlg->expectMsgBox(vbOK, "ファイル名がおかしいようです。");
        click(f.Cmd_OK);
        QVERIFY(forms::loaded<Form_HTML>() && launched.isEmpty());
        QCOMPARE(notOnTop(f), QString());
        QCOMPARE(setting("br_open"), QString("unset"));

        retype(f.Txt_file, env->path("closed.htm"), false);
        forms::get<Form_Score>().Cmd_OK_Click(2);  // the score book closed meanwhile
        settle();
        shown<Form_HTML>();
        dlg->expectMsgBox(vbOK, "スコアブックが閉じられているため、出力できません。");
        trigger(f.menu_ok);
        QVERIFY(!QFileInfo::exists(env->path("closed.htm")) && launched.isEmpty());
        QCOMPARE(notOnTop(f), QString());
        tick(f.Chk_op[3]);
        trigger(f.menu_end);
        QVERIFY(!forms::loaded<Form_HTML>());
        QCOMPARE(setting("out_s_gam") + setting("out_s_yup") + setting("br_open"), QString("011"));
    }

    // While another program holds the database, the results page says so, not that the file name
    // is wrong, and a page already there stays; the dialog stays too.
    void databaseHeldElsewhere() {
        QVERIFY(resultsClub());
        shown<Form_Start>();
        click(forms::get<Form_Start>().Cmd_Seiseki);
        Form_Seiseki& r = *forms::loaded<Form_Seiseki>();
        tick(r.Opt_when[0]);
        click(r.Cmd_html2);
        Form_HTML2& f = *forms::loaded<Form_HTML2>();
        put(f.Txt_file->text(), "old page");
        HeldElsewhere other(env->path("Vorlix.mdb"), "EXCLUSIVE");
        QVERIFY(other.holding());
        dlg->expectMsgBox(vbOK, db::inUseMessage());
        click(f.Cmd_OK);
        QVERIFY(dlg->allAnswered() && forms::loaded<Form_HTML2>() && fileBytes(f.Txt_file->text()) == "old page");
    }

    // From the season results: the proposals of the range, the page of the range as it stands when
    // written, an empty range and a closed season-results window refused, the menu entries' ranges.
    void resultsTableFromSeasonResults() {
        QVERIFY(resultsClub());
        recordBrowser();
        shown<Form_Start>();
        click(forms::get<Form_Start>().Cmd_Seiseki);
        Form_Seiseki& r = *forms::loaded<Form_Seiseki>();
        QCOMPARE(notOnTop(r), QString());
        tick(r.Opt_when[2]);
        r.HSc_siai[0]->setValue(42);
        r.HSc_siai[1]->setValue(56);
        click(r.Cmd_html2);
        Form_HTML2& f = *forms::loaded<Form_HTML2>();
        QCOMPARE(notOnTop(f), QString());
        QCOMPARE(f.windowTitle() + "|" + f.Txt_jofo[0]->text() + "|" + f.Txt_jofo[1]->text() + "|" + f.Txt_file->text(),
                 "HTML形式でシーズン成績を出力します。|Select DATA|" + r.Lbl_info->text() + "|" + env->path("select.htm"));
        saveShot(f.subWindow(), "publishing_html2");
        dlg->expectMsgBox(vbOK, "出力する成績がありません。");
        click(f.Cmd_OK);
        QVERIFY(!QFileInfo::exists(env->path("select.htm")) && launched.isEmpty());
        QCOMPARE(notOnTop(f), QString());

        // The range the window shows now, under the texts proposed at load.
        shown<Form_Seiseki>();
        tick(r.Opt_when[1]);
        r.Vsc_season->setValue(3);
        shown<Form_HTML2>();
        retype(f.Txt_jofo[0], "3th series", false);
        retype(f.Txt_jofo[1], "第3期のシリーズ成績", false);
        retype(f.Txt_jofo[2], "説明 <B>太字</B>", false);
        tick(f.Chk_open);
        const double left = f.Left();
        click(f.Txt_file);
        press(Qt::Key_Return);
        QCOMPARE(fileBytes(env->path("select.htm")), fileBytes(VX_TEST_DATA "/publishing/results_season.htm"));
        QCOMPARE(launched, QStringList{"xdg-open|" + env->path("select.htm")});
        QVERIFY(!forms::loaded<Form_HTML2>());
        QCOMPARE(notOnTop(r), QString());
        QCOMPARE(settings::GetSetting("form", "html2_left", "x"), QString::number(left, 'g', 10));

        // The menu entries hand on their own range; the proposals follow it.
        trigger(r.menu_html[0]);
        Form_HTML2& season = *forms::loaded<Form_HTML2>();
        QCOMPARE(season.Txt_jofo[0]->text() + "|" + season.Txt_jofo[1]->text() + "|" + season.Txt_file->text(),
                 "3th series|第3期のシリーズ成績|" + env->path("season.htm"));
        QVERIFY(season.Chk_open->isChecked());
        trigger(season.menu_cancel);
        QVERIFY(!forms::loaded<Form_HTML2>() && !QFileInfo::exists(env->path("season.htm")));
        trigger(r.menu_html[1]);
        Form_HTML2& all = *forms::loaded<Form_HTML2>();
        QCOMPARE(all.Txt_jofo[0]->text() + "|" + all.Txt_jofo[1]->text() + "|" + all.Txt_file->text(),
                 "All series|通算成績|" + env->path("all.htm"));
        // Gone back from the season results meanwhile: said, nothing written.
        click(r.Cmd_END);
        shown<Form_HTML2>();
        dlg->expectMsgBox(vbOK, "シーズン成績が閉じられているため、出力できません。");
        trigger(all.menu_go);
        QVERIFY(!QFileInfo::exists(env->path("all.htm")) && launched.size() == 1);
        QCOMPARE(notOnTop(all), QString());
    }
};

QTEST_MAIN(TestHtmlExport)
#include "tst_htmlexport.moc"
