#pragma once
// Text in the system code page of the other platform (CP932, Shift-JIS with the vendor extensions),
// converted through glibc's iconv, whose table pairs the characters as that platform did:
// U+2212, U+301C, U+2014, U+2016, U+00A2, U+00A3 and U+00AC are written as 0x817C, 0x8160, 0x815C,
// 0x8161, 0x8191, 0x8192 and 0x81CA, and read back as U+FF0D, U+FF5E, U+2015, U+2225, U+FFE0,
// U+FFE1 and U+FFE2.
#include <QByteArray>
#include <QString>
#include <optional>

namespace vx {

// A character that CP932 cannot hold becomes "?".
QByteArray toCp932(const QString& text);
// For HTML pages: such a character becomes a numeric character reference "&#NNNN;".
QByteArray toCp932Html(const QString& text);
// The same, added to the end of out.
void appendCp932Html(QByteArray& out, QStringView text);
// Nothing when the bytes are no valid CP932.
std::optional<QString> fromCp932(const QByteArray& bytes);
// Bytes the text takes in CP932: 1 for a single-byte character, 2 for a double-byte one.
int cp932Width(const QString& text);

}  // namespace vx
