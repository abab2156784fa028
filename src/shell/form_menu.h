#pragma once
// The main window: its loading is the program's start-up, its closing the only exit.
#include "platform/mdiframe.h"
#include <QLockFile>
#include <memory>

namespace vx {

class Form_menu : public MdiFrame {
    Q_OBJECT
public:
    Form_menu();
    ~Form_menu() override;

    // Start-up; false when the program must end (a second copy, an unusable database).
    bool MDIForm_Load();
    // The exit question; true when the program ends.
    bool MDIForm_QueryUnload();
    bool ended() const { return ended_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void applyGeometry();
    // The geometry last applied in twips: saved as it was set while the window was not moved or sized.
    double leftTwips_ = 0, topTwips_ = 0, widthTwips_ = 0, heightTwips_ = 0;
    std::unique_ptr<QLockFile> lock_;
    bool ended_ = false;
};

extern const QString MainCaption;

}  // namespace vx
