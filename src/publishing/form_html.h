#pragma once
// The score-sheet page of the games the score book chooses, with the columns ticked here.
#include "publishing/form_htmlexport.h"
#include "publishing/scoresheet.h"
#include <array>

class QCheckBox;
class QLabel;

namespace vx {

class Form_HTML : public HtmlExportDialog {
    Q_OBJECT
public:
    Form_HTML();

    QLabel* Label_op = nullptr;
    std::array<QCheckBox*, 7> Chk_op{};  // name, season, match, game, points and prize, score, marks

protected:
    void loadOwn() override;
    void unloadOwn() override;
    bool readyToWrite() override;
    bool writePage(const QString& path) override;

private:
    // The score book's choice as it stands; nothing when the score book is closed.
    static std::optional<publishing::ScoreBookChoice> bookChoice();
};

}  // namespace vx
