#include "support/scripted_dialogs.h"
#include "platform/mdiframe.h"
#include "support/statejournal.h"
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

namespace vxtest {
namespace {
QString kindName(ScriptedDialogs::Kind k) {
    static const char* const names[] = {"message box", "input box", "open-file dialog", "save-file dialog", "colour dialog"};
    return QString::fromLatin1(names[int(k)]);
}
// Fails the running test function once; outside one (a fixture's end) it can only warn.
void fail(const QString& message) {
    if (!QTest::currentTestFunction()) qWarning("%s", qPrintable(message));
    else if (!QTest::currentTestFailed()) QTest::qFail(qPrintable(message), __FILE__, __LINE__);
}
}  // namespace

ScriptedDialogs::ScriptedDialogs() : previous_(&vx::installedDialogs()) { vx::setDialogs(this); }

ScriptedDialogs::~ScriptedDialogs() {
    // The program's own default is installed as nullptr; anything else was installed by a test.
    vx::setDialogs(nullptr);
    if (previous_ != &vx::installedDialogs()) vx::setDialogs(previous_);
    if (!script_.empty())
        fail(QStringLiteral("expected %1 never came: %2").arg(kindName(script_.front().kind), script_.front().contains));
}

QStringList ScriptedDialogs::prompts() const {
    QStringList out;
    for (const auto& s : shown_) out << s.prompt;
    return out;
}

ScriptedDialogs::Expected ScriptedDialogs::answer(Kind kind, const QString& prompt, const QString& title, int style,
                                                  const QString& filter, const QString& initial) {
    shown_.push_back({kind, prompt, title, style, filter, initial});
    journal::dialog(QStringLiteral("%1 \"%2\" \"%3\" %4 %5 %6").arg(kindName(kind), prompt, title).arg(style).arg(filter, initial));
    if (modal_) {
        QDialog window(vx::MdiFrame::instance());
        QTimer::singleShot(0, &window, &QDialog::accept);
        window.exec();
    }
    // A real dialog takes the keyboard, and nothing gives it back by itself to the control that had it.
    if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
    if (script_.empty() || script_.front().kind != kind) {
        if (!lenient_) fail(QStringLiteral("unexpected %1: %2").arg(kindName(kind), prompt));
        return {kind, {}, 0, {}, {}, {}, true};
    }
    Expected e = script_.front();
    script_.pop_front();
    if (!prompt.contains(e.contains))
        fail(QStringLiteral("%1 \"%2\" does not contain \"%3\"").arg(kindName(kind), prompt, e.contains));
    return e;
}

int ScriptedDialogs::msgBox(const QString& prompt, int style, const QString& title) {
    const Expected e = answer(Kind::MsgBox, prompt, title, style);
    if (e.whileShown) e.whileShown();
    if (!e.unexpected) return e.answer;
    // Unexpected: the safe answer, so the code under test does nothing destructive.
    switch (style & 7) {
        case vx::vbOKCancel: case vx::vbRetryCancel: return vx::vbCancel;
        case vx::vbYesNo: case vx::vbYesNoCancel: return vx::vbNo;
        default: return vx::vbOK;
    }
}

}  // namespace vxtest
