#include "shell/masterdata.h"
#include "common/appdir.h"
#include "common/database.h"
#include <QStringList>

namespace vx::masterdata {

QString playerIdRangeMessage() { return QStringLiteral("選手IDは１から３２７６７までの整数で入力してください。"); }
QString playerIdTakenMessage() { return QStringLiteral("この選手IDはすでに登録されています。"); }
QString reservedRowMessage() { return QStringLiteral("選手ID ０（全　員）は変更・削除できません。"); }
QString playerInUseMessage() {
    return QStringLiteral("この選手の記録またはハンデが登録されているため削除できません。");
}
QString playerIdInUseMessage() {
    return QStringLiteral("この選手の記録またはハンデが登録されているため選手IDは変更できません。");
}
QString seasonInUseMessage() {
    return QStringLiteral("このシーズンの試合またはハンデが登録されているため削除できません。");
}
QString duplicateHandicapMessage() {
    return QStringLiteral("この選手のこのシーズンのハンデはすでに登録されています。");
}
QString confirmDeleteMessage() { return QStringLiteral("選択した行を削除します。よろしいですか？"); }

namespace {
QStringList allGuards() {
    return {playerIdRangeMessage(), playerIdTakenMessage(), reservedRowMessage(), playerInUseMessage(),
            playerIdInUseMessage(), seasonInUseMessage(), duplicateHandicapMessage()};
}

// SQL text literal of a fixed message (no user text ever goes through here).
QString lit(const QString& s) {
    QString t = s;
    t.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}
}  // namespace

bool installGuards() {
    if (!db::ensureOpen()) return false;
    const QString playerUsed = QStringLiteral(
        "(EXISTS (SELECT 1 FROM main.\"データ項目\" WHERE \"選手ID\" = OLD.\"選手ID\") OR "
        "EXISTS (SELECT 1 FROM main.\"ハンデ\" WHERE \"選手ID\" = OLD.\"選手ID\"))");
    const QStringList statements = {
        // The ID is typed, never left to the engine (which shows a missing one as NULL or -1 here).
        QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS vx_player_id_range_ins BEFORE INSERT ON main.\"選手\" "
                       "WHEN NEW.\"選手ID\" IS NULL OR NEW.\"選手ID\" NOT BETWEEN 1 AND 32767 "
                       "BEGIN SELECT RAISE(ABORT, %1); END")
            .arg(lit(playerIdRangeMessage())),
        QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS vx_player_id_taken BEFORE INSERT ON main.\"選手\" "
                       "WHEN NEW.\"選手ID\" BETWEEN 1 AND 32767 AND "
                       "EXISTS (SELECT 1 FROM main.\"選手\" WHERE \"選手ID\" = NEW.\"選手ID\") "
                       "BEGIN SELECT RAISE(ABORT, %1); END")
            .arg(lit(playerIdTakenMessage())),
        QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS vx_player_reserved_upd BEFORE UPDATE ON main.\"選手\" "
                       "WHEN OLD.\"選手ID\" = 0 BEGIN SELECT RAISE(ABORT, %1); END")
            .arg(lit(reservedRowMessage())),
        QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS vx_player_reserved_del BEFORE DELETE ON main.\"選手\" "
                       "WHEN OLD.\"選手ID\" = 0 BEGIN SELECT RAISE(ABORT, %1); END")
            .arg(lit(reservedRowMessage())),
        QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS vx_player_id_range_upd BEFORE UPDATE OF \"選手ID\" ON main.\"選手\" "
                       "WHEN NEW.\"選手ID\" IS NULL OR NEW.\"選手ID\" NOT BETWEEN 1 AND 32767 "
                       "BEGIN SELECT RAISE(ABORT, %1); END")
            .arg(lit(playerIdRangeMessage())),
        QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS vx_player_id_taken_upd BEFORE UPDATE OF \"選手ID\" ON main.\"選手\" "
                       "WHEN NEW.\"選手ID\" IS NOT OLD.\"選手ID\" AND NEW.\"選手ID\" BETWEEN 1 AND 32767 AND "
                       "EXISTS (SELECT 1 FROM main.\"選手\" WHERE \"選手ID\" = NEW.\"選手ID\") "
                       "BEGIN SELECT RAISE(ABORT, %1); END")
            .arg(lit(playerIdTakenMessage())),
        QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS vx_player_id_in_use BEFORE UPDATE OF \"選手ID\" ON main.\"選手\" "
                       "WHEN NEW.\"選手ID\" IS NOT OLD.\"選手ID\" AND %1 BEGIN SELECT RAISE(ABORT, %2); END")
            .arg(playerUsed, lit(playerIdInUseMessage())),
        QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS vx_player_in_use BEFORE DELETE ON main.\"選手\" "
                       "WHEN %1 BEGIN SELECT RAISE(ABORT, %2); END")
            .arg(playerUsed, lit(playerInUseMessage())),
        QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS vx_season_in_use BEFORE DELETE ON main.\"シーズン\" "
                       "WHEN EXISTS (SELECT 1 FROM main.\"試合\" WHERE \"シーズンID\" = OLD.\"シーズンID\") OR "
                       "EXISTS (SELECT 1 FROM main.\"ハンデ\" WHERE \"シーズンID\" = OLD.\"シーズンID\") "
                       "BEGIN SELECT RAISE(ABORT, %1); END")
            .arg(lit(seasonInUseMessage())),
        QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS vx_handicap_unique_ins BEFORE INSERT ON main.\"ハンデ\" "
                       "WHEN EXISTS (SELECT 1 FROM main.\"ハンデ\" WHERE \"選手ID\" = NEW.\"選手ID\" "
                       "AND \"シーズンID\" = NEW.\"シーズンID\") BEGIN SELECT RAISE(ABORT, %1); END")
            .arg(lit(duplicateHandicapMessage())),
        QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS vx_handicap_unique_upd BEFORE UPDATE ON main.\"ハンデ\" "
                       "WHEN EXISTS (SELECT 1 FROM main.\"ハンデ\" WHERE \"選手ID\" = NEW.\"選手ID\" "
                       "AND \"シーズンID\" = NEW.\"シーズンID\" AND \"ID\" <> OLD.\"ID\") "
                       "BEGIN SELECT RAISE(ABORT, %1); END")
            .arg(lit(duplicateHandicapMessage())),
    };
    bool ok = true;
    for (const QString& s : statements) ok = db::exec(s) && ok;
    return ok;
}

QString guardMessage(const QString& databaseError) {
    for (const QString& m : allGuards())
        if (databaseError.contains(m)) return m;
    return {};
}

}  // namespace vx::masterdata
