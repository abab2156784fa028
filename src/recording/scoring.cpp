#include "recording/scoring.h"

namespace vx {

void scoreGame(GameRecord& r) {
    auto& pins = r.PinsDown;
    const auto& codes = r.Codes;
    for (int k = 0; k <= 20; ++k) {
        const int c = codes[k];
        int p = 0;
        if (c == BallCode::Spare) {
            // A spare takes what the ball before left: all ten after a foul (which counts no pins)
            // or on ball 0, which has no ball before it.
            const int prev = k > 0 ? pins[k - 1] : 0;
            p = 10 - prev;
        } else if (c <= BallCode::Strike) {
            p = c;
        }
        pins[k] = std::uint8_t(p);
    }

    int frame[11] = {};
    for (int f = 1; f <= 10; ++f) frame[f] = pins[2 * f - 2] + pins[2 * f - 1];
    frame[10] += pins[20];

    // Frames 1..8 read the raw sum of the next frame, so go upwards.
    for (int f = 1; f <= 8; ++f) {
        if (pins[2 * f - 2] == 10) {
            frame[f] = pins[2 * f] == 10 ? pins[2 * f + 2] + 20 : frame[f + 1] + 10;
        } else if (frame[f] == 10) {
            frame[f] = pins[2 * f] + 10;
        }
    }
    if (pins[16] == 10) {
        frame[9] = pins[18] == 10 ? pins[19] + 20 : pins[18] + pins[19] + 10;
    } else if (frame[9] == 10) {
        frame[9] = pins[18] + 10;
    }

    int total = 0;
    for (int f = 1; f <= 10; ++f) {
        total += frame[f];
        r.Scores[f] = std::int16_t(total);
    }
    r.Scores[0] = std::int16_t(r.Scores[11] + r.Scores[10]);
}

}  // namespace vx
