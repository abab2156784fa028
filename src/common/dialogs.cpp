#include "common/dialogs.h"

namespace vx {
namespace {

// Used when nothing else is installed (a logic test that forgot its script): never blocks.
class SilentDialogs final : public DialogService {
public:
    int msgBox(const QString& prompt, int style, const QString&) override {
        qWarning("unanswered message box: %s", qPrintable(prompt));
        switch (style & 7) {
            case vbOKCancel: return vbCancel;
            case vbYesNo: case vbYesNoCancel: return vbNo;
            default: return vbOK;
        }
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<std::int32_t> chooseColor(std::int32_t) override { return std::nullopt; }
    void beep() override {}
};

SilentDialogs silent;
DialogService* defaultService = &silent;
DialogService* current = nullptr;
DialogWatcher* watcher = nullptr;

// The installed service, with the watcher told before each dialog stands and after it is answered.
class Watched final : public DialogService {
    template <class Show>
    static auto watched(Show show) {
        DialogWatcher* w = watcher;
        if (w) w->dialogOpening();
        auto answer = show(installedDialogs());
        if (w && w == watcher) w->dialogClosed();
        return answer;
    }

public:
    int msgBox(const QString& prompt, int style, const QString& title) override {
        return watched([&](DialogService& s) { return s.msgBox(prompt, style, title); });
    }
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override {
        return watched([&](DialogService& s) { return s.inputBox(prompt, title, defaultText); });
    }
    QString openFile(const QString& title, const QString& filter, const QString& initial) override {
        return watched([&](DialogService& s) { return s.openFile(title, filter, initial); });
    }
    QString saveFile(const QString& title, const QString& filter, const QString& initial) override {
        return watched([&](DialogService& s) { return s.saveFile(title, filter, initial); });
    }
    std::optional<std::int32_t> chooseColor(std::int32_t initial) override {
        return watched([&](DialogService& s) { return s.chooseColor(initial); });
    }
    void beep() override { installedDialogs().beep(); }
};
Watched watchedService;

}  // namespace

QString defaultTitle() { return QStringLiteral("Vorlix32"); }

DialogService& dialogs() { return watchedService; }
DialogService& installedDialogs() { return current ? *current : *defaultService; }
void setDialogWatcher(DialogWatcher* w) { watcher = w; }
void setDialogs(DialogService* service) { current = service; }
void setDefaultDialogs(DialogService* service) { defaultService = service ? service : &silent; }

}  // namespace vx
