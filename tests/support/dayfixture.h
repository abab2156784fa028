#pragma once
// Statistics sheets built by hand for the day's results, without the scoring engine.
#include "common/module1.h"
#include <QString>
#include <vector>

namespace vxtest {

struct DayPlayer {
    QString name;
    std::int16_t id = 0;
    std::int16_t hcp = 0;
    std::vector<int> scores;  // S10 per game with data; 0 = not bowled
};

// An open game: every frame a plain first and second ball, no tenth-frame bonus.
inline void openGameAttrs(vx::StatsRecord& r) {
    r.Attrs.fill(vx::BallAttr::Plain);
    r.Attrs[20] = vx::BallAttr::NotSet;
}

// Fills PlayedSheet (1..N, 1..G), GamePlayerCounts and PlayedGameCount. sheetCounts, when given,
// are the players per score-sheet game (element j = game j, zeros for games nobody bowled);
// otherwise each column counts the players with a score in it.
inline void setDay(const std::vector<DayPlayer>& players, std::vector<int> sheetCounts = {}) {
    using namespace Module1;
    const int n = int(players.size());
    const int g = n ? int(players.front().scores.size()) : 0;
    if (sheetCounts.empty())
        for (int c = 0; c < g; ++c) {
            int k = 0;
            for (const auto& pl : players) k += pl.scores[std::size_t(c)] > 0;
            sheetCounts.push_back(k);
        }
    GamePlayerCounts = {};
    GamePlayerCounts[0] = std::uint8_t(n);
    for (std::size_t j = 0; j < sheetCounts.size(); ++j) GamePlayerCounts[j + 1] = std::uint8_t(sheetCounts[j]);
    PlayedGameCount = std::uint8_t(g);
    PlayedSheet.redim(1, n, 1, g);
    for (int p = 1; p <= n; ++p)
        for (int c = 1; c <= g; ++c) {
            const DayPlayer& pl = players[std::size_t(p - 1)];
            vx::StatsRecord& r = PlayedSheet(p, c);
            const int s10 = pl.scores[std::size_t(c - 1)];
            r.Name = pl.name;
            r.PlayerId = pl.id;
            r.Scores[10] = std::int16_t(s10);
            for (int f = 1; f < 10; ++f) r.Scores[f] = std::int16_t(s10 * f / 10);
            r.Scores[11] = pl.hcp;
            r.Scores[0] = std::int16_t(s10 + pl.hcp);
            r.Year = 2000;
            r.Month = 5;
            r.Day = 6;
            r.VenueId = 2;
            for (int k = 0; k <= 20; ++k) {
                r.Marks[k] = vx::EmptyMark;
                r.Codes[k] = vx::BallCode::NotEntered;
                r.PinMasks[k] = vx::PinMask::NoData;
            }
            if (s10 > 0) openGameAttrs(r);
            else r.Attrs.fill(vx::BallAttr::NotSet);
        }
}

}  // namespace vxtest
