#include "recording/form_data.h"
#include "recording/form_main.h"
#include "recording/form_player.h"
#include "common/dialogs.h"
#include "common/launcher.h"
#include "common/module1.h"
#include "platform/controls.h"
#include "platform/registry.h"
#include "platform/twips.h"
#include "recording/form_normaldata.h"
#include "recording/form_zkt.h"
#include "recording/storeday.h"
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>

namespace vx {

namespace {

constexpr int vbSystemModal = 4096;

// A button whose caption wraps onto a second line when it does not fit, as long captions did.
class WrappingButton : public QPushButton {
public:
    WrappingButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QStyleOptionButton opt;
        initStyleOption(&opt);
        opt.text.clear();
        style()->drawControl(QStyle::CE_PushButton, &opt, &p, this);
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        p.drawText(rect().adjusted(6, 2, -6, -2), Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, text());
    }
};

void hidePlayersWindow() {
    if (Form_Player* p = forms::loaded<Form_Player>()) p->Hide();
}
void hideScoreEntryWindow() {
    if (form_main* m = forms::loaded<form_main>()) m->Hide();
}
void showPlayersWindow() { forms::get<Form_Player>().Show(); }
void showEntryWindow() { forms::get<form_main>().Show(); }
void unloadPlayersWindow() { forms::unload<Form_Player>(); }
void unloadScoreEntryWindow() { forms::unload<form_main>(); }

}  // namespace

Form_Data::Form_Data() {
    setWindowTitle(QStringLiteral("データ処理"));
    resize(twips(WideWidth), twips(4800));  // client; the window is sized on load

    Frame1 = new QGroupBox(QStringLiteral("表示するデータ"), this);
    Frame1->setGeometry(twips(120), twips(60), twips(1800), twips(1200));
    Chk_Data[0] = new QCheckBox(QStringLiteral(" 一般"), Frame1);
    Chk_Data[0]->setGeometry(twips(180), twips(330), twips(1500), twips(300));
    Chk_Data[1] = new QCheckBox(QStringLiteral("ポイント"), Frame1);
    Chk_Data[1]->setGeometry(twips(180), twips(690), twips(1500), twips(300));

    Frame2 = new QGroupBox(QStringLiteral("表示するデータの集計方法"), this);
    Frame2->setGeometry(twips(2040), twips(60), twips(3420), twips(1200));
    Chk_rule[0] = new QCheckBox(QStringLiteral("ｽﾌﾟﾘｯﾄをｽﾍﾟｱﾐｽに含まない"), Frame2);
    Chk_STSP = new QCheckBox(QStringLiteral("ｽﾄﾗｲｸ･ｽﾍﾟｱ表彰はｹﾞｰﾑ平均値"), Frame2);
    Chk_HCP = new QCheckBox(QStringLiteral("ｱﾍﾞﾚｰｼﾞ･ﾌﾞｰﾋﾞｰはﾊﾝﾃﾞを入れる"), Frame2);
    const std::array<QCheckBox*, 3> rules{Chk_rule[0], Chk_STSP, Chk_HCP};
    for (int i = 0; i < 3; ++i) rules[std::size_t(i)]->setGeometry(twips(150), twips(300 + i * 285), twips(3180), twips(285));
    connect(Chk_HCP, &QCheckBox::toggled, this, [this] { Chk_HCP_Click(); });

    Frame3 = new QGroupBox(QStringLiteral("勝利ポイントのつけ方　"), this);
    Frame3->setGeometry(twips(120), twips(1380), twips(5340), twips(1620));
    Frame4 = new QGroupBox(QStringLiteral("対象"), Frame3);
    Frame4->setGeometry(twips(120), twips(300), twips(2400), twips(1200));
    Frame5 = new QGroupBox(QStringLiteral("計算方法"), Frame3);
    Frame5->setGeometry(twips(2640), twips(300), twips(2580), twips(1200));
    const char16_t* const targets[] = {u"ハンデ込み最高点", u"ハンデなし最高点", u"ハンデなし平均点"};
    const char16_t* const methods[] = {u"上位加重（ＺＫＴ方式）", u"リニア (人数-順位+1)", u"この場で入力する"};
    for (int i = 0; i < 3; ++i) {
        Opt_PntTarget[std::size_t(i)] = new QRadioButton(QString::fromUtf16(targets[i]), Frame4);
        Opt_PntTarget[std::size_t(i)]->setGeometry(twips(150), twips(300 + i * 285), twips(2200), twips(285));
        Opt_PntCalc[std::size_t(i)] = new QRadioButton(QString::fromUtf16(methods[i]), Frame5);
        Opt_PntCalc[std::size_t(i)]->setGeometry(twips(150), twips(300 + i * 285), twips(2380), twips(285));
        connect(Opt_PntCalc[std::size_t(i)], &QRadioButton::clicked, this, [this, i] { Opt_PntCalc_Click(i); });
    }

    // Points per placing, for the typed-in method: beside the options, seen in the wide window.
    for (int i = 0; i < 30; ++i) {
        const int col = i / 15, row = i % 15;
        const double left = 5700 + col * 1380, top = 120 + row * 285;
        QString caption = i < 9 ? QString(QChar(0xFF11 + i)) + QStringLiteral("着") : QString::number(i + 1) + QStringLiteral("着");
        if (i == 29) caption = QStringLiteral("30着       以下");
        Label2[std::size_t(i)] = new QLabel(caption, this);
        Label2[std::size_t(i)]->setGeometry(twips(left), twips(top), twips(i == 29 ? 780 : 600), twips(i == 29 ? 570 : 285));
        Label2[std::size_t(i)]->setWordWrap(i == 29);
        Label2[std::size_t(i)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Txt_Pnt[std::size_t(i)] = new QLineEdit(QStringLiteral("0"), this);
        Txt_Pnt[std::size_t(i)]->setGeometry(twips(left + (i == 29 ? 840 : 660)), twips(top), twips(600), twips(285));
        Txt_Pnt[std::size_t(i)]->setAlignment(Qt::AlignRight);
    }

    Cmd_Data = button(this, QStringLiteral("計算・データ表示 (&D)"), 120, 3180, 2640, 540, [this] { Cmd_Data_Click(); });
    Cmd_File = button(this, QStringLiteral("ファイル書き込み・終了 (&C)"), 2820, 3180, 2640, 540, [this] { Cmd_File_Click(); });
    cmd_back[0] = button<WrappingButton>(this, QStringLiteral("スコア入力に戻る (&B)"), 120, 3840, 2640, 660,
                                         [this] { cmd_back_Click(0); });
    cmd_back[1] = button<WrappingButton>(this, QStringLiteral("今回入力したデータを　消去してメニューに戻る"), 2820, 3840, 2640,
                                         660, [this] { cmd_back_Click(1); });

    QMenu* file = addMenu(QStringLiteral("ファイル(&F)"));
    menu_calc = addEntry(file, QStringLiteral("計算・データ表示(&C)"), [this] { menu_calc_Click(); });
    menu_save = addEntry(file, QStringLiteral("セーブして終了(&S)"), [this] { menu_save_Click(); });
    file->addSeparator();
    menu_back = addEntry(file, QStringLiteral("スコア入力に戻る(&B)"), [this] { menu_back_Click(); });
    file->addSeparator();
    menu_clear = addEntry(file, QStringLiteral("セーブせずに終了(&X)"), [this] { menu_clear_Click(); });
    menu_h = addMenuCommand(QStringLiteral("ヘルプ(&H)"), [this] { menu_h_Click(); });
    setSaveEnabled(false);
}

void Form_Data::Form_Load() {
    using namespace Module1;
    restorePosition(QStringLiteral("data"));
    setHeight(5250);
    setWidth(NarrowWidth);
    Chk_Data[0]->setChecked((ResultDisplayFlags & 1) != 0);
    Chk_Data[1]->setChecked((ResultDisplayFlags >> 1) != 0);
    Chk_rule[0]->setChecked((TallyRuleFlags & 1) != 0);
    Chk_STSP->setChecked((TallyRuleFlags & 2) != 0);
    Chk_HCP->setChecked((TallyRuleFlags >> 2) != 0);
    Chk_HCP_Click();
    if (PointTarget <= 2) Opt_PntTarget[PointTarget]->setChecked(true);
    if (PointMethod <= 2) {
        Opt_PntCalc[PointMethod]->setChecked(true);
        if (PointMethod == 2) Opt_PntCalc_Click(2);
    }
}

void Form_Data::Form_Unload(bool&) { savePosition(QStringLiteral("data")); }

DayOptions Form_Data::options() const {
    DayOptions opt;
    opt.splitNotSpareMiss = Chk_rule[0]->isChecked();
    opt.strikeSparePerGame = Chk_STSP->isChecked();
    opt.averageWithHcp = Chk_HCP->isChecked();
    opt.pointTarget = opt.pointMethod = -1;
    for (int i = 0; i < 3; ++i) {
        if (Opt_PntTarget[std::size_t(i)]->isChecked()) opt.pointTarget = i;
        if (Opt_PntCalc[std::size_t(i)]->isChecked()) opt.pointMethod = i;
    }
    for (std::size_t i = 0; i < Txt_Pnt.size(); ++i) opt.pointTexts[i] = Txt_Pnt[i]->text();
    return opt;
}

void Form_Data::setSaveEnabled(bool on) {
    Cmd_File->setEnabled(on);
    menu_save->setEnabled(on);
}

void Form_Data::Chk_HCP_Click() {
    Opt_PntTarget[2]->setText(Chk_HCP->isChecked() ? QStringLiteral("ハンデ込み平均点") : QStringLiteral("ハンデなし平均点"));
}

void Form_Data::Opt_PntCalc_Click(int index) {
    if (index == 2) setWidth(WideWidth);
}

void Form_Data::Cmd_Data_Click() {
    setWidth(NarrowWidth);
    if (Chk_Data[0]->isChecked()) forms::get<Form_NormalDATA>().Show();
    if (Chk_Data[1]->isChecked()) forms::get<Form_ZKT>().Show();
    const DayCalcResult r = CalculateDay(options());
    if (!r.ok) {
        // Rows left half-calculated must not be stored.
        setSaveEnabled(false);
        MsgBox(r.error, vbExclamation);
        return;
    }
    // Both windows are filled whether they are shown or not.
    forms::get<Form_NormalDATA>().setBoard(r.output.board);
    forms::get<Form_ZKT>().setList(r.output.pointsList);
    setSaveEnabled(true);
}

void Form_Data::Cmd_File_Click() {
    if (!Cmd_File->isEnabled()) return;
    hidePlayersWindow();
    hideScoreEntryWindow();
    forms::showWaiting();
    const StoreDayResult r = StoreDay();
    if (!r.ok) {
        // Nothing was stored: the windows and the backup file stay, and storing can be tried again.
        forms::hideWaiting();
        MsgBox(r.error, vbExclamation);
        return;
    }
    setSaveEnabled(false);
    if (!r.milestones.isEmpty()) MsgBox(r.milestones);
    if (!r.fileError.isEmpty())
        MsgBox(QStringLiteral("記録は保存しましたが、結果ファイルに書き込めませんでした。") + QLatin1Char('\r') + r.fileError,
               vbExclamation);
    forms::hideWaiting();
    MsgBox(r.doneMessage());

    Unload();
    forms::unload<Form_ZKT>();
    forms::unload<Form_NormalDATA>();
    unloadPlayersWindow();
    unloadScoreEntryWindow();
    forms::showStartMenu();
}

void Form_Data::cmd_back_Click(int index) {
    if (index == 0) {
        Unload();
        forms::unload<Form_ZKT>();
        forms::unload<Form_NormalDATA>();
        showPlayersWindow();
        showEntryWindow();
        return;
    }
    const QString question = QStringLiteral("今まで入力したデータを") + QLatin1Char('\r') +
                             QStringLiteral("全部消してメニューへ戻ります。") + QLatin1Char('\r') +
                             QStringLiteral("よろしいですか？");
    if (MsgBox(question, vbYesNo | vbExclamation | vbDefaultButton2 | vbSystemModal) != vbYes) return;
    Unload();
    forms::unload<Form_ZKT>();
    forms::unload<Form_NormalDATA>();
    unloadPlayersWindow();
    unloadScoreEntryWindow();
    forms::showStartMenu();
}

void Form_Data::menu_calc_Click() { Cmd_Data_Click(); }
void Form_Data::menu_save_Click() { Cmd_File_Click(); }
void Form_Data::menu_back_Click() { cmd_back_Click(0); }
void Form_Data::menu_clear_Click() { cmd_back_Click(1); }

void Form_Data::menu_h_Click() { launcher::openHelp(QStringLiteral("vh_tokei.htm")); }

}  // namespace vx
