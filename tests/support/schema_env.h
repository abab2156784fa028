#pragma once
// A test environment whose database is built by the record layer from the whole schema, views
// and their write-through triggers included.
#include "support/testdb.h"
#include "support/testenv.h"
#include <QFile>

namespace vxtest {

struct SchemaEnv {
    TestEnv env{false};
    SchemaEnv() {
        const QString path = env.path(QStringLiteral("Vorlix.mdb"));
        vx::db::createFromSchema(path, schemaText());
    }
};

}  // namespace vxtest
