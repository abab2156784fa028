#include "shell/form_emblem.h"
#include <QPainter>
#include <QPainterPath>

namespace vx {

QPixmap drawnEmblem(const QSize& size) {
    QPixmap pm(size);
    pm.fill(QColor(0xE1, 0xFF, 0xFF));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    // A pin: head, neck, belly.
    QPainterPath pin;
    const double cx = w * 0.38;
    pin.addEllipse(QPointF(cx, h * 0.2), w * 0.07, h * 0.09);
    pin.addEllipse(QPointF(cx, h * 0.62), w * 0.14, h * 0.28);
    pin.addRect(cx - w * 0.04, h * 0.22, w * 0.08, h * 0.2);
    p.setPen(QPen(Qt::darkGray, 1));
    p.setBrush(Qt::white);
    p.drawPath(pin.simplified());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC0, 0x20, 0x20));
    p.drawRect(QRectF(cx - w * 0.075, h * 0.33, w * 0.15, h * 0.03));
    p.drawRect(QRectF(cx - w * 0.08, h * 0.38, w * 0.16, h * 0.03));
    // The ball, rolling in from the right.
    p.setBrush(QColor(0x20, 0x30, 0x80));
    const QPointF ball(w * 0.72, h * 0.75);
    const double r = std::min(w, h) * 0.18;
    p.drawEllipse(ball, r, r);
    p.setBrush(QColor(0x10, 0x10, 0x30));
    p.drawEllipse(ball + QPointF(-r * 0.3, -r * 0.35), r * 0.12, r * 0.12);
    p.drawEllipse(ball + QPointF(r * 0.1, -r * 0.45), r * 0.12, r * 0.12);
    p.drawEllipse(ball + QPointF(-r * 0.05, -r * 0.05), r * 0.14, r * 0.14);
    return pm;
}

}  // namespace vx
