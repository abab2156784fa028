#pragma once
// A dialog service for tests: answers from a queue of expected dialogs, records everything shown and
// fails the running test on any dialog nobody expected.
#include "common/dialogs.h"
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

namespace vxtest {

class ScriptedDialogs final : public vx::DialogService {
public:
    enum class Kind { MsgBox, InputBox, OpenFile, SaveFile, Color };

    struct Shown {
        Kind kind;
        QString prompt;  // prompt, or title of a file dialog
        QString title;
        int style = 0;
        QString filter{}, initial{};  // of a file dialog
    };

    // Installs itself; the destructor restores the previous service.
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Expect a message box; `promptContains` (when not empty) must occur in its prompt.
    // `whileShown` runs while the box stands, before it is answered (what the user sees behind it).
    ScriptedDialogs& expectMsgBox(int answer, const QString& promptContains = {},
                                  std::function<void()> whileShown = {});
    ScriptedDialogs& expectInputBox(const QString& answer, const QString& promptContains = {});
    ScriptedDialogs& expectOpenFile(const QString& answer);
    ScriptedDialogs& expectSaveFile(const QString& answer);
    ScriptedDialogs& expectColor(std::optional<std::int32_t> answer);

    // Every dialog also puts up a real modal window for a moment, so the program's windows lose
    // the activation as they do behind a real dialog.
    ScriptedDialogs& modal(bool on = true) { modal_ = on; return *this; }

    const std::deque<Shown>& shown() const { return shown_; }
    QStringList prompts() const;
    int beeps() const { return beeps_; }
    bool allAnswered() const { return script_.empty(); }
    void clear();

    int msgBox(const QString& prompt, int style, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFile(const QString& title, const QString& filter, const QString& initial) override;
    QString saveFile(const QString& title, const QString& filter, const QString& initial) override;
    std::optional<std::int32_t> chooseColor(std::int32_t initial) override;
    void beep() override { ++beeps_; }

private:
    struct Expected {
        Kind kind;
        QString contains;
        int answer = 0;
        QString text;
        std::optional<std::int32_t> color;
        std::function<void()> whileShown;
    };
    // Takes the next expected entry for a dialog of `kind`, or fails the test.
    std::optional<Expected> take(Kind kind, const QString& prompt);
    void standIn() const;

    std::deque<Expected> script_;
    std::deque<Shown> shown_;
    int beeps_ = 0;
    bool modal_ = false;
    vx::DialogService* previous_ = nullptr;
};

}  // namespace vxtest
