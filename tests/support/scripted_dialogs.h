#pragma once
// A dialog service for tests: answers from a script, records every text shown, and fails the
// running test on any dialog nobody expected.
#include "common/dialogs.h"
#include <QStringList>
#include <deque>
#include <variant>

namespace vxtest {

struct Shown {
    QString kind;   // "msgbox", "input", "open", "save", "color"
    QString prompt;
    int style = 0;
    QString title;
};

class ScriptedDialogs final : public vx::DialogService {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // Each expectation answers the next dialog of its kind; a prompt text, when given, must match.
    ScriptedDialogs& answerMsgBox(int result, const QString& expectedPrompt = {});
    ScriptedDialogs& answerInput(const QString& text, const QString& expectedPrompt = {});
    ScriptedDialogs& answerOpen(const QString& path);
    ScriptedDialogs& answerSave(const QString& path);
    ScriptedDialogs& answerColor(std::optional<std::int32_t> color);

    const std::vector<Shown>& shown() const { return shown_; }
    QStringList prompts() const;
    int beeps() const { return beeps_; }
    // True when every scripted answer was used.
    bool done() const { return script_.empty(); }

    int msgBox(const QString& prompt, int style, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFile(const QString& title, const QString& filter, const QString& initial) override;
    QString saveFile(const QString& title, const QString& filter, const QString& initial) override;
    std::optional<std::int32_t> chooseColor(std::int32_t initial) override;
    void beep() override { ++beeps_; }

private:
    struct Step {
        QString kind;
        QString expectedPrompt;
        std::variant<int, QString, std::optional<std::int32_t>> answer;
    };
    Step take(const QString& kind, const QString& prompt);
    std::deque<Step> script_;
    std::vector<Shown> shown_;
    int beeps_ = 0;
};

}  // namespace vxtest
