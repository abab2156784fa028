#include "platform/mdiframe.h"
#include "platform/form.h"
#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProxyStyle>
#include <QTimer>
#include <utility>

namespace vx {
namespace {
MdiFrame* theFrame = nullptr;

// Alt pressed and released alone opens the menu bar to the keyboard, so a menu stays reachable
// when a button of the window owns the same Alt letter.
class MenuBarStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_MenuBar_AltKeyNavigation) return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};
}  // namespace

MdiFrame::MdiFrame(QWidget* parent) : QMainWindow(parent), area_(new QMdiArea(this)) {
    theFrame = this;
    setCentralWidget(area_);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(area_, &QMdiArea::subWindowActivated, this, &MdiFrame::onActivated);
    qApp->installEventFilter(this);
    auto* style = new MenuBarStyle();
    style->setParent(menuBar());
    menuBar()->setStyle(style);
    setDialogWatcher(this);
}

namespace {
Form* formOf(QObject* watched, const QWidget* frame) {
    if (!watched->isWidgetType()) return nullptr;
    for (QWidget* w = static_cast<QWidget*>(watched); w && w->window() == frame; w = w->parentWidget())
        if (auto* form = qobject_cast<Form*>(w)) return form;
    return nullptr;
}
}  // namespace

bool MdiFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            // A click into a window that is not the active one activates it before the control
            // acts, also on controls that take no focus (Qt activates a child window only when
            // the focus enters it).
            if (Form* form = formOf(watched, this); form && form != active_ && form->isShown()) activate(form);
            break;
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress: {
            // A button's Alt letter clicks it at once, before the focused box can take the key as
            // text: Qt's animated click would leave the keys typed meanwhile to this window
            // although the click moves on to another. The button also wins the letter over a menu
            // title (Qt would find the two ambiguous and do nothing); the menu stays reachable by
            // Alt alone.
            auto* key = static_cast<QKeyEvent*>(event);
            Form* form = formOf(watched, this);
            if (!form && watched == this) form = active_;
            QAbstractButton* button = form ? form->mnemonicButton(key) : nullptr;
            if (button) {
                event->accept();
                if (event->type() == QEvent::KeyPress) button->click();
                return true;
            }
            // An Alt letter nothing owns (no button, no menu took it) is no text for the box.
            if (form && event->type() == QEvent::KeyPress && (key->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier &&
                !key->text().isEmpty() && key->text().at(0).isPrint())
                return true;
            break;
        }
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

MdiFrame::~MdiFrame() {
    setDialogWatcher(nullptr);
    disconnect(area_, nullptr, this, nullptr);
    if (theFrame == this) theFrame = nullptr;
}

MdiFrame* MdiFrame::instance() { return theFrame; }

MdiFrame& MdiFrame::ensure() {
    if (!theFrame) new MdiFrame();  // lives until the program or the test ends it
    return *theFrame;
}

QMdiSubWindow* MdiFrame::addChild(Form* form) {
    // The style draws a close box wherever there is a system menu.
    Qt::WindowFlags flags = Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint;
    if (form->closable()) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    QMdiSubWindow* sub = area_->addSubWindow(form, flags);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->hide();
    return sub;
}

Form* MdiFrame::activeForm() const { return active_; }

void MdiFrame::activate(Form* form) {
    QMdiSubWindow* sub = form->subWindow();
    if (!sub) return;
    if (isVisible() && QApplication::activeWindow() != this && !QApplication::activeModalWidget()) activateWindow();
    if (area_->activeSubWindow() != sub || active_ != form) {
        area_->setActiveSubWindow(sub);
        // Without a focused top-level window the area may not report the change; do it here.
        if (active_ != form) onActivated(sub);
    }
    if (menusCleared_) installMenus(form);
    giveKeyboard(form);
}

void MdiFrame::giveKeyboard(Form* form) {
    const QWidget* focus = QApplication::focusWidget();
    if (focus && form->isAncestorOf(focus)) return;
    if (QWidget* target = form->focusTarget()) target->setFocus(Qt::ActiveWindowFocusReason);
    else if (QMdiSubWindow* sub = form->subWindow()) sub->setFocus(Qt::ActiveWindowFocusReason);
}

void MdiFrame::activateTopLater() {
    if (topCheckPending_) return;
    topCheckPending_ = true;
    QTimer::singleShot(0, this, [this] { activateTop(); });
}

void MdiFrame::dialogOpening() { openDialogs_.append({QApplication::focusWidget(), Form::focusRequests()}); }

void MdiFrame::dialogClosed() {
    if (openDialogs_.isEmpty()) return;
    const OpenDialog d = openDialogs_.takeLast();
    // The dialog's window is gone; nothing makes the main window active again by itself.
    if (isVisible() && QApplication::activeWindow() != this && !QApplication::activeModalWidget()) activateWindow();
    Form* form = active_;
    // A window closed or hidden meanwhile: the window that comes back takes the keyboard.
    if (!form || !form->isShown()) return;
    QWidget* had = d.had;
    const bool usable = had && form->isAncestorOf(had) && had->isVisible() && had->isEnabled();
    // A control a window asked for meanwhile wins over the one that had the keyboard.
    QWidget* target = usable && Form::focusRequests() == d.focusRequests ? had : form->focusTarget();
    if (target) target->setFocus(Qt::OtherFocusReason);
    else if (QMdiSubWindow* sub = form->subWindow()) sub->setFocus(Qt::OtherFocusReason);
}

void MdiFrame::retire(QMdiSubWindow* sub) {
    sub->hide();
    retired_ << sub;
    activateTopLater();
}

void MdiFrame::activateTop() {
    topCheckPending_ = false;
    if (!active_ || !active_->isShown()) {
        Form* next = nullptr;
        for (const QPointer<Form>& f : std::as_const(recent_))
            if (f && f->isShown()) { next = f; break; }
        // A window shown without ever being active: the one on top.
        const QList<QMdiSubWindow*> stack = area_->subWindowList(QMdiArea::StackingOrder);
        for (auto it = stack.rbegin(); !next && it != stack.rend(); ++it) {
            Form* form = qobject_cast<Form*>((*it)->widget());
            if (form && form->isShown()) next = form;
        }
        if (next) {
            next->subWindow()->raise();
            activate(next);
        } else {
            menuBar()->clear();  // nothing is shown: no window's menus stand for it
            menusCleared_ = true;
        }
    }
    for (const QPointer<QMdiSubWindow>& sub : std::exchange(retired_, {}))
        if (sub) sub->deleteLater();
}

void MdiFrame::onActivated(QMdiSubWindow* window) {
    Form* next = window ? qobject_cast<Form*>(window->widget()) : nullptr;
    if (!next || next == active_) return;  // focus leaving the frame keeps the active child
    Form* previous = active_;
    active_ = next;
    recent_.removeIf([next](const QPointer<Form>& f) { return !f || f == next; });
    recent_.prepend(next);
    if (previous) previous->runDeactivate();
    installMenus(next);
    next->runActivate();
}

}  // namespace vx

namespace vx {
void MdiFrame::installMenus(Form* form) {
    menuBar()->clear();
    for (QAction* a : form->menuActions()) menuBar()->addAction(a);
    menusCleared_ = false;
}
}  // namespace vx
