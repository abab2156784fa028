#include "platform/form.h"
#include "common/convert.h"
#include "common/settings.h"
#include "platform/mdiframe.h"
#include "platform/twips.h"
#include <QAction>
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
    if (loaded_) return;
    loaded_ = true;
    MdiFrame::ensure().addChild(this);
    Form_Load();
}

void Form::runActivate() { Form_Activate(); }
void Form::runDeactivate() { Form_Deactivate(); }

void Form::Show() {
    runLoad();
    QMdiSubWindow* sub = subWindow();
    if (!sub) return;
    MdiFrame& frame = MdiFrame::ensure();
    if (!frame.isVisible()) frame.show();
    QWidget::show();
    sub->show();
    sub->raise();
    frame.activate(this);
}

void Form::Hide() {
    if (QMdiSubWindow* sub = subWindow()) sub->hide();
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
        sub->hide();
        sub->deleteLater();
    } else {
        hide();
        deleteLater();
    }
}

void Form::closeEvent(QCloseEvent* event) {
    if (unloading_) { event->accept(); return; }
    bool cancel = false;
    Form_QueryUnload(cancel, vbFormControlMenu);
    if (!cancel) Form_Unload(cancel);
    if (cancel) { event->ignore(); return; }
    unloading_ = true;
    event->accept();
    destroyWindow();
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

void Form::restorePosition(const QString& prefix, const QString& defaultText) {
    using settings::GetSetting;
    if (auto v = CSng(GetSetting(QStringLiteral("form"), prefix + QStringLiteral("_Left"), defaultText))) setLeft(*v);
    if (auto v = CSng(GetSetting(QStringLiteral("form"), prefix + QStringLiteral("_Top"), defaultText))) setTop(*v);
}

void Form::savePosition(const QString& prefix) const {
    settings::SaveSetting(QStringLiteral("Form"), prefix + QStringLiteral("_left"), CStr(Left()));
    settings::SaveSetting(QStringLiteral("Form"), prefix + QStringLiteral("_top"), CStr(Top()));
}

void Form::setFocusLater(QWidget* target) {
    if (!target) return;
    QTimer::singleShot(0, target, [target] { target->setFocus(Qt::OtherFocusReason); });
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
