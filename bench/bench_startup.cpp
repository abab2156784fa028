// Time from process start to the start menu shown: runs the program, which ends itself once the
// start menu stands, in a private program folder and settings folder.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

static void BM_ProcessStartToStartMenu(benchmark::State& state) {
    QTemporaryDir home, config;
    const QString exe = QStringLiteral(VORLIX_EXE);
    QFile::copy(QStringLiteral(VORLIX_DB), home.path() + QStringLiteral("/Vorlix.mdb"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VORLIX_HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("VORLIX_QUIT_WHEN_SHOWN"), QStringLiteral("1"));
    for (auto _ : state) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(exe, {});
        if (!p.waitForFinished(30000) || p.exitCode() != 0) state.SkipWithError("program did not start");
    }
}
BENCHMARK(BM_ProcessStartToStartMenu)->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
