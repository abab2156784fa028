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

// Creates <folder>/Vorlix.mdb anew and opens it; returns its path, or an empty text on failure.
inline QString openFreshDb(const QString& folder) {
    const QString path = folder + QStringLiteral("/Vorlix.mdb");
    QFile::remove(path);
    vx::db::close();
    if (!vx::db::createFromSchema(path, schemaText())) return {};
    if (!vx::db::open(path)) return {};
    return path;
}

}  // namespace vxtest
