#pragma once
// The score cards of the games the score book or the individual records list: the current row's
// game, or every game of the list.
#include "publishing/form_htmlexport.h"
#include <array>

class QRadioButton;

namespace vx {

class Form_HTML_ALL : public HtmlExportDialog {
    Q_OBJECT
public:
    Form_HTML_ALL();

    std::array<QRadioButton*, 2> Opt_ALL{};  // every row of the list, the current row only

protected:
    void loadOwn() override;
    void unloadOwn() override;
    bool readyToWrite() override;
    bool writePage(const QString& path) override;
};

}  // namespace vx
