#pragma once
// Picture-string formatting in the manner of the other platform's Format.
//   text pictures:   @ a character or a blank, & a character or nothing; characters fill the
//                    places from the right (right-aligned) unless the picture holds "!", which
//                    fills from the left. A text longer than the places is kept whole.
//   number pictures: # a digit or nothing, 0 a digit or zero, . the decimal point, , digit
//                    grouping, % multiplies by 100 and stands where it is written. Digits are
//                    never cut; the last place rounds half away from zero.
//   both:            \ writes the next character as it is, "..." writes its contents as they are,
//                    every other character is written as it is.
// A picture holding @ or & is a text picture; any other is a number picture. The named formats
// "General Number" (plain), "Fixed" (0.00) and "Percent" (0.00%) of the grids are known.
#include <QString>

namespace vx {

QString Format(double value, const QString& picture);
inline QString Format(int value, const QString& picture) { return Format(double(value), picture); }
inline QString Format(long long value, const QString& picture) { return Format(double(value), picture); }
// A text that reads as a number takes a number picture as that number; any other text is
// returned unchanged by a number picture.
QString Format(const QString& text, const QString& picture);

}  // namespace vx
