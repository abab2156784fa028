#pragma once
// The match of the day without the window: the proposal of a new match, the checks of a typed
// match against the stored ones, fixing it in the shared state, and the fresh score sheet.
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

namespace vx::matchsetup {

// Years a match date may have (the year scroll bar spans the same range).
constexpr int FirstYear = 1900;
constexpr int LastYear = 2099;
// Match IDs and the numbers of matches in a season travel in 16 bits through the day's results.
constexpr int LargestMatchId = 32767;
constexpr int LargestMatchNo = 32767;
// Venue IDs are kept in a byte; the database counts them from 1.
constexpr int LargestVenueId = 255;

// Largest stored 試合ID + 1 (1 for an empty table); nothing on a database error.
std::optional<int> proposeMatchId();

// The texts of the set-up boxes, as typed.
struct MatchEntry {
    QString id;      // overall match ID
    QString season;  // season ID
    QString year, month, day;
    QString venue;   // venue ID
    QString number;  // number of the match in its season
};

// BadNumber: the number in the season is no whole number in 1..LargestMatchNo. BadDate also
// stands for a venue ID that is no whole number in 1..LargestVenueId.
enum class Refusal { None, IdBelowOne, IdTaken, BadNumber, NumberTaken, BadDate, DatabaseError };

struct MatchCheck {
    Refusal refusal = Refusal::None;
    std::int64_t matchId = 0;  // integer part of the typed ID (also set when refused)
    QVariant seasonId;
    std::int16_t matchNo = 0;
    std::int16_t year = 0;
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t venueId = 0;
};

// Runs the checks in their order; nothing is changed.
MatchCheck checkMatch(const MatchEntry& entry);
// The message shown for a refusal (empty for None).
QString refusalMessage(Refusal refusal);
// Writes an accepted match into the shared state (MatchId, SeasonId, MatchNo, date, venue).
void fixMatch(const MatchCheck& accepted);

// A fresh sheet for the day: 36 slots by LastGame + 1 games, every record empty, cursor at 0.
void freshSheet();

}  // namespace vx::matchsetup
