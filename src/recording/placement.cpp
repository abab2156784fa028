#include "recording/placement.h"
#include "common/convert.h"
#include "common/database.h"
#include "common/module1.h"
#include "recording/scoreentry_model.h"
#include <algorithm>
#include <cmath>

namespace vx::placement {

using namespace Module1;

std::int16_t toInt16(double v) {
    if (!std::isfinite(v)) return 0;
    return std::int16_t(std::clamp(roundHalfEven(v), -32768.0, 32767.0));
}

int laneCount() { return LastPlayer / SlotsPerLane + 1; }

bool isSlot(int slot) { return slot >= 0 && slot <= LastPlayer && std::size_t(slot) < PlayerIds.size(); }

std::pair<int, int> nextCell(int row, int col) {
    if (col < SlotsPerLane) return {row, col + 1};
    if (row < laneCount()) return {row + 1, 1};
    return {1, 1};
}

void allocateSlots() {
    const auto n = std::size_t(LastPlayer + 1);
    PlayerIds.assign(n, EmptySlotId);
    PlayerHcps.assign(n, 0);
    PlayerNames.assign(n, NoPlayerName);
}

bool slotTaken(int slot) { return isSlot(slot) && PlayerIds[std::size_t(slot)] != EmptySlotId; }

int slotOfPlayer(std::int16_t playerId) {
    for (int s = 0; s <= LastPlayer && std::size_t(s) < PlayerIds.size(); ++s)
        if (PlayerIds[std::size_t(s)] == playerId) return s;
    return -1;
}

bool seat(int slot, std::int16_t playerId, const QString& name, std::int16_t hcp) {
    if (!isSlot(slot)) return false;
    if (slotTaken(slot) && PlayerIds[std::size_t(slot)] != playerId) return false;
    const int seated = slotOfPlayer(playerId);
    if (seated >= 0 && seated != slot) return false;
    PlayerIds[std::size_t(slot)] = playerId;
    PlayerNames[std::size_t(slot)] = name;
    PlayerHcps[std::size_t(slot)] = hcp;
    for (int g = 0; g <= LastGame; ++g)
        if (ScoreSheet.contains(slot, g)) ScoreSheet(slot, g).Scores[11] = hcp;
    return true;
}

void empty(int slot) {
    if (!isSlot(slot)) return;
    PlayerIds[std::size_t(slot)] = EmptySlotId;
    PlayerNames[std::size_t(slot)] = QString();
}

std::optional<std::int16_t> seasonHandicap(const QVariant& seasonId, int playerId, bool* dbError) {
    QString error;
    db::Recordset rs;
    const bool ok = rs.open(
        QStringLiteral("SELECT \"ハンデ\" FROM \"ハンデ\" WHERE \"シーズンID\" = ? AND \"選手ID\" = ? ORDER BY \"ID\""),
        db::RecordsetType::Snapshot, {seasonId, playerId});
    if (dbError) *dbError = !ok;
    if (!ok || rs.RecordCount() == 0) return std::nullopt;
    rs.MoveFirst();
    return toInt16(rs.Value(0).toDouble());
}

std::optional<int> largestPlayerId() {
    QString error;
    const QVariant v = db::scalar(QStringLiteral("SELECT COALESCE(MAX(\"選手ID\"), 0) FROM \"選手\""), {}, &error);
    if (!v.isValid() || !error.isEmpty()) return std::nullopt;
    return v.toInt();
}

bool playerExists(int playerId) {
    return db::scalar(QStringLiteral("SELECT COUNT(*) FROM \"他データ読み込み用ダイナ\" WHERE \"選手ID\" = ?"),
                      {playerId})
               .toInt() > 0;
}

StoreResult storeNewPlayer(int playerId, const QString& name, const QVariant& seasonId, int hcp) {
    if (playerExists(playerId)) return StoreResult::IdTaken;
    db::Transaction both;
    if (!both.begun()) return StoreResult::Failed;
    db::Recordset rs;
    bool ok = rs.open(QStringLiteral("他データ読み込み用ダイナ"), db::RecordsetType::Dynaset, {},
                      QStringLiteral("選手ID,シーズンID")) &&
              rs.AddNew() && rs.SetValue(0, playerId) && rs.SetValue(1, name) && rs.SetValue(2, seasonId) &&
              rs.SetValue(3, hcp) && rs.Update();
    // The player and the handicap belong together: both rows or neither.
    ok = ok && db::scalar(QStringLiteral("SELECT COUNT(*) FROM \"ハンデ\" WHERE \"選手ID\" = ? AND \"シーズンID\" = ?"),
                          {playerId, seasonId})
                       .toInt() > 0;
    if (ok && both.commit()) return StoreResult::Stored;
    return StoreResult::Failed;
}

bool storeHandicap(int playerId, const QVariant& seasonId, int hcp) {
    return db::exec(QStringLiteral("INSERT INTO \"ハンデ\" (\"選手ID\", \"シーズンID\", \"ハンデ\") VALUES (?, ?, ?)"),
                    {playerId, seasonId, hcp});
}

void handOver(int cursorSlot) {
    for (int s = 0; s <= LastPlayer && std::size_t(s) < PlayerNames.size(); ++s)
        for (int g = 0; g <= LastGame; ++g)
            if (ScoreSheet.contains(s, g)) ScoreSheet(s, g).Name = PlayerNames[std::size_t(s)];
    CurPlayer = std::int16_t(isSlot(cursorSlot) ? cursorSlot : 0);
    auto& entry = scoreEntry();
    entry.setPlayerNameText(isSlot(CurPlayer) ? PlayerNames[std::size_t(CurPlayer)].str() : QString());
    entry.setGameNumberText(Str(int(CurGame) + 1));
    entry.clear_score();
}

}  // namespace vx::placement
