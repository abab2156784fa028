#pragma once
// The prize board: the winner of each prize of the day and the "Best10" lists.
#include "platform/form.h"
#include "recording/dayresults.h"
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vx {

class Form_NormalDATA : public Form {
    Q_OBJECT
public:
    Form_NormalDATA();

    // Index: 0 top, 1 high game, 2 strikes, 3 spares, 4 average, 5 booby.
    std::array<QGroupBox*, 6> Frm{};
    std::array<QLineEdit*, 6> Txt_Name{};
    std::array<QLineEdit*, 6> Txt_Ten{};
    std::array<QLabel*, 6> Label1{};    // "さん"
    std::array<QLabel*, 6> Lbl_Unit{};  // 点 or 個
    std::array<QPushButton*, 5> Cmd_B10{};
    QGroupBox* Frame1;
    std::array<QPlainTextEdit*, 2> Txt_B10{};  // names, values
    QLabel* Label2;
    QPushButton* Cmd_OK;

    // Puts the winners of one calculation on the board; the Best10 lists start empty.
    void setBoard(const PrizeBoard& board);

    void Cmd_B10_Click(int index);
    void Cmd_OK_Click();
    void menu_off_Click();

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
};

}  // namespace vx
