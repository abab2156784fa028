#include "records/form_kojin.h"
#include "records/form_ana_kojin.h"
#include "common/convert.h"
#include "common/database.h"
#include "common/dialogs.h"
#include "common/launcher.h"
#include "common/module1.h"
#include "common/picture.h"
#include "common/records.h"
#include "common/settingskeys.h"
#include "platform/boundgrid.h"
#include "platform/controls.h"
#include "platform/datasource.h"
#include "platform/registry.h"
#include "records/form_pindiagram.h"
#include "records/playerrecords.h"
#include "records/scorebook.h"
#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>

namespace vx {

namespace {

constexpr double FixedWidth = 9450, MinHeight = 4250;
constexpr double ListHeight = 7300, AllTimeHeight = 4400;
// Rows of the record list and of the season grid, in twips; the grids grow by whole rows.
constexpr double ScoreRow = 195.0236, SeasonRow = 269.8583;
constexpr double StatsTop = 3390, PinsTop = 2280;
const QString HandOffTag = QStringLiteral("Form_Kojin no Hyoji Score");
const QString AllPlayersName = QStringLiteral("全　員");

// The card's boxes are lower than the other boxes, so that the sentence under the card has three lines.
constexpr double CardBox = 315;

QLineEdit* cardBox(QWidget* parent, double left, double top, double width, Qt::Alignment align = Qt::AlignRight, double height = 330) {
    QLineEdit* e = textBox(parent, left, top, width, height);
    e->setReadOnly(true);
    e->setAlignment(align | Qt::AlignVCenter);
    return e;
}

DBGrid* grid(QWidget* parent, DataSource* ds, const QStringList& fields, int rowPixels) {
    auto* g = new DBGrid(parent);
    g->setDataSource(ds);
    g->setColumns(fields);
    g->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    g->verticalHeader()->setDefaultSectionSize(rowPixels);
    g->verticalHeader()->setFixedWidth(12);
    g->horizontalHeader()->setFixedHeight(rowPixels);
    g->horizontalHeader()->setHighlightSections(false);
    return g;
}

QString numberIn(const QVariant& v, const char* format) {
    return v.isNull() || !v.isValid() ? QString() : Format(v.toDouble(), QString::fromLatin1(format));
}

// The statistics columns, the same in both grids but for the first caption.
void statisticsColumns(DBGrid* g, const QString& seasonCaption) {
    const char* const fields[] = {"シーズンID", "ｹﾞｰﾑ数", "優Ｐ計", "上位", "上位率", "合計点", "平均点", "ST", "ST平均", "スペア", "ｽﾍﾟｱﾐｽ", "スペア率"};
    QStringList list;
    for (const char* f : fields) list << QString::fromUtf8(f);
    g->setColumns(list);
    for (int c = 0; c < 12; ++c) g->setCaption(c, c == 0 ? seasonCaption : list[c]);
    for (int c : {4, 11}) g->gridModel()->setColumnFormat(c, [](const QVariant& v) { return numberIn(v, "Percent"); });
    for (int c : {6, 8}) g->gridModel()->setColumnFormat(c, [](const QVariant& v) { return numberIn(v, "Fixed"); });
    const int widths[] = {40, 44, 44, 36, 64, 48, 54, 34, 48, 40, 46, 64};
    for (int c = 0; c < 12; ++c) g->setColumnWidth(c, widths[c]);
}

db::OpenOptions readOnly(const QVariantList& params = {}) {
    db::OpenOptions o;
    o.type = db::RecordsetType::Snapshot;
    o.params = params;
    return o;
}

}  // namespace

Form_Kojin::Form_Kojin() {
    setWindowTitle(QStringLiteral("個人記録"));

    // The player list, wide enough for a name of ten full-width characters beside the ID: the
    // name takes what the ID leaves, and a read-only list needs no record selectors.
    constexpr double CardLeft = 2700, Ball = 360;
    Label1[1] = label(this, QStringLiteral("選手"), 60, 60, 420);
    Txt_Sensyu[0] = cardBox(this, 480, 30, 480);
    Txt_Sensyu[1] = cardBox(this, 1020, 30, CardLeft - 90 - 1020, Qt::AlignLeft);
    showStart(Txt_Sensyu[1]);
    Data_Sensyu = new DataSource(this);
    Data_Sensyu->setOptions(readOnly());
    Data_Sensyu->setRecordSource(QStringLiteral("SELECT \"選手ID\", \"選手名\" FROM \"選手\" ORDER BY \"選手ID\""));
    const int row = fontMetrics().height() + 3;
    DBG_Sensyu = place(grid(this, Data_Sensyu, {QStringLiteral("選手ID"), QStringLiteral("選手名")}, row), 60, 420, CardLeft - 90 - 60, 1830);
    DBG_Sensyu->setCaption(0, QStringLiteral("ID"));
    DBG_Sensyu->verticalHeader()->hide();
    DBG_Sensyu->setColumnWidth(0, 24);
    DBG_Sensyu->horizontalHeader()->setStretchLastSection(true);

    // The game card: frames 1..5 above, 6..10 below, each with its cumulative score.
    Txt_Siai[0] = cardBox(this, CardLeft, 30, 1200, Qt::AlignLeft);
    Label1[0] = label(this, QStringLiteral("第　　　ｹﾞｰﾑ"), CardLeft + 1230, 45, 1140);
    Txt_Siai[3] = cardBox(this, CardLeft + 1440, 30, 420, Qt::AlignHCenter);
    Txt_Siai[1] = cardBox(this, 0, 0, 300);
    Txt_Siai[2] = cardBox(this, 0, 0, 300);
    Txt_Siai[1]->hide();  // never hold anything
    Txt_Siai[2]->hide();
    Txt_komoku[0] = cardBox(this, CardLeft + 2400, 30, 600, Qt::AlignLeft);
    Txt_komoku[1] = cardBox(this, CardLeft + 3030, 30, 360);
    Txt_komoku[2] = cardBox(this, CardLeft + 3420, 30, 330);
    Txt_komoku[3] = cardBox(this, CardLeft + 3780, 30, 330);
    const char* const tips[] = {"入賞", "勝利ポイント", "ストライク", "スペア"};
    for (int i = 0; i < 4; ++i) Txt_komoku[std::size_t(i)]->setToolTip(QString::fromUtf8(tips[i]));
    constexpr double Marks[] = {375, 375 + 2 * CardBox + 15};  // the marks of frames 1..5 and 6..10, their scores below
    for (int b = 0; b <= 20; ++b) {
        const int f = b < 18 ? b / 2 : 9;                      // frame - 1
        const double left = CardLeft + 2 * Ball * (f % 5) + Ball * (b - 2 * f);
        Txt_MARK[std::size_t(b)] = cardBox(this, left, Marks[f / 5], Ball, Qt::AlignHCenter, CardBox);
        // A foul with a count ("＊1") is wider than a narrow box's margins leave room for.
        Txt_MARK[std::size_t(b)]->setTextMargins(-2, 0, -2, 0);
    }
    for (int f = 1; f <= 10; ++f)
        Txt_score[std::size_t(f)] = cardBox(this, CardLeft + 2 * Ball * ((f - 1) % 5), Marks[(f - 1) / 5] + CardBox, f == 10 ? 3 * Ball : 2 * Ball,
                                            Qt::AlignRight, CardBox);
    Txt_score[11] = cardBox(this, CardLeft + 10 * Ball + 30, Marks[0], 510, Qt::AlignRight, CardBox);
    Txt_score[0] = cardBox(this, CardLeft + 10 * Ball + 30, Marks[0] + CardBox, 510, Qt::AlignRight, CardBox);
    Txt_score[11]->setToolTip(QStringLiteral("HCP"));
    Txt_score[0]->setToolTip(QStringLiteral("競技点"));
    txt_ID = cardBox(this, 0, 0, 600);
    txt_ID->hide();
    // The sentence: its carriage returns break the line, and the longest (a ten-character name, the
    // placing and the points of the day) takes three lines of the card's width.
    const double sentenceTop = Marks[1] + 2 * CardBox;
    Lbl_What = place(new CaptionLabel(this), CardLeft, sentenceTop, 10 * Ball + 540, PinsTop - sentenceTop);
    Lbl_What->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The record kinds.
    Label4 = label(this, QStringLiteral("選択項目"), 6900, 15, 1200, 210);
    Frame1 = frame(this, QString(), 6900, 210, 2340, 2040);
    const char* const kinds[] = {"ﾎﾟｲﾝﾄ", "一着", " 素点  最高点", "HCP込最高点", "全て", "その日最高点", "ｽﾄﾗｲｸ", "スペア"};
    for (int i = 0; i < 8; ++i)
        Cmd_what[std::size_t(i)] = button(Frame1, QString::fromUtf8(kinds[i]), 45 + 1140 * (i % 2), 180 + 450 * (i / 2), 1125, 420,
                                          [this, i] { Cmd_what_Click(i); });
    // Beyond the window's fixed width: a member of the array nobody sees.
    Cmd_what[20] = button(this, QStringLiteral("ダミー消しちゃﾀﾞﾒ"), FixedWidth + 600, 0, 1500, 330, [this] { Cmd_what_Click(20); });

    // The pin diagrams, one row.
    std::array<double, 12> racks{};
    for (std::size_t i = 0; i < 12; ++i) racks[i] = 570.0 * double(i);
    Pins = new PinDiagram(this, racks);
    Pins->move(twips(60), twips(PinsTop));

    Frame2 = frame(this, QStringLiteral("スコア表示"), 6900, 2220, 2340, 660);
    cmd_sp = button(Frame2, QStringLiteral("一 覧"), 90, 240, 960, 360, [this] { cmd_sp_Click(); });
    Chk_score = place(new QCheckBox(QStringLiteral("常に表示"), Frame2), 1140, 270, 1140, 300);
    connect(Chk_score, &QCheckBox::toggled, this, [this] { Chk_score_Click(); });

    // Navigation and the buttons under the card.
    Label5[0] = label(this, QStringLiteral("First     Prev  Next      Last"), 60, 2850, 2400, 210);
    const char* const moves[] = {"|<", "《", "<", ">", "》", ">|"};
    for (int i = 0; i < 6; ++i)
        cmd_mov[std::size_t(i)] = button(this, QString::fromUtf8(moves[i]), 60 + 400 * i, 3060, 390, 300, [this, i] { cmd_mov_Click(i); });
    Cmd_SRS = button(this, QStringLiteral("シーズン成績"), 2520, 3000, 1260, 360, [this] { Cmd_SRS_Click(); });
    cmd_html = button(this, QStringLiteral("HTML"), 2520, 3000, 1260, 360, [this] { cmd_html_Click(); });
    Cmd_Tsusan = button(this, QStringLiteral("通算成績"), 3840, 3000, 1140, 360, [this] { Cmd_Tsusan_Click(); });
    cmd_graph = button(this, QStringLiteral("統計グラフ"), 5040, 3000, 1140, 360, [this] { cmd_graph_Click(); });
    cmd_html_score = button(this, QStringLiteral("スコアをHTML"), 6240, 3000, 1380, 360, [this] { cmd_html_score_Click(); });
    Cmd_End = button(this, QStringLiteral("戻　る (&C)"), 7740, 3000, 1500, 360, [this] { Cmd_End_Click(); });

    // The record list.
    data_score = new DataSource(this);
    QStringList fields{QStringLiteral("選手名"), QStringLiteral("シーズンID"), QStringLiteral("試合"), QStringLiteral("ｹﾞｰﾑ"),
                       QStringLiteral("試合日"), QStringLiteral("優Ｐ"),     QStringLiteral("入賞"), QStringLiteral("S10"),
                       QStringLiteral("競技点")};
    fields << ballColumns(QStringLiteral("M")) << QStringLiteral("試合日") << QStringLiteral("試合ID") << QStringLiteral("会場名");
    DBG_Score = place(grid(this, data_score, fields, twips(ScoreRow)), 60, StatsTop, FixedWidth - 270, 2955);
    const char* const captions[] = {"選手名", "Ssn", "Stg", "Gm", "Date", "Pnt", "入賞", "素点", "競点"};
    for (int c = 0; c < 33; ++c) DBG_Score->setCaption(c, QString());
    for (int c = 0; c < 9; ++c) DBG_Score->setCaption(c, QString::fromUtf8(captions[c]));
    const QStringList marks = scorebook::markCaptions();
    for (int k = 0; k <= 20; ++k) DBG_Score->setCaption(9 + k, marks[k]);
    DBG_Score->setCaption(30, QStringLiteral("試合日"));
    DBG_Score->setCaption(31, QStringLiteral("試合ID"));
    DBG_Score->setCaption(32, QStringLiteral("選手ID"));
    DBG_Score->gridModel()->setColumnFormat(4, ShortDate);
    const int widths[] = {90, 28, 28, 22, 78, 28, 40, 34, 34};
    for (int c = 0; c < 33; ++c) DBG_Score->setColumnWidth(c, c < 9 ? widths[c] : c < 30 ? 22 : c == 30 ? 70 : 44);

    // The statistics: all-time above, per season below.
    Shape2 = place(new QFrame(this), 30, StatsTop, FixedWidth - 210, 570);
    Shape2->setFrameShape(QFrame::Box);
    Label2 = label(this, QStringLiteral("通算"), 90, StatsTop + 150, 420);
    Data1 = new DataSource(this);
    Data2 = new DataSource(this);
    DBGrid2 = place(grid(this, Data2, {}, twips(SeasonRow)), 540, StatsTop + 15, FixedWidth - 780, 540);
    statisticsColumns(DBGrid2, QStringLiteral("ｼｰｽﾞﾝ"));
    DBGrid2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DBGrid2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DBGrid1 = place(grid(this, Data1, {}, twips(SeasonRow)), 60, StatsTop + 630, FixedWidth - 270, 2698);
    statisticsColumns(DBGrid1, QStringLiteral("ｼ-ｽﾞﾝ"));
    for (QWidget* w : std::initializer_list<QWidget*>{DBG_Score, DBGrid1, DBGrid2, Shape2, Label2}) w->hide();

    connect(data_score, &DataSource::currentChanged, this, [this](int r) {
        if (r >= 0) data_score_Reposition();
    });
    connect(Data_Sensyu, &DataSource::currentChanged, this, [this](int r) {
        Txt_Sensyu[0]->setText(Data_Sensyu->text(QStringLiteral("選手ID")));
        DBG_Sensyu_RowColChange();
        DBG_Sensyu_SetAllPlayers();
        // Another player chosen by the keys is chosen as by a click.
        if (!positioning_ && r >= 0 && r != chosenRow_) DBG_Sensyu_SelectPlayer();
    });
    connect(DBG_Sensyu, &QAbstractItemView::clicked, this, [this] { DBG_Sensyu_SelectPlayer(); });

    menu_file = addMenu(QStringLiteral("ファイル(&F)"));
    menu_off = addEntry(menu_file, QStringLiteral("閉じる(&X)"), [this] { Cmd_End_Click(); });
    menu_select = addMenu(QStringLiteral("選択項目(&S)"));
    const char* const entries[] = {"一着", "ポイント", "その日の最高点", "全ゲーム", "素点最高点", "HCP込み最高点（競技点）", "ストライク", "スペア"};
    for (int i = 0; i < 8; ++i)
        menu_what[std::size_t(i)] = addEntry(menu_select, QString::fromUtf8(entries[i]), [this, i] { menu_what_Click(i); });
    menu_bar = menu_select->addSeparator();
    menu_sp = addEntry(menu_select, QStringLiteral("一覧"), [this] { cmd_sp_Click(); });
    menu_h = addMenuCommand(QStringLiteral("ヘルプ(&H)"), [this] { menu_h_Click(); });

    for (QAction* a : menu_what) a->setEnabled(false);
    menu_sp->setEnabled(false);
    for (QPushButton* b : cmd_mov) b->setEnabled(false);
    Cmd_Tsusan->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{cmd_sp, Cmd_SRS, cmd_html, cmd_html_score}) w->hide();
}

void Form_Kojin::Form_Load() {
    restorePosition(QStringLiteral("kojin"));
    setWidth(FixedWidth);
    setHeight(CSng(settings::read(settings::keys::RecordsHeight)).value_or(MinHeight));
    Module1::AllPlayersFlag = 255;
    db::ensureOpen();
    positioning_ = true;
    Data_Sensyu->Refresh();
    positioning_ = false;
    chosenRow_ = Data_Sensyu->currentRow();
    runResize();
}

void Form_Kojin::Form_Activate() {
    forms::hideWaiting();
    Chk_score->setChecked(settings::readFlag(settings::keys::RecordsWithScores));
}

void Form_Kojin::Form_Deactivate() {
    settings::saveFlag(settings::keys::RecordsWithScores, Chk_score->isChecked());
    savePosition(QStringLiteral("kojin"));
    settings::save(settings::keys::RecordsHeight, CStr(Height()));
}

void Form_Kojin::Form_QueryUnload(bool& cancel, int unloadMode) {
    if (unloadMode != vbFormControlMenu) return;
    cancel = true;  // the close box only hides it, as 戻る does
    Cmd_End_Click();
}

void Form_Kojin::Form_Resize() {
    if (Width() != FixedWidth) setWidth(FixedWidth);
    if (Height() < MinHeight) setHeight(MinHeight);
    const double h = Height();
    if (h > 4600) {
        DBG_Score->resize(DBG_Score->width(), twips(int((h - 4200) / ScoreRow) * ScoreRow + 30));
        DBGrid1->resize(DBGrid1->width(), twips(int((h - 4600) / SeasonRow) * SeasonRow));
    }
}

bool Form_Kojin::allPlayers() const { return Module1::AllPlayersFlag == 255; }

// ---------------------------------------------------------------- the player

bool Form_Kojin::openOnPlayer(int playerId, const QString& name) {
    const QString key = QStringLiteral("選手ID");
    const QVariant before = Data_Sensyu->value(key);
    positioning_ = true;
    Data_Sensyu->Refresh();
    // By the ID, whatever its place in the list.
    auto rowOf = [this, &key](const QVariant& id) {
        const db::Recordset& rs = Data_Sensyu->recordset();
        const int at = rs.FieldIndex(key);
        for (int r = 0; id.isValid() && r < rs.RecordCount(); ++r)
            if (rs.valueAt(r, at).toLongLong() == id.toLongLong()) return r;
        return -1;
    };
    const int row = rowOf(playerId);
    const int back = row >= 0 ? row : rowOf(before);
    if (back >= 0) Data_Sensyu->setCurrentRow(back);
    positioning_ = false;
    chosenRow_ = Data_Sensyu->currentRow();
    if (row < 0) return false;
    Txt_Sensyu[0]->setText(QString::number(playerId));
    Txt_Sensyu[1]->setText(name);
    for (QLineEdit* e : Txt_Siai) e->clear();
    emptyCard();
    Lbl_What->clear();
    for (QPushButton* b : {Cmd_Tsusan, Cmd_SRS, cmd_html}) b->setEnabled(true);
    return true;
}

void Form_Kojin::DBG_Sensyu_RowColChange() { Txt_Sensyu[1]->setText(Data_Sensyu->text(QStringLiteral("選手名"))); }

void Form_Kojin::DBG_Sensyu_SetAllPlayers() { Module1::AllPlayersFlag = Val(Txt_Sensyu[0]->text()) == 0 ? 255 : 0; }

void Form_Kojin::DBG_Sensyu_SelectPlayer() {
    chosenRow_ = Data_Sensyu->currentRow();
    Cmd_Tsusan->setEnabled(true);
    Cmd_SRS->show();
    cmd_html->hide();
    cmd_html_score->hide();
    cmd_sp->setEnabled(false);
    setKindsEnabled(true);
    for (QPushButton* b : cmd_mov) b->setEnabled(false);
    for (QLineEdit* e : Txt_Siai) e->clear();
    Lbl_What->clear();
    for (QWidget* w : std::initializer_list<QWidget*>{DBGrid1, DBGrid2, DBG_Score, Shape2, Label2, Chk_score}) w->hide();
    emptyCard();
    setHeight(MinHeight);
}

void Form_Kojin::setKindsEnabled(bool on) {
    for (int i = 0; i < playerrecords::KindCount; ++i) {
        Cmd_what[std::size_t(i)]->setEnabled(on);
        menu_what[std::size_t(i)]->setEnabled(on);
    }
    menu_sp->setEnabled(on);
}

void Form_Kojin::emptyCard() {
    for (QLineEdit* e : Txt_MARK) e->clear();
    for (QLineEdit* e : Txt_score) e->clear();
}

// ---------------------------------------------------------------- the record list and its card

void Form_Kojin::Hajime() {
    setKindsEnabled(false);
    emptyCard();
    Pins->clear();
}

void Form_Kojin::menu_what_Click(int Index) { Cmd_what_Click(playerrecords::kindOfMenuEntry(Index)); }

void Form_Kojin::Cmd_what_Click(int Index) {
    cmd_html_score->show();
    cmd_html->hide();
    Cmd_SRS->show();
    Hajime();
    RecordKind = std::int16_t(Index);
    if (Index < 0 || Index >= playerrecords::KindCount) return;  // the spare member: the kinds wait for a new player
    const playerrecords::Query q = playerrecords::kindQuery(Index, allPlayers(), Txt_Sensyu[0]->text());
    KindSql = q.sql;
    KindParams = q.params;
    ListPosition = 1;
    setKindsEnabled(true);
    Chk_score->show();
    forms::showWaiting();
    data_score->setRecordSource(KindSql);
    data_score->setOptions(playerrecords::listOptions(q));
    const bool read = data_score->Refresh();
    forms::hideWaiting();
    if (read && data_score->recordset().RecordCount() >= 1) {
        cmd_sp->show();
        cmd_sp->setEnabled(true);
        for (QPushButton* b : cmd_mov) b->setEnabled(true);
        if (Chk_score->isChecked()) cmd_sp_Click();
        return;
    }
    MsgBox(playerrecords::emptyMessage(RecordKind), vbOKOnly);
    cmd_html_score->hide();
}

void Form_Kojin::data_score_Reposition() {
    const db::Recordset& rs = data_score->recordset();
    if (rs.RecordCount() < 1) return;
    auto text = [this](const QString& field) { return data_score->text(field); };
    const QStringList marks = ballColumns(QStringLiteral("M")), scores = frameColumns();
    for (int b = 0; b <= 20; ++b) Txt_MARK[std::size_t(b)]->setText(text(marks[b]));
    for (int f = 1; f <= 10; ++f) Txt_score[std::size_t(f)]->setText(text(scores[f - 1]));
    Txt_score[11]->setText(text(QStringLiteral("HCP")));
    Txt_score[0]->setText(text(QStringLiteral("競技点")));
    const char* const items[] = {"入賞", "優Ｐ", "ST", "SP"};
    for (int i = 0; i < 4; ++i) Txt_komoku[std::size_t(i)]->setText(text(QString::fromUtf8(items[i])));
    Txt_Siai[0]->setText(ShortDate(data_score->value(QStringLiteral("試合日"))));
    Txt_Siai[3]->setText(text(QStringLiteral("ｹﾞｰﾑ")));
    txt_ID->setText(text(QStringLiteral("ID")));
    Txt_Sensyu[1]->setText(text(QStringLiteral("選手名")));

    Draw_pins();
    ListPosition = data_score->currentRow() + 1;
    if (RecordKind >= 0 && RecordKind < playerrecords::KindCount) {
        const playerrecords::CardTexts card{Txt_Sensyu[1]->text(), Txt_komoku[0]->text(), Txt_komoku[1]->text(), Txt_komoku[2]->text(),
                                            Txt_komoku[3]->text(), Txt_score[10]->text(),  Txt_score[0]->text()};
        Lbl_What->setCaption(playerrecords::explanation(RecordKind, ListPosition, card, allPlayers()));
    }
}

// The stored game's racks, drawn by the score book's rules.
void Form_Kojin::Draw_pins() {
    const scorebook::StoredBalls balls = scorebook::readBalls(Val(txt_ID->text()));
    Pins->draw(scorebook::racksOf(balls, Val(Txt_score[10]->text())), Module1::PinColors);
}

void Form_Kojin::cmd_mov_Click(int Index) {
    cmd_html->hide();
    Cmd_SRS->show();
    if (Chk_score->isChecked()) cmd_sp_Click();
    const int n = data_score->recordset().RecordCount();
    if (n < 1 || data_score->currentRow() < 0) return;
    const int to = playerrecords::moveTarget(Index, ListPosition, n);
    if (to != data_score->currentRow() + 1) data_score->setCurrentRow(to - 1);
    setKindsEnabled(true);
}

// ---------------------------------------------------------------- views

void Form_Kojin::cmd_sp_Click() {
    for (QWidget* w : std::initializer_list<QWidget*>{DBGrid1, Shape2, Label2, DBGrid2}) w->hide();
    DBG_Score->show();
    if (Height() < ListHeight) setHeight(ListHeight);
    Cmd_SRS->setEnabled(true);
}

void Form_Kojin::Chk_score_Click() {
    if (!Chk_score->isChecked()) {
        cmd_sp->setEnabled(true);
        return;
    }
    if (!cmd_sp->isHidden()) cmd_sp_Click();
    cmd_sp->setEnabled(false);
}

// ---------------------------------------------------------------- statistics and hand-offs

void Form_Kojin::Cmd_SRS_Click() {
    Cmd_SRS->hide();
    cmd_html->show();
    cmd_sp->setEnabled(true);
    if (allPlayers()) {
        Txt_Sensyu[0]->setText(QStringLiteral("0"));
        Txt_Sensyu[1]->setText(AllPlayersName);
        for (QLineEdit* e : Txt_Siai) e->clear();
        Lbl_What->clear();
    }
    const playerrecords::Query q = playerrecords::seasonStats(allPlayers(), Txt_Sensyu[0]->text());
    DBG_Score->hide();
    if (Height() < ListHeight) setHeight(ListHeight);
    DBGrid1->show();
    Data1->setRecordSource(q.sql);
    Data1->setOptions(readOnly(q.params));
    if (!Data1->Refresh()) return;  // the grids keep what they showed
    Cmd_Tsusan_Click();
}

void Form_Kojin::Cmd_Tsusan_Click() {
    Cmd_Tsusan->setEnabled(false);
    if (allPlayers()) {
        Txt_Sensyu[0]->setText(QStringLiteral("0"));
        Txt_Sensyu[1]->setText(AllPlayersName);
        for (QLineEdit* e : Txt_Siai) e->clear();
        Lbl_What->clear();
    }
    if (Height() < AllTimeHeight) setHeight(AllTimeHeight);
    for (QWidget* w : std::initializer_list<QWidget*>{Shape2, Label2, DBGrid2}) w->show();
    const playerrecords::Query q = playerrecords::allTimeStats(allPlayers(), Txt_Sensyu[0]->text());
    Data2->setRecordSource(q.sql);
    Data2->setOptions(readOnly(q.params));
    Data2->Refresh();
}

// The two pages are opened by name; until they exist these buttons open nothing.
void Form_Kojin::cmd_graph_Click() {
    Form_ana_kojin& graph = forms::get<Form_ana_kojin>();
    graph.Show();
    graph.lbl_sensyu->setText(Txt_Sensyu[1]->text());
}

void Form_Kojin::cmd_html_Click() {
    if (Val(Txt_Sensyu[0]->text()) == 0) {
        MsgBox(QStringLiteral("全員の成績のhtmlは、トップメニューから[統計成績]を選んで行ってください。"), vbOKOnly);
        return;
    }
    forms::show(QStringLiteral("Form_HTML_kojin"));
}

void Form_Kojin::cmd_html_score_Click() {
    if (data_score->recordset().RecordCount() < 1) return;
    scorebook::handToScoreCards(HandOffTag, data_score->recordset());
    forms::show(QStringLiteral("Form_HTML_ALL"));
}

void Form_Kojin::Cmd_End_Click() { Hide(); }

void Form_Kojin::menu_h_Click() { launcher::openHelp(QStringLiteral("vh_kojin.htm")); }

}  // namespace vx
