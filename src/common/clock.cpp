#include "common/clock.h"

namespace vx::clock {
namespace {
QDateTime fixedNow;
}
QDateTime now() { return fixedNow.isValid() ? fixedNow : QDateTime::currentDateTime(); }
QDate today() { return now().date(); }
void setFixed(const QDateTime& when) { fixedNow = when; }
}  // namespace vx::clock
