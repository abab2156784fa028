#include "common/recordset.h"
#include "common/convert.h"
#include "common/dbconnection.h"
#include "common/dbschema.h"

#include <QHash>
#include <QSqlField>
#include <QSqlRecord>
#include <algorithm>
#include <cmath>
#include <vector>

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
qint64 reserveSerials(qint64 n) {
    static qint64 serial = 0;
    const qint64 first = serial + 1;
    serial += n;
    return first;
}

qint64 nextSerial() { return reserveSerials(1); }

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

// ---- Rows read when looked at ----------------------------------------------------------------

// The rows of a keyset or paged list by their place in the list as it was read, with the rows
// deleted and added since. Only the pages looked at are held, the least recently used going first,
// apart from rows written through the list. Keys read a page at a time by place, and the rows of a
// paged list, are read from the database's list only while nothing was written since the list was
// opened: before the first write they are copied whole into a temporary table of the connection
// (on disk, not in memory) and read from there by place. A copy gone with a rolled-back
// transaction leaves the database as the list found it: the list reads it again, and copies it
// afresh before the next write.
class LazyRows {
public:
    // keyField: the key's field, -1 for a list paged by place; key: its name.
    LazyRows(const QString& select, const QVariantList& params, int fields, int keyField, const QString& key,
             const QString& keysInOrder, const QString& count)
        : select_(select), params_(params), fields_(fields), keyField_(keyField), key_(key), keysInOrder_(keysInOrder),
          count_(count) {}
    ~LazyRows() { watch(false); }
    LazyRows(const LazyRows& o)
        : select_(o.select_), params_(o.params_), fields_(o.fields_), keyField_(o.keyField_), key_(o.key_),
          keysInOrder_(o.keysInOrder_), count_(o.count_), listed_(o.listed_), removed_(o.removed_), added_(o.added_),
          serialBase_(o.serialBase_), keys_(o.keys_), keyPages_(o.keyPages_), rowPages_(o.rowPages_),
          written_(o.written_), whole_(o.whole_), snapshot_(o.snapshot_), keyPagesRead_(o.keyPagesRead_), tick_(o.tick_) {
        if (o.watched_) watch(true);
    }
    LazyRows& operator=(const LazyRows&) = delete;

    bool open(QString* error);
    int count() const { return listed_ - int(removed_.size()) + int(added_.size()); }
    const QVector<QVariant>& row(int r) const;
    QVariant key(int r) const;
    qint64 serial(int r) const;
    int rowOfSerial(qint64 serial) const;
    void remove(int r);
    void append(const QVector<QVariant>& values, qint64 serial) { added_.append({values, serial}); }
    void set(int r, const QVector<QVariant>& values);
    // Copies what is still read by place (keys, or a paged list's rows) aside, before a write.
    void takeWhole();

private:
    static constexpr int RowPage = 256, KeyPage = 2048;
    static constexpr int RowPagesKept = 16, KeyPagesKept = 32;
    // A list walked through key page by key page (every game deleted or printed) copies its keys
    // aside, so that a page further on costs its keys only.
    static constexpr int KeyPagesBeforeCopy = 32;
    struct Added {
        QVector<QVariant> values;
        qint64 serial;
    };
    struct Page {
        QVector<QVector<QVariant>> rows;  // key pages: one value a row
        quint64 used = 0;
    };
    int placeOf(int r) const;  // >= 0 a place of the list as read, else -1 - the index of an added row
    QVariant keyAt(int place) const;
    const QVector<QVariant>& rowAt(int place) const;
    QVector<QVector<QVariant>> readPage(int page) const;
    QVector<QVector<QVariant>> readByPlace(const QString& sql, int columns, int first, int count) const;
    bool copyAside() const;
    void readKeysWhole() const;
    Page& keep(QHash<int, Page>& pages, int page, QVector<QVector<QVariant>> rows, int kept) const;
    void watch(bool on);

    QString select_;
    QVariantList params_;
    int fields_;
    int keyField_;
    QString key_;
    QString keysInOrder_;
    QString count_;
    int listed_ = 0;
    QVector<int> removed_;  // places, ascending
    QVector<Added> added_;
    qint64 serialBase_ = 0;  // the bookmark of place p is serialBase_ + p
    mutable QVector<QVariant> keys_;      // every key, once read whole
    mutable QHash<int, Page> keyPages_;   // while the keys are read by place
    mutable QHash<int, Page> rowPages_;
    QHash<int, QVector<QVariant>> written_;  // rows stored through the list, by place
    mutable bool whole_ = false;          // a paged list holds every row (no copy could be made)
    // The temporary table the keys or rows by place were copied to, row p + 1 for place p; dropped
    // with the last list that reads it.
    struct Copy {
        QString table;
        ~Copy();
    };
    mutable std::shared_ptr<Copy> snapshot_;
    mutable int keyPagesRead_ = 0;
    mutable quint64 tick_ = 0;
    bool watched_ = false;
};

namespace {

std::vector<LazyRows*>& watchedLists() {
    static auto* lists = new std::vector<LazyRows*>;  // never destroyed: lists may outlive it at exit
    return *lists;
}

bool g_copying = false;  // the lists' own temporary tables are written: nothing to take first

// Runs a statement on the lists' temporary tables.
bool copyStatement(const QString& sql, const QVariantList& params = {}) {
    g_copying = true;
    Statement q(sql);
    const bool ok = q.run(params);
    g_copying = false;
    return ok;
}

}  // namespace

void LazyRows::watch(bool on) {
    auto& lists = watchedLists();
    lists.erase(std::remove(lists.begin(), lists.end(), this), lists.end());
    watched_ = on;
    if (!on) return;
    static const bool hooked = [] {
        setBeforeWrite([] {
            if (g_copying) return;
            const std::vector<LazyRows*> now = watchedLists();
            for (LazyRows* l : now) l->takeWhole();
        });
        return true;
    }();
    Q_UNUSED(hooked);
    lists.push_back(this);
}

bool LazyRows::open(QString* error) {
    if (keyField_ >= 0 && keysInOrder_.isEmpty()) {
        // The keys alone, in the list's order, now.
        Statement q(QStringLiteral("SELECT %1 FROM (%2)").arg(quoteName(key_), select_));
        if (!q.run(params_)) return *error = q.error(), false;
        while (q.next()) keys_.append(q.value(0));
        listed_ = int(keys_.size());
    } else {
        Statement q(!count_.isEmpty() ? count_ : QStringLiteral("SELECT COUNT(*) FROM (%1)").arg(keyField_ < 0 ? select_ : keysInOrder_));
        if (!q.run(params_) || !q.next()) return *error = q.error(), false;
        listed_ = q.value(0).toInt();
        watch(true);
    }
    serialBase_ = reserveSerials(listed_);
    return true;
}

int LazyRows::placeOf(int r) const {
    const int live = listed_ - int(removed_.size());
    if (r >= live) return -1 - (r - live);
    int place = r;
    for (int gone : removed_) {
        if (gone > place) break;
        ++place;
    }
    return place;
}

qint64 LazyRows::serial(int r) const {
    const int place = placeOf(r);
    return place >= 0 ? serialBase_ + place : added_[-1 - place].serial;
}

int LazyRows::rowOfSerial(qint64 serial) const {
    if (serial >= serialBase_ && serial < serialBase_ + listed_) {
        const int place = int(serial - serialBase_);
        const auto at = std::lower_bound(removed_.begin(), removed_.end(), place);
        if (at != removed_.end() && *at == place) return -1;
        return place - int(at - removed_.begin());
    }
    for (int i = 0; i < added_.size(); ++i)
        if (added_[i].serial == serial) return listed_ - int(removed_.size()) + i;
    return -1;
}

void LazyRows::remove(int r) {
    const int place = placeOf(r);
    if (place < 0) {
        added_.remove(-1 - place);
        return;
    }
    removed_.insert(std::lower_bound(removed_.begin(), removed_.end(), place), place);
    written_.remove(place);
}

void LazyRows::set(int r, const QVector<QVariant>& values) {
    const int place = placeOf(r);
    if (place < 0) added_[-1 - place].values = values;
    else written_.insert(place, values);
}

const QVector<QVariant>& LazyRows::row(int r) const {
    const int place = placeOf(r);
    if (place < 0) return added_[-1 - place].values;
    const auto w = written_.constFind(place);
    return w != written_.constEnd() ? *w : rowAt(place);
}

QVariant LazyRows::key(int r) const {
    const int place = placeOf(r);
    if (place < 0) return added_[-1 - place].values.value(keyField_);
    const auto w = written_.constFind(place);
    return w != written_.constEnd() ? w->value(keyField_) : keyAt(place);
}

LazyRows::Page& LazyRows::keep(QHash<int, Page>& pages, int page, QVector<QVector<QVariant>> rows, int kept) const {
    if (kept > 0 && pages.size() >= kept) {
        auto oldest = pages.begin();
        for (auto p = pages.begin(); p != pages.end(); ++p)
            if (p->used < oldest->used) oldest = p;
        pages.erase(oldest);
    }
    return *pages.insert(page, {std::move(rows), 0});
}

QVariant LazyRows::keyAt(int place) const {
    if (keyField_ < 0) return {};
    if (keysInOrder_.isEmpty() || !keys_.isEmpty()) return keys_.value(place);
    const int page = place / KeyPage;
    Page* p;
    if (const auto found = keyPages_.find(page); found != keyPages_.end()) {
        p = &*found;
    } else {
        if (++keyPagesRead_ > KeyPagesBeforeCopy && !snapshot_ && !copyAside()) {
            readKeysWhole();
            return keys_.value(place);
        }
        p = &keep(keyPages_, page, readByPlace(keysInOrder_, 1, page * KeyPage, KeyPage), KeyPagesKept);
    }
    p->used = ++tick_;
    return p->rows.value(place % KeyPage).value(0);
}

const QVector<QVariant>& LazyRows::rowAt(int place) const {
    const int page = place / RowPage;
    Page* p;
    if (const auto found = rowPages_.find(page); found != rowPages_.end()) p = &*found;
    else p = &keep(rowPages_, page, readPage(page), whole_ ? 0 : RowPagesKept);
    p->used = ++tick_;
    return p->rows[place % RowPage];
}

// Rows first..first+count-1 of SQL text by their place, from its copy while there is one. Rows the
// text no longer has (another program wrote the file meanwhile) read as nothing.
QVector<QVector<QVariant>> LazyRows::readByPlace(const QString& sql, int columns, int first, int count) const {
    count = std::max(0, std::min(count, listed_ - first));
    QVector<QVector<QVariant>> out;
    out.reserve(count);
    auto read = [&](Statement& q) {
        while (out.size() < count && q.next()) {
            QVector<QVariant> row(columns);
            for (int i = 0; i < columns; ++i) row[i] = q.value(i);
            out.append(row);
        }
    };
    if (snapshot_) {
        Statement q(QStringLiteral("SELECT * FROM temp.%1 WHERE rowid > ? AND rowid <= ? ORDER BY rowid").arg(quoteName(snapshot_->table)));
        if (q.run({first, first + count})) read(q);
        else snapshot_.reset();
    }
    if (!snapshot_) {
        Statement q(QStringLiteral("SELECT * FROM (%1) LIMIT ? OFFSET ?").arg(sql));
        if (q.run(params_ + QVariantList{count, first})) read(q);
    }
    while (out.size() < count) out.append(QVector<QVariant>(columns));
    return out;
}

LazyRows::Copy::~Copy() {
    if (!table.isEmpty()) copyStatement(QStringLiteral("DROP TABLE IF EXISTS temp.") + quoteName(table));
}

// Copies the keys (a paged list: the rows) in the list's order into a temporary table.
bool LazyRows::copyAside() const {
    static int made = 0;
    auto copy = std::make_shared<Copy>();
    copy->table = QStringLiteral("vx_list_%1").arg(++made);
    if (!copyStatement(QStringLiteral("CREATE TEMP TABLE %1 AS SELECT * FROM (%2)")
                           .arg(quoteName(copy->table), keyField_ < 0 ? select_ : keysInOrder_),
                       params_)) {
        copy->table.clear();
        return false;
    }
    snapshot_ = std::move(copy);
    return true;
}

// A page of rows: a paged list's by place; a keyset list's in one query by their keys, where a
// row whose key is gone from the source since the keys were read shows its key alone.
QVector<QVector<QVariant>> LazyRows::readPage(int page) const {
    const int first = page * RowPage;
    if (keyField_ < 0) return readByPlace(select_, fields_, first, RowPage);
    const int count = std::min(RowPage, listed_ - first);
    QVector<QVector<QVariant>> out(count, QVector<QVariant>(fields_));
    QVariantList params = params_;
    QHash<QString, int> rowOfKey;
    for (int i = 0; i < count; ++i) {
        const QVariant key = keyAt(first + i);
        out[i][keyField_] = key;
        rowOfKey.insert(key.toString(), i);
        params.append(key);
    }
    const QStringList marks(count, QStringLiteral("?"));
    Statement q(QStringLiteral("SELECT * FROM (%1) WHERE %2 IN (%3)").arg(select_, quoteName(key_), marks.join(QLatin1Char(','))));
    if (!q.run(params)) return out;
    while (q.next()) {
        const int i = rowOfKey.value(q.value(keyField_).toString(), -1);
        if (i < 0) continue;
        for (int f = 0; f < fields_; ++f) out[i][f] = q.value(f);
    }
    return out;
}

void LazyRows::readKeysWhole() const {
    QVector<QVariant> keys;
    keys.reserve(listed_);
    Statement q(keysInOrder_);
    if (q.run(params_))
        while (keys.size() < listed_ && q.next()) keys.append(q.value(0));
    keys.resize(listed_);
    keys_ = std::move(keys);
    keyPages_.clear();
}

// Before a write: a list with a copy checks it is still there (a rollback takes it), one without
// makes one; where none can be made, what is left is read into memory.
void LazyRows::takeWhole() {
    if (!keys_.isEmpty() || whole_) {
        watch(false);
        return;
    }
    if (snapshot_ && scalar(QStringLiteral("SELECT 1 FROM temp.sqlite_master WHERE name = ?"), {snapshot_->table}).isValid()) return;
    snapshot_.reset();
    if (copyAside()) return;
    watch(false);
    if (keyField_ >= 0) {
        readKeysWhole();
        return;
    }
    const QVector<QVector<QVariant>> all = readByPlace(select_, fields_, 0, listed_);
    for (int page = 0; page * RowPage < listed_; ++page)
        if (!rowPages_.contains(page)) rowPages_.insert(page, {all.mid(page * RowPage, RowPage), 0});
    whole_ = true;
}

// ---- Recordset -------------------------------------------------------------------------------

QVariant Record::Value(const QString& field) const {
    return rs_.valueAt(row_, rs_.FieldIndex(field));
}

QVariant Record::Value(int position) const {
    return rs_.valueAt(row_, position);
}

Recordset::Recordset() = default;
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset&& other) noexcept = default;
Recordset& Recordset::operator=(Recordset&& other) noexcept = default;

Recordset::Recordset(const Recordset& o)
    : source_(o.source_), sourceKind_(o.sourceKind_), options_(o.options_), open_(o.open_), fields_(o.fields_),
      origins_(o.origins_), originColumns_(o.originColumns_), rows_(o.rows_), serials_(o.serials_),
      lazy_(o.lazy_ ? std::make_unique<LazyRows>(*o.lazy_) : nullptr), pos_(o.pos_), deletedHere_(o.deletedHere_),
      noMatch_(o.noMatch_), keys_(o.keys_), keyPos_(o.keyPos_), targets_(o.targets_), counter_(o.counter_), mode_(o.mode_),
      buffer_(o.buffer_), changed_(o.changed_), error_(o.error_) {}

Recordset& Recordset::operator=(const Recordset& other) {
    if (this != &other) *this = Recordset(other);
    return *this;
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
    serials_.clear();
    lazy_.reset();
    mode_ = EditMode::None;
    deletedHere_ = false;
    auto findKeys = [this] {
        keyPos_.clear();
        for (const QString& k : keys_) keyPos_.append(FieldIndex(k));
    };
    // Keyset and paged: the fields from a query that reads no row, then the keys or the count.
    if ((options_.keyset && keys_.size() == 1) || pagedMode()) {
        if (!readRows(QStringLiteral("SELECT * FROM (%1) LIMIT 0").arg(selectSql()), options_.params, &rows_))
            return false;
        findKeys();
    }
    if (keysetMode() || pagedMode()) {
        const bool keyset = keysetMode();
        lazy_ = std::make_unique<LazyRows>(selectSql(), options_.params, fields_.size(), keyset ? keyPos_.first() : -1,
                                           keyset ? FieldName(keyPos_.first()) : QString(),
                                           keyset ? withoutSemicolon(options_.keysInOrder) : QString(), options_.countSql);
        if (QString why; !lazy_->open(&why)) {
            lazy_.reset();
            return fail(why);
        }
    } else {
        if (!readRows(selectSql(), options_.params, &rows_)) return false;
        findKeys();
        for (int i = 0; i < rows_.size(); ++i) serials_.append(nextSerial());
    }
    pos_ = 0;
    return true;
}

int Recordset::RecordCount() const { return lazy_ ? lazy_->count() : int(rows_.size()); }

const QVector<QVariant>& Recordset::rowAt(int row) const {
    return lazy_ ? lazy_->row(row) : rows_[row];
}

void Recordset::setRow(int row, const QVector<QVariant>& values) {
    if (lazy_) lazy_->set(row, values);
    else rows_[row] = values;
}

QVariant Recordset::keyValue(int row) const {
    if (row < 0 || row >= RecordCount() || keyPos_.isEmpty() || keyPos_.first() < 0) return {};
    return lazy_ ? lazy_->key(row) : rows_[row][keyPos_.first()];
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

bool Recordset::IsEOF() const { return !open_ || pos_ >= RecordCount(); }
bool Recordset::IsBOF() const { return !open_ || pos_ < 0 || RecordCount() == 0; }
bool Recordset::hasCurrent() const { return open_ && !deletedHere_ && pos_ >= 0 && pos_ < RecordCount(); }

bool Recordset::MoveFirst() {
    CancelUpdate();
    if (!open_ || RecordCount() == 0) return fail(QStringLiteral("no current record"));
    pos_ = 0;
    deletedHere_ = false;
    return true;
}

bool Recordset::MoveLast() {
    CancelUpdate();
    if (!open_ || RecordCount() == 0) return fail(QStringLiteral("no current record"));
    pos_ = RecordCount() - 1;
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
    if (pos_ >= RecordCount()) return fail(QStringLiteral("no current record"));
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
    if (pos_ < 0 || RecordCount() == 0) return fail(QStringLiteral("no current record"));
    --pos_;
    return true;
}

int Recordset::AbsolutePosition() const {
    return hasCurrent() ? pos_ : -1;
}

bool Recordset::SetAbsolutePosition(int position) {
    if (!open_ || position < 0 || position >= RecordCount()) return fail(QStringLiteral("invalid position"));
    CancelUpdate();
    pos_ = position;
    deletedHere_ = false;
    return true;
}

QString Recordset::Bookmark() const {
    return hasCurrent() ? bookmarkAt(pos_) : QString();
}

QString Recordset::bookmarkAt(int row) const {
    if (row < 0 || row >= RecordCount()) return {};
    return QString::number(lazy_ ? lazy_->serial(row) : serials_[row]);
}

int Recordset::rowOfBookmark(const QString& bookmark) const {
    bool ok = false;
    const qint64 s = bookmark.toLongLong(&ok);
    if (!ok) return -1;
    return lazy_ ? lazy_->rowOfSerial(s) : int(serials_.indexOf(s));
}

bool Recordset::SetBookmark(const QString& bookmark) {
    const int row = rowOfBookmark(bookmark);
    if (row < 0) return fail(QStringLiteral("not a valid bookmark"));
    return SetAbsolutePosition(row);
}

// ---- values ----

QVariant Recordset::valueAt(int row, int position) const {
    if (row < 0 || row >= RecordCount() || position < 0 || position >= fields_.size()) return {};
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
    for (int r = std::max(start, 0); r < RecordCount(); ++r)
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
        if (lazy_) {
            lazy_->append(stored, nextSerial());
        } else {
            rows_.append(stored);
            serials_.append(nextSerial());
        }
        pos_ = RecordCount() - 1;
    } else {
        setRow(pos_, stored);
    }
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
    if (lazy_) {
        lazy_->remove(pos_);
    } else {
        rows_.remove(pos_);
        serials_.remove(pos_);
    }
    deletedHere_ = true;
    return true;
}

}  // namespace vx::db
