#pragma once
// The text-output window: the games the score book chooses, written to a text file in the full or
// the simple layout.
#include "platform/form.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vx {

class Form_file : public Form {
    Q_OBJECT
public:
    Form_file();

    QLabel* Label1 = nullptr;
    QLineEdit* Txt_file = nullptr;
    QCheckBox* Chk_Kani = nullptr;  // simple layout
    QCheckBox* Chk_izon = nullptr;  // marks as stored (full layout only)
    QPushButton* Cmd_OK = nullptr;
    QPushButton* Cmd_End = nullptr;
    QAction* menu_out = nullptr;
    QAction* menu_cancel = nullptr;

    void Cmd_OK_Click();
    void Cmd_End_Click();
    void Chk_Kani_Click();

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
};

}  // namespace vx
