#include "shell/form_version.h"
#include "platform/controls.h"
#include <QLabel>
#include <QMenu>

namespace vx {

QString versionText() {
    return QString::number(VORLIX_VERSION_MAJOR) + QLatin1Char('.') + QString::number(VORLIX_VERSION_MINOR) +
           QString::number(VORLIX_VERSION_PATCH);
}

Form_version::Form_version() {
    setWindowTitle(QStringLiteral("  Version"));
    setClientSizeTwips(4800, 2100);
    Label1 = label(this, QStringLiteral("ボウリング データ入力・統計"), 360, 240, 4080, 360);
    Label2 = label(this, QStringLiteral("Vorlix Vorlix Ver "), 360, 720, 4080, 360);
    Cmd_OK = button(this, QStringLiteral("Ｏ　Ｋ (&Save)"), 1560, 1320, 1680, 480, [this] { Cmd_OK_Click(); });
    addMenuCommand(QStringLiteral("戻る"), [this] { Cmd_OK_Click(); });
}

void Form_version::Form_Load() {
    restorePosition(QStringLiteral("version"));
    Label2->setText(Label2->text() + versionText());
}

void Form_version::Cmd_OK_Click() { Unload(); }

void Form_version::Form_Unload(bool&) { savePosition(QStringLiteral("version")); }

}  // namespace vx
