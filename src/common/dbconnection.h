#pragma once
// The run's one SQLite connection, its transactions, and the one way SQL is run: a Statement,
// prepared once, run with its values bound to the '?' in order. A failure carries SQLite's text.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

namespace vx::db {

// Opens an existing database file read-write. A missing file, or one that is not an SQLite
// database, is a failure, and no file is ever created. Closes any connection open before.
bool open(const QString& fileName, QString* error = nullptr);
// The run's connection to the program folder's Vorlix.mdb, opened when it is not open yet.
bool ensureOpen(QString* error = nullptr);
void close();
bool isOpen();
QSqlDatabase connection();
QString fileName();

// Transactions on the run's connection. A day is stored all or nothing.
bool beginTransaction(QString* error = nullptr);
bool commit(QString* error = nullptr);
bool rollback();

class Statement {
public:
    // Prepares sql on the run's connection, or on the one given.
    explicit Statement(const QString& sql);
    Statement(const QSqlDatabase& db, const QString& sql);
    // Binds values to the '?' in order and runs; as often as needed.
    bool run(const QVariantList& values = {});
    bool next();  // steps to the next row of the result; false after the last
    QVariant value(int column) const { return q_.value(column); }
    QSqlRecord record() const { return q_.record(); }
    QVariant lastInsertId() const { return q_.lastInsertId(); }
    int rowsAffected() const { return q_.numRowsAffected(); }
    void finish() { q_.finish(); }  // done reading: the statement holds no lock any more
    // SQLite's text of the last failure (preparing included); empty when there was none.
    QString error() const { return error_; }

private:
    bool fail();
    QSqlQuery q_;
    QString error_;
    bool prepared_ = false;
};

// Runs one statement.
bool exec(const QString& sql, const QVariantList& params = {}, QString* error = nullptr);
// First column of the first row; an invalid QVariant when there is no row or on error.
QVariant scalar(const QString& sql, const QVariantList& params = {}, QString* error = nullptr);

// Quotes an identifier for SQL text: "name" with inner quotes doubled.
QString quoteName(const QString& name);

}  // namespace vx::db
