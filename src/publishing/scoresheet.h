#pragma once
// The score-sheet page: one table row per stored game the score book chooses, the columns the user
// ticked, and for one whole match of all players the milestones of that day from its results file.
#include "publishing/htmlpage.h"
#include "publishing/htmltext.h"
#include <QString>
#include <QStringList>
#include <QVariantList>
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
    QString folder;                   // where the day's results files lie
    PageSetup setup;
};

// The results file of the chosen match.
QString resultsFileOf(const ScoreBookChoice& choice, const QString& folder);
// The heading of the milestones in a day's results file.
extern const QString MilestoneHeading;
// The milestones of a results file as one page text ("☆☆☆...<BR>line<BR>line", each line after
// `separator`); nothing when the file cannot be read. A file without milestones gives the heading alone.
std::optional<QString> milestoneText(const QString& path, const QString& separator = QStringLiteral("<BR>"));

// The score-sheet table's rows, shared by the score-sheet page and the bulletin. A query's columns
// by name (選手名, シーズンID, 試合, ｹﾞｰﾑ, 優Ｐ, 入賞, S10, 競技点, M11 .. M03).
struct SheetFields {
    std::array<int, 8> col{};   // name, season, match, game, points, prize, score, score with handicap
    std::array<int, 21> marks{};
};
// Nothing when a column the ticked columns need is missing.
std::optional<SheetFields> sheetFields(const QStringList& columnNames, const ScoreColumns& on);
// The heading row, from "<TR VALIGN=bottom bgcolor=#c0c0c0>" on.
QStringList sheetHeader(const ScoreColumns& on);
// One game's row from the values of its query row, added to the page's lines.
void sheetRow(PageText& out, const QVariantList& values, const SheetFields& f, const ScoreColumns& on, PageMarks& marks,
              const PageColors& colors);

// Writes the page whole; on any failure nothing is written and a page already there stays.
PageResult writeScoreSheet(const QString& path, const ScoreSheet& sheet);

}  // namespace vx::publishing
