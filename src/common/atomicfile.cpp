#include "common/atomicfile.h"
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QRandomGenerator>
#include <cstdio>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace vx {

namespace {

constexpr int TagBase = 36;
constexpr int TagRange = 0x1000000;  // at most five digits in base 36
const QString TempSuffix = QStringLiteral(".tmp");

// The temporary files of writes open in this process: never a leftover.
QSet<QString>& openTemps() {
    static QSet<QString> names;
    return names;
}

// "<target>.<1 to 5 digits of base 36>.tmp", and SQLite's journal of such a file.
bool isTempOf(const QString& name, const QString& target) {
    if (!name.startsWith(target + QLatin1Char('.'))) return false;
    QString rest = name.mid(target.size() + 1);
    if (rest.endsWith(QLatin1String("-journal"))) rest.chop(8);
    if (!rest.endsWith(TempSuffix)) return false;
    rest.chop(TempSuffix.size());
    if (rest.isEmpty() || rest.size() > 5) return false;
    for (QChar c : rest)
        if (!(c >= QLatin1Char('0') && c <= QLatin1Char('9')) && !(c >= QLatin1Char('a') && c <= QLatin1Char('z'))) return false;
    return true;
}

}  // namespace

void removeLeftovers(const QString& path) {
    const QFileInfo target(path);
    const QDir folder = target.absoluteDir();
    const QStringList names = folder.entryList({QStringLiteral("*.tmp"), QStringLiteral("*.tmp-journal")},
                                               QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QString full = folder.absoluteFilePath(name);
        if (isTempOf(name, target.fileName()) && !openTemps().contains(full)) QFile::remove(full);
    }
}

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
    removeLeftovers(path_);
    // Unbuffered, so that a short write fails the write() that made it.
    const auto mode = QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp_.setFileName(target.absoluteFilePath() + QLatin1Char('.') +
                          QString::number(QRandomGenerator::global()->bounded(TagRange), TagBase) + TempSuffix);
        if (temp_.open(mode, permissions)) {
            openTemps().insert(temp_.fileName());
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
    openTemps().remove(temp_.fileName());
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
