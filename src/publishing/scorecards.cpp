#include "publishing/scorecards.h"
#include "common/convert.h"
#include "common/width.h"
#include "publishing/htmltext.h"

namespace vx::publishing {

CardCaller cardCallerOf(const QString& tag) {
    if (tag == QLatin1String("Form_Kojin no Hyoji Score")) return CardCaller::Records;
    if (tag == QLatin1String("Form_Score no Hyoji Score")) return CardCaller::ScoreBook;
    return CardCaller::Other;
}

namespace {

void writeCard(QStringList& body, const ScoreCard& card, const ScoreCardPage& page, const PageColors& c) {
    const bool records = page.caller == CardCaller::Records;
    const QString rowEnd = records ? QStringLiteral("</FONT></TR>") : QStringLiteral("</TR>");
    body << QStringLiteral("<font color=") + c.allFore + QLatin1Char('>');
    const QString heading = escapeHtml(card.player) + QStringLiteral("選手　　") + escapeHtml(card.date);
    const QString game = QStringLiteral(" の 第") + escapeHtml(StrConvWide(card.game)) + QStringLiteral("ゲーム");
    if (records) {
        body << heading + game + QStringLiteral("<BR>") << escapeHtml(card.description) + QStringLiteral("<BR>") << QStringLiteral("</font>");
    } else {
        body << heading + QLatin1Char('(') + escapeHtml(card.season) + QLatin1Char('-') + escapeHtml(card.match) + QLatin1Char(')') + game;
        body << (Val(card.points) > 0 ? QStringLiteral("   ") + escapeHtml(card.prize + card.points) + QStringLiteral("p<BR>") : QStringLiteral("<BR>"));
        body << QStringLiteral("</FONT>");
    }
    body << QStringLiteral("<TABLE border=") + PrintForm(1) + QLatin1Char('>');

    QString line = QStringLiteral("<TR align=center BGCOLOR=#") + c.back + QStringLiteral(" > ");
    for (int n = 1; n <= 10; ++n)
        line += QStringLiteral("<TD width=") + PrintForm(30) + QStringLiteral("><FONT COLOR=#") + c.fore + QLatin1Char('>') + PrintForm(n) +
                QStringLiteral("</FONT></TD>");
    body << line + QStringLiteral("<TD></TD><TD align=center><FONT COLOR=#") + c.fore + QStringLiteral(">HDCP</FONT></TD>") << rowEnd;

    const QString handicap = records ? card.handicap : PrintForm(Val(card.withHandicap) - Val(card.scores[9]));
    line = QStringLiteral("<TR align=center  BGCOLOR=#") + c.syoBack + QLatin1Char('>');
    for (int f = 1; f <= 10; ++f) {
        line += QStringLiteral("<TD><FONT COLOR=#") + c.syoFore + QLatin1Char('>');
        for (int b = 2 * f - 2; b <= (f == 10 ? 20 : 2 * f - 1); ++b) {
            const QString& stored = card.marks[std::size_t(b)];
            line += escapeHtml(markText(stored.isEmpty() ? QStringLiteral("  ") : stored, page.markTexts));
        }
        line += QStringLiteral("</FONT></TD>");
    }
    body << line + QStringLiteral("    <TD></TD>    <TD align=center><FONT COLOR=#") + c.syoFore + QLatin1Char('>') + escapeHtml(handicap) +
                QStringLiteral("</FONT></TD>")
         << rowEnd;

    const QString cell = QStringLiteral("    <TD><FONT COLOR=#") + c.aveFore + QLatin1Char('>');
    line = QStringLiteral("<TR align=center  BGCOLOR=#") + c.aveBack + QLatin1Char('>');
    for (const QString& score : card.scores) line += cell + escapeHtml(score) + QStringLiteral("</FONT></TD>");
    body << line + QStringLiteral("    <TD></TD>") + cell + escapeHtml(card.withHandicap) + QStringLiteral("</FONT></TD>") << rowEnd;
}

// One card per game of the list, as far as the page asks.
PageBody cardsBody(const ScoreCardPage& page, CardList& list, const PageColors& colors) {
    QStringList body;
    if (page.caller != CardCaller::Other) {
        body << (page.caller == CardCaller::Records ? QStringLiteral("<CENTER>") : QStringLiteral("<center>"));
        if (page.allRows && !list.first()) return PageResult::Unreadable;
        const std::int64_t last = page.allRows ? page.count - 1 : 0;
        for (std::int64_t k = 0; k <= last; ++k) {
            writeCard(body, list.current(), page, colors);
            if (k != last && !list.next()) return PageResult::Unreadable;
            body << QStringLiteral("</TABLE>") << QStringLiteral("<BR>");
        }
        body << QStringLiteral("</center>");
    }
    PageFrame frame = page.setup.frame;
    frame.headingEnd = QStringLiteral("</FONT></H1></Center>");
    frame.footer = {QStringLiteral("<CENTER>") + page.setup.footerText, QStringLiteral("</Center>"), QStringLiteral("<HR>")};
    return PageContent{frame, body};
}

}  // namespace

PageResult writeScoreCards(const QString& path, const ScoreCardPage& page, CardList& list) {
    return writePage(path, page.setup, [&page, &list](const PageColors& colors) { return cardsBody(page, list, colors); });
}

}  // namespace vx::publishing
