#pragma once
// The arithmetic of one game: pins from the ball codes, frame scores with bonuses, handicap.
#include "common/records.h"

namespace vx {

// From Codes(0..20) derives PinsDown(0..20), the cumulative frame scores Scores(1..10) and the
// total with handicap Scores(0) = Scores(11) + Scores(10). Marks, attributes and masks are untouched.
void scoreGame(GameRecord& r);

}  // namespace vx
