#pragma once
// Recordsets over tables, views and SQL text on the run's connection: they navigate, find, and
// write through by key the way the windows expect of them. Field names are found without regard
// to case or character width.
#include "common/names.h"
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>

namespace vx::db {

enum class RecordsetType { Table, Dynaset, Snapshot };  // Snapshot is read-only
enum class EditMode { None, InProgress, AddNew };

class Recordset;

struct OpenOptions {
    RecordsetType type = RecordsetType::Dynaset;
    QVariantList params;      // bound to the '?' of SQL text (criteria typed by users always go here)
    QString key;              // key column(s), comma-separated, for a view or SQL text; tables use their primary key
    QStringList writeTables;  // SQL text only: the tables written by key; new rows go to the first
    // SQL text only: the field(s) of the list holding a write table's key where that is not the
    // recordset's key (a looked-up row: "選手" by "選手ID"). Such a table is written, never deleted from.
    QHash<QString, QString> writeKeys;
    // Reads the keys at open and the other values a page of rows at a time, when first looked at,
    // so that a list of a hundred thousand rows opens at once. One key column.
    bool keyset = false;
    // SQL text only: the list's fields over every row, without its criteria or parameters. A row
    // written so that it no longer meets the criteria is read back from here by its key and stays
    // in the list with what was written, until the list is read again.
    QString unfiltered = {};
    // Written with each edited row, inside the same write, after the row's own tables: a table that
    // copies some of its fields. The recordset is still editing, so Value() gives what is written and
    // valueAt(AbsolutePosition(), ...) what was stored. A text returned fails the write as a whole.
    std::function<QString(const Recordset&)> alsoWrite = {};
    // Keyset only: SQL text over the same parameters giving the list's keys (one column) in the
    // list's order, from an index that holds that order. The keys are then counted at open and read
    // a page at a time as well: the recordset holds the pages looked at, not the whole list.
    QString keysInOrder = {};
    // Snapshot only: the rows counted at open and read a page at a time by their place.
    bool paged = false;
    // With either: SQL text over the same parameters giving the number of rows, where counting
    // through the list (or its keys) would walk its order.
    QString countSql = {};
    // A list read by place (these two) copies what it still reads by place into a temporary table
    // of the connection before anything is written on it, so that it keeps the rows and the order
    // it opened with.
};

// One row of a recordset, as a find predicate sees it.
class Record {
public:
    Record(const Recordset& rs, int row) : rs_(rs), row_(row) {}
    QVariant Value(const QString& field) const;
    QVariant Value(int position) const;

private:
    const Recordset& rs_;
    int row_;
};

class LazyRows;

class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset& other);
    Recordset& operator=(const Recordset& other);
    Recordset(Recordset&& other) noexcept;
    Recordset& operator=(Recordset&& other) noexcept;
    // Opens a table name, view name or SQL text on the run's connection; the first row is current.
    bool open(const QString& source, const OpenOptions& options = {});
    bool open(const QString& source, RecordsetType type, const QVariantList& params = {}, const QString& key = {});
    bool Requery();  // reads the source again; the first row becomes current
    void close();
    bool isOpen() const { return open_; }

    QString source() const { return source_; }
    RecordsetType type() const { return options_.type; }
    bool Updatable() const;
    QStringList keyColumns() const { return keys_; }
    // The engine assigns this column: a table's AUTOINCREMENT key, read directly or through a view.
    bool isCounter(int position) const;
    QString lastError() const { return error_; }

    // Fields
    int FieldCount() const { return fields_.size(); }
    QString FieldName(int position) const;
    int FieldIndex(const QString& name) const;  // -1 when absent; case and width do not matter
    QStringList FieldNames() const { return fields_.names(); }

    // Navigation. With no current record Value() gives an invalid QVariant.
    int RecordCount() const;
    bool IsEOF() const;
    bool IsBOF() const;
    bool hasCurrent() const;
    bool MoveFirst();
    bool MoveLast();
    bool MoveNext();
    bool MovePrevious();
    int AbsolutePosition() const;  // 0-based; -1 without a current record
    bool SetAbsolutePosition(int position);
    QString Bookmark() const;      // empty without a current record
    bool SetBookmark(const QString& bookmark);

    // The current record (or the edit buffer while editing or adding).
    QVariant Value(const QString& field) const;
    QVariant Value(int position) const;
    // Row access without moving (rows 0..RecordCount()-1).
    QVariant valueAt(int row, int position) const;
    QString bookmarkAt(int row) const;
    QVariant keyValue(int row) const;  // the row's (first) key value, without reading the row
    int rowOfBookmark(const QString& bookmark) const;  // -1 when unknown

    // Finding moves to the first (next) matching row; NoMatch() tells when there was none,
    // and the current record then stays where it was.
    bool FindFirst(const std::function<bool(const Record&)>& criterion);
    bool FindNext(const std::function<bool(const Record&)>& criterion);
    // All named fields equal the given values (numbers compared as numbers).
    bool FindFirst(std::initializer_list<std::pair<QString, QVariant>> equals);
    bool NoMatch() const { return noMatch_; }

    // Editing. SetValue needs AddNew or Edit first. Moving or requerying cancels a pending edit.
    // After Update of a new row that row is current; after Delete there is no current record
    // until the next move, and MoveNext goes to the row that followed the deleted one.
    bool AddNew();
    bool Edit();
    bool SetValue(const QString& field, const QVariant& value);
    bool SetValue(int position, const QVariant& value);
    bool Update();
    void CancelUpdate();
    bool Delete();
    EditMode editMode() const { return mode_; }
    bool isDirty() const;  // a pending edit has changed a field

    // Recordset-level row view used by models: the row being added is not counted here.
    bool rowDeletedHere() const { return deletedHere_; }

private:
    friend class Record;
    struct Target {
        QString name;
        NameList columns;    // as the table or view spells them
        QStringList types;   // declared types, upper case
        QVector<int> keyPos; // the list's fields holding its key
    };
    bool fail(const QString& message);
    bool load();
    bool readRows(const QString& sql, const QVariantList& params, QVector<QVector<QVariant>>* out);
    QString selectSql() const;
    bool readBack(bool isNew, const QVariant& insertedRowId, QVector<QVariant>* out);
    bool inSavepoint(const std::function<QString()>& write);
    bool columnsOf(const Target& t, const QVector<int>& positions, const QString& op, QStringList* terms) const;
    QString columnIn(const Target& t, int position) const;
    bool resolveTargets();
    bool convertFor(int position, const QVariant& in, QVariant* out);
    int findFrom(int start, const std::function<bool(const Record&)>& criterion) const;
    bool writes(const Target& t, int position) const;
    bool keysetMode() const { return options_.keyset && keyPos_.size() == 1 && keyPos_.first() >= 0; }
    bool pagedMode() const { return options_.paged && options_.type == RecordsetType::Snapshot; }
    const QVector<QVariant>& rowAt(int row) const;  // reads the row's page first in keyset and paged mode
    void setRow(int row, const QVector<QVariant>& values);

    QString source_;
    QString sourceKind_;  // "table", "view" or "sql"
    OpenOptions options_;
    bool open_ = false;
    NameList fields_;
    QStringList origins_;  // the table each field comes from, when it comes straight from one
    QStringList originColumns_;  // and the column it reads there, whatever the list calls it
    QVector<QVector<QVariant>> rows_;  // read whole: every row
    QVector<qint64> serials_;          // read whole: each row's bookmark
    std::unique_ptr<LazyRows> lazy_;   // keyset and paged mode: the rows as they are read
    int pos_ = -1;  // -1 = BOF, RecordCount() = EOF
    bool deletedHere_ = false;
    bool noMatch_ = false;
    QStringList keys_;
    QVector<int> keyPos_;
    QVector<Target> targets_;
    QVector<bool> counter_;
    EditMode mode_ = EditMode::None;
    QVector<QVariant> buffer_;
    QVector<bool> changed_;
    QString error_;
};

}  // namespace vx::db
