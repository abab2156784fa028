#include "support/scripted_dialogs.h"
#include "platform/mdiframe.h"
#include <QDialog>
#include <QTest>
#include <QTimer>

namespace vxtest {
namespace {
const char* kindName(ScriptedDialogs::Kind k) {
    switch (k) {
        case ScriptedDialogs::Kind::MsgBox: return "message box";
        case ScriptedDialogs::Kind::InputBox: return "input box";
        case ScriptedDialogs::Kind::OpenFile: return "open-file dialog";
        case ScriptedDialogs::Kind::SaveFile: return "save-file dialog";
        case ScriptedDialogs::Kind::Color: return "colour dialog";
    }
    return "dialog";
}
}  // namespace

ScriptedDialogs::ScriptedDialogs() : previous_(&vx::dialogs()) { vx::setDialogs(this); }

ScriptedDialogs::~ScriptedDialogs() {
    // The program's own default is installed as nullptr; anything else was installed by a test.
    vx::setDialogs(nullptr);
    if (previous_ != &vx::dialogs()) vx::setDialogs(previous_);
}

ScriptedDialogs& ScriptedDialogs::expectMsgBox(int answer, const QString& promptContains,
                                               std::function<void()> whileShown) {
    script_.push_back({Kind::MsgBox, promptContains, answer, {}, {}, std::move(whileShown)});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::expectInputBox(const QString& answer, const QString& promptContains) {
    script_.push_back({Kind::InputBox, promptContains, 0, answer, {}, {}});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::expectOpenFile(const QString& answer) {
    script_.push_back({Kind::OpenFile, {}, 0, answer, {}, {}});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::expectSaveFile(const QString& answer) {
    script_.push_back({Kind::SaveFile, {}, 0, answer, {}, {}});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::expectColor(std::optional<std::int32_t> answer) {
    script_.push_back({Kind::Color, {}, 0, {}, answer, {}});
    return *this;
}

QStringList ScriptedDialogs::prompts() const {
    QStringList out;
    for (const auto& s : shown_) out << s.prompt;
    return out;
}

void ScriptedDialogs::clear() {
    script_.clear();
    shown_.clear();
    beeps_ = 0;
}

void ScriptedDialogs::standIn() const {
    if (!modal_) return;
    QDialog window(vx::MdiFrame::instance());
    QTimer::singleShot(0, &window, &QDialog::accept);
    window.exec();
}

std::optional<ScriptedDialogs::Expected> ScriptedDialogs::take(Kind kind, const QString& prompt) {
    standIn();
    if (script_.empty() || script_.front().kind != kind) {
        const QString msg = QStringLiteral("unexpected %1: %2").arg(QString::fromLatin1(kindName(kind)), prompt);
        QTest::qFail(qPrintable(msg), __FILE__, __LINE__);
        return std::nullopt;
    }
    Expected e = script_.front();
    script_.pop_front();
    if (!e.contains.isEmpty() && !prompt.contains(e.contains)) {
        const QString msg = QStringLiteral("%1 \"%2\" does not contain \"%3\"")
                                .arg(QString::fromLatin1(kindName(kind)), prompt, e.contains);
        QTest::qFail(qPrintable(msg), __FILE__, __LINE__);
    }
    return e;
}

int ScriptedDialogs::msgBox(const QString& prompt, int style, const QString& title) {
    shown_.push_back({Kind::MsgBox, prompt, title, style});
    const auto e = take(Kind::MsgBox, prompt);
    if (e && e->whileShown) e->whileShown();
    if (e) return e->answer;
    // Unexpected: the safe answer, so the code under test does nothing destructive.
    switch (style & 7) {
        case vx::vbOKCancel: case vx::vbRetryCancel: return vx::vbCancel;
        case vx::vbYesNo: case vx::vbYesNoCancel: return vx::vbNo;
        default: return vx::vbOK;
    }
}

QString ScriptedDialogs::inputBox(const QString& prompt, const QString& title, const QString&) {
    shown_.push_back({Kind::InputBox, prompt, title, 0});
    const auto e = take(Kind::InputBox, prompt);
    return e ? e->text : QString();
}

QString ScriptedDialogs::openFile(const QString& title, const QString& filter, const QString& initial) {
    shown_.push_back({Kind::OpenFile, title, title, 0, filter, initial});
    const auto e = take(Kind::OpenFile, title);
    return e ? e->text : QString();
}

QString ScriptedDialogs::saveFile(const QString& title, const QString& filter, const QString& initial) {
    shown_.push_back({Kind::SaveFile, title, title, 0, filter, initial});
    const auto e = take(Kind::SaveFile, title);
    return e ? e->text : QString();
}

std::optional<std::int32_t> ScriptedDialogs::chooseColor(std::int32_t) {
    shown_.push_back({Kind::Color, {}, {}, 0});
    const auto e = take(Kind::Color, {});
    return e ? e->color : std::nullopt;
}

}  // namespace vxtest
