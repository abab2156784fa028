#include "shell/form_newplayer.h"
#include "common/dialogs.h"
#include "platform/boundgrid.h"
#include "platform/datasource.h"
#include "platform/controls.h"
#include "shell/masterdata.h"
#include <QHeaderView>
#include <QLineEdit>
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

Form_NewPlayer::Form_NewPlayer() : GridEditor(QStringLiteral("np")) {
    setWindowTitle(QStringLiteral("選手の登録"));
    setClientSizeTwips(9600, 5040);

    Data_Sensyu = new DataSource(this);
    Data_Sensyu->setRecordSource(QStringLiteral("選手"));
    DBG_Sensyu = place(new DBGrid(this), 120, 120, 9360, 4200);
    DBG_Sensyu->setItemDelegate(new PlayerDelegate(DBG_Sensyu));
    connect(Data_Sensyu, &DataSource::error, this, [this](const QString& e) { DBG_Sensyu_Error(e); });
    setUpEditor(Data_Sensyu, DBG_Sensyu, 7920, 4440, 1560);
}

void Form_NewPlayer::Form_Load() {
    GridEditor::Form_Load();
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

}  // namespace vx
