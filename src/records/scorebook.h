#pragma once
// The score book without its window: the chosen games as criteria, the list of stored games, the
// deletion of games, and the racks of pins a stored game left standing.
#include "common/recordset.h"
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <array>
#include <cstdint>
#include <utility>

namespace vx::scorebook {

// The score book's choice, as its boxes read.
struct Selection {
    QString player;  // player ID: 0, or text that is no number, stands for all players
    int games = 0;   // 0 all games, 1 one season, 2 one match
    QString season;  // season ID, for games 1
    QString match;   // match ID, for games 2
};

// Criteria of the chosen games, each a column equal to a value; all must hold.
enum class Column { Player, Season, Match };
struct Filter {
    QVector<std::pair<Column, QVariant>> terms;
};
Filter filterOf(const Selection& selection);

// The list of the score book, one row per stored game with its marks and frame scores, by season,
// match and game: columns 0 ID, 1..9 S1..S9, 10 選手名, 11 シーズンID, 12 試合, 13 ｹﾞｰﾑ, 14 優Ｐ,
// 15 入賞, 16 S10, 17 競技点, 18..38 M11..M03, 39 試合日, 40 会場名, 41 試合ID, 42 選手ID,
// 43 シーズン名, and 44 会場ID. A game needs its マーク, 選手 and 試合 rows; venue and season may be
// missing. Criteria are bound parameters.
constexpr int FirstMark = 18;
QString listSql(const Filter& filter);
// The captions over the 21 mark columns of a list of games: each frame's number over its first
// ball, the tenth's "１" "０" over its first two.
QStringList markCaptions();
// Opened a page at a time, its keys too (from the kept list ＿スコアブック順); an edited field is written to the table it comes from (a mark or frame
// score to マーク, a game value to データ項目, the name to 選手, season or match number to 試合,
// the venue's name to 会場).
db::OpenOptions listOptions(const Filter& filter);
// The chosen games from the saved query スコアブック, in its order.
struct Query {
    QString sql;
    QVariantList params;
};
Query bookQuery(const Filter& filter);

// Deletes the games of these IDs, each with its rows of データ項目, マーク and フレーム together,
// never a player, match, venue or season. Stops at the first game that cannot be deleted, with
// nothing of that game changed. `deleted` counts the games whose rows were there.
struct Deletion {
    int deleted = 0;
    QString error;  // empty when every game was deleted
};
Deletion deleteGames(const QVector<QVariant>& ids);

// A stored game's balls as its フレーム row keeps them: codes (30 not entered) and pin masks (-1).
struct StoredBalls {
    std::array<int, 21> codes{};
    std::array<std::int32_t, 21> masks{};
};
// The game's balls; all not entered when it has no row or the database cannot be read.
StoredBalls readBalls(const QVariant& id);

// The twelve racks of the pin diagram: frames 1 to 10, then the tenth frame's second and third
// rack. Pin k of rack r is pins[10 r + k]: -1 no data, 0 knocked down by the rack's first ball,
// 1 left by the first ball (knocked down by the second when one was entered), 2 still standing.
struct Racks {
    std::array<std::int8_t, 120> pins{};
    bool secondTenthShown = false;  // rack 10: a scratch score above 9
    bool thirdTenthShown = false;   // rack 11: above 19
};
Racks racksOf(const StoredBalls& balls, double scratchScore);

// Hands a list of stored games to the score-card page: the caller's tag, the bookmark of the
// list's current game and the list's record count, in that order.
void handToScoreCards(const QString& tag, const db::Recordset& list);

}  // namespace vx::scorebook
