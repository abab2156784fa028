#include "records/printout.h"
#include "common/convert.h"
#include "common/picture.h"
#include "records/scorebook.h"

namespace vx::scorebook {

namespace {

const QString Heading = QStringLiteral("選手名     Srs Stg Gam Pnt 入賞 素点競技点 １ \u3000\u3000 ２ \u3000\u3000 ３ \u3000\u3000 ４ \u3000  ５ \u3000\u3000 ６ \u3000\u3000 ７ \u3000\u3000 ８ \u3000  ９ \u3000\u3000\u3000１０");

}  // namespace

QString pictured(const QVariant& v, const char* numberPicture, const char* textPicture) {
    const QString n = !v.isNull() ? Format(v.toDouble(), QString::fromLatin1(numberPicture)) : QString();
    return Format(n, QString::fromLatin1(textPicture));
}

void composePrintout(const db::Recordset& list, const std::function<void(const PrintLine&)>& out) {
    const PrintLine rule{{1, QString(96, QLatin1Char('-'))}};
    out({{5, Heading}});
    out(rule);
    // Fields by name (case and width do not matter: ゲーム, 優p and s10 are the list's ｹﾞｰﾑ, 優Ｐ and S10).
    const char* const names[] = {"選手名", "シーズンID", "試合", "ゲーム", "優p", "入賞", "s10", "競技点"};
    int field[8];
    for (int i = 0; i < 8; ++i) field[i] = list.FieldIndex(QString::fromUtf8(names[i]));
    for (int row = 0; row < list.RecordCount(); ++row) {
        auto at = [&](int i) { return list.valueAt(row, field[i]); };
        const QString prize = textOf(at(5));
        PrintLine line{
            {1, Format(textOf(at(0)), QStringLiteral("!@@@@@@"))},
            {15, pictured(at(1), "###0", "@@@@")},
            {19, pictured(at(2), "##0", "@@@@")},
            {24, pictured(at(3), "###0", "@@@@")},
            {28, pictured(at(4), "###0", "@@@@")},
            {32, prize.isEmpty() ? QStringLiteral("\u3000\u3000  ") : Format(prize, QStringLiteral("@@@@"))},
            {38, pictured(at(6), "####0", "@@@@@")},
            {44, pictured(at(7), "####0", "@@@@@ ")},
        };
        for (int j = 0; j <= 20; ++j) {
            const QString mark = textOf(list.valueAt(row, FirstMark + j));
            const bool empty = mark.isEmpty() || mark == QStringLiteral("\u3000");
            line.append({50 + 3 * j, empty ? QStringLiteral("\u3000") : Format(mark, QStringLiteral("@"))});
        }
        out(line);
    }
    out(rule);
}

}  // namespace vx::scorebook
