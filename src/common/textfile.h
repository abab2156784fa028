#pragma once
// Sequential text files in CP932 as the other platform's Print #, Write #, Input # and
// Line Input # wrote and read them. Lines end with CR LF; a character CP932 cannot hold is
// written as "?". Every failure is a TextFileError naming the file and the line.
#include "common/atomicfile.h"
#include <QFile>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <variant>

namespace vx {

class TextFileError : public std::runtime_error {
public:
    TextFileError(const QString& fileName, int line, const QString& reason);
    QString fileName;
    int line;  // 1-based; 0 when the file could not be opened
    QString reason;
};

// One value of a Write # record.
class WriteValue {
public:
    WriteValue(const QString& text) : v_(text) {}                      // NOLINT
    WriteValue(const char* utf8) : v_(QString::fromUtf8(utf8)) {}       // NOLINT
    WriteValue(bool b) : v_(b) {}                                       // NOLINT
    WriteValue(int n) : v_(std::int64_t(n)) {}                          // NOLINT
    WriteValue(long n) : v_(std::int64_t(n)) {}                         // NOLINT
    WriteValue(long long n) : v_(std::int64_t(n)) {}                    // NOLINT
    WriteValue(float f) : v_(f) {}                                      // NOLINT
    WriteValue(double d) : v_(d) {}                                     // NOLINT
    // The text Write # puts into the file for this value.
    QString text() const;

private:
    std::variant<QString, bool, std::int64_t, float, double> v_;
};

// Lines in the Print # / Write # form gathered in memory, in CP932, for a file written whole in
// one go (writeWhole): the same bytes as a TextWriter writes.
class TextLines {
public:
    void Print(const QString& text = {});
    void Write(std::initializer_list<WriteValue> values);
    QByteArray bytes() const;

private:
    QString text_;  // converted once: CP932 holds no state from line to line
};

class TextWriter {
public:
    enum class Mode { Output, Append };
    // Output writes the file whole: it replaces the old one at close(), and only then. Append adds
    // to its end (creating it when missing).
    explicit TextWriter(const QString& path, Mode mode = Mode::Output);
    ~TextWriter();  // closes without reporting; an Output file not closed is discarded
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    void Print(const QString& text = {});      // the text and a line end
    void PrintPart(const QString& text);       // the text alone; the line goes on
    // Values in the Write # form: texts in double quotes, numbers plain ("-1", "1.5", ".5"),
    // truth values as #TRUE# / #FALSE#, separated by commas, then a line end.
    void Write(std::initializer_list<WriteValue> values);
    void close();  // reports a failure to finish the file

private:
    void put(const QString& text);
    [[noreturn]] void fail(const QString& reason) const;
    QString path_;
    std::unique_ptr<AtomicFile> whole_;  // Output
    QFile append_;                       // Append
    int line_ = 1;
};

class TextReader {
public:
    explicit TextReader(const QString& path);  // the whole file must be valid CP932

    bool eof() const { return pos_ >= text_.size(); }
    // The next line without its line end (CR LF, CR or LF).
    QString LineInput();
    // The next field as Input # reads it: a quoted text without its quotes (anything after the
    // closing quote up to the separator is skipped), or an unquoted text without surrounding blanks.
    // A comma or a line end ends the field and is consumed.
    QString Input();
    // A field read into a number: empty is 0, #TRUE# is -1 and #FALSE# is 0; anything else
    // that is no number, or out of the type's range, is an error. Whole types round halves to even.
    double InputNumber();
    std::int16_t InputInt16();
    std::int32_t InputInt32();
    std::uint8_t InputByte();
    bool InputBool();  // #TRUE#/#FALSE# or a number (not 0 is true)

    int line() const { return line_; }
    const QString& fileName() const { return path_; }

private:
    [[noreturn]] void fail(const QString& reason) const;
    [[noreturn]] void failField(const QString& reason) const;
    QChar current() const;
    bool atLineEnd() const;
    void skipLineEnd();
    void skipTo(QChar stop);
    QString path_;
    QString text_;
    qsizetype pos_ = 0;
    int line_ = 1;
    int fieldLine_ = 1;  // where the last field began
};

}  // namespace vx
