#include "testenv.h"
#include "common/clock.h"
#include "common/database.h"
#include "common/module1.h"
#include "common/settings.h"
#include "platform/form.h"
#include "platform/mdiframe.h"
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QWidget>
#include <QTest>

namespace vxtest {

namespace {
bool createDb(const QString& path) {
    QFile f(QStringLiteral(VX_SCHEMA_FILE));
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QString schema = QString::fromUtf8(f.readAll());
    {
        QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("vxtest_create"));
        d.setDatabaseName(path);
        if (!d.open()) return false;
        QSqlQuery q(d);
        // Statements end with ";" at a line end; triggers carry their own inner statements.
        QString stmt;
        for (const QString& line : schema.split(QLatin1Char('\n'))) {
            stmt += line + QLatin1Char('\n');
            const QString t = stmt.trimmed();
            if (!t.endsWith(QLatin1Char(';'))) continue;
            if (t.contains(QLatin1String("CREATE TRIGGER"), Qt::CaseInsensitive) && !t.endsWith(QLatin1String("END;"), Qt::CaseInsensitive)) continue;
            if (!t.startsWith(QLatin1String("--")) && !q.exec(t)) qWarning("schema: %s", qPrintable(q.lastError().text()));
            stmt.clear();
        }
        d.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("vxtest_create"));
    return true;
}
}  // namespace

TestEnv::TestEnv(bool withDatabase) {
    qputenv("VORLIX_HOME", home_.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
    vx::settings::reload();
    vx::clock::setFixed(QDateTime(QDate(2026, 5, 17), QTime(10, 0)));
    Module1::resetAll();
    QDir::setCurrent(home_.path());
    if (withDatabase) createDb(path(QStringLiteral("Vorlix.mdb")));
}

TestEnv::~TestEnv() {
    resetUi();
    vx::db::close();
    vx::clock::setFixed({});
    QDir::setCurrent(QDir::tempPath());
}

bool execSql(const QString& sql) {
    if (!vx::db::isOpen() && !vx::db::open(QStringLiteral("Vorlix.mdb"))) return false;
    QSqlQuery q(vx::db::connection());
    if (!q.exec(sql)) {
        qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return false;
    }
    return true;
}

QString saveShot(QWidget* widget, const QString& name) {
    QDir().mkpath(QStringLiteral(VX_SHOTS_DIR));
    const QString file = QStringLiteral(VX_SHOTS_DIR) + QLatin1Char('/') + name + QStringLiteral(".png");
    widget->grab().save(file);
    return file;
}

void resetUi() {
    vx::forms::destroyAll();
    delete vx::MdiFrame::instance();
    Module1::resetAll();
}

}  // namespace vxtest
