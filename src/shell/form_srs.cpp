#include "shell/form_srs.h"
#include "common/dialogs.h"
#include "platform/boundgrid.h"
#include "platform/datasource.h"
#include "platform/controls.h"
#include <QHeaderView>

namespace vx {

form_srs::form_srs() : GridEditor(QStringLiteral("srs")) {
    setWindowTitle(QStringLiteral("シーズンの設定"));
    setClientSizeTwips(6600, 4560);

    data_srs = new DataSource(this);
    data_srs->setRecordSource(QStringLiteral("シーズン"));
    DBG_srs = place(new DBGrid(this), 120, 120, 6360, 3720);
    connect(data_srs, &DataSource::error, this, [this](const QString& e) { DBG_srs_Error(e); });
    setUpEditor(data_srs, DBG_srs, 4920, 3960, 1560);
}

void form_srs::Form_Load() {
    GridEditor::Form_Load();
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

}  // namespace vx
