#pragma once
// The score-entry window without its widgets: ball boxes, score boxes, entry cursor, mode, pin rack
// and the small pin diagrams, with the procedures that change them. The window `form_main` only draws
// this state and forwards its events; tests drive it directly.
#include "common/records.h"
#include <QString>
#include <array>
#include <cstdint>
#include <deque>

namespace vx {

// What the model needs the surrounding windows to do. Every method may be left as it is.
class ScoreEntryListener {
public:
    virtual ~ScoreEntryListener() = default;
    // The input-check window Form_INFO is to be shown (its text is infoText()).
    virtual void infoShown() {}
    // Its text changed.
    virtual void infoChanged() {}
    // The lane grid of the players window selects (row, column).
    virtual void laneCellSelected(int row, int col) {}
    // The backup file of the day is to be rewritten.
    virtual void backupRequested() {}
    // Input ended: hide form_main, Form_Player and Form_INFO, show the results window.
    virtual void inputEnded() {}
};

class ScoreEntryModel {
public:
    static constexpr std::int32_t ColorSplit = 0xC0C0FF;
    static constexpr std::int32_t ColorWhite = 0xFFFFFF;
    static constexpr std::int32_t ColorGrey = 0xE0E0E0;
    // Focus target besides the ball boxes 0..21: the handicap score box Txt_score(11).
    static constexpr int FocusHcpBox = 111;
    static const QString MarkModeCaption;  // "マーク入力"
    static const QString PinModeCaption;   // " ピン入力 "
    static const QString NoPendingGamesText;

    explicit ScoreEntryModel(ScoreEntryListener* listener = nullptr);
    void setListener(ScoreEntryListener* listener) { listener_ = listener; }

    // --- sheet and record ---
    void INIT();
    void clear_score();
    void Clear_Mark();
    void fl_check();
    void Cmd_KEISAN_Click();
    void VSc_Hcp_Change(int value);
    void VSc_T10_Change(int value);

    // --- mark entry and splits ---
    void Cmd_MARK_Click(int Index);
    void Cmd_spl_Click();
    void split_check();

    // --- showing a record and moving ---
    void New_score();
    void Pct_moveGAM_Click(int Index);  // 0 previous, 1 next game
    void Pct_moveSEN_Click(int Index);  // 0 -1, 1 +1, 2 -6, 3 +6 slots
    // Frame picture clicked: the cursor goes to the frame's first ball (or the extension's ball).
    void Pct_flame_Click(int Index);
    // The window became active: the boxes show the record's marks, the game is recomputed and shown.
    void Form_Activate();
    // 0 clears the shown game's marks, 1 gives up the day's input; each asks first.
    // True when the user agreed (for 1 the window then returns to the start menu).
    bool Cmd_CAN_Click(int Index);

    // --- input check and end of input ---
    void Cmd_INFO_Click();
    void Form_INFO_Cmd_OK_Click();  // "閉じる": empties the text and hides the check window
    void Cmd_TOKEI_Click();
    // Builds the statistics sheets; false (and empty sheets) when no game holds data.
    bool ANA();

    // --- ball focus and pin entry ---
    void Txt_MARK_GotFocus(int Index);
    // Leaving a box shows its mark as the code says (a split mark for a split ball).
    void Txt_MARK_LostFocus(int Index);
    // A click in a box: the entry cursor goes there (the focus handling follows separately).
    void Txt_MARK_Click(int Index);
    void Cmd_Mode_Click();
    void pct_pin_Click(int Index);
    void cmd_MDS_Click(int Index);
    void Cmd_moveflame_Click(int Index);
    void cmd_moveflame2_Click(int Index);

    // --- deferred focus ---
    // Requests that take effect after the requesting procedure returned, oldest first.
    void requestFocus(int target) { pendingFocus_.push_back(target); }
    bool hasPendingFocus() const { return !pendingFocus_.empty(); }
    const std::deque<int>& pendingFocus() const { return pendingFocus_; }
    // Runs the focus handling of every pending target, including what those handlers request.
    void processPendingFocus();
    int focused() const { return focused_; }

    // --- state the window draws ---
    const QString& markText(int k) const { return markText_[std::size_t(k)]; }
    std::int32_t markBackColor(int k) const { return markBack_[std::size_t(k)]; }
    const QString& scoreText(int k) const { return scoreText_[std::size_t(k)]; }
    int hcpBarValue() const { return hcpBar_; }
    int t10BarValue() const { return t10Bar_; }
    const QString& playerNameText() const { return txtSen_; }
    const QString& gameNumberText() const { return txtGam_; }
    const QString& slotNumberText() const { return txtJunban_; }
    std::int32_t curFrame() const { return CurFrame; }
    const QString& frameModeCaption() const { return frameMode_; }
    void setFrameModeCaption(const QString& caption) { frameMode_ = caption; }
    bool pinMode() const { return frameMode_ == PinModeCaption; }
    bool markMode() const { return frameMode_ == MarkModeCaption; }
    std::int32_t pinState(int i) const { return PinStates[std::size_t(i)]; }
    // Which of the three pin pictures pct_pin(i) shows, and its file.
    int pinPictureState(int i) const { return pinPicture_[std::size_t(i)]; }
    QString pinPictureFile(int i) const;
    // Fill colour of small pin shp_Pin(k), k = frame × 10 + pin index.
    std::int32_t shapeColor(int k) const { return shape_[std::size_t(k)]; }
    std::int32_t frameBackColor(int f) const { return flameBack_[std::size_t(f)]; }
    bool frameVisible(int f) const { return flameVisible_[std::size_t(f)]; }
    const QString& infoText() const { return txtInfo_; }
    bool infoVisible() const { return infoVisible_; }

    // The window writes what the user typed into a box (the calculation reads the boxes).
    void setMarkText(int k, const QString& text) { markText_[std::size_t(k)] = text; }
    // The players window writes the name and game boxes when it hands the slots over.
    void setPlayerNameText(const QString& text) { txtSen_ = text; }
    void setGameNumberText(const QString& text) { txtGam_ = text; }
    // Caption of mark button Cmd_MARK(code); a blank for a code without a button.
    static QString markCaption(int code);

private:
    GameRecord& rec();
    void refuse();
    void setPinState(int i, int state);
    void allPinsTo(int state);
    void standingPinsTo2();
    void resetBall(int k);
    // Balls of the rack of CurBall: first and second (-1 when none); false when there is no rack.
    bool rackBalls(int& first, int& second);
    void rebuildRack();
    void drawPinDiagrams();
    void showFlameExtensions();
    // Returns true when the derivation went straight to the move.
    bool deriveRack();
    bool deriveFirst(int x, int& k1, bool& strike);
    bool deriveSecond(int y, int x, int k1);
    int incompleteMarker();
    bool refuseMoveForHandicap();
    bool holdsData(int s, int g);

    ScoreEntryListener* listener_ = nullptr;
    std::int32_t CurFrame = 0;
    std::array<std::int32_t, 10> PinStates{};
    std::array<QString, 22> markText_{};
    std::array<std::int32_t, 22> markBack_{};
    std::array<QString, 12> scoreText_{};
    int hcpBar_ = 0;
    int t10Bar_ = 0;
    QString txtSen_, txtGam_, txtJunban_;
    QString frameMode_;
    std::array<int, 10> pinPicture_{};
    std::array<std::int32_t, 120> shape_{};
    std::array<std::int32_t, 12> flameBack_{};
    std::array<bool, 12> flameVisible_{};
    QString txtInfo_;
    bool infoVisible_ = false;
    std::deque<int> pendingFocus_;
    int focused_ = -1;
};

// The one score-entry state of the run: the score-entry window draws it, the players window
// writes it when it hands the slots over.
ScoreEntryModel& scoreEntry();

}  // namespace vx
