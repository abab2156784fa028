#include "shell/dbmaint.h"
#include "common/appdir.h"
#include "common/database.h"
#include "common/picture.h"
#include "common/textfile.h"
#include <QFile>
#include <QStringList>
#include <utility>
#include <vector>

namespace vx::dbmaint {

QString compactQuestion() {
    return QStringLiteral("現在使用中のデータベースを\r\n最適化します。さらに拡張子.BAK\r\nのバックアップを作成します。");
}
QString compactDoneMessage() { return QStringLiteral("終了しました"); }
QString exportIntroMessage() {
    return QStringLiteral(" Vorlix for CE 用の選手名データを\r出力します。ファイルを指定して下さい。");
}
QString exportDoneMessage() { return QStringLiteral("終了しました。"); }

namespace {

Outcome failed(const QString& why) {
    return {false, QStringLiteral("データベースの最適化ができませんでした。\r") + why +
                       QStringLiteral("\r元のデータベースはそのまま使用できます。")};
}

// Tables and their row counts, read on one connection.
bool tableCounts(const QSqlDatabase& d, std::vector<std::pair<QString, qint64>>* out) {
    db::Statement names(d, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    if (!names.run()) return false;
    QStringList tables;
    while (names.next()) tables << names.value(0).toString();
    for (const QString& t : tables) {
        db::Statement c(d, QStringLiteral("SELECT COUNT(*) FROM ") + db::quoteName(t));
        if (!c.run() || !c.next()) return false;
        out->push_back({t, c.value(0).toLongLong()});
    }
    return true;
}

bool intact(const QSqlDatabase& d) {
    db::Statement q(d, QStringLiteral("PRAGMA integrity_check"));
    return q.run() && q.next() && q.value(0).toString() == QLatin1String("ok");
}

// The copy must open, pass the check and hold every row of the original.
bool copyIsComplete(const QString& copyPath, const std::vector<std::pair<QString, qint64>>& expected) {
    const QString name = QStringLiteral("vx_compact_check");
    bool ok = false;
    {
        QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        d.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        d.setDatabaseName(copyPath);
        if (d.open()) {
            std::vector<std::pair<QString, qint64>> counts;
            ok = intact(d) && tableCounts(d, &counts) && counts == expected;
            d.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

}  // namespace

Outcome compact(const RenameFn& rename) {
    const QString dbPath = inProgramFolder(DatabaseFileName);
    const QString newPath = inProgramFolder(NewFileName);
    const QString bakPath = inProgramFolder(BackupFileName);
    if (!db::isOpen() && !db::open(dbPath))
        return failed(QStringLiteral("データベースを開けません。"));

    // Another program holding the database would go on writing to the backup after the renames.
    QString why;
    if (db::exec(QStringLiteral("BEGIN IMMEDIATE"), {}, &why)) db::exec(QStringLiteral("ROLLBACK"));
    else if (db::isInUse(why)) return failed(db::inUseMessage());
    if (!intact(db::connection())) return failed(QStringLiteral("データベースに異常が見つかりました。"));
    std::vector<std::pair<QString, qint64>> counts;
    if (!tableCounts(db::connection(), &counts)) return failed(QStringLiteral("データベースを読めません。"));

    // A copy left from an earlier attempt must never become the database.
    if (QFile::exists(newPath) && !QFile::remove(newPath))
        return failed(NewFileName + QStringLiteral(" を削除できません。"));
    if (!db::exec(QStringLiteral("VACUUM INTO ?"), {newPath}, &why)) {
        QFile::remove(newPath);
        return failed(QStringLiteral("最適化に失敗しました。(") + why + QLatin1Char(')'));
    }
    if (!copyIsComplete(newPath, counts)) {
        QFile::remove(newPath);
        return failed(QStringLiteral("最適化したデータベースを確認できません。"));
    }

    db::close();
    auto reopen = [&] { return db::open(dbPath); };
    if (!rename(dbPath, bakPath)) {
        QFile::remove(newPath);
        reopen();
        return failed(BackupFileName + QStringLiteral(" を作成できません。"));
    }
    if (!rename(newPath, dbPath)) {
        // Put the original back under its own name.
        const bool back = rename(bakPath, dbPath);
        QFile::remove(newPath);
        if (!back || !reopen())
            return {false, QStringLiteral("データベースの最適化ができませんでした。\r元のデータベースは ") +
                               BackupFileName + QStringLiteral(" に残っています。")};
        return failed(QStringLiteral("ファイル名を変更できません。"));
    }
    if (!reopen()) {
        // The checked copy should always open; if not, the backup takes its place again.
        rename(dbPath, newPath);
        rename(bakPath, dbPath);
        reopen();
        return failed(QStringLiteral("最適化したデータベースを開けません。"));
    }
    return {true, {}};
}

Outcome exportPlayerNames(const QString& path) {
    if (!db::ensureOpen())
        return {false, QStringLiteral("データベースを開けません。")};
    // Read everything first, so that a database failure leaves no file behind.
    std::vector<std::pair<qint64, QString>> players;
    {
        db::Statement q(QStringLiteral("SELECT \"選手ID\", \"選手名\" FROM \"選手\" WHERE \"選手ID\" <> 0 ORDER BY \"選手ID\""));
        if (!q.run()) return {false, QStringLiteral("選手名を読めません。")};
        while (q.next()) players.push_back({q.value(0).toLongLong(), q.value(1).toString()});
    }
    try {
        TextWriter w(path);
        for (const auto& [id, name] : players)
            w.Write({Format(double(id), QStringLiteral("0000")), Format(name, QStringLiteral("!@@@@@@@@@@"))});
        w.close();
    } catch (const TextFileError&) {
        return {false, QStringLiteral("ファイルに書き込めませんでした。\r") + path};
    }
    return {true, {}};
}

}  // namespace vx::dbmaint
