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

// What the export and import need of the recording windows around them. The score-entry window
// installs one when it loads (and removes it when it unloads); without one these do nothing.
class EntryWindows {
public:
    virtual ~EntryWindows() = default;
    // Hide form_main and Form_Player while a file is chosen or written.
    virtual void hideEntryWindows() {}
    // Show form_main, then Form_Player.
    virtual void showEntryWindows() {}
    // The sheet grew: Form_Player lays its lane grid out again as its Load does.
    virtual void laneGridChanged() {}
    // Players were added to the database: Form_Player queries Data_Sensyu again.
    virtual void playersAdded() {}
    // The waiting window around the reading of a file.
    virtual void showWaiting() {}
    virtual void hideWaiting() {}
    // The text on the clipboard (a number there offers the backup files too).
    virtual QString clipboardText() { return {}; }
};
void setEntryWindows(EntryWindows* windows);

}  // namespace vx::exchange
