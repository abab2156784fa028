#include "shell/form_wait.h"

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

}  // namespace vx
