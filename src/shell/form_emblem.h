#pragma once
#include <QPixmap>

namespace vx {
// The program's own picture: a pin and a ball, drawn rather than shipped.
QPixmap drawnEmblem(const QSize& size);
}
