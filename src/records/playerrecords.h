#pragma once
// Individual records without their window: the record kinds (which of a player's stored games, in
// which order), the sentence that explains the current game of a kind, the moves through the list,
// and the queries of the season and all-time statistics.
#include "common/recordset.h"
#include <QString>
#include <QVariantList>

namespace vx::playerrecords {

// The record kinds, by the index of their button.
enum Kind : int { Points = 0, FirstPlace, BestScratch, BestHandicap, AllGames, BestOfDay, Strikes, Spares };
constexpr int KindCount = 8;
// The spare member of the kinds' buttons: it only resets the window.
constexpr int SpareKind = 20;

// The kind of each entry of the kinds' menu, which lists them in another order.
int kindOfMenuEntry(int menuIndex);

struct Query {
    QString sql;
    QVariantList params;
};

// The games of a kind: one player's (by the ID as its box reads; no number reads as 0), or every
// player's. Columns ID, 選手ID, 選手名, 試合ID, ｹﾞｰﾑ, 優Ｐ, 上位, S10, ST, SP, SPF, 当日, 入賞, 競技点,
// HCP, 試合日, M11..M03, S1..S9. A game needs its マーク row; its player's row may be missing.
Query kindQuery(int kind, bool allPlayers, const QString& playerId);
// Read-only, keyed by ID, read a page at a time.
db::OpenOptions listOptions(const Query& query);

// The message for a kind whose list is empty.
QString emptyMessage(int kind);

// A placing counts when it is there and does not begin with a blank (stored placings are padded).
bool hasPlacing(const QString& placing);

// The card's texts that the explanation sentence quotes.
struct CardTexts {
    QString name, placing, points, strikes, spares, score, hcpScore;
};
// The sentence under the card for the game at `position` (from 1) of a kind's list; empty for
// any other kind.
QString explanation(int kind, int position, const CardTexts& card, bool allPlayers);

// Where a move button (first, back ten, previous, next, forward ten, last) takes the list, as a
// position from 1, from `position` in a list of `count`.
int moveTarget(int button, int position, int count);

// The statistics grids: per season and all-time, of one player or of all players together.
Query seasonStats(bool allPlayers, const QString& playerId);
Query allTimeStats(bool allPlayers, const QString& playerId);

}  // namespace vx::playerrecords
