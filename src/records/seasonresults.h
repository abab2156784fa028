#pragma once
// Season and all-time results without their window: the row source of each range (the match-range
// statistics built here for every reader of them), the ID ranges and match dates the window's
// selectors start from, the grid's columns and cell texts, and the printout as lines at tab columns.
#include "common/recordset.h"
#include "records/printout.h"
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>
#include <cstdint>
#include <optional>

namespace vx::results {

// The ranges, as ResultsRangeMode holds them.
enum Range : int { AllTime = 0, OneSeason = 1, MatchRange = 2 };

// A row source with its values bound to the '?' in order.
struct Query {
    QString sql;
    QVariantList params;
};

// One row per player, ranked by 優Ｐ計 descending, then 平均点 descending, then 選手ID, with the
// columns 選手ID, 選手名, ゲーム, 優Ｐ計, 上位, 上位率, 合計点, 平均点, ST, ST平均, スペア, ｽﾍﾟｱﾐｽ,
// スペア率 (the season also シーズンID). Rates are fractions; one over no chances is NULL. A player
// missing from 選手 is listed with a NULL name.
Query allTimeQuery();
Query seasonQuery(double season);
// The games of the matches first..last (both included) whose match is stored; with a season, only
// that season's matches among them.
Query matchRangeQuery(double first, double last, std::optional<double> season = std::nullopt);
// The same figures, read from the kept sums of the seasons: only the games of a season partly in
// the range are read. The bulletin's standings up to its match.
Query upToMatchQuery(qint64 first, qint64 last, std::optional<double> season = std::nullopt);

// The range's row source from the window's boxes as they read (each the numeric value of its text).
struct Boxes {
    QString season;
    QString firstMatch;
    QString lastMatch;
};
Query queryOf(int range, const Boxes& boxes);

// What the selectors start from: the ID ranges (the larger of the row count and the largest ID; the
// smaller of 1 and the smallest ID) and each stored match's date in the short form.
struct IdRanges {
    std::int16_t seasonMax = 0, seasonMin = 0;
    std::int32_t matchMax = 0, matchMin = 0;
    QHash<qint64, QString> matchDates;
};
// Nothing when シーズン or 試合 holds no row or cannot be read.
std::optional<IdRanges> readIdRanges();
// The dates of a match range as the window shows them ("… から … まで"); a typed ID that is no
// stored match's gives an empty date.
QString rangeInfo(const IdRanges& ranges, const QString& firstMatch, const QString& lastMatch);

// The grid: heading and field of each column in order, and a cell's text.
struct Column {
    QString heading;
    QString field;
};
const QVector<Column>& columns();
QString cellText(int column, const QVariant& value);

// The printout of the rows from the first: the heading, a rule, one line per row, the rule again.
QVector<scorebook::PrintLine> printout(int range, const db::Recordset& rows);
// The printer's zoom in percent for the printout.
constexpr int PrintZoom = 80;

}  // namespace vx::results
