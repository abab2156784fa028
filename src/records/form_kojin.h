#pragma once
// Individual records: one player's, or all players', stored games by record kind, the current game
// as a card with its marks, frame scores and pin diagrams, and the season and all-time statistics.
// Closing it only hides it, so the choice survives until the program ends.
#include "platform/form.h"
#include "recording/form_playerlink.h"
#include <QVariantList>
#include <array>
#include <cstdint>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace vx {

class CaptionLabel;
class DataSource;
class DBGrid;
class PinDiagram;

class Form_Kojin : public Form, public PlayerRecordsLink {
    Q_OBJECT
public:
    Form_Kojin();

    DataSource* Data_Sensyu = nullptr;         // the player list, the reserved row 0 "全　員" first
    DBGrid* DBG_Sensyu = nullptr;
    std::array<QLineEdit*, 2> Txt_Sensyu{};    // the chosen player's ID (0: all players), the name
    std::array<QLabel*, 2> Label1{};           // "第　　　ｹﾞｰﾑ", "選手"
    QGroupBox* Frame1 = nullptr;
    std::array<QPushButton*, 21> Cmd_what{};   // the record kinds 0..7; 20 the spare member
    QLabel* Label4 = nullptr;
    DataSource* data_score = nullptr;          // the record list
    DBGrid* DBG_Score = nullptr;
    CaptionLabel* Lbl_What = nullptr;       // the sentence of the current record
    std::array<QLineEdit*, 21> Txt_MARK{};
    std::array<QLineEdit*, 12> Txt_score{};    // 0 with handicap, 1..10 after each frame, 11 handicap
    std::array<QLineEdit*, 4> Txt_komoku{};    // placing, points, strikes, spares
    std::array<QLineEdit*, 4> Txt_Siai{};      // date, -, -, game
    QLineEdit* txt_ID = nullptr;
    PinDiagram* Pins = nullptr;                // Pct_flame(0..11)
    std::array<QPushButton*, 6> cmd_mov{};
    std::array<QLabel*, 1> Label5{};
    QGroupBox* Frame2 = nullptr;
    QPushButton* cmd_sp = nullptr;
    QCheckBox* Chk_score = nullptr;
    DataSource* Data1 = nullptr;
    DBGrid* DBGrid1 = nullptr;                 // season statistics
    DataSource* Data2 = nullptr;
    DBGrid* DBGrid2 = nullptr;                 // all-time statistics
    QLabel* Label2 = nullptr;
    QFrame* Shape2 = nullptr;
    QPushButton* Cmd_SRS = nullptr;
    QPushButton* Cmd_Tsusan = nullptr;
    QPushButton* cmd_graph = nullptr;
    QPushButton* cmd_html = nullptr;
    QPushButton* cmd_html_score = nullptr;
    QPushButton* Cmd_End = nullptr;
    QMenu* menu_file = nullptr;
    QAction* menu_off = nullptr;
    QMenu* menu_select = nullptr;
    std::array<QAction*, 8> menu_what{};
    QAction* menu_bar = nullptr;
    QAction* menu_sp = nullptr;
    QAction* menu_h = nullptr;

    // Window state.
    std::int16_t RecordKind = 0;
    std::int32_t ListPosition = 0;
    QString KindSql;
    QVariantList KindParams;

    bool openOnPlayer(int playerId, const QString& name) override;

    void Hajime();
    void Cmd_what_Click(int Index);
    void menu_what_Click(int Index);
    void cmd_mov_Click(int Index);
    void cmd_sp_Click();
    void Chk_score_Click();
    void Cmd_SRS_Click();
    void Cmd_Tsusan_Click();
    void cmd_graph_Click();
    void cmd_html_Click();
    void cmd_html_score_Click();
    void Cmd_End_Click();
    void menu_h_Click();
    void DBG_Sensyu_SelectPlayer();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_QueryUnload(bool& cancel, int unloadMode) override;
    void Form_Resize() override;

private:
    void DBG_Sensyu_RowColChange();
    void DBG_Sensyu_SetAllPlayers();
    void data_score_Reposition();
    void Draw_pins();
    void emptyCard();
    void setKindsEnabled(bool on);
    bool allPlayers() const;

    int chosenRow_ = -1;          // the player list's row last chosen, to tell a new choice by the keys
    bool positioning_ = false;    // the list is moved by the program, not by the user
};

}  // namespace vx
