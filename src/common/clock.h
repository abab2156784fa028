#pragma once
// "Today" and "now" for the whole program; tests fix them.
#include <QDate>
#include <QDateTime>

namespace vx::clock {
QDateTime now();
QDate today();
void setFixed(const QDateTime& when);  // an invalid value returns to the real clock
}  // namespace vx::clock
