#include "platform/registry.h"
#include <map>

namespace vx::forms {
namespace {
std::map<QString, Registered>& table() {
    static std::map<QString, Registered> t;
    return t;
}
const QString WaitingWindow = QStringLiteral("Form_Wait");
}  // namespace

void registerWindow(const QString& name, Registered how) { table()[name] = std::move(how); }

Form* open(const QString& name) {
    auto it = table().find(name);
    return it == table().end() ? nullptr : &it->second.open();
}

Form* loadedByName(const QString& name) {
    auto it = table().find(name);
    return it == table().end() ? nullptr : it->second.loaded();
}

bool show(const QString& name) {
    Form* f = open(name);
    if (f) f->Show();
    return f;
}

void showWaiting() {
    if (Form* f = open(WaitingWindow)) f->ShowNow();
}

void hideWaiting() {
    if (Form* f = loadedByName(WaitingWindow)) f->Hide();
}

}  // namespace vx::forms
