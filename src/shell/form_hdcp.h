#pragma once
#include "platform/form.h"
#include <array>

class QAction;
class QGroupBox;
class QLabel;
class QPushButton;

namespace vx {
class DataSource;
class DBGrid;

// The handicap editor: 選手名とHDCP in a grid that is read-only until the user adds or changes.
class form_HDCP : public Form {
    Q_OBJECT
public:
    form_HDCP();

    DataSource* Data_HDCP;
    DBGrid* DBG_hdcp;
    std::array<QLabel*, 3> Label5;
    QGroupBox* Frame1;
    std::array<QPushButton*, 3> Cmd_Add;  // 新ハンデ入力, データ変更, 入力完了
    std::array<QPushButton*, 2> Cmd_New;  // 選手名, シーズン名
    QPushButton* cmd_back;
    QAction* menu_back;
    std::array<QAction*, 3> menu_hdcp;
    std::array<QAction*, 2> menu_add;

    // 0 add, 1 change, 2 finished (the mode last entered).
    int EditMode = 0;

    void Cmd_Add_Click(int index);
    void Cmd_New_Click(int index);
    void cmd_back_Click();
    void DBG_hdcp_Error(const QString& databaseError);

protected:
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, int unloadMode) override;
    void Form_Unload(bool& cancel) override;

private:
    void setEditing(bool on);
};

}  // namespace vx
