#include "testenv.h"
#include "testdb.h"
#include "app/windows.h"
#include "common/appdir.h"
#include "common/clock.h"
#include "common/module1.h"
#include "common/settings.h"
#include "platform/form.h"
#include "platform/mdiframe.h"
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>

namespace vxtest {

TestEnv::TestEnv(bool withDatabase) {
    qputenv("VORLIX_HOME", home_.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
    vx::settings::reload();
    vx::clock::setFixed(QDateTime(QDate(2026, 5, 17), QTime(10, 0)));
    Module1::resetAll();
    vx::registerAllWindows();
    QDir::setCurrent(home_.path());
    if (withDatabase) vx::db::createFromSchema(path(vx::DatabaseFileName), schemaText());
}

TestEnv::~TestEnv() {
    resetUi();
    vx::db::close();
    vx::clock::setFixed({});
    QDir::setCurrent(QDir::tempPath());
}

bool freshProgramDb() { return !openFreshDb(vx::programFolder()).isEmpty(); }

bool execSql(const QString& sql) {
    if (!vx::db::isOpen() && !vx::db::open(vx::DatabaseFileName)) return false;
    QSqlQuery q(vx::db::connection());
    if (q.exec(sql)) return true;
    qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    return false;
}

QString saveShot(QWidget* widget, const QString& name) {
    QDir().mkpath(QStringLiteral(VX_SHOTS_DIR));
    const QString file = QStringLiteral(VX_SHOTS_DIR "/") + name + QStringLiteral(".png");
    widget->grab().save(file);
    return file;
}

void resetUi() {
    vx::forms::destroyAll();
    delete vx::MdiFrame::instance();
    Module1::resetAll();
}

}  // namespace vxtest
