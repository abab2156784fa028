#pragma once
#include "platform/form.h"

class QLabel;
class QPushButton;

namespace vx {

// The program's name and version.
class Form_version : public Form {
    Q_OBJECT
public:
    Form_version();
    QLabel* Label1;
    QLabel* Label2;
    QPushButton* Cmd_OK;
    void Cmd_OK_Click();

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
};

// "3.15" for version 3.1.5: major, ".", then minor and revision run together.
QString versionText();

}  // namespace vx
