#pragma once
// The day's data file (B_nnnnnn.dat), backup file (B_yymmdd.bup, same layout) and the older
// read-only .cdt layout. Sequential CP932 text, one Write # record per line, laid out so that the
// other platform's program reads what we write and we read what it wrote.
#include "common/records.h"
#include "common/textfile.h"
#include <QString>
#include <cstdint>
#include <vector>

namespace vx::exchange {

enum class Layout {
    Current,  // .dat and .bup: every ball with mark, code, pins, attribute and mask; venue, date, handicap
    Old,      // .cdt: mark, code and pins per ball, frame scores 1..10 only
};

// One slot as a file carries it.
struct SlotRecord {
    std::int16_t playerId = -1;
    FixedString<10> name;
    // The current match's venue and date (the same for every slot); absent from the old layout.
    std::uint8_t venueId = 0;
    std::int16_t year = 0;
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::vector<GameRecord> games;  // G games
};

struct SheetFile {
    int games = 0;  // G, 1..MaxGames
    std::vector<SlotRecord> slots;
};

constexpr int MaxGames = 10;

// A file chosen for import is of the old layout when its name ends in "cdt" (exactly, lower case).
Layout layoutOf(const QString& fileName);

// A record as INIT leaves it: every ball not entered, scores 0, nothing else set.
GameRecord notEnteredRecord();

// The occupied slots of the shared sheet (ID not -1), in slot order, with the current match.
SheetFile sheetFromState();

// The bytes of a file of the current layout.
QByteArray sheetFileBytes(const SheetFile& file);
// Writes the current layout. The file appears under its name only once it is complete: it is
// written beside it under a temporary name and renamed, so an earlier file survives a failure.
// Throws TextFileError.
void writeSheetFile(const QString& path, const SheetFile& file);

// Reads and checks the whole file: counts, G within 1..MaxGames, every value within its range,
// nothing but blank lines after the last slot. Throws TextFileError naming the file and the
// line; nothing is returned from a file that fails anywhere.
SheetFile readSheetFile(const QString& path, Layout layout);

}  // namespace vx::exchange
