#pragma once
// The results window: how the day is evaluated, the calculation, and the three ways out —
// store the day, back to score entry, or discard the day.
#include "platform/form.h"
#include "recording/dayresults.h"
#include <array>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vx {

class Form_Data : public Form {
    Q_OBJECT
public:
    Form_Data();

    static constexpr double NarrowWidth = 5700;  // twips
    static constexpr double WideWidth = 8760;    // shows the typed-in points

    QGroupBox* Frame1;
    std::array<QCheckBox*, 2> Chk_Data{};  // 0 prize board, 1 points list
    QGroupBox* Frame2;
    std::array<QCheckBox*, 1> Chk_rule{};
    QCheckBox* Chk_STSP;
    QCheckBox* Chk_HCP;
    QGroupBox* Frame3;
    QGroupBox* Frame4;
    QGroupBox* Frame5;
    std::array<QRadioButton*, 3> Opt_PntTarget{};
    std::array<QRadioButton*, 3> Opt_PntCalc{};
    std::array<QLineEdit*, 30> Txt_Pnt{};
    std::array<QLabel*, 30> Label2{};
    QPushButton* Cmd_Data;
    QPushButton* Cmd_File;
    std::array<QPushButton*, 2> cmd_back{};
    QAction* menu_calc;
    QAction* menu_save;
    QAction* menu_back;
    QAction* menu_clear;
    QAction* menu_h;

    // What the controls say, as the calculation takes it.
    DayOptions options() const;

    void Chk_HCP_Click();
    void Opt_PntCalc_Click(int index);
    void Cmd_Data_Click();
    void Cmd_File_Click();
    void cmd_back_Click(int index);
    void menu_calc_Click();
    void menu_save_Click();
    void menu_back_Click();
    void menu_clear_Click();
    void menu_h_Click();

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

private:
    void setSaveEnabled(bool on);
};

}  // namespace vx
