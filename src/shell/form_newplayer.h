#pragma once
#include "platform/form.h"

class QAction;
class QPushButton;

namespace vx {
class DataSource;
class DBGrid;

// The player editor: table 選手 in a bound grid.
class Form_NewPlayer : public Form {
    Q_OBJECT
public:
    Form_NewPlayer();

    DataSource* Data_Sensyu;
    DBGrid* DBG_Sensyu;
    QPushButton* cmd_back;
    QAction* menu_back;

    // Stores the pending row and closes; a refused row keeps the window open.
    void cmd_back_Click();
    void DBG_Sensyu_Error(const QString& databaseError);

protected:
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, int unloadMode) override;
    void Form_Unload(bool& cancel) override;
};

}  // namespace vx
