#pragma once
#include "shell/form_editorgrid.h"
#include <array>

class QGroupBox;
class QLabel;

namespace vx {

// The handicap editor: 選手名とHDCP in a grid that is read-only until the user adds or changes.
class form_HDCP : public GridEditor {
    Q_OBJECT
public:
    form_HDCP();

    DataSource* Data_HDCP;
    DBGrid* DBG_hdcp;
    std::array<QLabel*, 3> Label5;
    QGroupBox* Frame1;
    std::array<QPushButton*, 3> Cmd_Add;  // 新ハンデ入力, データ変更, 入力完了
    std::array<QPushButton*, 2> Cmd_New;  // 選手名, シーズン名
    std::array<QAction*, 3> menu_hdcp;
    std::array<QAction*, 2> menu_add;

    // 0 add, 1 change, 2 finished (the mode last entered).
    int EditMode = 0;

    void Cmd_Add_Click(int index);
    void Cmd_New_Click(int index);
    void DBG_hdcp_Error(const QString& databaseError);

protected:
    void Form_Load() override;

private:
    void setEditing(bool on);
    void showEditing(bool on);
};

}  // namespace vx
