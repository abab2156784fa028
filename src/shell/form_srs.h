#pragma once
#include "platform/form.h"

class QAction;
class QPushButton;

namespace vx {
class DataSource;
class DBGrid;

// The season editor: table シーズン in a bound grid.
class form_srs : public Form {
    Q_OBJECT
public:
    form_srs();

    DataSource* data_srs;
    DBGrid* DBG_srs;
    QPushButton* cmd_back;
    QAction* menu_back;

    void cmd_back_Click();
    void DBG_srs_Error(const QString& databaseError);

protected:
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, int unloadMode) override;
    void Form_Unload(bool& cancel) override;
};

}  // namespace vx
