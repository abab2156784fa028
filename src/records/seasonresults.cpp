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

const QString GamesOfMatches = QStringLiteral(" FROM \"データ項目\" AS d JOIN \"試合\" AS s ON s.\"試合ID\" = d.\"試合ID\" ");

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
                      GamesOfMatches + QStringLiteral("WHERE s.\"試合ID\" BETWEEN ? AND ?%1 GROUP BY d.\"選手ID\"")
                                           .arg(season ? QStringLiteral(" AND s.\"シーズンID\" = ?") : QString())),
            {number(first), number(last)}};
    if (season) q.params << number(*season);
    return q;
}

// Signed sums per player in the kept tables' layout, added up: the kept sums of the whole scope
// less the games of its matches outside the range, or, when those matches are more than the ones
// inside, the games inside summed afresh. The all-time sums count games whose match is not stored,
// so they stand for the scope only while every game's match is stored (the season sums then add up
// to them); otherwise the season sums are added up.
Query upToMatchQuery(qint64 first, qint64 last, std::optional<double> season) {
    const QString scope = season ? QStringLiteral("s.\"シーズンID\" = ?3 AND ") : QString();
    const QString outside = scope + QStringLiteral("(s.\"試合ID\" < ?1 OR s.\"試合ID\" > ?2)");
    const QString inside = scope + QStringLiteral("s.\"試合ID\" BETWEEN ?1 AND ?2");
    const QString fewerOutside = QStringLiteral("(SELECT COUNT(*) FROM \"試合\" AS s WHERE %1) <= (SELECT COUNT(*) FROM \"試合\" AS s WHERE %2)")
                                     .arg(outside, inside);
    const QStringList fields{QStringLiteral("優Ｐ"), QStringLiteral("上位"), QStringLiteral("S10"), QStringLiteral("ST"),
                             QStringLiteral("SP"), QStringLiteral("SPF")};
    QString keptColumns = QStringLiteral("\"選手ID\", \"ゲーム\""), gameSums = QStringLiteral("d.\"選手ID\", %1COUNT(*)");
    for (const QString& f : fields) {
        keptColumns += QStringLiteral(", \"%1和\", \"%1数\"").arg(f);
        gameSums += QStringLiteral(", %2COALESCE(SUM(d.\"%1\"), 0), %2COUNT(d.\"%1\")").arg(f, QStringLiteral("%1"));
    }
    const QString noGameWithoutMatch =
        QStringLiteral("(SELECT TOTAL(\"ゲーム\") FROM \"＿通算\") = (SELECT TOTAL(\"ゲーム\") FROM \"＿全員シーズン計\")");
    QStringList parts;
    if (season) {
        parts << QStringLiteral("SELECT %1 FROM \"＿シーズン計\" WHERE \"シーズンID\" = ?3 AND %2").arg(keptColumns, fewerOutside);
    } else {
        parts << QStringLiteral("SELECT %1 FROM \"＿通算\" WHERE %2 AND %3").arg(keptColumns, fewerOutside, noGameWithoutMatch)
              << QStringLiteral("SELECT %1 FROM \"＿シーズン計\" WHERE %2 AND NOT %3").arg(keptColumns, fewerOutside, noGameWithoutMatch);
    }
    parts << QStringLiteral("SELECT ") + gameSums.arg(QStringLiteral("-")) + GamesOfMatches +
                 QStringLiteral("WHERE %1 AND %2 GROUP BY d.\"選手ID\"").arg(outside, fewerOutside)
          << QStringLiteral("SELECT ") + gameSums.arg(QString()) + GamesOfMatches +
                 QStringLiteral("WHERE %1 AND NOT %2 GROUP BY d.\"選手ID\"").arg(inside, fewerOutside);
    QString sums = QStringLiteral("SELECT \"選手ID\" AS \"選手ID\", SUM(\"ゲーム\") AS \"ゲーム\"");
    const char* const names[6][2] = {{"優Ｐ計", nullptr}, {"上位", "上位数"}, {"合計点", "S10数"}, {"ST", "ST数"}, {"スペア", nullptr}, {"ｽﾍﾟｱﾐｽ", nullptr}};
    for (int i = 0; i < 6; ++i) {
        sums += QStringLiteral(", CASE WHEN SUM(\"%1数\") > 0 THEN SUM(\"%1和\") END AS \"%2\"").arg(fields[i], QString::fromUtf8(names[i][0]));
        if (names[i][1]) sums += QStringLiteral(", SUM(\"%1数\") AS \"%2\"").arg(fields[i], QString::fromUtf8(names[i][1]));
    }
    sums += QStringLiteral(" FROM (") + parts.join(QStringLiteral(" UNION ALL ")) +
            QStringLiteral(") GROUP BY \"選手ID\" HAVING SUM(\"ゲーム\") > 0");
    Query q{ratesOver(sums), {first, last}};
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
    const char* const names[13] = {"シーズンID", "選手名", "ゲーム", "優P計", "上位", "上位率", "合計点",
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
            {5, where + Format(name.isNull() ? QString() : name.toString(), QStringLiteral("@@@@@@"))},
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
