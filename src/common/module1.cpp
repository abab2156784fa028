#include "common/module1.h"

namespace Module1 {

void resetAll() {
    LastGame = 0;
    MarkTexts = {};
    HcpRequired = ResultDisplayFlags = TallyRuleFlags = PointTarget = PointMethod = 0;
    HtmlColors = {};
    HtmlColorEdits = {};
    PinImageFiles = {};
    PinColors = {};
    SeasonIdMax = SeasonIdMin = 0;
    MatchIdMax = MatchIdMin = 0;
    DataRecordCount = 0;
    MatchId = SeasonId = QVariant();
    MatchNo = 0;
    VenueId = 0;
    MatchYear = 0;
    MatchMonth = MatchDay = 0;
    LastPlayer = 0;
    PlayerIds.clear();
    PlayerNames.clear();
    PlayerHcps.clear();
    ScoreSheet = {};
    ImportSheet.clear();
    CurPlayer = CurGame = CurBall = FocusBall = 0;
    StatsSheet = {};
    PlayedSheet = {};
    GamePlayerCounts = {};
    PlayedGameCount = 0;
    PlayersWithData.clear();
    HtmlCallerTag.clear();
    HtmlCallerCount = 0;
    HtmlCallerBookmark.clear();
    AllPlayersFlag = 0;
    ResultsRangeMode = 0;
    DayResults = {};
    BestHcpScores = {};
    BestScratchScores = {};
    TopRank.clear();
    HighGameRank.clear();
    StrikeRank.clear();
    SpareRank.clear();
    AverageRank.clear();
    DayRank.clear();
    StrikeTotals.clear();
    SpareTotals.clear();
    AverageScores.clear();
}

}  // namespace Module1
