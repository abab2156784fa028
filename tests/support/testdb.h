#pragma once
// A fresh database from the project's schema in a temporary folder, opened as the run's connection.
#include "common/database.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace vxtest {

inline QString schemaText() {
    QFile f(QStringLiteral(VX_SCHEMA_FILE));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Creates <dir>/Vorlix.mdb and opens it; returns its path, or an empty text on failure.
inline QString openFreshDb(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("Vorlix.mdb"));
    QFile::remove(path);
    vx::db::close();
    if (!vx::db::createFromSchema(path, schemaText())) return {};
    if (!vx::db::open(path)) return {};
    return path;
}

}  // namespace vxtest
