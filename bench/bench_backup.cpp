// The day's backup file as the score entry rewrites it at a refresh, for a sheet of 3 and of 5
// players × 4 games: after a change of the sheet (the file built and replaced), and with nothing
// changed (nothing written), beside the bare write of the same bytes (a temporary file, one write,
// fsync, rename by the system's own calls), alternating run by run.
#include "club_history.h"
#include "common/module1.h"
#include "recording/exchange.h"
#include "recording/exchange_codec.h"
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

void bareWrite(const QString& path, const QByteArray& bytes) {
    const QByteArray target = QFile::encodeName(path), temp = target + ".bare";
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0 || ::write(fd, bytes.constData(), std::size_t(bytes.size())) != bytes.size() || ::fsync(fd) != 0) std::exit(1);
    ::close(fd);
    if (std::rename(temp.constData(), target.constData()) != 0) std::exit(1);
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

// bench_backup [runs]
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 101;
    QTemporaryDir home;
    qputenv("VORLIX_HOME", home.path().toLocal8Bit());
    QDir::setCurrent(home.path());
    using namespace Module1;
    std::printf("players  bytes  changed ms  unchanged ms  floor ms  ratio   (median of %d runs)\n", runs);
    for (int players : {3, 5}) {
        resetAll();
        LastPlayer = 35, LastGame = 3, MatchYear = 2026, MatchMonth = 5, MatchDay = 17;
        PlayerIds.assign(36, -1);
        PlayerNames.assign(36, QStringLiteral("選手名未入力"));
        PlayerHcps.assign(36, 0);
        ScoreSheet.redim(0, 35, 0, 3);
        for (int s = 0; s < players; ++s) {
            PlayerIds[std::size_t(s)] = std::int16_t(11 + s);
            PlayerNames[std::size_t(s)] = QStringLiteral("会員%1").arg(s);
            for (int g = 0; g <= 3; ++g) ScoreSheet(s, g) = vx::exchange::notEnteredRecord();
        }
        const QString path = home.filePath(vx::exchange::backupFileName()), bare = home.filePath(QStringLiteral("bare.bup"));
        std::vector<double> changed, unchanged, floor;
        qsizetype bytes = 0;
        for (int i = 0; i <= runs; ++i) {  // run 0 warms up
            ScoreSheet(0, 0).Marks[0] = i % 2 ? QStringLiteral("１") : QStringLiteral("２");
            QElapsedTimer t;
            t.start();
            vx::exchange::Cmd_Data_IO_Click(2);
            const double c = vxbench::msSince(t);
            t.restart();
            vx::exchange::Cmd_Data_IO_Click(2);
            const double u = vxbench::msSince(t);
            const QByteArray written = fileBytes(path);
            bytes = written.size();
            t.restart();
            bareWrite(bare, written);
            const double b = vxbench::msSince(t);
            if (i == 0) continue;
            changed.push_back(c), unchanged.push_back(u), floor.push_back(b);
        }
        const double c = vxbench::median(changed), u = vxbench::median(unchanged), b = vxbench::median(floor);
        std::printf("%7d  %5lld  %10.3f  %12.4f  %8.3f  %5.2f\n", players, static_cast<long long>(bytes), c, u, b, c / b);
    }
    return 0;
}
