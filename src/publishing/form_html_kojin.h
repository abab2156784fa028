#pragma once
// The player page of the player chosen in the individual records: the season table over a range of
// seasons, the all-time table, or both.
#include "publishing/form_htmlexport.h"
#include <array>

class QCheckBox;
class QLabel;
class QScrollBar;

namespace vx {

class Form_HTML_kojin : public HtmlExportDialog {
    Q_OBJECT
public:
    Form_HTML_kojin();

    std::array<QCheckBox*, 2> Chk_op{};  // season table, all-time table
    std::array<QLineEdit*, 2> txt_se{};  // first and last season, as the bars stand
    std::array<QScrollBar*, 2> vsc{};
    QLabel* Label3 = nullptr;
    QLabel* Label1_4 = nullptr;          // the area of the section options

    void vsc_Change(int Index);

protected:
    void loadOwn() override;
    void unloadOwn() override;
    bool readyToWrite() override;
    bool writePage(const QString& path) override;
    void handBack() override;
};

}  // namespace vx
