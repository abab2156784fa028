#pragma once
// Storing the day: the game rows of the last calculation, the match row with its winner and the
// cumulative milestones, written to the database in one transaction; then the results file, the
// ID ranges and the backup file. Reads Module1's day arrays as the last calculation left them.
#include <QString>
#include <cstdint>

namespace vx {

// The cumulative statistics whose round numbers are reported when a game crosses them.
struct Milestone {
    const char16_t* column;  // column of the all-time results view
    int step;
    const char16_t* label;
    const char16_t* unit;
};

// One milestone line (label, the crossed round number, unit, name, CR LF) when the statistic
// moved from total - own to total across a multiple of its step; empty otherwise.
QString MilestoneLine(const Milestone& m, double total, double own, const QString& name);

struct StoreDayResult {
    bool ok = false;
    QString error;       // why the day was not stored (the database is as it was before)
    int players = 0;     // players with data (N)
    int rows = 0;        // games written
    QString milestones;  // the milestone lines, each ended by CR LF; empty when none was crossed
    QString fileError;   // the day is stored, but the results file could not be appended to
    // "ファイルへの書き込みが終了しました。" and the counts.
    QString doneMessage() const;
};

// Whether the current match is already in the database (its match row, its game rows, or a
// match of the same number in the same season).
bool DayAlreadyStored(QString* error = nullptr);

// Writes the day: every played game's three rows paired on one ID, the match row, the milestones,
// all in one transaction. On success (and only then) the results file is appended to, the ID
// ranges are saved, Module1::DataRecordCount is raised and the backup file is deleted. On failure
// nothing of it stays and the backup file is kept, so the day can be stored again.
StoreDayResult StoreDay();

// The heading written before the milestone lines in the results file.
QString MilestoneHeading();

}  // namespace vx
