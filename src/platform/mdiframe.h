#pragma once
// The main window: an MDI frame whose menu bar is the active child's.
#include <QMainWindow>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;

namespace vx {

class Form;

class MdiFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MdiFrame(QWidget* parent = nullptr);
    ~MdiFrame() override;

    static MdiFrame* instance();
    // The frame children go into; a plain one is made when none exists (tests of single windows).
    static MdiFrame& ensure();

    QMdiArea* mdiArea() const { return area_; }
    QMdiSubWindow* addChild(Form* form);
    Form* activeForm() const;
    void activate(Form* form);

private:
    void onActivated(QMdiSubWindow* window);
    QMdiArea* area_;
    QPointer<Form> active_;
};

}  // namespace vx
