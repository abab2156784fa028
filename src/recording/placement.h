#pragma once
// Lane slots of the day without the window: slot arithmetic, seating players with their season
// handicaps, the player and handicap rows stored on the way, and the hand-over to the score entry.
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>
#include <utility>

namespace vx::placement {

constexpr std::int16_t EmptySlotId = -1;
inline const QString NoPlayerName = QStringLiteral("選手名未入力");
constexpr int SlotsPerLane = 6;

// Slot s sits on lane s div 6 + 1 at order s mod 6 + 1; the lane grid's cell (row, col), both
// from 1, is slot (row - 1) x 6 + (col - 1).
inline int laneOf(int slot) { return slot / SlotsPerLane + 1; }
inline int orderOf(int slot) { return slot % SlotsPerLane + 1; }
inline int slotOf(int row, int col) { return (row - 1) * SlotsPerLane + (col - 1); }
// Lanes of the sheet (LastPlayer div 6 + 1).
int laneCount();
bool isSlot(int slot);  // 0..LastPlayer
// The cell after (row, col): on along the lane, then the next lane, wrapping to the first slot.
std::pair<int, int> nextCell(int row, int col);

// Fresh slot arrays for 0..LastPlayer: every slot empty, never used, handicap 0.
void allocateSlots();
bool slotTaken(int slot);
// The slot holding the player, or -1.
int slotOfPlayer(std::int16_t playerId);
// Seats a player: ID, name (10 characters) and handicap, the handicap into every game of the slot.
// Refused (false) when the slot holds another player or the player sits in another slot.
bool seat(int slot, std::int16_t playerId, const QString& name, std::int16_t hcp);
// Empties a slot; its handicap and game records stay.
void empty(int slot);

// The player's handicap for the season in ハンデ (first row found); nothing when there is none.
// dbError (when given) tells a failed read apart.
std::optional<std::int16_t> seasonHandicap(const QVariant& seasonId, int playerId, bool* dbError = nullptr);
// Largest stored 選手ID (0 for an empty table), nothing on a database error.
std::optional<int> largestPlayerId();
bool playerExists(int playerId);

enum class StoreResult { Stored, IdTaken, Failed };
// A new player with its handicap for the season, stored together or not at all.
StoreResult storeNewPlayer(int playerId, const QString& name, const QVariant& seasonId, int hcp);
// A handicap row for a player and season.
bool storeHandicap(int playerId, const QVariant& seasonId, int hcp);

// Hands the slots to the score entry: every record takes its slot's name, CurPlayer becomes the
// cursor's slot (0 when outside the sheet), and the score-entry boxes show that player afresh.
void handOver(int cursorSlot);

// Number to 16 bits, rounding half to even and clamping.
std::int16_t toInt16(double v);

}  // namespace vx::placement
