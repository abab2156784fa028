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

// Fills PlayedSheet (1..N, 1..G), GamePlayerCounts and PlayedGameCount. Bowled games are open
// games (every ball plain, no bonus ball). sheetCounts, when given, are the players per
// score-sheet game (0 for a game nobody bowled); otherwise each column counts its scores.
inline void setDay(const std::vector<DayPlayer>& players, std::vector<int> sheetCounts = {}) {
    using namespace Module1;
    const int n = int(players.size()), g = n ? int(players.front().scores.size()) : 0;
    for (int c = 0; sheetCounts.size() < std::size_t(g); ++c) {
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
            const int s10 = pl.scores[std::size_t(c - 1)];
            vx::StatsRecord& r = PlayedSheet(p, c);
            r.Name = pl.name;
            r.PlayerId = pl.id;
            for (int f = 1; f <= 10; ++f) r.Scores[f] = std::int16_t(s10 * f / 10);
            r.Scores[11] = pl.hcp;
            r.Scores[0] = std::int16_t(s10 + pl.hcp);
            r.Attrs.fill(s10 > 0 ? vx::BallAttr::Plain : vx::BallAttr::NotSet);
            r.Attrs[20] = vx::BallAttr::NotSet;
        }
}

}  // namespace vxtest
