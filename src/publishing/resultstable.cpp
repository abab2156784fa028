#include "publishing/resultstable.h"
#include "common/convert.h"
#include "common/dbconnection.h"
#include "common/names.h"
#include "common/picture.h"
#include "common/width.h"
#include "publishing/htmltext.h"
#include <cmath>

namespace vx::publishing {

namespace {

const QString End = QStringLiteral("</font></TD>");
const QString BlankEnd = QStringLiteral("\u3000</font></TD>");

bool hasValue(const QVariant& v) { return v.isValid() && !v.isNull(); }

// A count as an item of its own (" 12 "); nothing for a missing value.
QString printed(const QVariant& v) { return hasValue(v) ? PrintForm(v.toDouble()) : QString(); }
QString pictured(const QVariant& v, const char* picture) {
    return hasValue(v) ? Format(v.toDouble(), QString::fromLatin1(picture)) : QString();
}

// Rounded to the step, halves up (every value here is zero or more).
double rounded(double v, double step) { return std::floor(v * step + 0.5) / step; }

}  // namespace

ResultsProposal resultsProposal(int range, const QString& season, const QString& rangeDates) {
    switch (range) {
        case 1:
            return {season + QStringLiteral("th series"), QStringLiteral("第") + season + QStringLiteral("期のシリーズ成績"),
                    QStringLiteral("season.htm")};
        case 2: return {QStringLiteral("Select DATA"), rangeDates, QStringLiteral("select.htm")};
        default: return {QStringLiteral("All series"), QStringLiteral("通算成績"), QStringLiteral("all.htm")};
    }
}

QStringList totalValues(const ResultsTotals& t) {
    // A share or average over no games or no spare chances stays empty.
    auto rate = [](double part, double whole, double scale, double step, const char* picture, const QString& end) {
        return whole > 0 ? Format(rounded(part * scale / whole, step), QString::fromLatin1(picture)) + end : End;
    };
    return {PrintForm(t.games) + End,
            PrintForm(t.points) + QStringLiteral("</FONT></TD>"),
            PrintForm(t.top) + End,
            rate(t.top, t.games, 100, 10, " ##0.0", QStringLiteral("% </font></TD>")),
            PrintForm(t.pins) + End,
            rate(t.pins, t.games, 1, 10, " ###.0", End),
            PrintForm(t.strikes) + End,
            rate(t.strikes, t.games, 1, 100, "#0.00", End),
            PrintForm(t.spares) + End,
            PrintForm(t.misses) + End,
            rate(t.spares, t.spares + t.misses, 100, 10, " ##0.0", QStringLiteral("%</font></TD>"))};
}

namespace {

// One row per player of the range and the total row.
PageBody tableBody(const ResultsTable& table, const PageColors& colors) {
    db::Statement q(table.sql);
    if (!q.run(table.params)) return PageResult::Unreadable;
    if (!q.next()) return PageResult::NoGames;
    // Read by these names, whatever case and width the row source gives them.
    const char* const wanted[] = {"選手名", "ゲーム", "優P計", "上位", "上位率", "合計点", "平均点", "st", "st平均", "スペア", "スペアミス", "スペア率"};
    int col[12];
    if (!NameList(q.columnNames()).indexesOf(wanted, col)) return PageResult::Unreadable;

    const QString plain = QStringLiteral("<TD><FONT COLOR=") + colors.fore + QLatin1Char('>');
    const QString high = QStringLiteral("<TD BGCOLOR=") + colors.syoBack + QStringLiteral("><FONT COLOR=") + colors.syoFore + QLatin1Char('>');
    const QString total = QStringLiteral("<TD BGCOLOR=") + colors.aveBack + QStringLiteral("><FONT COLOR=") + colors.aveFore + QLatin1Char('>');
    QStringList body{QStringLiteral("<HR><center><Table border>"), QStringLiteral("<TR ALIGN=center bgcolor=c0c0c0>")};
    for (const char* h : {"　選手名　 ", "ゲーム", "優Ｐ計", "上位", "上位率", "合計点", "平均点", "ＳＴ", "ST平均", "ＳＰ", "ミス", "スペア率"})
        body << QStringLiteral("<TD>") + QString::fromUtf8(h) + QStringLiteral("</TD>");
    ResultsTotals sum;
    do {
        auto v = [&q, &col](int i) { return q.value(col[i]); };
        auto add = [&v](double& to, int i) { to += hasValue(v(i)) ? v(i).toDouble() : 0; };
        add(sum.games, 1), add(sum.points, 2), add(sum.top, 3), add(sum.pins, 5), add(sum.strikes, 7), add(sum.spares, 9), add(sum.misses, 10);
        // A player missing from 選手 has no name: the cell stands empty.
        const QString name = FixedText(StrConvWide(v(0).toString()), 8);
        body << QStringLiteral("<TR ALIGN=right BGCOLOR=") + colors.back + QStringLiteral("><TD ALIGN=center><FONT COLOR=") + colors.fore + QLatin1Char('>')
             << escapeHtml(name) + End
             << plain + printed(v(1)) + BlankEnd
             << high + printed(v(2)) + BlankEnd
             << plain + printed(v(3)) + QStringLiteral(" </font></TD>")
             << high + pictured(v(4), "###0.0%") + BlankEnd
             << plain + pictured(v(5), "#####0") + BlankEnd
             << high + pictured(v(6), "###.0") + BlankEnd
             << plain + pictured(v(7), "##0") + End
             << high + pictured(v(8), "#0.00") + BlankEnd
             << plain + pictured(v(9), "###0") + End
             << plain + pictured(v(10), "###0") + End
             << high + pictured(v(11), "##0.0%") + BlankEnd;
    } while (q.next());
    if (!q.error().isEmpty()) return PageResult::Unreadable;
    body << QStringLiteral("<TR ALIGN=center>")
         << QStringLiteral("<TD ALIGN=center BGCOLOR=") + colors.aveBack + QStringLiteral("><FONT COLOR=") + colors.aveFore +
                QStringLiteral(">合計平均</font></TD>");
    for (const QString& value : totalValues(sum)) body << total + value;
    body << QStringLiteral("</TR>") << QStringLiteral("</Table></center><HR>");

    PageFrame frame = table.setup.frame;
    frame.bodyStart = QStringLiteral("<BODY bgcolor=");
    frame.headingEnd = QStringLiteral("</FONT></H1></Center>");
    frame.footer = {table.setup.footerText, QStringLiteral("<HR>")};
    return PageContent{frame, body};
}

}  // namespace

PageResult writeResultsTable(const QString& path, const ResultsTable& table) {
    return writePage(path, table.setup, [&table](const PageColors& colors) { return tableBody(table, colors); });
}

}  // namespace vx::publishing
