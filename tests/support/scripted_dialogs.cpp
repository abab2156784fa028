#include "scripted_dialogs.h"
#include <QTest>

namespace vxtest {

ScriptedDialogs::ScriptedDialogs() { vx::setDialogs(this); }
ScriptedDialogs::~ScriptedDialogs() { vx::setDialogs(nullptr); }

ScriptedDialogs& ScriptedDialogs::answerMsgBox(int result, const QString& p) { script_.push_back({QStringLiteral("msgbox"), p, result}); return *this; }
ScriptedDialogs& ScriptedDialogs::answerInput(const QString& text, const QString& p) { script_.push_back({QStringLiteral("input"), p, text}); return *this; }
ScriptedDialogs& ScriptedDialogs::answerOpen(const QString& path) { script_.push_back({QStringLiteral("open"), {}, path}); return *this; }
ScriptedDialogs& ScriptedDialogs::answerSave(const QString& path) { script_.push_back({QStringLiteral("save"), {}, path}); return *this; }
ScriptedDialogs& ScriptedDialogs::answerColor(std::optional<std::int32_t> c) { script_.push_back({QStringLiteral("color"), {}, c}); return *this; }

QStringList ScriptedDialogs::prompts() const {
    QStringList out;
    for (const Shown& s : shown_) out << s.prompt;
    return out;
}

ScriptedDialogs::Step ScriptedDialogs::take(const QString& kind, const QString& prompt) {
    if (script_.empty() || script_.front().kind != kind) {
        const QString msg = QStringLiteral("unexpected %1: %2").arg(kind, prompt);
        QTest::qFail(qPrintable(msg), __FILE__, __LINE__);
        return {kind, {}, kind == QLatin1String("msgbox") ? std::variant<int, QString, std::optional<std::int32_t>>(vx::vbCancel)
                                                        : std::variant<int, QString, std::optional<std::int32_t>>(QString())};
    }
    Step s = script_.front();
    script_.pop_front();
    if (!s.expectedPrompt.isEmpty() && s.expectedPrompt != prompt) {
        const QString msg = QStringLiteral("%1 shows \"%2\", expected \"%3\"").arg(kind, prompt, s.expectedPrompt);
        QTest::qFail(qPrintable(msg), __FILE__, __LINE__);
    }
    return s;
}

int ScriptedDialogs::msgBox(const QString& prompt, int style, const QString& title) {
    shown_.push_back({QStringLiteral("msgbox"), prompt, style, title});
    const Step s = take(QStringLiteral("msgbox"), prompt);
    return std::holds_alternative<int>(s.answer) ? std::get<int>(s.answer) : int(vx::vbCancel);
}

QString ScriptedDialogs::inputBox(const QString& prompt, const QString& title, const QString&) {
    shown_.push_back({QStringLiteral("input"), prompt, 0, title});
    const Step s = take(QStringLiteral("input"), prompt);
    return std::holds_alternative<QString>(s.answer) ? std::get<QString>(s.answer) : QString();
}

QString ScriptedDialogs::openFile(const QString& title, const QString&, const QString&) {
    shown_.push_back({QStringLiteral("open"), title, 0, title});
    const Step s = take(QStringLiteral("open"), {});
    return std::holds_alternative<QString>(s.answer) ? std::get<QString>(s.answer) : QString();
}

QString ScriptedDialogs::saveFile(const QString& title, const QString&, const QString&) {
    shown_.push_back({QStringLiteral("save"), title, 0, title});
    const Step s = take(QStringLiteral("save"), {});
    return std::holds_alternative<QString>(s.answer) ? std::get<QString>(s.answer) : QString();
}

std::optional<std::int32_t> ScriptedDialogs::chooseColor(std::int32_t) {
    shown_.push_back({QStringLiteral("color"), {}, 0, {}});
    const Step s = take(QStringLiteral("color"), {});
    return std::holds_alternative<std::optional<std::int32_t>>(s.answer) ? std::get<std::optional<std::int32_t>>(s.answer) : std::nullopt;
}

}  // namespace vxtest
