#include "publishing/playerpage.h"
#include "common/convert.h"
#include "common/dbconnection.h"
#include "common/names.h"
#include "common/picture.h"
#include <cmath>
#include <optional>

namespace vx::publishing {

namespace {

// The statistics columns as the page reads them, in the tables' order after the season.
enum Stat { Games, Points, Top, TopRate, Total, Average, Strikes, StrikeAverage, Spares, Misses, SpareRate, StatCount };
const char* const StatNames[StatCount] = {"ゲーム数", "優P計", "上位", "上位率", "合計点", "平均点", "st", "st平均", "スペア", "スペアミス", "スペア率"};
const char* const Pictures[StatCount] = {" ##0", " ###0", " ##0", " ##0.0", " #####0", " ###.0", " ###0", "#0.00", " ###0", " ###0", " ##0.0"};
bool isRate(int s) { return s == TopRate || s == SpareRate; }
bool isAverage(int s) { return s == Average || s == StrikeAverage; }
bool highlighted(int s) { return isRate(s) || isAverage(s) || s == Points; }

// Rates as percent with one decimal, averages with one (points) or two (strikes), rounded half up.
double shown(int s, double v) {
    if (isRate(s)) return std::floor(1000 * v + 0.5) / 10;
    if (s == Average) return std::floor(10 * v + 0.5) / 10;
    if (s == StrikeAverage) return std::floor(100 * v + 0.5) / 100;
    return v;
}

// A missing value (a rate without chances) leaves its cell empty, without the percent sign.
QString text(int s, const std::optional<double>& v) { return v ? Format(shown(s, *v), QString::fromLatin1(Pictures[s])) : QString(); }
QString after(int s, bool present, bool lastBlank = true) {
    return QString(isRate(s) && present ? QStringLiteral("%") : QString()) + (lastBlank ? QStringLiteral("\u3000") : QString());
}

struct Rows {
    QVector<std::array<std::optional<double>, StatCount + 1>> values;  // the season last
};

QVariant number(const QString& text) {
    const double v = Val(text);
    if (v == double(qint64(v))) return qint64(v);
    return v;
}

bool read(const QString& sql, const QVariantList& params, Rows* out) {
    db::Statement q(sql);
    if (!q.run(params)) return false;
    const NameList fields(q.columnNames());
    int col[StatCount + 1];
    if (!fields.indexesOf(StatNames, std::span(col).first(StatCount))) return false;
    col[StatCount] = fields.indexOf(QStringLiteral("シーズンID"));
    while (q.next()) {
        auto& row = out->values.emplace_back();
        for (int s = 0; s <= StatCount; ++s) {
            const QVariant v = col[s] < 0 ? QVariant() : q.value(col[s]);
            if (!v.isNull()) row[std::size_t(s)] = v.toDouble();
        }
    }
    return true;
}

// The season table with its total row, the all-time table, or both.
PageBody playerBody(const PlayerPage& page, const PageColors& c) {
    const QVariant player = number(page.player);
    const QString ave = QStringLiteral("BGCOLOR=#") + c.aveBack + QStringLiteral("><FONT COLOR=#") + c.aveFore + QLatin1Char('>');
    const QString label = QStringLiteral("<TD ALIGN=center ") + ave + QStringLiteral("合計平均</font></TD>");
    QStringList body;
    PageFrame frame = page.setup.frame;
    frame.headingEnd = QStringLiteral("</font></H1></Center>");

    if (page.seasons) {
        Rows rows;
        if (!read(QStringLiteral("SELECT * FROM \"選手別成績２\" WHERE \"選手ID\" = ? AND \"シーズンID\" > ? AND \"シーズンID\" < ? "
                                 "ORDER BY \"シーズンID\""),
                  {player, Val(page.firstSeason) - 1, Val(page.lastSeason) + 1}, &rows))
            return PageResult::Unreadable;
        body << QStringLiteral("<HR><center><Table border>") << QStringLiteral("<TR VALIGN=bottom bgcolor=#c0c0c0>");
        for (const char* h : {"シーズン", "Game", "優Ｐ計", "上位", "上位率", "合計点", "平均点", "Ｓｔ", "平均St", "スペア", "ミス", "Ｓｐ率"})
            body << QStringLiteral("<TD ALIGN=center>") + QString::fromUtf8(h) + QStringLiteral("</TD>");
        body << QStringLiteral("</TR>");
        double total[StatCount] = {};
        int rowCount = 0;
        for (const auto& row : rows.values) {
            body << QStringLiteral("<TR VALIGN=bottom>");
            auto cell = [&](bool high, const QString& t, const QString& end, bool lower) {
                body << QStringLiteral("<TD ALIGN=right BGCOLOR=#") + (high ? c.syoBack : c.back) + QStringLiteral("><FONT COLOR=#") +
                            (high ? c.syoFore : c.fore) + QStringLiteral(">\u3000") + t + end +
                            (lower ? QStringLiteral("</font></TD>") : QStringLiteral("</FONT></TD>"));
            };
            const auto& season = row[StatCount];
            cell(false, season ? Format(*season, QStringLiteral(" ###")) : QString(), QStringLiteral("\u3000"), false);
            for (int s = 0; s < StatCount; ++s) {
                const auto& v = row[std::size_t(s)];
                cell(highlighted(s), text(s, v), after(s, v.has_value()),
                     isRate(s) || isAverage(s));
                if (!isRate(s) && !isAverage(s)) total[s] += v.value_or(0);
            }
            body << QStringLiteral("</TR>");
            if (total[Games] > 0) ++rowCount;
        }
        if (rowCount > 0) {
            // The rates and averages of all seasons together, weighted by games.
            const double g = total[Games];
            total[TopRate] = total[Top] / g;
            total[Average] = total[Total] / g;
            total[StrikeAverage] = total[Strikes] / g;
            const double chances = total[Spares] + total[Misses];
            body << QStringLiteral("<TR VALIGN=bottom>") << label;
            for (int s = 0; s < StatCount; ++s) {
                const QString open = QStringLiteral("<TD ALIGN=right ") + ave;
                if (!isRate(s) && !isAverage(s)) {
                    body << open + PrintForm(total[s]) + (s == Points ? QStringLiteral("</FONT></TD>") : QStringLiteral("</font></TD>"));
                    continue;
                }
                const std::optional<double> v = s == SpareRate && chances == 0 ? std::nullopt : std::optional<double>(s == SpareRate ? total[Spares] / chances : total[s]);
                body << open + text(s, v) + after(s, v.has_value()) + QStringLiteral("</font></TD>");
            }
            body << QStringLiteral("</TR>");
        }
        body << QStringLiteral("</Table><center>");
        if (!page.allTime) frame.footer = {QStringLiteral("<HR>"), QStringLiteral("<center>") + page.setup.footerText + QStringLiteral("</center>"), QStringLiteral("<HR>")};
    }

    if (page.allTime) {
        Rows rows;
        if (!read(QStringLiteral("SELECT * FROM \"選手別通算成績２\" WHERE \"選手ID\" = ?"), {player}, &rows)) return PageResult::Unreadable;
        // Alone, the table has a head of its own, without the marker and the date.
        if (!page.seasons) {
            frame.stamped = false;
            body << QStringLiteral("<HR>");
        }
        body << QStringLiteral("<center><Table border>") << QStringLiteral("<TR VALIGN=bottom bgcolor=#b0b0b0>");
        for (const char* h : {"通算", " Game", " 優Ｐ計 ", "  上位 ", " 上位率 ", " 合計点 ", " 平均点 ", "  Ｓｔ ", " 平均St", " スペア ", "  ミス ", " Ｓｐ率 "})
            body << QStringLiteral("<TD ALIGN=center>") + QString::fromUtf8(h) + QStringLiteral("</TD>");
        body << QStringLiteral("</TR>");
        for (const auto& row : rows.values) {
            body << QStringLiteral("<TR VALIGN=bottom>") << label;
            for (int s = 0; s < StatCount; ++s) {
                const auto& v = row[std::size_t(s)];
                body << QStringLiteral("<TD ALIGN=center ") + ave + text(s, v) + after(s, v.has_value(), s == SpareRate) + QStringLiteral("</font></TD>");
            }
            body << QStringLiteral("</TR>");
        }
        body << QStringLiteral("</Table></center><HR>");
        frame.footer = {QStringLiteral("<P align=center>") + page.setup.footerText + QStringLiteral("</p>"), QStringLiteral("<HR>")};
    }
    return PageContent{frame, body};
}

}  // namespace

PageResult writePlayerPage(const QString& path, const PlayerPage& page) {
    return writePage(path, page.setup, [&page](const PageColors& colors) { return playerBody(page, colors); });
}

}  // namespace vx::publishing
