#pragma once
#include "platform/form.h"
#include <array>

class QLabel;
class QPushButton;

namespace vx {

// The greeting window: what the program is for and where its home page is.
class Form_Aisatsu : public Form {
    Q_OBJECT
public:
    Form_Aisatsu();
    QPushButton* Cmd_OK;
    QPushButton* cmd_version;
    QLabel* Picture1;
    std::array<QLabel*, 6> Label1{};  // index 1 is not used

    void Cmd_OK_Click();
    void cmd_version_Click();
    void Label1_Click(int index);

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The author's home page, opened from the greeting window and the start menu.
extern const QString HomePageAddress;

}  // namespace vx
