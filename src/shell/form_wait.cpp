#include "shell/form_wait.h"
#include <QCoreApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QVBoxLayout>

namespace vx {

static const QString WaitText = QStringLiteral("処理中です。しばらくお待ちください。");

Form_Wait::Form_Wait() {
    setWindowTitle(WaitText);
    // The caption says it all; the body is a plain band so the caption is wide enough to read.
    setMinimumSize(360, 40);
}

void Form_Wait::Form_Load() {
    setLeft(500);
    setTop(500);
}

void Form_Wait::ShowNow() {
    Show();
    if (QMdiSubWindow* sub = subWindow()) sub->repaint();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void showWaiting() { forms::get<Form_Wait>().ShowNow(); }

void hideWaiting() {
    if (Form_Wait* w = forms::loaded<Form_Wait>()) w->Hide();
}

}  // namespace vx
