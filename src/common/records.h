#pragma once
// The record types of the day's score sheet and statistics sheets.
#include "common/vbtypes.h"
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

}  // namespace vx
