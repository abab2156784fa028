#include "records/form_score.h"
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
#include "records/form_file.h"
#include "records/form_pindiagram.h"
#include "records/printout.h"
#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace vx {

namespace {

constexpr double MinWidth = 9400, MinHeight = 2300;
// The choices' frames hold the record buttons below their boxes; the rows under them, and the grid
// that covers the pins when they are off, make room for that.
constexpr double FramesHeight = 1410, RowA = 1455, RowB = 1800, NumbersTop = 2100, PinsTop = 2325;
constexpr double GridTopWithPins = 2880, GridTopWithoutPins = 2100;
const QString HandOffTag = QStringLiteral("Form_Score no Hyoji Score");
const QString StopIt = QStringLiteral("くどいですけど、本当に削除していいですね？");
const QString DateRefused = QStringLiteral("日付を入力してください。");
constexpr int Confirm = vbYesNo | vbCritical | vbDefaultButton2;

// The frame numbers over the pin racks: the caption's numbers, each centred over its rack.
class FrameNumbers : public QLabel {
public:
    FrameNumbers(const QString& text, QWidget* parent, std::array<double, 12> centres) : QLabel(text, parent), centres_(centres) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QStringList numbers = text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (int i = 0; i < numbers.size() && i < 12; ++i) {
            const int centre = twips(centres_[std::size_t(i)]);
            p.drawText(QRect(centre - 20, 0, 40, height()), Qt::AlignCenter, numbers[i]);
        }
    }

private:
    std::array<double, 12> centres_;
};

void setShown(std::initializer_list<QWidget*> widgets, bool on) {
    for (QWidget* w : widgets) w->setVisible(on);
}

QLineEdit* shownBox(QWidget* parent, double left, double top, double width) {
    QLineEdit* e = textBox(parent, left, top, width, 330);
    e->setReadOnly(true);
    return e;
}

}  // namespace

Form_Score::Form_Score() {
    setWindowTitle(QStringLiteral("スコアブック"));

    Frame1 = frame(this, QStringLiteral("対象となる選手"), 60, 0, 3000, FramesHeight);
    Opt_score[0] = place(new QRadioButton(QStringLiteral("全体"), Frame1), 90, 240, 810, 300);
    Opt_score[1] = place(new QRadioButton(QStringLiteral("個人"), Frame1), 90, 570, 810, 300);
    Txt_Sensyu = shownBox(Frame1, 90, 900, 720);
    // The choices are read here, never written.
    db::OpenOptions readOnly;
    readOnly.type = db::RecordsetType::Snapshot;
    auto source = [this, &readOnly](const char* table) {
        auto* ds = new DataSource(this);
        ds->setOptions(readOnly);
        ds->setRecordSource(QString::fromUtf8(table));
        return ds;
    };
    Data_Sensyu = source("選手");
    DBG_Sensyu = place(new DBGrid(Frame1), 900, 210, 2040, 1050);
    DBG_Sensyu->setDataSource(Data_Sensyu);
    DBG_Sensyu->setColumns({QStringLiteral("選手ID"), QStringLiteral("選手名"), QStringLiteral("初参加"),
                            QStringLiteral("誕生日"), QStringLiteral("アドレス")});
    txt_sen_name = shownBox(this, 60, RowA, 3000);
    showStart(txt_sen_name);

    Frame2 = frame(this, QStringLiteral("対象となる試合"), 3120, 0, 3840, FramesHeight);
    const char* const games[] = {"全　部", "ｼｰｽﾞﾝ指定 ", "試合指定 "};
    const double gameLeft[] = {90, 1080, 2400};
    for (int i = 0; i < 3; ++i)
        Opt_Siai[std::size_t(i)] = place(new QRadioButton(QString::fromUtf8(games[i]), Frame2), gameLeft[i], 210, 1320, 300);
    data_srs = source("シーズン");
    Data_Siai = source("試合");
    Txt_Siai[0] = shownBox(Frame2, 90, 495, 720);
    Txt_Siai[1] = shownBox(Frame2, 90, 495, 720);
    Lbl_Siai[0] = label(Frame2, QString(), 870, 510, 2880);
    Lbl_Siai[1] = label(Frame2, QString(), 870, 510, 1500);
    Lbl_Siai[2] = label(Frame2, QString(), 2400, 510, 540);
    Label1 = label(Frame2, QStringLiteral("－"), 2940, 510, 240);
    Lbl_Siai[3] = label(Frame2, QString(), 3180, 510, 540);
    Lbl_Siai[2]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The record buttons under the boxes, in a frame whose caption sits on its border, as on the
    // other platform: below the caption, and inside the border.
    Frm_record = frame(Frame2, QStringLiteral(" Record "), 90, 825, 3660, 540);
    const int caption = Frm_record->fontMetrics().height();
    Frm_record->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: %1px; }"
                                             "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 1px; }")
                                  .arg(caption / 2));
    const char* const moves[] = {"|<", "《", "<", ">", "》", ">|"};
    for (int i = 0; i < 6; ++i) {
        cmd_mov[std::size_t(i)] = button(Frm_record, QString::fromUtf8(moves[i]), 60 + 600 * i, 0, 540, 255,
                                         [this, i] { cmd_mov_Click(i); });
        cmd_mov[std::size_t(i)]->move(cmd_mov[std::size_t(i)]->x(), caption + 2);
    }
    Frm_record->resize(Frm_record->width(), caption + 2 + cmd_mov[0]->height() + 3);

    Cmd_OK[0] = button(this, QStringLiteral("表　　　示 (&Show)"), 7070, 60, 2160, 390, [this] { Cmd_OK_Click(0); });
    Cmd_OK[1] = button(this, QStringLiteral("削除"), 7070, 480, 1050, 330, [this] { Cmd_OK_Click(1); });
    Cmd_OK[3] = button(this, QStringLiteral("全削除"), 8180, 480, 1050, 330, [this] { Cmd_OK_Click(3); });
    const char* const outputs[] = {"印刷", "Text", "HTML"};
    for (int i = 0; i < 3; ++i) {
        Cmd_Prn[std::size_t(i)] = button(this, QString::fromUtf8(outputs[i]), 7070 + 735 * i, 840, 690, 330,
                                         [this, i] { Cmd_Prn_Click(i); });
    }
    Cmd_OK[2] = button(this, QStringLiteral("戻　る (&Close)"), 7070, RowA, 2160, 330, [this] { Cmd_OK_Click(2); });
    Chk_Prn = place(new QCheckBox(QStringLiteral("スコアを印刷できるようにする（表示が遅くなります）"), this), 60, RowB, 4980, 300);
    chk_pin = place(new QCheckBox(QStringLiteral("ピン表示をする"), this), 5160, RowB, 1740, 300);
    Chk_edit = place(new QCheckBox(QStringLiteral("スコアを編集できるようにする"), this), 3120, RowA, 2940, 300);
    cmd_html_score = button(this, QStringLiteral("HTML"), 6120, RowA, 840, 330, [this] { cmd_html_score_Click(); });
    txt_ID = shownBox(this, 7070, RowB, 900);
    connect(Chk_edit, &QCheckBox::clicked, this, [this] { Chk_edit_Click(); });
    connect(chk_pin, &QCheckBox::clicked, this, [this] { chk_pin_Click(); });
    for (int i = 0; i < 2; ++i) connect(Opt_score[std::size_t(i)], &QRadioButton::clicked, this, [this, i] { Opt_score_Click(i); });
    for (int i = 0; i < 3; ++i) connect(Opt_Siai[std::size_t(i)], &QRadioButton::clicked, this, [this, i] { Opt_Siai_Click(i); });

    const std::array<double, 12> racks{0, 600, 1200, 1800, 2400, 3120, 3720, 4320, 4920, 5520, 6240, 6840};
    std::array<double, 12> centres{};
    for (std::size_t i = 0; i < 12; ++i) centres[i] = racks[i] + 275;
    Label3 = place(new FrameNumbers(QStringLiteral("1       2      3       4      5        6      7       8      9     10"), this,
                                    centres), 120, NumbersTop, 7440, 225);
    Pins = new PinDiagram(this, racks);
    Pins->move(twips(120), twips(PinsTop));

    data_score = new DataSource(this);
    data_score->setFieldRule(QStringLiteral("試合日"), TypedDate, DateRefused);
    DBG_Score = new DBGrid(this);
    DBG_Score->setDataSource(data_score);
    QStringList fields{QStringLiteral("選手名"), QStringLiteral("試合日"), QStringLiteral("シーズンID"), QStringLiteral("試合"),
                       QStringLiteral("ｹﾞｰﾑ"),  QStringLiteral("優Ｐ"),   QStringLiteral("入賞"),       QStringLiteral("S10"),
                       QStringLiteral("競技点")};
    fields << ballColumns(QStringLiteral("M")) << QStringLiteral("会場名");
    for (int f = 1; f <= 9; ++f) fields << QStringLiteral("s%1").arg(f);
    DBG_Score->setColumns(fields);
    const char* const captions[] = {"選手名", "Date", "Ss", "St", "G", "P", "入賞", "素", "競"};
    for (int c = 0; c < 40; ++c) DBG_Score->setCaption(c, QString());
    for (int c = 0; c < 9; ++c) DBG_Score->setCaption(c, QString::fromUtf8(captions[c]));
    const QStringList marks = scorebook::markCaptions();
    for (int k = 0; k <= 20; ++k) DBG_Score->setCaption(9 + k, marks[k]);
    DBG_Score->setCaption(30, QStringLiteral("会場名"));
    DBG_Score->gridModel()->setColumnFormat(1, ShortDate);
    const int widths[] = {96, 80, 26, 26, 20, 24, 40, 30, 30};
    for (int c = 0; c < 40; ++c) DBG_Score->setColumnWidth(c, c < 9 ? widths[c] : c < 30 ? 22 : c == 30 ? 72 : 30);
    const int row = fontMetrics().height() + 3;
    DBG_Score->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBG_Score->verticalHeader()->setDefaultSectionSize(row);
    DBG_Score->verticalHeader()->setFixedWidth(12);
    DBG_Score->horizontalHeader()->setFixedHeight(row);
    DBG_Score->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);  // its room is always kept, so rows stay whole
    for (DBGrid* g : {DBG_Score, DBG_Sensyu}) g->horizontalHeader()->setHighlightSections(false);
    DBG_Sensyu->verticalHeader()->setDefaultSectionSize(row);
    DBG_Sensyu->verticalHeader()->setFixedWidth(12);
    DBG_Sensyu->setCaption(0, QStringLiteral("ID"));
    DBG_Sensyu->setColumnWidth(0, 30);
    DBG_Sensyu->setColumnWidth(1, 74);
    DBG_Score->move(0, twips(GridTopWithPins));

    connect(data_score, &DataSource::currentChanged, this, [this](int r) { listMoved(r); });
    connect(data_score, &DataSource::error, this, [](const QString& why) {
        MsgBox(why == DateRefused ? why : db::isInUse(why) ? db::inUseMessage() : QStringLiteral("入力した値を記録できませんでした。"));
    });
    connect(Data_Sensyu, &DataSource::currentChanged, this, [this] { playerMoved(); });
    connect(DBG_Sensyu, &QAbstractItemView::clicked, this, [this] { DBG_Sensyu_Click(); });
    connect(data_srs, &DataSource::currentChanged, this, [this] {
        Txt_Siai[0]->setText(data_srs->text(QStringLiteral("シーズンID")));
        Lbl_Siai[0]->setText(data_srs->text(QStringLiteral("シーズン名")));
    });
    connect(Data_Siai, &DataSource::currentChanged, this, [this] {
        Txt_Siai[1]->setText(Data_Siai->text(QStringLiteral("試合ID")));
        Lbl_Siai[1]->setText(ShortDate(Data_Siai->value(QStringLiteral("試合日"))));
        Lbl_Siai[2]->setText(Data_Siai->text(QStringLiteral("シーズンID")));
        Lbl_Siai[3]->setText(Data_Siai->text(QStringLiteral("試合")));
    });

    QMenu* file = addMenu(QStringLiteral("ファイル(&F)"));
    menu_text = addEntry(file, QStringLiteral("テキストで出力(&T)"), [this] { Cmd_Prn_Click(1); });
    menu_html = addEntry(file, QStringLiteral(" ＨＴＭＬ で出力(&H)"), [this] { Cmd_Prn_Click(2); });
    menu_print = addEntry(file, QStringLiteral("印刷（プリンタへ出力）(&P)"), [this] { Cmd_Prn_Click(0); });
    file->addSeparator();
    menu_del[0] = addEntry(file, QStringLiteral("　　　　 レコードの削除"), [this] { Cmd_OK_Click(1); });
    menu_del[1] = addEntry(file, QStringLiteral("表示全レコードの削除"), [this] { Cmd_OK_Click(3); });
    file->addSeparator();
    menu_off = addEntry(file, QStringLiteral("戻る(&X)"), [this] { Cmd_OK_Click(2); });
    menu_view = addMenuCommand(QStringLiteral("表示する(&V)"), [this] { Cmd_OK_Click(0); });
    menu_h = addMenuCommand(QStringLiteral("ヘルプ(&H)"), [this] { menu_h_Click(); });

    // Nothing is listed yet: the list's buttons wait for a Show; the choice starts on everything
    // when the window loads.
    for (QAction* a : {menu_del[0], menu_del[1], menu_print, menu_text, menu_html}) a->setEnabled(false);
    Opt_score[0]->setChecked(true);
}

void Form_Score::Form_Load() {
    namespace keys = settings::keys;
    restorePosition(QStringLiteral("score"));
    setWidth(CSng(settings::read(keys::ScoreBookWidth)).value_or(MinWidth));
    setHeight(CSng(settings::read(keys::ScoreBookHeight)).value_or(5880));
    chk_pin->setChecked(settings::readFlag(keys::ScoreBookPins));
    DBG_Score->move(0, twips(chk_pin->isChecked() ? GridTopWithPins : GridTopWithoutPins));
    db::ensureOpen();
    Data_Sensyu->Refresh();
    data_srs->Refresh();
    Data_Siai->Refresh();
    Opt_score_Click(0);
    runResize();
}

void Form_Score::Form_Activate() {
    forms::hideWaiting();
    // The choices show what the tables hold now, on the same rows; the chosen player stays chosen.
    rereading_ = true;
    for (auto [ds, key] : {std::pair{Data_Sensyu, "選手ID"}, std::pair{data_srs, "シーズンID"}, std::pair{Data_Siai, "試合ID"}}) {
        const QString field = QString::fromUtf8(key);
        const QVariant current = ds->value(field);
        ds->Refresh();
        const db::Recordset& rs = ds->recordset();
        const int at = rs.FieldIndex(field);
        for (int row = 0; current.isValid() && row < rs.RecordCount(); ++row)
            if (rs.valueAt(row, at) == current) {
                ds->setCurrentRow(row);
                break;
            }
    }
    rereading_ = false;
    // Back to the row that was current when the score-card page was asked for, once, and only when
    // that request was this window's; a row deleted since leaves the list where it is.
    if (handOff_ && Module1::HtmlCallerTag == HandOffTag) {
        const int row = data_score->recordset().rowOfBookmark(Module1::HtmlCallerBookmark);
        if (row >= 0) data_score->setCurrentRow(row);
    }
    handOff_ = false;
}

void Form_Score::Form_Deactivate() {
    namespace keys = settings::keys;
    settings::save(keys::ScoreBookWidth, CStr(Width()));
    settings::save(keys::ScoreBookHeight, CStr(Height()));
    savePosition(QStringLiteral("score"));
    settings::saveFlag(keys::ScoreBookPins, chk_pin->isChecked());
}

void Form_Score::Form_QueryUnload(bool& cancel, int unloadMode) {
    if (unloadMode != vbFormControlMenu) return;
    cancel = true;  // the close box only hides the window, as 戻る does
    closeWindow();
}

void Form_Score::Form_Resize() {
    const double width = std::max(Width(), MinWidth);
    if (Width() < MinWidth) {
        setWidth(MinWidth);
    } else {
        if (Height() < MinHeight) setHeight(MinHeight);
        // Whole rows only: in the room below its top, the grid is its heading, a whole number of
        // rows, the horizontal scroll bar and its border. Without the room for its heading and one
        // row it is left as it is.
        const int rest = 2 * DBG_Score->frameWidth() + DBG_Score->horizontalHeader()->height() +
                         DBG_Score->horizontalScrollBar()->sizeHint().height();
        const int rowPixels = DBG_Score->verticalHeader()->defaultSectionSize();
        const int rows = (height() - DBG_Score->y() - 1 - rest) / rowPixels;
        if (rows > 0) DBG_Score->resize(DBG_Score->width(), rest + rows * rowPixels);
    }
    DBG_Score->resize(twips(width - 150), DBG_Score->height());
    Cmd_OK[2]->move(twips(width - 2330), Cmd_OK[2]->y());
}

scorebook::Selection Form_Score::selection() const {
    return {Txt_Sensyu->text(), GamesMode, Txt_Siai[0]->text(), Txt_Siai[1]->text()};
}

void Form_Score::hideListButtons() { setShown({Cmd_Prn[0], Cmd_Prn[1], Cmd_Prn[2], Cmd_OK[1], Cmd_OK[3], cmd_html_score}, false); }

void Form_Score::Cmd_OK_Click(int Index) {
    Cmd_Prn[0]->setVisible(Chk_Prn->isChecked());
    Cmd_Prn[0]->setEnabled(Chk_Prn->isChecked());
    switch (Index) {
        case 0: showList(); break;
        case 1: deleteCurrent(); break;
        case 2: closeWindow(); break;
        case 3: deleteAll(); break;
        default: break;
    }
}

void Form_Score::showList() {
    db::ensureOpen();
    const scorebook::Filter filter = scorebook::filterOf(selection());
    data_score->setRecordSource(scorebook::listSql(filter));
    data_score->setOptions(scorebook::listOptions(filter));
    data_score->Refresh();
    if (data_score->recordset().RecordCount() > 0) {
        setShown({Cmd_OK[1], Cmd_OK[3], cmd_html_score, Cmd_Prn[1], Cmd_Prn[2]}, true);
        menu_del[0]->setEnabled(true);
        menu_del[1]->setEnabled(true);
        Printer::instance().KillDoc();
        if (Chk_Prn->isChecked()) composePrintout();
        menu_text->setEnabled(true);
        menu_html->setEnabled(true);
    }
    DBG_Score->show();
    DBG_Score->raise();
    DBG_Score->setFocus();
}

void Form_Score::composePrintout() {
    forms::showWaiting();
    Printer& printer = Printer::instance();
    printer.KillDoc();
    printer.setZoom(80);
    scorebook::composePrintout(data_score->recordset(), [&printer](const scorebook::PrintLine& line) { printer.PrintLine(line); });
    Cmd_Prn[0]->show();
    menu_print->setEnabled(true);
    forms::hideWaiting();
}

void Form_Score::Cmd_Prn_Click(int Index) {
    switch (Index) {
        case 0: {
            Cmd_Prn[0]->setEnabled(false);
            if (!Printer::instance().hasDocument()) return;
            QString where;
            if (!Printer::instance().EndDoc(QStringLiteral("スコアブック"), &where)) {
                // The printout is still there to be sent again.
                Cmd_Prn[0]->setEnabled(true);
                MsgBox(QStringLiteral("印刷できませんでした。"));
            }
            else if (where.endsWith(QStringLiteral(".pdf")))
                MsgBox(QStringLiteral("プリンタが設定されていないため、PDFファイルに出力しました。\r") + where);
            break;
        }
        case 1: forms::get<Form_file>().Show(); break;
        case 2: forms::show(QStringLiteral("Form_HTML")); break;
        default: break;
    }
}

void Form_Score::cmd_html_score_Click() {
    scorebook::handToScoreCards(HandOffTag, data_score->recordset());
    handOff_ = true;
    forms::show(QStringLiteral("Form_HTML_ALL"));
}

void Form_Score::deleteCurrent() {
    const int row = data_score->currentRow();
    if (MsgBox(QStringLiteral("１件のデータを\rデータベースから削除します。\rよろしいですか？"), Confirm) != vbYes) return;
    if (MsgBox(StopIt, Confirm) != vbYes || row < 0) return;
    const scorebook::Deletion done = scorebook::deleteGames({data_score->recordset().keyValue(row)});
    if (db::isInUse(done.error)) {  // nothing was deleted
        MsgBox(db::inUseMessage(), vbExclamation);
        return;
    }
    Module1::DataRecordCount -= done.deleted;
    // The game that followed becomes current, or the new last one.
    data_score->Refresh();
    const int count = data_score->recordset().RecordCount();
    if (count > 0) data_score->setCurrentRow(std::min(row, count - 1));
    if (!done.error.isEmpty()) MsgBox(QStringLiteral("データを削除できませんでした。"));
}

void Form_Score::deleteAll() {
    if (MsgBox(QStringLiteral("現在表示中の全データを\rデータベースから削除します。\rよろしいですか？"), Confirm) != vbYes) return;
    if (MsgBox(StopIt, Confirm) != vbYes) return;
    const db::Recordset& list = data_score->recordset();
    QVector<QVariant> ids;
    for (int r = 0; r < list.RecordCount(); ++r) ids << list.keyValue(r);
    forms::showWaiting();
    const scorebook::Deletion done = scorebook::deleteGames(ids);
    forms::hideWaiting();
    // Another program holding the database: nothing was deleted, and the list stays as it was.
    if (db::isInUse(done.error) && done.deleted == 0) {
        MsgBox(db::inUseMessage(), vbExclamation);
        return;
    }
    Cmd_OK[1]->hide();
    Cmd_OK[3]->hide();
    menu_del[0]->setEnabled(false);
    menu_del[1]->setEnabled(false);
    Module1::DataRecordCount -= done.deleted;
    data_score->Refresh();  // what is left, for the pages that read the list
    DBG_Score->hide();
    QString message = QString::number(done.deleted) + QStringLiteral("件のデータを削除しました。");
    if (!done.error.isEmpty()) message += QStringLiteral("\r残りのデータは削除できませんでした。");
    MsgBox(message, vbOKOnly);
}

void Form_Score::closeWindow() {
    Printer::instance().KillDoc();
    Hide();
}

void Form_Score::listMoved(int row) {
    if (row < 0) return;
    txt_ID->setText(data_score->text(QStringLiteral("ID")));
    const scorebook::StoredBalls balls = scorebook::readBalls(data_score->value(QStringLiteral("ID")));
    Pins->draw(scorebook::racksOf(balls, Val(data_score->text(QStringLiteral("s10")))), Module1::PinColors);
}

void Form_Score::Opt_score_Click(int Index) {
    DBG_Sensyu->hide();
    Opt_Siai[0]->setChecked(true);
    Opt_Siai_Click(0);
    hideListButtons();
    if (Index == 0) {
        Txt_Sensyu->setText(QStringLiteral("0"));
        txt_sen_name->setText(db::scalar(QStringLiteral("SELECT \"選手名\" FROM \"選手\" WHERE \"選手ID\" = 0")).toString());
    } else {
        DBG_Sensyu->show();
        chosenPlayer_.clear();
        playerMoved();
    }
}

void Form_Score::playerMoved() {
    if (!Opt_score[1]->isChecked() || rereading_) return;
    const QString id = Data_Sensyu->text(QStringLiteral("選手ID"));
    Txt_Sensyu->setText(id);
    txt_sen_name->setText(Data_Sensyu->text(QStringLiteral("選手名")));
    // Another player chosen by the keys is chosen as by a click; a refresh of the same one is not.
    if (!chosenPlayer_.isNull() && id != chosenPlayer_) DBG_Sensyu_Click();
    chosenPlayer_ = id;
}

void Form_Score::DBG_Sensyu_Click() {
    hideListButtons();
    Opt_Siai[0]->setChecked(true);
    Opt_Siai_Click(0);
}

void Form_Score::Opt_Siai_Click(int Index) {
    GamesMode = Index;
    const bool season = Index == 1, match = Index == 2;
    setShown({Txt_Siai[0], Lbl_Siai[0]}, season);
    setShown({Txt_Siai[1], Lbl_Siai[1], Lbl_Siai[2], Lbl_Siai[3], Label1}, match);
    // The navigation chooses the season or match before a Show too, so it stands whenever one is to be chosen.
    Frm_record->setVisible(Index != 0);  // its record buttons with it
    if (season) data_srs->MoveLast();
    if (match) Data_Siai->MoveLast();
}

// Moves by the row's place in its table, whatever the IDs: first, back ten, previous, next, forward ten, last.
void Form_Score::cmd_mov_Click(int Index) {
    DataSource* ds = Opt_Siai[1]->isChecked() ? data_srs : Opt_Siai[2]->isChecked() ? Data_Siai : nullptr;
    if (!ds || ds->currentRow() < 0) return;
    const int n = ds->currentRow(), last = ds->recordset().RecordCount() - 1;
    const int to[] = {0, std::max(n - 10, 0), n - 1, n + 1, std::min(n + 10, last), last};
    if (to[Index] >= 0 && to[Index] <= last) ds->setCurrentRow(to[Index]);
}

void Form_Score::Chk_edit_Click() { DBG_Score->setAllowUpdate(Chk_edit->isChecked()); }

void Form_Score::chk_pin_Click() {
    DBG_Score->move(0, twips(chk_pin->isChecked() ? GridTopWithPins : GridTopWithoutPins));
    if (!chk_pin->isChecked()) DBG_Score->raise();
    runResize();
}

void Form_Score::menu_h_Click() { launcher::openHelp(QStringLiteral("vh_score.htm")); }

}  // namespace vx
