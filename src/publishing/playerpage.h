#pragma once
// The player page: one player's season table over a range of seasons with its total row, the
// all-time table, or both, one after the other.
#include "publishing/htmlpage.h"
#include "publishing/scoresheet.h"
#include <QString>
#include <array>

namespace vx::publishing {

struct PlayerPage {
    QString player;                 // the player's ID as its box reads
    bool seasons = true;            // the season table
    bool allTime = true;            // the all-time table
    QString firstSeason, lastSeason;  // the range's boxes, both ends included
    PageSetup setup;
};

// Writes the page whole; on any failure nothing is written and a page already there stays.
// A player or a range without games gives the tables with their header rows only.
PageResult writePlayerPage(const QString& path, const PlayerPage& page);

}  // namespace vx::publishing
