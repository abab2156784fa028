#pragma once
// A club's twenty years in a fresh database: 40 seasons of 12 matches, about 60 players a day
// from a roster of 90, 4 games each — about 115,000 stored games with their three rows each.
// Written in one transaction with prepared statements, so it takes seconds, not minutes.
#include "common/database.h"
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace vxbench {

struct History {
    int games = 0;
    int lastMatchId = 0;
    int lastSeasonId = 0;
};

inline QString ballSuffix(int k) {
    return k >= 18 ? QStringLiteral("0") + QString::number(k - 17) : QString::number(k / 2 + 1) + QString::number(k % 2 + 1);
}

inline QString insertSql(const QString& table, const QStringList& cols) {
    QStringList q, m;
    for (const QString& c : cols) {
        q << vx::db::quoteName(c);
        m << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(vx::db::quoteName(table), q.join(u','), m.join(u','));
}

inline History writeClubHistory(int seasons = 40, int matchesPerSeason = 12, int roster = 90, int perDay = 60) {
    History h;
    vx::db::beginTransaction();
    QSqlQuery player(vx::db::connection()), season(vx::db::connection()), match(vx::db::connection());
    QSqlQuery data(vx::db::connection()), mark(vx::db::connection()), frame(vx::db::connection());
    player.prepare(QStringLiteral("INSERT INTO \"選手\" (\"選手ID\", \"選手名\") VALUES (?, ?)"));
    season.prepare(QStringLiteral("INSERT INTO \"シーズン\" (\"シーズン名\") VALUES (?)"));
    match.prepare(insertSql(QStringLiteral("試合"), {"試合ID", "シーズンID", "試合", "１着ID", "S10", "競技点", "試合日"}));
    data.prepare(insertSql(QStringLiteral("データ項目"), {"選手ID", "試合ID", "ｹﾞｰﾑ", "優Ｐ", "上位", "S10", "ST", "SP", "SPF",
                                                        "ｽﾌﾟﾘｯﾄ", "当日", "入賞", "競技点", "HCP", "人数", "順位", "試合日", "会場ID"}));
    QStringList markCols{"ID", "選手ID", "試合ID", "ｹﾞｰﾑ"}, frameCols{"ID", "選手ID", "試合ID", "ゲーム"};
    for (int k = 0; k <= 20; ++k) markCols << QStringLiteral("M") + ballSuffix(k);
    for (int f = 1; f <= 10; ++f) markCols << QStringLiteral("S%1").arg(f);
    for (int k = 0; k <= 20; ++k) frameCols << QStringLiteral("Flms") + ballSuffix(k);
    for (int k = 0; k <= 20; ++k) frameCols << QStringLiteral("pin") + ballSuffix(k);
    mark.prepare(insertSql(QStringLiteral("マーク"), markCols));
    frame.prepare(insertSql(QStringLiteral("フレーム"), frameCols));

    for (int p = 1; p <= roster; ++p) {
        player.addBindValue(p);
        player.addBindValue(QStringLiteral("会員%1").arg(p));
        player.exec();
    }
    unsigned seed = 12345;
    auto rnd = [&seed](int n) { seed = seed * 1103515245u + 12345u; return int((seed >> 16) % unsigned(n)); };
    for (int s = 1; s <= seasons; ++s) {
        season.addBindValue(QStringLiteral("第%1期").arg(s));
        season.exec();
        h.lastSeasonId = s;
        for (int m = 1; m <= matchesPerSeason; ++m) {
            const int matchId = ++h.lastMatchId;
            const QString date = QStringLiteral("%1-%2-%3").arg(2005 + (s - 1) / 2).arg((m % 12) + 1, 2, 10, QLatin1Char('0')).arg(10);
            for (int v : {matchId, s, m, 1 + rnd(roster), 200, 220}) match.addBindValue(v);
            match.addBindValue(date);
            match.exec();
            const int first = rnd(roster);
            for (int i = 0; i < perDay; ++i) {
                const int pid = 1 + (first + i) % roster;
                for (int g = 1; g <= 4; ++g) {
                    const int s10 = 100 + rnd(150);
                    const QVariantList dv{pid, matchId, g, g == 1 ? rnd(20) : 0, rnd(2), s10, rnd(6), rnd(7), rnd(4), rnd(2),
                                          2 - g, QStringLiteral("    "), s10 + 10, 10, perDay, 1 + rnd(perDay), date, 1};
                    for (const QVariant& v : dv) data.addBindValue(v);
                    data.exec();
                    const QVariant id = data.lastInsertId();
                    QVariantList mv{id, pid, matchId, g};
                    for (int k = 0; k <= 20; ++k) mv << QStringLiteral("５");
                    for (int f = 1; f <= 10; ++f) mv << s10 * f / 10;
                    for (const QVariant& v : mv) mark.addBindValue(v);
                    mark.exec();
                    QVariantList fv{id, pid, matchId, g};
                    for (int k = 0; k <= 20; ++k) fv << 5;
                    for (int k = 0; k <= 20; ++k) fv << 992;
                    for (const QVariant& v : fv) frame.addBindValue(v);
                    frame.exec();
                    ++h.games;
                }
            }
        }
    }
    vx::db::commit();
    return h;
}

}  // namespace vxbench
