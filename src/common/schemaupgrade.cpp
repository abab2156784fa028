#include "common/schemaupgrade.h"
#include "common/database.h"
#include <QRegularExpression>
#include <QSet>

namespace vx::db {

int schemaVersion(const QString& schemaSql) {
    // Read at every start: a plain search, as a regular expression would first have to be compiled.
    const QLatin1String pragma("PRAGMA"), key("user_version");
    for (qsizetype at = schemaSql.indexOf(key, 0, Qt::CaseInsensitive); at >= 0;
         at = schemaSql.indexOf(key, at + 1, Qt::CaseInsensitive)) {
        qsizetype before = at;
        while (before > 0 && schemaSql[before - 1].isSpace()) --before;
        if (before == at || before < pragma.size() ||
            QStringView(schemaSql).mid(before - pragma.size(), pragma.size()).compare(pragma, Qt::CaseInsensitive) != 0)
            continue;
        qsizetype i = at + key.size();
        while (i < schemaSql.size() && schemaSql[i].isSpace()) ++i;
        if (i >= schemaSql.size() || schemaSql[i] != QLatin1Char('=')) continue;
        ++i;
        while (i < schemaSql.size() && schemaSql[i].isSpace()) ++i;
        const qsizetype digits = i;
        while (i < schemaSql.size() && schemaSql[i] >= QLatin1Char('0') && schemaSql[i] <= QLatin1Char('9')) ++i;
        if (i > digits) return QStringView(schemaSql).mid(digits, i - digits).toInt();
    }
    return 0;
}

namespace {

struct Step {
    QString kind;  // TABLE, INDEX, VIEW, TRIGGER, INSERT, or empty for anything else
    QString name;  // the object created, or the table inserted into
};

Step stepOf(const QString& statement) {
    static const QRegularExpression create(
        QStringLiteral(R"re(^\s*(?:--[^\n]*\n\s*)*CREATE\s+(?:UNIQUE\s+)?(TABLE|INDEX|VIEW|TRIGGER)\s+"((?:[^"]|"")+)")re"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression insert(QStringLiteral(R"re(^\s*(?:--[^\n]*\n\s*)*INSERT\s+INTO\s+"((?:[^"]|"")+)")re"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (const auto m = create.match(statement); m.hasMatch())
        return {m.captured(1).toUpper(), m.captured(2).replace(QStringLiteral("\"\""), QStringLiteral("\""))};
    if (const auto m = insert.match(statement); m.hasMatch())
        return {QStringLiteral("INSERT"), m.captured(1).replace(QStringLiteral("\"\""), QStringLiteral("\""))};
    return {};
}

bool exists(const QString& name) { return scalar(QStringLiteral("SELECT 1 FROM sqlite_master WHERE name = ?"), {name}).isValid(); }

}  // namespace

bool upgradeSchema(const QString& schemaSql, QString* error) {
    auto fail = [error](const QString& text) {
        if (error) *error = text;
        return false;
    };
    const int target = schemaVersion(schemaSql);
    const QVariant current = scalar(QStringLiteral("PRAGMA user_version"));
    if (!current.isValid()) {
        if (error) *error = QStringLiteral("PRAGMA user_version");
        return false;
    }
    if (current.toInt() >= target) return true;
    Transaction upgrade;
    if (!upgrade.begun()) return fail(upgrade.error());
    QSet<QString> created;
    for (const QString& statement : splitStatements(schemaSql)) {
        const Step step = stepOf(statement);
        QString err;
        if (step.kind == QLatin1String("VIEW")) {
            if (!exec(QStringLiteral("DROP VIEW IF EXISTS ") + quoteName(step.name), {}, &err)) return fail(err);
        } else if (step.kind == QLatin1String("INSERT")) {
            if (!created.contains(step.name)) continue;
        } else if (step.kind.isEmpty() || exists(step.name)) {
            continue;
        }
        if (!exec(statement, {}, &err)) return fail(step.name + QStringLiteral(": ") + err);
        created.insert(step.name);
    }
    QString err;
    if (!exec(QStringLiteral("PRAGMA user_version = %1").arg(target), {}, &err)) return fail(err);
    if (!upgrade.commit()) return fail(upgrade.error());
    return true;
}

}  // namespace vx::db
