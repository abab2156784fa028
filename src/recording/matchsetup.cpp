#include "recording/matchsetup.h"
#include "common/gamecount.h"
#include "common/convert.h"
#include "common/database.h"
#include "common/module1.h"
#include "recording/scoreentry_model.h"
#include <QDate>
#include <algorithm>
#include <cmath>

namespace vx::matchsetup {

namespace {
// A whole-number variable assigned from a number: rounds half to even, refuses what does not fit.
template <class T>
bool fits(double v, long lo, long hi, T* out) {
    const double r = roundHalfEven(v);
    if (!(r >= double(lo) && r <= double(hi))) return false;  // so written, it refuses NaN too
    *out = T(r);
    return true;
}

// A number as the shared state keeps it: whole numbers as integers.
QVariant numberVariant(double v) {
    if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 2147483648.0) return QVariant(int(v));
    return QVariant(v);
}
}  // namespace

std::optional<int> proposeMatchId() {
    QString error;
    const QVariant largest = db::scalar(QStringLiteral("SELECT COALESCE(MAX(\"試合ID\"), 0) FROM \"試合\""), {}, &error);
    if (!largest.isValid() || !error.isEmpty()) return std::nullopt;
    return largest.toInt() + 1;
}

MatchCheck checkMatch(const MatchEntry& entry) {
    MatchCheck c;
    const double id = std::floor(Val(entry.id));
    c.matchId = std::isfinite(id) ? std::int64_t(std::clamp(id, -1e15, 1e15)) : 0;
    if (c.matchId < 1 || c.matchId > LargestMatchId) {
        c.refusal = Refusal::IdBelowOne;
        return c;
    }
    QString error;
    const QVariant taken = db::scalar(QStringLiteral("SELECT COUNT(*) FROM \"試合\" WHERE \"試合ID\" = ?"),
                                      {QVariant(qlonglong(c.matchId))}, &error);
    if (!taken.isValid() || !error.isEmpty()) {
        c.refusal = Refusal::DatabaseError;
        return c;
    }
    if (taken.toInt() > 0) {
        c.refusal = Refusal::IdTaken;
        return c;
    }
    const std::optional<std::int64_t> number = wholeInRange(entry.number, 1, LargestMatchNo);
    if (!number) {
        c.refusal = Refusal::BadNumber;
        return c;
    }
    c.matchNo = std::int16_t(*number);
    const double season = Val(entry.season);
    const QVariant pair = db::scalar(
        QStringLiteral("SELECT COUNT(*) FROM \"試合\" WHERE \"シーズンID\" = ? AND \"試合\" = ?"),
        {numberVariant(season), QVariant(qlonglong(*number))}, &error);
    if (!pair.isValid() || !error.isEmpty()) {
        c.refusal = Refusal::DatabaseError;
        return c;
    }
    if (pair.toInt() > 0) {
        c.refusal = Refusal::NumberTaken;
        return c;
    }
    c.seasonId = numberVariant(season);
    // A date part that does not fit its variable, an impossible date and a venue that cannot
    // exist are all the date refusal.
    const std::optional<std::int64_t> venue = wholeInRange(entry.venue, 1, LargestVenueId);
    const bool ok = fits(Val(entry.year), -32768, 32767, &c.year) && fits(Val(entry.month), 0, 255, &c.month) &&
                    fits(Val(entry.day), 0, 255, &c.day) && venue;
    if (!ok || c.year < FirstYear || c.year > LastYear || !QDate(c.year, c.month, c.day).isValid()) {
        c.refusal = Refusal::BadDate;
        return c;
    }
    c.venueId = std::uint8_t(*venue);
    return c;
}

QString refusalMessage(Refusal refusal) {
    switch (refusal) {
        case Refusal::None: return {};
        case Refusal::IdBelowOne: return QStringLiteral("試合番号は１以上の整数を入力してください");
        case Refusal::IdTaken: return QStringLiteral("試合番号が重複しています");
        case Refusal::BadNumber:
            return QStringLiteral("シーズン中の試合番号は１から３２７６７までの整数で入力してください");
        case Refusal::NumberTaken: return QStringLiteral("シーズン中の試合番号が重複しています");
        case Refusal::BadDate: return QStringLiteral("正しい日付を入力してください");
        case Refusal::DatabaseError: return QStringLiteral("データベースを読めませんでした");
    }
    return {};
}

void fixMatch(const MatchCheck& a) {
    using namespace Module1;
    MatchId = QVariant(int(a.matchId));
    SeasonId = a.seasonId;
    MatchNo = a.matchNo;
    MatchYear = a.year;
    MatchMonth = a.month;
    MatchDay = a.day;
    VenueId = a.venueId;
}

void freshSheet() {
    using namespace Module1;
    gamecount::applyPending();
    LastPlayer = 35;
    CurGame = 0;
    CurPlayer = 0;
    ScoreSheet.redim(0, LastPlayer, 0, LastGame);
    scoreEntry().INIT();
}

}  // namespace vx::matchsetup
