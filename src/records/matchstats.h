#pragma once
// The per-match statistics without their window: every player's figures in every stored match,
// from the saved query, sorted by one of seven keys, for all players or one.
#include "common/recordset.h"
#include <QString>
#include <QVariantList>

namespace vx::matchstats {

inline constexpr int KeyCount = 7;
// The query column that key 0..6 sorts by: 上位計, 得点計, 最高点, ST計, ST最大, SP計, SP最大.
QString keyColumn(int key);

// The name of the reserved player row, which stands for all players.
QString allPlayers();

struct Query {
    QString sql;
    QVariantList params;
    QString count = {};  // the number of its rows, over the same parameters
};
// The rows of ＿各試合のデータ項目統計 sorted by the key (clamped to 0..6) in the direction; equal
// keys in match order, then by name. A player other than "全　員" lists the rows of that name only,
// the name bound as it is. Read a page at a time (see listOptions).
Query sortedQuery(int key, bool descending, const QString& player);
// The sorted rows opened read-only, counted and read a page at a time.
db::OpenOptions listOptions(const Query& query);

}  // namespace vx::matchstats
