#pragma once
// The score book's printout as lines of texts at tab columns, composed from the listed games.
#include "common/recordset.h"
#include <QString>
#include <QVector>
#include <functional>

namespace vx::scorebook {

// A printed line: texts at tab columns, counted from 1 in the widths of a half-width character.
struct PrintPiece {
    int column = 1;
    QString text;
};
using PrintLine = QVector<PrintPiece>;

// A value laid out with a number picture, the result then right-aligned by a text picture; a NULL
// value gives the text picture's blanks.
QString pictured(const QVariant& value, const char* numberPicture, const char* textPicture);

// The heading, a rule, one line per game of the list from its first row, and the rule again.
void composePrintout(const db::Recordset& list, const std::function<void(const PrintLine&)>& out);

}  // namespace vx::scorebook
