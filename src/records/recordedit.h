#pragma once
// The stored-record editor without its window: the stored games of one match (and player) as one
// list whose fields write back to the table each comes from, and the limits on typed day fields.
#include "common/recordset.h"
#include <QString>
#include <cstdint>

namespace vx::recordedit {

// The list's names of the fields that both game tables hold, one name per table.
namespace field {
inline const QString GameMatch = QStringLiteral("d試合ID"), MarkMatch = QStringLiteral("m試合ID");
inline const QString GameNo = QStringLiteral("dｹﾞｰﾑ"), MarkGameNo = QStringLiteral("mｹﾞｰﾑ");
inline const QString GamePlayer = QStringLiteral("d選手ID"), MarkPlayer = QStringLiteral("m選手ID");
inline const QString GameScore = QStringLiteral("dS10"), MarkScore = QStringLiteral("mS10");
}  // namespace field

// The day fields 0..8 of the editor in order: 優Ｐ, 上位, ST, SP, SPF, ｽﾌﾟﾘｯﾄ, 当日, 人数, 順位.
inline constexpr int DayFieldCount = 9;
QString dayField(int index);

struct Selection {
    QString sql;
    db::OpenOptions options;
};
// The games of the match, of one player when playerId is not 0, by game and player ID: the game's
// ID; 試合ID, ｹﾞｰﾑ and 選手ID of both tables and S10 of both under the names above; the day
// fields, 入賞, 競技点, HCP, 会場ID, 試合日; M11..M03 and S1..S9; 選手名, 会場名, シーズン名, 試合 and
// シーズンID. A game needs its マーク, 選手 and 試合 rows; venue and season may be missing. Each
// edited field is written to the table it comes from; a name to its player, venue or season row.
// A game edited into another match or player stays in the list until it is loaded again; its
// フレーム row takes the new match, player and game number in the same write.
Selection selection(std::int64_t matchId, std::int64_t playerId);

// A typed day field kept within its bounds: the bound's text when the number read from the text
// lies beyond it (above tested first), else the text as typed. Bounds: 優Ｐ at least 0; 上位 and
// 当日 at most 1; ST 0..12; SP, SPF, ｽﾌﾟﾘｯﾄ 0..10; 人数 and 順位 at least 1.
QString limitDayField(int index, const QString& text);

// A typed score above 300 or below 0 (read as a number) is worth a beep.
bool scoreOutOfRange(const QString& text);

// What a number box of the list stores, or why it cannot. A game number is a whole number 1 to
// 10 and a player ID one of 1 to 32767 (0 is the reserved row of all players), empty refused
// too. Every other whole-number field (IDs, scores, day fields, handicap) takes an empty box as
// NULL and a number as a 64-bit whole number, a fraction rounded; what does not fit is refused.
enum class Refusal { None, GameNumber, PlayerId, NotANumber, TooLarge };
struct Typed {
    QVariant value;
    Refusal refusal = Refusal::None;
};
bool isWholeField(const QString& field);
Typed typedNumber(const QString& field, const QString& text);

}  // namespace vx::recordedit
