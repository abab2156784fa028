#include "common/database.h"
#include <QFileInfo>
#include <QSqlQuery>
namespace vx::db {
static const char* Conn = "vorlix";
bool open(const QString& fileName) {
    close();
    if (!QFileInfo(fileName).isFile()) return false;
    QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QString::fromLatin1(Conn));
    d.setDatabaseName(fileName);
    d.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READWRITE"));
    if (!d.open()) return false;
    QSqlQuery q(d);
    if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) { close(); return false; }
    return true;
}
void close() {
    if (QSqlDatabase::contains(QString::fromLatin1(Conn))) {
        { QSqlDatabase d = QSqlDatabase::database(QString::fromLatin1(Conn), false); d.close(); }
        QSqlDatabase::removeDatabase(QString::fromLatin1(Conn));
    }
}
bool isOpen() { return QSqlDatabase::contains(QString::fromLatin1(Conn)) && connection().isOpen(); }
QSqlDatabase connection() { return QSqlDatabase::database(QString::fromLatin1(Conn), false); }
bool hasTable(const QString& name) { return connection().tables().contains(name); }
}
