// A logic file that picks a colour with Qt Gui.
#include <QtGui/QColor>

int redOf(unsigned rgb) { return QColor(rgb).red(); }
