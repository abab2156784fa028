#pragma once
// Database upkeep from the settings dialog: compaction with one backup generation, and the
// player-name file of the handheld edition. No windows here; the dialog asks and reports.
#include "common/atomicfile.h"
#include <QString>
#include <functional>

namespace vx::dbmaint {

inline const QString NewFileName = QStringLiteral("VORLIXNEW.MDB");
inline const QString BackupFileName = QStringLiteral("VORLIX.BAK");

QString compactQuestion();
QString compactDoneMessage();
QString exportIntroMessage();
QString exportDoneMessage();

// Renames a file, replacing the target. Tests put in one that fails.
using RenameFn = std::function<bool(const QString& from, const QString& to)>;

struct Outcome {
    bool ok = false;
    QString message;  // what to tell the user when it failed
};

// In the program's folder: checks the database, writes a compacted copy to VORLIXNEW.MDB,
// then, with the run's connection closed, makes the database VORLIX.BAK and the copy the
// database, and opens it again. Any failure leaves the database in place, usable and open.
Outcome compact(const RenameFn& rename = replaceFile);

// Writes every player but the reserved row 0, by ID: "0007","name      " in CP932 with CR LF.
Outcome exportPlayerNames(const QString& path);

}  // namespace vx::dbmaint
