#include "shell/form_aisatsu.h"
#include "common/launcher.h"
#include "platform/controls.h"
#include "shell/form_emblem.h"
#include "shell/form_version.h"
#include <QEvent>
#include <QLabel>
#include <QMenu>

namespace vx {

const QString HomePageAddress = QStringLiteral("https://www.example.org/vorlix/");

Form_Aisatsu::Form_Aisatsu() {
    setWindowTitle(QStringLiteral("　ごあいさつ"));
    setClientSizeTwips(7200, 4200);
    Picture1 = place(new QLabel(this), 240, 240, 1560, 2040);
    Picture1->setPixmap(drawnEmblem(Picture1->size()));

    auto text = [this](int i, const QString& caption, double l, double t, double w, double h) {
        Label1[i] = label(this, caption, l, t, w, h);
        Label1[i]->setWordWrap(true);
        Label1[i]->installEventFilter(this);
    };
    text(0, QStringLiteral("　ボウリングのスコア入力や、データ分析のためのソフトウェアです。作者がボウリングのデータ集計をしていて、欲しいなぁ、と思った機能に絞って作成しました。"),
         2040, 240, 4920, 1200);
    text(2, QStringLiteral("　作者への連絡方法"), 2040, 1560, 4920, 300);
    text(3, QStringLiteral("　電子メール： vorlix@example.org"), 2040, 1860, 4920, 300);
    text(4, QStringLiteral("　Vorlixの           ホームページ"), 2040, 2280, 4920, 300);
    text(5, HomePageAddress, 2040, 2580, 4920, 300);
    for (int i : {4, 5}) {
        Label1[i]->setCursor(Qt::PointingHandCursor);
        Label1[i]->setStyleSheet(QStringLiteral("color: #0000C0; text-decoration: underline;"));
    }

    Cmd_OK = button(this, QStringLiteral("わかった (&C)"), 2040, 3240, 2160, 600, [this] { Cmd_OK_Click(); });
    cmd_version = button(this, QStringLiteral("バージョン (&V)"), 4440, 3240, 2160, 600, [this] { cmd_version_Click(); });

    addMenuCommand(QStringLiteral("戻る"), [this] { Cmd_OK_Click(); });
    addMenuCommand(QStringLiteral("バージョン情報"), [this] { cmd_version_Click(); });
}

void Form_Aisatsu::Form_Load() { restorePosition(QStringLiteral("aisatu")); }

void Form_Aisatsu::Form_Unload(bool&) { savePosition(QStringLiteral("aisatu")); }

void Form_Aisatsu::Cmd_OK_Click() { Unload(); }

void Form_Aisatsu::cmd_version_Click() { forms::get<Form_version>().Show(); }

void Form_Aisatsu::Label1_Click(int index) {
    if (index == 4 || index == 5) launcher::openWith(launcher::browserCommandLine(), HomePageAddress);
}

bool Form_Aisatsu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease)
        for (int i = 0; i < int(Label1.size()); ++i)
            if (Label1[i] == watched) Label1_Click(i);
    return Form::eventFilter(watched, event);
}

}  // namespace vx
