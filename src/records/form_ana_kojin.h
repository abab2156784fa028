#pragma once
// One statistic season by season, for the player of the individual records or for all players
// together, as a line over a dotted value grid. Opened from the individual records and the start
// menu; reads the player from the individual records when they are open.
#include "platform/form.h"
#include "records/graphs.h"
#include <array>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;

namespace vx {

class PictureBox;

class Form_ana_kojin : public Form {
    Q_OBJECT
public:
    Form_ana_kojin();

    PictureBox* Pic = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cmb_what = nullptr;
    QPushButton* Cmd_OK = nullptr;
    QPushButton* cmd_back = nullptr;
    QLabel* lbl_sensyu = nullptr;
    std::array<QLabel*, 11> Lbl_tate{};  // value labels of the grid lines
    std::array<QLabel*, 6> Lbl_yoko{};   // season numbers under every fifth tick
    QAction* menu_OK = nullptr;
    QAction* menu_back = nullptr;

    // Window state, replaced by each drawing.
    int StatCode = 0;
    double SeasonStep = 0;
    double ValueScale = 0;

    void Cmd_OK_Click();
    void cmd_back_Click();
    void line2(double LabelStep);
    void Draw_graph(const QVector<std::optional<double>>& SeasonValues);

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;

private:
    bool allPlayers() const;
    std::int32_t lineColor() const { return graphs::PaletteColor((StatCode + 1) % 15); }
};

}  // namespace vx
