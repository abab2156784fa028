#pragma once
// The score book's games as a plain text file in CP932: the full layout of two lines per game or
// the simple layout of one line per game.
#include "records/scorebook.h"
#include <QString>
#include <array>

namespace vx::scorebook {

struct TextOptions {
    bool simple = true;          // one line per game
    bool marksAsStored = false;  // the full layout writes the marks as stored instead of normalised
    std::array<QString, 11> markTexts{};  // the configured marks that normalisation reads
};

// Writes the chosen games, in the order of the saved query スコアブック, to the file whole. False,
// with nothing written and a file already there kept as it was, when the file cannot be written,
// the games cannot be read, or none is chosen.
bool writeScoreText(const QString& path, const Filter& filter, const TextOptions& options);

}  // namespace vx::scorebook
