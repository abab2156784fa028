#pragma once
// The three graphs without their windows: what each reads from the database, and where its scales,
// steps, ticks, grid lines and labels fall. Lengths are twips of the picture (y upwards from its
// bottom edge) unless said otherwise. Every scale and step is usable even when the data make it 0:
// the graph is then drawn empty with its axes.
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <optional>

namespace vx::graphs {

// The graphs' fixed 16 colours, 0x00BBGGRR.
std::int32_t PaletteColor(int i);

// A series of positions 0, step, 2 step, ... up to `end` (both included), starting at `from`.
QVector<double> steps(double from, double step, double end);

// ---- One statistic season by season.

// The statistics, by list index + 1.
enum Stat : int { Points = 1, PointShare, Tops, TopRate, TotalPins, Average, Strikes, StrikesPerGame, Spares, SpareRate };
QStringList statNames();

// A season's totals; no value for a null in the source. A season without a row is all zeros.
struct SeasonTotals {
    std::optional<double> games = 0.0, points = 0.0, tops = 0.0, topRate = 0.0, totalPins = 0.0, average = 0.0, strikes = 0.0,
        strikesPerGame = 0.0, spares = 0.0, spareMisses = 0.0, spareRate = 0.0;
};
struct SeasonTable {
    QVector<SeasonTotals> player;  // the chosen player's, by season 0..seasons (only for one player)
    QVector<SeasonTotals> all;     // all players together
};
// Seasons 1..`seasons`; rows of other seasons are left out. Nothing when a query cannot be read.
std::optional<SeasonTable> readSeasons(int seasons, bool allPlayers, int playerId);

struct SeasonPlot {
    QVector<std::optional<double>> values;  // by season 0..seasons; none: a null the line stops at
    double largest = 0;                     // the largest value, a rate as its fraction
    double valueScale = 0;                  // twips per unit of value, at least 0.05
    double labelStep = 0;                   // value between grid lines
};
// H: the picture's height.
SeasonPlot seasonPlot(int stat, const SeasonTable& table, bool allPlayers, double H);
// The scale and label step of a statistic whose largest value is M.
void seasonScale(int stat, double M, bool allPlayers, double H, double& valueScale, double& labelStep);
// Distance between seasons in a picture W wide, a multiple of 10, at least 10.
double seasonStep(double W, int seasons);
// y of a value: the baseline lies 5 above the bottom.
inline double seasonY(double scale, double v) { return 5 + scale * v; }
// The value label of grid line k (at y) puts its top here, below the picture's top edge.
inline int valueLabelTop(double H, double y, int k) { return int(H - y - 10 * (15 - k) + 30); }

// ---- The points race of a season.

struct Race {
    QVector<int> players;                  // by rank, at most the number asked for
    QStringList names;                     // empty for a player without a row in 選手
    int matches = 0;                       // M: the largest match number of the season
    QVector<QVector<int>> cumulative;      // [player][m], m = 0..M, 0 at m = 0
};
// The season and the count as their boxes read (a text that is no number reads as 0). Nothing
// when the database cannot be read.
std::optional<Race> readRace(const QString& season, const QString& count);
struct RaceScale {
    int largest = 0;         // the largest total after the last match
    double pointScale = 0;   // twips per point, a multiple of 10 where that is above 0
    double matchStep = 0;    // twips per match, a multiple of 10 where that is above 0
};
RaceScale raceScale(const Race& race, double W, double H);
inline double raceY(const RaceScale& s, int points) { return 30 + s.pointScale * points; }

// ---- The radar chart of one row of the season results.

// A, B: half the picture's height and width in pixels; y grows upwards from the centre.
struct RadarShape {
    QPointF top, bottom, left, right;
    bool hatched = false;  // the outline closes round the fill's start beside the centre
};
RadarShape radarShape(double spareRate, double strikesPerGame, double topRate, double average, double A, double B);
// The colour numbers run 1..14 and again: neither black nor white.
inline std::uint8_t nextChartColor(std::uint8_t index) { return std::uint8_t(index % 14 + 1); }
// range: the chosen range option (0 all-time, 1 one season, 2 a match range).
QString chartCaption(const QString& name, int range, const QString& season);

}  // namespace vx::graphs
