#pragma once
#include "shell/form_editorgrid.h"

namespace vx {

// The season editor: table シーズン in a bound grid.
class form_srs : public GridEditor {
    Q_OBJECT
public:
    form_srs();

    DataSource* data_srs;
    DBGrid* DBG_srs;

    void DBG_srs_Error(const QString& databaseError);

protected:
    void Form_Load() override;
};

}  // namespace vx
