#pragma once
// Placing controls by twips as the windows lay them out, and colour numbers as Qt colours.
#include "platform/twips.h"
#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdint>
#include <functional>

namespace vx {

template <class W>
W* place(W* w, double left, double top, double width, double height) {
    w->setGeometry(twips(left), twips(top), twips(width), twips(height));
    return w;
}

inline QLabel* label(QWidget* parent, const QString& text, double left, double top, double width, double height = 300) {
    return place(new QLabel(text, parent), left, top, width, height);
}

inline QLineEdit* textBox(QWidget* parent, double left, double top, double width, double height = 330) {
    return place(new QLineEdit(parent), left, top, width, height);
}

inline QGroupBox* frame(QWidget* parent, const QString& title, double left, double top, double width, double height) {
    return place(new QGroupBox(title, parent), left, top, width, height);
}

// A push button whose click runs onClick (when given); B is QPushButton or a class drawn like one.
template <class B = QPushButton>
B* button(QWidget* parent, const QString& caption, double left, double top, double width, double height,
          std::function<void()> onClick, const QString& toolTip = {}) {
    B* b = place(new B(caption, parent), left, top, width, height);
    if (!toolTip.isEmpty()) b->setToolTip(toolTip);
    if (onClick) QObject::connect(b, &QPushButton::clicked, b, [run = std::move(onClick)] { run(); });
    return b;
}

// Colour number 0x00BBGGRR to a Qt colour and back.
inline QColor vbColor(std::int32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }
inline std::int32_t vbColorOf(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

}  // namespace vx
