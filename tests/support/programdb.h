#pragma once
// The program folder's Vorlix.mdb built from the schema by the record layer (triggers and
// views complete), opened as the run's connection.
#include "common/database.h"
#include "support/testdb.h"
#include "support/testenv.h"
#include <QFile>

namespace vxtest {

inline bool freshProgramDb(const TestEnv& env) {
    vx::db::close();
    const QString path = env.path(QStringLiteral("Vorlix.mdb"));
    QFile::remove(path);
    return vx::db::createFromSchema(path, schemaText()) && vx::db::open(path);
}

}  // namespace vxtest
