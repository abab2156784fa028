// Closing a window hands the work back to the window the user opened it from: that window is on
// top, active, with its menus and the keyboard, and its activation runs.
#include "publishing/form_html2.h"
#include "publishing/form_html_all.h"
#include "publishing/form_html_color.h"
#include "publishing/form_html_kojin.h"
#include "publishing/form_sokuho.h"
#include "publishing/htmlpage.h"
#include "records/form_ana_kojin.h"
#include "records/form_ana_p.h"
#include "records/form_file.h"
#include "records/form_kojin.h"
#include "records/form_score.h"
#include "records/form_seiseki.h"
#include "support/publishing_fixture.h"

namespace {

// The windows the user starts from, each opened from the start menu.
Form& scoreBook() {
    click(shown<Form_Start>().Cmd_Score);
    Form_Score& book = forms::get<Form_Score>();
    tick(book.Opt_Siai[2]);
    click(book.cmd_mov[2]);
    click(book.Cmd_OK[0]);
    return book;
}
Form& records() {
    Module1::SeasonIdMin = 3, Module1::SeasonIdMax = 5;
    click(shown<Form_Start>().Cmd_Kojin);
    Form_Kojin& f = forms::get<Form_Kojin>();
    int row = 0;
    while (f.Data_Sensyu->recordset().valueAt(row, 0).toInt() != 12) ++row;
    clickCell(f.DBG_Sensyu, row, 1);
    click(f.Cmd_what[4]);
    return f;
}
Form& seasonResults() {
    click(shown<Form_Start>().Cmd_Seiseki);
    return forms::get<Form_Seiseki>();
}
Form& resultsTable() {
    click(static_cast<Form_Seiseki&>(seasonResults()).Cmd_html2);
    return forms::get<Form_HTML2>();
}
Form& bulletin() {
    click(shown<Form_Start>().Cmd_sokuho);
    Form_sokuho& f = forms::get<Form_sokuho>();
    click(f.cmd_mov[0]);  // its activation shows the last match again
    return f;
}

// A click, a key or a menu entry as the program receives them.
std::function<void()> clicking(QWidget* w) { return [w] { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2)); }; }
std::function<void()> pressing(Qt::Key key) { return [key] { QTest::keyClick(keyboard(), key, Qt::AltModifier); }; }
std::function<void()> choosing(QAction* entry) { return [entry] { entry->trigger(); }; }

struct Case {
    const char* name;
    Form& (*caller)();
    void (*open)(Form& caller);            // opens the window from its caller
    std::function<void()> (*close)();       // the action that closes it
};

template <class W>
W& window() { return *forms::loaded<W>(); }

const Case cases[] = {
    {"text file OK", scoreBook, [](Form& c) { click(static_cast<Form_Score&>(c).Cmd_Prn[1]); },
     [] { return clicking(window<Form_file>().Cmd_OK); }},
    {"text file back", scoreBook, [](Form& c) { click(static_cast<Form_Score&>(c).Cmd_Prn[1]); },
     [] { return clicking(window<Form_file>().Cmd_End); }},
    {"statistic graph back", records, [](Form& c) { click(static_cast<Form_Kojin&>(c).cmd_graph); },
     [] { return clicking(window<Form_ana_kojin>().cmd_back); }},
    {"points race close", seasonResults, [](Form& c) { tick(static_cast<Form_Seiseki&>(c).Opt_when[1]), click(static_cast<Form_Seiseki&>(c).cmd_graph); },
     [] { return clicking(window<Form_ana_p>().cmd_close); }},
    {"results table back", seasonResults, [](Form& c) { click(static_cast<Form_Seiseki&>(c).Cmd_html2); },
     [] { return clicking(window<Form_HTML2>().Cmd_End); }},
    {"colour OK over results table", resultsTable, [](Form& c) { click(static_cast<Form_HTML2&>(c).Cmd_color); },
     [] { return clicking(window<Form_HTML_color>().Cmd_End[1]); }},
    {"colour back over results table", resultsTable, [](Form& c) { click(static_cast<Form_HTML2&>(c).Cmd_color); },
     [] { return clicking(window<Form_HTML_color>().Cmd_End[0]); }},
    {"colour OK over bulletin", bulletin, [](Form& c) { click(static_cast<Form_sokuho&>(c).Cmd_color); },
     [] { return clicking(window<Form_HTML_color>().Cmd_End[1]); }},
    {"colour back over bulletin", bulletin, [](Form& c) { click(static_cast<Form_sokuho&>(c).Cmd_color); },
     [] { return clicking(window<Form_HTML_color>().Cmd_End[0]); }},
    {"player page back", records, [](Form& c) { click(static_cast<Form_Kojin&>(c).Cmd_SRS), click(static_cast<Form_Kojin&>(c).cmd_html); },
     [] { return clicking(window<Form_HTML_kojin>().Cmd_End); }},
    {"player page Alt+B", records, [](Form& c) { click(static_cast<Form_Kojin&>(c).Cmd_SRS), click(static_cast<Form_Kojin&>(c).cmd_html); },
     [] { return pressing(Qt::Key_B); }},
    {"player page menu", records, [](Form& c) { click(static_cast<Form_Kojin&>(c).Cmd_SRS), click(static_cast<Form_Kojin&>(c).cmd_html); },
     [] { return choosing(window<Form_HTML_kojin>().menu_end); }},
    {"score cards back", records, [](Form& c) { click(static_cast<Form_Kojin&>(c).cmd_html_score); },
     [] { return clicking(window<Form_HTML_ALL>().Cmd_End); }},
};

}  // namespace

class TestComeback : public GuiTest {
    Q_OBJECT
private Q_SLOTS:
    void backToTheCaller_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(cases)); ++i) QTest::newRow(cases[i].name) << i;
    }
    void backToTheCaller() {
        QFETCH(int, index);
        const Case& c = cases[index];
        QVERIFY(playerSeasons());
        publishing::saveHtmlColors(Module1::HtmlColors);  // the colour window reads them from the store
        Form& caller = c.caller();
        QCOMPARE(notOnTop(caller), QString());
        c.open(caller);
        Form* opened = MdiFrame::instance()->activeForm();
        QVERIFY(opened && opened != &caller);
        const QPointer<QMdiSubWindow> sub = opened->subWindow();
        fromEventLoop(c.close());
        QVERIFY(!sub || !sub->isVisible());
        QCOMPARE(notOnTop(caller), QString());
        if (auto* news = qobject_cast<Form_sokuho*>(&caller))
            QCOMPARE(news->Data_Siai->currentRow(), news->Data_Siai->recordset().RecordCount() - 1);
    }
};

QTEST_MAIN(TestComeback)
#include "tst_comeback.moc"
