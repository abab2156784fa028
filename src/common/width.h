#pragma once
// Full-width and half-width forms as the CP932 code page pairs its single-byte and double-byte
// characters, fixed-length texts, and the two-character form of a stored mark for output.
#include <QString>
#include <array>

namespace vx {

// Single-byte characters to their double-byte partners: ASCII signs, digits and letters to the
// full-width forms (the quotation marks to ” and ’, the backslash to ￥ as the code page shows
// it), the blank to U+3000, half-width katakana to katakana (ｶﾞ to ガ, ﾊﾟ to パ, ｳﾞ to ヴ).
QString StrConvWide(const QString& text);
// The reverse; a voiced katakana becomes two half-width characters (ガ to ｶﾞ).
// Characters without a partner stay as they are in both directions.
QString StrConvNarrow(const QString& text);

// Exactly n characters: a longer text is cut, a shorter one padded with blanks.
QString FixedText(const QString& text, int n);

// A stored mark as the two characters written to text files and pages: "s1".."s8" for the split
// marks markTexts[1..8], " /" for the spare mark markTexts[9], " *" for the strike mark
// markTexts[10], otherwise a blank and the mark's first character in half width.
// Element 0 of markTexts is not used. `empty`, when given, tells a mark no configured text matched
// whose first two characters are blanks (the pages show it as a full-width blank).
QString normalizeMark(const QString& stored, const std::array<QString, 11>& markTexts, bool* empty = nullptr);

}  // namespace vx
