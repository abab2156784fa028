#include "records/playerrecords.h"
#include "common/convert.h"
#include "common/records.h"
#include <QStringList>
#include <algorithm>

namespace vx::playerrecords {

namespace {

const QString Cr = QStringLiteral("\r");

QString columns() {
    QStringList cols;
    for (const char* c : {"ID", "選手ID"}) cols << QStringLiteral("d.\"%1\" AS \"%1\"").arg(QString::fromUtf8(c));
    cols << QStringLiteral("p.\"選手名\" AS \"選手名\"");
    for (const char* c : {"試合ID", "ｹﾞｰﾑ", "優Ｐ", "上位", "S10", "ST", "SP", "SPF", "当日", "入賞", "競技点", "HCP", "試合日"})
        cols << QStringLiteral("d.\"%1\" AS \"%1\"").arg(QString::fromUtf8(c));
    for (const QString& c : ballColumns(QStringLiteral("M")) + frameColumns(9)) cols << QStringLiteral("m.\"%1\" AS \"%1\"").arg(c);
    return cols.join(QStringLiteral(", "));
}

// The ID as its box reads: the number at the start of the text, 0 for none.
QVariant idOf(const QString& text) { return Val(text); }

}  // namespace

int kindOfMenuEntry(int menuIndex) {
    static const int kinds[KindCount] = {FirstPlace, Points, BestOfDay, AllGames, BestScratch, BestHandicap, Strikes, Spares};
    return menuIndex >= 0 && menuIndex < KindCount ? kinds[menuIndex] : -1;
}

Query kindQuery(int kind, bool allPlayers, const QString& playerId) {
    // The kind's condition and order; every order ends on the row key, so that equal games always
    // come in the order they were stored.
    QString condition, order;
    QVariantList params;
    switch (kind) {
        case Points: condition = QStringLiteral("d.\"優Ｐ\" > 0"), order = QStringLiteral("d.\"試合ID\", d.\"優Ｐ\" DESC"); break;
        case FirstPlace:
            // Placings are stored padded with blanks.
            condition = QStringLiteral("RTRIM(d.\"入賞\", ?) = ?");
            params << QStringLiteral(" \u3000") << QStringLiteral("１着");
            order = QStringLiteral("d.\"試合ID\"");
            break;
        case BestScratch: order = QStringLiteral("d.\"S10\" DESC"); break;
        case BestHandicap: order = QStringLiteral("d.\"競技点\" DESC"); break;
        case AllGames: order = QStringLiteral("d.\"試合ID\", d.\"ｹﾞｰﾑ\""); break;
        case BestOfDay:
            condition = QStringLiteral("d.\"当日\" = 1");
            order = allPlayers ? QStringLiteral("d.\"試合ID\", d.\"競技点\" DESC") : QStringLiteral("d.\"試合ID\"");
            break;
        case Strikes: order = QStringLiteral("d.\"ST\" DESC, d.\"試合ID\""); break;
        case Spares: order = QStringLiteral("d.\"SP\" DESC, d.\"試合ID\""); break;
        default: return {};
    }
    QStringList terms;
    QVariantList bound;
    if (!allPlayers) {
        terms << QStringLiteral("d.\"選手ID\" = ?");
        bound << idOf(playerId);
    }
    if (!condition.isEmpty()) terms << condition;
    bound << params;
    QString sql = QStringLiteral("SELECT ") + columns() +
                  QStringLiteral(" FROM \"データ項目\" AS d JOIN \"マーク\" AS m ON m.\"ID\" = d.\"ID\""
                                 " LEFT JOIN \"選手\" AS p ON p.\"選手ID\" = d.\"選手ID\"");
    if (!terms.isEmpty()) sql += QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY ") + order + QStringLiteral(", d.\"ID\"");
    return {sql, bound};
}

db::OpenOptions listOptions(const Query& query) {
    db::OpenOptions o;
    o.type = db::RecordsetType::Snapshot;
    o.params = query.params;
    o.key = QStringLiteral("ID");
    o.keyset = true;
    return o;
}

QString emptyMessage(int kind) {
    switch (kind) {
        case Points: return QStringLiteral("ポイントのあるデータがありません");
        case FirstPlace: return QStringLiteral("一着データがありません");
        default: return QStringLiteral("データがありません");
    }
}

bool hasPlacing(const QString& placing) {
    return !placing.isEmpty() && placing[0] != QLatin1Char(' ') && placing[0] != QChar(0x3000);
}

QString explanation(int kind, int position, const CardTexts& card, bool allPlayers) {
    const QString p = QString::number(position);
    switch (kind) {
        case Points:
            return QStringLiteral("第") + p + QStringLiteral("回目の入賞です。") + card.placing + QStringLiteral("でした。") + Cr +
                   QStringLiteral("勝利ポイントは") + card.points + QStringLiteral("p でした。");
        case FirstPlace:
            return QStringLiteral("第") + p + QStringLiteral("回目の一着です。") + Cr + QStringLiteral("勝利ポイントは") + card.points +
                   QStringLiteral("p でした。");
        case BestScratch: return QStringLiteral("素点で") + p + QStringLiteral("番目の点は") + card.score + QStringLiteral("点 です。");
        case BestHandicap:
            return QStringLiteral("ハンデ込みで") + p + QStringLiteral("番目の点は") + Cr + QStringLiteral("  ") + card.hcpScore +
                   QStringLiteral("点 です。");
        case AllGames: return QStringLiteral("参加　第") + p + QStringLiteral("ゲームのスコアです。");
        case BestOfDay: {
            const bool points = Val(card.points) > 0;
            QString s = card.name;
            if (allPlayers) s += points ? QStringLiteral("選手のこの日の最高点です。") : QStringLiteral("選手のこの日の最高点です。 ");
            else s += QStringLiteral("選手の第") + p + QStringLiteral("回目の試合の最高点です。 ");
            if (points) return s + card.placing + QStringLiteral("で入賞しました。勝利ポイントは") + card.points + QStringLiteral("p でした。");
            if (hasPlacing(card.placing)) return s + card.placing + QStringLiteral("で、勝利ポイントはありませんでした。");
            return s + Cr + QStringLiteral("勝利ポイントはありませんでした。");
        }
        case Strikes:
            return QStringLiteral("ストライク数　Best") + p + QStringLiteral("は") + Cr + QStringLiteral(" 　　 ") + card.strikes +
                   QStringLiteral("個 です。");
        case Spares:
            return QStringLiteral("スペア数　Best") + p + QStringLiteral("は") + Cr + QStringLiteral(" 　　 ") + card.spares +
                   QStringLiteral("個 です。");
        default: return {};
    }
}

int moveTarget(int button, int position, int count) {
    switch (button) {
        case 0: return 1;
        case 1: return position < 12 ? 1 : position - 10;
        case 2: return position >= 2 ? position - 1 : position;
        case 3: return position < count ? position + 1 : position;
        case 4: return position < count - 10 ? position + 10 : count;
        case 5: return count;
        default: return position;
    }
}

Query seasonStats(bool allPlayers, const QString& playerId) {
    if (allPlayers) return {QStringLiteral("SELECT * FROM \"全選手成績２\""), {}};
    return {QStringLiteral("SELECT * FROM \"選手別成績２\" WHERE \"選手ID\" = ?"), {idOf(playerId)}};
}

Query allTimeStats(bool allPlayers, const QString& playerId) {
    if (allPlayers) return {QStringLiteral("SELECT * FROM \"全選手通算成績２\""), {}};
    return {QStringLiteral("SELECT * FROM \"選手別通算成績２\" WHERE \"選手ID\" = ?"), {idOf(playerId)}};
}

}  // namespace vx::playerrecords
