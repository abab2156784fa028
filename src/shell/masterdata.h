#pragma once
// Rules the master-data editors keep on players, seasons and handicaps. They live in the
// database connection as temporary triggers, so every way a grid stores or deletes a row
// (leaving the row, the back button, a refresh, the Delete key) meets them, and a refusal comes
// back as the recordset's error with one of the texts below.
#include <QString>

namespace vx::masterdata {

// Installs the rules on the run's connection (again after it was reopened), opening the
// database first when it is not open. False on failure.
bool installGuards();

QString playerIdRangeMessage();     // an ID outside 1..32767
QString playerIdTakenMessage();     // an ID another player has
QString reservedRowMessage();       // row 0, "全　員"
QString playerInUseMessage();       // deleting a player with stored games or handicaps
QString playerIdInUseMessage();     // renumbering such a player
QString seasonInUseMessage();       // deleting a season with stored matches or handicaps
QString duplicateHandicapMessage(); // a second handicap for one player and season
QString confirmDeleteMessage();

// The guard text inside a database error, or an empty text when the error is another one.
QString guardMessage(const QString& databaseError);

}  // namespace vx::masterdata
