#include "shell/form_newplayer.h"
#include "common/dialogs.h"
#include "platform/boundgrid.h"
#include "platform/datasource.h"
#include "platform/twips.h"
#include "shell/form_editorgrid.h"
#include "shell/masterdata.h"
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace vx {

namespace {
const QStringList Columns = {QStringLiteral("選手ID"), QStringLiteral("選手名"), QStringLiteral("初参加"),
                             QStringLiteral("誕生日"), QStringLiteral("アドレス"), QStringLiteral("本名")};

bool reservedRow(const DataSourceModel* m, int row) {
    return !m->isNewLine(row) && m->data(m->index(row, 0)).toString() == QLatin1String("0");
}

// The reserved row opens no editor; an ID that is no whole number goes in as no ID at all,
// which the database then refuses with its message when the row is stored.
class PlayerDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (reservedRow(static_cast<const DataSourceModel*>(index.model()), index.row())) {
            Beep();
            MsgBox(masterdata::reservedRowMessage(), vbExclamation);
            return nullptr;
        }
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (index.column() == 0 && line) {
            bool whole = false;
            line->text().trimmed().toLongLong(&whole);
            if (!whole) {
                model->setData(index, QString());
                return;
            }
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
};
}  // namespace

Form_NewPlayer::Form_NewPlayer() {
    setWindowTitle(QStringLiteral("選手の登録"));
    setClientSizeTwips(9600, 5040);

    Data_Sensyu = new DataSource(this);
    Data_Sensyu->setRecordSource(QStringLiteral("選手"));
    DBG_Sensyu = new DBGrid(this);
    DBG_Sensyu->setGeometry(twips(120), twips(120), twips(9360), twips(4200));
    DBG_Sensyu->setItemDelegate(new PlayerDelegate(DBG_Sensyu));
    connect(Data_Sensyu, &DataSource::error, this, [this](const QString& e) { DBG_Sensyu_Error(e); });

    cmd_back = new QPushButton(QStringLiteral("戻　る"), this);
    cmd_back->setGeometry(twips(7920), twips(4440), twips(1560), twips(480));
    connect(cmd_back, &QPushButton::clicked, this, [this] { cmd_back_Click(); });
    menu_back = addMenuCommand(QStringLiteral("戻る(&X)"), [this] { cmd_back_Click(); });
}

void Form_NewPlayer::Form_Load() {
    restorePosition(QStringLiteral("np"));
    masterdata::installGuards();
    Data_Sensyu->Refresh();
    DBG_Sensyu->setDataSource(Data_Sensyu);
    DBG_Sensyu->setColumns(Columns);
    DBG_Sensyu->setAllowAddNew(true);
    DBG_Sensyu->setAllowUpdate(true);
    DBG_Sensyu->setAllowDelete(true);
    DBG_Sensyu->horizontalHeader()->setStretchLastSection(true);
    DBG_Sensyu->setColumnWidth(0, twips(900));
    DBG_Sensyu->setColumnWidth(1, twips(1800));
    confirmDeletes(DBG_Sensyu, [this](int row) {
        return reservedRow(DBG_Sensyu->gridModel(), row) ? masterdata::reservedRowMessage() : QString();
    });
}

void Form_NewPlayer::DBG_Sensyu_Error(const QString& databaseError) {
    MsgBox(refusalText(databaseError, QStringLiteral("error")));
}

void Form_NewPlayer::cmd_back_Click() {
    if (!DBG_Sensyu->commitRow()) return;
    Data_Sensyu->Refresh();
    Unload();
}

void Form_NewPlayer::Form_QueryUnload(bool& cancel, int unloadMode) {
    // The close box stores the pending row as the back button does, and stays open when refused.
    if (unloadMode == vbFormControlMenu && !DBG_Sensyu->commitRow()) cancel = true;
}

void Form_NewPlayer::Form_Unload(bool&) { savePosition(QStringLiteral("np")); }

}  // namespace vx
