#include "records/form_seiseki.h"
#include "records/form_ana_p.h"
#include "common/convert.h"
#include "common/database.h"
#include "common/dialogs.h"
#include "common/launcher.h"
#include "common/module1.h"
#include "common/settingskeys.h"
#include "platform/boundgrid.h"
#include "platform/controls.h"
#include "platform/datasource.h"
#include "platform/printer.h"
#include "platform/registry.h"
#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <cmath>

namespace vx {

namespace {

constexpr double FixedWidth = 9420, MinHeight = 1450, GridFrom = 2050;
constexpr double GridTop = 1020;
constexpr double RowTwips = 269.8583;  // a grid row
const QString Chart = QStringLiteral("Form_chart");

QScrollBar* scrollBar(QWidget* parent, Qt::Orientation o, double left, double top, double width, double height) {
    auto* s = place(new QScrollBar(o, parent), left, top, width, height);
    s->setFocusPolicy(Qt::StrongFocus);
    return s;
}

void setShown(std::initializer_list<QWidget*> widgets, bool on) {
    for (QWidget* w : widgets) w->setVisible(on);
}

// The scroll bars hold 16-bit values.
int bar(qint64 v) { return int(std::clamp<qint64>(v, -32768, 32767)); }

}  // namespace

Form_Seiseki::Form_Seiseki() {
    setWindowTitle(QStringLiteral("　統計成績 "));

    Frame1 = frame(this, QStringLiteral("範囲の選択"), 60, 0, 3420, 630);
    const char* const ranges[] = {"通算", "シーズン別", "試合指定", "期間指定"};
    const double optLeft[] = {90, 840, 2280}, optWidth[] = {720, 1440, 1080};
    for (int i = 0; i < 4; ++i) {
        auto* o = new QRadioButton(QString::fromUtf8(ranges[i]), Frame1);
        Opt_when[std::size_t(i)] = i < 3 ? place(o, optLeft[i], 270, optWidth[i], 270) : place(o, 90, 700, 1080, 270);
        connect(o, &QRadioButton::clicked, this, [this, i] { Opt_when_Click(i); });
    }
    Opt_when[3]->hide();  // below the frame's edge: no period range exists

    Label1 = label(this, QStringLiteral("シーズン選択"), 3540, 30, 1500, 270);
    Txt_srs[0] = textBox(this, 3540, 300, 720, 300);
    Vsc_season = scrollBar(this, Qt::Vertical, 4260, 300, 240, 300);
    Label3 = label(this, QStringLiteral("試合選択　　　 　　　　 ～"), 3540, 30, 3480, 270);
    txt_siai[0] = textBox(this, 3540, 300, 600, 300);
    HSc_siai[0] = scrollBar(this, Qt::Horizontal, 4140, 300, 1200, 300);
    txt_siai[1] = textBox(this, 5940, 300, 600, 300);
    HSc_siai[1] = scrollBar(this, Qt::Horizontal, 6540, 300, 1020, 300);
    Lbl_info = label(this, QString(), 4440, 690, 3420, 270);
    connect(Vsc_season, &QScrollBar::valueChanged, this, [this] { Vsc_season_Change(); });
    for (int i = 0; i < 2; ++i)
        connect(HSc_siai[std::size_t(i)], &QScrollBar::valueChanged, this, [this, i] { HSc_siai_Change(i); });

    Cmd_SRS_OK = button(this, QStringLiteral("選択ＯＫ (&Go)"), 7620, 30, 1620, 390, [this] { Cmd_SRS_OK_Click(); });
    Chk_srs = place(new QCheckBox(QStringLiteral("常に表示"), this), 7620, 420, 1620, 240);
    connect(Chk_srs, &QCheckBox::clicked, this, [this] { Chk_srs_Click(); });

    Chk_chart = place(new QCheckBox(QStringLiteral("レーダーチャートを表示する"), this), 60, 690, 2700, 270);
    connect(Chk_chart, &QCheckBox::clicked, this, [this] { Chk_chart_Click(); });
    Cmd_OP[0] = button(this, QStringLiteral("印　刷"), 2820, 660, 780, 330, [this] { Cmd_OP_Click(0); });
    Cmd_OP[1] = button(this, QStringLiteral("ファイルへ"), 2820, 660, 780, 330, [this] { Cmd_OP_Click(1); });
    Cmd_OP[1]->hide();
    Cmd_html2 = button(this, QStringLiteral("HTML"), 3660, 660, 720, 330, [this] { Cmd_html2_Click(); });
    cmd_graph = button(this, QStringLiteral("優Ｐ-グラフ"), 4440, 660, 1260, 330, [this] { cmd_graph_Click(); });
    Cmd_END = button(this, QStringLiteral("戻　る (&C)"), 7920, 660, 1320, 330, [this] { Cmd_END_Click(); });
    Cmd_tusan = button(this, QStringLiteral("通算成績"), FixedWidth + 300, 660, 1000, 330, {});  // beyond the right edge

    // Read only; the record source is set by each refresh.
    Data2 = new DataSource(this);
    DBGrid1 = new DBGrid(this);
    DBGrid1->setDataSource(Data2);
    QStringList fields;
    for (const results::Column& c : results::columns()) fields << c.field;
    DBGrid1->setColumns(fields);
    const int widths[] = {72, 42, 42, 34, 68, 46, 52, 30, 46, 40, 42, 68};
    for (int c = 0; c < fields.size(); ++c) {
        DBGrid1->setCaption(c, results::columns()[c].heading);
        DBGrid1->gridModel()->setColumnFormat(c, [c](const QVariant& v) { return results::cellText(c, v); });
        DBGrid1->setColumnWidth(c, widths[c]);
    }
    const int row = twips(RowTwips);
    DBGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBGrid1->verticalHeader()->setDefaultSectionSize(row);
    DBGrid1->verticalHeader()->setFixedWidth(12);
    DBGrid1->horizontalHeader()->setFixedHeight(row);
    DBGrid1->horizontalHeader()->setHighlightSections(false);
    DBGrid1->setGeometry(twips(60), twips(GridTop), twips(FixedWidth - 270), twips(6650 - 1500 - 50));
    connect(DBGrid1, &QAbstractItemView::clicked, this, [this] { DBGrid1_Click(); });

    QMenu* file = addMenu(QStringLiteral("ファイル(&F)"));
    menu_html[0] = addEntry(file, QStringLiteral("シーズン成績をHTMLで出力(&S)"), [this] { menu_html_Click(0); });
    menu_html[1] = addEntry(file, QStringLiteral("　通 算　成績をHTMLで出力(&A)"), [this] { menu_html_Click(1); });
    file->addSeparator();
    menu_off = addEntry(file, QStringLiteral("戻る(&X)"), [this] { Cmd_END_Click(); });
    menu_tusan = addMenuCommand(QStringLiteral("通算成績(&T)"), [this] { menu_tusan_Click(); });
    menu_h = addMenuCommand(QStringLiteral("ヘルプ(&H)"), [this] { menu_h_Click(); });

    Opt_when[0]->setChecked(true);
}

void Form_Seiseki::Form_Load() {
    restorePosition(QStringLiteral("sei"));
    setWidth(FixedWidth);
    setHeight(CSng(settings::read(settings::keys::SeasonResultsHeight)).value_or(6650));
    DBGrid1->hide();
    db::ensureOpen();
    const std::optional<results::IdRanges> read = results::readIdRanges();
    if (!read) {
        hideRanges();  // nothing to choose from
        MsgBox(QStringLiteral("まだデータが入っていないか不正なデータベースです。"), vbOKOnly);
        return;
    }
    ranges_ = *read;
    Module1::SeasonIdMax = ranges_.seasonMax;
    Module1::SeasonIdMin = ranges_.seasonMin;
    Module1::MatchIdMax = ranges_.matchMax;
    Module1::MatchIdMin = ranges_.matchMin;
    Vsc_season->setRange(ranges_.seasonMin, ranges_.seasonMax);
    Vsc_season->setValue(ranges_.seasonMax);
    Txt_srs[0]->setText(QString::number(Vsc_season->value()));
    for (QScrollBar* s : HSc_siai) s->setRange(bar(ranges_.matchMin), bar(ranges_.matchMax));
    HSc_siai[0]->setValue(bar(ranges_.matchMin));
    HSc_siai[1]->setValue(bar(ranges_.matchMax));
    txt_siai[0]->setText(QString::number(ranges_.matchMin));
    txt_siai[1]->setText(QString::number(ranges_.matchMax));
    refresh();
}

void Form_Seiseki::Form_Activate() {
    const bool always = settings::readFlag(settings::keys::SeasonResultsAlways);
    if (Chk_srs->isChecked() != always) {
        Chk_srs->setChecked(always);
        Chk_srs_Click();
    }
    Cmd_SRS_OK->setEnabled(!Chk_srs->isChecked());
    forms::hideWaiting();
}

void Form_Seiseki::Form_Deactivate() {
    settings::saveFlag(settings::keys::SeasonResultsAlways, Chk_srs->isChecked());
    savePosition(QStringLiteral("sei"));
    settings::save(settings::keys::SeasonResultsHeight, CStr(Height()));
}

void Form_Seiseki::Form_Resize() {
    if (Width() != FixedWidth) setWidth(FixedWidth);
    if (Height() < MinHeight) setHeight(MinHeight);
    if (Height() > GridFrom) {
        // Whole rows, less a little.
        const float h = float(std::floor((Height() - 1500) / RowTwips) * RowTwips - 50);
        DBGrid1->resize(DBGrid1->width(), twips(h));
    }
}

void Form_Seiseki::hideRanges() {
    setShown({Label1, Txt_srs[0], Vsc_season, cmd_graph, Label3, txt_siai[0], HSc_siai[0], txt_siai[1], HSc_siai[1], Lbl_info}, false);
}

void Form_Seiseki::refresh() {
    hideRanges();
    Cmd_html2->setEnabled(false);
    // The option buttons decide, not ResultsRangeMode.
    int range = 0;
    while (range < 3 && !Opt_when[std::size_t(range)]->isChecked()) ++range;
    if (range == 3) return;
    if (range == results::OneSeason) setShown({Label1, Txt_srs[0], Vsc_season, cmd_graph}, true);
    if (range == results::MatchRange) {
        setShown({Label3, txt_siai[0], HSc_siai[0], txt_siai[1], HSc_siai[1]}, true);
        Lbl_info->setText(results::rangeInfo(ranges_, txt_siai[0]->text(), txt_siai[1]->text()));
        Lbl_info->show();
    }
    Cmd_html2->setEnabled(true);
    const results::Query q = results::queryOf(range, {Txt_srs[0]->text(), txt_siai[0]->text(), txt_siai[1]->text()});
    db::OpenOptions options;
    options.type = db::RecordsetType::Snapshot;
    options.params = q.params;
    DBGrid1->show();
    Data2->setRecordSource(q.sql);
    Data2->setOptions(options);
    Data2->Refresh();
}

void Form_Seiseki::Opt_when_Click(int Index) {
    Module1::ResultsRangeMode = std::uint8_t(Index);
    refresh();
}

void Form_Seiseki::Cmd_SRS_OK_Click() { refresh(); }

void Form_Seiseki::Chk_srs_Click() {
    if (!Chk_srs->isChecked()) {
        Cmd_SRS_OK->setEnabled(true);
        return;
    }
    refresh();
    Cmd_SRS_OK->setEnabled(false);
}

void Form_Seiseki::Vsc_season_Change() {
    Txt_srs[0]->setText(QString::number(Vsc_season->value()));
    if (Chk_srs->isChecked()) refresh();
}

// The first ID never stays above the last: raising the first drags the last along, and lowering
// the last below the first puts it back to the first.
void Form_Seiseki::HSc_siai_Change(int Index) {
    if (HSc_siai[0]->value() > HSc_siai[1]->value()) HSc_siai[1]->setValue(HSc_siai[0]->value());
    txt_siai[std::size_t(Index)]->setText(QString::number(HSc_siai[std::size_t(Index)]->value()));
    if (Chk_srs->isChecked()) refresh();
}

void Form_Seiseki::Chk_chart_Click() {
    if (Chk_chart->isChecked()) {
        forms::show(Chart);
    } else if (Form* chart = forms::loadedByName(Chart)) {
        chart->Unload();
    }
}

void Form_Seiseki::DBGrid1_Click() {
    if (Chk_chart->isChecked()) forms::show(Chart);
}

// The graph takes the season as the box reads; the scroll bar only when it is a number.
void Form_Seiseki::cmd_graph_Click() {
    Form_ana_p& graph = forms::get<Form_ana_p>();
    graph.Show();
    graph.Txt_srs->setText(Txt_srs[0]->text());
    if (const auto season = CInt(Txt_srs[0]->text())) graph.HScr_srs->setValue(*season);
}

void Form_Seiseki::Cmd_html2_Click() {
    if (Module1::ResultsRangeMode <= results::MatchRange) forms::show(QStringLiteral("Form_HTML2"));
}

void Form_Seiseki::menu_html_Click(int Index) {
    Module1::ResultsRangeMode = Index == 0 ? results::OneSeason : results::AllTime;
    Cmd_html2_Click();
}

void Form_Seiseki::menu_tusan_Click() {
    if (!Opt_when[0]->isChecked()) {
        Opt_when[0]->setChecked(true);
        Opt_when_Click(0);
    }
    refresh();
}

void Form_Seiseki::Cmd_OP_Click(int Index) {
    if (Index == 0) print();
}

// The printout follows ResultsRangeMode, which the HTML entries may have set apart from the grid.
// It is a document of its own: a score-book printout waiting to be sent stays as it is.
void Form_Seiseki::print() {
    const results::Query q = results::queryOf(Module1::ResultsRangeMode, {Txt_srs[0]->text(), txt_siai[0]->text(), txt_siai[1]->text()});
    db::Recordset rows;
    if (!db::ensureOpen() || !rows.open(q.sql, db::RecordsetType::Snapshot, q.params)) {
        MsgBox(QStringLiteral("印刷できませんでした。"));
        return;
    }
    Printer printer;
    printer.setZoom(results::PrintZoom);
    for (const scorebook::PrintLine& line : results::printout(Module1::ResultsRangeMode, rows)) printer.PrintLine(line);
    QString where;
    if (!printer.EndDoc(QStringLiteral("統計成績"), &where))
        MsgBox(QStringLiteral("印刷できませんでした。"));
    else if (where.endsWith(QStringLiteral(".pdf")))
        MsgBox(QStringLiteral("プリンタが設定されていないため、PDFファイルに出力しました。\r") + where);
}

void Form_Seiseki::Cmd_END_Click() {
    if (Form* chart = forms::loadedByName(Chart)) chart->Hide();
    Hide();
}

void Form_Seiseki::menu_h_Click() { launcher::openHelp(QStringLiteral("vh_season.htm")); }

}  // namespace vx
