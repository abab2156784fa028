#include "shell/form_editorgrid.h"
#include "common/database.h"
#include "common/dialogs.h"
#include "platform/boundgrid.h"
#include "platform/controls.h"
#include "platform/datasource.h"
#include "shell/masterdata.h"
#include <QEvent>
#include <QKeyEvent>

namespace vx {

namespace {
class DeleteQuestion : public QObject {
public:
    DeleteQuestion(DBGrid* grid, std::function<QString(int)> refuse)
        : QObject(grid), grid_(grid), refuse_(std::move(refuse)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != grid_ || event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        // While a cell is edited its editor takes the keys, so a Delete here means the row.
        if (key->key() != Qt::Key_Delete) return false;
        const int row = grid_->currentIndex().row();
        if (!grid_->AllowDelete() || row < 0 || grid_->gridModel()->isNewLine(row)) return false;
        if (refuse_) {
            const QString why = refuse_(row);
            if (!why.isEmpty()) {
                Beep();
                MsgBox(why, vbExclamation);
                return true;
            }
        }
        return MsgBox(masterdata::confirmDeleteMessage(), vbYesNo | vbQuestion | vbDefaultButton2) != vbYes;
    }

private:
    DBGrid* grid_;
    std::function<QString(int)> refuse_;
};
}  // namespace

void GridEditor::setUpEditor(DataSource* data, DBGrid* grid, double backLeft, double backTop, double backWidth) {
    data_ = data;
    grid_ = grid;
    cmd_back = button(this, QStringLiteral("戻　る"), backLeft, backTop, backWidth, 480, [this] { cmd_back_Click(); });
    menu_back = addMenuCommand(QStringLiteral("戻る(&X)"), [this] { cmd_back_Click(); });
}

void GridEditor::Form_Load() {
    restorePosition(positionKey_);
    masterdata::installGuards();
    data_->Refresh();
    grid_->setDataSource(data_);
}

void GridEditor::cmd_back_Click() {
    if (!grid_->commitRow()) return;
    data_->Refresh();
    Unload();
}

void GridEditor::Form_QueryUnload(bool& cancel, int unloadMode) {
    if (unloadMode == vbFormControlMenu && !grid_->commitRow()) cancel = true;
}

void GridEditor::Form_Unload(bool&) { savePosition(positionKey_); }

void confirmDeletes(DBGrid* grid, std::function<QString(int row)> refuse) {
    grid->installEventFilter(new DeleteQuestion(grid, std::move(refuse)));
}

QString refusalText(const QString& databaseError, const QString& fallback) {
    if (db::isInUse(databaseError)) return db::inUseMessage();
    const QString own = masterdata::guardMessage(databaseError);
    return own.isEmpty() ? fallback : own;
}

}  // namespace vx
