#pragma once
// The day's data file, backup file and their import, as the score-entry window calls them.
#include <QString>

namespace vx::exchange {

// Cmd_Data_IO(0) export to a data file, (1) import from one, (2) rewrite the backup file.
void Cmd_Data_IO_Click(int index);
// When the score-entry window loads: offers to recover the day from its backup file.
void offerRecovery();
// "B_" + yymmdd + ".bup" of the current match date.
QString backupFileName();

}  // namespace vx::exchange
