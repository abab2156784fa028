#pragma once
// What the master-data editors add to a bound grid: a question before the Delete key deletes a
// stored row, and the report of a row the database refused.
#include <QString>
#include <functional>

namespace vx {
class DBGrid;

// Before the Delete key deletes a stored row: refuse(row), when it gives a text, is shown and
// nothing is deleted; otherwise the user is asked and the key goes on to the grid on Yes.
void confirmDeletes(DBGrid* grid, std::function<QString(int row)> refuse = {});

// The text to show for a database refusal: the editors' own rule when one fired, else fallback.
QString refusalText(const QString& databaseError, const QString& fallback);

}  // namespace vx
