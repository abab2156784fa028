#pragma once
// The score-sheet page: one table row per stored game the score book chooses, the columns the user
// ticked, and for one whole match of all players the milestones of that day from its results file.
#include "publishing/htmlpage.h"
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace vx::publishing {

// The score book's choice, as its boxes and captions read.
struct ScoreBookChoice {
    QString player;      // player ID; 0 or no number stands for all players
    bool onePlayer = false;
    QString playerName;
    int games = 0;       // 0 all games, 1 one season, 2 one match
    QString season;      // season ID, for games 1
    QString match;       // match ID, for games 2
    QString seasonName;  // of the chosen season
    QString matchDate, matchSeason, matchNumber;  // of the chosen match
};

// The heading proposed for the choice ("山田選手の2026前期のスコアシート").
QString proposedHeading(const ScoreBookChoice& choice);

// Columns: name, season, match number, game, points with prize, score, marks.
enum ScoreColumn { ColName, ColSeason, ColMatch, ColGame, ColPoints, ColScore, ColMarks };
using ScoreColumns = std::array<bool, 7>;

struct ScoreSheet {
    ScoreBookChoice choice;
    ScoreColumns columns{true, true, true, true, true, true, true};
    std::array<QString, 11> markTexts{};
    std::array<QString, 8> colors{};  // the colour texts in the shared order
    QString folder;                   // where the day's results files lie
    PageFrame frame;                  // title, heading and footer text as typed
    QString footerText;
    QDateTime written;
};

// The results file of the chosen match.
QString resultsFileOf(const ScoreBookChoice& choice, const QString& folder);
// The milestones of a results file as one page text ("☆☆☆...<BR>line<BR>line"); nothing when the
// file cannot be read. A file without milestones gives the heading alone.
std::optional<QString> milestoneText(const QString& path);

// Writes the page whole; on any failure nothing is written and a page already there stays.
PageResult writeScoreSheet(const QString& path, const ScoreSheet& sheet);

}  // namespace vx::publishing
