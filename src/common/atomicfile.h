#pragma once
// A file replaced whole or not at all: written into a temporary file in the same folder, flushed
// to disk, then renamed over the target. On any failure (a short write too) the temporary file
// goes and the old file stays as it was.
#include <QFile>
#include <QString>

namespace vx {

class AtomicFile {
public:
    explicit AtomicFile(const QString& path) : path_(path) {}
    ~AtomicFile() { discard(); }
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file, with the permissions of the file it replaces or of a new file.
    bool open();
    bool write(const QByteArray& bytes);  // all of them, or a failure
    // The temporary file, for a writer of its own (SQLite) to fill before commit().
    QString tempPath() const { return temp_.fileName(); }
    enum class Target { Replace, MustNotExist };
    bool commit(Target target = Target::Replace);
    void discard();  // the target stays as it was
    QString errorString() const { return error_; }

private:
    bool fail(const QString& why);
    QString path_;
    QFile temp_;
    QString error_;
    bool committed_ = false;
};

// Removes the temporary files that writes of path killed part way left beside it ("<path>.<r>.tmp"),
// except those of writes still open here. Opening a write of path does it first.
void removeLeftovers(const QString& path);

// Writes bytes as the whole new content of path.
bool writeWhole(const QString& path, const QByteArray& bytes, QString* error = nullptr);
// Renames from to to in one step, replacing a file there.
bool replaceFile(const QString& from, const QString& to);

}  // namespace vx
