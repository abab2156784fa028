#pragma once
#include "platform/form.h"
#include <array>

class QLabel;
class QPushButton;

namespace vx {

// The start menu: the hub from which every function is opened.
class Form_Start : public Form {
    Q_OBJECT
public:
    Form_Start();

    QPushButton* Cmd_OK;
    QPushButton* Cmd_Seiseki;
    QPushButton* Cmd_siaiSeiseki;
    QPushButton* Cmd_Settei;
    QPushButton* Cmd_Kojin;
    QPushButton* Cmd_sokuho;
    QPushButton* Cmd_Edit;
    QPushButton* Cmd_Score;
    QPushButton* Cmd_End;
    QPushButton* Command1;
    QLabel* Picture1;
    QLabel* Lbl_all_data;

    void Cmd_OK_Click();
    void Cmd_Seiseki_Click();
    void Cmd_siaiSeiseki_Click();
    void Cmd_Settei_Click();
    void Cmd_Kojin_Click();
    void Cmd_sokuho_Click();
    void Cmd_Edit_Click();
    void Cmd_Score_Click();
    void Cmd_End_Click();
    void Command1_Click();
    void menu_add_Click(int index);
    void menu_help_Click();
    void menu_hp_Click();
    void Form_Click();
    void Form_MouseMove();

    // The nine buttons that deactivation disables (not Command1).
    std::array<QPushButton*, 9> mainButtons() const;

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setButtonsEnabled(bool on);
};

}  // namespace vx
