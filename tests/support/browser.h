#pragma once
// Headless chromium on a published page: its DOM or a picture of it. Tests skip where it is missing.
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

namespace vxtest {

// The browser's program; empty where chromium is not installed.
inline QString chromiumProgram() { return QStandardPaths::findExecutable(QStringLiteral("chromium")); }

// Runs headless chromium on the page with these arguments; its standard output.
inline QByteArray chromium(const QString& program, const QString& page, const QStringList& args) {
    QTemporaryDir profile;
    QProcess p;
    p.start(program, QStringList{"--headless", "--no-sandbox", "--disable-gpu", "--user-data-dir=" + profile.path()} + args +
                         QStringList{QUrl::fromLocalFile(page).toString()});
    if (!p.waitForFinished(60000)) p.kill();
    return p.readAllStandardOutput();
}

}  // namespace vxtest
