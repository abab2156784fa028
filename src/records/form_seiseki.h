#pragma once
// The season and all-time results: one row of statistics per player over all games, one season or
// a range of match IDs, printed or handed to the results-table page, the points-race graph and the
// radar chart. Those read the range boxes, Lbl_info and the current row of Data2 from here, and
// ResultsRangeMode from the shared state. 戻る only hides the window.
#include "platform/form.h"
#include "records/seasonresults.h"
#include <array>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace vx {

class DataSource;
class DBGrid;

class Form_Seiseki : public Form {
    Q_OBJECT
public:
    Form_Seiseki();

    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 4> Opt_when{};  // all-time, one season, a match range; 3 is never shown
    QLabel* Label1 = nullptr;
    std::array<QLineEdit*, 1> Txt_srs{};      // season number
    QScrollBar* Vsc_season = nullptr;
    QLabel* Label3 = nullptr;
    std::array<QLineEdit*, 2> txt_siai{};     // first and last match ID
    std::array<QLineEdit*, 2>& Txt_Siai = txt_siai;
    std::array<QScrollBar*, 2> HSc_siai{};
    QLabel* Lbl_info = nullptr;               // the dates of the match range
    QPushButton* Cmd_SRS_OK = nullptr;
    QCheckBox* Chk_srs = nullptr;
    DataSource* Data2 = nullptr;
    DBGrid* DBGrid1 = nullptr;
    std::array<QPushButton*, 2> Cmd_OP{};     // print, to a file (never shown)
    QPushButton* Cmd_html2 = nullptr;
    QPushButton* cmd_graph = nullptr;
    QCheckBox* Chk_chart = nullptr;
    QPushButton* Cmd_END = nullptr;
    QPushButton* Cmd_tusan = nullptr;
    std::array<QAction*, 2> menu_html{};      // as a season table, as an all-time table
    QAction* menu_off = nullptr;
    QAction* menu_tusan = nullptr;
    QAction* menu_h = nullptr;

    // The choices the selectors started from when the window loaded.
    const results::IdRanges& idRanges() const { return ranges_; }

    void Opt_when_Click(int Index);
    void Cmd_SRS_OK_Click();
    void Chk_srs_Click();
    void Vsc_season_Change();
    void HSc_siai_Change(int Index);
    void Chk_chart_Click();
    void DBGrid1_Click();
    void cmd_graph_Click();
    void Cmd_html2_Click();
    void menu_html_Click(int Index);
    void menu_tusan_Click();
    void Cmd_OP_Click(int Index);
    void Cmd_END_Click();
    void menu_h_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_Resize() override;

private:
    void hideRanges();
    void refresh();
    void print();

    results::IdRanges ranges_;
};

}  // namespace vx
