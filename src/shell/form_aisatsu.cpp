#include "shell/form_aisatsu.h"
#include "common/launcher.h"
#include "platform/twips.h"
#include "shell/form_emblem.h"
#include "shell/form_version.h"
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace vx {

const QString HomePageAddress = QStringLiteral("https://www.example.org/vorlix/");

Form_Aisatsu::Form_Aisatsu() {
    setWindowTitle(QStringLiteral("　ごあいさつ"));
    setClientSizeTwips(7200, 4200);
    Picture1 = new QLabel(this);
    Picture1->setGeometry(twips(240), twips(240), twips(1560), twips(2040));
    Picture1->setPixmap(drawnEmblem(Picture1->size()));

    auto label = [this](int i, const QString& text, double l, double t, double w, double h) {
        Label1[i] = new QLabel(text, this);
        Label1[i]->setGeometry(twips(l), twips(t), twips(w), twips(h));
        Label1[i]->setWordWrap(true);
        Label1[i]->installEventFilter(this);
    };
    label(0, QStringLiteral("　ボウリングのスコア入力や、データ分析のためのソフトウェアです。作者がボウリングのデータ集計をしていて、欲しいなぁ、と思った機能に絞って作成しました。"),
          2040, 240, 4920, 1200);
    label(2, QStringLiteral("　作者への連絡方法"), 2040, 1560, 4920, 300);
    label(3, QStringLiteral("　電子メール： vorlix@example.org"), 2040, 1860, 4920, 300);
    label(4, QStringLiteral("　Vorlixの           ホームページ"), 2040, 2280, 4920, 300);
    label(5, HomePageAddress, 2040, 2580, 4920, 300);
    for (int i : {4, 5}) {
        Label1[i]->setCursor(Qt::PointingHandCursor);
        Label1[i]->setStyleSheet(QStringLiteral("color: #0000C0; text-decoration: underline;"));
    }

    Cmd_OK = new QPushButton(QStringLiteral("わかった (&C)"), this);
    Cmd_OK->setGeometry(twips(2040), twips(3240), twips(2160), twips(600));
    cmd_version = new QPushButton(QStringLiteral("バージョン (&V)"), this);
    cmd_version->setGeometry(twips(4440), twips(3240), twips(2160), twips(600));
    connect(Cmd_OK, &QPushButton::clicked, this, [this] { Cmd_OK_Click(); });
    connect(cmd_version, &QPushButton::clicked, this, [this] { cmd_version_Click(); });

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
