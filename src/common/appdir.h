#pragma once
// The program's folder: the executable's folder, or VORLIX_HOME when set.
#include <QString>

namespace vx {
QString programFolder();
// A file name relative to the program's folder, joined with "/".
QString inProgramFolder(const QString& name);
// Makes the program's folder the current directory; false when it cannot be entered.
bool enterProgramFolder();
// The one spelling of the database file name.
inline const QString DatabaseFileName = QStringLiteral("Vorlix.mdb");
}  // namespace vx
