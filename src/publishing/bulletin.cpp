#include "publishing/bulletin.h"
#include "common/convert.h"
#include "common/dbconnection.h"
#include "common/names.h"
#include "common/picture.h"
#include "common/records.h"
#include "common/textfile.h"
#include "common/width.h"
#include "publishing/htmltext.h"
#include "publishing/scoresheet.h"
#include <QVector>
#include <cmath>

namespace vx::publishing {

namespace {

QString inFolder(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QVariant idValue(const QString& text) {
    const double v = Val(text);
    if (v == std::trunc(v) && std::fabs(v) < 9e15) return qint64(v);
    return v;
}

// A number as an item of its own (" 5 "); nothing for a missing value.
QString printed(const QVariant& v) { return v.isNull() ? QString() : PrintForm(v.toDouble()); }
QString pictured(const QVariant& v, const char* picture) {
    return v.isNull() ? QString() : Format(v.toDouble(), QString::fromLatin1(picture));
}

// The day's lines before the milestones, each after a line break and a full-width blank; the
// ranking's column heading in the page's own words.
std::optional<QString> rankingText(const QString& path) {
    try {
        TextReader in(path);
        QString text;
        while (!in.eof()) {
            QString value = in.Input();
            if (value == MilestoneHeading) break;
            if (value.startsWith(QStringLiteral("順位"))) value = QStringLiteral("順位 得点 競技点 優Ｐ 選手名");
            text += QStringLiteral("<BR>\u3000") + escapeHtml(value);
        }
        return text;
    } catch (const TextFileError&) {
        return std::nullopt;
    }
}

// The match's games in game order, their columns by position: 0..9 S1..S10, 10 選手名, 11 ｹﾞｰﾑ,
// 12 優Ｐ, 13 入賞, 14 競技点, 15..35 the marks, 36 試合日, 37 会場名, 38 試合ID, 39 選手ID.
struct Games {
    QStringList names;
    QVector<QVariantList> rows;
};
std::optional<Games> matchGames(qint64 matchId) {
    QStringList cols;
    for (const QString& c : frameColumns()) cols << QStringLiteral("k.\"%1\"").arg(c);
    cols << QStringLiteral("p.\"選手名\"") << QStringLiteral("d.\"ｹﾞｰﾑ\"") << QStringLiteral("d.\"優Ｐ\"") << QStringLiteral("d.\"入賞\"")
         << QStringLiteral("d.\"競技点\"");
    for (const QString& c : ballColumns(QStringLiteral("M"))) cols << QStringLiteral("k.\"%1\"").arg(c);
    cols << QStringLiteral("d.\"試合日\"") << QStringLiteral("v.\"会場名\"") << QStringLiteral("d.\"試合ID\"") << QStringLiteral("d.\"選手ID\"");
    db::Statement q(QStringLiteral("SELECT ") + cols.join(QStringLiteral(", ")) +
                    QStringLiteral(" FROM \"データ項目\" AS d JOIN \"マーク\" AS k ON k.\"ID\" = d.\"ID\" "
                                   "JOIN \"選手\" AS p ON p.\"選手ID\" = d.\"選手ID\" "
                                   "LEFT JOIN \"会場\" AS v ON v.\"会場ID\" = d.\"会場ID\" "
                                   "WHERE d.\"試合ID\" = ? ORDER BY d.\"ｹﾞｰﾑ\", d.\"ID\""));
    if (!q.run({matchId})) return std::nullopt;
    Games g;
    g.names = q.columnNames();
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < g.names.size(); ++i) row << q.value(i);
        g.rows << row;
    }
    return g;
}

QString sectionOpen(const PageColors& c) { return QStringLiteral("<CENTER><H2><font color=") + c.allFore + QLatin1Char('>'); }
const QString SectionClose = QStringLiteral("</font></H2></Center>");

// The score sheet: name, game, points and placing, score and marks.
std::optional<QStringList> sheetSection(const Games& g, const Bulletin& b, const PageColors& c) {
    const ScoreColumns on{true, false, false, true, true, true, true};
    const std::optional<SheetFields> f = sheetFields(g.names, on);
    if (!f) return std::nullopt;
    QStringList out{sectionOpen(c), QStringLiteral("スコアシート") + SectionClose};
    out << QStringLiteral("<center><Table border>") << sheetHeader(on);
    for (const QVariantList& row : g.rows) out << sheetRow(row, *f, on, b.markTexts, c);
    out << QStringLiteral("</TR>") << QStringLiteral("</Table></center><HR>");
    return out;
}

// One small table per game: the marks and the running score of each frame, and the handicap.
std::optional<QStringList> cardsSection(const Games& g, const Bulletin& b, const PageColors& c) {
    QStringList out{sectionOpen(c), QStringLiteral("スコアブック") + SectionClose};
    out << QStringLiteral("<CENTER>");
    const QString fore = QStringLiteral("<FONT COLOR=#") + c.fore + QLatin1Char('>');
    const QString syo = QStringLiteral("<TD><FONT COLOR=#") + c.syoFore + QLatin1Char('>');
    const QString ave = QStringLiteral("    <TD><FONT COLOR=#") + c.aveFore + QLatin1Char('>');
    auto mark = [&b](const QVariant& v) { return escapeHtml(markText(v.isNull() ? QStringLiteral("  ") : v.toString(), b.markTexts)); };
    for (const QVariantList& r : g.rows) {
        // The handicap is the difference of the two scores; a game without them cannot be shown.
        if (r[14].isNull() || r[9].isNull()) return std::nullopt;
        const QString game = r[11].isNull() ? QString() : r[11].toString();
        QString prize;
        if (r[12].toDouble() > 0) prize = escapeHtml(r[13].toString()) + QStringLiteral(" >> ") + printed(r[12]) + QLatin1Char('p');
        out << QStringLiteral("<font color=") + c.allFore + QLatin1Char('>')
            << escapeHtml(r[10].toString()) + QStringLiteral("選手\u3000\u3000") + escapeHtml(ShortDate(r[36])) + QStringLiteral(" の 第") +
                   escapeHtml(StrConvWide(game)) + QStringLiteral("ゲーム\u3000\u3000")
            << prize + QStringLiteral("<BR>") << QStringLiteral("</font>") << QStringLiteral("<TABLE border=") + PrintForm(1) + QLatin1Char('>');
        QString head = QStringLiteral("<TR align=center BGCOLOR=#") + c.back + QStringLiteral(" > ");
        for (int n = 1; n <= 10; ++n)
            head += QStringLiteral("<TD width=") + PrintForm(30) + QLatin1Char('>') + fore + PrintForm(n) + QStringLiteral("</FONT></TD>");
        out << head + QStringLiteral("<TD></TD><TD align=center>") + fore + QStringLiteral("HDCP</FONT></TD></FONT></TR>");
        QString marks = QStringLiteral("<TR align=center  BGCOLOR=#") + c.syoBack + QLatin1Char('>');
        for (int f = 1; f <= 10; ++f)
            marks += syo + mark(r[15 + 2 * (f - 1)]) + mark(r[16 + 2 * (f - 1)]) + (f == 10 ? mark(r[35]) : QString()) +
                     QStringLiteral("</FONT></TD>");
        out << marks + QStringLiteral("    <TD></TD>    <TD align=center><FONT COLOR=#") + c.syoFore + QLatin1Char('>') +
                   PrintForm(r[14].toDouble() - r[9].toDouble()) + QStringLiteral("</FONT></TD></FONT></TR>");
        QString scores = QStringLiteral("<TR align=center  BGCOLOR=#") + c.aveBack + QLatin1Char('>');
        for (int f = 1; f <= 10; ++f) scores += ave + printed(r[f - 1]) + QStringLiteral("</FONT></TD>");
        out << scores + QStringLiteral("    <TD></TD>") + ave + printed(r[14]) + QStringLiteral("</FONT></TD></FONT></TR>");
        out << QStringLiteral("</TABLE>") << QStringLiteral("<BR>");
    }
    out << QStringLiteral("</center>") << QStringLiteral("<HR>");
    return out;
}

// A standings table with its totals row; nothing when it has no player or cannot be read.
std::optional<QStringList> standingsSection(const StandingsSource& src, bool season, const PageColors& c) {
    db::Statement q(src.sql);
    if (!q.run(src.params)) return std::nullopt;
    const char* const wanted[12] = {"選手名", "ゲーム", "優Ｐ計", "上位", "上位率", "合計点", "平均点", "ST", "ST平均", "スペア", "ｽﾍﾟｱﾐｽ", "スペア率"};
    int col[12];
    if (!NameList(q.columnNames()).indexesOf(wanted, col)) return std::nullopt;
    if (!q.next()) return std::nullopt;

    QStringList out{sectionOpen(c), season ? QStringLiteral("現時点でのシーズン成績") : QStringLiteral("現時点での通算成績<BR>"), SectionClose};
    out << QStringLiteral("<center><Table border>") << QStringLiteral("<TR ALIGN=center bgcolor=#c0c0c0>");
    for (const char* h : {"　選手名　 ", "ゲーム", "優Ｐ計", "上位", "上位率", "合計点", "平均点", "ＳＴ", "ST平均", "ＳＰ", "ミス", "スペア率"})
        out << QStringLiteral("<TD>") + QString::fromUtf8(h) + QStringLiteral("</TD>");

    const QString plainEnd = QStringLiteral("\u3000</TD>");
    const QString high = QStringLiteral("<TD BGCOLOR=#") + c.syoBack + QStringLiteral("><FONT COLOR=#") + c.syoFore + QLatin1Char('>');
    const QString highEnd = QStringLiteral("\u3000</font></TD>");
    // Totals of games, points, top places, total score, strikes, spares, spare misses.
    double games = 0, points = 0, top = 0, score = 0, strikes = 0, spares = 0, misses = 0;
    do {
        auto v = [&q, &col](int i) { return q.value(col[i]); };
        const QString name = Format(leftChars(StrConvWide(v(0).isNull() ? QString() : v(0).toString()), 8), QStringLiteral("!@@@@@@@@"));
        out << QStringLiteral("<TR ALIGN=right BGCOLOR=#") + c.back + QLatin1Char('>') << QStringLiteral("<TD ALIGN=center>")
            << escapeHtml(name) + QStringLiteral("</TD>");
        out << QStringLiteral("<TD>") + printed(v(1)) + plainEnd << high + printed(v(2)) + highEnd
            << QStringLiteral("<TD>") + printed(v(3)) + plainEnd << high + pictured(v(4), season ? "###0.0%" : "##0.0%") + highEnd
            << QStringLiteral("<TD>") + pictured(v(5), season ? "#####0" : "#######0") + plainEnd << high + pictured(v(6), "###.0") + highEnd
            << QStringLiteral("<TD>") + pictured(v(7), season ? "##0" : "###0") + plainEnd << high + pictured(v(8), "#0.00") + highEnd
            << QStringLiteral("<TD>") + pictured(v(9), season ? "###0" : "####0") + plainEnd
            << QStringLiteral("<TD>") + pictured(v(10), season ? "###0" : "####0") + plainEnd << high + pictured(v(11), "##0.0%") + highEnd;
        games += v(1).toDouble(), points += v(2).toDouble(), top += v(3).toDouble(), score += v(5).toDouble();
        strikes += v(7).toDouble(), spares += v(9).toDouble(), misses += v(10).toDouble();
    } while (q.next());

    // The averages weigh every game alike; a rate without chances is left empty.
    // Int(x × scale + 0.5) / divisor, as the totals row takes it.
    auto rounded = [](double x, double scale, double divisor) { return std::floor(x * scale + 0.5) / divisor; };
    const QString cell = QStringLiteral("<TD BGCOLOR=#") + c.aveBack + QStringLiteral("><FONT COLOR=#") + c.aveFore + QLatin1Char('>');
    const QString end = QStringLiteral("</font></TD>");
    const QString spareRate = spares + misses > 0 ? Format(rounded(spares / (spares + misses), 1000, 10), QStringLiteral(" ##0.0")) : QString();
    out << QStringLiteral("<TR ALIGN=center>") << QStringLiteral("<TD ALIGN=center BGCOLOR=#") + c.aveBack + QStringLiteral("><FONT COLOR=#") +
                                                       c.aveFore + QStringLiteral(">合計平均</font></TD>")
        << cell + PrintForm(games) + end << cell + PrintForm(points) + QStringLiteral("</FONT></TD>") << cell + PrintForm(top) + end
        << cell + Format(rounded(top / games, 1000, 10), QStringLiteral(" ##0.0")) + (season ? QStringLiteral("%") : QStringLiteral("%\u3000")) + end
        << cell + PrintForm(score) + end << cell + Format(rounded(score / games, 10, 10), QStringLiteral(" ###.0")) + end
        << cell + PrintForm(strikes) + end << cell + Format(rounded(strikes / games, 100, 100), QStringLiteral("#0.00")) + end
        << cell + PrintForm(spares) + end << cell + PrintForm(misses) + end
        << cell + spareRate + (season ? QStringLiteral("% ") : QStringLiteral("%")) + end;
    out << QStringLiteral("</TR>") << QStringLiteral("</Table></center><HR>");
    return out;
}

}  // namespace

QString bulletinResultsFile(const QString& folder, const QString& season, const QString& matchNo) {
    return inFolder(folder, QStringLiteral("SD-") + season + QLatin1Char('-') + matchNo + QStringLiteral(".txt"));
}

bool resultsReadable(const QString& path) {
    try {
        TextReader in(path);
        if (in.eof()) return false;
        in.Input();
        return true;
    } catch (const TextFileError&) {
        return false;
    }
}

std::optional<BulletinMatch> acceptMatch(const QString& season, const QString& matchNo, const QVariant& matchId,
                                         const QString& folder) {
    const QVariant first = db::scalar(QStringLiteral("SELECT MIN(\"試合ID\") FROM \"試合\" WHERE \"シーズンID\" = ? AND "
                                                     "EXISTS (SELECT 1 FROM \"試合\" WHERE \"試合ID\" = ?)"),
                                      {idValue(season), matchId});
    if (!first.isValid() || first.isNull()) return std::nullopt;
    BulletinMatch m;
    m.season = season;
    m.matchNo = matchNo;
    m.matchId = matchId.toLongLong();
    m.firstMatchId = first.toLongLong();
    m.hasResults = resultsReadable(bulletinResultsFile(folder, season, matchNo));
    return m;
}

QString bulletinFile(const QString& folder, const BulletinMatch& m) {
    return inFolder(folder, QStringLiteral("news") + m.season + QLatin1Char('_') + m.matchNo + QStringLiteral(".htm"));
}

QString bulletinTitle(const BulletinMatch& m) { return QStringLiteral("News") + m.season + QLatin1Char('-') + m.matchNo; }

QString bulletinHeading(const BulletinMatch& m) {
    return QStringLiteral("第") + m.season + QStringLiteral("シーズン\u3000第") + m.matchNo + QStringLiteral("試合のニュースです。");
}

namespace {

// The sections ticked, in their order; the first that cannot be made refuses the page.
PageBody bulletinBody(const Bulletin& b, const PageColors& c) {
    const auto& on = b.sections;

    QStringList body{QStringLiteral("<center><TABLE border= 1>")};
    const QString results = bulletinResultsFile(b.folder, b.match.season, b.match.matchNo);
    if (on[SecRanking]) {
        const std::optional<QString> text = rankingText(results);
        if (!text) return PageResult::NoResults;
        body << QStringLiteral("<TR><TD align=left>") << *text << QStringLiteral("</TD></TR>");
    }
    if (on[SecRecords]) {
        const std::optional<QString> text = milestoneText(results, QStringLiteral("<BR>\u3000"));
        if (!text) return PageResult::NoResults;
        body << QStringLiteral("<TR><TD align=left>") << QStringLiteral("<font color=") + c.allFore + QLatin1Char('>') + *text + QStringLiteral("</font>")
             << QStringLiteral("<BR></TD></TR>");
    }
    body << QStringLiteral("</TABLE><HR><BR></CENTER>");

    if (on[SecSheet] || on[SecCards]) {
        const std::optional<Games> games = matchGames(b.match.matchId);
        if (!games) return PageResult::Unreadable;
        if (on[SecSheet]) {
            if (games->rows.isEmpty()) return PageResult::NoGames;
            const std::optional<QStringList> sheet = sheetSection(*games, b, c);
            if (!sheet) return PageResult::Unreadable;
            body << *sheet;
        }
        if (on[SecCards]) {
            const std::optional<QStringList> cards = cardsSection(*games, b, c);
            if (!cards) return PageResult::Unreadable;
            body << *cards;
        }
    }
    for (auto [section, src] : {std::pair{SecSeason, &b.season}, std::pair{SecAllTime, &b.allTime}}) {
        if (!on[section]) continue;
        const std::optional<QStringList> table = standingsSection(*src, section == SecSeason, c);
        if (!table) return PageResult::NoStandings;
        body << *table;
    }

    PageFrame frame = b.setup.frame;
    frame.headingOpen = QStringLiteral("<center><H1><font color=");
    frame.headingEnd = QStringLiteral("</font></H1></Center><HR>");
    frame.footer = {QStringLiteral("<center><TABLE border=1><TR><TD>"), b.setup.footerText, QStringLiteral("</TD></TR></Table></center><HR>"),
                    QStringLiteral("<HR>")};
    return PageContent{frame, body};
}

}  // namespace

PageResult writeBulletin(const QString& path, const Bulletin& b) {
    return writePage(path, b.setup, [&b](const PageColors& colors) { return bulletinBody(b, colors); });
}

}  // namespace vx::publishing
