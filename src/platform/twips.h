#pragma once
// Geometry of the other platform is given in twips: 15 twips to a pixel here.
#include <QSize>
#include <cmath>

namespace vx {
constexpr double TwipsPerPixel = 15.0;
inline int twips(double t) { return int(std::lround(t / TwipsPerPixel)); }
inline double toTwips(int pixels) { return pixels * TwipsPerPixel; }
// The primary screen's size in twips.
QSize screenSizeTwips();
}  // namespace vx
