#include "records/form_file.h"
#include "common/database.h"
#include "common/dialogs.h"
#include "common/module1.h"
#include "platform/controls.h"
#include "records/form_score.h"
#include "records/scoretext.h"
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QMenu>
#include <QPushButton>

namespace vx {

Form_file::Form_file() {
    setWindowTitle(QStringLiteral("ファイルへ出力します"));
    setClientSizeTwips(6120, 1920);
    Label1 = label(this, QStringLiteral("　　ファイルネーム"), 120, 150, 1800);
    Txt_file = textBox(this, 1920, 120, 4080);
    Chk_Kani = place(new QCheckBox(QStringLiteral("簡易出力"), this), 1920, 570, 1800, 300);
    Chk_izon = place(new QCheckBox(QStringLiteral("設定ファイルで指定したマークで出力"), this), 1920, 900, 4080, 300);
    Cmd_OK = place(new QPushButton(QStringLiteral("Ｏ　Ｋ (&S)"), this), 1920, 1350, 1920, 420);
    Cmd_End = place(new QPushButton(QStringLiteral("もどる (&C)"), this), 4080, 1350, 1920, 420);
    Chk_Kani->setChecked(true);
    Chk_izon->hide();
    connect(Chk_Kani, &QCheckBox::clicked, this, [this] { Chk_Kani_Click(); });
    connect(Cmd_OK, &QPushButton::clicked, this, [this] { Cmd_OK_Click(); });
    connect(Cmd_End, &QPushButton::clicked, this, [this] { Cmd_End_Click(); });
    QMenu* file = addMenu(QStringLiteral("ファイル(&F)"));
    menu_out = addEntry(file, QStringLiteral("ファイルへ出力(&P)"), [this] { Cmd_OK_Click(); });
    menu_cancel = addEntry(file, QStringLiteral("やめる(&X)"), [this] { Cmd_End_Click(); });
}

void Form_file::Form_Load() {
    restorePosition(QStringLiteral("file"));
    Txt_file->setText(QDir::currentPath() + QStringLiteral("/data.txt"));
}

void Form_file::Form_Unload(bool&) { savePosition(QStringLiteral("file")); }

void Form_file::Chk_Kani_Click() {
    if (Chk_Kani->isChecked()) Chk_izon->setChecked(false);
    Chk_izon->setVisible(!Chk_Kani->isChecked());
}

void Form_file::Cmd_OK_Click() {
    const Form_Score* book = forms::loaded<Form_Score>();
    const scorebook::Filter filter = scorebook::filterOf(book ? book->selection() : scorebook::Selection{});
    const scorebook::TextOptions options{Chk_Kani->isChecked(), Chk_izon->isChecked(), Module1::MarkTexts};
    const quint64 lockedOut = db::inUseFailures();
    if (!scorebook::writeScoreText(Txt_file->text(), filter, options)) {
        MsgBox(db::inUseFailures() != lockedOut ? db::inUseMessage() : QStringLiteral("ファイル名がおかしいようです。"), vbOKOnly);
        return;
    }
    Unload();
}

void Form_file::Cmd_End_Click() { Unload(); }

}  // namespace vx
