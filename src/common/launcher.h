#pragma once
// Starts another program (the browser with a page) without waiting and never through a shell.
#include <QString>
#include <QStringList>
#include <functional>

namespace vx::launcher {

// Starts the browser command line with one argument (a page's path or an address).
// The other platform's default browser path stands for xdg-open. False when nothing could start.
bool openWith(const QString& browserCommandLine, const QString& argument);

// Splits a command line into program and arguments (quotes group words).
QStringList splitCommandLine(const QString& commandLine);

// Tests record the program and arguments instead of starting anything.
using Runner = std::function<bool(const QString& program, const QStringList& args)>;
void setRunner(Runner runner);  // empty restores the real one

// The browser command line as the settings store keeps it (section setting, value brw).
QString browserCommandLine();
// Opens a page of the program's folder (a help page) in the browser.
bool openHelp(const QString& pageName);

}  // namespace vx::launcher
