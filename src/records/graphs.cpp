#include "records/graphs.h"
#include "common/convert.h"
#include "common/dbconnection.h"
#include "common/recordset.h"
#include <QHash>
#include <algorithm>
#include <cmath>

namespace vx::graphs {

std::int32_t PaletteColor(int i) {
    static const int rgb[16][3] = {{0, 0, 0},     {0, 0, 128},   {0, 128, 0},   {0, 128, 128}, {128, 0, 0},   {128, 0, 128},
                                   {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255}, {0, 255, 0},   {0, 255, 255},
                                   {255, 0, 0},   {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};
    const int* c = rgb[std::clamp(i, 0, 15)];
    return c[0] | (c[1] << 8) | (c[2] << 16);
}

QVector<double> steps(double from, double step, double end) {
    QVector<double> at;
    // A step of nothing would never reach the end.
    if (!(step > 0)) return from <= end ? QVector<double>{from} : at;
    for (int i = 0; from + i * step <= end; ++i) at << from + i * step;
    return at;
}

QStringList statNames() {
    return {QStringLiteral("優勝ﾎﾟｲﾝﾄ"), QStringLiteral("優勝ﾎﾟｲﾝﾄ占有率"), QStringLiteral("上位"), QStringLiteral("上位率"),
            QStringLiteral("得点"), QStringLiteral("平均点"), QStringLiteral("ストライク"), QStringLiteral("ストライク／ゲーム"),
            QStringLiteral("スペア"), QStringLiteral("スペア率")};
}

namespace {

std::optional<double> number(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return std::nullopt;
    return v.toDouble();
}

// Season rows into totals by season; the statistics come from the schema's views.
bool fill(const QString& sql, const QVariantList& params, int seasons, QVector<SeasonTotals>& into) {
    into = QVector<SeasonTotals>(seasons + 1);
    db::Recordset rs;
    if (!rs.open(sql, db::RecordsetType::Snapshot, params)) return false;
    auto field = [&](int row, const char* name) { return number(rs.valueAt(row, rs.FieldIndex(QString::fromUtf8(name)))); };
    for (int row = 0; row < rs.RecordCount(); ++row) {
        const int k = int(field(row, "シーズンID").value_or(-1));
        if (k < 1 || k > seasons) continue;
        SeasonTotals& t = into[k];
        t.games = field(row, "ゲーム数");
        t.points = field(row, "優P計");
        t.tops = field(row, "上位");
        t.topRate = field(row, "上位率");
        t.totalPins = field(row, "合計点");
        t.average = field(row, "平均点");
        t.strikes = field(row, "st");
        t.strikesPerGame = field(row, "st平均");
        t.spares = field(row, "スペア");
        t.spareMisses = field(row, "スペアミス");
        // Without a spare chance the rate stays empty, which plots as 0.
        t.spareRate = t.spares && t.spareMisses && *t.spares + *t.spareMisses > 0 ? field(row, "スペア率") : std::optional<double>(0.0);
    }
    return true;
}

}  // namespace

std::optional<SeasonTable> readSeasons(int seasons, bool allPlayers, int playerId) {
    SeasonTable t;
    seasons = std::max(0, seasons);
    if (!allPlayers &&
        !fill(QStringLiteral("SELECT * FROM 選手別成績２ WHERE 選手ID = ?"), {playerId}, seasons, t.player))
        return std::nullopt;
    if (!fill(QStringLiteral("SELECT * FROM 全選手成績２"), {}, seasons, t.all)) return std::nullopt;
    return t;
}

void seasonScale(int stat, double M, bool allPlayers, double H, double& valueScale, double& labelStep) {
    static const double steps[] = {0, 10, 10, 5, 10, 1000, 20, 10, 0.5, 10, 10};
    labelStep = steps[std::clamp(stat, 0, 10)];
    if (allPlayers && (stat == Points || stat == Tops || stat == TotalPins || stat == Strikes || stat == Spares)) labelStep *= 10;
    const double h = H - 5;
    const bool byLargest = stat != Points && stat != PointShare && stat != Spares;
    if (byLargest && !(M > 0)) {
        // Nothing to scale to: ten grid lines fill the picture.
        valueScale = h / (10 * labelStep);
        return;
    }
    switch (stat) {
    case Points:
    case Spares: valueScale = std::floor(h / (M + 1)); break;
    case PointShare: valueScale = 10 * std::floor(h / std::floor(M + 5) / 10); break;
    case Tops:
    case StrikesPerGame: valueScale = 10 * std::floor(h / M / 10); break;
    case TopRate:
    case SpareRate: valueScale = 10 * std::floor(h / (100 * M) / 10); break;
    case TotalPins: valueScale = M < H ? std::floor(10 * h / M) / 10 : std::floor(100 * h / M) / 100; break;
    default: valueScale = std::floor(h / M); break;  // average, strikes
    }
}

SeasonPlot seasonPlot(int stat, const SeasonTable& table, bool allPlayers, double H) {
    SeasonPlot plot;
    const int seasons = int(table.all.size()) - 1;
    plot.values = QVector<std::optional<double>>(std::max(0, seasons) + 1, 0.0);
    const double zero = 0;
    for (int i = 1; i <= seasons; ++i) {
        const SeasonTotals& r = allPlayers || i >= table.player.size() ? table.all[i] : table.player[i];
        std::optional<double> v;
        double m = 0;  // what raises the largest value
        auto orZero = [](const std::optional<double>& x) { return x.value_or(0); };
        switch (stat) {
        case Points: v = r.points; break;
        case PointShare: {
            // Empty and null count as no points; a season nobody scored in shows 0.
            double b = orZero(table.all[i].points) + 0.1, a = orZero(r.points) + 0.1;
            if (b == 0.1) b = 100;
            if (a == 0.1) a = 0;
            v = 100 * a / b;
            break;
        }
        case Tops: v = allPlayers ? std::optional<double>(orZero(r.tops)) : r.tops; break;
        case TopRate: v = r.topRate ? std::optional<double>(*r.topRate * 100) : std::nullopt; m = r.topRate.value_or(zero); break;
        case TotalPins: v = orZero(r.totalPins); break;
        case Average: v = r.average; break;
        case Strikes: v = orZero(r.strikes); break;
        case StrikesPerGame: v = r.strikesPerGame; break;
        case Spares: v = orZero(r.spares); break;
        case SpareRate: v = r.spareRate ? std::optional<double>(*r.spareRate * 100) : std::nullopt; m = r.spareRate.value_or(zero); break;
        default: break;
        }
        if (stat != TopRate && stat != SpareRate) m = v.value_or(zero);
        plot.largest = std::max(plot.largest, m);
        plot.values[i] = v;
    }
    seasonScale(stat, plot.largest, allPlayers, H, plot.valueScale, plot.labelStep);
    plot.valueScale = std::max(plot.valueScale, 0.05);
    return plot;
}

double seasonStep(double W, int seasons) {
    // No season is drawn as one; more seasons than the width holds get the smallest step.
    const double step = std::floor((W - 5) / std::max(1, seasons) / 10) * 10;
    return std::max(10.0, step);
}

std::optional<Race> readRace(const QString& seasonText, const QString& countText) {
    Race race;
    const double season = Val(seasonText);
    const int wanted = int(std::clamp(Val(countText), 0.0, 32767.0));
    db::Statement ranked(QStringLiteral("SELECT 選手ID FROM シーズン成績２ WHERE シーズンID = ?"));
    if (!ranked.run({season})) return std::nullopt;
    while (race.players.size() < wanted && ranked.next()) race.players << ranked.value(0).toInt();
    db::Statement name(QStringLiteral("SELECT 選手名 FROM 選手 WHERE 選手ID = ?"));
    for (int id : race.players) {
        if (!name.run({id})) return std::nullopt;
        race.names << (name.next() ? name.value(0).toString() : QString());
    }

    // The season's matches in their stored order; the race has as many places as the largest number.
    QVector<int> matchIds;
    db::Statement matches(QStringLiteral("SELECT 試合ID, 試合 FROM 試合 WHERE シーズンID = ? ORDER BY 試合ID"));
    if (!matches.run({season})) return std::nullopt;
    while (matches.next()) {
        matchIds << matches.value(0).toInt();
        race.matches = std::max(race.matches, matches.value(1).toInt());
    }
    matchIds.resize(std::min<qsizetype>(matchIds.size(), race.matches));

    // A player's points of a match: the first row that earned any.
    QHash<QPair<int, int>, int> points;
    db::Statement earned(QStringLiteral("SELECT 選手ID, 試合ID, 優Ｐ FROM データ項目 WHERE 優Ｐ > 0 AND 試合ID IN "
                                        "(SELECT 試合ID FROM 試合 WHERE シーズンID = ?) ORDER BY ID"));
    if (!earned.run({season})) return std::nullopt;
    while (earned.next()) {
        const QPair<int, int> key(earned.value(0).toInt(), earned.value(1).toInt());
        if (!points.contains(key)) points.insert(key, earned.value(2).toInt());
    }
    for (int id : race.players) {
        QVector<int> sums(race.matches + 1, 0);
        for (int m = 1; m <= race.matches; ++m)
            sums[m] = sums[m - 1] + (m <= matchIds.size() ? points.value({id, matchIds[m - 1]}, 0) : 0);
        race.cumulative << sums;
    }
    return race;
}

RaceScale raceScale(const Race& race, double W, double H) {
    RaceScale s;
    for (const QVector<int>& sums : race.cumulative) s.largest = std::max(s.largest, sums.value(race.matches));
    // Nobody scored: the scale of ten points; too many points for a multiple of 10: the exact fit.
    const double largest = s.largest > 0 ? s.largest : 10;
    s.pointScale = 10 * std::floor((H - 50) / largest / 10);
    if (!(s.pointScale > 0)) s.pointScale = (H - 50) / largest;
    const int matches = std::max(1, race.matches);
    s.matchStep = std::floor((W - 50) / matches / 10) * 10;
    if (!(s.matchStep > 0)) s.matchStep = (W - 50) / matches;
    return s;
}

RadarShape radarShape(double spareRate, double strikesPerGame, double topRate, double average, double A, double B) {
    RadarShape r;
    r.top = {0, A * spareRate / 0.8};
    r.bottom = {0, -A * strikesPerGame / 4};
    r.left = {-B * topRate, 0};
    r.right = {B * (average - 80) / 120, 0};
    // The fill starts one pixel right of and above the centre: the outline must pass beyond it on
    // the right, the bottom and the top, or the hatch would run over the whole picture.
    r.hatched = r.right.x() > 2 && r.bottom.y() < -1 && r.top.y() > 2;
    return r;
}

QString chartCaption(const QString& name, int range, const QString& season) {
    if (range == 1) return name + QStringLiteral(" ") + season + QStringLiteral("期");
    if (range == 2) return name;
    return name + QStringLiteral(" 通算");
}

}  // namespace vx::graphs
