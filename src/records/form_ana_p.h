#pragma once
// The race for the winning points of a season: the running points of its N best-placed players,
// match by match, one colour each, with a legend of their names. The season results hand over the
// season; activating the window clears it, only the draw button draws.
#include "platform/form.h"
#include <array>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace vx {

class PictureBox;

class Form_ana_p : public Form {
    Q_OBJECT
public:
    Form_ana_p();

    QLabel* Label1 = nullptr;
    QLineEdit* Txt_srs = nullptr;       // season number
    QScrollBar* HScr_srs = nullptr;
    QLineEdit* Txt_nin = nullptr;       // how many players
    QScrollBar* HScr_nin = nullptr;
    PictureBox* Pic = nullptr;
    PictureBox* Pic_han = nullptr;      // the legend
    std::array<QLabel*, 10> Lbl_han{};
    QPushButton* cmd_p_srs = nullptr;
    QPushButton* cmd_close = nullptr;
    QAction* menu_close = nullptr;

    void cmd_p_srs_Click();
    void cmd_close_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;

private:
    void legendLine(int i, const QString& text, int top, std::int32_t color);
};

}  // namespace vx
