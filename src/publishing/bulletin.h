#pragma once
// The match bulletin: one page about one stored match, with the day's ranking and milestones from
// its results file, its score sheet and score cards, and the season and all-time standings up to
// it. What the page is written from is fixed when the match is accepted.
#include "publishing/htmlpage.h"
#include <QDateTime>
#include <QString>
#include <QVariantList>
#include <array>
#include <optional>

namespace vx::publishing {

// An accepted match.
struct BulletinMatch {
    QString season;            // シーズンID as the match list shows it
    QString matchNo;           // 試合, the match's number in its season
    qint64 matchId = 0;
    qint64 firstMatchId = 0;   // the season's first match
    bool hasResults = false;   // its results file could be read when it was accepted
};

// The day's results file of a match in the folder (SD-3-7.txt).
QString bulletinResultsFile(const QString& folder, const QString& season, const QString& matchNo);
// Whether a value can be read from the file.
bool resultsReadable(const QString& path);
// The match accepted from the list's row; nothing when its ID is no stored match's.
std::optional<BulletinMatch> acceptMatch(const QString& season, const QString& matchNo, const QVariant& matchId,
                                         const QString& folder);
// What acceptance proposes: the page file in the folder (news3_7.htm), the title and the heading.
QString bulletinFile(const QString& folder, const BulletinMatch& m);
QString bulletinTitle(const BulletinMatch& m);
QString bulletinHeading(const BulletinMatch& m);

// The sections, in the order of the dialog's boxes.
enum BulletinSection { SecRanking, SecRecords, SecSheet, SecSeason, SecAllTime, SecCards };

// A standings table's row source: one row per player with 選手名, ゲーム, 優Ｐ計, 上位, 上位率, 合計点,
// 平均点, ST, ST平均, スペア, ｽﾍﾟｱﾐｽ, スペア率 in ranking order, values bound to the '?' in order.
struct StandingsSource {
    QString sql;
    QVariantList params;
};

struct Bulletin {
    BulletinMatch match;
    std::array<bool, 6> sections{};   // by BulletinSection
    StandingsSource season, allTime;  // up to the match: its season's matches, every match
    std::array<QString, 11> markTexts{};
    QString folder;                   // where the day's results files lie
    PageSetup setup;
};

// The statement that reads the match's games for the score sheet and the score cards, its 試合ID
// bound to the '?'.
QString matchGamesSql();

// Writes the page whole; on any failure nothing is written and a page already there stays.
PageResult writeBulletin(const QString& path, const Bulletin& b);

}  // namespace vx::publishing
