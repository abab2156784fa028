#include "recording/dayresults.h"
#include "common/appdir.h"
#include "common/convert.h"
#include "common/module1.h"
#include "common/picture.h"
#include "common/textfile.h"
#include "common/width.h"
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace vx {
namespace {

using namespace Module1;

constexpr std::int16_t Strike = BallAttr::Strike;
constexpr std::int16_t Spare = BallAttr::Spare;
constexpr std::int16_t Split = BallAttr::Split;

int playerCount() { return GamePlayerCounts[0]; }
int gameCount() { return PlayedGameCount; }

std::int16_t toInt16(long long v, const char* what) {
    if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max())
        throw DayCalcError(std::string(what) + " out of range: " + std::to_string(v));
    return std::int16_t(v);
}

// The 10-character name field of player p.
QString playerName(int p) { return PlayedSheet(p, 1).Name.str(); }

// Best-score table entry; a game the player does not have counts as 0.
std::int16_t bestAt(const Grid2<std::int16_t>& t, int p, int k) { return t.contains(p, k) ? t(p, k) : 0; }

// Competition ranks by a key, computed pairwise: each player starts at N and every pair lowers
// the better one, or both on a tie. cmp(p, q) > 0 when p is better.
template <class Cmp>
void pairwiseRanks(std::vector<std::int16_t>& rank, int n, Cmp cmp) {
    rank.assign(std::size_t(n) + 1, 0);
    for (int p = 1; p <= n; ++p) rank[p] = std::int16_t(n);
    for (int p = 1; p <= n; ++p)
        for (int q = p + 1; q <= n; ++q) {
            const int c = cmp(p, q);
            if (c >= 0) --rank[p];
            if (c <= 0) --rank[q];
        }
}

int compareValues(double a, double b) { return a > b ? 1 : a < b ? -1 : 0; }

// Decimal text of a variant holding a number ("3", not "3.0").
QString numberText(const QVariant& v) {
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? CStr(d) : v.toString();
}

// The column g of the statistics sheet holds the g-th game of the score sheet that has data.
std::vector<std::uint8_t> playersPerColumn(int games) {
    std::vector<std::uint8_t> perColumn(std::size_t(games) + 1, 0);
    int g = 0;
    for (std::size_t j = 1; j < GamePlayerCounts.size() && g < games; ++j)
        if (GamePlayerCounts[j] != 0) perColumn[std::size_t(++g)] = GamePlayerCounts[j];
    if (g < games) throw DayCalcError("fewer games with players than games with data");
    return perColumn;
}

void checkSheet() {
    const int n = playerCount(), g = gameCount();
    if (n > 0 && g > 0 && (!PlayedSheet.contains(1, 1) || !PlayedSheet.contains(n, g)))
        throw DayCalcError("the statistics sheet does not hold " + std::to_string(n) + " players by " +
                           std::to_string(g) + " games");
}

void fillPrize(int i, const std::vector<std::int16_t>& rank, PrizeBoard& board, auto valueText) {
    for (int p = 1; p <= playerCount(); ++p) {
        if (rank[std::size_t(p)] != 1) continue;
        if (board.names[i].isEmpty()) {
            board.names[i] = playerName(p);
            board.values[i] = valueText(p);
        } else if (i == 0) {
            board.names[i] += QStringLiteral(" 他");
        } else {
            board.names[i] = leftChars(board.names[i], 5) + QStringLiteral(" 他");
        }
    }
}

}  // namespace

void AllocateDayArrays() {
    const int n = playerCount(), g = gameCount();
    DayResults.redim(0, n, 0, g);
    BestHcpScores.redim(0, n, 0, g);
    BestScratchScores.redim(0, n, 0, g);
    TopRank.assign(std::size_t(n) + 1, 0);
    DayRank.assign(std::size_t(n) + 1, 0);
}

void Kojin(const DayOptions& opt) {
    const int n = playerCount(), G = gameCount();
    for (int g = 1; g <= G; ++g)
        for (int p = 1; p <= n; ++p) {
            const StatsRecord& s = PlayedSheet(p, g);
            GameResultRecord& r = DayResults(p, g);
            r.選手ID = s.PlayerId;
            r.Year = s.Year;
            r.Month = s.Month;
            r.Day = s.Day;
            r.会場ID = s.VenueId;
            for (int k = 0; k <= 20; ++k) {
                r.Marks[k] = s.Marks[k];
                r.Attrs[k] = s.Attrs[k];
                r.Codes[k] = s.Codes[k];
                r.PinMasks[k] = s.PinMasks[k];
            }
            r.競技点 = s.Scores[0];
            for (int k = 1; k <= 10; ++k) r.S[k] = s.Scores[k];
            r.HCP = s.Scores[11];
        }

    for (int p = 1; p <= n; ++p) {
        for (int g = 1; g <= G; ++g) DayResults(p, g).当日 = DayResults(p, g).HcpDayOrder = std::int16_t(2 - G);
        // Each game gains one for every other game it beats; of two equal games the later gains.
        for (int g = 1; g < G; ++g)
            for (int g2 = g + 1; g2 <= G; ++g2) {
                GameResultRecord& a = DayResults(p, g);
                GameResultRecord& b = DayResults(p, g2);
                ++(a.S[10] > b.S[10] ? a : b).当日;
                ++(a.競技点 > b.競技点 ? a : b).HcpDayOrder;
            }
        for (int g = 1; g <= G; ++g) {
            const GameResultRecord& r = DayResults(p, g);
            const int k = 2 - r.HcpDayOrder;
            if (k >= 1 && k <= 5) {
                BestHcpScores(p, k) = r.競技点;
                BestScratchScores(p, k) = r.S[10];
            }
        }
    }

    for (int p = 1; p <= n; ++p)
        for (int g = 1; g <= G; ++g) {
            GameResultRecord& r = DayResults(p, g);
            const auto& a = r.Attrs;
            int st = 0, sp = 0, split = 0, miss = 0;
            for (int k = 0; k <= 20; ++k) {
                if (a[k] == Strike) ++st;
                else if (a[k] == Spare) ++sp;
                else if (a[k] == Split) ++split;
                else if (((k % 2 == 0 && k < 20) || (k == 19 && a[18] == Strike)) && a[k + 1] != Spare) ++miss;
            }
            if (!opt.splitNotSpareMiss) {
                // Every frame left open counts, a split first ball included.
                miss = 0;
                for (int k = 1; k <= 19; k += 2)
                    if (a[k - 1] != Strike && a[k] != Spare) ++miss;
                if (a[18] == Strike && a[19] != Strike && a[20] != Spare) ++miss;
            }
            r.ST = std::uint8_t(st);
            r.SP = std::uint8_t(sp);
            r.ｽﾌﾟﾘｯﾄ = std::uint8_t(split);
            r.SPF = std::uint8_t(miss);
        }
}

void Top_sho() {
    const int G = gameCount();
    pairwiseRanks(TopRank, playerCount(), [G](int p, int q) {
        for (int k = 1; k <= std::min(G, 3); ++k)
            if (const int c = compareValues(bestAt(BestHcpScores, p, k), bestAt(BestHcpScores, q, k))) return c;
        return 0;
    });
}

void HiGame_sho() {
    const int G = gameCount();
    pairwiseRanks(HighGameRank, playerCount(), [G](int p, int q) {
        for (int k = 1; k <= std::min(G, 3); ++k)
            if (const int c = compareValues(bestAt(BestScratchScores, p, k), bestAt(BestScratchScores, q, k))) return c;
        return 0;
    });
}

void StSpAve_sho(const DayOptions& opt, PrizeBoard& board) {
    const int n = playerCount(), G = gameCount();
    StrikeTotals.assign(std::size_t(n) + 1, 0.0);
    SpareTotals.assign(std::size_t(n) + 1, 0.0);
    AverageScores.assign(std::size_t(n) + 1, 0.0);
    for (int p = 1; p <= n; ++p) {
        long long counted = 0, st = 0, sp = 0, sum = 0;
        for (int g = 1; g <= G; ++g) {
            const GameResultRecord& r = DayResults(p, g);
            if (r.S[10] <= 0) continue;  // a game of 0 is no game for the prizes
            ++counted;
            st += r.ST;
            sp += r.SP;
            sum += opt.averageWithHcp ? r.競技点 : r.S[10];
        }
        AverageScores[p] = sum != 0 ? double(sum) / double(counted) : 0.0;
        if (opt.strikeSparePerGame) {
            // Truncated to two decimals; the quotient of two whole numbers is exact here.
            StrikeTotals[p] = st != 0 ? double(st * 100 / counted) / 100.0 : 0.0;
            SpareTotals[p] = sp != 0 ? double(sp * 100 / counted) / 100.0 : 0.0;
        } else {
            StrikeTotals[p] = double(st);
            SpareTotals[p] = double(sp);
        }
    }
    pairwiseRanks(AverageRank, n, [](int p, int q) { return compareValues(AverageScores[p], AverageScores[q]); });
    pairwiseRanks(StrikeRank, n, [](int p, int q) { return compareValues(StrikeTotals[p], StrikeTotals[q]); });
    pairwiseRanks(SpareRank, n, [](int p, int q) { return compareValues(SpareTotals[p], SpareTotals[q]); });

    // Booby: the largest average rank below N; the first in sheet order on a tie.
    int best = n;
    for (int p = 1; p <= n; ++p) {
        if (AverageRank[p] >= n) continue;
        const int d = n - AverageRank[p] - 1;
        if (d < best) {
            best = d;
            board.values[5] = CStr(AverageScores[p]);
            board.names[5] = playerName(p);
        }
    }
}

void Best10(const DayOptions& opt, PrizeBoard& board) {
    board = PrizeBoard{};  // the ranks and totals are made afresh by the three below

    Top_sho();
    fillPrize(0, TopRank, board, [](int p) { return CStr(int(bestAt(BestHcpScores, p, 1))); });
    HiGame_sho();
    fillPrize(1, HighGameRank, board, [](int p) { return CStr(int(bestAt(BestScratchScores, p, 1))); });
    StSpAve_sho(opt, board);
    fillPrize(2, StrikeRank, board, [](int p) { return CStr(StrikeTotals[p]); });
    fillPrize(3, SpareRank, board, [](int p) { return CStr(SpareTotals[p]); });
    fillPrize(4, AverageRank, board, [](int p) { return CStr(AverageScores[p]); });
}

Best10List Best10Lines(int prize, const DayOptions& opt) {
    static const std::array<const std::vector<std::int16_t>*, 5> ranks{&TopRank, &HighGameRank, &StrikeRank,
                                                                        &SpareRank, &AverageRank};
    Best10List list;
    if (prize < 0 || prize > 4) return list;
    const auto& rank = *ranks[std::size_t(prize)];
    const int n = std::min<int>(playerCount(), int(rank.size()) - 1);
    auto value = [&](int p) -> QString {
        switch (prize) {
        case 0: return CStr(int(bestAt(BestHcpScores, p, 1)));
        case 1: return CStr(int(bestAt(BestScratchScores, p, 1)));
        case 2: return opt.strikeSparePerGame ? Format(StrikeTotals[p], QStringLiteral(" 0.00")) : CStr(StrikeTotals[p]);
        case 3: return opt.strikeSparePerGame ? Format(SpareTotals[p], QStringLiteral(" 0.00")) : CStr(SpareTotals[p]);
        default: return Format(AverageScores[p], QStringLiteral(" 000.0"));
        }
    };
    const QString crlf = QStringLiteral("\r\n");
    for (int r = 1; r <= n; ++r) {
        for (int p = 1; p <= n; ++p)
            if (rank[std::size_t(p)] == r) {
                list.names += playerName(p) + crlf;
                list.values += value(p) + crlf;
            }
        if (r > 10) break;
    }
    return list;
}

QString PlacingText(int rank) {
    static const QString digits = QStringLiteral("１２３４５６７８９");
    if (rank >= 1 && rank <= 9) return digits[rank - 1] + QStringLiteral("着");
    return (Str(rank) + QStringLiteral("着")).right(3);
}

int WinningPoints(int method, int r, int n, const std::array<QString, 30>& pointTexts) {
    switch (method) {
    case 0: {
        int pts = r == 1 ? n + 9 : r == 2 ? n + 4 : r == 3 ? n + 1 : n - 2 * r + 1;
        if (pts < 0) pts = 0;
        if (r >= 3 && n < 6) pts = 0;
        if (r >= 2 && n < 4) pts = 0;
        return pts;
    }
    case 1: return n - r + 1;
    case 2: {
        const double v = roundHalfEven(Val(pointTexts[std::size_t(std::clamp(r, 1, 30) - 1)]));
        if (!(std::fabs(v) <= double(std::numeric_limits<std::int16_t>::max())))
            throw DayCalcError("points typed for placing " + std::to_string(r) + " are out of range");
        return int(v);
    }
    default: return 0;
    }
}

void Zentai(const DayOptions& opt, DayOutput& out) {
    const int n = playerCount(), G = gameCount();
    const std::vector<std::uint8_t> perColumn = playersPerColumn(G);
    const std::int16_t matchId = toInt16(MatchId.toLongLong(), "match ID");

    for (int g = 1; g <= G; ++g)
        for (int p = 1; p <= n; ++p) {
            GameResultRecord& r = DayResults(p, g);
            r.選手ID = PlayedSheet(p, g).PlayerId;
            r.試合ID = matchId;
            r.ｹﾞｰﾑ = std::uint8_t(g);
            r.順位 = std::uint8_t(n);
            r.人数 = perColumn[std::size_t(g)];
            r.上位 = 0;
            r.優Ｐ = 0;
            r.入賞 = QString();
        }

    // Per-game competition ranks: every player takes part in every game's comparison.
    for (int g = 1; g <= G; ++g)
        for (int p = 1; p <= n; ++p)
            for (int q = p + 1; q <= n; ++q) {
                GameResultRecord& a = DayResults(p, g);
                GameResultRecord& b = DayResults(q, g);
                const int d = a.S[10] - b.S[10];
                if (d >= 0) --a.順位;
                if (d <= 0) --b.順位;
            }
    for (int g = 1; g <= G; ++g)
        for (int p = 1; p <= n; ++p) {
            GameResultRecord& r = DayResults(p, g);
            r.上位 = double(r.人数) / 2.0 >= double(r.順位) ? 1 : 0;
        }

    Best10(opt, out.board);

    // Without a target the first one serves, so that the day always has its placings and winner.
    const int target = opt.pointTarget >= 0 && opt.pointTarget <= 2 ? opt.pointTarget : 0;
    const std::vector<std::int16_t>& source = target == 0 ? TopRank : target == 1 ? HighGameRank : AverageRank;
    DayRank = source;

    for (int p = 1; p <= n; ++p)
        for (int g = 1; g <= G; ++g) {
            GameResultRecord& r = DayResults(p, g);
            if (r.HcpDayOrder != 1) continue;
            const int rank = DayRank[std::size_t(p)];
            r.入賞 = PlacingText(rank);
            r.優Ｐ = toInt16(WinningPoints(opt.pointMethod, rank, n, opt.pointTexts), "winning points");
        }

    // Points list and results text, in the order of the day's rank, ties in sheet order.
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(),
                     [](int a, int b) { return DayRank[std::size_t(a)] < DayRank[std::size_t(b)]; });
    out.pointsList.clear();
    out.resultsLines.clear();
    out.resultsLines << QString::number(MatchYear) + QStringLiteral("年") + QString::number(MatchMonth) +
                            QStringLiteral("月") + QString::number(MatchDay) + QStringLiteral("日 の試合結果です。");
    out.resultsLines << QStringLiteral("順位\u3000 素点\u3000競技点\u3000優Ｐ \u3000選手名");
    for (const int p : order)
        for (int g = 1; g <= G; ++g) {
            const GameResultRecord& r = DayResults(p, g);
            if (r.HcpDayOrder != 1) continue;
            const QString name = PlayedSheet(p, g).Name.str();
            out.resultsLines << r.入賞.str() + QLatin1Char(' ') + Format(r.S[10], QStringLiteral("00\\ >> ")) +
                                    Format(r.競技点, QStringLiteral("00\\点  ")) +
                                    Format(r.優Ｐ, QStringLiteral("00\\p   ")) + Format(name, QStringLiteral("@@@@@@@@"));
            out.pointsList << r.入賞.str() + QStringLiteral("  ") + Format(r.優Ｐ, QStringLiteral("00\\p   ")) +
                                  Format(name + QStringLiteral("    "), QStringLiteral("@@@@@@"));
        }
}

QString ResultsFileName() {
    return QStringLiteral("SD-") + numberText(SeasonId) + QLatin1Char('-') + QString::number(MatchNo) +
           QStringLiteral(".txt");
}

void WriteResultsFile(const DayOutput& out) {
    try {
        TextWriter file(inProgramFolder(ResultsFileName()));
        for (const QString& line : out.resultsLines) file.Print(line);
        file.close();
    } catch (const TextFileError& e) {
        throw DayCalcError(e.what());
    }
}

DayCalcResult CalculateDay(const DayOptions& opt) {
    DayCalcResult result;
    try {
        checkSheet();
        AllocateDayArrays();
        Kojin(opt);
        Zentai(opt, result.output);
        WriteResultsFile(result.output);
        result.ok = true;
    } catch (const std::exception& e) {
        result.ok = false;
        result.error = QStringLiteral("計算中にエラーが発生しました。") + QLatin1Char('\r') + QString::fromUtf8(e.what());
    }
    return result;
}

}  // namespace vx
