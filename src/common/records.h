#pragma once
// The record types of the day's score sheet and statistics sheets.
#include "common/vbtypes.h"
#include <QStringList>
#include <array>
#include <cstdint>

namespace vx {

// Ball codes: 0..9 pins knocked down, and the special codes below.
namespace BallCode {
constexpr std::uint8_t Gutter = 0;
constexpr std::uint8_t Strike = 10;
constexpr std::uint8_t Miss = 19;     // no pin on a later ball
constexpr std::uint8_t Spare = 20;
constexpr std::uint8_t Foul = 21;
constexpr std::uint8_t NotEntered = 30;
}  // namespace BallCode

namespace BallAttr {
constexpr std::int16_t NotSet = -1;
constexpr std::int16_t Plain = 0;
constexpr std::int16_t Foul = 1;
constexpr std::int16_t Split = 2;
constexpr std::int16_t Spare = 3;
constexpr std::int16_t Strike = 4;
}  // namespace BallAttr

// Pin mask: bit b set = pin b+1 still standing after the ball.
namespace PinMask {
constexpr std::int32_t NoData = -1;
constexpr std::int32_t AllStanding = 1023;
}  // namespace PinMask

inline const QString EmptyMark = QStringLiteral("\u3000");

// The field suffix of ball k (0..20) in the stored game tables (M, Flms, pin): the frame digit, 0 for
// the tenth, and the ball's number in its frame: "11", "12", "21" ... "92", "01", "02", "03".
inline QString ballSuffix(int k) {
    return k >= 18 ? QStringLiteral("0") + QString::number(k - 17) : QString::number(k / 2 + 1) + QString::number(k % 2 + 1);
}
// The stored columns of the 21 balls under one prefix, in ball order: "M11", "M12" ... "M03".
inline QStringList ballColumns(const QString& prefix) {
    QStringList names;
    for (int k = 0; k <= 20; ++k) names << prefix + ballSuffix(k);
    return names;
}
// The stored columns of the cumulative frame scores: "S1" ... "S10", or up to the frame given.
inline QStringList frameColumns(int last = 10) {
    QStringList names;
    for (int f = 1; f <= last; ++f) names << QStringLiteral("S") + QString::number(f);
    return names;
}

// One slot's one game on the day's sheet. Entry 21 of the per-ball arrays is the sentinel box.
struct GameRecord {
    FixedString<10> Name;
    std::array<QString, 22> Marks{};
    std::array<std::uint8_t, 22> Codes{};
    std::array<std::uint8_t, 22> PinsDown{};
    std::array<std::int16_t, 12> Scores{};  // 0 with handicap, 1..10 cumulative, 11 handicap
    std::array<std::int16_t, 22> Attrs{};
    std::int16_t VenueId = 0;
    std::int16_t Year = 0;
    std::uint8_t Month = 0;
    std::uint8_t Day = 0;
    std::array<std::int32_t, 22> PinMasks{};
};

// A ball back to "not entered": empty mark, code 30, no attribute, no pins, no pin data.
inline void clearBall(GameRecord& r, int k) {
    r.Marks[std::size_t(k)] = EmptyMark;
    r.Codes[std::size_t(k)] = BallCode::NotEntered;
    r.Attrs[std::size_t(k)] = BallAttr::NotSet;
    r.PinsDown[std::size_t(k)] = 0;
    r.PinMasks[std::size_t(k)] = PinMask::NoData;
}
// Every ball (the sentinel included) and every frame score cleared; name, handicap, venue and date kept.
inline void clearGame(GameRecord& r) {
    for (int k = 0; k <= 21; ++k) clearBall(r, k);
    for (int f = 0; f <= 10; ++f) r.Scores[std::size_t(f)] = 0;
}

// One player's one game as handed to the day's results; only balls 0..20 are filled.
struct StatsRecord {
    FixedString<10> Name;
    std::int16_t PlayerId = 0;
    std::array<QString, 21> Marks{};
    std::array<std::uint8_t, 22> Codes{};
    std::array<std::int16_t, 12> Scores{};
    std::array<std::int16_t, 21> Attrs{};
    std::int16_t VenueId = 0;
    std::int16_t Year = 0;
    std::uint8_t Month = 0;
    std::uint8_t Day = 0;
    std::array<std::int32_t, 22> PinMasks{};
};

// One player's one game of the day as the day's calculation leaves it; storing the day writes
// these rows as they stand. The field names are the stored column names.
struct GameResultRecord {
    std::int16_t 選手ID = 0;            // -1 once storing finds the game unplayed
    std::int16_t 試合ID = 0;
    std::uint8_t ｹﾞｰﾑ = 0;
    std::int16_t 優Ｐ = 0;              // winning points, only on the best game with handicap
    std::uint8_t 上位 = 0;              // 1 = upper half of the game's players
    std::int16_t 競技点 = 0;            // score with handicap
    std::array<std::int16_t, 11> S{};   // S[1]..S[10] cumulative frame scores; S[0] unused
    std::int16_t HCP = 0;
    std::uint8_t ST = 0;
    std::uint8_t SP = 0;
    std::uint8_t SPF = 0;
    std::uint8_t ｽﾌﾟﾘｯﾄ = 0;
    std::int16_t 当日 = 0;              // 1 best of the player's games by S10, then 0, -1, ...
    std::int16_t HcpDayOrder = 0;       // the same by 競技点; 1 carries placing and points
    FixedString<4> 入賞;
    std::uint8_t 人数 = 0;
    std::uint8_t 順位 = 0;
    std::array<QString, 21> Marks{};
    std::array<std::int16_t, 21> Attrs{};
    std::array<std::int16_t, 21> Codes{};
    std::int16_t 会場ID = 0;
    std::int16_t Year = 0;
    std::uint8_t Month = 0;
    std::uint8_t Day = 0;
    std::array<std::int32_t, 21> PinMasks{};
};

}  // namespace vx
