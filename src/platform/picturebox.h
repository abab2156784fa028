#pragma once
// A picture box: drawing goes into a retained image (nothing is lost when the widget is covered),
// in user coordinates set by Scale. Colours are 0x00BBGGRR numbers as the settings keep them.
#include "platform/controls.h"
#include <QBrush>
#include <QImage>
#include <QPen>
#include <QWidget>
#include <cstdint>

namespace vx {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum LineKind { PlainLine, Box, FilledBox };
    enum FillStyleKind { FillSolid = 0, FillTransparent = 1, FillUpwardDiagonal = 4 };
    enum DrawStyleKind { DrawSolid = 0, DrawDot = 2 };

    explicit PictureBox(QWidget* parent = nullptr);

    // Background: changing it clears the picture, as a picture box does.
    void setBackColor(std::int32_t bgr);
    std::int32_t BackColor() const { return back_; }
    void setForeColor(std::int32_t bgr) { fore_ = bgr; }
    std::int32_t ForeColor() const { return fore_; }
    void setFillColor(std::int32_t bgr) { fill_ = bgr; }
    void setFillStyle(int style) { fillStyle_ = style; }
    void setDrawWidth(int pixels) { drawWidth_ = pixels < 1 ? 1 : pixels; }
    // Lines drawn after this are solid or dotted.
    void setDrawStyle(int style) { drawStyle_ = style; }

    // User scale: (x1, y1) is the top-left corner, (x2, y2) the bottom-right. Default: pixels.
    void Scale(double x1, double y1, double x2, double y2);
    void ScalePixels();

    void Cls();
    // color -1 = ForeColor. Box and FilledBox take the two corners.
    void Line(double x1, double y1, double x2, double y2, std::int32_t color = -1, LineKind kind = PlainLine);
    // Outline in color (-1 = ForeColor), filled with FillColor unless the fill style is transparent.
    void Circle(double x, double y, double radius, std::int32_t color = -1);
    void PSet(double x, double y, std::int32_t color = -1);
    // Text at CurrentX/CurrentY in ForeColor; CurrentY moves to the next line.
    void Print(const QString& text);
    double CurrentX = 0;
    double CurrentY = 0;
    // Stretches the picture file over the rectangle; false (nothing drawn) when it cannot be read.
    bool PaintPicture(const QString& file, double x, double y, double width, double height);
    // Loads a picture file over the whole box; false when it cannot be read.
    bool LoadPicture(const QString& file);
    // Fills the area of the start pixel's colour that touches it with color.
    void FloodFill(double x, double y, std::int32_t color);
    // Fills outwards from a device pixel up to pixels of the border colour, with the fill colour in
    // the fill style (a hatch leaves the pixels between its lines as they were); nothing when the
    // start pixel has the border colour.
    void BorderFill(QPoint pixel, std::int32_t border);

    // Reading back (tests): the colour at a user point, and the image itself.
    std::int32_t Point(double x, double y) const;
    const QImage& image() const;
    QPoint toPixel(double x, double y) const;
    double toUserWidth(int pixels) const;

Q_SIGNALS:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPointF map(double x, double y) const;
    double scaleX() const;
    double scaleY() const;
    void changed() { update(); }
    QPen pen(const QColor& c) const;
    QBrush brush() const;
    // The image follows the widget's size at once, even before the widget was first shown.
    void ensureSize();

    QImage image_;
    std::int32_t back_ = 0xFFFFFF;
    std::int32_t fore_ = 0;
    std::int32_t fill_ = 0;
    int fillStyle_ = FillTransparent;
    int drawWidth_ = 1;
    int drawStyle_ = DrawSolid;
    bool userScale_ = false;
    double sx1_ = 0, sy1_ = 0, sx2_ = 1, sy2_ = 1;
    bool pressed_ = false;
};

}  // namespace vx
