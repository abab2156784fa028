#pragma once
// The points list: each player's placing and winning points of the day.
#include "platform/form.h"
#include <QStringList>

class QGroupBox;
class QListWidget;
class QPushButton;

namespace vx {

class Form_ZKT : public Form {
    Q_OBJECT
public:
    Form_ZKT();

    QGroupBox* Frame1;
    QListWidget* List_ZKT;
    QPushButton* Cmd_OK;

    // Replaces the list with one calculation's lines.
    void setList(const QStringList& lines);

    void Cmd_OK_Click();
    void menu_off_Click();

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
};

}  // namespace vx
