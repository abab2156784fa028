#include "records/matchstats.h"
#include "common/dbconnection.h"
#include <algorithm>

namespace vx::matchstats {

QString keyColumn(int key) {
    static const char* const columns[KeyCount] = {"上位計", "得点計", "最高点", "ST計", "ST最大", "SP計", "SP最大"};
    return QString::fromUtf8(columns[std::clamp(key, 0, KeyCount - 1)]);
}

QString allPlayers() { return QStringLiteral("全　員"); }

Query sortedQuery(int key, bool descending, const QString& player) {
    Query q{QStringLiteral("SELECT * FROM \"＿各試合のデータ項目統計\""), {}};
    if (player != allPlayers()) {
        q.sql += QStringLiteral(" WHERE \"選手名\" = ?");
        q.params << player;
    }
    q.sql += QStringLiteral(" ORDER BY ") + db::quoteName(keyColumn(key)) +
             (descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC")) + QStringLiteral(", \"試合ID\", \"選手名\"");
    return q;
}

}  // namespace vx::matchstats
