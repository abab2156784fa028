#pragma once
// Windows one subsystem opens in another, by name: the executable registers them, so no subsystem
// includes another's windows, and the start menu, the waiting window and later windows are reached
// the same way from everywhere.
#include "platform/form.h"
#include <QString>
#include <functional>

namespace vx::forms {

struct Registered {
    std::function<Form&()> open;      // loads it on first use
    std::function<Form*()> loaded;    // nullptr when not loaded
};
void registerWindow(const QString& name, Registered how);
template <class T>
void registerWindow(const QString& name) {
    registerWindow(name, {[]() -> Form& { return get<T>(); }, []() -> Form* { return loaded<T>(); }});
}

// The window of that name, loaded if needed; nullptr when no window has that name.
Form* open(const QString& name);
// The window of that name when it is loaded.
Form* loadedByName(const QString& name);
// Shows the window of that name; false when there is none.
bool show(const QString& name);

// The start menu, where every function is opened and every road ends.
inline constexpr const char* StartMenu = "Form_Start";
inline void showStartMenu() { show(QString::fromLatin1(StartMenu)); }

// The shared waiting window around long work: shown and painted before the work starts; hiding it
// is harmless when it is not open.
void showWaiting();
void hideWaiting();

}  // namespace vx::forms
