#include "common/dialogs.h"
#include <cstdio>

namespace vx {
namespace {

// Used when nothing else is installed (a logic test that forgot its script): never blocks.
class SilentDialogs final : public DialogService {
public:
    int msgBox(const QString& prompt, int style, const QString&) override {
        std::fprintf(stderr, "unanswered message box: %s\n", qPrintable(prompt));
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

}  // namespace

QString defaultTitle() { return QStringLiteral("Vorlix32"); }

DialogService& dialogs() { return current ? *current : *defaultService; }
void setDialogs(DialogService* service) { current = service; }
void setDefaultDialogs(DialogService* service) { defaultService = service ? service : &silent; }

}  // namespace vx
