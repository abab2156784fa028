#pragma once
// The score-card page: one small table per stored game of the caller's list, with the frame
// numbers, the marks of each frame, the handicap and the running score, under a heading that names
// the player, the match and the game. The score book and the individual records each have their own.
#include "publishing/htmlpage.h"
#include "publishing/scoresheet.h"
#include <QString>
#include <array>
#include <cstdint>

namespace vx::publishing {

// Who handed its list over, by the tag it left.
enum class CardCaller { Other, Records, ScoreBook };
CardCaller cardCallerOf(const QString& tag);

// One card's texts as its caller shows them.
struct ScoreCard {
    QString player, date, game;
    QString description;            // individual records: the sentence about the game
    QString season, match;          // score book: the match as season and number
    QString points, prize;          // score book
    std::array<QString, 21> marks;  // the stored marks of balls 0..20
    std::array<QString, 10> scores; // after frames 1..10
    QString handicap, withHandicap; // score book: the handicap is worked out from the two scores
};

// The caller's list, walked by the page as its window moves it.
class CardList {
public:
    virtual ~CardList() = default;
    virtual bool first() = 0;   // false when it cannot move
    virtual bool next() = 0;
    virtual ScoreCard current() = 0;
};

struct ScoreCardPage {
    CardCaller caller = CardCaller::Other;
    bool allRows = false;           // every row of the list from its first, or the current row only
    std::int64_t count = 0;         // rows of the caller's list
    std::array<QString, 11> markTexts{};
    PageSetup setup;
};

// Writes the page whole; on any failure (a list that cannot move as far as it counted included)
// nothing is written and a page already there stays.
PageResult writeScoreCards(const QString& path, const ScoreCardPage& page, CardList& list);

}  // namespace vx::publishing
