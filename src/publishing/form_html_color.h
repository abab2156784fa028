#pragma once
// The eight page colours: a text and a background colour for ordinary cells, highlighted cells,
// averages and the page itself. Picks are working copies until OK adopts and saves them.
#include "platform/form.h"
#include <array>

class QAction;
class QLabel;
class QPushButton;

namespace vx {

class Form_HTML_color : public Form {
    Q_OBJECT
public:
    Form_HTML_color();

    QLabel* Label1 = nullptr;
    std::array<QLabel*, 4> Lbl_color{};   // group k: click picks its text colour
    std::array<QLabel*, 4> Label2{};      // 0 the page, 1..3 groups 0..2: click picks the background
    std::array<QPushButton*, 2> Cmd_End{};  // 0 drop the picks, 1 adopt and save
    QAction* menu_go = nullptr;
    QAction* menu_cancel = nullptr;

    void Label2_Click(int Index);
    void Lbl_color_Click(int Index);
    void Cmd_End_Click(int Index);
    void Form_Click() { Label2_Click(0); }

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void paint();
    void pick(std::size_t member);
};

}  // namespace vx
