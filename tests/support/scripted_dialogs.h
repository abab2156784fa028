#pragma once
// A dialog service for tests: answers from a queue of expected dialogs, records everything shown,
// fails the running test on any dialog nobody expected and, when destroyed, on one that never came.
// Each dialog takes the keyboard from the windows, as a real one does.
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
    ScriptedDialogs& expectMsgBox(int answer, const QString& promptContains = {}, std::function<void()> whileShown = {}) {
        return expect(Kind::MsgBox, promptContains, answer, {}, {}, std::move(whileShown));
    }
    ScriptedDialogs& expectInputBox(const QString& answer, const QString& promptContains = {}) {
        return expect(Kind::InputBox, promptContains, 0, answer);
    }
    ScriptedDialogs& expectOpenFile(const QString& answer) { return expect(Kind::OpenFile, {}, 0, answer); }
    ScriptedDialogs& expectSaveFile(const QString& answer) { return expect(Kind::SaveFile, {}, 0, answer); }
    ScriptedDialogs& expectColor(std::optional<std::int32_t> answer) { return expect(Kind::Color, {}, 0, {}, answer); }

    // Every dialog also puts up a real modal window for a moment, so the program's windows lose
    // the activation as they do behind a real dialog.
    ScriptedDialogs& modal(bool on = true) { modal_ = on; return *this; }

    // Dialogs nobody expected get the safe answer (no, cancel, no file) without failing the test.
    ScriptedDialogs& lenient(bool on = true) { lenient_ = on; return *this; }

    const std::deque<Shown>& shown() const { return shown_; }
    QStringList prompts() const;
    int beeps() const { return beeps_; }
    bool allAnswered() const { return script_.empty(); }

    int msgBox(const QString& prompt, int style, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString&) override {
        return answer(Kind::InputBox, prompt, title).text;
    }
    QString openFile(const QString& title, const QString& filter, const QString& initial) override {
        return answer(Kind::OpenFile, title, title, 0, filter, initial).text;
    }
    QString saveFile(const QString& title, const QString& filter, const QString& initial) override {
        return answer(Kind::SaveFile, title, title, 0, filter, initial).text;
    }
    std::optional<std::int32_t> chooseColor(std::int32_t) override { return answer(Kind::Color, {}, {}).color; }
    void beep() override { ++beeps_; }

private:
    struct Expected {
        Kind kind;
        QString contains;
        int answer = 0;
        QString text;
        std::optional<std::int32_t> color;
        std::function<void()> whileShown;
        bool unexpected = false;
    };
    ScriptedDialogs& expect(Kind kind, const QString& contains, int answer, const QString& text = {},
                            std::optional<std::int32_t> color = {}, std::function<void()> whileShown = {}) {
        script_.push_back({kind, contains, answer, text, color, std::move(whileShown), false});
        return *this;
    }
    // Records the dialog and takes the next expected entry, or fails the test (`unexpected` set).
    Expected answer(Kind kind, const QString& prompt, const QString& title, int style = 0, const QString& filter = {},
                    const QString& initial = {});

    std::deque<Expected> script_;
    std::deque<Shown> shown_;
    int beeps_ = 0;
    bool modal_ = false;
    bool lenient_ = false;
    vx::DialogService* previous_ = nullptr;
};

}  // namespace vxtest
