#pragma once
// The shared state of the whole run: the only variables the windows share.
#include "common/records.h"
#include <QString>
#include <QVariant>
#include <array>
#include <cstdint>
#include <vector>

namespace Module1 {
using vx::FixedString;
using vx::Grid2;

// Settings loaded at start-up.
inline std::int16_t LastGame = 0;               // games per match minus one
inline std::array<QString, 11> MarkTexts{};     // 1..8 split marks, 9 spare, 10 strike
inline std::uint8_t HcpRequired = 0;
inline std::uint8_t ResultDisplayFlags = 0;
inline std::uint8_t TallyRuleFlags = 0;
inline std::uint8_t PointTarget = 0;
inline std::uint8_t PointMethod = 0;
inline std::array<QString, 8> HtmlColors{};     // back, fore, syo_back, syo_fore, ave_back, ave_fore, all_back, all_fore
inline std::array<QString, 8> HtmlColorEdits{};
inline std::array<QString, 3> PinImageFiles{};  // knocked down first, knocked down second, standing
inline std::array<std::int32_t, 3> PinColors{};

// ID ranges.
inline std::int16_t SeasonIdMax = 0;
inline std::int16_t SeasonIdMin = 0;
inline std::int32_t MatchIdMax = 0;
inline std::int32_t MatchIdMin = 0;

inline std::int32_t DataRecordCount = 0;

// Current match.
inline QVariant MatchId;
inline QVariant SeasonId;
inline std::int16_t MatchNo = 0;
inline std::uint8_t VenueId = 0;
inline std::int16_t MatchYear = 0;
inline std::uint8_t MatchMonth = 0;
inline std::uint8_t MatchDay = 0;

// Player slots and the score sheet.
inline std::int16_t LastPlayer = 0;
inline std::vector<std::int16_t> PlayerIds;          // -1 = empty slot
inline std::vector<FixedString<10>> PlayerNames;
inline std::vector<std::int16_t> PlayerHcps;
inline Grid2<vx::GameRecord> ScoreSheet;             // (slot, game)
inline std::vector<vx::GameRecord> ImportSheet;
inline std::int16_t CurPlayer = 0;
inline std::int16_t CurGame = 0;
inline std::int16_t CurBall = 0;
inline std::int16_t FocusBall = 0;

// Statistics sheets built by the end of input.
inline Grid2<vx::StatsRecord> StatsSheet;
inline Grid2<vx::StatsRecord> PlayedSheet;           // (1..N, 1..G)
inline std::array<std::uint8_t, 11> GamePlayerCounts{};
inline std::uint8_t PlayedGameCount = 0;
inline std::vector<QVariant> PlayersWithData;

// Hand-offs between the records and publishing windows.
inline QString HtmlCallerTag;
inline std::int32_t HtmlCallerCount = 0;  // wide enough for any list of stored games
inline QString HtmlCallerBookmark;
inline std::uint8_t AllPlayersFlag = 0;
inline std::uint8_t ResultsRangeMode = 0;

// The day's results, rebuilt by every calculation of the day: (0..N, 0..G) and (0..N), index 0 unused.
inline Grid2<vx::GameResultRecord> DayResults;
inline Grid2<std::int16_t> BestHcpScores;            // (p, k): 競技点 of the player's k-th best game, k <= 5
inline Grid2<std::int16_t> BestScratchScores;        // (p, k): S10 of the same game
inline std::vector<std::int16_t> TopRank;
inline std::vector<std::int16_t> HighGameRank;
inline std::vector<std::int16_t> StrikeRank;
inline std::vector<std::int16_t> SpareRank;
inline std::vector<std::int16_t> AverageRank;
inline std::vector<std::int16_t> DayRank;
inline std::vector<double> StrikeTotals;
inline std::vector<double> SpareTotals;
inline std::vector<double> AverageScores;

// Puts every variable back to its state at program start (tests use it between cases).
void resetAll();

}  // namespace Module1
