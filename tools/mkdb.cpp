// Writes an empty database from the schema file when none is there; never overwrites one.
#include "common/database.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: vorlix_mkdb schema.sql Vorlix.mdb\n");
        return 2;
    }
    const QString schemaPath = QString::fromLocal8Bit(argv[1]);
    const QString dbPath = QString::fromLocal8Bit(argv[2]);
    if (QFileInfo::exists(dbPath)) return 0;
    QFile schema(schemaPath);
    if (!schema.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "vorlix_mkdb: cannot read %s\n", argv[1]);
        return 1;
    }
    QString error;
    if (!vx::db::createFromSchema(dbPath, QString::fromUtf8(schema.readAll()), &error)) {
        // Another build step may have written it meanwhile; that one stands.
        if (QFileInfo::exists(dbPath)) return 0;
        std::fprintf(stderr, "vorlix_mkdb: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
