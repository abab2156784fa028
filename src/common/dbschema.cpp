#include "common/dbschema.h"
#include "common/atomicfile.h"
#include "common/dbconnection.h"

#include <QFileInfo>
#include <QVector>
#include <algorithm>

namespace vx::db {

SchemaObject findObject(const QString& name) {
    NameList names;
    QStringList types;
    Statement q(QStringLiteral("SELECT name, type FROM sqlite_master WHERE type IN ('table','view')"));
    if (q.run())
        while (q.next()) {
            names.append(q.value(0).toString());
            types.append(q.value(1).toString());
        }
    const int i = names.indexOf(name.trimmed());
    return {names.value(i), types.value(i)};
}

bool hasTable(const QString& name) { return findObject(name).type == QLatin1String("table"); }
bool hasView(const QString& name) { return findObject(name).type == QLatin1String("view"); }

TableInfo tableInfo(const QString& table) {
    TableInfo t;
    QVector<QPair<int, QString>> key;
    Statement q(QStringLiteral("PRAGMA table_info(%1)").arg(quoteName(table)));
    if (q.run())
        while (q.next()) {
            t.columns.append(q.value(1).toString());
            t.types.append(q.value(2).toString().toUpper());
            if (q.value(5).toInt() > 0) key.append({q.value(5).toInt(), q.value(1).toString()});
        }
    std::sort(key.begin(), key.end());
    for (const auto& k : key) t.key.append(k.second);
    if (t.key.size() == 1 &&
        scalar(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?"), {table})
            .toString()
            .contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive))
        t.counter = t.key.first();
    return t;
}

QStringList splitStatements(const QString& script) {
    QStringList out;
    QString cur;
    QString word, lastWord;
    QStringList leading;  // the first words of the statement, to know a trigger
    bool trigger = false;
    auto endWord = [&] {
        if (word.isEmpty()) return;
        lastWord = word.toUpper();
        if (leading.size() < 4) {
            leading.append(lastWord);
            if (leading.first() == QLatin1String("CREATE") && lastWord == QLatin1String("TRIGGER")) trigger = true;
        }
        word.clear();
    };
    auto finish = [&] {
        const QString s = cur.trimmed();
        if (!s.isEmpty()) out.append(s);
        cur.clear();
        word.clear();
        lastWord.clear();
        leading.clear();
        trigger = false;
    };
    const int n = int(script.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = script.at(i);
        if (c == QLatin1Char('-') && i + 1 < n && script.at(i + 1) == QLatin1Char('-')) {
            endWord();
            while (i < n && script.at(i) != QLatin1Char('\n')) ++i;
            cur += QLatin1Char('\n');
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && script.at(i + 1) == QLatin1Char('*')) {
            endWord();
            const int e = script.indexOf(QLatin1String("*/"), i + 2);
            i = e < 0 ? n : e + 1;
            cur += QLatin1Char(' ');
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
            endWord();
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            cur += c;
            ++i;
            while (i < n) {
                cur += script.at(i);
                if (script.at(i) == close) {
                    if (close != QLatin1Char(']') && i + 1 < n && script.at(i + 1) == close) {
                        cur += script.at(++i);
                    } else {
                        break;
                    }
                }
                ++i;
            }
            lastWord.clear();
            continue;
        }
        if (c == QLatin1Char(';')) {
            endWord();
            if (!trigger || lastWord == QLatin1String("END")) {
                finish();
                continue;
            }
            cur += c;
            lastWord.clear();
            continue;
        }
        if (c.isLetterOrNumber() || c == QLatin1Char('_')) {
            word += c;
        } else {
            endWord();
        }
        cur += c;
    }
    endWord();
    finish();
    return out;
}

bool createFromSchema(const QString& path, const QString& schemaSql, QString* error) {
    auto failed = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (QFileInfo::exists(path)) return failed(QStringLiteral("file exists: ") + path);
    AtomicFile file(path);
    if (!file.open()) return failed(QStringLiteral("cannot write in ") + QFileInfo(path).absolutePath());

    static int serial = 0;
    const QString conn = QStringLiteral("vorlix_create_%1").arg(++serial);
    QString why;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conn);
        db.setDatabaseName(file.tempPath());
        if (!db.open()) {
            why = QStringLiteral("cannot open ") + file.tempPath();
        } else {
            // One transaction: a script that fails part way writes nothing.
            Transaction script(db);
            if (!script.begun()) why = script.error() + QStringLiteral(" in: BEGIN");
            for (const QString& sql : splitStatements(schemaSql)) {
                if (!why.isEmpty()) break;
                Statement s(db, sql);
                if (!s.run()) why = s.error() + QStringLiteral(" in: ") + sql.left(80);
            }
            if (why.isEmpty() && !script.commit()) why = script.error() + QStringLiteral(" in: COMMIT");
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(conn);
    if (!why.isEmpty()) return failed(why);  // the temporary file goes with `file`
    if (!file.commit(AtomicFile::Target::MustNotExist)) return failed(QStringLiteral("cannot create ") + path);
    return true;
}

}  // namespace vx::db
