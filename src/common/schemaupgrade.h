#pragma once
// The schema the program was built with, and bringing a database of an older schema up to it.
#include <QString>

namespace vx::db {

// The text of db/schema.sql, built into the program.
QString schemaSql();
// The version the schema sets with "PRAGMA user_version = N".
int schemaVersion(const QString& schemaSql);

// Brings the run's database up to the schema when its user_version is older, in one transaction:
// tables, indexes and triggers it lacks are created, every view is made anew (views hold no data),
// and rows the schema inserts go in only into tables created here. A database of the current
// version is left as it is. False, with the database unchanged, on any failure.
bool upgradeSchema(const QString& schemaSql, QString* error = nullptr);

}  // namespace vx::db
