#pragma once
// The score book: the stored games of all players or one, of all games, a season or a match, with
// their marks, frame scores and the pin diagram of the current game; printed, deleted, written to a
// text file and handed to the HTML pages. Closing it only hides it.
#include "platform/form.h"
#include "records/scorebook.h"
#include <array>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vx {

class DataSource;
class DBGrid;
class PinDiagram;

class Form_Score : public Form {
    Q_OBJECT
public:
    Form_Score();

    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 2> Opt_score{};  // all players, one player
    DataSource* Data_Sensyu = nullptr;
    DBGrid* DBG_Sensyu = nullptr;
    QLineEdit* Txt_Sensyu = nullptr;    // the chosen player's ID, 0 for all
    QLineEdit* txt_sen_name = nullptr;
    QGroupBox* Frame2 = nullptr;
    std::array<QRadioButton*, 3> Opt_Siai{};   // all games, one season, one match
    DataSource* data_srs = nullptr;
    DataSource* Data_Siai = nullptr;
    std::array<QLineEdit*, 2> Txt_Siai{};      // season ID, match ID
    std::array<QLabel*, 4> Lbl_Siai{};         // season name, match date, its season ID, its number
    QLabel* Label1 = nullptr;
    QGroupBox* Frm_record = nullptr;
    std::array<QPushButton*, 6> cmd_mov{};
    std::array<QPushButton*, 4> Cmd_OK{};      // show, delete one, close, delete all
    std::array<QPushButton*, 3> Cmd_Prn{};     // print, text, HTML
    QPushButton* cmd_html_score = nullptr;
    QCheckBox* Chk_Prn = nullptr;
    QCheckBox* Chk_edit = nullptr;
    QCheckBox* chk_pin = nullptr;
    DataSource* data_score = nullptr;          // the list
    DBGrid* DBG_Score = nullptr;
    QLineEdit* txt_ID = nullptr;               // the current game's ID
    QLabel* Label3 = nullptr;
    PinDiagram* Pins = nullptr;
    QAction* menu_text = nullptr;
    QAction* menu_html = nullptr;
    QAction* menu_print = nullptr;
    std::array<QAction*, 2> menu_del{};
    QAction* menu_off = nullptr;
    QAction* menu_view = nullptr;
    QAction* menu_h = nullptr;

    int GamesMode = 0;
    // The choice as the boxes show it; the text file and the HTML pages select the same games.
    scorebook::Selection selection() const;

    void Cmd_OK_Click(int Index);
    void Cmd_Prn_Click(int Index);
    void cmd_html_score_Click();
    void cmd_mov_Click(int Index);
    void Opt_score_Click(int Index);
    void Opt_Siai_Click(int Index);
    void DBG_Sensyu_Click();
    void Chk_edit_Click();
    void chk_pin_Click();
    void menu_h_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_QueryUnload(bool& cancel, int unloadMode) override;
    void Form_Resize() override;

private:
    void showList();
    void deleteCurrent();
    void deleteAll();
    void composePrintout();
    void closeWindow();
    void listMoved(int row);
    void playerMoved();
    void hideListButtons();

    QString chosenPlayer_;   // the player ID last shown, to tell a new choice from a refresh
    bool handOff_ = false;   // the score-card page was opened from here and may have moved the list
    bool rereading_ = false;  // the choices' tables are being read again on activation
};

}  // namespace vx
