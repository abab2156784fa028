#pragma once
// Full-width and half-width forms as the CP932 code page pairs its single-byte and double-byte
// characters, cuts and fixed lengths of texts, and the two-character form of a stored mark for output.
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

// Texts cut and padded by characters: a character outside the basic plane (a surrogate pair, such
// as 𠮷) counts as one and is never cut in two; a lone surrogate counts as one as well. Every cut,
// width and padding of a name or text goes through these.
qsizetype charCount(const QString& text);
QString leftChars(const QString& text, qsizetype n);   // the first n characters
QString rightChars(const QString& text, qsizetype n);  // the last n characters
QString midChars(const QString& text, qsizetype from, qsizetype n = -1);  // n < 0: to the end
// Padded with `fill` to n characters, on the right (left-aligned) or on the left; never cut.
QString padRight(const QString& text, qsizetype n, QChar fill = QLatin1Char(' '));
QString padLeft(const QString& text, qsizetype n, QChar fill = QLatin1Char(' '));
// Exactly n characters: a longer text is cut, a shorter one padded with blanks.
QString FixedText(const QString& text, qsizetype n);

// A stored mark as the two characters written to text files and pages: "s1".."s8" for the split
// marks markTexts[1..8], " /" for the spare mark markTexts[9], " *" for the strike mark
// markTexts[10], otherwise a blank and the mark's first character in half width.
// Element 0 of markTexts is not used. `empty`, when given, tells a mark no configured text matched
// whose first two characters are blanks (the pages show it as a full-width blank).
QString normalizeMark(const QString& stored, const std::array<QString, 11>& markTexts, bool* empty = nullptr);

}  // namespace vx
