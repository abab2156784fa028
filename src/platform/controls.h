#pragma once
// Placing controls by twips as the windows lay them out, and colour numbers as Qt colours.
#include "platform/qtdialogs.h"
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

// A label whose caption may hold the other platform's line breaks (a carriage return, alone or
// before a line feed): shown as line breaks and wrapped within the label's width. caption() is
// the text as it was set, as other windows and pages read it.
class CaptionLabel : public QLabel {
public:
    explicit CaptionLabel(QWidget* parent) : QLabel(parent) {
        setTextFormat(Qt::PlainText);
        setWordWrap(true);
    }
    void setCaption(const QString& caption) {
        caption_ = caption;
        setText(displayText(caption));
    }
    void clear() { setCaption({}); }
    const QString& caption() const { return caption_; }

private:
    QString caption_;
};

// A text that may be too long for its label, shortened at a whole character where it is (its
// middle, say, to keep a path's file name in view); the whole text is the accessible name.
inline void setFittingText(QLabel* l, const QString& text, Qt::TextElideMode mode) {
    const QFontMetrics fm = l->fontMetrics();
    // A framed label indents its text by half an x of its own.
    const int room = l->contentsRect().width() - 2 * l->margin() - fm.horizontalAdvance(u'x');
    l->setText(fm.elidedText(text, mode, room));
    l->setAccessibleName(text);
}

// A box that shows the start of a text too long for it whenever the text is written, not its
// end; while the box has the keyboard the cursor goes where the user puts it.
inline void showStart(QLineEdit* box) {
    QObject::connect(box, &QLineEdit::cursorPositionChanged, box, [box] {
        if (!box->hasFocus()) box->setCursorPosition(0);
    });
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
