#pragma once
// Which leaves after a first ball count as a split.
#include <cstdint>

namespace vx {

// True when the standing pins of pinMask (bit b = pin b+1 standing) form a split leave.
// -1 (no pin data), 0 (strike), 1023 (gutter) and every leave with the head pin are no split.
bool isSplitLeave(std::int32_t pinMask);

}  // namespace vx
