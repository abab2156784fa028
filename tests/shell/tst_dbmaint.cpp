// Database compaction with its backup, and the player-name file of the handheld edition.
#include "common/appdir.h"
#include "common/database.h"
#include "shell/dbmaint.h"
#include "support/filesizelimit.h"
#include "support/testenv.h"
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <memory>

using namespace vx;
using vxtest::TestEnv;

namespace {
QVariant sql(const QString& text) { return db::scalar(text); }

// Rows of one table in a database file, read on a connection of its own.
int rowsIn(const QString& path, const QString& table) {
    int n = -1;
    {
        QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        d.setDatabaseName(path);
        if (d.open()) {
            QSqlQuery q(d);
            if (q.exec(QStringLiteral("SELECT COUNT(*) FROM ") + db::quoteName(table)) && q.next()) n = q.value(0).toInt();
            d.close();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    return n;
}
}  // namespace

class TestDbMaint : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    QString path(const QString& name) const { return env->path(name); }

    // The database is in place under its own name, open, and still holds the seeded rows.
    void expectOriginalInUse() {
        QVERIFY(db::isOpen());
        QCOMPARE(db::fileName(), QFileInfo(path("Vorlix.mdb")).absoluteFilePath());
        QCOMPARE(sql("SELECT COUNT(*) FROM データ項目").toInt(), 2);
        QVERIFY(db::exec("INSERT INTO 会場 (会場名) VALUES ('A')"));
        QVERIFY(!QFile::exists(path(dbmaint::NewFileName)));
    }

private Q_SLOTS:
    void init() {
        env = std::make_unique<TestEnv>(false);
        QVERIFY(vxtest::freshProgramDb());
        QVERIFY(vxtest::execSql("INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2026', '春')"));
        QVERIFY(vxtest::execSql("INSERT INTO ハンデ (選手ID, シーズンID, ハンデ) VALUES (1, 1, 20)"));
        QVERIFY(vxtest::execSql("INSERT INTO データ項目 (選手ID, 試合ID, S10) VALUES (1, 1, 180), (2, 1, 150)"));
    }
    void cleanup() { env.reset(); }

    void compactionKeepsEveryRowAndOneBackup() {
        QVERIFY(vxtest::execSql("INSERT INTO 選手 (選手ID, 選手名) VALUES (1, '山田')"));
        auto r = dbmaint::compact();
        QVERIFY2(r.ok, qPrintable(r.message));
        QVERIFY(db::isOpen());
        QCOMPARE(sql("SELECT COUNT(*) FROM データ項目").toInt(), 2);
        QCOMPARE(sql("SELECT ハンデ FROM 選手名とHDCP WHERE 選手ID = 1").toInt(), 20);
        QCOMPARE(rowsIn(path(dbmaint::BackupFileName), "データ項目"), 2);
        QVERIFY(!QFile::exists(path(dbmaint::NewFileName)));

        // The backup is the database as it stood before the second run.
        QVERIFY(db::exec("INSERT INTO データ項目 (選手ID, 試合ID) VALUES (2, 2)"));
        QVERIFY(dbmaint::compact().ok);
        QCOMPARE(rowsIn(path(dbmaint::BackupFileName), "データ項目"), 3);
        QCOMPARE(sql("SELECT COUNT(*) FROM データ項目").toInt(), 3);
        // Counters go on where they were, so a game's three rows stay paired.
        QVERIFY(db::exec("INSERT INTO データ項目 (選手ID, 試合ID) VALUES (2, 3)"));
        QCOMPARE(sql("SELECT MAX(ID) FROM データ項目").toInt(), 4);
    }

    void aStaleCopyNeverBecomesTheDatabase() {
        QFile stale(path(dbmaint::NewFileName));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("left from an earlier attempt");
        stale.close();
        QVERIFY(dbmaint::compact().ok);
        QCOMPARE(sql("SELECT COUNT(*) FROM データ項目").toInt(), 2);

        // A stale copy that cannot be removed stops the run before anything changes.
        QVERIFY(QDir(env->home()).mkdir(dbmaint::NewFileName));
        QVERIFY(QFile::remove(path(dbmaint::BackupFileName)));
        const auto blocked = dbmaint::compact();
        QVERIFY(!blocked.ok);
        QVERIFY(blocked.message.contains(QStringLiteral("元のデータベースはそのまま使用できます。")));
        QVERIFY(!QFile::exists(path(dbmaint::BackupFileName)));
        QVERIFY(db::isOpen());
        QCOMPARE(sql("SELECT COUNT(*) FROM データ項目").toInt(), 2);
    }

    void aFailingCompactionLeavesTheDatabase() {
        QVERIFY(db::exec("CREATE TABLE big (t TEXT)"));
        QVERIFY(db::exec("INSERT INTO big VALUES (zeroblob(400000))"));
        dbmaint::Outcome r;
        {
            vx::test::FileSizeLimit limit(64 * 1024);
            r = dbmaint::compact();
        }
        QVERIFY(!r.ok);
        QVERIFY(r.message.contains(QStringLiteral("元のデータベースはそのまま使用できます。")));
        QVERIFY(!QFile::exists(path(dbmaint::BackupFileName)));
        expectOriginalInUse();
    }

    void aFailingRenameIsRolledBack_data() {
        QTest::addColumn<int>("failingCall");
        QTest::newRow("to backup") << 1;
        QTest::newRow("copy to database") << 2;
    }
    void aFailingRenameIsRolledBack() {
        QFETCH(int, failingCall);
        int calls = 0;
        const auto r = dbmaint::compact([&](const QString& from, const QString& to) {
            return ++calls != failingCall && vx::replaceFile(from, to);
        });
        QVERIFY(!r.ok);
        expectOriginalInUse();
    }

    void exportWritesTheFileByteForByte() {
        // Inserted out of order: the file lists players by ID, without the reserved row.
        QVERIFY(vxtest::execSql("INSERT INTO 選手 (選手ID, 選手名) VALUES (12345, 'ABCDEFGHIJKL'), (7, '山田'), "
                                "(3, '鈴木一郎太郎花子三四')"));
        const QString out = path("ce.txt");
        QVERIFY(dbmaint::exportPlayerNames(out).ok);
        QFile got(out), want(QStringLiteral(VX_TEST_DATA "/masterdata/players_ce.txt"));
        QVERIFY(got.open(QIODevice::ReadOnly) && want.open(QIODevice::ReadOnly));
        QCOMPARE(got.readAll(), want.readAll());
    }

    void exportOfOnlyTheReservedRowIsEmpty() {
        const QString out = path("ce.txt");
        QVERIFY(dbmaint::exportPlayerNames(out).ok);
        QCOMPARE(QFileInfo(out).size(), 0);
        const auto bad = dbmaint::exportPlayerNames(path("no/such/folder/ce.txt"));
        QVERIFY(!bad.ok);
        QVERIFY(bad.message.contains(QStringLiteral("ファイルに書き込めませんでした。")));
    }
};

QTEST_MAIN(TestDbMaint)
#include "tst_dbmaint.moc"
