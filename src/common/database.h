#pragma once
// Temporary: replaced by the record layer.
#include <QSqlDatabase>
#include <QString>
namespace vx::db {
bool open(const QString& fileName);
void close();
bool isOpen();
QSqlDatabase connection();
bool hasTable(const QString& name);
}
