#include "records/scorebook.h"
#include "common/convert.h"
#include "common/dbconnection.h"
#include "common/module1.h"
#include "common/records.h"
#include <QStringList>

namespace vx::scorebook {

namespace {

// " WHERE a = ? AND b = ?" with each column as the query names it.
QString where(const Filter& filter, const char* const names[3]) {
    QStringList terms;
    for (const auto& t : filter.terms) terms << QString::fromUtf8(names[int(t.first)]) + QStringLiteral(" = ?");
    return terms.isEmpty() ? QString() : QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "));
}

QVariantList paramsOf(const Filter& filter) {
    QVariantList out;
    for (const auto& t : filter.terms) out << t.second;
    return out;
}

}  // namespace

Filter filterOf(const Selection& selection) {
    Filter f;
    if (Val(selection.player) != 0) f.terms.append({Column::Player, Val(selection.player)});
    if (selection.games == 1) f.terms.append({Column::Season, Val(selection.season)});
    if (selection.games == 2) f.terms.append({Column::Match, Val(selection.match)});
    return f;
}

QString listSql(const Filter& filter) {
    QStringList cols{QStringLiteral("d.\"ID\" AS \"ID\"")};
    for (const QString& c : frameColumns(9)) cols << QStringLiteral("m.\"%1\" AS \"%1\"").arg(c);
    cols << QStringLiteral("p.\"選手名\" AS \"選手名\"") << QStringLiteral("s.\"シーズンID\" AS \"シーズンID\"")
         << QStringLiteral("s.\"試合\" AS \"試合\"") << QStringLiteral("d.\"ｹﾞｰﾑ\" AS \"ｹﾞｰﾑ\"")
         << QStringLiteral("d.\"優Ｐ\" AS \"優Ｐ\"") << QStringLiteral("d.\"入賞\" AS \"入賞\"")
         << QStringLiteral("d.\"S10\" AS \"S10\"") << QStringLiteral("d.\"競技点\" AS \"競技点\"");
    for (const QString& c : ballColumns(QStringLiteral("M"))) cols << QStringLiteral("m.\"%1\" AS \"%1\"").arg(c);
    cols << QStringLiteral("d.\"試合日\" AS \"試合日\"") << QStringLiteral("v.\"会場名\" AS \"会場名\"")
         << QStringLiteral("d.\"試合ID\" AS \"試合ID\"") << QStringLiteral("d.\"選手ID\" AS \"選手ID\"")
         << QStringLiteral("z.\"シーズン名\" AS \"シーズン名\"") << QStringLiteral("d.\"会場ID\" AS \"会場ID\"");
    static const char* const names[] = {"d.\"選手ID\"", "s.\"シーズンID\"", "d.\"試合ID\""};
    return QStringLiteral("SELECT ") + cols.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM \"データ項目\" AS d"
                          " JOIN \"マーク\" AS m ON m.\"ID\" = d.\"ID\""
                          " JOIN \"選手\" AS p ON p.\"選手ID\" = d.\"選手ID\""
                          " JOIN \"試合\" AS s ON s.\"試合ID\" = d.\"試合ID\""
                          " LEFT JOIN \"会場\" AS v ON v.\"会場ID\" = d.\"会場ID\""
                          " LEFT JOIN \"シーズン\" AS z ON z.\"シーズンID\" = s.\"シーズンID\"") +
           where(filter, names) +
           QStringLiteral(" ORDER BY s.\"シーズンID\", s.\"試合\", d.\"ｹﾞｰﾑ\", d.\"ID\"");
}

QStringList markCaptions() {
    const char* const frames[] = {"１", "２", "３", "４", "５", "６", "７", "８", "９", "１"};
    QStringList captions(21);
    for (int f = 0; f < 10; ++f) captions[2 * f] = QString::fromUtf8(frames[f]);
    captions[19] = QStringLiteral("０");
    return captions;
}

db::OpenOptions listOptions(const Filter& filter) {
    db::OpenOptions o;
    o.key = QStringLiteral("ID");
    o.keyset = true;
    o.params = paramsOf(filter);
    // The same games in the same order from the kept list's index: counted and paged without
    // joining and sorting every game.
    static const char* const names[] = {"\"選手ID\"", "\"シーズンID\"", "\"試合ID\""};
    o.keysInOrder = QStringLiteral("SELECT \"ID\" FROM \"＿スコアブック順\"") + where(filter, names) +
                    QStringLiteral(" ORDER BY \"シーズンID\", \"試合\", \"ｹﾞｰﾑ\", \"ID\"");
    o.countSql = QStringLiteral("SELECT COUNT(*) FROM \"＿スコアブック順\"") + where(filter, names);
    o.writeTables = {QStringLiteral("データ項目"), QStringLiteral("マーク"), QStringLiteral("選手"),
                     QStringLiteral("試合"), QStringLiteral("会場")};
    o.writeKeys = {{QStringLiteral("選手"), QStringLiteral("選手ID")},
                   {QStringLiteral("試合"), QStringLiteral("試合ID")},
                   {QStringLiteral("会場"), QStringLiteral("会場ID")}};
    return o;
}

Query bookQuery(const Filter& filter) {
    static const char* const names[] = {"\"選手ID\"", "\"シーズンID\"", "\"試合ID\""};
    return {QStringLiteral("SELECT * FROM \"スコアブック\"") + where(filter, names), paramsOf(filter)};
}

Deletion deleteGames(const QVector<QVariant>& ids) {
    Deletion out;
    db::Transaction all;
    if (!all.begun()) return {0, all.error()};
    db::Statement game(QStringLiteral("DELETE FROM \"データ項目\" WHERE \"ID\" = ?")),
        marks(QStringLiteral("DELETE FROM \"マーク\" WHERE \"ID\" = ?")),
        balls(QStringLiteral("DELETE FROM \"フレーム\" WHERE \"ID\" = ?"));
    int deleted = 0;
    for (const QVariant& id : ids) {
        db::Transaction one;  // a game that fails is left whole
        if (!one.begun()) {
            out.error = one.error();
            break;
        }
        const bool ok = game.run({id}) && marks.run({id}) && balls.run({id});
        if (!ok) {
            out.error = !game.error().isEmpty() ? game.error() : !marks.error().isEmpty() ? marks.error() : balls.error();
            break;
        }
        deleted += game.rowsAffected() > 0;
        one.commit();
    }
    if (!all.commit()) return {0, all.error()};
    out.deleted = deleted;
    return out;
}

StoredBalls readBalls(const QVariant& id) {
    StoredBalls b;
    b.codes.fill(BallCode::NotEntered);
    b.masks.fill(PinMask::NoData);
    db::Statement q(QStringLiteral("SELECT * FROM \"フレーム\" WHERE \"ID\" = ?"));
    if (!q.run({id}) || !q.next()) return b;
    for (int k = 0; k <= 20; ++k) {
        const QVariant code = q.value(4 + k), pins = q.value(25 + k);
        if (!code.isNull()) b.codes[std::size_t(k)] = code.toInt();
        if (!pins.isNull()) b.masks[std::size_t(k)] = pins.toInt();
    }
    return b;
}

Racks racksOf(const StoredBalls& balls, double scratchScore) {
    Racks r;
    r.pins.fill(-1);
    auto paint = [&r](int rack, std::int32_t first, std::int32_t second) {
        for (int k = 0; k <= 9; ++k) r.pins[std::size_t(10 * rack + k)] = std::int8_t((first >> k) & 1);
        if (second < 0) return;
        for (int k = 0; k <= 9; ++k)
            if ((second >> k) & 1) r.pins[std::size_t(10 * rack + k)] = 2;
    };
    const auto& code = balls.codes;
    const auto& mask = balls.masks;
    for (int f = 0; f <= 9; ++f) {
        const std::int32_t first = mask[std::size_t(2 * f)];
        if (first < 0) continue;
        paint(f, first, code[std::size_t(2 * f)] != BallCode::Strike ? mask[std::size_t(2 * f + 1)] : -1);
    }
    if (mask[19] >= 0 && code[18] == BallCode::Strike) {
        if (code[19] != BallCode::Strike) {
            paint(10, mask[19], mask[20]);
        } else {
            paint(10, 0, -1);
            if (mask[20] >= 0) paint(11, mask[20], -1);
        }
    }
    if (mask[20] >= 0 && code[19] == BallCode::Spare) paint(10, mask[20], -1);
    r.secondTenthShown = scratchScore > 9;
    r.thirdTenthShown = scratchScore > 19;
    return r;
}

void handToScoreCards(const QString& tag, const db::Recordset& list) {
    Module1::HtmlCallerTag = tag;
    Module1::HtmlCallerBookmark = list.Bookmark();
    Module1::HtmlCallerCount = list.RecordCount();
}

}  // namespace vx::scorebook
