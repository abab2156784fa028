#include "recording/form_main.h"
#include "recording/form_data.h"
#include "recording/form_player.h"
#include "common/launcher.h"
#include "common/module1.h"
#include "common/settingskeys.h"
#include "platform/datasource.h"
#include "platform/controls.h"
#include "platform/picturebox.h"
#include "platform/twips.h"
#include "recording/exchange.h"
#include "recording/form_info.h"
#include "recording/form_playerlink.h"
#include "platform/registry.h"
#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

namespace vx {

using M = ScoreEntryModel;

namespace {
// Small pins: 135-twip circles in a 550-twip frame picture (one user unit a twip), pins 7..10 in
// the top row, pin 1 in front.
constexpr double kSmallPinRadius = 67.5;
const std::array<QPointF, 10> kSmallPins = {{
    {275, 477.5}, {207.5, 342.5}, {342.5, 342.5}, {140, 207.5}, {275, 207.5},
    {410, 207.5}, {72.5, 72.5}, {207.5, 72.5}, {342.5, 72.5}, {477.5, 72.5},
}};
// Pin pictures in pin mode, twips within Frame_Mode (pin 1 in front).
const std::array<QPointF, 10> kPinPlaces = {{
    {6200, 1320}, {5960, 960}, {6440, 960}, {5720, 600}, {6200, 600},
    {6680, 600}, {5480, 240}, {5960, 240}, {6440, 240}, {6920, 240},
}};
const std::array<QString, 10> kPinTips = {
    QStringLiteral("１番 (Z)"), QStringLiteral("２番 (A)"), QStringLiteral("３番 (S)"), QStringLiteral("４番 (Ｑ)"),
    QStringLiteral("５番 (W)"), QStringLiteral("６番 (E)"), QStringLiteral("７番 (1)"), QStringLiteral("８番 (2)"),
    QStringLiteral("９番 (3)"), QStringLiteral("10番 (4)")};
const QString kPinKeys = QStringLiteral("zasqwe1234");

QString frameName(int f) {
    static const QString digits = QStringLiteral("０１２３４５６７８９");
    if (f < 9) return QStringLiteral("第") + digits.mid(f + 1, 1) + QStringLiteral("フレーム");
    if (f == 9) return QStringLiteral("第10フレーム");
    return f == 10 ? QStringLiteral("延長フレーム１") : QStringLiteral("延長フレーム２");
}
}  // namespace

QPointF form_main::smallPinCentre(int i) { return kSmallPins[std::size_t(i)]; }

form_main::form_main() {
    setWindowTitle(QStringLiteral("スコア入力"));
    setClientSizeTwips(9600, 4020);
    boxColor_.fill(-1);

    // Who is shown: slot, name, moves between slots and lanes, the game and its moves.
    Txt_junban = new QLineEdit(this);
    place(Txt_junban, 120, 120, 500, 360);
    Txt_SEN = new QLineEdit(QStringLiteral("選手名"), this);
    place(Txt_SEN, 680, 120, 1900, 360);
    showStart(Txt_SEN);
    const Qt::ArrowType senArrows[] = {Qt::UpArrow, Qt::DownArrow, Qt::LeftArrow, Qt::RightArrow};
    const double senLeft[] = {2640, 2990, 3400, 3750};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QToolButton(this);
        b->setArrowType(senArrows[i]);
        b->setAutoRaise(true);
        place(b, senLeft[i], 120, 330, 360);
        connect(b, &QToolButton::clicked, this, [this, i] { Pct_moveSEN_Click(i); });
        Pct_moveSEN[std::size_t(i)] = b;
    }
    for (int i : {0, 4}) {
        auto* l = new QLabel(i == 0 ? QStringLiteral("次の　ゲーム") : QStringLiteral("前の　ゲーム"), this);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignCenter);
        l->installEventFilter(this);
        Label2[std::size_t(i)] = l;
    }
    place(Label2[4], 4260, 60, 660, 480);
    place(Label2[0], 7290, 60, 660, 480);
    for (int i = 0; i < 2; ++i) {
        auto* b = new QToolButton(this);
        b->setArrowType(i == 0 ? Qt::LeftArrow : Qt::RightArrow);
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, [this, i] { Pct_moveGAM_Click(i); });
        Pct_moveGAM[std::size_t(i)] = b;
    }
    place(Pct_moveGAM[0], 4920, 120, 330, 360);
    place(Pct_moveGAM[1], 6930, 120, 330, 360);
    Label_GAM = new QLabel(QStringLiteral("第　　　ｹﾞｰﾑ"), this);
    place(Label_GAM, 5340, 120, 1560, 360);
    Label_GAM->setAlignment(Qt::AlignCenter);
    Txt_GAM = new QLineEdit(this);
    {
        // The game number stands in the blanks of its label.
        const QFontMetrics fm(Label_GAM->font());
        const int textWidth = fm.horizontalAdvance(Label_GAM->text());
        const int start = Label_GAM->x() + (Label_GAM->width() - textWidth) / 2 + fm.horizontalAdvance(QStringLiteral("第"));
        const int blanks = fm.horizontalAdvance(QStringLiteral("　　　"));
        Txt_GAM->setGeometry(start + 1, Label_GAM->y(), blanks - 2, Label_GAM->height());
    }
    for (QLineEdit* e : {Txt_junban, Txt_SEN, Txt_GAM}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
    }
    Txt_junban->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Txt_GAM->setAlignment(Qt::AlignCenter);

    // Ball boxes, score boxes and frame pictures, frame by frame.
    for (int k = 0; k <= 21; ++k) {
        auto* e = new QLineEdit(this);
        e->setReadOnly(true);
        e->setAlignment(Qt::AlignCenter);
        e->setFocusPolicy(Qt::StrongFocus);
        e->setTextMargins(0, 0, 0, 0);
        e->installEventFilter(this);
        Txt_MARK[std::size_t(k)] = e;
        if (k <= 17) place(e, 120 + (k / 2) * 700 + (k % 2) * 350, 660, 350, 360);
        else if (k <= 20) place(e, 6420 + (k - 18) * 350, 660, 350, 360);
    }
    // The box after ball 20 only hands the focus back: it takes no room.
    Txt_MARK[21]->setGeometry(twips(7470), twips(660), 1, 1);
    for (int k = 0; k <= 11; ++k) {
        auto* e = new QLineEdit(this);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Txt_score[std::size_t(k)] = e;
        if (k >= 1 && k <= 9) place(e, 120 + (k - 1) * 700, 1020, 700, 360);
    }
    place(Txt_score[10], 6420, 1020, 795, 360);
    place(Txt_score[11], 7590, 1020, 700, 360);
    place(Txt_score[0], 8685, 1020, 800, 360);
    Txt_score[11]->setFocusPolicy(Qt::StrongFocus);  // a refused move sends the user here
    VSc_T10 = new QScrollBar(Qt::Vertical, this);
    place(VSc_T10, 7215, 1020, 255, 360);
    VSc_T10->setRange(0, 300);
    VSc_Hcp = new QScrollBar(Qt::Vertical, this);
    place(VSc_Hcp, 8310, 660, 255, 720);
    VSc_Hcp->setRange(-100, 200);
    for (QScrollBar* bar : {VSc_T10, VSc_Hcp}) {
        bar->setInvertedAppearance(true);  // the upper arrow raises the figure
        bar->setInvertedControls(false);
        bar->setFocusPolicy(Qt::ClickFocus);
    }
    connect(VSc_Hcp, &QScrollBar::valueChanged, this, [this](int v) { if (!updatingBars_) VSc_Hcp_Change(v); });
    connect(VSc_T10, &QScrollBar::valueChanged, this, [this](int v) { if (!updatingBars_) VSc_T10_Change(v); });
    Label_HDCP = new QLabel(QStringLiteral("HDCP"), this);
    place(Label_HDCP, 7590, 660, 700, 360);
    Label_total = new QLabel(QStringLiteral("合計"), this);
    place(Label_total, 8685, 660, 800, 360);
    for (QLabel* l : {Label_HDCP, Label_total}) l->setAlignment(Qt::AlignCenter);

    for (int f = 0; f <= 11; ++f) {
        auto* p = new PictureBox(this);
        const double left = f <= 8 ? 195 + f * 700 : 6495 + (f - 9) * 580;
        place(p, left, 1440, 550, 550);
        p->setToolTip(frameName(f));
        connect(p, &PictureBox::Click, this, [this, f] { Pct_flame_Click(f); });
        Pct_flame[std::size_t(f)] = p;
    }

    // The entry panel: commands on the left, mark buttons or pins on the right.
    Frame_Mode = new QGroupBox(M::MarkModeCaption, this);
    place(Frame_Mode, 120, 2100, 9365, 1800);
    Cmd_KEISAN = button(Frame_Mode, QStringLiteral("計　算 (&C)"), 120, 240, 1650, 330, [this] { Cmd_KEISAN_Click(); },
                        QStringLiteral("得点計算をします(Alt+C)"));
    Cmd_INFO = button(Frame_Mode, QStringLiteral("チェック"), 1830, 240, 1650, 330, [this] { Cmd_INFO_Click(); });
    Cmd_TOKEI = button(Frame_Mode, QStringLiteral("統計へ (&Save)"), 3540, 240, 1800, 330, [this] { Cmd_TOKEI_Click(); },
                       QStringLiteral("入力を終了し統計処理をします(Alt+E)"));
    Cmd_Mode = button(Frame_Mode, QStringLiteral("入力切替え(&ModeChange)"), 120, 600, 3360, 330, [this] { Cmd_Mode_Click(); },
                      QStringLiteral("入力モードを切り替えます (Alt+M)"));
    Cmd_Kojin = button(Frame_Mode, QStringLiteral("選手情報 (&Info)"), 3540, 600, 1800, 330, [this] { Cmd_Kojin_Click(); },
                       QStringLiteral("入力中の選手情報を見ます(Att+I)"));
    Cmd_CAN[0] = button(Frame_Mode, QStringLiteral("マーク全消去"), 120, 960, 1650, 330, [this] { Cmd_CAN_Click(0); });
    Cmd_CAN[1] = button(Frame_Mode, QStringLiteral("メニューに戻る"), 1830, 960, 1650, 330, [this] { Cmd_CAN_Click(1); });
    const QString ioCaptions[] = {QStringLiteral("出力"), QStringLiteral("入力"), QStringLiteral("自動保存")};
    for (int i = 0; i < 3; ++i)
        Cmd_Data_IO[std::size_t(i)] = button(Frame_Mode, ioCaptions[i], 120 + i * 1160, 1320, 1100, 330, [this, i] { Cmd_Data_IO_Click(i); });

    // Mark buttons as a keypad (mark-mode places).
    struct MarkPlace { int code; double left, top, width; const char16_t* tip; };
    const MarkPlace marks[] = {
        {7, 5480, 240, 450, nullptr},  {8, 5960, 240, 450, nullptr},  {9, 6440, 240, 450, nullptr},
        {10, 6920, 240, 450, u"ストライク (*)"},
        {4, 5480, 600, 450, nullptr},  {5, 5960, 600, 450, nullptr},  {6, 6440, 600, 450, nullptr},
        {20, 6920, 600, 450, u"スペア (/ or P)"},
        {1, 5480, 960, 450, nullptr},  {2, 5960, 960, 450, nullptr},  {3, 6440, 960, 450, nullptr},
        {19, 6920, 960, 450, u"スルー (- or 0)"},
        {0, 5480, 1320, 450, u"ガター (G or 0)"}, {21, 5960, 1320, 450, u"ファウル (F or ピリオド)"},
        {30, 7440, 240, 450, nullptr},
    };
    for (const auto& m : marks) {
        const int code = m.code;
        QPushButton* b = button(Frame_Mode, M::markCaption(code), m.left, m.top, m.width, 330, [this, code] { Cmd_MARK_Click(code); },
                                m.tip ? QString::fromUtf16(m.tip) : QString());
        Cmd_MARK[code] = b;
        if (code != 30) markPlaces_[b] = QPointF(m.left, m.top);
    }
    Cmd_MARK[30]->hide();  // only its caption is used: the mark of a ball not entered
    Cmd_spl = button(Frame_Mode, QStringLiteral("Split"), 6440, 1320, 930, 330, [this] { Cmd_spl_Click(); }, QStringLiteral("スプリット (+)"));
    markPlaces_[Cmd_spl] = QPointF(6440, 1320);
    for (int i = 0; i < 2; ++i) {
        auto* b = new QToolButton(Frame_Mode);
        b->setArrowType(i == 0 ? Qt::LeftArrow : Qt::RightArrow);
        place(b, 7440 + i * 480, 1320, 450, 330);
        connect(b, &QToolButton::clicked, this, [this, i] { cmd_moveflame2_Click(i); });
        cmd_moveflame2[std::size_t(i)] = b;
        markPlaces_[b] = QPointF(7440 + i * 480, 1320);
    }

    // The pin side (pin-mode places given; the mark-mode place is ModeShift further right).
    for (int i = 0; i < 10; ++i) {
        auto* p = new PictureBox(Frame_Mode);
        const QPointF at = kPinPlaces[std::size_t(i)] + QPointF(ModeShift, 0);
        place(p, at.x(), at.y(), 375, 375);
        p->Scale(0, 0, 375, 375);
        p->setToolTip(kPinTips[std::size_t(i)]);
        connect(p, &PictureBox::Click, this, [this, i] { pct_pin_Click(i); });
        pct_pin[std::size_t(i)] = p;
        markPlaces_[p] = at;
    }
    struct MdsPlace { double left, top, width; const char16_t* caption; const char16_t* tip; };
    const MdsPlace mds[] = {
        {7440, 240, 450, nullptr, u"ストライク (X)"}, {7440, 1320, 450, u"", nullptr},
        {7920, 240, 450, u"Ｇ", u"ガター (G)"},      {7440, 600, 450, u"Ｆ", u"ファウル (F)"},
        {7920, 600, 450, u"－", u"スルー (-)"},       {7440, 960, 930, u"Clear", u"ピンをクリアします (C)"},
    };
    for (int i = 0; i < 6; ++i) {
        const auto& d = mds[i];
        QPushButton* b = button(Frame_Mode, d.caption ? QString::fromUtf16(d.caption) : M::markCaption(10), d.left + ModeShift,
                                d.top, d.width, 330, [this, i] { cmd_MDS_Click(i); }, d.tip ? QString::fromUtf16(d.tip) : QString());
        cmd_MDS[std::size_t(i)] = b;
        if (i != 1) markPlaces_[b] = QPointF(d.left + ModeShift, d.top);
    }
    cmd_MDS[1]->hide();  // a button without caption or action
    for (int i = 0; i < 2; ++i) {
        auto* b = new QToolButton(Frame_Mode);
        b->setArrowType(i == 0 ? Qt::LeftArrow : Qt::RightArrow);
        b->setToolTip(i == 0 ? QStringLiteral("左フレームへ (コンマ)") : QStringLiteral("右フレームへ (ドット)"));
        Cmd_moveflame[std::size_t(i)] = b;
    }
    Cmd_moveflame[2] = button(Frame_Mode, QStringLiteral("OK"), 0, 0, 390, 330, {}, QStringLiteral("ピンからそのフレームの得点を計算します"));
    const double flameLeft[] = {7440, 8130, 7725};
    const double flameWidth[] = {270, 270, 390};
    for (int i = 0; i < 3; ++i) {
        const double left = flameLeft[i] + ModeShift;
        place(Cmd_moveflame[std::size_t(i)], left, 1320, flameWidth[i], 330);
        connect(Cmd_moveflame[std::size_t(i)], &QAbstractButton::clicked, this, [this, i] { Cmd_moveflame_Click(i); });
        markPlaces_[Cmd_moveflame[std::size_t(i)]] = QPointF(left, 1320);
    }
    // The focus stays in the ball boxes.
    for (QAbstractButton* b : Frame_Mode->findChildren<QAbstractButton*>()) b->setFocusPolicy(Qt::NoFocus);

    // Menus.
    QMenu* file = addMenu(QStringLiteral("ファイル(&F)"));
    menu_OK = addEntry(file, QStringLiteral("統計へ(&N)"), [this] { Cmd_TOKEI_Click(); });
    file->addSeparator();
    menu_data[0] = addEntry(file, QStringLiteral("データ書き出し"), [this] { Cmd_Data_IO_Click(0); });
    menu_data[1] = addEntry(file, QStringLiteral("データ読み込み"), [this] { Cmd_Data_IO_Click(1); });
    file->addSeparator();
    menu_cancel = addEntry(file, QStringLiteral("メニューに戻る(&X)"), [this] { Cmd_CAN_Click(1); });
    QMenu* edit = addMenu(QStringLiteral("編集(&E)"));
    menu_clear = addEntry(edit, QStringLiteral("マーク全消去"), [this] { Cmd_CAN_Click(0); });
    menu_keisan = addEntry(edit, QStringLiteral("計算"), [this] { Cmd_KEISAN_Click(); });
    menu_input = addEntry(edit, QStringLiteral("入力情報"), [this] { Cmd_INFO_Click(); });
    menu_jofo = addEntry(edit, QStringLiteral("選手情報"), [this] { Cmd_Kojin_Click(); });
    QMenu* move = addMenu(QStringLiteral("移動(&M)"));
    const QString moves[] = {QStringLiteral("一人　前へ"), QStringLiteral("一人　後へ"), QStringLiteral("一列　前へ"),
                              QStringLiteral("一列　後へ")};
    for (int i = 0; i < 4; ++i)
        menu_move[std::size_t(i)] = addEntry(move, moves[i], [this, i] { Pct_moveSEN_Click(i); });
    move->addSeparator();
    menu_game[0] = addEntry(move, QStringLiteral("１ゲーム　前へ"), [this] { Pct_moveGAM_Click(0); });
    menu_game[1] = addEntry(move, QStringLiteral("１ゲーム　後へ"), [this] { Pct_moveGAM_Click(1); });
    menu_h = addMenuCommand(QStringLiteral("ヘルプ(&H)"), [this] { menu_h_Click(); });

    // Keys reach the window first, whichever control has the focus.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    model().setListener(this);
    applyModeLayout();
}

form_main::~form_main() { model().setListener(nullptr); }

// ---------------------------------------------------------------- life cycle

namespace {
// What the data-file import needs of the entry windows.
class EntryWindowsOfTheDay final : public exchange::EntryWindows {
public:
    void hideEntryWindows() override {
        if (form_main* m = forms::loaded<form_main>()) m->Hide();
        if (Form_Player* p = forms::loaded<Form_Player>()) p->Hide();
    }
    void showEntryWindows() override {
        forms::get<form_main>().Show();
        if (Form_Player* p = forms::loaded<Form_Player>()) p->Show();
    }
    void laneGridChanged() override {
        if (Form_Player* p = forms::loaded<Form_Player>()) p->layoutLaneGrid();
    }
    void playersAdded() override {
        if (Form_Player* p = forms::loaded<Form_Player>()) p->Data_Sensyu->Refresh();
    }
    void showWaiting() override { forms::showWaiting(); }
    void hideWaiting() override { forms::hideWaiting(); }
    QString clipboardText() override {
        const QClipboard* c = QGuiApplication::clipboard();
        return c ? c->text() : QString();
    }
};
EntryWindowsOfTheDay entryWindows;
}  // namespace

void form_main::Form_Load() {
    restorePosition(QStringLiteral("main"));
    model().setFrameModeCaption(M::MarkModeCaption);
    if (!settings::readFlag(settings::keys::EntryMode)) model().Cmd_Mode_Click();
    model().INIT();
    refresh();
    exchange::setEntryWindows(&entryWindows);
    exchange::offerRecovery();
}

void form_main::Form_Activate() {
    model().Form_Activate();
    afterHandler();
}

void form_main::Form_Unload(bool&) {
    savePosition(QStringLiteral("main"));
    settings::saveFlag(settings::keys::EntryMode, model().markMode());
}

// ---------------------------------------------------------------- handlers

void form_main::Cmd_MARK_Click(int Index) { settleFirst(); model().Cmd_MARK_Click(Index); afterHandler(); }
void form_main::Cmd_spl_Click() { settleFirst(); model().Cmd_spl_Click(); afterHandler(); }
void form_main::Cmd_KEISAN_Click() { settleFirst(); model().Cmd_KEISAN_Click(); afterHandler(); }
void form_main::Cmd_INFO_Click() { settleFirst(); model().Cmd_INFO_Click(); afterHandler(); }
void form_main::Cmd_TOKEI_Click() { settleFirst(); model().Cmd_TOKEI_Click(); afterHandler(); }
void form_main::cmd_MDS_Click(int Index) { settleFirst(); model().cmd_MDS_Click(Index); afterHandler(); }
void form_main::Cmd_moveflame_Click(int Index) { settleFirst(); model().Cmd_moveflame_Click(Index); afterHandler(); }
void form_main::cmd_moveflame2_Click(int Index) { settleFirst(); model().cmd_moveflame2_Click(Index); afterHandler(); }
void form_main::pct_pin_Click(int Index) { settleFirst(); model().pct_pin_Click(Index); afterHandler(); }
void form_main::Pct_flame_Click(int Index) { settleFirst(); model().Pct_flame_Click(Index); afterHandler(); }
void form_main::Pct_moveGAM_Click(int Index) { settleFirst(); model().Pct_moveGAM_Click(Index); afterHandler(); }
void form_main::Pct_moveSEN_Click(int Index) { settleFirst(); model().Pct_moveSEN_Click(Index); afterHandler(); }
void form_main::Txt_MARK_Click(int Index) { settleFirst(); model().Txt_MARK_Click(Index); afterHandler(); }
void form_main::VSc_Hcp_Change(int value) { settleFirst(); model().VSc_Hcp_Change(value); afterHandler(); }
void form_main::VSc_T10_Change(int value) { settleFirst(); model().VSc_T10_Change(value); afterHandler(); }
void form_main::New_score() { settleFirst(); model().New_score(); afterHandler(); }

void form_main::Cmd_Mode_Click() {
    settleFirst();
    model().Cmd_Mode_Click();
    applyModeLayout();
    afterHandler();
}

void form_main::Cmd_Kojin_Click() { showPlayerRecords(); }

void form_main::Cmd_Data_IO_Click(int Index) {
    settleFirst();
    exchange::Cmd_Data_IO_Click(Index);
    afterHandler();
}

void form_main::Cmd_CAN_Click(int Index) {
    settleFirst();
    const bool agreed = model().Cmd_CAN_Click(Index);
    if (Index == 1 && agreed) {
        unloadPlayersWindow();
        Unload();
        forms::showStartMenu();
        return;
    }
    afterHandler();
}

void form_main::menu_h_Click() { launcher::openHelp(QStringLiteral("vh_mark.htm")); }

// ---------------------------------------------------------------- listener

void form_main::infoShown() { forms::get<Form_INFO>().Show(); }

// The list must stand while the user is asked about it, not only once the question is answered.
void form_main::infoChanged() {
    if (Form_INFO* info = forms::loaded<Form_INFO>()) info->refresh();
}

void form_main::laneCellSelected(int row, int col) { selectLaneCell(row, col); }

void form_main::backupRequested() { exchange::Cmd_Data_IO_Click(2); }

void form_main::inputEnded() {
    Hide();
    hidePlayersWindow();
    if (Form_INFO* info = forms::loaded<Form_INFO>()) info->Hide();
    showResultsWindow();
}

void form_main::selectLaneCell(int row, int col) {
    if (Form_Player* p = forms::loaded<Form_Player>()) p->setCursor(row, col);
}
void form_main::hidePlayersWindow() {
    if (Form_Player* p = forms::loaded<Form_Player>()) p->Hide();
}
void form_main::unloadPlayersWindow() { forms::unload<Form_Player>(); }
void form_main::showResultsWindow() { forms::get<Form_Data>().Show(); }


// The individual records on the current slot's player. The window's first load turns it to all
// players, so one player is set only after it has loaded; an empty slot leaves it as it stands.
void form_main::showPlayerRecords() {
    Form* records = forms::open(QStringLiteral("Form_Kojin"));
    if (!records) return;
    const std::size_t slot = std::size_t(std::max<int>(Module1::CurPlayer, 0));
    const bool placed = slot < Module1::PlayerIds.size() && slot < Module1::PlayerNames.size();
    const int id = placed ? Module1::PlayerIds[slot] : -1;
    auto* link = dynamic_cast<PlayerRecordsLink*>(records);
    if (link && id >= 0 && link->openOnPlayer(id, Module1::PlayerNames[slot].str())) Module1::AllPlayersFlag = 0;
    records->Show();
}

// ---------------------------------------------------------------- deferred focus and drawing

void form_main::afterHandler() {
    if (settlePending_) return;
    settlePending_ = true;
    QTimer::singleShot(0, this, [this] { settleFirst(); });
}

// Keys typed ahead come before the previous key's focus move has run: each key must find the
// cursor where the previous one left it.
void form_main::settleFirst() {
    if (settlePending_) settle();
}

void form_main::settle() {
    settlePending_ = false;
    model().processPendingFocus();
    refresh();
    moveRealFocus();
}

void form_main::moveRealFocus() {
    const int target = model().focused();
    QWidget* w = nullptr;
    if (target >= 0 && target <= 21) w = Txt_MARK[std::size_t(target)];
    else if (target == M::FocusHcpBox) w = Txt_score[11];
    if (!w || w->hasFocus()) return;
    syncingFocus_ = true;
    giveFocus(w);  // only while this window is the active one
    syncingFocus_ = false;
}

void form_main::setBoxColor(QLineEdit* box, std::int32_t color) {
    box->setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: black; }"
                                      "QLineEdit:focus { border: 2px solid #1e5bd6; }")
                           .arg(vbColor(color).name()));
}

void form_main::refresh() {
    ScoreEntryModel& m = model();
    for (int k = 0; k <= 21; ++k) {
        QLineEdit* box = Txt_MARK[std::size_t(k)];
        if (box->text() != m.markText(k)) box->setText(m.markText(k));
        if (boxColor_[std::size_t(k)] != m.markBackColor(k)) {
            boxColor_[std::size_t(k)] = m.markBackColor(k);
            setBoxColor(box, m.markBackColor(k));
        }
    }
    for (int k = 0; k <= 11; ++k) Txt_score[std::size_t(k)]->setText(m.scoreText(k));
    Txt_SEN->setText(m.playerNameText());
    Txt_GAM->setText(m.gameNumberText());
    Txt_junban->setText(m.slotNumberText());
    updatingBars_ = true;
    VSc_Hcp->setValue(m.hcpBarValue());
    VSc_T10->setValue(m.t10BarValue());
    updatingBars_ = false;

    Cmd_MARK[10]->setText(M::markCaption(10));
    Cmd_MARK[20]->setText(M::markCaption(20));
    cmd_MDS[0]->setText(M::markCaption(10));
    Frame_Mode->setTitle(m.frameModeCaption());
    applyModeLayout();

    for (int f = 0; f <= 11; ++f) {
        Pct_flame[std::size_t(f)]->setVisible(f <= 9 || m.frameVisible(f));
        drawFrame(f);
    }
    for (int i = 0; i < 10; ++i) drawPin(i);

    if (Form_INFO* info = forms::loaded<Form_INFO>()) info->refresh();
}

void form_main::drawFrame(int f) {
    const ScoreEntryModel& m = model();
    QString key = QString::number(m.frameBackColor(f));
    for (int i = 0; i < 10; ++i) key += QLatin1Char(',') + QString::number(m.shapeColor(f * 10 + i));
    if (frameKey_[std::size_t(f)] == key) return;
    frameKey_[std::size_t(f)] = key;
    PictureBox* p = Pct_flame[std::size_t(f)];
    p->Scale(0, 0, 550, 550);
    p->setBackColor(m.frameBackColor(f));
    p->setFillStyle(PictureBox::FillSolid);
    for (int i = 0; i < 10; ++i) {
        p->setFillColor(m.shapeColor(f * 10 + i));
        const QPointF c = kSmallPins[std::size_t(i)];
        p->Circle(c.x(), c.y(), kSmallPinRadius, 0x808080);
    }
}

void form_main::drawPin(int i) {
    const ScoreEntryModel& m = model();
    const int state = m.pinPictureState(i);
    const QString file = m.pinPictureFile(i);
    const QString key = QString::number(state) + QLatin1Char('|') + file;
    if (pinKey_[std::size_t(i)] == key) return;
    pinKey_[std::size_t(i)] = key;
    PictureBox* p = pct_pin[std::size_t(i)];
    p->setBackColor(0xFFFFFF);
    if (!file.isEmpty() && p->LoadPicture(file)) return;
    // Without the picture file: a plain pin in the colour of its state, with its number.
    p->setFillStyle(PictureBox::FillSolid);
    p->setFillColor(Module1::PinColors[std::size_t(std::clamp(state, 0, 2))]);
    p->Circle(187, 187, 150, 0x404040);
    QFont small = p->font();
    small.setPixelSize(10);
    p->setFont(small);
    const QString number = QString::number(i + 1);
    p->CurrentX = 187 - p->toUserWidth(QFontMetrics(small).horizontalAdvance(number)) / 2;
    p->CurrentY = 187 - p->toUserWidth(QFontMetrics(small).height()) / 2;
    p->setForeColor(0);
    p->Print(number);
}

void form_main::applyModeLayout() {
    const bool pin = model().pinMode();
    auto isPinSide = [this](QWidget* w) {
        for (PictureBox* p : pct_pin) if (p == w) return true;
        for (QPushButton* b : cmd_MDS) if (b == w) return true;
        for (QAbstractButton* b : Cmd_moveflame) if (b == w) return true;
        return false;
    };
    for (auto& [w, at] : markPlaces_) {
        const bool pinSide = isPinSide(w);
        // Mark side moves right in pin mode, pin side moves left; each is usable only in its mode.
        const double shift = !pin ? 0 : (pinSide ? -ModeShift : ModeShift);
        w->move(twips(at.x() + shift), twips(at.y()));
        w->setVisible(pinSide == pin);
    }
}

// ---------------------------------------------------------------- keys and focus

bool form_main::eventFilter(QObject* watched, QEvent* event) {
    // The window's menus are its children too: the keys that go to an open menu are the menu's alone.
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() != window())
        return Form::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* e = static_cast<QKeyEvent*>(event);
            if (e->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return false;
            const QString t = e->text();
            if (t.isEmpty() || !t.at(0).isPrint()) return false;
            handleKeyPress(t);
            return true;  // every character key is the window's
        }
        case QEvent::KeyRelease: {
            auto* e = static_cast<QKeyEvent*>(event);
            if (e->isAutoRepeat()) return false;
            return handleKeyRelease(e->key(), e->modifiers());
        }
        case QEvent::FocusIn: {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (syncingFocus_ || reason == Qt::OtherFocusReason || reason == Qt::ActiveWindowFocusReason) break;
            for (int k = 0; k <= 21; ++k)
                if (watched == Txt_MARK[std::size_t(k)]) {
                    model().requestFocus(k);
                    afterHandler();
                }
            break;
        }
        case QEvent::MouseButtonRelease: {
            for (int k = 0; k <= 21; ++k)
                if (watched == Txt_MARK[std::size_t(k)]) Txt_MARK_Click(k);
            if (watched == Label2[0]) Pct_moveGAM_Click(1);
            if (watched == Label2[4]) Pct_moveGAM_Click(0);
            break;
        }
        default:
            break;
    }
    return Form::eventFilter(watched, event);
}

void form_main::handleKeyPress(const QString& text) {
    const QChar c = text.at(0);
    if (model().markMode()) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) Cmd_MARK_Click(c.digitValue());
        else if (c == QLatin1Char('/') || c.toLower() == QLatin1Char('p')) Cmd_MARK_Click(20);
        else if (c == QLatin1Char('*')) Cmd_MARK_Click(10);
        else if (c == QLatin1Char('-')) Cmd_MARK_Click(19);
        else if (c.toLower() == QLatin1Char('f')) Cmd_MARK_Click(21);
        else if (c.toLower() == QLatin1Char('g')) Cmd_MARK_Click(0);
        else if (c == QLatin1Char('+')) Cmd_spl_Click();
    } else if (model().pinMode()) {
        const QChar l = c.toLower();
        if (l == QLatin1Char('g')) cmd_MDS_Click(2);
        else if (c == QLatin1Char('-')) cmd_MDS_Click(4);
        else if (l == QLatin1Char('f')) cmd_MDS_Click(3);
        else if (c == QLatin1Char('*') || l == QLatin1Char('x')) cmd_MDS_Click(0);
        else if (l == QLatin1Char('c')) cmd_MDS_Click(5);
        else if (c == QLatin1Char(',')) Cmd_moveflame_Click(0);
        else if (c == QLatin1Char('.')) Cmd_moveflame_Click(1);
        else if (kPinKeys.contains(l)) pct_pin_Click(int(kPinKeys.indexOf(l)));
    }
}

bool form_main::handleKeyRelease(int key, Qt::KeyboardModifiers mods) {
    // Only a plain key or Shift with it counts; Ctrl or Alt makes a combination that does nothing.
    mods &= ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier) {
        switch (key) {
            case Qt::Key_PageUp: Pct_moveGAM_Click(1); return true;
            case Qt::Key_PageDown: Pct_moveGAM_Click(0); return true;
            case Qt::Key_Up: Pct_moveSEN_Click(0); return true;
            case Qt::Key_Down: Pct_moveSEN_Click(1); return true;
            case Qt::Key_Left: Pct_moveSEN_Click(2); return true;
            case Qt::Key_Right: Pct_moveSEN_Click(3); return true;
            default: return false;
        }
    }
    if (mods != Qt::ShiftModifier || (key != Qt::Key_Left && key != Qt::Key_Right)) return false;
    const int index = key == Qt::Key_Left ? 0 : 1;
    if (model().markMode()) cmd_moveflame2_Click(index);
    else if (model().pinMode()) Cmd_moveflame_Click(index);
    return true;
}

}  // namespace vx
