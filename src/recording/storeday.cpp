#include "recording/storeday.h"
#include "common/appdir.h"
#include "common/convert.h"
#include "common/database.h"
#include "common/module1.h"
#include "common/picture.h"
#include "common/settingskeys.h"
#include "common/textfile.h"
#include "common/width.h"
#include "recording/dayresults.h"
#include "recording/exchange.h"
#include <QDate>
#include <QFile>
#include <cmath>
#include <stdexcept>

namespace vx {
namespace {

using namespace Module1;

const QString CrLf = QStringLiteral("\r\n");

// The six statistics in the order their lines are written.
const std::array<Milestone, 6> Milestones{{
    {u"ゲーム", 50, u"通算ゲーム数‥", u"ゲーム　　"},
    {u"上位", 50, u"通算上位数‥‥‥", u"上位　　"},
    {u"優Ｐ計", 50, u"通算ポイント数‥‥", u"ｐ　　"},
    {u"ST", 50, u"通算ストライク数‥", u"個　　"},
    {u"スペア", 100, u"通算スペア数‥‥‥", u"個　　"},
    {u"合計点", 5000, u"通算合計点数‥‥", u"点　　"},
}};

class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString& what) : std::runtime_error(what.toStdString()) {}
};

QString isoDate(int year, int month, int day) {
    const QDate d(year, month, day);
    if (!d.isValid())
        throw StoreError(QStringLiteral("試合日が正しくありません (%1/%2/%3)。").arg(year).arg(month).arg(day));
    return d.toString(Qt::ISODate);
}

QString insertSql(const QString& table, const QStringList& columns) {
    QStringList quoted, marks;
    for (const QString& c : columns) {
        quoted << db::quoteName(c);
        marks << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO ") + db::quoteName(table) + QStringLiteral(" (") + quoted.join(u',') +
           QStringLiteral(") VALUES (") + marks.join(u',') + QLatin1Char(')');
}

// A statement prepared once for the whole day, its values bound by position; `what` names its
// table or view when it fails.
struct DayStatement {
    DayStatement(const QString& sql, const QString& what, bool reads = false) : st(sql), what(what), reads(reads) {}
    template <class... T>
    DayStatement& operator()(const T&... values) {
        int position = 0;
        (st.bind(++position, values), ...);
        return *this;
    }
    db::Statement& run() {
        if (!st.run())
            throw StoreError(what + (reads ? QStringLiteral("を読めませんでした。") : QStringLiteral("に書き込めませんでした。")) +
                             QLatin1Char('\r') + st.error());
        return st;
    }
    db::Statement st;
    QString what;
    bool reads;
};

bool playedGame(const GameResultRecord& r) {
    for (int k = 0; k <= 19; ++k)
        if (r.Attrs[std::size_t(k)] != BallAttr::NotSet) return true;
    return false;
}

double numberOf(const QVariant& v) { return v.isNull() ? 0.0 : v.toDouble(); }

struct Written {
    int rows = 0;
    QString milestones;
};

// Everything that goes into the database; runs inside the transaction and throws on any failure.
Written writeDay() {
    const int n = GamePlayerCounts[0], G = PlayedGameCount;
    if (n < 1 || G < 1) throw StoreError(QStringLiteral("記録するデータがありません。"));
    if (!DayResults.contains(n, G) || !PlayedSheet.contains(n, G))
        throw StoreError(QStringLiteral("計算結果がありません。先に計算してください。"));

    QStringList dataCols{QStringLiteral("選手ID"), QStringLiteral("試合ID"), QStringLiteral("ｹﾞｰﾑ"),
                         QStringLiteral("優Ｐ"),   QStringLiteral("上位"),   QStringLiteral("S10"),
                         QStringLiteral("ST"),     QStringLiteral("SP"),     QStringLiteral("SPF"),
                         QStringLiteral("ｽﾌﾟﾘｯﾄ"), QStringLiteral("当日"),   QStringLiteral("入賞"),
                         QStringLiteral("競技点"), QStringLiteral("HCP"),    QStringLiteral("人数"),
                         QStringLiteral("順位"),   QStringLiteral("試合日"), QStringLiteral("会場ID")};
    QStringList markCols{QStringLiteral("ID"), QStringLiteral("選手ID"), QStringLiteral("試合ID"), QStringLiteral("ｹﾞｰﾑ")};
    QStringList frameCols{QStringLiteral("ID"), QStringLiteral("選手ID"), QStringLiteral("試合ID"), QStringLiteral("ゲーム")};
    markCols << ballColumns(QStringLiteral("M")) << frameColumns();
    frameCols << ballColumns(QStringLiteral("Flms")) << ballColumns(QStringLiteral("pin"));

    DayStatement insertData(insertSql(QStringLiteral("データ項目"), dataCols), QStringLiteral("データ項目"));
    // The new ID was never a game's ID (the counter never reuses one), so a row of the other two
    // tables that already carries it belongs to no game and is replaced.
    DayStatement insertMark(insertSql(QStringLiteral("マーク"), markCols).replace(0, 6, QStringLiteral("INSERT OR REPLACE")),
                         QStringLiteral("マーク"));
    DayStatement insertFrame(insertSql(QStringLiteral("フレーム"), frameCols).replace(0, 6, QStringLiteral("INSERT OR REPLACE")),
                          QStringLiteral("フレーム"));
    DayStatement totals(QStringLiteral("SELECT \"ゲーム\", \"上位\", \"優Ｐ計\", \"ST\", \"スペア\", \"合計点\" "
                                    "FROM \"通算成績\" WHERE \"選手ID\" = ?"),
                     QStringLiteral("通算成績"), true);

    Written w;
    QVariantList winner{QVariant(), QVariant(), QVariant()};  // 選手ID, S10, 競技点 of the day's winner
    for (int p = 1; p <= n; ++p) {
        const QString name = PlayedSheet(p, 1).Name.str();
        // The player's totals before the day (none for a first day); each game written adds its own
        // share, so after every game they are what the view would now return.
        std::array<double, 6> total{};
        db::Statement& t = totals(PlayedSheet(p, 1).PlayerId).run();
        if (t.next())
            for (std::size_t i = 0; i < total.size(); ++i) total[i] = numberOf(t.value(int(i)));
        t.finish();
        for (int g = 1; g <= G; ++g) {
            GameResultRecord& r = DayResults(p, g);
            if (!playedGame(r)) {
                r.選手ID = -1;
                continue;
            }
            const QString date = isoDate(r.Year, r.Month, r.Day);
            const QVariant id = insertData(r.選手ID, r.試合ID, r.ｹﾞｰﾑ, r.優Ｐ, r.上位, r.S[10], r.ST, r.SP, r.SPF, r.ｽﾌﾟﾘｯﾄ,
                                           r.当日, r.入賞.str(), r.競技点, r.HCP, r.人数, r.順位, date, r.会場ID)
                                    .run()
                                    .lastInsertId();
            if (!id.isValid()) throw StoreError(QStringLiteral("データ項目のIDが得られませんでした。"));
            const qint64 rowId = id.toLongLong();

            insertMark(rowId, r.選手ID, r.試合ID, r.ｹﾞｰﾑ);
            for (int k = 0; k <= 20; ++k) insertMark.st.bind(5 + k, r.Marks[std::size_t(k)]);
            for (int f = 1; f <= 10; ++f) insertMark.st.bind(25 + f, r.S[std::size_t(f)]);
            insertMark.run();

            insertFrame(rowId, r.選手ID, r.試合ID, r.ｹﾞｰﾑ);
            for (int k = 0; k <= 20; ++k) insertFrame.st.bind(5 + k, r.Codes[std::size_t(k)]);
            for (int k = 0; k <= 20; ++k) insertFrame.st.bind(26 + k, r.PinMasks[std::size_t(k)]);
            insertFrame.run();
            ++w.rows;

            if (leftChars(r.入賞.str(), 2) == QStringLiteral("１着")) winner = {r.選手ID, r.S[10], r.競技点};

            const std::array<double, 6> own{1.0, double(r.上位), double(r.優Ｐ), double(r.ST), double(r.SP), double(r.S[10])};
            for (std::size_t i = 0; i < Milestones.size(); ++i) {
                total[i] += own[i];
                w.milestones += MilestoneLine(Milestones[i], total[i], own[i], name);
            }
        }
    }

    DayStatement insertMatch(insertSql(QStringLiteral("試合"), {QStringLiteral("試合ID"), QStringLiteral("シーズンID"),
                                                           QStringLiteral("試合"), QStringLiteral("１着ID"),
                                                           QStringLiteral("S10"), QStringLiteral("競技点"),
                                                           QStringLiteral("試合日")}),
                          QStringLiteral("試合"));
    insertMatch(MatchId, SeasonId, MatchNo, winner[0], winner[1], winner[2], isoDate(MatchYear, MatchMonth, MatchDay)).run();
    return w;
}

void saveIdRanges() {
    const int season = SeasonId.toInt();
    const int match = MatchId.toInt();
    if (season > SeasonIdMax) SeasonIdMax = std::int16_t(season);
    if (season < SeasonIdMin) SeasonIdMin = std::int16_t(season);
    if (match > MatchIdMax) MatchIdMax = match;
    if (match < MatchIdMin) MatchIdMin = match;
    const auto& keys = settings::keys::DayIdRanges;
    settings::save({{keys[0], QString::number(SeasonIdMax)},
                    {keys[1], QString::number(SeasonIdMin)},
                    {keys[2], QString::number(MatchIdMax)},
                    {keys[3], QString::number(MatchIdMin)}});
}

// The results file gets an empty line, and the milestones under their heading when there are any.
QString appendResultsFile(const QString& milestones) {
    try {
        TextWriter file(inProgramFolder(ResultsFileName()), TextWriter::Mode::Append);
        file.Print();
        if (!milestones.isEmpty()) {
            file.Print(MilestoneHeading());
            file.Print(milestones);
        }
        file.close();
    } catch (const TextFileError& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

}  // namespace

QString StoreDayResult::doneMessage() const {
    return QStringLiteral("ファイルへの書き込みが終了しました。") + QLatin1Char('\r') + QStringLiteral("書き込んだ人数は") +
           QString::number(players) + QStringLiteral("人で、") + QStringLiteral("データの合計数は") +
           QString::number(rows) + QStringLiteral("件でした。");
}

bool DayAlreadyStored(QString* error) {
    const QVariant matches = db::scalar(QStringLiteral("SELECT COUNT(*) FROM \"試合\" WHERE \"試合ID\" = ? OR "
                                                       "(\"シーズンID\" = ? AND \"試合\" = ?)"),
                                        {MatchId, SeasonId, MatchNo}, error);
    const QVariant games = db::scalar(QStringLiteral("SELECT COUNT(*) FROM \"データ項目\" WHERE \"試合ID\" = ?"),
                                      {MatchId}, error);
    return matches.toInt() > 0 || games.toInt() > 0;
}

StoreDayResult StoreDay() {
    StoreDayResult result;
    result.players = GamePlayerCounts[0];
    if (!db::ensureOpen(&result.error)) {
        result.error = QStringLiteral("データベースを開けませんでした。") + QLatin1Char('\r') + result.error;
        return result;
    }
    QString checkError;
    if (DayAlreadyStored(&checkError)) {
        result.error = QStringLiteral("この試合のデータはすでに記録されています。");
        return result;
    }
    if (!checkError.isEmpty()) {
        result.error = QStringLiteral("データベースを読めませんでした。") + QLatin1Char('\r') + checkError;
        return result;
    }
    db::Transaction day;
    if (!day.begun()) {
        result.error = QStringLiteral("データベースに書き込めませんでした。") + QLatin1Char('\r') + day.error();
        return result;
    }
    Written w;
    try {
        w = writeDay();
    } catch (const std::exception& e) {
        result.error = QStringLiteral("記録できませんでした。データベースは変更されていません。") + QLatin1Char('\r') +
                       QString::fromUtf8(e.what());
        return result;
    }
    if (!day.commit()) {
        result.error = QStringLiteral("記録できませんでした。データベースは変更されていません。") + QLatin1Char('\r') + day.error();
        return result;
    }

    // The day is stored; what follows only reports and tidies up.
    result.ok = true;
    result.rows = w.rows;
    result.milestones = w.milestones;
    result.fileError = appendResultsFile(w.milestones);
    saveIdRanges();
    DataRecordCount += w.rows;
    QFile::remove(exchange::backupFileName());
    return result;
}

QString MilestoneHeading() { return QStringLiteral("☆☆☆　　達成された通算記録　　☆☆☆"); }

QString MilestoneLine(const Milestone& m, double total, double own, const QString& name) {
    const double now = std::floor(total / m.step), before = std::floor((total - own) / m.step);
    if (now == before) return {};
    return QString::fromUtf16(m.label) + CStr(now * m.step) + QString::fromUtf16(m.unit) +
           Format(name, QStringLiteral("@@@@@@@")) + CrLf;
}

}  // namespace vx
