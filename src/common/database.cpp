#include "common/database.h"
#include "common/appdir.h"
#include "common/names.h"

#include "common/convert.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryFile>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace vx::db {

namespace {

const QString kConnection = QStringLiteral("vorlix");
QString g_fileName;

// Names match without regard to case or character width ("優p" finds "優Ｐ").
QString fold(const QString& s) { return foldName(s); }

bool setError(QString* error, const QString& text) {
    if (error) *error = text;
    return false;
}

QString errorText(const QSqlError& e) {
    QString t = e.databaseText();
    if (t.isEmpty()) t = e.text();
    return t;
}

bool runQuery(QSqlQuery& q, const QString& sql, const QVariantList& params, QString* error) {
    if (!q.prepare(sql)) return setError(error, errorText(q.lastError()));
    for (const QVariant& p : params) q.addBindValue(p);
    if (!q.exec()) return setError(error, errorText(q.lastError()));
    return true;
}

// name -> type ("table"/"view") of every table and view, in the schema's spelling.
QVector<QPair<QString, QString>> schemaObjects(const QSqlDatabase& db) {
    QVector<QPair<QString, QString>> out;
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("SELECT name, type FROM sqlite_master WHERE type IN ('table','view')")))
        while (q.next()) out.append({q.value(0).toString(), q.value(1).toString()});
    return out;
}

// The schema's spelling and type of a name, matched without regard to case or width.
QPair<QString, QString> findObject(const QSqlDatabase& db, const QString& name) {
    const auto objects = schemaObjects(db);
    for (const auto& o : objects)
        if (o.first == name) return o;
    const QString f = fold(name.trimmed());
    for (const auto& o : objects)
        if (fold(o.first) == f) return o;
    return {};
}

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

QStringList splitKey(const QString& key) {
    QStringList out;
    for (const QString& k : key.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!k.trimmed().isEmpty()) out.append(k.trimmed());
    return out;
}

}  // namespace

// ---- The connection ------------------------------------------------------------------------

QString quoteName(const QString& name) {
    QString n = name;
    n.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

bool open(const QString& fileName, QString* error) {
    close();
    const QFileInfo fi(fileName);
    if (!fi.exists() || !fi.isFile()) return setError(error, QStringLiteral("database file not found: ") + fileName);
    {
        QFile f(fi.absoluteFilePath());
        if (!f.open(QIODevice::ReadOnly)) return setError(error, QStringLiteral("cannot read: ") + fileName);
        // SQLite takes an empty file for an empty database; this program takes it for no database.
        if (f.read(16) != QByteArray("SQLite format 3\0", 16))
            return setError(error, QStringLiteral("not an SQLite database: ") + fileName);
    }
    bool ok = false;
    QString why;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
        // mode=rw: SQLite must never create the file, even if it vanished since the test above.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
        db.setDatabaseName(QUrl::fromLocalFile(fi.absoluteFilePath()).toString(QUrl::FullyEncoded) +
                           QStringLiteral("?mode=rw"));
        if (!db.open()) {
            why = errorText(db.lastError());
        } else {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) && q.next()) ok = true;
            else why = errorText(q.lastError());
        }
        if (!ok) db.close();
    }
    if (!ok) {
        QSqlDatabase::removeDatabase(kConnection);
        return setError(error, why.isEmpty() ? QStringLiteral("cannot open ") + fileName : why);
    }
    g_fileName = fi.absoluteFilePath();
    return true;
}

bool ensureOpen(QString* error) { return isOpen() || open(inProgramFolder(DatabaseFileName), error); }

void close() {
    if (!QSqlDatabase::contains(kConnection)) return;
    {
        QSqlDatabase db = QSqlDatabase::database(kConnection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(kConnection);
    g_fileName.clear();
}

bool isOpen() {
    return QSqlDatabase::contains(kConnection) && QSqlDatabase::database(kConnection, false).isOpen();
}

QSqlDatabase connection() {
    return QSqlDatabase::database(kConnection, false);
}

QString fileName() {
    return g_fileName;
}

bool hasTable(const QString& name) {
    return isOpen() && findObject(connection(), name).second == QLatin1String("table");
}

bool hasView(const QString& name) {
    return isOpen() && findObject(connection(), name).second == QLatin1String("view");
}

namespace {
// The AUTOINCREMENT key of a table (the engine assigns it), or an empty text.
QString counterOf(const QString& table) {
    QStringList pk;
    QSqlQuery q(connection());
    if (q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoteName(table))))
        while (q.next())
            if (q.value(5).toInt() > 0) pk.append(q.value(1).toString());
    if (pk.size() != 1) return {};
    const QString sql =
        scalar(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?"), {table}).toString();
    return sql.contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive) ? pk.first() : QString();
}
}  // namespace

bool beginTransaction() { return isOpen() && connection().transaction(); }
bool commit() { return isOpen() && connection().commit(); }
bool rollback() { return isOpen() && connection().rollback(); }

bool exec(const QString& sql, const QVariantList& params, QString* error) {
    if (!isOpen()) return setError(error, QStringLiteral("no database open"));
    QSqlQuery q(connection());
    return runQuery(q, sql, params, error);
}

QVariant scalar(const QString& sql, const QVariantList& params, QString* error) {
    if (!isOpen()) {
        setError(error, QStringLiteral("no database open"));
        return {};
    }
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    if (!runQuery(q, sql, params, error) || !q.next()) return {};
    return q.value(0);
}

QStringList splitStatements(const QString& script) {
    QStringList out;
    QString cur;
    QString word, lastWord;
    QStringList leading;  // the first words of the statement, to know a trigger
    bool trigger = false;
    auto endWord = [&] {
        if (word.isEmpty()) return;
        lastWord = word.toUpper();
        if (leading.size() < 4) {
            leading.append(lastWord);
            if (leading.first() == QLatin1String("CREATE") && lastWord == QLatin1String("TRIGGER")) trigger = true;
        }
        word.clear();
    };
    auto finish = [&] {
        const QString s = cur.trimmed();
        if (!s.isEmpty()) out.append(s);
        cur.clear();
        word.clear();
        lastWord.clear();
        leading.clear();
        trigger = false;
    };
    const int n = int(script.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = script.at(i);
        if (c == QLatin1Char('-') && i + 1 < n && script.at(i + 1) == QLatin1Char('-')) {
            endWord();
            while (i < n && script.at(i) != QLatin1Char('\n')) ++i;
            cur += QLatin1Char('\n');
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && script.at(i + 1) == QLatin1Char('*')) {
            endWord();
            const int e = script.indexOf(QLatin1String("*/"), i + 2);
            i = e < 0 ? n : e + 1;
            cur += QLatin1Char(' ');
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
            endWord();
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            cur += c;
            ++i;
            while (i < n) {
                cur += script.at(i);
                if (script.at(i) == close) {
                    if (close != QLatin1Char(']') && i + 1 < n && script.at(i + 1) == close) {
                        cur += script.at(++i);
                    } else {
                        break;
                    }
                }
                ++i;
            }
            lastWord.clear();
            continue;
        }
        if (c == QLatin1Char(';')) {
            endWord();
            if (!trigger || lastWord == QLatin1String("END")) {
                finish();
                continue;
            }
            cur += c;
            lastWord.clear();
            continue;
        }
        if (c.isLetterOrNumber() || c == QLatin1Char('_')) {
            word += c;
        } else {
            endWord();
        }
        cur += c;
    }
    endWord();
    finish();
    return out;
}

bool createFromSchema(const QString& path, const QString& schemaSql, QString* error) {
    const QFileInfo target(path);
    if (target.exists()) return setError(error, QStringLiteral("file exists: ") + path);
    QTemporaryFile tmp(target.absoluteFilePath() + QStringLiteral(".XXXXXX.tmp"));
    if (!tmp.open()) return setError(error, QStringLiteral("cannot write in ") + target.absolutePath());
    const QString tmpName = tmp.fileName();
    tmp.close();

    static int serial = 0;
    const QString conn = QStringLiteral("vorlix_create_%1").arg(++serial);
    bool ok = true;
    QString why;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conn);
        db.setDatabaseName(tmpName);
        if (!db.open()) {
            ok = false;
            why = errorText(db.lastError());
        } else {
            QSqlQuery q(db);
            ok = q.exec(QStringLiteral("BEGIN"));
            for (const QString& stmt : splitStatements(schemaSql)) {
                if (!ok) break;
                if (!q.exec(stmt)) {
                    ok = false;
                    why = errorText(q.lastError()) + QStringLiteral(" in: ") + stmt.left(80);
                }
            }
            if (ok && !q.exec(QStringLiteral("COMMIT"))) {
                ok = false;
                why = errorText(q.lastError());
            }
            q.finish();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(conn);
    if (!ok) return setError(error, why);  // the temporary file removes itself
    // rename() never replaces a file that appeared meanwhile.
    if (!QFile::rename(tmpName, target.absoluteFilePath()))
        return setError(error, QStringLiteral("cannot create ") + path);
    tmp.setAutoRemove(false);
    return true;
}

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
    const auto obj = findObject(connection(), source);
    if (!obj.first.isEmpty()) {
        source_ = obj.first;
        sourceKind_ = obj.second;
    } else {
        source_ = source;
        sourceKind_ = QStringLiteral("sql");
    }
    if (options.type == RecordsetType::Table && sourceKind_ != QLatin1String("table"))
        return fail(QStringLiteral("not a table: ") + source);

    if (sourceKind_ == QLatin1String("table")) {
        QSqlQuery q(connection());
        QVector<QPair<int, QString>> pk;
        if (q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoteName(source_))))
            while (q.next())
                if (q.value(5).toInt() > 0) pk.append({q.value(5).toInt(), q.value(1).toString()});
        std::sort(pk.begin(), pk.end());
        for (const auto& p : pk) keys_.append(p.second);
    } else {
        keys_ = splitKey(options.key);
    }
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
        if (!counters.contains(table)) counters.insert(table, counterOf(table));
        const QString c = counters.value(table);
        counter_[i] = !c.isEmpty() && fold(c) == folded_[i];
    }
    return true;
}

QString Recordset::selectSql() const {
    if (sourceKind_ != QLatin1String("sql")) return QStringLiteral("SELECT * FROM ") + quoteName(source_);
    QString s = source_.trimmed();
    while (s.endsWith(QLatin1Char(';'))) s.chop(1);
    return s;
}

bool Recordset::readRows(const QString& sql, const QVariantList& params, QVector<QVector<QVariant>>* out) {
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    QString why;
    if (!runQuery(q, sql, params, &why)) return fail(why);
    const QSqlRecord rec = q.record();
    if (fields_.isEmpty()) {
        for (int i = 0; i < rec.count(); ++i) {
            fields_.append(rec.fieldName(i));
            folded_.append(fold(rec.fieldName(i)));
            origins_.append(rec.field(i).tableName());
        }
    }
    const int n = int(fields_.size());
    while (q.next()) {
        QVector<QVariant> row(n);
        for (int i = 0; i < n && i < rec.count(); ++i) row[i] = q.value(i);
        out->append(row);
    }
    return true;
}

bool Recordset::load() {
    rows_.clear();
    serials_.clear();
    mode_ = EditMode::None;
    deletedHere_ = false;
    if (!readRows(selectSql(), options_.params, &rows_)) return false;
    for (int i = 0; i < rows_.size(); ++i) serials_.append(nextSerial_++);
    pos_ = 0;
    keyPos_.clear();
    for (const QString& k : keys_) keyPos_.append(FieldIndex(k));
    return true;
}

bool Recordset::resolveTargets() {
    targets_.clear();
    if (options_.type == RecordsetType::Snapshot || keys_.isEmpty() || keyPos_.contains(-1)) return false;
    QStringList names;
    if (sourceKind_ == QLatin1String("sql")) {
        for (const QString& t : options_.writeTables) {
            const auto obj = findObject(connection(), t);
            if (!obj.first.isEmpty()) names.append(obj.first);
        }
    } else {
        names.append(source_);
    }
    for (const QString& name : names) {
        Target t;
        t.name = name;
        QSqlQuery q(connection());
        if (q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoteName(name)))) {
            while (q.next()) {
                t.columns.append(q.value(1).toString());
                t.types.append(q.value(2).toString().toUpper());
            }
        }
        targets_.append(t);
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
    return position >= 0 && position < fields_.size() ? fields_[position] : QString();
}

int Recordset::FieldIndex(const QString& name) const {
    const int exact = int(fields_.indexOf(name));
    if (exact >= 0) return exact;
    return int(folded_.indexOf(fold(name)));
}

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
    return rows_[row][position];
}

QVariant Recordset::Value(int position) const {
    if (position < 0 || position >= fields_.size()) return {};
    if (mode_ != EditMode::None) return buffer_[position];
    return hasCurrent() ? rows_[pos_][position] : QVariant();
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
    buffer_ = rows_[pos_];
    changed_ = QVector<bool>(fields_.size(), false);
    mode_ = EditMode::InProgress;
    return true;
}

bool Recordset::convertFor(int position, const QVariant& in, QVariant* out) {
    QString type;
    const QString f = folded_[position];
    for (const Target& t : targets_) {
        for (int c = 0; c < t.columns.size(); ++c)
            if (fold(t.columns[c]) == f) {
                type = t.types[c];
                break;
            }
        if (!type.isEmpty()) break;
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
    bool ok = false;
    if (whole) {
        const qlonglong v = text.toLongLong(&ok);
        if (ok) {
            *out = v;
            return true;
        }
    }
    const double d = text.toDouble(&ok);
    if (!ok || !std::isfinite(d)) return fail(QStringLiteral("type mismatch in field ") + fields_[position]);
    *out = whole ? QVariant(qlonglong(vx::roundHalfEven(d))) : QVariant(d);
    return true;
}

bool Recordset::SetValue(int position, const QVariant& value) {
    if (position < 0 || position >= fields_.size()) return fail(QStringLiteral("no such field"));
    if (mode_ == EditMode::None) return fail(QStringLiteral("no AddNew or Edit"));
    QVariant v;
    if (!convertFor(position, value, &v)) return false;
    buffer_[position] = v;
    changed_[position] = true;
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

bool Recordset::Update() {
    if (mode_ == EditMode::None) return fail(QStringLiteral("no AddNew or Edit"));
    if (!Updatable()) return fail(QStringLiteral("recordset is not updatable"));
    const bool isNew = mode_ == EditMode::AddNew;
    if (!isNew && !changed_.contains(true)) {
        CancelUpdate();
        return true;
    }
    QSqlDatabase db = connection();
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SAVEPOINT vx_recordset"))) return fail(errorText(q.lastError()));
    auto abort = [&](const QString& why) {
        QSqlQuery r(db);
        r.exec(QStringLiteral("ROLLBACK TO vx_recordset"));
        r.exec(QStringLiteral("RELEASE vx_recordset"));
        return fail(why);
    };
    // The target's own spelling of a recordset column, or empty when it has none.
    auto columnIn = [this](const Target& t, int position) {
        for (const QString& c : t.columns)
            if (fold(c) == folded_[position]) return c;
        return QString();
    };
    QVariant rowId;
    QString why;
    if (isNew) {
        const Target& t = targets_.first();
        QStringList cols, marks;
        QVariantList values;
        for (int i = 0; i < fields_.size(); ++i) {
            if (!changed_[i]) continue;
            const QString c = columnIn(t, i);
            if (c.isEmpty()) continue;
            cols.append(quoteName(c));
            marks.append(QStringLiteral("?"));
            values.append(buffer_[i]);
        }
        const QString sql = cols.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteName(t.name))
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quoteName(t.name), cols.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        QSqlQuery ins(db);
        if (!runQuery(ins, sql, values, &why)) return abort(why);
        rowId = ins.lastInsertId();
    } else {
        for (const Target& t : targets_) {
            QStringList sets, where;
            QVariantList values;
            for (int i = 0; i < fields_.size(); ++i) {
                if (!changed_[i]) continue;
                const QString c = columnIn(t, i);
                if (c.isEmpty()) continue;
                sets.append(quoteName(c) + QStringLiteral(" = ?"));
                values.append(buffer_[i]);
            }
            if (sets.isEmpty()) continue;
            for (int k : keyPos_) {
                const QString c = columnIn(t, k);
                if (c.isEmpty()) return abort(QStringLiteral("no key column in ") + t.name);
                where.append(quoteName(c) + QStringLiteral(" IS ?"));
                values.append(rows_[pos_][k]);
            }
            QSqlQuery upd(db);
            if (!runQuery(upd, QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                   .arg(quoteName(t.name), sets.join(QLatin1Char(',')),
                                        where.join(QLatin1String(" AND "))),
                          values, &why))
                return abort(why);
            if (sourceKind_ != QLatin1String("view") && upd.numRowsAffected() == 0)
                return abort(QStringLiteral("the record no longer exists"));
        }
    }
    QVector<QVariant> stored;
    if (!readBack(isNew, rowId, &stored)) return abort(QStringLiteral("the record was not stored as entered"));
    if (!q.exec(QStringLiteral("RELEASE vx_recordset"))) return abort(errorText(q.lastError()));
    if (isNew) {
        rows_.append(stored);
        serials_.append(nextSerial_++);
        pos_ = int(rows_.size()) - 1;
    } else {
        rows_[pos_] = stored;
    }
    deletedHere_ = false;
    CancelUpdate();
    return true;
}

// Reads the row just written back, so that counters, defaults and joined columns show. False when
// it did not arrive as written: not found under its key, or a view kept the old key of an edit.
bool Recordset::readBack(bool isNew, const QVariant& insertedRowId, QVector<QVariant>* out) {
    const QString from = QStringLiteral("(%1) AS vx_src").arg(selectSql());
    auto byKey = [&](const QVector<QVariant>& values, QVector<QVector<QVariant>>* found) {
        QStringList where;
        QVariantList params = options_.params;
        for (int i = 0; i < keyPos_.size(); ++i) {
            where.append(quoteName(fields_[keyPos_[i]]) + QStringLiteral(" IS ?"));
            params.append(values[i]);
        }
        return readRows(QStringLiteral("SELECT * FROM %1 WHERE %2").arg(from, where.join(QLatin1String(" AND "))),
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
        const QString k = quoteName(fields_[keyPos_.first()]);
        ok = readRows(QStringLiteral("SELECT * FROM %1 WHERE %2 = (SELECT MAX(%2) FROM %1)").arg(from, k),
                      options_.params + options_.params, &found);
    } else {
        ok = byKey(keyValues, &found);
    }
    if (!ok || found.isEmpty()) return false;
    if (!isNew && std::any_of(keyPos_.begin(), keyPos_.end(), [this](int k) { return changed_[k]; })) {
        QVector<QVariant> oldKey;
        for (int k : keyPos_) oldKey.append(rows_[pos_][k]);
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
    QSqlDatabase db = connection();
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SAVEPOINT vx_recordset"))) return fail(errorText(q.lastError()));
    QString why;
    for (const Target& t : targets_) {
        QStringList where;
        QVariantList values;
        for (int k : keyPos_) {
            QString col;
            for (const QString& c : t.columns)
                if (fold(c) == folded_[k]) col = c;
            if (col.isEmpty()) {
                why = QStringLiteral("no key column in ") + t.name;
                break;
            }
            where.append(quoteName(col) + QStringLiteral(" IS ?"));
            values.append(rows_[pos_][k]);
        }
        QSqlQuery del(db);
        if (!why.isEmpty() ||
            !runQuery(del, QStringLiteral("DELETE FROM %1 WHERE %2").arg(quoteName(t.name), where.join(QLatin1String(" AND "))),
                      values, &why)) {
            QSqlQuery r(db);
            r.exec(QStringLiteral("ROLLBACK TO vx_recordset"));
            r.exec(QStringLiteral("RELEASE vx_recordset"));
            return fail(why);
        }
    }
    if (!q.exec(QStringLiteral("RELEASE vx_recordset"))) return fail(errorText(q.lastError()));
    rows_.remove(pos_);
    serials_.remove(pos_);
    deletedHere_ = true;
    return true;
}

}  // namespace vx::db
