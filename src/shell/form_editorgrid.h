#pragma once
// What the master-data editors share: a bound grid over one table, a back button that stores the
// pending row and closes, a question before the Delete key deletes a stored row, and the report of
// a row the database refused.
#include "platform/form.h"
#include <QString>
#include <functional>

class QAction;
class QPushButton;

namespace vx {
class DataSource;
class DBGrid;

// An editor window: the back button and the close box store the pending row before the window
// closes (a refused row keeps it open), and the window keeps its position under positionKey.
class GridEditor : public Form {
    Q_OBJECT
public:
    QPushButton* cmd_back = nullptr;
    QAction* menu_back = nullptr;

    // Stores the pending row and closes; a refused row keeps the window open.
    void cmd_back_Click();

protected:
    explicit GridEditor(const QString& positionKey) : positionKey_(positionKey) {}
    // The grid over data, and the back button with its menu command, the button placed in twips.
    void setUpEditor(DataSource* data, DBGrid* grid, double backLeft, double backTop, double backWidth);
    // The position restored and the grid bound to fresh rows under the database's guards.
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, int unloadMode) override;
    void Form_Unload(bool& cancel) override;

private:
    const QString positionKey_;
    DataSource* data_ = nullptr;
    DBGrid* grid_ = nullptr;
};

// Before the Delete key deletes a stored row: refuse(row), when it gives a text, is shown and
// nothing is deleted; otherwise the user is asked and the key goes on to the grid on Yes.
void confirmDeletes(DBGrid* grid, std::function<QString(int row)> refuse = {});

// The text to show for a database refusal: the editors' own rule when one fired, else fallback.
QString refusalText(const QString& databaseError, const QString& fallback);

}  // namespace vx
