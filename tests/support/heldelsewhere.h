#pragma once
// Another program holding the database: a second connection to the file in a transaction that
// reads ("DEFERRED"), takes the write lock ("IMMEDIATE") or every lock ("EXCLUSIVE") until this
// goes. The run's connection, when open, waits for it a moment only.
#include "common/database.h"
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

namespace vxtest {

class HeldElsewhere {
public:
    HeldElsewhere(const QString& path, const char* mode) {
        vx::db::exec(QStringLiteral("PRAGMA busy_timeout = 20"));
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name());
        other.setDatabaseName(path);
        // A read keeps a deferred transaction's read lock, which stops a commit here.
        holding_ = other.open() && QSqlQuery(QStringLiteral("BEGIN %1").arg(QLatin1String(mode)), other).isActive() &&
                   QSqlQuery(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"), other).isActive();
    }
    ~HeldElsewhere() {
        {
            QSqlDatabase other = QSqlDatabase::database(name(), false);
            QSqlQuery(QStringLiteral("ROLLBACK"), other);
            other.close();
        }
        QSqlDatabase::removeDatabase(name());
        vx::db::exec(QStringLiteral("PRAGMA busy_timeout = 5000"));
    }
    HeldElsewhere(const HeldElsewhere&) = delete;
    HeldElsewhere& operator=(const HeldElsewhere&) = delete;
    bool holding() const { return holding_; }

private:
    static QString name() { return QStringLiteral("held_elsewhere"); }
    bool holding_ = false;
};

}  // namespace vxtest
