#pragma once
// A day built by hand for the day's results and its storing, without the scoring engine.
#include "common/database.h"
#include "common/module1.h"
#include "recording/exchange.h"
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <vector>

namespace vxtest {

struct DayPlayer {
    QString name;
    std::int16_t id = 0;
    std::int16_t hcp = 0;
    std::vector<int> scores;  // S10 per game with data; 0 = not bowled
};

inline void setMatch(int matchId = 41, int seasonId = 3, int matchNo = 12) {
    using namespace Module1;
    MatchId = matchId, SeasonId = seasonId, MatchNo = std::int16_t(matchNo);
    VenueId = 2, MatchYear = 2026, MatchMonth = 5, MatchDay = 17;
}

// Fills PlayedSheet (1..N, 1..G), GamePlayerCounts and PlayedGameCount. Bowled games are open
// games (every ball plain, no bonus ball); ball k has code k % 10, pin mask k * 3, mark "９" on
// ball 17 and "Ｆ" on 18; date and venue are the match's. sheetCounts, when given, are the players
// per score-sheet game (0 for a game nobody bowled); otherwise each column counts its scores.
inline void setDay(const std::vector<DayPlayer>& players, std::vector<int> sheetCounts = {}) {
    using namespace Module1;
    const int n = int(players.size()), g = n ? int(players.front().scores.size()) : 0;
    for (std::size_t c = sheetCounts.size(); c < std::size_t(g); ++c)
        sheetCounts.push_back(int(std::count_if(players.begin(), players.end(), [c](const DayPlayer& pl) { return pl.scores[c] > 0; })));
    GamePlayerCounts = {};
    GamePlayerCounts[0] = std::uint8_t(n), PlayedGameCount = std::uint8_t(g);
    for (std::size_t j = 0; j < sheetCounts.size(); ++j) GamePlayerCounts[j + 1] = std::uint8_t(sheetCounts[j]);
    PlayedSheet.redim(1, n, 1, g);
    for (int p = 1; p <= n; ++p)
        for (int c = 1; c <= g; ++c) {
            const DayPlayer& pl = players[std::size_t(p - 1)];
            const int s10 = pl.scores[std::size_t(c - 1)];
            const bool bowled = s10 > 0;
            vx::StatsRecord& r = PlayedSheet(p, c);
            r.Name = pl.name, r.PlayerId = pl.id;
            for (int f = 1; f <= 10; ++f) r.Scores[f] = std::int16_t(s10 * f / 10);
            r.Scores[11] = pl.hcp, r.Scores[0] = std::int16_t(s10 + pl.hcp);
            r.Year = MatchYear, r.Month = MatchMonth, r.Day = MatchDay, r.VenueId = VenueId;
            for (int k = 0; k <= 20; ++k) {
                r.Attrs[std::size_t(k)] = bowled && k < 20 ? vx::BallAttr::Plain : vx::BallAttr::NotSet;
                r.Codes[std::size_t(k)] = bowled ? std::uint8_t(k % 10) : vx::BallCode::NotEntered;
                r.PinMasks[std::size_t(k)] = bowled ? k * 3 : vx::PinMask::NoData;
                r.Marks[std::size_t(k)] = !bowled ? vx::EmptyMark : k == 17 ? QStringLiteral("９") : k == 18 ? QStringLiteral("Ｆ") : vx::EmptyMark;
            }
        }
}

// Earlier stored games of one player, for cumulative totals (one match row holds them all).
inline void addHistory(std::int16_t playerId, int games, int s10, int matchId = 1) {
    vx::db::exec(QStringLiteral("INSERT OR IGNORE INTO \"試合\" (\"試合ID\", \"シーズンID\", \"試合\") VALUES (?, 1, ?)"),
                 {matchId, matchId});
    for (int i = 0; i < games; ++i)
        vx::db::exec(QStringLiteral("INSERT INTO \"データ項目\" (\"選手ID\", \"試合ID\", \"ｹﾞｰﾑ\", \"優Ｐ\", \"上位\", "
                                    "\"S10\", \"ST\", \"SP\", \"SPF\") VALUES (?, ?, 1, 0, 0, ?, 0, 0, 0)"),
                     {playerId, matchId, s10});
}

// The rows a query returns, each as its values joined by blanks, the rows joined by "|".
inline QString rows(const QString& sql) {
    QSqlQuery q(vx::db::connection());
    if (!q.exec(sql)) return q.lastError().text();
    QStringList out;
    while (q.next()) {
        out << QString();
        for (int i = 0; i < q.record().count(); ++i) out.last() += (i ? QStringLiteral(" ") : QString()) + q.value(i).toString();
    }
    return out.join(u'|');
}

// The day's backup file, as the score entry leaves it.
inline bool touchBackup() {
    QFile f(vx::exchange::backupFileName());
    return f.open(QIODevice::WriteOnly) && f.write("backup") == 6;
}

}  // namespace vxtest
