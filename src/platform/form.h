#pragma once
// The window base of every child window, with the life cycle the windows rely on:
// load on first use, Form_Load, Form_Activate, Form_Deactivate, Form_QueryUnload, Form_Unload.
#include "common/settingskeys.h"
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <typeindex>

class QAbstractButton;
class QAction;
class QKeyEvent;
class QMenu;
class QMdiSubWindow;

namespace vx {

// Why a window is being unloaded.
enum UnloadMode { vbFormControlMenu = 0, vbFormCode = 1, vbAppWindows = 2, vbAppTaskManager = 3, vbFormMDIForm = 4 };

class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);
    ~Form() override;

    // Shows the window modeless, loading it first when needed; an open window comes to the front.
    void Show();
    // Shows the window and paints it at once, before long work blocks the event loop.
    void ShowNow();
    void Hide();
    // Runs the unload handling; false when the window refused. The window is destroyed afterwards.
    bool Unload(int mode = vbFormCode);
    bool isShown() const;

    // Geometry in twips, of the window as it stands in the main window.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void setLeft(double twipsValue);
    void setTop(double twipsValue);
    void setWidth(double twipsValue);
    void setHeight(double twipsValue);
    void setClientSizeTwips(double width, double height);

    // The settings store's position rule for the window prefix.
    void restorePosition(const QString& prefix, QStringView defaultText = settings::PositionDefault);
    void savePosition(const QString& prefix) const;

    // The menu bar the main window shows while this window is active.
    const QList<QAction*>& menuActions() const { return menuActions_; }

    // A focus change requested by a handler takes effect after the handler returns.
    static void setFocusLater(QWidget* target);
    // Gives the keyboard to `target` when its window is the active one; a window that is hidden or
    // behind keeps the request for its next activation, so a late request never brings it back.
    static void giveFocus(QWidget* target);
    // The control that takes the keyboard when the window becomes active.
    QWidget* focusTarget() const;
    // How many focus requests windows have made so far.
    static quint64 focusRequests() { return focusRequests_; }

    // A window without a close box of its own: it closes with the main window only.
    void setClosable(bool on);
    bool closable() const { return closable_; }

    // The visible, enabled button whose Alt letter this key is, if any.
    QAbstractButton* mnemonicButton(const QKeyEvent* key) const;

    // Called by the forms layer; not for windows to call.
    void runLoad();
    void runActivate();
    void runDeactivate();
    QMdiSubWindow* subWindow() const;

protected:
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    virtual void Form_QueryUnload(bool& cancel, int unloadMode) {}
    virtual void Form_Unload(bool& cancel) {}
    // Lays the window out for its size: run at every size change of the shown window; a size it
    // sets itself does not run it again.
    virtual void Form_Resize() {}
    void runResize();
    void resizeEvent(QResizeEvent* event) override;

    // Menu building: a drop-down menu, or a command standing on the menu bar itself.
    QMenu* addMenu(const QString& title);
    QAction* addMenuCommand(const QString& title, std::function<void()> onClick);
    static QAction* addEntry(QMenu* menu, const QString& title, std::function<void()> onClick);

    void closeEvent(QCloseEvent* event) override;

private:
    void destroyWindow();
    bool unloading_ = false;
    bool closable_ = true;
    bool resizing_ = false;
    QPointer<QWidget> focusTarget_;
    static inline quint64 focusRequests_ = 0;
    // The position last set in twips, so that a window not moved since reports exactly that value
    // and does not drift by the rounding to whole pixels each time it is saved and restored.
    double leftTwips_ = -1, topTwips_ = -1;
    QList<QAction*> menuActions_;
};

// The one registry of window instances: one instance per window class.
namespace forms {
namespace detail {
std::map<std::type_index, Form*>& registry();
void remember(std::type_index type, Form* form);
}  // namespace detail

// The window, created and loaded on first use (touching a window loads it).
template <class T>
T& get() {
    auto& reg = detail::registry();
    if (auto it = reg.find(typeid(T)); it != reg.end()) return static_cast<T&>(*it->second);
    T* form = new T();
    detail::remember(typeid(T), form);
    form->runLoad();
    return *form;
}
// The window when it is loaded, else nullptr (does not load it).
template <class T>
T* loaded() {
    auto& reg = detail::registry();
    auto it = reg.find(typeid(T));
    return it == reg.end() ? nullptr : static_cast<T*>(it->second);
}
template <class T>
bool unload(int mode = vbFormCode) {
    T* f = loaded<T>();
    return f ? f->Unload(mode) : true;
}
// Every loaded window (for the exit and for tests).
QList<Form*> all();
// Destroys every window without asking (the program's end, and between tests).
void destroyAll();
}  // namespace forms

}  // namespace vx
