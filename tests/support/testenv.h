#pragma once
// A private program folder and settings folder for one test, a fixed clock, and a fresh database.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class QWidget;

namespace vxtest {

class TestEnv {
public:
    // withDatabase: writes Vorlix.mdb from the schema into the program folder.
    explicit TestEnv(bool withDatabase = true);
    ~TestEnv();
    QString home() const { return home_.path(); }
    QString path(const QString& name) const { return home() + QLatin1Char('/') + name; }

private:
    QTemporaryDir home_;
    QTemporaryDir config_;
};

// Writes a fresh Vorlix.mdb from the schema into the program folder and opens it as the run's
// connection (TestEnv already wrote one; this starts it over).
bool freshProgramDb();
// Runs a statement on the program folder's database (fixtures).
bool execSql(const QString& sql);
// Saves a window's picture under the build folder's screenshots/ (not committed), and fails the
// test where a control's text does not show whole or covers another's, unless the fault contains
// one of `accepted`.
QString saveShot(QWidget* widget, const QString& name, const QStringList& accepted = {});
// What saveShot finds: each control whose text is cut, each pair whose texts overlap.
QStringList layoutFaults(QWidget* root);
// Destroys every window and the main frame, and forgets the shared state.
void resetUi();

}  // namespace vxtest
