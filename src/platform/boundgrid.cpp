#include "platform/boundgrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTimer>

namespace vx {

DBGrid::DBGrid(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &DBGrid::widenToShownCells);
}

// Only the rows the viewport has room for: the base class would shape up to a thousand rows a
// column (its resize precision), reading and formatting each of them.
void DBGrid::widenToShownCells() {
    if (!model_) return;
    const int rows = model_->rowCount();
    if (rows == 0) return;
    ensurePolished();
    QHeaderView* header = verticalHeader();
    const int height = viewport()->height();
    const int top = std::max(0, header->visualIndexAt(0));
    int bottom = header->visualIndexAt(height);
    if (bottom < 0) bottom = std::min(rows - 1, top + std::max(height, 0) / std::max(header->minimumSectionSize(), 1) + 1);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    for (int c = 0; c < model_->columnCount(); ++c) {
        if (isColumnHidden(c)) continue;
        int need = 0;
        for (int v = top; v <= bottom; ++v) {
            const int r = header->logicalIndex(v);
            if (r < 0 || isRowHidden(r)) continue;
            const QModelIndex index = model_->index(r, c);
            need = std::max(need, itemDelegateForIndex(index)->sizeHint(option, index).width());
        }
        if (showGrid()) ++need;
        if (need > columnWidth(c)) setColumnWidth(c, need);
    }
}

void DBGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    widenToShownCells();  // rows come into view
}

void DBGrid::setDataSource(DataSource* source) {
    if (ds_) disconnect(ds_, nullptr, this, nullptr);
    DataSourceModel* old = model_;
    ds_ = source;
    model_ = source ? new DataSourceModel(source, this) : nullptr;
    setModel(model_);
    delete old;
    if (!source) return;
    connect(source, &DataSource::currentChanged, this, &DBGrid::followSource);
    connect(source, &DataSource::error, this, &DBGrid::error);
    connect(source, &DataSource::wasReset, this, [this] {
        followSource(ds_->currentRow());
        widenToShownCells();
    });
    connect(model_, &QAbstractItemModel::dataChanged, this, &DBGrid::widenToShownCells);
    followSource(source->currentRow());
    widenToShownCells();
}

void DBGrid::setAllowAddNew(bool allow) { if (model_) model_->setAllowAddNew(allow); }
void DBGrid::setAllowUpdate(bool allow) { if (model_) model_->setAllowUpdate(allow); }
void DBGrid::setAllowDelete(bool allow) { if (model_) model_->setAllowDelete(allow); }
bool DBGrid::AllowAddNew() const { return model_ && model_->AllowAddNew(); }
bool DBGrid::AllowUpdate() const { return model_ && model_->AllowUpdate(); }
bool DBGrid::AllowDelete() const { return model_ && model_->AllowDelete(); }

void DBGrid::setColumns(const QStringList& fields) {
    if (model_) model_->setColumns(fields);
}

void DBGrid::setCaption(int column, const QString& caption) {
    if (model_) model_->setCaption(column, caption);
}

void DBGrid::followSource(int row) {
    if (syncing_ || !model_ || row < 0 || row >= model_->rowCount()) return;
    if (currentIndex().row() == row) return;
    syncing_ = true;
    setCurrentIndex(model_->index(row, std::max(currentIndex().column(), 0)));
    syncing_ = false;
}

bool DBGrid::commitRow() {
    if (!model_) return false;
    const int row = currentIndex().row();
    if (state() == QAbstractItemView::EditingState) {
        // Closing the editor writes its text into the pending record.
        // Cell editors live directly on the viewport.
        const auto editors = viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget* editor : editors) {
            if (!editor->isVisible()) continue;
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
    const bool pending = ds_ && ds_->isEditing();
    if (!model_->commitRow()) return false;
    if (pending) Q_EMIT rowCommitted(row);
    return true;
}

void DBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    // The base class first hands an open cell editor's text to the model.
    QTableView::currentChanged(current, previous);
    // While a row is taken out the cursor moves by the old numbering: the data source's own
    // current record, which the grid follows afterwards, is the one that counts.
    if (syncing_ || !model_ || !ds_ || model_->removing()) return;
    if (previous.isValid() && current.row() != previous.row()) {
        const bool pending = ds_->isEditing();
        if (!model_->leaveRow(previous.row())) {
            // Refused: the edit stays pending and the user goes back to correct it.
            const QPersistentModelIndex back = previous;
            QTimer::singleShot(0, this, [this, back] {
                if (!back.isValid()) return;
                syncing_ = true;
                setCurrentIndex(back);
                syncing_ = false;
            });
            return;
        }
        if (pending) Q_EMIT rowCommitted(previous.row());
    }
    if (current.isValid() && !model_->isNewLine(current.row()) && current.row() != ds_->currentRow()) {
        syncing_ = true;
        ds_->setCurrentRow(current.row());
        syncing_ = false;
    }
}

void DBGrid::keyPressEvent(QKeyEvent* event) {
    if (model_ && state() != QAbstractItemView::EditingState) {
        if (event->key() == Qt::Key_Delete && model_->AllowDelete() && currentIndex().isValid()) {
            model_->deleteRow(currentIndex().row());
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Escape && ds_ && ds_->isEditing()) {
            ds_->CancelUpdate();
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

}  // namespace vx
