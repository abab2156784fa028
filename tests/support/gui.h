#pragma once
// The base of every window test, and driving windows as a user does: keys to the focused widget,
// clicks, and the check that the window on top is the active one with its menu bar and the keyboard.
#include "platform/form.h"
#include "platform/mdiframe.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"
#include <memory>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTest>

namespace vxtest {

inline void settle() {
    for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
}

inline void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
    settle();
}

// Check boxes and option buttons are clicked on their box.
inline void tick(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
    settle();
}

// A click in a grid's cell, scrolled into view first.
inline void clickCell(QAbstractItemView* grid, int row, int column) {
    const QModelIndex cell = grid->model()->index(row, column);
    grid->scrollTo(cell);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    settle();
}

// Where the keyboard goes: the focused widget, else the active window.
inline QWidget* keyboard() {
    if (QWidget* w = QApplication::focusWidget()) return w;
    return QApplication::activeWindow();
}

// Keys as a typist sends them (other than ASCII as an input method hands them over); `pace` false
// posts them all before the program runs again.
inline void typeKeys(const QString& keys, bool pace = true) {
    for (QChar c : keys) {
        if (c.unicode() < 0x80) QTest::keyClick(keyboard(), c.toLatin1());
        else QTest::sendKeyEvent(QTest::Click, keyboard(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        if (pace) settle();
    }
    settle();
}

inline void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(keyboard(), key, mods);
    settle();
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
    }
    void cleanup() {
        const bool answered = !dlg || dlg->allAnswered();
        dlg.reset();
        resetUi();
        env.reset();
        QVERIFY2(answered, "an expected dialog never came");
    }
};

}  // namespace vxtest
