#pragma once
#include "shell/form_editorgrid.h"

namespace vx {

// The player editor: table 選手 in a bound grid.
class Form_NewPlayer : public GridEditor {
    Q_OBJECT
public:
    Form_NewPlayer();

    DataSource* Data_Sensyu;
    DBGrid* DBG_Sensyu;

    void DBG_Sensyu_Error(const QString& databaseError);

protected:
    void Form_Load() override;
};

}  // namespace vx
