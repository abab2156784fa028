#pragma once
// The per-match statistics: every player's figures in every stored match, sorted by one of seven
// keys in either direction, for all players or the one named in the player box.
#include "platform/form.h"
#include <array>

class QAction;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vx {

class DataNavigator;
class DataSource;
class DBGrid;

class Form_siaiSeiseki : public Form {
    Q_OBJECT
public:
    Form_siaiSeiseki();

    DataSource* Data_Sensyu = nullptr;    // the players, read only
    DataNavigator* Nav_Sensyu = nullptr;  // Data_Sensyu's move buttons
    QLineEdit* Txt_Sensyu = nullptr;      // the player's name; "全　員" for all
    std::array<QRadioButton*, 2> Opt_sort{};  // ascending, descending
    std::array<QPushButton*, 7> Cmd_what{};
    DataSource* Data_Siai = nullptr;      // the sorted rows
    DBGrid* DBGrid1 = nullptr;
    QPushButton* cmd_back = nullptr;
    QAction* menu_off = nullptr;
    std::array<QAction*, 2> menu_sort{};
    std::array<QAction*, 7> menu_what{};

    void Cmd_what_Click(int Index);
    void menu_what_Click(int Index) { Cmd_what_Click(Index); }
    void menu_sort_Click(int Index);
    void cmd_back_Click();

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
};

}  // namespace vx
