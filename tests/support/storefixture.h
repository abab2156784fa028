#pragma once
// A calculated day ready to be stored: the match in the shared state, a statistics sheet built as
// dayfixture.h builds it, with the date, venue and every ball's mark, code and pin mask filled.
#include "common/database.h"
#include "common/module1.h"
#include "common/appdir.h"
#include "recording/exchange.h"
#include "support/dayfixture.h"
#include "support/testenv.h"
#include <QFile>
#include <QVariant>

namespace vxtest {

inline void setMatch(int matchId = 41, int seasonId = 3, int matchNo = 12) {
    using namespace Module1;
    MatchId = matchId;
    SeasonId = seasonId;
    MatchNo = std::int16_t(matchNo);
    VenueId = 2;
    MatchYear = 2026;
    MatchMonth = 5;
    MatchDay = 17;
}

// Ball k of every bowled game: code k % 10, pin mask k * 3, mark "Ｆ" on ball 18, "９" on 17.
inline void setStorableDay(const std::vector<DayPlayer>& players, std::vector<int> sheetCounts = {}) {
    using namespace Module1;
    setDay(players, std::move(sheetCounts));
    for (int p = PlayedSheet.lo1(); p <= PlayedSheet.hi1(); ++p)
        for (int g = PlayedSheet.lo2(); g <= PlayedSheet.hi2(); ++g) {
            vx::StatsRecord& r = PlayedSheet(p, g);
            r.Year = MatchYear;
            r.Month = MatchMonth;
            r.Day = MatchDay;
            r.VenueId = VenueId;
            const bool bowled = r.Attrs[0] != vx::BallAttr::NotSet;
            for (int k = 0; k <= 20; ++k) {
                r.Codes[std::size_t(k)] = bowled ? std::uint8_t(k % 10) : vx::BallCode::NotEntered;
                r.PinMasks[std::size_t(k)] = bowled ? k * 3 : vx::PinMask::NoData;
                r.Marks[std::size_t(k)] = vx::EmptyMark;
            }
            if (bowled) {
                r.Marks[17] = QStringLiteral("９");
                r.Marks[18] = QStringLiteral("Ｆ");
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

// The day's backup file, as the score entry leaves it.
inline bool touchBackup() {
    QFile f(vx::exchange::backupFileName());
    return f.open(QIODevice::WriteOnly) && f.write("backup") == 6;
}

}  // namespace vxtest
