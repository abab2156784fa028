#pragma once
// The players window: places the day's players into the lane slots with their season handicaps,
// enters new players and missing handicaps, and hands the slots over to the score entry.
#include "platform/form.h"
#include <array>
#include <cstdint>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTableWidget;

namespace vx {

class DataSource;
class DBGrid;

// Shows the score-entry window; the players window calls it to go on to the score entry.
void showScoreEntryWindow();

class Form_Player : public Form {
    Q_OBJECT
public:
    static constexpr double NormalHeight = 3885;
    static constexpr double EntryHeight = 6085;
    enum class Entry { None, NewPlayer, Handicap };

    Form_Player();

    DataSource* Data_Sensyu = nullptr;
    DBGrid* DBG_Sensyu = nullptr;
    QLineEdit* txt_ID = nullptr;
    QLineEdit* Txt_NAME = nullptr;
    std::array<QLineEdit*, 1> Txt_HCP{};
    std::array<QScrollBar*, 2> VSc_Sen{};
    QTableWidget* Grd_LN = nullptr;
    QPushButton* Pct_ADD = nullptr;
    QPushButton* Pct_can = nullptr;
    QPushButton* Cmd_newPlayer = nullptr;
    std::array<QPushButton*, 3> Cmd_OK{};
    QPushButton* Cmd_InpMARK = nullptr;
    QPushButton* CmdCANCEL = nullptr;
    QAction* menu_score = nullptr;
    QAction* menu_h = nullptr;

    std::int16_t PlacingHcp = 0;
    std::int16_t ScoreEntryVisits = 0;
    Entry entry() const { return entry_; }

    void Nextcell();
    void Nyuryoku();
    void Pct_ADD_Click();
    void Pct_can_Click();
    void Cmd_newPlayer_Click();
    void Cmd_OK_Click(int Index);
    void Cmd_InpMARK_Click();
    void Grd_LN_SelectSlot();
    void VSc_Sen_Change(int Index);
    void menu_h_Click();

    // Lays the lane grid out for the slots of the sheet, with the placed names.
    void layoutLaneGrid();
    // The lane-grid cursor.
    int cursorRow() const;
    int cursorCol() const;
    void setCursor(int row, int col);

protected:
    void Form_Load() override;
    void Form_Deactivate() override;
    void Form_Unload(bool& cancel) override;

private:
    void applyHeight(double twipsHeight);
    void openEntry(Entry kind);
    void closeEntry(int Index);
    void showChosenPlayer();
    void stepIdBar(int id);
    int cursorSlot() const;
    Entry entry_ = Entry::None;
    double clientWidth_ = 11340;
};

}  // namespace vx
