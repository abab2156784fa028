#pragma once
// The radar chart of the season results' current row: spare rate up, strikes per game down, upper
// rate left, average right. Each activation adds that row's shape in the next colour over what is
// drawn, until the picture is cleared.
#include "platform/form.h"
#include <array>
#include <cstdint>

class QAction;
class QLabel;
class QPushButton;

namespace vx {

class PictureBox;

class Form_chart : public Form {
    Q_OBJECT
public:
    Form_chart();

    PictureBox* Pic = nullptr;
    std::array<QLabel*, 4> Label1{};  // axis names: up, right, left, down
    std::array<QLabel*, 4> Label2{};  // values at the three-quarter ticks: up, left, down, right
    QPushButton* cmd_clear = nullptr;
    QPushButton* cmd_close = nullptr;
    QPushButton* Cmd_OK = nullptr;    // below the window's client area
    QAction* menu_OK = nullptr;
    QAction* menu_clear = nullptr;
    QAction* menu_back = nullptr;

    // The last colour number used; it runs on for the whole run, unloading does not reset it.
    static inline std::uint8_t ChartColorIndex = 0;

    void Cmd_OK_Click();
    void cmd_clear_Click();
    void menu_clear_Click();
    void cmd_close_Click();
    void menu_back_Click();
    // Hatches from the device pixel (x, y) outwards up to pixels of the border colour.
    void mpaint(double x, double y, std::int32_t fillColor, std::int32_t borderColor);

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;

private:
    void axes();
    double A = 0;  // half the picture's height and width, in pixels
    int B = 0;
};

}  // namespace vx
