#include "shell/form_srs.h"
#include "common/dialogs.h"
#include "platform/boundgrid.h"
#include "platform/datasource.h"
#include "platform/twips.h"
#include "shell/form_editorgrid.h"
#include "shell/masterdata.h"
#include <QHeaderView>
#include <QPushButton>

namespace vx {

form_srs::form_srs() {
    setWindowTitle(QStringLiteral("シーズンの設定"));
    setClientSizeTwips(6600, 4560);

    data_srs = new DataSource(this);
    data_srs->setRecordSource(QStringLiteral("シーズン"));
    DBG_srs = new DBGrid(this);
    DBG_srs->setGeometry(twips(120), twips(120), twips(6360), twips(3720));
    connect(data_srs, &DataSource::error, this, [this](const QString& e) { DBG_srs_Error(e); });

    cmd_back = new QPushButton(QStringLiteral("戻　る"), this);
    cmd_back->setGeometry(twips(4920), twips(3960), twips(1560), twips(480));
    connect(cmd_back, &QPushButton::clicked, this, [this] { cmd_back_Click(); });
    menu_back = addMenuCommand(QStringLiteral("戻る(&X)"), [this] { cmd_back_Click(); });
}

void form_srs::Form_Load() {
    restorePosition(QStringLiteral("srs"));
    masterdata::installGuards();
    data_srs->Refresh();
    DBG_srs->setDataSource(data_srs);
    DBG_srs->setColumns({QStringLiteral("シーズンID"), QStringLiteral("シーズン時期"), QStringLiteral("シーズン名")});
    DBG_srs->setAllowAddNew(true);
    DBG_srs->setAllowUpdate(true);
    DBG_srs->setAllowDelete(true);
    DBG_srs->setColumnWidth(0, twips(1200));
    DBG_srs->setColumnWidth(1, twips(1800));
    DBG_srs->horizontalHeader()->setStretchLastSection(true);
    confirmDeletes(DBG_srs);
}

void form_srs::DBG_srs_Error(const QString& databaseError) {
    MsgBox(refusalText(databaseError, QStringLiteral("error")));
}

void form_srs::cmd_back_Click() {
    if (!DBG_srs->commitRow()) return;
    data_srs->Refresh();
    Unload();
}

void form_srs::Form_QueryUnload(bool& cancel, int unloadMode) {
    if (unloadMode == vbFormControlMenu && !DBG_srs->commitRow()) cancel = true;
}

void form_srs::Form_Unload(bool&) { savePosition(QStringLiteral("srs")); }

}  // namespace vx
