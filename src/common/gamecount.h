#pragma once
// The games-per-match count (LastGame) changes only between matches: a score sheet that is set up
// is sized by the count it was made with, and every window walking it relies on that.
#include <cstdint>
#include <optional>

namespace vx::gamecount {

// Highest LastGame the shared state admits: ten games per match.
constexpr std::int16_t MaxLastGame = 9;

// A new LastGame (0..MaxLastGame). Applied at once while no score sheet is set up in this run;
// otherwise kept until the next match set-up calls applyPending(). False for a value out of range.
bool request(std::int16_t lastGame);
// The value waiting for the next match set-up, if any.
std::optional<std::int16_t> pending();
// The count the next match will have: the waiting value, else LastGame.
std::int16_t effective();
// Called by the match set-up before it sizes the score sheet.
void applyPending();
// Forgets a waiting value (tests, and a request back to the current count).
void clearPending();

}  // namespace vx::gamecount
