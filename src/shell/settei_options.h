#pragma once
// What the settings dialog edits, as plain values: reading them from the shared state, checking,
// applying them for the run and storing them, without any window.
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace vx::settei {

// A mark holds one double-byte or up to two single-byte characters (CP932 widths): a double-byte
// first character stands alone; otherwise the second is kept only when it is single-byte.
QString limitMark(const QString& text);

// Games per match as typed: a whole number 1..10 gives LastGame (0..9); anything else nothing.
std::optional<std::int16_t> parseGamesNumber(const QString& text);
QString gamesNumberMessage();

struct GeneralOptions {
    std::int16_t lastGame = 3;
    bool hcpRequired = false;
    bool showPrizeBoard = false;        // ResultDisplayFlags bit 0
    bool showPointsList = false;        // bit 1
    bool splitsNotSpareMisses = false;  // TallyRuleFlags bit 0
    bool awardsByGameAverage = false;   // bit 1
    bool averageWithHandicap = false;   // bit 2
    int pointTarget = -1;               // -1: no option set (the shared value is kept)
    int pointMethod = -1;
    std::array<QString, 10> marks;      // MarkTexts 1..10
};

std::uint8_t displayFlags(const GeneralOptions& o);
std::uint8_t tallyFlags(const GeneralOptions& o);

// The options as the shared state holds them (a games count waiting for the next match included).
GeneralOptions fromSharedState();

// Every mark limited; then an empty or a repeated mark is a problem (first offending box).
struct MarkProblem {
    int index;
    QString message;
};
std::array<QString, 10> limitMarks(const std::array<QString, 10>& marks);
std::optional<MarkProblem> checkMarks(const std::array<QString, 10>& limited);

// Shared state only (the games count through vx::gamecount); marks must be limited and checked.
void apply(const GeneralOptions& o);
// The store: max_game, hcp_mynas, data_1 .. data_4, Spear_mark1 .. Spear_mark10.
void store(const GeneralOptions& o);

struct PinOptions {
    std::array<QString, 3> files;
    std::array<std::int32_t, 3> colors{};
};
void applyPins(const PinOptions& p);
void storePins(const PinOptions& p);
void storeBrowser(const QString& commandLine);
QString storedBrowser();

}  // namespace vx::settei
