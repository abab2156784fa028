#include "platform/datasource.h"

#include <QLineEdit>

namespace vx {

namespace {
QString displayText(const QVariant& v) {
    return v.isValid() && !v.isNull() ? v.toString() : QString();
}
}  // namespace

// ---- DataSource ------------------------------------------------------------------------------

DataSource::DataSource(QObject* parent) : QObject(parent) {}

void DataSource::setRecordSource(const QString& source, const QString& key) {
    source_ = source;
    options_.key = key;
    sourceChanged_ = true;
}

void DataSource::setOptions(const db::OpenOptions& options) {
    options_ = options;
    sourceChanged_ = true;
}

bool DataSource::report(bool ok) {
    if (!ok) {
        error_ = rs_.lastError();
        Q_EMIT error(error_);
    }
    return ok;
}

bool DataSource::Refresh() {
    if (isEditing() && !UpdateRecord()) CancelUpdate();
    Q_EMIT aboutToReset();
    bool ok;
    if (sourceChanged_ || !rs_.isOpen()) {
        ok = rs_.open(source_, options_);
        sourceChanged_ = !ok;
    } else {
        ok = rs_.Requery();
    }
    Q_EMIT wasReset();
    Q_EMIT currentChanged(currentRow());
    refreshBound();
    return report(ok);
}

void DataSource::setRecordset(db::Recordset recordset) {
    if (isEditing() && !UpdateRecord()) CancelUpdate();
    Q_EMIT aboutToReset();
    rs_ = std::move(recordset);
    source_ = rs_.source();
    sourceChanged_ = false;
    Q_EMIT wasReset();
    Q_EMIT currentChanged(currentRow());
    refreshBound();
}

int DataSource::currentRow() const {
    return rs_.AbsolutePosition();
}

void DataSource::setFieldRule(const QString& field, FieldRule rule, const QString& message) {
    setFieldRule(field, [rule = std::move(rule), message](const QString& text, QString* why) {
        std::optional<QVariant> v = rule(text);
        if (!v) *why = message;
        return v;
    });
}

void DataSource::setFieldRule(const QString& field, FieldCheck check) { rules_.append({field, std::move(check)}); }

QString DataSource::refusedField() const {
    return isEditing() && !refused_.isEmpty() ? rs_.FieldName(refused_.firstKey()) : QString();
}

bool DataSource::put(int position, const QVariant& value) {
    QVariant v = value;
    QString why;
    for (const Rule& r : rules_) {
        if (rs_.FieldIndex(r.field) != position) continue;
        QString message;
        const std::optional<QVariant> accepted = r.accept(value.toString(), &message);
        if (accepted) v = *accepted;
        else why = message;
    }
    if (why.isEmpty() && !rs_.SetValue(position, v)) why = rs_.lastError();
    if (!why.isEmpty()) {
        refused_.insert(position, {value.toString(), why});
        error_ = why;
        return false;
    }
    refused_.remove(position);
    return true;
}

void DataSource::flushBound() {
    for (Bound& b : bound_) {
        if (!b.dirty || !b.edit) continue;
        b.dirty = false;
        const int i = rs_.FieldIndex(b.field);
        if (i >= 0) put(i, b.edit->text());
    }
}

bool DataSource::UpdateRecord() {
    if (!isEditing()) return true;
    flushBound();
    if (!refused_.isEmpty()) {
        // Every attempt meets the refusal again (the leftmost field's); nothing is stored.
        error_ = refused_.first().message;
        Q_EMIT error(error_);
        return false;
    }
    const bool adding = isAdding();
    if (!rs_.isDirty()) {
        CancelUpdate();
        return true;
    }
    const int row = currentRow();
    if (!rs_.Update()) return report(false);
    if (adding) {
        Q_EMIT recordAppended(currentRow());
        Q_EMIT addingChanged(false);
        Q_EMIT currentChanged(currentRow());
    } else {
        Q_EMIT rowValuesChanged(row);
    }
    refreshBound();
    return true;
}

void DataSource::CancelUpdate() {
    if (!isEditing()) return;
    const bool adding = isAdding();
    const int row = currentRow();
    rs_.CancelUpdate();
    refused_.clear();
    for (Bound& b : bound_) b.dirty = false;
    if (adding) Q_EMIT addingChanged(false);
    else Q_EMIT rowValuesChanged(row);
    refreshBound();
}

bool DataSource::setCurrentRow(int row) {
    if (row == currentRow() && !isAdding()) return true;
    if (!UpdateRecord()) return false;
    if (!report(rs_.SetAbsolutePosition(row))) return false;
    Q_EMIT currentChanged(row);
    refreshBound();
    return true;
}

bool DataSource::MoveFirst() { return move(&db::Recordset::MoveFirst); }
bool DataSource::MoveLast() { return move(&db::Recordset::MoveLast); }
bool DataSource::MoveNext() { return move(&db::Recordset::MoveNext); }
bool DataSource::MovePrevious() { return move(&db::Recordset::MovePrevious); }

bool DataSource::move(bool (db::Recordset::*step)()) {
    if (!UpdateRecord()) return false;
    const bool ok = report((rs_.*step)());
    Q_EMIT currentChanged(currentRow());
    refreshBound();
    return ok;
}

bool DataSource::AddNew() {
    if (!UpdateRecord()) return false;
    refused_.clear();
    if (!report(rs_.AddNew())) return false;
    Q_EMIT addingChanged(true);
    refreshBound();
    return true;
}

bool DataSource::Edit() {
    if (isEditing()) return true;
    refused_.clear();
    return report(rs_.Edit());
}

bool DataSource::setValue(int position, const QVariant& value) {
    if (position < 0 || position >= rs_.FieldCount()) return report(rs_.SetValue(position, value));
    if (!isEditing() && !Edit()) return false;
    const bool ok = put(position, value);
    Q_EMIT rowValuesChanged(isAdding() ? rs_.RecordCount() : currentRow());
    refreshBound();
    return ok;
}

bool DataSource::setValue(const QString& field, const QVariant& value) {
    const int i = rs_.FieldIndex(field);
    if (i < 0) {
        error_ = QStringLiteral("no such field: ") + field;
        Q_EMIT error(error_);
        return false;
    }
    return setValue(i, value);
}

QString DataSource::text(const QString& field) const {
    const QVariant v = value(field);
    return v.isValid() && !v.isNull() ? v.toString() : QString();
}

QVariant DataSource::value(int position) const {
    const auto r = refused_.constFind(position);
    if (isEditing() && r != refused_.constEnd()) return r->text;
    return rs_.Value(position);
}

QVariant DataSource::value(const QString& field) const {
    return value(rs_.FieldIndex(field));
}

bool DataSource::Delete() {
    if (isAdding()) {
        CancelUpdate();
        return true;
    }
    const int row = currentRow();
    if (!report(rs_.Delete())) return false;
    // The following record becomes current, or the new last one after deleting the last; before
    // the views hear of the removal, so that a grid moving its own cursor finds it there.
    rs_.MoveNext();
    if (rs_.IsEOF() && rs_.RecordCount() > 0) rs_.MoveLast();
    Q_EMIT recordRemoved(row);
    Q_EMIT currentChanged(currentRow());
    refreshBound();
    return true;
}

void DataSource::bindLineEdit(QLineEdit* edit, const QString& field, std::function<QString(const QVariant&)> format) {
    bound_.append({edit, field, false, std::move(format)});
    // Only typing edits the record: the text set from it below sends no textEdited.
    connect(edit, &QLineEdit::textEdited, this, [this, edit] {
        if (!isEditing() && !Edit()) return;
        for (Bound& b : bound_)
            if (b.edit == edit) b.dirty = true;
    });
    refreshBound();
}

void DataSource::refreshBound() {
    for (Bound& b : bound_) {
        if (!b.edit || b.dirty) continue;
        const QVariant v = value(b.field);
        const bool refused = refused_.contains(rs_.FieldIndex(b.field)) && isEditing();
        const QString text = b.format && !refused && v.isValid() && !v.isNull() ? b.format(v) : displayText(v);
        if (b.edit->text() != text) b.edit->setText(text);
    }
}

// ---- DataSourceModel -------------------------------------------------------------------------

DataSourceModel::DataSourceModel(DataSource* source, QObject* parent)
    : QAbstractTableModel(parent), ds_(source) {
    records_ = ds_->recordset().RecordCount();
    connect(ds_, &DataSource::aboutToReset, this, [this] { beginResetModel(); });
    connect(ds_, &DataSource::wasReset, this, &DataSourceModel::onReset);
    connect(ds_, &DataSource::addingChanged, this, &DataSourceModel::onAddingChanged);
    connect(ds_, &DataSource::recordAppended, this, &DataSourceModel::onAppended);
    connect(ds_, &DataSource::recordRemoved, this, &DataSourceModel::onRemoved);
    connect(ds_, &DataSource::rowValuesChanged, this, &DataSourceModel::onRowValues);
}

void DataSourceModel::onReset() {
    records_ = ds_->recordset().RecordCount();
    showNewLine_ = allowAddNew_ || ds_->isAdding();
    endResetModel();
}

void DataSourceModel::setNewLine(bool show) {
    if (show == showNewLine_) return;
    if (show) {
        beginInsertRows({}, records_, records_);
        showNewLine_ = true;
        endInsertRows();
    } else {
        beginRemoveRows({}, records_, records_);
        showNewLine_ = false;
        endRemoveRows();
    }
}

void DataSourceModel::setAllowAddNew(bool allow) {
    allowAddNew_ = allow;
    setNewLine(allowAddNew_ || ds_->isAdding());
}

void DataSourceModel::onAddingChanged(bool adding) {
    setNewLine(allowAddNew_ || adding);
    if (showNewLine_) onRowValues(records_);
}

void DataSourceModel::onAppended(int row) {
    if (!showNewLine_) {
        beginInsertRows({}, records_, records_);
        ++records_;
        endInsertRows();
        return;
    }
    // The new-record line became this record (shown as changed before any row is added after it);
    // a fresh new-record line follows when allowed.
    ++records_;
    showNewLine_ = false;
    onRowValues(row);
    setNewLine(allowAddNew_);
}

void DataSourceModel::onRemoved(int row) {
    if (row < 0 || row >= records_) return;
    removing_ = true;
    removedRow_ = row;  // the recordset has dropped it already: the rows after it show as they stood
    beginRemoveRows({}, row, row);
    --records_;
    removedRow_ = -1;
    endRemoveRows();
    removing_ = false;
}

void DataSourceModel::onRowValues(int row) {
    if (row < 0 || row >= rowCount()) return;
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void DataSourceModel::setColumns(const QStringList& fields) {
    beginResetModel();
    columns_ = fields;
    captions_.clear();
    formats_.clear();
    endResetModel();
}

void DataSourceModel::setCaption(int column, const QString& caption) {
    captions_[column] = caption;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

void DataSourceModel::setColumnFormat(int column, std::function<QString(const QVariant&)> format) {
    formats_[column] = std::move(format);
    if (rowCount() > 0) Q_EMIT dataChanged(index(0, column), index(rowCount() - 1, column));
}

int DataSourceModel::fieldPosition(int column) const {
    if (columns_.isEmpty()) return column < ds_->recordset().FieldCount() ? column : -1;
    if (column < 0 || column >= columns_.size()) return -1;
    return ds_->recordset().FieldIndex(columns_[column]);
}

bool DataSourceModel::editingRow(int row) const {
    if (isNewLine(row)) return ds_->isAdding();
    return ds_->isEditing() && !ds_->isAdding() && ds_->currentRow() == row;
}

bool DataSourceModel::leaveRow(int row) {
    if (!ds_->isEditing() || !editingRow(row)) return true;
    return ds_->UpdateRecord();
}

bool DataSourceModel::commitRow() {
    return ds_->UpdateRecord();
}

bool DataSourceModel::deleteRow(int row) {
    if (!allowDelete_) return false;
    if (isNewLine(row)) {
        ds_->CancelUpdate();
        return true;
    }
    if (row < 0 || row >= records_) return false;
    if (ds_->currentRow() != row || ds_->isAdding()) {
        ds_->CancelUpdate();
        if (!ds_->setCurrentRow(row)) return false;
    }
    return ds_->Delete();
}

int DataSourceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : records_ + (showNewLine_ ? 1 : 0);
}

int DataSourceModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return columns_.isEmpty() ? ds_->recordset().FieldCount() : int(columns_.size());
}

QVariant DataSourceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    const int pos = fieldPosition(index.column());
    if (pos < 0) return {};
    QVariant v;
    if (editingRow(index.row())) v = ds_->value(pos);
    else if (!isNewLine(index.row()))
        v = ds_->recordset().valueAt(removedRow_ >= 0 && index.row() > removedRow_ ? index.row() - 1 : index.row(), pos);
    if (role == Qt::DisplayRole) {
        const auto f = formats_.constFind(index.column());
        if (f != formats_.constEnd() && *f) return (*f)(v);
    }
    // Text either way, so that the editor takes any typing and the database judges it.
    return displayText(v);
}

bool DataSourceModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const int row = index.row();
    const int pos = fieldPosition(index.column());
    if (pos < 0) return false;
    if (ds_->recordset().isCounter(pos)) return false;  // the engine's, never typed
    if (isNewLine(row)) {
        if (!allowAddNew_) return false;
        if (!ds_->isAdding() && !ds_->AddNew()) return false;
    } else {
        if (!allowUpdate_) return false;
        // Unchanged text is no edit: a cell editor closing without a change stores nothing.
        if (!editingRow(row) && displayText(ds_->recordset().valueAt(row, pos)) == value.toString()) return true;
        if (!ds_->setCurrentRow(row)) return false;
    }
    return ds_->setValue(pos, value);
}

Qt::ItemFlags DataSourceModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int pos = fieldPosition(index.column());
    if (pos < 0 || ds_->recordset().isCounter(pos) || !ds_->recordset().Updatable()) return f;
    if (isNewLine(index.row()) ? allowAddNew_ : allowUpdate_) f |= Qt::ItemIsEditable;
    return f;
}

QVariant DataSourceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return isNewLine(section) ? QStringLiteral("*") : QString();
    const auto c = captions_.constFind(section);
    if (c != captions_.constEnd()) return *c;
    const int pos = fieldPosition(section);
    return pos >= 0 ? ds_->recordset().FieldName(pos) : QVariant();
}

}  // namespace vx
