#include "common/gamecount.h"
#include "common/module1.h"

namespace vx::gamecount {

namespace {
std::optional<std::int16_t> waiting;
}

bool request(std::int16_t lastGame) {
    if (lastGame < 0 || lastGame > MaxLastGame) return false;
    if (Module1::ScoreSheet.empty()) {
        Module1::LastGame = lastGame;
        waiting.reset();
    } else if (lastGame == Module1::LastGame) {
        waiting.reset();
    } else {
        waiting = lastGame;
    }
    return true;
}

std::optional<std::int16_t> pending() { return waiting; }

std::int16_t effective() { return waiting ? *waiting : Module1::LastGame; }

void applyPending() {
    if (waiting) Module1::LastGame = *waiting;
    waiting.reset();
}

void clearPending() { waiting.reset(); }

}  // namespace vx::gamecount
