// Database compaction with its backup, and the player-name file of the handheld edition.
#include "shell/dbmaint.h"
#include "support/exchange_sheet.h"
#include "support/filesizelimit.h"
#include "support/heldelsewhere.h"
#include "support/testenv.h"


namespace {
int rows() { return db::scalar(QStringLiteral("SELECT COUNT(*) FROM データ項目")).toInt(); }
// Rows of データ項目 in another database file.
int rowsIn(const QString& file) {
    db::exec(QStringLiteral("ATTACH DATABASE ? AS other"), {file});
    const int n = db::scalar(QStringLiteral("SELECT COUNT(*) FROM other.データ項目")).toInt();
    db::exec(QStringLiteral("DETACH DATABASE other"));
    return n;
}
}  // namespace

class TestDbMaint : public QObject {
    Q_OBJECT
    std::unique_ptr<vxtest::TestEnv> env;
    QString path(const QString& name) const { return env->path(name); }

private Q_SLOTS:
    void init() {
        env = std::make_unique<vxtest::TestEnv>(false);
        QVERIFY(vxtest::freshProgramDb());
        QVERIFY(db::exec("INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2026', '春')"));
        QVERIFY(db::exec("INSERT INTO ハンデ (選手ID, シーズンID, ハンデ) VALUES (1, 1, 20)"));
        QVERIFY(db::exec("INSERT INTO データ項目 (選手ID, 試合ID, S10) VALUES (1, 1, 180), (2, 1, 150)"));
    }
    void cleanup() { env.reset(); }

    // A copy left from an earlier attempt never becomes the database; every row is kept, the
    // backup is the database as it stood before the run, and counters go on where they were.
    void compactionKeepsEveryRowAndOneBackup() {
        vxtest::put(path(dbmaint::NewFileName), "left from an earlier attempt");
        QVERIFY(db::exec("INSERT INTO 選手 (選手ID, 選手名) VALUES (1, '山田')"));
        for (int run = 1; run <= 2; ++run) {
            const auto r = dbmaint::compact();
            QVERIFY2(r.ok, qPrintable(r.message));
            QCOMPARE((QList<int>{rows(), rowsIn(path(dbmaint::BackupFileName)), QFile::exists(path(dbmaint::NewFileName))}), (QList<int>{run + 1, run + 1, false}));
            QVERIFY(db::exec("INSERT INTO データ項目 (選手ID, 試合ID) VALUES (2, 2)"));
        }
        QCOMPARE(db::scalar("SELECT MAX(ID) FROM データ項目").toInt(), 4);
        QCOMPARE(db::scalar("SELECT ハンデ FROM 選手名とHDCP WHERE 選手ID = 1").toInt(), 20);
    }

    // Whatever fails, the database stays in place under its name, open and whole, with no backup.
    void aFailureLeavesTheDatabaseInUse_data() {
        QTest::addColumn<int>("failingRename");  // 0: none; 3: the copy, once renamed, does not open
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<QString>("why");
        QTest::newRow("stale copy that cannot be removed") << 0 << false << dbmaint::NewFileName + QStringLiteral(" を削除できません。");
        QTest::newRow("disk full") << 0 << true << QStringLiteral("最適化に失敗しました。(");
        QTest::newRow("to backup") << 1 << false << dbmaint::BackupFileName + QStringLiteral(" を作成できません。");
        QTest::newRow("copy to database") << 2 << false << QStringLiteral("ファイル名を変更できません。");
        QTest::newRow("copy does not open") << 3 << false << QStringLiteral("最適化したデータベースを開けません。");
    }
    void aFailureLeavesTheDatabaseInUse() {
        QFETCH(int, failingRename);
        QFETCH(bool, diskFull);
        QFETCH(QString, why);
        if (!failingRename && !diskFull) QVERIFY(QDir(env->home()).mkdir(dbmaint::NewFileName));
        QVERIFY(db::exec("CREATE TABLE big (t TEXT)"));
        QVERIFY(db::exec("INSERT INTO big VALUES (zeroblob(400000))"));
        int calls = 0;
        dbmaint::Outcome r;
        {
            vx::test::FileSizeLimit limit(diskFull ? 64 * 1024 : RLIM_INFINITY);
            r = dbmaint::compact([&](const QString& from, const QString& to) {
                if (++calls == failingRename && failingRename < 3) return false;
                const bool moved = vx::replaceFile(from, to);
                if (calls == 2 && failingRename == 3) vxtest::put(to, "not a database");
                return moved;
            });
        }
        QCOMPARE(r.message.section(u'\r', 1, 1).left(why.size()), why);
        QVERIFY(!r.ok && r.message.endsWith(QStringLiteral("\r元のデータベースはそのまま使用できます。")));
        QCOMPARE(db::fileName(), QFileInfo(path("Vorlix.mdb")).absoluteFilePath());
        QVERIFY(db::exec("INSERT INTO 会場 (会場名) VALUES ('A')"));
        // No backup, every row, and no copy left but the stale one that could not be removed.
        QCOMPARE((QList<int>{QFile::exists(path(dbmaint::BackupFileName)), rows(), QFile::exists(path(dbmaint::NewFileName))}),
                 (QList<int>{false, 2, (!failingRename && !diskFull) || failingRename == 3}));
    }

    // Where the original cannot even be put back, the message says where it is, and it is whole.
    void aDatabaseThatCannotBePutBackIsNamed() {
        int calls = 0;
        const auto r = dbmaint::compact([&](const QString& from, const QString& to) { return ++calls == 1 && vx::replaceFile(from, to); });
        QCOMPARE(r.message, QStringLiteral("データベースの最適化ができませんでした。\r元のデータベースは ") + dbmaint::BackupFileName + QStringLiteral(" に残っています。"));
        QCOMPARE((QList<int>{r.ok, calls, QFile::exists(path("Vorlix.mdb")), QFile::exists(path(dbmaint::NewFileName)), db::isOpen()}),
                 (QList<int>{false, 3, false, false, false}));
        QVERIFY(db::open(path(dbmaint::BackupFileName)) && rows() == 2);
    }

    // A damaged database is not compacted: the message says so, nothing is copied or renamed.
    void aDamagedDatabaseStaysAsItIs() {
        for (const char* sql : {"CREATE TABLE dup (a)", "INSERT INTO dup VALUES (1), (1)", "CREATE INDEX dup_a ON dup (a)", "PRAGMA writable_schema = ON",
                                "UPDATE sqlite_master SET sql = 'CREATE UNIQUE INDEX dup_a ON dup (a)' WHERE name = 'dup_a'", "PRAGMA writable_schema = OFF"})
            QVERIFY2(db::exec(QString::fromLatin1(sql)), sql);
        db::close();  // read again with the index unique
        const auto r = dbmaint::compact();
        QVERIFY(!r.ok && r.message.contains(QStringLiteral("データベースに異常が見つかりました。")));
        QVERIFY(!QFile::exists(path(dbmaint::BackupFileName)) && !QFile::exists(path(dbmaint::NewFileName)) && rows() == 2);
    }

    // While another program holds the database, compaction says so and renames nothing.
    void compactionWaitsForTheDatabase() {
        vxtest::HeldElsewhere other(path("Vorlix.mdb"), "IMMEDIATE");
        QVERIFY(other.holding());
        const auto r = dbmaint::compact();
        QVERIFY(!r.ok && r.message.contains(db::inUseMessage()) && r.message.contains(QStringLiteral("元のデータベースはそのまま使用できます。")));
        QVERIFY(!QFile::exists(path(dbmaint::BackupFileName)) && !QFile::exists(path(dbmaint::NewFileName)) && db::isOpen());
    }

    // The file lists players by ID without the reserved row, byte for byte; a folder that does not
    // exist gets a message.
    void exportWritesTheFileByteForByte() {
        const QString out = path("ce.txt");
        QVERIFY(dbmaint::exportPlayerNames(out).ok);
        QCOMPARE(QFileInfo(out).size(), 0);
        const auto bad = dbmaint::exportPlayerNames(path("no/such/folder/ce.txt"));
        QVERIFY(!bad.ok && bad.message.contains(QStringLiteral("ファイルに書き込めませんでした。")));
        db::close();  // a database that is gone writes no file
        QVERIFY(QFile::rename(path("Vorlix.mdb"), path("away.mdb")) && QFile::remove(out));
        const auto gone = dbmaint::exportPlayerNames(out);
        QCOMPARE(QString::number(gone.ok) + gone.message + QString::number(QFile::exists(out)), QStringLiteral("0データベースを開けません。0"));
        QVERIFY(QFile::rename(path("away.mdb"), path("Vorlix.mdb")) && db::ensureOpen());
        QVERIFY(db::exec("INSERT INTO 選手 (選手ID, 選手名) VALUES (12345, 'ABCDEFGHIJKL'), (7, '山田'), "
                         "(3, '鈴木一郎太郎花子三四')"));
        QVERIFY(dbmaint::exportPlayerNames(out).ok);
        QCOMPARE(vxtest::fileBytes(out), vxtest::fileBytes(VX_TEST_DATA "/masterdata/players_ce.txt"));
    }
};

QTEST_MAIN(TestDbMaint)
#include "tst_dbmaint.moc"
