#include "publishing/scoresheet.h"
#include "common/convert.h"
#include "common/dbconnection.h"
#include "common/names.h"
#include "common/records.h"
#include "common/textfile.h"
#include "common/width.h"
#include "publishing/htmltext.h"

namespace vx::publishing {

const QString MilestoneHeading = QStringLiteral("☆☆☆　　達成された通算記録　　☆☆☆");

namespace {

QVariant idValue(const QString& text) {
    const double v = Val(text);
    if (v == double(qint64(v))) return qint64(v);
    return v;
}

// A number as an item of its own (" 5 "); nothing written for a missing value.
void printed(PageText& out, const QVariant& v) {
    if (v.isNull()) return;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (ok) out.addPrintForm(d);
    else out.add(escapeHtml(v.toString()));
}

bool milestonesApply(const ScoreBookChoice& c) { return Val(c.player) == 0 && c.games == 2; }

}  // namespace

QString proposedHeading(const ScoreBookChoice& c) {
    QString h;
    if (c.onePlayer) h += c.playerName + QStringLiteral("選手の");
    if (c.games == 1) h += c.seasonName + QStringLiteral("の");
    if (c.games == 2) h += c.matchDate + QStringLiteral("の");
    return h + QStringLiteral("スコアシート");
}

QString resultsFileOf(const ScoreBookChoice& c, const QString& folder) {
    return folder + QStringLiteral("/SD-") + c.matchSeason + QLatin1Char('-') + c.matchNumber + QStringLiteral(".txt");
}

std::optional<QString> milestoneText(const QString& path, const QString& separator) {
    try {
        TextReader in(path);
        while (!in.eof() && in.Input() != MilestoneHeading) {
        }
        QString text = MilestoneHeading;
        while (!in.eof()) text += separator + escapeHtml(in.Input());
        return text;
    } catch (const TextFileError&) {
        return std::nullopt;
    }
}

std::optional<SheetFields> sheetFields(const QStringList& columnNames, const ScoreColumns& on) {
    const NameList fields(columnNames);
    const char* const wanted[] = {"選手名", "シーズンID", "試合", "ゲーム", "優p", "入賞", "s10", "競技点"};
    const int needs[] = {ColName, ColSeason, ColMatch, ColGame, ColPoints, ColPoints, ColScore, ColScore};
    SheetFields f;
    fields.indexesOf(wanted, f.col);
    for (int i = 0; i < 8; ++i)
        if (f.col[std::size_t(i)] < 0 && on[std::size_t(needs[i])]) return std::nullopt;
    if (!fields.indexesOf(ballColumns(QStringLiteral("m")), f.marks) && on[ColMarks]) return std::nullopt;
    return f;
}

QStringList sheetHeader(const ScoreColumns& on) {
    QStringList h{QStringLiteral("<TR VALIGN=bottom bgcolor=#c0c0c0>")};
    if (on[ColName]) h << QStringLiteral("<TD><center>選手名</center></TD>");
    if (on[ColSeason]) h << QStringLiteral("<TD>Ssn </TD>");
    if (on[ColMatch]) h << QStringLiteral("<TD>Stg </TD>");
    if (on[ColGame]) h << QStringLiteral("<TD>Gm </TD>");
    if (on[ColPoints]) h << QStringLiteral("<TD>優P </TD>") << QStringLiteral("<TD><center>入賞 </center></TD>");
    if (on[ColScore]) h << QStringLiteral("<TD><center>得点</center> </TD>");
    if (on[ColMarks]) {
        for (int n = 1; n <= 9; ++n)
            h << QStringLiteral("<TD align=right>") + StrConvWide(QString::number(n)) + QStringLiteral("</TD>")
              << QStringLiteral("<TD align=left>F</TD>");
        h << QStringLiteral("<TD>10</TD>") << QStringLiteral("<TD>F</TD>") << QStringLiteral("<TD>\u3000</TD>");
    }
    return h;
}

void sheetRow(PageText& out, const QVariantList& values, const SheetFields& f, const ScoreColumns& on, PageMarks& marks,
              const PageColors& colors) {
    auto v = [&values, &f](int i) { return values.value(f.col[std::size_t(i)]); };
    auto fore = [&out, &colors] { out.add(u"<FONT COLOR=#").add(colors.fore).add(QLatin1Char('>')); };
    auto syo = [&out, &colors] { out.add(u"<FONT COLOR=#").add(colors.syoFore).add(QLatin1Char('>')); };
    auto end = [&out] { out.add(u"</font></TD>").endLine(); };
    out.add(u"<TR VALIGN=bottom BGCOLOR=#").add(colors.back).add(QLatin1Char('>')).endLine();
    if (on[ColName]) {
        out.add(u"<TD ALIGN=center BGCOLOR=#").add(colors.syoBack).add(QLatin1Char('>')).endLine();
        syo();
        out.add(escapeHtml(FixedText(StrConvWide(textOf(v(0))), 8)));
        end();
    }
    for (int i : {1, 2, 3})
        if (on[std::size_t(i)]) {
            out.add(u"<TD ALIGN=center>");
            fore();
            printed(out, v(i));
            end();
        }
    if (on[ColPoints]) {
        out.add(u"<TD ALIGN=center>");
        fore();
        printed(out, v(4));
        end();
        const QString prize = textOf(v(5));
        if (prize.isEmpty() || prize[0] == QLatin1Char(' ') || prize[0] == QChar(u'\u3000')) {
            out.add(u"<TD  ALIGN=center>");
            fore();
            out.add(u"\u3000");
        } else {
            out.add(u"<TD ALIGN=center>");
            fore();
            out.add(escapeHtml(prize));
        }
        end();
    }
    if (on[ColScore]) {
        const QString score = rightChars(QStringLiteral("  ") + textOf(v(6)), 3);
        const QString withHcp = rightChars(QStringLiteral("  ") + textOf(v(7)), 3);
        out.add(u"<TD ALIGN=right BGCOLOR=#").add(colors.syoBack).add(QLatin1Char('>')).endLine();
        syo();
        out.add(QLatin1Char(' ')).add(escapeHtml(score)).add(u">>").add(escapeHtml(withHcp));
        end();
    }
    if (on[ColMarks])
        for (int k = 0; k <= 20; ++k) {
            const QVariant m = values.value(f.marks[std::size_t(k)]);
            out << marks.cell(m.isNull() ? QStringLiteral("  ") : m.toString());
        }
}

namespace {

// The chosen games' table, and for one whole match the day's milestones.
PageBody sheetBody(const ScoreSheet& sheet, const PageColors& colors) {
    const ScoreBookChoice& c = sheet.choice;

    QStringList where;
    QVariantList params;
    if (Val(c.player) != 0) where << QStringLiteral("\"選手ID\" = ?"), params << idValue(c.player);
    if (c.games == 1) where << QStringLiteral("\"シーズンID\" = ?"), params << idValue(c.season);
    if (c.games == 2) where << QStringLiteral("\"試合ID\" = ?"), params << idValue(c.match);
    db::Statement q(QStringLiteral("SELECT * FROM \"スコアブック\"") +
                    (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "))));
    if (!q.run(params)) return PageResult::Unreadable;
    if (!q.next()) return PageResult::NoGames;
    const QStringList names = q.columnNames();
    // The view holds every column, whichever are ticked.
    const std::optional<SheetFields> fields = sheetFields(names, ScoreColumns{true, true, true, true, true, true, true});
    if (!fields) return PageResult::Unreadable;

    PageText body{QStringLiteral("<HR><center><Table border>")};
    body << sheetHeader(sheet.columns);
    PageMarks marks(sheet.markTexts, colors.fore);
    do {
        QVariantList values;
        for (int i = 0; i < names.size(); ++i) values << q.value(i);
        sheetRow(body, values, *fields, sheet.columns, marks, colors);
    } while (q.next());
    body << QStringLiteral("</TR>") << QStringLiteral("</Table><center><HR>");

    // A missing or unreadable results file leaves the line out; the page is completed.
    std::optional<QString> milestones = QString();
    if (milestonesApply(c)) milestones = milestoneText(resultsFileOf(c, sheet.folder));
    if (milestones) body << QStringLiteral("<font color=") + colors.allFore + QLatin1Char('>') + *milestones + QStringLiteral("</font>");

    PageFrame frame = sheet.setup.frame;
    frame.headingEnd = QStringLiteral("</font></H1></Center>");
    frame.footer = {QStringLiteral("<HR>"), sheet.setup.footerText, QStringLiteral("<HR>")};
    return PageContent{frame, body};
}

}  // namespace

PageResult writeScoreSheet(const QString& path, const ScoreSheet& sheet) {
    return writePage(path, sheet.setup, [&sheet](const PageColors& colors) { return sheetBody(sheet, colors); });
}

}  // namespace vx::publishing
