#pragma once
// What the database holds: its tables and views, looked up without regard to case or width, and
// a new database file written from the schema text.
#include "common/names.h"
#include <QString>
#include <QStringList>

namespace vx::db {

struct SchemaObject {
    QString name;  // as the schema spells it; empty when there is no such object
    QString type;  // "table" or "view"
};
// The table or view of that name, on the run's connection.
SchemaObject findObject(const QString& name);
bool hasTable(const QString& name);  // a table (not a view) of that name
bool hasView(const QString& name);

struct TableInfo {
    NameList columns;
    QStringList types;    // declared types, upper case
    QStringList key;      // the primary key's columns in key order
    QString counter;      // the AUTOINCREMENT key (the engine assigns it), or empty
};
TableInfo tableInfo(const QString& table);

// Writes a new database file at path from the schema text. Refuses when the file exists; on
// failure no file is left behind.
bool createFromSchema(const QString& path, const QString& schemaSql, QString* error = nullptr);
// Splits a script into statements (quotes, comments and trigger bodies respected).
QStringList splitStatements(const QString& script);

}  // namespace vx::db
