#pragma once
// The stored-record editor: the stored games of a match, of all players or one, shown a game at a
// time for correction field by field, saved, or deleted with their rows in all three game tables.
#include "platform/form.h"
#include <QHash>
#include <array>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vx {

class DataNavigator;
class DataSource;
class DBGrid;

class Form_edit : public Form {
    Q_OBJECT
public:
    Form_edit();

    // The match picker (read only).
    DataSource* Data_Siai = nullptr;
    DataNavigator* Nav_Siai = nullptr;           // Data_Siai's move buttons
    std::array<QLineEdit*, 2> Txt_Siai{};        // [1]: the match ID
    std::array<QLabel*, 4> Lbl_Siai{};           // [1] date, [2] season ID, [3] match number
    QLabel* Label11 = nullptr;
    std::array<QRadioButton*, 3> Opt_Siai{};     // [2] only: one match
    // The player picker (read only).
    std::array<QRadioButton*, 2> Opt_score{};    // all players, one player
    DataSource* Data_Sensyu = nullptr;
    DBGrid* DBG_Sensyu = nullptr;
    QLineEdit* Txt_Sensyu = nullptr;             // the player's ID, 0 for all

    // The games loaded and their fields.
    DataSource* Data_mark = nullptr;
    DataNavigator* Nav_mark = nullptr;           // Data_mark's move buttons, caption "変更"
    QLineEdit* txt_ID = nullptr;
    std::array<QLineEdit*, 2> Txt_siaiID{};      // マーク, データ項目
    std::array<QLineEdit*, 2> Txt_game{};        // マーク, データ項目
    std::array<QLineEdit*, 2> Txt_sensyuID{};    // データ項目, マーク
    QLineEdit* Txt_Sensyumei = nullptr;
    QLineEdit* Txt_srsmei = nullptr;
    QLineEdit* Txt_siaimei = nullptr;
    QLineEdit* txt_Kaijo = nullptr;
    QLineEdit* txt_KaijoID = nullptr;
    QLineEdit* txt_nyusyo = nullptr;
    std::array<QLineEdit*, 9> Txt_etc{};         // 優Ｐ 上位 ST SP SPF ｽﾌﾟﾘｯﾄ 当日 人数 順位
    std::array<QLineEdit*, 21> Txt_MARK{};
    std::array<QLineEdit*, 12> Txt_score{};      // 競技点, S1..S9, マーク.S10, HCP
    QLineEdit* Txt_score10 = nullptr;            // データ項目.S10

    QPushButton* Cmd_OK = nullptr;
    QPushButton* cmd_editGO = nullptr;
    QPushButton* cmd_delete = nullptr;
    QPushButton* Cmd_End = nullptr;
    QPushButton* Command1 = nullptr;
    QAction* menu_close = nullptr;

    void Cmd_OK_Click();
    void cmd_editGO_Click();
    void cmd_delete_Click();
    void Cmd_End_Click();
    void Opt_score_Click(int Index);
    void Opt_Siai_Click(int Index);
    void DBG_Sensyu_Click();

protected:
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, int unloadMode) override;
    void Form_Unload(bool& cancel) override;

private:
    void Data_Siai_Validate();
    void Data_mark_Reposition();
    void loadSelection();
    // What the user typed: limits, beeps and the copies between the twin fields.
    void Txt_etc_Change(int Index);
    void Txt_score_Change(int Index);
    void copyTwin(const std::array<QLineEdit*, 2>& pair, const QString& twinField);
    bool storePending();
    bool quiet_ = false;  // loading: a selection that cannot be read is not reported
    QHash<QString, QLineEdit*> boxOf_;  // where a field's value is typed
};

}  // namespace vx
