#include "common/dbconnection.h"
#include "common/appdir.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QUrl>

namespace vx::db {

namespace {

const QString kConnection = QStringLiteral("vorlix");
QString g_fileName;

bool setError(QString* error, const QString& text) {
    if (error) *error = text;
    return false;
}

QString errorText(const QSqlError& e) { return e.databaseText().isEmpty() ? e.text() : e.databaseText(); }

}  // namespace

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

QSqlDatabase connection() { return QSqlDatabase::database(kConnection, false); }

QString fileName() { return g_fileName; }

bool beginTransaction(QString* error) {
    if (!isOpen()) return setError(error, QStringLiteral("no database open"));
    return connection().transaction() || setError(error, errorText(connection().lastError()));
}

bool commit(QString* error) {
    if (!isOpen()) return setError(error, QStringLiteral("no database open"));
    return connection().commit() || setError(error, errorText(connection().lastError()));
}

bool rollback() { return isOpen() && connection().rollback(); }

// ---- Statements ------------------------------------------------------------------------------

Statement::Statement(const QString& sql) : Statement(connection(), sql) {}

Statement::Statement(const QSqlDatabase& db, const QString& sql) : q_(db) {
    if (!db.isOpen()) {
        error_ = QStringLiteral("no database open");
        return;
    }
    q_.setForwardOnly(true);
    prepared_ = q_.prepare(sql) || fail();
}

bool Statement::fail() {
    error_ = errorText(q_.lastError());
    return false;
}

bool Statement::run(const QVariantList& values) {
    if (!prepared_) return false;
    error_.clear();
    for (int i = 0; i < values.size(); ++i) q_.bindValue(i, values[i]);
    return q_.exec() || fail();
}

bool Statement::next() { return q_.next(); }

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
