#include "recording/form_info.h"
#include "platform/controls.h"
#include "recording/scoreentry_model.h"
#include <QPlainTextEdit>

namespace vx {

Form_INFO::Form_INFO() {
    setWindowTitle(QStringLiteral("入力情報"));
    setClientSizeTwips(7200, 2880);
    Txt_INFO = new QPlainTextEdit(this);
    Txt_INFO->setReadOnly(true);
    Txt_INFO->setGeometry(twips(120), twips(120), twips(6960), twips(2100));
    Cmd_OK = button(this, QStringLiteral("閉じる (&C)"), 5640, 2340, 1440, 420, [this] { Cmd_OK_Click(); });
    menu_off = addMenuCommand(QStringLiteral("閉じる(&X)"), [this] { Cmd_OK_Click(); });
}

void Form_INFO::Form_Load() { restorePosition(QStringLiteral("info")); }

void Form_INFO::Form_Unload(bool&) {
    savePosition(QStringLiteral("info"));
    scoreEntry().Form_INFO_Cmd_OK_Click();
}

void Form_INFO::Cmd_OK_Click() {
    scoreEntry().Form_INFO_Cmd_OK_Click();
    refresh();
    Hide();
}

void Form_INFO::refresh() {
    // Lines end in CR LF; the box breaks lines at LF only.
    QString text = scoreEntry().infoText();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (Txt_INFO->toPlainText() != text) Txt_INFO->setPlainText(text);
}

}  // namespace vx
