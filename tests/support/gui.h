#pragma once
// The base of every window test, and driving windows as a user does: keys to the focused widget,
// clicks, and the check that the window on top is the active one with its menu bar and the keyboard.
#include "platform/form.h"
#include "platform/mdiframe.h"
#include "support/scripted_dialogs.h"
#include "support/statejournal.h"
#include "support/testenv.h"
#include <memory>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <functional>

namespace vxtest {

inline void settle() {
    for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
}

// A control as the state journal names it: its class, and its caption where it has one.
inline QString described(const QWidget* w) {
    const auto* b = qobject_cast<const QAbstractButton*>(w);
    return QString::fromLatin1(w->metaObject()->className()) + (b ? QStringLiteral(" ") + b->text() : QString());
}

inline void click(QWidget* w) {
    const QString what = QStringLiteral("click ") + described(w);  // the click may close its window
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
    settle();
    journal::note(what);
}

// Check boxes and option buttons are clicked on their box, as a user would.
inline void tick(QWidget* w) {
    const QString what = QStringLiteral("tick ") + described(w);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
    settle();
    journal::note(what);
}

// A click on an item view's cell, as a user chooses a row or a slot.
inline void clickCell(QAbstractItemView* view, const QModelIndex& index) {
    const QString what = QStringLiteral("cell %1,%2").arg(index.row()).arg(index.column());
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    settle();
    journal::note(what);
}

inline void clickCell(QAbstractItemView* view, int row, int column) {
    clickCell(view, view->model()->index(row, column));
}

// Where the keyboard goes: an open menu, else the focused widget, else the active window.
inline QWidget* keyboard() {
    if (QWidget* menu = QApplication::activePopupWidget()) return menu;
    if (QWidget* w = QApplication::focusWidget()) return w;
    return QApplication::activeWindow();
}

// Keys as a typist sends them; `pace` false posts them all before the program runs again.
// Characters beyond Latin-1 come as text, as an input method delivers them.
inline void typeKeys(const QString& keys, bool pace = true) {
    for (QChar c : keys) {
        if (c.unicode() > 0xFF) QTest::sendKeyEvent(QTest::Click, keyboard(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        else QTest::keyClick(keyboard(), c.toLatin1());
        if (pace) settle();
    }
    settle();
    journal::note(QStringLiteral("type ") + keys);
}

inline void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(keyboard(), key, mods);
    settle();
    journal::note(QStringLiteral("press %1 %2").arg(int(key), 0, 16).arg(int(mods), 0, 16));
}

// Runs a user's action from the running event loop, as the program runs it, so that what the action
// posts (a window deleted later, a deferred activation, a queued focus change) comes in the order
// the program sees it; then settles.
inline void fromEventLoop(const std::function<void()>& action) {
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        action();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    settle();
    journal::note(QStringLiteral("action"));
}

// Types into a box as the user does: click, select all, type.
inline void retype(QWidget* box, const QString& text, bool pace = true) {
    click(box);
    press(Qt::Key_A, Qt::ControlModifier);
    typeKeys(text, pace);
}

// The window opened as the user opens it: loaded, shown and settled.
template <class T>
T& shown() {
    T& f = vx::forms::get<T>();
    f.Show();
    settle();
    journal::note(QStringLiteral("show ") + QString::fromLatin1(f.metaObject()->className()));
    return f;
}

// A grid's cell, and all its cells: joined by blanks, rows by "|".
inline QString cell(const QAbstractItemView* g, int row, int col) { return g->model()->index(row, col).data().toString(); }
inline QString gridText(const QAbstractItemView* g) {
    QStringList rows;
    for (int r = 0; r < g->model()->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < g->model()->columnCount(); ++c) cells << cell(g, r, c);
        rows << cells.join(u' ');
    }
    return rows.join(u'|');
}

// Values as text, joined by blanks: several observations compared as one.
inline QString spaced(const auto& values) {
    QStringList out;
    for (const auto& v : values) out << QVariant(v).toString();
    return out.join(u' ');
}

// Triggers the enabled menu entry with this text on the main window's menu bar or in its menus.
inline bool chooseMenu(const QString& text) {
    for (QAction* title : vx::MdiFrame::instance()->menuBar()->actions())
        for (QAction* a : title->menu() ? title->menu()->actions() : QList<QAction*>{title})
            if (a->text() == text && a->isEnabled()) {
                a->trigger();
                settle();
                return true;
            }
    return false;
}

// A menu entry chosen.
inline void trigger(QAction* entry) {
    const QString what = QStringLiteral("menu ") + entry->text();
    entry->trigger();
    settle();
    journal::note(what);
}

// Empty when `form` is the window on top, active, with its menu bar and the keyboard.
inline QString notOnTop(const vx::Form& form) {
    vx::MdiFrame* frame = vx::MdiFrame::instance();
    if (!frame || !form.isShown()) return QStringLiteral("not shown");
    const auto stack = frame->mdiArea()->subWindowList(QMdiArea::StackingOrder);
    QWidget* top = nullptr;
    for (auto* sub : stack)
        if (sub->isVisible()) top = sub;
    if (top != form.subWindow()) return QStringLiteral("not on top");
    if (frame->activeForm() != &form || frame->mdiArea()->activeSubWindow() != form.subWindow())
        return QStringLiteral("not active");
    if (QApplication::activeWindow() != frame) return QStringLiteral("main window not active");
    const QWidget* focus = QApplication::focusWidget();
    if (!focus || !form.subWindow()->isAncestorOf(focus)) return QStringLiteral("no keyboard");
    if (frame->menuBar()->actions() != form.menuActions()) return QStringLiteral("another window's menus");
    return {};
}

// Each test function gets its own program folder, settings, database and fixed clock (env) and
// scripted dialogs (dlg) that fail the test on a dialog nobody expected or one that never came.
// The windows are destroyed after each function.
class GuiTest : public QObject {
    Q_OBJECT
protected:
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<ScriptedDialogs> dlg;

private Q_SLOTS:
    void init() {
        env = std::make_unique<TestEnv>();
        dlg = std::make_unique<ScriptedDialogs>();
        journal::start(env->home());
    }
    void cleanup() {
        const QString states = journal::finish();
        dlg.reset();  // fails the test when an expected dialog never came
        resetUi();
        env.reset();
        QVERIFY2(states.isEmpty(), qPrintable(states));
    }
};

}  // namespace vxtest
