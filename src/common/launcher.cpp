#include "common/launcher.h"
#include "common/appdir.h"
#include "common/settingskeys.h"
#include <QFileInfo>
#include <QProcess>

namespace vx::launcher {
namespace {
Runner runner;
}  // namespace

QStringList splitCommandLine(const QString& commandLine) { return QProcess::splitCommand(commandLine); }

bool openWith(const QString& browserCommandLine, const QString& argument) {
    const QString cmd = browserCommandLine.trimmed();
    QString program;
    QStringList args;
    if (cmd.isEmpty() || cmd.compare(settings::keys::Browser.defaultText, Qt::CaseInsensitive) == 0) {
        program = QStringLiteral("xdg-open");
    } else if (QFileInfo::exists(cmd)) {
        program = cmd;  // a path with blanks in it names one program
    } else {
        args = splitCommandLine(cmd);
        if (args.isEmpty()) return false;
        program = args.takeFirst();
    }
    args << argument;
    if (runner) return runner(program, args);
    return QProcess::startDetached(program, args);
}

void setRunner(Runner r) { runner = std::move(r); }

QString browserCommandLine() {
    return settings::read(settings::keys::Browser);
}

bool openHelp(const QString& pageName) { return openWith(browserCommandLine(), inProgramFolder(pageName)); }

}  // namespace vx::launcher
