#pragma once
// The run's one SQLite connection, its transactions, and the one way SQL is run: a Statement,
// prepared once, run with its values bound to the '?' in order. A failure carries SQLite's text.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <type_traits>

struct sqlite3;
struct sqlite3_stmt;

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

// Another program holds the database and SQLite gave up waiting for it: a failure for that reason
// carries this text as its error wherever it is passed on, so that a caller can tell it and say it.
QString inUseMessage();
bool isInUse(const QString& error);
// How many statements failed for that reason so far in the run: a caller that learns only of
// success or failure compares the count before and after.
quint64 inUseFailures();

// A write of several statements as one, on the run's connection or the one given: begun when
// made, kept only by commit(); left any other way (a failure, an early return, an exception) it
// undoes everything since it began. Made while a transaction is open on the connection it is a
// savepoint within it: committed, its rows stay only as long as the outer one is kept.
class Transaction {
public:
    Transaction();
    explicit Transaction(const QSqlDatabase& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    bool begun() const { return begun_; }
    bool commit();
    // SQLite's text of the failure to begin or to commit; empty when there was none.
    QString error() const { return error_; }

private:
    bool run(const QString& sql);
    QSqlDatabase db_;
    QString error_;
    bool nested_ = false;
    bool begun_ = false;
    bool done_ = false;
};

// Runs on SQLite's own handle behind the Qt connection: binding and reading go straight to
// SQLite, values typed as Qt's driver types them (whole numbers as qlonglong, NULL as a null
// QString). On the run's connection a statement once prepared is kept when done with and taken
// again by the next Statement of the same SQL. A statement still open when its connection closes
// is finished first.
class Statement {
public:
    // Prepares sql on the run's connection, or on the one given.
    explicit Statement(const QString& sql);
    Statement(const QSqlDatabase& db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    // Binds values to the '?' in order and runs; as often as needed.
    bool run(const QVariantList& values);
    // Binds one value to the '?' at position (from 1), for rows written by the thousand; run()
    // then runs with the values bound since the last run.
    template <class T>
        requires std::is_integral_v<T>
    Statement& bind(int position, T value) { return bindInteger(position, qint64(value)); }
    Statement& bind(int position, double value);
    Statement& bind(int position, const QString& value);
    Statement& bind(int position, const QVariant& value);
    bool run();
    bool next();  // steps to the next row of the result; false after the last
    QVariant value(int column) const;
    QSqlRecord record() const;  // the result's column names and source tables
    QStringList columnNames() const;  // the result's column names, in order
    // The table column a result column reads, under whatever name the query gives it; empty for
    // an expression.
    QString originColumn(int column) const;
    QVariant lastInsertId() const;
    int rowsAffected() const;
    void finish();  // done reading: the statement holds no lock any more
    // SQLite's text of the last failure (preparing included); empty when there was none.
    QString error() const { return error_; }

private:
    friend void finishStatements(sqlite3* handle);
    Statement& bindInteger(int position, qint64 value);
    Statement& bound(int rc);
    bool fail();
    bool step();
    void release();
    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    QString sql_;           // the key under which a statement of the run's connection is kept
    QString error_;
    bool bindFailed_ = false;
    bool active_ = false;   // ran without failure
    bool pending_ = false;  // the first row is stepped to but not yet handed out
    bool onRow_ = false;
    int changes_ = 0;  // rows the last run wrote itself, read as it ran: later statements change SQLite's count
};

// Called before a statement that may write runs on the run's connection (one that is not
// read-only), not while it is already being called: lists read a page at a time take what they
// still need of the database as it stood. One hook; nullptr removes it.
void setBeforeWrite(void (*hook)());

// Runs one statement.
bool exec(const QString& sql, const QVariantList& params = {}, QString* error = nullptr);
// First column of the first row; an invalid QVariant when there is no row or on error.
QVariant scalar(const QString& sql, const QVariantList& params = {}, QString* error = nullptr);

// Quotes an identifier for SQL text: "name" with inner quotes doubled.
QString quoteName(const QString& name);

}  // namespace vx::db
