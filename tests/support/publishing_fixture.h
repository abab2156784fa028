#pragma once
// A small club for the published pages: names with markup characters, one longer than a page
// cell, a character CP932 lacks, a prize with markup, missing values, and the results file of
// match 41 with its milestones; the score sheet and results table a window would hand over.
#include "common/clock.h"
#include "common/cp932.h"
#include "common/database.h"
#include "common/launcher.h"
#include "common/module1.h"
#include "common/records.h"
#include "common/settings.h"
#include "publishing/resultstable.h"
#include "publishing/scoresheet.h"
#include "records/seasonresults.h"
#include <QFile>

namespace vxtest {

// One stored game: its データ項目 and マーク rows ("_" an empty box, "null" no value).
inline bool storePublishedGame(int id, int player, int match, int game, const QVariant& points, const QVariant& prize,
                               const QVariant& s10, const QVariant& withHcp, const QString& marks) {
    const QStringList m = marks.split(' ');
    QVariantList markValues{id, player, match, game};
    QStringList markCols{"\"ID\"", "\"選手ID\"", "\"試合ID\"", "\"ｹﾞｰﾑ\""};
    for (int k = 0; k <= 20; ++k) {
        markCols << "\"M" + vx::ballSuffix(k) + "\"";
        markValues << (m.value(k) == "_" ? QVariant(QString("\u3000")) : m.value(k) == "null" ? QVariant() : QVariant(m.value(k)));
    }
    return vx::db::exec("INSERT INTO \"データ項目\" (\"ID\", \"選手ID\", \"試合ID\", \"ｹﾞｰﾑ\", \"優Ｐ\", \"入賞\", \"S10\", \"競技点\") "
                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                        {id, player, match, game, points, prize, s10, withHcp}) &&
           vx::db::exec("INSERT INTO \"マーク\" (" + markCols.join(',') + ") VALUES (" + QStringList(markCols.size(), "?").join(',') + ")",
                        markValues);
}

// Match 41 (season 3, its second match) holds three games, match 57 one more of player 12.
inline bool publishingClub() {
    Module1::MarkTexts = {QString(), "1s", "2s", "3s", "4s", "5s", "6s", "7s", "8s", "／", "＊"};
    // Each colour its own, so a page that takes one for another shows it.
    Module1::HtmlColors = {"14811135", "128", "12632256", "255", "65535", "32768", "16777215", "8388608"};
    vx::db::ensureOpen();
    for (const char* s : {"INSERT INTO 選手 (選手ID, 選手名) VALUES (12, '山田太郎'), (7, 'A&B<長い名前の選手です'), (30, 'José')",
                          "INSERT INTO シーズン (シーズンID, シーズン名) VALUES (3, '2025前期')",
                          "INSERT INTO 試合 (試合ID, シーズンID, 試合, 試合日) VALUES (41, 3, 2, '2025-04-06'), (57, 3, 3, '2025-05-11')"})
        if (!vx::db::exec(QString::fromUtf8(s))) return false;
    return storePublishedGame(1, 12, 41, 1, 3, "１着  ", 187, 197, "＊ _ ９ ／ ７ ２ 3s ５ Ｇ － ８ ／ ＊ _ ９ － Ｆ ８ ＊ ＊ ７") &&
           storePublishedGame(2, 7, 41, 1, 0, "特別<賞>", 95, 123, "５ ４ ５ ４ 1s ４ ５ ４ ５ ４ ５ ４ ５ ４ ５ ４ ５ ４ ５ null _") &&
           storePublishedGame(3, 30, 41, 2, QVariant(), QVariant(), 9, QVariant(), "１ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ _") &&
           storePublishedGame(4, 12, 57, 1, 0, "　", 150, 160, "５ ４ ５ ４ ５ ４ ５ ４ ５ ４ ５ ４ ５ ４ ５ ４ ５ ４ ５ ４ _");
}

// The club above with the counts the results table sums (上位, ST, SP, SPF), a game of player 99
// who is not in 選手, and match 60 of season 4. José never had a spare chance.
inline bool resultsClub() {
    if (!publishingClub()) return false;
    for (const char* s : {"UPDATE データ項目 SET (上位, ST, SP, SPF) = (v.column2, v.column3, v.column4, v.column5) FROM "
                          "(VALUES (1, 1, 4, 3, 1), (2, 0, 0, 2, 3), (3, 0, 0, 0, 0), (4, 1, 2, 5, 1)) AS v WHERE ID = v.column1",
                          "INSERT INTO シーズン (シーズンID, シーズン名) VALUES (4, '2025後期')",
                          "INSERT INTO 試合 (試合ID, シーズンID, 試合, 試合日) VALUES (60, 4, 1, '2025-10-05')",
                          "INSERT INTO データ項目 (ID, 選手ID, 試合ID, ｹﾞｰﾑ, 優Ｐ, 上位, S10, ST, SP, SPF) VALUES "
                          "(5, 99, 57, 2, 2, 1, 201, 6, 2, 0), (6, 12, 60, 1, 5, 1, 222, 7, 3, 0)"})
        if (!vx::db::exec(QString::fromUtf8(s))) return false;
    return true;
}

// Player 12 adds a game in season 5 (match 70); the games get their top finishes, strikes, spares,
// handicaps, dates and frame scores. Player 30 never had a spare chance.
inline bool playerSeasons() {
    if (!publishingClub() || !vx::db::exec("INSERT INTO シーズン (シーズンID, シーズン名) VALUES (5, '2026前期')") ||
        !vx::db::exec("INSERT INTO 試合 (試合ID, シーズンID, 試合, 試合日) VALUES (70, 5, 1, '2026-04-05')") ||
        !storePublishedGame(5, 12, 70, 2, 1, "３着  ", 205, 215, "＊ _ ＊ _ ＊ _ ９ ／ ８ 1s ＊ _ ＊ _ ＊ _ ＊ _ ＊ ９ －"))
        return false;
    // ID, 上位, ST, SP, SPF, HCP
    const int stats[5][6] = {{1, 1, 3, 4, 1, 10}, {2, 0, 0, 1, 6, 28}, {3, 0, 0, 0, 0, 0}, {4, 0, 2, 5, 2, 10}, {5, 1, 6, 2, 0, 10}};
    for (const auto& r : stats)
        if (!vx::db::exec("UPDATE データ項目 SET 上位 = ?, ST = ?, SP = ?, SPF = ?, HCP = ?, "
                          "試合日 = (SELECT 試合日 FROM 試合 WHERE 試合.試合ID = データ項目.試合ID) WHERE ID = ?",
                          {r[1], r[2], r[3], r[4], r[5], r[0]}))
            return false;
    QStringList scores;
    for (int f = 1; f <= 10; ++f) scores << QString("S%1 = (SELECT S10 FROM データ項目 d WHERE d.ID = マーク.ID) * %1 / 10").arg(f);
    return vx::db::exec("UPDATE マーク SET " + scores.join(", "));
}

// The results file of match 41: the day's lines, then the milestones (the last line holds a comma).
inline bool writeMilestones(const QString& folder, bool withHeading = true) {
    QString text = "\"順位\",\"選手名\",\"得点\"\r\n1,\"山田太郎\",187\r\n\r\n";
    if (withHeading) text += "\"☆☆☆　　達成された通算記録　　☆☆☆\"\r\n\"A&B< 通算100ゲーム\"\r\n山田太郎 通算300ST,達成\r\n";
    QFile f(folder + "/SD-3-2.txt");
    return f.open(QIODevice::WriteOnly) && f.write(vx::toCp932(text)) > 0;
}

// A choice kept in the "setting" section of the settings.
inline QString setting(const char* name) { return vx::settings::GetSetting("setting", QString::fromLatin1(name), "unset"); }

// The browser's runs, recorded as "program|arguments" instead of started.
inline QStringList launched;
inline void recordBrowser() {
    launched.clear();
    vx::launcher::setRunner([](const QString& program, const QStringList& args) { return launched << program + "|" + args.join('|'), true; });
}

// The whole match 41 for all players, as the score book chooses it.
inline vx::publishing::ScoreSheet matchSheet(const QString& folder) {
    return {.choice = {"0", false, "全　員", 2, "", "41", "", "2025/04/06", "3", "2"}, .markTexts = Module1::MarkTexts, .folder = folder,
            .setup = {.colors = Module1::HtmlColors,
                      .frame = {.title = "Score Sheet", .heading = "2025/04/06の<I>スコアシート</I>", .headingEnd = {}, .footer = {}},
                      .footerText = "説明 <B>太字</B>", .written = vx::clock::now()}};
}

// The results table of a range as the season-results window's boxes read, with the proposed texts.
inline vx::publishing::ResultsTable resultsTable(int range, const vx::results::Boxes& boxes) {
    const vx::results::Query q = vx::results::queryOf(range, boxes);
    const auto p = vx::publishing::resultsProposal(range, boxes.season, "2025/04/06 から 2025/04/06 まで");
    return {.sql = q.sql, .params = q.params,
            .setup = {.colors = Module1::HtmlColors, .frame = {.title = p.title, .heading = p.heading, .headingEnd = {}, .footer = {}},
                      .footerText = "説明 <B>太字</B>", .written = vx::clock::now()}};
}

}  // namespace vxtest
