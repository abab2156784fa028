#include "records/seasonresults.h"
#include "common/convert.h"
#include "common/dbconnection.h"
#include "common/picture.h"
#include <QDate>
#include <array>
#include <cmath>

namespace vx::results {

namespace {

// Equal players always come in the same order, on screen and on paper.
const QString Ranking = QStringLiteral(" ORDER BY \"優Ｐ計\" DESC, \"平均点\" DESC, \"選手ID\"");

// A whole number is bound as one, so that it compares with the keys as they are stored.
QVariant number(double v) {
    if (std::isfinite(v) && v == std::trunc(v) && std::fabs(v) < 9e15) return qint64(v);
    return v;
}

QString shortDate(const QVariant& v) {
    const QDate d = QDate::fromString(v.toString(), Qt::ISODate);
    return d.isValid() ? d.toString(QStringLiteral("yyyy/MM/dd")) : v.toString();
}

std::int16_t int16(qint64 v) { return std::int16_t(std::clamp<qint64>(v, INT16_MIN, INT16_MAX)); }
std::int32_t int32(qint64 v) { return std::int32_t(std::clamp<qint64>(v, INT32_MIN, INT32_MAX)); }

// The rates of ＿成績 over one row of sums per player (r), with the player's name.
QString ratesOver(const QString& sums) {
    return QStringLiteral(
               "SELECT r.\"選手ID\" AS \"選手ID\", p.\"選手名\" AS \"選手名\", r.\"ゲーム\" AS \"ゲーム\", r.\"優Ｐ計\" AS \"優Ｐ計\", "
               "r.\"上位\" AS \"上位\", CAST(r.\"上位\" AS REAL) / NULLIF(r.\"上位数\", 0) AS \"上位率\", "
               "r.\"合計点\" AS \"合計点\", CAST(r.\"合計点\" AS REAL) / NULLIF(r.\"S10数\", 0) AS \"平均点\", "
               "r.\"ST\" AS \"ST\", CAST(r.\"ST\" AS REAL) / NULLIF(r.\"ST数\", 0) AS \"ST平均\", "
               "r.\"スペア\" AS \"スペア\", r.\"ｽﾍﾟｱﾐｽ\" AS \"ｽﾍﾟｱﾐｽ\", "
               "CAST(r.\"スペア\" AS REAL) / NULLIF(r.\"スペア\" + r.\"ｽﾍﾟｱﾐｽ\", 0) AS \"スペア率\" "
               "FROM (") +
           sums + QStringLiteral(") AS r LEFT JOIN \"選手\" AS p ON p.\"選手ID\" = r.\"選手ID\"") + Ranking;
}

}  // namespace

Query allTimeQuery() { return {QStringLiteral("SELECT * FROM \"通算成績\"") + Ranking, {}}; }

Query seasonQuery(double season) {
    return {QStringLiteral("SELECT * FROM \"シーズン成績２\" WHERE \"シーズンID\" = ?") + Ranking, {number(season)}};
}

// The sums are those of ＿成績の和 over the range's games and the rates those of ＿成績: a view
// cannot take a range, so the range's grain is summed here.
Query matchRangeQuery(double first, double last, std::optional<double> season) {
    Query q{ratesOver(QStringLiteral(
                          "SELECT d.\"選手ID\" AS \"選手ID\", COUNT(*) AS \"ゲーム\", SUM(d.\"優Ｐ\") AS \"優Ｐ計\", "
                          "SUM(d.\"上位\") AS \"上位\", COUNT(d.\"上位\") AS \"上位数\", SUM(d.\"S10\") AS \"合計点\", "
                          "COUNT(d.\"S10\") AS \"S10数\", SUM(d.\"ST\") AS \"ST\", COUNT(d.\"ST\") AS \"ST数\", "
                          "SUM(d.\"SP\") AS \"スペア\", SUM(d.\"SPF\") AS \"ｽﾍﾟｱﾐｽ\"") +
                      QStringLiteral(" FROM \"データ項目\" AS d JOIN \"試合\" AS s ON s.\"試合ID\" = d.\"試合ID\" "
                                     "WHERE s.\"試合ID\" BETWEEN ? AND ?%1 GROUP BY d.\"選手ID\"")
                          .arg(season ? QStringLiteral(" AND s.\"シーズンID\" = ?") : QString())),
            {number(first), number(last)}};
    if (season) q.params << number(*season);
    return q;
}

// Signed sums per player in the kept tables' layout, added up. Each season of the scope counts
// whole from its kept sums when all its matches lie in the range, not at all when none does, and
// otherwise as its kept sums less the games of its matches outside the range, or as the games of
// its matches inside when those are fewer. Read backwards, the all-time sums less what does not
// count give the same, reading fewer rows when fewer seasons lie outside the range than inside; the
// all-time sums count games whose match is not stored, so only while there is none.
Query upToMatchQuery(qint64 first, qint64 last, std::optional<double> season) {
    const QStringList fields{QStringLiteral("優Ｐ"), QStringLiteral("上位"), QStringLiteral("S10"), QStringLiteral("ST"),
                             QStringLiteral("SP"), QStringLiteral("SPF")};
    QString kept = QStringLiteral("\"選手ID\", \"ゲーム\""), signedKept = QStringLiteral("t.\"選手ID\", c.\"符号\" * t.\"ゲーム\" AS \"ゲーム\"");
    QString games = QStringLiteral("d.\"選手ID\", %1COUNT(*)");
    for (const QString& f : fields) {
        kept += QStringLiteral(", \"%1和\", \"%1数\"").arg(f);
        signedKept += QStringLiteral(", c.\"符号\" * t.\"%1和\" AS \"%1和\", c.\"符号\" * t.\"%1数\" AS \"%1数\"").arg(f);
        games += QStringLiteral(", %2COALESCE(SUM(d.\"%1\"), 0), %2COUNT(d.\"%1\")").arg(f, QStringLiteral("%1"));
    }
    // Per season of the scope: its matches (n) and those in the range (i).
    QString sql = QStringLiteral(
        "WITH \"季\" AS MATERIALIZED (SELECT s.\"シーズンID\" AS \"k\", COUNT(*) AS \"n\", SUM(s.\"試合ID\" BETWEEN ?1 AND ?2) AS \"i\" "
        "FROM \"試合\" AS s%1 GROUP BY s.\"シーズンID\"), ")
                      .arg(season ? QStringLiteral(" WHERE s.\"シーズンID\" = ?3") : QString());
    sql += season ? QStringLiteral("\"向き\" AS (SELECT 0 AS \"後ろから\"), ")
                  : QStringLiteral("\"向き\" AS MATERIALIZED (SELECT (SELECT TOTAL(\"ゲーム\") FROM \"＿通算\") = "
                                   "(SELECT TOTAL(\"ゲーム\") FROM \"＿全員シーズン計\") AND "
                                   "(SELECT COUNT(*) FROM \"季\" WHERE \"i\" = 0) < (SELECT COUNT(*) FROM \"季\" WHERE \"i\" = \"n\") AS \"後ろから\"), ");
    sql += QStringLiteral(
        "\"区分\" AS (SELECT \"k\", \"n\", \"i\", CASE WHEN \"後ろから\" "
        "THEN CASE WHEN \"i\" = 0 OR (\"i\" < \"n\" AND \"n\" - \"i\" > \"i\") THEN -1 ELSE 0 END "
        "ELSE CASE WHEN \"i\" = \"n\" OR (\"i\" > 0 AND \"n\" - \"i\" <= \"i\") THEN 1 ELSE 0 END END AS \"符号\" FROM \"季\", \"向き\") ");
    // The games of a season's matches, reached from the season's row so that only they are read.
    const QString gamesOf = QStringLiteral(
        " FROM \"季\" AS c CROSS JOIN \"試合\" AS s ON s.\"シーズンID\" IS c.\"k\" "
        "CROSS JOIN \"データ項目\" AS d ON d.\"試合ID\" = s.\"試合ID\" WHERE c.\"i\" > 0 AND c.\"i\" < c.\"n\" AND ");
    QStringList parts{QStringLiteral("SELECT ") + signedKept +
                      QStringLiteral(" FROM \"区分\" AS c CROSS JOIN \"＿シーズン計\" AS t ON t.\"シーズンID\" IS c.\"k\" WHERE c.\"符号\" <> 0")};
    if (!season) parts << QStringLiteral("SELECT %1 FROM \"＿通算\" WHERE (SELECT \"後ろから\" FROM \"向き\")").arg(kept);
    parts << QStringLiteral("SELECT ") + games.arg(QStringLiteral("-")) + gamesOf +
                 QStringLiteral("c.\"n\" - c.\"i\" <= c.\"i\" AND (s.\"試合ID\" < ?1 OR s.\"試合ID\" > ?2) GROUP BY d.\"選手ID\"")
          << QStringLiteral("SELECT ") + games.arg(QString()) + gamesOf +
                 QStringLiteral("c.\"n\" - c.\"i\" > c.\"i\" AND s.\"試合ID\" BETWEEN ?1 AND ?2 GROUP BY d.\"選手ID\"");
    QString sums = QStringLiteral("SELECT \"選手ID\" AS \"選手ID\", SUM(\"ゲーム\") AS \"ゲーム\"");
    const char* const names[6][2] = {{"優Ｐ計", nullptr}, {"上位", "上位数"}, {"合計点", "S10数"}, {"ST", "ST数"}, {"スペア", nullptr}, {"ｽﾍﾟｱﾐｽ", nullptr}};
    for (int i = 0; i < 6; ++i) {
        sums += QStringLiteral(", CASE WHEN SUM(\"%1数\") > 0 THEN SUM(\"%1和\") END AS \"%2\"").arg(fields[i], QString::fromUtf8(names[i][0]));
        if (names[i][1]) sums += QStringLiteral(", SUM(\"%1数\") AS \"%2\"").arg(fields[i], QString::fromUtf8(names[i][1]));
    }
    sums += QStringLiteral(" FROM (") + parts.join(QStringLiteral(" UNION ALL ")) +
            QStringLiteral(") GROUP BY \"選手ID\" HAVING SUM(\"ゲーム\") > 0");
    Query q{sql + ratesOver(sums), {first, last}};
    if (season) q.params << number(*season);
    return q;
}

Query queryOf(int range, const Boxes& boxes) {
    switch (range) {
        case OneSeason: return seasonQuery(Val(boxes.season));
        case MatchRange: return matchRangeQuery(Val(boxes.firstMatch), Val(boxes.lastMatch));
        default: return allTimeQuery();
    }
}

std::optional<IdRanges> readIdRanges() {
    // Row count, largest and smallest ID of a table; nothing when it has no row or cannot be read.
    auto span = [](const char* table, const char* key) -> std::optional<std::array<qint64, 3>> {
        db::Statement q(QStringLiteral("SELECT COUNT(*), MAX(%1), MIN(%1) FROM %2")
                            .arg(db::quoteName(QString::fromUtf8(key)), db::quoteName(QString::fromUtf8(table))));
        if (!q.run({}) || !q.next() || q.value(0).toLongLong() == 0) return std::nullopt;
        return std::array<qint64, 3>{q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toLongLong()};
    };
    const auto seasons = span("シーズン", "シーズンID");
    const auto matches = span("試合", "試合ID");
    if (!seasons || !matches) return std::nullopt;
    IdRanges r;
    r.seasonMax = int16(std::max((*seasons)[0], (*seasons)[1]));
    r.seasonMin = int16(std::min<qint64>(1, (*seasons)[2]));
    r.matchMax = int32(std::max((*matches)[0], (*matches)[1]));
    r.matchMin = int32(std::min<qint64>(1, (*matches)[2]));
    db::Statement dates(QStringLiteral("SELECT \"試合ID\", \"試合日\" FROM \"試合\""));
    if (!dates.run({})) return std::nullopt;
    while (dates.next()) r.matchDates.insert(dates.value(0).toLongLong(), shortDate(dates.value(1)));
    return r;
}

QString rangeInfo(const IdRanges& ranges, const QString& firstMatch, const QString& lastMatch) {
    auto date = [&ranges](const QString& text) {
        const double id = Val(text);
        return id == std::trunc(id) ? ranges.matchDates.value(qint64(id)) : QString();
    };
    return date(firstMatch) + QStringLiteral(" から ") + date(lastMatch) + QStringLiteral(" まで");
}

const QVector<Column>& columns() {
    static const QVector<Column> list = [] {
        const char* const c[12][2] = {{"選手名", "選手名"}, {"ｹﾞｰﾑ数", "ゲーム"}, {"優Ｐ計", "優Ｐ計"}, {"上位", "上位"},
                                      {"上位率", "上位率"}, {"合計点", "合計点"}, {"平均点", "平均点"}, {"ST", "ST"},
                                      {"ST平均", "ST平均"}, {"スペア", "スペア"}, {"ｽﾍﾟｱﾐｽ", "ｽﾍﾟｱﾐｽ"}, {"スペア率", "スペア率"}};
        QVector<Column> out;
        for (const auto& [heading, field] : c) out.append({QString::fromUtf8(heading), QString::fromUtf8(field)});
        return out;
    }();
    return list;
}

QString cellText(int column, const QVariant& value) {
    if (!value.isValid() || value.isNull()) return {};
    const char* format = nullptr;
    switch (column) {
        case 3: format = "General Number"; break;
        case 4: case 11: format = "Percent"; break;
        case 6: case 8: format = "Fixed"; break;
        default: return value.toString();
    }
    return Format(value.toDouble(), QString::fromLatin1(format));
}

QVector<scorebook::PrintLine> printout(int range, const db::Recordset& rows) {
    using scorebook::pictured;
    const scorebook::PrintLine rule{{1, QString(85, QLatin1Char('-'))}};
    QVector<scorebook::PrintLine> out{
        {{5, QStringLiteral("ｼｰｽﾞﾝ\u3000 選手名   Game 優Ｐ  上位 上位率 合計点 平均点 ST  STAve SP\u25CB SP\u00D7 ＳＰ率")}}, rule};
    // Read by name (case and width do not matter: 優P計 is 優Ｐ計, st is ST, スペアミス is ｽﾍﾟｱﾐｽ).
    const char* const names[] = {"シーズンID", "選手名", "ゲーム", "優P計", "上位", "上位率", "合計点",
                                   "平均点", "st", "st平均", "スペア", "スペアミス", "スペア率"};
    int field[13];
    for (int i = 0; i < 13; ++i) field[i] = rows.FieldIndex(QString::fromUtf8(names[i]));
    for (int row = 0; row < rows.RecordCount(); ++row) {
        auto at = [&](int i) { return field[i] < 0 ? QVariant() : rows.valueAt(row, field[i]); };
        const QString where = range == AllTime     ? QStringLiteral("通算")
                              : range == OneSeason ? pictured(at(0), "####", "@@@@@")
                                                   : QStringLiteral("     ");
        const QVariant name = at(1);
        out.append({
            {5, where + Format(textOf(name), QStringLiteral("@@@@@@"))},
            {23, pictured(at(2), "###0", "@@@@")},
            {28, pictured(at(3), "####0", "@@@@@")},
            {34, pictured(at(4), "####0", "@@@@@")},
            {40, pictured(at(5), "####0.0%", "@@@@@@@")},
            {48, pictured(at(6), "######0", "@@@@@@")},
            {55, pictured(at(7), "###00.0", "@@@@@@@")},
            {63, pictured(at(8), "###0", "@@@@")},
            {68, pictured(at(9), "###0.00", "@@@@@@")},
            {74, pictured(at(10), "####0", "@@@@@")},
            {80, pictured(at(11), "####0", "@@@@@")},
            {86, pictured(at(12), "###0.0%", "@@@@@@@@")},
        });
    }
    out.append(rule);
    return out;
}

}  // namespace vx::results
