#include "common/recordset.h"
#include "common/convert.h"
#include "common/dbconnection.h"
#include "common/dbschema.h"

#include <QHash>
#include <QSqlField>
#include <QSqlRecord>
#include <algorithm>
#include <cmath>

namespace vx::db {

namespace {

bool isNumeric(const QVariant& v) {
    switch (v.metaType().id()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Short: case QMetaType::UShort:
    case QMetaType::UChar: case QMetaType::SChar: case QMetaType::Char: case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

bool valuesEqual(const QVariant& a, const QVariant& b) {
    const bool an = a.isNull() || !a.isValid(), bn = b.isNull() || !b.isValid();
    if (an || bn) return an && bn;
    if (isNumeric(a) || isNumeric(b)) {
        bool oka = false, okb = false;
        const double x = a.toString().trimmed().toDouble(&oka);
        const double y = b.toString().trimmed().toDouble(&okb);
        if (oka && okb) return x == y;
    }
    return a.toString() == b.toString();
}

// Bookmarks are unique in the run, so that one of an earlier list never names a row of a later one.
qint64 nextSerial() {
    static qint64 serial = 0;
    return ++serial;
}

QStringList splitKey(const QString& key) {
    QStringList out;
    for (const QString& k : key.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!k.trimmed().isEmpty()) out.append(k.trimmed());
    return out;
}

// SQL text as a subquery takes it.
QString withoutSemicolon(const QString& sql) {
    QString s = sql.trimmed();
    while (s.endsWith(QLatin1Char(';'))) s.chop(1);
    return s;
}

}  // namespace

// ---- Recordset -------------------------------------------------------------------------------

QVariant Record::Value(const QString& field) const {
    return rs_.valueAt(row_, rs_.FieldIndex(field));
}

QVariant Record::Value(int position) const {
    return rs_.valueAt(row_, position);
}

bool Recordset::fail(const QString& message) {
    error_ = message;
    return false;
}

bool Recordset::open(const QString& source, RecordsetType type, const QVariantList& params, const QString& key) {
    OpenOptions o;
    o.type = type;
    o.params = params;
    o.key = key;
    return open(source, o);
}

void Recordset::close() {
    *this = Recordset();
}

bool Recordset::open(const QString& source, const OpenOptions& options) {
    close();
    if (!vx::db::isOpen()) return fail(QStringLiteral("no database open"));
    options_ = options;
    const SchemaObject obj = findObject(source);
    if (!obj.name.isEmpty()) {
        source_ = obj.name;
        sourceKind_ = obj.type;
    } else {
        source_ = source;
        sourceKind_ = QStringLiteral("sql");
    }
    if (options.type == RecordsetType::Table && sourceKind_ != QLatin1String("table"))
        return fail(QStringLiteral("not a table: ") + source);

    keys_ = sourceKind_ == QLatin1String("table") ? tableInfo(source_).key : splitKey(options.key);
    if (!load()) return false;
    open_ = true;
    resolveTargets();

    // SQLite names the table each column comes from, through views too.
    counter_ = QVector<bool>(fields_.size(), false);
    QHash<QString, QString> counters;
    for (int i = 0; i < fields_.size(); ++i) {
        QString table = origins_.value(i);
        if (table.isEmpty() && sourceKind_ == QLatin1String("table")) table = source_;
        if (table.isEmpty()) continue;
        if (!counters.contains(table)) counters.insert(table, tableInfo(table).counter);
        const QString c = counters.value(table);
        const QString column = originColumns_.value(i);
        counter_[i] = !c.isEmpty() && sameName(c, column.isEmpty() ? fields_.value(i) : column);
    }
    return true;
}

QString Recordset::selectSql() const {
    if (sourceKind_ != QLatin1String("sql")) return QStringLiteral("SELECT * FROM ") + quoteName(source_);
    return withoutSemicolon(source_);
}

bool Recordset::readRows(const QString& sql, const QVariantList& params, QVector<QVector<QVariant>>* out) {
    Statement q(sql);
    if (!q.run(params)) return fail(q.error());
    const QSqlRecord rec = q.record();
    if (fields_.size() == 0) {
        for (int i = 0; i < rec.count(); ++i) {
            fields_.append(rec.fieldName(i));
            origins_.append(rec.field(i).tableName());
            originColumns_.append(q.originColumn(i));
        }
    }
    const int n = fields_.size();
    while (q.next()) {
        QVector<QVariant> row(n);
        for (int i = 0; i < n; ++i) row[i] = q.value(i);
        out->append(row);
    }
    return true;
}

bool Recordset::load() {
    rows_.clear();
    keyOf_.clear();
    serials_.clear();
    mode_ = EditMode::None;
    deletedHere_ = false;
    auto findKeys = [this] {
        keyPos_.clear();
        for (const QString& k : keys_) keyPos_.append(FieldIndex(k));
    };
    // Keyset: the fields from a query that reads no row, then the keys alone in the list's order.
    if (options_.keyset && keys_.size() == 1) {
        if (!readRows(QStringLiteral("SELECT * FROM (%1) LIMIT 0").arg(selectSql()), options_.params, &rows_))
            return false;
        findKeys();
    }
    if (keysetMode()) {
        Statement q(QStringLiteral("SELECT %1 FROM (%2)").arg(quoteName(FieldName(keyPos_.first())), selectSql()));
        if (!q.run(options_.params)) return fail(q.error());
        while (q.next()) keyOf_.append(q.value(0));
        rows_.resize(keyOf_.size());
    } else {
        if (!readRows(selectSql(), options_.params, &rows_)) return false;
        findKeys();
    }
    for (int i = 0; i < rows_.size(); ++i) serials_.append(nextSerial());
    pos_ = 0;
    return true;
}

const QVector<QVariant>& Recordset::rowAt(int row) const {
    if (rows_[row].isEmpty() && keysetMode()) readPage(row);
    return rows_[row];
}

// The page of rows around `row` that are not read yet, in one query by their keys. A row whose key
// is gone from the source since the keys were read shows its key alone.
void Recordset::readPage(int row) const {
    constexpr int Page = 256;
    const int first = row / Page * Page;
    QVariantList params = options_.params;
    QHash<QString, int> rowOfKey;
    for (int r = first; r < std::min<int>(first + Page, rows_.size()); ++r)
        if (rows_[r].isEmpty()) {
            rowOfKey.insert(keyOf_[r].toString(), r);
            params.append(keyOf_[r]);
            rows_[r] = QVector<QVariant>(fields_.size());
            rows_[r][keyPos_.first()] = keyOf_[r];
        }
    QStringList marks(params.size() - options_.params.size(), QStringLiteral("?"));
    Statement q(QStringLiteral("SELECT * FROM (%1) WHERE %2 IN (%3)")
                    .arg(selectSql(), quoteName(FieldName(keyPos_.first())), marks.join(QLatin1Char(','))));
    if (!q.run(params)) return;
    while (q.next()) {
        const int r = rowOfKey.value(q.value(keyPos_.first()).toString(), -1);
        if (r < 0) continue;
        for (int i = 0; i < fields_.size(); ++i) rows_[r][i] = q.value(i);
    }
}

void Recordset::setRow(int row, const QVector<QVariant>& values) {
    rows_[row] = values;
    if (keysetMode()) keyOf_[row] = values.value(keyPos_.first());
}

QVariant Recordset::keyValue(int row) const {
    if (row < 0 || row >= rows_.size() || keyPos_.isEmpty() || keyPos_.first() < 0) return {};
    return keysetMode() ? keyOf_[row] : rows_[row][keyPos_.first()];
}

bool Recordset::resolveTargets() {
    targets_.clear();
    if (options_.type == RecordsetType::Snapshot || keys_.isEmpty() || keyPos_.contains(-1)) return false;
    QStringList names;
    if (sourceKind_ == QLatin1String("sql")) {
        for (const QString& t : options_.writeTables) {
            const SchemaObject obj = findObject(t);
            if (!obj.name.isEmpty()) names.append(obj.name);
        }
    } else {
        names.append(source_);
    }
    for (const QString& name : names) {
        const TableInfo info = tableInfo(name);
        Target t{name, info.columns, info.types, keyPos_};
        for (auto k = options_.writeKeys.cbegin(); k != options_.writeKeys.cend(); ++k) {
            if (!sameName(k.key(), name)) continue;
            t.keyPos.clear();
            for (const QString& f : splitKey(k.value())) t.keyPos.append(FieldIndex(f));
            if (t.keyPos.contains(-1)) t.keyPos.clear();
        }
        if (!t.keyPos.isEmpty()) targets_.append(t);
    }
    return !targets_.isEmpty();
}

bool Recordset::Requery() {
    if (!open_) return fail(QStringLiteral("recordset not open"));
    return load();
}

bool Recordset::Updatable() const {
    return open_ && !targets_.isEmpty();
}

bool Recordset::isCounter(int position) const {
    return position >= 0 && position < counter_.size() && counter_[position];
}

QString Recordset::FieldName(int position) const {
    return fields_.value(position);
}

int Recordset::FieldIndex(const QString& name) const { return fields_.indexOf(name); }

// ---- navigation ----

bool Recordset::IsEOF() const { return !open_ || pos_ >= rows_.size(); }
bool Recordset::IsBOF() const { return !open_ || pos_ < 0 || rows_.isEmpty(); }
bool Recordset::hasCurrent() const { return open_ && !deletedHere_ && pos_ >= 0 && pos_ < rows_.size(); }

bool Recordset::MoveFirst() {
    CancelUpdate();
    if (!open_ || rows_.isEmpty()) return fail(QStringLiteral("no current record"));
    pos_ = 0;
    deletedHere_ = false;
    return true;
}

bool Recordset::MoveLast() {
    CancelUpdate();
    if (!open_ || rows_.isEmpty()) return fail(QStringLiteral("no current record"));
    pos_ = int(rows_.size()) - 1;
    deletedHere_ = false;
    return true;
}

bool Recordset::MoveNext() {
    CancelUpdate();
    if (!open_) return fail(QStringLiteral("recordset not open"));
    if (deletedHere_) {
        deletedHere_ = false;  // the row that followed the deleted one now sits at pos_
        return true;
    }
    if (pos_ >= rows_.size()) return fail(QStringLiteral("no current record"));
    ++pos_;
    return true;
}

bool Recordset::MovePrevious() {
    CancelUpdate();
    if (!open_) return fail(QStringLiteral("recordset not open"));
    if (deletedHere_) {
        deletedHere_ = false;
        --pos_;
        return true;
    }
    if (pos_ < 0 || rows_.isEmpty()) return fail(QStringLiteral("no current record"));
    --pos_;
    return true;
}

int Recordset::AbsolutePosition() const {
    return hasCurrent() ? pos_ : -1;
}

bool Recordset::SetAbsolutePosition(int position) {
    if (!open_ || position < 0 || position >= rows_.size()) return fail(QStringLiteral("invalid position"));
    CancelUpdate();
    pos_ = position;
    deletedHere_ = false;
    return true;
}

QString Recordset::Bookmark() const {
    return hasCurrent() ? bookmarkAt(pos_) : QString();
}

QString Recordset::bookmarkAt(int row) const {
    return row >= 0 && row < serials_.size() ? QString::number(serials_[row]) : QString();
}

int Recordset::rowOfBookmark(const QString& bookmark) const {
    bool ok = false;
    const qint64 s = bookmark.toLongLong(&ok);
    return ok ? int(serials_.indexOf(s)) : -1;
}

bool Recordset::SetBookmark(const QString& bookmark) {
    const int row = rowOfBookmark(bookmark);
    if (row < 0) return fail(QStringLiteral("not a valid bookmark"));
    return SetAbsolutePosition(row);
}

// ---- values ----

QVariant Recordset::valueAt(int row, int position) const {
    if (row < 0 || row >= rows_.size() || position < 0 || position >= fields_.size()) return {};
    return rowAt(row)[position];
}

QVariant Recordset::Value(int position) const {
    if (position < 0 || position >= fields_.size()) return {};
    if (mode_ != EditMode::None) return buffer_[position];
    return hasCurrent() ? rowAt(pos_)[position] : QVariant();
}

QVariant Recordset::Value(const QString& field) const {
    return Value(FieldIndex(field));
}

int Recordset::findFrom(int start, const std::function<bool(const Record&)>& criterion) const {
    for (int r = std::max(start, 0); r < rows_.size(); ++r)
        if (criterion(Record(*this, r))) return r;
    return -1;
}

bool Recordset::FindFirst(const std::function<bool(const Record&)>& criterion) {
    if (!open_) return fail(QStringLiteral("recordset not open"));
    const int r = findFrom(0, criterion);
    noMatch_ = r < 0;
    if (noMatch_) return false;
    return SetAbsolutePosition(r);
}

bool Recordset::FindNext(const std::function<bool(const Record&)>& criterion) {
    if (!open_) return fail(QStringLiteral("recordset not open"));
    const int r = findFrom(deletedHere_ ? pos_ : pos_ + 1, criterion);
    noMatch_ = r < 0;
    if (noMatch_) return false;
    return SetAbsolutePosition(r);
}

bool Recordset::FindFirst(std::initializer_list<std::pair<QString, QVariant>> equals) {
    QVector<QPair<int, QVariant>> tests;
    for (const auto& e : equals) {
        const int i = FieldIndex(e.first);
        if (i < 0) return fail(QStringLiteral("no such field: ") + e.first);
        tests.append({i, e.second});
    }
    return FindFirst([&tests](const Record& r) {
        for (const auto& t : tests)
            if (!valuesEqual(r.Value(t.first), t.second)) return false;
        return true;
    });
}

// ---- editing ----

bool Recordset::AddNew() {
    if (!Updatable()) return fail(QStringLiteral("recordset is not updatable"));
    buffer_ = QVector<QVariant>(fields_.size());
    changed_ = QVector<bool>(fields_.size(), false);
    mode_ = EditMode::AddNew;
    return true;
}

bool Recordset::Edit() {
    if (!Updatable()) return fail(QStringLiteral("recordset is not updatable"));
    if (!hasCurrent()) return fail(QStringLiteral("no current record"));
    buffer_ = rowAt(pos_);
    changed_ = QVector<bool>(fields_.size(), false);
    mode_ = EditMode::InProgress;
    return true;
}

// A value for the column the field is written to, as that column's declared type takes it: a
// whole number must fit 64 bits (a fraction rounds, halves to even), never wrapped or forced.
bool Recordset::convertFor(int position, const QVariant& in, QVariant* out) {
    QString type;
    for (const Target& t : targets_) {
        // The column the field reads, whatever the list calls it ("mｹﾞｰﾑ" is ｹﾞｰﾑ of マーク).
        const int c = writes(t, position) ? t.columns.indexOf(columnIn(t, position)) : -1;
        if (c >= 0) {
            type = t.types.value(c);
            break;
        }
    }
    *out = in;
    if (!in.isValid() || in.isNull()) {
        *out = QVariant();
        return true;
    }
    const bool whole = type.contains(QLatin1String("INT"));
    const bool real = type.contains(QLatin1String("REAL")) || type.contains(QLatin1String("FLOA")) ||
                      type.contains(QLatin1String("DOUB"));
    if (!whole && !real) return true;
    const QString text = in.toString().trimmed();
    if (text.isEmpty()) {
        *out = QVariant();
        return true;
    }
    if (whole) {
        bool tooLarge = false;
        const auto v = wholeOfText(text, &tooLarge);
        if (!v) return fail((tooLarge ? QStringLiteral("overflow in field ") : QStringLiteral("type mismatch in field ")) + FieldName(position));
        *out = qlonglong(*v);
        return true;
    }
    bool ok = false;
    const double d = text.toDouble(&ok);
    if (!ok && std::isinf(d)) return fail(QStringLiteral("overflow in field ") + FieldName(position));
    if (!ok || !std::isfinite(d)) return fail(QStringLiteral("type mismatch in field ") + FieldName(position));
    *out = d;
    return true;
}

bool Recordset::SetValue(int position, const QVariant& value) {
    if (position < 0 || position >= fields_.size()) return fail(QStringLiteral("no such field"));
    if (mode_ == EditMode::None) return fail(QStringLiteral("no AddNew or Edit"));
    QVariant v;
    if (!convertFor(position, value, &v)) return false;
    buffer_[position] = v;
    // A field set back to what is stored is no change: an edit that changes nothing writes nothing.
    changed_[position] = mode_ == EditMode::AddNew || !valuesEqual(v, rowAt(pos_)[position]);
    return true;
}

bool Recordset::SetValue(const QString& field, const QVariant& value) {
    const int i = FieldIndex(field);
    if (i < 0) return fail(QStringLiteral("no such field: ") + field);
    return SetValue(i, value);
}

bool Recordset::isDirty() const {
    return mode_ != EditMode::None && changed_.contains(true);
}

void Recordset::CancelUpdate() {
    mode_ = EditMode::None;
    buffer_.clear();
    changed_.clear();
}

// Runs one write as a whole: on a failure (the text it returns) nothing of it stays.
bool Recordset::inSavepoint(const std::function<QString()>& write) {
    Transaction whole;
    if (!whole.begun()) return fail(whole.error());
    const QString why = write();
    if (why.isEmpty() && whole.commit()) return true;
    return fail(why.isEmpty() ? whole.error() : why);
}

// A field is written to the table it comes from; where SQLite names none (an expression, or a
// table or view written as itself), to the target that has a column of its name.
bool Recordset::writes(const Target& t, int position) const {
    if (sourceKind_ == QLatin1String("sql") && !origins_.value(position).isEmpty())
        return sameName(origins_.value(position), t.name);
    return !t.columns.find(FieldName(position)).isEmpty();
}

// The target's spelling of the column a field reads: a field of SQL text that comes straight from
// the target is found by its column there, so that a list may name two tables' columns apart.
// A looked-up table's key is found by the field's name, else by the column it reads.
QString Recordset::columnIn(const Target& t, int position) const {
    const QString column = originColumns_.value(position);
    const bool named = sourceKind_ == QLatin1String("sql") && !column.isEmpty();
    if (named && sameName(origins_.value(position), t.name)) return t.columns.find(column);
    const QString byName = t.columns.find(FieldName(position));
    return byName.isEmpty() && named ? t.columns.find(column) : byName;
}

// "column<op>" for the fields at positions, as the target spells them; false when it lacks one.
bool Recordset::columnsOf(const Target& t, const QVector<int>& positions, const QString& op, QStringList* terms) const {
    for (int i : positions) {
        const QString c = columnIn(t, i);
        if (c.isEmpty()) return false;
        terms->append(quoteName(c) + op);
    }
    return true;
}

bool Recordset::Update() {
    if (mode_ == EditMode::None) return fail(QStringLiteral("no AddNew or Edit"));
    if (!Updatable()) return fail(QStringLiteral("recordset is not updatable"));
    const bool isNew = mode_ == EditMode::AddNew;
    if (!isNew && !changed_.contains(true)) {
        CancelUpdate();
        return true;
    }
    QVector<QVariant> stored;
    const bool ok = inSavepoint([&]() -> QString {
        QVariant rowId;
        for (const Target& t : targets_) {
            // The changed fields this target has; a new row goes to the first target only.
            QVector<int> changed;
            QVariantList values;
            for (int i = 0; i < FieldCount(); ++i)
                if (changed_[i] && writes(t, i)) {
                    changed.append(i);
                    values.append(buffer_[i]);
                }
            QStringList terms;
            if (!columnsOf(t, changed, QString(), &terms)) return QStringLiteral("no such column in ") + t.name;
            if (isNew) {
                QStringList marks(terms.size(), QStringLiteral("?"));
                Statement ins(terms.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteName(t.name))
                                              : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                    .arg(quoteName(t.name), terms.join(QLatin1Char(',')),
                                                         marks.join(QLatin1Char(','))));
                if (!ins.run(values)) return ins.error();
                rowId = ins.lastInsertId();
                break;
            }
            if (changed.isEmpty()) continue;
            QStringList where;
            if (!columnsOf(t, t.keyPos, QStringLiteral(" IS ?"), &where)) return QStringLiteral("no key column in ") + t.name;
            for (int k : t.keyPos) values.append(rowAt(pos_)[k]);
            for (QString& term : terms) term += QStringLiteral(" = ?");
            Statement upd(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                              .arg(quoteName(t.name), terms.join(QLatin1Char(',')), where.join(QLatin1String(" AND "))));
            if (!upd.run(values)) return upd.error();
            if (sourceKind_ != QLatin1String("view") && upd.rowsAffected() == 0)
                return QStringLiteral("the record no longer exists");
        }
        if (!isNew && options_.alsoWrite) {
            const QString why = options_.alsoWrite(*this);
            if (!why.isEmpty()) return why;
        }
        if (!readBack(isNew, rowId, &stored)) return QStringLiteral("the record was not stored as entered");
        return {};
    });
    if (!ok) return false;
    if (isNew) {
        rows_.append(QVector<QVariant>());
        if (keysetMode()) keyOf_.append(QVariant());
        serials_.append(nextSerial());
        pos_ = int(rows_.size()) - 1;
    }
    setRow(pos_, stored);
    deletedHere_ = false;
    CancelUpdate();
    return true;
}

// Reads the row just written back, so that counters, defaults and joined columns show. False when
// it did not arrive as written: not found under its key (in the unfiltered rows either, where the
// list has them), or a view kept the old key of an edit.
bool Recordset::readBack(bool isNew, const QVariant& insertedRowId, QVector<QVariant>* out) {
    const QString from = QStringLiteral("(%1) AS vx_src").arg(selectSql());
    bool outside = false;  // the row is read from the unfiltered rows
    auto byKey = [&](const QVector<QVariant>& values, QVector<QVector<QVariant>>* found) {
        QStringList where;
        QVariantList params = outside ? QVariantList() : options_.params;
        for (int i = 0; i < keyPos_.size(); ++i) {
            where.append(quoteName(FieldName(keyPos_[i])) + QStringLiteral(" IS ?"));
            params.append(values[i]);
        }
        const QString source = outside ? QStringLiteral("(%1) AS vx_src").arg(withoutSemicolon(options_.unfiltered)) : from;
        return readRows(QStringLiteral("SELECT * FROM %1 WHERE %2").arg(source, where.join(QLatin1String(" AND "))),
                        params, found);
    };
    QVector<QVariant> keyValues;
    for (int k : keyPos_) keyValues.append(buffer_[k]);
    // A new row's counter is the engine's, whatever the buffer holds.
    const bool assigned =
        isNew && keyPos_.size() == 1 && (keyValues.first().isNull() || counter_[keyPos_.first()]);
    QVector<QVector<QVariant>> found;
    bool ok;
    if (assigned && sourceKind_ == QLatin1String("table") && insertedRowId.isValid()) {
        ok = readRows(QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(quoteName(source_)), {insertedRowId},
                      &found);
    } else if (assigned) {
        // Behind a view the new row holds the largest key.
        const QString k = quoteName(FieldName(keyPos_.first()));
        ok = readRows(QStringLiteral("SELECT * FROM %1 WHERE %2 = (SELECT MAX(%2) FROM %1)").arg(from, k),
                      options_.params + options_.params, &found);
    } else {
        ok = byKey(keyValues, &found);
        if (ok && found.isEmpty() && sourceKind_ == QLatin1String("sql") && !options_.unfiltered.isEmpty()) {
            outside = true;
            ok = byKey(keyValues, &found);
        }
    }
    if (!ok || found.isEmpty()) return false;
    if (!isNew && std::any_of(keyPos_.begin(), keyPos_.end(), [this](int k) { return changed_[k]; })) {
        QVector<QVariant> oldKey;
        for (int k : keyPos_) oldKey.append(rowAt(pos_)[k]);
        QVector<QVector<QVariant>> still;
        if (!byKey(oldKey, &still) || !still.isEmpty()) return false;
    }
    *out = found.first();
    return true;
}

bool Recordset::Delete() {
    if (!Updatable()) return fail(QStringLiteral("recordset is not updatable"));
    CancelUpdate();
    if (!hasCurrent()) return fail(QStringLiteral("no current record"));
    const bool ok = inSavepoint([&]() -> QString {
        QVariantList key;
        for (int k : keyPos_) key.append(rowAt(pos_)[k]);
        for (const Target& t : targets_) {
            if (t.keyPos != keyPos_) continue;  // a looked-up row (the player of a game) stays
            QStringList where;
            if (!columnsOf(t, keyPos_, QStringLiteral(" IS ?"), &where)) return QStringLiteral("no key column in ") + t.name;
            Statement del(QStringLiteral("DELETE FROM %1 WHERE %2").arg(quoteName(t.name), where.join(QLatin1String(" AND "))));
            if (!del.run(key)) return del.error();
        }
        return {};
    });
    if (!ok) return false;
    rows_.remove(pos_);
    if (keysetMode()) keyOf_.remove(pos_);
    serials_.remove(pos_);
    deletedHere_ = true;
    return true;
}

}  // namespace vx::db
