// Time from process start to the start menu shown (painted), next to its floor: a bare Qt program showing a
// main window with a Japanese menu and one child window with a Japanese label (minimal_window).
// Both run headless and end once their window stands; they alternate, run by run, in a private
// program folder and settings folder holding a club's history.
#include "club_history.h"
#include <QProcess>
#include <QTemporaryDir>

namespace {

// Milliseconds from starting the process to its word that the window stands and is painted.
double runOnce(const QString& exe, const QProcessEnvironment& env) {
    QProcess p;
    p.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    p.start(exe, {});
    while (!p.canReadLine() && p.waitForReadyRead(60000)) {}
    const double shown = vxbench::msSince(t);
    if (!p.readLine().startsWith("shown") || !p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit ||
        p.exitCode() != 0) {
        std::fprintf(stderr, "%s did not start and end: %s\n", qPrintable(exe), p.readAllStandardError().constData());
        std::exit(1);
    }
    return shown;
}

void measure(int games, int runs) {
    QTemporaryDir home, config;
    QFile::copy(vxbench::clubHistory(games).file, home.filePath(QStringLiteral("Vorlix.mdb")));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VORLIX_HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("VORLIX_QUIT_WHEN_SHOWN"), QStringLiteral("1"));
    std::vector<double> program, floor, ratio;
    for (int i = 0; i <= runs; ++i) {  // run 0 warms up both
        const double p = runOnce(QStringLiteral(VORLIX_EXE), env), f = runOnce(QStringLiteral(MINIMAL_WINDOW_EXE), env);
        if (i == 0) continue;
        program.push_back(p);
        floor.push_back(f);
        ratio.push_back(p / f);  // each pair ran back to back, under the same load
    }
    std::printf("%9d  %10.1f  %8.1f  %5.2f\n", games, vxbench::median(program), vxbench::median(floor), vxbench::median(ratio));
    std::fflush(stdout);
}

}  // namespace

// bench_startup [runs]
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 21;
    std::printf("stored games  program ms  floor ms  ratio   (medians of %d starts each, headless; ratio of pairs)\n", runs);
    for (int games : {1000, 1000000}) measure(games, runs);
    return 0;
}
