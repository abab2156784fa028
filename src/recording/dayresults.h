#pragma once
// The day's results over the statistics sheet: per-game ranks, the players' own game orders,
// ball counts, prizes, the day's rank, placings, winning points and the results text.
// Everything reads Module1::PlayedSheet, GamePlayerCounts and PlayedGameCount and fills the
// day arrays of Module1; what the windows show comes back as plain data.
#include <QString>
#include <QStringList>
#include <array>
#include <stdexcept>

namespace vx {

// What the results window's controls say for this calculation.
struct DayOptions {
    bool splitNotSpareMiss = false;   // Chk_rule(0): splits are not counted as spare misses
    bool strikeSparePerGame = false;  // Chk_STSP: strike and spare prizes by per-game average
    bool averageWithHcp = false;      // Chk_HCP: average and booby prize with handicap
    int pointTarget = 0;              // Opt_PntTarget: 0 high game with hcp, 1 without, 2 average; -1 none set
    int pointMethod = 0;              // Opt_PntCalc: 0 top-weighted, 1 linear, 2 typed in; -1 none set
    std::array<QString, 30> pointTexts = filledPointTexts();  // Txt_Pnt(0..29): "１着" .. "30着以下"

    static std::array<QString, 30> filledPointTexts() {
        std::array<QString, 30> a;
        a.fill(QStringLiteral("0"));
        return a;
    }
};

// The prize board's boxes (index: 0 top, 1 high game, 2 strikes, 3 spares, 4 average, 5 booby).
struct PrizeBoard {
    std::array<QString, 6> names;   // Txt_Name
    std::array<QString, 6> values;  // Txt_Ten
};

// One "Best10" list: names and values, one per line, each ended by CR LF (Txt_B10(0), Txt_B10(1)).
struct Best10List {
    QString names;
    QString values;
};

// What one calculation hands to the windows and the results file.
struct DayOutput {
    PrizeBoard board;
    QStringList pointsList;   // List_ZKT, one line per player
    QStringList resultsLines; // the results text file's lines, without line ends
};

// A calculation that cannot go on (the sheet does not match its counts, a value out of range).
class DayCalcError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Sizes DayResults, the best-score tables, TopRank and DayRank for the current N and G.
void AllocateDayArrays();

// Per player: copies of the rows, own-game orders, best-score tables and ball counts.
void Kojin(const DayOptions& opt);
// Across players: per-game ranks, prizes, the day's rank, placings, points, points list and
// the results text lines.
void Zentai(const DayOptions& opt, DayOutput& out);

// Prizes: allocates the prize arrays and fills the board.
void Best10(const DayOptions& opt, PrizeBoard& board);
void Top_sho();
void HiGame_sho();
void StSpAve_sho(const DayOptions& opt, PrizeBoard& board);

// The list of a "Best10" button (prize 0..4) from the arrays the last calculation left.
Best10List Best10Lines(int prize, const DayOptions& opt);

// Placing text for a day rank: "１着" .. "９着", "10着", ... (not padded).
QString PlacingText(int rank);
// Winning points for day rank r among n players by the chosen method.
int WinningPoints(int method, int r, int n, const std::array<QString, 30>& pointTexts);

// Name of the results text file: "SD-" + season + "-" + match number + ".txt".
QString ResultsFileName();
// Writes the results text file into the program's folder (created or overwritten).
void WriteResultsFile(const DayOutput& out);

// The calculate button's work: allocate, Kojin, Zentai, write the results file. A failure leaves
// ok false and says what went wrong in error; it is never swallowed.
struct DayCalcResult {
    bool ok = false;
    QString error;
    DayOutput output;
};
DayCalcResult CalculateDay(const DayOptions& opt);

}  // namespace vx
