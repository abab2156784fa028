#pragma once
// The score-entry window: draws the one score-entry model of the run and forwards every event to it.
#include "platform/form.h"
#include "recording/scoreentry_model.h"
#include <QString>
#include <array>
#include <map>

class QAbstractButton;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace vx {

class PictureBox;

class form_main : public Form, public ScoreEntryListener {
    Q_OBJECT
public:
    form_main();
    ~form_main() override;

    ScoreEntryModel& model() const { return scoreEntry(); }

    // --- controls ---
    std::array<QLineEdit*, 22> Txt_MARK{};
    std::array<QLineEdit*, 12> Txt_score{};
    std::array<PictureBox*, 12> Pct_flame{};
    QLineEdit* Txt_SEN;
    QLineEdit* Txt_GAM;
    QLineEdit* Txt_junban;
    QLabel* Label_GAM;
    QLabel* Label_HDCP;
    QLabel* Label_total;
    QScrollBar* VSc_Hcp;
    QScrollBar* VSc_T10;
    std::map<int, QPushButton*> Cmd_MARK;  // by ball code: 0..10, 19, 20, 21, 30
    QPushButton* Cmd_spl;
    QPushButton* Cmd_KEISAN;
    QPushButton* Cmd_INFO;
    QPushButton* Cmd_TOKEI;
    QPushButton* Cmd_Kojin;
    std::array<QPushButton*, 2> Cmd_CAN{};
    std::array<QPushButton*, 3> Cmd_Data_IO{};
    std::array<QToolButton*, 2> Pct_moveGAM{};
    std::array<QToolButton*, 4> Pct_moveSEN{};
    std::array<QLabel*, 5> Label2{};  // 0 "次の　ゲーム", 4 "前の　ゲーム"
    QGroupBox* Frame_Mode;
    QPushButton* Cmd_Mode;
    std::array<PictureBox*, 10> pct_pin{};
    std::array<QPushButton*, 6> cmd_MDS{};
    std::array<QAbstractButton*, 3> Cmd_moveflame{};
    std::array<QToolButton*, 2> cmd_moveflame2{};

    // --- menus ---
    QAction* menu_OK;
    std::array<QAction*, 2> menu_data{};
    QAction* menu_cancel;
    QAction* menu_clear;
    QAction* menu_keisan;
    QAction* menu_input;
    QAction* menu_jofo;
    std::array<QAction*, 4> menu_move{};
    std::array<QAction*, 2> menu_game{};
    QAction* menu_h;

    // --- handlers ---
    void Cmd_MARK_Click(int Index);
    void Cmd_spl_Click();
    void Cmd_KEISAN_Click();
    void Cmd_INFO_Click();
    void Cmd_TOKEI_Click();
    void Cmd_Kojin_Click();
    void Cmd_CAN_Click(int Index);
    void Cmd_Data_IO_Click(int Index);
    void Cmd_Mode_Click();
    void cmd_MDS_Click(int Index);
    void Cmd_moveflame_Click(int Index);
    void cmd_moveflame2_Click(int Index);
    void pct_pin_Click(int Index);
    void Pct_flame_Click(int Index);
    void Pct_moveGAM_Click(int Index);
    void Pct_moveSEN_Click(int Index);
    void Txt_MARK_Click(int Index);
    void VSc_Hcp_Change(int value);
    void VSc_T10_Change(int value);
    void menu_h_Click();
    // Shown by the players window when it hands over: the record of the cursor, settled.
    void New_score();

    // Draws every control from the model (after each handler; tests call it to be sure).
    void refresh();
    // Where small pin i sits in a frame picture (user units, 550 a side).
    static QPointF smallPinCentre(int i);
    // The mark-mode place of a control that the mode switch moves, in twips within Frame_Mode.
    static constexpr double ModeShift = 4000;

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // ScoreEntryListener
    void infoShown() override;
    void infoChanged() override;
    void laneCellSelected(int row, int col) override;
    void backupRequested() override;
    void inputEnded() override;

private:
    // Runs after a handler has returned: the requested focus changes take effect, then the drawing.
    void afterHandler();
    void settle();
    void settleFirst();
    void moveRealFocus();
    void handleKeyPress(const QString& text);
    bool handleKeyRelease(int key, Qt::KeyboardModifiers mods);
    void applyModeLayout();
    void drawFrame(int f);
    void drawPin(int i);
    void setBoxColor(QLineEdit* box, std::int32_t color);

    // Hand-over points to windows built elsewhere; wired when those windows exist.
    void selectLaneCell(int row, int col);  // Form_Player's lane grid Grd_LN
    void hidePlayersWindow();               // Form_Player.Hide
    void unloadPlayersWindow();             // Unload Form_Player
    void showResultsWindow();               // Form_Data.Show
    void showPlayerRecords();               // Form_Kojin on the current player

    bool settlePending_ = false;
    bool syncingFocus_ = false;
    bool updatingBars_ = false;
    std::map<QWidget*, QPointF> markPlaces_;  // mark-mode places of the controls the switch moves
    std::array<std::int32_t, 22> boxColor_{};
    std::array<QString, 12> frameKey_{};
    std::array<QString, 10> pinKey_{};
};

}  // namespace vx
