#pragma once
// The match set-up window: season and venue, a proposed or typed match, its checks, and on
// success the players window.
#include "platform/form.h"
#include <array>

class QAction;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace vx {

class DataSource;
class DBGrid;

class Form_Siai : public Form {
    Q_OBJECT
public:
    Form_Siai();

    std::array<QLineEdit*, 8> Txt_Siai{};  // 0 match ID, 1 season, 2..4 date, 5 venue, 6 number, 7 venue shown
    std::array<QScrollBar*, 3> VSc_ymd{};
    QScrollBar* HSc_siai = nullptr;
    DBGrid* DBGrid1 = nullptr;
    DBGrid* DBGrid2 = nullptr;
    DataSource* data_srs = nullptr;
    DataSource* Data_kaijo = nullptr;
    std::array<QLineEdit*, 2> txt_Kaijo{};
    std::array<QPushButton*, 2> Cmd_Add{};
    std::array<QLineEdit*, 2> Txt_ADD{};
    std::array<QPushButton*, 2> Cmd_Add_OK{};
    QPushButton* Cmd_New = nullptr;
    QPushButton* cmd_siaiOK = nullptr;
    QPushButton* cmd_back = nullptr;
    QAction* menu_newgame = nullptr;
    QAction* menu_OK = nullptr;
    QAction* menu_season = nullptr;
    QAction* menu_kaijo = nullptr;
    QAction* menu_back = nullptr;
    QAction* menu_help = nullptr;

    void Cmd_New_Click();
    void cmd_siaiOK_Click();
    void cmd_back_Click();
    void Cmd_Add_Click(int Index);
    void Cmd_Add_OK_Click(int Index);
    void VSc_ymd_Change(int Index);
    void HSc_siai_Change();
    void txt_Kaijo_Change();
    void menu_help_Click();

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

private:
    void refuse(const QString& message, QWidget* focus);
    DataSource* sourceOf(int Index) const;
    bool adding_[2] = {false, false};
};

}  // namespace vx
