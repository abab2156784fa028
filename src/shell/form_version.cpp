#include "shell/form_version.h"
#include "platform/twips.h"
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace vx {

QString versionText() {
    return QString::number(VORLIX_VERSION_MAJOR) + QLatin1Char('.') + QString::number(VORLIX_VERSION_MINOR) +
           QString::number(VORLIX_VERSION_PATCH);
}

Form_version::Form_version() {
    setWindowTitle(QStringLiteral("  Version"));
    setClientSizeTwips(4800, 2100);
    Label1 = new QLabel(QStringLiteral("ボウリング データ入力・統計"), this);
    Label1->setGeometry(twips(360), twips(240), twips(4080), twips(360));
    Label2 = new QLabel(QStringLiteral("Vorlix Vorlix Ver "), this);
    Label2->setGeometry(twips(360), twips(720), twips(4080), twips(360));
    Cmd_OK = new QPushButton(QStringLiteral("Ｏ　Ｋ (&Save)"), this);
    Cmd_OK->setGeometry(twips(1560), twips(1320), twips(1680), twips(480));
    connect(Cmd_OK, &QPushButton::clicked, this, [this] { Cmd_OK_Click(); });
    addMenuCommand(QStringLiteral("戻る"), [this] { Cmd_OK_Click(); });
}

void Form_version::Form_Load() {
    restorePosition(QStringLiteral("version"));
    Label2->setText(Label2->text() + versionText());
}

void Form_version::Cmd_OK_Click() { Unload(); }

void Form_version::Form_Unload(bool&) { savePosition(QStringLiteral("version")); }

}  // namespace vx
