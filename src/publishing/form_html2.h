#pragma once
// The results-table page of the range the season-results window shows.
#include "publishing/form_htmlexport.h"

namespace vx {

class Form_Seiseki;

class Form_HTML2 : public HtmlExportDialog {
    Q_OBJECT
public:
    Form_HTML2();

    QAction*& menu_go = menu_ok;
    QAction*& menu_cancel = menu_end;

protected:
    void loadOwn() override;
    bool readyToWrite() override;
    bool writePage(const QString& path) override;

private:
    // The season-results window while it is open; the page shows its range.
    static const Form_Seiseki* results();
};

}  // namespace vx
