#include "shell/form_start.h"
#include "common/appdir.h"
#include "common/launcher.h"
#include "common/module1.h"
#include "platform/controls.h"
#include "platform/mdiframe.h"
#include "platform/registry.h"
#include "shell/form_emblem.h"
#include "shell/form_aisatsu.h"
#include "shell/form_hdcp.h"
#include "shell/form_newplayer.h"
#include "shell/form_settei.h"
#include "shell/form_srs.h"
#include "shell/form_version.h"
#include "shell/startup.h"
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

namespace vx {

Form_Start::Form_Start() {
    setWindowTitle(QStringLiteral("　メニュー画面"));
    setMouseTracking(true);
    setClosable(false);  // the start menu closes with the main window only
    setClientSizeTwips(7380, 2700);

    Picture1 = place(new QLabel(this), 120, 120, 1500, 1750);
    Picture1->setPixmap(drawnEmblem(Picture1->size()));
    Picture1->setAttribute(Qt::WA_TransparentForMouseEvents);

    // Three rows of three: the middle column is wider than the outer two.
    const double colLeft[] = {1740, 3420, 5295};
    const double colWidth[] = {1620, 1815, 1620};
    const double rowTop[] = {120, 730, 1340};
    auto grid = [&](const QString& caption, int row, int col, void (Form_Start::*click)()) {
        return button(this, caption, colLeft[col], rowTop[row], colWidth[col], 550, [this, click] { (this->*click)(); });
    };
    Cmd_OK = grid(QStringLiteral("スコア入力 (&I)"), 0, 0, &Form_Start::Cmd_OK_Click);
    Cmd_Seiseki = grid(QStringLiteral("統計成績 (&A)"), 0, 1, &Form_Start::Cmd_Seiseki_Click);
    Cmd_siaiSeiseki = grid(QStringLiteral("試合単位統計(&U)"), 0, 2, &Form_Start::Cmd_siaiSeiseki_Click);
    Cmd_Settei = grid(QStringLiteral("設　定 (&D)"), 1, 0, &Form_Start::Cmd_Settei_Click);
    Cmd_Kojin = grid(QStringLiteral("個人記録 (&P)"), 1, 1, &Form_Start::Cmd_Kojin_Click);
    Cmd_sokuho = grid(QStringLiteral("試合速報作成 (&N)"), 1, 2, &Form_Start::Cmd_sokuho_Click);
    Cmd_Edit = grid(QStringLiteral("データ編集 (&E)"), 2, 0, &Form_Start::Cmd_Edit_Click);
    Cmd_Score = grid(QStringLiteral("スコアブック (&S)"), 2, 1, &Form_Start::Cmd_Score_Click);
    Cmd_End = grid(QStringLiteral("終　了 (&C)"), 2, 2, &Form_Start::Cmd_End_Click);
    Command1 = button(this, QStringLiteral("Command1"), 6975, 120, 300, 550, [this] { Command1_Click(); });

    QLabel* caption = label(this, QStringLiteral("登録データ"), 3420, 2040, 1200, 360);
    Lbl_all_data = label(this, QStringLiteral("0"), 4620, 2040, 1320, 360);
    Lbl_all_data->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QLabel* unit = label(this, QStringLiteral("件"), 6000, 2040, 360, 360);
    for (QLabel* l : {caption, Lbl_all_data, unit}) l->setAttribute(Qt::WA_TransparentForMouseEvents);

    QMenu* file = addMenu(QStringLiteral("ファイル(&F)"));
    addEntry(file, QStringLiteral("スコア入力(&I)"), [this] { Cmd_OK_Click(); });
    file->addSeparator();
    addEntry(file, QStringLiteral("環境設定(&C)"), [this] { Cmd_Settei_Click(); });
    file->addSeparator();
    addEntry(file, QStringLiteral("終了(&X)"), [this] { Cmd_End_Click(); });

    QMenu* db = addMenu(QStringLiteral("データベース(&D)"));
    addEntry(db, QStringLiteral("統計成績(&S)"), [this] { Cmd_Seiseki_Click(); });
    addEntry(db, QStringLiteral("個人成績(&K)"), [this] { Cmd_Kojin_Click(); });
    addEntry(db, QStringLiteral("スコアブック(&B)"), [this] { Cmd_Score_Click(); });
    db->addSeparator();
    addEntry(db, QStringLiteral("試合ごとの統計(&T)"), [this] { Cmd_siaiSeiseki_Click(); });
    addEntry(db, QStringLiteral("試合速報作成(&N)"), [this] { Cmd_sokuho_Click(); });
    db->addSeparator();
    addEntry(db, QStringLiteral("　選　手　名　　の追加・変更"), [this] { menu_add_Click(0); });
    addEntry(db, QStringLiteral("シーズン　名　の追加・変更"), [this] { menu_add_Click(1); });
    addEntry(db, QStringLiteral("ハンデキャップの追加・変更"), [this] { menu_add_Click(2); });

    QMenu* other = addMenu(QStringLiteral("その他(&A)"));
    addEntry(other, QStringLiteral("ごあいさつ(&A)"), [this] { Form_Click(); });
    addEntry(other, QStringLiteral("ホームページ(&H)"), [this] { menu_hp_Click(); });
    addEntry(other, QStringLiteral("バージョン情報(&V)"), [] { forms::get<Form_version>().Show(); });

    addMenuCommand(QStringLiteral("ヘルプ(&H)"), [this] { menu_help_Click(); });
}

std::array<QPushButton*, 9> Form_Start::mainButtons() const {
    return {Cmd_OK, Cmd_Settei, Cmd_Edit, Cmd_Seiseki, Cmd_Kojin, Cmd_Score, Cmd_siaiSeiseki, Cmd_sokuho, Cmd_End};
}

void Form_Start::setButtonsEnabled(bool on) {
    for (QPushButton* b : mainButtons()) b->setEnabled(on);
}

void Form_Start::Form_Load() {
    restorePosition(QStringLiteral("start"));
    Module1::DataRecordCount = 0;
    Module1::DataRecordCount = startup::countGameRows();
    Lbl_all_data->setText(QString::number(Module1::DataRecordCount));
}

void Form_Start::Form_Activate() { Lbl_all_data->setText(QString::number(Module1::DataRecordCount)); }

void Form_Start::Form_Deactivate() { setButtonsEnabled(false); }

void Form_Start::Form_MouseMove() { setButtonsEnabled(true); }

void Form_Start::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove();
    Form::mouseMoveEvent(event);
}

void Form_Start::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Form_Click();
    Form::mouseReleaseEvent(event);
}

void Form_Start::Form_Click() { forms::get<Form_Aisatsu>().Show(); }

void Form_Start::Cmd_OK_Click() {
    Hide();
    // The record editor keeps what was typed into its game as it closes.
    if (Form* editor = forms::loadedByName(QStringLiteral("Form_edit"))) editor->Unload();
    forms::show(QStringLiteral("Form_Siai"));
}

void Form_Start::Cmd_Settei_Click() { forms::get<Form_Settei>().Show(); }

void Form_Start::menu_add_Click(int index) {
    switch (index) {
        case 0: forms::get<Form_NewPlayer>().Show(); break;
        case 1: forms::get<form_srs>().Show(); break;
        case 2: forms::get<form_HDCP>().Show(); break;
        default: break;
    }
}

// The windows these buttons open are added with their own subsystems.
void Form_Start::Cmd_Seiseki_Click() { forms::show(QStringLiteral("Form_Seiseki")); }
void Form_Start::Cmd_siaiSeiseki_Click() { forms::show(QStringLiteral("Form_siaiSeiseki")); }
void Form_Start::Cmd_sokuho_Click() { forms::show(QStringLiteral("Form_sokuho")); }
void Form_Start::Cmd_Edit_Click() { forms::show(QStringLiteral("Form_edit")); }
void Form_Start::Cmd_Score_Click() { forms::show(QStringLiteral("Form_Score")); }

void Form_Start::Cmd_Kojin_Click() {
    forms::showWaiting();
    forms::show(QStringLiteral("Form_Kojin"));
}

void Form_Start::Command1_Click() { forms::show(QStringLiteral("Form_ana_kojin")); }

void Form_Start::Cmd_End_Click() {
    if (MdiFrame* frame = MdiFrame::instance()) frame->close();
}

void Form_Start::menu_help_Click() { launcher::openHelp(QStringLiteral("vh_menu.htm")); }

void Form_Start::menu_hp_Click() { launcher::openWith(launcher::browserCommandLine(), HomePageAddress); }

}  // namespace vx
