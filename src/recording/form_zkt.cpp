#include "recording/form_zkt.h"
#include "platform/controls.h"
#include <QListWidget>
#include <QMenu>

namespace vx {

Form_ZKT::Form_ZKT() {
    setWindowTitle(QStringLiteral("ポイントのデータ"));
    setClientSizeTwips(4200, 5520);

    Frame1 = frame(this, QStringLiteral("順位と優勝ポイント"), 120, 60, 3960, 4620);
    List_ZKT = place(new QListWidget(Frame1), 120, 330, 3720, 4170);
    // Fixed pitch, so that placings, points and names stand in columns.
    QFont font(QStringLiteral("IPAGothic"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(10);
    List_ZKT->setFont(font);

    Cmd_OK = button(this, QStringLiteral("閉じる (&C)"), 1200, 4800, 1800, 480, [this] { Cmd_OK_Click(); });

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
