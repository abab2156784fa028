#include "recording/form_player.h"
#include "platform/controls.h"
#include "recording/form_main.h"
#include "common/appdir.h"
#include "common/convert.h"
#include "common/database.h"
#include "common/dialogs.h"
#include "common/launcher.h"
#include "common/module1.h"
#include "platform/boundgrid.h"
#include "platform/datasource.h"
#include "platform/twips.h"
#include "recording/placement.h"
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>

namespace vx {

// The score-entry window form_main is shown here.
void showScoreEntryWindow() { forms::get<form_main>().Show(); }

namespace {

const QColor HeaderCellColor(0xE0, 0xE0, 0xE0);
// Wide enough for " 1ﾚｰﾝ" in the Japanese font.
constexpr double LaneHeadingWidth = 780;

// A column that shows `widest` whole, between the cell's text margins and beside its grid line.
int columnFor(const QTableView* grid, const QString& widest) {
    const int textMargin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    return grid->fontMetrics().horizontalAdvance(widest) + 2 * textMargin + 1;
}
// A name of 10 full-width characters.
int slotColumnWidth(const QTableView* grid) { return columnFor(grid, QString(10, QChar(0x56FD))); }
// The largest ID or the caption, whichever is wider.
int idColumnWidth(const QTableView* grid) {
    return std::max(columnFor(grid, QStringLiteral("32767")), columnFor(grid, QStringLiteral("選手ID")));
}
}  // namespace

Form_Player::Form_Player() {
    setWindowTitle(QStringLiteral("出場選手登録"));

    label(this, QStringLiteral("選手の選択"), 120, 60, 3000);
    Data_Sensyu = new DataSource(this);
    Data_Sensyu->setRecordSource(QStringLiteral("選手"));
    DBG_Sensyu = new DBGrid(this);
    DBG_Sensyu->setDataSource(Data_Sensyu);
    DBG_Sensyu->verticalHeader()->setDefaultSectionSize(twips(300));
    DBG_Sensyu->verticalHeader()->setMinimumWidth(twips(240));
    DBG_Sensyu->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Wide enough for a five-digit ID and a ten-character name beside its scroll bar; what stands
    // to its right moves over by what it gains.
    const int listWidth = DBG_Sensyu->verticalHeader()->minimumWidth() + idColumnWidth(DBG_Sensyu) + slotColumnWidth(DBG_Sensyu) +
                          DBG_Sensyu->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, DBG_Sensyu) + 2 * DBG_Sensyu->frameWidth();
    const double shift = std::max(0.0, toTwips(listWidth) - 3300);
    DBG_Sensyu->setGeometry(twips(120), twips(360), twips(3300 + shift), twips(2400));

    const double middle = 3540 + shift;
    label(this, QStringLiteral("選手ID"), middle, 360, 1200);
    txt_ID = textBox(this, middle, 660, 1140);
    txt_ID->setEnabled(false);
    VSc_Sen[0] = new QScrollBar(Qt::Vertical, this);
    VSc_Sen[0]->setGeometry(twips(middle + 1140), twips(660), twips(255), twips(330));
    VSc_Sen[0]->setRange(1, 32000);
    VSc_Sen[0]->setEnabled(false);
    label(this, QStringLiteral("選手名"), middle, 1080, 1200);
    Txt_NAME = textBox(this, middle, 1380, 1500);
    showStart(Txt_NAME);
    Txt_NAME->setEnabled(false);
    // The name box too holds ten full-width characters.
    const QFontMetrics nameFont = Txt_NAME->fontMetrics();
    const double nameWidth = std::max(1500.0, toTwips(nameFont.horizontalAdvance(QString(10, QChar(0x56FD))) +
                                                                 2 * (Txt_NAME->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2) + 2));
    Txt_NAME->resize(twips(nameWidth), Txt_NAME->height());
    const double lanes = middle + std::max(1620.0, nameWidth + 120);

    Pct_ADD = button(this, QStringLiteral("→"), middle, 1920, 720, 540, [this] { Pct_ADD_Click(); });
    Pct_can = button(this, QStringLiteral("×"), middle + 780, 1920, 720, 540, [this] { Pct_can_Click(); });
    QFont arrows = Pct_ADD->font();
    arrows.setPointSizeF(arrows.pointSizeF() * 1.6);
    Pct_ADD->setFont(arrows);
    Pct_can->setFont(arrows);

    // Lane grid: row 0 and column 0 are headings, cell (r, c) is slot (r - 1) x 6 + (c - 1).
    Grd_LN = new QTableWidget(this);
    Grd_LN->setGeometry(twips(lanes), twips(360),
                        twips(LaneHeadingWidth) + 6 * slotColumnWidth(Grd_LN) + 2 * Grd_LN->frameWidth(), twips(2400));
    clientWidth_ = std::max(clientWidth_, toTwips(Grd_LN->geometry().right() + 1 + twips(120)));
    setClientSizeTwips(clientWidth_, NormalHeight - 420);
    Grd_LN->horizontalHeader()->hide();
    Grd_LN->verticalHeader()->hide();
    Grd_LN->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grd_LN->setSelectionMode(QAbstractItemView::SingleSelection);
    Grd_LN->setSelectionBehavior(QAbstractItemView::SelectItems);
    Grd_LN->verticalHeader()->setDefaultSectionSize(twips(330));

    Cmd_newPlayer = button(this, QStringLiteral("新人選手追加 (&N)"), 120, 2880, 2400, 420, [this] { Cmd_newPlayer_Click(); });
    Cmd_InpMARK = button(this, QStringLiteral("スコア入力へ (&Go)"), lanes, 2880, 2400, 420, [this] { Cmd_InpMARK_Click(); });
    CmdCANCEL = button(this, QStringLiteral("クリア"), lanes + 2520, 2880, 1200, 420, {});  // no action

    // The entry area below the normal height.
    label(this, QStringLiteral("ハンデ"), 120, 3600, 900);
    Txt_HCP[0] = textBox(this, 1080, 3570, 900);
    VSc_Sen[1] = new QScrollBar(Qt::Vertical, this);
    VSc_Sen[1]->setGeometry(twips(1980), twips(3570), twips(255), twips(330));
    VSc_Sen[1]->setRange(-100, 200);
    const char* okCaptions[] = {"入　力", "入力ＯＫ", "入力中止"};
    const double okLeft[] = {120, 120, 1740};
    for (int i = 0; i < 3; ++i)
        Cmd_OK[std::size_t(i)] = button(this, QString::fromUtf8(okCaptions[i]), okLeft[i], 4080, 1500, 420,
                                        [this, i] { Cmd_OK_Click(i); });
    Cmd_OK[0]->hide();
    Cmd_OK[1]->hide();

    connect(Data_Sensyu, &DataSource::currentChanged, this, [this] { showChosenPlayer(); });
    connect(Data_Sensyu, &DataSource::wasReset, this, [this] {
        // A reset lays the columns out afresh.
        DBG_Sensyu->setColumnWidth(0, idColumnWidth(DBG_Sensyu));
        DBG_Sensyu->setColumnWidth(1, std::max(DBG_Sensyu->columnWidth(1), slotColumnWidth(DBG_Sensyu)));
        showChosenPlayer();
    });
    // Enter on a row places the player as a double-click does, so no mouse is needed.
    connect(DBG_Sensyu, &QAbstractItemView::activated, this, [this] { Pct_ADD_Click(); });
    connect(Grd_LN, &QTableWidget::currentCellChanged, this, [this] { Grd_LN_SelectSlot(); });
    for (int i = 0; i < 2; ++i)
        connect(VSc_Sen[std::size_t(i)], &QScrollBar::valueChanged, this, [this, i] { VSc_Sen_Change(i); });

    menu_score = addMenuCommand(QStringLiteral("スコア入力(&I)"), [this] { Cmd_InpMARK_Click(); });
    menu_h = addMenuCommand(QStringLiteral("ヘルプ(&H)"), [this] { menu_h_Click(); });
}

void Form_Player::applyHeight(double twipsHeight) {
    // The window's height includes its frame; the entry area shows below the normal height.
    QMdiSubWindow* sub = subWindow();
    int frame = twips(420);
    if (sub) {
        const int border = sub->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, sub);
        frame = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub) + 2 * border;
    }
    setFixedSize(twips(clientWidth_), std::max(twips(twipsHeight) - frame, 1));
    if (!sub) return;
    sub->adjustSize();
    // Correct by what the frame really adds.
    if (const int off = sub->height() - twips(twipsHeight)) {
        setFixedSize(twips(clientWidth_), std::max(height() - off, 1));
        sub->adjustSize();
    }
}

void Form_Player::Form_Load() {
    using namespace Module1;
    placement::allocateSlots();
    restorePosition(QStringLiteral("player"));
    CurPlayer = 0;
    applyHeight(NormalHeight);

    layoutLaneGrid();
    setCursor(1, 1);

    db::ensureOpen();
    Data_Sensyu->Refresh();
}

void Form_Player::layoutLaneGrid() {
    using namespace Module1;
    const int rows = LastPlayer / 6 + 2;
    Grd_LN->setColumnCount(7);
    Grd_LN->setRowCount(rows);
    Grd_LN->setColumnWidth(0, twips(LaneHeadingWidth));
    for (int c = 1; c <= 6; ++c) Grd_LN->setColumnWidth(c, slotColumnWidth(Grd_LN));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < 7; ++c) {
            auto* item = new QTableWidgetItem();
            if (r == 0 || c == 0) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(HeaderCellColor);
                item->setTextAlignment(Qt::AlignCenter);
            }
            Grd_LN->setItem(r, c, item);
        }
    for (int c = 1; c <= 6; ++c) Grd_LN->item(0, c)->setText((Str(c) + QStringLiteral("番目")).right(3));
    for (int r = 1; r < rows; ++r) Grd_LN->item(r, 0)->setText(Str(r) + QStringLiteral("ﾚｰﾝ"));
    for (int s = 0; s <= LastPlayer; ++s)
        if (PlayerIds[std::size_t(s)] != placement::EmptySlotId)
            Grd_LN->item(placement::laneOf(s), placement::orderOf(s))->setText(PlayerNames[std::size_t(s)]);
}

void Form_Player::Form_Unload(bool&) { savePosition(QStringLiteral("player")); }

void Form_Player::Form_Deactivate() { placement::handOver(cursorSlot()); }

int Form_Player::cursorRow() const { return Grd_LN->currentRow(); }
int Form_Player::cursorCol() const { return Grd_LN->currentColumn(); }

int Form_Player::cursorSlot() const {
    const int r = cursorRow(), c = cursorCol();
    return r >= 1 && c >= 1 ? placement::slotOf(r, c) : -1;
}

void Form_Player::setCursor(int row, int col) {
    Grd_LN->setCurrentCell(row, col, QItemSelectionModel::ClearAndSelect);
}

void Form_Player::showChosenPlayer() {
    // While entering, the boxes hold what is being typed, not the grid's player.
    if (entry_ != Entry::None) return;
    txt_ID->setText(Data_Sensyu->text(QStringLiteral("選手ID")));
    Txt_NAME->setText(Data_Sensyu->text(QStringLiteral("選手名")));
}

void Form_Player::Grd_LN_SelectSlot() {
    const int s = cursorSlot();
    if (placement::isSlot(s)) Module1::CurPlayer = std::int16_t(s);
}

void Form_Player::Nextcell() {
    const auto [r, c] = placement::nextCell(cursorRow(), cursorCol());
    setCursor(r, c);
}

void Form_Player::Nyuryoku() {
    const int s = cursorSlot();
    if (!placement::seat(s, placement::toInt16(Val(txt_ID->text())), Txt_NAME->text(), PlacingHcp)) {
        Beep();
        return;
    }
    Grd_LN->item(cursorRow(), cursorCol())->setText(Txt_NAME->text());
}

void Form_Player::Pct_ADD_Click() {
    const double id = Val(txt_ID->text());
    if (id < 1) {
        MsgBox(QStringLiteral("この選手は選択することができません"));
        return;
    }
    if (cursorRow() < 1 || cursorCol() < 1) {
        Beep();
        setCursor(0, 0);
        Nextcell();
        return;
    }
    if (Txt_NAME->text().isEmpty()) {
        Nextcell();
        return;
    }
    if (placement::slotTaken(cursorSlot())) {
        Beep();
        MsgBox(QStringLiteral("すでに登録された選手がいます。別の場所をクリックしてから入力し直してください。"));
        setCursor(0, 0);
        return;
    }
    if (placement::slotOfPlayer(placement::toInt16(id)) >= 0) {
        Beep();
        MsgBox(QStringLiteral("この選手はすでに登録されています。"));
        Pct_can_Click();
        return;
    }
    if (const auto hcp = placement::seasonHandicap(Module1::SeasonId, int(placement::toInt16(id)))) {
        PlacingHcp = *hcp;
        Nyuryoku();
        Nextcell();
        return;
    }
    openEntry(Entry::Handicap);
    stepIdBar(int(id));
    VSc_Sen[1]->setValue(-1);
    Txt_HCP[0]->setText(Str(-1));
    MsgBox(QStringLiteral("ハンデを登録してください。"));
    setFocusLater(Txt_HCP[0]);
}

void Form_Player::Pct_can_Click() {
    const int s = cursorSlot();
    if (!placement::isSlot(s)) return;
    Grd_LN->item(cursorRow(), cursorCol())->setText(QString());
    placement::empty(s);
}

void Form_Player::openEntry(Entry kind) {
    entry_ = kind;
    applyHeight(EntryHeight);
    DBG_Sensyu->setEnabled(false);
    Grd_LN->setEnabled(false);
    Cmd_InpMARK->setEnabled(false);
    Cmd_newPlayer->setEnabled(false);
    Pct_ADD->hide();
    Pct_can->hide();
    Cmd_OK[kind == Entry::NewPlayer ? 0 : 1]->show();
    if (kind == Entry::NewPlayer) {
        Txt_NAME->setEnabled(true);
        VSc_Sen[0]->setEnabled(true);
    }
}

void Form_Player::Cmd_newPlayer_Click() {
    const QString noFreeSlot = QStringLiteral("あいている選手枠をクリックしてから登録してください。");
    int r = cursorRow(), c = cursorCol();
    // A new player goes into a free slot cell only; a seated player is never overwritten.
    if (r < 1 || c < 1) {
        MsgBox(noFreeSlot);
        return;
    }
    if (placement::slotTaken(placement::slotOf(r, c))) {
        if (placement::slotOf(r, c) >= Module1::LastPlayer) {
            MsgBox(noFreeSlot);
            return;
        }
        std::tie(r, c) = c < 6 ? std::pair{r, c + 1} : std::pair{r + 1, 1};
        if (placement::slotTaken(placement::slotOf(r, c))) {
            MsgBox(noFreeSlot);
            return;
        }
        setCursor(r, c);
    }
    const std::optional<int> largest = placement::largestPlayerId();
    if (!largest) {
        Beep();
        return;
    }
    openEntry(Entry::NewPlayer);
    txt_ID->setText(QString::number(*largest + 1));
    stepIdBar(*largest + 1);
    Txt_NAME->clear();
    Txt_HCP[0]->setText(QString::number(VSc_Sen[1]->value()));
    setFocusLater(Txt_NAME);
}

void Form_Player::Cmd_OK_Click(int Index) {
    const double hcp = Val(Txt_HCP[0]->text());
    const bool filled = !Txt_NAME->text().isEmpty() && !txt_ID->text().isEmpty() && !Txt_HCP[0]->text().isEmpty();
    const int id = placement::toInt16(Val(txt_ID->text()));
    if (Index == 0) {
        if (entry_ != Entry::NewPlayer) return;
        if (!(hcp > -101 && hcp < 201 && filled)) {
            Beep();
            MsgBox(QStringLiteral("入力条件が満たされていません"));
            setFocusLater(Txt_NAME);
            return;
        }
        if (placement::storeNewPlayer(id, Txt_NAME->text(), Module1::SeasonId, placement::toInt16(hcp)) !=
            placement::StoreResult::Stored) {
            Beep();
            setFocusLater(Txt_NAME);
            return;
        }
        entry_ = Entry::None;
        Data_Sensyu->Refresh();
        Data_Sensyu->MoveLast();
    } else if (Index == 1) {
        if (entry_ != Entry::Handicap) return;
        if (!(hcp > -1000 && hcp < 1000 && filled)) {
            Beep();
            setFocusLater(Txt_HCP[0]);  // the name box is locked during this entry
            return;
        }
        // A handicap that could not be stored is not placed as if it were.
        if (!placement::storeHandicap(id, Module1::SeasonId, placement::toInt16(hcp))) {
            Beep();
            setFocusLater(Txt_HCP[0]);
            return;
        }
    }
    closeEntry(Index);
}

void Form_Player::closeEntry(int Index) {
    entry_ = Entry::None;
    applyHeight(NormalHeight);
    DBG_Sensyu->setEnabled(true);
    Grd_LN->setEnabled(true);
    Cmd_InpMARK->setEnabled(true);
    Cmd_newPlayer->setEnabled(true);
    Pct_ADD->show();
    Pct_can->show();
    Cmd_OK[0]->hide();
    Cmd_OK[1]->hide();
    Txt_NAME->setEnabled(false);
    VSc_Sen[0]->setEnabled(false);
    PlacingHcp = placement::toInt16(Val(Txt_HCP[0]->text()));
    if (Index != 2) {
        Nyuryoku();
        Nextcell();
    } else {
        // Nothing typed in the abandoned entry may be placed later.
        showChosenPlayer();
    }
}

void Form_Player::Cmd_InpMARK_Click() {
    ++ScoreEntryVisits;
    if (ScoreEntryVisits == 1) setCursor(1, 1);
    placement::handOver(cursorSlot());
    showScoreEntryWindow();
}

void Form_Player::stepIdBar(int id) {
    // The bar stops at 32000; clamping a larger ID would put another player's ID into the box.
    QScrollBar* bar = VSc_Sen[0];
    if (id >= bar->minimum() && id <= bar->maximum()) bar->setValue(id);
}

void Form_Player::VSc_Sen_Change(int Index) {
    const QString text = Str(VSc_Sen[std::size_t(Index)]->value());
    if (Index == 0) txt_ID->setText(text);
    else Txt_HCP[0]->setText(text);
}

void Form_Player::menu_h_Click() { launcher::openHelp(QStringLiteral("vh_play.htm")); }

}  // namespace vx
