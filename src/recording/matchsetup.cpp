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
    if (!std::isfinite(v)) return false;
    const double r = roundHalfEven(v);
    if (r < double(lo) || r > double(hi)) return false;
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
    const double season = Val(entry.season);
    const double number = Val(entry.number);
    const QVariant pair = db::scalar(
        QStringLiteral("SELECT COUNT(*) FROM \"試合\" WHERE \"シーズンID\" = ? AND \"試合\" = ?"),
        {numberVariant(season), numberVariant(number)}, &error);
    if (!pair.isValid() || !error.isEmpty()) {
        c.refusal = Refusal::DatabaseError;
        return c;
    }
    if (pair.toInt() > 0) {
        c.refusal = Refusal::NumberTaken;
        return c;
    }
    c.seasonId = numberVariant(season);
    // Every value that does not fit its variable, and any impossible date, is a date refusal.
    const bool ok = fits(number, -32768, 32767, &c.matchNo) && fits(Val(entry.year), -32768, 32767, &c.year) &&
                    fits(Val(entry.month), 0, 255, &c.month) && fits(Val(entry.day), 0, 255, &c.day) &&
                    fits(Val(entry.venue), 0, 255, &c.venueId);
    if (!ok || c.year < FirstYear || c.year > LastYear || !QDate(c.year, c.month, c.day).isValid()) {
        c.refusal = Refusal::BadDate;
        return c;
    }
    return c;
}

QString refusalMessage(Refusal refusal) {
    switch (refusal) {
        case Refusal::None: return {};
        case Refusal::IdBelowOne: return QStringLiteral("試合番号は１以上の整数を入力してください");
        case Refusal::IdTaken: return QStringLiteral("試合番号が重複しています");
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
