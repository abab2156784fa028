#include "recording/form_zkt.h"
#include "platform/twips.h"
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

namespace vx {

Form_ZKT::Form_ZKT() {
    setWindowTitle(QStringLiteral("ポイントのデータ"));
    setClientSizeTwips(4200, 5520);

    Frame1 = new QGroupBox(QStringLiteral("順位と優勝ポイント"), this);
    Frame1->setGeometry(twips(120), twips(60), twips(3960), twips(4620));
    List_ZKT = new QListWidget(Frame1);
    List_ZKT->setGeometry(twips(120), twips(330), twips(3720), twips(4170));
    // Fixed pitch, so that placings, points and names stand in columns.
    QFont font(QStringLiteral("IPAGothic"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(10);
    List_ZKT->setFont(font);

    Cmd_OK = new QPushButton(QStringLiteral("閉じる (&C)"), this);
    Cmd_OK->setGeometry(twips(1200), twips(4800), twips(1800), twips(480));
    connect(Cmd_OK, &QPushButton::clicked, this, [this] { Cmd_OK_Click(); });

    QMenu* file = addMenu(QStringLiteral("ファイル(&F)"));
    addEntry(file, QStringLiteral("閉じる(&X)"), [this] { menu_off_Click(); });
}

void Form_ZKT::Form_Load() { restorePosition(QStringLiteral("zkt")); }

void Form_ZKT::Form_Unload(bool&) { savePosition(QStringLiteral("zkt")); }

void Form_ZKT::setList(const QStringList& lines) {
    List_ZKT->clear();
    List_ZKT->addItems(lines);
}

void Form_ZKT::Cmd_OK_Click() { Unload(); }

void Form_ZKT::menu_off_Click() { Cmd_OK_Click(); }

}  // namespace vx
