// The day's calculation against a plain model of its rules, over many random days calculated one
// after another in one run (as a club calculates again and again): every field of every game row,
// the best-score tables, every rank and total, the prize board, the best-10 lists, the points list
// and the results file.
#include "recording/dayresults.h"
#include "common/convert.h"
#include "common/picture.h"
#include "common/width.h"
#include "support/exchange_sheet.h"
#include <QRandomGenerator>

using namespace Module1;

namespace {

const QStringList Names{QStringLiteral("山田太郎"), QStringLiteral("佐藤"),       QStringLiteral("鈴木一"),
                        QStringLiteral("Tanaka"),   QStringLiteral("高橋花子"),   QStringLiteral("O'Neil"),
                        QStringLiteral("伊藤"),     QStringLiteral("勘解由小路"), QStringLiteral("渡辺"),
                        QStringLiteral("Kim"),      QStringLiteral("中村"),       QStringLiteral("小林さくら"),
                        QStringLiteral("加藤"),     QStringLiteral("吉田")};
// Typed points and what they are worth.
const std::pair<const char*, int> Typed[] = {{"12", 12}, {" 7点", 7}, {"2.5", 2}, {"3.5", 4}, {"abc", 0}, {"30", 30}, {"-3", -3}};

struct Model {
    int n = 0, G = 0;
    vx::DayOptions opt;
    std::vector<int> typedValues = std::vector<int>(30, 0);
    Grid2<vx::GameResultRecord> rows;
    Grid2<std::int16_t> bestHcp, bestScratch;
    std::vector<std::int16_t> top, high, strikes, spares, average, day;
    std::vector<double> strikeTotals, spareTotals, averages;
    vx::PrizeBoard board;
    QStringList points, results;
};

int s10(int p, int g) { return PlayedSheet(p, g).Scores[10]; }
int withHcp(int p, int g) { return PlayedSheet(p, g).Scores[0]; }

// 1 + the number of players strictly better.
template <class Better>
std::vector<std::int16_t> ranks(int n, Better better) {
    std::vector<std::int16_t> r(std::size_t(n) + 1, 0);
    for (int p = 1; p <= n; ++p) {
        r[std::size_t(p)] = 1;
        for (int q = 1; q <= n; ++q) r[std::size_t(p)] += better(q, p);
    }
    return r;
}

int points(const Model& m, int r) {
    const int n = m.n;
    switch (m.opt.pointMethod) {
    case 0: {
        static const int first[] = {0, 9, 4, 1};
        int pts = r <= 3 ? n + first[r] : std::max(0, n + 1 - 2 * r);
        if ((r >= 3 && n < 6) || (r >= 2 && n < 4)) pts = 0;
        return pts;
    }
    case 1: return n + 1 - r;
    case 2: return m.typedValues[std::size_t(std::min(r, 30) - 1)];
    default: return 0;
    }
}

QString placing(int r) {
    return r <= 9 ? QString(QChar(0xFF10 + r)) + QStringLiteral("着") : QString::number(r).right(2) + QStringLiteral("着");
}

Model model(const vx::DayOptions& opt, const std::vector<int>& sheetCounts) {
    Model m;
    m.n = GamePlayerCounts[0], m.G = PlayedGameCount, m.opt = opt;
    for (int i = 0; i < 30; ++i)
        for (const auto& [text, value] : Typed)
            if (opt.pointTexts[std::size_t(i)] == QLatin1String(text)) m.typedValues[std::size_t(i)] = value;
    const int n = m.n, G = m.G;
    std::vector<int> perColumn{0};
    for (int c : sheetCounts)
        if (c) perColumn.push_back(c);
    m.rows.redim(0, n, 0, G);
    m.bestHcp.redim(0, n, 0, G);
    m.bestScratch.redim(0, n, 0, G);
    using namespace vx::BallAttr;
    for (int p = 1; p <= n; ++p)
        for (int g = 1; g <= G; ++g) {
            const vx::StatsRecord& in = PlayedSheet(p, g);
            vx::GameResultRecord& r = m.rows(p, g);
            r.選手ID = in.PlayerId, r.試合ID = std::int16_t(MatchId.toInt()), r.ｹﾞｰﾑ = std::uint8_t(g);
            r.競技点 = in.Scores[0], r.HCP = in.Scores[11];
            std::copy(in.Scores.begin() + 1, in.Scores.begin() + 11, r.S.begin() + 1);
            std::copy(in.Marks.begin(), in.Marks.end(), r.Marks.begin());
            std::copy(in.Attrs.begin(), in.Attrs.end(), r.Attrs.begin());
            std::copy(in.Codes.begin(), in.Codes.begin() + 21, r.Codes.begin());
            std::copy(in.PinMasks.begin(), in.PinMasks.begin() + 21, r.PinMasks.begin());
            r.会場ID = in.VenueId, r.Year = in.Year, r.Month = in.Month, r.Day = in.Day;
            // Of two equal games the later is the better one.
            int behind = 0, behindHcp = 0;
            for (int h = 1; h <= G; ++h) {
                behind += s10(p, h) > s10(p, g) || (s10(p, h) == s10(p, g) && h > g);
                behindHcp += withHcp(p, h) > withHcp(p, g) || (withHcp(p, h) == withHcp(p, g) && h > g);
            }
            r.当日 = std::int16_t(1 - behind), r.HcpDayOrder = std::int16_t(1 - behindHcp);
            if (behindHcp < 5) m.bestHcp(p, behindHcp + 1) = r.競技点, m.bestScratch(p, behindHcp + 1) = r.S[10];
            const auto& a = in.Attrs;
            for (int k = 0; k <= 20; ++k) r.ST += a[k] == Strike, r.SP += a[k] == Spare, r.ｽﾌﾟﾘｯﾄ += a[k] == Split;
            auto open = [&](int first) {
                const bool counted = opt.splitNotSpareMiss ? a[first] != Strike && a[first] != Spare && a[first] != Split : a[first] != Strike;
                return counted && a[first + 1] != Spare;
            };
            for (int f = 0; f < 10; ++f) r.SPF += open(2 * f);
            if (a[18] == Strike) r.SPF += open(19);
            r.人数 = std::uint8_t(perColumn[std::size_t(g)]);
            r.順位 = 1;
            for (int q = 1; q <= n; ++q) r.順位 += s10(q, g) > s10(p, g);
            r.上位 = r.人数 >= 2 * r.順位;
        }

    const int best = std::min(G, 3);
    auto lexBetter = [best](const Grid2<std::int16_t>& t) {
        return [&t, best](int q, int p) {
            for (int k = 1; k <= best; ++k)
                if (t(q, k) != t(p, k)) return t(q, k) > t(p, k);
            return false;
        };
    };
    m.top = ranks(n, lexBetter(m.bestHcp));
    m.high = ranks(n, lexBetter(m.bestScratch));
    m.strikeTotals.assign(std::size_t(n) + 1, 0), m.spareTotals.assign(std::size_t(n) + 1, 0), m.averages.assign(std::size_t(n) + 1, 0);
    for (int p = 1; p <= n; ++p) {
        int games = 0, st = 0, sp = 0, sum = 0;
        for (int g = 1; g <= G; ++g)
            if (s10(p, g) > 0) ++games, st += m.rows(p, g).ST, sp += m.rows(p, g).SP, sum += opt.averageWithHcp ? withHcp(p, g) : s10(p, g);
        m.averages[std::size_t(p)] = sum ? double(sum) / games : 0;
        m.strikeTotals[std::size_t(p)] = opt.strikeSparePerGame && st ? std::floor(st * 100.0 / games) / 100 : st;
        m.spareTotals[std::size_t(p)] = opt.strikeSparePerGame && sp ? std::floor(sp * 100.0 / games) / 100 : sp;
    }
    auto byValue = [](const std::vector<double>& v) { return [&v](int q, int p) { return v[std::size_t(q)] > v[std::size_t(p)]; }; };
    m.strikes = ranks(n, byValue(m.strikeTotals));
    m.spares = ranks(n, byValue(m.spareTotals));
    m.average = ranks(n, byValue(m.averages));

    auto name = [](int p) { return PlayedSheet(p, 1).Name.str(); };
    const std::vector<std::int16_t>* prizeRanks[] = {&m.top, &m.high, &m.strikes, &m.spares, &m.average};
    auto value = [&m](int prize, int p) {
        const auto i = std::size_t(p);
        return prize == 0 ? QString::number(m.bestHcp(p, 1)) : prize == 1 ? QString::number(m.bestScratch(p, 1))
               : prize == 2 ? CStr(m.strikeTotals[i]) : prize == 3 ? CStr(m.spareTotals[i]) : CStr(m.averages[i]);
    };
    for (int prize = 0; prize < 5; ++prize) {
        std::vector<int> firsts;
        for (int p = 1; p <= n; ++p)
            if ((*prizeRanks[prize])[std::size_t(p)] == 1) firsts.push_back(p);
        if (firsts.empty()) continue;
        m.board.names[std::size_t(prize)] = name(firsts[0]);
        m.board.values[std::size_t(prize)] = value(prize, firsts[0]);
        if (firsts.size() > 1)
            m.board.names[std::size_t(prize)] = prize == 0 ? name(firsts[0]) + QStringLiteral(" 他").repeated(qsizetype(firsts.size() - 1))
                                                           : leftChars(name(firsts[0]), 5) + QStringLiteral(" 他");
    }
    // The booby prize: the worst average rank that is not the last; the first in sheet order.
    int booby = 0;
    for (int p = 1; p <= n; ++p)
        if (m.average[std::size_t(p)] < n && (!booby || m.average[std::size_t(p)] > m.average[std::size_t(booby)])) booby = p;
    if (booby) m.board.names[5] = name(booby), m.board.values[5] = CStr(m.averages[std::size_t(booby)]);

    m.day = opt.pointTarget == 1 ? m.high : opt.pointTarget == 2 ? m.average : m.top;
    std::vector<int> order;
    for (int r = 1; r <= n; ++r)
        for (int p = 1; p <= n; ++p)
            if (m.day[std::size_t(p)] == r) order.push_back(p);
    m.results << QStringLiteral("%1年%2月%3日 の試合結果です。").arg(MatchYear).arg(MatchMonth).arg(MatchDay)
              << QStringLiteral("順位\u3000 素点\u3000競技点\u3000優Ｐ \u3000選手名");
    for (int p : order)
        for (int g = 1; g <= G; ++g) {
            vx::GameResultRecord& r = m.rows(p, g);
            if (r.HcpDayOrder != 1) continue;
            r.入賞 = placing(m.day[std::size_t(p)]);
            r.優Ｐ = std::int16_t(points(m, m.day[std::size_t(p)]));
            const QString pts = Format(r.優Ｐ, QStringLiteral("00")) + QStringLiteral("p   ");
            m.results << r.入賞.str() + ' ' + Format(r.S[10], QStringLiteral("00")) + QStringLiteral(" >> ") + Format(r.競技点, QStringLiteral("00")) +
                             QStringLiteral("点  ") + pts + name(p);
            m.points << r.入賞.str() + QStringLiteral("  ") + pts + name(p) + QStringLiteral("    ");
        }
    return m;
}

// The model's best-10 list of a prize: ranks 1 to 11, in sheet order within a rank.
vx::Best10List best10(const Model& m, int prize) {
    const std::vector<std::int16_t>& rank = *std::array{&m.top, &m.high, &m.strikes, &m.spares, &m.average}[std::size_t(prize)];
    vx::Best10List l;
    for (int r = 1; r <= std::min(m.n, 11); ++r)
        for (int p = 1; p <= m.n; ++p) {
            if (rank[std::size_t(p)] != r) continue;
            const auto i = std::size_t(p);
            const bool perGame = m.opt.strikeSparePerGame;
            l.names += PlayedSheet(p, 1).Name.str() + QStringLiteral("\r\n");
            l.values += (prize == 0   ? QString::number(m.bestHcp(p, 1))
                         : prize == 1 ? QString::number(m.bestScratch(p, 1))
                         : prize == 2 ? (perGame ? QString::asprintf(" %.2f", m.strikeTotals[i]) : CStr(m.strikeTotals[i]))
                         : prize == 3 ? (perGame ? QString::asprintf(" %.2f", m.spareTotals[i]) : CStr(m.spareTotals[i]))
                                      : Format(m.averages[i], QStringLiteral(" 000.0"))) +
                        QStringLiteral("\r\n");
        }
    return l;
}

QString rowText(const vx::GameResultRecord& r) {
    QStringList t{QString::number(r.選手ID), QString::number(r.試合ID), QString::number(r.ｹﾞｰﾑ), QString::number(r.優Ｐ), QString::number(r.上位),
                  QString::number(r.競技点), QString::number(r.HCP), QString::number(r.ST), QString::number(r.SP), QString::number(r.SPF),
                  QString::number(r.ｽﾌﾟﾘｯﾄ), QString::number(r.当日), QString::number(r.HcpDayOrder), r.入賞.str(), QString::number(r.人数),
                  QString::number(r.順位), QString::number(r.会場ID), QString::number(r.Year), QString::number(r.Month), QString::number(r.Day)};
    for (int k = 0; k <= 10; ++k) t << QString::number(r.S[std::size_t(k)]);
    for (int k = 0; k <= 20; ++k)
        t << r.Marks[std::size_t(k)] + ':' + QString::number(r.Attrs[std::size_t(k)]) + ':' + QString::number(r.Codes[std::size_t(k)]) + ':' +
                 QString::number(r.PinMasks[std::size_t(k)]);
    return t.join(u' ');
}

template <class T>
QString dims(const Grid2<T>& g) {
    return QStringLiteral("%1..%2 %3..%4:").arg(g.lo1()).arg(g.hi1()).arg(g.lo2()).arg(g.hi2());
}
template <class T>
QString gridText(const Grid2<T>& g, int n, int G) {
    QString t = dims(g);
    for (int p = 0; p <= n; ++p)
        for (int k = 0; k <= G; ++k) t += ' ' + QString::number(g.contains(p, k) ? g(p, k) : -999);
    return t;
}
template <class T>
QString listText(const std::vector<T>& v) {
    QStringList t;
    for (T x : v) t << QString::number(x, 'g', 15);
    return t.join(u' ');
}

}  // namespace

class TstDayModel : public GuiTest {
    Q_OBJECT

    QRandomGenerator rng{20261207};
    int pick(int lo, int hi) { return int(rng.bounded(lo, hi + 1)); }
    template <class T>
    T one(std::initializer_list<T> l) { return l.begin()[rng.bounded(int(l.size()))]; }

    // A random day into PlayedSheet; returns the players per score-sheet game (zeros for games
    // nobody bowled). Scores come from a few values, so that ties and one-pin differences are common.
    std::vector<int> randomDay(int n, int G) {
        GamePlayerCounts = {};
        GamePlayerCounts[0] = std::uint8_t(n), PlayedGameCount = std::uint8_t(G);
        std::vector<int> counts;
        for (int g = 0; g < G; ++g) {
            while (int(counts.size()) < 10 - (G - g) && rng.bounded(4) == 0) counts.push_back(0);
            counts.push_back(pick(1, n));
        }
        for (std::size_t j = 0; j < counts.size(); ++j) GamePlayerCounts[j + 1] = std::uint8_t(counts[j]);
        QStringList names = Names;
        PlayedSheet.redim(1, n, 1, G);
        for (int p = 1; p <= n; ++p) {
            const QString name = names.takeAt(rng.bounded(int(names.size())));
            const auto id = std::int16_t(pick(1, 32767));
            const auto hcp = std::int16_t(one({0, 0, 5, 10, 40}));
            for (int g = 1; g <= G; ++g) {
                vx::StatsRecord& r = PlayedSheet(p, g);
                r.Name = name, r.PlayerId = id;
                const int total = one({0, 90, 150, 150, 151, 160, 199, 200, 200, 201, 245, 300});
                for (int f = 1; f <= 9; ++f) r.Scores[std::size_t(f)] = std::int16_t(total * f / 10 - pick(0, 3) * (total > 0));
                r.Scores[10] = std::int16_t(total), r.Scores[11] = std::int16_t(hcp + pick(0, 1) * 5), r.Scores[0] = std::int16_t(total + r.Scores[11]);
                r.VenueId = std::int16_t(pick(1, 255)), r.Year = std::int16_t(pick(1990, 2099));
                r.Month = std::uint8_t(pick(1, 12)), r.Day = std::uint8_t(pick(1, 28));
                for (std::size_t k = 0; k <= 20; ++k) {
                    r.Attrs[k] = one<std::int16_t>({-1, 0, 0, 1, 2, 3, 3, 4, 4, 4});
                    r.Codes[k] = std::uint8_t(pick(0, 30));
                    r.PinMasks[k] = pick(-1, 1023);
                    r.Marks[k] = one({QStringLiteral("９"), QStringLiteral("Ｘ"), QStringLiteral("／"), vx::EmptyMark, QStringLiteral("8s")});
                }
            }
        }
        return counts;
    }

private Q_SLOTS:
    void randomDaysAgainstTheModel() {
        int checked = 0, tenth = 0;
        for (int day = 0; day < 150; ++day) {
            const int n = day % 25 == 0 ? 1 : pick(1, 14), G = day % 30 == 7 ? 10 : pick(1, 6);
            const std::vector<int> counts = randomDay(n, G);
            MatchId = one({1, 41, 32767, pick(2, 32766)}), SeasonId = pick(1, 9), MatchNo = std::int16_t(pick(1, 40));
            MatchYear = std::int16_t(pick(1990, 2099)), MatchMonth = std::uint8_t(pick(1, 12)), MatchDay = std::uint8_t(pick(1, 31));
            vx::DayOptions opt{.splitNotSpareMiss = rng.bounded(2) == 1, .strikeSparePerGame = rng.bounded(2) == 1,
                               .averageWithHcp = rng.bounded(2) == 1, .pointTarget = pick(-1, 3), .pointMethod = pick(-1, 3)};
            for (QString& t : opt.pointTexts) t = QString::fromLatin1(std::begin(Typed)[rng.bounded(int(std::size(Typed)))].first);
            const QString what = QStringLiteral("day %1: %2 players, %3 games").arg(day).arg(n).arg(G);

            const vx::DayCalcResult got = vx::CalculateDay(opt);
            QVERIFY2(got.ok, qPrintable(what + ' ' + got.error));
            const Model m = model(opt, counts);
            for (int p = 1; p <= n; ++p)
                for (int g = 1; g <= G; ++g) QCOMPARE(rowText(DayResults(p, g)), rowText(m.rows(p, g)));
            QCOMPARE(dims(DayResults) + gridText(BestHcpScores, n, G) + gridText(BestScratchScores, n, G),
                     dims(m.rows) + gridText(m.bestHcp, n, G) + gridText(m.bestScratch, n, G));
            const QStringList ranksGot{listText(TopRank), listText(HighGameRank), listText(StrikeRank), listText(SpareRank), listText(AverageRank),
                                       listText(DayRank), listText(StrikeTotals), listText(SpareTotals), listText(AverageScores)};
            const QStringList ranksWant{listText(m.top), listText(m.high), listText(m.strikes), listText(m.spares), listText(m.average),
                                        listText(m.day), listText(m.strikeTotals), listText(m.spareTotals), listText(m.averages)};
            QCOMPARE(ranksGot, ranksWant);
            QCOMPARE(QStringList(got.output.board.names.begin(), got.output.board.names.end()), QStringList(m.board.names.begin(), m.board.names.end()));
            QCOMPARE(QStringList(got.output.board.values.begin(), got.output.board.values.end()), QStringList(m.board.values.begin(), m.board.values.end()));
            for (int prize = 0; prize < 5; ++prize) {
                const vx::Best10List l = vx::Best10Lines(prize, opt), want = best10(m, prize);
                QCOMPARE(l.names + l.values, want.names + want.values);
            }
            QCOMPARE(got.output.pointsList, m.points);
            QCOMPARE(got.output.resultsLines, m.results);
            QCOMPARE(fileBytes(inProgramFolder(QStringLiteral("SD-%1-%2.txt").arg(SeasonId.toInt()).arg(MatchNo))),
                     toCp932(m.results.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
            ++checked, tenth += G == 10;
        }
        QVERIFY(checked == 150 && tenth > 0 && vx::Best10Lines(5, {}).names.isEmpty() && vx::Best10Lines(-1, {}).values.isEmpty());
    }

    // A sheet that does not add up, a match number or typed points beyond what is stored: the
    // calculation says why and writes no results file.
    void daysThatCannotBeCalculated() {
        const auto refusal = [&](const std::function<void(vx::DayOptions&)>& spoil) {
            randomDay(4, 3);
            MatchId = 7, SeasonId = 2, MatchNo = 3;
            vx::DayOptions opt{.pointTarget = 0, .pointMethod = 2};
            for (QString& t : opt.pointTexts) t = QStringLiteral("5");
            spoil(opt);
            QFile::remove(inProgramFolder(QStringLiteral("SD-2-3.txt")));
            const vx::DayCalcResult r = vx::CalculateDay(opt);
            return QString::number(r.ok) + u' ' + r.error.section(u'\r', 1) + (QFile::exists(inProgramFolder(QStringLiteral("SD-2-3.txt"))) ? " written" : "");
        };
        QCOMPARE(refusal([](vx::DayOptions&) {}), QStringLiteral("1  written"));
        QCOMPARE(refusal([](vx::DayOptions&) { GamePlayerCounts = {}, GamePlayerCounts[0] = 4, GamePlayerCounts[9] = 2, GamePlayerCounts[10] = 3; }),
                 QStringLiteral("0 fewer games with players than games with data"));
        QCOMPARE(refusal([](vx::DayOptions&) { PlayedSheet.redim(1, 4, 1, 2); }), QStringLiteral("0 the statistics sheet does not hold 4 players by 3 games"));
        QCOMPARE(refusal([](vx::DayOptions&) { MatchId = 32768; }), QStringLiteral("0 match ID out of range: 32768"));
        QCOMPARE(refusal([](vx::DayOptions& o) { o.pointTexts[0] = QStringLiteral("32768"); }),
                 QStringLiteral("0 points typed for placing 1 are out of range"));
        QCOMPARE(refusal([](vx::DayOptions& o) { o.pointTexts[0] = QStringLiteral("-32767"); }), QStringLiteral("1  written"));
    }
};

QTEST_MAIN(TstDayModel)
#include "tst_daymodel.moc"
