#include "recording/exchange.h"
#include "common/module1.h"

namespace vx::exchange {

void Cmd_Data_IO_Click(int) {}
void offerRecovery() {}

QString backupFileName() {
    return QStringLiteral("B_%1%2%3.bup")
        .arg(Module1::MatchYear % 100, 2, 10, QLatin1Char('0'))
        .arg(int(Module1::MatchMonth), 2, 10, QLatin1Char('0'))
        .arg(int(Module1::MatchDay), 2, 10, QLatin1Char('0'));
}

}  // namespace vx::exchange
