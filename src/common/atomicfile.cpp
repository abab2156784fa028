#include "common/atomicfile.h"
#include <QFileInfo>
#include <QRandomGenerator>
#include <cstdio>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace vx {

bool AtomicFile::fail(const QString& why) {
    error_ = why;
    discard();
    return false;
}

bool AtomicFile::open() {
    const QFileInfo target(path_);
    const auto permissions = target.exists() ? target.permissions()
                                             : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                   QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
    // Unbuffered, so that a short write fails the write() that made it.
    const auto mode = QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp_.setFileName(target.absoluteFilePath() + QLatin1Char('.') +
                          QString::number(QRandomGenerator::global()->bounded(0x1000000), 36) + QStringLiteral(".tmp"));
        if (temp_.open(mode, permissions)) {
            // The umask may have narrowed what the replaced file allowed.
            if (target.exists()) temp_.setPermissions(permissions);
            return true;
        }
        if (!temp_.exists()) break;  // a failure other than a name taken
    }
    error_ = temp_.errorString();
    temp_.setFileName(QString());
    return false;
}

bool AtomicFile::write(const QByteArray& bytes) {
    if (!temp_.isOpen()) return fail(QStringLiteral("file not open"));
    return temp_.write(bytes) == bytes.size() || fail(temp_.errorString());
}

bool AtomicFile::commit(Target target) {
    if (!temp_.isOpen()) return fail(QStringLiteral("file not open"));
#ifdef Q_OS_UNIX
    if (::fsync(temp_.handle()) != 0) return fail(QStringLiteral("cannot flush ") + path_);
#endif
    temp_.close();
    if (temp_.error() != QFileDevice::NoError) return fail(temp_.errorString());
    // QFile::rename never replaces a file, not even one that appeared meanwhile.
    const bool renamed = target == Target::Replace ? replaceFile(temp_.fileName(), path_)
                                                   : QFile::rename(temp_.fileName(), path_);
    if (!renamed) return fail(QStringLiteral("cannot rename to ") + path_);
    committed_ = true;
    return true;
}

void AtomicFile::discard() {
    temp_.close();
    if (!committed_ && !temp_.fileName().isEmpty()) QFile::remove(temp_.fileName());
    temp_.setFileName(QString());
}

bool writeWhole(const QString& path, const QByteArray& bytes, QString* error) {
    AtomicFile f(path);
    if (f.open() && f.write(bytes) && f.commit()) return true;
    if (error) *error = f.errorString();
    return false;
}

bool replaceFile(const QString& from, const QString& to) {
    // POSIX rename replaces the target in one step, so it is never half there.
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

}  // namespace vx
