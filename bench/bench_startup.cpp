// Time from process start to the start menu shown, next to its floor: a bare Qt program showing a
// main window with a Japanese menu and one child window with a Japanese label (minimal_window).
// Both run headless and end once their window stands; they alternate, run by run, in a private
// program folder and settings folder holding a club's history.
#include "club_history.h"
#include <QProcess>
#include <QTemporaryDir>

namespace {

double runOnce(const QString& exe, const QProcessEnvironment& env) {
    QProcess p;
    p.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    p.start(exe, {});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "%s did not start and end: %s\n", qPrintable(exe), p.readAllStandardError().constData());
        std::exit(1);
    }
    return vxbench::msSince(t);
}

void measure(int games, int runs) {
    QTemporaryDir home, config;
    QFile::copy(vxbench::clubHistory(games).file, home.filePath(QStringLiteral("Vorlix.mdb")));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VORLIX_HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("VORLIX_QUIT_WHEN_SHOWN"), QStringLiteral("1"));
    std::vector<double> program, floor;
    for (int i = 0; i <= runs; ++i) {  // run 0 warms up both
        const double p = runOnce(QStringLiteral(VORLIX_EXE), env), f = runOnce(QStringLiteral(MINIMAL_WINDOW_EXE), env);
        if (i == 0) continue;
        program.push_back(p);
        floor.push_back(f);
    }
    const double p = vxbench::median(program), f = vxbench::median(floor);
    std::printf("%9d  %10.1f  %8.1f  %5.2f\n", games, p, f, p / f);
    std::fflush(stdout);
}

}  // namespace

// bench_startup [runs]
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 21;
    std::printf("stored games  program ms  floor ms  ratio   (median of %d starts, headless)\n", runs);
    for (int games : {1000, 1000000}) measure(games, runs);
    return 0;
}
