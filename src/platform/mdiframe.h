#pragma once
// The main window: an MDI frame whose menu bar is the active child's.
#include "common/dialogs.h"
#include <QList>
#include <QMainWindow>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;

namespace vx {

class Form;

class MdiFrame : public QMainWindow, private DialogWatcher {
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
    // Makes the form the active window: its menu bar, and the keyboard in it.
    void activate(Form* form);
    // After a window is hidden or closed: the window the user was in before it, the last active one
    // still shown, becomes the active one again.
    void activateTopLater();
    // Hides a child window for good; it is deleted once the window that comes back is active, so
    // the area never picks a window of its own accord when the active one goes.
    void retire(QMdiSubWindow* sub);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A dialog takes the keyboard from the windows; once it is answered the control that had it
    // gets it back, unless a window asked for it meanwhile.
    void dialogOpening() override;
    void dialogClosed() override;
    struct OpenDialog {
        QPointer<QWidget> had;
        quint64 focusRequests;
    };
    QList<OpenDialog> openDialogs_;

    void onActivated(QMdiSubWindow* window);
    void activateTop();
    void giveKeyboard(Form* form);
    void installMenus(Form* form);
    QMdiArea* area_;
    QPointer<Form> active_;
    QList<QPointer<Form>> recent_;  // the windows in the order they were last active, latest first
    QList<QPointer<QMdiSubWindow>> retired_;
    bool topCheckPending_ = false;
    bool menusCleared_ = false;
};

}  // namespace vx
