#include "common/appdir.h"
#include <QCoreApplication>
#include <QDir>

namespace vx {

QString programFolder() {
    const QByteArray home = qgetenv("VORLIX_HOME");
    if (!home.isEmpty()) return QDir(QString::fromLocal8Bit(home)).absolutePath();
    return QCoreApplication::applicationDirPath();
}

QString inProgramFolder(const QString& name) { return programFolder() + QLatin1Char('/') + name; }

bool enterProgramFolder() { return QDir::setCurrent(programFolder()); }

}  // namespace vx
