#include "platform/form.h"
#include "common/convert.h"
#include "common/settingskeys.h"
#include "platform/mdiframe.h"
#include "platform/twips.h"
#include <QAbstractButton>
#include <QAction>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QTimer>

namespace vx {

QSize screenSizeTwips() {
    const QScreen* s = QGuiApplication::primaryScreen();
    const QSize px = s ? s->size() : QSize(800, 600);
    return {int(toTwips(px.width())), int(toTwips(px.height()))};
}

namespace forms {
namespace detail {
std::map<std::type_index, Form*>& registry() {
    static std::map<std::type_index, Form*> reg;
    return reg;
}
void remember(std::type_index type, Form* form) { registry()[type] = form; }
}  // namespace detail

QList<Form*> all() {
    QList<Form*> out;
    for (auto& [type, form] : detail::registry()) out << form;
    return out;
}

void destroyAll() {
    for (Form* f : all()) {
        QMdiSubWindow* sub = f->subWindow();
        delete f;  // the destructor leaves the registry
        delete sub;
    }
}
}  // namespace forms

Form::Form(QWidget* parent) : QWidget(parent) {}

Form::~Form() {
    auto& reg = forms::detail::registry();
    for (auto it = reg.begin(); it != reg.end(); ++it)
        if (it->second == this) { reg.erase(it); break; }
}

QMdiSubWindow* Form::subWindow() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

void Form::runLoad() {
    MdiFrame::ensure().addChild(this);
    Form_Load();
}

void Form::runActivate() { Form_Activate(); }
void Form::runDeactivate() { Form_Deactivate(); }

void Form::Show() {
    // Loaded already: a window is loaded as it is made.
    QMdiSubWindow* sub = subWindow();
    if (!sub) return;
    MdiFrame& frame = MdiFrame::ensure();
    if (!frame.isVisible()) frame.show();
    sub->show();
    sub->raise();
    frame.activate(this);
}

void Form::ShowNow() {
    Show();
    if (QMdiSubWindow* sub = subWindow()) sub->repaint();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

namespace {
bool holdsFocus(const QWidget* w) {
    const QWidget* f = QApplication::focusWidget();
    return f && (f == w || w->isAncestorOf(f));
}
}  // namespace

void Form::Hide() {
    QMdiSubWindow* sub = subWindow();
    if (!sub) return;
    // Qt would pass the focus on to any other child window, activating it by accident; the frame
    // activates the one the user came from instead.
    if (holdsFocus(sub)) QApplication::focusWidget()->clearFocus();
    sub->hide();
    if (MdiFrame* frame = MdiFrame::instance()) frame->activateTopLater();
}

bool Form::isShown() const {
    const QMdiSubWindow* sub = subWindow();
    return sub && sub->isVisible();
}

bool Form::Unload(int mode) {
    if (unloading_) return true;
    bool cancel = false;
    Form_QueryUnload(cancel, mode);
    if (cancel) return false;
    Form_Unload(cancel);
    if (cancel) return false;
    unloading_ = true;
    destroyWindow();
    return true;
}

void Form::destroyWindow() {
    // Leave the registry at once so that the next use makes a fresh window.
    auto& reg = forms::detail::registry();
    for (auto it = reg.begin(); it != reg.end(); ++it)
        if (it->second == this) { reg.erase(it); break; }
    QMdiSubWindow* sub = subWindow();
    if (sub) {
        if (holdsFocus(sub)) QApplication::focusWidget()->clearFocus();
        if (MdiFrame* frame = MdiFrame::instance()) {
            frame->retire(sub);
        } else {
            sub->hide();
            sub->deleteLater();
        }
    } else {
        hide();
        deleteLater();
    }
}

void Form::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    runResize();
}

void Form::runResize() {
    if (resizing_ || !subWindow()) return;
    resizing_ = true;
    Form_Resize();
    resizing_ = false;
}

// A close event comes accepted: only a refusal says so.
void Form::closeEvent(QCloseEvent* event) {
    if (unloading_) return;
    if (!closable_) { event->ignore(); return; }
    bool cancel = false;
    Form_QueryUnload(cancel, vbFormControlMenu);
    if (!cancel) Form_Unload(cancel);
    if (cancel) { event->ignore(); return; }
    unloading_ = true;
    destroyWindow();
}

QAbstractButton* Form::mnemonicButton(const QKeyEvent* key) const {
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier) return nullptr;
    const QKeySequence pressed(key->key() | Qt::AltModifier);
    for (QAbstractButton* b : findChildren<QAbstractButton*>())
        if (b->isVisible() && b->isEnabled() && QKeySequence::mnemonic(b->text()) == pressed) return b;
    return nullptr;
}

static QWidget* geometryWidget(const Form* f) {
    QWidget* sub = f->subWindow();
    return sub ? sub : const_cast<Form*>(f);
}

double Form::Left() const {
    const int x = geometryWidget(this)->x();
    return leftTwips_ >= 0 && twips(leftTwips_) == x ? leftTwips_ : toTwips(x);
}
double Form::Top() const {
    const int y = geometryWidget(this)->y();
    return topTwips_ >= 0 && twips(topTwips_) == y ? topTwips_ : toTwips(y);
}
double Form::Width() const { return toTwips(geometryWidget(this)->width()); }
double Form::Height() const { return toTwips(geometryWidget(this)->height()); }
void Form::setLeft(double t) {
    QWidget* w = geometryWidget(this);
    w->move(twips(t), w->y());
    leftTwips_ = t;
}
void Form::setTop(double t) {
    QWidget* w = geometryWidget(this);
    w->move(w->x(), twips(t));
    topTwips_ = t;
}
void Form::setWidth(double t) { QWidget* w = geometryWidget(this); w->resize(twips(t), w->height()); }
void Form::setHeight(double t) { QWidget* w = geometryWidget(this); w->resize(w->width(), twips(t)); }

void Form::setClientSizeTwips(double width, double height) {
    setFixedSize(twips(width), twips(height));
    if (QMdiSubWindow* sub = subWindow()) sub->adjustSize();
}

void Form::restorePosition(const QString& prefix, QStringView defaultText) {
    using settings::Edge;
    if (auto v = CSng(settings::readPosition(prefix, Edge::Left, defaultText))) setLeft(*v);
    if (auto v = CSng(settings::readPosition(prefix, Edge::Top, defaultText))) setTop(*v);
}

void Form::savePosition(const QString& prefix) const {
    settings::savePosition(prefix, settings::Edge::Left, CStr(Left()));
    settings::savePosition(prefix, settings::Edge::Top, CStr(Top()));
}

void Form::setFocusLater(QWidget* target) {
    if (!target) return;
    QTimer::singleShot(0, target, [target] { giveFocus(target); });
}

void Form::giveFocus(QWidget* target) {
    if (!target) return;
    Form* form = nullptr;
    for (QWidget* w = target; w && !form; w = w->parentWidget()) form = qobject_cast<Form*>(w);
    ++focusRequests_;
    if (!form) { target->setFocus(Qt::OtherFocusReason); return; }
    form->focusTarget_ = target;
    const MdiFrame* frame = MdiFrame::instance();
    if (form->isShown() && frame && frame->activeForm() == form) target->setFocus(Qt::OtherFocusReason);
}

QWidget* Form::focusTarget() const {
    auto usable = [this](QWidget* w) {
        return w && w != this && isAncestorOf(w) && w->isVisibleTo(const_cast<Form*>(this)) && w->isEnabled() &&
               (w->focusPolicy() & Qt::TabFocus);
    };
    if (usable(focusTarget_)) return focusTarget_;
    if (usable(focusWidget())) return focusWidget();
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
        if (usable(w)) return w;
    return nullptr;
}

void Form::setClosable(bool on) {
    closable_ = on;
    if (QMdiSubWindow* sub = subWindow()) {
        sub->setWindowFlag(Qt::WindowSystemMenuHint, on);
        sub->setWindowFlag(Qt::WindowCloseButtonHint, on);
    }
}

QMenu* Form::addMenu(const QString& title) {
    auto* menu = new QMenu(title, this);
    menuActions_ << menu->menuAction();
    return menu;
}

QAction* Form::addMenuCommand(const QString& title, std::function<void()> onClick) {
    auto* action = new QAction(title, this);
    connect(action, &QAction::triggered, this, [f = std::move(onClick)] { f(); });
    menuActions_ << action;
    return action;
}

QAction* Form::addEntry(QMenu* menu, const QString& title, std::function<void()> onClick) {
    QAction* action = menu->addAction(title);
    QObject::connect(action, &QAction::triggered, menu, [f = std::move(onClick)] { f(); });
    return action;
}

}  // namespace vx
