#include "platform/picturebox.h"
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

namespace vx {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    image_ = QImage(1, 1, QImage::Format_RGB32);
    image_.fill(vbColor(back_));
}

void PictureBox::setBackColor(std::int32_t bgr) {
    back_ = bgr;
    Cls();
}

void PictureBox::Scale(double x1, double y1, double x2, double y2) {
    userScale_ = true;
    sx1_ = x1;
    sy1_ = y1;
    sx2_ = x2;
    sy2_ = y2;
}

void PictureBox::ScalePixels() { userScale_ = false; }

void PictureBox::ensureSize() {
    const QSize want = size().expandedTo(QSize(1, 1));
    if (image_.size() == want) return;
    // Keep what was drawn; a larger box shows its background beyond it.
    QImage next(want, QImage::Format_RGB32);
    next.fill(vbColor(back_));
    QPainter(&next).drawImage(0, 0, image_);
    image_ = next;
}

const QImage& PictureBox::image() const {
    const_cast<PictureBox*>(this)->ensureSize();
    return image_;
}

double PictureBox::scaleX() const {
    if (!userScale_ || sx2_ == sx1_) return 1.0;
    return std::max(1, width()) / (sx2_ - sx1_);
}

double PictureBox::scaleY() const {
    if (!userScale_ || sy2_ == sy1_) return 1.0;
    return std::max(1, height()) / (sy2_ - sy1_);
}

QPointF PictureBox::map(double x, double y) const {
    if (!userScale_) return {x, y};
    return {(x - sx1_) * scaleX(), (y - sy1_) * scaleY()};
}

QPoint PictureBox::toPixel(double x, double y) const {
    const QPointF p = map(x, y);
    return {int(std::floor(p.x())), int(std::floor(p.y()))};
}

QPen PictureBox::pen(const QColor& c) const {
    QPen p(c, drawWidth_);
    if (drawStyle_ == DrawDot) p.setDashPattern({1, 2});
    return p;
}

QBrush PictureBox::brush() const {
    if (fillStyle_ == FillSolid) return QBrush(vbColor(fill_));
    if (fillStyle_ == FillUpwardDiagonal) return QBrush(vbColor(fill_), Qt::BDiagPattern);
    return QBrush(Qt::NoBrush);
}

double PictureBox::toUserWidth(int pixels) const { return pixels / scaleX(); }

void PictureBox::Cls() {
    ensureSize();
    image_.fill(vbColor(back_));
    CurrentX = userScale_ ? sx1_ : 0;
    CurrentY = userScale_ ? sy1_ : 0;
    changed();
}

void PictureBox::Line(double x1, double y1, double x2, double y2, std::int32_t color, LineKind kind) {
    ensureSize();
    const QColor c = vbColor(color < 0 ? fore_ : color);
    QPainter p(&image_);
    if (kind == PlainLine) {
        p.setPen(pen(c));
        p.drawLine(map(x1, y1), map(x2, y2));
    } else {
        const QRectF r = QRectF(map(x1, y1), map(x2, y2)).normalized();
        if (kind == FilledBox) {
            p.fillRect(r, c);
        } else {
            p.setPen(pen(c));
            p.setBrush(Qt::NoBrush);
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }
    CurrentX = x2;
    CurrentY = y2;
    changed();
}

void PictureBox::Circle(double x, double y, double radius, std::int32_t color) {
    ensureSize();
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(pen(vbColor(color < 0 ? fore_ : color)));
    p.setBrush(brush());
    const QPointF c = map(x, y);
    p.drawEllipse(c, radius * scaleX(), radius * std::abs(scaleY()));
    CurrentX = x;
    CurrentY = y;
    changed();
}

void PictureBox::PSet(double x, double y, std::int32_t color) {
    ensureSize();
    const QPoint px = toPixel(x, y);
    if (image_.rect().contains(px)) image_.setPixelColor(px, vbColor(color < 0 ? fore_ : color));
    CurrentX = x;
    CurrentY = y;
    changed();
}

void PictureBox::Print(const QString& text) {
    ensureSize();
    QPainter p(&image_);
    p.setFont(font());
    p.setPen(vbColor(fore_));
    const QFontMetrics fm(font());
    const QPointF at = map(CurrentX, CurrentY);
    p.drawText(QPointF(at.x(), at.y() + fm.ascent()), text);
    CurrentY += fm.height() / std::abs(scaleY());
    changed();
}

bool PictureBox::PaintPicture(const QString& file, double x, double y, double width, double height) {
    ensureSize();
    // The same few pictures are drawn over and over; a replaced file is read again.
    static QHash<QString, QImage> cache;
    const QFileInfo info(file);
    if (!info.isFile()) return false;
    const QString key = info.absoluteFilePath() + QLatin1Char('|') + QString::number(info.lastModified().toMSecsSinceEpoch());
    auto it = cache.find(key);
    if (it == cache.end()) {
        QImage img(file);
        if (img.isNull()) return false;
        it = cache.insert(key, img);
    }
    QPainter p(&image_);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(QRectF(map(x, y), map(x + width, y + height)).normalized(), *it);
    changed();
    return true;
}

bool PictureBox::LoadPicture(const QString& file) {
    ensureSize();
    const bool user = userScale_;
    userScale_ = false;
    const bool ok = PaintPicture(file, 0, 0, image_.width(), image_.height());
    userScale_ = user;
    return ok;
}

void PictureBox::FloodFill(double x, double y, std::int32_t color) {
    ensureSize();
    const QPoint start = toPixel(x, y);
    if (!image_.rect().contains(start)) return;
    const QRgb from = image_.pixel(start);
    const QRgb to = vbColor(color).rgb();
    if (from == to) return;
    std::vector<QPoint> stack{start};
    while (!stack.empty()) {
        const QPoint q = stack.back();
        stack.pop_back();
        if (!image_.rect().contains(q) || image_.pixel(q) != from) continue;
        image_.setPixel(q, to);
        stack.push_back({q.x() + 1, q.y()});
        stack.push_back({q.x() - 1, q.y()});
        stack.push_back({q.x(), q.y() + 1});
        stack.push_back({q.x(), q.y() - 1});
    }
    changed();
}

void PictureBox::BorderFill(QPoint pixel, std::int32_t border) {
    ensureSize();
    const QRgb stop = vbColor(border).rgb();
    if (!image_.rect().contains(pixel) || image_.pixel(pixel) == stop || fillStyle_ == FillTransparent) return;
    // The area first, then the paint: a hatch in the border colour must not close the area.
    std::vector<bool> inside(std::size_t(image_.width()) * std::size_t(image_.height()), false);
    auto at = [&](QPoint q) { return std::size_t(q.y()) * std::size_t(image_.width()) + std::size_t(q.x()); };
    std::vector<QPoint> stack{pixel}, area;
    while (!stack.empty()) {
        const QPoint q = stack.back();
        stack.pop_back();
        if (!image_.rect().contains(q) || inside[at(q)] || image_.pixel(q) == stop) continue;
        inside[at(q)] = true;
        area.push_back(q);
        stack.push_back({q.x() + 1, q.y()});
        stack.push_back({q.x() - 1, q.y()});
        stack.push_back({q.x(), q.y() + 1});
        stack.push_back({q.x(), q.y() - 1});
    }
    const QRgb paint = vbColor(fill_).rgb();
    for (const QPoint& q : area)
        // The upward hatch: one "/" line every eight pixels, fixed to the picture's corner.
        if (fillStyle_ == FillSolid || (q.x() + q.y()) % 8 == 7) image_.setPixel(q, paint);
    changed();
}

std::int32_t PictureBox::Point(double x, double y) const {
    const_cast<PictureBox*>(this)->ensureSize();
    const QPoint px = toPixel(x, y);
    if (!image_.rect().contains(px)) return -1;
    return vbColorOf(image_.pixelColor(px));
}

void PictureBox::paintEvent(QPaintEvent*) {
    ensureSize();
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    ensureSize();
    QWidget::resizeEvent(event);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) Q_EMIT Click();
    QWidget::mouseReleaseEvent(event);
}

}  // namespace vx
