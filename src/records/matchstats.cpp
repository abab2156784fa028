#include "records/matchstats.h"
#include "common/dbconnection.h"
#include <algorithm>

namespace vx::matchstats {

QString keyColumn(int key) {
    static const char* const columns[KeyCount] = {"上位計", "得点計", "最高点", "ST計", "ST最大", "SP計", "SP最大"};
    return QString::fromUtf8(columns[std::clamp(key, 0, KeyCount - 1)]);
}

QString allPlayers() { return QStringLiteral("全　員"); }

// The rows of the saved query, read from the kept figures it reads: for all players in the key's
// order from its index, so that a page of rows costs only its rows; for one player from that
// player's rows. Players of the same name in the same match with the same key come in the order of
// their IDs, as the saved query has them.
Query sortedQuery(int key, bool descending, const QString& player) {
    const QString column = keyColumn(key);
    const QString figures = QStringLiteral("\"＿試合別の和\" AS t"), players = QStringLiteral("\"選手\" AS p");
    const QString match = QStringLiteral(" CROSS JOIN \"試合\" AS s ON s.\"試合ID\" = t.\"試合ID\"");
    Query q;
    QString from, counted;
    if (player == allPlayers()) {
        from = figures + QStringLiteral(" INDEXED BY ") + db::quoteName(QStringLiteral("＿試合別の和_") + column);
        counted = figures;
        for (QString* f : {&from, &counted}) *f += QStringLiteral(" CROSS JOIN ") + players + QStringLiteral(" ON p.\"選手ID\" = t.\"選手ID\"") + match;
    } else {
        from = counted = players + QStringLiteral(" CROSS JOIN ") + figures + QStringLiteral(" ON t.\"選手ID\" = p.\"選手ID\"") + match +
                         QStringLiteral(" WHERE p.\"選手名\" = ?");
        q.params << player;
    }
    q.sql = QStringLiteral("SELECT p.\"選手名\" AS \"選手名\", s.\"試合日\" AS \"試合日\", t.\"Ｇ数\" AS \"Ｇ数\", "
                           "t.\"上位計\" AS \"上位計\", t.\"得点計\" AS \"得点計\", t.\"最高点\" AS \"最高点\", "
                           "t.\"ST計\" AS \"ST計\", t.\"ST最大\" AS \"ST最大\", t.\"SP計\" AS \"SP計\", "
                           "t.\"SP最大\" AS \"SP最大\", t.\"試合ID\" AS \"試合ID\" FROM ") +
            from + QStringLiteral(" ORDER BY t.") + db::quoteName(column) + (descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC")) +
            QStringLiteral(", t.\"試合ID\", p.\"選手名\", t.\"選手ID\"");
    q.count = QStringLiteral("SELECT COUNT(*) FROM ") + counted;
    return q;
}

db::OpenOptions listOptions(const Query& query) {
    db::OpenOptions o;
    o.type = db::RecordsetType::Snapshot;
    o.params = query.params;
    o.paged = true;
    o.countSql = query.count;
    return o;
}

}  // namespace vx::matchstats
