#pragma once
// Conversions between text and numbers as the stored settings and files expect them.
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

namespace vx {

// Text to number the strict way: blanks around are allowed, "&h" hexadecimal and "&o" octal are
// accepted, anything else that is no number, or a value out of range, gives nothing.
// Conversions to whole numbers round halves to even.
std::optional<std::int16_t> CInt(const QString& text);
std::optional<std::uint8_t> CByte(const QString& text);
std::optional<std::int32_t> CLng(const QString& text);
std::optional<float> CSng(const QString& text);
std::optional<double> CDbl(const QString& text);

// A typed whole number within lo..hi (blanks around allowed, "-0" is 0); nothing for any other
// text, a fraction or a value out of range. Fields that keep whole numbers check typing with it.
std::optional<std::int64_t> wholeInRange(const QString& text, std::int64_t lo, std::int64_t hi);

// Whole-number rounding of a real number, halves to even.
double roundHalfEven(double v);
// A real number rounded (halves to even) to a 64-bit whole number; nothing when it does not fit.
std::optional<std::int64_t> wholeOf(double v);
// Text as a 64-bit whole number, blanks around allowed and a fraction rounded (halves to even);
// nothing for text that is no number or a number that does not fit, which *tooLarge then tells.
std::optional<std::int64_t> wholeOfText(const QString& text, bool* tooLarge = nullptr);

// The lenient reading: leading blanks skipped, then as much as can belong to a number; 0 for none.
double Val(const QString& text);

// Number to text with a leading blank when not negative (" 2", "-2", " .5").
QString Str(double v);
QString Str(std::int64_t v);
inline QString Str(int v) { return Str(std::int64_t(v)); }
// A number as Print # writes it: Str and a blank after it (" 12 ", " .5 ", "-3 ").
QString PrintForm(double v);
// The same written to out, which has room for 32 characters, a whole number without a string of
// its own; the number of characters written.
qsizetype writePrintForm(double v, QChar* out);
// Plain decimal text ("2", "0.5", "-1.5", "1E+20").
QString CStr(double v);
// A stored value as text; nothing for a null (an invalid value is null too).
inline QString textOf(const QVariant& v) { return v.isNull() ? QString() : v.toString(); }
inline QString CStr(std::int64_t v) { return QString::number(v); }
inline QString CStr(int v) { return QString::number(v); }

// A stored date ("2026-05-17") in the short date form ("2026/05/17"); any other value as its text.
QString ShortDate(const QVariant& v);
// A typed date, in the short form or as stored, as it is stored ("2026-05-17"); empty text is no
// date (a null value); nothing for text that is no date.
std::optional<QVariant> TypedDate(const QString& text);

// Colour number 0x00BBGGRR to six hexadecimal digits RRGGBB.
QString ColorToHtml(std::int32_t color);

}  // namespace vx
