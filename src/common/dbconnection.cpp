#include "common/dbconnection.h"
#include "common/appdir.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QStringEncoder>
#include <QVarLengthArray>
#include <QUrl>
#include <algorithm>
#include <sqlite3.h>
#include <vector>

namespace vx::db {

void finishStatements(sqlite3* handle);
void dropIdle();  // finishes the statements kept for the run's connection

namespace {

sqlite3* handleOf(const QSqlDatabase& db);
sqlite3* g_handle = nullptr;  // the run's connection

const QString kConnection = QStringLiteral("vorlix");
QString g_fileName;

bool setError(QString* error, const QString& text) {
    if (error) *error = text;
    return false;
}

quint64 g_inUse = 0;

// SQLITE_BUSY (and its extended codes): another connection holds the lock. SQLITE_LOCKED is a
// conflict within this connection, not another program.
bool lockedOut(int code) { return (code & 0xff) == SQLITE_BUSY; }

QString inUse() {
    ++g_inUse;
    return inUseMessage();
}

QString errorText(const QSqlError& e) {
    bool numeric = false;
    const int code = e.nativeErrorCode().toInt(&numeric);
    if (numeric && lockedOut(code)) return inUse();
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
}

}  // namespace

QString inUseMessage() { return QStringLiteral("データベースが他のプログラムで使用中です。"); }

bool isInUse(const QString& error) { return error.contains(inUseMessage()); }

quint64 inUseFailures() { return g_inUse; }

// ---- The connection --------------------------------------------------------------------------

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
            Statement probe(db, QStringLiteral("SELECT count(*) FROM sqlite_master"));
            ok = probe.run() && probe.next();
            why = probe.error();
            probe.finish();
            // A row replaced by INSERT OR REPLACE goes through the delete triggers, so that the
            // kept sums lose it.
            if (ok) {
                Statement replaced(db, QStringLiteral("PRAGMA recursive_triggers = ON"));
                ok = replaced.run();
                why = replaced.error();
            }
        }
        if (!ok) db.close();
    }
    if (!ok) {
        QSqlDatabase::removeDatabase(kConnection);
        return setError(error, why.isEmpty() ? QStringLiteral("cannot open ") + fileName : why);
    }
    g_fileName = fi.absoluteFilePath();
    dropIdle();  // none unless the last connection was closed past close()
    g_handle = handleOf(connection());
    return true;
}

bool ensureOpen(QString* error) { return isOpen() || open(inProgramFolder(DatabaseFileName), error); }

void close() {
    if (!QSqlDatabase::contains(kConnection)) return;
    {
        QSqlDatabase db = QSqlDatabase::database(kConnection, false);
        finishStatements(handleOf(db));
        db.close();
    }
    QSqlDatabase::removeDatabase(kConnection);
    g_fileName.clear();
}

bool isOpen() {
    return QSqlDatabase::contains(kConnection) && QSqlDatabase::database(kConnection, false).isOpen();
}

QSqlDatabase connection() { return QSqlDatabase::database(kConnection, false); }

QString fileName() { return g_fileName; }

// ---- Transactions ----------------------------------------------------------------------------

namespace {
const QString kSavepoint = QStringLiteral("vx_part");
}

Transaction::Transaction() : Transaction(connection()) {}

Transaction::Transaction(const QSqlDatabase& db) : db_(db) {
    sqlite3* handle = db.isOpen() ? handleOf(db) : nullptr;
    nested_ = handle && !sqlite3_get_autocommit(handle);
    begun_ = run(nested_ ? QStringLiteral("SAVEPOINT ") + kSavepoint : QStringLiteral("BEGIN"));
}

Transaction::~Transaction() {
    if (!begun_ || done_) return;
    if (!nested_) {
        run(QStringLiteral("ROLLBACK"));
        return;
    }
    run(QStringLiteral("ROLLBACK TO ") + kSavepoint);
    run(QStringLiteral("RELEASE ") + kSavepoint);
}

bool Transaction::commit() {
    if (!begun_ || done_) return false;
    done_ = run(nested_ ? QStringLiteral("RELEASE ") + kSavepoint : QStringLiteral("COMMIT"));
    return done_;
}

bool Transaction::run(const QString& sql) {
    Statement s(db_, sql);
    if (s.run()) return true;
    error_ = s.error();
    return false;
}

// ---- Statements ------------------------------------------------------------------------------

namespace {

void (*g_beforeWrite)() = nullptr;
bool g_inBeforeWrite = false;

std::vector<Statement*> g_statements;  // every statement prepared, to be finished before its connection closes

// Statements of the run's connection done with, most recent last: preparing the same SQL again
// costs more than running it.
struct Idle {
    QString sql;
    sqlite3_stmt* stmt;
};
std::vector<Idle> g_idle;
constexpr std::size_t kIdleKept = 48;

sqlite3* handleOf(const QSqlDatabase& db) {
    const QVariant h = db.driver() ? db.driver()->handle() : QVariant();
    return h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0 ? *static_cast<sqlite3* const*>(h.constData()) : nullptr;
}

// Null as Qt's driver takes it: a null text, byte array or date, an invalid date-time.
bool isNull(const QVariant& v) {
    if (v.isNull()) return true;
    switch (v.typeId()) {
    case QMetaType::QString: return static_cast<const QString*>(v.constData())->isNull();
    case QMetaType::QByteArray: return static_cast<const QByteArray*>(v.constData())->isNull();
    case QMetaType::QDateTime: return !static_cast<const QDateTime*>(v.constData())->isValid();
    case QMetaType::QDate: return static_cast<const QDate*>(v.constData())->isNull();
    case QMetaType::QTime: return !static_cast<const QTime*>(v.constData())->isValid();
    default: return false;
    }
}

QString fromUtf16(const void* text) { return text ? QString::fromUtf16(static_cast<const char16_t*>(text)) : QString(); }

}  // namespace

// Finishes every statement of a connection about to close: SQLite closes no connection that still
// has one, and the statement then fails instead of reaching a closed connection.
void finishStatements(sqlite3* handle) {
    for (Statement* s : g_statements)
        if (s->db_ == handle) {
            s->release();
            s->error_ = QStringLiteral("database closed");
        }
    if (handle == g_handle) dropIdle();
}

void dropIdle() {
    for (const Idle& i : g_idle) sqlite3_finalize(i.stmt);
    g_idle.clear();
    g_handle = nullptr;
}

Statement::Statement(const QString& sql) : Statement(connection(), sql) {}

Statement::Statement(const QSqlDatabase& db, const QString& sql) {
    db_ = db.isOpen() ? handleOf(db) : nullptr;
    if (!db_) {
        error_ = QStringLiteral("no database open");
        return;
    }
    if (db_ == g_handle) {
        for (auto i = g_idle.rbegin(); i != g_idle.rend(); ++i)
            if (i->sql == sql) {
                stmt_ = i->stmt;
                g_idle.erase(std::next(i).base());
                break;
            }
        sql_ = sql;
    }
    if (!stmt_) {
        const void* tail = nullptr;
        if (sqlite3_prepare16_v3(db_, sql.utf16(), int(sql.size() * 2), SQLITE_PREPARE_PERSISTENT, &stmt_, &tail) != SQLITE_OK) {
            fail();
            release();
            return;
        }
        if (tail && !fromUtf16(tail).trimmed().isEmpty()) {
            release();
            error_ = QStringLiteral("Unable to execute multiple statements at a time");
            return;
        }
        if (!stmt_) {  // only blanks or comments
            error_ = QStringLiteral("No query");
            return;
        }
    }
    g_statements.push_back(this);
}

Statement::~Statement() {
    if (stmt_ && db_ == g_handle) {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        g_idle.push_back({sql_, stmt_});
        if (g_idle.size() > kIdleKept) {
            sqlite3_finalize(g_idle.front().stmt);
            g_idle.erase(g_idle.begin());
        }
        stmt_ = nullptr;
    }
    release();
    g_statements.erase(std::remove(g_statements.begin(), g_statements.end(), this), g_statements.end());
}

void Statement::release() {
    if (stmt_) sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    active_ = pending_ = onRow_ = false;
}

bool Statement::fail() {
    error_ = lockedOut(sqlite3_errcode(db_)) ? inUse() : fromUtf16(sqlite3_errmsg16(db_));
    if (stmt_) sqlite3_reset(stmt_);
    active_ = pending_ = onRow_ = false;
    return false;
}

bool Statement::step() {
    switch (sqlite3_step(stmt_)) {
    case SQLITE_ROW: return true;
    case SQLITE_DONE: sqlite3_reset(stmt_); return false;
    default: return fail();
    }
}

Statement& Statement::bound(int rc) {
    if (rc != SQLITE_OK && !bindFailed_) {
        bindFailed_ = true;
        error_ = fromUtf16(sqlite3_errmsg16(db_));
    }
    return *this;
}

Statement& Statement::bindInteger(int position, qint64 value) {
    return stmt_ ? bound(sqlite3_bind_int64(stmt_, position, value)) : *this;
}

Statement& Statement::bind(int position, double value) {
    return stmt_ ? bound(sqlite3_bind_double(stmt_, position, value)) : *this;
}

Statement& Statement::bind(int position, const QString& value) {
    if (!stmt_) return *this;
    if (value.isNull()) return bound(sqlite3_bind_null(stmt_, position));
    // The database holds UTF-8: converted here on the stack, copied once by SQLite.
    QStringEncoder utf8(QStringEncoder::Utf8);
    QVarLengthArray<char, 256> buffer(utf8.requiredSpace(value.size()));
    const char* end = utf8.appendToBuffer(buffer.data(), value);
    return bound(sqlite3_bind_text(stmt_, position, buffer.data(), int(end - buffer.data()), SQLITE_TRANSIENT));
}

// Binds as Qt's driver does, so that a value compares and sorts in SQL as it always did.
Statement& Statement::bind(int position, const QVariant& v) {
    if (!stmt_) return *this;
    if (isNull(v)) return bound(sqlite3_bind_null(stmt_, position));
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::Bool:
    case QMetaType::UInt:
    case QMetaType::LongLong: return bindInteger(position, v.toLongLong());
    case QMetaType::Double: return bind(position, v.toDouble());
    case QMetaType::QString: return bind(position, *static_cast<const QString*>(v.constData()));
    case QMetaType::QByteArray: {
        const QByteArray* b = static_cast<const QByteArray*>(v.constData());
        return bound(sqlite3_bind_blob(stmt_, position, b->constData(), int(b->size()), SQLITE_TRANSIENT));
    }
    case QMetaType::QDateTime: return bind(position, v.toDateTime().toString(Qt::ISODateWithMs));
    case QMetaType::QTime: return bind(position, v.toTime().toString(u"hh:mm:ss.zzz"));
    default: return bind(position, v.toString());
    }
}

bool Statement::run(const QVariantList& values) {
    if (!stmt_) return false;
    if (values.size() != sqlite3_bind_parameter_count(stmt_)) {
        error_ = QStringLiteral("Parameter count mismatch");
        active_ = pending_ = onRow_ = false;
        return false;
    }
    sqlite3_reset(stmt_);  // rows of the last run left unread would refuse the values
    for (int i = 0; i < values.size(); ++i) bind(i + 1, values[i]);
    return run();
}

bool Statement::run() {
    if (!stmt_) return false;
    active_ = pending_ = onRow_ = false;
    changes_ = 0;
    if (bindFailed_) {
        bindFailed_ = false;
        sqlite3_reset(stmt_);
        return false;
    }
    if (g_beforeWrite && !g_inBeforeWrite && db_ == g_handle && !sqlite3_stmt_readonly(stmt_)) {
        g_inBeforeWrite = true;
        g_beforeWrite();
        g_inBeforeWrite = false;
    }
    error_.clear();
    const int before = sqlite3_total_changes(db_);
    pending_ = step();
    // SQLite's count of the last write stays as it was after a statement that writes nothing.
    changes_ = sqlite3_total_changes(db_) != before ? sqlite3_changes(db_) : 0;
    if (!error_.isEmpty()) return false;
    active_ = true;
    return true;
}

bool Statement::next() {
    if (!active_) return false;
    if (pending_) {
        pending_ = false;
        return onRow_ = true;
    }
    if (!onRow_) return false;
    onRow_ = step();
    return onRow_;
}

QVariant Statement::value(int column) const {
    if (!onRow_ || column < 0 || column >= sqlite3_column_count(stmt_)) return {};
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER: return qlonglong(sqlite3_column_int64(stmt_, column));
    case SQLITE_FLOAT: return sqlite3_column_double(stmt_, column);
    case SQLITE_NULL: return QVariant(QMetaType::fromType<QString>());
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, column)), sqlite3_column_bytes(stmt_, column));
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column)),
                                 sqlite3_column_bytes(stmt_, column));
    }
}

QSqlRecord Statement::record() const {
    QSqlRecord r;
    if (!active_) return r;
    for (int i = 0; i < sqlite3_column_count(stmt_); ++i)
        r.append(QSqlField(fromUtf16(sqlite3_column_name16(stmt_, i)).remove(u'"'), QMetaType(),
                           fromUtf16(sqlite3_column_table_name16(stmt_, i)).remove(u'"')));
    return r;
}

QStringList Statement::columnNames() const {
    const QSqlRecord r = record();
    QStringList names;
    for (int i = 0; i < r.count(); ++i) names << r.fieldName(i);
    return names;
}

QString Statement::originColumn(int column) const {
    return active_ ? fromUtf16(sqlite3_column_origin_name16(stmt_, column)).remove(u'"') : QString();
}

QVariant Statement::lastInsertId() const {
    const qint64 id = active_ ? sqlite3_last_insert_rowid(db_) : 0;
    return id ? QVariant(id) : QVariant();
}

int Statement::rowsAffected() const { return changes_; }

void Statement::finish() {
    if (stmt_) sqlite3_reset(stmt_);
    pending_ = onRow_ = false;
}

void setBeforeWrite(void (*hook)()) { g_beforeWrite = hook; }

bool exec(const QString& sql, const QVariantList& params, QString* error) {
    Statement s(sql);
    return s.run(params) || setError(error, s.error());
}

QVariant scalar(const QString& sql, const QVariantList& params, QString* error) {
    Statement s(sql);
    if (!s.run(params)) {
        setError(error, s.error());
        return {};
    }
    return s.next() ? s.value(0) : QVariant();
}

QString quoteName(const QString& name) {
    QString n = name;
    n.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

}  // namespace vx::db
