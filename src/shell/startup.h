#pragma once
// The start-up steps that need no window: the database test, the settings, the ID ranges.
#include <QString>

namespace vx::startup {

// Opens the database by its relative name and checks that it holds table フレーム. On failure
// *inUse tells whether another program holding the database was the cause.
bool openAndTestDatabase(bool* inUse = nullptr);
// The three-line message shown when the database is missing or of the old format.
QString oldFormatMessage();

// Removes what writes killed part way left beside the program's own files: the settings store,
// the database and the score entry's backups.
void removeLeftovers();

// Loads the shared options into the shared state, in the stored order, skipping what fails:
// game count, flags, the season range (scanning its table while the stored largest is 1),
// the match range likewise, the mark texts, the HTML colours, the pin pictures and colours.
void loadSettings();
void scanSeasonRange();
void scanMatchRange();

// Rows of データ項目, or 0 when they cannot be counted.
int countGameRows();

}  // namespace vx::startup
