#pragma once
#include "platform/form.h"
#include "shell/settei_options.h"
#include <array>
#include <cstdint>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace vx {

// The settings dialog: marks, rules of the day's calculation, games per match, the handicap
// check, the help browser, pin pictures and colours, and the database upkeep.
class Form_Settei : public Form {
    Q_OBJECT
public:
    Form_Settei();

    QTabWidget* SSTab1;
    // Tab 0
    std::array<QGroupBox*, 2> Frame1{};
    std::array<QLineEdit*, 10> Txt_Spl{};
    std::array<QLabel*, 3> Label1{};
    std::array<QLabel*, 2> Label2{};
    // Tab 1
    std::array<QGroupBox*, 3> Frame3{};
    QGroupBox* Frame4;
    QGroupBox* Frame5;
    std::array<QRadioButton*, 3> Opt_PntCalc{};
    std::array<QRadioButton*, 3> Opt_PntTarget{};
    std::array<QGroupBox*, 2> Frame2{};
    std::array<QCheckBox*, 2> Chk_Data{};
    std::array<QCheckBox*, 1> Chk_rule{};
    QCheckBox* Chk_STSP;
    std::array<QCheckBox*, 2> Chk_HCP{};
    // Tab 2
    QLineEdit* KAZ;
    std::array<QLabel*, 4> Label3{};
    // Tab 3
    QPushButton* cmd_filename;
    QLineEdit* Txt_dir;
    // Tab 4
    QGroupBox* Frame7;
    std::array<QLabel*, 3> Label4{};
    std::array<QLabel*, 3> pct_pin{};
    std::array<QLabel*, 6> lbl_pin{};  // 0..2 file names, 3..5 colours
    QLabel* Label5;
    // Tab 5
    QGroupBox* Frame6;
    QPushButton* Cmd_HDCP;
    QPushButton* cmd_cmpact;
    QPushButton* cmd_4ce;
    // Below the tabs
    std::array<QPushButton*, 3> Cmd_OK{};
    // Menu
    QMenu* menu_file;
    QAction* menu_save;
    QAction* menu_onlyone;
    QAction* menu_cancel;
    QAction* menu_set;
    QAction* menu_compact;
    QAction* menu_h;

    void Cmd_OK_Click(int index);
    void Txt_Spl_LostFocus(int index);
    void lbl_pin_Click(int index);
    void pct_pin_Click(int index) { lbl_pin_Click(index); }
    void lbl_pin_Change(int index);
    void cmd_filename_Click();
    void Cmd_HDCP_Click();
    void cmd_cmpact_Click();
    void cmd_4ce_Click();
    void menu_h_Click();

    // A pin picture's file name: sets the caption and loads the preview.
    void setPinFile(int index, const QString& fileName);
    const QString& pinFile(int index) const { return pinFiles_[std::size_t(index)]; }
    // Colour of lbl_pin(index), 3..5, as 0x00BBGGRR.
    std::int32_t pinColor(int index) const;
    void setPinColor(int index, std::int32_t color);

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

private:
    std::array<QString, 3> pinFiles_;  // whole, while a long path shows shortened in its middle
    void showGeneral();             // controls from the shared state
    // Controls to options, marks limited; false after a refusal was shown.
    bool readGeneral(settei::GeneralOptions& out);
};

}  // namespace vx
