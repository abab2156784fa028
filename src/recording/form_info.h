#pragma once
// The input-check window: lists the games begun but not finished, as the score entry found them.
#include "platform/form.h"

class QPlainTextEdit;
class QPushButton;
class QAction;

namespace vx {

class Form_INFO : public Form {
    Q_OBJECT
public:
    Form_INFO();

    QPlainTextEdit* Txt_INFO;
    QPushButton* Cmd_OK;
    QAction* menu_off;

    // "閉じる": empties the text and hides the window.
    void Cmd_OK_Click();
    // Shows the score entry's findings.
    void refresh();

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
};

}  // namespace vx
