#pragma once
// What the user sees of the window on top after each action a window test takes: every control's
// shown and enabled state, its text, check or value, each grid's size and current cell, each menu
// entry, and where the keyboard is. Kept per test function beside the tests; a run that sees
// otherwise fails with the first step that differs. VX_KEEP_STATES set writes what is seen as the
// new record (review the difference before committing it).
#include <QString>
#include <QStringList>
#include <functional>

namespace vxtest::journal {

// Starts recording for the current test function; `home` is written as "~".
void start(const QString& home);
// Notes the state after an action described by `what`.
void note(const QString& what);
// Notes a dialog put up during the action under way.
void dialog(const QString& what);
// Lines the test adds to every note from now on: state a window keeps out of its controls.
void setExtra(std::function<QStringList()> lines);
// Compares with the kept record (or keeps it); empty when the same.
QString finish();

}  // namespace vxtest::journal
