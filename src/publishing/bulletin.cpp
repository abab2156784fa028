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
void printed(PageText& out, const QVariant& v) {
    if (!v.isNull()) out.addPrintForm(v.toDouble());
}
void pictured(PageText& out, const QVariant& v, const QString& picture) {
    if (!v.isNull()) out.add(Format(v.toDouble(), picture));
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
}  // namespace

QString matchGamesSql() {
    QStringList cols;
    for (const QString& c : frameColumns()) cols << QStringLiteral("k.\"%1\"").arg(c);
    cols << QStringLiteral("p.\"選手名\"") << QStringLiteral("d.\"ｹﾞｰﾑ\"") << QStringLiteral("d.\"優Ｐ\"") << QStringLiteral("d.\"入賞\"")
         << QStringLiteral("d.\"競技点\"");
    for (const QString& c : ballColumns(QStringLiteral("M"))) cols << QStringLiteral("k.\"%1\"").arg(c);
    cols << QStringLiteral("d.\"試合日\"") << QStringLiteral("v.\"会場名\"") << QStringLiteral("d.\"試合ID\"") << QStringLiteral("d.\"選手ID\"");
    return QStringLiteral("SELECT ") + cols.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM \"データ項目\" AS d JOIN \"マーク\" AS k ON k.\"ID\" = d.\"ID\" "
                          "JOIN \"選手\" AS p ON p.\"選手ID\" = d.\"選手ID\" "
                          "LEFT JOIN \"会場\" AS v ON v.\"会場ID\" = d.\"会場ID\" "
                          "WHERE d.\"試合ID\" = ? ORDER BY d.\"ｹﾞｰﾑ\", d.\"ID\"");
}

namespace {

std::optional<Games> matchGames(qint64 matchId) {
    static const QString sql = matchGamesSql();
    db::Statement q(sql);
    if (!q.run({matchId})) return std::nullopt;
    Games g;
    g.names = q.columnNames();
    while (q.next()) {
        QVariantList row;
        row.reserve(g.names.size());
        for (int i = 0; i < g.names.size(); ++i) row << q.value(i);
        g.rows << row;
    }
    return g;
}

void sectionOpen(PageText& out, const PageColors& c, QStringView heading) {
    out.add(u"<CENTER><H2><font color=").add(c.allFore).add(QLatin1Char('>')).endLine();
    out.add(heading).add(u"</font></H2></Center>").endLine();
}

// The score sheet: name, game, points and placing, score and marks.
bool sheetSection(PageText& out, const Games& g, PageMarks& marks, const PageColors& c) {
    const ScoreColumns on{true, false, false, true, true, true, true};
    const std::optional<SheetFields> f = sheetFields(g.names, on);
    if (!f) return false;
    sectionOpen(out, c, u"スコアシート");
    out << u"<center><Table border>" << sheetHeader(on);
    for (const QVariantList& row : g.rows) sheetRow(out, row, *f, on, marks, c);
    out << u"</TR>" << u"</Table></center><HR>";
    return true;
}

// One small table per game: the marks and the running score of each frame, and the handicap.
bool cardsSection(PageText& out, const Games& g, PageMarks& marks, const PageColors& c) {
    sectionOpen(out, c, u"スコアブック");
    out << u"<CENTER>";
    const QString fore = QStringLiteral("<FONT COLOR=#") + c.fore + QLatin1Char('>');
    const QString syo = QStringLiteral("<TD><FONT COLOR=#") + c.syoFore + QLatin1Char('>');
    const QString ave = QStringLiteral("    <TD><FONT COLOR=#") + c.aveFore + QLatin1Char('>');
    QString head = QStringLiteral("<TR align=center BGCOLOR=#") + c.back + QStringLiteral(" > ");
    for (int n = 1; n <= 10; ++n)
        head += QStringLiteral("<TD width=") + PrintForm(30) + QLatin1Char('>') + fore + PrintForm(n) + QStringLiteral("</FONT></TD>");
    head += QStringLiteral("<TD></TD><TD align=center>") + fore + QStringLiteral("HDCP</FONT></TD></FONT></TR>");
    const QString table = QStringLiteral("<TABLE border=") + PrintForm(1) + QLatin1Char('>');
    const QString blank = QStringLiteral("  ");
    auto mark = [&](const QVariant& v) { out.add(marks.text(v.isNull() ? blank : v.toString())); };
    QString dayStored, day;  // the games of a match share their date
    for (const QVariantList& r : g.rows) {
        // The handicap is the difference of the two scores; a game without them cannot be shown.
        if (r[14].isNull() || r[9].isNull()) return false;
        if (day.isNull() || r[36].toString() != dayStored) dayStored = r[36].toString(), day = escapeHtml(ShortDate(r[36]));
        out.add(u"<font color=").add(c.allFore).add(QLatin1Char('>')).endLine();
        out.add(escapeHtml(r[10].toString())).add(u"選手\u3000\u3000").add(day).add(u" の 第");
        out.add(escapeHtml(StrConvWide(textOf(r[11])))).add(u"ゲーム\u3000\u3000").endLine();
        if (r[12].toDouble() > 0) {
            out.add(escapeHtml(r[13].toString())).add(u" >> ");
            printed(out, r[12]);
            out.add(QLatin1Char('p'));
        }
        out.add(u"<BR>").endLine();
        out << u"</font>" << table << head;
        out.add(u"<TR align=center  BGCOLOR=#").add(c.syoBack).add(QLatin1Char('>'));
        for (int f = 1; f <= 10; ++f) {
            out.add(syo);
            mark(r[15 + 2 * (f - 1)]);
            mark(r[16 + 2 * (f - 1)]);
            if (f == 10) mark(r[35]);
            out.add(u"</FONT></TD>");
        }
        out.add(u"    <TD></TD>    <TD align=center><FONT COLOR=#").add(c.syoFore).add(QLatin1Char('>'));
        out.addPrintForm(r[14].toDouble() - r[9].toDouble()).add(u"</FONT></TD></FONT></TR>").endLine();
        out.add(u"<TR align=center  BGCOLOR=#").add(c.aveBack).add(QLatin1Char('>'));
        for (int f = 1; f <= 10; ++f) {
            out.add(ave);
            printed(out, r[f - 1]);
            out.add(u"</FONT></TD>");
        }
        out.add(u"    <TD></TD>").add(ave);
        printed(out, r[14]);
        out.add(u"</FONT></TD></FONT></TR>").endLine();
        out << u"</TABLE>" << u"<BR>";
    }
    out << u"</center>" << u"<HR>";
    return true;
}

// A standings table with its totals row; false when it has no player or cannot be read.
bool standingsSection(PageText& out, const StandingsSource& src, bool season, const PageColors& c) {
    db::Statement q(src.sql);
    if (!q.run(src.params)) return false;
    const char* const wanted[] = {"選手名", "ゲーム", "優Ｐ計", "上位", "上位率", "合計点", "平均点", "ST", "ST平均", "スペア", "ｽﾍﾟｱﾐｽ", "スペア率"};
    int col[12];
    if (!NameList(q.columnNames()).indexesOf(wanted, col)) return false;
    if (!q.next()) return false;

    out.add(u"<CENTER><H2><font color=").add(c.allFore).add(QLatin1Char('>')).endLine();
    out << (season ? u"現時点でのシーズン成績" : u"現時点での通算成績<BR>") << u"</font></H2></Center>";
    out << u"<center><Table border>" << u"<TR ALIGN=center bgcolor=#c0c0c0>";
    for (const char16_t* h : {u"　選手名　 ", u"ゲーム", u"優Ｐ計", u"上位", u"上位率", u"合計点", u"平均点", u"ＳＴ", u"ST平均", u"ＳＰ", u"ミス", u"スペア率"})
        out.add(u"<TD>").add(QStringView(h)).add(u"</TD>").endLine();

    const QString row = QStringLiteral("<TR ALIGN=right BGCOLOR=#") + c.back + QLatin1Char('>');
    const QString high = QStringLiteral("<TD BGCOLOR=#") + c.syoBack + QStringLiteral("><FONT COLOR=#") + c.syoFore + QLatin1Char('>');
    const QString namePicture = QStringLiteral("!@@@@@@@@");
    // The pictures of columns 4 to 11.
    const std::array<QString, 8> pictures = {QString::fromLatin1(season ? "###0.0%" : "##0.0%"), QString::fromLatin1(season ? "#####0" : "#######0"),
                                             QStringLiteral("###.0"), QString::fromLatin1(season ? "##0" : "###0"), QStringLiteral("#0.00"),
                                             QString::fromLatin1(season ? "###0" : "####0"), QString::fromLatin1(season ? "###0" : "####0"),
                                             QStringLiteral("##0.0%")};
    // Totals of games, points, top places, total score, strikes, spares, spare misses.
    double games = 0, points = 0, top = 0, score = 0, strikes = 0, spares = 0, misses = 0;
    QVariant v[12];
    do {
        for (int i = 0; i < 12; ++i) v[i] = q.value(col[i]);
        const QString name = Format(leftChars(StrConvWide(textOf(v[0])), 8), namePicture);
        out << row << u"<TD ALIGN=center>";
        out.add(escapeHtml(name)).add(u"</TD>").endLine();
        // Points, top rate, average, strike average and spare rate stand out.
        for (int i = 1; i <= 11; ++i) {
            const bool highlighted = i == 2 || i == 4 || i == 6 || i == 8 || i == 11;
            if (highlighted) out.add(high);
            else out.add(u"<TD>");
            if (i <= 3) printed(out, v[i]);
            else pictured(out, v[i], pictures[std::size_t(i - 4)]);
            out.add(highlighted ? u"\u3000</font></TD>" : u"\u3000</TD>").endLine();
        }
        games += v[1].toDouble(), points += v[2].toDouble(), top += v[3].toDouble(), score += v[5].toDouble();
        strikes += v[7].toDouble(), spares += v[9].toDouble(), misses += v[10].toDouble();
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
    return true;
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

    PageText body{QStringLiteral("<center><TABLE border= 1>")};
    const QString results = bulletinResultsFile(b.folder, b.match.season, b.match.matchNo);
    if (on[SecRanking]) {
        const std::optional<QString> text = rankingText(results);
        if (!text) return PageResult::NoResults;
        body << u"<TR><TD align=left>" << *text << u"</TD></TR>";
    }
    if (on[SecRecords]) {
        const std::optional<QString> text = milestoneText(results, QStringLiteral("<BR>\u3000"));
        if (!text) return PageResult::NoResults;
        body << u"<TR><TD align=left>";
        body.add(u"<font color=").add(c.allFore).add(QLatin1Char('>')).add(*text).add(u"</font>").endLine();
        body << u"<BR></TD></TR>";
    }
    body << u"</TABLE><HR><BR></CENTER>";

    if (on[SecSheet] || on[SecCards]) {
        const std::optional<Games> games = matchGames(b.match.matchId);
        if (!games) return PageResult::Unreadable;
        // About 3,500 units a game in the two sections, and room for the standings.
        body.reserve(body.text().size() + 3600 * games->rows.size() + 64 * 1024);
        PageMarks marks(b.markTexts, c.fore);
        if (on[SecSheet]) {
            if (games->rows.isEmpty()) return PageResult::NoGames;
            if (!sheetSection(body, *games, marks, c)) return PageResult::Unreadable;
        }
        if (on[SecCards] && !cardsSection(body, *games, marks, c)) return PageResult::Unreadable;
    }
    for (auto [section, src] : {std::pair{SecSeason, &b.season}, std::pair{SecAllTime, &b.allTime}})
        if (on[section] && !standingsSection(body, *src, section == SecSeason, c)) return PageResult::NoStandings;

    PageFrame frame = b.setup.frame;
    frame.headingOpen = QStringLiteral("<center><H1><font color=");
    frame.headingEnd = QStringLiteral("</font></H1></Center><HR>");
    frame.footer = {QStringLiteral("<center><TABLE border=1><TR><TD>"), b.setup.footerText, QStringLiteral("</TD></TR></Table></center><HR>"),
                    QStringLiteral("<HR>")};
    return PageContent{frame, std::move(body)};
}

}  // namespace

PageResult writeBulletin(const QString& path, const Bulletin& b) {
    return writePage(path, b.setup, [&b](const PageColors& colors) { return bulletinBody(b, colors); });
}

}  // namespace vx::publishing
