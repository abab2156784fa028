// Draws the three pin pictures of the pin diagram: 25 x 25 dots on the &HE0E0E0 background the
// settings dialog asks for. pin1: knocked down by the first ball, pin2: by the second ball,
// pin3: left standing. Run once; the pictures are kept in assets/.
//   g++ -std=c++20 -fPIC tools/mkpins.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/mkpins
//   QT_QPA_PLATFORM=offscreen /tmp/mkpins assets
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace {
QImage pin(QColor fill, QColor ring, bool standing) {
    QImage img(25, 25, QImage::Format_RGB32);
    img.fill(QColor(0xE0, 0xE0, 0xE0));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (standing) {
        // Seen from above: the body, the red neck band, a light crown.
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.2));
        p.setBrush(fill);
        p.drawEllipse(QRectF(2.5, 2.5, 20, 20));
        p.setPen(QPen(ring, 2.4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(7, 7, 11, 11));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(9.5, 9.5, 6, 6));
    } else {
        // Only the spot where the pin stood, in the colour of the ball that took it.
        p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1.0, Qt::DashLine));
        p.setBrush(fill);
        p.drawEllipse(QRectF(4.5, 4.5, 16, 16));
        p.setPen(QPen(ring, 1.6));
        p.drawLine(QPointF(8, 8), QPointF(17, 17));
        p.drawLine(QPointF(17, 8), QPointF(8, 17));
    }
    return img;
}
}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    bool ok = pin(QColor(0xFF, 0xFF, 0xFF), QColor(0x90, 0x90, 0x90), false).save(dir + "/pin1.jpg", "JPG", 95);
    ok = pin(QColor(0xFF, 0xDD, 0x10), QColor(0xA0, 0x80, 0x00), false).save(dir + "/pin2.jpg", "JPG", 95) && ok;
    ok = pin(QColor(0xFF, 0xFF, 0xFF), QColor(0xE0, 0x20, 0x20), true).save(dir + "/pin3.jpg", "JPG", 95) && ok;
    return ok ? 0 : 1;
}
