#include "records/recordedit.h"
#include "common/convert.h"
#include "common/dbconnection.h"
#include "common/records.h"
#include <QStringList>
#include <algorithm>
#include <optional>

namespace vx::recordedit {

QString dayField(int index) {
    static const char* const names[DayFieldCount] = {"優Ｐ", "上位", "ST", "SP", "SPF", "ｽﾌﾟﾘｯﾄ", "当日", "人数", "順位"};
    return QString::fromUtf8(names[std::clamp(index, 0, DayFieldCount - 1)]);
}

Selection selection(std::int64_t matchId, std::int64_t playerId) {
    auto as = [](const char* column, const QString& name) {
        return QString::fromUtf8(column) + QStringLiteral(" AS ") + db::quoteName(name);
    };
    QStringList cols{QStringLiteral("d.\"ID\" AS \"ID\""),
                     as("d.\"試合ID\"", field::GameMatch), as("m.\"試合ID\"", field::MarkMatch),
                     as("d.\"ｹﾞｰﾑ\"", field::GameNo), as("m.\"ｹﾞｰﾑ\"", field::MarkGameNo),
                     QStringLiteral("p.\"選手名\" AS \"選手名\""),
                     as("d.\"選手ID\"", field::GamePlayer), as("m.\"選手ID\"", field::MarkPlayer),
                     as("d.\"S10\"", field::GameScore), as("m.\"S10\"", field::MarkScore)};
    for (int i = 0; i < DayFieldCount; ++i) cols << QStringLiteral("d.%1 AS %1").arg(db::quoteName(dayField(i)));
    for (const char* c : {"入賞", "競技点", "HCP", "会場ID", "試合日"})
        cols << QStringLiteral("d.%1 AS %1").arg(db::quoteName(QString::fromUtf8(c)));
    for (const QString& c : ballColumns(QStringLiteral("M")) + frameColumns(9)) cols << QStringLiteral("m.\"%1\" AS \"%1\"").arg(c);
    cols << QStringLiteral("v.\"会場名\" AS \"会場名\"") << QStringLiteral("z.\"シーズン名\" AS \"シーズン名\"")
         << QStringLiteral("s.\"試合\" AS \"試合\"") << QStringLiteral("s.\"シーズンID\" AS \"シーズンID\"");
    Selection out;
    out.options.unfiltered = QStringLiteral("SELECT ") + cols.join(QStringLiteral(", ")) +
                             QStringLiteral(" FROM \"データ項目\" AS d"
                                            " JOIN \"マーク\" AS m ON m.\"ID\" = d.\"ID\""
                                            " JOIN \"選手\" AS p ON p.\"選手ID\" = d.\"選手ID\""
                                            " JOIN \"試合\" AS s ON s.\"試合ID\" = d.\"試合ID\""
                                            " LEFT JOIN \"会場\" AS v ON v.\"会場ID\" = d.\"会場ID\""
                                            " LEFT JOIN \"シーズン\" AS z ON z.\"シーズンID\" = s.\"シーズンID\"");
    // A game moved to another match or player by an edit stays in the list until it is loaded again.
    out.sql = out.options.unfiltered + QStringLiteral(" WHERE d.\"試合ID\" = ?");
    out.options.params << QVariant(qlonglong(matchId));
    if (playerId != 0) {
        out.sql += QStringLiteral(" AND d.\"選手ID\" = ?");
        out.options.params << QVariant(qlonglong(playerId));
    }
    out.sql += QStringLiteral(" ORDER BY d.\"試合ID\", d.\"ｹﾞｰﾑ\", d.\"選手ID\", d.\"ID\"");
    out.options.key = QStringLiteral("ID");
    out.options.writeTables = {QStringLiteral("データ項目"), QStringLiteral("マーク"), QStringLiteral("選手"),
                               QStringLiteral("試合"),     QStringLiteral("会場"),   QStringLiteral("シーズン")};
    out.options.writeKeys = {{QStringLiteral("選手"), field::GamePlayer},
                             {QStringLiteral("試合"), field::GameMatch},
                             {QStringLiteral("会場"), QStringLiteral("会場ID")},
                             {QStringLiteral("シーズン"), QStringLiteral("シーズンID")}};
    // The game's フレーム row (its pins, found by the game's ID) keeps the game's match, player and
    // game number as the game does.
    out.options.alsoWrite = [](const db::Recordset& rs) -> QString {
        const int row = rs.AbsolutePosition();
        QVariantList now;
        bool moved = false;
        for (const QString& f : {field::GamePlayer, field::GameMatch, field::GameNo}) {
            now << rs.Value(f);
            moved = moved || rs.Value(f) != rs.valueAt(row, rs.FieldIndex(f));
        }
        if (!moved) return {};
        db::Statement move(QStringLiteral("UPDATE \"フレーム\" SET \"選手ID\" = ?, \"試合ID\" = ?, \"ゲーム\" = ? WHERE \"ID\" = ?"));
        return move.run(now << rs.valueAt(row, rs.FieldIndex(QStringLiteral("ID")))) ? QString() : move.error();
    };
    return out;
}

QString limitDayField(int index, const QString& text) {
    struct Bounds {
        std::optional<int> low, high;
    };
    static const Bounds bounds[DayFieldCount] = {{0, {}}, {{}, 1}, {0, 12}, {0, 10}, {0, 10}, {0, 10}, {{}, 1}, {1, {}}, {1, {}}};
    if (index < 0 || index >= DayFieldCount) return text;
    const Bounds& b = bounds[index];
    const double v = Val(text);
    if (b.high && v > *b.high) return QString::number(*b.high);
    if (b.low && v < *b.low) return QString::number(*b.low);
    return text;
}

bool isWholeField(const QString& field) {
    static const QStringList whole = [] {
        QStringList w{field::GameMatch, field::MarkMatch, field::GameNo,    field::MarkGameNo, field::GamePlayer,
                      field::MarkPlayer, field::GameScore, field::MarkScore, QStringLiteral("競技点"),
                      QStringLiteral("HCP"), QStringLiteral("会場ID")};
        for (int i = 0; i < DayFieldCount; ++i) w << dayField(i);
        for (int f = 1; f <= 9; ++f) w << QStringLiteral("S%1").arg(f);
        return w;
    }();
    return whole.contains(field);
}

Typed typedNumber(const QString& field, const QString& text) {
    auto within = [&text](std::int64_t lo, std::int64_t hi, Refusal refusal) -> Typed {
        if (const auto v = wholeInRange(text, lo, hi)) return {qlonglong(*v)};
        return {{}, refusal};
    };
    if (field == field::GameNo || field == field::MarkGameNo) return within(1, 10, Refusal::GameNumber);
    if (field == field::GamePlayer || field == field::MarkPlayer) return within(1, 32767, Refusal::PlayerId);
    if (text.trimmed().isEmpty()) return {QVariant()};
    bool tooLarge = false;
    if (const auto v = wholeOfText(text, &tooLarge)) return {qlonglong(*v)};
    return {{}, tooLarge ? Refusal::TooLarge : Refusal::NotANumber};
}

bool scoreOutOfRange(const QString& text) {
    const double v = Val(text);
    return v > 300 || v < 0;
}

}  // namespace vx::recordedit
