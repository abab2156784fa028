#pragma once
// The data source that bound grids and text boxes share: a record source, its recordset and the
// current record. Moving off an edited record stores it, as a data control does.
#include "common/database.h"

#include <QAbstractTableModel>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <optional>

class QLineEdit;

namespace vx {

class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(QObject* parent = nullptr);

    // A table name, view name or SQL text. key: the key column(s) for writing through a view
    // or SQL text (tables use their primary key). Takes effect at the next Refresh().
    void setRecordSource(const QString& source, const QString& key = {});
    QString RecordSource() const { return source_; }
    void setOptions(const db::OpenOptions& options);  // type, params, key, write tables
    db::OpenOptions options() const { return options_; }
    QString keyColumn() const { return options_.key; }

    // Reads the record source again (opening it the first time); the first record becomes
    // current. A changed pending record is stored first; if it is refused it is dropped.
    bool Refresh();
    // Binds an already opened recordset instead of the record source.
    void setRecordset(db::Recordset recordset);
    db::Recordset& recordset() { return rs_; }
    const db::Recordset& recordset() const { return rs_; }

    // Current record: -1 when there is none.
    int currentRow() const;
    bool setCurrentRow(int row);  // stores a pending edit of another row first
    bool MoveFirst();
    bool MoveLast();
    bool MoveNext();
    bool MovePrevious();

    // Editing the current record (Edit) or a new one (AddNew); setValue starts Edit by itself.
    bool AddNew();
    bool Edit();
    // A value the field refuses stays in the pending record as typed: value() shows it, and
    // UpdateRecord refuses the record with its message until it is corrected or cancelled.
    bool setValue(const QString& field, const QVariant& value);
    bool setValue(int position, const QVariant& value);
    // What the field takes from typed text: the value to store, or nothing to refuse the text
    // with `message`. Without a rule the recordset converts (and refuses what is no number).
    using FieldRule = std::function<std::optional<QVariant>(const QString& text)>;
    void setFieldRule(const QString& field, FieldRule rule, const QString& message);
    // A rule that words its own refusal: the value to store, or nothing with *message set.
    using FieldCheck = std::function<std::optional<QVariant>(const QString& text, QString* message)>;
    void setFieldRule(const QString& field, FieldCheck check);
    // The field whose typed value the pending record refuses (the leftmost); empty when none.
    QString refusedField() const;
    QVariant value(const QString& field) const;  // the pending value while editing
    QVariant value(int position) const;
    // The current row's field as text; empty for no row or a NULL value.
    QString text(const QString& field) const;
    bool UpdateRecord();  // stores a changed pending record, drops an unchanged one; refused: false, still pending
    void CancelUpdate();
    bool Delete();        // deletes the current record; the next one becomes current
    bool isAdding() const { return rs_.editMode() == db::EditMode::AddNew; }
    bool isEditing() const { return rs_.editMode() != db::EditMode::None; }
    QString lastError() const { return error_; }

    // Shows the named field of the current record in a text box; typing into it edits the
    // record (its pending edit is stored when the data source moves or UpdateRecord is called).
    // format, when given, is how the stored value is shown (a date in the short form).
    void bindLineEdit(QLineEdit* edit, const QString& field, std::function<QString(const QVariant&)> format = {});

Q_SIGNALS:
    void aboutToReset();
    void wasReset();
    void currentChanged(int row);
    void rowValuesChanged(int row);     // a stored or pending value of the row changed
    void addingChanged(bool adding);   // a new record was started, or it ended (stored or cancelled)
    void recordAppended(int row);      // a new record was stored; it is row `row`
    void recordRemoved(int row);
    void error(const QString& message);

private:
    bool report(bool ok);
    bool move(bool (db::Recordset::*step)());  // stores a pending edit first
    bool put(int position, const QVariant& value);  // into the pending record, or kept as refused
    void flushBound();  // typed texts of bound boxes into the pending record
    void refreshBound();

    QString source_;
    db::OpenOptions options_;
    db::Recordset rs_;
    bool sourceChanged_ = true;
    QString error_;
    struct Rule {
        QString field;
        FieldCheck accept;
    };
    QList<Rule> rules_;
    struct Refused {
        QString text;
        QString message;
    };
    QMap<int, Refused> refused_;  // by field position, in the pending record
    struct Bound {
        QPointer<QLineEdit> edit;
        QString field;
        bool dirty = false;
        std::function<QString(const QVariant&)> format;
    };
    QList<Bound> bound_;
};

// A table model over a data source for bound grids. The last line, while adding is allowed,
// is the new-record line: typing into it starts a new record.
class DataSourceModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSourceModel(DataSource* source, QObject* parent = nullptr);
    DataSource* dataSource() const { return ds_; }

    void setAllowAddNew(bool allow);
    void setAllowUpdate(bool allow) { allowUpdate_ = allow; }
    void setAllowDelete(bool allow) { allowDelete_ = allow; }
    bool AllowAddNew() const { return allowAddNew_; }
    bool AllowUpdate() const { return allowUpdate_; }
    bool AllowDelete() const { return allowDelete_; }

    // Shown fields in order (default: all fields of the recordset), captions and display formats.
    void setColumns(const QStringList& fields);
    void setCaption(int column, const QString& caption);
    void setColumnFormat(int column, std::function<QString(const QVariant&)> format);
    int fieldPosition(int column) const;  // recordset position of a model column, -1 if none

    bool isNewLine(int row) const { return showNewLine_ && row == records_; }
    // A row is being taken out: views move their cursor by the old numbering meanwhile.
    bool removing() const { return removing_; }
    // Leaving a row stores its pending edit; false (and error()) when the database refuses it.
    bool leaveRow(int row);
    bool commitRow();
    bool deleteRow(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    bool removing_ = false;
    int removedRow_ = -1;
    void onReset();
    void onAddingChanged(bool adding);
    void onAppended(int row);
    void onRemoved(int row);
    void onRowValues(int row);
    void setNewLine(bool show);
    bool editingRow(int row) const;

    DataSource* ds_;
    bool allowAddNew_ = false;
    bool allowUpdate_ = false;
    bool allowDelete_ = false;
    QStringList columns_;  // empty: every field
    QHash<int, QString> captions_;
    QHash<int, std::function<QString(const QVariant&)>> formats_;
    int records_ = 0;
    bool showNewLine_ = false;
};

}  // namespace vx
