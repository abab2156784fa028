#pragma once
// The match bulletin dialog: steps through the stored matches, accepts one (testing its results
// file and proposing file, title and heading), chooses the page's six sections and writes it.
#include "publishing/bulletin.h"
#include "publishing/form_htmlexport.h"
#include <array>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace vx {

class DataSource;

class Form_sokuho : public HtmlExportDialog {
    Q_OBJECT
public:
    Form_sokuho();

    DataSource* Data_Siai = nullptr;           // the stored matches
    std::array<QLabel*, 4> Lbl_Siai{};         // season, match number, match ID; the accepted season's first match ID
    std::array<QPushButton*, 6> cmd_mov{};     // first, back ten, previous, next, forward ten, last
    QPushButton* cmd_siaiOK = nullptr;
    std::array<QCheckBox*, 6> Chk_op{};        // ranking, records, score sheet, season, all-time, score book
    std::array<QLabel*, 3> Label_op{};         // "試合選択", "シーズン　　試合", "出力項目"

    void cmd_mov_Click(int Index);
    void cmd_siaiOK_Click();
    // The match the page is written from; nothing until one is accepted.
    const std::optional<publishing::BulletinMatch>& accepted() const { return accepted_; }

protected:
    void Form_Activate() override;
    void loadOwn() override;
    void unloadOwn() override;
    bool readyToWrite() override;
    bool writePage(const QString& path) override;

private:
    void restoreResultsBoxes();
    std::optional<publishing::BulletinMatch> accepted_;
};

}  // namespace vx
